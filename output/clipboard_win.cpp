#include "output/clipboard_win.h"

#include <cstdlib>
#include <cstring>

#include "app/globals.h"
#include "app/start_up.h"
#include "output/clipboard_format.h"
#include "settings/settings.h"
#include "text/text_view.h"

namespace {

// Clipboard memory holding a copy of bytes, or none.
HGLOBAL ClipboardMemory(size_t size)
{
    // Zeroed: other programs may read the whole block, rounding included.
    return GlobalAlloc(GMEM_DDESHARE | GMEM_MOVEABLE | GMEM_ZEROINIT, size);
}

// Empties the clipboard and gives it the memory; the memory is freed when
// it cannot be placed. 0 when the clipboard cannot be opened.
int PlaceOnClipboard(UINT format, HGLOBAL memory)
{
    if (!OpenClipboard(nullptr)) {
        GlobalFree(memory);
        return 0;
    }
    EmptyClipboard();
    if (!SetClipboardData(format, memory)) GlobalFree(memory);
    return CloseClipboard();
}

// Bytes of data before its first zero unit, never past the block's end:
// what another program left there need not be terminated.
size_t DataLength(const void* data, size_t blockSize, UINT format)
{
    if (format == CF_UNICODETEXT) {
        const char16_t* c = static_cast<const char16_t*>(data);
        size_t units = blockSize / 2, n = 0;
        while (n < units && c[n]) ++n;
        return n * 2;
    }
    const void* zero = memchr(data, 0, blockSize);
    return zero ? static_cast<size_t>(static_cast<const char*>(zero) - static_cast<const char*>(data)) : blockSize;
}

}  // namespace

void CopyLesson(TextView* view, int append)
{
    if (!view || !view->text) return;
    uint32_t size = ExportSize(view->text);
    auto* buffer = static_cast<char16_t*>(AllocateOrShutDown(size));
    if (!buffer) return;
    int result = ExportLesson(view->text, buffer, size);
    if (result == 1) MessageBoxW(g_state.mainWindow, L"(obuf > (start + size))", nullptr, MB_OK);
    if (result == 0) PutOnClipboard(buffer, append);
    free(buffer);
}

int PutOnClipboard(const char16_t* exportText, int append)
{
    if (g_settings.FontAsciiBase >= RTF_LETTER_BASE_MIN) return PutRtf(exportText, append);
    size_t oldLength = 0;
    uint8_t* old = append ? ReadClipboard(&oldLength, CF_UNICODETEXT) : nullptr;
    HGLOBAL memory = ClipboardMemory(JoinedUnicodeSize(oldLength, exportText));
    void* place = memory ? GlobalLock(memory) : nullptr;
    if (place) JoinUnicodeText({old, oldLength}, exportText, static_cast<uint8_t*>(place));
    free(old);
    if (!place) {
        if (memory) GlobalFree(memory);
        return 0;
    }
    GlobalUnlock(memory);
    return PlaceOnClipboard(CF_UNICODETEXT, memory);
}

uint8_t* ReadClipboard(size_t* length, UINT format)
{
    *length = 0;
    if (!format) format = CF_UNICODETEXT;
    if (!OpenClipboard(nullptr)) return nullptr;
    uint8_t* copy = nullptr;
    HANDLE data = GetClipboardData(format);
    const void* bytes = data ? GlobalLock(data) : nullptr;
    if (bytes) {
        size_t n = DataLength(bytes, GlobalSize(data), format);
        copy = static_cast<uint8_t*>(AllocateOrShutDown(n + 1));
        if (copy) {
            memcpy(copy, bytes, n);
            *length = n;
        }
        GlobalUnlock(data);
    }
    CloseClipboard();
    return copy;
}

char* RtfBody(const char16_t* exportText)
{
    size_t size = RtfBodySize(exportText) + 1;
    auto* body = static_cast<char*>(AllocateOrShutDown(size));
    if (body) WriteRtfBody(exportText, body, size);
    return body;
}

int PutRtf(const char16_t* exportText, int append)
{
    UINT format = RegisterClipboardFormatW(reinterpret_cast<const wchar_t*>(RTF_FORMAT_NAME));
    size_t oldLength = 0;
    char* old = append ? reinterpret_cast<char*>(ReadClipboard(&oldLength, format)) : nullptr;
    std::span<const char> oldDocument(old, oldLength);
    char* body = RtfBody(exportText);
    if (!body) {
        free(old);
        return 0;
    }
    // The document is complete before the clipboard is emptied, so a failed
    // allocation leaves the old contents where they were.
    size_t size = RtfDocumentCapacity(strlen(body), oldDocument);
    HGLOBAL memory = ClipboardMemory(size);
    void* place = memory ? GlobalLock(memory) : nullptr;
    if (place) WriteRtfDocument(oldDocument, body, static_cast<char*>(place), size);
    free(old);
    free(body);
    if (!place) {
        if (memory) GlobalFree(memory);
        return 0;
    }
    GlobalUnlock(memory);
    return PlaceOnClipboard(format, memory) ? 1 : 0;
}

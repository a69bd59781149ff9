#include "output/clipboard_win.h"

#include <cstdlib>
#include <cstring>

#include "base/allocation_win.h"
#include "base/globals.h"
#include "calendar/track_reading.h"
#include "output/clipboard_format.h"
#include "settings/settings.h"
#include "text/text_view.h"

namespace {

// Clipboard memory of size bytes, filled by fill; none when it cannot be had.
template <class Fill>
HGLOBAL FilledMemory(size_t size, Fill fill)
{
    // Zeroed: other programs may read the whole block, rounding included.
    HGLOBAL memory = GlobalAlloc(GMEM_DDESHARE | GMEM_MOVEABLE | GMEM_ZEROINIT, size);
    void* place = memory ? GlobalLock(memory) : nullptr;
    if (!place) {
        if (memory) GlobalFree(memory);
        return nullptr;
    }
    fill(place);
    GlobalUnlock(memory);
    return memory;
}

constexpr DWORD CLIPBOARD_WAIT_MS = 100;
constexpr DWORD CLIPBOARD_RETRY_MS = 10;

// Set when the clipboard stayed closed to us; the command then says so.
bool s_clipboardBusy;

// The main window as owner: Windows refuses data on a clipboard that was
// emptied while opened without one. Clipboard history, the cloud clipboard
// and remote desktop hold the clipboard for a moment after every change,
// so a refusal is tried again for a while.
BOOL OpenOwnClipboard()
{
    ULONGLONG start = GetTickCount64();
    while (!OpenClipboard(g_state.mainWindow)) {
        if (GetTickCount64() - start >= CLIPBOARD_WAIT_MS) {
            s_clipboardBusy = true;
            return FALSE;
        }
        Sleep(CLIPBOARD_RETRY_MS);
    }
    return TRUE;
}

struct ClipboardData {
    UINT format;
    HGLOBAL memory;
};

// Empties the clipboard and gives it all the data in one go; memory that
// cannot be placed is freed. 0 when the clipboard cannot be opened.
int PlaceOnClipboard(const ClipboardData* data, int count)
{
    if (!OpenOwnClipboard()) {
        for (int i = 0; i < count; ++i) GlobalFree(data[i].memory);
        return 0;
    }
    EmptyClipboard();
    for (int i = 0; i < count; ++i)
        if (!SetClipboardData(data[i].format, data[i].memory)) GlobalFree(data[i].memory);
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

// The Rich Text document of the export, after the old one when appending.
HGLOBAL RtfMemory(UINT format, const char16_t* exportText, int append)
{
    size_t oldLength = 0;
    char* old = append ? reinterpret_cast<char*>(ReadClipboard(&oldLength, format)) : nullptr;
    std::span<const char> oldDocument(old, oldLength);
    char* body = s_clipboardBusy ? nullptr : RtfBody(exportText);
    HGLOBAL memory = nullptr;
    if (body) {
        size_t size = RtfDocumentCapacity(strlen(body), oldDocument);
        memory = FilledMemory(size, [&](void* place) {
            WriteRtfDocument(oldDocument, body, static_cast<char*>(place), size);
        });
    }
    free(old);
    free(body);
    return memory;
}

// The same lesson as plain text, for every program that cannot read Rich
// Text; appended to the old plain text when there is any.
HGLOBAL PlainTextMemory(const char16_t* exportText, int append)
{
    size_t oldLength = 0;
    uint8_t* old = append ? ReadClipboard(&oldLength, CF_UNICODETEXT) : nullptr;
    if (s_clipboardBusy) {
        free(old);
        return nullptr;
    }
    std::span<const char16_t> oldText(reinterpret_cast<const char16_t*>(old), oldLength / 2);
    size_t units = PlainDocumentSize(oldText, exportText);
    HGLOBAL memory = FilledMemory(units * 2, [&](void* place) {
        WritePlainDocument(oldText, exportText, static_cast<char16_t*>(place), units);
    });
    free(old);
    return memory;
}

// Every copy starts with the clipboard free to us, and the reader hears
// when another program kept it.
void PutAndTell(const char16_t* exportText, int append)
{
    s_clipboardBusy = false;
    PutOnClipboard(exportText, append);
    if (s_clipboardBusy)
        MessageBoxW(g_state.mainWindow, L"Another program is using the clipboard. Nothing was copied; please try again.",
                    L"Quorin", MB_OK | MB_ICONWARNING);
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
    if (result == 0) PutAndTell(buffer, append);
    free(buffer);
}

void CopyPassage(TextView* view, unsigned first, unsigned last, int append)
{
    if (!view || !view->text || first >= last) return;
    uint8_t* passage = PassageText(view->text, first, last);
    if (!passage) return;
    PassagePlace from, to;
    // A day's portion names its chapter in its second heading.
    FindPassagePlaces(view->text, first, last, ShowsDayPortion(), &from, &to);
    uint32_t size = PassageExportSize(passage);
    auto* buffer = static_cast<char16_t*>(AllocateOrShutDown(size));
    if (buffer) {
        if (ExportPassage(passage, from, to, buffer, size) == 0) PutAndTell(buffer, append);
        free(buffer);
    }
    free(passage);
}

int PutOnClipboard(const char16_t* exportText, int append)
{
    if (g_settings.FontAsciiBase >= RTF_LETTER_BASE_MIN) return PutRtf(exportText, append);
    size_t oldLength = 0;
    uint8_t* old = append ? ReadClipboard(&oldLength, CF_UNICODETEXT) : nullptr;
    // What could not be read cannot be appended to: leave it as it is.
    if (s_clipboardBusy) {
        free(old);
        return 0;
    }
    HGLOBAL memory = FilledMemory(JoinedUnicodeSize(oldLength, exportText), [&](void* place) {
        JoinUnicodeText({old, oldLength}, exportText, static_cast<uint8_t*>(place));
    });
    free(old);
    if (!memory) return 0;
    ClipboardData data{CF_UNICODETEXT, memory};
    return PlaceOnClipboard(&data, 1);
}

uint8_t* ReadClipboard(size_t* length, UINT format)
{
    *length = 0;
    if (!format) format = CF_UNICODETEXT;
    if (!OpenOwnClipboard()) return nullptr;
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
    ClipboardData data[] = {{format, RtfMemory(format, exportText, append)},
                            {CF_UNICODETEXT, PlainTextMemory(exportText, append)}};
    // Both are complete before the clipboard is emptied, so a failed
    // allocation leaves the old contents where they were.
    if (!data[0].memory || !data[1].memory) {
        for (const ClipboardData& d : data)
            if (d.memory) GlobalFree(d.memory);
        return 0;
    }
    return PlaceOnClipboard(data, 2) ? 1 : 0;
}

// The clipboard encodings over arbitrary lesson texts: ExportSize must hold
// what ExportUnicodeText writes, the Rich Text body must fit RtfBodySize and
// the plain text its size; old clipboard contents are joined in front.
// Input: letter base choice and Reverse bit, then the text.
#include <cstdlib>
#include <cstring>
#include "content/lesson_store.h"
#include "output/clipboard_format.h"
#include "settings/settings.h"
#include "tests/fuzz/fuzz_input.h"
#include "text/text_format.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Taker in{data, size};
    static constexpr int32_t BASES[] = {DEFAULT_ASCII_BASE, 224, 97, 0x5D0 + 40, 0xFB1D};
    uint32_t choice = in.Take(1);
    if (in.size > 0x10000) return 0;
    g_settings = {};
    g_settings.FontAsciiBase = BASES[choice % std::size(BASES)];
    g_settings.Flags = choice & 0x80 ? FLAG_REVERSE : 0;

    uint8_t* text = CopyWithZeros(in.data, in.size, TEXT_ZEROS);
    uint32_t bytes = ExportSize(text);
    // malloc, not vector: no zero-filling of megabyte buffers on every run.
    auto* wide = static_cast<char16_t*>(malloc(bytes));
    if (ExportLesson(text, wide, bytes) != 0) abort();
    if (g_settings.Flags != (choice & 0x80 ? FLAG_REVERSE : 0)) abort();

    size_t rtfSize = RtfBodySize(wide);
    auto* rtf = static_cast<char*>(malloc(rtfSize));
    size_t written = WriteRtfBody(wide, rtf, rtfSize);
    if (written + 1 > rtfSize || rtf[written] != 0) abort();

    // Appending to an old document made of the start of the input.
    std::span<const char> old(reinterpret_cast<const char*>(in.data), in.size < 200 ? in.size : 200);
    size_t docSize = RtfDocumentCapacity(written, old);
    auto* doc = static_cast<char*>(malloc(docSize));
    size_t docLength = WriteRtfDocument(old, rtf, doc, docSize);
    if (docLength >= docSize) abort();
    free(doc);
    free(rtf);

    // Joining Unicode text another program left, of any (odd) length.
    std::span<const uint8_t> oldText(in.data, in.size < 300 ? in.size : 300);
    size_t joinedSize = JoinedUnicodeSize(oldText.size(), wide);
    auto* joined = static_cast<uint8_t*>(malloc(joinedSize));
    JoinUnicodeText(oldText, wide, joined);
    // An odd old length loses its half unit: the terminator ends one byte early.
    size_t end = (oldText.size() & ~size_t{1}) + (joinedSize - oldText.size()) - 2;
    if (joined[end] != 0 || joined[end + 1] != 0) abort();
    free(joined);

    // The plain text beside the Rich Text, after old text of any content.
    auto* oldUnits = static_cast<char16_t*>(malloc(oldText.size() + 2));   // aligned, as read from the clipboard
    memcpy(oldUnits, oldText.data(), oldText.size());
    std::span<const char16_t> oldPlain(oldUnits, oldText.size() / 2);
    size_t plainSize = PlainDocumentSize(oldPlain, wide);
    auto* plain = static_cast<char16_t*>(malloc(plainSize * 2));
    if (WritePlainDocument(oldPlain, wide, plain, plainSize) + 1 != plainSize) abort();
    free(plain);
    free(oldUnits);

    // A buffer one character short reports that it is full, and stays inside.
    if (bytes >= 4 && ExportUnicodeText(text, wide, bytes - 2) == 2) abort();
    free(wide);
    free(text);
    ReleaseConversionBuffer();
    return 0;
}

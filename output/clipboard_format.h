// The lesson as the clipboard sees it: Unicode lines, the right-to-left
// Rich Text document built from them and the plain text placed beside it.
// Portable; the clipboard calls are in clipboard_win.cpp.
#pragma once
#include <cstddef>
#include <cstdint>
#include <span>

constexpr char16_t RTF_FORMAT_NAME[] = u"Rich Text Format";

constexpr char RTF_HEADER[] =
    "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fcharset177\\cpg1255 David;}}"
    "{\\colortbl\\red0\\green0\\blue0;\\red255\\green255\\blue255;\\red255\\green0\\blue0;}"
    "\\rtldoc\\pard\\rtlpar\\qr\\lang1033\\f0\\fs20\\uc0\r\n";
constexpr char RTF_SEPARATOR[] = "\\qc\\cf2\\fs72\\b*  *  *  *  *\\b0\\par\\par\\qr\\fs20\\cf0\r\n";
constexpr char RTF_PARAGRAPH[] = "\\par\\par\r\n";
constexpr char RTF_TRAILER[] = "}\r\n";

// The Rich Text separator's line as plain text, ending the old text's last line first.
constexpr char16_t TEXT_SEPARATOR[] = u"\r\n*  *  *  *  *\r\n";

// Room beyond the body and the old document: header (or separator),
// trailer and the zero byte, with a little to spare.
constexpr size_t RTF_FRESH_EXTRA = 186;
constexpr size_t RTF_APPEND_EXTRA = 58;

// Letter bases above this export as Rich Text, the others as plain Unicode.
constexpr int32_t RTF_LETTER_BASE_MIN = 257;

struct Decomposition {
    char16_t key;
    char16_t parts[3];   // zero-padded
};

// Hebrew presentation forms and their full canonical decompositions.
constexpr Decomposition DECOMPOSITIONS[] = {
    {0xFB2A, {0x05E9, 0x05C1}},          {0xFB2B, {0x05E9, 0x05C2}},
    {0xFB2C, {0x05E9, 0x05BC, 0x05C1}},  {0xFB2D, {0x05E9, 0x05BC, 0x05C2}},
    {0xFB30, {0x05D0, 0x05BC}},          {0xFB31, {0x05D1, 0x05BC}},
    {0xFB32, {0x05D2, 0x05BC}},          {0xFB33, {0x05D3, 0x05BC}},
    {0xFB34, {0x05D4, 0x05BC}},          {0xFB35, {0x05D5, 0x05BC}},
    {0xFB36, {0x05D6, 0x05BC}},          {0xFB38, {0x05D8, 0x05BC}},
    {0xFB39, {0x05D9, 0x05BC}},          {0xFB3A, {0x05DA, 0x05BC}},
    {0xFB3B, {0x05DB, 0x05BC}},          {0xFB3C, {0x05DC, 0x05BC}},
    {0xFB3E, {0x05DE, 0x05BC}},          {0xFB40, {0x05E0, 0x05BC}},
    {0xFB41, {0x05E1, 0x05BC}},          {0xFB43, {0x05E3, 0x05BC}},
    {0xFB44, {0x05E4, 0x05BC}},          {0xFB46, {0x05E6, 0x05BC}},
    {0xFB47, {0x05E7, 0x05BC}},          {0xFB48, {0x05E8, 0x05BC}},
    {0xFB49, {0x05E9, 0x05BC}},          {0xFB4A, {0x05EA, 0x05BC}},
    {0xFB4B, {0x05D5, 0x05B9}},
};
static_assert(std::size(DECOMPOSITIONS) == 27);

// The row for c, or none.
const Decomposition* FindDecomposition(char16_t c);

// Bytes the Unicode export of text needs, terminator included.
uint32_t ExportSize(const uint8_t* text);

// Writes text as Unicode lines into buffer (size in bytes). 0 on success,
// 1 when the lines would not fit (nothing is written past the buffer),
// 2 when a record could not be converted for lack of memory.
int ExportUnicodeText(const uint8_t* text, char16_t* buffer, uint32_t size);

// ExportUnicodeText with the Reverse bit inverted for Rich Text letter bases,
// so the exported lines come out in reading order exactly when the screen's
// runs do not; Flags is restored before returning.
int ExportLesson(const uint8_t* text, char16_t* buffer, uint32_t size);

// Bytes RtfBody needs for the export, its zero byte included.
size_t RtfBodySize(const char16_t* exportText);

// Writes the RTF body of exportText into out; returns the bytes written
// before the zero byte. Stops short rather than write past capacity.
size_t WriteRtfBody(const char16_t* exportText, char* out, size_t capacity);

// Length of an old Rich Text document once the trailing white space and its
// closing brace are dropped, ready for the separator.
size_t TrimForAppend(std::span<const char> old);

// Bytes a whole clipboard document needs for a body of bodyLength bytes
// after the old document (empty for a fresh one).
size_t RtfDocumentCapacity(size_t bodyLength, std::span<const char> old);

// Writes the whole document: header or the trimmed old document and the
// separator, then body, trailer and a zero byte. Returns the bytes written
// before the zero byte; out must hold RtfDocumentCapacity bytes.
size_t WriteRtfDocument(std::span<const char> old, const char* body, char* out, size_t capacity);

// Joins old Unicode clipboard text (oldBytes bytes, no terminator) and the
// export into out, which must hold JoinedUnicodeSize bytes.
size_t JoinedUnicodeSize(size_t oldBytes, const char16_t* exportText);
void JoinUnicodeText(std::span<const uint8_t> old, const char16_t* exportText, uint8_t* out);

// The plain text placed beside the Rich Text is the export with every run of
// line breaks made one CR LF, as each run is one paragraph of the Rich Text.
// Appended, it follows the old plain text (no terminator) without its
// trailing CR, LF, space and TAB, and the separator; old text that is all
// white space is dropped. Units of that document, its zero included.
size_t PlainDocumentSize(std::span<const char16_t> old, const char16_t* exportText);

// Writes that document; returns the units written before the zero. Stops
// short rather than write past capacity.
size_t WritePlainDocument(std::span<const char16_t> old, const char16_t* exportText, char16_t* out,
                          size_t capacity);

// ---- A chosen passage and the line that cites it.

// Where a record stands in its lesson: the section, the chapter heading and
// the paragraph's label, letter code in reading order, each zero-terminated
// (empty when the lesson gives none before it).
struct PassagePlace {
    uint8_t section[96];
    uint8_t chapter[32];
    uint8_t paragraph[16];
};

// The place of the record holding text offset at. With titledChapter the
// second heading names the one chapter the text holds (a day's portion).
void FindPassagePlace(const uint8_t* text, unsigned at, PassagePlace* place, bool titledChapter = false);

// The places that cite the passage [first, last): where it ends, and where
// it begins, or where its first paragraph begins when it begins on headings.
void FindPassagePlaces(const uint8_t* text, unsigned first, unsigned last, bool titledChapter, PassagePlace* from,
                       PassagePlace* to);

// "(section chapter, first–last)" in reading order (a chapter with a name
// instead of "פרק N" after a comma), the letters from
// letterBase; a range names only what changes (paragraphs, or chapter and
// paragraph, or all). No line break. Returns the units written before the
// zero; stops short rather than write past capacity.
constexpr size_t CITATION_MAX = 2 * (96 + 32 + 16) + 16;
size_t WriteCitation(const PassagePlace& first, const PassagePlace& last, int32_t letterBase, char16_t* out,
                     size_t capacity);

// A LessonText of the passage [first, last) (reading boundaries): every
// record it touches, cut to the part inside, style and parameter kept;
// rules inside it whole. Null without memory; free() it.
uint8_t* PassageText(const uint8_t* text, unsigned first, unsigned last);

// The passage exported as ExportLesson exports a lesson, then the citation
// on a line of its own. Bytes it needs, and the writing (ExportLesson's results).
uint32_t PassageExportSize(const uint8_t* passage);
int ExportPassage(const uint8_t* passage, const PassagePlace& first, const PassagePlace& last, char16_t* buffer,
                  uint32_t size);

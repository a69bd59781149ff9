// Copy and Append to ClipBoard of the shown lesson (Win32 side).
#pragma once
#include <windows.h>
#include <cstddef>
#include <cstdint>

struct TextView;

// append 0 replaces the clipboard, 1 appends to what it holds.
void CopyLesson(TextView* view, int append);
// The passage [first, last) of the view's text (reading boundaries) with
// the line that cites it, in the same formats as a lesson.
void CopyPassage(TextView* view, unsigned first, unsigned last, int append);

// Places the export as Rich Text with plain text, or as Unicode text alone,
// by the letter base.
// 0 when the clipboard could not be opened or nothing could be placed.
int PutOnClipboard(const char16_t* exportText, int append);

// A malloc'ed copy of the clipboard's data in format (CF_UNICODETEXT when
// 0), not zero-terminated, its byte length in *length; null (length 0)
// when the clipboard cannot be opened or holds no such data.
uint8_t* ReadClipboard(size_t* length, UINT format);

// Builds the Rich Text document and the same lesson as plain text (each
// appended to the old one of its kind when asked) and places both. 1 when
// placed, 0 otherwise.
int PutRtf(const char16_t* exportText, int append);

// A malloc'ed, zero-terminated RTF body of the export.
char* RtfBody(const char16_t* exportText);

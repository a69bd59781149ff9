// A stored face name (16-bit, as the settings keep it) into a LOGFONTW,
// cut to the field and always ended.
#pragma once
#include <windows.h>

inline void SetFaceName(LOGFONTW& font, const char16_t* face)
{
    int i = 0;
    for (; face && i < LF_FACESIZE - 1 && face[i]; ++i) font.lfFaceName[i] = face[i];
    font.lfFaceName[i] = 0;
}

// The face of a font that shows Hebrew: the reader's, by its name, or with
// no name any face the system has for Hebrew; a LOGFONTW left at
// ANSI_CHARSET without a name lets Windows' font mapper choose a face
// without it. A named face keeps ANSI_CHARSET: every face offered for
// Hebrew also covers Latin, so the name decides, and Wine's PostScript
// driver fails on a printer font asked for by another character set.
inline void SetHebrewFace(LOGFONTW& font, const char16_t* face)
{
    SetFaceName(font, face);
    font.lfCharSet = font.lfFaceName[0] ? ANSI_CHARSET : HEBREW_CHARSET;
}

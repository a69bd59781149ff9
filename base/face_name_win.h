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

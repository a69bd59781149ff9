// A dialog procedure's answer to a message whose result is a value rather
// than handled or not (WM_GETDLGCODE, WM_GETOBJECT, WM_ERASEBKGND): the
// value goes in DWLP_MSGRESULT, the procedure says it handled the message.
#pragma once
#include <windows.h>

inline INT_PTR DialogResult(HWND dialog, LRESULT result)
{
    SetWindowLongPtrW(dialog, DWLP_MSGRESULT, result);
    return TRUE;
}

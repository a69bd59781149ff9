// The reading view as screen readers see it: WM_GETOBJECT on the main
// window's client answers an IAccessible of role document, read-only, named
// after the day shown, whose value is the page in view in reading order.
#pragma once
#include <windows.h>

// WM_GETOBJECT: the object for OBJID_CLIENT, else 0 (the system answers).
LRESULT AnswerGetObject(HWND window, WPARAM flags, LPARAM objectId);
// The page or the day changed: value (and name) change events.
void NotifyViewChanged(HWND window, bool dayChanged);

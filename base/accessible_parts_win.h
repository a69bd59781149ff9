// What a window draws by hand, as screen readers see it. The window's
// client object (IAccessible, answered on WM_GETOBJECT) keeps the system's
// location, parent and child windows, and adds what a table of procedures
// says: its own role, name, value and state, and plain parts after the
// child windows (toolbar buttons, alphabet keys, calendar days) with their
// names, states, boxes and a default action.
#pragma once
#include <windows.h>

#include <string>

struct AccessibleParts {
    // The client object itself. Role 0, a null name or value: the system's.
    long role;
    bool (*name)(HWND window, std::u16string* out);
    bool (*value)(HWND window, std::u16string* out);
    long state;   // STATE_SYSTEM_ bits added to the system's
    // The parts, numbered from 1. Any procedure but count may be null.
    long (*count)(HWND window);
    bool (*partName)(HWND window, long part, std::u16string* out);
    bool (*partDescription)(HWND window, long part, std::u16string* out);
    bool (*partShortcut)(HWND window, long part, std::u16string* out);
    bool (*partValue)(HWND window, long part, std::u16string* out);   // a tree item's: its level
    long partRole;
    long (*partRoleOf)(HWND window, long part);   // where the parts' roles differ
    long (*partState)(HWND window, long part);
    bool (*partBox)(HWND window, long part, RECT* client);
    const char16_t* action;   // the default action's name
    bool (*act)(HWND window, long part);
    long (*focus)(HWND window);   // the part with the keyboard focus, 0 for none
};

// WM_GETOBJECT: the client object for OBJID_CLIENT, else 0 (the system answers).
// parts must outlive the window (a constant table).
LRESULT AnswerAccessibleParts(HWND window, WPARAM flags, LPARAM objectId, const AccessibleParts* parts);
// A number as an accessible name or value reads it.
std::u16string DecimalText(long n);

// EVENT_OBJECT_FOCUS and the like for a part (its child id is its number),
// or for the client object itself (part 0).
void NotifyAccessiblePart(HWND window, DWORD event, long part);
// Gives window a client object from parts, for a control of the system's
// (it is subclassed; the subclass ends when the window is destroyed).
bool ServeAccessibleParts(HWND window, const AccessibleParts* parts);

// Reading a window's accessible object as a screen reader does.
#pragma once
#include <windows.h>
#include <oleacc.h>

#include <string>

namespace accessibility_test {

inline std::u16string Take(BSTR s)
{
    std::u16string out(s ? reinterpret_cast<const char16_t*>(s) : u"", s ? SysStringLen(s) : 0);
    SysFreeString(s);
    return out;
}

inline VARIANT Child(long id)
{
    VARIANT v = {};
    v.vt = VT_I4;
    v.lVal = id;
    return v;
}

// The client object of a window, released at the end of the scope.
struct ClientObject {
    IAccessible* object = nullptr;
    explicit ClientObject(HWND window)
    {
        AccessibleObjectFromWindow(window, OBJID_CLIENT, __uuidof(IAccessible), reinterpret_cast<void**>(&object));
    }
    ~ClientObject()
    {
        if (object) object->Release();
    }
    ClientObject(const ClientObject&) = delete;
    ClientObject& operator=(const ClientObject&) = delete;
    IAccessible* operator->() const { return object; }
    explicit operator bool() const { return object != nullptr; }

    long Count() const
    {
        long n = -1;
        object->get_accChildCount(&n);
        return n;
    }
    std::u16string Name(long id) const
    {
        BSTR s = nullptr;
        object->get_accName(Child(id), &s);
        return Take(s);
    }
    std::u16string Description(long id) const
    {
        BSTR s = nullptr;
        object->get_accDescription(Child(id), &s);
        return Take(s);
    }
    std::u16string Shortcut(long id) const
    {
        BSTR s = nullptr;
        object->get_accKeyboardShortcut(Child(id), &s);
        return Take(s);
    }
    long Role(long id) const
    {
        VARIANT v = {};
        object->get_accRole(Child(id), &v);
        return v.vt == VT_I4 ? v.lVal : -1;
    }
    long State(long id) const
    {
        VARIANT v = {};
        object->get_accState(Child(id), &v);
        return v.vt == VT_I4 ? v.lVal : -1;
    }
    RECT Box(long id) const
    {
        long x = 0, y = 0, w = 0, h = 0;
        object->accLocation(&x, &y, &w, &h, Child(id));
        return {x, y, x + w, y + h};
    }
    long Focus() const
    {
        VARIANT v = {};
        object->get_accFocus(&v);
        return v.vt == VT_I4 ? v.lVal : -1;
    }
    long HitTest(POINT screen) const
    {
        VARIANT v = {};
        object->accHitTest(screen.x, screen.y, &v);
        return v.vt == VT_I4 ? v.lVal : -1;
    }
    HRESULT Act(long id) const { return object->accDoDefaultAction(Child(id)); }
};

}  // namespace accessibility_test

#include "base/accessible_parts_win.h"

#include <commctrl.h>
#include <oleacc.h>

#include <new>

#include "base/late_libraries_win.h"

namespace {

HRESULT Answer(BSTR* out, const std::u16string& s)
{
    *out = LateSysAllocStringLen(reinterpret_cast<const wchar_t*>(s.data()), static_cast<UINT>(s.size()));
    return *out ? S_OK : E_OUTOFMEMORY;
}

HRESULT AnswerText(bool (*get)(HWND, long, std::u16string*), HWND window, long part, BSTR* out)
{
    std::u16string s;
    if (!get || !get(window, part, &s)) return S_FALSE;
    return Answer(out, s);
}

void Number(VARIANT* v, long n)
{
    v->vt = VT_I4;
    v->lVal = n;
}

// Parts come first (ids 1..count), the child windows the system counts
// after them, so a part's id never depends on the windows. For a control
// of the system's the parts replace its children: the system's own view of
// a toolbar, say, would name each button a second time.
class PartsObject : public IAccessible {
public:
    PartsObject(HWND window, const AccessibleParts* parts, IAccessible* standard, bool windowChildren)
        : window_(window), parts_(parts), standard_(standard), windowChildren_(windowChildren)
    {
    }
    virtual ~PartsObject()
    {
        if (standard_) standard_->Release();
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** out) override
    {
        if (id == __uuidof(IUnknown) || id == __uuidof(IDispatch) || id == __uuidof(IAccessible)) {
            *out = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++count_; }
    ULONG STDMETHODCALLTYPE Release() override
    {
        ULONG left = --count_;
        if (left == 0) delete this;
        return left;
    }

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* n) override { *n = 0; return S_OK; }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override
    {
        return E_NOTIMPL;
    }

    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override
    {
        *parent = nullptr;
        if (!Alive()) return RPC_E_DISCONNECTED;
        return standard_ ? standard_->get_accParent(parent) : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* n) override
    {
        *n = 0;
        if (!Alive()) return RPC_E_DISCONNECTED;
        *n = Parts() + Windows();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) override
    {
        *out = nullptr;
        if (!Alive()) return RPC_E_DISCONNECTED;
        long part = Part(child);
        if (part > 0) return S_FALSE;   // a plain element, answered here
        if (part < 0 && standard_) return standard_->get_accChild(ToStandard(child), out);
        return E_INVALIDARG;
    }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override
    {
        *name = nullptr;
        if (!Alive()) return RPC_E_DISCONNECTED;
        long part = Part(child);
        if (part > 0) return AnswerText(parts_->partName, window_, part, name);
        if (part == 0 && parts_->name) return AnswerSelf(parts_->name, name);
        return Standard(child) ? standard_->get_accName(ToStandard(child), name) : E_INVALIDARG;
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override
    {
        *value = nullptr;
        if (!Alive()) return RPC_E_DISCONNECTED;
        long part = Part(child);
        if (part > 0) return parts_->partValue ? AnswerText(parts_->partValue, window_, part, value) : DISP_E_MEMBERNOTFOUND;
        if (part == 0 && parts_->value) return AnswerSelf(parts_->value, value);
        return Standard(child) ? standard_->get_accValue(ToStandard(child), value) : E_INVALIDARG;
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* out) override
    {
        *out = nullptr;
        if (!Alive()) return RPC_E_DISCONNECTED;
        long part = Part(child);
        if (part > 0) return AnswerText(parts_->partDescription, window_, part, out);
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override
    {
        role->vt = VT_EMPTY;
        if (!Alive()) return RPC_E_DISCONNECTED;
        long part = Part(child);
        if (part > 0) {
            Number(role, parts_->partRoleOf ? parts_->partRoleOf(window_, part) : parts_->partRole);
            return S_OK;
        }
        if (part == 0 && parts_->role) {
            Number(role, parts_->role);
            return S_OK;
        }
        return Standard(child) ? standard_->get_accRole(ToStandard(child), role) : E_INVALIDARG;
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override
    {
        state->vt = VT_EMPTY;
        if (!Alive()) return RPC_E_DISCONNECTED;
        long part = Part(child);
        if (part > 0) {
            long s = parts_->partState ? parts_->partState(window_, part) : 0;
            if (parts_->focus && GetFocus() == window_ && parts_->focus(window_) == part) s |= STATE_SYSTEM_FOCUSED;
            Number(state, s);
            return S_OK;
        }
        if (part < 0) return Standard(child) ? standard_->get_accState(ToStandard(child), state) : E_INVALIDARG;
        long s = 0;
        VARIANT system = {};
        if (standard_ && standard_->get_accState(child, &system) == S_OK && system.vt == VT_I4) s = system.lVal;
        s |= parts_->state;
        if ((s & STATE_SYSTEM_FOCUSABLE) && GetFocus() == window_) s |= STATE_SYSTEM_FOCUSED;
        Number(state, s);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT, BSTR* out) override { *out = nullptr; return S_FALSE; }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT, long* topic) override
    {
        *file = nullptr;
        *topic = 0;
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* out) override
    {
        *out = nullptr;
        if (!Alive()) return RPC_E_DISCONNECTED;
        long part = Part(child);
        if (part > 0) return AnswerText(parts_->partShortcut, window_, part, out);
        return Standard(child) ? standard_->get_accKeyboardShortcut(ToStandard(child), out) : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override
    {
        focus->vt = VT_EMPTY;
        if (!Alive()) return RPC_E_DISCONNECTED;
        if (GetFocus() == window_) {
            long part = parts_->focus ? parts_->focus(window_) : 0;
            Number(focus, part > 0 && part <= Parts() ? part : CHILDID_SELF);
            return S_OK;
        }
        if (!standard_) return S_FALSE;
        HRESULT result = standard_->get_accFocus(focus);
        FromStandard(focus);
        return result;
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override
    {
        selection->vt = VT_EMPTY;
        if (!Alive()) return RPC_E_DISCONNECTED;
        if (!parts_->partState) return S_FALSE;
        for (long part = 1, n = Parts(); part <= n; ++part)
            if (parts_->partState(window_, part) & STATE_SYSTEM_SELECTED) {
                Number(selection, part);
                return S_OK;
            }
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* out) override
    {
        *out = nullptr;
        if (!Alive()) return RPC_E_DISCONNECTED;
        if (Part(child) > 0 && parts_->action && parts_->act) return Answer(out, parts_->action);
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override
    {
        if (!Alive()) return RPC_E_DISCONNECTED;
        long part = Part(child);
        if (part == 0 && (flags & SELFLAG_TAKEFOCUS)) {
            SetFocus(window_);
            return S_OK;
        }
        if (part > 0) return DISP_E_MEMBERNOTFOUND;
        return Standard(child) ? standard_->accSelect(flags, ToStandard(child)) : E_INVALIDARG;
    }
    HRESULT STDMETHODCALLTYPE accLocation(long* x, long* y, long* w, long* h, VARIANT child) override
    {
        *x = *y = *w = *h = 0;
        if (!Alive()) return RPC_E_DISCONNECTED;
        long part = Part(child);
        if (part > 0) {
            RECT box = {};
            if (!parts_->partBox || !parts_->partBox(window_, part, &box)) return S_FALSE;
            MapWindowPoints(window_, nullptr, reinterpret_cast<POINT*>(&box), 2);
            *x = box.left;
            *y = box.top;
            *w = box.right - box.left;
            *h = box.bottom - box.top;
            return S_OK;
        }
        return Standard(child) ? standard_->accLocation(x, y, w, h, ToStandard(child)) : E_INVALIDARG;
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override
    {
        end->vt = VT_EMPTY;
        if (!Alive()) return RPC_E_DISCONNECTED;
        long part = Part(start), n = Parts();
        long to = 0;
        if (part > 0 && (direction == NAVDIR_NEXT || direction == NAVDIR_DOWN || direction == NAVDIR_RIGHT))
            to = part + 1;
        else if (part > 0 && (direction == NAVDIR_PREVIOUS || direction == NAVDIR_UP || direction == NAVDIR_LEFT))
            to = part - 1;
        else if (part == 0 && direction == NAVDIR_FIRSTCHILD)
            to = 1;
        else if (part == 0 && direction == NAVDIR_LASTCHILD && !Windows())
            to = n;
        else if (part > 0)
            return S_FALSE;
        else
            return Standard(start) || part == 0 ? Delegate(direction, start, end) : E_INVALIDARG;
        if (to < 1 || to > n) return S_FALSE;
        Number(end, to);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override
    {
        child->vt = VT_EMPTY;
        if (!Alive()) return RPC_E_DISCONNECTED;
        POINT at = {x, y};
        ScreenToClient(window_, &at);
        if (parts_->partBox)
            for (long part = 1, n = Parts(); part <= n; ++part) {
                RECT box = {};
                if (parts_->partBox(window_, part, &box) && PtInRect(&box, at)) {
                    Number(child, part);
                    return S_OK;
                }
            }
        if (!standard_) return S_FALSE;
        HRESULT result = standard_->accHitTest(x, y, child);
        FromStandard(child);
        return result;
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override
    {
        if (!Alive()) return RPC_E_DISCONNECTED;
        long part = Part(child);
        if (part > 0 && parts_->act) return parts_->act(window_, part) ? S_OK : DISP_E_MEMBERNOTFOUND;
        if (part == 0 || !standard_) return DISP_E_MEMBERNOTFOUND;
        return standard_->accDoDefaultAction(ToStandard(child));
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

private:
    // A reader may keep the object after the window has gone.
    bool Alive() const { return IsWindow(window_) != FALSE; }
    long Parts() const { return parts_->count ? parts_->count(window_) : 0; }
    HRESULT AnswerSelf(bool (*get)(HWND, std::u16string*), BSTR* out) const
    {
        std::u16string s;
        return get(window_, &s) ? Answer(out, s) : S_FALSE;
    }
    long Windows() const
    {
        long n = 0;
        if (windowChildren_ && standard_) standard_->get_accChildCount(&n);
        return n;
    }
    // 0 for the object itself, 1..count for a part, -1 for a child window
    // (or anything else, which the system's object judges).
    long Part(const VARIANT& child) const
    {
        if (child.vt != VT_I4) return -1;
        if (child.lVal == CHILDID_SELF) return 0;
        return child.lVal >= 1 && child.lVal <= Parts() ? child.lVal : -1;
    }
    bool Standard(const VARIANT& child) const
    {
        return standard_ && (child.vt != VT_I4 || child.lVal == CHILDID_SELF || windowChildren_);
    }
    VARIANT ToStandard(VARIANT child) const
    {
        if (child.vt == VT_I4 && child.lVal > 0) child.lVal -= Parts();
        return child;
    }
    void FromStandard(VARIANT* child) const
    {
        if (child->vt == VT_I4 && child->lVal > 0) child->lVal += Parts();
    }
    HRESULT Delegate(long direction, VARIANT start, VARIANT* end)
    {
        if (!standard_) return S_FALSE;
        HRESULT result = standard_->accNavigate(direction, ToStandard(start), end);
        FromStandard(end);
        return result;
    }

    ULONG count_ = 1;
    HWND window_;
    const AccessibleParts* parts_;
    IAccessible* standard_;
    bool windowChildren_;
};

LRESULT Answer(HWND window, WPARAM flags, LPARAM objectId, const AccessibleParts* parts, bool windowChildren)
{
    if (static_cast<LONG>(objectId) != OBJID_CLIENT) return 0;
    LateComReady();
    IAccessible* standard = nullptr;
    LateCreateStdAccessibleObject(window, OBJID_CLIENT, __uuidof(IAccessible), reinterpret_cast<void**>(&standard));
    PartsObject* object = new (std::nothrow) PartsObject(window, parts, standard, windowChildren);
    if (!object) {
        if (standard) standard->Release();
        return 0;
    }
    LRESULT result = LateLresultFromObject(__uuidof(IAccessible), flags, object);
    object->Release();
    return result;
}

constexpr UINT_PTR PARTS_SUBCLASS = 0x5041;   // "PA"

LRESULT CALLBACK PartsSubclass(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data)
{
    switch (message) {
    case WM_GETOBJECT:
        if (LRESULT answer = Answer(window, wParam, lParam, reinterpret_cast<const AccessibleParts*>(data), false))
            return answer;
        break;
    case WM_NCDESTROY: RemoveWindowSubclass(window, PartsSubclass, PARTS_SUBCLASS); break;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace

LRESULT AnswerAccessibleParts(HWND window, WPARAM flags, LPARAM objectId, const AccessibleParts* parts)
{
    return Answer(window, flags, objectId, parts, true);
}

std::u16string DecimalText(long n)
{
    std::u16string out;
    for (char c : std::to_string(n)) out += static_cast<char16_t>(c);
    return out;
}

void NotifyAccessiblePart(HWND window, DWORD event, long part)
{
    NotifyWinEvent(event, window, OBJID_CLIENT, part > 0 ? part : CHILDID_SELF);
}

bool ServeAccessibleParts(HWND window, const AccessibleParts* parts)
{
    return window && SetWindowSubclass(window, PartsSubclass, PARTS_SUBCLASS, reinterpret_cast<DWORD_PTR>(parts));
}

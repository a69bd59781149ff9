#include "app/accessible_view_win.h"

#include <oleacc.h>

#include <cstdlib>
#include <new>
#include <string>

#include "base/globals.h"
#include "base/late_libraries_win.h"
#include "app/selection_win.h"
#include "output/clipboard_format.h"
#include "search/hit_banner.h"
#include "settings/settings.h"
#include "text/letter_code.h"
#include "text/selection.h"
#include "text/text_format.h"
#include "text/text_view.h"

namespace {

// Letter-code text stored for drawing left to right, read the other way.
std::u16string Reading(const uint8_t* bytes, int length, bool flip)
{
    std::string s(reinterpret_cast<const char*>(bytes), length > 0 ? length : 0);
    if (flip) FlipReadingOrder(s);
    std::u16string out;
    for (unsigned char c : s) out += DisplayChar(c, LETTER_BASE_UNICODE);
    return out;
}

std::u16string DateText() { return Reading(g_settings.dateText, g_settings.dateTextLength, true); }

std::u16string DayName()
{
    std::u16string name = DateText();
    const TextView* view = g_state.mainView;
    if (view && view->text) {
        Heading first, second;
        GetLessonHeadings(view->text, &first, &second);
        if (first.text) {
            if (!name.empty()) name += u", ";
            name += Reading(first.text, first.length, true);
        }
    }
    return name;
}

std::u16string PageText()
{
    unsigned first, last;
    TextView* view = g_state.mainView;
    if (!view || !PageReadingRange(view, &first, &last)) return {};
    uint8_t* passage = PassageText(view->text, first, last);
    if (!passage) return {};
    std::u16string text(PassageReadingText(passage, nullptr, 0), u'\0');
    PassageReadingText(passage, text.data(), text.size());
    free(passage);
    text.resize(text.size() - 1);
    return text;
}

HRESULT Answer(BSTR* out, const std::u16string& s)
{
    *out = LateSysAllocStringLen(reinterpret_cast<const wchar_t*>(s.data()), static_cast<UINT>(s.size()));
    return *out ? S_OK : E_OUTOFMEMORY;
}

bool Self(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

// Location, parent, navigation and hit testing are the standard client
// object's; what the view shows is its own.
class AccessibleView : public IAccessible {
public:
    AccessibleView(HWND window, IAccessible* standard) : window_(window), standard_(standard) {}
    virtual ~AccessibleView() = default;

    void Detach()
    {
        window_ = nullptr;
        if (standard_) standard_->Release();
        standard_ = nullptr;
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
        if (left == 0) {
            Detach();
            delete this;
        }
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
        return standard_ ? standard_->get_accParent(parent) : E_FAIL;
    }
    // The child windows (the toolbar) as the system counts them, then the
    // date band, a plain element of its own.
    long WindowChildren()
    {
        long n = 0;
        if (standard_) standard_->get_accChildCount(&n);
        return n;
    }
    bool Band(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == WindowChildren() + 1; }

    HRESULT STDMETHODCALLTYPE get_accChildCount(long* n) override
    {
        *n = WindowChildren() + 1;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) override
    {
        *out = nullptr;
        if (Band(child)) return S_FALSE;
        return standard_ ? standard_->get_accChild(child, out) : E_INVALIDARG;
    }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override
    {
        *name = nullptr;
        if (Band(child)) return window_ ? Answer(name, DateText()) : RPC_E_DISCONNECTED;
        if (!Self(child)) return standard_ ? standard_->get_accName(child, name) : E_INVALIDARG;
        return window_ ? Answer(name, DayName()) : RPC_E_DISCONNECTED;
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override
    {
        *value = nullptr;
        if (!Self(child)) return E_INVALIDARG;
        return window_ ? Answer(value, PageText()) : RPC_E_DISCONNECTED;
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT, BSTR* out) override { *out = nullptr; return S_FALSE; }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override
    {
        if (Band(child)) {
            role->vt = VT_I4;
            role->lVal = ROLE_SYSTEM_STATICTEXT;
            return S_OK;
        }
        if (!Self(child)) return standard_ ? standard_->get_accRole(child, role) : E_INVALIDARG;
        role->vt = VT_I4;
        role->lVal = ROLE_SYSTEM_DOCUMENT;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override
    {
        if (Band(child)) {
            state->vt = VT_I4;
            state->lVal = STATE_SYSTEM_READONLY;
            return S_OK;
        }
        if (!Self(child)) return standard_ ? standard_->get_accState(child, state) : E_INVALIDARG;
        state->vt = VT_I4;
        state->lVal = STATE_SYSTEM_READONLY | STATE_SYSTEM_FOCUSABLE;
        if (window_ && GetFocus() == window_) state->lVal |= STATE_SYSTEM_FOCUSED;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT, BSTR* out) override { *out = nullptr; return S_FALSE; }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT, long* topic) override
    {
        *file = nullptr;
        *topic = 0;
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT, BSTR* out) override { *out = nullptr; return S_FALSE; }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override
    {
        focus->vt = VT_EMPTY;
        if (window_ && GetFocus() == window_) {
            focus->vt = VT_I4;
            focus->lVal = CHILDID_SELF;
        }
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override
    {
        selection->vt = VT_EMPTY;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT, BSTR* out) override { *out = nullptr; return S_FALSE; }
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override
    {
        if (!window_) return RPC_E_DISCONNECTED;
        if (Self(child) && (flags & SELFLAG_TAKEFOCUS)) {
            SetFocus(window_);
            return S_OK;
        }
        return standard_ ? standard_->accSelect(flags, child) : E_INVALIDARG;
    }
    HRESULT STDMETHODCALLTYPE accLocation(long* x, long* y, long* w, long* h, VARIANT child) override
    {
        if (Band(child) && window_) {
            const BandBox& band = g_state.dateBand;
            POINT corner = {band.left, band.top};
            ClientToScreen(window_, &corner);
            *x = corner.x;
            *y = corner.y;
            *w = band.width;
            *h = band.height;
            return S_OK;
        }
        return standard_ ? standard_->accLocation(x, y, w, h, child) : RPC_E_DISCONNECTED;
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override
    {
        end->vt = VT_EMPTY;
        return standard_ ? standard_->accNavigate(direction, start, end) : RPC_E_DISCONNECTED;
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override
    {
        child->vt = VT_EMPTY;
        return standard_ ? standard_->accHitTest(x, y, child) : RPC_E_DISCONNECTED;
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT) override { return DISP_E_MEMBERNOTFOUND; }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

private:
    ULONG count_ = 1;
    HWND window_;
    IAccessible* standard_;
};

}  // namespace

LRESULT AnswerGetObject(HWND window, WPARAM flags, LPARAM objectId)
{
    if (static_cast<LONG>(objectId) != OBJID_CLIENT) return 0;
    if (!g_state.accessible) {
        LateComReady();
        IAccessible* standard = nullptr;
        LateCreateStdAccessibleObject(window, OBJID_CLIENT, __uuidof(IAccessible), reinterpret_cast<void**>(&standard));
        g_state.accessible = new (std::nothrow) AccessibleView(window, standard);
        if (!g_state.accessible) {
            if (standard) standard->Release();
            return 0;
        }
    }
    return LateLresultFromObject(__uuidof(IAccessible), flags, g_state.accessible);
}

void NotifyViewChanged(HWND window, bool dayChanged)
{
    if (dayChanged) NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, window, OBJID_CLIENT, CHILDID_SELF);
    NotifyWinEvent(EVENT_OBJECT_VALUECHANGE, window, OBJID_CLIENT, CHILDID_SELF);
}

void ReleaseAccessibleView()
{
    if (!g_state.accessible) return;
    // Readers may still hold it: it answers "disconnected" from now on.
    static_cast<AccessibleView*>(g_state.accessible)->Detach();
    g_state.accessible->Release();
    g_state.accessible = nullptr;
}

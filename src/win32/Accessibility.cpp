#include "win32/Accessibility.h"

namespace {

// The accessible object of a control's client area: the answers `parts` give, the rest
// from the system's own object for the control.
class ControlAccessible final : public IAccessible {
public:
    ControlAccessible(HWND control, std::shared_ptr<AccessibleParts> parts)
        : control_(control), parts_(std::move(parts))
    {
        void* standard = nullptr;
        if (SUCCEEDED(CreateStdAccessibleObject(control, OBJID_CLIENT, __uuidof(IAccessible), &standard))) {
            standard_ = static_cast<IAccessible*>(standard);
        }
    }
    ControlAccessible(const ControlAccessible&) = delete;
    ControlAccessible& operator=(const ControlAccessible&) = delete;

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override
    {
        if (object == nullptr) {
            return E_POINTER;
        }
        if (id == __uuidof(IUnknown) || id == __uuidof(IDispatch) || id == __uuidof(IAccessible)) {
            *object = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override
    {
        return static_cast<ULONG>(InterlockedIncrement(&references_));
    }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const LONG left = InterlockedDecrement(&references_);
        if (left == 0) {
            delete this;
        }
        return static_cast<ULONG>(left);
    }

    // IDispatch: screen readers call IAccessible's methods directly.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override
    {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override
    {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override
    {
        return E_NOTIMPL;
    }

    // IAccessible
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override
    {
        return standard_ != nullptr ? standard_->get_accParent(parent) : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override
    {
        if (!IsWindow(control_)) {
            return CO_E_OBJNOTCONNECTED;
        }
        *count = parts_->count ? parts_->count() : 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override
    {
        *object = nullptr;
        return Part(child) > 0 ? S_FALSE : E_INVALIDARG;  // the parts are simple elements
    }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override
    {
        return Text(child, parts_->name, parts_->partName, name, &IAccessible::get_accName);
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override
    {
        return Text(child, parts_->value, parts_->partValue, value, &IAccessible::get_accValue);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override
    {
        return Text(child, parts_->description, parts_->partDescription, description,
                    &IAccessible::get_accDescription);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override
    {
        if (Part(child) > 0) {
            role->vt = VT_I4;
            role->lVal = parts_->partRole;
            return S_OK;
        }
        return standard_ != nullptr ? standard_->get_accRole(child, role) : E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override
    {
        if (const long part = Part(child); part > 0 && parts_->partState) {
            state->vt = VT_I4;
            state->lVal = parts_->partState(part);
            return S_OK;
        }
        return standard_ != nullptr ? standard_->get_accState(child, state) : E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override
    {
        return Forward(child, help, &IAccessible::get_accHelp);
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override
    {
        *file = nullptr;
        return Part(child) == 0 && standard_ != nullptr ? standard_->get_accHelpTopic(file, child, topic)
                                                        : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override
    {
        return Forward(child, shortcut, &IAccessible::get_accKeyboardShortcut);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override
    {
        return standard_ != nullptr ? standard_->get_accFocus(focus) : E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override
    {
        return standard_ != nullptr ? standard_->get_accSelection(selection) : E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override
    {
        return Forward(child, action, &IAccessible::get_accDefaultAction);
    }
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override
    {
        return standard_ != nullptr ? standard_->accSelect(flags, child) : E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height,
                                          VARIANT child) override
    {
        if (const long part = Part(child); part > 0 && parts_->partRect) {
            const RECT rect = parts_->partRect(part);
            POINT topLeft{rect.left, rect.top};
            ClientToScreen(control_, &topLeft);
            *left = topLeft.x;
            *top = topLeft.y;
            *width = rect.right - rect.left;
            *height = rect.bottom - rect.top;
            return S_OK;
        }
        return standard_ != nullptr ? standard_->accLocation(left, top, width, height, child) : E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override
    {
        return standard_ != nullptr ? standard_->accNavigate(direction, start, end) : E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override
    {
        return standard_ != nullptr ? standard_->accHitTest(x, y, child) : E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override
    {
        return standard_ != nullptr ? standard_->accDoDefaultAction(child) : E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

private:
    virtual ~ControlAccessible()
    {
        if (standard_ != nullptr) {
            standard_->Release();
        }
    }

    // The part `child` names (1 or more), 0 for the control itself, -1 for none.
    long Part(const VARIANT& child) const
    {
        if (child.vt != VT_I4) {
            return -1;
        }
        if (child.lVal == CHILDID_SELF) {
            return 0;
        }
        const long count = parts_->count && IsWindow(control_) ? parts_->count() : 0;
        return child.lVal >= 1 && child.lVal <= count ? child.lVal : -1;
    }

    using TextMethod = HRESULT (STDMETHODCALLTYPE IAccessible::*)(VARIANT, BSTR*);

    HRESULT Forward(const VARIANT& child, BSTR* text, TextMethod method)
    {
        *text = nullptr;
        return Part(child) == 0 && standard_ != nullptr ? (standard_->*method)(child, text) : S_FALSE;
    }

    HRESULT Text(const VARIANT& child, const std::function<std::wstring()>& own,
                 const std::function<std::wstring(long)>& ofPart, BSTR* text, TextMethod method)
    {
        *text = nullptr;
        if (!IsWindow(control_)) {
            return CO_E_OBJNOTCONNECTED;
        }
        const long part = Part(child);
        if (part < 0) {
            return E_INVALIDARG;
        }
        std::wstring said;
        if (part == 0 && own) {
            said = own();
        } else if (part > 0 && ofPart) {
            said = ofPart(part);
        } else {
            return Forward(child, text, method);
        }
        if (said.empty()) {
            return S_FALSE;
        }
        *text = SysAllocString(said.c_str());
        return *text != nullptr ? S_OK : E_OUTOFMEMORY;
    }

    LONG references_ = 1;
    HWND control_;
    std::shared_ptr<AccessibleParts> parts_;
    IAccessible* standard_ = nullptr;
};

}  // namespace

LRESULT AnswerGetObject(HWND control, WPARAM wParam, LPARAM lParam,
                        const std::shared_ptr<AccessibleParts>& parts)
{
    if (static_cast<DWORD>(lParam) != static_cast<DWORD>(OBJID_CLIENT)) {
        return 0;
    }
    auto* accessible = new ControlAccessible(control, parts);
    const LRESULT result = LresultFromObject(__uuidof(IAccessible), wParam, accessible);
    accessible->Release();
    return result;
}

void TellScreenReaders(HWND control, DWORD event, long part)
{
    NotifyWinEvent(event, control, OBJID_CLIENT, part == 0 ? CHILDID_SELF : part);
}

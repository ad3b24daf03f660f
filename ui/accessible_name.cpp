#include "ui/accessible_name.h"

#include <commctrl.h>
#include <oleacc.h>

#include <atomic>
#include <memory>
#include <utility>

#include "text/utf16.h"

namespace kolt::ui {

namespace {

// Interface numbers come from __uuidof: oleacc's own IID_IAccessible is a symbol of the DLL that
// the import library does not carry as data.
constexpr UINT_PTR kAnnotationSubclassId = 1;

bool IsSelf(const VARIANT& child) {
    return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
}

// The system's accessible object for a control with the annotation's name and role in place of
// its own; everything else is the system object's answer. A COM object: it lives as long as
// its clients hold it, which may be longer than the control. COM interfaces have no virtual
// destructor by design: the object is only ever ended by its own Release.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
class AnnotatedAccessible final : public IAccessible, public IOleWindow {
public:
    AnnotatedAccessible(HWND control, IAccessible* standard, std::wstring name, bool isLink)
        : m_control(control), m_standard(standard), m_name(std::move(name)), m_isLink(isLink) {}

    AnnotatedAccessible(const AnnotatedAccessible&) = delete;
    AnnotatedAccessible& operator=(const AnnotatedAccessible&) = delete;

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (object == nullptr) {
            return E_POINTER;
        }
        if (iid == __uuidof(IUnknown) || iid == __uuidof(IDispatch) ||
            iid == __uuidof(IAccessible)) {
            *object = static_cast<IAccessible*>(this);
        } else if (iid == __uuidof(IOleWindow)) {
            *object = static_cast<IOleWindow*>(this);
        } else {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++m_references; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG remaining = --m_references;
        if (remaining == 0) {
            // The last reference owns the object.
            std::unique_ptr<AnnotatedAccessible> last(this);
        }
        return remaining;
    }

    // IOleWindow: lets clients find the control from the object.
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override {
        if (window == nullptr) {
            return E_POINTER;
        }
        *window = m_control;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

    // IDispatch
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        return m_standard->GetTypeInfoCount(count);
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override {
        return m_standard->GetTypeInfo(index, locale, info);
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                            DISPID* ids) override {
        return m_standard->GetIDsOfNames(iid, names, count, locale, ids);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID iid, LCID locale, WORD flags,
                                     DISPPARAMS* parameters, VARIANT* result, EXCEPINFO* exception,
                                     UINT* argumentError) override {
        return m_standard->Invoke(member, iid, locale, flags, parameters, result, exception,
                                  argumentError);
    }

    // IAccessible: the two answers the annotation changes.
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        if (name == nullptr) {
            return E_POINTER;
        }
        if (!IsSelf(child) || m_name.empty()) {
            return m_standard->get_accName(child, name);
        }
        *name = ::SysAllocStringLen(m_name.data(), static_cast<UINT>(m_name.size()));
        return *name != nullptr ? S_OK : E_OUTOFMEMORY;
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        if (role == nullptr) {
            return E_POINTER;
        }
        if (!IsSelf(child) || !m_isLink) {
            return m_standard->get_accRole(child, role);
        }
        role->vt = VT_I4;
        role->lVal = ROLE_SYSTEM_LINK;
        return S_OK;
    }

    // IAccessible: everything else as the system answers it.
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        return m_standard->get_accParent(parent);
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override {
        return m_standard->get_accChildCount(count);
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
        return m_standard->get_accChild(child, object);
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
        return m_standard->get_accValue(child, value);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override {
        return m_standard->get_accDescription(child, description);
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        return m_standard->get_accState(child, state);
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
        return m_standard->get_accHelp(child, help);
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override {
        return m_standard->get_accHelpTopic(file, child, topic);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
        return m_standard->get_accKeyboardShortcut(child, shortcut);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override {
        return m_standard->get_accFocus(child);
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override {
        return m_standard->get_accSelection(children);
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
        return m_standard->get_accDefaultAction(child, action);
    }
    HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override {
        return m_standard->accSelect(flags, child);
    }
    HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                          VARIANT child) override {
        return m_standard->accLocation(left, top, width, height, child);
    }
    HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override {
        return m_standard->accNavigate(direction, start, end);
    }
    HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* child) override {
        return m_standard->accHitTest(x, y, child);
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        return m_standard->accDoDefaultAction(child);
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override {
        return m_standard->put_accName(child, name);
    }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
        return m_standard->put_accValue(child, value);
    }

private:
    // Only Release ends the object.
    ~AnnotatedAccessible() { m_standard->Release(); }
    friend struct std::default_delete<AnnotatedAccessible>;

    std::atomic<ULONG> m_references{1};
    HWND m_control;
    IAccessible* m_standard;  // one reference, given back when the object goes
    std::wstring m_name;
    bool m_isLink;
};
#pragma GCC diagnostic pop

struct Annotation {
    std::wstring name;
    bool isLink;
};

// The answer to WM_GETOBJECT for the control's client area, or 0 to let the system answer.
LRESULT AnswerGetObject(HWND control, WPARAM wParam, const Annotation& annotation) {
    IAccessible* standard = nullptr;
    if (FAILED(::CreateStdAccessibleObject(control, OBJID_CLIENT, __uuidof(IAccessible),
                                           reinterpret_cast<void**>(&standard)))) {
        return 0;
    }
    auto* annotated =
        std::make_unique<AnnotatedAccessible>(control, standard, annotation.name, annotation.isLink)
            .release();
    // The result holds its own reference; ours goes, and with it the object once no client
    // holds it.
    const LRESULT result =
        ::LresultFromObject(__uuidof(IAccessible), wParam, static_cast<IAccessible*>(annotated));
    annotated->Release();
    return result;
}

LRESULT CALLBACK AnnotationProcedure(HWND control, UINT message, WPARAM wParam, LPARAM lParam,
                                     UINT_PTR, DWORD_PTR data) {
    auto* annotation = reinterpret_cast<Annotation*>(data);
    switch (message) {
        case WM_GETOBJECT:
            // The object number comes as a 32-bit value in a parameter that may be wider.
            if (static_cast<DWORD>(lParam) == static_cast<DWORD>(OBJID_CLIENT)) {
                if (const LRESULT answer = AnswerGetObject(control, wParam, *annotation)) {
                    return answer;
                }
            }
            break;
        case WM_NCDESTROY: {
            // The subclass owned the annotation since Annotate handed it over.
            std::unique_ptr<Annotation> owned(annotation);
            ::RemoveWindowSubclass(control, &AnnotationProcedure, kAnnotationSubclassId);
            break;
        }
        default:
            break;
    }
    return ::DefSubclassProc(control, message, wParam, lParam);
}

}  // namespace

bool Annotate(HWND control, AccessibleAnnotation annotation) {
    if (control == nullptr) {
        return false;
    }
    auto owned = std::make_unique<Annotation>(
        Annotation{text::Utf16FromUtf8(annotation.name), annotation.isLink});
    if (!::SetWindowSubclass(control, &AnnotationProcedure, kAnnotationSubclassId,
                             reinterpret_cast<DWORD_PTR>(owned.get()))) {
        return false;
    }
    // From here the subclass owns it and frees it when the control is destroyed.
    static_cast<void>(owned.release());
    return true;
}

}  // namespace kolt::ui

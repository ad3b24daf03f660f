#include "tests/gui_e2e/accessibility.h"

#include <oleacc.h>

#include <memory>

#include "tests/gui_e2e/e2e_environment.h"

namespace kolt::e2e {

namespace {

struct Releaser {
    void operator()(IUnknown* object) const { object->Release(); }
};

}  // namespace

ComScope::ComScope() : m_joined(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}

ComScope::~ComScope() {
    if (m_joined) {
        CoUninitialize();
    }
}

std::optional<AccessibleFacts> AccessibleFactsOf(HWND control) {
    IAccessible* raw = nullptr;
    if (FAILED(AccessibleObjectFromWindow(control, static_cast<DWORD>(OBJID_CLIENT),
                                          __uuidof(IAccessible), reinterpret_cast<void**>(&raw))) ||
        raw == nullptr) {
        return std::nullopt;
    }
    const std::unique_ptr<IAccessible, Releaser> object(raw);
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;

    AccessibleFacts facts;
    BSTR name = nullptr;
    if (SUCCEEDED(object->get_accName(self, &name)) && name != nullptr) {
        facts.name = Utf8FromWide(std::wstring_view(name, SysStringLen(name)));
        SysFreeString(name);
    }
    VARIANT role{};
    if (FAILED(object->get_accRole(self, &role))) {
        return std::nullopt;
    }
    if (role.vt == VT_I4) {
        facts.role = role.lVal;
    }
    VariantClear(&role);
    return facts;
}

}  // namespace kolt::e2e

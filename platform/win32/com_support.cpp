// COM through ole32 and oleaut32, loaded when first asked. Only Win32 code here.
#include "platform/win32/com_support.h"

#include "platform/win32/system_module.h"

namespace kolt::win32 {
namespace {

ComFunctions LoadComFunctions() {
    SystemModule ole32(L"ole32.dll");
    SystemModule oleaut32(L"oleaut32.dll");
    ComFunctions functions;
    if (!ole32.IsLoaded() || !oleaut32.IsLoaded()) {
        return functions;
    }
    ole32.KeepForTheProcess();
    oleaut32.KeepForTheProcess();
    functions.initialize = ole32.Find<decltype(&CoInitializeEx)>("CoInitializeEx");
    functions.uninitialize = ole32.Find<decltype(&CoUninitialize)>("CoUninitialize");
    functions.createInstance = ole32.Find<decltype(&CoCreateInstance)>("CoCreateInstance");
    functions.setProxyBlanket = ole32.Find<decltype(&CoSetProxyBlanket)>("CoSetProxyBlanket");
    functions.allocString = oleaut32.Find<decltype(&SysAllocString)>("SysAllocString");
    functions.freeString = oleaut32.Find<decltype(&SysFreeString)>("SysFreeString");
    functions.clearVariant = oleaut32.Find<decltype(&VariantClear)>("VariantClear");
    return functions;
}

}  // namespace

const ComFunctions& Com() {
    static const ComFunctions functions = LoadComFunctions();
    return functions;
}

ComApartment::ComApartment() {
    if (!Com().Complete()) {
        return;
    }
    const HRESULT result = Com().initialize(nullptr, COINIT_MULTITHREADED);
    m_ownsInitialisation = SUCCEEDED(result);
    m_usable = m_ownsInitialisation || result == RPC_E_CHANGED_MODE;
}

ComApartment::~ComApartment() {
    if (m_ownsInitialisation) {
        Com().uninitialize();
    }
}

}  // namespace kolt::win32

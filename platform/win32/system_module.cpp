// DLLs of the system directory. Only Win32 code here.
#include "platform/win32/system_module.h"

#include <vector>

namespace kolt::win32 {

SystemModule::SystemModule(const wchar_t* fileName) {
    const UINT length = GetSystemDirectoryW(nullptr, 0);
    if (length == 0) {
        return;
    }
    std::vector<wchar_t> directory(length, L'\0');
    const UINT written = GetSystemDirectoryW(directory.data(), length);
    if (written == 0 || written >= length) {
        return;
    }
    const std::wstring path = std::wstring(directory.data(), written) + L'\\' + fileName;
    m_module = LoadLibraryW(path.c_str());
}

void SystemModule::KeepForTheProcess() {
    if (m_module == nullptr) {
        return;
    }
    HMODULE pinned = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_PIN,
                       reinterpret_cast<LPCWSTR>(m_module), &pinned);
}

void KeepSystemModulesLoaded(std::initializer_list<const wchar_t*> fileNames) {
    for (const wchar_t* fileName : fileNames) {
        SystemModule(fileName).KeepForTheProcess();
    }
}

SystemModule::~SystemModule() {
    if (m_module != nullptr) {
        FreeLibrary(m_module);
    }
}

}  // namespace kolt::win32

// A DLL of the system directory loaded for as long as the object lives, and its functions looked
// up by name. Only Win32 code here. The programs load these DLLs only when a report asks for
// what they answer, so that a report without it does not pay for loading them at start, and a
// DLL of the same name beside the program is never taken.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <string>

namespace kolt::win32 {

class SystemModule {
public:
    explicit SystemModule(const wchar_t* fileName);
    ~SystemModule();
    SystemModule(const SystemModule&) = delete;
    SystemModule& operator=(const SystemModule&) = delete;

    bool IsLoaded() const { return m_module != nullptr; }

    // Keeps the DLL loaded until the process ends, whatever becomes of this object: for a DLL
    // whose threads may outlive the caller (COM's), or that a worker still stuck in it uses.
    void KeepForTheProcess();

    // The function `name` as a pointer of its type; nullptr where the DLL or the function is
    // missing (a function that older Windows versions lack).
    template <typename Function>
    Function Find(const char* name) const {
        if (m_module == nullptr) {
            return nullptr;
        }
        // Through a plain function pointer type: the looked-up address has the call's real type.
        return reinterpret_cast<Function>(
            reinterpret_cast<void (*)()>(GetProcAddress(m_module, name)));
    }

private:
    HMODULE m_module = nullptr;
};

// Loads each DLL (a path below the system directory) on the calling thread and keeps it for the
// process. Workers that then ask through these DLLs find them loaded: none of them runs a DLL's
// start-up code while it holds the loader's lock, which the other workers and the caller would
// wait for (under Wine, DLLs that start at once on several threads can wait on each other for
// good).
void KeepSystemModulesLoaded(std::initializer_list<const wchar_t*> fileNames);

}  // namespace kolt::win32

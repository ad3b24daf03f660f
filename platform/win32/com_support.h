// COM for the questions WMI answers: its functions from ole32 and oleaut32, loaded when first
// asked and kept for the process (COM's own threads outlive any one caller), and holders that
// release every interface, string and variant on every path. Only Win32 code here.
#pragma once

#include <objbase.h>
#include <oleauto.h>
#include <windows.h>

#include <utility>

namespace kolt::win32 {

struct ComFunctions {
    decltype(&CoInitializeEx) initialize = nullptr;
    decltype(&CoUninitialize) uninitialize = nullptr;
    decltype(&CoCreateInstance) createInstance = nullptr;
    decltype(&CoSetProxyBlanket) setProxyBlanket = nullptr;
    decltype(&SysAllocString) allocString = nullptr;
    decltype(&SysFreeString) freeString = nullptr;
    decltype(&VariantClear) clearVariant = nullptr;

    bool Complete() const {
        return initialize && uninitialize && createInstance && setProxyBlanket && allocString &&
               freeString && clearVariant;
    }
};

// The functions, looked up once; incomplete where a DLL is missing.
const ComFunctions& Com();

// An interface pointer that is released when the holder goes.
template <typename Interface>
class ComPtr {
public:
    ComPtr() = default;
    ~ComPtr() { Reset(); }
    ComPtr(ComPtr&& other) noexcept : m_pointer(std::exchange(other.m_pointer, nullptr)) {}
    ComPtr& operator=(ComPtr&& other) noexcept {
        if (this != &other) {
            Reset();
            m_pointer = std::exchange(other.m_pointer, nullptr);
        }
        return *this;
    }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;

    Interface* operator->() const { return m_pointer; }
    Interface* Get() const { return m_pointer; }
    explicit operator bool() const { return m_pointer != nullptr; }
    // Where a call writes the new pointer; anything held before is released first.
    Interface** Receive() {
        Reset();
        return &m_pointer;
    }
    void** ReceiveUntyped() { return reinterpret_cast<void**>(Receive()); }

private:
    void Reset() {
        if (m_pointer != nullptr) {
            m_pointer->Release();
            m_pointer = nullptr;
        }
    }
    Interface* m_pointer = nullptr;
};

// A BSTR made from a wide text, freed when the holder goes.
class ComString {
public:
    explicit ComString(const wchar_t* text) : m_text(Com().allocString(text)) {}
    ~ComString() { Com().freeString(m_text); }
    ComString(const ComString&) = delete;
    ComString& operator=(const ComString&) = delete;

    BSTR Get() const { return m_text; }
    explicit operator bool() const { return m_text != nullptr; }

private:
    BSTR m_text;
};

// A VARIANT that is cleared when the holder goes.
class ComVariant {
public:
    ComVariant() { VariantInitialize(); }
    ~ComVariant() { Com().clearVariant(&m_value); }
    ComVariant(const ComVariant&) = delete;
    ComVariant& operator=(const ComVariant&) = delete;

    VARIANT* Receive() {
        Com().clearVariant(&m_value);
        VariantInitialize();
        return &m_value;
    }
    const VARIANT& Value() const { return m_value; }

private:
    void VariantInitialize() {
        m_value = VARIANT{};
        m_value.vt = VT_EMPTY;
    }
    VARIANT m_value;
};

// COM initialised on the calling thread (multithreaded) for the holder's life; where the thread
// already has COM in another mode, that one is used and left as it is.
class ComApartment {
public:
    ComApartment();
    ~ComApartment();
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

    bool Usable() const { return m_usable; }

private:
    bool m_usable = false;
    bool m_ownsInitialisation = false;
};

}  // namespace kolt::win32

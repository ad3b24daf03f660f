// WMI through COM. Only Win32 code here.
#include "platform/win32/win32_wmi.h"

#include <wbemcli.h>

#include <algorithm>
#include <cstddef>

#include "platform/win32/com_support.h"
#include "text/utf16.h"

namespace kolt::win32 {
namespace {

// Objects taken from an enumeration per call.
constexpr ULONG kObjectsPerRound = 16;
// WBEM_INFINITE as the call takes it: the caller's worker thread has the deadline.
constexpr LONG kWaitForever = -1;

WmiValue ValueOf(const VARIANT& value) {
    switch (value.vt) {
        case VT_BSTR:
            if (value.bstrVal == nullptr) {
                return std::monostate{};
            }
            return text::Utf8FromUtf16(value.bstrVal);
        case VT_I1:
            return std::int64_t{value.cVal};
        case VT_UI1:
            return std::int64_t{value.bVal};
        case VT_I2:
            return std::int64_t{value.iVal};
        case VT_UI2:
            return std::int64_t{value.uiVal};
        case VT_I4:
            return std::int64_t{value.lVal};
        case VT_UI4:
            return std::int64_t{value.ulVal};
        case VT_BOOL:
            return std::int64_t{value.boolVal != VARIANT_FALSE ? 1 : 0};
        default:
            return std::monostate{};
    }
}

}  // namespace

std::optional<std::vector<WmiRow>> QueryWmi(const wchar_t* wmiNamespace, const wchar_t* query,
                                            const std::vector<const wchar_t*>& properties) {
    const ComApartment apartment;
    if (!apartment.Usable()) {
        return std::nullopt;
    }
    const ComFunctions& com = Com();
    ComPtr<IWbemLocator> locator;
    if (FAILED(com.createInstance(CLSID_WbemLocator, nullptr, CLSCTX_INPROC_SERVER,
                                  IID_IWbemLocator, locator.ReceiveUntyped()))) {
        return std::nullopt;
    }
    const ComString name(wmiNamespace);
    ComPtr<IWbemServices> services;
    if (!name || FAILED(locator->ConnectServer(name.Get(), nullptr, nullptr, nullptr, 0, nullptr,
                                               nullptr, services.Receive()))) {
        return std::nullopt;  // among others, a namespace this edition does not have
    }
    // WMI acts for the caller: it must be allowed to impersonate it.
    if (FAILED(com.setProxyBlanket(services.Get(), RPC_C_AUTHN_WINNT, RPC_C_AUTHZ_NONE, nullptr,
                                   RPC_C_AUTHN_LEVEL_CALL, RPC_C_IMP_LEVEL_IMPERSONATE, nullptr,
                                   EOAC_NONE))) {
        return std::nullopt;
    }
    const ComString language(L"WQL");
    const ComString text(query);
    ComPtr<IEnumWbemClassObject> objects;
    if (!language || !text ||
        FAILED(services->ExecQuery(language.Get(), text.Get(),
                                   WBEM_FLAG_FORWARD_ONLY | WBEM_FLAG_RETURN_IMMEDIATELY, nullptr,
                                   objects.Receive()))) {
        return std::nullopt;
    }
    std::vector<WmiRow> rows;
    for (;;) {
        IWbemClassObject* taken[kObjectsPerRound] = {};
        ULONG count = 0;
        const HRESULT result = objects->Next(kWaitForever, kObjectsPerRound, taken, &count);
        // Each object taken is held at once, so that every one is released.
        std::vector<ComPtr<IWbemClassObject>> held(std::min(count, kObjectsPerRound));
        for (std::size_t i = 0; i < held.size(); ++i) {
            *held[i].Receive() = taken[i];
        }
        for (const ComPtr<IWbemClassObject>& object : held) {
            WmiRow row;
            for (const wchar_t* property : properties) {
                ComVariant value;
                if (FAILED(object->Get(property, 0, value.Receive(), nullptr, nullptr))) {
                    row.emplace_back(std::monostate{});
                } else {
                    row.push_back(ValueOf(value.Value()));
                }
            }
            rows.push_back(std::move(row));
        }
        if (result == WBEM_S_FALSE) {
            return rows;  // the last objects
        }
        if (FAILED(result) || count == 0) {
            return std::nullopt;
        }
    }
}

std::optional<std::string> WmiText(const WmiValue& value) {
    const std::string* text = std::get_if<std::string>(&value);
    if (text == nullptr || text->empty()) {
        return std::nullopt;
    }
    return *text;
}

std::optional<std::int64_t> WmiNumber(const WmiValue& value) {
    const std::int64_t* number = std::get_if<std::int64_t>(&value);
    return number != nullptr ? std::optional(*number) : std::nullopt;
}

}  // namespace kolt::win32

// Proxy settings through winhttp. Only Win32 code here.
#include "platform/win32/win32_proxy.h"

#include <windows.h>
// After windows.h.
#include <winhttp.h>

#include <optional>
#include <string>

#include "platform/win32/system_module.h"
#include "text/utf16.h"

namespace kolt::win32 {
namespace {

using GetUserProxyFunction = decltype(&WinHttpGetIEProxyConfigForCurrentUser);
using GetMachineProxyFunction = decltype(&WinHttpGetDefaultProxyConfiguration);

// A text winhttp allocated for the caller, freed with GlobalFree when the holder goes.
class GlobalText {
public:
    explicit GlobalText(LPWSTR text) : m_text(text) {}
    ~GlobalText() {
        if (m_text != nullptr) {
            GlobalFree(m_text);
        }
    }
    GlobalText(const GlobalText&) = delete;
    GlobalText& operator=(const GlobalText&) = delete;

    // The text; nullopt when there is none or it is empty.
    std::optional<std::string> Text() const {
        if (m_text == nullptr || m_text[0] == L'\0') {
            return std::nullopt;
        }
        return text::Utf8FromUtf16(m_text);
    }

private:
    LPWSTR m_text;
};

std::optional<UserProxy> ReadUserProxy(GetUserProxyFunction getUserProxy) {
    WINHTTP_CURRENT_USER_IE_PROXY_CONFIG config{};
    if (getUserProxy == nullptr || getUserProxy(&config) == 0) {
        return std::nullopt;
    }
    const GlobalText autoConfigUrl(config.lpszAutoConfigUrl);
    const GlobalText server(config.lpszProxy);
    const GlobalText bypass(config.lpszProxyBypass);
    return UserProxy{server.Text(), bypass.Text(), autoConfigUrl.Text(), config.fAutoDetect != 0};
}

std::optional<MachineProxy> ReadMachineProxy(GetMachineProxyFunction getMachineProxy) {
    WINHTTP_PROXY_INFO info{};
    if (getMachineProxy == nullptr || getMachineProxy(&info) == 0) {
        return std::nullopt;
    }
    const GlobalText server(info.lpszProxy);
    const GlobalText bypass(info.lpszProxyBypass);
    if (info.dwAccessType != WINHTTP_ACCESS_TYPE_NAMED_PROXY) {
        return MachineProxy{};  // direct
    }
    return MachineProxy{server.Text(), bypass.Text()};
}

}  // namespace

ProxySettings ReadProxySettings() {
    const SystemModule winhttp(L"winhttp.dll");
    ProxySettings settings;
    settings.user =
        ReadUserProxy(winhttp.Find<GetUserProxyFunction>("WinHttpGetIEProxyConfigForCurrentUser"));
    settings.machine = ReadMachineProxy(
        winhttp.Find<GetMachineProxyFunction>("WinHttpGetDefaultProxyConfiguration"));
    return settings;
}

}  // namespace kolt::win32

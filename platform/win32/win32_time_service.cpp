// The Windows Time service's state. Only Win32 code here.
#include "platform/win32/win32_time_service.h"

#include <windows.h>

namespace kolt::win32 {
namespace {

// A service control manager or service handle, closed when the holder goes.
class ServiceHandle {
public:
    explicit ServiceHandle(SC_HANDLE handle) : m_handle(handle) {}
    ~ServiceHandle() {
        if (m_handle != nullptr) {
            CloseServiceHandle(m_handle);
        }
    }
    ServiceHandle(const ServiceHandle&) = delete;
    ServiceHandle& operator=(const ServiceHandle&) = delete;

    SC_HANDLE Get() const { return m_handle; }

private:
    SC_HANDLE m_handle;
};

}  // namespace

std::optional<bool> TimeServiceRunning() {
    const ServiceHandle manager(OpenSCManagerW(nullptr, nullptr, SC_MANAGER_CONNECT));
    if (manager.Get() == nullptr) {
        return std::nullopt;
    }
    const ServiceHandle service(OpenServiceW(manager.Get(), L"W32Time", SERVICE_QUERY_STATUS));
    if (service.Get() == nullptr) {
        return std::nullopt;
    }
    SERVICE_STATUS status{};
    if (QueryServiceStatus(service.Get(), &status) == 0) {
        return std::nullopt;
    }
    return status.dwCurrentState == SERVICE_RUNNING;
}

}  // namespace kolt::win32

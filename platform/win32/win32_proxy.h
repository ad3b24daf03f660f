// The user's proxy as browsers use it (WinINet's settings) and the machine-wide one that services
// use (WinHTTP's), both through winhttp. Only Win32 code here; both are read from the registry and
// answer at once. Nothing is sent: automatic detection is reported as set, never run.
#pragma once

#include "platform/platform.h"

namespace kolt::win32 {

ProxySettings ReadProxySettings();

}  // namespace kolt::win32

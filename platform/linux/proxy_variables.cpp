#include "platform/linux/proxy_variables.h"

namespace kolt::linux_backend {

std::vector<ProxyVariable> ReadProxyVariables(
    const std::function<std::optional<std::string>(const std::string&)>& lookup) {
    std::vector<ProxyVariable> variables;
    for (const char* name : kProxyVariableNames) {
        if (auto value = lookup(name); value && !value->empty()) {
            variables.push_back(ProxyVariable{name, std::move(*value)});
        }
    }
    return variables;
}

}  // namespace kolt::linux_backend

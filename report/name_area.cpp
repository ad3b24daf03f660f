#include "report/name_area.h"

#include "text/utf8.h"

namespace kolt {

std::optional<std::string> NameInArea(const std::optional<std::string>& name,
                                      std::size_t areaSize) {
    if (!name || text::Utf16Length(*name) + 1 > areaSize) {
        return std::nullopt;
    }
    return name->substr(0, name->find('\0'));
}

}  // namespace kolt

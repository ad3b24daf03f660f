// The security center's antivirus products through WMI. Only Win32 code here.
#include "platform/win32/win32_antivirus.h"

#include "platform/win32/security_rules.h"
#include "platform/win32/win32_wmi.h"

namespace kolt::win32 {

std::optional<std::vector<AntivirusProduct>> ReadAntivirusProducts() {
    const std::optional<std::vector<WmiRow>> rows = QueryWmi(
        L"ROOT\\SecurityCenter2", L"SELECT displayName, productState FROM AntiVirusProduct",
        {L"displayName", L"productState"});
    if (!rows) {
        return std::nullopt;
    }
    std::vector<AntivirusProduct> products;
    for (const WmiRow& row : *rows) {
        AntivirusProduct product;
        product.name = WmiText(row[0]).value_or("");
        if (const std::optional<std::int64_t> state = WmiNumber(row[1])) {
            const ProductStateMeaning meaning =
                MeaningOfProductState(static_cast<std::uint32_t>(*state));
            product.enabled = meaning.enabled;
            product.upToDate = meaning.upToDate;
        }
        products.push_back(std::move(product));
    }
    return products;
}

}  // namespace kolt::win32

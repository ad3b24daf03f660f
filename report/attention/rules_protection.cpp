// The rules over antivirus products and the firewall.
#include <string>

#include "report/attention/rules.h"
#include "report/attention/support_dates.h"

namespace kolt::attention {

std::vector<RuleFinding> AntivirusMissing(const RuleInput& input) {
    // Server editions keep no register of products: only a client edition known as such, with a
    // register that lists none, has none.
    const auto& antivirus = input.extended.security.antivirus;
    const auto& edition = input.extended.release.edition;
    if (!antivirus || !antivirus->empty() || !edition || IsServerEdition(*edition)) {
        return {};
    }
    return {{"No antivirus product is registered", {}}};
}

std::vector<RuleFinding> AntivirusOff(const RuleInput& input) {
    // A product that is registered but off is normal beside another that is on (the system's own
    // one steps aside for a third party's): only when none is known to be on is the machine
    // unprotected.
    const auto& antivirus = input.extended.security.antivirus;
    if (!antivirus) {
        return {};
    }
    std::string off;
    for (const AntivirusProduct& product : *antivirus) {
        if (product.enabled == true) {
            return {};
        }
        if (product.enabled == false) {
            off += off.empty() ? "" : ", ";
            off += product.name;
        }
    }
    if (off.empty()) {
        return {};
    }
    return {{"No antivirus product is on (" + off + " off)", {{"products", off}}}};
}

std::vector<RuleFinding> AntivirusOutOfDate(const RuleInput& input) {
    std::vector<RuleFinding> found;
    const auto& antivirus = input.extended.security.antivirus;
    if (!antivirus) {
        return found;
    }
    for (const AntivirusProduct& product : *antivirus) {
        if (product.enabled != false && product.upToDate == false) {
            found.push_back(
                {"Antivirus " + product.name + " is out of date", {{"product", product.name}}});
        }
    }
    return found;
}

std::vector<RuleFinding> FirewallOff(const RuleInput& input) {
    const FirewallProfiles& firewall = input.extended.security.firewall;
    std::vector<RuleFinding> found;
    const auto offIf = [&found](const std::optional<bool>& on, const char* profile) {
        if (on == false) {
            found.push_back({std::string("The firewall is off for the ") + profile + " profile",
                             {{"profile", std::string(profile)}}});
        }
    };
    offIf(firewall.domain, "domain");
    offIf(firewall.privateProfile, "private");
    offIf(firewall.publicProfile, "public");
    return found;
}

}  // namespace kolt::attention

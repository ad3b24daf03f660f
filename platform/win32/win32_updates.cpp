// The hotfix list through WMI. Only Win32 code here.
//
// The list is the one systeminfo and the control panel's installed updates show: every update
// installed by whatever means (Windows Update, WSUS, an offline package), with the day it was
// installed. The Windows Update Agent's history lists only what the agent itself did, failed
// attempts among them, and is gone once its database is reset, so it says less reliably what is
// installed.
#include "platform/win32/win32_updates.h"

#include "platform/win32/update_rules.h"
#include "platform/win32/win32_wmi.h"

namespace kolt::win32 {

std::optional<InstalledUpdates> ReadInstalledUpdates() {
    const std::optional<std::vector<WmiRow>> rows =
        QueryWmi(L"ROOT\\CIMV2", L"SELECT HotFixID, InstalledOn FROM Win32_QuickFixEngineering",
                 {L"HotFixID", L"InstalledOn"});
    if (!rows) {
        return std::nullopt;
    }
    std::vector<UpdateRecord> records;
    for (const WmiRow& row : *rows) {
        records.push_back(UpdateRecord{WmiText(row[0]).value_or(""), WmiText(row[1])});
    }
    return NewestUpdate(records);
}

}  // namespace kolt::win32

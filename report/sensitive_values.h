// Which of a report's values are personal: the one list a redacted report hides. A fact that a
// new block renders and that names a person, a machine or a place on the network is added here.
#pragma once

#include "platform/platform.h"
#include "report/redactor.h"
#include "report/report_sections.h"

namespace kolt {

// The personal values of `facts`, and the machine's names, the user's and the current directory
// as `platform` gives them: the report's file name and blocks of other sections name the computer
// and the user whether or not their own sections were chosen.
//
// Hidden: the computer name (NetBIOS-style, the host name whole and its first label), the user
// name and both domains, every IP address that is not loopback or unspecified (the own address,
// the adapters' addresses, gateways and name servers), hardware addresses, the serial number,
// the servers in printer names (\\server\printer), in proxy settings and among the time
// sources, and the user's folders in the current directory.
Redactor SensitiveValuesOf(const ReportFacts& facts, Platform& platform);

}  // namespace kolt

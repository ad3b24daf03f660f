// Only POSIX and Linux code here.
#include "platform/linux/cups_printers.h"

#include <cups/cups.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <memory>

#include "platform/linux/text_lines.h"

namespace kolt::linux_backend {

namespace {

constexpr int kStateStopped = 5;
// How long libcups may take to connect before the worker gives up by itself.
constexpr int kConnectMilliseconds = 5000;

struct HttpClose {
    void operator()(http_t* http) const { httpClose(http); }
};
struct IppDelete {
    void operator()(ipp_t* ipp) const { ippDelete(ipp); }
};
using Connection = std::unique_ptr<http_t, HttpClose>;
using IppMessage = std::unique_ptr<ipp_t, IppDelete>;

class Destinations {
public:
    Destinations() = default;
    ~Destinations() { cupsFreeDests(m_count, m_dests); }
    Destinations(const Destinations&) = delete;
    Destinations& operator=(const Destinations&) = delete;
    int* Count() { return &m_count; }
    cups_dest_t** Dests() { return &m_dests; }
    const cups_dest_t* begin() const { return m_dests; }
    const cups_dest_t* end() const { return m_dests + m_count; }

private:
    int m_count = 0;
    cups_dest_t* m_dests = nullptr;
};

void Add(std::vector<PrinterCondition>& conditions, PrinterCondition condition) {
    if (std::find(conditions.begin(), conditions.end(), condition) == conditions.end()) {
        conditions.push_back(condition);
    }
}

std::optional<long> Integer(const char* text) {
    if (text == nullptr) {
        return std::nullopt;
    }
    const auto value = ParseUnsigned(text);
    return value && *value <= 0x7FFFFFFF ? std::optional(static_cast<long>(*value)) : std::nullopt;
}

// The jobs waiting in each queue, by queue name: one CUPS-Get-Printers request.
std::map<std::string, std::uint32_t> JobsWaiting(http_t* http) {
    IppMessage request(ippNewRequest(IPP_OP_CUPS_GET_PRINTERS));
    static const char* const wanted[] = {"printer-name", "queued-job-count"};
    ippAddStrings(request.get(), IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", 2,
                  nullptr, wanted);
    // cupsDoRequest takes the request and frees it.
    const IppMessage response(cupsDoRequest(http, request.release(), "/"));
    std::map<std::string, std::uint32_t> jobs;
    if (!response) {
        return jobs;
    }
    const char* name = nullptr;
    int count = -1;  // not given (a plain int: GCC misreads an optional here)
    for (ipp_attribute_t* attribute = ippFirstAttribute(response.get()); attribute != nullptr;
         attribute = ippNextAttribute(response.get())) {
        const char* attributeName = ippGetName(attribute);
        if (attributeName == nullptr) {  // the end of one printer's group
            if (name != nullptr && count >= 0) {
                jobs[name] = static_cast<std::uint32_t>(count);
            }
            name = nullptr;
            count = -1;
            continue;
        }
        const std::string_view which = attributeName;
        if (which == "printer-name") {
            name = ippGetString(attribute, 0, nullptr);
        } else if (which == "queued-job-count" && ippGetValueTag(attribute) == IPP_TAG_INTEGER) {
            count = ippGetInteger(attribute, 0);
        }
    }
    if (name != nullptr && count >= 0) {
        jobs[name] = static_cast<std::uint32_t>(count);
    }
    return jobs;
}

}  // namespace

std::vector<PrinterCondition> CupsConditions(std::optional<int> printerState,
                                             std::string_view stateReasons) {
    std::vector<PrinterCondition> conditions;
    bool anyReason = false;
    std::string_view rest = stateReasons;
    while (!rest.empty()) {
        const std::size_t comma = rest.find(',');
        std::string_view reason = Trim(rest.substr(0, comma));
        rest = comma == std::string_view::npos ? std::string_view() : rest.substr(comma + 1);
        if (reason.empty() || reason == "none") {
            continue;
        }
        if (reason == "offline-report" || reason == "offline") {
            Add(conditions, PrinterCondition::Offline);
            anyReason = true;
            continue;
        }
        if (reason.ends_with("-report") || reason.ends_with("-warning")) {
            continue;
        }
        if (reason.ends_with("-error")) {
            reason.remove_suffix(6);
        }
        anyReason = true;
        if (reason == "paused") {
            Add(conditions, PrinterCondition::Paused);
        } else if (reason == "media-empty" || reason == "media-needed") {
            Add(conditions, PrinterCondition::OutOfPaper);
        } else if (reason == "media-jam") {
            Add(conditions, PrinterCondition::PaperJam);
        } else if (reason == "toner-empty" || reason == "marker-supply-empty") {
            Add(conditions, PrinterCondition::NoToner);
        } else if (reason == "door-open" || reason == "cover-open") {
            Add(conditions, PrinterCondition::DoorOpen);
        } else {
            Add(conditions, PrinterCondition::Error);
        }
    }
    if (printerState == kStateStopped && !anyReason) {
        Add(conditions, PrinterCondition::Offline);
    }
    // The conditions' own order, whatever the order of the reasons.
    std::sort(conditions.begin(), conditions.end());
    return conditions;
}

bool CupsNetworkPrinter(std::optional<unsigned long> printerType, std::string_view deviceUri) {
    if (printerType && (*printerType & CUPS_PRINTER_REMOTE) != 0) {
        return true;
    }
    const std::size_t colon = deviceUri.find(':');
    if (colon == std::string_view::npos) {
        return false;
    }
    const std::string_view scheme = deviceUri.substr(0, colon);
    for (const char* network : {"ipp", "ipps", "http", "https", "socket", "lpd", "smb", "dnssd"}) {
        if (scheme == network) {
            return true;
        }
    }
    return false;
}

std::optional<PrinterList> ReadCupsPrinters() {
    const Connection http(httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC,
                                       cupsEncryption(), 1, kConnectMilliseconds, nullptr));
    if (!http) {
        return std::nullopt;
    }
    Destinations destinations;
    *destinations.Count() = cupsGetDests2(http.get(), destinations.Dests());
    // No destination is either no printer (the server says "not found") or no answer.
    if (*destinations.Count() == 0 && cupsLastError() != IPP_STATUS_OK &&
        cupsLastError() != IPP_STATUS_ERROR_NOT_FOUND) {
        return std::nullopt;
    }
    const std::map<std::string, std::uint32_t> jobs = JobsWaiting(http.get());
    PrinterList printers;
    for (const cups_dest_t& dest : destinations) {
        if (dest.instance != nullptr) {
            continue;  // an instance is the same queue with other options
        }
        const auto option = [&dest](const char* name) {
            return cupsGetOption(name, dest.num_options, dest.options);
        };
        PrinterInfo printer;
        printer.name = dest.name;
        printer.isDefault = dest.is_default != 0;
        const auto type = Integer(option("printer-type"));
        const char* uri = option("device-uri");
        printer.network = CupsNetworkPrinter(
            type ? std::optional(static_cast<unsigned long>(*type)) : std::nullopt,
            uri != nullptr ? uri : "");
        const auto state = Integer(option("printer-state"));
        const char* reasons = option("printer-state-reasons");
        printer.conditions =
            CupsConditions(state ? std::optional(static_cast<int>(*state)) : std::nullopt,
                           reasons != nullptr ? reasons : "");
        if (const auto waiting = jobs.find(printer.name); waiting != jobs.end()) {
            printer.jobsWaiting = waiting->second;
        }
        printers.push_back(std::move(printer));
    }
    return printers;
}

}  // namespace kolt::linux_backend

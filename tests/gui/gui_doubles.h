// Recording doubles of the dialog layer: they answer the dialogs' logic like the real windows do
// and keep what it asked for, so tests can check the order and the values.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "gui/info_dlg_ports.h"
#include "gui/report_dlg_ports.h"

namespace kolt::test_support {

struct ShownMessage {
    std::string text;
    MessageIcon icon;
    friend bool operator==(const ShownMessage&, const ShownMessage&) = default;
};

// Thrown in place of ending the process, so the test sees where the logic stopped.
struct ExitRequested {
    int status;
};

class RecordingView : public InfoDlgView {
public:
    std::map<int, bool> checks;
    std::optional<std::pair<int, int>> range;
    std::vector<int> positions;

    bool IsChecked(int controlId) const override {
        const auto found = checks.find(controlId);
        return found != checks.end() && found->second;
    }
    void SetChecked(int controlId, bool checked) override { checks[controlId] = checked; }
    void SetProgressRange(int low, int high) override { range = {low, high}; }
    void SetProgressPosition(int position) override { positions.push_back(position); }
};

// The viewer as the main dialog sees it; shared state so the test can look after it is gone.
struct ViewerRecord {
    int created = 0;
    int destroyed = 0;
    std::vector<std::string> reports;
    // The bar's position each time the viewer was shown.
    std::vector<int> positionsWhenShown;
};

class RecordingViewer : public ReportViewer {
public:
    RecordingViewer(ViewerRecord& record, const RecordingView& view)
        : m_record(record), m_view(view) {
        ++m_record.created;
    }
    ~RecordingViewer() override { ++m_record.destroyed; }
    void SetReport(const std::string& report) override { m_record.reports.push_back(report); }
    void DoModal() override {
        m_record.positionsWhenShown.push_back(m_view.positions.empty() ? -1
                                                                       : m_view.positions.back());
    }

private:
    ViewerRecord& m_record;
    const RecordingView& m_view;
};

class RecordingInfoServices : public InfoDlgServices {
public:
    explicit RecordingInfoServices(const RecordingView& view) : m_view(view) {}

    std::vector<ShownMessage> messages;
    std::vector<std::string> opened;
    std::vector<int> pauses;
    ViewerRecord viewer;

    void ShowMessage(std::string_view text, MessageIcon icon) override {
        messages.push_back({std::string(text), icon});
    }
    void OpenWithShell(const std::string& target) override { opened.push_back(target); }
    void Pause(int milliseconds) override { pauses.push_back(milliseconds); }
    [[noreturn]] void Exit(int status) override { throw ExitRequested{status}; }
    std::unique_ptr<ReportViewer> CreateReportViewer() override {
        return std::make_unique<RecordingViewer>(viewer, m_view);
    }

private:
    const RecordingView& m_view;
};

// What a printer was asked to do, one entry per call, and whether its context was released.
struct PrinterRecord {
    std::vector<std::string> calls;
    bool released = false;
};

class RecordingPrinter : public Printer {
public:
    struct Settings {
        int height = 10;
        int averageCharWidth = 8;
        int pixelsPerInchY = 10;
        // Far below the ten-inch line unless a test says otherwise.
        int printableHeight = 10000;
        int startDocumentResult = 1;
        int startPageResult = 1;
    };

    RecordingPrinter(PrinterRecord& record, Settings settings)
        : m_record(record), m_settings(settings) {}
    ~RecordingPrinter() override { m_record.released = true; }

    int StartDocument(std::string_view documentName) override {
        m_record.calls.push_back("StartDoc " + std::string(documentName));
        return m_settings.startDocumentResult;
    }
    int StartPage() override {
        m_record.calls.push_back("StartPage");
        return m_settings.startPageResult;
    }
    int EndPage() override { return Record("EndPage"); }
    int EndDoc() override { return Record("EndDoc"); }
    int AbortDoc() override { return Record("AbortDoc"); }
    void DrawTextAt(int x, int y, std::string_view text) override {
        m_record.calls.push_back(std::to_string(x) + "," + std::to_string(y) + " " +
                                 std::string(text));
    }
    FontMetrics CurrentFontMetrics() override {
        return {m_settings.height, m_settings.averageCharWidth};
    }
    int PixelsPerInchY() override { return m_settings.pixelsPerInchY; }
    int PrintableHeight() override { return m_settings.printableHeight; }

private:
    int Record(std::string call) {
        m_record.calls.push_back(std::move(call));
        return 1;
    }

    PrinterRecord& m_record;
    Settings m_settings;
};

class RecordingReportServices : public ReportDlgServices {
public:
    std::vector<ShownMessage> messages;
    std::vector<std::string> opened;
    std::vector<SaveAsRequest> saveRequests;
    // The path the Save As dialog answers; nullopt cancels it.
    std::optional<std::string> savePath;
    // The printer the Print dialog answers; nullopt cancels it.
    std::optional<RecordingPrinter::Settings> printer;
    PrinterRecord printed;

    void ShowMessage(std::string_view text, MessageIcon icon) override {
        messages.push_back({std::string(text), icon});
        printed.calls.push_back("Message " + std::string(text));
    }
    void OpenWithShell(const std::string& target) override { opened.push_back(target); }
    std::optional<std::string> PromptSaveAs(const SaveAsRequest& request) override {
        saveRequests.push_back(request);
        return savePath;
    }
    std::unique_ptr<Printer> PromptPrinter() override {
        if (!printer) {
            return nullptr;
        }
        return std::make_unique<RecordingPrinter>(printed, *printer);
    }
};

}  // namespace kolt::test_support

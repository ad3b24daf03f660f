// Recording doubles of the dialog layer: they answer the dialogs' logic like the real windows do
// and keep what it asked for, so tests can check the order and the values.
#pragma once

#include <algorithm>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "gui/dialog_services.h"
#include "gui/info_dlg_view.h"

namespace kolt::test_support {

struct ShownMessage {
    std::string text;
    ui::MessageIcon icon;
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
    // Each report the viewer showed, and the bar's position each time.
    std::vector<std::string> shownReports;
    std::vector<int> positionsWhenShown;

    bool IsChecked(int controlId) const override {
        const auto found = checks.find(controlId);
        return found != checks.end() && found->second;
    }
    void SetChecked(int controlId, bool checked) override { checks[controlId] = checked; }
    void SetProgressRange(int low, int high) override { range = {low, high}; }
    void SetProgressPosition(int position) override { positions.push_back(position); }
    void ShowReport(const std::string& report) override {
        shownReports.push_back(report);
        positionsWhenShown.push_back(positions.empty() ? -1 : positions.back());
    }
};

// What a printer was asked to do, one entry per call, and whether its context was released.
struct PrinterRecord {
    std::vector<std::string> calls;
    bool released = false;
};

class RecordingPrinter : public ui::Printer {
public:
    struct Settings {
        int height = 10;
        int averageCharWidth = 8;
        int pixelsPerInchY = 10;
        // Far below the ten-inch line unless a test says otherwise.
        int printableHeight = 10000;
        // 0: the driver does not say.
        int printableWidth = 0;
        // None: the printer's own font is kept.
        std::vector<std::string> fixedPitchFaces;
        int startDocumentResult = 1;
        int startPageResult = 1;
        int endDocumentResult = 1;
    };

    RecordingPrinter(PrinterRecord& record, Settings settings)
        : m_record(record), m_settings(std::move(settings)) {
        m_font = {m_settings.height, m_settings.averageCharWidth};
    }
    ~RecordingPrinter() override { m_record.released = true; }

    int StartDocument(std::string_view documentName) override {
        m_record.calls.push_back("StartDoc " + std::string(documentName));
        return m_settings.startDocumentResult;
    }
    int StartPage() override {
        m_record.calls.push_back("StartPage");
        return m_settings.startPageResult;
    }
    int EndPage() override { return Record("EndPage", 1); }
    int EndDocument() override { return Record("EndDoc", m_settings.endDocumentResult); }
    int AbortDocument() override { return Record("AbortDoc", 1); }
    void DrawTextAt(int x, int y, std::string_view text) override {
        m_record.calls.push_back(std::to_string(x) + "," + std::to_string(y) + " " +
                                 std::string(text));
    }
    // Every character (each UTF-8 byte but a continuation byte) as wide as the font's average:
    // a fixed-pitch font.
    int TextWidth(std::string_view text) override {
        const auto characters = std::count_if(text.begin(), text.end(), [](char c) {
            return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
        });
        return static_cast<int>(characters) * m_font.averageCharWidth;
    }
    PageArea Page() override {
        return {m_settings.printableWidth, m_settings.printableHeight, m_settings.pixelsPerInchY};
    }
    std::vector<std::string> FixedPitchFaces() override { return m_settings.fixedPitchFaces; }
    // A face whose cell is 7/6 of its characters' height and whose characters are 3/5 as wide.
    FontMetrics UseFont(const std::string& face, int emHeight) override {
        m_record.calls.push_back("Font " + face + " " + std::to_string(emHeight));
        m_font = {emHeight + emHeight / 6, (3 * emHeight + 2) / 5};
        return m_font;
    }
    FontMetrics CurrentFont() override { return m_font; }

private:
    int Record(std::string call, int result) {
        m_record.calls.push_back(std::move(call));
        return result;
    }

    PrinterRecord& m_record;
    Settings m_settings;
    FontMetrics m_font;
};

class RecordingServices : public DialogServices {
public:
    std::vector<ShownMessage> messages;
    std::vector<std::string> opened;
    std::vector<int> pauses;
    std::vector<ui::SaveAsRequest> saveRequests;
    // The path the Save As dialog answers; nullopt cancels it.
    std::optional<std::string> savePath;
    // The printer the Print dialog answers; nullopt cancels it.
    std::optional<RecordingPrinter::Settings> printer;
    // The printer's calls, with each message shown among them.
    PrinterRecord printed;

    void ShowMessage(std::string_view text, ui::MessageIcon icon) override {
        messages.push_back({std::string(text), icon});
        printed.calls.push_back("Message " + std::string(text));
    }
    void OpenWithShell(const std::string& target) override { opened.push_back(target); }
    std::optional<std::string> PromptSaveAs(const ui::SaveAsRequest& request) override {
        saveRequests.push_back(request);
        return savePath;
    }
    std::unique_ptr<ui::Printer> PromptPrinter() override {
        if (!printer) {
            return nullptr;
        }
        return std::make_unique<RecordingPrinter>(printed, *printer);
    }
    void Pause(int milliseconds) override { pauses.push_back(milliseconds); }
    [[noreturn]] void Exit(int status) override { throw ExitRequested{status}; }
};

}  // namespace kolt::test_support

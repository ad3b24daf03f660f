// The report viewer's logic reaches the common dialogs and the printer only through these
// interfaces, so that it runs the same against the real dialog layer and against test doubles.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "gui/dialog_services.h"

namespace kolt {

// A printer's device context, as printing uses it. Destroying the object releases the context.
// Results follow the platform: a negative number is a failure.
class Printer {
public:
    virtual ~Printer() = default;

    virtual int StartDocument(std::string_view documentName) = 0;
    virtual int StartPage() = 0;
    virtual int EndPage() = 0;
    virtual int EndDoc() = 0;
    virtual int AbortDoc() = 0;

    // Draws `text` with its top left corner at (x, y), in device units.
    virtual void DrawTextAt(int x, int y, std::string_view text) = 0;

    struct FontMetrics {
        int height = 0;
        int averageCharWidth = 0;
    };
    // The metrics of the context's current font.
    virtual FontMetrics CurrentFontMetrics() = 0;
    // Device units per inch down the page.
    virtual int PixelsPerInchY() = 0;
    // Device units from the top to the bottom of the printable area; 0 when the driver does not
    // say.
    virtual int PrintableHeight() = 0;
};

// What the Save As dialog is asked to show.
struct SaveAsRequest {
    std::string defaultExtension;
    std::string fileName;
    // Pairs of display text and pattern, each part followed by '|'.
    std::string filter;
    bool hideReadOnly = false;
    bool overwritePrompt = false;
};

// The same filter with every '|' turned into a NUL, as the common dialogs want it; the string's
// own terminator then closes the list.
std::string NulSeparatedFilter(std::string_view filter);

class ReportDlgServices : public DialogServices {
public:
    // The full path the user chose; nullopt when the dialog was cancelled.
    virtual std::optional<std::string> PromptSaveAs(const SaveAsRequest& request) = 0;
    // The printer the user chose, ready to print; nullptr when the dialog was cancelled.
    virtual std::unique_ptr<Printer> PromptPrinter() = 0;
};

}  // namespace kolt

// A printer's device context as printing uses it. Portable: the printing logic and its native
// tests include this header on every platform; PrinterDc answers it with a real printer.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kolt::ui {

// Destroying the object ends its use of the printer and releases the context. Results follow
// the platform: zero or a negative number is a failure.
class Printer {
public:
    virtual ~Printer() = default;

    virtual int StartDocument(std::string_view documentName) = 0;
    virtual int StartPage() = 0;
    virtual int EndPage() = 0;
    // Hands the document to the print queue; a failure means nothing will be printed.
    virtual int EndDocument() = 0;
    virtual int AbortDocument() = 0;

    // Draws `text` (UTF-8) in the current font with its top left corner at (x, y), in device
    // units.
    virtual void DrawTextAt(int x, int y, std::string_view text) = 0;
    // How far `text` (UTF-8) reaches across the page in the current font, in device units.
    virtual int TextWidth(std::string_view text) = 0;

    struct PageArea {
        // The printable area in device units; 0 where the driver does not say.
        int width = 0;
        int height = 0;
        // Device units per inch down the page.
        int pixelsPerInchY = 0;
    };
    virtual PageArea Page() = 0;

    // The scalable fixed-pitch faces this printer can print, in the order the system lists them.
    virtual std::vector<std::string> FixedPitchFaces() = 0;

    struct FontMetrics {
        // One row: the font's cell height.
        int height = 0;
        int averageCharWidth = 0;
    };
    // Makes `face`, with characters `emHeight` device units high, the font of everything drawn
    // after. Answers the metrics of the font the context then has: its previous one when the
    // face cannot be made.
    virtual FontMetrics UseFont(const std::string& face, int emHeight) = 0;
    // The metrics of the context's current font.
    virtual FontMetrics CurrentFont() = 0;
};

}  // namespace kolt::ui

#include "tests/gui_e2e/printed_pages.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <stdexcept>

#include "kolt_version.h"

namespace kolt::e2e {

namespace {

constexpr std::string_view kPageHeaderText = "Kolt Information - Version " KOLT_VERSION_TEXT;
constexpr int kHeaderRow = 3;

// The value of attribute `name` in the tag `tag` (`name="value"`).
double NumberAttribute(std::string_view tag, std::string_view name) {
    const std::string key = std::string(name) + "=\"";
    const std::size_t at = tag.find(key);
    if (at == std::string_view::npos) {
        throw std::runtime_error("no " + std::string(name) + " in " + std::string(tag));
    }
    return std::strtod(std::string(tag.substr(at + key.size())).c_str(), nullptr);
}

// The bytes the first `characters` UTF-8 characters of `text` take.
std::size_t CharactersLength(std::string_view text, int characters) {
    std::size_t end = 0;
    for (int count = 0; end < text.size(); ++end) {
        const bool starts = (static_cast<unsigned char>(text[end]) & 0xC0) != 0x80;
        if (starts && count++ == characters) {
            break;
        }
    }
    return end;
}

std::string Unescape(std::string_view text) {
    static constexpr std::pair<std::string_view, char> kEntities[] = {
        {"&amp;", '&'},  {"&lt;", '<'},    {"&gt;", '>'},
        {"&quot;", '"'}, {"&apos;", '\''}, {"&#39;", '\''}};
    std::string plain;
    for (std::size_t i = 0; i < text.size();) {
        bool replaced = false;
        for (const auto& [entity, character] : kEntities) {
            if (text.substr(i).starts_with(entity)) {
                plain += character;
                i += entity.size();
                replaced = true;
                break;
            }
        }
        if (!replaced) {
            plain += text[i++];
        }
    }
    return plain;
}

// The distinct tops of a page's words, top to bottom; tops within `tolerance` count as one.
std::vector<double> RowTops(const PrintedPage& page, double tolerance) {
    std::vector<double> tops;
    for (const PrintedWord& word : page.words) {
        tops.push_back(word.top);
    }
    std::sort(tops.begin(), tops.end());
    std::vector<double> rows;
    for (const double top : tops) {
        if (rows.empty() || top - rows.back() > tolerance) {
            rows.push_back(top);
        }
    }
    return rows;
}

}  // namespace

std::vector<PrintedPage> ParseBboxPages(std::string_view html) {
    std::vector<PrintedPage> pages;
    std::size_t at = 0;
    while ((at = html.find('<', at)) != std::string_view::npos) {
        const std::size_t close = html.find('>', at);
        if (close == std::string_view::npos) {
            break;
        }
        const std::string_view tag = html.substr(at, close + 1 - at);
        at = close + 1;
        if (tag.starts_with("<page ")) {
            pages.push_back({NumberAttribute(tag, "width"), NumberAttribute(tag, "height"), {}});
        } else if (tag.starts_with("<word ")) {
            if (pages.empty()) {
                throw std::runtime_error("a word outside any page");
            }
            const std::size_t end = html.find("</word>", at);
            if (end == std::string_view::npos) {
                throw std::runtime_error("an unfinished word");
            }
            pages.back().words.push_back(
                {NumberAttribute(tag, "xMin"), NumberAttribute(tag, "yMin"),
                 NumberAttribute(tag, "xMax"), Unescape(html.substr(at, end - at))});
            at = end;
        }
    }
    return pages;
}

std::string CollapseBlanks(std::string_view text) {
    std::string collapsed;
    bool blank = false;
    for (const char c : text) {
        if (c == ' ' || c == '\t') {
            blank = true;
            continue;
        }
        if (blank && !collapsed.empty()) {
            collapsed += ' ';
        }
        blank = false;
        collapsed += c;
    }
    return collapsed;
}

std::vector<PrintedRow> ExpectedPrintout(std::string_view report, const PrintGeometry& geometry) {
    const int h = geometry.rowHeight;
    std::vector<PrintedRow> rows;
    int page = 1;
    int y = 0;
    const auto startPage = [&] {
        rows.push_back({page, kHeaderRow * h, std::string(kPageHeaderText)});
        y = 5 * h;
    };
    const auto row = [&](std::string_view text) {
        y += h;
        if (y > geometry.bottom - 2 * h) {
            rows.push_back({page, y + h, "Page " + std::to_string(page)});
            ++page;
            startPage();
        }
        if (const std::string visible = CollapseBlanks(text); !visible.empty()) {
            rows.push_back({page, y, visible});
        }
    };
    startPage();
    std::size_t start = 0;
    for (std::size_t end; (end = report.find("\r\n", start)) != std::string_view::npos;
         start = end + 2) {
        std::string_view line = report.substr(start, end - start);
        do {
            const std::size_t length = CharactersLength(line, geometry.rowCharacters);
            row(line.substr(0, length));
            line.remove_prefix(length);
        } while (!line.empty());
    }
    if (page > 1) {
        rows.push_back({page, geometry.bottom, "Page " + std::to_string(page)});
    }
    return rows;
}

int MeasuredRowHeight(const PrintedPage& firstPage, double pointsPerDeviceUnit) {
    // Rows are at least a point apart; the words of one row share their top.
    const std::vector<double> tops = RowTops(firstPage, 0.5);
    if (tops.size() < 2) {
        throw std::runtime_error("the first page holds fewer than two rows");
    }
    return static_cast<int>(std::lround((tops[1] - tops[0]) / 3 / pointsPerDeviceUnit));
}

std::vector<PrintedRow> PrintoutRows(const std::vector<PrintedPage>& pages, int rowHeight,
                                     double pointsPerDeviceUnit) {
    std::vector<PrintedRow> rows;
    const double rowPoints = rowHeight * pointsPerDeviceUnit;
    for (std::size_t p = 0; p < pages.size(); ++p) {
        std::vector<PrintedWord> words = pages[p].words;
        std::stable_sort(words.begin(), words.end(),
                         [](const PrintedWord& a, const PrintedWord& b) { return a.top < b.top; });
        std::vector<std::vector<PrintedWord>> lines;
        for (const PrintedWord& word : words) {
            if (lines.empty() || word.top - lines.back().front().top > rowPoints / 4) {
                lines.emplace_back();
            }
            lines.back().push_back(word);
        }
        if (lines.empty()) {
            continue;
        }
        // Every row's words sit the same way in their row: the header's top fixes the offset.
        const double origin = lines.front().front().top - kHeaderRow * rowPoints;
        for (std::vector<PrintedWord>& line : lines) {
            std::stable_sort(
                line.begin(), line.end(),
                [](const PrintedWord& a, const PrintedWord& b) { return a.left < b.left; });
            std::string text;
            for (const PrintedWord& word : line) {
                text += (text.empty() ? "" : " ") + word.text;
            }
            const int y =
                static_cast<int>(std::lround((line.front().top - origin) / pointsPerDeviceUnit));
            rows.push_back({static_cast<int>(p) + 1, y, text});
        }
    }
    return rows;
}

}  // namespace kolt::e2e

#include "reports/ReportFooter.h"

#include <array>
#include <ctime>

#include "drawing/TextPlacement.h"
#include "files/Paths.h"
#include "reports/ReportPage.h"
#include "runtime/Hooks.h"
#include "runtime/RuntimeError.h"
#include "runtime/Text.h"

namespace brindlemar {

namespace {

std::string FormatTime(const char* format) {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    std::array<char, 64> buffer{};
    const size_t length = std::strftime(buffer.data(), buffer.size(), format, &local);
    return std::string(buffer.data(), length);
}

std::string FileToken(const Model& m) {
    if (m.ProjectFilePath.empty()) return "[Unnamed]";
    const std::string extension = UCase(GetFileExtension(m.ProjectFilePath));
    // a file without an extension prints its name alone, with no trailing dot
    return UCase(GetFileBaseName(m.ProjectFilePath)) + (extension.empty() ? "" : "." + extension);
}

// True when the text continues at `at` with `word` (upper case), any case.
bool WordAt(const std::string& text, size_t at, const std::string& word) {
    if (at + word.size() > text.size()) return false;
    return UCase(text.substr(at, word.size())) == word;
}

}  // namespace

FooterClock CurrentFooterClock() { return {FormatTime("%A, %d %B %Y"), FormatTime("%H:%M:%S")}; }

std::string ExpandFooterTokens(const Model& m, const PageState& page, const std::string& text,
                               const FooterClock& clock) {
    std::string result;
    size_t i = 0;
    while (i < text.size()) {
        const char c = text[i++];
        if (c != '&') {
            result += c;
            continue;
        }
        const std::pair<const char*, std::string> tokens[] = {{"DATE", clock.Date},
                                                              {"TIME", clock.Time},
                                                              {"FILE", FileToken(m)},
                                                              {"PAGE", std::to_string(page.PageNumber)},
                                                              {"NPAGES", std::to_string(page.PageCount)}};
        bool matched = false;
        for (const auto& [word, replacement] : tokens) {
            if (WordAt(text, i, word)) {
                result += replacement;
                i += std::string(word).size();
                matched = true;
                break;
            }
        }
        if (!matched) result += '&';
    }
    return result;
}

std::string ExpandFooterTokens(const Model& m, const PageState& page, const std::string& text) {
    return ExpandFooterTokens(m, page, text, CurrentFooterClock());
}

void PrintPageFooter(const Model& m, Surface& s) {
    try {
        SetPrinterFont(s, m.ReportFontName, 8 * s.Drawing().PrintScale, false, false);
        s.ForeColor = 0;
        s.CurrentY = s.Drawing().PrintableHeight - s.FontSize * 20;
        const std::string font = s.FontName;
        const double size = s.FontSize;
        const FooterClock clock = CurrentFooterClock();
        for (int k = 1; k <= 3; ++k) {
            const std::string text = FitTextToWidth(s, ExpandFooterTokens(m, s.Drawing(), At(m.FooterTexts, k), clock),
                                                    s.Drawing().PrintableWidth, font, size, false, false);
            if (k == 1) PrintAt(s, text, 0);
            else if (k == 2) PrintCentered(s, text, s.Drawing().PrintableWidth / 2.0);
            else PrintRightAligned(s, text, s.Drawing().PrintableWidth);
        }
    } catch (const RuntimeError& e) {
        SetBusyPointer(false);
        MsgBox(e.Description, vbExclamation, ProductName);
    }
}

}  // namespace brindlemar

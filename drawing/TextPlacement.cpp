#include "drawing/TextPlacement.h"

#include <algorithm>
#include <cmath>

namespace brindlemar {

void PrintAt(Surface& s, const std::string& text, double x) {
    s.CurrentX = x;
    s.Print(text);
}

void PrintCentered(Surface& s, const std::string& text, double x) {
    s.CurrentX = x - s.TextWidth(text) / 2;
    s.Print(text);
}

void PrintRightAligned(Surface& s, const std::string& text, double x) {
    s.CurrentX = x - s.TextWidth(text);
    s.Print(text);
}

std::string CutToWidth(Surface& s, const std::string& text, double maxWidth) {
    std::string cut = text;
    while (!cut.empty() && s.TextWidth(cut) > maxWidth) cut.pop_back();
    return cut;
}

namespace {

// The text in lines of maxWidth, wrapped at blanks, at most `lines` of them;
// what is left over is returned in `rest`.
std::vector<std::string> Wrap(Surface& s, const std::string& text, double maxWidth, int lines, std::string& rest) {
    std::vector<std::string> out;
    size_t at = 0;
    while (at < text.size() && static_cast<int>(out.size()) < lines) {
        // the longest run that fits, ended at a blank where there is one
        size_t end = at + 1;
        while (end < text.size() && s.TextWidth(text.substr(at, end + 1 - at)) <= maxWidth) ++end;
        if (end < text.size()) {
            const size_t blank = text.rfind(' ', end);
            if (blank != std::string::npos && blank > at) end = blank;
        }
        std::string line = text.substr(at, end - at);
        while (!line.empty() && line.back() == ' ') line.pop_back();
        out.push_back(line);
        at = end;
        while (at < text.size() && text[at] == ' ') ++at;
    }
    rest = text.substr(at);
    return out;
}

}  // namespace

std::vector<std::string> FitLines(Surface& s, const std::string& text, const std::string& tail, double maxWidth,
                                  int lines, double least) {
    if ((text.empty() && tail.empty()) || lines < 1) return {};
    const std::string whole = text + tail;
    const double size = s.FontSize;
    std::string rest;
    // a twentieth of the size at a time, the least size last
    for (double trying = size;; trying = std::max(least, trying - size / 20)) {
        s.FontSize = trying;
        std::vector<std::string> out = Wrap(s, whole, maxWidth, lines, rest);
        const bool fits = rest.empty() && std::all_of(out.begin(), out.end(), [&](const std::string& line) {
                              return s.TextWidth(line) <= maxWidth;
                          });
        if (fits) return out;
        if (trying <= least) break;
    }
    // the text cut at its end, the tail whole after the ellipsis
    std::vector<std::string> out = Wrap(s, text, maxWidth, lines - 1, rest);
    if (rest.empty()) {
        out.push_back(CutToWidth(s, tail.substr(std::min(tail.find_first_not_of(' '), tail.size())), maxWidth));
        return out;
    }
    const std::string mark = "\x85" + tail;
    std::string last = CutToWidth(s, rest, maxWidth - s.TextWidth(mark));
    while (!last.empty() && last.back() == ' ') last.pop_back();
    out.push_back(last + mark);
    return out;
}

TextBox MoveClear(TextBox box, AwayFrom way, TextBoxes& taken, double gap) {
    auto overlaps = [&](const TextBox& t) {
        return box.Left < t.Left + t.Width + gap && t.Left < box.Left + box.Width + gap &&
               box.Top < t.Top + t.Height + gap && t.Top < box.Top + box.Height + gap;
    };
    // each step clears one box for good, as the box only moves on one way
    for (size_t step = 0; step <= taken.size(); ++step) {
        const auto hit = std::find_if(taken.begin(), taken.end(), overlaps);
        if (hit == taken.end()) break;
        switch (way) {
        case AwayFrom::Above: box.Top = hit->Top - box.Height - gap; break;
        case AwayFrom::Below: box.Top = hit->Top + hit->Height + gap; break;
        case AwayFrom::Left: box.Left = hit->Left - box.Width - gap; break;
        case AwayFrom::Right: box.Left = hit->Left + hit->Width + gap; break;
        }
    }
    taken.push_back(box);
    return box;
}

void PrintMarkup(const Model& m, Surface& s, double x, double y, const std::string& text, double size) {
    // one point is 20 twips
    const double scriptShift = 20 * 0.3 * size;
    s.CurrentX = x;
    s.CurrentY = y;
    s.FontName = m.TextFontName;
    s.FontSize = size;
    s.FontBold = false;
    s.FontItalic = false;
    s.FontUnderline = false;

    const std::size_t n = text.size();
    for (std::size_t i = 0; i < n; ++i) {
        const char c = text[i];
        if (c != '&') {
            // one character at a time, so a switch can fall between any two
            s.Print(std::string(1, c));
            continue;
        }
        const char code = i + 1 < n ? text[i + 1] : '\0';
        ++i;
        switch (code) {
            case 'B': s.FontBold = true; break;
            case 'b': s.FontBold = false; break;
            case 'I': s.FontItalic = true; break;
            case 'i': s.FontItalic = false; break;
            case 'U': s.FontUnderline = true; break;
            case 'u': s.FontUnderline = false; break;
            // every surface draws the symbol font's letters as Greek ones in the
            // text font, whose line they share: raised, they read as exponents
            case 'S': s.FontName = m.SymbolFontName; break;
            case 's': s.FontName = m.TextFontName; break;
            case 'H':
                s.FontSize = 0.8 * size;
                s.CurrentY -= scriptShift;
                break;
            case 'h':
                s.FontSize = size;
                s.CurrentY += scriptShift;
                break;
            case 'L':
                s.FontSize = 0.8 * size;
                s.CurrentY += scriptShift;
                break;
            case 'l':
                s.FontSize = size;
                s.CurrentY -= scriptShift;
                break;
            default: break;   // an unknown code is dropped with its "&"
        }
    }
}

}  // namespace brindlemar

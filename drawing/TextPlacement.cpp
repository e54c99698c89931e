#include "drawing/TextPlacement.h"

#include <algorithm>

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

TextBox MoveClear(TextBox box, AwayFrom way, TextBoxes& taken) {
    auto overlaps = [&](const TextBox& t) {
        return box.Left < t.Left + t.Width && t.Left < box.Left + box.Width && box.Top < t.Top + t.Height &&
               t.Top < box.Top + box.Height;
    };
    // each step clears one box for good, as the box only moves on one way
    for (size_t step = 0; step <= taken.size(); ++step) {
        const auto hit = std::find_if(taken.begin(), taken.end(), overlaps);
        if (hit == taken.end()) break;
        switch (way) {
        case AwayFrom::Above: box.Top = hit->Top - box.Height; break;
        case AwayFrom::Below: box.Top = hit->Top + hit->Height; break;
        case AwayFrom::Left: box.Left = hit->Left - box.Width; break;
        case AwayFrom::Right: box.Left = hit->Left + hit->Width; break;
        }
    }
    taken.push_back(box);
    return box;
}

void PrintMarkup(const Model& m, Surface& s, double x, double y, const std::string& text, double size) {
    // one point is 20 twips
    const double symbolRise = 20 * 0.15 * size;
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
            case 'S':
                s.CurrentY -= symbolRise;
                s.FontName = m.SymbolFontName;
                break;
            case 's':
                s.CurrentY += symbolRise;
                s.FontName = m.TextFontName;
                break;
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

#include "support/LabelChecks.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <sstream>

#include "drawing/LabelLayer.h"

namespace brindlemar::test {

namespace {

struct Segment {
    double x1, y1, x2, y2;
};

TextBox BoxOf(const SurfaceCall& text) { return {text.X1, text.Y1, text.X2 - text.X1, text.Height}; }

// The shortest way from one box to the other, 0 where they meet.
double Distance(const TextBox& a, const TextBox& b) {
    const double dx = std::max({0.0, a.Left - (b.Left + b.Width), b.Left - (a.Left + a.Width)});
    const double dy = std::max({0.0, a.Top - (b.Top + b.Height), b.Top - (a.Top + a.Height)});
    return std::hypot(dx, dy);
}

// Overlapping by more than rounding.
bool Overlap(const TextBox& a, const TextBox& b) {
    constexpr double slack = 0.5;
    return a.Left + slack < b.Left + b.Width && b.Left + slack < a.Left + a.Width && a.Top + slack < b.Top + b.Height &&
           b.Top + slack < a.Top + a.Height;
}

TextBox Shrunk(const TextBox& b, double by) { return {b.Left + by, b.Top + by, b.Width - 2 * by, b.Height - 2 * by}; }

bool LooksLikeNumber(const std::string& text) {
    const std::size_t i = !text.empty() && text[0] == '-' ? 1 : 0;
    return i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])) != 0;
}

std::string Where(const SurfaceCall& c) {
    std::ostringstream out;
    out << "\"" << c.Text << "\" at (" << std::lround(c.X1) << ", " << std::lround(c.Y1) << ")";
    return out.str();
}

}  // namespace

std::vector<std::string> LabelFaults(const std::vector<SurfaceCall>& calls, const LabelRules& rules) {
    std::vector<const SurfaceCall*> texts;
    std::vector<Segment> lines;
    for (const SurfaceCall& c : calls) {
        if (c.Kind == "Print") texts.push_back(&c);
        if (c.Kind == "Line") lines.push_back({c.X1, c.Y1, c.X2, c.Y2});
        if (c.Kind == "Box")
            lines.insert(lines.end(),
                         {{c.X1, c.Y1, c.X2, c.Y1}, {c.X2, c.Y1, c.X2, c.Y2}, {c.X2, c.Y2, c.X1, c.Y2}, {c.X1, c.Y2, c.X1, c.Y1}});
    }
    std::vector<std::string> faults;
    auto within = [](const TextBox& a, const TextBox& b) {
        return a.Left >= b.Left && a.Top >= b.Top && a.Left + a.Width <= b.Left + b.Width &&
               a.Top + a.Height <= b.Top + b.Height;
    };
    for (const SurfaceCall* v : texts) {
        const TextBox box = BoxOf(*v);
        // the texts of an area kept clear (the factor table's own) are its business
        if (std::any_of(rules.KeepClear.begin(), rules.KeepClear.end(), [&](const TextBox& a) { return within(box, a); }))
            continue;
        const double h = v->Height;
        // a thin line from the anchor to the text ties the two wherever the text stands
        auto leads = [&](const Segment& l) {
            if (!v->Anchor) return false;
            const TextBox a{l.x1, l.y1, 0, 0}, b{l.x2, l.y2, 0, 0};
            return (Distance(a, *v->Anchor) <= h / 2 && Distance(b, box) <= h / 2) ||
                   (Distance(b, *v->Anchor) <= h / 2 && Distance(a, box) <= h / 2);
        };
        // captions and titles are no values
        if (!v->Anchor && !LooksLikeNumber(v->Text)) continue;
        if (!v->Anchor) {
            if (rules.EveryNumberAnchored) faults.push_back(Where(*v) + " labels nothing");
        } else {
            const TextBox& own = *v->Anchor;
            const double away = Distance(box, own);
            const bool led = away > 2 * h && std::any_of(lines.begin(), lines.end(), leads);
            if (away > 2 * h && !led)
                faults.push_back(Where(*v) + " stands " + std::to_string(std::lround(away / h)) + " heights from its point");
            for (const SurfaceCall* w : texts) {
                if (led || w == v || !w->Anchor || w->Colour != v->Colour || Distance(*w->Anchor, own) < 1) continue;
                if (Distance(box, *w->Anchor) < away - 1) {
                    faults.push_back(Where(*v) + " stands nearer the point of " + Where(*w));
                    break;
                }
            }
        }
        for (const SurfaceCall* w : texts)
            if (w != v && Overlap(box, BoxOf(*w))) faults.push_back(Where(*v) + " overlaps " + Where(*w));
        for (const Segment& l : lines)
            if (!leads(l) && SegmentCrossesBox(l.x1, l.y1, l.x2, l.y2, Shrunk(box, 1))) {
                std::ostringstream line;
                line << Where(*v) << " touches the line (" << std::lround(l.x1) << ", " << std::lround(l.y1) << ")-("
                     << std::lround(l.x2) << ", " << std::lround(l.y2) << ")";
                faults.push_back(line.str());
                break;
            }
        for (const TextBox& clear : rules.KeepClear)
            if (Overlap(box, clear)) faults.push_back(Where(*v) + " enters an area kept clear");
    }
    return faults;
}

TextBox DrawnBounds(const std::vector<SurfaceCall>& calls, std::size_t from, std::size_t to) {
    double left = 1E300, top = 1E300, right = -1E300, bottom = -1E300;
    for (std::size_t i = from; i < std::min(to, calls.size()); ++i) {
        const SurfaceCall& c = calls[i];
        if (c.Kind != "Print" && c.Kind != "Line" && c.Kind != "Box" && c.Kind != "FilledBox") continue;
        const double y2 = c.Kind == "Print" ? c.Y1 + c.Height : c.Y2;
        left = std::min({left, c.X1, c.X2});
        right = std::max({right, c.X1, c.X2});
        top = std::min({top, c.Y1, y2});
        bottom = std::max({bottom, c.Y1, y2});
    }
    return left > right ? TextBox{} : TextBox{left, top, right - left, bottom - top};
}

}  // namespace brindlemar::test

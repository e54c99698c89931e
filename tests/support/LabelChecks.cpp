#include "support/LabelChecks.h"

#include <algorithm>
#include <cmath>
#include <sstream>

#include "drawing/LabelLayer.h"
#include "runtime/Format.h"

namespace brindlemar::test {

namespace {

struct Segment {
    double x1, y1, x2, y2;
};

TextBox BoxOf(const SurfaceCall& text) { return {text.X1, text.Y1, text.X2 - text.X1, text.Height}; }

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
    for (const SurfaceCall* v : texts) {
        const TextBox box = BoxOf(*v);
        const double h = v->Height;
        // captions and titles are no values; the texts of an area kept clear (the factor table's) are its own
        if ((!v->Anchor && !IsNumeric(v->Text)) ||
            std::any_of(rules.KeepClear.begin(), rules.KeepClear.end(), [&](const TextBox& a) { return Inside(box, a); }))
            continue;
        // a thin line from the anchor to the text ties the two wherever the text stands
        auto leads = [&](const Segment& l) {
            const TextBox a{l.x1, l.y1, 0, 0}, b{l.x2, l.y2, 0, 0};
            return v->Anchor && ((Distance(a, *v->Anchor) <= h / 2 && Distance(b, box) <= h / 2) ||
                                 (Distance(b, *v->Anchor) <= h / 2 && Distance(a, box) <= h / 2));
        };
        if (!v->Anchor && rules.EveryNumberAnchored) faults.push_back(Where(*v) + " labels nothing");
        if (v->Anchor) {
            const double away = Distance(box, *v->Anchor);
            const bool led = away > 2 * h && std::any_of(lines.begin(), lines.end(), leads);
            if (away > 2 * h && !led)
                faults.push_back(Where(*v) + " stands " + std::to_string(std::lround(away / h)) + " heights from its point");
            for (const SurfaceCall* w : texts)
                if (!led && w != v && w->Anchor && w->Colour == v->Colour && Distance(*w->Anchor, *v->Anchor) >= 1 &&
                    Distance(box, *w->Anchor) < away - 1) {
                    faults.push_back(Where(*v) + " stands nearer the point of " + Where(*w));
                    break;
                }
        }
        // overlapping by more than rounding
        for (const SurfaceCall* w : texts)
            if (w != v && Overlap(Grown(box, -0.5), BoxOf(*w))) faults.push_back(Where(*v) + " overlaps " + Where(*w));
        for (const Segment& l : lines)
            if (!leads(l) && SegmentCrossesBox(l.x1, l.y1, l.x2, l.y2, Grown(box, -1))) {
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

}  // namespace brindlemar::test

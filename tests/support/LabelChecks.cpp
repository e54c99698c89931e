#include "support/LabelChecks.h"

#include <algorithm>
#include <cmath>
#include <sstream>

#include "runtime/Format.h"
#include "support/PlaneGeometry.h"

namespace brindlemar::test {

namespace {

// How near what it labels a value stands, and how long a leader joining them
// may be, in the value's heights: farther, a reader looks for its thing elsewhere.
constexpr double kNear = 2, kShortLeader = 6;
// A longer leader is followed, not glanced along: it reads right where it and its value keep half
// a height from every other thing and its values (past the first half height, where it leaves its own).
constexpr double kLongLeaderClear = 0.5;
// The least room between two texts side by side, in heights: closer, "10.00"
// and "1 : 5.00" read "10.001 : 5.00".
constexpr double kApart = 0.1;

struct Segment : Stretch {
    int owner = 0, part = PartBody;
};

double Length(const Segment& l) { return std::hypot(l.x2 - l.x1, l.y2 - l.y1); }
double MiddleX(const TextBox& b) { return b.Left + b.Width / 2; }
double MiddleY(const TextBox& b) { return b.Top + b.Height / 2; }
TextBox BoxOf(const SurfaceCall& text) { return {text.X1, text.Y1, text.X2 - text.X1, text.Height}; }
// How far the box stands from what the text labels: its anchor, or any point of the line it labels.
double Away(const SurfaceCall& text, const TextBox& box) {
    if (const auto& l = text.AnchorLine) return StretchBoxGap({(*l)[0], (*l)[1], (*l)[2], (*l)[3]}, box);
    return BoxGap(box, *text.Anchor);
}

std::string Where(const SurfaceCall& c) {
    std::ostringstream out;
    out << "\"" << c.Text << "\" at (" << std::lround(c.X1) << ", " << std::lround(c.Y1) << ")";
    return out.str();
}


// The faults a reader finds in a value whose lines tell what they were drawn for.
template <typename Leads>
void ReadAsOwn(const SurfaceCall& v, const TextBox& box, const std::vector<const SurfaceCall*>& texts,
               const std::vector<Segment>& lines, Leads leads, std::vector<std::string>& faults) {
    const double h = v.Height, ax = MiddleX(*v.Anchor), ay = MiddleY(*v.Anchor);
    double own = Away(v, box), nearest = 1E300;
    const Segment* axis = nullptr;
    bool led = false;
    std::vector<Stretch> outline;
    for (const Segment& l : lines)
        if (l.part == PartWall) outline.push_back(l);
    const bool inWall = WithinOutline(outline, ax, ay);  // out of the wall a leader crosses its outline once
    for (const Segment& l : lines) {
        if (l.owner == 0) continue;
        const bool mine = l.owner == v.Owner;
        if (mine && l.part == PartLeader && leads(l)) {
            led = true;
            int crossed = 0;  // the wall's outline, crossed on the way out of it
            if (std::any_of(lines.begin(), lines.end(), [&](const Segment& o) {
                    return o.owner != v.Owner && (o.owner != 0 || o.part != PartBody) &&
                           StretchesCross(l, o) && !(inWall && o.part == PartWall && ++crossed == 1); }))
                faults.push_back(Where(v) + "'s leader crosses a line of another thing or the wall");
            // from where it touches its own thing, out: across its own hatching it reads as one more line of it
            if (std::any_of(lines.begin(), lines.end(), [&](const Segment& o) {
                    return o.owner == v.Owner && o.part == PartBody && StretchesCross(l, o); }))
                faults.push_back(Where(v) + "'s leader runs across its own lines");
            if (const double c = kLongLeaderClear * h, t = c / Length(l); Length(l) > kShortLeader * h) {
                const Stretch way{l.x1 + t * (l.x2 - l.x1), l.y1 + t * (l.y2 - l.y1), l.x2, l.y2};
                auto other = [&](int owner) { return owner != 0 && owner != v.Owner; };
                if (std::any_of(lines.begin(), lines.end(), [&](const Segment& o) {
                        return other(o.owner) && (StretchGap(way, o) < c || StretchBoxGap(o, box) < c); }) ||
                    std::any_of(texts.begin(), texts.end(), [&](const SurfaceCall* w) {
                        return other(w->Owner) && StretchBoxGap(way, BoxOf(*w)) < c; }))
                    faults.push_back(Where(v) + "'s leader is " + std::to_string(std::lround(Length(l) / h)) +
                                     " heights long and passes near another thing");
            }
        }
        if (mine && l.part == PartAxis) axis = &l;
        if (l.part == PartLeader) continue;
        if (const double apart = StretchBoxGap(l, box); mine) own = std::min(own, apart);
        else nearest = std::min(nearest, apart);
    }
    if (!led && nearest < own - h / 10) faults.push_back(Where(v) + " stands nearer a line of another thing than its own");
    if (axis != nullptr) {
        auto side = [&](double x, double y) { return SideOf(*axis, x, y); };
        if (std::fabs(side(ax, ay)) > h / 4 && side(ax, ay) * side(MiddleX(box), MiddleY(box)) <= 0)
            faults.push_back(Where(v) + " stands across its axis from its ordinate");
    }
    // between two values of another thing
    for (const SurfaceCall* a : texts)
        for (const SurfaceCall* b : texts)
            if (const TextBox ab = BoxOf(*a), bb = BoxOf(*b); a->Owner != 0 && a->Owner != v.Owner && b->Owner == a->Owner &&
                a != b && a->Colour == v.Colour && BoxGap(ab, box) <= kNear * h && BoxGap(bb, box) <= kNear * h &&
                (MiddleX(ab) - MiddleX(box)) * (MiddleX(bb) - MiddleX(box)) + (MiddleY(ab) - MiddleY(box)) * (MiddleY(bb) - MiddleY(box)) < 0)
                return faults.push_back(Where(v) + " stands among the values of another thing, " + Where(*a) + " and " + Where(*b));
}

}  // namespace

std::vector<std::string> LabelFaults(const std::vector<SurfaceCall>& calls, const LabelRules& rules, int* checked) {
    std::vector<const SurfaceCall*> texts;
    std::vector<Segment> lines;
    for (const SurfaceCall& c : calls) {
        if (c.Kind == "Print") texts.push_back(&c);
        if (c.Kind == "Line") lines.push_back({{c.X1, c.Y1, c.X2, c.Y2}, c.Owner, c.Part});
        if (c.Kind == "Box")
            for (const Stretch& side : {Stretch{c.X1, c.Y1, c.X2, c.Y1}, Stretch{c.X2, c.Y1, c.X2, c.Y2},
                                        Stretch{c.X2, c.Y2, c.X1, c.Y2}, Stretch{c.X1, c.Y2, c.X1, c.Y1}})
                lines.push_back({side});
    }
    std::vector<std::string> faults;
    for (std::size_t i = 0; rules.ThingsApart && i < lines.size(); ++i)
        for (std::size_t j = i + 1; j < lines.size(); ++j)
            if (const Segment &a = lines[i], &b = lines[j]; a.owner != 0 && b.owner != 0 && a.owner != b.owner &&
                a.part == PartBody && b.part == PartBody && StretchesCross(a, b)) {
                std::ostringstream crossing;
                crossing << "the lines of two things cross at (" << std::lround(a.x1) << ", " << std::lround(a.y1) << ")-("
                         << std::lround(a.x2) << ", " << std::lround(a.y2) << ")";
                faults.push_back(crossing.str());
                i = lines.size();
                break;
            }
    for (const SurfaceCall* v : texts) {
        const TextBox box = BoxOf(*v);
        const double h = v->Height;
        // captions and titles are no values; the texts of an area kept clear (the factor table's) are its own
        if ((!v->Anchor && !IsNumeric(v->Text)) ||
            std::any_of(rules.KeepClear.begin(), rules.KeepClear.end(), [&](const TextBox& a) { return BoxWithin(box, a); }))
            continue;
        if (checked != nullptr) ++*checked;
        if (rules.Frame && !BoxWithin(box, *rules.Frame)) faults.push_back(Where(*v) + " is cut at the picture's edge");
        // a thin line from the anchor to the text ties the two wherever the text stands
        auto leads = [&](const Segment& l) {
            const TextBox a{l.x1, l.y1, 0, 0}, b{l.x2, l.y2, 0, 0};
            return v->Anchor && ((Away(*v, a) <= h / 2 && BoxGap(b, box) <= h / 2) ||
                                 (Away(*v, b) <= h / 2 && BoxGap(a, box) <= h / 2));
        };
        if (!v->Anchor && rules.EveryNumberAnchored) faults.push_back(Where(*v) + " labels nothing");
        if (v->Anchor) {
            const double away = Away(*v, box);
            const bool led = away > kNear * h && std::any_of(lines.begin(), lines.end(), leads);
            if (away > kNear * h && !led)
                faults.push_back(Where(*v) + " stands " + std::to_string(std::lround(away / h)) + " heights from its point");
            for (const SurfaceCall* w : texts)
                if (!led && w != v && w->Anchor && w->Colour == v->Colour && BoxGap(*w->Anchor, *v->Anchor) >= 1 &&
                    Away(*w, box) < away - 1) {
                    faults.push_back(Where(*v) + " stands nearer the point of " + Where(*w));
                    break;
                }
        }
        if (v->FontSize < rules.LeastType - 1E-6)
            faults.push_back(Where(*v) + " is in type of " + Format(v->FontSize, "0.0") + " points");
        // overlapping by more than rounding, or side by side too close
        for (const SurfaceCall* w : texts)
            if (w != v && BoxesOverlap(Widened(box, -0.5), BoxOf(*w)))
                faults.push_back(Where(*v) + " overlaps " + Where(*w));
            else if (w != v && BoxesOverlap({box.Left - kApart * h, box.Top, box.Width + 2 * kApart * h, box.Height}, BoxOf(*w)))
                faults.push_back(Where(*v) + " touches " + Where(*w));
        for (const Segment& l : lines)
            if (!leads(l) && StretchMeetsBox(l, Widened(box, -1))) {
                std::ostringstream line;
                line << Where(*v) << " touches the line (" << std::lround(l.x1) << ", " << std::lround(l.y1) << ")-("
                     << std::lround(l.x2) << ", " << std::lround(l.y2) << ")";
                faults.push_back(line.str());
                break;
            }
        if (rules.AsReader != nullptr && v->Anchor && v->Owner != 0) ReadAsOwn(*v, box, texts, lines, leads, *rules.AsReader);
        for (const TextBox& clear : rules.KeepClear)
            if (BoxesOverlap(box, clear)) faults.push_back(Where(*v) + " enters an area kept clear");
    }
    return faults;
}

}  // namespace brindlemar::test

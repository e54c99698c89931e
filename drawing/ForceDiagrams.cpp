#include "drawing/ForceDiagrams.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <optional>
#include <string>

#include "drawing/ForceArrows.h"
#include "drawing/LabelLayer.h"
#include "drawing/Legend.h"
#include "drawing/Primitives.h"
#include "drawing/WallView.h"
#include "analysis/Analysis.h"
#include "analysis/SectionForces.h"
#include "analysis/SectionForcesSearch.h"
#include "analysis/SectionStations.h"
#include "runtime/Format.h"
#include "runtime/Hooks.h"

namespace brindlemar {

namespace {

// Room between an ordinate's tip and its value.
constexpr double kLabelGap = 30;

// The least room for the largest expected ordinate, as a share of the
// wall's larger drawn size: what a small picture still shows of a diagram.
constexpr double kLeastOrdinateShare = 1.0 / 8;

// The least length of the largest ordinate drawn: 40 screen pixels.
constexpr double kLeastOrdinate = 40 * 15;

// How much smaller two members' diagrams may be drawn at most, as a share,
// to keep room between them where they come near.
constexpr double kLeastCleared = 0.4;

struct Point {
    double x = 0, y = 0;
};

// One member as the diagram sees it: the cuts in the order drawn, where a
// cut lies on the drawing, and which way a positive ordinate points.
struct Member {
    std::vector<float> cuts;
    SectionRoutine forces;
    ThicknessRoutine thickness;
    std::function<Point(double)> at;   // drawing point of the axis at a cut
    bool vertical;                     // stem: hatches horizontal, ordinates along x
};

// A value of the diagram and the point of the axis it stands on.
struct Ordinate {
    Point axis;
    double value = 0;
};

class DiagramPainter {
    struct Walked {
        Member member;
        MemberWalk walk;
        std::vector<KnownCut> turns;
    };

public:
    DiagramPainter(const Model& m, Surface& s, int kind) : m_(m), s_(s), kind_(kind) {}

    // Computes the member's section forces at its stations and its turns
    // between them; false when a section-force routine failed (it has shown
    // its message).
    bool Walk(const Member& member) {
        if (member.cuts.size() < 1) return true;
        std::optional<MemberWalk> walk = WalkMember(m_, member.forces, member.cuts);
        if (!walk) return false;
        const double scale = ForceScale(m_, *walk, member.thickness);
        wallScale_ = std::max(wallScale_, scale);
        std::optional<std::vector<KnownCut>> turns = Turns(member, *walk, RoundingFloor(scale));
        if (!turns) return false;
        walked_.push_back({member, std::move(*walk), std::move(*turns)});
        return true;
    }

    // The largest value of the members walked, either sign.
    double Largest() const {
        double largest = 0;
        for (const Walked& w : walked_)
            for (const KnownCut& cut : w.walk.cuts)
                largest = std::max({largest, std::fabs(First(cut.forces)), std::fabs(Second(cut.forces))});
        return largest;
    }

    // The largest scale up to the one given at which no two members'
    // diagrams overlap: each stands from its own axis, and where the stem's
    // reaches over the toe or the heel as theirs reach up to it, their
    // hatchings would cross and neither reads.
    // Where they come near, they keep `clear` apart besides, so that a
    // value's leader finds a way between them, unless that leaves them much
    // smaller.
    double Apart(double scale, double clear) const {
        auto largest = [&](double by) {
            if (!Overlap(scale, by)) return scale;
            double low = 0, high = scale;
            for (int i = 0; i < 16; ++i) {
                const double middle = (low + high) / 2;
                (Overlap(middle, by) ? high : low) = middle;
            }
            return low;
        };
        const double touching = largest(0), cleared = largest(clear);
        return cleared >= kLeastCleared * touching ? cleared : touching;
    }

    // Draws each member walked at `scale` drawing units a force unit.
    void Draw(double scale) {
        scale_ = scale;
        for (const Walked& w : walked_) Draw(w.member, w.walk, w.turns);
    }

private:
    // Draws the member's axis, hatching, edge and values. Between two
    // stations the edge runs through every turn of the curve, so that a hump
    // there shows as high as it is.
    void Draw(const Member& member, const MemberWalk& walk0, const std::vector<KnownCut>& turns0) {
        const Point first = member.at(member.cuts.front()), last = member.at(member.cuts.back());
        // the member's diagram is one thing, read from its axis
        owners_.push_back(++s_.Drawing().LastOwner);
        s_.Owner = owners_.back();
        s_.OwnerPart = PartAxis;
        DrawLineSolid(s_, first.x, first.y, last.x, last.y, m_.DiagramColours[0], s_.Drawing().DiagramPenWidths[0]);
        s_.OwnerPart = PartBody;
        const MemberWalk* walk = &walk0;
        const std::vector<KnownCut>* turns = &turns0;
        const std::size_t firstLabel = pending_.size();
        const std::size_t lastStation = walk->stations.size() - 1;
        // what is no section force beside the forces of every member walked
        // (the rounding of sums that cancel at a free end, or a jump of
        // rounding between two intervals) gets no value
        const float floor = RoundingFloor(wallScale_);
        double previousEnd = 0;
        constexpr std::size_t kNone = static_cast<std::size_t>(-1);
        std::size_t previousEndLabel = kNone;   // the value written at the end of the interval before
        for (size_t k = 1; k < walk->stations.size(); ++k) {
            const KnownCut &a = walk->cuts[walk->stations[k - 1]], &b = walk->cuts[walk->stations[k]];
            // just past the first cut counts a force standing on it; just before the second does not
            const double v0 = First(a.forces), v1 = Second(b.forces);
            const Point p0 = member.at(a.x), p1 = member.at(b.x);
            std::vector<Ordinate> curve{{p0, v0}};
            for (const KnownCut& turn : *turns)
                if ((turn.x - a.x) * (b.x - turn.x) > 0) curve.push_back({member.at(turn.x), First(turn.forces)});
            curve.push_back({p1, v1});
            Hatch(member.vertical, curve);
            const double along = member.vertical ? p1.y - p0.y : p1.x - p0.x;
            // the values at the member's two ends are read off the picture,
            // and both values of a jump; the one at the first cut, the
            // member's free end, stands beyond it
            if (!NoSectionForce(v0 - previousEnd, floor)) {
                if (previousEndLabel != kNone) pending_[previousEndLabel].jump = true;
                Label(member, p0, v0, (k == 1) != (along >= 0), k == 1, k == 1);
                pending_.back().jump = k > 1;
            }
            previousEndLabel = kNone;
            if (!NoSectionForce(v1, floor)) {
                previousEndLabel = pending_.size();
                Label(member, p1, v1, along < 0, k == lastStation);
            }
            previousEnd = v1;
        }
        MarkLargest(member, *turns, firstLabel);
        s_.Owner = 0;
        ++member_;
    }

    // The outline of a member's diagram at the scale: its axis and the tips
    // of its ordinates as drawn, at the stations and the turns between.
    std::vector<Point> Outline(const Walked& w, double scale) const {
        const Member& member = w.member;
        auto tip = [&](float x, double value) {
            const Point a = member.at(x);
            return member.vertical ? Point{a.x + value * scale, a.y} : Point{a.x, a.y + value * scale};
        };
        std::vector<Point> outline{member.at(w.walk.cuts[w.walk.stations.front()].x)};
        for (size_t k = 1; k < w.walk.stations.size(); ++k) {
            const KnownCut &a = w.walk.cuts[w.walk.stations[k - 1]], &b = w.walk.cuts[w.walk.stations[k]];
            outline.push_back(tip(a.x, First(a.forces)));
            for (const KnownCut& turn : w.turns)
                if ((turn.x - a.x) * (b.x - turn.x) > 0) outline.push_back(tip(turn.x, First(turn.forces)));
            outline.push_back(tip(b.x, Second(b.forces)));
        }
        outline.push_back(member.at(w.walk.cuts[w.walk.stations.back()].x));
        return outline;
    }

    // Whether two members' diagrams at the scale share any area: their
    // outlines cross, or a point of one lies within the other.
    bool Overlap(double scale, double clear) const {
        std::vector<std::vector<Point>> outlines;
        for (const Walked& w : walked_) outlines.push_back(Outline(w, scale));
        auto within = [](const std::vector<Point>& outline, Point p) {
            bool in = false;
            for (size_t i = 0; i < outline.size(); ++i) {
                const Point &a = outline[i], &b = outline[(i + 1) % outline.size()];
                in ^= RayCrosses(a.x, a.y, b.x, b.y, p.x, p.y);
            }
            return in;
        };
        for (size_t i = 0; i < outlines.size(); ++i)
            for (size_t j = i + 1; j < outlines.size(); ++j) {
                const auto &a = outlines[i], &b = outlines[j];
                for (size_t p = 0; p < a.size(); ++p)
                    for (size_t q = 0; q < b.size(); ++q) {
                        const Point &a1 = a[p], &a2 = a[(p + 1) % a.size()], &b1 = b[q], &b2 = b[(q + 1) % b.size()];
                        if (clear > 0 ? SegmentsApart(a1.x, a1.y, a2.x, a2.y, b1.x, b1.y, b2.x, b2.y) < clear
                                      : SegmentsMeet(a1.x, a1.y, a2.x, a2.y, b1.x, b1.y, b2.x, b2.y))
                            return true;
                    }
                if (within(b, a[1 % a.size()]) || within(a, b[1 % b.size()])) return true;
            }
        return false;
    }

    double First(const SectionForces& f) const { return kind_ == 1 ? f.M : kind_ == 2 ? f.V : f.N; }
    double Second(const SectionForces& f) const { return kind_ == 1 ? f.M2 : kind_ == 2 ? f.V2 : f.N2; }

    Point Tip(bool vertical, Point axis, double value) const {
        return vertical ? Point{axis.x + value * scale_, axis.y} : Point{axis.x, axis.y + value * scale_};
    }

    // The local extremes of the diagram's value between the stations, of
    // either sign, in the order of the cuts.
    std::optional<std::vector<KnownCut>> Turns(const Member& member, const MemberWalk& walk, float floor) {
        const Component component = kind_ == MomentDiagram  ? Component::Moment
                                    : kind_ == ShearDiagram ? Component::Shear
                                                            : Component::Normal;
        std::vector<KnownCut> turns;
        for (const Sense sense : {Sense::Negative, Sense::Positive}) {
            const auto peaks = NarrowPeaks(m_, member.forces, walk, {component, sense}, floor);
            if (!peaks) return std::nullopt;
            turns.insert(turns.end(), peaks->begin(), peaks->end());
        }
        const bool ascending = member.cuts.back() >= member.cuts.front();
        std::sort(turns.begin(), turns.end(),
                  [&](const KnownCut& a, const KnownCut& b) { return ascending ? a.x < b.x : a.x > b.x; });
        return turns;
    }

    // Hatch lines across the axis at every multiple of the pitch between the
    // curve's ends, closed by lines at both ends, and the diagram's edge
    // through their tips and through every point of the curve between.
    void Hatch(bool vertical, const std::vector<Ordinate>& curve) {
        const Ordinate &first = curve.front(), &last = curve.back();
        const double length = std::hypot(last.axis.x - first.axis.x, last.axis.y - first.axis.y);
        if (!(length > 0)) return;
        auto along = [&](const Point& p) { return vertical ? p.y : p.x; };
        const double a0 = along(first.axis), a1 = along(last.axis);
        const int32_t colour = m_.DiagramColours[1];
        const int pen = s_.Drawing().DiagramPenWidths[1];
        auto tipOf = [&](const Ordinate& o) { return Tip(vertical, o.axis, o.value); };
        auto line = [&](const Ordinate& o) {
            const Point tip = tipOf(o);
            DrawLineSolid(s_, o.axis.x, o.axis.y, tip.x, tip.y, colour, pen);
            hatches_.push_back({o.axis, tip, vertical});
            return tip;
        };
        Point previous = line(first);
        auto edgeTo = [&](Point tip) {
            DrawLineSolid(s_, previous.x, previous.y, tip.x, tip.y, colour, pen);
            previous = tip;
        };
        // the point of the curve that stands at a along the axis, between
        // the points `next` - 1 and `next`
        std::size_t next = 1;
        auto past = [&](double a, double b) { return a1 > a0 ? a > b : a < b; };
        auto at = [&](double a) {
            const Ordinate &p = curve[next - 1], &q = curve[next];
            const double ap = along(p.axis), aq = along(q.axis);
            const double t = aq != ap ? (a - ap) / (aq - ap) : 0;
            return Ordinate{{p.axis.x + t * (q.axis.x - p.axis.x), p.axis.y + t * (q.axis.y - p.axis.y)},
                            p.value + t * (q.value - p.value)};
        };
        const double pitch = s_.Drawing().DiagramHatchPitch;
        if (pitch > 0 && a1 != a0) {
            const double low = std::min(a0, a1), high = std::max(a0, a1);
            const long count = static_cast<long>(std::floor((high - low) / pitch)) + 1;
            const double firstStep = std::ceil(low / pitch);
            // in the order drawn, so that the edge runs from the first cut to the second
            for (long i = 0; i < count; ++i) {
                const long step = a1 > a0 ? static_cast<long>(firstStep) + i
                                          : static_cast<long>(std::floor(high / pitch)) - i;
                const double a = step * pitch;
                if (a < low || a > high) continue;
                for (; next + 1 < curve.size() && past(a, along(curve[next].axis)); ++next) edgeTo(tipOf(curve[next]));
                edgeTo(line(at(a)));
            }
        }
        for (; next + 1 < curve.size(); ++next) edgeTo(tipOf(curve[next]));
        edgeTo(line(last));
    }

    // The value just beyond its ordinate's tip: right of a positive stem
    // ordinate and left of a negative one, below a positive toe or heel
    // ordinate and above a negative one. Along the axis the text stands on
    // the side of the interval it belongs to, so that the two values of a
    // jump stand apart; at a free end, beyond the member.
    void Label(const Member& member, Point axis, double value, bool forwards, bool essential = false,
               bool freeEnd = false) {
        PendingLabel label;
        label.text = Format(value, "0.00");
        label.value = value;
        label.member = member_;
        label.essential = essential;
        const bool vertical = member.vertical;
        const Point tip = Tip(vertical, axis, value);
        label.width = s_.TextWidth(label.text);
        label.height = TwipsPerPoint * s_.FontSize;
        label.vertical = vertical;
        label.tip = tip;
        if (vertical) {
            label.x = value < 0 ? tip.x - label.width - kLabelGap : tip.x + kLabelGap;
            label.y = forwards ? tip.y : tip.y - label.height;
        } else {
            // side by side on one line two values must not read as one number:
            // the two of a jump stand more than a digit's width apart
            const double gap = std::max(kLabelGap, 0.6 * s_.TextWidth("0"));
            auto across = [&](bool ahead) { return ahead ? tip.x + gap : tip.x - label.width - gap; };
            label.x = across(forwards);
            label.y = value < 0 ? tip.y - label.height - kLabelGap : tip.y + kLabelGap;
            // over its own member: a value reaching past the root over the stem reads as the stem's
            const double root = member.at(member.cuts.back()).x, end = member.at(member.cuts.front()).x;
            label.x = root < end ? std::max(label.x, root + gap) : std::min(label.x, root - gap - label.width);
            // the value at a toe's tip or a heel's end stands beyond it, level with its ordinate's tip
            if (freeEnd) {
                label.y = tip.y - label.height / 2;
                label.outwards = root > end ? -1 : 1;
                label.x = root > end ? tip.x - label.width - gap : tip.x + gap;
            }
        }
        pending_.push_back(label);
    }

    // The member's largest value of each sign counts like its ends; where
    // it lies between stations, at the top of a hump, it gets a value of its own.
    void MarkLargest(const Member& member, const std::vector<KnownCut>& turns, std::size_t firstLabel) {
        for (const int sign : {1, -1}) {
            std::optional<std::size_t> largest;
            for (std::size_t i = firstLabel; i < pending_.size(); ++i)
                if (sign * pending_[i].value > 0 &&
                    (!largest || sign * pending_[i].value > sign * pending_[*largest].value))
                    largest = i;
            const KnownCut* hump = nullptr;
            for (const KnownCut& turn : turns) {
                const double v = First(turn.forces);
                if (sign * v >= 0.005 && (!largest || sign * v > sign * pending_[*largest].value + 0.005) &&
                    (hump == nullptr || sign * v > sign * First(hump->forces)))
                    hump = &turn;
            }
            if (hump != nullptr)
                Label(member, member.at(hump->x), First(hump->forces), true, true);
            else if (largest)
                pending_[*largest].essential = true;
        }
    }

public:
    // Writes the values collected: each member's ends and its largest of
    // either sign first, then the others, the largest first. Each stands
    // just beyond its ordinate's tip where that is free, else at the nearest
    // free spot by the tip and no nearer another value's tip; where none is
    // free, a value that matters is joined to its tip by a leader and any
    // other is left out. A value that repeats one of its member written
    // close by is left out too.
    void WriteLabels() {
        std::stable_sort(pending_.begin(), pending_.end(), [](const PendingLabel& a, const PendingLabel& b) {
            if (a.essential != b.essential) return a.essential;
            if (a.jump != b.jump) return a.jump;
            return std::fabs(a.value) > std::fabs(b.value);
        });
        s_.ForeColor = m_.DiagramTextColours[1];
        for (PendingLabel& label : pending_) {
            ClearHatching(label);
            const bool repeated = std::any_of(written_.begin(), written_.end(), [&](const PendingLabel& other) {
                return other.member == label.member && other.text == label.text &&
                       std::fabs(other.x - label.x) < label.width + label.height &&
                       std::fabs(other.y - label.y) < 2 * label.height;
            });
            if (repeated) continue;
            s_.Owner = owners_[static_cast<std::size_t>(label.member)];
            NextTextLabels(s_, label.tip.x, label.tip.y, label.tip.x, label.tip.y,
                           label.essential ? LabelLayer::WhenCrowded::Leader
                           : label.jump    ? LabelLayer::WhenCrowded::ShortLeader
                                           : LabelLayer::WhenCrowded::LeftOut);
            s_.CurrentX = label.x;
            s_.CurrentY = label.y;
            s_.Print(label.text);
            written_.push_back(label);
        }
        s_.Owner = 0;
        pending_.clear();
    }

private:
    struct PendingLabel {
        std::string text;
        double value = 0, x = 0, y = 0, width = 0, height = 0;
        Point tip;   // of its ordinate, the point it labels
        bool vertical = false;
        int outwards = 0;   // beyond a toe's or heel's free end: the way along it away from the stem
        int member = 0;
        bool essential = false;   // an end or the largest of its sign: written first, nearest its spot
        bool jump = false;        // either value of a jump at a station: written next
    };
    struct HatchLine {
        Point axis, tip;
        bool vertical;   // of the stem
    };

    // Moves the label away from the axis, across the member, just past every
    // hatch line that runs beside it: right of positive stem ordinates, left
    // of negative ones, below positive toe and heel ordinates, above negative ones.
    void ClearHatching(PendingLabel& label) const {
        for (const HatchLine& h : hatches_) {
            // beyond a free end no hatching runs beside the value
            if (h.vertical != label.vertical || label.outwards != 0) continue;
            if (label.vertical) {
                if (h.axis.y < label.y - kLabelGap || h.axis.y > label.y + label.height + kLabelGap) continue;
                const double outer = label.value < 0 ? std::min(h.axis.x, h.tip.x) : std::max(h.axis.x, h.tip.x);
                if (label.value < 0)
                    label.x = std::min(label.x, outer - label.width - kLabelGap);
                else
                    label.x = std::max(label.x, outer + kLabelGap);
            } else {
                if (h.axis.x < label.x - kLabelGap || h.axis.x > label.x + label.width + kLabelGap) continue;
                const double outer = label.value < 0 ? std::min(h.axis.y, h.tip.y) : std::max(h.axis.y, h.tip.y);
                if (label.value < 0)
                    label.y = std::min(label.y, outer - label.height - kLabelGap);
                else
                    label.y = std::max(label.y, outer + kLabelGap);
            }
        }
    }

    std::vector<Walked> walked_;
    std::vector<PendingLabel> pending_, written_;
    std::vector<HatchLine> hatches_;
    std::vector<int> owners_;   // the number each member's diagram is drawn as
    int member_ = 0;
    double wallScale_ = 0;   // the scale of the forces of every member drawn

    const Model& m_;
    Surface& s_;
    int kind_;
    double scale_ = 0;
};

}  // namespace

ForceDiagramScales ComputeForceDiagramScales(const Model& m, double room) {
    ForceDiagramScales scales;
    const double V = std::fabs(m.TotalVerticalForce), H = std::fabs(m.TotalHorizontalForce);
    const double momentReference = std::max(V * m.ToeLength, V * m.HeelLength);
    const double forceReference = std::max(H, V);
    // a frame too small for two labels leaves no room for the diagram
    if (momentReference > NegligibleForce) scales.Moment = std::max(room, 0.0) / momentReference;
    if (forceReference > NegligibleForce) scales.Force = std::max(room, 0.0) / forceReference;
    return scales;
}

std::vector<float> HeelCutsFromEnd(double heelLength, const std::vector<float>& stations) {
    std::vector<float> cuts;
    for (auto i = stations.rbegin(); i != stations.rend(); ++i)
        cuts.push_back(static_cast<float>(heelLength - *i));
    return cuts;
}

void DrawForceDiagrams(const Model& m, Surface& surface, int kind) {
    BusyPointer busy;
    // the values are laid out last, clear of the diagrams, the wall below
    // them, one another and the legend
    LabelLayer s = ViewLabelLayer(surface);
    // the cuts of each member, for the combination prepared
    const std::vector<float> stemStations = StemStationList(m), toeStations = ToeStationList(m),
                             heelCuts = HeelCutsFromEnd(m.HeelLength, HeelStationList(m));
    SetDrawingMargins(s, 0.3, 0.3);
    if (!DrawingFitted(s)) return;
    s.Underneath(true);
    DrawWall(m, s, 0, 0);
    s.Underneath(false);

    // model points (x from the toe tip, y down from the wall top) on the drawing
    const double scale = s.Drawing().DrawingScale;
    auto place = [&](double x, double y) {
        return Point{s.Drawing().DrawingXCoordinates[4] + scale * x, s.Drawing().DrawingYCoordinates[4] - scale * (m.WallHeight - y)};
    };
    const double Tl = m.ToeLength, Fb = m.StemFrontBatter, St = m.StemTopThickness, Bb = m.StemBackBatter;
    const double Hf = m.FrontStemHeight, Hb = m.BackStemHeight;

    DiagramPainter painter(m, s, kind);
    bool walked = true;
    const double stemHeight = std::min(Hf, Hb);
    if (stemHeight > 0) {
        // the stem's centre line, from the middle of its top to its middle at the lower foot
        const double e = Fb * stemHeight / Hf + St + Bb * stemHeight / Hb;
        const Point top = place(Tl + Fb + St / 2, 0);
        const Point foot = place(Tl + Fb * (1 - stemHeight / Hf) + e / 2, stemHeight);
        walked = painter.Walk({stemStations, &CalcStemSectionForces, &StemThicknessAt,
                               [top, foot, stemHeight](double d) {
                                   const double t = d / stemHeight;
                                   return Point{top.x + t * (foot.x - top.x), top.y + t * (foot.y - top.y)};
                               },
                               true});
    }
    // the base reaction that loads toe and heel exists only for a stable wall
    if (walked && m.WallStable != 0 && m.ToeLength > 0) {
        const double tip = m.ToeTipThickness, drop = m.ToeTopDrop, H = m.WallHeight;
        walked = painter.Walk({toeStations, &CalcToeSectionForces, &ToeThicknessAt,
                               [place, tip, drop, Tl, H](double d) { return place(d, H - (tip + drop * d / Tl) / 2); },
                               false});
    }
    if (walked && m.WallStable != 0 && m.HeelLength > 0) {
        const double end = m.HeelEndThickness, drop = m.HeelTopDrop, HL = m.HeelLength, B = m.BaseWidth, H = m.WallHeight;
        walked = painter.Walk({heelCuts, &CalcHeelSectionForces, &HeelThicknessAt,
                               [place, end, drop, HL, B, H](double d) { return place(B - d, H - (end + drop * d / HL) / 2); },
                               false});
    }
    if (!walked) return;

    // the largest expected ordinate and two value cells fit in the smaller
    // margin; where a small picture leaves no such room, the ordinate keeps
    // a share of the wall's drawn size, and the values find room around it.
    // However small the forces against those expected, the largest ordinate
    // drawn stays long enough to show the diagram's shape.
    const double margin = std::min(s.Drawing().DrawingMarginX, s.Drawing().DrawingMarginY);
    const double cell = s.TextWidth("000.00") + 60;
    const double wallSize = s.Drawing().DrawingScale * std::max<double>(m.WallHeight, m.BaseWidth);
    const ForceDiagramScales scales =
        ComputeForceDiagramScales(m, std::max(margin - 2 * cell, kLeastOrdinateShare * wallSize));
    double diagramScale = kind == MomentDiagram ? scales.Moment : scales.Force;
    const double largest = painter.Largest(), leastOrdinate = kLeastOrdinate * OffsetScale(s);
    if (largest > NegligibleForce && largest * diagramScale < leastOrdinate) diagramScale = leastOrdinate / largest;

    // hatches over the coloured wall stay visible, and overlapping lines do not hide each other
    s.DrawMode = vbMaskPen;
    painter.Draw(painter.Apart(diagramScale, TwipsPerPoint * s.FontSize / 2));
    s.DrawMode = vbCopyPen;
    painter.WriteLabels();

    std::vector<std::string> lines = StabilityLegendLines(m);
    const std::string& force = UnitLabel(m, m.ForceUnitLabels);
    const std::string& length = UnitLabel(m, m.LengthUnitLabels);
    lines.push_back(kind == MomentDiagram ? "Moments in " + force + length + "/" + length
                                          : "Forces in " + force + "/" + length);
    s.PrintInPlace(true);
    PrintLegend(m, s, lines);
}

}  // namespace brindlemar

#pragma once
// What the parts of the label layer share, and nothing outside it uses: its
// rules (how near a value stands, how far it is led) and the plane geometry
// of its segments, and the spots a leader's search tries.

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "drawing/LabelLayer.h"
#include "drawing/TextPlacement.h"

namespace brindlemar {

namespace label_layer {

// How far a text may be moved from where it was asked for, in its heights
// (and across, at least its width).
constexpr double kReach = 4;
// How near a text stands to what it labels, in its heights.
constexpr double kNear = 2;
// How far a short leader reaches, in its heights: a value led farther is read amiss.
constexpr double kShortLeader = 6;
// How far a longer leader reaches, in its heights.
constexpr double kLongLeader = 12;
// How far a leader reaches on the finer grid, in heights: the narrow gaps
// it is for lie near what a value labels.
constexpr double kFineReach = 4;
// For how many values of a picture the layer looks harder where no spot
// reads right, each time it lays them out.
constexpr int kLookHarder = 6;
// And in a picture of few values (kFewValues), where more of them find room
// so, up to some ten on the walls tried.
constexpr int kLookHarderFew = 12;
// How far a value that must show is led at most, in its heights.
constexpr double kFarthest = 24;
// What a leader across a text counts for, in texts astray.
constexpr int kAcrossText = 100;
// How far a leader longer than a short one and its text keep from other
// things and their values, in heights (past the first so much of it, where
// it leaves its own thing).
constexpr double kLongLeaderClear = 0.5;
// How many times the texts of a view are laid out again at most, the hardest
// first: a third time seldom leaves fewer astray (three of some forty
// pictures that came so far), and costs as much as the first.
constexpr int kRounds = 2;
// Up to how many values a picture's layout looks harder (a wall of ten loads
// shows some forty): beyond, it would take longer than a redraw may.
constexpr std::size_t kFewValues = 48;
// How many times the texts of a picture of so few are laid out again at
// most: each round after one that left more astray puts those first too,
// which finds room for more of them up to some five rounds on the walls tried.
constexpr int kRoundsFew = 5;
// How many times at most the values of such a picture left astray are made way for.
constexpr int kMakeWayPasses = 3;

// The box a segment spans.
template <typename S>
TextBox Bounds(const S& l) {
    return {std::min(l.x1, l.x2), std::min(l.y1, l.y2), std::fabs(l.x2 - l.x1), std::fabs(l.y2 - l.y1)};
}

// The length of (dx, dy): a plain root, cheaper than hypot, which guards
// against overflow far beyond any picture's twips.
inline double Length(double dx, double dy) { return std::sqrt(dx * dx + dy * dy); }

// Whether two segments meet (touching ends count).
template <typename S>
bool SegmentsCross(const S& a, const S& b) {
    auto side = [](double x1, double y1, double x2, double y2, double x, double y) {
        const double c = (x2 - x1) * (y - y1) - (y2 - y1) * (x - x1);
        return (c > 0) - (c < 0);
    };
    const int a1 = side(a.x1, a.y1, a.x2, a.y2, b.x1, b.y1), a2 = side(a.x1, a.y1, a.x2, a.y2, b.x2, b.y2);
    const int b1 = side(b.x1, b.y1, b.x2, b.y2, a.x1, a.y1), b2 = side(b.x1, b.y1, b.x2, b.y2, a.x2, a.y2);
    if (a1 * a2 < 0 && b1 * b2 < 0) return true;
    // in line with each other: they meet where their bounds do
    return a1 == 0 && a2 == 0 &&
           Overlap(Grown({std::min(a.x1, a.x2), std::min(a.y1, a.y2), std::fabs(a.x2 - a.x1), std::fabs(a.y2 - a.y1)}, 1),
                   {std::min(b.x1, b.x2), std::min(b.y1, b.y2), std::fabs(b.x2 - b.x1), std::fabs(b.y2 - b.y1)});
}

// How far apart two segments lie: 0 where they meet, else from an end of one to the other.
template <typename S>
double SegmentDistance(const S& a, const S& b) {
    if (SegmentsCross(a, b)) return 0;
    auto toSegment = [](const S& l, double px, double py) {
        const double dx = l.x2 - l.x1, dy = l.y2 - l.y1, l2 = dx * dx + dy * dy;
        const double t = l2 > 0 ? std::clamp(((px - l.x1) * dx + (py - l.y1) * dy) / l2, 0.0, 1.0) : 0;
        return Length(px - (l.x1 + t * dx), py - (l.y1 + t * dy));
    };
    return std::min({toSegment(a, b.x1, b.y1), toSegment(a, b.x2, b.y2), toSegment(b, a.x1, a.y1), toSegment(b, a.x2, a.y2)});
}

}  // namespace label_layer

// The spots where a text may stand and a leader join it to what it labels,
// nearest first (in the order they are made where equally near), made band
// by band only as far out as a search has gone: most searches stop near.
// The texts and lines placed stay as they are while one label is placed, so
// what keeps a spot from standing is learnt once for all its searches, and
// where a search of one kind found no leader.
struct LabelLayer::LeaderSpots {
    struct Spot {
        double length;  // from what it labels; until `stands`, from the box around it, no more
        int i, j;       // steps across and down from that
        bool stands;    // known to be free and on its side (whether among others' values: Tried)
        std::uint32_t number;  // in the label's grid (SpotBands::learnt)
    };
    // What is known of a spot made.
    struct Tried {
        signed char led = -1;     // whether a leader joins it, and which (`leader`)
        signed char among = -1;   // whether it stands among other things' values (AmongOthers)
        Known nearest;            // what that leader crosses
        Known elsewhere[kStarts];  // what the leaders from other points of what it labels cross
        Segment leader{};
    };
    int perHeight = 2;  // steps of the grid to a height: 3 on the finer one
    std::vector<Spot> made;  // those that stand no farther than `reach`, in order
    std::vector<Tried> tried;  // of each of those
    // those made that are farther, by the band (in whole heights) that
    // holds their length, or the band of a length no greater
    std::vector<std::vector<Spot>> bands;
    int reach = static_cast<int>(label_layer::kNear);  // in heights
    std::size_t grid = SIZE_MAX;  // the label's spots by band (LabelLayer::spotBands_), once looked up
    // which spots the texts placed keep off, learnt out to so many columns
    // and steps either way: as far again as a band needs, which the next
    // few bands need not learn anew
    std::optional<SpotsKeptOff> keeps;
    int keptColumns = -1, keptRows = -1;
    std::size_t failed[2][2] = {};  // by leaders crossed and other things' lines crossed: the first that found none
    double failedLongest[2][2] = {};  // and how long a leader from elsewhere it tried there
    std::vector<std::size_t> own;  // the texts placed of what the label labels, in its colour
};

// The spots of a leader's grid around what a label labels, each filed
// under the band it is first tried in, as far out as its searches went:
// where a spot lies, how far from what is labelled and in which band depend
// on that and the text's size alone, not on what is placed, so they are
// made once for every search of the label, however often it is placed again.
struct LabelLayer::SpotBands {
    TextBox of;  // what is labelled
    std::optional<Segment> along;  // the line within it that is labelled
    double width, height;  // the text's
    int owner;  // the thing labelled, whose lines a leader may cross
    int perHeight;
    std::vector<std::vector<LeaderSpots::Spot>> bands;
    int reach = static_cast<int>(label_layer::kNear);  // the bands made, up to this one
    // by column, the middle one at `columns`: the steps either way made in it, -1 none
    std::vector<int> down;
    int columns = -1;
    // What the searches of a picture of few values (LabelLayer::laying_)
    // learnt of a spot that lasts the layout: whether it keeps clear of what
    // stays drawn (ClearOfDrawn) on its side, -1 not learnt yet; how far it
    // lies from the line labelled, -1 the same; what its leaders cross.
    struct Learnt {
        signed char standsDrawn = -1;
        double away = -1;
        AcrossDrawn across;
    };
    std::vector<Learnt> learnt;  // of each spot made, by its number, in such a picture
};

// Asked of every spot tried, by the searches near and far alike: inline.
inline double LabelLayer::Away(const Label& label, const TextBox& box) {
    if (label.Along) return SegmentBoxDistance(label.Along->x1, label.Along->y1, label.Along->x2, label.Along->y2, box);
    return Distance(box, *label.Of);
}

inline bool LabelLayer::OnItsSide(const Label& label, const Reading& reading, const TextBox& box) const {
    if (label.Owner == 0 || !label.Of) return true;
    if (reading.axis) {
        // across its member's axis a force reads as of the other sign
        const Segment& a = *reading.axis;
        auto side = [&](double x, double y) { return SideOfLine(a.x1, a.y1, a.x2, a.y2, x, y); };
        const double tip = side(label.Of->Left + label.Of->Width / 2, label.Of->Top + label.Of->Height / 2);
        const double text = side(box.Left + box.Width / 2, box.Top + box.Height / 2);
        if (std::fabs(tip) > gap_ / 2 && tip * text <= 0) return false;
    }
    return true;
}

}  // namespace brindlemar

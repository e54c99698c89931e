#include "drawing/LabelLayer.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <iterator>
#include <tuple>
#include <utility>

#include "drawing/LabelLayerGrid.h"
#include "drawing/Primitives.h"
#include "runtime/Colours.h"

namespace brindlemar {

namespace {

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
// How far a value that must show is led at most, in its heights.
constexpr double kFarthest = 24;
// What a leader across a text counts for, in texts astray.
constexpr int kAcrossText = 100;
// How far a leader longer than a short one and its text keep from other
// things and their values, in heights (past the first so much of it, where
// it leaves its own thing).
constexpr double kLongLeaderClear = 0.5;
// How many times the texts of a view are laid out again at most, the hardest first.
constexpr int kRounds = 3;

// The pen, the font and the scale origin; not the print position.
void CopyState(const Surface& from, Surface& to) {
    to.DrawWidth = from.DrawWidth;
    to.DrawStyle = from.DrawStyle;
    to.DrawMode = from.DrawMode;
    to.ForeColor = from.ForeColor;
    to.FillColor = from.FillColor;
    to.FillStyle = from.FillStyle;
    to.FontName = from.FontName;
    to.FontSize = from.FontSize;
    to.FontBold = from.FontBold;
    to.FontItalic = from.FontItalic;
    to.FontUnderline = from.FontUnderline;
    to.ScaleLeft = from.ScaleLeft;
    to.ScaleTop = from.ScaleTop;
    to.Owner = from.Owner;
    to.OwnerPart = from.OwnerPart;
}

// Measures texts as the surface given, leaving its font as it was, and draws nothing.
class MeasuringOnly final : public Surface {
public:
    explicit MeasuringOnly(Surface& s) : s_(s) {}
    double TwipsPerPixelX() const override { return s_.TwipsPerPixelX(); }
    double TwipsPerPixelY() const override { return s_.TwipsPerPixelY(); }
    double ScaleWidth() const override { return s_.ScaleWidth(); }
    double ScaleHeight() const override { return s_.ScaleHeight(); }
    double TextWidth(const std::string& text) override { return Measure(&Surface::TextWidth, text); }
    double TextHeight(const std::string& text) override { return Measure(&Surface::TextHeight, text); }
    std::vector<std::string> FontNames() const override { return s_.FontNames(); }
    using Surface::Drawing;
    DrawingState& Drawing() override { return s_.Drawing(); }
    void PaintPicture(const Picture&, double, double, double, double) override {}
    void NewPage() override {}
    void EndDoc() override {}

protected:
    void DrawLine(double, double, double, double, int32_t) override {}
    void DrawBox(double, double, double, double, int32_t) override {}
    void DrawFilledBox(double, double, double, double, int32_t) override {}
    void DrawText(double, double, const std::string&) override {}
    void Clear() override {}

private:
    double Measure(double (Surface::*measure)(const std::string&), const std::string& text) {
        // in this font, lent to the surface given for the while
        auto swapFonts = [&] {
            std::swap(FontName, s_.FontName);
            std::swap(FontSize, s_.FontSize);
            std::swap(FontBold, s_.FontBold);
            std::swap(FontItalic, s_.FontItalic);
            std::swap(FontUnderline, s_.FontUnderline);
        };
        swapFonts();
        const double measured = (s_.*measure)(text);
        swapFonts();
        return measured;
    }
    Surface& s_;
};

// The box a segment spans.
template <typename S>
TextBox Bounds(const S& l) {
    return {std::min(l.x1, l.x2), std::min(l.y1, l.y2), std::fabs(l.x2 - l.x1), std::fabs(l.y2 - l.y1)};
}

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
        return std::hypot(px - (l.x1 + t * dx), py - (l.y1 + t * dy));
    };
    return std::min({toSegment(a, b.x1, b.y1), toSegment(a, b.x2, b.y2), toSegment(b, a.x1, a.y1), toSegment(b, a.x2, a.y2)});
}

}  // namespace

bool SegmentsMeet(double ax1, double ay1, double ax2, double ay2, double bx1, double by1, double bx2, double by2) {
    struct S {
        double x1, y1, x2, y2;
    };
    return SegmentsCross(S{ax1, ay1, ax2, ay2}, S{bx1, by1, bx2, by2});
}

double SideOfLine(double x1, double y1, double x2, double y2, double x, double y) {
    const double length = std::hypot(x2 - x1, y2 - y1);
    return length > 0 ? ((x2 - x1) * (y - y1) - (y2 - y1) * (x - x1)) / length : 0;
}

bool RayCrosses(double x1, double y1, double x2, double y2, double x, double y) {
    return (y1 > y) != (y2 > y) && x < x1 + (y - y1) * (x2 - x1) / (y2 - y1);
}

double SegmentBoxDistance(double x1, double y1, double x2, double y2, const TextBox& b) {
    if (SegmentCrossesBox(x1, y1, x2, y2, b)) return 0;
    // apart, the nearest points are an end of the segment or a corner of the box
    const double dx = x2 - x1, dy = y2 - y1, l2 = dx * dx + dy * dy;
    auto toSegment = [&](double px, double py) {
        const double t = l2 > 0 ? std::clamp(((px - x1) * dx + (py - y1) * dy) / l2, 0.0, 1.0) : 0;
        const double ex = px - (x1 + t * dx), ey = py - (y1 + t * dy);
        return ex * ex + ey * ey;
    };
    const double right = b.Left + b.Width, bottom = b.Top + b.Height;
    return std::sqrt(std::min({SquaredDistance(b, {x1, y1, 0, 0}), SquaredDistance(b, {x2, y2, 0, 0}),
                               toSegment(b.Left, b.Top), toSegment(right, b.Top), toSegment(b.Left, bottom),
                               toSegment(right, bottom)}));
}

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
        bool stands;    // known to be free, on its side and among no other's values
    };
    // What is known of a spot made.
    struct Tried {
        signed char led = -1;     // whether a leader joins it, and which (`leader`)
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
    int reach = static_cast<int>(kNear);  // in heights
    // by column, the middle one at `columns`: the steps either way made in it, -1 none
    std::vector<int> down;
    int columns = -1;
    std::size_t failed[2][2] = {};  // by leaders crossed and other things' lines crossed: the first that found none
    double failedLongest[2][2] = {};  // and how long a leader from elsewhere it tried there
    std::vector<std::size_t> own;  // the texts placed of what the label labels, in its colour
};

LabelLayer::LabelLayer(Surface& target, TextBox area, double gap)
    : target_(target), area_(area), gap_(gap), lineGap_(gap), lineCells_(area), textCells_(area), leaderCells_(area) {
    CopyState(target, *this);
    CurrentX = target.CurrentX;
    CurrentY = target.CurrentY;
}

LabelLayer::LabelLayer(std::unique_ptr<Surface> measuring, TextBox area, double gap)
    : LabelLayer(*measuring, area, gap) {
    measuring_ = std::move(measuring);
}

LabelLayer LabelLayer::Trial(Surface& measuring, TextBox area, double gap) {
    auto surface = std::make_unique<MeasuringOnly>(measuring);
    CopyState(measuring, *surface);
    surface->CurrentX = measuring.CurrentX;
    surface->CurrentY = measuring.CurrentY;
    return LabelLayer(std::move(surface), area, gap);
}

LabelLayer::~LabelLayer() {
    try {
        Flush();
    } catch (...) {
        // a surface that failed to draw has told so already; the texts are lost with it
    }
}

Surface& LabelLayer::Below() {
    CopyState(*this, target_);
    return target_;
}

LabelLayer::Look LabelLayer::LookNow() const {
    return {FontName, FontSize, FontBold, FontItalic, FontUnderline, ForeColor};
}

void LabelLayer::Wear(const Look& look) {
    FontName = look.FontName;
    FontSize = look.FontSize;
    FontBold = look.Bold;
    FontItalic = look.Italic;
    FontUnderline = look.Underline;
    ForeColor = look.Colour;
}

double LabelLayer::TextWidth(const std::string& text) { return Below().TextWidth(text); }
double LabelLayer::TextHeight(const std::string& text) { return Below().TextHeight(text); }

void LabelLayer::PaintPicture(const Picture& picture, double x, double y, double width, double height) {
    DrawWaitingGround();
    Below().PaintPicture(picture, x, y, width, height);
}

void LabelLayer::NewPage() {
    Flush();
    Forget();
    ForgetPlaced(0);
    target_.NewPage();
}

void LabelLayer::EndDoc() {
    Flush();
    target_.EndDoc();
}

void LabelLayer::Learn(const Segment& l) {
    lines_.push_back(l);
    // a slanting line passes only some of the cells of its bounds
    lineCells_.Add(lines_.size() - 1, Bounds(l),
                   [&](const TextBox& cell) { return SegmentCrossesBox(l.x1, l.y1, l.x2, l.y2, Grown(cell, 1)); });
}

void LabelLayer::Forget() {
    lines_.clear();
    leaders_.clear();
    ways_.clear();
    widestWay_ = 0;
    lineCells_.Clear();
    leaderCells_.Clear();
}

void LabelLayer::AddPlaced(const TextBox& box, int owner, int32_t colour) {
    placed_.push_back(box);
    placedFor_.push_back({owner, colour});
    textCells_.Add(placed_.size() - 1, box);
}

void LabelLayer::ForgetPlaced(std::size_t texts) {
    placed_.resize(texts);
    placedFor_.resize(texts);
    textCells_.Truncate(texts);
}

template <typename F>
bool LabelLayer::AnyLineNear(const TextBox& box, F crosses) const {
    return lineCells_.Any(box, [&](std::size_t i) { return crosses(lines_[i]); });
}

void LabelLayer::LearnBelow(const Segment& l) {
    // a layer below places the texts again, and keeps clear of what is underneath as well
    auto* outer = dynamic_cast<LabelLayer*>(&target_);
    if (outer == nullptr) return;
    const bool was = outer->underneath_;
    outer->underneath_ = true;
    Below().Line(l.x1, l.y1, l.x2, l.y2, 0);
    outer->underneath_ = was;
}

void LabelLayer::DrawLine(double x1, double y1, double x2, double y2, int32_t colour) {
    DrawWaitingGround();
    if (!underneath_)
        Below().Line(x1, y1, x2, y2, colour);
    else
        LearnBelow({x1, y1, x2, y2, Owner, OwnerPart});
    Learn({x1, y1, x2, y2, Owner, OwnerPart});
    // what a text was to label comes before that text, never a line between
    of_.reset();
    along_.reset();
}

void LabelLayer::DrawBox(double x1, double y1, double x2, double y2, int32_t colour) {
    DrawWaitingGround();
    if (!underneath_) {
        const int32_t fore = ForeColor;
        ForeColor = colour;
        Below().Box(x1, y1, x2, y2);
        ForeColor = fore;
    }
    for (const Segment& side : {Segment{x1, y1, x2, y1}, Segment{x2, y1, x2, y2}, Segment{x2, y2, x1, y2}, Segment{x1, y2, x1, y1}}) {
        if (underneath_) LearnBelow(side);
        Learn(side);
    }
}

void LabelLayer::DrawFilledBox(double x1, double y1, double x2, double y2, int32_t colour) {
    DrawWaitingGround();
    if (underneath_) {
        if (x1 == x2 || y1 == y2) {
            LearnBelow({x1, y1, x2, y2});
            Learn({x1, y1, x2, y2});
        }
        return;
    }
    if (colour == RGB(255, 255, 255) && x1 != x2 && y1 != y2) {
        // perhaps the ground of the text that comes next
        groundWaiting_ = true;
        ground_ = {std::min(x1, x2), std::min(y1, y2), std::fabs(x2 - x1), std::fabs(y2 - y1)};
        return;
    }
    Below().FilledBox(x1, y1, x2, y2, colour);
    // a box of no height or width is a line
    if (x1 == x2 || y1 == y2) Learn({x1, y1, x2, y2});
}

void LabelLayer::DrawWaitingGround() {
    if (!groundWaiting_ || underneath_) return;
    groundWaiting_ = false;
    Below().FilledBox(ground_.Left, ground_.Top, ground_.Left + ground_.Width, ground_.Top + ground_.Height,
                      RGB(255, 255, 255));
}

void LabelLayer::DrawText(double x, double y, const std::string& text) {
    if (underneath_) return;
    const bool onGround = groundWaiting_ && std::fabs(ground_.Left - x) < 0.5 && std::fabs(ground_.Top - y) < 0.5;
    if (onGround)
        groundWaiting_ = false;
    else
        DrawWaitingGround();
    const double width = TextWidth(text);
    const double height = std::max(TextHeight(text), onGround ? ground_.Height : 0.0);
    std::optional<TextBox> of;
    of.swap(of_);
    std::optional<Segment> along;
    along.swap(along_);
    if (inPlace_) {
        if (onGround) Below().FilledBox(x, y, x + width, y + height, RGB(255, 255, 255));
        Surface& below = Below();
        below.CurrentX = x;
        below.CurrentY = y;
        below.Print(text);
        AddPlaced({x, y, width, height}, 0, ForeColor);
        return;
    }
    labels_.push_back({{x, y, width, height}, text, LookNow(), onGround, of, of ? along : std::nullopt, crowded_, Owner});
    crowded_ = WhenCrowded::Elsewhere;
}

void LabelLayer::Clear() {
    groundWaiting_ = false;
    labels_.clear();
    Forget();
    ForgetPlaced(0);
    Below().Cls();
}

bool LabelLayer::Free(const TextBox& box, Blocker* last) const {
    if (!Inside(box, area_)) return false;
    const TextBox apart = Grown(box, gap_), clear = Grown(box, lineGap_);
    auto onText = [&](std::size_t i) { return Overlap(apart, placed_[i]); };
    auto onLine = [&](std::size_t i) {
        // a line whose bounds keep off the box keeps off it
        const Segment& l = lines_[i];
        return std::max(l.x1, l.x2) >= clear.Left && std::min(l.x1, l.x2) <= clear.Left + clear.Width &&
               std::max(l.y1, l.y2) >= clear.Top && std::min(l.y1, l.y2) <= clear.Top + clear.Height &&
               SegmentCrossesBox(l.x1, l.y1, l.x2, l.y2, clear);
    };
    // what kept the spot before free often keeps the next one, near it
    if (last && ((last->text < placed_.size() && onText(last->text)) ||
                 (last->line < lines_.size() && onLine(last->line))))
        return false;
    Blocker found;
    const bool free = !textCells_.Any(apart, [&](std::size_t i) { return onText(i) && (found.text = i, true); }) &&
                      !lineCells_.Any(clear, [&](std::size_t i) { return onLine(i) && (found.line = i, true); }) &&
                      !NearLongWay(box);
    if (last && !free) *last = found;
    return free;
}

bool LabelLayer::NearLongWay(const TextBox& box) const {
    return widestWay_ > 0 && leaderCells_.Any(Grown(box, widestWay_), [&](std::size_t i) {
        const auto& [way, clear] = ways_[i];
        return clear > 0 && SegmentBoxDistance(way.x1, way.y1, way.x2, way.y2, box) < clear;
    });
}

double LabelLayer::Cost(const TextBox& box, double bound) const {
    const TextBox clear = Grown(box, gap_);
    double c = Inside(box, area_) ? 0 : 1E6;
    textCells_.Any(clear, [&](std::size_t i) {
        if (Overlap(clear, placed_[i])) c += 1000;
        return false;
    });
    // counted only as far as the bound: a spot costing that much is no better
    if (c >= bound) return c;
    AnyLineNear(clear, [&](const Segment& l) {
        c += SegmentCrossesBox(l.x1, l.y1, l.x2, l.y2, clear) ? 1 : 0;
        return c >= bound;
    });
    return c;
}

LabelLayer::Reading LabelLayer::ReadingOf(const Label& label) const {
    Reading reading;
    if (label.Owner == 0 || !label.Of) return reading;
    // its own lines as far as it may stand from what it labels
    const TextBox reach = Grown(*label.Of, (kReach + kNear + 1) * label.Box.Height + label.Box.Width);
    for (const Segment& l : lines_) {
        if (l.owner != label.Owner || l.part == PartLeader) continue;
        if (l.part == PartAxis) reading.axis = l;
        if (SegmentCrossesBox(l.x1, l.y1, l.x2, l.y2, reach)) reading.own.push_back(l);
    }
    // the wall's outline, to tell whether what it labels lies within it
    int crossings = 0;
    const double ax = label.Of->Left + label.Of->Width / 2, ay = label.Of->Top + label.Of->Height / 2;
    for (const Segment& l : lines_) crossings += l.part == PartWall && RayCrosses(l.x1, l.y1, l.x2, l.y2, ax, ay);
    reading.inWall = crossings % 2 == 1;
    return reading;
}

bool LabelLayer::OnItsSide(const Label& label, const Reading& reading, const TextBox& box) const {
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

std::vector<std::size_t> LabelLayer::OwnPlaced(const Label& label) const {
    std::vector<std::size_t> own;
    for (std::size_t i = 0; i < placed_.size(); ++i)
        if (placedFor_[i].first == label.Owner && placedFor_[i].second == label.Printed.Colour) own.push_back(i);
    return own;
}

bool LabelLayer::AmongOthers(const Label& label, const TextBox& box, const std::vector<std::size_t>& own) const {
    if (label.Owner == 0) return false;
    const double h = label.Box.Height, x = box.Left + box.Width / 2, y = box.Top + box.Height / 2;
    std::vector<std::size_t>& near = near_;
    near.clear();
    textCells_.Any(Grown(box, 2 * h), [&](std::size_t i) {
        if (placedFor_[i].first != 0 && placedFor_[i].first != label.Owner && placedFor_[i].second == label.Printed.Colour &&
            Distance(placed_[i], box) <= 2 * h)
            near.push_back(i);
        return false;
    });
    // two of one other thing on either side of it
    for (const std::size_t a : near)
        for (const std::size_t b : near) {
            const TextBox &ta = placed_[a], &tb = placed_[b];
            if (a != b && placedFor_[a].first == placedFor_[b].first &&
                (ta.Left + ta.Width / 2 - x) * (tb.Left + tb.Width / 2 - x) + (ta.Top + ta.Height / 2 - y) * (tb.Top + tb.Height / 2 - y) < 0)
                return true;
        }
    // nor, across another thing's value from a value of its own, makes that one stand among its own
    auto middle = [](const TextBox& t) { return std::pair{t.Left + t.Width / 2, t.Top + t.Height / 2}; };
    return std::any_of(near.begin(), near.end(), [&](std::size_t a) {
        // plain variables: not every compiler lets a lambda use a structured binding
        const std::pair<double, double> o = middle(placed_[a]);
        const double ox = o.first, oy = o.second;
        return std::any_of(own.begin(), own.end(), [&](std::size_t b) {
            const auto [bx, by] = middle(placed_[b]);
            return Distance(placed_[b], placed_[a]) <= 2 * h && (bx - ox) * (x - ox) + (by - oy) * (y - oy) < 0;
        });
    });
}

bool LabelLayer::NearestIsOwn(const Label& label, const Reading& reading, const TextBox& box) const {
    if (label.Owner == 0 || !label.Of) return true;
    // the nearest line of another thing, no farther than what it labels,
    // then its own lines
    double own = Away(label, box), other = own;
    if (own <= 0) return true;
    AnyLineNear(Grown(box, own), [&](const Segment& l) {
        if (l.owner != 0 && l.owner != label.Owner && l.part != PartLeader)
            other = std::min(other, SegmentBoxDistance(l.x1, l.y1, l.x2, l.y2, box));
        return false;
    });
    if (other >= own) return true;
    for (const Segment& l : reading.own) {
        // a line whose bounds lie no nearer than the nearest so far is no nearer itself
        if (SquaredDistance(Bounds(l), box) < own * own) own = std::min(own, SegmentBoxDistance(l.x1, l.y1, l.x2, l.y2, box));
        if (other >= own) return true;
    }
    return false;
}

LabelLayer::Placement LabelLayer::Place(const Label& label, const std::vector<const Label*>& rivals,
                                        const Reading& reading) const {
    const TextBox& asked = label.Box;
    const double h = std::max(asked.Height, 1.0);
    const double stepX = h / 2, stepY = h / 2;
    const int nx = static_cast<int>(std::ceil(std::max(asked.Width, kReach * h) / stepX));
    const int ny = static_cast<int>(std::ceil(kReach * h / stepY));
    // a text that labels something may also go anywhere near it; one that
    // may not stand elsewhere, only there
    int left = -nx, right = nx, up = -ny, down = ny;
    const double nearby = kNear * h;
    if (label.Of) {
        const TextBox& of = *label.Of;
        const bool only = label.Crowded != WhenCrowded::Elsewhere;
        const int l = static_cast<int>(std::floor((of.Left - nearby - asked.Width - asked.Left) / stepX));
        const int r = static_cast<int>(std::ceil((of.Left + of.Width + nearby - asked.Left) / stepX));
        const int u = static_cast<int>(std::floor((of.Top - nearby - asked.Height - asked.Top) / stepY));
        const int d = static_cast<int>(std::ceil((of.Top + of.Height + nearby - asked.Top) / stepY));
        left = only ? l : std::min(left, l);
        right = only ? r : std::max(right, r);
        up = only ? u : std::min(up, u);
        down = only ? d : std::max(down, d);
    }
    auto spot = [&](int i, int j) { return TextBox{asked.Left + i * stepX, asked.Top + j * stepY, asked.Width, asked.Height}; };
    LeaderSpots ledFrom;
    ledFrom.own = OwnPlaced(label);
    // near what it labels, and no nearer what another text of its kind labels
    auto isNear = [&](const TextBox& box) {
        if (!label.Of) return true;
        // no nearer what it labels than the box around that
        if (Distance(box, *label.Of) > nearby) return false;
        const double own = Away(label, box);
        if (own > nearby || !OnItsSide(label, reading, box)) return false;
        // a rival's line lies no nearer than the box around it
        if (own > 1 && std::any_of(rivals.begin(), rivals.end(), [&](const Label* r) {
                return Distance(box, *r->Of) < own - 1 && Away(*r, box) < own - 1;
            }))
            return false;
        return !AmongOthers(label, box, ledFrom.own);
    };
    if (isNear(asked) && Free(asked) && NearestIsOwn(label, reading, asked)) return {asked, {}, false};

    // the spots around the one asked for, those near what the text labels
    // first, nearest first; beyond the usual reach only those
    struct Spot {
        int i, j;
        bool near;
        double away;  // from the spot asked for, squared
    };
    auto before = [](const Spot& a, const Spot& b) {
        if (a.near != b.near) return a.near;
        if (a.away != b.away) return a.away < b.away;
        return a.i != b.i ? a.i < b.i : a.j < b.j;
    };
    // Spots go by rings around the one asked for, a ring being the spots
    // `ring` quarter heights away across or down (a step across is two):
    // none in a ring stands nearer than the ring's number, so the search
    // stops at the ring beyond the nearest free spot found. Whether a spot
    // is near is learnt as its ring comes.
    auto ringOf = [](int i, int j) { return std::max(2 * std::abs(i), std::abs(j)); };
    const int rings = std::max({ringOf(left, up), ringOf(right, down), ringOf(left, down), ringOf(right, up)}) + 1;
    const int rows = down - up + 1;
    std::vector<signed char> nearAt(static_cast<std::size_t>((right - left + 1) * rows), -1);
    auto spotAt = [&](int i, int j) {
        signed char& close = nearAt[static_cast<std::size_t>((i - left) * rows + (j - up))];
        if (close < 0) close = isNear(spot(i, j));
        return Spot{i, j, close != 0, (i * stepX) * (i * stepX) + (j * stepY) * (j * stepY)};
    };
    // near ones, or (where the text may stand elsewhere) the others within the usual reach
    auto tried = [&](const Spot& s) {
        return s.near || (label.Crowded == WhenCrowded::Elsewhere && std::abs(s.i) <= nx && std::abs(s.j) <= ny);
    };
    // the spots of a ring in the order across, then down
    auto ring = [&](int r, auto&& visit) {
        for (int i = left; i <= right; ++i) {
            const int across = 2 * std::abs(i);
            if (across == r)
                for (int j = std::max(up, -r); j <= std::min(down, r); ++j) visit(spotAt(i, j));
            else if (across < r) {
                if (-r >= up) visit(spotAt(i, -r));
                if (r <= down) visit(spotAt(i, r));
            }
        }
    };
    // a spot nearer its own thing than any other's first, as a reader takes
    // a value for the nearest thing drawn; else one near what it labels
    const bool led = label.Crowded == WhenCrowded::Leader || label.Crowded == WhenCrowded::ShortLeader;
    // the finer grid's spots, with the usual room to lines and with less
    LeaderSpots fineFrom, tightFrom;
    fineFrom.perHeight = tightFrom.perHeight = 3;
    fineFrom.own = tightFrom.own = ledFrom.own;
    for (const int pass : {0, 1, 2, 3}) {
        // nearer another thing's lines than its own it reads as that
        // thing's: a short leader clear of them reads right, sought on a
        // finer grid too, where a narrow gap between other things leaves the
        // only room; and where none is, the spots and leaders once more with
        // a third of the usual room to lines, which a crowded picture spares
        // rather than read a value as another thing's (for so many values of
        // a picture: one crowded all over would take long to look through)
        const bool tight = pass == 1;
        if (tight && !(led && label.Of)) continue;
        // a text that may not stand elsewhere has no spots but those near
        if (pass == 3 && label.Crowded != WhenCrowded::Elsewhere) break;
        if (tight) {
            if (std::optional<Placement> short_ =
                    PlaceWithLeader(label, reading, ledFrom, kShortLeader, false, true, lookHarder_ > 0))
                return *short_;
            if (lookHarder_ == 0) continue;
            --lookHarder_;
            if (std::optional<Placement> short_ =
                    PlaceWithLeader(label, reading, fineFrom, kFineReach, false, true, lookHarder_ > 0))
                return *short_;
        }
        lineGap_ = tight ? gap_ / 3 : gap_;
        struct Restore {
            double& gap;
            double was;
            ~Restore() { gap = was; }
        } restore{lineGap_, gap_};
        const bool nearOnes = pass < 3, ownFirst = pass < 2;
        std::optional<Spot> best;
        for (int r = 0; r < rings; ++r) {
            ring(r, [&](const Spot& at) {
                if (at.near == nearOnes && tried(at) && (!best || before(at, *best)) && Free(spot(at.i, at.j)) &&
                    (!ownFirst || NearestIsOwn(label, reading, spot(at.i, at.j))))
                    best = at;
            });
            if (best && best->away < (r + 1) * stepY * (r + 1) * stepY) break;
        }
        if (best && nearOnes) {
            // near but nearer another thing than its own, it reads as that
            // thing's: a value that must be read is led from farther instead
            if (pass == 2 && label.Crowded == WhenCrowded::Leader) return {std::nullopt, std::nullopt, true, true};
            return {spot(best->i, best->j), {}, pass == 2};
        }
        if (tight)
            if (std::optional<Placement> short_ =
                    PlaceWithLeader(label, reading, tightFrom, kFineReach, false, true, lookHarder_ > 0))
                return *short_;
        if (best && label.Crowded == WhenCrowded::Elsewhere) {
            // away from what it labels, a spot a leader reaches comes first
            if (label.Of)
                for (const bool clear : {true, false})
                    if (std::optional<Placement> led =
                            PlaceWithLeader(label, reading, ledFrom, kShortLeader, false, clear, lookHarder_ > 0))
                        return {led->Box, led->Leader, true};
            return {spot(best->i, best->j), {}, true};
        }
    }
    // no spot near what it labels nor a short leader clear of other things
    // reads right: a value that may be left out is, rather than read across
    // another thing's lines as its; one that must be read is led from
    // farther, once the values that read so have their room
    if (label.Crowded == WhenCrowded::Leader) return {std::nullopt, std::nullopt, true, true};
    if (label.Crowded != WhenCrowded::Elsewhere) return {};

    // where no spot is free, the one that covers least, the first in order of those
    std::vector<Spot> spots;
    for (int i = left; i <= right; ++i)
        for (int j = up; j <= down; ++j)
            if (const Spot s = spotAt(i, j); tried(s)) spots.push_back(s);
    TextBox best = asked;
    double bestCost = -1;
    const Spot* bestSpot = nullptr;
    for (const Spot& at : spots) {
        const TextBox box = spot(at.i, at.j);
        const double covered = Cost(box, bestCost < 0 ? 1E300 : bestCost + 1);
        if (bestCost < 0 || covered < bestCost || (covered == bestCost && before(at, *bestSpot))) {
            best = box;
            bestCost = covered;
            bestSpot = &at;
        }
    }
    return {best, {}, label.Of.has_value() || bestCost > 0};
}

LabelLayer::Placement LabelLayer::PlaceFar(const Label& label, const Reading& reading) const {
    LeaderSpots spots;
    spots.own = OwnPlaced(label);
    // a longer leader clear of other things, passing near none of them, is
    // followed: it reads right too
    for (const double reach : {kLongLeader, kFarthest})
        if (std::optional<Placement> led =
                PlaceWithLeader(label, reading, spots, reach, false, true, reach > kLongLeader))
            return {led->Box, led->Leader, false, true};
    // a short leader across the lines of other things, else a longer one;
    // from any point of what it labels where the nearest way is barred
    for (const double reach : {kShortLeader, kLongLeader})
        if (std::optional<Placement> led = PlaceWithLeader(label, reading, spots, reach, false, false, true))
            return {led->Box, led->Leader, true, true};
    // never vanishing: farther off, its leader crossing other leaders where
    // it must, else where it covers least
    for (const bool clear : {true, false})
        if (std::optional<Placement> led = PlaceWithLeader(label, reading, spots, kFarthest, true, clear, true))
            return {led->Box, led->Leader, true, true};
    Placement covering = PlaceLeastBad(label, reading);
    covering.Far = true;
    return covering;
}

double LabelLayer::Away(const Label& label, const TextBox& box) {
    if (label.Along) return SegmentBoxDistance(label.Along->x1, label.Along->y1, label.Along->x2, label.Along->y2, box);
    return Distance(box, *label.Of);
}

std::optional<LabelLayer::Segment> LabelLayer::LeaderLine(const Label& label, const TextBox& box) const {
    // between the nearest points of what is labelled and the text, a gap
    // short of the text: across where the two face each other, from the
    // middle of what they share
    auto ends = [](double ofLow, double ofHigh, double low, double high) {
        const double shared0 = std::max(ofLow, low), shared1 = std::min(ofHigh, high);
        if (shared0 <= shared1) return std::pair{(shared0 + shared1) / 2, (shared0 + shared1) / 2};
        return ofHigh < low ? std::pair{ofHigh, low} : std::pair{ofLow, high};
    };
    const TextBox& of = *label.Of;
    // plain variables, not bindings: the lambda below sets them
    double ax, ex, ay, ey;
    std::tie(ax, ex) = ends(of.Left, of.Left + of.Width, box.Left, box.Left + box.Width);
    std::tie(ay, ey) = ends(of.Top, of.Top + of.Height, box.Top, box.Top + box.Height);
    if (label.Along) {
        // from the point of the line nearest the text: an end of it against
        // the text's edge, or the foot of a corner of the text on it
        const Segment& l = *label.Along;
        auto clampTo = [](double v, double low, double high) { return std::clamp(v, low, high); };
        double best = 1E300;
        auto consider = [&](double px, double py, double qx, double qy) {
            if (const double d = std::hypot(qx - px, qy - py); d < best) best = d, ax = px, ay = py, ex = qx, ey = qy;
        };
        for (const auto& [px, py] : {std::pair{l.x1, l.y1}, std::pair{l.x2, l.y2}})
            consider(px, py, clampTo(px, box.Left, box.Left + box.Width), clampTo(py, box.Top, box.Top + box.Height));
        const double dx = l.x2 - l.x1, dy = l.y2 - l.y1, length2 = dx * dx + dy * dy;
        for (const double cx : {box.Left, box.Left + box.Width})
            for (const double cy : {box.Top, box.Top + box.Height}) {
                const double t = length2 > 0 ? std::clamp(((cx - l.x1) * dx + (cy - l.y1) * dy) / length2, 0.0, 1.0) : 0;
                consider(l.x1 + t * dx, l.y1 + t * dy, cx, cy);
            }
    }
    const double length = std::hypot(ex - ax, ey - ay);
    if (length <= gap_) return std::nullopt;
    const double shorter = (length - gap_) / length;
    return Segment{ax, ay, ax + shorter * (ex - ax), ay + shorter * (ey - ay)};
}

bool LabelLayer::LeaderCrosses(const Label& label, const TextBox& box, const Segment& l, const Reading& reading,
                               LeaderBar bar) const {
    // what a leader crosses, or passes within `by` of, lies in a cell it passes as near;
    // a line in line with it meets it a twip off
    switch (bar) {
    case AcrossText:
        // this one's included
        return SegmentCrossesBox(l.x1, l.y1, l.x2, l.y2, Grown(box, -1)) ||
               textCells_.AnyAlong(l.x1, l.y1, l.x2, l.y2, gap_ / 2, [&](std::size_t i) {
                   return SegmentCrossesBox(l.x1, l.y1, l.x2, l.y2, Grown(placed_[i], gap_ / 2));
               });
    case AcrossLeader:
        // nor within the room a long one keeps
        return leaderCells_.AnyAlong(l.x1, l.y1, l.x2, l.y2, 1 + widestWay_, [&](std::size_t i) {
            return SegmentsCross(l, leaders_[i]) || (ways_[i].second > 0 && SegmentDistance(l, ways_[i].first) < ways_[i].second);
        });
    case PassesNear: {
        const std::optional<Segment> long_ = LongWay(label, l);
        if (!long_) return false;
        const Segment& way = *long_;
        const double c = kLongLeaderClear * label.Box.Height;
        auto other = [&](int owner) { return owner != 0 && owner != label.Owner; };
        // its text, and its way out past where it leaves its own thing
        return lineCells_.Any(Grown(box, c), [&](std::size_t i) {
                   const Segment& o = lines_[i];
                   return other(o.owner) && SegmentBoxDistance(o.x1, o.y1, o.x2, o.y2, box) < c;
               }) ||
               lineCells_.AnyAlong(way.x1, way.y1, way.x2, way.y2, c, [&](std::size_t i) {
                   const Segment& o = lines_[i];
                   return other(o.owner) && SegmentDistance(way, o) < c;
               }) ||
               textCells_.AnyAlong(way.x1, way.y1, way.x2, way.y2, c, [&](std::size_t i) {
                   return other(placedFor_[i].first) &&
                          SegmentBoxDistance(way.x1, way.y1, way.x2, way.y2, placed_[i]) < c;
               });
    }
    case AcrossLines: {
        // across an arrow, a hatching or the wall's outline a leader reads as
        // one of them, across its own hatching as one more of its lines; from
        // within the wall it crosses that outline once at most, on its way out,
        // not across another member
        int outline = 0;
        return lineCells_.AnyAlong(l.x1, l.y1, l.x2, l.y2, 1, [&](std::size_t i) {
            const Segment& o = lines_[i];
            if (o.part == PartWall) return SegmentsCross(l, o) && ++outline > (reading.inWall ? 1 : 0);
            return o.owner != 0 && (o.owner != label.Owner || o.part == PartBody) && o.part != PartLeader &&
                   SegmentsCross(l, o);
        });
    }
    }
    return false;
}

std::optional<LabelLayer::Segment> LabelLayer::LongWay(const Label& label, const Segment& l) {
    const double h = label.Box.Height, c = kLongLeaderClear * h, length = std::hypot(l.x2 - l.x1, l.y2 - l.y1);
    if (length <= kShortLeader * h) return std::nullopt;
    const double t = c / length;
    return Segment{l.x1 + t * (l.x2 - l.x1), l.y1 + t * (l.y2 - l.y1), l.x2, l.y2};
}

bool LabelLayer::Apart(const Planned& a, const Planned& b) const {
    // one still to be led from farther stands nowhere yet
    if (!a.placed.Box || !b.placed.Box) return true;
    const TextBox &boxA = *a.placed.Box, &boxB = *b.placed.Box;
    if (Overlap(Grown(boxA, gap_), boxB)) return false;
    // a leader keeps off another's text as a line does, and crosses no other leader
    const std::optional<Segment>&ledA = a.placed.Leader, &ledB = b.placed.Leader;
    auto near = [](const std::optional<Segment>& l, const TextBox& box, double by) {
        return l && SegmentBoxDistance(l->x1, l->y1, l->x2, l->y2, box) < by;
    };
    if (near(ledA, boxB, lineGap_) || near(ledB, boxA, lineGap_) || (ledA && ledB && SegmentsCross(*ledA, *ledB)))
        return false;
    // a long leader and its text keep clear of another thing's value and leader
    auto clearOf = [&](const Planned& p, const Planned& other) {
        const Label& label = labels_[p.label];
        if (!p.placed.Leader || labels_[other.label].Owner == label.Owner) return true;
        const std::optional<Segment> way = LongWay(label, *p.placed.Leader);
        if (!way) return true;
        const double c = kLongLeaderClear * label.Box.Height;
        const std::optional<Segment>& o = other.placed.Leader;
        return !near(way, *other.placed.Box, c) && !near(o, *p.placed.Box, c) && !(o && SegmentDistance(*way, *o) < c);
    };
    return clearOf(a, b) && clearOf(b, a);
}

void LabelLayer::LookHarderAgain() const { lookHarder_ = kLookHarder; }

std::optional<LabelLayer::Segment> LabelLayer::LeaderFrom(double x, double y, const TextBox& box) const {
    const double ex = std::clamp(x, box.Left, box.Left + box.Width), ey = std::clamp(y, box.Top, box.Top + box.Height);
    const double length = std::hypot(ex - x, ey - y);
    if (length <= gap_) return std::nullopt;
    const double shorter = (length - gap_) / length;
    return Segment{x, y, x + shorter * (ex - x), y + shorter * (ey - y)};
}

bool LabelLayer::Crosses(const Label& label, const TextBox& box, const Segment& l, const Reading& reading,
                         unsigned bars, Known& known) const {
    for (const LeaderBar bar : {AcrossText, AcrossLeader, AcrossLines, PassesNear}) {
        if (!(bars & bar)) continue;
        if (!(known.asked & bar)) {
            known.asked |= bar;
            if (LeaderCrosses(label, box, l, reading, bar)) known.crosses |= bar;
        }
        if (known.crosses & bar) return true;
    }
    return false;
}

std::optional<LabelLayer::Segment> LabelLayer::LeaderFromElsewhere(const Label& label, const TextBox& box,
                                                                   const Reading& reading, unsigned bars,
                                                                   double longest, Known (&known)[kStarts]) const {
    // an arrow reads from any point of it, a block from any of its corners
    // or the middles of its sides; its ends and corners first
    constexpr double kAlong[] = {0.0, 1.0, 0.5, 0.25, 0.75};
    constexpr double kAcross[] = {0.0, 1.0, 0.5};
    static_assert(std::size(kAlong) <= kStarts && std::size(kAcross) * std::size(kAcross) <= kStarts);
    auto from = [&](double x, double y, Known& k) -> std::optional<Segment> {
        const std::optional<Segment> l = LeaderFrom(x, y, box);
        if (!l || std::hypot(l->x2 - l->x1, l->y2 - l->y1) > longest || Crosses(label, box, *l, reading, bars, k))
            return std::nullopt;
        return l;
    };
    std::size_t n = 0;
    if (const std::optional<Segment>& a = label.Along) {
        for (const double t : kAlong)
            if (std::optional<Segment> l = from(a->x1 + t * (a->x2 - a->x1), a->y1 + t * (a->y2 - a->y1), known[n++]))
                return l;
        return std::nullopt;
    }
    const TextBox& of = *label.Of;
    if (of.Width > 0 || of.Height > 0)
        for (const double tx : kAcross)
            for (const double ty : kAcross)
                if (std::optional<Segment> l = from(of.Left + tx * of.Width, of.Top + ty * of.Height, known[n++]))
                    return l;
    return std::nullopt;
}

std::optional<LabelLayer::Segment> LabelLayer::LeaderTo(const Label& label, const TextBox& box, bool acrossLeaders,
                                                        bool clear, const Reading& reading) const {
    const std::optional<Segment> line = LeaderLine(label, box);
    if (!line || LeaderCrosses(label, box, *line, reading, AcrossText) ||
        (!acrossLeaders && LeaderCrosses(label, box, *line, reading, AcrossLeader)) ||
        (clear && LeaderCrosses(label, box, *line, reading, AcrossLines)))
        return std::nullopt;
    return line;
}

TextBox LabelLayer::LeaderSpot(const Label& label, const LeaderSpots& spots, int i, int j) {
    const TextBox& of = *label.Of;
    const double h = std::max(label.Box.Height, 1.0), w = label.Box.Width;
    // a coarser grid than beside: a spot this far off need not be the nearest to a hair
    const double step = h / spots.perHeight;
    const double ax = of.Left + of.Width / 2, ay = of.Top + of.Height / 2;
    return {ax + i * step - w / 2, ay + j * step - h / 2, w, h};
}

void LabelLayer::MakeLeaderSpots(const Label& label, const Reading& reading, LeaderSpots& spots) const {
    const TextBox& of = *label.Of;
    const double h = std::max(label.Box.Height, 1.0), w = label.Box.Width;
    const double step = h / spots.perHeight;
    const int reach = spots.reach + 1;
    // the band of a length: the least number of heights no shorter than it, past those made
    auto band = [&](double length) {
        int b = std::max(reach, static_cast<int>(std::ceil(length / h)));
        while (length > b * h) ++b;
        while (b > reach && length <= (b - 1) * h) --b;
        return static_cast<std::size_t>(b);
    };
    auto file = [&](const LeaderSpots::Spot& at) {
        const std::size_t b = band(at.length);
        if (spots.bands.size() <= b) spots.bands.resize(b + 1);
        spots.bands[b].push_back(at);
    };
    // every spot within reach lies within these columns, and in each within
    // the steps up and down that reach leaves beside it (a twip and a step over)
    const int nx = static_cast<int>(std::ceil((reach * h + w + of.Width / 2) / step));
    const int ny = static_cast<int>(std::ceil((reach * h + h + of.Height / 2) / step));
    if (nx > spots.columns) {
        std::vector<int> down(2 * static_cast<std::size_t>(nx) + 1, -1);
        if (spots.columns >= 0) std::copy(spots.down.begin(), spots.down.end(), down.begin() + (nx - spots.columns));
        spots.down.swap(down);
        spots.columns = nx;
    }
    const double radius = reach * h + 1;
    const double ax = of.Left + of.Width / 2, ay = of.Top + of.Height / 2;
    for (int i = -nx; i <= nx; ++i) {
        const double across = std::max(0.0, std::abs(i) * step - (w + of.Width) / 2);
        if (across > radius) continue;
        const double up = std::sqrt(radius * radius - across * across) + (h + of.Height) / 2;
        const int steps = std::min(ny, static_cast<int>(std::ceil(up / step)) + 1);
        int& made = spots.down[static_cast<std::size_t>(i + spots.columns)];
        // filed by its distance from the box of what it labels, no greater
        // than from the line within it (the box as LeaderSpot makes it)
        auto make = [&](int j) {
            const TextBox box{ax + i * step - w / 2, ay + j * step - h / 2, w, h};
            file({Distance(box, of), i, j, false});
        };
        // the steps either way not made yet
        const int from = made + 1;
        for (int j = -steps; j <= -std::max(from, 1); ++j) make(j);
        for (int j = from; j <= steps; ++j) make(j);
        made = std::max(made, steps);
    }
    std::vector<LeaderSpots::Spot> near;
    if (static_cast<std::size_t>(reach) < spots.bands.size()) near.swap(spots.bands[static_cast<std::size_t>(reach)]);
    Blocker last;
    const std::size_t before = spots.made.size();
    for (LeaderSpots::Spot& at : near) {
        // beyond a long leader's reach a spot a step away from another is as good
        if (reach > kLongLeader && ((at.i | at.j) & 1)) continue;
        // where no text may stand, no search needs to know how far it lies
        if (!at.stands && !label.Along && at.length <= kNear * h) continue;
        if (!at.stands) {
            const TextBox box = LeaderSpot(label, spots, at.i, at.j);
            if (!Free(box, &last) || !OnItsSide(label, reading, box) || AmongOthers(label, box, spots.own)) continue;
            if (label.Along) at.length = Away(label, box);
            at.stands = true;
        }
        // a leader runs from the nearest edge of what it labels; within two
        // heights of that a text needs none
        if (at.length <= kNear * h) continue;
        if (at.length <= reach * h)
            spots.made.push_back(at);
        else
            file(at);
    }
    std::sort(spots.made.begin() + static_cast<std::ptrdiff_t>(before), spots.made.end(),
              [](const LeaderSpots::Spot& a, const LeaderSpots::Spot& b) {
                  return std::tie(a.length, a.i, a.j) < std::tie(b.length, b.i, b.j);
              });
    spots.tried.resize(spots.made.size());
    spots.reach = reach;
}

std::optional<LabelLayer::Placement> LabelLayer::PlaceWithLeader(const Label& label, const Reading& reading,
                                                                 LeaderSpots& spots, double reach, bool acrossLeaders,
                                                                 bool clear, bool fromElsewhere) const {
    const double h = std::max(label.Box.Height, 1.0);
    const unsigned bars = Bars(acrossLeaders, clear);
    const double longest = fromElsewhere ? reach * h : 0;
    // the spots a search of this kind found barred before are barred again,
    // unless a longer leader from elsewhere may reach them now
    std::size_t& failed = spots.failed[acrossLeaders][clear];
    double& failedLongest = spots.failedLongest[acrossLeaders][clear];
    std::size_t k = longest > failedLongest ? 0 : failed;
    for (;; ++k) {
        // the next band of spots, a height farther, once the nearer ones are tried
        while (k == spots.made.size() && spots.reach < reach) MakeLeaderSpots(label, reading, spots);
        if (k == spots.made.size() || spots.made[k].length > reach * h) break;
        const TextBox box = LeaderSpot(label, spots, spots.made[k].i, spots.made[k].j);
        LeaderSpots::Tried& at = spots.tried[k];
        if (at.led < 0) {
            const std::optional<Segment> line = LeaderLine(label, box);
            at.led = line.has_value();
            if (line) at.leader = *line;
        }
        if (!at.led) continue;
        if (!Crosses(label, box, at.leader, reading, bars, at.nearest)) return Placement{box, at.leader, false};
        if (longest > 0)
            if (const std::optional<Segment> other =
                    LeaderFromElsewhere(label, box, reading, bars, longest, at.elsewhere))
                return Placement{box, other, false};
    }
    failed = k;
    failedLongest = longest;
    return std::nullopt;
}

LabelLayer::Placement LabelLayer::PlaceLeastBad(const Label& label, const Reading& reading) const {
    const TextBox& of = *label.Of;
    // around the spot asked for, moved inside the area so that a value whose
    // point lies beyond the frame still shows at its edge
    TextBox asked = label.Box;
    asked.Left = std::clamp(asked.Left, area_.Left, std::max(area_.Left, area_.Left + area_.Width - asked.Width));
    asked.Top = std::clamp(asked.Top, area_.Top, std::max(area_.Top, area_.Top + area_.Height - asked.Height));
    const double h = std::max(asked.Height, 1.0);
    const double stepX = h / 2, stepY = h / 2;
    const int nx = static_cast<int>(std::ceil(std::max(asked.Width, kReach * h) / stepX));
    const int ny = static_cast<int>(std::ceil(kReach * h / stepY));
    TextBox best = asked;
    double bestCost = -1, bestAway = 0;
    for (int i = -nx; i <= nx; ++i)
        for (int j = -ny; j <= ny; ++j) {
            const TextBox box{asked.Left + i * stepX, asked.Top + j * stepY, asked.Width, asked.Height};
            // across its member's axis it reads wrong whatever it covers
            double covered = OnItsSide(label, reading, box) ? 0 : 1E5;
            covered += Cost(box, bestCost < 0 ? 1E300 : bestCost + 1 - covered);
            const double away = Away(label, box);
            if (bestCost < 0 || covered < bestCost || (covered == bestCost && away < bestAway)) {
                best = box;
                bestCost = covered;
                bestAway = away;
            }
        }
    // away from its point it is led there, whatever the leader crosses; not
    // out of the frame to a point beyond it
    std::optional<Segment> leader;
    if (Away(label, best) > kNear * h && Inside(of, area_)) leader = LeaderLine(label, best);
    return {best, leader, true};
}

std::vector<LabelLayer::Reader> LabelLayer::Readers() const {
    std::vector<Reader> readers(labels_.size());
    for (std::size_t k = 0; k < labels_.size(); ++k) {
        const Label& label = labels_[k];
        readers[k].reading = ReadingOf(label);
        if (!label.Of) continue;
        // what the other texts of its kind label, near enough to matter: a
        // spot near its own lies within two heights of it; a rival nearer than that, within four
        const TextBox reach = Grown(*label.Of, 2 * kNear * label.Box.Height + label.Box.Width + label.Box.Height);
        for (const Label& other : labels_)
            if (&other != &label && other.Of && other.Printed.Colour == label.Printed.Colour &&
                Distance(*other.Of, *label.Of) >= 1 && Overlap(*other.Of, reach))
                readers[k].rivals.push_back(&other);
    }
    return readers;
}

std::vector<LabelLayer::Planned> LabelLayer::Plan(const std::vector<std::size_t>& order, const std::vector<Reader>& readers,
                                                  int& astray, int enough) {
    std::vector<Planned> plan;
    astray = 0;
    LookHarderAgain();
    for (const std::size_t k : order) {
        if (astray >= enough) break;
        astray += PlanOne(k, readers, plan);
    }
    return plan;
}

int LabelLayer::PlanOne(std::size_t k, const std::vector<Reader>& readers, std::vector<Planned>& plan) {
    Planned p = PlanFor(k, readers);
    // one led from farther is planned without a spot yet (LandFar)
    if (p.placed.Box || p.placed.Far) {
        plan.push_back(p);
        Take(plan.back());
    }
    return p.astray;
}

LabelLayer::Planned LabelLayer::PlanLanded(std::size_t k, const std::vector<Reader>& readers) const {
    Planned p = PlanFor(k, readers);
    if (p.placed.Far && !p.placed.Box) {
        p.placed = PlaceFar(labels_[k], readers[k].reading);
        p.astray = p.placed.Astray + Joined(labels_[k], p.placed, readers[k].reading);
    }
    return p;
}

LabelLayer::Planned LabelLayer::PlanFor(std::size_t k, const std::vector<Reader>& readers) const {
    const Label& label = labels_[k];
    // a layer below places the texts again among all its lines and texts: this one hands them on
    if (dynamic_cast<LabelLayer*>(&target_) != nullptr) return {k, {label.Box, {}, false}, 0};
    Placement placed = Place(label, readers[k].rivals, readers[k].reading);
    int astray = placed.Astray;
    if (placed.Box) astray += Joined(label, placed, readers[k].reading);
    return {k, placed, astray};
}

int LabelLayer::Joined(const Label& label, Placement& placed, const Reading& reading) const {
    const TextBox box = *placed.Box;
    int astray = 0;
    // a text that found room only away from what it labels is joined to it, where a leader crosses no text
    if (!placed.Leader && label.Of && Away(label, box) > kNear * box.Height)
        for (const bool clear : {true, false})
            if (!placed.Leader) placed.Leader = LeaderTo(label, box, false, clear, reading);
    if (placed.Leader) {
        // a leader across a text hides it: as bad as many texts astray
        const Segment& l = *placed.Leader;
        if (textCells_.Any(Bounds(l), [&](std::size_t i) {
                return SegmentCrossesBox(l.x1, l.y1, l.x2, l.y2, Grown(placed_[i], -1));
            }))
            astray += kAcrossText;
        // and one across another's leader leaves that one astray as well
        leaderCells_.AnyAlong(l.x1, l.y1, l.x2, l.y2, 1, [&](std::size_t i) {
            astray += SegmentsCross(l, leaders_[i]);
            return false;
        });
    }
    return astray;
}

void LabelLayer::LandFar(std::vector<Planned>& plan, int& astray) {
    for (Planned& p : plan)
        if (p.placed.Far && !p.placed.Box) {
            const Label& label = labels_[p.label];
            const Reading reading = ReadingOf(label);
            p.placed = PlaceFar(label, reading);
            const int was = p.astray;
            p.astray = p.placed.Astray + Joined(label, p.placed, reading);
            astray += p.astray - was;
            Take(p);
        }
}

void LabelLayer::Take(const Planned& p) {
    if (!p.placed.Box) return;
    const Label& label = labels_[p.label];
    AddPlaced(*p.placed.Box, label.Owner, label.Printed.Colour);
    if (p.placed.Leader) {
        const Segment& l = *p.placed.Leader;
        Learn({l.x1, l.y1, l.x2, l.y2, label.Owner, PartLeader});
        leaders_.push_back(l);
        leaderCells_.Add(leaders_.size() - 1, Bounds(l));
        const std::optional<Segment> way = LongWay(label, l);
        ways_.push_back({way.value_or(l), way ? kLongLeaderClear * label.Box.Height : 0});
        widestWay_ = std::max(widestWay_, ways_.back().second);
    }
}

void LabelLayer::Unplan(std::size_t texts, std::size_t lines, std::size_t leaders) {
    ForgetPlaced(texts);
    leaders_.resize(leaders);
    // only ever shortened: clang's library cannot default-make the pairs a resize may add
    ways_.erase(ways_.begin() + static_cast<std::ptrdiff_t>(std::min(leaders, ways_.size())), ways_.end());
    widestWay_ = 0;
    for (const auto& [way, clear] : ways_) widestWay_ = std::max(widestWay_, clear);
    leaderCells_.Truncate(leaders);
    lines_.resize(lines);
    lineCells_.Truncate(lines);
}

std::vector<LabelLayer::Planned> LabelLayer::LayOut(int& astray) {
    // in the order printed; where some text finds no good spot, once more
    // with those first, and the order that leaves fewer so
    std::vector<std::size_t> order(labels_.size());
    for (std::size_t k = 0; k < order.size(); ++k) order[k] = k;
    const std::size_t texts = placed_.size(), lines = lines_.size(), leaders = leaders_.size();
    // a layer below places the texts again: this one reads none of them
    const bool handOn = dynamic_cast<LabelLayer*>(&target_) != nullptr;
    const std::vector<Reader> readers = handOn ? std::vector<Reader>(labels_.size()) : Readers();
    std::vector<Planned> plan = Plan(order, readers, astray);
    // each round puts the texts astray in the last one first, the ones
    // before them kept in front
    std::vector<std::size_t> best = order;
    for (int round = 0; round < kRounds && astray > 0 && !handOn; ++round) {
        std::vector<std::size_t> hardFirst;
        for (const Planned& p : plan)
            if (p.astray > 0) hardFirst.push_back(p.label);
        for (const std::size_t k : best)
            if (std::find(hardFirst.begin(), hardFirst.end(), k) == hardFirst.end()) hardFirst.push_back(k);
        Unplan(texts, lines, leaders);
        int again = 0;
        // no better once it leaves as many astray: the rest need not be tried
        std::vector<Planned> next = Plan(hardFirst, readers, again, astray);
        if (again < astray) {
            plan = std::move(next);
            astray = again;
            best = std::move(hardFirst);
            continue;
        }
        // the better layout stands again as it was planned
        Unplan(texts, lines, leaders);
        for (const Planned& p : plan) Take(p);
        break;
    }
    return plan;
}

std::optional<std::vector<LabelLayer::Planned>> LabelLayer::Followed() const {
    if (follow_ == nullptr || follow_->asked_.size() != labels_.size()) return std::nullopt;
    for (std::size_t k = 0; k < labels_.size(); ++k) {
        const auto& [box, text] = follow_->asked_[k];
        const TextBox& asked = labels_[k].Box;
        if (text != labels_[k].Text || box.Left != asked.Left || box.Top != asked.Top || box.Width != asked.Width ||
            box.Height != asked.Height)
            return std::nullopt;
    }
    return follow_->plan_;
}

void LabelLayer::Flush() {
    DrawWaitingGround();
    const Look left = LookNow();
    const double x = CurrentX, y = CurrentY;
    const int owner = Owner, part = OwnerPart;
    int astray = 0;
    std::vector<Planned> plan;
    const std::size_t texts = placed_.size(), lines = lines_.size(), leaders = leaders_.size();
    if (std::optional<std::vector<Planned>> followed = Followed()) {
        plan = std::move(*followed);
        astray = follow_->astray_;
        for (const Planned& p : plan) Take(p);
    } else {
        plan = LayOut(astray);
    }
    // the values led from farther stand once the others have their room: a
    // trial draws nothing, and leaves them to the layer that draws
    if (measuring_ == nullptr) {
        LandFar(plan, astray);
        MakeWay(plan, astray, texts, lines, leaders);
    }
    if (keep_ != nullptr) {
        keep_->asked_.clear();
        for (const Label& label : labels_) keep_->asked_.emplace_back(label.Box, label.Text);
        keep_->plan_ = plan;
        keep_->astray_ = astray;
        keep_ = nullptr;
    }
    follow_ = nullptr;
    astray_ += astray;
    for (const Planned& p : plan) {
        if (!p.placed.Box) continue;
        const Label& label = labels_[p.label];
        const TextBox box = *p.placed.Box;
        Wear(label.Printed);
        Owner = label.Owner;
        OwnerPart = PartLeader;
        Surface& below = Below();
        if (p.placed.Leader) {
            const Segment& l = *p.placed.Leader;
            const int pen = DrawWidth;
            below.DrawWidth = 1;
            below.Line(l.x1, l.y1, l.x2, l.y2, label.Printed.Colour);
            below.DrawWidth = pen;
        }
        OwnerPart = PartBody;
        below.OwnerPart = PartBody;
        // a layer below keeps the text near what it labels as well
        if (label.Along)
            brindlemar::NextTextLabels(below, label.Along->x1, label.Along->y1, label.Along->x2, label.Along->y2,
                                       label.Crowded, true);
        else if (label.Of)
            brindlemar::NextTextLabels(below, label.Of->Left, label.Of->Top, label.Of->Left + label.Of->Width,
                                       label.Of->Top + label.Of->Height, label.Crowded);
        if (label.Ground) below.FilledBox(box.Left, box.Top, box.Left + box.Width, box.Top + box.Height, RGB(255, 255, 255));
        below.CurrentX = box.Left;
        below.CurrentY = box.Top;
        below.ForeColor = label.Printed.Colour;
        below.Print(label.Text);
    }
    labels_.clear();
    Wear(left);
    Owner = owner;
    OwnerPart = part;
    Below();
    target_.CurrentX = CurrentX = x;
    target_.CurrentY = CurrentY = y;
}

void NextTextLabels(Surface& s, double x1, double y1, double x2, double y2, LabelLayer::WhenCrowded crowded,
                    bool along) {
    s.LabelNextText(x1, y1, x2, y2, along);
    if (auto* layer = dynamic_cast<LabelLayer*>(&s); layer != nullptr && crowded != LabelLayer::WhenCrowded::Elsewhere)
        layer->NextTextLabels({std::min(x1, x2), std::min(y1, y2), std::fabs(x2 - x1), std::fabs(y2 - y1)}, crowded);
}

void LabelLayer::LabelNextText(double x1, double y1, double x2, double y2, bool along) {
    NextTextLabels({std::min(x1, x2), std::min(y1, y2), std::fabs(x2 - x1), std::fabs(y2 - y1)});
    along_.reset();
    if (along) along_ = Segment{x1, y1, x2, y2};
}

LabelLayer ViewLabelLayer(Surface& s, bool trial) {
    const TextBox frame{0, double(s.Drawing().FrameTop), double(s.Drawing().FrameWidth), double(s.Drawing().FrameHeight)};
    const double gap = 30 * OffsetScale(s);
    return trial ? LabelLayer::Trial(s, frame, gap) : LabelLayer(s, frame, gap);
}

}  // namespace brindlemar

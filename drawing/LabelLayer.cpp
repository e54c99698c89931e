#include "drawing/LabelLayer.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <tuple>
#include <utility>

#include "drawing/Primitives.h"
#include "runtime/Colours.h"

namespace brindlemar {

namespace {

// How far a text may be moved from where it was asked for, in its heights
// (and across, at least its width).
constexpr double kReach = 4;
// How near a text stands to what it labels, in its heights.
constexpr double kNear = 2;
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

bool SegmentCrossesBox(double x1, double y1, double x2, double y2, const TextBox& b) {
    // the part of the segment inside the box's slab in x, then in y (Liang-Barsky)
    double t0 = 0, t1 = 1;
    const double dx = x2 - x1, dy = y2 - y1;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x1 - b.Left, b.Left + b.Width - x1, y1 - b.Top, b.Top + b.Height - y1};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1) return false;
    }
    return true;
}

LabelLayer::LabelLayer(Surface& target, TextBox area, double gap)
    : target_(target), area_(area), gap_(gap), lineGap_(gap) {
    // about fifty cells across the area's longer side: a text meets a few
    constexpr int kCellsAcross = 48;
    cell_ = std::max({area.Width, area.Height, 1.0}) / kCellsAcross;
    columns_ = std::clamp(static_cast<int>(std::ceil(area.Width / cell_)), 1, kCellsAcross);
    rows_ = std::clamp(static_cast<int>(std::ceil(area.Height / cell_)), 1, kCellsAcross);
    cells_.resize(static_cast<std::size_t>(columns_ * rows_));
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
    placed_.clear();
    placedFor_.clear();
    target_.NewPage();
}

void LabelLayer::EndDoc() {
    Flush();
    target_.EndDoc();
}

void LabelLayer::Learn(const Segment& l) {
    const auto column = [&](double x) { return std::clamp(static_cast<int>(std::floor((x - area_.Left) / cell_)), 0, columns_ - 1); };
    const auto row = [&](double y) { return std::clamp(static_cast<int>(std::floor((y - area_.Top) / cell_)), 0, rows_ - 1); };
    const std::size_t index = lines_.size();
    lines_.push_back(l);
    seen_.push_back(0);
    const int c0 = column(std::min(l.x1, l.x2)), c1 = column(std::max(l.x1, l.x2));
    const int r0 = row(std::min(l.y1, l.y2)), r1 = row(std::max(l.y1, l.y2));
    for (int r = r0; r <= r1; ++r)
        for (int c = c0; c <= c1; ++c) {
            // a slanting line passes only some of the cells of its bounds
            const TextBox cell{area_.Left + c * cell_, area_.Top + r * cell_, cell_, cell_};
            const bool edge = c == 0 || r == 0 || c == columns_ - 1 || r == rows_ - 1;
            if (edge || (c0 == c1 || r0 == r1) || SegmentCrossesBox(l.x1, l.y1, l.x2, l.y2, Grown(cell, 1)))
                cells_[static_cast<std::size_t>(r * columns_ + c)].push_back(index);
        }
}

void LabelLayer::Forget() {
    lines_.clear();
    leaders_.clear();
    seen_.clear();
    for (auto& cell : cells_) cell.clear();
}

template <typename F>
bool LabelLayer::AnyLineNear(const TextBox& box, F crosses) const {
    const auto column = [&](double x) { return std::clamp(static_cast<int>(std::floor((x - area_.Left) / cell_)), 0, columns_ - 1); };
    const auto row = [&](double y) { return std::clamp(static_cast<int>(std::floor((y - area_.Top) / cell_)), 0, rows_ - 1); };
    if (++query_ == 0) std::fill(seen_.begin(), seen_.end(), 0), query_ = 1;
    const int c0 = column(box.Left - 1), c1 = column(box.Left + box.Width + 1);
    const int r0 = row(box.Top - 1), r1 = row(box.Top + box.Height + 1);
    for (int r = r0; r <= r1; ++r)
        for (int c = c0; c <= c1; ++c)
            for (const std::size_t i : cells_[static_cast<std::size_t>(r * columns_ + c)]) {
                if (seen_[i] == query_) continue;
                seen_[i] = query_;
                if (crosses(lines_[i])) return true;
            }
    return false;
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
        placed_.push_back({x, y, width, height});
        placedFor_.push_back({0, ForeColor});
        return;
    }
    labels_.push_back({{x, y, width, height}, text, LookNow(), onGround, of, of ? along : std::nullopt, crowded_, Owner});
    crowded_ = WhenCrowded::Elsewhere;
}

void LabelLayer::Clear() {
    groundWaiting_ = false;
    labels_.clear();
    Forget();
    placed_.clear();
    placedFor_.clear();
    Below().Cls();
}

std::vector<TextBox> LabelLayer::PlacedWithin(const TextBox& reach) const {
    std::vector<TextBox> near;
    for (const TextBox& t : placed_)
        if (Overlap(t, reach)) near.push_back(t);
    return near;
}

bool LabelLayer::Free(const TextBox& box, const std::vector<TextBox>& texts) const {
    if (!Inside(box, area_)) return false;
    const TextBox apart = Grown(box, gap_), clear = Grown(box, lineGap_);
    if (std::any_of(texts.begin(), texts.end(), [&](const TextBox& t) { return Overlap(apart, t); })) return false;
    return !AnyLineNear(clear, [&](const Segment& l) { return SegmentCrossesBox(l.x1, l.y1, l.x2, l.y2, clear); });
}

double LabelLayer::Cost(const TextBox& box, const std::vector<TextBox>& texts, double bound) const {
    const TextBox clear = Grown(box, gap_);
    double c = Inside(box, area_) ? 0 : 1E6;
    for (const TextBox& t : texts)
        if (Overlap(clear, t)) c += 1000;
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

bool LabelLayer::AmongOthers(const Label& label, const TextBox& box) const {
    if (label.Owner == 0) return false;
    const double h = label.Box.Height, x = box.Left + box.Width / 2, y = box.Top + box.Height / 2;
    std::vector<std::size_t> near;
    for (std::size_t i = 0; i < placed_.size(); ++i)
        if (placedFor_[i].first != 0 && placedFor_[i].first != label.Owner && placedFor_[i].second == label.Printed.Colour &&
            Distance(placed_[i], box) <= 2 * h)
            near.push_back(i);
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
    for (const std::size_t a : near) {
        const auto [ox, oy] = middle(placed_[a]);
        for (std::size_t b = 0; b < placed_.size(); ++b) {
            const auto [bx, by] = middle(placed_[b]);
            if (placedFor_[b].first == label.Owner && placedFor_[b].second == label.Printed.Colour &&
                Distance(placed_[b], placed_[a]) <= 2 * h && (bx - ox) * (x - ox) + (by - oy) * (y - oy) < 0)
                return true;
        }
    }
    return false;
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
        const TextBox bounds{std::min(l.x1, l.x2), std::min(l.y1, l.y2), std::fabs(l.x2 - l.x1), std::fabs(l.y2 - l.y1)};
        if (SquaredDistance(bounds, box) < own * own) own = std::min(own, SegmentBoxDistance(l.x1, l.y1, l.x2, l.y2, box));
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
    // a text that labels something may also go anywhere near it
    int left = -nx, right = nx, up = -ny, down = ny;
    const double nearby = kNear * h;
    if (label.Of) {
        const TextBox& of = *label.Of;
        left = std::min(left, static_cast<int>(std::floor((of.Left - nearby - asked.Width - asked.Left) / stepX)));
        right = std::max(right, static_cast<int>(std::ceil((of.Left + of.Width + nearby - asked.Left) / stepX)));
        up = std::min(up, static_cast<int>(std::floor((of.Top - nearby - asked.Height - asked.Top) / stepY)));
        down = std::max(down, static_cast<int>(std::ceil((of.Top + of.Height + nearby - asked.Top) / stepY)));
    }
    auto spot = [&](int i, int j) { return TextBox{asked.Left + i * stepX, asked.Top + j * stepY, asked.Width, asked.Height}; };
    // near what it labels, and no nearer what another text of its kind labels
    auto isNear = [&](const TextBox& box) {
        if (!label.Of) return true;
        const double own = Away(label, box);
        if (own > nearby || !OnItsSide(label, reading, box)) return false;
        if (AmongOthers(label, box)) return false;
        return own <= 1 || std::none_of(rivals.begin(), rivals.end(), [&](const Label* r) { return Away(*r, box) < own - 1; });
    };
    // the texts within reach
    const std::vector<TextBox> texts = PlacedWithin(Grown({asked.Left + left * stepX, asked.Top + up * stepY,
                                                          asked.Width + (right - left) * stepX,
                                                          asked.Height + (down - up) * stepY},
                                                         2 * gap_));
    if (isNear(asked) && Free(asked, texts) && NearestIsOwn(label, reading, asked)) return {asked, {}, false};

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
    // stops at the ring beyond the nearest free spot found.
    auto ringOf = [](int i, int j) { return std::max(2 * std::abs(i), std::abs(j)); };
    const int rings = std::max({ringOf(left, up), ringOf(right, down), ringOf(left, down), ringOf(right, up)}) + 1;
    std::vector<int> first(2 * static_cast<std::size_t>(rings) + 1, 0);
    std::vector<Spot> spots;
    for (int i = left; i <= right; ++i)
        for (int j = up; j <= down; ++j) {
            const bool close = isNear(spot(i, j));
            if (close || (label.Crowded == WhenCrowded::Elsewhere && std::abs(i) <= nx && std::abs(j) <= ny)) {
                spots.push_back({i, j, close, (i * stepX) * (i * stepX) + (j * stepY) * (j * stepY)});
                ++first[static_cast<std::size_t>((close ? 0 : rings) + ringOf(i, j)) + 1];
            }
        }
    for (std::size_t k = 1; k < first.size(); ++k) first[k] += first[k - 1];
    std::vector<Spot> byRing(spots.size());
    {
        std::vector<int> next(first.begin(), first.end() - 1);
        for (const Spot& at : spots)
            byRing[static_cast<std::size_t>(next[static_cast<std::size_t>((at.near ? 0 : rings) + ringOf(at.i, at.j))]++)] = at;
    }
    // a spot nearer its own thing than any other's first, as a reader takes
    // a value for the nearest thing drawn; else one near what it labels
    const bool led = label.Crowded == WhenCrowded::Leader || label.Crowded == WhenCrowded::ShortLeader;
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
        if (tight) {
            if (std::optional<Placement> short_ = PlaceWithLeader(label, reading, 6.0, false, true)) return *short_;
            if (lookHarder_ == 0) continue;
            --lookHarder_;
            if (std::optional<Placement> short_ = PlaceWithLeader(label, reading, kFineReach, false, true, true)) return *short_;
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
            const std::size_t k = static_cast<std::size_t>((nearOnes ? 0 : rings) + r);
            for (int n = first[k]; n < first[k + 1]; ++n) {
                const Spot& at = byRing[static_cast<std::size_t>(n)];
                if ((!best || before(at, *best)) && Free(spot(at.i, at.j), texts) &&
                    (!ownFirst || NearestIsOwn(label, reading, spot(at.i, at.j))))
                    best = at;
            }
            if (best && best->away < (r + 1) * stepY * (r + 1) * stepY) break;
        }
        if (best && nearOnes) return {spot(best->i, best->j), {}, pass == 2};
        if (tight)
            if (std::optional<Placement> short_ = PlaceWithLeader(label, reading, kFineReach, false, true, true)) return *short_;
        if (best && label.Crowded == WhenCrowded::Elsewhere) {
            // away from what it labels, a spot a leader reaches comes first
            if (label.Of)
                for (const bool clear : {true, false})
                    if (std::optional<Placement> led = PlaceWithLeader(label, reading, 6.0, false, clear))
                        return {led->Box, led->Leader, true};
            return {spot(best->i, best->j), {}, true};
        }
    }
    // a short leader where one finds room, else a longer one; one clear of
    // the lines of other things and of the wall first. A value that may be
    // left out is, rather than read across another thing's lines as its.
    if (label.Crowded == WhenCrowded::Leader || label.Crowded == WhenCrowded::ShortLeader) {
        for (const bool clear : {true, false})
            for (const double reach : {6.0, 12.0})
                if ((reach == 6.0 && clear) || label.Crowded == WhenCrowded::Leader)
                    if (std::optional<Placement> led = PlaceWithLeader(label, reading, reach, false, clear)) {
                        // one across other things' lines, or long, is read amiss
                        led->Astray = !clear || reach > 6.0;
                        return *led;
                    }
    }
    // a value that must be read never vanishes: farther off, its leader
    // crossing other leaders where it must, else where it covers least
    if (label.Crowded == WhenCrowded::Leader) {
        for (const bool clear : {true, false})
            if (std::optional<Placement> led = PlaceWithLeader(label, reading, kFarthest, true, clear))
                return {led->Box, led->Leader, true};
        return PlaceLeastBad(label, reading);
    }
    if (label.Crowded != WhenCrowded::Elsewhere) return {};

    // where no spot is free, the one that covers least, the first in order of those
    TextBox best = asked;
    double bestCost = -1;
    const Spot* bestSpot = nullptr;
    for (const Spot& at : spots) {
        const TextBox box = spot(at.i, at.j);
        const double covered = Cost(box, texts, bestCost < 0 ? 1E300 : bestCost + 1);
        if (bestCost < 0 || covered < bestCost || (covered == bestCost && before(at, *bestSpot))) {
            best = box;
            bestCost = covered;
            bestSpot = &at;
        }
    }
    return {best, {}, label.Of.has_value() || bestCost > 0};
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

std::optional<LabelLayer::Segment> LabelLayer::LeaderFrom(double x, double y, const TextBox& box) const {
    const double ex = std::clamp(x, box.Left, box.Left + box.Width), ey = std::clamp(y, box.Top, box.Top + box.Height);
    const double length = std::hypot(ex - x, ey - y);
    if (length <= gap_) return std::nullopt;
    const double shorter = (length - gap_) / length;
    return Segment{x, y, x + shorter * (ex - x), y + shorter * (ey - y)};
}

std::optional<LabelLayer::Segment> LabelLayer::LeaderTo(const Label& label, const TextBox& box,
                                                        const std::vector<TextBox>& texts, bool acrossLeaders,
                                                        bool clear, const Reading& reading, double longest,
                                                        bool every) const {
    auto fits = [&](const Segment& l) {
        // crossing no text, this one's included, and no other leader unless allowed
        const bool crosses = SegmentCrossesBox(l.x1, l.y1, l.x2, l.y2, Grown(box, -1)) ||
                             std::any_of(texts.begin(), texts.end(), [&](const TextBox& t) {
                                 return SegmentCrossesBox(l.x1, l.y1, l.x2, l.y2, Grown(t, gap_ / 2));
                             }) ||
                             (!acrossLeaders &&
                              std::any_of(leaders_.begin(), leaders_.end(), [&](const Segment& o) { return SegmentsCross(l, o); }));
        if (crosses) return false;
        // across an arrow, a hatching or the wall's outline a leader reads as
        // one of them, across its own hatching as one more of its lines; from
        // within the wall it crosses that outline once at most, on its way out,
        // not across another member
        const TextBox bounds{std::min(l.x1, l.x2), std::min(l.y1, l.y2), std::fabs(l.x2 - l.x1), std::fabs(l.y2 - l.y1)};
        int outline = 0;
        return !(clear && AnyLineNear(bounds, [&](const Segment& o) {
            if (o.part == PartWall) return SegmentsCross(l, o) && ++outline > (reading.inWall ? 1 : 0);
            return o.owner != 0 && (o.owner != label.Owner || o.part == PartBody) && o.part != PartLeader &&
                   SegmentsCross(l, o);
        }));
    };
    const std::optional<Segment> nearest = LeaderLine(label, box);
    if (!nearest) return std::nullopt;
    if (fits(*nearest)) return nearest;
    if (!(longest < 1E300)) return std::nullopt;
    // where the nearest way is barred, one from another point of what it
    // labels: an arrow reads from any point of it, a block from any of its
    // corners, a row from either end
    // (its ends or corners; with `every`, the points between too)
    std::vector<std::pair<double, double>> starts;
    const std::vector<double> at = every ? std::vector<double>{0.0, 1.0, 0.5, 0.25, 0.75} : std::vector<double>{0.0, 1.0};
    if (const std::optional<Segment>& a = label.Along) {
        for (const double t : at) starts.emplace_back(a->x1 + t * (a->x2 - a->x1), a->y1 + t * (a->y2 - a->y1));
    } else {
        const TextBox& of = *label.Of;
        if (of.Width > 0 || of.Height > 0)
            for (const double tx : at)
                for (const double ty : at)
                    if (tx != 0.25 && tx != 0.75 && ty != 0.25 && ty != 0.75)
                        starts.emplace_back(of.Left + tx * of.Width, of.Top + ty * of.Height);
    }
    for (const auto& [x, y] : starts)
        if (const std::optional<Segment> l = LeaderFrom(x, y, box);
            l && std::hypot(l->x2 - l->x1, l->y2 - l->y1) <= longest && fits(*l))
            return l;
    return std::nullopt;
}

std::optional<LabelLayer::Placement> LabelLayer::PlaceWithLeader(const Label& label, const Reading& reading,
                                                                 double reach, bool acrossLeaders, bool clear,
                                                                 bool fine) const {
    const TextBox& of = *label.Of;
    const double h = std::max(label.Box.Height, 1.0), w = label.Box.Width;
    // a coarser grid than beside: a spot this far off need not be the nearest to a hair
    const double stepX = h / (fine ? 3 : 2), stepY = stepX;
    const int nx = static_cast<int>(std::ceil((reach * h + w + of.Width / 2) / stepX));
    const int ny = static_cast<int>(std::ceil((reach * h + h + of.Height / 2) / stepY));
    const double ax = of.Left + of.Width / 2, ay = of.Top + of.Height / 2;
    struct Spot {
        TextBox box;
        double length;
    };
    std::vector<Spot> spots;
    for (int i = -nx; i <= nx; ++i)
        for (int j = -ny; j <= ny; ++j) {
            const TextBox box{ax + i * stepX - w / 2, ay + j * stepY - h / 2, w, h};
            // a leader runs from the nearest edge of what it labels; within
            // two heights of that a text needs none
            const double length = Away(label, box);
            if (length > kNear * h && length <= reach * h) spots.push_back({box, length});
        }
    std::stable_sort(spots.begin(), spots.end(), [](const Spot& a, const Spot& b) { return a.length < b.length; });
    const std::vector<TextBox> texts = PlacedWithin(Grown(of, (reach + 2) * h + w));
    for (const Spot& at : spots)
        if (Free(at.box, texts) && OnItsSide(label, reading, at.box) && !AmongOthers(label, at.box))
            if (const std::optional<Segment> leader =
                    LeaderTo(label, at.box, texts, acrossLeaders, clear, reading, lookHarder_ > 0 ? reach * h : 1E300, true))
                return Placement{at.box, leader, false};
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
    const std::vector<TextBox> texts = PlacedWithin(Grown(asked, std::max(nx * stepX, ny * stepY) + 2 * gap_));
    TextBox best = asked;
    double bestCost = -1, bestAway = 0;
    for (int i = -nx; i <= nx; ++i)
        for (int j = -ny; j <= ny; ++j) {
            const TextBox box{asked.Left + i * stepX, asked.Top + j * stepY, asked.Width, asked.Height};
            // across its member's axis it reads wrong whatever it covers
            double covered = OnItsSide(label, reading, box) ? 0 : 1E5;
            covered += Cost(box, texts, bestCost < 0 ? 1E300 : bestCost + 1 - covered);
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

std::vector<LabelLayer::Planned> LabelLayer::Plan(const std::vector<std::size_t>& order, int& astray) {
    std::vector<Planned> plan;
    std::vector<const Label*> rivals;
    const bool handOn = dynamic_cast<LabelLayer*>(&target_) != nullptr;
    astray = 0;
    lookHarder_ = kLookHarder;
    for (const std::size_t k : order) {
        const Label& label = labels_[k];
        // what the other texts of its kind label, near enough to matter
        rivals.clear();
        if (label.Of && !handOn) {
            // a spot near its own lies within two heights of it; a rival nearer than that, within four
            const TextBox reach = Grown(*label.Of, 2 * kNear * label.Box.Height + label.Box.Width + label.Box.Height);
            for (const Label& other : labels_)
                if (&other != &label && other.Of && other.Printed.Colour == label.Printed.Colour &&
                    Distance(*other.Of, *label.Of) >= 1 && Overlap(*other.Of, reach) )
                    rivals.push_back(&other);
        }
        // a layer below places the texts again among all its lines and texts: this one hands them on
        const Reading reading = handOn ? Reading{} : ReadingOf(label);
        Placement placed = handOn ? Placement{label.Box, {}, false} : Place(label, rivals, reading);
        astray += placed.Astray;
        if (!placed.Box) continue;
        const TextBox box = *placed.Box;
        // a text that found room only away from what it labels is joined to it, where a leader crosses no text
        if (!handOn && !placed.Leader && label.Of && Away(label, box) > kNear * box.Height)
            for (const bool clear : {true, false})
                if (!placed.Leader) placed.Leader = LeaderTo(label, box, placed_, false, clear, reading);
        if (placed.Leader) {
            // a leader across a text hides it: as bad as many texts astray
            const Segment& l = *placed.Leader;
            if (std::any_of(placed_.begin(), placed_.end(),
                            [&](const TextBox& t) { return SegmentCrossesBox(l.x1, l.y1, l.x2, l.y2, Grown(t, -1)); }))
                astray += kAcrossText;
        }
        placed_.push_back(box);
        placedFor_.push_back({label.Owner, label.Printed.Colour});
        if (placed.Leader) {
            const Segment& l = *placed.Leader;
            Learn({l.x1, l.y1, l.x2, l.y2, label.Owner, PartLeader});
            leaders_.push_back(l);
        }
        plan.push_back({k, placed});
    }
    return plan;
}

void LabelLayer::Unplan(std::size_t texts, std::size_t lines, std::size_t leaders) {
    placed_.resize(texts);
    placedFor_.resize(texts);
    leaders_.resize(leaders);
    lines_.resize(lines);
    seen_.resize(lines);
    for (auto& cell : cells_)
        cell.erase(std::remove_if(cell.begin(), cell.end(), [&](std::size_t i) { return i >= lines; }), cell.end());
}

void LabelLayer::Flush() {
    DrawWaitingGround();
    const Look left = LookNow();
    const double x = CurrentX, y = CurrentY;
    const int owner = Owner, part = OwnerPart;
    // in the order printed; where some text finds no good spot, once more
    // with those first, and the order that leaves fewer so
    std::vector<std::size_t> order(labels_.size());
    for (std::size_t k = 0; k < order.size(); ++k) order[k] = k;
    const std::size_t texts = placed_.size(), lines = lines_.size(), leaders = leaders_.size();
    int astray = 0;
    std::vector<Planned> plan = Plan(order, astray);
    // each round puts the texts astray in the last one first, the ones
    // before them kept in front
    std::vector<std::size_t> best = order;
    for (int round = 0; round < kRounds && astray > 0 && dynamic_cast<LabelLayer*>(&target_) == nullptr; ++round) {
        std::vector<std::size_t> hardFirst;
        for (const Planned& p : plan)
            if (p.placed.Astray) hardFirst.push_back(p.label);
        for (const std::size_t k : best)
            if (std::find(hardFirst.begin(), hardFirst.end(), k) == hardFirst.end()) hardFirst.push_back(k);
        Unplan(texts, lines, leaders);
        int again = 0;
        std::vector<Planned> next = Plan(hardFirst, again);
        if (again < astray) {
            plan = std::move(next);
            astray = again;
            best = std::move(hardFirst);
            continue;
        }
        Unplan(texts, lines, leaders);
        plan = Plan(best, astray);
        break;
    }
    astray_ += astray;
    for (const Planned& p : plan) {
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

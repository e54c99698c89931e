#include "drawing/LabelLayer.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
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
}

TextBox Grown(const TextBox& b, double by) { return {b.Left - by, b.Top - by, b.Width + 2 * by, b.Height + 2 * by}; }

bool Overlap(const TextBox& a, const TextBox& b) {
    return a.Left < b.Left + b.Width && b.Left < a.Left + a.Width && a.Top < b.Top + b.Height &&
           b.Top < a.Top + a.Height;
}

bool Inside(const TextBox& b, const TextBox& area) {
    return b.Left >= area.Left && b.Top >= area.Top && b.Left + b.Width <= area.Left + area.Width &&
           b.Top + b.Height <= area.Top + area.Height;
}

// The shortest way from one box to the other, 0 where they meet.
double Distance(const TextBox& a, const TextBox& b) {
    const double dx = std::max({0.0, a.Left - (b.Left + b.Width), b.Left - (a.Left + a.Width)});
    const double dy = std::max({0.0, a.Top - (b.Top + b.Height), b.Top - (a.Top + a.Height)});
    return std::hypot(dx, dy);
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

}  // namespace

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

LabelLayer::LabelLayer(Surface& target, TextBox area, double gap) : target_(target), area_(area), gap_(gap) {
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
    lines_.clear();
    placed_.clear();
    target_.NewPage();
}

void LabelLayer::EndDoc() {
    Flush();
    target_.EndDoc();
}

void LabelLayer::DrawLine(double x1, double y1, double x2, double y2, int32_t colour) {
    DrawWaitingGround();
    Below().Line(x1, y1, x2, y2, colour);
    lines_.push_back({x1, y1, x2, y2});
    // what a text was to label comes before that text, never a line between
    of_.reset();
}

void LabelLayer::DrawBox(double x1, double y1, double x2, double y2, int32_t colour) {
    DrawWaitingGround();
    const int32_t fore = ForeColor;
    ForeColor = colour;
    Below().Box(x1, y1, x2, y2);
    ForeColor = fore;
    lines_.insert(lines_.end(), {{x1, y1, x2, y1}, {x2, y1, x2, y2}, {x2, y2, x1, y2}, {x1, y2, x1, y1}});
}

void LabelLayer::DrawFilledBox(double x1, double y1, double x2, double y2, int32_t colour) {
    DrawWaitingGround();
    if (colour == RGB(255, 255, 255) && x1 != x2 && y1 != y2) {
        // perhaps the ground of the text that comes next
        groundWaiting_ = true;
        ground_ = {std::min(x1, x2), std::min(y1, y2), std::fabs(x2 - x1), std::fabs(y2 - y1)};
        return;
    }
    Below().FilledBox(x1, y1, x2, y2, colour);
    // a box of no height or width is a line
    if (x1 == x2 || y1 == y2) lines_.push_back({x1, y1, x2, y2});
}

void LabelLayer::DrawWaitingGround() {
    if (!groundWaiting_) return;
    groundWaiting_ = false;
    Below().FilledBox(ground_.Left, ground_.Top, ground_.Left + ground_.Width, ground_.Top + ground_.Height,
                      RGB(255, 255, 255));
}

void LabelLayer::DrawText(double x, double y, const std::string& text) {
    const bool onGround = groundWaiting_ && std::fabs(ground_.Left - x) < 0.5 && std::fabs(ground_.Top - y) < 0.5;
    if (onGround)
        groundWaiting_ = false;
    else
        DrawWaitingGround();
    const double width = TextWidth(text);
    const double height = std::max(TextHeight(text), onGround ? ground_.Height : 0.0);
    std::optional<TextBox> of;
    of.swap(of_);
    if (inPlace_) {
        if (onGround) Below().FilledBox(x, y, x + width, y + height, RGB(255, 255, 255));
        Surface& below = Below();
        below.CurrentX = x;
        below.CurrentY = y;
        below.Print(text);
        placed_.push_back({x, y, width, height});
        return;
    }
    labels_.push_back({{x, y, width, height}, text, LookNow(), onGround, of});
}

void LabelLayer::Clear() {
    groundWaiting_ = false;
    labels_.clear();
    lines_.clear();
    placed_.clear();
    Below().Cls();
}

TextBox LabelLayer::Place(const Label& label, std::vector<Segment>& near, bool& astray) const {
    const TextBox& asked = label.Box;
    const double h = std::max(asked.Height, 1.0);
    const double stepX = h / 2, stepY = h / 4;
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
    auto isNear = [&](const TextBox& box) { return !label.Of || Distance(box, *label.Of) <= nearby; };

    // the lines and texts within reach
    const TextBox reach = Grown({asked.Left + left * stepX, asked.Top + up * stepY,
                                 asked.Width + (right - left) * stepX, asked.Height + (down - up) * stepY},
                                gap_);
    near.clear();
    for (const Segment& l : lines_) {
        const TextBox bounds{std::min(l.x1, l.x2), std::min(l.y1, l.y2), std::fabs(l.x2 - l.x1),
                             std::fabs(l.y2 - l.y1)};
        if (Overlap(Grown(bounds, 1), reach)) near.push_back(l);
    }
    std::vector<const TextBox*> texts;
    for (const TextBox& t : placed_)
        if (Overlap(t, reach)) texts.push_back(&t);
    // what a spot covers: the frame's edge weighs most, then other texts, then lines
    auto cost = [&](const TextBox& box) {
        const TextBox clear = Grown(box, gap_);
        double c = Inside(box, area_) ? 0 : 1E6;
        for (const TextBox* t : texts)
            if (Overlap(clear, *t)) c += 1000;
        for (const Segment& l : near)
            if (SegmentCrossesBox(l.x1, l.y1, l.x2, l.y2, clear)) c += 1;
        return c;
    };
    astray = false;
    if (isNear(asked) && cost(asked) == 0) return asked;

    // the spots around the one asked for, those near what the text labels
    // first, nearest first; beyond the usual reach only those
    struct Spot {
        int i, j;
        bool near;
        double away;  // from the spot asked for
    };
    std::vector<Spot> spots;
    for (int i = left; i <= right; ++i)
        for (int j = up; j <= down; ++j) {
            const bool close = isNear(spot(i, j));
            if (close || (std::abs(i) <= nx && std::abs(j) <= ny))
                spots.push_back({i, j, close, std::hypot(i * stepX, j * stepY)});
        }
    std::stable_sort(spots.begin(), spots.end(), [&](const Spot& a, const Spot& b) {
        return a.near != b.near ? a.near : a.away < b.away;
    });

    // the first free spot; where there is none, the one that covers least
    TextBox best = asked;
    double bestCost = -1;
    for (const Spot& at : spots) {
        const TextBox box = spot(at.i, at.j);
        const double covered = cost(box);
        if (covered == 0) {
            astray = !at.near;
            return box;
        }
        if (bestCost < 0 || covered < bestCost) {
            best = box;
            bestCost = covered;
        }
    }
    astray = label.Of.has_value();
    return best;
}

void LabelLayer::Flush() {
    DrawWaitingGround();
    const Look left = LookNow();
    const double x = CurrentX, y = CurrentY;
    std::vector<Segment> near;
    for (const Label& label : labels_) {
        bool astray = false;
        const TextBox box = Place(label, near, astray);
        astray_ += astray;
        placed_.push_back(box);
        Wear(label.Printed);
        Surface& below = Below();
        // a layer below keeps the text near what it labels as well
        if (label.Of) brindlemar::NextTextLabels(below, label.Of->Left, label.Of->Top, label.Of->Left + label.Of->Width,
                                     label.Of->Top + label.Of->Height);
        if (label.Ground) below.FilledBox(box.Left, box.Top, box.Left + box.Width, box.Top + box.Height, RGB(255, 255, 255));
        below.CurrentX = box.Left;
        below.CurrentY = box.Top;
        below.ForeColor = label.Printed.Colour;
        below.Print(label.Text);
    }
    labels_.clear();
    Wear(left);
    Below();
    target_.CurrentX = CurrentX = x;
    target_.CurrentY = CurrentY = y;
}

void NextTextLabels(Surface& s, double x1, double y1, double x2, double y2) { s.LabelNextText(x1, y1, x2, y2); }

void LabelLayer::LabelNextText(double x1, double y1, double x2, double y2) {
    NextTextLabels({std::min(x1, x2), std::min(y1, y2), std::fabs(x2 - x1), std::fabs(y2 - y1)});
}

LabelLayer ViewLabelLayer(const Model& m, Surface& s, bool trial) {
    const TextBox frame{0, double(m.FrameTop), double(m.FrameWidth), double(m.FrameHeight)};
    const double gap = 30 * OffsetScale(m);
    return trial ? LabelLayer::Trial(s, frame, gap) : LabelLayer(s, frame, gap);
}

}  // namespace brindlemar

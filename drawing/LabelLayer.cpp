#include "drawing/LabelLayer.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <iterator>
#include <tuple>
#include <utility>

#include "drawing/LabelLayerGrid.h"
#include "drawing/LabelLayerRules.h"
#include "drawing/Primitives.h"
#include "runtime/Colours.h"

namespace brindlemar {

using namespace label_layer;

namespace {

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

}  // namespace

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

void LabelLayer::AddPlaced(const TextBox& box, int owner, int32_t colour, const std::optional<TextBox>& of) {
    placed_.push_back(box);
    placedFor_.push_back({owner, colour});
    placedOf_.push_back(of);
    textCells_.Add(placed_.size() - 1, box);
}

void LabelLayer::ForgetPlaced(std::size_t texts) {
    placed_.resize(texts);
    placedFor_.resize(texts);
    placedOf_.resize(texts);
    textCells_.Truncate(texts);
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
    spotBands_.clear();
    Forget();
    ForgetPlaced(0);
    Below().Cls();
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

void LabelLayer::LookHarderAgain() const { lookHarder_ = labels_.size() <= kFewValues ? kLookHarderFew : kLookHarder; }

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

void LabelLayer::KeepLearning(int astray, std::size_t lines, std::size_t leaders) {
    if (laying_ || astray == 0 || labels_.size() > kFewValues || dynamic_cast<LabelLayer*>(&target_) != nullptr) return;
    spotBands_.clear();
    laying_ = Laying{lines, leaders};
}

void LabelLayer::Take(const Planned& p) {
    if (!p.placed.Box) return;
    const Label& label = labels_[p.label];
    AddPlaced(*p.placed.Box, label.Owner, label.Printed.Colour, label.Of);
    if (p.placed.Leader) {
        const Segment& l = *p.placed.Leader;
        Learn({l.x1, l.y1, l.x2, l.y2, label.Owner, PartLeader});
        leaders_.push_back({l.x1, l.y1, l.x2, l.y2, label.Owner, PartLeader});
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
    KeepLearning(astray, lines, leaders);
    // each round puts the texts astray in the last one first, the ones
    // before them kept in front; in a picture of few values, where a round
    // leaves more astray, the next puts those before them
    std::vector<std::size_t> best = order, failed;
    const int rounds = labels_.size() <= kFewValues ? kRoundsFew : kRounds;
    for (int round = 0; round < rounds && astray > 0 && !handOn; ++round) {
        std::vector<std::size_t> hardFirst = failed;
        for (const Planned& p : plan)
            if (p.astray > 0 && std::find(hardFirst.begin(), hardFirst.end(), p.label) == hardFirst.end())
                hardFirst.push_back(p.label);
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
        failed.clear();
        for (const Planned& p : next)
            if (p.astray > 0) failed.push_back(p.label);
        if (labels_.size() <= kFewValues && round + 1 < rounds) continue;
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
    spotBands_.clear();
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
        KeepLearning(astray, lines, leaders);
        MakeWay(plan, astray, texts, lines, leaders);
    }
    laying_.reset();
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
    spotBands_.clear();
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

#pragma once
// The texts of a picture laid out after its lines. A view draws through the
// layer as on any surface; the lines go straight to the surface below, the
// texts wait. When the view is done, each text in the order it was printed
// is drawn where it was asked for if that spot is free, else at the nearest
// free spot around it: clear of the texts placed before it and of every line
// drawn through the layer, inside the area given. A value's white ground
// (a white box printed just under it) moves with it. A text told what it
// labels (NextTextLabels) takes the nearest free spot within two of its
// heights of that, where there is one. A value that must show and finds
// neither that nor a short leader clear of other things is led from farther
// once the values that read right have their room. Where some texts find no
// good spot, the texts are laid out again with those first, and the better
// layout is drawn.

#include <algorithm>
#include <climits>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "drawing/LabelLayerGrid.h"
#include "drawing/Surface.h"
#include "drawing/TextPlacement.h"
#include "model/Model.h"

namespace brindlemar {

// Whether the segment from (x1, y1) to (x2, y2) enters the box or touches
// its edge. Inline: the layer asks it of every line near every spot it tries.
inline bool SegmentCrossesBox(double x1, double y1, double x2, double y2, const TextBox& b) {
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

// How far the segment from (x1, y1) to (x2, y2) lies from the box; 0 when it enters it.
double SegmentBoxDistance(double x1, double y1, double x2, double y2, const TextBox& box);
// How far (x, y) lies on one side (positive) or the other of the line
// through (x1, y1) and (x2, y2); 0 for a line of no length.
double SideOfLine(double x1, double y1, double x2, double y2, double x, double y);
// Whether a ray from (x, y) to the right crosses the segment: over the
// sides of an outline, an odd count means (x, y) lies within it.
bool RayCrosses(double x1, double y1, double x2, double y2, double x, double y);
// Whether the segments meet (touching ends count only in line with each other).
bool SegmentsMeet(double ax1, double ay1, double ax2, double ay2, double bx1, double by1, double bx2, double by2);
// How far apart the segments lie, 0 where they meet.
double SegmentsApart(double ax1, double ay1, double ax2, double ay2, double bx1, double by1, double bx2, double by2);

// While it lives, what is drawn on the surface belongs to one thing that a
// value labels (Surface::Owner): a new one, unless something is drawn for
// already (a block's arrow belongs to the block).
class DrawnFor {
public:
    explicit DrawnFor(Surface& s) : s_(s), outer_(s.Owner), part_(s.OwnerPart) {
        if (outer_ == 0) s.Owner = ++s.Drawing().LastOwner;
    }
    ~DrawnFor() {
        s_.Owner = outer_;
        s_.OwnerPart = part_;
    }
    DrawnFor(const DrawnFor&) = delete;
    DrawnFor& operator=(const DrawnFor&) = delete;

private:
    Surface& s_;
    int outer_, part_;
};

class LabelLayer : public Surface {
public:
    // `area` is where the texts may stand (the view's frame); `gap` the least
    // room between a text and another text or a line.
    LabelLayer(Surface& target, TextBox area, double gap);
    // A layer that lays its texts out and draws nothing at all, not even
    // the lines: a picture tried on it tells how its texts would stand.
    static LabelLayer Trial(Surface& measuring, TextBox area, double gap);
    ~LabelLayer() override;
    LabelLayer(const LabelLayer&) = delete;
    LabelLayer& operator=(const LabelLayer&) = delete;

    // Places and draws the texts printed so far; the destructor does it too.
    void Flush();
    // While on, texts are drawn at once where they are printed (a legend in
    // its corner) and the texts laid out later keep clear of them.
    void PrintInPlace(bool on) { inPlace_ = on; }
    // What becomes of a text told what it labels when no spot near that is
    // free: it goes to the nearest free spot however far, to a free spot a
    // little farther joined to what it labels by a thin leader line (a short
    // one only, clear of other things' lines, or one as long as needs be
    // within twelve heights), or it is left out. Only a short leader's text
    // and one left out may go missing: a text whose longer leader finds no
    // way goes farther still, its leader crossing other leaders where it
    // must, or else stands where it covers least, nearest what it labels.
    enum class WhenCrowded { Elsewhere, Leader, ShortLeader, LeftOut };
    // The next text printed labels what lies in `box` (see NextTextLabels).
    void NextTextLabels(const TextBox& box, WhenCrowded crowded = WhenCrowded::Elsewhere) {
        of_ = box;
        crowded_ = crowded;
    }
    // While on, the lines drawn are not drawn but kept clear of: they tell
    // the layer what the surface below holds already.
    void Underneath(bool on) { underneath_ = on; }
    // How many texts told what they label found no free spot near it so far.
    int Astray() const { return astray_; }
    // Where each text of a layer stands and its leader, and how many found
    // no free spot near what they label (defined below).
    class Layout;
    // The layout this layer's texts take when it places them is kept in `into`:
    // a trial's, to be drawn by the layer that draws the picture it chose.
    void KeepLayout(Layout& into) { keep_ = &into; }
    // The texts take the spots `layout` gives them, where they are the texts
    // that layout was made for, asked for at the same spots: the picture a
    // trial laid out, drawn again, need not be laid out anew.
    void FollowLayout(const Layout& layout) { follow_ = &layout; }

    double TwipsPerPixelX() const override { return target_.TwipsPerPixelX(); }
    double TwipsPerPixelY() const override { return target_.TwipsPerPixelY(); }
    double ScaleWidth() const override { return target_.ScaleWidth(); }
    double ScaleHeight() const override { return target_.ScaleHeight(); }
    double PageWidth() const override { return target_.PageWidth(); }
    double PageHeight() const override { return target_.PageHeight(); }
    double TextWidth(const std::string& text) override;
    double TextHeight(const std::string& text) override;
    std::vector<std::string> FontNames() const override { return target_.FontNames(); }
    using Surface::Drawing;
    DrawingState& Drawing() override { return target_.Drawing(); }
    void PaintPicture(const Picture& picture, double x, double y, double width, double height) override;
    void NewPage() override;
    void EndDoc() override;
    void LabelNextText(double x1, double y1, double x2, double y2, bool along = false) override;

protected:
    void DrawLine(double x1, double y1, double x2, double y2, int32_t colour) override;
    void DrawBox(double x1, double y1, double x2, double y2, int32_t colour) override;
    void DrawFilledBox(double x1, double y1, double x2, double y2, int32_t colour) override;
    void DrawText(double x, double y, const std::string& text) override;
    void Clear() override;

private:
    LabelLayer(std::unique_ptr<Surface> measuring, TextBox area, double gap);
    struct Segment {
        double x1, y1, x2, y2;
        int owner = 0;  // what it belongs to (Surface::Owner) and which part of it
        int part = PartBody;
    };
    // The font and colour a text was printed in.
    struct Look {
        std::string FontName;
        double FontSize;
        bool Bold, Italic, Underline;
        int32_t Colour;
    };
    struct Label {
        TextBox Box;
        std::string Text;
        Look Printed;
        bool Ground;  // on a white ground
        std::optional<TextBox> Of;  // what it labels
        std::optional<Segment> Along;  // the line within that it labels any point of (an arrow)
        WhenCrowded Crowded;
        int Owner;  // the thing it labels, drawn with its lines
    };
    // What a label is read by: the lines of its thing near it, the axis
    // its thing's ordinates stand from, and whether what it labels lies
    // within the wall's outline.
    struct Reading {
        std::vector<Segment> own;
        std::optional<Segment> axis;
        bool inWall = false;
    };
    // Where a label stands, if anywhere, and the leader line that joins it to what it labels.
    struct Placement {
        std::optional<TextBox> Box;
        std::optional<Segment> Leader;
        bool Astray = false;
        bool Far = false;  // led from farther once the other values stand (PlaceFar)
    };
    // A label placed: which one, where, and its leader; how badly it reads (texts astray).
    struct Planned {
        std::size_t label;
        Placement placed;
        int astray = 0;
    };
    // What reads a label and the other labels it must not stand nearer:
    // the same whatever was placed before it.
    struct Reader {
        Reading reading;
        std::vector<const Label*> rivals;
    };
    // Those of each label waiting.
    std::vector<Reader> Readers() const;
    // Places the labels in the order given, keeping clear of the texts and
    // leaders placed before; counts those that found no good spot. Stops
    // once `enough` are counted. Those that must be led from farther are
    // planned without a spot yet (LandFar).
    std::vector<Planned> Plan(const std::vector<std::size_t>& order, const std::vector<Reader>& readers, int& astray,
                              int enough = INT_MAX);
    // Places label `k` after those planned and adds it to them; how badly it reads.
    int PlanOne(std::size_t k, const std::vector<Reader>& readers, std::vector<Planned>& plan);
    // Where label `k` stands among what is placed, placing nothing.
    Planned PlanFor(std::size_t k, const std::vector<Reader>& readers) const;
    // The same, led from farther at once where it must be.
    Planned PlanLanded(std::size_t k, const std::vector<Reader>& readers) const;
    // Joins a label placed away from what it labels to it where a leader
    // crosses no text; how much worse it reads for its leader: across a
    // text, or across other leaders.
    int Joined(const Label& label, Placement& placed, const Reading& reading) const;
    // Gives the values planned without a spot theirs, in the order planned.
    void LandFar(std::vector<Planned>& plan, int& astray);
    // The layer may look harder again for as many values as at the start of a layout.
    void LookHarderAgain() const;
    // Whether two labels' placements keep clear of each other as each must
    // of what is placed: their texts, and their leaders.
    bool Apart(const Planned& a, const Planned& b) const;
    // Where laying the labels out one by one, those led from farther last,
    // left some astray: for each of the first of those, the values in the
    // way of where it would stand with no other value placed are placed
    // again after it, where that leaves fewer astray (in a picture of so few
    // values that this takes not long); once more while that leaves fewer
    // astray, as those it moved may have left room for others.
    void MakeWay(std::vector<Planned>& plan, int& astray, std::size_t texts, std::size_t lines, std::size_t leaders);
    // Makes way for the value of plan[a]: whether that left fewer astray.
    bool MakeWayFor(std::size_t a, const std::vector<Reader>& readers, std::vector<Planned>& plan, int& astray, int& work,
                    std::size_t texts, std::size_t lines, std::size_t leaders);
    // Where values of a picture of few values are left astray, it is laid
    // out again and way is made for them, each searched for many times
    // over: from then on what a search learns that lasts the layout is kept
    // (`laying_`); `lines` and `leaders` were there before the layout.
    void KeepLearning(int astray, std::size_t lines, std::size_t leaders);
    // Keeps what the label planned clear of: its text and its leader.
    void Take(const Planned& p);
    // Forgets the texts, lines and leaders placed after there were as many as given.
    void Unplan(std::size_t texts, std::size_t lines, std::size_t leaders);
    // Places the labels waiting: in the order printed and, where some find
    // no good spot, again with those first; the better layout stands.
    std::vector<Planned> LayOut(int& astray);
    // The plan of the layout followed, where it was made for the labels waiting.
    std::optional<std::vector<Planned>> Followed() const;
    Look LookNow() const;
    void Wear(const Look& look);
    // The surface below, in this layer's pen and font.
    Surface& Below();
    // A white box waiting to learn whether a text comes on it.
    void DrawWaitingGround();
    // Where a label stands: near what it labels, led to it on a short
    // leader, or else away from it; a value that must show and finds none of
    // those is to be led from farther (Far).
    Placement Place(const Label& label, const std::vector<const Label*>& rivals, const Reading& reading) const;
    // Where a value that no spot near what it labels reads right for stands
    // at last: a longer leader clear of other things, a short one across
    // them, one across other leaders, else where it covers least.
    Placement PlaceFar(const Label& label, const Reading& reading) const;
    // The spots just past either end of an arrow, `by` off it: centred on
    // it, and flush with it either way across; past its second end first.
    static std::vector<TextBox> PastEnds(const Segment& arrow, double width, double height, double by);
    Reading ReadingOf(const Label& label) const;
    // Whether the text at `box` stands on the side of its thing's axis
    // where that thing's ordinate stands: across it a force reads as of the
    // other sign.
    bool OnItsSide(const Label& label, const Reading& reading, const TextBox& box) const;
    // Whether the text at `box` stands between two values of one other
    // thing, in its colour, within two heights: it reads as one of them;
    // or puts a value of another thing between it and one of its own; or
    // stands at the end of the leader of another value of its thing led
    // from the same point (the other of a jump): it reads as that one.
    // `own` are the texts placed of its thing in its colour (OwnPlaced).
    bool AmongOthers(const Label& label, const TextBox& box, const std::vector<std::size_t>& own) const;
    std::vector<std::size_t> OwnPlaced(const Label& label) const;
    // Whether no line of another thing stands nearer the text at `box` than
    // the lines of its own: a reader takes a value for the nearest thing drawn.
    bool NearestIsOwn(const Label& label, const Reading& reading, const TextBox& box) const;
    // The spots a leader may reach from what a label labels, tried and to try.
    struct LeaderSpots;
    // The spot `i` steps across and `j` down from the middle of what the
    // label labels, a step being half a height, or a third on the finer grid.
    static TextBox LeaderSpot(const Label& label, const LeaderSpots& spots, int i, int j);
    // The spots of a leader's grid as they are filed band by band, for what
    // one label labels (defined with LeaderSpots).
    struct SpotBands;
    // Makes the spots of the next band, a height farther than those made.
    void MakeLeaderSpots(const Label& label, const Reading& reading, LeaderSpots& spots) const;
    // The free spot nearest what the label labels, within `reach` of its
    // heights, from which a leader from the middle of that reaches it
    // crossing no text nor, unless `acrossLeaders`, another leader.
    // With `clear`, the leader crosses no line of another thing nor the
    // wall's outline (see LeaderTo). `spots` holds what the label's
    // searches before found on its grid, while nothing was placed meanwhile.
    // With `fromElsewhere`, a spot whose nearest way is barred may be led
    // from another point of what it labels, no farther than `reach`.
    std::optional<Placement> PlaceWithLeader(const Label& label, const Reading& reading, LeaderSpots& spots,
                                             double reach, bool acrossLeaders, bool clear, bool fromElsewhere) const;
    // Where a value that must show finds neither a free spot nor a leader's
    // way: the spot around the one asked for that covers least, the nearest
    // what it labels of those, led to it when away from it.
    Placement PlaceLeastBad(const Label& label, const Reading& reading) const;
    // How far the text at `box` stands from what the label labels.
    static double Away(const Label& label, const TextBox& box);
    // The line from what the label labels to a text there, none when they
    // touch: from the middle of a box, from the nearest point of a line.
    std::optional<Segment> LeaderLine(const Label& label, const TextBox& box) const;
    // The line from (x, y) to a text there, a gap short of it; none when they touch.
    std::optional<Segment> LeaderFrom(double x, double y, const TextBox& box) const;
    // What is known of a leader: which bars were asked of it (LeaderBar), and which it crosses.
    struct Known {
        unsigned char asked = 0, crosses = 0;
    };
    // How many other points of what it labels a leader may run from.
    static constexpr std::size_t kStarts = 9;
    // A leader to the text at `box` from another point of what the label
    // labels than the nearest (an arrow's ends and the points between, a
    // block's corners and the middles of its sides), no longer than
    // `longest`, crossing nothing that `bars` names; what each crosses is
    // learnt once, in `known`.
    // Which leaders of a spot were asked whether they cross the lines
    // (AcrossLines), and which do: the nearest (the lowest bit) and those
    // from elsewhere (the bits above, by their number). Those lines stay
    // while the values are laid out, so a spot's answers hold for every
    // search of it then.
    struct AcrossDrawn {
        std::uint16_t asked = 0, crosses = 0;
    };
    std::optional<Segment> LeaderFromElsewhere(const Label& label, const TextBox& box, const Reading& reading,
                                               unsigned bars, double longest, Known (&known)[kStarts],
                                               AcrossDrawn* drawn) const;
    // That leader, where it crosses no text of those given nor, unless
    // `acrossLeaders`, another leader.
    // With `clear`, neither the lines of things other than the label's nor
    // the wall's outline, unless what it labels lies within the wall.
    std::optional<Segment> LeaderTo(const Label& label, const TextBox& box, bool acrossLeaders, bool clear,
                                    const Reading& reading) const;
    // What keeps a leader from reading right: across a text or ending by
    // one of its thing that labels where it starts, another
    // leader, or the lines of other things (`clear` above); and, longer than
    // a short one, passing near another thing or its values, or leaving its
    // text near another thing's lines: a long leader is followed, and must
    // lead nowhere else.
    enum LeaderBar : unsigned char { AcrossText = 1, AcrossLeader = 2, AcrossLines = 4, PassesNear = 8 };
    // Whether the leader `l` to the text at `box` crosses what is named.
    bool LeaderCrosses(const Label& label, const TextBox& box, const Segment& l, const Reading& reading,
                       LeaderBar bar) const;
    // The part of a leader longer than a short one past where it leaves
    // what it labels, which keeps clear of other things; none for a short one.
    static std::optional<Segment> LongWay(const Label& label, const Segment& l);
    // Whether the leader `l` to the text at `box` crosses any of `bars`, each learnt once in `known`.
    // What it learns of the lines it keeps in `drawn` as the leader of number `which` there, where given.
    bool Crosses(const Label& label, const TextBox& box, const Segment& l, const Reading& reading, unsigned bars,
                 Known& known, AcrossDrawn* drawn = nullptr, unsigned which = 0) const;
    // What a search bars: texts always, leaders unless it may cross them, lines with `clear`.
    static unsigned Bars(bool acrossLeaders, bool clear) {
        return AcrossText | (acrossLeaders ? 0u : unsigned{AcrossLeader}) | (clear ? unsigned{AcrossLines | PassesNear} : 0u);
    }
    // What kept a spot from being free: a text placed, or a line.
    struct Blocker {
        std::size_t text = SIZE_MAX, line = SIZE_MAX;
    };
    // Whether the box keeps clear of the frame's edge, the texts placed and
    // the lines (by `lineGap_`), and of the way of a long leader by as far
    // as it keeps from other things. Tries `last` first, and notes there what keeps it.
    bool Free(const TextBox& box, Blocker* last = nullptr, bool texts = true) const;
    // Whether the box stands within the room the way of a long leader keeps.
    bool NearLongWay(const TextBox& box) const;
    // Free's answer in two parts while the values are laid out (`laying_`),
    // texts aside: the frame's edge and the lines drawn before, which stay
    // as they are, so that a spot's answer holds for every search of it; and
    // the leaders laid since (the lines learnt after those), with their ways.
    bool ClearOfDrawn(const TextBox& box, Blocker* last) const;
    bool ClearOfLaid(const TextBox& box) const;
    // How much a spot covers: the frame's edge weighs most, then the texts
    // placed, then lines. Counts no further than `bound`.
    double Cost(const TextBox& box, double bound) const;
    // Calls `crosses` with each line whose cells meet the box, once, until it returns true.
    template <typename F>
    bool AnyLineNear(const TextBox& box, F crosses) const;
    void Learn(const Segment& line);
    // A text placed, and what it labels (of which thing, where) in what colour; forgetting all but the first `texts`.
    void AddPlaced(const TextBox& box, int owner, int32_t colour, const std::optional<TextBox>& of = std::nullopt);
    void ForgetPlaced(std::size_t texts);
    // Tells a layer below of a line underneath.
    void LearnBelow(const Segment& line);
    void Forget();

    std::unique_ptr<Surface> measuring_;  // a trial layer's surface, which draws nothing
    Surface& target_;
    TextBox area_;
    double gap_;
    mutable double lineGap_;  // from lines: less for a while where a crowded value seeks room (Place)
    mutable int lookHarder_ = 0;  // for how many more values of a layout the layer may look harder (Place)
    std::vector<Segment> lines_;
    std::vector<Segment> leaders_;  // drawn by this layer
    // of each leader, the way a long one keeps clear of other things, and how far; 0 for a short one
    std::vector<std::pair<Segment, double>> ways_;
    double widestWay_ = 0;  // the farthest a way keeps others
    std::vector<TextBox> placed_;
    std::vector<std::pair<int, int32_t>> placedFor_;  // the thing each labels, and its colour
    std::vector<std::optional<TextBox>> placedOf_;    // and what of it, where told
    // where each line, text placed and leader lies
    LabelGrid lineCells_, textCells_, leaderCells_;
    mutable std::vector<std::size_t> near_;  // AmongOthers' own, kept for the next
    mutable std::vector<SpotBands> spotBands_;  // of the labels searched for so far (MakeLeaderSpots)
    // From KeepLearning to the end of the layout, how many lines and leaders
    // there were before it: those lines stay, and each one learnt after is
    // the leader of its number past these.
    struct Laying {
        std::size_t lines, leaders;
    };
    std::optional<Laying> laying_;
    mutable Blocker lastAcross_;  // the text and the line the last leader barred by one crossed (LeaderCrosses)
    std::vector<Label> labels_;
    bool inPlace_ = false;
    bool groundWaiting_ = false;
    TextBox ground_;
    std::optional<TextBox> of_;
    std::optional<Segment> along_;
    WhenCrowded crowded_ = WhenCrowded::Elsewhere;
    bool underneath_ = false;
    int astray_ = 0;
    Layout* keep_ = nullptr;
    const Layout* follow_ = nullptr;

public:
    class Layout {
    public:
        int Astray() const { return astray_; }

    private:
        friend class LabelLayer;
        std::vector<std::pair<TextBox, std::string>> asked_;  // each text's spot asked for, and the text
        std::vector<Planned> plan_;
        int astray_ = 0;
    };
};

// The next text printed on `s` labels what lies in the box with corners
// (x1, y1) and (x2, y2), an arrow, a block or the end of one: on a label
// layer it stands within two of its heights of it where a spot there is
// free. Any other surface prints it where it is asked for.
// With `along`, what it labels is the line from (x1, y1) to (x2, y2), any
// point of it (an arrow, whose value may be led to its nearest end).
void NextTextLabels(Surface& s, double x1, double y1, double x2, double y2,
                    LabelLayer::WhenCrowded crowded = LabelLayer::WhenCrowded::Elsewhere, bool along = false);

// The layer a view's values are laid out on: anywhere in the frame, a
// screen offset (grown on paper) clear of one another and of the lines.
// Layers nest: a view drawn on another view's layer hands its texts on, and
// the outer layer places them again among all the texts and lines of both.
// A trial layer draws nothing (LabelLayer::Trial).
LabelLayer ViewLabelLayer(Surface& s, bool trial = false);

}  // namespace brindlemar

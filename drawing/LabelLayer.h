#pragma once
// The texts of a picture laid out after its lines. A view draws through the
// layer as on any surface; the lines go straight to the surface below, the
// texts wait. When the view is done, each text in the order it was printed
// is drawn where it was asked for if that spot is free, else at the nearest
// free spot around it: clear of the texts placed before it and of every line
// drawn through the layer, inside the area given. A value's white ground
// (a white box printed just under it) moves with it. A text told what it
// labels (NextTextLabels) takes the nearest free spot within two of its
// heights of that, where there is one. Where some texts find no good spot,
// the texts are laid out again with those first, and the better layout is
// drawn.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "drawing/Surface.h"
#include "drawing/TextPlacement.h"
#include "model/Model.h"

namespace brindlemar {

// Whether the segment from (x1, y1) to (x2, y2) enters the box or touches its edge.
bool SegmentCrossesBox(double x1, double y1, double x2, double y2, const TextBox& box);
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
    };
    // A label placed: which one, where, and its leader.
    struct Planned {
        std::size_t label;
        Placement placed;
    };
    // Places the labels in the order given, keeping clear of the texts and
    // leaders placed before; counts those that found no good spot.
    std::vector<Planned> Plan(const std::vector<std::size_t>& order, int& astray);
    // Forgets the texts, lines and leaders placed after there were as many as given.
    void Unplan(std::size_t texts, std::size_t lines, std::size_t leaders);
    Look LookNow() const;
    void Wear(const Look& look);
    // The surface below, in this layer's pen and font.
    Surface& Below();
    // A white box waiting to learn whether a text comes on it.
    void DrawWaitingGround();
    Placement Place(const Label& label, const std::vector<const Label*>& rivals, const Reading& reading) const;
    Reading ReadingOf(const Label& label) const;
    // Whether the text at `box` stands on the side of its thing's axis
    // where that thing's ordinate stands: across it a force reads as of the
    // other sign.
    bool OnItsSide(const Label& label, const Reading& reading, const TextBox& box) const;
    // Whether the text at `box` stands between two values of one other
    // thing, in its colour, within two heights: it reads as one of them;
    // or puts a value of another thing between it and one of its own.
    bool AmongOthers(const Label& label, const TextBox& box) const;
    // Whether no line of another thing stands nearer the text at `box` than
    // the lines of its own: a reader takes a value for the nearest thing drawn.
    bool NearestIsOwn(const Label& label, const Reading& reading, const TextBox& box) const;
    // The free spot nearest what the label labels, within `reach` of its
    // heights, from which a leader from the middle of that reaches it
    // crossing no text nor, unless `acrossLeaders`, another leader.
    // With `clear`, the leader crosses no line of another thing nor the
    // wall's outline (see LeaderTo). `fine` tries spots a fifth of a height
    // apart rather than half.
    std::optional<Placement> PlaceWithLeader(const Label& label, const Reading& reading, double reach,
                                             bool acrossLeaders, bool clear, bool fine = false) const;
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
    // That leader, where it crosses no text of those given nor, unless
    // `acrossLeaders`, another leader.
    // With `clear`, neither the lines of things other than the label's nor
    // the wall's outline, unless what it labels lies within the wall. Where
    // it does, with a `longest` given, one from an end or corner of what it
    // labels (`every`: or a point between) no longer than that.
    std::optional<Segment> LeaderTo(const Label& label, const TextBox& box, const std::vector<TextBox>& texts,
                                    bool acrossLeaders, bool clear, const Reading& reading,
                                    double longest = 1E300, bool every = false) const;
    // The texts placed that meet `reach`.
    std::vector<TextBox> PlacedWithin(const TextBox& reach) const;
    // Whether the box keeps clear of the frame's edge, the texts given and the lines.
    bool Free(const TextBox& box, const std::vector<TextBox>& texts) const;
    // How much a spot covers: the frame's edge weighs most, then the texts
    // given, then lines. Counts no further than `bound`.
    double Cost(const TextBox& box, const std::vector<TextBox>& texts, double bound) const;
    // Calls `crosses` with each line whose cells meet the box, once, until it returns true.
    template <typename F>
    bool AnyLineNear(const TextBox& box, F crosses) const;
    void Learn(const Segment& line);
    // Tells a layer below of a line underneath.
    void LearnBelow(const Segment& line);
    void Forget();

    std::unique_ptr<Surface> measuring_;  // a trial layer's surface, which draws nothing
    Surface& target_;
    TextBox area_;
    double gap_;
    mutable double lineGap_;  // from lines: less for a while where a crowded value seeks room (Place)
    mutable int lookHarder_ = 0;  // how many more values it may look harder for (Place)
    std::vector<Segment> lines_;
    std::vector<Segment> leaders_;  // drawn by this layer
    // The lines by the cells of a grid over the area that their bounds
    // cover, so that a spot is tried against the lines near it alone; a line
    // beyond the area counts in the cells of its edge.
    double cell_ = 1;
    int columns_ = 1, rows_ = 1;
    std::vector<std::vector<std::size_t>> cells_;
    mutable std::vector<unsigned> seen_;  // the last query that met each line
    mutable unsigned query_ = 0;
    std::vector<TextBox> placed_;
    std::vector<std::pair<int, int32_t>> placedFor_;  // the thing each labels, and its colour
    std::vector<Label> labels_;
    bool inPlace_ = false;
    bool groundWaiting_ = false;
    TextBox ground_;
    std::optional<TextBox> of_;
    std::optional<Segment> along_;
    WhenCrowded crowded_ = WhenCrowded::Elsewhere;
    bool underneath_ = false;
    int astray_ = 0;
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

#pragma once
// A Surface that draws nothing and logs every call with its coordinates,
// texts and the pen and font in force. Its text metrics are fixed numbers,
// so that layout tests do not depend on the fonts of the machine:
// every character is CharacterWidth x FontSize twips wide, a line is
// LineHeight x FontSize twips high.

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "drawing/Surface.h"
#include "drawing/TextPlacement.h"

namespace brindlemar::test {

struct SurfaceCall {
    std::string Kind;      // "Line", "Box", "FilledBox", "Print", "Picture", "Cls", "NewPage", "EndDoc"
    double X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
    int32_t Colour = 0;    // the line or box colour; ForeColor for a text
    int Width = 0;         // DrawWidth
    int Style = 0;         // DrawStyle
    int Mode = 0;          // DrawMode
    std::string Text;
    std::string Font;
    double FontSize = 0;
    bool Bold = false, Italic = false, Underline = false;
    double Height = 0;              // a text's height as measured
    std::optional<TextBox> Anchor;  // what a text was told it labels
    std::optional<std::array<double, 4>> AnchorLine;  // with it, a line it labels any point of
    int Owner = 0, Part = 0;        // the thing it was drawn for, and which part of it (Surface::Owner)
};

class RecordingSurface : public Surface {
public:
    RecordingSurface(double scaleWidth = 10000, double scaleHeight = 6000, double twipsPerPixel = 15);

    double CharacterWidth = 10;   // twips per point per character
    double LineHeight = 23;       // twips per point per line
    std::vector<SurfaceCall> Calls;

    double TwipsPerPixelX() const override { return twipsPerPixel_; }
    double TwipsPerPixelY() const override { return twipsPerPixel_; }
    double ScaleWidth() const override { return scaleWidth_; }
    double ScaleHeight() const override { return scaleHeight_; }
    double TextWidth(const std::string& text) override;
    double TextHeight(const std::string& text) override;
    std::vector<std::string> FontNames() const override;
    void PaintPicture(const Picture& picture, double x, double y, double width, double height) override;
    void NewPage() override;
    void EndDoc() override;
    void LabelNextText(double x1, double y1, double x2, double y2, bool along = false) override;

    // The calls of one kind, in order.
    std::vector<SurfaceCall> Of(const std::string& kind) const;
    // The texts printed, in order.
    std::vector<std::string> Texts() const;
    // The first printed text equal to `text`, or nullptr.
    const SurfaceCall* FindText(const std::string& text) const;

protected:
    void DrawLine(double x1, double y1, double x2, double y2, int32_t colour) override;
    void DrawBox(double x1, double y1, double x2, double y2, int32_t colour) override;
    void DrawFilledBox(double x1, double y1, double x2, double y2, int32_t colour) override;
    void DrawText(double x, double y, const std::string& text) override;
    void Clear() override;

private:
    SurfaceCall Record(const std::string& kind, double x1, double y1, double x2, double y2, int32_t colour);

    double scaleWidth_, scaleHeight_, twipsPerPixel_;
    std::optional<TextBox> anchor_;
    std::optional<std::array<double, 4>> anchorLine_;
};

}  // namespace brindlemar::test

#pragma once
// The drawing surface: one interface for the main window's picture, the
// printer and a PDF file, so that every view and report block is drawn by
// the same code. Coordinates are twips (1440 to the inch, 20 to the point),
// x to the right, y downwards; the surface's own scale origin
// (ScaleLeft, ScaleTop) is the coordinate of the top-left corner of its
// drawable area.
//
// The drawing state is kept in plain members that the drawing code sets
// directly (`s.ForeColor = ...; s.CurrentY = ...;`); each implementation
// reads them when it draws. Texts are Windows-1252 bytes.

#include <cstdint>
#include <string>
#include <vector>

#include "drawing/DrawingState.h"

namespace brindlemar {

inline constexpr double TwipsPerPoint = 20;

// Draw styles (only solid is used by the views; dashes are drawn piece by piece).
enum DrawStyleValue : int {
    vbSolid = 0,
    vbDash = 1,
    vbDot = 2,
    vbDashDot = 3,
    vbDashDotDot = 4,
    vbInvisible = 5,
    vbInsideSolid = 6,
};

// Which part of the thing it belongs to a line is (Surface::OwnerPart).
enum OwnedPart : int {
    PartBody = 0,    // an arrow, a block's outline, a diagram's hatching and edge
    PartAxis = 1,    // a member's axis, from which its diagram's ordinates stand
    PartLeader = 2,  // the thin line that joins a value to what it labels
    PartWall = 3,    // the wall's outline, which belongs to nothing labelled
};

// Draw modes: how the pen combines with what lies below.
enum DrawModeValue : int {
    vbMaskPen = 9,    // pen AND destination: hatches over a coloured wall stay visible
    vbCopyPen = 13,   // plain copy
};

// Fill styles of an outlined box.
enum FillStyleValue : int {
    vbFSSolid = 0,
    vbFSTransparent = 1,
};

// The font whose letters stand for Greek letters and signs ("g" gamma,
// "f" phi...). Every surface offers it: its texts are drawn as the Greek
// characters in the text font, so screen, paper and a PDF's text read right
// whatever fonts the machine has.
inline constexpr const char* SymbolFontFamily = "Symbol";

// A small bitmap (the report logo): Width x Height pixels, rows from the top,
// each pixel 0xAARRGGBB.
struct Picture {
    int Width = 0;
    int Height = 0;
    std::vector<uint32_t> Pixels;
};

class Surface {
public:
    virtual ~Surface() = default;

    // ---- drawing state ------------------------------------------------
    double CurrentX = 0;          // print and line position, twips
    double CurrentY = 0;
    int DrawWidth = 1;            // pen width in device pixels (0 is taken as 1)
    int DrawStyle = vbSolid;
    int DrawMode = vbCopyPen;
    int32_t ForeColor = 0;        // RGB, red in the low byte
    int32_t FillColor = 0;
    int FillStyle = vbFSTransparent;
    std::string FontName = "Arial";
    double FontSize = 10;         // points
    bool FontBold = false;
    bool FontItalic = false;
    bool FontUnderline = false;
    double ScaleLeft = 0;         // coordinate of the drawable area's left edge
    double ScaleTop = 0;          // coordinate of the drawable area's top edge
    // What the lines and texts drawn now belong to: one thing a value
    // labels (an arrow, a block, a member's diagram), numbered within the
    // drawing, 0 for nothing labelled; and which part of it a line is.
    int Owner = 0;
    int OwnerPart = PartBody;

    // The drawing under way on this surface: frame, pens, scale, node
    // coordinates. A layer drawn over another surface shares that surface's.
    virtual DrawingState& Drawing() { return drawing_; }
    const DrawingState& Drawing() const { return const_cast<Surface*>(this)->Drawing(); }

    // ---- measures -----------------------------------------------------
    virtual double TwipsPerPixelX() const = 0;
    virtual double TwipsPerPixelY() const = 0;
    // Size of the drawable area (the printable area on paper), twips.
    virtual double ScaleWidth() const = 0;
    virtual double ScaleHeight() const = 0;
    // Size of the whole sheet, twips; the drawable area on a screen picture.
    virtual double PageWidth() const { return ScaleWidth(); }
    virtual double PageHeight() const { return ScaleHeight(); }
    // Printed width and height of a text in the current font, twips. The
    // height of an empty text is the height of one line.
    virtual double TextWidth(const std::string& text) = 0;
    virtual double TextHeight(const std::string& text) = 0;
    // The font families this surface can draw in, the symbol font included.
    virtual std::vector<std::string> FontNames() const = 0;

    // ---- drawing ------------------------------------------------------
    // A line in ForeColor (or the colour given); the position moves to its end.
    void Line(double x1, double y1, double x2, double y2) { Line(x1, y1, x2, y2, ForeColor); }
    void Line(double x1, double y1, double x2, double y2, int32_t colour) {
        DrawLine(x1, y1, x2, y2, colour);
        CurrentX = x2;
        CurrentY = y2;
    }
    // A rectangle outlined in ForeColor, filled with FillColor when
    // FillStyle is solid; the position moves to the second corner.
    void Box(double x1, double y1, double x2, double y2) {
        DrawBox(x1, y1, x2, y2, ForeColor);
        CurrentX = x2;
        CurrentY = y2;
    }
    // A rectangle filled solid in the colour given (ForeColor when none).
    // A box of no height or no width is a line one pixel thick; the
    // position moves to the second corner.
    void FilledBox(double x1, double y1, double x2, double y2) { FilledBox(x1, y1, x2, y2, ForeColor); }
    void FilledBox(double x1, double y1, double x2, double y2, int32_t colour) {
        DrawFilledBox(x1, y1, x2, y2, colour);
        CurrentX = x2;
        CurrentY = y2;
    }
    // The text in the current font and ForeColor with its top at CurrentY,
    // from CurrentX; CurrentX then stands right after it (no line feed).
    void Print(const std::string& text) {
        if (text.empty()) return;
        const double width = TextWidth(text);
        DrawText(CurrentX, CurrentY, text);
        CurrentX += width;
    }
    // A picture stretched over the rectangle (x, y, width, height).
    virtual void PaintPicture(const Picture& picture, double x, double y, double width, double height) = 0;
    // Clears the drawable area; the position returns to the origin.
    void Cls() {
        Clear();
        CurrentX = ScaleLeft;
        CurrentY = ScaleTop;
    }
    // Ends the current sheet. The next sheet is started by the first drawing
    // after this call, so no blank sheet comes out.
    virtual void NewPage() = 0;
    // Ends the document and releases the output.
    virtual void EndDoc() = 0;
    // The next text printed labels what lies in the box with corners (x1, y1)
    // and (x2, y2), or, `along`, the line between them, any point of it (an
    // arrow): a surface that lays its texts out keeps it near that; a
    // surface that only draws has nothing to do with it.
    virtual void LabelNextText(double /*x1*/, double /*y1*/, double /*x2*/, double /*y2*/, bool /*along*/ = false) {}

protected:
    virtual void DrawLine(double x1, double y1, double x2, double y2, int32_t colour) = 0;
    virtual void DrawBox(double x1, double y1, double x2, double y2, int32_t colour) = 0;
    virtual void DrawFilledBox(double x1, double y1, double x2, double y2, int32_t colour) = 0;
    virtual void DrawText(double x, double y, const std::string& text) = 0;
    virtual void Clear() = 0;

private:
    DrawingState drawing_;
};

}  // namespace brindlemar

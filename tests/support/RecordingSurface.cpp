#include "support/RecordingSurface.h"

#include <algorithm>
#include <cmath>

namespace brindlemar::test {

RecordingSurface::RecordingSurface(double scaleWidth, double scaleHeight, double twipsPerPixel)
    : scaleWidth_(scaleWidth), scaleHeight_(scaleHeight), twipsPerPixel_(twipsPerPixel) {}

double RecordingSurface::TextWidth(const std::string& text) {
    return static_cast<double>(text.size()) * CharacterWidth * FontSize;
}

double RecordingSurface::TextHeight(const std::string& text) {
    const double lines = 1 + static_cast<double>(std::count(text.begin(), text.end(), '\n'));
    return lines * LineHeight * FontSize;
}

std::vector<std::string> RecordingSurface::FontNames() const {
    return {"Arial", "Courier New", SymbolFontFamily, "Times New Roman"};
}

SurfaceCall RecordingSurface::Record(const std::string& kind, double x1, double y1, double x2, double y2,
                                     int32_t colour) {
    SurfaceCall call;
    call.Kind = kind;
    call.X1 = x1;
    call.Y1 = y1;
    call.X2 = x2;
    call.Y2 = y2;
    call.Colour = colour;
    call.Width = DrawWidth;
    call.Style = DrawStyle;
    call.Mode = DrawMode;
    call.Font = FontName;
    call.FontSize = FontSize;
    call.Bold = FontBold;
    call.Italic = FontItalic;
    call.Underline = FontUnderline;
    call.Owner = Owner;
    call.Part = OwnerPart;
    return call;
}

void RecordingSurface::LabelNextText(double x1, double y1, double x2, double y2, bool along) {
    anchor_ = TextBox{std::min(x1, x2), std::min(y1, y2), std::fabs(x2 - x1), std::fabs(y2 - y1)};
    anchorLine_.reset();
    if (along) anchorLine_ = {x1, y1, x2, y2};
}

void RecordingSurface::DrawLine(double x1, double y1, double x2, double y2, int32_t colour) {
    anchor_.reset();
    anchorLine_.reset();
    Calls.push_back(Record("Line", x1, y1, x2, y2, colour));
}

void RecordingSurface::DrawBox(double x1, double y1, double x2, double y2, int32_t colour) {
    anchor_.reset();
    anchorLine_.reset();
    Calls.push_back(Record("Box", x1, y1, x2, y2, colour));
}

void RecordingSurface::DrawFilledBox(double x1, double y1, double x2, double y2, int32_t colour) {
    Calls.push_back(Record("FilledBox", x1, y1, x2, y2, colour));
}

void RecordingSurface::DrawText(double x, double y, const std::string& text) {
    SurfaceCall call = Record("Print", x, y, x + TextWidth(text), y, ForeColor);
    call.Text = text;
    call.Height = TextHeight(text);
    call.Anchor.swap(anchor_);
    call.AnchorLine.swap(anchorLine_);
    Calls.push_back(call);
}

void RecordingSurface::PaintPicture(const Picture&, double x, double y, double width, double height) {
    Calls.push_back(Record("Picture", x, y, x + width, y + height, ForeColor));
}

void RecordingSurface::Clear() { Calls.push_back(Record("Cls", 0, 0, 0, 0, ForeColor)); }
void RecordingSurface::NewPage() { Calls.push_back(Record("NewPage", 0, 0, 0, 0, ForeColor)); }
void RecordingSurface::EndDoc() { Calls.push_back(Record("EndDoc", 0, 0, 0, 0, ForeColor)); }

std::vector<SurfaceCall> RecordingSurface::Of(const std::string& kind) const {
    std::vector<SurfaceCall> out;
    std::copy_if(Calls.begin(), Calls.end(), std::back_inserter(out),
                 [&](const SurfaceCall& c) { return c.Kind == kind; });
    return out;
}

std::vector<std::string> RecordingSurface::Texts() const {
    std::vector<std::string> out;
    for (const SurfaceCall& c : Calls) {
        if (c.Kind == "Print") out.push_back(c.Text);
    }
    return out;
}

const SurfaceCall* RecordingSurface::FindText(const std::string& text) const {
    for (const SurfaceCall& c : Calls) {
        if (c.Kind == "Print" && c.Text == text) return &c;
    }
    return nullptr;
}

}  // namespace brindlemar::test

#pragma once
// The Surface drawn with a QPainter: the common part of the screen picture
// and the printer. Twips are turned into device pixels here; pens are
// cosmetic, so DrawWidth stays in device pixels whatever the resolution.

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <optional>
#include <string>
#include <unordered_map>

#include "drawing/Surface.h"

class QPaintDevice;

namespace brindlemar {

class PainterSurface : public Surface {
public:
    double TwipsPerPixelX() const override { return twipsPerPixelX_; }
    double TwipsPerPixelY() const override { return twipsPerPixelY_; }
    double TextWidth(const std::string& text) override;
    double TextHeight(const std::string& text) override;
    std::vector<std::string> FontNames() const override;
    void PaintPicture(const Picture& picture, double x, double y, double width, double height) override;

    // The text of a string as this surface draws it in the current font:
    // Windows-1252, or the Greek letters and signs in the symbol font.
    QString DisplayText(const std::string& text) const;
    // The font the current font members stand for.
    QFont CurrentFont();

protected:
    PainterSurface() = default;
    void SetResolution(double twipsPerPixelX, double twipsPerPixelY);

    // The painter to draw with, begun (and, on paper, on a started sheet).
    virtual QPainter& ActivePainter() = 0;
    // The device whose resolution the font metrics follow.
    virtual const QPaintDevice* MetricsDevice() const = 0;
    // Forgets the pen, font and mode last given to a painter (a new painter).
    void PainterRestarted() {
        applied_.reset();
        appliedFont_.reset();
    }

    void DrawLine(double x1, double y1, double x2, double y2, int32_t colour) override;
    void DrawBox(double x1, double y1, double x2, double y2, int32_t colour) override;
    void DrawFilledBox(double x1, double y1, double x2, double y2, int32_t colour) override;
    void DrawText(double x, double y, const std::string& text) override;

    QPointF ToDevice(double x, double y) const {
        return {(x - ScaleLeft) / twipsPerPixelX_, (y - ScaleTop) / twipsPerPixelY_};
    }

private:
    struct FontKey {
        std::string Name;
        double Size = 0;
        bool Bold = false, Italic = false, Underline = false;
        bool operator==(const FontKey&) const = default;
    };
    struct PainterState {
        int32_t Colour = 0;
        int Width = 0, Style = 0, Mode = 0;
        bool operator==(const PainterState&) const = default;
    };
    const QFontMetricsF& Metrics();
    QPainter& PainterWithPen(int32_t colour);
    void ApplyMode(QPainter& painter);

    double twipsPerPixelX_ = 15, twipsPerPixelY_ = 15;
    std::optional<FontKey> fontKey_;
    QFont font_;
    std::optional<QFontMetricsF> metrics_;
    // The widths measured in the font of metrics_: a picture measures the
    // same few texts many times over while it lays out its values.
    std::unordered_map<std::string, double> widths_;
    std::string textFamily_ = "Arial";   // the font symbol texts are drawn in
    std::optional<PainterState> applied_;
    std::optional<FontKey> appliedFont_;
};

// Qt colour of a stored RGB value (red in the low byte).
QColor ToQColor(int32_t colour);

}  // namespace brindlemar

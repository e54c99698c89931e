#include "platform/PainterSurface.h"

#include <QFontDatabase>
#include <QImage>
#include <QPaintEngine>
#include <algorithm>
#include <cmath>

#include "drawing/SymbolFont.h"
#include "platform/QtText.h"
#include "runtime/Colours.h"
#include "runtime/Text.h"

namespace brindlemar {

QColor ToQColor(int32_t colour) { return QColor(RedOf(colour), GreenOf(colour), BlueOf(colour)); }

void PainterSurface::SetResolution(double twipsPerPixelX, double twipsPerPixelY) {
    twipsPerPixelX_ = twipsPerPixelX > 0 ? twipsPerPixelX : 15;
    twipsPerPixelY_ = twipsPerPixelY > 0 ? twipsPerPixelY : 15;
    fontKey_.reset();
    metrics_.reset();
    widths_.clear();
}

QFont PainterSurface::CurrentFont() {
    // Symbol texts are drawn as real Greek characters in the text font last set.
    if (!IsSymbolFont(FontName) && !Trim(FontName).empty()) textFamily_ = FontName;
    FontKey key{textFamily_, FontSize, FontBold, FontItalic, FontUnderline};
    if (fontKey_ && *fontKey_ == key) return font_;
    font_ = QFont(ToQString(textFamily_));
    font_.setPointSizeF(FontSize > 0 ? FontSize : 1);
    font_.setBold(FontBold);
    font_.setItalic(FontItalic);
    font_.setUnderline(FontUnderline);
    fontKey_ = key;
    metrics_.reset();
    widths_.clear();
    return font_;
}

const QFontMetricsF& PainterSurface::Metrics() {
    CurrentFont();
    if (!metrics_) metrics_.emplace(font_, MetricsDevice());
    return *metrics_;
}

QString PainterSurface::DisplayText(const std::string& text) const {
    if (IsSymbolFont(FontName)) {
        const std::u32string unicode = SymbolTextToUnicode(text);
        return QString::fromUcs4(unicode.data(), static_cast<qsizetype>(unicode.size()));
    }
    return ToQString(text);
}

double PainterSurface::TextWidth(const std::string& text) {
    if (text.empty()) return 0;
    const QFontMetricsF& metrics = Metrics();
    // a symbol text is measured as the Greek it shows
    const std::string key = IsSymbolFont(FontName) ? "\x01" + text : text;
    if (const auto known = widths_.find(key); known != widths_.end()) return known->second;
    return widths_[key] = metrics.horizontalAdvance(DisplayText(text)) * twipsPerPixelX_;
}

double PainterSurface::TextHeight(const std::string& text) {
    const double lines = 1 + static_cast<double>(std::count(text.begin(), text.end(), '\n'));
    return Metrics().height() * lines * twipsPerPixelY_;
}

std::vector<std::string> PainterSurface::FontNames() const {
    std::vector<std::string> names;
    bool symbol = false;
    for (const QString& family : QFontDatabase::families()) {
        names.push_back(FromQString(family));
        symbol = symbol || IsSymbolFont(names.back());
    }
    if (!symbol) names.emplace_back(SymbolFontFamily);
    return names;
}

void PainterSurface::ApplyMode(QPainter& painter) {
    // AND with what lies below exists on pixels only; a page description
    // (PDF, printer) draws the pen plainly, where the light grey wall under a
    // diagram leaves the hatches just as visible.
    const QPaintEngine* engine = painter.paintEngine();
    const bool pixels = engine && engine->type() == QPaintEngine::Raster;
    painter.setCompositionMode(DrawMode == vbMaskPen && pixels ? QPainter::RasterOp_SourceAndDestination
                                                               : QPainter::CompositionMode_SourceOver);
}

QPainter& PainterSurface::PainterWithPen(int32_t colour) {
    QPainter& painter = ActivePainter();
    const PainterState state{colour, std::max(DrawWidth, 1), DrawStyle, DrawMode};
    if (applied_ && *applied_ == state) return painter;
    QPen pen(ToQColor(colour));
    // a width in our pixels, as wide in the pixels of a scaled screen
    const double ratio = painter.device() ? painter.device()->devicePixelRatio() : 1.0;
    pen.setCosmetic(true);
    pen.setWidth(std::max(1, static_cast<int>(std::lround(state.Width * ratio))));
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    switch (DrawStyle) {
        case vbDash: pen.setStyle(Qt::DashLine); break;
        case vbDot: pen.setStyle(Qt::DotLine); break;
        case vbDashDot: pen.setStyle(Qt::DashDotLine); break;
        case vbDashDotDot: pen.setStyle(Qt::DashDotDotLine); break;
        case vbInvisible: pen.setStyle(Qt::NoPen); break;
        default: pen.setStyle(Qt::SolidLine); break;
    }
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    ApplyMode(painter);
    applied_ = state;
    return painter;
}

void PainterSurface::DrawLine(double x1, double y1, double x2, double y2, int32_t colour) {
    QPainter& painter = PainterWithPen(colour);
    const QPointF a = ToDevice(x1, y1), b = ToDevice(x2, y2);
    if (a == b) {
        painter.drawPoint(a);
    } else {
        painter.drawLine(a, b);
    }
}

void PainterSurface::DrawBox(double x1, double y1, double x2, double y2, int32_t colour) {
    QPainter& painter = PainterWithPen(colour);
    const QRectF rect = QRectF(ToDevice(x1, y1), ToDevice(x2, y2)).normalized();
    if (FillStyle == vbFSSolid) {
        painter.fillRect(rect, ToQColor(FillColor));
    }
    painter.drawRect(rect);
}

void PainterSurface::DrawFilledBox(double x1, double y1, double x2, double y2, int32_t colour) {
    QPainter& painter = PainterWithPen(colour);
    // Both corners belong to the box, so a box of no height is a line one pixel thick.
    const QPointF a = ToDevice(x1, y1), b = ToDevice(x2, y2);
    const int left = static_cast<int>(std::lround(std::min(a.x(), b.x())));
    const int right = static_cast<int>(std::lround(std::max(a.x(), b.x())));
    const int top = static_cast<int>(std::lround(std::min(a.y(), b.y())));
    const int bottom = static_cast<int>(std::lround(std::max(a.y(), b.y())));
    painter.fillRect(QRect(left, top, right - left + 1, bottom - top + 1), ToQColor(colour));
}

void PainterSurface::DrawText(double x, double y, const std::string& text) {
    const QFont font = CurrentFont();
    const double ascent = Metrics().ascent();
    QPainter& painter = ActivePainter();
    if (!appliedFont_ || !(*appliedFont_ == *fontKey_)) {
        painter.setFont(font);
        appliedFont_ = fontKey_;
    }
    painter.setPen(QPen(ToQColor(ForeColor)));
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    applied_.reset();
    const QPointF top = ToDevice(x, y);
    painter.drawText(QPointF(top.x(), top.y() + ascent), DisplayText(text));
}

void PainterSurface::PaintPicture(const Picture& picture, double x, double y, double width, double height) {
    if (picture.Width <= 0 || picture.Height <= 0 ||
        picture.Pixels.size() < static_cast<size_t>(picture.Width) * static_cast<size_t>(picture.Height)) {
        return;
    }
    const QImage image(reinterpret_cast<const uchar*>(picture.Pixels.data()), picture.Width, picture.Height,
                       picture.Width * 4, QImage::Format_ARGB32);
    QPainter& painter = ActivePainter();
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    applied_.reset();
    painter.drawImage(QRectF(ToDevice(x, y), ToDevice(x + width, y + height)).normalized(), image);
}

}  // namespace brindlemar

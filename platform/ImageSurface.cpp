#include "platform/ImageSurface.h"

#include <algorithm>
#include <cmath>

#include "platform/VectorRegisters.h"

namespace brindlemar {

namespace {
// 96 pixels to the inch, so point sizes give the screen's text sizes.
constexpr int kDotsPerMeter = 3780;
}  // namespace

ImageSurface::ImageSurface(int widthPixels, int heightPixels, double ratio) {
    SetResolution(ScreenTwipsPerPixel, ScreenTwipsPerPixel);
    Resize(widthPixels, heightPixels, ratio);
}

ImageSurface::~ImageSurface() { EndPainting(); }

void ImageSurface::Resize(int widthPixels, int heightPixels, double ratio) {
    EndPainting();
    width_ = std::max(widthPixels, 1);
    height_ = std::max(heightPixels, 1);
    ratio = UsableRatio(ratio);
    const auto screenPixels = [&](int pixels) { return std::max(1, static_cast<int>(std::lround(pixels * ratio))); };
    image_ = QImage(screenPixels(width_), screenPixels(height_), QImage::Format_RGB32);
    image_.setDevicePixelRatio(ratio);
    image_.setDotsPerMeterX(kDotsPerMeter);
    image_.setDotsPerMeterY(kDotsPerMeter);
    image_.fill(Qt::white);
    ClearUpperVectorRegisters();
}

const QImage& ImageSurface::Image() {
    EndPainting();
    return image_;
}

QPainter& ImageSurface::ActivePainter() {
    if (!painter_.isActive()) {
        painter_.begin(&image_);
        // Crisp lines as on a screen: each line lights whole pixels.
        painter_.setRenderHint(QPainter::Antialiasing, false);
        painter_.setRenderHint(QPainter::TextAntialiasing, true);
        PainterRestarted();
    }
    return painter_;
}

void ImageSurface::EndPainting() {
    if (painter_.isActive()) painter_.end();
    ClearUpperVectorRegisters();
}

void ImageSurface::Clear() {
    EndPainting();
    image_.fill(Qt::white);
    ClearUpperVectorRegisters();
}

}  // namespace brindlemar

#pragma once
// The screen picture: a Surface over a QImage at the screen's 15 twips per
// pixel, white until drawn on. The window shows Image().

#include <QImage>
#include <QPainter>

#include "platform/PainterSurface.h"

namespace brindlemar {

class ImageSurface : public PainterSurface {
public:
    // Twips per pixel of the screen (96 pixels to the inch).
    static constexpr double ScreenTwipsPerPixel = 15;

    ImageSurface(int widthPixels, int heightPixels);
    ~ImageSurface() override;
    ImageSurface(const ImageSurface&) = delete;
    ImageSurface& operator=(const ImageSurface&) = delete;

    // A new blank picture of this size in pixels.
    void Resize(int widthPixels, int heightPixels);
    // The picture as drawn so far.
    const QImage& Image();

    double ScaleWidth() const override { return image_.width() * ScreenTwipsPerPixel; }
    double ScaleHeight() const override { return image_.height() * ScreenTwipsPerPixel; }
    // A screen picture has no sheets: a new page and the end of the document do nothing.
    void NewPage() override {}
    void EndDoc() override {}

protected:
    QPainter& ActivePainter() override;
    const QPaintDevice* MetricsDevice() const override { return &image_; }
    void Clear() override;

private:
    void EndPainting();

    QImage image_;
    QPainter painter_;
};

}  // namespace brindlemar

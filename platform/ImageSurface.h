#pragma once
// The screen picture: a Surface over a QImage at the screen's 15 twips per
// pixel, white until drawn on. The window shows Image(). On a scaled screen
// the image holds the screen's own pixels (`ratio` to each of ours), so that
// texts and lines are drawn sharp rather than enlarged.

#include <QImage>
#include <QPainter>

#include "platform/PainterSurface.h"

namespace brindlemar {

class ImageSurface : public PainterSurface {
public:
    // Twips per pixel of the screen (96 pixels to the inch).
    static constexpr double ScreenTwipsPerPixel = 15;

    ImageSurface(int widthPixels, int heightPixels, double ratio = 1);
    ~ImageSurface() override;
    ImageSurface(const ImageSurface&) = delete;
    ImageSurface& operator=(const ImageSurface&) = delete;

    // A new blank picture of this size in pixels, each `ratio` screen pixels wide.
    void Resize(int widthPixels, int heightPixels, double ratio = 1);
    // Whether the picture has this size and ratio.
    bool Fits(int widthPixels, int heightPixels, double ratio) const {
        return width_ == widthPixels && height_ == heightPixels && image_.devicePixelRatio() == UsableRatio(ratio);
    }
    // The picture as drawn so far.
    const QImage& Image();

    double ScaleWidth() const override { return width_ * ScreenTwipsPerPixel; }
    double ScaleHeight() const override { return height_ * ScreenTwipsPerPixel; }
    // A screen picture has no sheets: a new page and the end of the document do nothing.
    void NewPage() override {}
    void EndDoc() override {}

protected:
    QPainter& ActivePainter() override;
    const QPaintDevice* MetricsDevice() const override { return &image_; }
    void Clear() override;

private:
    void EndPainting();
    // a ratio the screen could not have draws in our own pixels
    static double UsableRatio(double ratio) { return ratio > 0 && ratio <= 8 ? ratio : 1; }

    QImage image_;
    int width_ = 1, height_ = 1;   // in our pixels, whatever the screen's ratio
    QPainter painter_;
};

}  // namespace brindlemar

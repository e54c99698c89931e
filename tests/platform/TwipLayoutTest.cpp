#include <gtest/gtest.h>

#include <QLabel>
#include <QWidget>

#include "SurfaceTestApplication.h"
#include "platform/TwipLayout.h"

namespace brindlemar {
namespace {

// A caption too long for its room widens the window once, when the layout is
// fitted; a text written afterwards, however long, stretches nothing.
TEST(TwipLayout, FitsOnceToTheStaticCaptions) {
    test::EnsureQtApplication();
    QWidget window;
    window.setFixedSize(400, 200);
    auto* label = new QLabel("A caption much longer than its room", &window);
    TwipLayout layout(&window);
    layout.Place(label, 150, 150, 600, 255);
    const int designedWidth = label->width();
    layout.Fit(&window);
    ASSERT_GT(layout.ScaleX(), 1.0);
    EXPECT_GE(label->width(), label->sizeHint().width() - 1);
    EXPECT_GT(label->width(), designedWidth);

    const QRect fitted = label->geometry();
    const QSize fittedWindow = window.size();
    const double sx = layout.ScaleX(), sy = layout.ScaleY();
    label->setText("A name the user gave, longer still than the caption it replaces");
    layout.Fit(&window);
    EXPECT_EQ(label->geometry(), fitted);
    EXPECT_EQ(window.size(), fittedWindow);
    EXPECT_EQ(layout.ScaleX(), sx);
    EXPECT_EQ(layout.ScaleY(), sy);
}

}  // namespace
}  // namespace brindlemar

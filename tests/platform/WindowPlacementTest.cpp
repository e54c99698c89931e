#include <gtest/gtest.h>

#include <QSettings>
#include <QWidget>

#include "SurfaceTestApplication.h"
#include "platform/Twips.h"
#include "platform/WindowPlacement.h"
#include "support/TempDir.h"

namespace brindlemar {
namespace {

// A 1280 x 800 screen at 15 twips per pixel, all of it usable.
const QRect Screen(0, 0, 1280, 800);
const QSize Minimum(490, 460);

struct Stored {
    const char* key;
    const char* value;
};

struct PlacementCase {
    const char* what;
    std::vector<Stored> stored;
    QRect want;
    int wantState;
};

TEST(WindowPlacement, ReadsTwipsWithDefaultsMinimumAndScreenEdges) {
    test::EnsureQtApplication();
    const PlacementCase cases[] = {
        {"nothing stored: a square as high as the screen, centred, at the top", {}, QRect(240, 0, 800, 800), 0},
        {"stored values in twips",
         {{"Left", "1500"}, {"Top", "750"}, {"Width", "12000"}, {"Height", "9000"}, {"WindowState", "2"}},
         QRect(100, 50, 800, 600), 2},
        {"only the width stored", {{"Width", "9000"}}, QRect(240, 0, 600, 800), 0},
        {"smaller than the minimum grows to it", {{"Width", "1500"}, {"Height", "1500"}}, QRect(240, 0, 490, 460), 0},
        {"a value that is no number gives the defaults", {{"Left", "abc"}, {"Width", "9000"}}, QRect(240, 0, 800, 800), 0},
        {"off the right edge comes back onto the screen", {{"Left", "30000"}, {"Width", "9000"}, {"Height", "6000"}},
         QRect(680, 0, 600, 460), 0},
        {"larger than the screen is cut to it", {{"Left", "-3000"}, {"Width", "30000"}, {"Height", "30000"}},
         QRect(0, 0, 1280, 800), 0},
        {"an unknown window state is normal", {{"WindowState", "7"}}, QRect(240, 0, 800, 800), 0},
    };
    for (const PlacementCase& c : cases) {
        test::TempDir dir;
        QSettings settings(QString::fromStdString(dir.File("placement.ini")), QSettings::IniFormat);
        for (const Stored& s : c.stored) settings.setValue(QString("Window/") + s.key, s.value);
        const WindowPlacementValues got = ReadWindowPlacement(settings, Screen, Screen, Minimum, 15);
        EXPECT_EQ(got.Geometry, c.want) << c.what;
        EXPECT_EQ(got.WindowState, c.wantState) << c.what;
    }
}

TEST(WindowPlacement, StoredPlacementReadsBackTheSame) {
    test::EnsureQtApplication();
    test::TempDir dir;
    QSettings settings(QString::fromStdString(dir.File("placement.ini")), QSettings::IniFormat);
    QWidget window;
    window.setGeometry(QRect(120, 40, 700, 500));
    StoreWindowPlacement(&window, settings);
    const double tpp = TwipsPerPixel(&window);
    EXPECT_NEAR(settings.value("Window/Width").toDouble(), 700 * tpp, 1e-9);
    EXPECT_EQ(settings.value("Window/WindowState").toInt(), 0);
    const QRect big(0, 0, 4000, 3000);
    const WindowPlacementValues back = ReadWindowPlacement(settings, big, big, QSize(100, 100), tpp);
    EXPECT_EQ(back.Geometry.size(), QSize(700, 500));
}

TEST(Twips, ConvertAtTheScreenResolution) {
    EXPECT_EQ(TwipsToPixels(7350, 15), 490);
    EXPECT_EQ(TwipsToPixels(22, 15), 1);   // 1.47 pixels
    EXPECT_EQ(TwipsToPixels(23, 15), 2);   // 1.53 pixels
    EXPECT_EQ(TwipsToPixels(7350, 10), 735);  // 144 dots per inch
    EXPECT_DOUBLE_EQ(PixelsToTwips(490, 15), 7350);
}

}  // namespace
}  // namespace brindlemar

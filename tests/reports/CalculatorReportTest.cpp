#include <gtest/gtest.h>

#include "reports/CalculatorReport.h"
#include "reports/ReportTestSupport.h"
#include "runtime/Colours.h"
#include "support/MessageRecorder.h"

namespace brindlemar {
namespace {

using test::PaperSurface;
using test::SurfaceCall;

class CalculatorReportTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::UsePrinterFonts(m);
        in.WetDensity = 1.8f;
        in.SaturatedDensity = 2;
        in.WaterDensity = 1;
        in.FrictionAngle = 30;
        in.SoilDepth = 6;
        in.WaterTableDepth = 2;
        in.SurchargeLoad = 1;
        in.SeismicCoefficient = 0.15f;
        CalcSoilPressures(in, r);
    }
    void Print() { PrintCalculatorReport(m, s, in, r); }

    double Mm(double mm) const { return mm * 56.7 * s.Drawing().PrintScale; }
    // the line `offset` twips below the block's base line
    double Line(double offset) const { return s.Drawing().FrameTop + (320 + offset) * s.Drawing().PrintScale; }
    // a text on that line; one in a smaller font stands a little lower
    const SurfaceCall& At(const std::string& text, double offset) {
        for (const SurfaceCall& c : s.Calls)
            if (c.Kind == "Print" && c.Text == text && c.Y1 > Line(offset) - 1 && c.Y1 < Line(offset) + 60) return c;
        ADD_FAILURE() << "\"" << text << "\" not printed on line " << offset;
        static const SurfaceCall none;
        return none;
    }

    test::BuiltInWall w;
    Model& m = w.m;
    PaperSurface s{210, 297};
    SoilPressureInputs in;
    SoilPressureResults r;
};

TEST_F(CalculatorReportTest, OneBlockInTheTopHalfOfOneSheetWithoutFooter) {
    Print();
    EXPECT_EQ(s.Drawing().CurrentHalfPage, 0);
    EXPECT_FLOAT_EQ(s.Drawing().BlockFontSize, 8 * s.Drawing().PrintScale);
    EXPECT_EQ(s.Of("EndDoc").size(), 1u);
    EXPECT_EQ(s.Calls.back().Kind, "EndDoc");
    EXPECT_TRUE(s.Of("NewPage").empty());
    for (const SurfaceCall& c : s.Of("Print")) {
        EXPECT_LT(c.Y1, s.Drawing().PageBandHeight + s.Drawing().HalfPageHeight) << c.Text << " lies in the bottom half";
        EXPECT_EQ(c.Text.find("Page"), std::string::npos) << "no footer";
    }

    const SurfaceCall* title = s.FindText("Calculator");
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->Colour, RGB(0, 0, 128));
    EXPECT_DOUBLE_EQ(title->FontSize, 10 * s.Drawing().PrintScale);
    EXPECT_NEAR((title->X1 + title->X2) / 2, 0.85 * s.Drawing().FrameWidth, 1);
    EXPECT_LT(title->Y1, s.Drawing().FrameTop);

    const SurfaceCall* heading = s.FindText("SOIL PRESSURE");
    ASSERT_NE(heading, nullptr);
    EXPECT_TRUE(heading->Bold && heading->Underline);
    EXPECT_EQ(heading->Colour, 0);
    EXPECT_NEAR((heading->X1 + heading->X2) / 2, s.Drawing().FrameWidth / 2.0, 1);
    EXPECT_NEAR(heading->Y1, Line(-120), 1);
}

TEST_F(CalculatorReportTest, LabelsBlackValuesBlueEachInItsPlace) {
    Print();
    struct Case {
        const char* text;
        double offset;
        double x;         // where the text starts, or ends when rightAligned
        bool rightAligned;
        bool value;
    };
    const double half = s.Drawing().FrameWidth / 2.0;
    const Case cases[] = {
        {"- Cohesion (c) =", 1200, 240 * s.Drawing().PrintScale, false, false},
        {"- Depth of soil (h) =", 720, half, false, false},
        {"1.80", 240, Mm(50), true, true},
        {"6.00", 720, half + Mm(50), true, true},
        {"m", 720, half + Mm(52), false, false},
        {"- Pressure coefficient (K) =", 2160, 240 * s.Drawing().PrintScale, false, false},
        {"0.333", 2160, Mm(60), true, true},
        {"0.433", 2160, Mm(80), true, true},
        {"3.000", 2160, Mm(100), true, true},
        {"2.727", 2160, Mm(120), true, true},
        {"0.500", 2160, Mm(140), true, true},
        {"2.25/2.33", 2880, Mm(80), true, true},
        {"12.55/12.55", 2880, Mm(120), true, true},
        {"T/m", 4560, Mm(142), false, false},
        {"   depth of resultant =", 4800, 240 * s.Drawing().PrintScale, false, false},
        {"3.68", 4800, Mm(60), true, true},
        {"4.67", 5760, Mm(60), true, true},
        {"T/m\xB2", 5280, Mm(62), false, false},
        {"Seismic", 1920, Mm(80), true, false},
    };
    for (const Case& c : cases) {
        const SurfaceCall& call = At(c.text, c.offset);
        EXPECT_NEAR(c.rightAligned ? call.X2 : call.X1, c.x, 1) << c.text;
        EXPECT_EQ(call.Colour, c.value ? RGB(0, 0, 128) : 0) << c.text;
        EXPECT_DOUBLE_EQ(call.FontSize, 8 * s.Drawing().PrintScale) << c.text;
    }
    const SurfaceCall& active = At("Active", 1680);
    EXPECT_TRUE(active.Bold);
    EXPECT_NEAR((active.X1 + active.X2) / 2, Mm(60), 1);
    // the seismic coefficient and the coefficient row carry no unit
    for (const SurfaceCall& c : s.Of("Print")) {
        if (std::abs(c.Y1 - Line(1440)) < 1 || std::abs(c.Y1 - Line(2160)) < 1) {
            EXPECT_LT(c.X1, Mm(141)) << c.Text;
        }
    }
}

TEST_F(CalculatorReportTest, GreekLettersInTheSymbolFontAndSubscriptsSmaller) {
    Print();
    // "- Saturated density of soil (" gamma, subscript s, ") =" on one line
    const SurfaceCall& start = At("- Saturated density of soil (", 480);
    const SurfaceCall& gamma = At("g", 480);
    EXPECT_EQ(gamma.Font, "Symbol");
    EXPECT_NEAR(gamma.X1, start.X2, 1e-6);
    const SurfaceCall* subscript = nullptr;
    for (const SurfaceCall& c : s.Calls)
        if (c.Kind == "Print" && c.Text == "s" && std::abs(c.X1 - gamma.X2) < 1e-6) subscript = &c;
    ASSERT_NE(subscript, nullptr);
    EXPECT_EQ(subscript->Font, "Arial");
    EXPECT_DOUBLE_EQ(gamma.FontSize, start.FontSize);
    EXPECT_NEAR(subscript->FontSize, gamma.FontSize * 2 / 3, 1e-6);
    EXPECT_GT(subscript->Y1, gamma.Y1);
    // theta + delta of the pressure inclination
    EXPECT_EQ(At("q", 5040).Font, "Symbol");
    EXPECT_EQ(At("d", 5040).Font, "Symbol");
    EXPECT_EQ(At(" + ", 5040).Font, "Arial");
}

TEST_F(CalculatorReportTest, LabelsAndValuesKeepApartWhateverTheirWidth) {
    struct Case {
        const char* what;
        int16_t units;
        float wet, saturated, water, surcharge, depth, waterTable;
    } cases[] = {
        {"Metric", Metric, 1.8f, 2, 1, 1, 6, 2},
        // the passive seismic cell at the water table holds two wide numbers
        {"SI, deep soil", SI, 18, 20, 9.81f, 10, 30, 10},
        {"British", British, 0.115f, 0.125f, 0.0624f, 0.25f, 40, 10},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        m.CurrentUnitSystem = c.units;
        in.WetDensity = c.wet;
        in.SaturatedDensity = c.saturated;
        in.WaterDensity = c.water;
        in.SurchargeLoad = c.surcharge;
        in.SoilDepth = c.depth;
        in.WaterTableDepth = c.waterTable;
        in.FrictionAngle = 35;
        in.WallFrictionAngle = 20;
        in.SeismicCoefficient = 0.3f;
        CalcSoilPressures(in, r);
        s.Calls.clear();
        Print();
        EXPECT_EQ(test::Clashes(s, s.Drawing().FrameTop, s.Drawing().FrameTop + s.Drawing().FrameHeight), std::vector<std::string>{});
        // a cell too wide for its column is printed smaller, still ending at the column's edge
        const std::array<std::string, 10> seismic = ResultColumnTexts(r, 3, m.CurrentUnitSystem);
        const SurfaceCall& cell = At(seismic[2], 2880);
        EXPECT_NEAR(cell.X2, Mm(120), 1);
        EXPECT_LE(cell.X2 - cell.X1, Mm(19) + 1e-6);
        EXPECT_LE(cell.FontSize, 8 * s.Drawing().PrintScale);
    }
}

TEST_F(CalculatorReportTest, ValuesColumnByColumnWithTheSingleValuesAfterTheFirst) {
    Print();
    std::vector<std::string> blue;
    for (const SurfaceCall& c : s.Of("Print"))
        if (c.Colour == RGB(0, 0, 128) && c.Text != "Calculator" && c.Text != "Version 2.60") blue.push_back(c.Text);
    std::vector<std::string> want;
    for (int i = 0; i < CalculatorInputCount; ++i) want.push_back(InputText(InputValue(in, i), i, m.CurrentUnitSystem));
    for (int c = 0; c < PressureCaseCount; ++c) {
        for (const std::string& text : ResultColumnTexts(r, c, m.CurrentUnitSystem)) want.push_back(text);
        if (c == 0)
            for (const std::string& text : SingleResultTexts(in, r, m.CurrentUnitSystem)) want.push_back(text);
    }
    EXPECT_EQ(blue, want);
}

TEST_F(CalculatorReportTest, UnitsOfTheProjectAndDashesForCasesWithoutResult) {
    m.CurrentUnitSystem = British;
    in.SoilSlope = 28;  // steeper than phi - psi: no seismic active wedge
    test::MessageRecorder messages;
    CalcSoilPressures(in, r);
    EXPECT_EQ(messages.Messages.size(), 1u);
    Print();
    EXPECT_EQ(At("Kip/ft", 3600).X1, Mm(142));
    EXPECT_EQ(At("Kip/ft\xB3", 240).Colour, 0);
    EXPECT_EQ(At("--", 2160).X2, Mm(80));
    EXPECT_EQ(At("--", 4800).X2, Mm(80));
}

}  // namespace
}  // namespace brindlemar

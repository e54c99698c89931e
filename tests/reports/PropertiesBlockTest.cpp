#include <gtest/gtest.h>

#include "reports/ReportBlocks.h"
#include "reports/ReportTestSupport.h"
#include "runtime/Colours.h"

namespace brindlemar::test {
namespace {

// The properties block of the built-in wall on an A4 top half, read back
// line by line: caption, value (right-aligned at its edge) and unit.
struct PropertiesSheet : ReportSheet {
    double scale() const { return s.Drawing().PrintScale; }
    double Row(double dy) const { return s.Drawing().FrameTop + 320 * scale() + dy * scale(); }
    double Half() const { return s.Drawing().FrameWidth / 2.0; }

    void Print() {
        s.Calls.clear();
        PrintPropertiesBlock(m, s);
    }
    // captions and units are black, values dark blue
    std::string LeftCaption(double dy) const { return TextOnLine(s, Row(dy), 0, 3515.4 * scale() - 1, 0); }
    std::string LeftValue(double dy) const { return TextOnLine(s, Row(dy), 0, Half(), Blue); }
    std::string LeftUnit(double dy) const { return TextOnLine(s, Row(dy), 3515.4 * scale() - 1, Half(), 0); }
    std::string RightValue(double dy) const { return TextOnLine(s, Row(dy), Half(), s.Drawing().FrameWidth, Blue); }
    std::string RightUnit(double dy) const {
        return TextOnLine(s, Row(dy), Half() + 3231.9 * scale() - 1, s.Drawing().FrameWidth, 0);
    }
    const int32_t Blue = RGB(0, 0, 128);
};

TEST(PropertiesBlock, CaptionsValuesAndUnitsOfTheBuiltInWall) {
    PropertiesSheet p;
    p.Print();
    EXPECT_NE(p.s.FindText("Properties"), nullptr);
    EXPECT_NEAR(p.s.Drawing().BlockFontSize, 8 * p.scale(), 1e-6);
    EXPECT_EQ(p.LeftCaption(0), "Backfill earth:");
    EXPECT_EQ(p.LeftCaption(240), "- Unit weight (g) =");
    EXPECT_EQ(p.LeftValue(240), "1.70");
    EXPECT_EQ(p.LeftUnit(240), "T/m\xB3");
    EXPECT_EQ(p.LeftValue(1200), "Active");
    EXPECT_EQ(p.LeftValue(2640), "Rock (elastic)");
    // friction angles and the cover one decimal, f'c and fy none
    EXPECT_EQ(p.RightValue(2160), "300");
    EXPECT_EQ(p.RightValue(3360), "3000");
    EXPECT_EQ(p.RightValue(3840), "5.0");
    EXPECT_EQ(p.RightUnit(3840), "cm");
    EXPECT_EQ(p.RightUnit(2400), "\xD7" "105 kg/cm\xB2");

    // values end at their edge in dark blue; captions are black
    const auto value = PrintsOnLine(p.s, p.Row(240), 0, p.Half(), p.Blue);
    ASSERT_EQ(value.size(), 1u);
    EXPECT_NEAR(value[0].X2, 3402 * p.scale(), 1e-6);
    const auto right = PrintsOnLine(p.s, p.Row(240), p.Half(), p.s.Drawing().FrameWidth, p.Blue);
    ASSERT_EQ(right.size(), 1u);
    EXPECT_NEAR(right[0].X2, p.Half() + 3118.5 * p.scale(), 1e-6);
}

TEST(PropertiesBlock, BearingMethodDecidesTheBearingLines) {
    struct Case {
        int method;
        const char *value2880, *unit2880, *value3120, *unit3120;
    } cases[] = {
        {0, "10.00", "kg/cm\xB2", "", ""},
        {1, "", "", "Theoretical (Munfakh et al.)", ""},
        {2, "", "", "Semi empirical, SPT (N) = 23", ""},
        {3, "", "", "Semi empirical, CPT (qc) = 45.3", "kg/cm\xB2"},
        {7, "", "", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.method);
        PropertiesSheet p;
        p.m.BearingResistanceMethod = static_cast<int16_t>(c.method);
        p.m.BaseSptBlowCount = 23.4f;
        p.m.BaseCptTipResistance = 45.27f;
        p.Print();
        EXPECT_EQ(p.LeftCaption(2880), "- Nominal bearing capacity (qn) =");
        EXPECT_EQ(p.LeftValue(2880), c.value2880);
        EXPECT_EQ(p.LeftUnit(2880), c.unit2880);
        EXPECT_EQ(p.LeftValue(3120), c.value3120);
        EXPECT_EQ(p.LeftCaption(3120), "");
        EXPECT_EQ(p.LeftUnit(3120), c.unit3120);
    }
}

TEST(PropertiesBlock, OptionsAndUnitSystems) {
    PropertiesSheet p;
    // the density check off still shows the unit after "N/A"
    p.Print();
    EXPECT_EQ(p.LeftValue(1440), "N/A");
    EXPECT_EQ(p.LeftUnit(1440), "T/m\xB3");
    p.m.MinimumFluidDensityEnabled = 1;
    p.m.MinimumFluidDensity = 3.5f;
    // any value but 0 is soil and at rest
    p.m.BaseMaterialOption = 5;
    p.m.EarthPressureOption = 2;
    p.m.CurrentUnitSystem = SI;
    p.Print();
    EXPECT_EQ(p.LeftValue(1440), "3.50");
    EXPECT_EQ(p.LeftUnit(1440), "kN/m\xB3");
    EXPECT_EQ(p.LeftValue(2640), "Soil (plastic)");
    EXPECT_EQ(p.LeftValue(1200), "At rest");
    EXPECT_EQ(p.RightUnit(2400), "\xD7" "105 MPa");
    EXPECT_EQ(p.RightUnit(3840), "mm");
    p.m.CurrentUnitSystem = British;
    p.Print();
    EXPECT_EQ(p.RightUnit(3600), "\xD7" "105 psi");
    EXPECT_EQ(p.RightUnit(3840), "in");
}

}  // namespace
}  // namespace brindlemar::test

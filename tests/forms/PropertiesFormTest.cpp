#include <gtest/gtest.h>

#include <set>

#include "support/BuiltInWall.h"
#include "forms/PropertiesForm.h"
#include "model/Units.h"
#include "runtime/RuntimeError.h"

namespace brindlemar {
namespace {

// Each box stores into a value of its own and shows it again: two boxes on
// one value, or a box that stores nowhere, would show another box's number.
TEST(PropertiesForm, EveryBoxShowsAndStoresAValueOfItsOwn) {
    Model m;
    PropertyEntries e = PropertyEntriesFromModel(m);
    for (int i = 0; i < PropertyBoxCount; ++i) e.Values[i] = std::to_string(100 + i) + ".25";
    StoreProperties(m, e);
    const PropertyEntries shown = PropertyEntriesFromModel(m);
    for (int i = 0; i < PropertyBoxCount; ++i) EXPECT_EQ(shown.Values[i], e.Values[i]) << "box " << i;
}

TEST(PropertiesForm, RulesFollowWhatEachValueMayBe) {
    const std::set<int> positive = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 15, 16, 19, 20, 21};
    const std::set<int> notNegative = {11, 12, 13, 14, 17, 18, 22, 23};
    const std::set<int> frictionAngles = {11, 13, 17, 18, 22};
    for (int i = 0; i < PropertyBoxCount; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(PropertyEntryRefusal(i, "95", "").empty(), !frictionAngles.contains(i));
        EXPECT_EQ(PropertyEntryRefusal(i, "0", "").empty(), !positive.contains(i));
        EXPECT_EQ(PropertyEntryRefusal(i, "-1", "").empty(), !positive.contains(i) && !notNegative.contains(i));
        EXPECT_TRUE(PropertyEntryRefusal(i, "0.5", "").empty());
        EXPECT_FALSE(PropertyEntryRefusal(i, "", "").empty());
        EXPECT_FALSE(PropertyEntryRefusal(i, "12a", "").empty());
    }
    EXPECT_THROW(PropertyEntryRefusal(27, "1", ""), RuntimeError);
}

TEST(PropertiesForm, UnitLabelsFollowTheUnitSystem) {
    Model m;
    FillUnitLabels(m);
    m.CurrentUnitSystem = SI;
    auto labels = PropertyUnitLabels(m);
    struct Case {
        int label;
        const char* si;
        const char* british;
    };
    // Windows-1252: \xB3 cube, \xB0 degree
    const Case cases[] = {
        {0, "kN/m\xB3", "Kip/ft\xB3"}, {1, "MPa", "psi"},   {2, "E+5 MPa", "E+5 psi"}, {3, "", ""},
        {6, "mm", "in"},               {11, "\xB0", "\xB0"}, {15, "MPa", "psi"},        {24, "MPa", "psi"},
        {25, "kN/m\xB3", "Kip/ft\xB3"},
    };
    for (const Case& c : cases) EXPECT_EQ(labels[c.label], c.si) << "lblUnit " << c.label;
    m.CurrentUnitSystem = British;
    labels = PropertyUnitLabels(m);
    for (const Case& c : cases) EXPECT_EQ(labels[c.label], c.british) << "lblUnit " << c.label;
}

TEST(PropertiesForm, OptionsShownFromTheModel) {
    struct Case {
        int16_t earth, material, method;
        int shownEarth, shownMaterial, shownMethod;
    };
    const Case cases[] = {
        {Active, Rock, NominalBearing, Active, Rock, NominalBearing},
        {AtRest, Soil, SptBearing, AtRest, Soil, SptBearing},
        {-1, Soil, CptBearing, AtRest, Soil, CptBearing},
        {Active, Rock, SptBearing, Active, Rock, NominalBearing},  // on rock only the nominal value
        {Active, Soil, 7, Active, Soil, NominalBearing},           // no such method
    };
    for (const Case& c : cases) {
        Model m;
        m.EarthPressureOption = c.earth;
        m.BaseMaterialOption = c.material;
        m.BearingResistanceMethod = c.method;
        const PropertyEntries e = PropertyEntriesFromModel(m);
        EXPECT_EQ(e.EarthPressure, c.shownEarth) << c.earth;
        EXPECT_EQ(e.BaseMaterial, c.shownMaterial) << c.material;
        EXPECT_EQ(e.BearingMethod, c.shownMethod) << c.method;
    }
}

TEST(PropertiesForm, AcceptMarksTheProjectOnlyWhenSomethingDiffers) {
    struct Case {
        const char* what;
        void (*edit)(PropertyEntries&);
        bool modified;
    };
    const Case cases[] = {
        {"nothing", [](PropertyEntries&) {}, false},
        {"same value written otherwise", [](PropertyEntries& e) { e.Values[11] = " 30.000 "; }, false},
        {"a box", [](PropertyEntries& e) { e.Values[11] = "31"; }, true},
        {"a hidden box", [](PropertyEntries& e) { e.Values[12] = "1"; }, true},
        {"active to at rest", [](PropertyEntries& e) { e.EarthPressure = AtRest; }, true},
        {"rock to soil", [](PropertyEntries& e) { e.BaseMaterial = Soil; }, true},
        {"another method", [](PropertyEntries& e) { e.BearingMethod = TheoreticalBearing; }, true},
        {"no method selected", [](PropertyEntries& e) { e.BearingMethod = -1; }, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Model m;
        m.BackfillFrictionAngle = 30;
        PropertyEntries e = PropertyEntriesFromModel(m);
        c.edit(e);
        m.ProjectModified = False;
        StoreProperties(m, e);
        EXPECT_EQ(m.ProjectModified, c.modified ? True : False);
    }

    // and the opposite changes, from at rest on soil
    Model m;
    m.EarthPressureOption = AtRest;
    m.BaseMaterialOption = Soil;
    m.BearingResistanceMethod = CptBearing;
    PropertyEntries e = PropertyEntriesFromModel(m);
    e.EarthPressure = Active;
    e.BaseMaterial = Rock;
    e.BearingMethod = -1;
    StoreProperties(m, e);
    EXPECT_EQ(m.ProjectModified, True);
    EXPECT_EQ(m.EarthPressureOption, Active);
    EXPECT_EQ(m.BaseMaterialOption, Rock);
    EXPECT_EQ(m.BearingResistanceMethod, CptBearing);  // none selected: left as it was
}

TEST(PropertiesForm, AcceptingTheShownValuesChangesNothingInAnyUnitSystem) {
    for (int16_t unit : {Metric, SI, British}) {
        test::BuiltInWall wall;
        Model& m = wall.m;
        m.PreviousUnitSystem = Metric;
        m.CurrentUnitSystem = unit;
        ConvertUnits(m);
        const PropertyEntries before = PropertyEntriesFromModel(m);
        m.ProjectModified = False;
        StoreProperties(m, before);
        EXPECT_EQ(m.ProjectModified, False) << "unit system " << unit;
        EXPECT_EQ(PropertyEntriesFromModel(m).Values, before.Values) << "unit system " << unit;
    }
}

// A value is shown to the digits of its unit: the British unit weights to
// three digits, and after a round trip through the three systems every box
// reads as it read before it (not 0.9999999).
TEST(PropertiesForm, BoxesShowTheirValuesToTheirUnit) {
    test::BuiltInWall wall;
    Model& m = wall.m;
    const PropertyEntries metric = PropertyEntriesFromModel(m);
    for (int16_t unit : {British, SI, Metric}) {
        m.PreviousUnitSystem = m.CurrentUnitSystem;
        m.CurrentUnitSystem = unit;
        ConvertUnits(m);
        if (unit == British) {
            const PropertyEntries british = PropertyEntriesFromModel(m);
            EXPECT_EQ(british.Values[8], "0.106");
            EXPECT_EQ(british.Values[7], "0.0624");
            EXPECT_EQ(british.Values[6], "1.97");
        }
    }
    const PropertyEntries back = PropertyEntriesFromModel(m);
    for (size_t index = 0; index < back.Values.size(); ++index)
        EXPECT_EQ(back.Values[index], metric.Values[index]) << index;
}

TEST(PropertiesForm, ANumberTooLargeStoresNothing) {
    Model m;
    PropertyEntries e = PropertyEntriesFromModel(m);
    e.Values[0] = "5";
    e.Values[26] = "1e39";
    e.EarthPressure = AtRest;
    EXPECT_THROW(StoreProperties(m, e), RuntimeError);
    EXPECT_EQ(m.ConcreteUnitWeight, 0.0f);
    EXPECT_EQ(m.EarthPressureOption, Active);
    EXPECT_EQ(m.ProjectModified, False);
}

}  // namespace
}  // namespace brindlemar

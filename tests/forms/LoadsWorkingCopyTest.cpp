#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "analysis/Analysis.h"
#include "model/Initialise.h"
#include "model/Outline.h"
#include "support/BuiltInWall.h"
#include "support/MessageRecorder.h"
#include "forms/DialogEntries.h"
#include "forms/LoadsWorkingCopy.h"
#include "runtime/Format.h"

namespace brindlemar {
namespace {

using test::BuiltInWall;

TEST(LoadsTexts, LoadTypesAreReadBackFromTheCodeTheTextBeginsWith) {
    BuiltInWall wall;
    FactorDefinition f = wall.m.CombinationSets[1].Factors;
    EXPECT_EQ(LoadTypeText(f, DL), "DL - Structural dead load");
    struct Case {
        const char* text;
        int16_t previous, want;
    };
    const Case cases[] = {
        {"LL - Live load", DL, LL},
        {"LLxyz", DL, LL},
        {"IC", DL, IC},
        {"zz - nothing", EQ, EQ},  // no known code: the type stays
        {"", WA, WA},
        {"BE - Bearing", DL, DL},  // resistances are no load types
    };
    for (const Case& c : cases) EXPECT_EQ(LoadTypeOfText(f, c.text, c.previous), c.want) << c.text;
    // an emptied code names no type rather than every type
    f.FactorCode[DL] = "";
    EXPECT_EQ(LoadTypeOfText(f, "EV - Earth dead load", LL), EV);
    EXPECT_EQ(LoadTypeOfText(f, "Structural", LL), LL);
}

TEST(LoadsTexts, NumbersAsTheDialogShowsAndRewritesThem) {
    struct Case {
        float factor;
        const char* want;
    };
    for (const Case& c : {Case{1.35f, "1.35"}, Case{1.0f, "1.00"}, Case{0.0f, "--"}, Case{-0.9f, "-0.90"}, Case{1000.0f, "1000.00"}})
        EXPECT_EQ(FactorSummaryText(c.factor), c.want) << c.factor;

    // loads on the ground in front of the toe or behind the heel; those at the toe tip and heel end stand on the wall
    const BuiltInWall wall;
    const float B = wall.m.BaseWidth;
    LineLoadTable loads{};
    int16_t count = 0;
    for (const float x : {-0.01f, B * 1.001f, 1.0f, B + 2, -3.0f, -1.0f, 0.0f, B}) loads[++count] = {1, x, 0, 180, DL};
    EXPECT_EQ(LoadsOffTheWallNote(wall.m, loads, count),
              "Loads 1, 5 and 6 stand in front of the toe: they are counted as loads on the wall\n"
              "Loads 2 and 4 stand beyond the heel: they are counted as loads on the wall");

    EXPECT_EQ(SingleOfText("2.5kN"), 2.5f);
    EXPECT_FALSE(SingleOfText("1e39").has_value());  // beyond a Single: refused, never infinity
    EXPECT_TRUE(SingleOfText("-3.4e38").has_value());
}

// Coefficients by hand: Coulomb active with a vertical back, level backfill
// and no wall friction is tan²(45° - φ/2); at rest 1 - sin φ; passive
// tan²(45° + φ/2).
TEST(LoadsCoefficients, ShownFromTheAnglesOfTheWallAsItStands) {
    BuiltInWall wall;
    Model& m = wall.m;
    m.BackfillFrictionAngle = 30;
    m.BackfillSlopeRatio = 0;
    m.StemBackBatter = 0;
    m.HeelLength = 0;
    m.ConcreteToEarthFrictionAngle = 0;
    m.EarthToEarthFrictionAngle = 20;  // would change Ka if it were used
    m.ToeEarthFrictionAngle = 34;
    EXPECT_EQ(ActiveCoefficientText(m, false, 0), "0.33");
    EXPECT_EQ(ActiveCoefficientText(m, true, 0), Format(0.5, "0.#0"));
    EXPECT_EQ(PassiveCoefficientText(m), Format(std::pow(std::tan((45 + 17) * std::atan(1.0) / 45), 2), "0.#0"));
    EXPECT_EQ(PassiveCoefficientText(m), "3.54");
    // with kh = 0 the seismic coefficient is the static one
    EXPECT_EQ(SeismicCoefficientText(m, 0), "0.33");

    // earth on the heel: earth-to-earth wall friction
    m.HeelLength = 1;
    EXPECT_FLOAT_EQ(CheckedBackfillAngles(m, 0).Angles.delta, 20);
    // a ratio of 2 is a slope of atan(1/2)
    m.BackfillSlopeRatio = 2;
    EXPECT_NEAR(CheckedBackfillAngles(m, 0).Angles.beta, 26.565051, 1e-4);
    // no coefficient, and no stale one either, under an acceleration beyond
    // tan φ (0.9 g, ψ = 42°): no slope stands, not even a level one
    m.BackfillSlopeRatio = 0;
    EXPECT_EQ(SeismicCoefficientText(m, 0.9f), "--");
}

// The dialog shows the coefficients the analysis will work with: where the
// analysis flattens a slope too steep for the friction angle or for the
// acceleration, the dialog's coefficient is of the flattened slope.
TEST(LoadsCoefficients, AreTheAnalysisOwnWhereItFlattensTheSlope) {
    struct Case {
        const char* what;
        float ratio, kh;
    } cases[] = {
        {"within both limits", 2.5f, 0.1f},
        {"steeper than the friction angle", 1, 0},
        {"steeper than both", 1, 0.2f},
        // ψ = 21.8° lies between φ − β = 18.7° and φ = 30°
        {"within φ, too steep for the acceleration", 5, 0.4f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        test::MessageRecorder messages;
        BuiltInWall wall;
        Model& m = wall.m;
        m.BackfillSlopeRatio = c.ratio;
        m.SeismicIncluded = True;
        m.EnteredSeismicCoefficient = c.kh;
        SetSeismicCoefficient(m);
        const std::string ka = ActiveCoefficientText(m, false, c.kh);
        const std::string kae = SeismicCoefficientText(m, c.kh);
        EXPECT_NE(kae, NoCoefficientText);
        ComputeWallOutline(m);
        ASSERT_TRUE(AnalyseCombination(m));
        EXPECT_EQ(ka, Format(m.BackfillPressureCoefficient, "0.#0"));
        EXPECT_EQ(kae, Format(static_cast<double>(m.BackfillPressureCoefficient) + m.SeismicIncrementCoefficient,
                              "0.#0"));
    }
}

class WorkingSets : public ::testing::Test {
protected:
    void SetUp() override {
        CopyCombinationSetsToWorkingCopy(m);
        // three sets named A, B, C in slots 1 to 3
        while (m.WorkingCombinationSetCount < 4) ASSERT_TRUE(AddWorkingCombinationSet(m));
        for (int s = 1; s <= 3; ++s) m.WorkingCombinationSets[s].Name = std::string(1, static_cast<char>('A' + s - 1));
    }
    std::string Names() {
        std::string names;
        for (int s = 1; s < m.WorkingCombinationSetCount; ++s) names += m.WorkingCombinationSets[s].Name;
        return names;
    }
    BuiltInWall wall;
    Model& m = wall.m;
};

TEST_F(WorkingSets, ANewSetHasOneCombinationOfOnesButNoEccentricityAllowance) {
    const CombinationSet& added = m.WorkingCombinationSets[3];
    EXPECT_EQ(added.CombinationCount, 1);
    // named apart from the others: the next one takes the next free number
    m.WorkingCombinationSets[1].Name = "New set 1";
    ASSERT_TRUE(AddWorkingCombinationSet(m));
    EXPECT_EQ(m.WorkingCombinationSets[4].Name, "New set 2");
    EXPECT_EQ(added.Combinations[0].Name, "");
    for (int k = 0; k <= MaxFactorCount; ++k) EXPECT_EQ(added.Combinations[0].Factor[k], k == EX ? 0.0f : 1.0f) << k;
    EXPECT_EQ(added.Factors, m.CurrentFactorDefinition);
    // up to 49 sets
    while (AddWorkingCombinationSet(m)) {
    }
    EXPECT_EQ(m.WorkingCombinationSetCount, 50);
}

TEST_F(WorkingSets, DeletingAndMovingKeepTheSummaryOnItsSet) {
    struct Case {
        const char* what;
        bool remove;
        int slot, direction, active;
        bool done;
        const char* names;
        int wantActive;
    };
    const Case cases[] = {
        {"delete before the summary's set", true, 1, 0, 3, true, "BC", 2},
        {"delete the summary's set", true, 2, 0, 2, true, "AC", 2},
        {"delete the last set while it is the summary's", true, 3, 0, 3, true, "AB", 2},
        {"move down follows the set", false, 1, 1, 1, true, "BAC", 2},
        {"move up of the neighbour", false, 2, -1, 1, true, "BAC", 2},
        {"no set above the first", false, 1, -1, 1, false, "ABC", 1},
        {"no set below the last", false, 3, 1, 1, false, "ABC", 1},
    };
    for (const Case& c : cases) {
        CopyCombinationSetsToWorkingCopy(m);
        while (m.WorkingCombinationSetCount < 4) AddWorkingCombinationSet(m);
        for (int s = 1; s <= 3; ++s) m.WorkingCombinationSets[s].Name = std::string(1, static_cast<char>('A' + s - 1));
        m.WorkingActiveCombinationSet = static_cast<int16_t>(c.active);
        const bool done = c.remove ? DeleteWorkingCombinationSet(m, c.slot) : MoveWorkingCombinationSet(m, c.slot, c.direction);
        EXPECT_EQ(done, c.done) << c.what;
        EXPECT_EQ(Names(), c.names) << c.what;
        EXPECT_EQ(m.WorkingActiveCombinationSet, c.wantActive) << c.what;
    }
    // the only set stays
    while (DeleteWorkingCombinationSet(m, 1)) {
    }
    EXPECT_EQ(m.WorkingCombinationSetCount, 2);
}

TEST_F(WorkingSets, SetsFromAFileAreAppendedOnlyWhenTheyAllFit) {
    auto file = std::make_unique<std::array<CombinationSet, 51>>();
    for (int s = 0; s < 51; ++s) (*file)[s].Name = "F" + std::to_string(s);
    while (m.WorkingCombinationSetCount < 11) AddWorkingCombinationSet(m);  // ten sets
    EXPECT_FALSE(AppendWorkingCombinationSets(m, *file, 40));               // 11 + 40 > 50
    EXPECT_EQ(m.WorkingCombinationSetCount, 11);
    EXPECT_TRUE(AppendWorkingCombinationSets(m, *file, 39));
    EXPECT_EQ(m.WorkingCombinationSetCount, 49);
    EXPECT_EQ(m.WorkingCombinationSets[11].Name, "F1");  // the file's hidden set stays behind
    EXPECT_EQ(m.WorkingCombinationSets[48].Name, "F38");
    EXPECT_TRUE(AppendWorkingCombinationSets(m, *file, 1));  // only a hidden set: nothing to add
    EXPECT_EQ(m.WorkingCombinationSetCount, 49);
}

// The dialog's controls as it shows the model when it opens: a value with a
// unit rounded to it.
LoadOptionControls ControlsOf(const Model& m) {
    const auto shown = [&m](float value, Quantity q) { return EntryText(value, q, m.CurrentUnitSystem); };
    LoadOptionControls c;
    c.Surcharge = shown(m.BackfillSurcharge, Quantity::Pressure);
    c.Seismic = GeneralNumber(m.EnteredSeismicCoefficient);
    c.Ka = GeneralNumber(m.EnteredKa);
    c.Kae = GeneralNumber(m.EnteredKae);
    c.Kp = GeneralNumber(m.EnteredKp);
    c.MinFluid = shown(m.MinimumFluidDensity, Quantity::UnitWeight);
    c.Resist = {shown(m.NominalBearingResistance, Quantity::Stress), GeneralNumber(m.BaseFrictionAngle),
                shown(m.BaseCohesion, Quantity::Stress),            GeneralNumber(m.BaseSptBlowCount),
                shown(m.BaseCptTipResistance, Quantity::Stress),    shown(m.BaseUnitWeight, Quantity::UnitWeight)};
    c.Value = {shown(m.AdjacentStructureCapacity, Quantity::ForcePerLength), shown(m.ShearKeyDepth, Quantity::Length),
               shown(m.AdjacentStructurePosition, Quantity::Length)};
    c.SurchargeTypeIndex = m.SurchargeLoadType - 1;
    c.EarthPressureOption = m.EarthPressureOption;
    c.KaSource = m.KaSource;
    c.KaeSource = m.KaeSource;
    c.KpSource = m.KpSource;
    c.BaseMaterialOption = m.BaseMaterialOption;
    c.BearingMethod = m.BearingResistanceMethod;
    c.Check = {m.PassiveToePressureIncluded, m.AdjacentStructureIncluded, m.ShearKeyIncluded};
    c.MinFluidEnabled = m.MinimumFluidDensityEnabled;
    return c;
}

TEST_F(WorkingSets, AcceptFlagsChangesOfOptionsAndLoadsButNotOfSetContents) {
    struct Case {
        const char* what;
        void (*edit)(LoadOptionControls&, LineLoadTable&, int16_t&, Model&);
        bool modified;
    };
    const Case cases[] = {
        {"nothing touched", [](LoadOptionControls&, LineLoadTable&, int16_t&, Model&) {}, false},
        {"a set renamed and a factor edited",
         [](LoadOptionControls&, LineLoadTable&, int16_t&, Model& w) {
             w.WorkingCombinationSets[1].Name = "renamed";
             w.WorkingCombinationSets[1].Combinations[0].Factor[DL] = 1.25f;
         },
         false},
        {"rock to soil", [](LoadOptionControls& c, LineLoadTable&, int16_t&, Model&) { c.BaseMaterialOption = 1 - c.BaseMaterialOption; }, true},
        {"at rest", [](LoadOptionControls& c, LineLoadTable&, int16_t&, Model&) { c.EarthPressureOption = 1; }, true},
        {"a surcharge", [](LoadOptionControls& c, LineLoadTable&, int16_t&, Model&) { c.Surcharge = "12 kPa"; }, true},
        // the entered coefficient is not in use while the shown one is computed
        {"a computed Ka differing from the stored one", [](LoadOptionControls& c, LineLoadTable&, int16_t&, Model&) { c.Ka = "0.33"; }, false},
        {"an entered Ka changed",
         [](LoadOptionControls& c, LineLoadTable&, int16_t&, Model&) {
             c.KaSource = 1;
             c.Ka = "0.33";
         },
         true},
        // an acceleration beyond the backfill's friction leaves no computed value
        {"a seismic coefficient without value", [](LoadOptionControls& c, LineLoadTable&, int16_t&, Model&) { c.Kae = "--"; }, false},
        {"a line load added",
         [](LoadOptionControls&, LineLoadTable& loads, int16_t& n, Model&) {
             loads[++n] = LineLoad{10, 1, 2, 90, LL};
         },
         true},
        {"a set added", [](LoadOptionControls&, LineLoadTable&, int16_t&, Model& w) { AddWorkingCombinationSet(w); }, true},
        {"another combination", [](LoadOptionControls&, LineLoadTable&, int16_t&, Model& w) { w.WorkingCurrentCombination = 1; }, true},
    };
    for (const Case& c : cases) {
        BuiltInWall fresh;
        Model& w = fresh.m;
        w.EnteredKa = 0.3f;
        w.EnteredKae = 0.4f;
        w.CombinationSets[1].CombinationCount = 2;
        w.ProjectModified = False;
        CopyCombinationSetsToWorkingCopy(w);
        LoadOptionControls controls = ControlsOf(w);
        LineLoadTable loads = w.LineLoads;
        int16_t count = w.LineLoadCount;
        c.edit(controls, loads, count, w);
        const CombinationSet edited = w.WorkingCombinationSets[1];
        ASSERT_FALSE(OversizedLoadOption(controls, loads, count)) << c.what;
        StoreLoadOptions(w, controls, loads, count);
        EXPECT_EQ(w.ProjectModified, c.modified ? True : False) << c.what;
        // stored whether or not it counted as a change
        EXPECT_EQ(w.CombinationSets[1], edited) << c.what;
        EXPECT_EQ(w.LineLoadCount, count) << c.what;
        EXPECT_EQ(w.EnteredKa, static_cast<float>(Val(controls.Ka))) << c.what;
        EXPECT_EQ(w.EnteredKae, 0.4f) << c.what;
        EXPECT_EQ(w.BackfillSurcharge, static_cast<float>(Val(controls.Surcharge))) << c.what;
    }
}

// Values converted to other units can need more digits than a box shows:
// accepting the boxes as they opened keeps every value and the saved state.
// A British box shows its value rounded to the unit (0.409 Kip/ft²), and
// still keeps the exact value while left alone.
TEST(LoadsAccept, UntouchedBoxesKeepValuesTheirTextCannotHoldExactly) {
    for (const int units : {Metric, British}) {
        BuiltInWall fresh;
        Model& m = fresh.m;
        m.CurrentUnitSystem = static_cast<int16_t>(units);
        CopyCombinationSetsToWorkingCopy(m);
        m.BackfillSurcharge = units == Metric ? 0.204632252f : 0.4092645f;
        m.NominalBearingResistance = 142.105743f;
        m.ShearKeyDepth = 2.19816279f;
        m.MinimumFluidDensity = units == Metric ? 0.981000066f : 0.031185f;
        ASSERT_NE(static_cast<float>(Val(ControlsOf(m).Surcharge)), m.BackfillSurcharge);
        const Model before = m;
        m.ProjectModified = False;
        StoreLoadOptions(m, ControlsOf(m), m.LineLoads, m.LineLoadCount);
        EXPECT_EQ(m.ProjectModified, False) << units;
        EXPECT_EQ(m.BackfillSurcharge, before.BackfillSurcharge) << units;
        EXPECT_EQ(m.NominalBearingResistance, before.NominalBearingResistance) << units;
        EXPECT_EQ(m.ShearKeyDepth, before.ShearKeyDepth) << units;
        EXPECT_EQ(m.MinimumFluidDensity, before.MinimumFluidDensity) << units;
    }
}

TEST_F(WorkingSets, AcceptWritesTheUserSetsButNeverTheHiddenOne) {
    m.WorkingCombinationSets[0].Name = "changed while open";
    LoadOptionControls controls = ControlsOf(m);
    controls.SurchargeTypeIndex = -1;  // nothing chosen: the type stays
    const int16_t surchargeType = m.SurchargeLoadType;
    StoreLoadOptions(m, controls, m.LineLoads, m.LineLoadCount);
    EXPECT_EQ(m.CombinationSetCount, 4);
    EXPECT_EQ(m.CombinationSets[3].Name, "C");
    EXPECT_NE(m.CombinationSets[0].Name, "changed while open");
    EXPECT_EQ(m.SurchargeLoadType, surchargeType);
    // a box beyond a Single is found before anything is stored
    controls.Kp = "1e39";
    EXPECT_EQ(OversizedLoadOption(controls, m.LineLoads, m.LineLoadCount), "Passive earth pressure coefficient");
}

}  // namespace
}  // namespace brindlemar

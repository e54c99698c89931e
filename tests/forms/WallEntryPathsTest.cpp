#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <ranges>

#include "analysis/SectionStations.h"
#include "design/DesignSectionForces.h"
#include "design/ReinforcementSheets.h"
#include "files/ProjectFile.h"
#include "forms/DimensionEdit.h"
#include "forms/LoadsWorkingCopy.h"
#include "forms/PropertiesForm.h"
#include "forms/RestraintsForm.h"
#include "model/Units.h"
#include "runtime/Format.h"
#include "support/BuiltInWall.h"
#include "support/MessageRecorder.h"

namespace brindlemar {
namespace {

// The reinforcement dialog opened on `m`, bringing the upper stem within the stem.
void OpenReinforcementDialog(Model& m) {
    ComputeDesignSectionForces(m);
    const std::vector<float> stem = StemStationList(m);
    m.UpperStemLength = std::min(m.UpperStemLength, stem.empty() ? 0.0f : stem.back());
}

// `m` saved and opened again as the file commands do; nothing when refused.
std::unique_ptr<Model> SavedAndOpened(const Model& m, const std::string& path) {
    auto written = std::make_unique<Model>(m), opened = std::make_unique<Model>(m);
    EXPECT_TRUE(WriteProjectFile(*written, path));
    InitialiseProject(*opened);
    if (!ReadProjectFile(*opened, path)) opened.reset();
    return opened;
}

// Earlier versions changed units as follows: each value times the size of its
// kind's unit in the old system over that in the new, rounded on its own to
// its decimals. Unit sizes in Metric, SI and British, counted in m, mm, kN and
// MPa, from 0.3048 m to the foot, 25.4 mm to the inch, 0.454 T to the kip and
// g kN to the tonne.
enum Kind { Length, Bar, Section, Stress, Pressure, UnitWeight, ForcePerLength };
double UnitSize(Kind kind, int system, double g) {
    const double ft = 0.3048, in = 25.4, kip = 0.454 * g, units[5][3] = {
        {1, 1, ft}, {1, 1, in}, {10, 1, in}, {g / 100, 1, kip / (in * in)}, {g, 1, kip / (ft * ft)}};
    if (kind == UnitWeight) return units[Pressure][system] / units[Length][system];
    if (kind == ForcePerLength) return units[Pressure][system] * units[Length][system];
    return units[kind][system];
}

struct Converted {
    Kind kind;
    int decimals;
    std::vector<float Model::*> values;
};
const Converted EarlierConversion[] = {
    {Length, 2, {&Model::ToeLength, &Model::StemFrontBatter, &Model::StemTopThickness, &Model::StemBackBatter,
                 &Model::HeelLength, &Model::BaseWidth, &Model::FrontStemHeight, &Model::ToeTopDrop,
                 &Model::ToeTipThickness, &Model::BackStemHeight, &Model::HeelTopDrop, &Model::HeelEndThickness,
                 &Model::WallHeight, &Model::FrontWaterDepth, &Model::BackWaterDepth,
                 &Model::AdjacentStructurePosition, &Model::ShearKeyDepth, &Model::ShearKeyToeDistance,
                 &Model::ShearKeyWidth, &Model::ShearKeyHeelDistance, &Model::EnteredFrontWaterDepth,
                 &Model::EnteredBackWaterDepth, &Model::UpperStemLength}},
    {UnitWeight, 2, {&Model::ConcreteUnitWeight, &Model::WaterUnitWeight, &Model::BackfillUnitWeight,
                     &Model::BackfillDryDensity, &Model::BackfillSaturatedDensity, &Model::ToeEarthUnitWeight,
                     &Model::ToeEarthDryDensity, &Model::ToeEarthSaturatedDensity, &Model::BaseUnitWeight,
                     &Model::MinimumFluidDensity}},
    {Stress, 0, {&Model::ConcreteCompressiveStress, &Model::RebarYieldStress}},
    {Stress, 2, {&Model::ConcreteElasticityModulus, &Model::RebarElasticityModulus, &Model::BackfillCohesion,
                 &Model::BaseCohesion, &Model::NominalBearingResistance, &Model::BaseElasticityModulus,
                 &Model::ToeEarthCohesion, &Model::BaseCptTipResistance}},
    {Section, 1, {&Model::ConcreteCover}},
    {ForcePerLength, 2, {&Model::AdjacentStructureCapacity}},
    {Pressure, 2, {&Model::BackfillSurcharge}},
};

// What a file may hold of each value the editors take, this version's and
// earlier ones': the labels' numbers from 0 up; every value with a unit from
// 0 up too (no editor takes a negative one, and earlier versions' change of
// units rounded a small one to 0), but the three the properties dialog takes
// as any number; the acceleration and coefficients, which the loads dialog
// stores as magnitudes, from 0 up; Poisson's ratio, without a unit, above 0;
// a friction angle below 90, where its tangent ends. The labels' values come
// first, in the labels' order.
enum Opens { FromZero, AboveZero, BelowRightAngle };
struct Edited {
    float Model::*value;
    Opens rule;
};
const std::vector<Edited> EditedValues = [] {
    std::vector<Edited> all;
    const auto add = [&all](float Model::*v, Opens rule) {
        if (std::none_of(all.begin(), all.end(), [v](const Edited& e) { return e.value == v; })) all.push_back({v, rule});
    };
    for (float Model::*v : std::initializer_list<float Model::*>{
             &Model::ToeLength, &Model::StemFrontBatter, &Model::StemTopThickness, &Model::StemBackBatter,
             &Model::HeelLength, &Model::BaseWidth, &Model::FrontStemHeight, &Model::ToeTopDrop,
             &Model::ToeTipThickness, &Model::BackStemHeight, &Model::HeelTopDrop, &Model::HeelEndThickness,
             &Model::FrontWaterDepth, &Model::BackWaterDepth, &Model::BackfillSlopeRatio, &Model::ShearKeyDepth,
             &Model::ShearKeyToeDistance, &Model::ShearKeyWidth, &Model::ShearKeyHeelDistance, &Model::WallHeight})
        add(v, FromZero);
    for (const Converted& c : EarlierConversion)
        for (float Model::*v : c.values)
            if (v != &Model::BaseUnitWeight && v != &Model::MinimumFluidDensity && v != &Model::BaseCptTipResistance)
                add(v, FromZero);
    for (float Model::*v : {&Model::EnteredSeismicCoefficient, &Model::EnteredKa, &Model::EnteredKae, &Model::EnteredKp})
        add(v, FromZero);
    add(&Model::ConcretePoissonRatio, AboveZero);
    for (float Model::*v : {&Model::BackfillFrictionAngle, &Model::BaseFrictionAngle, &Model::EarthToEarthFrictionAngle,
                            &Model::ConcreteToEarthFrictionAngle, &Model::ToeEarthFrictionAngle})
        add(v, BelowRightAngle);
    return all;
}();

bool MayHold(Opens rule, float value) {
    return rule == AboveZero ? value > 0 : value >= 0 && (rule == FromZero || value < 90);
}

// Every way into a wall, in a seeded random order: after each step the design
// reads what it reads once the reinforcement dialog has brought the upper stem
// within the stem, and the wall saved opens again keeping the length's bytes.
// A value at the edge of what a file may hold (through the labels, which keep
// the wall whole) opens; one step beyond it never opens into one it may not.
TEST(WallEntryPaths, EveryWayBringsOnlyAWallTheWindowsCouldHaveMade) {
    test::MessageRecorder messages;
    test::BuiltInWall w;
    Model& m = w.m;
    const std::string path = (w.Folder.Path() / "wall.bmi").string();
    std::size_t edges = 0;
    const char* numbers[] = {"0", "0.01", "0.3", "1.5", "2.4", "3.73", "6", "12", "-1", "89.99", "90"};
    std::mt19937 random(46);
    const auto pick = [&random](std::size_t n) { return static_cast<int>(random() % n); };
    for (int step = 0; step < 600 && !HasFailure(); ++step) {
        const std::string typed = numbers[pick(std::size(numbers))];
        const int way = pick(9), box = pick(PropertyBoxCount);
        SCOPED_TRACE("step " + std::to_string(step) + ", way " + std::to_string(way) + ": " + typed);
        PropertyEntries properties = PropertyEntriesFromModel(m);
        RestraintEntries restraints = RestraintEntriesFromModel(m);
        properties.Values[box] = restraints.Values[box % 3] = typed;
        properties.BaseMaterial = pick(2), restraints.Checks[pick(3)] ^= 1;
        properties.BearingMethod = properties.BaseMaterial == Soil ? pick(4) : NominalBearing;
        if (way == 0 && Val(typed) >= 0) StoreDimension(m, box % DimensionLabelCount, EntryValue(typed));
        if (way == 1 && PropertyEntryRefusal(box, typed, "").empty() &&
            BearingMethodRefusal(properties.BearingMethod, properties.Values[BaseUnitWeightPropertyBox]).empty())
            StoreProperties(m, properties);
        if (way == 2 && RestraintEntryRefusal(box % 3, typed).empty()) StoreRestraints(m, restraints);
        if (way == 3 && EntryRefusal(LoadOptionBoxAt(box % 15).Rule, typed, "").empty() &&
            (box % 15 != BaseUnitWeightBox || BearingMethodRefusal(m.BearingResistanceMethod, typed).empty())) {
            LoadOptionControls c;  // its options chosen anew: active, computed coefficients, no restraints
            c.BaseMaterialOption = m.BaseMaterialOption;
            for (int i = 0; i < LoadOptionBoxCount; ++i) LoadOptionText(c, i) = EntryText(m.*LoadOptionValues[i].Variable);
            LoadOptionText(c, box % 15) = typed;
            CopyCombinationSetsToWorkingCopy(m);
            StoreLoadOptions(m, c, m.LineLoads, m.LineLoadCount);
        }
        if (way == 4) {
            OpenReinforcementDialog(m);
            if (const auto check = CheckUpperStemLength(m, typed); check.Valid) m.UpperStemLength = check.Length;
        }
        if (way == 5) InitialiseProject(m);
        if (way == 6)
            m.PreviousUnitSystem = std::exchange(m.CurrentUnitSystem, static_cast<int16_t>(pick(3))), ConvertUnits(m);
        if (way == 7) {
            const std::size_t f = edges++ % EditedValues.size();
            const Edited& field = EditedValues[f];
            const bool steep = field.rule == BelowRightAngle && Val(typed) > 45;
            const float edge = field.rule == AboveZero ? 0.01f : steep ? 89.99f : 0;
            auto atEdge = std::make_unique<Model>(m), beyond = std::make_unique<Model>(m);
            if (f < DimensionLabelCount) StoreDimension(*atEdge, static_cast<int>(f), edge);
            else atEdge.get()->*field.value = edge;
            EXPECT_TRUE(SavedAndOpened(*atEdge, path)) << "value " << f << " at " << edge;
            beyond.get()->*field.value = steep ? 90 : edge - 0.01f;
            const std::size_t told = messages.Messages.size();
            const auto opened = SavedAndOpened(*beyond, path);
            EXPECT_EQ(messages.Messages.size(), told + (opened ? 0 : 1)) << "a refusal says why";
            EXPECT_TRUE(!opened || MayHold(field.rule, opened.get()->*field.value)) << "value " << f;
        }
        if (way == 8) m.WaterIncluded = static_cast<int16_t>(~m.WaterIncluded), SetWaterDepths(m);  // the water switch
        auto dialog = std::make_unique<Model>(m);
        OpenReinforcementDialog(*dialog);
        ComputeDesignSectionForces(*dialog);
        ComputeDesignSectionForces(m);
        EXPECT_EQ(m.FlexureMoments, dialog->FlexureMoments);
        EXPECT_EQ(m.FlexureSectionDepths, dialog->FlexureSectionDepths);
        EXPECT_EQ(MemberLengths(m), MemberLengths(*dialog));
        const auto opened = SavedAndOpened(m, path);
        ASSERT_TRUE(opened) << messages.Messages.back().Text;
        EXPECT_EQ(opened->UpperStemLength, m.UpperStemLength);
    }
}

void ConvertAsEarlierVersions(Model& m, int to) {
    const auto convert = [&m, to](float& value, Kind kind, int decimals) {
        const double scale = std::pow(10.0, decimals), g = m.GravityAcceleration;
        const double factor = UnitSize(kind, m.CurrentUnitSystem, g) / UnitSize(kind, to, g);
        value = static_cast<float>(std::round(value * factor * scale) / scale);
    };
    for (const Converted& c : EarlierConversion)
        for (float Model::*value : c.values) convert(m.*value, c.kind, c.decimals);
    for (int position = 1; position <= 8; ++position) {
        convert(m.UserBarDiameters[position], Bar, 2);
        convert(m.UserBarSpacings[position], Section, 2);
    }
    for (int i = 1; i <= m.LineLoadCount; ++i) {
        convert(m.LineLoads[i].Value, ForcePerLength, 2);
        convert(m.LineLoads[i].X, Length, 2);
        convert(m.LineLoads[i].Y, Length, 2);
    }
    m.CurrentUnitSystem = static_cast<int16_t>(to);
}

// Walls made through the labels and the properties dialog, starting in any
// unit system (the built-in numbers stand in the units of a defaults file),
// then switched as earlier versions switched them, one to twenty times: the
// file they saved opens, each dimension as they stored it.
TEST(WallEntryPaths, FilesEarlierVersionsSavedAfterSwitchingUnitsOpen) {
    test::MessageRecorder messages;
    test::BuiltInWall w;
    const std::string path = (w.Folder.Path() / "earlier.bmi").string();
    const char* numbers[] = {"0", "0.001", "0.01", "0.5", "1.37", "2.4", "6", "12.85"};
    std::mt19937 random(58);
    const auto pick = [&random](std::size_t n) { return static_cast<int>(random() % n); };
    for (int wall = 0; wall < 300 && !HasFailure(); ++wall) {
        auto m = std::make_unique<Model>(w.m);
        m->CurrentUnitSystem = static_cast<int16_t>(pick(3));
        for (int edit = pick(8); edit >= 0; --edit) StoreDimension(*m, pick(DimensionLabelCount), EntryValue(numbers[pick(8)]));
        PropertyEntries properties = PropertyEntriesFromModel(*m);
        const int box = pick(PropertyBoxCount);
        properties.Values[box] = numbers[pick(8)];
        if (PropertyEntryRefusal(box, properties.Values[box], "").empty()) StoreProperties(*m, properties);
        for (int switches = 1 + pick(20); switches > 0; --switches)
            ConvertAsEarlierVersions(*m, (m->CurrentUnitSystem + 1 + pick(2)) % 3);
        const auto opened = SavedAndOpened(*m, path);
        ASSERT_TRUE(opened) << "wall " << wall << ": " << messages.Messages.back().Text;
        for (float Model::*value : EarlierConversion[0].values | std::views::take(12))
            EXPECT_EQ(opened.get()->*value, m.get()->*value) << "wall " << wall;
    }
}

}  // namespace
}  // namespace brindlemar

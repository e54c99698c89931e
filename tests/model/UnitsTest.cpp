#include <gtest/gtest.h>

#include <cmath>
#include <tuple>
#include <vector>

#include "support/BuiltInWall.h"
#include "support/MessageRecorder.h"
#include "model/InputRules.h"
#include "model/Units.h"
#include "runtime/ErrorTrap.h"
#include "runtime/Format.h"

namespace brindlemar {
namespace {

void SwitchUnits(Model& m, int16_t to) {
    m.PreviousUnitSystem = m.CurrentUnitSystem;
    m.CurrentUnitSystem = to;
    ConvertUnits(m);
}

struct Shown {
    const char* what;
    float Model::*member;
    const char* mask;
    const char* want;
};

void ExpectShown(const Model& m, std::initializer_list<Shown> cases) {
    for (const Shown& c : cases) EXPECT_EQ(Format(m.*c.member, c.mask), c.want) << c.what;
}

TEST(ConvertUnits, MetricToBritishAsTheScreensShowIt) {
    test::BuiltInWall w;
    Model& m = w.m;
    SwitchUnits(m, British);
    ExpectShown(m, {
        {"toe 2.0 m", &Model::ToeLength, "#0.#0", "6.56"},
        {"stem top 0.83 m", &Model::StemTopThickness, "#0.#0", "2.72"},
        {"wall height 10 m", &Model::WallHeight, "#0.#0", "32.81"},
        {"concrete 2.4 T/m3", &Model::ConcreteUnitWeight, "#0.#0", "0.15"},
        {"f'c 300 kg/cm2", &Model::ConcreteCompressiveStress, "#0", "4263"},
        {"fy 3000 kg/cm2", &Model::RebarYieldStress, "#0", "42632"},
        {"cover 5 cm", &Model::ConcreteCover, "#0.0", "2.0"},
        {"surcharge 1 T/m2", &Model::BackfillSurcharge, "#0.#0", "0.20"},
        {"shear key at 6.6 m", &Model::ShearKeyToeDistance, "#0.#0", "21.65"},
        {"entered front water 5 m", &Model::EnteredFrontWaterDepth, "#0.#0", "16.40"},
    });
    // water keeps its full value, not 0.06 rounded for storing
    EXPECT_NEAR(m.WaterUnitWeight, 0.3048 * 0.3048 * 0.3048 / 0.454, 1e-8);
    // the outline is rebuilt in feet
    EXPECT_NEAR(m.NodeXCoordinates[5], 7.2 / 0.3048, 1e-5);
}

TEST(ConvertUnits, MetricToSIAsTheScreensShowIt) {
    test::BuiltInWall w;
    Model& m = w.m;
    SwitchUnits(m, SI);
    ExpectShown(m, {
        {"toe unchanged", &Model::ToeLength, "#0.#0", "2.00"},
        {"cover 5 cm", &Model::ConcreteCover, "#0.0", "50.0"},
        {"f'c 300 kg/cm2", &Model::ConcreteCompressiveStress, "#0", "29"},
        {"fy 3000 kg/cm2", &Model::RebarYieldStress, "#0", "294"},
        {"concrete 2.4 T/m3", &Model::ConcreteUnitWeight, "#0.#0", "23.54"},
        {"backfill 1.7 T/m3", &Model::BackfillUnitWeight, "#0.#0", "16.68"},
        {"surcharge 1 T/m2", &Model::BackfillSurcharge, "#0.#0", "9.81"},
        {"bearing 10 kg/cm2", &Model::NominalBearingResistance, "#0.#0", "0.98"},
    });
    EXPECT_NEAR(m.ConcreteCompressiveStress, 29.43, 1e-4);
}

TEST(ConvertUnits, LineLoadsAndTheValuesThatHaveNoUnit) {
    test::BuiltInWall w;
    Model& m = w.m;
    m.LineLoadCount = 1;
    m.LineLoads[1] = {10, 1.5f, 2, 30, 5};
    m.LineLoads[2] = {10, 1.5f, 2, 30, 5};  // beyond the count: not a load
    m.BackfillSlopeRatio = 5;
    m.EnteredKa = 0.3f;
    m.ConcretePoissonRatio = 0.17f;
    SwitchUnits(m, British);

    EXPECT_EQ(Format(m.LineLoads[1].Value, "#0.#0"), "6.71");
    EXPECT_EQ(Format(m.LineLoads[1].X, "#0.#0"), "4.92");
    EXPECT_EQ(Format(m.LineLoads[1].Y, "#0.#0"), "6.56");
    EXPECT_EQ(m.LineLoads[1].Direction, 30);
    EXPECT_EQ(m.LineLoads[1].LoadType, 5);
    EXPECT_EQ(m.LineLoads[2].Value, 10);

    EXPECT_EQ(m.BackfillFrictionAngle, 30);
    EXPECT_EQ(m.ConcreteToEarthFrictionAngle, 15);
    EXPECT_EQ(m.BackfillSlopeRatio, 5);
    EXPECT_FLOAT_EQ(m.EnteredKa, 0.3f);
    EXPECT_EQ(m.BaseSptBlowCount, 20);
    EXPECT_FLOAT_EQ(m.EnteredSeismicCoefficient, 0.15f);
    EXPECT_FLOAT_EQ(m.ConcretePoissonRatio, 0.17f);
    EXPECT_EQ(m.PageMarginLeft, 25);
    EXPECT_FLOAT_EQ(m.GravityAcceleration, 9.81f);
}

// Every value that converts, so the round trip can check each of them.
std::vector<float*> ConvertedValues(Model& m) {
    std::vector<float*> values = {
        &m.ToeLength, &m.StemFrontBatter, &m.StemTopThickness, &m.StemBackBatter, &m.HeelLength,
        &m.BaseWidth, &m.FrontStemHeight, &m.ToeTopDrop, &m.ToeTipThickness, &m.BackStemHeight,
        &m.HeelTopDrop, &m.HeelEndThickness, &m.WallHeight, &m.FrontWaterDepth, &m.BackWaterDepth,
        &m.ConcreteUnitWeight, &m.ConcreteCompressiveStress, &m.ConcreteElasticityModulus,
        &m.RebarYieldStress, &m.RebarElasticityModulus, &m.ConcreteCover, &m.WaterUnitWeight,
        &m.BackfillUnitWeight, &m.BackfillDryDensity, &m.BackfillSaturatedDensity,
        &m.BackfillCohesion, &m.BaseCohesion, &m.NominalBearingResistance, &m.BaseElasticityModulus,
        &m.ToeEarthUnitWeight, &m.ToeEarthDryDensity, &m.ToeEarthSaturatedDensity,
        &m.ToeEarthCohesion, &m.BaseUnitWeight, &m.BaseCptTipResistance, &m.MinimumFluidDensity,
        &m.AdjacentStructureCapacity, &m.AdjacentStructurePosition, &m.ShearKeyDepth,
        &m.ShearKeyToeDistance, &m.ShearKeyWidth, &m.ShearKeyHeelDistance,
        &m.EnteredFrontWaterDepth, &m.EnteredBackWaterDepth, &m.UpperStemLength,
        &m.BackfillSurcharge,
    };
    for (int position = 1; position <= 8; ++position) {
        values.push_back(&m.UserBarDiameters[position]);
        values.push_back(&m.UserBarSpacings[position]);
    }
    for (int i = 1; i <= m.LineLoadCount; ++i) {
        values.push_back(&m.LineLoads[i].Value);
        values.push_back(&m.LineLoads[i].X);
        values.push_back(&m.LineLoads[i].Y);
    }
    return values;
}

TEST(ConvertUnits, MetricBritishSIMetricGivesEveryValueBack) {
    test::BuiltInWall w;
    Model& m = w.m;
    // values the reset leaves at 0, so that they take part
    m.LineLoadCount = 2;
    m.LineLoads[1] = {10, 1.5f, 2, 30, 5};
    m.LineLoads[2] = {3.3f, 0.7f, 9.1f, -15, 1};
    m.BackfillCohesion = 0.25f;
    m.BaseCohesion = 1.1f;
    m.ToeEarthCohesion = 0.3f;
    m.BaseUnitWeight = 1.9f;
    m.MinimumFluidDensity = 0.55f;
    m.AdjacentStructureCapacity = 12.5f;
    m.AdjacentStructurePosition = 0.4f;
    m.ShearKeyHeelDistance = 0.2f;
    m.UpperStemLength = 3.1f;
    for (int position = 1; position <= 8; ++position) {
        m.UserBarDiameters[position] = 10.0f + 2 * position;
        m.UserBarSpacings[position] = 7.5f + position;
    }

    std::vector<float> before;
    for (float* v : ConvertedValues(m)) before.push_back(*v);

    SwitchUnits(m, British);
    SwitchUnits(m, SI);
    SwitchUnits(m, Metric);

    const std::vector<float*> after = ConvertedValues(m);
    for (std::size_t i = 0; i < before.size(); ++i)
        EXPECT_NEAR(*after[i], before[i], 4e-7 * std::fabs(before[i])) << "value " << i;
    EXPECT_NEAR(m.NodeXCoordinates[5], 7.2, 1e-5);
}

// A conversion the values do not allow (no gravity, a strength beyond what
// the new units hold) changes none and keeps the unit system; one they allow
// makes no weight 0.
TEST(ConvertUnits, EveryValueOrNoneAndStillAWallTheWindowsTake) {
    for (const auto& [value, set, from, to] : {std::tuple{&Model::GravityAcceleration, 0.0f, SI, Metric},
                                               {&Model::ConcreteCompressiveStress, 3e38f, Metric, British},
                                               {&Model::WaterUnitWeight, 1e-44f, Metric, British}}) {
        test::BuiltInWall w;
        test::MessageRecorder messages;
        w.m.*value = set;
        const float weight = w.m.ConcreteUnitWeight;
        w.m.PreviousUnitSystem = from;
        w.m.CurrentUnitSystem = to;
        const bool converted = RunTrapped([&w] { ConvertUnits(w.m); });
        EXPECT_EQ(w.m.CurrentUnitSystem, converted ? to : from);
        EXPECT_EQ(w.m.ConcreteUnitWeight == weight, !converted);
        EXPECT_EQ(WallInputRefusal(w.m), "");
    }
}

}  // namespace
}  // namespace brindlemar

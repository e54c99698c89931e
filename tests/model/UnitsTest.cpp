#include <gtest/gtest.h>

#include <array>
#include <tuple>

#include "support/BuiltInWall.h"
#include "support/MessageRecorder.h"
#include "model/Units.h"
#include "runtime/ErrorTrap.h"

namespace brindlemar {
namespace {

void SwitchUnits(Model& m, int16_t to) {
    m.PreviousUnitSystem = m.CurrentUnitSystem;
    m.CurrentUnitSystem = to;
    ConvertUnits(m);
}

// A value the conversion rewrites: the model's own, an element of the bars or
// of the first line load.
template <auto member>
float& Value(Model& m) { return m.*member; }
template <int position>
float& Diameter(Model& m) { return m.UserBarDiameters[position]; }
template <int position>
float& Spacing(Model& m) { return m.UserBarSpacings[position]; }
template <float LineLoad::*member>
float& FirstLoad(Model& m) { return m.LineLoads[1].*member; }

// Every value the conversion rewrites, each worked by hand in Metric, SI and
// British, with g = 9.81 and a kip of 0.454 T. Any one of them, converted from
// any system into any other, reads the hand value of the other.
TEST(ConvertUnits, EveryValueReadsItsHandValueInEveryDirection) {
    struct Hand {
        float& (*value)(Model&);
        std::array<double, 3> in;
    };
    const Hand hand[] = {
        // lengths: m in Metric and SI, ft = m / 0.3048 (toe 2.0 m is 6.56 ft)
        {Value<&Model::ToeLength>, {2, 2, 6.56168}},
        {Value<&Model::StemFrontBatter>, {0.5, 0.5, 1.64042}},
        {Value<&Model::StemTopThickness>, {0.83, 0.83, 2.7231}},
        {Value<&Model::StemBackBatter>, {0.45, 0.45, 1.47638}},
        {Value<&Model::HeelLength>, {3.37, 3.37, 11.0564}},
        {Value<&Model::BaseWidth>, {7.15, 7.15, 23.458}},
        {Value<&Model::FrontStemHeight>, {8, 8, 26.2467}},
        {Value<&Model::ToeTopDrop>, {1.1, 1.1, 3.60892}},
        {Value<&Model::ToeTipThickness>, {0.9, 0.9, 2.95276}},
        {Value<&Model::BackStemHeight>, {7.73, 7.73, 25.3609}},
        {Value<&Model::HeelTopDrop>, {1.05, 1.05, 3.44488}},
        {Value<&Model::HeelEndThickness>, {1.27, 1.27, 4.16667}},
        {Value<&Model::WallHeight>, {10, 10, 32.8084}},
        {Value<&Model::FrontWaterDepth>, {5, 5, 16.4042}},
        {Value<&Model::BackWaterDepth>, {1.5, 1.5, 4.92126}},
        {Value<&Model::AdjacentStructurePosition>, {0.4, 0.4, 1.31234}},
        {Value<&Model::ShearKeyDepth>, {0.67, 0.67, 2.19816}},
        {Value<&Model::ShearKeyToeDistance>, {6.6, 6.6, 21.6535}},
        {Value<&Model::ShearKeyWidth>, {0.6, 0.6, 1.9685}},
        {Value<&Model::ShearKeyHeelDistance>, {0.2, 0.2, 0.656168}},
        {Value<&Model::EnteredFrontWaterDepth>, {4.5, 4.5, 14.7638}},
        {Value<&Model::EnteredBackWaterDepth>, {1.25, 1.25, 4.10105}},
        {Value<&Model::UpperStemLength>, {3.1, 3.1, 10.1706}},
        {FirstLoad<&LineLoad::X>, {1.5, 1.5, 4.92126}},
        {FirstLoad<&LineLoad::Y>, {2.2, 2.2, 7.21785}},
        // unit weights: kN/m3 = 9.81 T/m3, kip/ft3 = T/m3 x 0.3048^3 / 0.454 (2.4 T/m3 is 0.15 kip/ft3)
        {Value<&Model::ConcreteUnitWeight>, {2.4, 23.544, 0.149693}},
        {Value<&Model::WaterUnitWeight>, {1, 9.81, 0.0623719}},
        {Value<&Model::BackfillUnitWeight>, {1.7, 16.677, 0.106032}},
        {Value<&Model::BackfillDryDensity>, {1.65, 16.1865, 0.102914}},
        {Value<&Model::BackfillSaturatedDensity>, {2, 19.62, 0.124744}},
        {Value<&Model::ToeEarthUnitWeight>, {1.75, 17.1675, 0.109151}},
        {Value<&Model::ToeEarthDryDensity>, {1.6, 15.696, 0.0997951}},
        {Value<&Model::ToeEarthSaturatedDensity>, {2.1, 20.601, 0.130981}},
        {Value<&Model::BaseUnitWeight>, {1.9, 18.639, 0.118507}},
        {Value<&Model::MinimumFluidDensity>, {0.9, 8.829, 0.0561347}},
        // stresses and moduli: MPa = kg/cm2 x 9.81 / 100, psi = kg/cm2 x 2.54^2 / 0.454
        // (f'c 300 kg/cm2 is 29 MPa and 4263 psi)
        {Value<&Model::ConcreteCompressiveStress>, {300, 29.43, 4263.17}},
        {Value<&Model::ConcreteElasticityModulus>, {1.4, 0.13734, 19.8948}},
        {Value<&Model::RebarYieldStress>, {3000, 294.3, 42631.7}},
        {Value<&Model::RebarElasticityModulus>, {21, 2.0601, 298.422}},
        {Value<&Model::BackfillCohesion>, {0.25, 0.024525, 3.55264}},
        {Value<&Model::BaseCohesion>, {1.1, 0.10791, 15.6316}},
        {Value<&Model::NominalBearingResistance>, {10, 0.981, 142.106}},
        {Value<&Model::BaseElasticityModulus>, {1.2, 0.11772, 17.0527}},
        {Value<&Model::ToeEarthCohesion>, {0.3, 0.02943, 4.26317}},
        {Value<&Model::BaseCptTipResistance>, {45, 4.4145, 639.476}},
        // cover and bar spacings: mm = 10 cm, in = cm / 2.54 (cover 5.0 cm is 2.0 in); bars: in = mm / 25.4
        {Value<&Model::ConcreteCover>, {5, 50, 1.9685}},
        {Spacing<1>, {20, 200, 7.87402}},
        {Spacing<8>, {12.5, 125, 4.92126}},
        {Diameter<1>, {16, 16, 0.629921}},
        {Diameter<8>, {25, 25, 0.984252}},
        // forces per length: kN/m = 9.81 T/m, kip/ft = T/m x 0.3048 / 0.454 (10 T/m is 6.71 kip/ft)
        {Value<&Model::AdjacentStructureCapacity>, {12.5, 122.625, 8.39207}},
        {FirstLoad<&LineLoad::Value>, {10, 98.1, 6.71366}},
        // pressure: kPa = 9.81 T/m2, kip/ft2 = T/m2 x 0.3048^2 / 0.454 (1.0 T/m2 is 0.2 kip/ft2)
        {Value<&Model::BackfillSurcharge>, {1, 9.81, 0.204632}},
    };
    for (int16_t from : {Metric, SI, British}) {
        for (int16_t to : {Metric, SI, British}) {
            if (from == to) continue;
            test::BuiltInWall w;
            Model& m = w.m;
            m.LineLoadCount = 1;
            m.CurrentUnitSystem = from;
            for (const Hand& h : hand) h.value(m) = static_cast<float>(h.in[from]);
            SwitchUnits(m, to);
            for (std::size_t i = 0; i < std::size(hand); ++i)
                EXPECT_NEAR(hand[i].value(m), hand[i].in[to], 2e-5 * hand[i].in[to])
                    << "row " << i << ", " << from << " to " << to;
            // the outline is rebuilt in the new units: the heel end stands at the base width
            EXPECT_FLOAT_EQ(m.NodeXCoordinates[5], m.BaseWidth);
        }
    }
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
        EXPECT_GT(w.m.WaterUnitWeight, 0);
    }
}

}  // namespace
}  // namespace brindlemar

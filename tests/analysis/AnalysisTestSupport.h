#pragma once
// Comparing analysis results with hand calculations, and visiting every
// number an analysis stores.

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <utility>

#include "model/Model.h"

namespace brindlemar::test {

// Within half a unit of the fourth significant digit of the hand value
// (which is given to four digits), plus the float's own rounding.
inline void ExpectFourDigits(double actual, double want, const std::string& what) {
    const double unit = want == 0 ? 1e-4 : std::pow(10.0, std::floor(std::log10(std::fabs(want))) - 3);
    EXPECT_NEAR(actual, want, 0.5 * unit + 2e-6 * std::fabs(want)) << what;
}

// Calls `visit` with a name and the value of every number the analysis of a
// combination and of a set leaves in the model.
inline void ForEachAnalysisResult(const Model& m, const std::function<void(const std::string&, double)>& visit) {
    auto array = [&](const char* name, const auto& values) {
        for (std::size_t i = 0; i < values.size(); ++i) visit(std::string(name) + "(" + std::to_string(i) + ")", values[i]);
    };
    auto column = [&](const char* name, const auto& values) {
        for (std::size_t i = 0; i < values.size(); ++i)
            if (values[i]) visit(std::string(name) + "(" + std::to_string(i) + ")", *values[i]);
    };
    array("BlockAreas", m.BlockAreas);
    array("BlockCentroidsX", m.BlockCentroidsX);
    array("BlockCentroidsY", m.BlockCentroidsY);
    array("BlockWeights", m.BlockWeights);
    array("BlockSeismicForces", m.BlockSeismicForces);
    array("BodyWeights", m.BodyWeights);
    array("BodySeismicForces", m.BodySeismicForces);
    array("BodyCentroidsX", m.BodyCentroidsX);
    array("BodyCentroidsY", m.BodyCentroidsY);
    array("BackfillPressureOrdinates", m.BackfillPressureOrdinates);
    array("BackfillPressureForces", m.BackfillPressureForces);
    array("BackfillPressureArmsX", m.BackfillPressureArmsX);
    array("BackfillPressureArmsY", m.BackfillPressureArmsY);
    array("SeismicPressureOrdinates", m.SeismicPressureOrdinates);
    array("SeismicPressureForces", m.SeismicPressureForces);
    array("SeismicPressureArmsX", m.SeismicPressureArmsX);
    array("SeismicPressureArmsY", m.SeismicPressureArmsY);
    array("HydrodynamicPressureOrdinates", m.HydrodynamicPressureOrdinates);
    array("HydrodynamicPressureForces", m.HydrodynamicPressureForces);
    array("HydrodynamicPressureArmsY", m.HydrodynamicPressureArmsY);
    array("WaterPressureOrdinates", m.WaterPressureOrdinates);
    array("WaterPressureForces", m.WaterPressureForces);
    array("WaterPressureArmsX", m.WaterPressureArmsX);
    array("WaterPressureArmsY", m.WaterPressureArmsY);
    array("PassivePressureOrdinates", m.PassivePressureOrdinates);
    array("PassivePressureForces", m.PassivePressureForces);
    array("PassivePressureArmsY", m.PassivePressureArmsY);
    const std::pair<const char*, float> scalars[] = {
        {"BackfillPressureCoefficient", m.BackfillPressureCoefficient},
        {"SeismicIncrementCoefficient", m.SeismicIncrementCoefficient},
        {"SeismicIncrementCoefficientBelowWater", m.SeismicIncrementCoefficientBelowWater},
        {"MomentAtOverturningPoint", m.MomentAtOverturningPoint},
        {"TotalVerticalForce", m.TotalVerticalForce},
        {"TotalHorizontalForce", m.TotalHorizontalForce},
        {"RotatingMoment", m.RotatingMoment},
        {"RotationResistingMoment", m.RotationResistingMoment},
        {"AnalysisBaseWidth", m.AnalysisBaseWidth},
        {"EccentricityFromOverturningPoint", m.EccentricityFromOverturningPoint},
        {"EccentricityFromMidbase", m.EccentricityFromMidbase},
        {"MomentAtMidbase", m.MomentAtMidbase},
        {"ToeEdgePressure", m.ToeEdgePressure},
        {"HeelEdgePressure", m.HeelEdgePressure},
        {"LeftBearingPressure", m.LeftBearingPressure},
        {"RightBearingPressure", m.RightBearingPressure},
        {"BearingPressureWidth", m.BearingPressureWidth},
        {"BearingContactStart", m.BearingContactStart},
        {"BearingContactEnd", m.BearingContactEnd},
        {"EffectiveBaseWidth", m.EffectiveBaseWidth},
        {"ComputedBearingResistance", m.ComputedBearingResistance},
        {"BearingResistanceRatio", m.BearingResistanceRatio},
        {"SlidingForce", m.SlidingForce},
        {"SlidingFrictionResistance", m.SlidingFrictionResistance},
        {"SlidingCohesionResistance", m.SlidingCohesionResistance},
        {"BaseFrictionResistance", m.BaseFrictionResistance},
        {"RestraintResistance", m.RestraintResistance},
        {"ToePassiveResistance", m.ToePassiveResistance},
        {"ShearKeyPassiveResistance", m.ShearKeyPassiveResistance},
        {"SlidingResistingForce", m.SlidingResistingForce},
        {"SlidingResistanceRatio", m.SlidingResistanceRatio},
        {"RotationResistanceRatio", m.RotationResistanceRatio},
        {"BackfillSlopeRatio", m.BackfillSlopeRatio},
        {"BaseFrictionAngle", m.BaseFrictionAngle},
    };
    for (const auto& [name, value] : scalars) visit(name, value);
    column("CombinationTotalHorizontalForces", m.CombinationTotalHorizontalForces);
    column("CombinationTotalVerticalForces", m.CombinationTotalVerticalForces);
    column("CombinationMomentsAtOverturningPoint", m.CombinationMomentsAtOverturningPoint);
    column("CombinationMomentsAtMidbase", m.CombinationMomentsAtMidbase);
    column("CombinationEccentricitiesFromOverturningPoint", m.CombinationEccentricitiesFromOverturningPoint);
    column("CombinationEccentricitiesFromMidbase", m.CombinationEccentricitiesFromMidbase);
    column("CombinationLeftBearingPressures", m.CombinationLeftBearingPressures);
    column("CombinationRightBearingPressures", m.CombinationRightBearingPressures);
    column("CombinationBearingPressureWidths", m.CombinationBearingPressureWidths);
    column("CombinationNominalBearingResistances", m.CombinationNominalBearingResistances);
    column("CombinationBearingResistanceRatios", m.CombinationBearingResistanceRatios);
    column("CombinationSlidingForces", m.CombinationSlidingForces);
    column("CombinationSlidingResistingForces", m.CombinationSlidingResistingForces);
    column("CombinationSlidingResistanceRatios", m.CombinationSlidingResistanceRatios);
    column("CombinationRotatingMoments", m.CombinationRotatingMoments);
    column("CombinationRotationResistingMoments", m.CombinationRotationResistingMoments);
    column("CombinationRotationResistanceRatios", m.CombinationRotationResistanceRatios);
}

}  // namespace brindlemar::test

#pragma once
// Model members: loads and results of the current combination, bearing-capacity tables, stability results of all combinations.

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "model/ModelInputs.h"

namespace brindlemar {

// Bearing-capacity factors by friction angle, rows 0 to Count (one per degree).
struct BearingFactorTable {
    int16_t Count = 0;
    std::array<float, 51> FrictionAngle{};
    std::array<float, 51> Nc{};
    std::array<float, 51> Nq{};
    std::array<float, 51> Ngamma{};
};

// Depth factor dq by friction angle (rows 0 to AngleCount) and embedment
// ratio Df / B (columns 0 to RatioCount).
struct DepthFactorTable {
    int16_t AngleCount = 0;
    int16_t RatioCount = 0;
    std::array<float, 6> FrictionAngle{};
    std::array<std::array<float, 6>, 6> EmbedmentRatio{};
    std::array<std::array<float, 6>, 6> DepthFactor{};
};

// One column of the stability table: element i answers for combination
// i - 1 of the active set; an element no analysis has written is empty.
using CombinationValues = std::array<std::optional<float>, 51>;
using CombinationFlags = std::array<std::optional<int16_t>, 51>;

struct ModelAnalysis {
    // the analysis flattened a backfill slope too steep for it (and said so)
    int16_t BackfillSlopeAdjusted = 0;

    // static backfill pressure on the vertical back plane through the heel end
    float BackfillPressureCoefficient = 0;
    std::array<float, 21> BackfillPressureOrdinates{};
    std::array<float, 21> BackfillPressureForces{};
    std::array<float, 21> BackfillPressureArmsX{};
    std::array<float, 21> BackfillPressureArmsY{};

    // seismic increment of the backfill pressure
    float SeismicIncrementCoefficient = 0;
    float SeismicIncrementCoefficientBelowWater = 0;
    std::array<float, 11> SeismicPressureOrdinates{};
    std::array<float, 11> SeismicPressureForces{};
    std::array<float, 11> SeismicPressureArmsX{};
    std::array<float, 11> SeismicPressureArmsY{};

    // hydrodynamic pressure of the front water under earthquake
    std::array<float, 6> HydrodynamicPressureOrdinates{};
    std::array<float, 6> HydrodynamicPressureForces{};
    std::array<float, 6> HydrodynamicPressureArmsY{};

    // static water: horizontal blocks 1 to 6, water weights 7 to 10, uplift 11
    std::array<float, 21> WaterPressureOrdinates{};
    std::array<float, 21> WaterPressureForces{};
    std::array<float, 21> WaterPressureArmsX{};
    std::array<float, 21> WaterPressureArmsY{};

    // passive earth in front of the toe tip and of the shear key (unfactored)
    std::array<float, 21> PassivePressureOrdinates{};
    std::array<float, 21> PassivePressureForces{};
    std::array<float, 21> PassivePressureArmsY{};

    // sums and resultant of the current combination
    float MomentAtOverturningPoint = 0;
    float TotalVerticalForce = 0;
    float TotalHorizontalForce = 0;
    float RotatingMoment = 0;
    float RotationResistingMoment = 0;
    float AnalysisBaseWidth = 0;
    float EccentricityFromOverturningPoint = 0;
    float EccentricityFromMidbase = 0;
    float MomentAtMidbase = 0;
    int16_t WallStable = 0;
    // Why the last analysis of a combination computed no result (the text
    // of the error that ended it); empty when it computed one. A wall
    // without a result is not judged: it is neither stable nor unstable.
    std::string AnalysisFailure;

    // base pressure and bearing
    float ToeEdgePressure = 0;
    float HeelEdgePressure = 0;
    float LeftBearingPressure = 0;
    float RightBearingPressure = 0;
    float BearingPressureWidth = 0;
    float BearingContactStart = 0;
    float BearingContactEnd = 0;
    float EffectiveBaseWidth = 0;
    float ComputedBearingResistance = 0;
    float BearingResistanceRatio = 0;

    // sliding
    float SlidingForce = 0;
    float SlidingFrictionResistance = 0;
    float SlidingCohesionResistance = 0;
    float BaseFrictionResistance = 0;
    float RestraintResistance = 0;
    float ToePassiveResistance = 0;
    float ShearKeyPassiveResistance = 0;
    float SlidingResistingForce = 0;
    float SlidingResistanceRatio = 0;

    // rotation
    float RotationResistanceRatio = 0;

    // bearing-capacity tables, filled when the project is reset
    BearingFactorTable BearingCapacityFactors;
    DepthFactorTable DepthCorrectionFactors;

    // stability results of every combination of the active set
    CombinationFlags CombinationWallStableFlags{};
    CombinationValues CombinationTotalHorizontalForces{};
    CombinationValues CombinationTotalVerticalForces{};
    CombinationValues CombinationMomentsAtOverturningPoint{};
    CombinationValues CombinationMomentsAtMidbase{};
    CombinationValues CombinationEccentricitiesFromOverturningPoint{};
    CombinationValues CombinationEccentricitiesFromMidbase{};
    CombinationValues CombinationLeftBearingPressures{};
    CombinationValues CombinationRightBearingPressures{};
    CombinationValues CombinationBearingPressureWidths{};
    CombinationValues CombinationNominalBearingResistances{};
    CombinationValues CombinationBearingResistanceRatios{};
    CombinationValues CombinationSlidingForces{};
    CombinationValues CombinationSlidingResistingForces{};
    CombinationValues CombinationSlidingResistanceRatios{};
    CombinationValues CombinationRotatingMoments{};
    CombinationValues CombinationRotationResistingMoments{};
    CombinationValues CombinationRotationResistanceRatios{};
    // why combination i - 1 has no result; empty when it has one
    std::array<std::string, 51> CombinationAnalysisFailures{};

    // the wall and loads an earthquake too large for the backfill was last
    // told for (see TellAnalysisFault); replaced whole, never changed. A
    // memo of the messages shown, not of the wall: the routines that only
    // read the wall (section forces, views) may still tell a fault once.
    mutable std::shared_ptr<const ModelInputs> SeismicFaultToldFor;
};

}  // namespace brindlemar

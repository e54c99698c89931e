#pragma once
// The soil-pressure calculator: lateral earth pressure on one wall face for
// five cases (active and passive, each without and with a horizontal seismic
// acceleration, and at rest), from twelve soil and wall inputs. It works on
// its own copy of the inputs and never writes the wall model.

#include <array>
#include <optional>
#include <string>

#include "model/Model.h"

namespace brindlemar {

// The inputs in the order of the calculator's boxes.
enum CalculatorInput : int {
    WetDensityInput = 0,
    SaturatedDensityInput = 1,
    WaterDensityInput = 2,
    FrictionAngleInput = 3,
    CohesionInput = 4,
    SoilSlopeInput = 5,
    WallFrictionAngleInput = 6,
    WallInclinationInput = 7,
    SoilDepthInput = 8,
    WaterTableDepthInput = 9,
    SurchargeLoadInput = 10,
    SeismicCoefficientInput = 11,
};
inline constexpr int CalculatorInputCount = 12;

// Unit weights, angles in degrees, stress, lengths, pressure; kh in g.
// SoilSlope is positive for ground rising away from the wall;
// WallInclination is the back face's angle from the vertical, positive when
// the wall widens downward. Depths are measured down from the top of the soil.
struct SoilPressureInputs {
    float WetDensity = 0, SaturatedDensity = 0, WaterDensity = 0, FrictionAngle = 0, Cohesion = 0,
          SoilSlope = 0, WallFrictionAngle = 0, WallInclination = 0, SoilDepth = 0, WaterTableDepth = 0,
          SurchargeLoad = 0, SeismicCoefficient = 0;
};

// Input `index` (CalculatorInput); error 9 outside 0 to 11.
float& InputValue(SoilPressureInputs& inputs, int index);
float InputValue(const SoilPressureInputs& inputs, int index);

// The five cases, in the column order of the calculator's table.
enum PressureCase : int {
    ActiveNormalCase = 0,
    ActiveSeismicCase = 1,
    PassiveNormalCase = 2,
    PassiveSeismicCase = 3,
    AtRestCase = 4,
};
inline constexpr int PressureCaseCount = 5;

// Pressures P: 0 at the top of the soil, 1 at the water table (approached
// from below in the seismic cases), 2 at the bottom, 3 at the water table
// approached from above (seismic cases only). Forces F per length of wall:
// 0 above the water table, 1 below it, 2 the total; Y the depths of their
// lines of action below the top of the soil.
struct SoilPressureResults {
    float CoefficientKa = 0, CoefficientKp = 0, CoefficientKae = 0, CoefficientKpe = 0, CoefficientK0 = 0;
    std::array<float, 4> ActivePressures{}, PassivePressures{}, ActiveSeismicPressures{},
        PassiveSeismicPressures{}, AtRestPressures{};
    std::array<float, 3> ActiveForces{}, PassiveForces{}, ActiveSeismicForces{}, PassiveSeismicForces{},
        AtRestForces{};
    std::array<float, 3> ActiveDepths{}, PassiveDepths{}, ActiveSeismicDepths{}, PassiveSeismicDepths{},
        AtRestDepths{};
    float WaterPressure = 0, WaterForce = 0, WaterForceDepth = 0;

    // False for a case that has no finite result for the inputs (no
    // coefficient for the angles, or numbers beyond the float range); its
    // values are then 0 and shown as "--".
    std::array<bool, PressureCaseCount> CaseDefined{true, true, true, true, true};
    bool WaterDefined = true;
};

// The inputs the calculator starts from: the backfill, water, wall friction,
// back face and surcharge of the wall model, and the seismic coefficient the
// wall analysis applies. The water-table depth is the model's back water
// depth as it stands, which may lie below the soil (see KeepWaterTableInSoil).
SoilPressureInputs InputsFromWallModel(const Model& m);

// Lowers the water table to the bottom of the soil when it lies deeper;
// returns whether it did.
bool KeepWaterTableInSoil(SoilPressureInputs& inputs);

// An accepted input: the value stored, which is the number typed, and the
// box's new text, which shows it with the digits its unit needs.
struct AcceptedInput {
    std::string Text;
    float Value = 0;
};

// A typed input `index` (CalculatorInput) is accepted when it is one
// number, not negative and within the float range.
std::optional<AcceptedInput> AcceptInputText(const std::string& text, int index, int unitSystem);

// The text input box `index` shows for a value, in the unit system given.
std::string InputText(float value, int index, int unitSystem);

// Computes the five cases and the water below the water table. A soil slope
// steeper than the friction angle is taken as the friction angle for this
// run, with a warning; cases without a result are told in one message.
void CalcSoilPressures(const SoilPressureInputs& inputs, SoilPressureResults& results);

// The ten texts of result column `column` (PressureCase): coefficient,
// pressures at the top, at the water table (above/below for the seismic
// cases) and at the bottom, then each force followed by the depth of its
// resultant. "--" throughout for a case without a result.
std::array<std::string, 10> ResultColumnTexts(const SoilPressureResults& results, int column, int unitSystem);

// The four single results: the pressure inclination (wall inclination plus
// wall friction), the water pressure at the bottom, the water force and the
// depth of its resultant.
std::array<std::string, 4> SingleResultTexts(const SoilPressureInputs& inputs, const SoilPressureResults& results,
                                             int unitSystem);

// Unit labels of the calculator in the project's unit system: one per input,
// one per result row, one per single result ("" where there is none).
struct CalculatorUnitLabels {
    std::array<std::string, CalculatorInputCount> Inputs;
    std::array<std::string, 10> ResultRows;
    std::array<std::string, 4> SingleResults;
};
CalculatorUnitLabels CalculatorUnits(const Model& m);

}  // namespace brindlemar

#include "calculator/SoilPressure.h"

#include <cmath>
#include <limits>

#include "analysis/Analysis.h"
#include "analysis/BackfillPressure.h"
#include "analysis/Coefficients.h"
#include "model/DisplayPrecision.h"
#include "model/Units.h"
#include "runtime/Format.h"
#include "runtime/Hooks.h"
#include "runtime/RuntimeError.h"

namespace brindlemar {

namespace {

// A cosine this small belongs to a right angle held in binary: dividing by
// it would give a force of millions instead of no force at all.
double FaceCosine(double theta) {
    const double c = std::cos(theta);
    if (std::fabs(c) < 1e-6) RaiseError(ErrDivisionByZero);
    return c;
}

// A resultant of no force lies at the top: the depth's numerator, which is
// 0 as well, over a tiny stand-in divisor.
double NonZero(double x) { return x == 0 ? 1e-05 : x; }

// Depth below the top of the soil of the resultant of a pressure that runs
// linearly from `top` at depth z1 to `bottom` at depth z1 + t.
float ResultantDepth(float z1, double t, float top, float bottom) {
    return ToSingle(z1 + t * t * (bottom / 3.0 + top / 6.0) / NonZero(t * (top + bottom) / 2.0));
}

struct Geometry {
    double gamma, gammaS, gammaW, h, hw, q;
    double theta, beta;  // radians, beta as adjusted for the run
    double cosTheta;
};

// Forces of the pressures in P (upper block from `upperTop` to
// `upperBottom`, lower block from P[1] to P[2]) and their depths below the
// top of the soil. The pressures are per unit of vertical depth, so a force
// is their integral over the depth, on a battered face as on a vertical one:
// Coulomb's thrust K gamma h^2 / 2 is measured over the vertical height.
void FillForces(const Geometry& g, float upperTop, float upperBottom, const std::array<float, 4>& P,
                std::array<float, 3>& F, std::array<float, 3>& Y) {
    const double below = g.h - g.hw;
    F[0] = ToSingle((upperTop + upperBottom) / 2.0 * g.hw);
    F[1] = ToSingle((P[1] + P[2]) / 2.0 * below);
    F[2] = ToSingle(double(F[0]) + F[1]);
    Y[0] = ResultantDepth(0, g.hw, upperTop, upperBottom);
    Y[1] = ResultantDepth(static_cast<float>(g.hw), below, P[1], P[2]);
    Y[2] = ToSingle((double(F[0]) * Y[0] + double(F[1]) * Y[1]) / NonZero(F[2]));
}

// Surcharge pressure at the top of the soil: q on the sloping surface,
// turned onto the inclined face.
double SurchargePressure(const Geometry& g, double K) {
    return g.q * K * g.cosTheta / FaceCosine(g.beta - g.theta);
}

// Static pressures: surcharge at the top, moist soil down to the water
// table, submerged soil below it.
void CalcPressureDistribution(const Geometry& g, double K, std::array<float, 4>& P, std::array<float, 3>& F,
                              std::array<float, 3>& Y) {
    P[0] = ToSingle(SurchargePressure(g, K));
    P[1] = ToSingle(P[0] + K * g.hw * g.gamma);
    P[2] = ToSingle(P[1] + K * (g.gammaS - g.gammaW) * (g.h - g.hw));
    P[3] = 0;
    FillForces(g, P[0], P[1], P, F, Y);
}

// Active seismic pressures: the static ones of coefficient K plus the
// increment of KE - K, which falls linearly from the top to nothing at the
// bottom (an inverted triangle over the whole depth, of the moist unit
// weight above the water table and the saturated one below it, as in the
// wall analysis). Its resultant, added to the static one, is then the
// seismic thrust of KE.
void CalcSeismicPressureDistribution(const Geometry& g, double K, double KE, std::array<float, 4>& P,
                                     std::array<float, 3>& F, std::array<float, 3>& Y) {
    const double dK = KE - K;
    const double below = g.h - g.hw;
    const double top = SurchargePressure(g, K);
    P[0] = ToSingle(top + dK * g.h * g.gamma);
    P[3] = ToSingle(top + dK * below * g.gamma + g.hw * K * g.gamma);
    P[1] = ToSingle(top + dK * below * g.gammaS + g.hw * K * g.gamma);
    P[2] = ToSingle(P[1] - dK * below * g.gammaS + (g.gammaS - g.gammaW) * below * K);
    FillForces(g, P[0], P[3], P, F, Y);
}

// Passive seismic pressures: the acceleration lowers the passive resistance
// (KPE < KP), and an inverted triangle of KPE - KP would pull on the wall
// near the top, which cohesionless soil cannot. The static distribution
// scaled by KPE / KP carries the same total without tension.
void CalcScaledPressureDistribution(const std::array<float, 4>& staticP, const std::array<float, 3>& staticF,
                                    const std::array<float, 3>& staticY, double ratio, std::array<float, 4>& P,
                                    std::array<float, 3>& F, std::array<float, 3>& Y) {
    for (int i = 0; i < 3; ++i) P[i] = ToSingle(staticP[i] * ratio);
    P[3] = P[1];  // no step at the water table: both sides read the same
    for (int i = 0; i < 3; ++i) F[i] = ToSingle(staticF[i] * ratio);
    Y = staticY;
}

const char* const CaseNames[PressureCaseCount] = {"active (normal condition)", "active (seismic condition)",
                                                  "passive (normal condition)", "passive (seismic condition)",
                                                  "at rest"};

// Runs the computation of one case: false when it has no result. A seismic
// case refused because the acceleration is beyond what the soil's friction
// can hold is noted in `accelerationTooLarge`, so that the user is told why.
template <typename Step>
bool Defined(Step&& step, bool* accelerationTooLarge = nullptr) {
    try {
        step();
        return true;
    } catch (const RuntimeError& e) {
        if (accelerationTooLarge && IsSeismicAccelerationTooLarge(e)) *accelerationTooLarge = true;
        return false;
    }
}

}  // namespace

float& InputValue(SoilPressureInputs& in, int index) {
    float* const values[CalculatorInputCount] = {
        &in.WetDensity,        &in.SaturatedDensity, &in.WaterDensity,      &in.FrictionAngle,
        &in.Cohesion,          &in.SoilSlope,        &in.WallFrictionAngle, &in.WallInclination,
        &in.SoilDepth,         &in.WaterTableDepth,  &in.SurchargeLoad,     &in.SeismicCoefficient};
    return *values[CheckedIndex(index, 0, CalculatorInputCount - 1)];
}

float InputValue(const SoilPressureInputs& inputs, int index) {
    return InputValue(const_cast<SoilPressureInputs&>(inputs), index);
}

SoilPressureInputs InputsFromWallModel(const Model& m) {
    SoilPressureInputs in;
    in.WetDensity = m.BackfillUnitWeight;
    in.SaturatedDensity = m.BackfillSaturatedDensity;
    in.WaterDensity = m.WaterUnitWeight;
    in.FrictionAngle = m.BackfillFrictionAngle;
    in.Cohesion = m.BackfillCohesion;
    in.SoilSlope = BackfillSlopeAngle(m.BackfillSlopeRatio);
    in.WallFrictionAngle = m.ConcreteToEarthFrictionAngle;
    // a back face of no height has no inclination of its own; atan2 keeps
    // that case finite instead of dividing by zero
    in.WallInclination = ToSingle(Degrees(std::atan2(double(m.StemBackBatter), double(m.BackStemHeight))));
    in.SoilDepth = m.BackStemHeight;
    in.WaterTableDepth = m.BackWaterDepth;
    in.SurchargeLoad = m.BackfillSurcharge;
    in.SeismicCoefficient = m.AppliedSeismicCoefficient;
    return in;
}

bool KeepWaterTableInSoil(SoilPressureInputs& inputs) {
    if (inputs.WaterTableDepth <= inputs.SoilDepth) return false;
    inputs.WaterTableDepth = inputs.SoilDepth;
    return true;
}

std::string InputText(float value, int index, int unitSystem) {
    switch (CheckedIndex(index, 0, CalculatorInputCount - 1)) {
        case WetDensityInput: case SaturatedDensityInput: case WaterDensityInput:
            return FormatQuantity(value, Quantity::UnitWeight, unitSystem);
        case CohesionInput: return FormatQuantity(value, Quantity::Stress, unitSystem);
        case SoilDepthInput: case WaterTableDepthInput: return FormatQuantity(value, Quantity::Length, unitSystem);
        case SurchargeLoadInput: return FormatQuantity(value, Quantity::Pressure, unitSystem);
        // a fraction of g in any unit system: a third decimal where it has one (0.125)
        case SeismicCoefficientInput: return Format(value, "#0.#0#");
        default: return Format(value, "#0.#0");  // angles
    }
}

std::optional<AcceptedInput> AcceptInputText(const std::string& text, int index, int unitSystem) {
    if (!IsNumeric(text)) return std::nullopt;
    const double typed = Val(text);
    // a number beyond the float range would be stored as infinity
    if (!(typed >= 0 && typed <= std::numeric_limits<float>::max())) return std::nullopt;
    AcceptedInput accepted;
    accepted.Value = ToSingle(typed);
    accepted.Text = InputText(accepted.Value, index, unitSystem);
    return accepted;
}

void CalcSoilPressures(const SoilPressureInputs& in, SoilPressureResults& r) {
    r = SoilPressureResults{};
    const double phi = Radians(in.FrictionAngle);
    double beta = Radians(in.SoilSlope);
    float betaDegrees = in.SoilSlope;

    // ground steeper than the friction angle cannot stand: the run takes the
    // steepest slope that can, and says so each time
    if (beta > phi) {
        MsgBox("The soil slope is steeper than the internal friction angle. Soil slope adjusted", vbExclamation,
               ProductName);
        beta = phi;
        betaDegrees = in.FrictionAngle;
    }

    Geometry g{};
    g.gamma = in.WetDensity;
    g.gammaS = in.SaturatedDensity;
    g.gammaW = in.WaterDensity;
    g.h = in.SoilDepth;
    g.hw = in.WaterTableDepth;
    g.q = in.SurchargeLoad;
    g.theta = Radians(in.WallInclination);
    g.beta = beta;
    const float theta = in.WallInclination, delta = in.WallFrictionAngle, kh = in.SeismicCoefficient;
    const bool faceDefined = Defined([&] { g.cosTheta = FaceCosine(g.theta); });

    auto& defined = r.CaseDefined;
    defined[ActiveNormalCase] = faceDefined && Defined([&] {
        r.CoefficientKa = ToSingle(CoulombActiveCoefficient(in.FrictionAngle, theta, betaDegrees, delta));
        CalcPressureDistribution(g, r.CoefficientKa, r.ActivePressures, r.ActiveForces, r.ActiveDepths);
    });
    defined[PassiveNormalCase] = faceDefined && Defined([&] {
        r.CoefficientKp = ToSingle(CoulombPassiveCoefficient(in.FrictionAngle, theta, betaDegrees, delta));
        CalcPressureDistribution(g, r.CoefficientKp, r.PassivePressures, r.PassiveForces, r.PassiveDepths);
    });
    // at rest on sloping ground: (1 - sin phi)(1 + sin beta)
    defined[AtRestCase] = faceDefined && Defined([&] {
        r.CoefficientK0 = ToSingle((1 - std::sin(phi)) * (1 + std::sin(beta)));
        CalcPressureDistribution(g, r.CoefficientK0, r.AtRestPressures, r.AtRestForces, r.AtRestDepths);
    });
    // the seismic increments are measured from the static coefficients, so
    // a case without its static coefficient has no seismic one either
    std::array<bool, PressureCaseCount> accelerationTooLarge{};
    defined[ActiveSeismicCase] = defined[ActiveNormalCase] && Defined([&] {
        r.CoefficientKae = ToSingle(MononobeOkabeCoefficient(in.FrictionAngle, theta, betaDegrees, delta, kh));
        CalcSeismicPressureDistribution(g, r.CoefficientKa, r.CoefficientKae, r.ActiveSeismicPressures,
                                        r.ActiveSeismicForces, r.ActiveSeismicDepths);
    }, &accelerationTooLarge[ActiveSeismicCase]);
    defined[PassiveSeismicCase] = defined[PassiveNormalCase] && Defined([&] {
        r.CoefficientKpe =
            ToSingle(MononobeOkabePassiveCoefficient(in.FrictionAngle, theta, betaDegrees, delta, kh));
        CalcScaledPressureDistribution(r.PassivePressures, r.PassiveForces, r.PassiveDepths,
                                       CheckedDivide(r.CoefficientKpe, r.CoefficientKp), r.PassiveSeismicPressures,
                                       r.PassiveSeismicForces, r.PassiveSeismicDepths);
    }, &accelerationTooLarge[PassiveSeismicCase]);

    // water below the water table, hydrostatic on the inclined face
    r.WaterDefined = faceDefined && Defined([&] {
        const double below = g.h - g.hw;
        r.WaterPressure = ToSingle(below * g.gammaW);
        r.WaterForce = ToSingle(below * r.WaterPressure / 2 / g.cosTheta);
        r.WaterForceDepth = ToSingle(2 * below / 3 + g.hw);
    });

    // a case left without a result keeps nothing of its partial run
    const auto clear = [](float& K, std::array<float, 4>& P, std::array<float, 3>& F, std::array<float, 3>& Y) {
        K = 0;
        P.fill(0);
        F.fill(0);
        Y.fill(0);
    };
    if (!defined[ActiveNormalCase]) clear(r.CoefficientKa, r.ActivePressures, r.ActiveForces, r.ActiveDepths);
    if (!defined[ActiveSeismicCase])
        clear(r.CoefficientKae, r.ActiveSeismicPressures, r.ActiveSeismicForces, r.ActiveSeismicDepths);
    if (!defined[PassiveNormalCase]) clear(r.CoefficientKp, r.PassivePressures, r.PassiveForces, r.PassiveDepths);
    if (!defined[PassiveSeismicCase])
        clear(r.CoefficientKpe, r.PassiveSeismicPressures, r.PassiveSeismicForces, r.PassiveSeismicDepths);
    if (!defined[AtRestCase]) clear(r.CoefficientK0, r.AtRestPressures, r.AtRestForces, r.AtRestDepths);
    if (!r.WaterDefined) r.WaterPressure = r.WaterForce = r.WaterForceDepth = 0;

    // one message: the cases without a result, and why where it is known
    std::string missing;
    bool tooLarge = false;
    for (int c = 0; c < PressureCaseCount; ++c) {
        tooLarge |= accelerationTooLarge[c];
        if (!defined[c] && !accelerationTooLarge[c]) missing += (missing.empty() ? "" : ", ") + std::string(CaseNames[c]);
    }
    if (!r.WaterDefined) missing += (missing.empty() ? "" : ", ") + std::string("water");
    std::string message;
    if (!missing.empty()) message = "These inputs give no soil pressure for: " + missing + ". Its values are shown as --.";
    if (tooLarge) message += (message.empty() ? "" : " ") + std::string(SeismicAccelerationTooLarge);
    if (!message.empty()) MsgBox(message, vbExclamation, ProductName);
}

std::array<std::string, 10> ResultColumnTexts(const SoilPressureResults& r, int column, int unitSystem) {
    struct Column {
        float K;
        const std::array<float, 4>& P;
        const std::array<float, 3>& F;
        const std::array<float, 3>& Y;
        bool seismic;
    };
    const Column columns[PressureCaseCount] = {
        {r.CoefficientKa, r.ActivePressures, r.ActiveForces, r.ActiveDepths, false},
        {r.CoefficientKae, r.ActiveSeismicPressures, r.ActiveSeismicForces, r.ActiveSeismicDepths, true},
        {r.CoefficientKp, r.PassivePressures, r.PassiveForces, r.PassiveDepths, false},
        {r.CoefficientKpe, r.PassiveSeismicPressures, r.PassiveSeismicForces, r.PassiveSeismicDepths, true},
        {r.CoefficientK0, r.AtRestPressures, r.AtRestForces, r.AtRestDepths, false},
    };
    std::array<std::string, 10> texts;
    const long c = CheckedIndex(column, 0, PressureCaseCount - 1);
    if (!r.CaseDefined[c]) {
        texts.fill("--");
        return texts;
    }
    const Column& col = columns[c];
    const auto p = [unitSystem](float v) { return FormatQuantity(v, Quantity::Pressure, unitSystem); };
    const auto f = [unitSystem](float v) { return FormatQuantity(v, Quantity::ForcePerLength, unitSystem); };
    const auto y = [unitSystem](float v) { return FormatQuantity(v, Quantity::Length, unitSystem); };
    texts[0] = Format(col.K, "#0.##0");
    texts[1] = p(col.P[0]);
    texts[2] = col.seismic ? p(col.P[3]) + "/" + p(col.P[1]) : p(col.P[1]);
    texts[3] = p(col.P[2]);
    texts[4] = f(col.F[0]);
    texts[5] = y(col.Y[0]);
    texts[6] = f(col.F[1]);
    texts[7] = y(col.Y[1]);
    texts[8] = f(col.F[2]);
    texts[9] = y(col.Y[2]);
    return texts;
}

std::array<std::string, 4> SingleResultTexts(const SoilPressureInputs& in, const SoilPressureResults& r,
                                             int unitSystem) {
    // the direction of the thrust from the horizontal, as entered
    const float inclination = in.WallFrictionAngle + in.WallInclination;
    std::array<std::string, 4> texts;
    texts[0] = std::isfinite(inclination) ? Format(inclination, "#0.#0") : "--";
    if (r.WaterDefined) {
        texts[1] = FormatQuantity(r.WaterPressure, Quantity::Pressure, unitSystem);
        texts[2] = FormatQuantity(r.WaterForce, Quantity::ForcePerLength, unitSystem);
        texts[3] = FormatQuantity(r.WaterForceDepth, Quantity::Length, unitSystem);
    } else {
        texts[1] = texts[2] = texts[3] = "--";
    }
    return texts;
}

CalculatorUnitLabels CalculatorUnits(const Model& m) {
    const int u = UnitSystemIndex(m);
    const std::string& unitWeight = m.UnitWeightUnitLabels[u];
    const std::string& angle = m.AngleUnitLabels[u];
    const std::string& length = m.LengthUnitLabels[u];
    const std::string& pressure = m.PressureUnitLabels[u];
    const std::string force = m.ForceUnitLabels[u] + "/" + length;
    CalculatorUnitLabels labels;
    labels.Inputs = {unitWeight, unitWeight, unitWeight, angle, m.StressUnitLabels[u], angle,
                     angle,      angle,      length,     length, pressure,             ""};
    labels.ResultRows = {"", pressure, pressure, pressure, force, length, force, length, force, length};
    labels.SingleResults = {angle, pressure, force, length};
    return labels;
}

}  // namespace brindlemar

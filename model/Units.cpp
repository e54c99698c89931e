#include "model/Units.h"

#include <array>
#include <cmath>
#include <limits>
#include <memory>

#include "model/Outline.h"
#include "runtime/RuntimeError.h"

namespace brindlemar {

void FillUnitLabels(Model& m) {
    // Windows-1252: \xB2 and \xB3 are the superscripts 2 and 3, \xB0 the degree sign
    m.ForceUnitLabels = {"T", "kN", "Kip", ""};
    m.UnitWeightUnitLabels = {"T/m\xB3", "kN/m\xB3", "Kip/ft\xB3", ""};
    m.LengthUnitLabels = {"m", "m", "ft", ""};
    m.SectionUnitLabels = {"cm", "mm", "in", ""};
    m.BarUnitLabels = {"mm", "mm", "in", ""};
    m.StressUnitLabels = {"kg/cm\xB2", "MPa", "psi", ""};
    m.PressureUnitLabels = {"T/m\xB2", "kPa", "Kip/ft\xB2", ""};
    m.VolumeUnitLabels = {"m\xB3", "m\xB3", "ft\xB3", ""};
    m.ModulusUnitLabels = {"E+5 kg/cm\xB2", "E+5 MPa", "E+5 psi", ""};
    m.AngleUnitLabels = {"\xB0", "\xB0", "\xB0", ""};
}

const std::string& UnitLabel(const Model& m, const UnitLabelTable& labels) {
    const int u = m.CurrentUnitSystem;
    if (u < 0 || u >= static_cast<int>(labels.size())) return labels[0];
    return labels[static_cast<size_t>(u)];
}

std::string ForcePerLengthLabel(const Model& m) {
    return UnitLabel(m, m.ForceUnitLabels) + "/" + UnitLabel(m, m.LengthUnitLabels);
}

std::string MomentPerLengthLabel(const Model& m) {
    const std::string& length = UnitLabel(m, m.LengthUnitLabels);
    return UnitLabel(m, m.ForceUnitLabels) + length + "/" + length;
}

int UnitSystemIndex(int unitSystem) { return static_cast<int>(CheckedIndex(unitSystem, Metric, British)); }

double StressToPressureFactor(int unitSystem) {
    // kg/cm² to T/m², MPa to kPa, and psi to Kip/ft² (144 in² to the ft², 1000 lb to the kip)
    static constexpr std::array<double, 3> factors{10.0, 1000.0, InchesPerFoot * InchesPerFoot / 1000.0};
    return factors[static_cast<std::size_t>(UnitSystemIndex(unitSystem))];
}

double StressToPsiFactor(int unitSystem, double g) {
    switch (UnitSystemIndex(unitSystem)) {
        case Metric: return CentimetresPerInch * CentimetresPerInch / TonnesPerKip;
        case SI: return CheckedDivide(MillimetresPerInch * MillimetresPerInch, TonnesPerKip * g);
        default: return 1.0;
    }
}

namespace {

// What one unit of each kind in the old system is worth in the new one.
struct ConversionFactors {
    double Length = 1, Bar = 1, Section = 1, Force = 1, Pressure = 1, Stress = 1;
};

// A gravity acceleration of 0 is refused here, before any value has changed.
ConversionFactors FactorsFor(int from, int to, double g) {
    const double perG = CheckedDivide(1, g);
    const double ft2 = MetresPerFoot * MetresPerFoot;
    ConversionFactors f;
    if (from == Metric && to == SI) {
        f = {1, 1, 10, g, g, g / 100};
    } else if (from == Metric && to == British) {
        f = {1 / MetresPerFoot, 1 / MillimetresPerInch, 1 / CentimetresPerInch, 1 / TonnesPerKip,
             ft2 / TonnesPerKip, CentimetresPerInch * CentimetresPerInch / TonnesPerKip};
    } else if (from == SI && to == Metric) {
        f = {1, 1, 0.1, perG, perG, 100 * perG};
    } else if (from == SI && to == British) {
        f = {1 / MetresPerFoot, 1 / MillimetresPerInch, 1 / MillimetresPerInch,
             perG / TonnesPerKip, ft2 / TonnesPerKip * perG,
             MillimetresPerInch * MillimetresPerInch / TonnesPerKip * perG};
    } else if (from == British && to == Metric) {
        f = {MetresPerFoot, MillimetresPerInch, CentimetresPerInch, TonnesPerKip,
             TonnesPerKip / ft2, TonnesPerKip / (CentimetresPerInch * CentimetresPerInch)};
    } else if (from == British && to == SI) {
        f = {MetresPerFoot, MillimetresPerInch, MillimetresPerInch, g * TonnesPerKip,
             g * TonnesPerKip / ft2, g * TonnesPerKip / (MillimetresPerInch * MillimetresPerInch)};
    }
    return f;
}

// `value` as `converted` stores it. A value that is not 0 stays so, however
// small: a weight the dialogs took as greater than 0 must not become one they
// refuse.
float Stored(float value, double converted) {
    const float stored = ToSingle(converted);
    return stored == 0 && value != 0 ? std::copysign(std::numeric_limits<float>::denorm_min(), value) : stored;
}

void Scale(float& value, double factor) { value = Stored(value, value * factor); }

// Unit weights and forces per length: the force factor first, then the length.
void ScaleUnitWeight(float& value, const ConversionFactors& f) {
    value = Stored(value, value * f.Force / (f.Length * f.Length * f.Length));
}
void ScaleForcePerLength(float& value, const ConversionFactors& f) {
    value = Stored(value, value * f.Force / f.Length);
}

void ConvertEveryValue(Model& m) {
    const ConversionFactors f =
        FactorsFor(m.PreviousUnitSystem, m.CurrentUnitSystem, m.GravityAcceleration);

    for (float* length : {&m.ToeLength, &m.StemFrontBatter, &m.StemTopThickness, &m.StemBackBatter,
                          &m.HeelLength, &m.BaseWidth, &m.FrontStemHeight, &m.ToeTopDrop,
                          &m.ToeTipThickness, &m.BackStemHeight, &m.HeelTopDrop,
                          &m.HeelEndThickness, &m.WallHeight, &m.FrontWaterDepth,
                          &m.BackWaterDepth})
        Scale(*length, f.Length);

    // materials; moduli are entered in units of 100000 x stress
    ScaleUnitWeight(m.ConcreteUnitWeight, f);
    Scale(m.ConcreteCompressiveStress, f.Stress);
    Scale(m.ConcreteElasticityModulus, f.Stress);
    Scale(m.RebarYieldStress, f.Stress);
    Scale(m.RebarElasticityModulus, f.Stress);
    Scale(m.ConcreteCover, f.Section);
    for (float* unitWeight : {&m.WaterUnitWeight, &m.BackfillUnitWeight, &m.BackfillDryDensity,
                              &m.BackfillSaturatedDensity})
        ScaleUnitWeight(*unitWeight, f);
    for (float* stress : {&m.BackfillCohesion, &m.BaseCohesion, &m.NominalBearingResistance,
                          &m.BaseElasticityModulus})
        Scale(*stress, f.Stress);
    for (float* unitWeight :
         {&m.ToeEarthUnitWeight, &m.ToeEarthDryDensity, &m.ToeEarthSaturatedDensity})
        ScaleUnitWeight(*unitWeight, f);
    Scale(m.ToeEarthCohesion, f.Stress);
    ScaleUnitWeight(m.BaseUnitWeight, f);
    Scale(m.BaseCptTipResistance, f.Stress);
    ScaleUnitWeight(m.MinimumFluidDensity, f);

    // restraints, shear key, entered water depths and the design's upper stem
    ScaleForcePerLength(m.AdjacentStructureCapacity, f);
    for (float* length : {&m.AdjacentStructurePosition, &m.ShearKeyDepth, &m.ShearKeyToeDistance,
                          &m.ShearKeyWidth, &m.ShearKeyHeelDistance, &m.EnteredFrontWaterDepth,
                          &m.EnteredBackWaterDepth, &m.UpperStemLength})
        Scale(*length, f.Length);
    Scale(m.BackfillSurcharge, f.Pressure);

    // the user's bars of the eight design positions
    for (int position = 1; position <= 8; ++position) Scale(m.UserBarDiameters[position], f.Bar);
    for (int position = 1; position <= 8; ++position) Scale(m.UserBarSpacings[position], f.Section);

    // line loads: value, then position; direction and load type keep their numbers
    for (int i = 1; i <= m.LineLoadCount; ++i) {
        LineLoad& load = At(m.LineLoads, i);
        ScaleForcePerLength(load.Value, f);
        Scale(load.X, f.Length);
        Scale(load.Y, f.Length);
    }
}

}  // namespace

void ConvertUnits(Model& m) {
    // every value or none: a value beyond the range of the new units would
    // otherwise leave the wall part converted, its dimensions no longer
    // adding up and its numbers in two systems
    auto converted = std::make_unique<Model>(m);
    try {
        ConvertEveryValue(*converted);
    } catch (const RuntimeError&) {
        m.CurrentUnitSystem = m.PreviousUnitSystem;
        throw;
    }
    m = std::move(*converted);
    ComputeWallOutline(m);
}

}  // namespace brindlemar

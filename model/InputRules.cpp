#include "model/InputRules.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "model/Outline.h"
#include "model/Units.h"
#include "runtime/Format.h"
#include "runtime/RuntimeError.h"

namespace brindlemar {

namespace {

using M = ModelInputs;
constexpr EntryRule Pos = EntryRule::Positive;
constexpr EntryRule Non = EntryRule::NotNegative;
constexpr EntryRule Any = EntryRule::AnyNumber;
constexpr EntryRule Phi = EntryRule::FrictionAngle;

}  // namespace

constexpr std::array<RuledValue, 20> DimensionValues{{
    {&M::ToeLength, Non, "Toe length"},
    {&M::StemFrontBatter, Non, "Stem front batter"},
    {&M::StemTopThickness, Non, "Stem top thickness"},
    {&M::StemBackBatter, Non, "Stem back batter"},
    {&M::HeelLength, Non, "Heel length"},
    {&M::BaseWidth, Non, "Base width"},
    {&M::FrontStemHeight, Non, "Front stem height"},
    {&M::ToeTopDrop, Non, "Toe top drop"},
    {&M::ToeTipThickness, Non, "Toe tip thickness"},
    {&M::BackStemHeight, Non, "Back stem height"},
    {&M::HeelTopDrop, Non, "Heel top drop"},
    {&M::HeelEndThickness, Non, "Heel end thickness"},
    {&M::FrontWaterDepth, Non, "Front water depth"},
    {&M::BackWaterDepth, Non, "Back water depth"},
    {&M::BackfillSlopeRatio, Non, "Backfill slope"},
    {&M::ShearKeyDepth, Non, "Shear key depth"},
    {&M::ShearKeyToeDistance, Non, "Shear key distance from the toe"},
    {&M::ShearKeyWidth, Non, "Shear key width"},
    {&M::ShearKeyHeelDistance, Non, "Shear key distance from the heel"},
    {&M::WallHeight, Non, "Wall height"},
}};

constexpr std::array<RuledValue, 27> PropertyValues{{
    {&M::ConcreteUnitWeight, Pos, "Concrete unit weight"},
    {&M::ConcreteCompressiveStress, Pos, "Concrete compressive stress"},
    {&M::ConcreteElasticityModulus, Pos, "Concrete elasticity modulus"},
    {&M::ConcretePoissonRatio, Pos, "Poisson's ratio"},
    {&M::RebarYieldStress, Pos, "Reinforcement yield stress"},
    {&M::RebarElasticityModulus, Pos, "Reinforcement elasticity modulus"},
    {&M::ConcreteCover, Pos, "Concrete cover"},
    {&M::WaterUnitWeight, Pos, "Water unit weight"},
    {&M::BackfillUnitWeight, Pos, "Backfill unit weight"},
    {&M::BackfillDryDensity, Pos, "Backfill dry density"},
    {&M::BackfillSaturatedDensity, Pos, "Backfill saturated density"},
    {&M::BackfillFrictionAngle, Phi, "Backfill friction angle"},
    {&M::BackfillCohesion, Non, "Backfill cohesion"},
    {&M::BaseFrictionAngle, Phi, "Base friction angle"},
    {&M::BaseCohesion, Non, "Base cohesion"},
    {&M::NominalBearingResistance, Pos, "Nominal bearing resistance"},
    {&M::BaseElasticityModulus, Pos, "Base elasticity modulus"},
    {&M::EarthToEarthFrictionAngle, Phi, "Earth to earth friction angle"},
    {&M::ConcreteToEarthFrictionAngle, Phi, "Earth to wall friction angle"},
    {&M::ToeEarthUnitWeight, Pos, "Toe earth unit weight"},
    {&M::ToeEarthDryDensity, Pos, "Toe earth dry density"},
    {&M::ToeEarthSaturatedDensity, Pos, "Toe earth saturated density"},
    {&M::ToeEarthFrictionAngle, Phi, "Toe earth friction angle"},
    {&M::ToeEarthCohesion, Non, "Toe earth cohesion"},
    {&M::BaseSptBlowCount, Any, "SPT blow count"},
    {&M::BaseCptTipResistance, Any, "CPT tip resistance"},
    {&M::BaseUnitWeight, Any, "Base unit weight"},
}};

constexpr std::array<RuledValue, 3> RestraintValues{{
    {&M::AdjacentStructureCapacity, Non, "Ultimate horizontal load"},
    {&M::ShearKeyDepth, Non, "Shear key depth"},
    {&M::AdjacentStructurePosition, Non, "Position from toe end"},
}};

// The loads dialog keeps the rules of the properties and restraints dialogs
// where it edits the same quantity; its other numbers are magnitudes.
constexpr std::array<RuledValue, 15> LoadOptionValues{{
    {&M::BackfillSurcharge, Non, "Surcharge on upper ground"},
    {&M::EnteredSeismicCoefficient, Non, "Horizontal acceleration"},
    {&M::EnteredKa, Non, "Normal earth pressure coefficient"},
    {&M::EnteredKae, Non, "Seismic earth pressure coefficient"},
    {&M::EnteredKp, Non, "Passive earth pressure coefficient"},
    {&M::MinimumFluidDensity, Non, "Minimum equivalent-fluid density"},
    {&M::NominalBearingResistance, PropertyValues[15].Rule, "Nominal bearing resistance"},
    {&M::BaseFrictionAngle, PropertyValues[13].Rule, "Base friction angle"},
    {&M::BaseCohesion, PropertyValues[14].Rule, "Base cohesion"},
    {&M::BaseSptBlowCount, PropertyValues[24].Rule, "SPT blow count"},
    {&M::BaseCptTipResistance, PropertyValues[25].Rule, "CPT tip resistance"},
    {&M::BaseUnitWeight, PropertyValues[26].Rule, "Base unit weight"},
    {&M::AdjacentStructureCapacity, RestraintValues[0].Rule, "Horizontal capacity"},
    {&M::ShearKeyDepth, RestraintValues[1].Rule, "Shear key depth"},
    {&M::AdjacentStructurePosition, RestraintValues[2].Rule, "Position from toe end"},
}};

// The reinforcement dialog stores the size of whatever number its material
// boxes hold, 0 among them.
constexpr std::array<RuledValue, 7> ReinforcementValues{{
    {&M::ConcreteUnitWeight, Non, "Concrete unit weight"},
    {&M::ConcreteCompressiveStress, Non, "Concrete compressive stress"},
    {&M::ConcreteElasticityModulus, Non, "Concrete elasticity modulus"},
    {&M::RebarYieldStress, Non, "Reinforcement yield stress"},
    {&M::RebarElasticityModulus, Non, "Reinforcement elasticity modulus"},
    {&M::ConcreteCover, Non, "Concrete cover"},
    {&Model::UpperStemLength, Non, "Upper stem length"},
}};

std::string RuleDemand(EntryRule rule) {
    switch (rule) {
    case EntryRule::Positive: return "a number greater than 0";
    case EntryRule::NotNegative: return "a number of 0 or more";
    case EntryRule::FrictionAngle: return "an angle of 0 or more and less than 90";
    case EntryRule::AnyNumber: break;
    }
    return "";
}

bool KeepsRule(EntryRule rule, float value) {
    switch (rule) {
    case EntryRule::Positive: return value > 0;
    case EntryRule::NotNegative: return value >= 0;
    case EntryRule::FrictionAngle: return value >= 0 && value < 90;
    case EntryRule::AnyNumber: break;
    }
    return true;
}

std::string BearingWeightRefusal(int bearingMethod, float baseUnitWeight) {
    if (bearingMethod != TheoreticalBearing || baseUnitWeight > 0) return "";
    return "The theoretical bearing capacity needs the base's unit weight: type a number greater than 0";
}

std::vector<RuledValue> EveryRuledValue() {
    std::vector<RuledValue> all(DimensionValues.begin(), DimensionValues.end());
    const auto add = [&all](const auto& table) { all.insert(all.end(), table.begin(), table.end()); };
    add(PropertyValues);
    add(RestraintValues);
    add(LoadOptionValues);
    add(ReinforcementValues);
    // the labels of the water depths store the entered depths too
    all.push_back({&M::EnteredFrontWaterDepth, DimensionValues[12].Rule, DimensionValues[12].Name});
    all.push_back({&M::EnteredBackWaterDepth, DimensionValues[13].Rule, DimensionValues[13].Name});
    return all;
}

namespace {

// What a file may hold of a value beyond what the windows now take for a new
// entry. Earlier versions rounded every value with a unit to a few decimals
// whenever the unit system changed, so that any of them greater than 0 may be
// 0 in their files (Poisson's ratio alone has no unit); and their loads dialog
// took the minimum equivalent-fluid density as typed, any number.
EntryRule RuleAtOpen(const RuledValue& v) {
    if (v.Variable == &M::MinimumFluidDensity) return Any;
    return v.Rule == Pos && v.Variable != &M::ConcretePoissonRatio ? Non : v.Rule;
}

// How far the sums the labels keep may be off in a file. Earlier versions
// rounded each length to hundredths on its own at every change of units; six
// lengths make either sum (five parts and the base width, three on each
// face), so one change leaves it off by six half hundredths, 0.03. Rounding
// to hundredths of a foot moves a length by 0.0015 m at most, less than half
// a hundredth of a metre, so metres turned into feet and back come back as
// they were: in metres a sum stays within 0.03 however often the wall was
// switched, in feet within those 0.03 m in feet and its own 0.03.
double RoundingOfSums(const Model& m) {
    constexpr double halfHundredths = 6 * 0.005;
    return m.CurrentUnitSystem == British ? halfHundredths / MetresPerFoot + halfHundredths : halfHundredths;
}

// The lowest stem the labels make, 0.5, as earlier versions' change of units
// rounded it: 0.5 ft became 0.15 m, and 0.15 m then 0.49 ft.
double SmallestStemHeight(const Model& m) {
    const double metres = RoundToDecimals(MinimumStemHeight * MetresPerFoot, 2);
    return m.CurrentUnitSystem == British ? RoundToDecimals(metres / MetresPerFoot, 2) : metres;
}

}  // namespace

std::string WallInputRefusal(const Model& m) {
    // a value opens when any editor that takes it, or the rounding of earlier
    // versions, could have left it; the last to take it, the most lenient,
    // says what it asks
    const std::vector<RuledValue> all = EveryRuledValue();
    for (const RuledValue& v : all) {
        const float value = m.*v.Variable;
        EntryRule lenient = v.Rule;
        bool taken = false;
        for (const RuledValue& r : all) {
            if (r.Variable != v.Variable) continue;
            lenient = RuleAtOpen(r);
            taken = taken || KeepsRule(lenient, value);
        }
        if (!taken) return std::string(v.Name) + " " + GeneralNumber(value) + " is not " + RuleDemand(lenient);
    }

    // the sums the dimension labels keep, within the rounding of their parts
    // and of stored Singles
    const double H = FrontWallHeight(m);
    const double back = double(m.HeelTopDrop) + m.BackStemHeight + m.HeelEndThickness;
    const double parts = double(m.ToeLength) + m.StemFrontBatter + m.StemTopThickness + m.StemBackBatter + m.HeelLength;
    const double singles = 2e-5 * std::max(1.0, H + m.BaseWidth);
    const double tolerance = RoundingOfSums(m) + singles;
    if (std::fabs(parts - m.BaseWidth) > tolerance)
        return "Base width " + GeneralNumber(m.BaseWidth) + " is not the sum of toe, stem and heel, " +
               GeneralNumber(ToSingle(parts));
    if (std::fabs(back - H) > tolerance)
        return "The back face is " + GeneralNumber(ToSingle(back)) + " high and the front face " +
               GeneralNumber(ToSingle(H)) + ": both are the height of the wall";
    const double smallest = SmallestStemHeight(m);
    for (const RuledValue* stem : {&DimensionValues[6], &DimensionValues[9]})
        if (m.*stem->Variable < smallest - singles)
            return std::string(stem->Name) + " " + GeneralNumber(m.*stem->Variable) + " is less than " +
                   GeneralNumber(ToSingle(smallest)) + ", the lowest stem the dimensions take";
    return "";
}

}  // namespace brindlemar

#pragma once
// Runs of fields that the project and defaults files share, each written and
// read in one place so the two layouts cannot drift apart.

#include <array>

#include "files/Encoding.h"
#include "model/Model.h"

namespace brindlemar {

using SingleField = float ModelInputs::*;

// concrete and reinforcement, before the cover
inline constexpr std::array<SingleField, 6> ConcreteFields{
    &ModelInputs::ConcreteUnitWeight,   &ModelInputs::ConcreteCompressiveStress,
    &ModelInputs::ConcreteElasticityModulus, &ModelInputs::ConcretePoissonRatio,
    &ModelInputs::RebarYieldStress,     &ModelInputs::RebarElasticityModulus};

// water, backfill and base, after the cover
inline constexpr std::array<SingleField, 12> SoilFields{
    &ModelInputs::WaterUnitWeight,        &ModelInputs::BackfillUnitWeight,
    &ModelInputs::BackfillDryDensity,     &ModelInputs::BackfillSaturatedDensity,
    &ModelInputs::BackfillFrictionAngle,  &ModelInputs::BackfillCohesion,
    &ModelInputs::BaseFrictionAngle,      &ModelInputs::BaseCohesion,
    &ModelInputs::NominalBearingResistance, &ModelInputs::BaseElasticityModulus,
    &ModelInputs::EarthToEarthFrictionAngle, &ModelInputs::ConcreteToEarthFrictionAngle};

// the earth in front of the toe
inline constexpr std::array<SingleField, 5> ToeEarthFields{
    &ModelInputs::ToeEarthUnitWeight, &ModelInputs::ToeEarthDryDensity, &ModelInputs::ToeEarthSaturatedDensity,
    &ModelInputs::ToeEarthFrictionAngle, &ModelInputs::ToeEarthCohesion};

template <std::size_t N>
void WriteSingles(const Model& m, RecordWriter& w, const std::array<SingleField, N>& fields) {
    for (SingleField f : fields) w.Single(m.*f);
}

template <std::size_t N>
void ReadSingles(Model& m, RecordReader& r, const std::array<SingleField, N>& fields) {
    for (SingleField f : fields) m.*f = r.Single();
}

// The most bytes each group below can take.
inline constexpr std::size_t MaxPageSettingsBytes = 4 + 4 * 2 + 4 * MaxTextBytes + 4;
inline constexpr std::size_t MaxSetsAndCoefficientsBytes =
    MaxLoadCombinationBytes + MaxSetTableBytes + 2 * 2 + 3 * (2 + 4);
inline constexpr std::size_t BearingBytes = 4 + 2 + 3 * 4 + 2;

// lead-in, page margins, footer texts, report font
void WritePageSettings(const Model& m, RecordWriter& w);
void ReadPageSettings(Model& m, RecordReader& r);

// the combination in use, the set table, the selection in it, and the
// sources of the earth-pressure coefficients
void WriteSetsAndCoefficients(const Model& m, RecordWriter& w);
void ReadSetsAndCoefficients(Model& m, RecordReader& r);

// base unit weight, bearing method, SPT and CPT values, minimum fluid density
void WriteBearing(const Model& m, RecordWriter& w);
void ReadBearing(Model& m, RecordReader& r);

}  // namespace brindlemar

#pragma once
// Bending moment, shear and normal force at one cut of the stem, the toe or
// the heel, for the combination analysed last, and the member thickness at a
// cut.
//
// Each routine takes the part of the member beyond the cut as a free body and
// reduces every factored load on it to the centre of the cut section:
// - stem: the part above a horizontal cut at depth pos below the stem top;
//   M clockwise, V horizontal (positive towards the heel), N vertical
//   (positive downwards, compression);
// - toe: the part between the toe tip and a vertical cut pos from the tip;
//   M clockwise, V vertical (positive upwards), N horizontal (positive
//   towards the stem);
// - heel: the part between a vertical cut pos from the heel end and the heel
//   end; M counter-clockwise, V vertical (positive upwards), N horizontal
//   (positive towards the stem).
// So toe and heel moments have the sense of the bending moment of one beam.
// (M, V, N) counts a point force standing exactly at the cut; (M2, V2, N2)
// leaves it out.
//
// An arithmetic failure is shown in a message box; the outputs are then all 0
// and the routine returns false.

#include "model/Model.h"

namespace brindlemar {

// The shape the three routines share, for code that walks any member.
using SectionRoutine = bool (*)(const Model&, float pos, float& M, float& V, float& N, float& M2, float& V2, float& N2);

bool CalcStemSectionForces(const Model& m, float pos, float& M, float& V, float& N, float& M2, float& V2,
                           float& N2);
bool CalcToeSectionForces(const Model& m, float pos, float& M, float& V, float& N, float& M2, float& V2,
                          float& N2);
bool CalcHeelSectionForces(const Model& m, float pos, float& M, float& V, float& N, float& M2, float& V2,
                           float& N2);

// Member thickness at a distance x from the member's free end (stem top, toe
// tip, heel end), the straight-line extension outside the member. A batter,
// drop or length of 0 contributes nothing instead of dividing by zero.
using ThicknessRoutine = float (*)(const Model&, float x);
float StemThicknessAt(const Model& m, float x);
float ToeThicknessAt(const Model& m, float x);
float HeelThicknessAt(const Model& m, float x);

}  // namespace brindlemar

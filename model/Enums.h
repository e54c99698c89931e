#pragma once
// The program's enumerations, numbered as stored in files.

#include <cstdint>

namespace brindlemar {

enum UnitSystem : int16_t { Metric = 0, SI = 1, British = 2 };

// Load factors 1 to 11, resistance factors 12 to 21.
enum FactorCodeIndex : int16_t {
    DL = 1, EV = 2, EH = 3, ES = 4, LL = 5, LD = 6, WA = 7, EQ = 8, IC = 9, S1 = 10, S2 = 11,
    BE = 12, FC = 13, EP = 14, RH = 15, EX = 16, RO = 17, OS = 18, CT = 19, CC = 20, CS = 21,
};
inline constexpr int MaxFactorCount = 21;
inline constexpr int MaxLineLoads = 50;
inline constexpr int MaxCombinationSets = 50;   // slots 0..50
inline constexpr int MaxCombinations = 51;      // combinations 0..50 of a set

enum BaseMaterial : int16_t { Rock = 0, Soil = 1 };
enum EarthPressureState : int16_t { Active = 0, AtRest = 1 };
enum CoefficientSource : int16_t { Computed = 0, UserValue = 1 };
enum BearingMethod : int16_t { NominalBearing = 0, TheoreticalBearing = 1, SptBearing = 2, CptBearing = 3 };
enum LoadOption : int16_t { ASD = 0, LRFD = 1 };

// Boolean switches hold -1 for on; check values hold 1.
inline constexpr int16_t True = -1;
inline constexpr int16_t False = 0;

}  // namespace brindlemar

#pragma once
// Stability of the wall under one load combination and under every
// combination of the active set.

#include <cmath>

#include "model/Model.h"
#include "runtime/RuntimeError.h"

namespace brindlemar {

// Copies combination `combIndex` of set `setIndex` into CurrentLoadCombination
// and the set's factor names and codes into CurrentFactorDefinition. Error 9
// when either index lies outside 0 to 50.
void SelectLoadCombination(Model& m, int setIndex, int combIndex);

// Loads, resultant, base pressure, bearing, sliding and rotation of the
// combination that ActiveCombinationSet and CurrentCombination select, on
// the outline and values in use as the caller left them: a command prepares
// a combination through PrepareCombination, never by this alone. Traps
// its run-time errors: shows the error's text, keeps it in AnalysisFailure
// (empty after an analysis that computed its result), leaves WallStable
// false and returns false.
bool AnalyseCombination(Model& m);

// The results of combination i − 1, just prepared (`analysed` says whether
// its analysis succeeded), into element i of the stability table: its stable
// flag, failure and every value. An analysis that failed has no results: its
// column holds none rather than the partial sums it left behind. Whatever
// prepares a combination of the set stores it here, so the table and the
// design never disagree on a combination. Error 9 outside 1 to 50.
void StoreStabilityResults(Model& m, int i, bool analysed);

// Prepares every combination of the active set as the screen does
// (PrepareCombination) into the stability table and restores
// CurrentCombination. A combination whose analysis fails gets empty
// values, a false stable flag and the reason in CombinationAnalysisFailures;
// an error met by every combination is shown once. Error 9, before anything is analysed, for an
// active set outside 0 to 50 or a set of more than 50 combinations.
void AnalyseAllCombinations(Model& m);

// Factor of `code` in the combination being analysed (error 9 outside 0 to 21).
inline double Factor(const Model& m, int code) { return At(m.CurrentLoadCombination.Factor, code); }

// Whether a combination checks sliding: it counts some resistance against
// it (base friction and cohesion by FC, passive earth by EP, an adjacent
// structure by RH). Wherever sliding is shown, its resistance and ratio are
// shown by this rule.
inline bool SlidingChecked(double FC, double EP, double RH) { return FC > 0 || EP > 0 || RH > 0; }

// The eccentricity from mid-base a combination allows: its EX factor times
// half the base width B.
inline double EccentricityCriterion(double B, double EX) { return B * EX / 2; }

// Whether a resistance/load ratio is shown red: the results tables flag a
// resistance that does not exceed its load, the status line only one that
// falls short of it, so a ratio of exactly 1 is red in the tables alone.
enum class RatioShownIn { Table, StatusLine };
inline bool RatioFails(double ratio, RatioShownIn where) {
    return where == RatioShownIn::Table ? ratio <= 1 : ratio < 1;
}

// A bearing resistance qn (stress unit) capped by the concrete's strength,
// in the pressure unit; never below 0.
double CappedBearingResistance(const Model& m, double qn);

inline double Radians(double degrees) { return degrees * std::atan(1.0) / 45.0; }
inline double Degrees(double radians) { return radians * 45.0 / std::atan(1.0); }

}  // namespace brindlemar

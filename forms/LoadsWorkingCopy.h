#pragma once
// What the loads dialog does without its window: the working copy of the
// combination sets and line loads, the set operations of its factor editor,
// the coefficients it shows, the texts of its grids and the compare-and-store
// of Accept. The dialog reads its controls into LoadOptionControls and hands
// them here.

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "analysis/BackfillPressure.h"
#include "forms/DialogEntries.h"
#include "model/Model.h"

namespace brindlemar {

using LineLoadTable = std::array<LineLoad, 51>;

// ---- texts ----------------------------------------------------------------------

// "DL - Structural dead load": factor k's code, " - " and its long name.
std::string LoadTypeText(const FactorDefinition& factors, int k);

// The load type (1 to 9) whose code begins `text`, else `previous`. An empty
// code names no type: it would match every text.
int16_t LoadTypeOfText(const FactorDefinition& factors, const std::string& text, int16_t previous);

// The load type (1 to 9) a typed text names, 0 when it names none or more
// than one: its code in either case ("ll"), the code followed by more words
// ("LL - Live load", "LL from the crane"), its long name, or the start of
// one code only ("W" for WA).
int16_t TypedLoadType(const FactorDefinition& factors, const std::string& text);
// Why `text` is no load type, in one line; empty when it names one.
std::string LoadTypeRefusal(const FactorDefinition& factors, const std::string& text);

// A factor in the summary: two decimals, a negative one (from a file
// written before factors were checked) with its sign, "--" for zero.
std::string FactorSummaryText(float factor);

// The leading number of a text as a stored Single; nothing when it does not
// fit one.
std::optional<float> SingleOfText(const std::string& text);

// The note beside the line-load grid on the loads that stand in front of the
// toe tip or beyond the heel end: they bear on the ground, yet the analysis
// counts them as loads on the wall. One line for each side, "" for none:
// "Load 3 stands beyond the heel: it is counted as a load on the wall".
std::string LoadsOffTheWallNote(const Model& m, const LineLoadTable& loads, int16_t loadCount);

// ---- earth-pressure coefficients on show ---------------------------------------

// The coefficient texts ("0.#0") an analysis under the acceleration kh
// works with; NoCoefficientText when it has none (an earthquake acceleration
// too large for the friction angle), so that no stale value stands beside
// the inputs that refuse one.
inline constexpr const char* NoCoefficientText = "--";
std::string ActiveCoefficientText(const Model& m, bool atRest, float kh);
std::string SeismicCoefficientText(const Model& m, float kh);
std::string PassiveCoefficientText(const Model& m);

// ---- the working copy of the combination sets ------------------------------------

// Copies slots 0 to CombinationSetCount (the spare slot after the last set
// too), the count, the active set and the current combination.
void CopyCombinationSetsToWorkingCopy(Model& m);

// Appends a new set after the last one: named "New set 1", or the first
// such name no other set has, so that the lists show it apart until it is
// renamed; the factor names and codes in use; one combination with every
// factor 1 except the eccentricity factor 0. False, with nothing changed,
// when 49 sets exist.
bool AddWorkingCombinationSet(Model& m);

// Deletes the set in `slot`; the sets behind it move up, the summary's set
// stays on its set (or takes the one that moved into its place). False when
// it is the only set or `slot` holds none.
bool DeleteWorkingCombinationSet(Model& m, int slot);

// Exchanges the set in `slot` with its neighbour above (-1) or below (+1);
// the summary's set follows its set. False without a neighbour.
bool MoveWorkingCombinationSet(Model& m, int slot, int direction);

// Appends the sets of a factor file's table (slots 1 to fileCount - 1).
// False, with nothing appended, when the working copy would pass 50 slots.
bool AppendWorkingCombinationSets(Model& m, const std::array<CombinationSet, 51>& fileSets, int16_t fileCount);

// ---- Accept -------------------------------------------------------------------------

// The dialog's controls as Accept reads them. Texts are the boxes' own; -1 for
// a list or option group with nothing selected.
struct LoadOptionControls {
    std::string Surcharge, Seismic, Ka, Kae, Kp, MinFluid;
    std::array<std::string, 6> Resist;  // nominal q, base friction angle, cohesion, SPT N, CPT qc, unit weight
    std::array<std::string, 3> Value;   // adjacent capacity, shear-key depth, adjacent position
    int SurchargeTypeIndex = -1;        // list index: load type - 1
    int EarthPressureOption = 0;        // 0 active, 1 at rest
    int KaSource = 0, KaeSource = 0, KpSource = 0;
    int BaseMaterialOption = 0;
    int BearingMethod = -1;
    std::array<int, 3> Check{};  // passive toe, adjacent structure, shear key: 0 or 1
    int MinFluidEnabled = 0;
};

// The number boxes of the first tab by index: 0 surcharge, 1 seismic
// acceleration, 2 to 4 the normal, seismic and passive coefficients, 5 the
// minimum fluid density, 6 to 11 Resist, 12 to 14 Value. Each has the name
// the dialog gives it and the rule its number keeps: the rules of the
// properties and restraints dialogs where they edit the same quantity, and
// no negative number for the others, which are magnitudes.
inline constexpr int LoadOptionBoxCount = 15;
struct LoadOptionBox {
    const char* Name;
    EntryRule Rule;
};
const LoadOptionBox& LoadOptionBoxAt(int index);  // error 9 outside 0 to 14
const std::string& LoadOptionText(const LoadOptionControls& controls, int index);
std::string& LoadOptionText(LoadOptionControls& controls, int index);

// The number box of the base unit weight, which the bearing method may refuse.
inline constexpr int BaseUnitWeightBox = 11;

// The first box whose number does not fit a Single, by its name, or nothing
// when all do; Accept refuses to store such a text rather than let infinity in.
std::optional<std::string> OversizedLoadOption(const LoadOptionControls& controls, const LineLoadTable& loads,
                                               int16_t loadCount);

// Stores the controls and the working copies into the model; when anything
// but the sets' contents differs from what the model held, the project is
// marked modified. Call only after
// OversizedLoadOption found nothing.
void StoreLoadOptions(Model& m, const LoadOptionControls& controls, const LineLoadTable& loads, int16_t loadCount);

}  // namespace brindlemar

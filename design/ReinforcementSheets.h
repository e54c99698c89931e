#pragma once
// The texts of the reinforcement design window: the list of load
// combinations, the tables of factored design forces per combination, the
// member lengths, and the flexure and shear design sheets written from the
// design records. Texts are Windows-1252; the window converts them.

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "design/TableCell.h"
#include "model/DisplayPrecision.h"
#include "model/Model.h"

namespace brindlemar {

// Title of one combination: its name (with " (not stable)" when its last
// analysis did not find it stable), a line break, then its non-zero load
// factors with their codes joined by "+" (1.2DL+1.6EH).
std::string CombinationTitle(const Model& m, int setIndex, int combinationIndex);

// The "Load combinations" box: every combination's title with " + " between
// terms, a blank line after each, then "Notes:" and the codes of the set's
// load types with their long names.
std::string CombinationsListing(const Model& m);

// Lengths of the members 1 to 4 in the wall length unit: the upper stem as
// chosen, the rest of the stem, the toe and the heel, as the wall's outline
// gives them.
std::array<float, 5> MemberLengths(const Model& m);

// ---- the force tables of the "Forces" tab -------------------------------

enum class ForceKind { Moment = 0, Shear = 1 };

struct ForceTableTexts {
    int Columns = 0;                     // caption column included: 9 or 5
    std::vector<std::string> Headings;   // row 0 of the per-combination table
    std::vector<std::vector<TableCell>> Combinations;  // one row per combination
    // the governing values: rows "For section strength design",
    // "Corresponding Pu", "Distance from end", column 0 the bold caption
    std::array<std::vector<std::string>, 3> Governing;
    std::string UnitCaption;             // "Unit: Tm/m"
};

ForceTableTexts ForceTables(const Model& m, ForceKind kind);

// ---- the design sheets of the "Reinforcements" tab ----------------------

inline constexpr int FlexureSheetRows = 43;
inline constexpr int ShearSheetRows = 16;
inline constexpr std::array<int, 8> FlexureSeparatorRows{1, 7, 11, 17, 21, 28, 31, 36};
inline constexpr std::array<int, 4> ShearSeparatorRows{1, 6, 10, 15};
// rows of the flexure sheet where the user types a bar diameter and a spacing
inline constexpr int BarDiameterRow = 13;
inline constexpr int BarSpacingRow = 14;

// Column 0 (caption) and column 1 (unit) of each row, header row included.
struct SheetRow {
    TableCell Caption;
    std::string Unit;
};
std::array<SheetRow, FlexureSheetRows> FlexureSheetCaptions(const Model& m);
std::array<SheetRow, ShearSheetRows> ShearSheetCaptions(const Model& m);

// The value column of flexure position p (1 to 8) and of member 1 to 4, from
// the last design run; rows 0 to 2 are left to the captions.
std::array<TableCell, FlexureSheetRows> FlexureSheetColumn(const Model& m, int p);
std::array<TableCell, ShearSheetRows> ShearSheetColumn(const Model& m, int member);

// Why a face's bars cannot exist in its section, in one line; empty where
// they can, and for a face the design leaves alone.
std::string BarFaultReason(const Model& m, const FlexureDesignResult& r);

// ---- the values the user types ------------------------------------------

// A number typed into a box of the window: the absolute value of its leading
// number; empty when no 32-bit float can hold it.
std::optional<float> TypedNumber(const std::string& text);

// The six material values of the window in box order: unit weight, f'c, Ec,
// fy, Es and the concrete cover, as the dialog's rule table names them.
std::array<float*, 6> MaterialValues(Model& m);

// Stores the six boxes' numbers; when any differs from the value it shows,
// the project is marked modified. A box holding a
// number beyond range keeps its value. Returns whether any value changed.
bool StoreMaterialTexts(Model& m, const std::array<std::string, 6>& texts);

// The length box's place in the dialog's rule table, after the six materials.
inline constexpr int UpperStemLengthBox = 6;

// The verdict on a typed upper-stem length: valid when the text is a number
// of 0 up to the stem's length, the stem's length as the box shows it
// included (it is then the stem's own); a length beyond the stem brings the
// stem's length as the text to show.
struct UpperStemLengthCheck {
    bool Valid = false;
    float Length = 0;
    std::optional<std::string> Replacement;
};
UpperStemLengthCheck CheckUpperStemLength(const Model& m, const std::string& text);

// The design needs the tension- and compression-controlled strength
// reduction factors of the active set's first combination.
bool StrengthFactorsGiven(const Model& m);

// Why nothing is designed for the active set, in one line, where it has no
// concrete factors ("Unfactored"); empty where it has them.
std::string NoConcreteFactorsMessage(const Model& m);
// Why the design tables hold no design: a combination that is not stable,
// else the set's missing concrete factors; empty where the design is made.
std::string NoDesignMessage(const Model& m);

// A bar's diameter or spacing (metres) in the units `unitsPerMetre` stands
// for, quantity `q` of the project's unit system, in as few digits as bars
// are named within the precision of their unit; "--" for a face without bars.
std::string BarSizeText(const Model& m, float metres, double unitsPerMetre, Quantity q);

// A design value scaled by `factor` into its shown unit, with the digits
// its unit needs; "--" when it is undefined. A `zeroText` stands for an
// exact 0, and for a negative value too when `negativeAsZero`; `suffix`
// follows the number.
std::string DesignValueText(const Model& m, const std::optional<float>& value, double factor, Quantity q,
                            const std::string& zeroText = "", bool negativeAsZero = false,
                            const std::string& suffix = "");

}  // namespace brindlemar

#pragma once
// Editing one wall dimension through its label in the main window: the value
// each label shows, storing an accepted entry and re-balancing the
// dimensions that depend on it so that the wall stays consistent.

#include <functional>
#include <string>

#include "model/InputRules.h"
#include "model/Model.h"

namespace brindlemar {

// The twenty dimension labels, by index (of DimensionValues).
enum DimensionLabelIndex : int {
    ToeLengthLabel = 0, StemFrontBatterLabel = 1, StemTopThicknessLabel = 2, StemBackBatterLabel = 3,
    HeelLengthLabel = 4, BaseWidthLabel = 5, FrontStemHeightLabel = 6, ToeTopDropLabel = 7,
    ToeTipThicknessLabel = 8, BackStemHeightLabel = 9, HeelTopDropLabel = 10, HeelEndThicknessLabel = 11,
    FrontWaterDepthLabel = 12, BackWaterDepthLabel = 13, BackfillSlopeLabel = 14, ShearKeyDepthLabel = 15,
    ShearKeyToeDistanceLabel = 16, ShearKeyWidthLabel = 17, ShearKeyHeelDistanceLabel = 18,
    WallHeightLabel = 19,
};
inline constexpr int DimensionLabelCount = 20;

// The model value that label `index` stands for (error 9 outside 0 to 19).
float DimensionValue(const Model& m, int index);

// The text of label `index`: its value with two decimals.
std::string DimensionCaption(const Model& m, int index);

// What label `index` measures, with its unit: "Toe length (m)".
std::string DimensionSubject(const Model& m, int index);

// Stores `v` as the value of label `index`, re-balances the dimensions that
// depend on it and puts the toe, heel, water levels and shear key back in
// line with the new wall. Marks the project modified. Every dimension ends
// between 0 and the base width or wall height it belongs to. A value too
// large to store raises error 6 and changes nothing.
void StoreDimension(Model& m, int index, float v);

// Asks for a new value of label `index` and stores it. `showPopUp` shows the
// number-entry pop-up modally on m.EditValueText and m.DialogCancelled,
// with the reason the entry before was refused (empty at first). The pop-up
// opens on the label's value; an entry the label's rule refuses (a negative
// one) beeps and opens it again, saying why; Cancel leaves at once and changes no value. The stored value is the
// entry rounded to the two decimals the label shows. DialogCancelled is
// False afterwards. Returns true when a value was stored; the outline is
// the next redraw's to build.
bool EditDimension(Model& m, int index, const std::function<void(const std::string& refusal)>& showPopUp);

}  // namespace brindlemar

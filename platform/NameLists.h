#pragma once
// Names the user gives (combination sets, combinations) in a control
// narrower than some of them: the open list of a combo box is as wide as its
// longest name, and a name cut in a closed box or in a label ends in an
// ellipsis, whole in the control's tool tip.

class QComboBox;
class QLabel;
class QString;

namespace brindlemar {

// Keeps `box` so for as long as it lives, whatever items it is given.
void ShowNamesWhole(QComboBox* box);

// Shows `name` in `label` at the label's width.
void SetNameText(QLabel* label, const QString& name);

}  // namespace brindlemar

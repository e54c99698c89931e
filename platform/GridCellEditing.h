#pragma once
// How a cell of a grid is entered, the same in every grid the user types
// into: a printable character typed on an editable cell opens the editor
// with that character alone, so that what is typed replaces what the cell
// held, as in a spreadsheet; F2 opens it on the cell's text with the caret
// after it, to edit that text; a double click, or a click on the cell that
// is current already, opens it with its text selected. A click that makes a
// cell current only selects it.

#include <QObject>
#include <QString>
#include <functional>

class QLineEdit;

namespace brindlemar {

class FlexGrid;

enum class CellEntry { Typed, Clicked, Edited };

class GridCellEditing : public QObject {
public:
    // `editable`: the current cell may be edited now. `open`: lays the
    // editor over the current cell and opens it on `text`, selected when the
    // cell was entered by a click.
    using Opener = std::function<void(const QString& text, CellEntry entry)>;
    GridCellEditing(FlexGrid* grid, std::function<bool()> editable, Opener open);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Open(CellEntry entry, const QString& text);
    QString CurrentText() const;

    FlexGrid* grid_;
    std::function<bool()> editable_;
    Opener open_;
    bool entered_ = false;  // the current cell came by this click: it only selects
};

// A box that stands over a grid cell for good is entered as the cell would
// be: taking the focus, by the mouse or the keyboard, selects its text, so
// that what is typed replaces it; F2 puts the caret after the text to edit
// it, and a double click does so on a text that is no number.
void EnterAsGridCell(QLineEdit* box);

}  // namespace brindlemar

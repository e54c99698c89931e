// The loads dialog on a screen too narrow for it: its pages take their parts
// one under the other and scroll down only; and the rows of factor types,
// which follow the factor grid of the set shown.

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <algorithm>

#include "platform/FlexGrid.h"
#include "platform/ScreenFit.h"
#include "ui/dialogs/frmLoads.h"

namespace brindlemar {
namespace {

// The extent of what `page` holds: its right and lower edges.
QSize Held(const QWidget* page) {
    QSize held;
    for (const QObject* o : page->children())
        if (const auto* w = qobject_cast<const QWidget*>(o); w != nullptr && !w->isHidden())
            held = held.expandedTo(QSize(w->geometry().right() + 1, w->geometry().bottom() + 1));
    return held;
}

// Moves every child of `page` that starts at `from` or lower down by `drop`.
void MoveDown(QWidget* page, int from, int drop) {
    for (QObject* o : page->children())
        if (auto* w = qobject_cast<QWidget*>(o); w != nullptr && w->y() >= from) w->move(w->x(), w->y() + drop);
}

}  // namespace

// Side by side the loads and the resistances are larger than some screens
// in a wide or large font: scrolled, the factor summary at their foot would
// start out of sight, and a scroll bar down would leave too little width.
// There the first page takes the summary first, then the loads, then the
// resistances; the second page the commentary under the set list and the
// concrete factors under the stability ones. The dialog is then as narrow as
// its widest part and scrolls down only.
void frmLoads::StackForNarrowRoom() {
    const QRect room = ClientRoom(this);
    if (room.isEmpty() || (width() <= room.width() && height() <= room.height())) return;
    stacked_ = true;
    QWidget* loadsPage = SSTab1->widget(0);
    QWidget* factorsPage = SSTab1->widget(1);
    const QSize before = Held(loadsPage).expandedTo(Held(factorsPage));
    const int gap = Px(90);

    auto* summary = loadsPage->findChild<QGroupBox*>("fraFactors");
    auto* loads = loadsPage->findChild<QGroupBox*>("fraLoads");
    auto* resistances = loadsPage->findChild<QGroupBox*>("fraResistances");
    const QPoint origin = loads->pos();
    summary->move(origin);
    loads->move(origin.x(), summary->geometry().bottom() + 1 + gap);
    resistances->move(origin.x(), loads->geometry().bottom() + 1 + gap);

    // the commentary under the set list, and all that stood under both lower still
    auto* commentary = factorsPage->findChild<QLabel*>("lblComment");
    const int factorsTop = std::max(lstComboSet->geometry().bottom(), txtComment->geometry().bottom()) + 1;
    const int commentaryTop = lstComboSet->geometry().bottom() + 1 + gap;
    const int below = txtComment->y() - commentary->y();
    const int drop = commentaryTop + below + txtComment->height() + gap - factorsTop;
    MoveDown(factorsPage, factorsTop, drop);
    commentary->move(lstComboSet->x(), commentaryTop);
    txtComment->move(lstComboSet->x(), commentaryTop + below);
    PlaceTypeRows();

    // the tabs and the window as large as the parts now need, the buttons at the foot
    const QSize after = Held(loadsPage).expandedTo(Held(factorsPage));
    const QSize more(std::min(0, after.width() - before.width()), after.height() - before.height());
    SSTab1->resize(SSTab1->size() + more);
    // the factor grid within the page as it now is
    UpdateFactorButtons();
    PlaceFactorButtons();
    for (QPushButton* button : {Command3, Command4}) button->move(button->pos() + QPoint(more.width(), more.height()));
    if (auto* help = findChild<QLabel*>("lblHelp")) help->move(help->x(), help->y() + more.height());
    setFixedSize(size() + more);
}

// Rows of factor types under the combination buttons: the loads, the
// surcharge application, and the resistances for stability and for
// reinforced concrete, side by side (the last under the stability ones
// where the pages are stacked).
void frmLoads::PlaceTypeRows() {
    const double top = twips_.TwipsY(cmdFAdd->y() + cmdFAdd->height()) + 90;
    struct Group {
        int first, last, firstRow;
        double left, nameWidth;
    };
    const Group groups[] = {{DL, IC, 1, 120, 2350}, {S1, S2, 1, 3100, 2000}, {BE, OS, 1, 5700, 3300}, {CT, CS, 2, 9700, 2500}};
    double groupLeft[4] = {};
    double previousEnd = 0;
    for (int i = 0; i < 4; ++i) {
        Group g = groups[i];
        // the long names whole in the dialog's font: a group whose names need
        // more room than designed widens and moves the groups after it
        const QFontMetrics metrics(lblLongLoad[g.first]->font());
        for (int k = g.first; k <= g.last; ++k)
            if (txtLongLoad[k] == nullptr)  // an editable name scrolls in its box
                g.nameWidth = std::max(g.nameWidth, (metrics.horizontalAdvance(lblLongLoad[k]->text()) + 4) *
                                                        twips_.TwipsPerPixel() / twips_.ScaleX());
        // one under the other, the concrete factors stand under the stability ones
        const bool under = stacked_ && i == 3;
        const double groupTop = under ? top + 240 * (OS - BE + 2) : top;
        g.left = under ? groupLeft[2] : std::max(g.left, previousEnd + 90);
        groupLeft[i] = g.left;
        previousEnd = g.left + 510 + g.nameWidth + (txtResist[g.first] != nullptr ? 660 : 0);
        for (int k = g.first; k <= g.last; ++k) {
            const int n = k - g.first + g.firstRow;
            PlaceTwips(txtShortLoad[k], g.left, groupTop + 240 * n, 450, 210);
            PlaceTwips(lblLongLoad[k], g.left + 510, groupTop + 240 * n + 10, g.nameWidth, 210);
            if (txtLongLoad[k] != nullptr) PlaceTwips(txtLongLoad[k], g.left + 510, groupTop + 240 * n, g.nameWidth, 210);
            if (txtResist[k] != nullptr) PlaceTwips(txtResist[k], g.left + 510 + g.nameWidth + 60, groupTop + 240 * n, 600, 210);
        }
    }
    PlaceTwips(lblTypeTitles[0], groupLeft[0], top, 2500, 220);
    PlaceTwips(lblTypeTitles[1], groupLeft[1], top, 2500, 220);
    PlaceTwips(lblTypeTitles[2], groupLeft[2], top, 1500, 220);
    PlaceTwips(lblTypeTitles[3], groupLeft[2] + 1600, top, 1500, 220);
    PlaceTwips(lblTypeTitles[4], groupLeft[3], top + 240 * (stacked_ ? OS - BE + 3 : 1), 2500, 220);
}

}  // namespace brindlemar

// The right-hand column of the main window: units, options, load option,
// combination set and combination, and the view.

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalBlocker>

#include "analysis/Analysis.h"
#include "drawing/AnalysisViews.h"
#include "model/Units.h"
#include "platform/QtText.h"
#include "runtime/ErrorTrap.h"
#include "runtime/Text.h"
#include "ui/main/Form1.h"

namespace brindlemar {

namespace {

// The view flags in the view selector's order, which numbers the analysis
// views too (AnalysisViewKind).
constexpr std::array<int16_t ModelApp::*, 14> ViewFlags{
    &ModelApp::ViewDimensions, &ModelApp::ViewDead,      &ModelApp::ViewLive,      &ModelApp::ViewSoil,
    &ModelApp::ViewWater,      &ModelApp::ViewStructural, &ModelApp::ViewImpact,   &ModelApp::ViewSeismic,
    &ModelApp::ViewReactions,  &ModelApp::ViewResistances, &ModelApp::ViewLoads,   &ModelApp::ViewMoment,
    &ModelApp::ViewShear,      &ModelApp::ViewNormal};
static_assert(ViewFlags.size() == NormalView + 1);

// A list shows the item the model holds: set from code, not chosen, so its
// handler stays quiet.
void ShowItem(QComboBox* combo, int index) {
    const QSignalBlocker quiet(combo);
    combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : -1);
}

}  // namespace

// ---- options ----------------------------------------------------------------

void Form1::Check1_Click() {
    m_.WaterIncluded = Check1->isChecked() ? True : False;
    mnuOptionWater->setChecked(Check1->isChecked());
    if (!Updating) m_.ProjectModified = True;
    // the redraw prepares the water depths and the outline with them
    RedrawView();
}

void Form1::Check2_Click() {
    m_.SeismicIncluded = Check2->isChecked() ? True : False;
    mnuOptionSeismic->setChecked(Check2->isChecked());
    Label8->setVisible(Check2->isChecked());
    if (!Updating) m_.ProjectModified = True;
    RedrawView();
}

void Form1::Check3_Click() {
    m_.ShearKeyIncluded = Check3->isChecked() ? 1 : 0;
    mnuOptionKey->setChecked(Check3->isChecked());
    if (!Updating) m_.ProjectModified = True;
    RedrawView();
}

// ---- units ------------------------------------------------------------------

void Form1::SetUnitMenuChecks() {
    mnuUnitMetric->setChecked(m_.CurrentUnitSystem == Metric);
    mnuUnitSI->setChecked(m_.CurrentUnitSystem == SI);
    mnuUnitBritish->setChecked(m_.CurrentUnitSystem == British);
}

void Form1::ShowUnit() {
    ShowItem(Combo1a, m_.CurrentUnitSystem);
    m_.PreviousUnitSystem = m_.CurrentUnitSystem;
    SetUnitMenuChecks();
}

void Form1::Combo1a_Click() {
    const int selected = Combo1a->currentIndex();
    if (selected < 0) return;
    if (!Updating) m_.ProjectModified = True;
    m_.PreviousUnitSystem = m_.CurrentUnitSystem;
    m_.CurrentUnitSystem = static_cast<int16_t>(selected);
    SetUnitMenuChecks();
    if (m_.PreviousUnitSystem != m_.CurrentUnitSystem) {
        // a conversion refused keeps the units the values are in
        if (!RunTrapped([&] { ConvertUnits(m_); })) ShowUnit();
        RedrawView();
    }
}

// ---- combination set and combination -------------------------------------------

void Form1::FillCombinationSetCombo() {
    Combo2->clear();
    for (int i = 1; i < m_.CombinationSetCount && i < static_cast<int>(m_.CombinationSets.size()); ++i)
        Combo2->addItem(ToQString(m_.CombinationSets[i].Name));
    // a set the list does not hold gives way to its last one, from its first combination
    const int listed = Combo2->count();
    if (m_.ActiveCombinationSet > listed) {
        m_.ActiveCombinationSet = static_cast<int16_t>(listed);
        m_.CurrentCombination = 0;
    }
    FillCombinationCombo();
}

void Form1::FillCombinationCombo() {
    Combo3->clear();
    const int set = std::clamp<int>(m_.ActiveCombinationSet, 0, static_cast<int>(m_.CombinationSets.size()) - 1);
    const CombinationSet& active = m_.CombinationSets[set];
    const int count = std::clamp<int>(active.CombinationCount, 0, static_cast<int>(active.Combinations.size()));
    for (int i = 0; i < count; ++i) Combo3->addItem(ToQString(active.Combinations[i].Name));
    // a combination the set no longer has gives way to its last one
    if (m_.CurrentCombination >= count) m_.CurrentCombination = static_cast<int16_t>(std::max(0, count - 1));
    if (m_.CurrentCombination < 0) m_.CurrentCombination = 0;

    ShowItem(Combo2, m_.ActiveCombinationSet - 1);
    ShowItem(Combo3, m_.CurrentCombination);
}

// The redraw selects the combination's factors with its analysis; names of
// another width widen or narrow the right-hand column, and the layout redraws.
void Form1::RedrawAfterListing() {
    if (ColumnWidth() != laidOutColumn_) {
        setMinimumSize(MinimumWindowSize());
        Form_Resize();
    } else {
        RedrawView();
    }
}

void Form1::Combo2_Click() {
    const int selected = Combo2->currentIndex();
    if (selected < 0 && Combo2->count() > 0) return;
    const int16_t set = static_cast<int16_t>(selected + 1);
    if (set == m_.ActiveCombinationSet) return;
    m_.ActiveCombinationSet = set;
    m_.CurrentCombination = 0;
    FillCombinationCombo();
    RedrawAfterListing();
}

void Form1::Combo3_Click() {
    const int selected = Combo3->currentIndex();
    if (selected < 0 || selected == m_.CurrentCombination) return;
    m_.CurrentCombination = static_cast<int16_t>(selected);
    RedrawView();
}

// ---- load option ------------------------------------------------------------

void Form1::optLoad_Click(int index) {
    if (!Updating) m_.ProjectModified = True;
    const bool lrfd = index == LRFD;
    Combo2->setEnabled(lrfd);
    Combo3->setEnabled(lrfd);
    RunTrapped([&] {
        if (lrfd)
            SelectLoadCombination(m_, m_.ActiveCombinationSet, m_.CurrentCombination);
        else
            SelectLoadCombination(m_, 0, 0);
    });
    RedrawView();
}

// The option shown is the one whose combination the analysis takes: a user's
// set in the lists (LRFD), or the hidden set when there is none (ASD). It
// is chosen without its handler, which would mark the project modified.
void Form1::ShowLoadOption() {
    const int option = m_.ActiveCombinationSet > 0 ? LRFD : ASD;
    {
        const QSignalBlocker quietAsd(optLoad[ASD]), quietLrfd(optLoad[LRFD]);
        optLoad[option]->setChecked(true);
    }
    Combo2->setEnabled(option == LRFD);
    Combo3->setEnabled(option == LRFD);
}

// ---- view ---------------------------------------------------------------------

void Form1::optView_Click(int index) {
    SetViewFlags(index);
    if (!Updating) RedrawView();
}

void Form1::SetViewFlags(int index) {
    for (std::size_t i = 0; i < ViewFlags.size(); ++i) {
        m_.*ViewFlags[i] = False;
        mnuViewItems[i]->setChecked(false);
    }
    m_.*ViewFlags[static_cast<std::size_t>(index)] = True;
    mnuViewItems[index]->setChecked(true);
}

int Form1::ViewShown() const {
    for (std::size_t i = 0; i < ViewFlags.size(); ++i)
        if (m_.*ViewFlags[i] != 0) return static_cast<int>(i);
    return -1;
}

void Form1::ShowView(int index) {
    const QSignalBlocker quiet(optView[index]);
    optView[index]->setChecked(true);
    SetViewFlags(index);
}

void Form1::SelectViewFromMenu(int index) {
    QRadioButton* button = optView[index];
    if (!button->isChecked()) button->setChecked(true);
}

// ---- writing the controls from the model ------------------------------------------

void Form1::RefreshControlsFromModel() {
    Updating = true;
    Text1->setText(ToQString(m_.ProjectTitle));
    ShowUnit();
    ShowOptions();
    FillCombinationSetCombo();
    ShowLoadOption();
    RedrawAfterListing();
    Updating = false;
}

}  // namespace brindlemar

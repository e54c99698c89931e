#include "analysis/Preparation.h"

#include <memory>
#include <utility>

#include "analysis/Analysis.h"
#include "analysis/Coefficients.h"
#include "model/Initialise.h"
#include "model/Outline.h"
#include "runtime/Hooks.h"
#include "runtime/OneBoxPerError.h"

namespace brindlemar {

namespace {

// The wall and its loads: the inputs without what a command changes that is
// neither, such as the combination shown, the title, the page settings and
// colours, and the values the file writer derives.
ModelInputs WallAndLoads(const ModelInputs& m) {
    ModelInputs k = m;
    static const ModelInputs none;
    k.PreviousUnitSystem = none.PreviousUnitSystem;
    k.DefaultsFilePath = none.DefaultsFilePath;
    k.FactorFileDirectory = none.FactorFileDirectory;
    k.ProjectTitle = none.ProjectTitle;
    k.StoredResultsMarker = none.StoredResultsMarker;
    k.CurrentFactorDefinition = none.CurrentFactorDefinition;
    k.CurrentLoadCombination = none.CurrentLoadCombination;
    k.ActiveCombinationSet = k.CurrentCombination = 0;
    k.PageMarginLeft = k.PageMarginRight = k.PageMarginTop = k.PageMarginBottom = 0;
    k.FooterTexts = none.FooterTexts;
    k.ReportFontName = k.TextFontName = k.TitleFontName = k.SymbolFontName = "";
    k.ReportFontSize = 0;
    for (int32_t* colour : {&k.DimensionLineColour, &k.DimensionTextColour, &k.CaptionColour, &k.BackfillColour,
                            &k.GroundColour, &k.WaterColour, &k.OutlineColour, &k.ConcreteColour,
                            &k.RestraintColour, &k.LoadColour, &k.LoadLabelColour, &k.ResistanceColour,
                            &k.ResistanceLabelColour, &k.FactorTableGridColour, &k.FactorTableTextColour})
        *colour = 0;
    k.DiagramColours = k.DiagramTextColours = none.DiagramColours;
    k.LegacySurchargeLoadType = k.LegacyLineLoadCount = k.LegacyProjectFlag = 0;
    k.LegacyLineLoads = none.LegacyLineLoads;
    return k;
}

}  // namespace

void PrepareWall(Model& m) {
    SetWaterDepths(m);
    SetSeismicCoefficient(m);
    ComputeWallOutline(m);
    // a fault told for another wall is told again when that wall comes back
    if (m.SeismicFaultToldFor && !(WallAndLoads(m) == *m.SeismicFaultToldFor)) m.SeismicFaultToldFor.reset();
}

bool PrepareCombination(Model& m) {
    PrepareWall(m);
    // the second analysis of a flattened wall meets the first one's faults again
    const OneBoxPerError oneBox;
    bool analysed = AnalyseCombination(m);
    if (m.BackfillSlopeAdjusted != 0) {
        m.BackfillSlopeAdjusted = False;
        analysed = AnalyseCombination(m);
    }
    return analysed;
}

void TellAnalysisFault(const Model& m, const RuntimeError& e) {
    if (IsSeismicAccelerationTooLarge(e)) {
        ModelInputs now = WallAndLoads(m);
        if (m.SeismicFaultToldFor && now == *m.SeismicFaultToldFor) return;
        m.SeismicFaultToldFor = std::make_shared<const ModelInputs>(std::move(now));
    }
    MsgBox(e.Description, vbExclamation, ProductName);
}

}  // namespace brindlemar

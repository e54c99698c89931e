#include "model/Initialise.h"

#include "model/BearingTables.h"
#include "model/FactorNames.h"
#include "model/Outline.h"
#include "model/ProjectServices.h"
#include "model/Units.h"
#include "runtime/Colours.h"
#include "runtime/Hooks.h"
#include "runtime/RuntimeError.h"

namespace brindlemar {

namespace {

// Factor columns of the two combinations of the built-in "Unfactored" set:
// sliding ignores the surcharge over the heel, and neither combination
// carries the concrete resistance factors.
float SlidingFactor(int code) { return (code == S1 || code >= CT) ? 0.0f : 1.0f; }
float BearingFactor(int code) { return code >= CT ? 0.0f : 1.0f; }

void ResetGeometry(Model& m) {
    m.ToeLength = 2.0f;
    m.StemFrontBatter = 0.5f;
    m.StemTopThickness = 0.83f;
    m.StemBackBatter = 0.5f;
    m.HeelLength = 3.37f;
    m.BaseWidth = 6.83f;
    m.FrontStemHeight = 8.0f;
    m.ToeTopDrop = 1.0f;
    m.ToeTipThickness = 1.0f;
    m.BackStemHeight = 8.0f;
    m.HeelTopDrop = 1.0f;
    m.HeelEndThickness = 1.27f;
    m.WallHeight = 10.0f;
    m.BackfillSlopeRatio = 5.0f;
    m.FrontWaterDepth = 5.0f;
    m.BackWaterDepth = 1.5f;

    // make the literals consistent: base width from its parts, then the back
    // stem height from the front face, then the front height back from it
    m.BaseWidth = ToSingle(double(m.StemFrontBatter) + m.ToeLength + m.StemTopThickness +
                           m.StemBackBatter + m.HeelLength);
    m.BackStemHeight = ToSingle(FrontWallHeight(m) -
                                m.HeelTopDrop - m.HeelEndThickness);
    m.FrontStemHeight = ToSingle(BackWallHeight(m) - m.ToeTopDrop - m.ToeTipThickness);
    // a toe or heel without thickness has no length either
    if (double(m.ToeTipThickness) + m.ToeTopDrop == 0) m.ToeLength = 0;
    if (double(m.HeelEndThickness) + m.HeelTopDrop == 0) m.HeelLength = 0;

    // no water level below the underside of the base, at the front or the back
    const double h = FrontWallHeight(m);
    if (h < m.FrontWaterDepth) m.FrontWaterDepth = ToSingle(h);
    if (h < m.BackWaterDepth) m.BackWaterDepth = ToSingle(h);
    m.EnteredFrontWaterDepth = m.FrontWaterDepth;
    m.EnteredBackWaterDepth = m.BackWaterDepth;
}

void ResetMaterials(Model& m) {
    m.ConcreteUnitWeight = 2.4f;
    m.ConcreteCompressiveStress = 300;
    m.ConcreteElasticityModulus = 1.4f;
    m.ConcretePoissonRatio = 0.17f;
    m.RebarYieldStress = 3000;
    m.RebarElasticityModulus = 21;
    m.ConcreteCover = 5.0f;
    m.WaterUnitWeight = 1.0f;
    m.BackfillUnitWeight = 1.7f;
    m.BackfillDryDensity = 1.7f;
    m.BackfillSaturatedDensity = 2.0f;
    m.BackfillFrictionAngle = 30;
    m.BackfillCohesion = 0;
    m.EarthToEarthFrictionAngle = 30;
    m.ConcreteToEarthFrictionAngle = 15;
    m.ToeEarthUnitWeight = 1.7f;
    m.ToeEarthDryDensity = 1.7f;
    m.ToeEarthSaturatedDensity = 2.0f;
    m.ToeEarthFrictionAngle = 30;
    m.ToeEarthCohesion = 0;
    m.BaseFrictionAngle = 30;
    m.BaseCohesion = 0;
    m.NominalBearingResistance = 10;
    m.BaseElasticityModulus = 1.0f;
    m.MinimumFluidDensity = 0;
    m.MinimumFluidDensityEnabled = 0;
}

void ResetCombinationSets(Model& m) {
    m.FactorCount = MaxFactorCount;
    for (int k = 1; k <= m.FactorCount; ++k) {
        m.CurrentFactorDefinition.FactorName[k] = FactorNames[k].Name;
        m.CurrentFactorDefinition.FactorCode[k] = FactorNames[k].Code;
    }
    m.ActiveCombinationSet = 1;
    m.CurrentCombination = 0;
    m.CombinationSetCount = 2;

    // the hidden set of the ASD load option: one combination, every factor 1
    CombinationSet& asd = m.CombinationSets[0];
    asd.Name = "ASD";
    asd.Factors = m.CurrentFactorDefinition;
    asd.CombinationCount = 1;
    asd.Combinations[0].Name = "ASD";
    for (int k = 1; k <= m.FactorCount; ++k) asd.Combinations[0].Factor[k] = 1.0f;

    CombinationSet& unfactored = m.CombinationSets[1];
    unfactored.Name = "Unfactored";
    unfactored.Factors = m.CurrentFactorDefinition;
    unfactored.CombinationCount = 2;
    unfactored.Combinations[0].Name = "Sliding and eccentricity";
    unfactored.Combinations[1].Name = "Bearing and reinforcement";
    for (int k = 1; k <= m.FactorCount; ++k) {
        unfactored.Combinations[0].Factor[k] = SlidingFactor(k);
        unfactored.Combinations[1].Factor[k] = BearingFactor(k);
    }
}

void ResetColours(Model& m) {
    m.DimensionLineColour = QBColor(12);
    m.DimensionTextColour = QBColor(0);
    m.CaptionColour = QBColor(0);
    m.BackfillColour = QBColor(8);
    m.GroundColour = RGB(200, 200, 200);
    m.WaterColour = RGB(204, 255, 255);
    m.OutlineColour = QBColor(0);
    m.ConcreteColour = RGB(51, 51, 153);
    m.RestraintColour = QBColor(5);
    m.LoadColour = QBColor(9);
    m.LoadLabelColour = QBColor(1);
    m.ResistanceColour = QBColor(13);
    m.ResistanceLabelColour = QBColor(13);
    m.DiagramColours[0] = QBColor(4);
    m.DiagramColours[1] = QBColor(12);
    m.DiagramTextColours[1] = QBColor(0);
    m.FactorTableGridColour = QBColor(12);
    m.FactorTableTextColour = QBColor(1);
    m.ShowWeightResultants = 1;
}

void Reset(Model& m, bool readDefaults) {
    m.ProgramVersion = "2.60";
    m.VersionDate = "June 2011";
    // where the defaults file lives is decided once: a copy beside the
    // program that is moved aside does not send the next one elsewhere
    if (m.DefaultsFilePath.empty())
        m.DefaultsFilePath = DefaultsFileLocation(m.ProgramDirectory, m.ConfigurationDirectory);
    m.FactorFileDirectory = m.ProgramDirectory;
    m.CurrentUnitSystem = Metric;
    m.GravityAcceleration = 9.81f;
    FillUnitLabels(m);
    m.ProjectTitle = "";

    ResetGeometry(m);
    ResetMaterials(m);

    m.BackfillSurcharge = 1.0f;
    m.SurchargeLoadType = ES;
    m.EnteredSeismicCoefficient = 0.15f;
    m.AppliedSeismicCoefficient = 0.15f;
    m.LineLoadCount = 0;

    ResetCombinationSets(m);

    InitBearingFactorTables(m);
    InitDepthFactorTable(m);
    m.BearingResistanceMethod = NominalBearing;
    m.BaseSptBlowCount = 20;
    m.BaseCptTipResistance = 5;

    m.ProjectModified = 0;
    m.StoredResultsMarker = -1;

    m.PageMarginLeft = 25;
    m.PageMarginRight = 20;
    m.PageMarginTop = 20;
    m.PageMarginBottom = 20;
    m.FooterTexts[1] = "&File";
    m.FooterTexts[2] = "&Date &Time";
    m.FooterTexts[3] = "Page &Page of &NPages";
    m.ReportFontName = m.TextFontName;
    m.ReportFontSize = 10;

    m.WaterIncluded = True;
    m.SeismicIncluded = True;

    // the default shear key sits at the heel end
    m.PassiveToePressureIncluded = 1;
    m.AdjacentStructureIncluded = 0;
    m.AdjacentStructureCapacity = 0;
    m.AdjacentStructurePosition = 0;
    m.ShearKeyIncluded = 1;
    m.ShearKeyDepth = 0.67f;
    m.ShearKeyWidth = 0.6f;
    m.ShearKeyToeDistance = ToSingle(double(m.BaseWidth) - 0.6);
    m.ShearKeyHeelDistance = 0;

    m.BaseMaterialOption = Rock;
    m.EarthPressureOption = Active;
    m.KaSource = Computed;
    m.EnteredKa = 0;
    m.KaeSource = Computed;
    m.EnteredKae = 0;
    m.KpSource = Computed;
    m.EnteredKp = 0;

    ResetColours(m);

    // The user's defaults override part of the built-in values. When the file
    // cannot be read whole, the user has been told why; start again from the
    // built-in values alone, so that a broken file is not read again.
    if (readDefaults && !ReadUserDefaults(m)) {
        Reset(m, false);
        return;
    }
    if (m.ActiveCombinationSet == 0) m.ActiveCombinationSet = 1;
    if (m.CombinationSetCount == 0) m.CombinationSetCount = 1;

    ComputeWallOutline(m);
}

}  // namespace

void InitialiseProject(Model& m) { InitialiseProject(m, true); }

void InitialiseProject(Model& m, bool readDefaults) {
    try {
        Reset(m, readDefaults);
    } catch (const RuntimeError& e) {
        SetBusyPointer(false);
        MsgBox(e.Description, vbExclamation, ProductName);
    }
}

void SetWaterDepths(Model& m) {
    if (m.WaterIncluded != 0) {
        m.FrontWaterDepth = m.EnteredFrontWaterDepth;
        m.BackWaterDepth = m.EnteredBackWaterDepth;
    } else {
        const float underside = ToSingle(FrontWallHeight(m));
        m.FrontWaterDepth = underside;
        m.BackWaterDepth = underside;
    }
}

void SetSeismicCoefficient(Model& m) {
    m.AppliedSeismicCoefficient = SeismicCoefficientInUse(m.SeismicIncluded, m.EnteredSeismicCoefficient);
}

}  // namespace brindlemar

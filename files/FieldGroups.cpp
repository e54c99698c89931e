#include "files/FieldGroups.h"

namespace brindlemar {

void WritePageSettings(const Model& m, RecordWriter& w) {
    w.LeadIn();
    w.Integer(m.PageMarginLeft);
    w.Integer(m.PageMarginRight);
    w.Integer(m.PageMarginTop);
    w.Integer(m.PageMarginBottom);
    for (int i = 1; i <= 3; ++i) w.Text(m.FooterTexts[i]);
    w.Text(m.ReportFontName);
    w.Single(m.ReportFontSize);
}

void ReadPageSettings(Model& m, RecordReader& r) {
    r.LeadIn();
    m.PageMarginLeft = r.Integer();
    m.PageMarginRight = r.Integer();
    m.PageMarginTop = r.Integer();
    m.PageMarginBottom = r.Integer();
    for (int i = 1; i <= 3; ++i) m.FooterTexts[i] = r.Text();
    m.ReportFontName = r.Text();
    m.ReportFontSize = r.Single();
}

void WriteSetsAndCoefficients(const Model& m, RecordWriter& w) {
    w.Record(m.CurrentLoadCombination);
    w.SetTable(m.CombinationSetCount, m.CombinationSets);
    w.Integer(m.ActiveCombinationSet);
    w.Integer(m.CurrentCombination);
    w.Integer(m.KaSource);
    w.Single(m.EnteredKa);
    w.Integer(m.KaeSource);
    w.Single(m.EnteredKae);
    w.Integer(m.KpSource);
    w.Single(m.EnteredKp);
}

void ReadSetsAndCoefficients(Model& m, RecordReader& r) {
    r.Record(m.CurrentLoadCombination);
    m.CombinationSetCount = r.SetTable(m.CombinationSets);
    m.ActiveCombinationSet = r.Integer();
    m.CurrentCombination = r.Integer();
    CheckSelection(m.CombinationSets, m.CombinationSetCount, m.ActiveCombinationSet, m.CurrentCombination);
    m.KaSource = r.Code("Ka source", Computed, UserValue);
    m.EnteredKa = r.Single();
    m.KaeSource = r.Code("Kae source", Computed, UserValue);
    m.EnteredKae = r.Single();
    m.KpSource = r.Code("Kp source", Computed, UserValue);
    m.EnteredKp = r.Single();
}

void WriteBearing(const Model& m, RecordWriter& w) {
    w.Single(m.BaseUnitWeight);
    w.Integer(m.BearingResistanceMethod);
    w.Single(m.BaseSptBlowCount);
    w.Single(m.BaseCptTipResistance);
    w.Single(m.MinimumFluidDensity);
    w.Integer(m.MinimumFluidDensityEnabled);
}

void ReadBearing(Model& m, RecordReader& r) {
    m.BaseUnitWeight = r.Single();
    m.BearingResistanceMethod = r.Code("bearing method", NominalBearing, CptBearing);
    m.BaseSptBlowCount = r.Single();
    m.BaseCptTipResistance = r.Single();
    m.MinimumFluidDensity = r.Single();
    m.MinimumFluidDensityEnabled = r.Code("minimum fluid density switch", 0, 1);
}

}  // namespace brindlemar

#include "files/DefaultsFile.h"

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <system_error>
#include <unistd.h>

#include "files/Encoding.h"
#include "files/FileAccess.h"
#include "files/Paths.h"

namespace brindlemar {

namespace {

void WriteDefaultsLayout(const Model& m, RecordWriter& w) {
    w.LeadIn();
    w.Integer(m.PageMarginLeft);
    w.Integer(m.PageMarginRight);
    w.Integer(m.PageMarginTop);
    w.Integer(m.PageMarginBottom);
    for (int i = 1; i <= 3; ++i) w.Text(m.FooterTexts[i]);
    w.Text(m.ReportFontName);
    w.Single(m.ReportFontSize);
    w.Integer(m.CurrentUnitSystem);
    for (float v : {m.GravityAcceleration, m.ConcreteUnitWeight, m.ConcreteCompressiveStress,
                    m.ConcreteElasticityModulus, m.ConcretePoissonRatio, m.RebarYieldStress,
                    m.RebarElasticityModulus, m.ConcreteCover, m.WaterUnitWeight, m.BackfillUnitWeight,
                    m.BackfillDryDensity, m.BackfillSaturatedDensity, m.BackfillFrictionAngle,
                    m.BackfillCohesion, m.BaseFrictionAngle, m.BaseCohesion, m.NominalBearingResistance,
                    m.BaseElasticityModulus, m.EarthToEarthFrictionAngle, m.ConcreteToEarthFrictionAngle})
        w.Single(v);
    w.Integer(m.LegacySurchargeLoadType);
    w.Single(m.EnteredSeismicCoefficient);
    w.Text(FileTypeTitleText);
    w.Text(FileLayoutVersion);
    w.Integer(m.WaterIncluded);
    w.Integer(m.SeismicIncluded);
    w.Integer(m.PassiveToePressureIncluded);
    for (float v : {m.ToeEarthUnitWeight, m.ToeEarthDryDensity, m.ToeEarthSaturatedDensity,
                    m.ToeEarthFrictionAngle, m.ToeEarthCohesion})
        w.Single(v);
    w.Integer(m.BaseMaterialOption);
    w.Integer(m.EarthPressureOption);
    w.Integer(m.SurchargeLoadType);
    w.Integer(m.ReinforcementDesignMethod);
    w.Integer(m.ReservedFileInteger);
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
    w.Single(m.BaseUnitWeight);
    w.Integer(m.BearingResistanceMethod);
    w.Single(m.BaseSptBlowCount);
    w.Single(m.BaseCptTipResistance);
    w.Single(m.MinimumFluidDensity);
    w.Integer(m.MinimumFluidDensityEnabled);
}

void ReadDefaultsLayout(Model& m, RecordReader& r) {
    r.LeadIn();
    m.PageMarginLeft = r.Integer();
    m.PageMarginRight = r.Integer();
    m.PageMarginTop = r.Integer();
    m.PageMarginBottom = r.Integer();
    for (int i = 1; i <= 3; ++i) m.FooterTexts[i] = r.Text();
    m.ReportFontName = r.Text();
    m.ReportFontSize = r.Single();
    m.CurrentUnitSystem = r.Code("unit system", Metric, British);
    for (float* v : {&m.GravityAcceleration, &m.ConcreteUnitWeight, &m.ConcreteCompressiveStress,
                     &m.ConcreteElasticityModulus, &m.ConcretePoissonRatio, &m.RebarYieldStress,
                     &m.RebarElasticityModulus, &m.ConcreteCover, &m.WaterUnitWeight, &m.BackfillUnitWeight,
                     &m.BackfillDryDensity, &m.BackfillSaturatedDensity, &m.BackfillFrictionAngle,
                     &m.BackfillCohesion, &m.BaseFrictionAngle, &m.BaseCohesion, &m.NominalBearingResistance,
                     &m.BaseElasticityModulus, &m.EarthToEarthFrictionAngle, &m.ConcreteToEarthFrictionAngle})
        *v = r.Single();
    // kept as it stands: only project files of old versions give it a meaning
    m.LegacySurchargeLoadType = r.Integer();
    m.EnteredSeismicCoefficient = r.Single();
    // title and version: the file is always taken to be in this layout
    r.Text();
    r.Text();
    m.WaterIncluded = r.Switch("water switch");
    m.SeismicIncluded = r.Switch("seismic switch");
    m.PassiveToePressureIncluded = r.Code("passive toe pressure switch", 0, 1);
    for (float* v : {&m.ToeEarthUnitWeight, &m.ToeEarthDryDensity, &m.ToeEarthSaturatedDensity,
                     &m.ToeEarthFrictionAngle, &m.ToeEarthCohesion})
        *v = r.Single();
    m.BaseMaterialOption = r.Code("base material", Rock, Soil);
    m.EarthPressureOption = r.Code("earth pressure option", Active, AtRest);
    m.SurchargeLoadType = r.Code("surcharge load type", DL, IC);
    m.ReinforcementDesignMethod = r.Code("design method", 0, 1);
    m.ReservedFileInteger = r.Integer();
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
    m.BaseUnitWeight = r.Single();
    m.BearingResistanceMethod = r.Code("bearing method", NominalBearing, CptBearing);
    m.BaseSptBlowCount = r.Single();
    m.BaseCptTipResistance = r.Single();
    m.MinimumFluidDensity = r.Single();
    m.MinimumFluidDensityEnabled = r.Code("minimum fluid density switch", 0, 1);

    // the entered values are not in the file: the values in use follow them
    m.FrontWaterDepth = m.EnteredFrontWaterDepth;
    m.BackWaterDepth = m.EnteredBackWaterDepth;
    m.AppliedSeismicCoefficient = m.EnteredSeismicCoefficient;
    if (m.CombinationSetCount <= 0) m.CombinationSetCount = 1;
}

bool IsWritableDirectory(const std::string& directory) {
    std::error_code ec;
    const std::string native = NativePath(directory);
    return std::filesystem::is_directory(native, ec) && ::access(native.c_str(), W_OK) == 0;
}

}  // namespace

bool WriteDefaultsFile(const Model& m, const std::string& path) {
    std::error_code ec;
    const auto folder = std::filesystem::path(NativePath(path)).parent_path();
    if (!folder.empty()) std::filesystem::create_directories(folder, ec);
    return WriteFileWith(path, [&](RecordWriter& w) { WriteDefaultsLayout(m, w); });
}

bool ReadDefaultsFile(Model& m, const std::string& path) {
    // the model may be large: the copy being read lives on the heap
    auto staged = std::make_unique<Model>(m);
    if (!ReadFileWith(path, "defaults", [&](RecordReader& r) { ReadDefaultsLayout(*staged, r); })) return false;
    m = std::move(*staged);
    return true;
}

std::string UserConfigDirectory() {
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg && *xdg) return std::string(xdg) + "/Brindlemar";
    const char* home = std::getenv("HOME");
    if (home && *home) return std::string(home) + "/.config/Brindlemar";
    return "";
}

std::string DefaultsFileLocation(const std::string& programDirectory) {
    const std::string config = UserConfigDirectory();
    if (IsWritableDirectory(programDirectory) || config.empty()) return programDirectory + "/Default.dat";
    return config + "/Default.dat";
}

}  // namespace brindlemar

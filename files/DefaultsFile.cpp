#include "files/DefaultsFile.h"

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <system_error>
#include <unistd.h>

#include "files/Encoding.h"
#include "files/FieldGroups.h"
#include "files/FileAccess.h"
#include "files/Paths.h"

namespace brindlemar {

namespace {

void WriteDefaultsLayout(const Model& m, RecordWriter& w) {
    WritePageSettings(m, w);
    w.Integer(m.CurrentUnitSystem);
    w.Single(m.GravityAcceleration);
    WriteSingles(m, w, ConcreteFields);
    w.Single(m.ConcreteCover);
    WriteSingles(m, w, SoilFields);
    w.Integer(m.LegacySurchargeLoadType);
    w.Single(m.EnteredSeismicCoefficient);
    w.Text(FileTypeTitleText);
    w.Text(FileLayoutVersion);
    w.Integer(m.WaterIncluded);
    w.Integer(m.SeismicIncluded);
    w.Integer(m.PassiveToePressureIncluded);
    WriteSingles(m, w, ToeEarthFields);
    w.Integer(m.BaseMaterialOption);
    w.Integer(m.EarthPressureOption);
    w.Integer(m.SurchargeLoadType);
    w.Integer(m.ReinforcementDesignMethod);
    w.Integer(m.ReservedFileInteger);
    WriteSetsAndCoefficients(m, w);
    WriteBearing(m, w);
}

void ReadDefaultsLayout(Model& m, RecordReader& r) {
    ReadPageSettings(m, r);
    m.CurrentUnitSystem = r.Code("unit system", Metric, British);
    m.GravityAcceleration = r.Single();
    ReadSingles(m, r, ConcreteFields);
    m.ConcreteCover = r.Single();
    ReadSingles(m, r, SoilFields);
    // kept as it stands: only project files of old versions give it a meaning
    m.LegacySurchargeLoadType = r.Integer();
    m.EnteredSeismicCoefficient = r.Single();
    // title and version: the file is always taken to be in this layout
    r.Text();
    r.Text();
    m.WaterIncluded = r.Switch();
    m.SeismicIncluded = r.Switch();
    m.PassiveToePressureIncluded = r.Code("passive toe pressure switch", 0, 1);
    ReadSingles(m, r, ToeEarthFields);
    m.BaseMaterialOption = r.Code("base material", Rock, Soil);
    m.EarthPressureOption = r.Code("earth pressure option", Active, AtRest);
    m.SurchargeLoadType = r.Code("surcharge load type", DL, IC);
    m.ReinforcementDesignMethod = r.Code("design method", 0, 1);
    m.ReservedFileInteger = r.Integer();
    ReadSetsAndCoefficients(m, r);
    ReadBearing(m, r);

    // the entered values are not in the file: the values in use follow them
    m.FrontWaterDepth = m.EnteredFrontWaterDepth;
    m.BackWaterDepth = m.EnteredBackWaterDepth;
    m.AppliedSeismicCoefficient = m.EnteredSeismicCoefficient;
    if (m.CombinationSetCount <= 0) m.CombinationSetCount = 1;
}

bool IsWritableDirectory(const std::string& directory) {
    std::error_code ec;
    return std::filesystem::is_directory(directory, ec) && ::access(directory.c_str(), W_OK) == 0;
}

}  // namespace

bool WriteDefaultsFile(const Model& m, const std::string& path) {
    std::error_code ec;
    const auto folder = std::filesystem::path(path).parent_path();
    if (!folder.empty()) std::filesystem::create_directories(folder, ec);
    // a configuration folder that cannot be read was told at start-up, once:
    // the file is written after every file command, and is not worth a
    // message each time
    if (!folder.empty() && !FolderReadProblem(folder.string()).empty()) return false;
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

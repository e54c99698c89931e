#include "files/DefaultsFile.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <memory>
#include <system_error>
#include <unistd.h>

#include "files/Encoding.h"
#include "files/FieldGroups.h"
#include "files/FileAccess.h"
#include "files/FileHandles.h"
#include "files/Paths.h"
#include "files/SaveMarks.h"
#include "model/Initialise.h"
#include "model/InputRules.h"
#include "runtime/Hooks.h"
#include "runtime/RuntimeError.h"
#include "runtime/Text.h"

namespace brindlemar {

namespace {

// The longest defaults file: page settings, units and gravity, materials,
// identity, options, the sets and the bearing values.
constexpr std::size_t LargestDefaultsFileBytes = MaxPageSettingsBytes + 2 + 4 + (6 + 1 + 12) * 4 + 2 + 4 +
                                                 2 * MaxTextBytes + 3 * 2 + 5 * 4 + 5 * 2 +
                                                 MaxSetsAndCoefficientsBytes + BearingBytes;

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
    // title and version: the file is taken to be in this layout, unless it
    // names no version or a newer one
    r.Text();
    CheckVersion(r.Text());
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

    // the values in use follow the entered ones, which the file does not
    // carry, as its water and seismic switches say
    SetWaterDepths(m);
    SetSeismicCoefficient(m);
    if (m.CombinationSetCount <= 0) m.CombinationSetCount = 1;

    // New starts from the wall these values make: one that neither a window
    // nor an earlier version could have made would be saved into a project
    // that is refused at open, so the file is set aside like an unreadable
    // one, with the value named
    const std::string refusal = WallInputRefusal(m);
    if (!refusal.empty()) throw FileFormatError(refusal);
}

// Moves the file at `path` to the first free name of "<path>.unreadable",
// "<path>.unreadable.2" and so on, never over a file already there. ""
// with the new name in `aside`, else why not.
std::string MoveAside(const std::string& path, std::string& aside) {
    for (int n = 1; n <= 99; ++n) {
        aside = path + ".unreadable" + (n == 1 ? "" : "." + std::to_string(n));
        if (RenameNoReplace(path, aside)) return "";
        if (errno != EEXIST) return std::strerror(errno);
    }
    return "every name for it is taken";
}

}  // namespace

bool WriteDefaultsFile(Model& m, const std::string& path) {
    if (m.DefaultsFileLeftAlone && path == m.DefaultsFilePath) return false;
    std::error_code ec;
    const auto folder = std::filesystem::path(path).parent_path();
    if (!folder.empty()) std::filesystem::create_directories(folder, ec);
    // a configuration folder that cannot be read was told at start-up, once:
    // the file is written after every file command, and is not worth a
    // message each time
    if (!folder.empty() && !FolderReadProblem(folder.string()).empty()) return false;

    // the program's own defaults file, when another program wrote it since:
    // kept, it is left alone until the program ends
    const bool own = path == m.DefaultsFilePath;
    const auto mayReplace = [&](const FileStamp& found) {
        if (!own || m.DefaultsFileStamp == FileStamp{} || found == m.DefaultsFileStamp) return true;
        m.DefaultsFileLeftAlone = MsgBox(PathForMessage(path) + " was changed by another program since this one "
                                         "read or wrote it. Replace it with the defaults in use here?",
                                         vbYesNo + vbExclamation + vbDefaultButton2, ProductName) != vbYes;
        return !m.DefaultsFileLeftAlone;
    };
    // what a whole defaults file is, for a save to know one a save cut short left
    std::unique_ptr<Model> scratch;
    const auto parse = [&](RecordReader& r) { ReadDefaultsLayout(*(scratch = std::make_unique<Model>(m)), r); };
    std::string error;
    FileStamp left;
    {
        const BusyPointer busy;
        error = WriteFileProblem(path, [&](RecordWriter& w) { WriteDefaultsLayout(m, w); }, false, &left, mayReplace,
                                 parse);
    }
    if (error.empty() && own && !m.DefaultsFileLeftAlone) m.DefaultsFileStamp = left;
    if (error.empty()) return !m.DefaultsFileLeftAlone;
    if (!m.DefaultsWriteFailureTold) MsgBox(error, vbExclamation, ProductName);
    m.DefaultsWriteFailureTold = true;
    return false;
}

bool ReadDefaultsFile(Model& m, const std::string& path) {
    // the model may be large: the copy being read lives on the heap
    auto staged = std::make_unique<Model>(m);
    if (!ReadFileWith(path, "defaults", LargestDefaultsFileBytes,
                      [&](RecordReader& r) { ReadDefaultsLayout(*staged, r); }))
        return false;
    m = std::move(*staged);
    return true;
}

bool ReadUserDefaults(Model& m) {
    const std::string& path = m.DefaultsFilePath;
    if (m.DefaultsFileLeftAlone || !IsFile(path)) return true;
    auto staged = std::make_unique<Model>(m);
    const auto read = [&](const std::string& from) {
        staged = std::make_unique<Model>(m);
        const BusyPointer busy;
        return ReadFileProblem(from, "defaults", LargestDefaultsFileBytes,
                               [&](RecordReader& r) { ReadDefaultsLayout(*staged, r); });
    };
    std::string problem = read(path);
    if (problem.empty()) {
        m = std::move(*staged);
        m.DefaultsFileStamp = FileStampOf(path);
        return true;
    }

    // a file whose save was cut short holds no one's choices: the copy its
    // mark names holds the last whole ones, and they are what the next write
    // puts back. A user who cannot read that copy leaves the file alone for
    // its saver, the team's last defaults with it.
    const Descriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    std::string mark, contents;
    KeptCopy copy;
    if (file.Valid() && SavingMarkOn(file.Get(), mark) && ReadContents(file.Get(), contents) &&
        MarkBelieved(mark, contents, path, &copy)) {
        if (copy.Is == KeptCopy::Found && read(copy.Path.string()).empty()) {
            m = std::move(*staged);
            m.DefaultsFileStamp = FileStampOf(path);
            MsgBox(problem + "\nThe defaults kept there are used, and written over it when the defaults are next saved.",
                   vbExclamation, ProductName);
            return true;
        }
        m.DefaultsFileLeftAlone = true;
        MsgBox(problem + "\nThe built-in defaults are used, and the file is left as it is until the program ends.",
               vbExclamation, ProductName);
        return false;
    }

    // the user's standing choices may still be got back from it: keep it
    // where no later write replaces it
    std::string aside;
    const std::string why = MoveAside(path, aside);
    if (why.empty()) {
        MsgBox(problem + "\nIt was moved to " + PathForMessage(aside) + "; the built-in defaults are used.",
               vbExclamation, ProductName);
    } else {
        m.DefaultsFileLeftAlone = true;
        MsgBox(problem + "\nIt cannot be moved aside (" + why +
                   "): it is left as it is, and the built-in defaults are used until the program ends.",
               vbExclamation, ProductName);
    }
    return false;
}

std::string UserConfigDirectory() { return UserFolder("XDG_CONFIG_HOME", ".config"); }

std::string DefaultsFileLocation(const std::string& programDirectory, const std::string& configurationDirectory) {
    const std::string beside = programDirectory + "/Default.dat";
    if (configurationDirectory.empty() || IsFile(beside)) return beside;
    return configurationDirectory + "/Default.dat";
}

}  // namespace brindlemar

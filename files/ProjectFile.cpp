#include "files/ProjectFile.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>

#include "files/Encoding.h"
#include "files/FieldGroups.h"
#include "files/FileAccess.h"
#include "files/Paths.h"
#include "model/Initialise.h"
#include "model/InputRules.h"
#include "model/Outline.h"
#include "runtime/Format.h"
#include "runtime/RuntimeError.h"

namespace brindlemar {

namespace {

// The block of analysis results that old versions stored after the old-format
// line loads: 549 Singles and 2 Integers, all computed again on reading.
constexpr std::size_t OldResultsBytes = 549 * 4 + 2 * 2;

// How many of the line loads the old-format block carries.
constexpr int16_t LegacyLineLoadLimit = 10;

// The longest project file: the old-format block with the longest of what
// may follow its results marker, identity, restraints, the design and sets
// block with every line load, and the bearing values.
constexpr std::size_t LargestProjectFileBytes =
    MaxPageSettingsBytes + MaxTextBytes + 2 + (15 + 6 + 1 + 12 + 1) * 4 + 2 + 4 + 2 + 2 +
    MaxLineLoads * LineLoadBytes + 2 + std::max<std::size_t>(12 * 4, OldResultsBytes) +  // block A
    2 * MaxTextBytes +                                                                    // block B
    2 * 2 + 5 * 4 + 3 * 2 + 5 * 4 +                                                       // block C
    4 * 4 + 3 * 2 + 2 + MaxLineLoads * LineLoadBytes + 2 * 4 + 16 * 4 + 2 * 2 +
    MaxSetsAndCoefficientsBytes +  // block D
    BearingBytes;                  // block E

// Old-format values are stored in tenths under SI (centimetres for millimetres).
float OldFormFactor(const Model& m) { return m.CurrentUnitSystem == SI ? 10.0f : 1.0f; }

bool IsOneOf(const std::string& version, std::initializer_list<const char*> versions) {
    return std::any_of(versions.begin(), versions.end(), [&](const char* v) { return version == v; });
}

// wall dimensions, backfill slope and entered water depths, in the old block
constexpr std::array<SingleField, 15> GeometryFields{
    &ModelInputs::ToeLength,       &ModelInputs::StemFrontBatter, &ModelInputs::StemTopThickness,
    &ModelInputs::StemBackBatter,  &ModelInputs::HeelLength,      &ModelInputs::BaseWidth,
    &ModelInputs::FrontStemHeight, &ModelInputs::ToeTopDrop,      &ModelInputs::ToeTipThickness,
    &ModelInputs::BackStemHeight,  &ModelInputs::HeelTopDrop,     &ModelInputs::HeelEndThickness,
    &ModelInputs::BackfillSlopeRatio, &ModelInputs::EnteredFrontWaterDepth, &ModelInputs::EnteredBackWaterDepth};

// water and seismic values in use, adjacent structure capacity, key depth
constexpr std::array<SingleField, 5> RestraintFields{
    &ModelInputs::FrontWaterDepth, &ModelInputs::BackWaterDepth, &ModelInputs::AppliedSeismicCoefficient,
    &ModelInputs::AdjacentStructureCapacity, &ModelInputs::ShearKeyDepth};

constexpr std::array<SingleField, 4> KeyPositionFields{
    &ModelInputs::AdjacentStructurePosition, &ModelInputs::ShearKeyToeDistance, &ModelInputs::ShearKeyWidth,
    &ModelInputs::ShearKeyHeelDistance};

// ---- writing ----

// The old-format values that the first block still carries, from the current ones.
void PrepareLegacyValues(Model& m) {
    m.LegacySurchargeLoadType = LegacyLoadTypeOf(m.SurchargeLoadType);
    CheckedIndex(m.LineLoadCount, 0, MaxLineLoads);
    m.LegacyLineLoadCount = std::min(m.LineLoadCount, LegacyLineLoadLimit);
    for (int i = 1; i <= m.LegacyLineLoadCount; ++i) {
        m.LegacyLineLoads[i] = m.LineLoads[i];
        m.LegacyLineLoads[i].LoadType = LegacyLoadTypeOf(m.LineLoads[i].LoadType);
    }
    m.LegacyProjectFlag = True;
    m.StoredResultsMarker = -1;
}

void WriteOldFormatBlock(const Model& m, RecordWriter& w) {
    const double oldForm = OldFormFactor(m);
    WritePageSettings(m, w);
    w.Text(m.ProjectTitle);
    w.Integer(m.CurrentUnitSystem);
    WriteSingles(m, w, GeometryFields);
    WriteSingles(m, w, ConcreteFields);
    w.Single(ToSingle(m.ConcreteCover / oldForm));
    WriteSingles(m, w, SoilFields);
    w.Single(m.BackfillSurcharge);
    w.Integer(m.LegacySurchargeLoadType);
    w.Single(m.EnteredSeismicCoefficient);
    w.Integer(m.LegacyProjectFlag);
    w.Integer(m.LegacyLineLoadCount);
    for (int i = 1; i <= m.LegacyLineLoadCount; ++i) w.Record(m.LegacyLineLoads[i]);
    // the marker is written doubled: -2 says the old-form bar choices follow
    w.Integer(static_cast<int16_t>(2 * m.StoredResultsMarker));
    for (int i = 3; i <= 8; ++i) w.Single(ToSingle(m.UserBarDiameters[i] / oldForm));
    for (int i = 3; i <= 8; ++i) w.Single(ToSingle(m.UserBarSpacings[i] / oldForm));
}

void WriteCurrentBlocks(const Model& m, RecordWriter& w) {
    // identity
    w.Text(FileTypeTitleText);
    w.Text(FileLayoutVersion);

    // water, seismic loading, restraints and toe earth
    w.Integer(m.WaterIncluded);
    w.Integer(m.SeismicIncluded);
    WriteSingles(m, w, RestraintFields);
    w.Integer(m.PassiveToePressureIncluded);
    w.Integer(m.AdjacentStructureIncluded);
    w.Integer(m.ShearKeyIncluded);
    WriteSingles(m, w, ToeEarthFields);

    // restraint position, shear key, options, line loads, reinforcement choices, sets
    WriteSingles(m, w, KeyPositionFields);
    w.Integer(m.BaseMaterialOption);
    w.Integer(m.EarthPressureOption);
    w.Integer(m.SurchargeLoadType);
    w.Integer(m.LineLoadCount);
    for (int i = 1; i <= m.LineLoadCount; ++i) w.Record(m.LineLoads[i]);
    w.Single(m.UpperStemLength);
    w.Single(m.ConcreteCover);
    for (int i = 1; i <= 8; ++i) {
        w.Single(m.UserBarDiameters[i]);
        w.Single(m.UserBarSpacings[i]);
    }
    w.Integer(m.ReinforcementDesignMethod);
    w.Integer(m.ReservedFileInteger);
    WriteSetsAndCoefficients(m, w);

    // the 2.60 part
    WriteBearing(m, w);
}

// ---- reading ----

// What the first block holds only in its old form, kept aside until the
// version says whether it is needed.
struct OldFormValues {
    float Cover = 0;
    std::array<float, 7> BarDiameters{};  // positions 3 to 8 as elements 1 to 6
    std::array<float, 7> BarSpacings{};
};

std::string Ordinal(const char* what, int i) { return std::string(what) + " " + std::to_string(i); }

void CheckLegacyLoadType(int16_t type, const std::string& what) {
    if (type < 1 || type > 7)
        throw FileFormatError(what + " has the old load type " + std::to_string(type) + " (1 to 7)");
}

void ReadOldFormatBlock(Model& m, RecordReader& r, OldFormValues& old) {
    ReadPageSettings(m, r);
    m.ProjectTitle = r.Text();
    m.CurrentUnitSystem = r.Code("unit system", Metric, British);
    ReadSingles(m, r, GeometryFields);
    ReadSingles(m, r, ConcreteFields);
    old.Cover = r.Single();
    ReadSingles(m, r, SoilFields);
    m.BackfillSurcharge = r.Single();
    m.LegacySurchargeLoadType = r.Integer();
    m.EnteredSeismicCoefficient = r.Single();
    m.LegacyProjectFlag = r.Integer();
    m.LegacyLineLoadCount = r.Count("old-format line load", "old-format line loads", 0, MaxLineLoads, LineLoadBytes);
    for (int i = 1; i <= m.LegacyLineLoadCount; ++i) r.Record(m.LegacyLineLoads[i]);

    // what follows the results marker
    const int16_t marker = r.Integer();
    if (marker == -2) {
        m.StoredResultsMarker = -1;
        for (int i = 1; i <= 6; ++i) old.BarDiameters[i] = r.Single();
        for (int i = 1; i <= 6; ++i) old.BarSpacings[i] = r.Single();
    } else if (marker == -1) {
        r.Skip(OldResultsBytes);
    }
}

// 1.x files knew no restraints, no separate toe earth, and always loaded the
// wall with water and earthquake.
void CompleteFirstVersion(Model& m) {
    m.WaterIncluded = True;
    m.SeismicIncluded = True;
    m.AdjacentStructureCapacity = 0;
    m.ShearKeyDepth = 0;
    m.PassiveToePressureIncluded = 0;
    m.AdjacentStructureIncluded = 0;
    m.ShearKeyIncluded = 0;
    m.ToeEarthUnitWeight = m.BackfillUnitWeight;
    m.ToeEarthDryDensity = m.BackfillDryDensity;
    m.ToeEarthSaturatedDensity = m.BackfillSaturatedDensity;
    m.ToeEarthFrictionAngle = m.BackfillFrictionAngle;
    m.ToeEarthCohesion = m.BackfillCohesion;
}

// The water and seismic switches are on for any value but 0: engineers' files
// hold 1 as well as the program's own -1.
void ReadRestraintBlock(Model& m, RecordReader& r) {
    m.WaterIncluded = r.Switch();
    m.SeismicIncluded = r.Switch();
    ReadSingles(m, r, RestraintFields);
    m.PassiveToePressureIncluded = r.Code("passive toe pressure switch", 0, 1);
    m.AdjacentStructureIncluded = r.Code("adjacent structure switch", 0, 1);
    m.ShearKeyIncluded = r.Code("shear key switch", 0, 1);
    ReadSingles(m, r, ToeEarthFields);
}

// 2.00 to 2.21 kept their line loads and surcharge type only in the old
// numbering. Only here do the old types matter: other versions throw them away.
void TakeOverLegacyLoads(Model& m) {
    CheckLegacyLoadType(m.LegacySurchargeLoadType, "the surcharge");
    for (int i = 1; i <= m.LegacyLineLoadCount; ++i)
        CheckLegacyLoadType(m.LegacyLineLoads[i].LoadType, Ordinal("old-format line load", i));
    m.SurchargeLoadType = LoadTypeOfLegacy(m.LegacySurchargeLoadType);
    m.LineLoadCount = m.LegacyLineLoadCount;
    for (int i = 1; i <= m.LineLoadCount; ++i) {
        m.LineLoads[i] = m.LegacyLineLoads[i];
        m.LineLoads[i].LoadType = LoadTypeOfLegacy(m.LegacyLineLoads[i].LoadType);
    }
}

void ReadDesignAndSetsBlock(Model& m, RecordReader& r) {
    ReadSingles(m, r, KeyPositionFields);
    m.BaseMaterialOption = r.Code("base material", Rock, Soil);
    m.EarthPressureOption = r.Code("earth pressure option", Active, AtRest);
    m.SurchargeLoadType = r.Code("surcharge load type", DL, IC);
    m.LineLoadCount = r.Count("line load", "line loads", 0, MaxLineLoads, LineLoadBytes);
    for (int i = 1; i <= m.LineLoadCount; ++i) {
        r.Record(m.LineLoads[i]);
        const int16_t type = m.LineLoads[i].LoadType;
        if (type < DL || type > IC)
            throw FileFormatError(Ordinal("line load", i) + " has load type " + std::to_string(type) + " (1 to 9)");
    }
    m.UpperStemLength = r.Single();
    m.ConcreteCover = r.Single();
    for (int i = 1; i <= 8; ++i) {
        m.UserBarDiameters[i] = r.Single();
        m.UserBarSpacings[i] = r.Single();
    }
    m.ReinforcementDesignMethod = r.Code("design method", 0, 1);
    m.ReservedFileInteger = r.Integer();
    ReadSetsAndCoefficients(m, r);
}

// Versions before 2.50: no restraint position, a default key at the heel end,
// the bar choices only in their old form for positions 3 to 8.
void CompleteBefore250(Model& m, const OldFormValues& old) {
    const double factor = OldFormFactor(m);
    m.AdjacentStructurePosition = 0;
    m.ShearKeyWidth = 0.6f;
    m.ShearKeyHeelDistance = 0;
    m.ShearKeyToeDistance = ToSingle(double(m.BaseWidth) - 0.6);
    m.BaseMaterialOption = Rock;
    m.EarthPressureOption = Active;
    m.UpperStemLength = 0;
    m.ConcreteCover = ToSingle(old.Cover * factor);
    for (int i = 1; i <= 6; ++i) {
        m.UserBarDiameters[i + 2] = ToSingle(old.BarDiameters[i] * factor);
        m.UserBarSpacings[i + 2] = ToSingle(old.BarSpacings[i] * factor);
    }
    m.UserBarDiameters[1] = m.UserBarDiameters[3];
    m.UserBarDiameters[2] = m.UserBarDiameters[4];
    m.UserBarSpacings[1] = m.UserBarSpacings[3];
    m.UserBarSpacings[2] = m.UserBarSpacings[4];
    m.ReinforcementDesignMethod = 0;
    m.KaSource = Computed;
    m.EnteredKa = 0;
    m.KaeSource = Computed;
    m.EnteredKae = 0;
    m.KpSource = Computed;
    m.EnteredKp = 0;
}

void ReadProjectLayout(Model& m, RecordReader& r) {
    OldFormValues old;
    ReadOldFormatBlock(m, r, old);

    r.Text();  // the file type title
    const std::string version = r.Text();
    CheckVersion(version);
    const bool current = version == FileLayoutVersion;

    if (version[0] != '2') {
        CompleteFirstVersion(m);
    } else {
        ReadRestraintBlock(m, r);
        if (IsOneOf(version, {"2.00", "2.10", "2.20", "2.21"})) TakeOverLegacyLoads(m);
    }

    if (IsOneOf(version, {"2.50", "2.60"})) {
        ReadDesignAndSetsBlock(m, r);
        if (current) {
            ReadBearing(m, r);
        } else {
            m.BaseUnitWeight = m.ToeEarthUnitWeight;
            m.BearingResistanceMethod = NominalBearing;
            m.BaseSptBlowCount = 0;
            m.BaseCptTipResistance = 0;
            m.MinimumFluidDensity = 0;
            m.MinimumFluidDensityEnabled = 0;
        }
    } else {
        CompleteBefore250(m, old);
    }

    // derived values: the height, and the water depths and seismic
    // coefficient in use as the switches read say
    m.WallHeight = ToSingle(FrontWallHeight(m));
    SetWaterDepths(m);
    SetSeismicCoefficient(m);

    RefitShearKey(m);

    // A wall no window nor earlier version could have made (water above the
    // wall, faces further apart than rounding leaves them) is told, not opened
    // into numbers the analysis was never meant to weigh.
    const std::string refusal = WallInputRefusal(m);
    if (!refusal.empty()) throw FileFormatError(refusal);

    // the footer token of old versions
    if (m.FooterTexts[1] == "&Input") m.FooterTexts[1] = "&File";
}

}  // namespace

int16_t LegacyLoadTypeOf(int16_t loadType) {
    static constexpr int16_t legacy[10] = {0, 1, 1, 3, 1, 2, 6, 4, 7, 1};
    return legacy[CheckedIndex(loadType, DL, IC)];
}

int16_t LoadTypeOfLegacy(int16_t legacyType) {
    static constexpr int16_t current[8] = {0, DL, LL, EH, WA, DL, LD, EQ};
    return current[CheckedIndex(legacyType, 1, 7)];
}

void RefitShearKey(Model& m) {
    const float B = m.BaseWidth;
    float& toe = m.ShearKeyToeDistance;
    float& width = m.ShearKeyWidth;
    float& heel = m.ShearKeyHeelDistance;
    const auto inside = [&](float v) { return v >= 0 && v <= B; };
    // the sum as the distances are stored, in single precision; a sum that
    // matches the base to that precision is left alone, so that a key once
    // refitted stays as it is
    const float s = toe + width + heel;
    const float tolerance = 4 * std::numeric_limits<float>::epsilon() * std::max(std::fabs(B), 1.0f);
    if (std::fabs(s - B) <= tolerance && inside(toe) && inside(width) && inside(heel)) return;

    // the width and heel distance stand as given as far as the base allows;
    // the toe distance takes up the rest
    const float room = std::max(B, 0.0f);
    width = std::clamp(width, 0.0f, room);
    heel = std::clamp(heel, 0.0f, room);
    toe = ToSingle(double(B) - width - heel);
    if (toe < 0) {
        toe = 0;
        heel = ToSingle(double(room) - width);
    }
}

bool WriteProjectFile(Model& m, const std::string& path, const ReplaceCheck& mayReplace) {
    m.SaveSucceeded = False;
    const FileStamp before = FileStampOf(path);
    FileStamp stamp;
    // what a whole project file is, for a save to know one a save cut short left
    std::unique_ptr<Model> scratch;
    const auto parse = [&](RecordReader& r) {
        scratch = std::make_unique<Model>(m);
        ReadProjectLayout(*scratch, r);
    };
    const bool written = WriteFileWith(
        path,
        [&](RecordWriter& w) {
            PrepareLegacyValues(m);
            WriteOldFormatBlock(m, w);
            WriteCurrentBlocks(m, w);
        },
        true, &stamp, mayReplace, parse);
    if (!written) {
        // the file the project was read from, put back by the save itself,
        // has not been changed by anyone else
        if (stamp != FileStamp{} && before == m.ProjectFileStamp) m.ProjectFileStamp = stamp;
        return false;
    }
    m.ProjectFileStamp = stamp;
    m.SaveSucceeded = True;
    m.ProjectModified = False;
    return true;
}

bool ReadProjectFile(Model& m, const std::string& path) {
    // the model may be large: the copy being read lives on the heap
    auto staged = std::make_unique<Model>(m);
    // taken before the read: a file that changes while it is read counts as
    // changed by someone else
    staged->ProjectFileStamp = FileStampOf(path);
    const bool read = ReadFileWith(path, "project", LargestProjectFileBytes, [&](RecordReader& r) {
        ReadProjectLayout(*staged, r);
        ComputeWallOutline(*staged);
    });
    if (!read) return false;
    staged->ProjectModified = False;
    m = std::move(*staged);
    return true;
}

}  // namespace brindlemar

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/xattr.h>

#include "FileTestSupport.h"
#include "files/DefaultsFile.h"
#include "files/Encoding.h"
#include "files/FieldGroups.h"
#include "model/Initialise.h"
#include "support/MessageRecorder.h"
#include "support/ScopedEnvironment.h"
#include "support/TempDir.h"

namespace brindlemar {
namespace {

namespace fs = std::filesystem;

// Every field the defaults file carries, away from its built-in value.
void ChangeEverythingCarried(Model& m) {
    m.PageMarginLeft = 30;
    m.PageMarginRight = 15;
    m.PageMarginTop = 12;
    m.PageMarginBottom = 18;
    m.FooterTexts = {"", "left", "", std::string(255, 'r')};
    m.ReportFontName = "Courier New";
    m.ReportFontSize = 11.5f;
    m.CurrentUnitSystem = British;
    m.GravityAcceleration = 9.80665f;
    m.ConcreteUnitWeight = 0.15f;
    m.ConcreteCompressiveStress = 4000;
    m.ConcreteElasticityModulus = 36;
    m.ConcretePoissonRatio = 0.18f;
    m.RebarYieldStress = 60000;
    m.RebarElasticityModulus = 290;
    m.ConcreteCover = 2.5f;
    m.WaterUnitWeight = 0.0624f;
    m.BackfillUnitWeight = 0.12f;
    m.BackfillDryDensity = 0.11f;
    m.BackfillSaturatedDensity = 0.13f;
    m.BackfillFrictionAngle = 34;
    m.BackfillCohesion = 1;
    m.BaseFrictionAngle = 29;
    m.BaseCohesion = 2;
    m.NominalBearingResistance = 0;  // the loads dialog of earlier versions took it
    m.BaseElasticityModulus = 3;
    m.EarthToEarthFrictionAngle = 26;
    m.ConcreteToEarthFrictionAngle = 19;
    m.LegacySurchargeLoadType = 0;  // never set by a reset: must pass through
    m.EnteredSeismicCoefficient = 0.22f;
    m.EnteredFrontWaterDepth = 3;
    m.EnteredBackWaterDepth = 2;
    m.WaterIncluded = 0;
    m.SeismicIncluded = 0;
    m.PassiveToePressureIncluded = 0;
    m.ToeEarthUnitWeight = 0.121f;
    m.ToeEarthDryDensity = 0.111f;
    m.ToeEarthSaturatedDensity = 0.131f;
    m.ToeEarthFrictionAngle = 31;
    m.ToeEarthCohesion = 0.5f;
    m.BaseMaterialOption = Soil;
    m.EarthPressureOption = AtRest;
    m.SurchargeLoadType = LD;
    m.ReinforcementDesignMethod = 1;
    m.ReservedFileInteger = -7;
    m.CurrentLoadCombination.Name = "In use";
    m.CurrentLoadCombination.Factor[3] = 1.5f;
    m.CombinationSetCount = 3;
    m.CombinationSets[2] = m.CombinationSets[1];
    m.CombinationSets[2].Name = "Strength I";
    m.CombinationSets[2].Comment = "from the code";
    m.CombinationSets[2].CombinationCount = 4;
    m.CombinationSets[3].Name = "spare slot, carried too";
    m.ActiveCombinationSet = 2;
    m.CurrentCombination = 3;
    m.KaSource = UserValue;
    m.EnteredKa = 0.3f;
    m.KaeSource = UserValue;
    m.EnteredKae = 0.45f;
    m.KpSource = UserValue;
    m.EnteredKp = 3.5f;
    m.BaseUnitWeight = 0.125f;
    m.BearingResistanceMethod = TheoreticalBearing;
    m.BaseSptBlowCount = 30;
    m.BaseCptTipResistance = 150;
    m.MinimumFluidDensity = -0.035f;  // its box had no rule
    m.MinimumFluidDensityEnabled = 1;
}

TEST(DefaultsFile, WrittenAndReadBackReproducesEveryField) {
    test::TempDir dir;
    test::MessageRecorder rec;
    auto written = test::BuiltInModel(dir.Path().string());
    ChangeEverythingCarried(*written);
    const std::string path = dir.File("Default.dat");
    ASSERT_TRUE(WriteDefaultsFile(*written, path));
    EXPECT_EQ(test::ReadBytes(path).substr(0, 4), std::string(4, '\0'));

    // read over a model with other values in every field the file carries,
    // and in the fields it does not carry
    auto read = test::BuiltInModel(dir.File("elsewhere"));
    read->ToeLength += 1.25f, read->BaseWidth += 1.25f;
    read->LineLoadCount = 1;
    ASSERT_TRUE(ReadDefaultsFile(*read, path));
    EXPECT_TRUE(rec.Messages.empty());
    EXPECT_EQ(rec.BusyDepth, 0);

    // the fields the file does not carry stay
    EXPECT_FLOAT_EQ(read->ToeLength, written->ToeLength + 1.25f);
    EXPECT_EQ(read->LineLoadCount, 1);
    // the values in use follow the file's switches, both off: no water, no earthquake
    const float underside = read->ToeTopDrop + read->FrontStemHeight + read->ToeTipThickness;
    EXPECT_FLOAT_EQ(read->FrontWaterDepth, underside);
    EXPECT_FLOAT_EQ(read->BackWaterDepth, underside);
    EXPECT_FLOAT_EQ(read->AppliedSeismicCoefficient, 0);
    // everything else as written: a second write gives the same bytes
    read->EnteredFrontWaterDepth = written->EnteredFrontWaterDepth;
    read->EnteredBackWaterDepth = written->EnteredBackWaterDepth;
    ASSERT_TRUE(WriteDefaultsFile(*read, dir.File("again.dat")));
    EXPECT_EQ(test::ReadBytes(dir.File("again.dat")), test::ReadBytes(path));
    EXPECT_EQ(read->CurrentUnitSystem, British);
    EXPECT_TRUE(read->CombinationSets[3] == written->CombinationSets[3]);
    EXPECT_EQ(read->LegacySurchargeLoadType, 0);
    EXPECT_EQ(read->ReservedFileInteger, -7);
}

TEST(DefaultsFile, TheNextResetTakesTheUsersChoicesButNotTheGeometry) {
    test::TempDir dir;
    auto m = test::BuiltInModel(dir.Path().string());
    ChangeEverythingCarried(*m);
    m->ToeLength = 9;
    m->BaseUnitWeight = 0;  // which the theoretical bearing capacity of earlier versions took
    ASSERT_TRUE(WriteDefaultsFile(*m, m->DefaultsFilePath));

    InitialiseProject(*m);
    EXPECT_EQ(m->CurrentUnitSystem, British);
    EXPECT_FLOAT_EQ(m->ConcreteCompressiveStress, 4000);
    EXPECT_EQ(m->CombinationSetCount, 3);
    EXPECT_EQ(m->CombinationSets[2].Name, "Strength I");
    EXPECT_EQ(m->BearingResistanceMethod, TheoreticalBearing);
    // the built-in numbers stand, unconverted, in the file's units
    EXPECT_FLOAT_EQ(m->ToeLength, 2.0f);
    EXPECT_FLOAT_EQ(m->StemTopThickness, 0.83f);
}

// A defaults file another program wrote since is replaced only when the user
// says so (No the default); kept, it is left alone until the program ends.
TEST(DefaultsFile, OneAnotherProgramWroteIsReplacedOnlyWhenTheUserSaysSo) {
    for (const int answer : {vbNo, vbYes}) {
        test::TempDir dir;
        auto m = test::BuiltInModel(dir.Path().string()), other = test::BuiltInModel(dir.Path().string());
        ASSERT_TRUE(WriteDefaultsFile(*m, m->DefaultsFilePath) && WriteDefaultsFile(*other, m->DefaultsFilePath));
        test::MessageRecorder rec;
        rec.Answer(answer);
        for (int save = 0; save < 2; ++save) EXPECT_EQ(WriteDefaultsFile(*m, m->DefaultsFilePath), answer == vbYes);
        EXPECT_TRUE(rec.Messages.size() == 1 && rec.Messages[0].Style == vbYesNo + vbExclamation + vbDefaultButton2);
        // the other asks in turn only when it did not write last
        EXPECT_EQ(WriteDefaultsFile(*other, m->DefaultsFilePath), answer == vbNo);
        EXPECT_EQ(rec.Messages.size(), answer == vbNo ? 1u : 2u);
    }
}

// A defaults file the program cannot read (damaged, foreign, of an older
// layout, or making a wall no window could) holds the user's choices: it is moved aside under a free name, one
// message names both paths, the built-in values stand, the next reset says
// nothing and the next write leaves it alone.
TEST(DefaultsFile, AnUnreadableFileIsMovedAsideOnceAndTheBuiltInValuesStand) {
    test::TempDir dir;
    auto m = test::BuiltInModel(dir.Path().string());
    ChangeEverythingCarried(*m);
    ASSERT_TRUE(WriteDefaultsFile(*m, m->DefaultsFilePath));
    const std::string path = m->DefaultsFilePath;
    const std::string bytes = test::ReadBytes(path);

    struct Case {
        const char* what;
        std::string bytes;
        const char* message;
    };
    std::string units = bytes, newer = bytes, poisson = bytes;
    // lead-in, margins, three footers, font name, font size
    const std::size_t unitsAt = 4 + 8 + (2 + 4) + 2 + (2 + 255) + (2 + 11) + 4;
    test::PatchInteger(units, unitsAt, 7);
    // after gravity, the concrete's unit weight, strength and modulus
    test::PatchSingle(poisson, unitsAt + 2 + 4 + 3 * 4, 0);
    newer.replace(newer.find(FileLayoutVersion), 4, "3.00");
    const Case cases[] = {
        {"truncated", bytes.substr(0, bytes.size() - 1), "it ends too early"},
        {"older layout, without the bearing values", bytes.substr(0, bytes.size() - BearingBytes),
         "it ends too early"},
        {"cut in the sets", bytes.substr(0, bytes.size() / 2), "4 records) need"},
        {"unknown unit system", units, "unit system 7 (0 to 2)"},
        {"empty", "", "it ends too early, after 0 bytes"},
        {"zeros as long as the file", std::string(bytes.size(), '\0'), "it names no version of the program"},
        {"written by a newer version", newer, "it was written by a newer version of the program (3.00)"},
        {"a value no window takes", poisson, "\nPoisson's ratio 0 is not a number greater than 0\n"},
    };
    int moved = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        test::WriteBytes(path, c.bytes);
        const std::string aside = path + ".unreadable" + (moved++ ? "." + std::to_string(moved) : "");
        test::MessageRecorder rec;
        auto reset = std::make_unique<Model>();
        reset->ProgramDirectory = dir.Path().string();
        InitialiseProject(*reset);
        ASSERT_EQ(rec.Messages.size(), 1u);
        const std::string& message = rec.Messages[0].Text;
        EXPECT_EQ(message.rfind("Not a valid defaults file: " + path + "\n", 0), 0u) << message;
        EXPECT_NE(message.find(c.message), std::string::npos) << message;
        EXPECT_NE(message.find("\nIt was moved to " + aside + "; the built-in defaults are used."), std::string::npos)
            << message;
        EXPECT_EQ(rec.BusyDepth, 0);
        EXPECT_EQ(reset->CurrentUnitSystem, Metric);
        EXPECT_EQ(reset->CombinationSetCount, 2);
        EXPECT_FLOAT_EQ(reset->ConcreteCompressiveStress, test::BuiltInModel(dir.File("x"))->ConcreteCompressiveStress);

        EXPECT_FALSE(fs::exists(path));
        EXPECT_EQ(test::ReadBytes(aside), c.bytes) << "kept byte for byte";
        InitialiseProject(*reset);
        ASSERT_TRUE(WriteDefaultsFile(*reset, path));
        EXPECT_EQ(test::ReadBytes(aside), c.bytes) << "not written over";
        EXPECT_EQ(rec.Messages.size(), 1u) << "nothing more at the next reset and write";

        // the reader alone leaves the model as it was
        auto before = std::make_unique<Model>(*reset);
        EXPECT_FALSE(ReadDefaultsFile(*reset, aside));
        test::ExpectSameFileState(*reset, *before);
    }

    // with no free name left the file stays where it is, untouched for the
    // rest of the run
    for (int n = moved + 1; n <= 99; ++n) test::WriteBytes(path + ".unreadable." + std::to_string(n), "");
    test::WriteBytes(path, "\x05");
    test::MessageRecorder rec;
    auto reset = std::make_unique<Model>();
    reset->ProgramDirectory = dir.Path().string();
    InitialiseProject(*reset);
    ASSERT_EQ(rec.Messages.size(), 1u);
    EXPECT_NE(rec.Messages[0].Text.find("\nIt cannot be moved aside (every name for it is taken): it is left as it is"),
              std::string::npos)
        << rec.Messages[0].Text;
    InitialiseProject(*reset);
    EXPECT_FALSE(WriteDefaultsFile(*reset, path));
    EXPECT_EQ(test::ReadBytes(path), "\x05");
    EXPECT_EQ(rec.Messages.size(), 1u);

    // a mark of a cut-short save that names no copy there, which anyone who
    // may write the file can set, is not believed: the file is read
    test::WriteBytes(path, bytes);
    ASSERT_EQ(::setxattr(path.c_str(), "user.brindlemar.saving", "Default.BAK\nroot", 16, 0), 0);
    reset = test::BuiltInModel(dir.Path().string());
    EXPECT_EQ(rec.Messages.size(), 1u);
    EXPECT_EQ(reset->CurrentUnitSystem, British);
}

// The installed program keeps the user's defaults with the settings in the
// user's configuration folder, never among the programs; only a copy that
// already keeps its Default.dat beside it (carried on a stick) goes on so.
TEST(DefaultsFile, LivesInTheConfigurationFolderUnlessACopyIsBesideTheProgram) {
    test::TempDir dir;
    const test::ScopedEnvironment config("XDG_CONFIG_HOME", dir.File("config"));
    const std::string configuration = UserConfigDirectory();
    EXPECT_EQ(configuration, dir.File("config") + "/Brindlemar");
    {
        // the base-directory rules ignore a relative folder
        const test::ScopedEnvironment home("HOME", dir.File("home"));
        const test::ScopedEnvironment relative("XDG_CONFIG_HOME", "relconf");
        EXPECT_EQ(UserConfigDirectory(), dir.File("home") + "/.config/Brindlemar");
    }
    const std::string program = dir.File("bin");
    std::filesystem::create_directory(program);

    EXPECT_EQ(DefaultsFileLocation(program, configuration), configuration + "/Default.dat") << "a writable bin/";
    EXPECT_EQ(DefaultsFileLocation(program, ""), program + "/Default.dat") << "no configuration folder known";
    test::WriteBytes(program + "/Default.dat", "");
    EXPECT_EQ(DefaultsFileLocation(program, configuration), program + "/Default.dat") << "a portable copy";
    std::filesystem::remove(program + "/Default.dat");

    // a reset and a write put it in the configuration folder, made on the first write
    auto m = std::make_unique<Model>();
    m->ProgramDirectory = program;
    m->ConfigurationDirectory = configuration;
    InitialiseProject(*m);
    EXPECT_EQ(m->DefaultsFilePath, configuration + "/Default.dat");
    m->CurrentUnitSystem = SI;
    ASSERT_TRUE(WriteDefaultsFile(*m, m->DefaultsFilePath));
    EXPECT_TRUE(std::filesystem::is_empty(program));
    auto read = test::BuiltInModel(dir.File("elsewhere"));
    ASSERT_TRUE(ReadDefaultsFile(*read, m->DefaultsFilePath));
    EXPECT_EQ(read->CurrentUnitSystem, SI);
}

}  // namespace
}  // namespace brindlemar

#include <gtest/gtest.h>

#include <filesystem>

#include "FileTestSupport.h"
#include "files/DefaultsFile.h"
#include "files/Encoding.h"
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
    m.NominalBearingResistance = 40;
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
    m.MinimumFluidDensity = 0.035f;
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
    read->ToeLength = 3.25f;
    read->LineLoadCount = 1;
    ASSERT_TRUE(ReadDefaultsFile(*read, path));
    EXPECT_TRUE(rec.Messages.empty());
    EXPECT_EQ(rec.BusyDepth, 0);

    // the fields the file does not carry stay
    EXPECT_FLOAT_EQ(read->ToeLength, 3.25f);
    EXPECT_EQ(read->LineLoadCount, 1);
    // the values in use follow the entered ones, which the file does not carry
    EXPECT_FLOAT_EQ(read->FrontWaterDepth, 5);
    EXPECT_FLOAT_EQ(read->AppliedSeismicCoefficient, 0.22f);
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
    ASSERT_TRUE(WriteDefaultsFile(*m, m->DefaultsFilePath));

    InitialiseProject(*m);
    EXPECT_EQ(m->CurrentUnitSystem, British);
    EXPECT_FLOAT_EQ(m->ConcreteCompressiveStress, 4000);
    EXPECT_EQ(m->CombinationSetCount, 3);
    EXPECT_EQ(m->CombinationSets[2].Name, "Strength I");
    // the built-in numbers stand, unconverted, in the file's units
    EXPECT_FLOAT_EQ(m->ToeLength, 2.0f);
    EXPECT_FLOAT_EQ(m->StemTopThickness, 0.83f);
}

TEST(DefaultsFile, ADamagedFileIsReportedOnceAndTheBuiltInValuesStand) {
    test::TempDir dir;
    auto m = test::BuiltInModel(dir.Path().string());
    ChangeEverythingCarried(*m);
    ASSERT_TRUE(WriteDefaultsFile(*m, m->DefaultsFilePath));
    std::string bytes = test::ReadBytes(m->DefaultsFilePath);

    struct Case {
        const char* what;
        std::string bytes;
        const char* message;
    };
    std::string units = bytes;
    // lead-in, margins, three footers, font name, font size
    test::PatchInteger(units, 4 + 8 + (2 + 4) + 2 + (2 + 255) + (2 + 11) + 4, 7);
    const Case cases[] = {
        {"truncated", bytes.substr(0, bytes.size() - 1), "it ends too early"},
        {"cut in the sets", bytes.substr(0, bytes.size() / 2), "4 records) need"},
        {"unknown unit system", units, "unit system 7 (0 to 2)"},
        {"empty", "", "it ends too early, after 0 bytes"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        test::WriteBytes(m->DefaultsFilePath, c.bytes);
        test::MessageRecorder rec;
        auto reset = std::make_unique<Model>();
        reset->ProgramDirectory = dir.Path().string();
        InitialiseProject(*reset);
        ASSERT_EQ(rec.Messages.size(), 1u);
        EXPECT_NE(rec.Messages[0].Text.find("Not a valid defaults file: "), std::string::npos);
        EXPECT_NE(rec.Messages[0].Text.find(c.message), std::string::npos) << rec.Messages[0].Text;
        EXPECT_EQ(reset->CurrentUnitSystem, Metric);
        EXPECT_EQ(reset->CombinationSetCount, 2);
        EXPECT_FLOAT_EQ(reset->ConcreteCompressiveStress, test::BuiltInModel(dir.File("x"))->ConcreteCompressiveStress);

        // the reader alone leaves the model as it was
        auto before = std::make_unique<Model>(*reset);
        EXPECT_FALSE(ReadDefaultsFile(*reset, m->DefaultsFilePath));
        test::ExpectSameFileState(*reset, *before);
    }
}

TEST(DefaultsFile, LivesInTheConfigurationFolderWhenTheProgramFolderCannotBeWritten) {
    test::TempDir dir;
    const test::ScopedEnvironment config("XDG_CONFIG_HOME", dir.File("config"));

    EXPECT_EQ(DefaultsFileLocation(dir.Path().string()), dir.Path().string() + "/Default.dat");
    const std::string installed = dir.File("no such program folder");
    const std::string location = DefaultsFileLocation(installed);
    EXPECT_EQ(location, dir.File("config") + "/Brindlemar/Default.dat");

    // the folder is made on the first write
    auto m = test::BuiltInModel(dir.Path().string());
    m->CurrentUnitSystem = SI;
    ASSERT_TRUE(WriteDefaultsFile(*m, location));
    auto read = test::BuiltInModel(dir.File("elsewhere"));
    ASSERT_TRUE(ReadDefaultsFile(*read, location));
    EXPECT_EQ(read->CurrentUnitSystem, SI);
}

}  // namespace
}  // namespace brindlemar

#include <gtest/gtest.h>

#include <fstream>

#include "support/BuiltInWall.h"
#include "model/Initialise.h"
#include "runtime/Colours.h"
#include "support/MessageRecorder.h"

namespace brindlemar {
namespace {

TEST(InitialiseProject, StartWithoutDefaultsFileGivesTheBuiltInWall) {
    test::MessageRecorder messages;
    test::BuiltInWall w;
    const Model& m = w.m;

    EXPECT_TRUE(messages.Messages.empty());
    EXPECT_EQ(m.DefaultsFilePath, w.Folder.Path().string() + "/Default.dat");
    EXPECT_EQ(m.FactorFileDirectory, w.Folder.Path().string());
    EXPECT_EQ(m.ProgramVersion, "2.60");
    EXPECT_EQ(m.CurrentUnitSystem, Metric);
    EXPECT_FLOAT_EQ(m.GravityAcceleration, 9.81f);

    // the literals made consistent: base width from its parts, stem heights
    // from the front face
    EXPECT_FLOAT_EQ(m.BaseWidth, 7.2f);
    EXPECT_FLOAT_EQ(m.BackStemHeight, 7.73f);
    EXPECT_FLOAT_EQ(m.FrontStemHeight, 8.0f);
    EXPECT_FLOAT_EQ(m.WallHeight, 10.0f);
    EXPECT_FLOAT_EQ(m.ShearKeyToeDistance, 6.6f);
    EXPECT_FLOAT_EQ(m.FrontWaterDepth, 5.0f);
    EXPECT_FLOAT_EQ(m.BackWaterDepth, 1.5f);
    EXPECT_FLOAT_EQ(m.EnteredFrontWaterDepth, 5.0f);
    EXPECT_FLOAT_EQ(m.EnteredBackWaterDepth, 1.5f);
    EXPECT_FLOAT_EQ(m.EnteredSeismicCoefficient, 0.15f);
    EXPECT_FLOAT_EQ(m.AppliedSeismicCoefficient, 0.15f);
    EXPECT_EQ(m.WaterIncluded, -1);
    EXPECT_EQ(m.SeismicIncluded, -1);
    EXPECT_EQ(m.SurchargeLoadType, 4);
    EXPECT_EQ(m.StoredResultsMarker, -1);
    EXPECT_EQ(m.BaseSptBlowCount, 20);
    EXPECT_EQ(m.BaseCptTipResistance, 5);
    EXPECT_EQ(m.ConcreteCompressiveStress, 300);
    EXPECT_FLOAT_EQ(m.ConcreteToEarthFrictionAngle, 15);

    EXPECT_EQ(m.CombinationSetCount, 2);
    EXPECT_EQ(m.ActiveCombinationSet, 1);
    EXPECT_EQ(m.CurrentCombination, 0);
    EXPECT_EQ(m.FooterTexts[3], "Page &Page of &NPages");
    EXPECT_EQ(m.ConcreteColour, RGB(51, 51, 153));
    EXPECT_EQ(m.DiagramColours[0], RGB(128, 0, 0));
    // the outline rebuilt at the end: the built-in wall's nodes are checked with the outline
}

TEST(InitialiseProject, UnitLabelsAndFactorNamesAreWindows1252) {
    test::BuiltInWall w;
    const Model& m = w.m;
    EXPECT_EQ(m.UnitWeightUnitLabels[Metric], "T/m\xB3");
    EXPECT_EQ(m.UnitWeightUnitLabels[British], "Kip/ft\xB3");
    EXPECT_EQ(m.PressureUnitLabels[SI], "kPa");
    EXPECT_EQ(m.StressUnitLabels[Metric], "kg/cm\xB2");
    EXPECT_EQ(m.SectionUnitLabels[SI], "mm");
    EXPECT_EQ(m.ModulusUnitLabels[British], "E+5 psi");
    EXPECT_EQ(m.AngleUnitLabels[SI], "\xB0");
    EXPECT_EQ(m.ForceUnitLabels[3], "");
    EXPECT_EQ(m.CurrentFactorDefinition.FactorCode[16], "EX");
    EXPECT_EQ(m.CurrentFactorDefinition.FactorName[16], "Eccentricity (factor x \xBD base width)");
    EXPECT_EQ(m.CurrentFactorDefinition.FactorName[0], "");
    EXPECT_EQ(m.CombinationSets[1].Factors, m.CurrentFactorDefinition);
}

TEST(InitialiseProject, BuiltInSetsCarryTheirFactorColumns) {
    test::BuiltInWall w;
    const Model& m = w.m;
    const CombinationSet& asd = m.CombinationSets[0];
    EXPECT_EQ(asd.Name, "ASD");
    EXPECT_EQ(asd.CombinationCount, 1);
    const CombinationSet& unfactored = m.CombinationSets[1];
    EXPECT_EQ(unfactored.Name, "Unfactored");
    EXPECT_EQ(unfactored.CombinationCount, 2);
    EXPECT_EQ(unfactored.Combinations[0].Name, "Sliding and eccentricity");
    EXPECT_EQ(unfactored.Combinations[1].Name, "Bearing and reinforcement");
    for (int k = 0; k <= 21; ++k) {
        SCOPED_TRACE(k);
        const bool concrete = k >= 19;
        EXPECT_EQ(asd.Combinations[0].Factor[k], k == 0 ? 0.0f : 1.0f);
        EXPECT_EQ(unfactored.Combinations[0].Factor[k], (k == 0 || k == 10 || concrete) ? 0.0f : 1.0f);
        EXPECT_EQ(unfactored.Combinations[1].Factor[k], (k == 0 || concrete) ? 0.0f : 1.0f);
    }
}

TEST(InitialiseProject, NewProjectKeepsWhatTheResetDoesNotOwn) {
    test::BuiltInWall w;
    Model& m = w.m;
    m.LineLoadCount = 1;
    m.LineLoads[1] = {10, 1.5f, 2, 90, 5};
    m.CombinationSets[1].Comment = "kept";
    m.CombinationSets[2].Name = "user set";
    m.BaseUnitWeight = 1.9f;
    m.UpperStemLength = 3;
    m.ToeLength = 4;
    m.ProjectModified = -1;
    m.TextFontName = "Arial";

    InitialiseProject(m);

    EXPECT_EQ(m.LineLoadCount, 0);
    EXPECT_FLOAT_EQ(m.LineLoads[1].Value, 10);
    EXPECT_EQ(m.CombinationSets[1].Comment, "kept");
    EXPECT_EQ(m.CombinationSets[2].Name, "user set");
    EXPECT_FLOAT_EQ(m.BaseUnitWeight, 1.9f);
    EXPECT_FLOAT_EQ(m.UpperStemLength, 3);
    EXPECT_FLOAT_EQ(m.ToeLength, 2);
    EXPECT_EQ(m.ProjectModified, 0);
    EXPECT_EQ(m.ReportFontName, "Arial");
}

TEST(InitialiseProject, UnreadableDefaultsFileIsReadOnceThenBuiltInValuesStand) {
    test::MessageRecorder messages;
    test::TempDir folder;
    {
        std::ofstream broken(folder.File("Default.dat"), std::ios::binary);
        broken << "\x05";
    }
    auto m = std::make_unique<Model>();
    m->ProgramDirectory = folder.Path().string();

    InitialiseProject(*m);  // must return, not read the file again and again

    EXPECT_LE(messages.Messages.size(), 1u);
    EXPECT_EQ(messages.BusyDepth, 0);
    EXPECT_EQ(m->CurrentUnitSystem, Metric);
    EXPECT_EQ(m->CombinationSetCount, 2);
    EXPECT_FLOAT_EQ(m->BaseWidth, 7.2f);
    EXPECT_FLOAT_EQ(m->NodeXCoordinates[5], 7.2f);
}

TEST(WaterAndSeismicSwitches, OffUsesTheBaseUndersideAndZeroOnRestoresTheEntered) {
    test::BuiltInWall w;
    Model& m = w.m;

    m.WaterIncluded = 0;
    SetWaterDepths(m);
    EXPECT_FLOAT_EQ(m.FrontWaterDepth, 10.0f);
    EXPECT_FLOAT_EQ(m.BackWaterDepth, 10.0f);  // the back as well, by the front-face height
    EXPECT_FLOAT_EQ(m.EnteredFrontWaterDepth, 5.0f);
    EXPECT_FLOAT_EQ(m.EnteredBackWaterDepth, 1.5f);
    m.WaterIncluded = -1;
    SetWaterDepths(m);
    EXPECT_FLOAT_EQ(m.FrontWaterDepth, 5.0f);
    EXPECT_FLOAT_EQ(m.BackWaterDepth, 1.5f);

    m.SeismicIncluded = 0;
    SetSeismicCoefficient(m);
    EXPECT_EQ(m.AppliedSeismicCoefficient, 0);
    EXPECT_FLOAT_EQ(m.EnteredSeismicCoefficient, 0.15f);
    m.SeismicIncluded = -1;
    SetSeismicCoefficient(m);
    EXPECT_FLOAT_EQ(m.AppliedSeismicCoefficient, 0.15f);
}

}  // namespace
}  // namespace brindlemar

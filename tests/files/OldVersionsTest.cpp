#include <gtest/gtest.h>

#include "FileTestSupport.h"
#include "files/ProjectFile.h"
#include "support/MessageRecorder.h"
#include "support/ProjectFileBuilder.h"
#include "support/TempDir.h"

namespace brindlemar {
namespace {

using test::BuiltLoad;
using test::ProjectFileBuilder;

// Old-format loads of every old type; types 2 and 4 are live load and water.
std::vector<BuiltLoad> OldLoads() {
    std::vector<BuiltLoad> loads;
    for (int16_t t = 1; t <= 7; ++t) loads.push_back({2.0f * t, 0.5f * t, 1.0f, 90, t});
    return loads;
}

struct Opened {
    std::unique_ptr<Model> m;
    std::vector<test::RecordedMessage> messages;
};

Opened Open(const ProjectFileBuilder& file) {
    test::TempDir dir;
    test::MessageRecorder rec;
    Opened opened{test::BuiltInModel(dir.Path().string()), {}};
    test::WriteBytes(dir.File("old.bmi"), file.Bytes());
    opened.m->ProjectModified = -1;
    EXPECT_TRUE(ReadProjectFile(*opened.m, dir.File("old.bmi")));
    EXPECT_EQ(rec.BusyDepth, 0);
    opened.messages = rec.Messages;
    return opened;
}

enum class Family { First, Legacy, Other2x, V250, V260 };

// Every version, with each kind of results marker: the values each version
// carries come from the file, the rest follow the version rules.
TEST(ProjectFileVersions, EachVersionIsReadByItsRules) {
    struct Case {
        const char* version;
        Family family;
    };
    const Case cases[] = {
        {"1.0", Family::First},   {"1.51", Family::First},
        {"2.00", Family::Legacy}, {"2.10", Family::Legacy}, {"2.20", Family::Legacy},
        {"2.21", Family::Legacy}, {"2.30", Family::Other2x}, {"2.50", Family::V250},
        {"2.60", Family::V260},
    };
    for (const Case& c : cases) {
        for (int16_t marker : {-2, -1, 0}) {
            for (int16_t units : {Metric, SI}) {
                SCOPED_TRACE(std::string("version '") + c.version + "', marker " + std::to_string(marker) +
                             ", units " + std::to_string(units));
                ProjectFileBuilder file;
                file.Version = c.version;
                file.Marker = marker;
                file.UnitSystem = units;
                file.OldLoads = OldLoads();
                file.Loads = {{5, 1, 2, 45, LD}, {6, 2, 3, 0, IC}};
                const Opened o = Open(file);
                const Model& m = *o.m;
                EXPECT_TRUE(o.messages.empty());

                // the old-format block, every version
                EXPECT_EQ(m.CurrentUnitSystem, units);
                EXPECT_EQ(m.ProjectTitle, "Quay wall");
                EXPECT_FLOAT_EQ(m.HeelLength, 3.37f);
                EXPECT_FLOAT_EQ(m.WallHeight, 10.0f);
                EXPECT_FLOAT_EQ(m.FrontWaterDepth, 5.0f);
                EXPECT_FLOAT_EQ(m.BackWaterDepth, 1.5f);
                // the coefficient in use follows the seismic switch the version read
                EXPECT_FLOAT_EQ(m.AppliedSeismicCoefficient, m.SeismicIncluded != 0 ? 0.15f : 0.0f);
                EXPECT_FLOAT_EQ(m.ConcreteToEarthFrictionAngle, 17);
                EXPECT_EQ(m.LegacyLineLoadCount, 7);
                EXPECT_EQ(m.ProjectModified, 0);
                EXPECT_NEAR(m.NodeXCoordinates[5], 7.2f, 1e-6);

                // restraints and toe earth: from the file from 2.00 on
                if (c.family == Family::First) {
                    EXPECT_EQ(m.WaterIncluded, -1);
                    EXPECT_EQ(m.SeismicIncluded, -1);
                    EXPECT_EQ(m.AdjacentStructureCapacity, 0);
                    EXPECT_EQ(m.ShearKeyDepth, 0);
                    EXPECT_EQ(m.PassiveToePressureIncluded + m.AdjacentStructureIncluded + m.ShearKeyIncluded, 0);
                    EXPECT_FLOAT_EQ(m.ToeEarthDryDensity, m.BackfillDryDensity);
                    EXPECT_FLOAT_EQ(m.ToeEarthFrictionAngle, m.BackfillFrictionAngle);
                } else {
                    EXPECT_EQ(m.WaterIncluded, -1);
                    EXPECT_EQ(m.SeismicIncluded, 0);
                    EXPECT_FLOAT_EQ(m.AdjacentStructureCapacity, 12);
                    EXPECT_FLOAT_EQ(m.ShearKeyDepth, 0.5f);
                    EXPECT_EQ(m.ShearKeyIncluded, 1);
                    EXPECT_FLOAT_EQ(m.ToeEarthFrictionAngle, 33);
                }

                // line loads: the old block is taken over only by 2.00 to 2.21
                if (c.family == Family::Legacy) {
                    ASSERT_EQ(m.LineLoadCount, 7);
                    const int16_t current[8] = {0, DL, LL, EH, WA, DL, LD, EQ};
                    for (int i = 1; i <= 7; ++i) EXPECT_EQ(m.LineLoads[i].LoadType, current[i]) << i;
                    EXPECT_FLOAT_EQ(m.LineLoads[4].Value, 8);
                    EXPECT_EQ(m.SurchargeLoadType, LL);
                } else if (c.family == Family::V250 || c.family == Family::V260) {
                    ASSERT_EQ(m.LineLoadCount, 2);
                    EXPECT_EQ(m.LineLoads[1].LoadType, LD);
                    EXPECT_EQ(m.SurchargeLoadType, LL);
                } else {
                    EXPECT_EQ(m.LineLoadCount, 0);
                    EXPECT_EQ(m.SurchargeLoadType, ES);
                }

                const bool current = c.family == Family::V250 || c.family == Family::V260;
                const float factor = units == SI ? 10.0f : 1.0f;
                if (current) {
                    EXPECT_FLOAT_EQ(m.ConcreteCover, 7.5f);
                    EXPECT_FLOAT_EQ(m.UserBarDiameters[1], 16);
                    EXPECT_FLOAT_EQ(m.UserBarSpacings[8], 200);
                    EXPECT_FLOAT_EQ(m.UpperStemLength, 3);
                    EXPECT_EQ(m.ReinforcementDesignMethod, 1);
                    EXPECT_EQ(m.BaseMaterialOption, Soil);
                    EXPECT_EQ(m.KpSource, UserValue);
                    EXPECT_FLOAT_EQ(m.EnteredKp, 3.1f);
                    EXPECT_NEAR(m.ShearKeyToeDistance, 3.0f, 1e-5);
                    EXPECT_FLOAT_EQ(m.AdjacentStructurePosition, 1.5f);
                    EXPECT_EQ(m.CombinationSetCount, 2);
                    EXPECT_EQ(m.CombinationSets[1].Name, "Mine");
                    EXPECT_EQ(m.CombinationSets[1].Factors.FactorCode[21], "CS");
                    EXPECT_EQ(m.CurrentCombination, 2);
                    EXPECT_EQ(m.CurrentLoadCombination.Name, "Current");
                    EXPECT_EQ(m.ReservedFileInteger, 7);
                } else {
                    // a default key at the heel end, bars from the old block when it has them
                    EXPECT_FLOAT_EQ(m.ConcreteCover, 5 * factor);
                    EXPECT_FLOAT_EQ(m.ShearKeyWidth, 0.6f);
                    EXPECT_NEAR(m.ShearKeyToeDistance, 7.2f - 0.6f, 1e-5);
                    EXPECT_EQ(m.ShearKeyHeelDistance, 0);
                    EXPECT_EQ(m.AdjacentStructurePosition, 0);
                    EXPECT_EQ(m.UpperStemLength, 0);
                    EXPECT_EQ(m.BaseMaterialOption, Rock);
                    EXPECT_EQ(m.KpSource, Computed);
                    EXPECT_EQ(m.CombinationSetCount, 2);
                    EXPECT_EQ(m.CombinationSets[1].Name, "Unfactored");
                    const float d3 = marker == -2 ? 1.2f * factor : 0;
                    const float d4 = marker == -2 ? 1.6f * factor : 0;
                    const float s8 = marker == -2 ? 25 * factor : 0;
                    EXPECT_FLOAT_EQ(m.UserBarDiameters[3], d3);
                    EXPECT_FLOAT_EQ(m.UserBarDiameters[1], d3);
                    EXPECT_FLOAT_EQ(m.UserBarDiameters[2], d4);
                    EXPECT_FLOAT_EQ(m.UserBarSpacings[8], s8);
                }

                // bearing: 2.60 only; 2.50 takes the toe earth's weight
                if (c.family == Family::V260) {
                    EXPECT_FLOAT_EQ(m.BaseUnitWeight, 1.9f);
                    EXPECT_EQ(m.BearingResistanceMethod, SptBearing);
                    EXPECT_EQ(m.MinimumFluidDensityEnabled, 1);
                } else if (c.family == Family::V250) {
                    EXPECT_FLOAT_EQ(m.BaseUnitWeight, 1.8f);
                    EXPECT_EQ(m.BearingResistanceMethod, NominalBearing);
                    EXPECT_EQ(m.BaseSptBlowCount, 0);
                    EXPECT_EQ(m.MinimumFluidDensityEnabled, 0);
                } else {
                    EXPECT_FLOAT_EQ(m.BaseSptBlowCount, 20);
                    EXPECT_FLOAT_EQ(m.BaseCptTipResistance, 5);
                }
            }
        }
    }
}

TEST(ProjectFileVersions, OldFooterTokenBecomesFile) {
    struct Case {
        const char* left;
        const char* right;
        const char* wantLeft;
    };
    const Case cases[] = {
        {"&Input", "&Input", "&File"},
        {"&INPUT", "&Input", "&INPUT"},
        {"&Input ", "x", "&Input "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.left);
        ProjectFileBuilder file;
        file.Version = "2.10";
        file.Footers = {c.left, "", c.right};
        const Opened o = Open(file);
        EXPECT_EQ(o.m->FooterTexts[1], c.wantLeft);
        EXPECT_EQ(o.m->FooterTexts[3], c.right);
    }
}

TEST(ProjectFileVersions, A221FileUnderSIHasTheKeyAtTheHeelAndTenfoldCover) {
    ProjectFileBuilder file;
    file.Version = "2.21";
    file.UnitSystem = SI;
    file.OldCover = 5.5f;
    file.Geometry[4] = 2.17f, file.Geometry[5] = 6.0f;  // heel length and base width
    const Opened o = Open(file);
    EXPECT_FLOAT_EQ(o.m->ConcreteCover, 55);
    EXPECT_NEAR(o.m->ShearKeyToeDistance, 5.4f, 1e-5);
    EXPECT_FLOAT_EQ(o.m->ShearKeyWidth, 0.6f);
    EXPECT_EQ(o.m->ShearKeyHeelDistance, 0);
}

TEST(ProjectFileVersions, A250KeyStickingOutOfTheBaseIsRefitted) {
    ProjectFileBuilder file;
    file.Version = "2.50";
    file.KeyToe = 6.0f;
    file.KeyWidth = 0.6f;
    file.KeyHeel = 1.0f;
    const Opened o = Open(file);
    EXPECT_NEAR(o.m->ShearKeyToeDistance, 5.6f, 1e-5);
    file.KeyHeel = 7.0f;
    const Opened p = Open(file);
    EXPECT_EQ(p.m->ShearKeyToeDistance, 0);
    EXPECT_NEAR(p.m->ShearKeyHeelDistance, 6.6f, 1e-5);
}

}  // namespace
}  // namespace brindlemar

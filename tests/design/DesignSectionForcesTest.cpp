#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <iterator>
#include <sstream>

#include "design/DesignSectionForces.h"
#include "design/DesignReinforcement.h"
#include "design/DesignUnits.h"
#include "design/Flexure.h"
#include "design/ReinforcementSheets.h"
#include "reports/ReportJob.h"
#include "reports/ReportTestSupport.h"
#include "analysis/Analysis.h"
#include "analysis/Preparation.h"
#include "model/Initialise.h"
#include "model/Outline.h"
#include "model/Units.h"
#include "support/SectionTestWall.h"
#include "runtime/RuntimeError.h"
#include "support/MessageRecorder.h"
#include "support/PlainSIWall.h"
#include "support/BuiltInWall.h"
#include "analysis/SectionForces.h"
#include "analysis/SectionStations.h"
#include "runtime/Format.h"
#include "runtime/Text.h"

namespace brindlemar {
namespace {

// The section-force test wall under a set of its own: vertical stem, level
// backfill, no water, no seismic loading, no surcharge.
struct DesignWall : test::SectionTestWall {
    explicit DesignWall(int combinations = 1) {
        w().EarthOn();
        m.ConcreteToEarthFrictionAngle = 15;
        m.ShearKeyIncluded = 0;
        m.UpperStemLength = 4;
        SetWaterDepths(m);
        SetSeismicCoefficient(m);
        ComputeWallOutline(m);
        m.ActiveCombinationSet = 1;
        m.CurrentCombination = 0;
        CombinationSet& set = m.CombinationSets[1];
        set.CombinationCount = static_cast<int16_t>(combinations);
        for (int c = 0; c < combinations; ++c) Scale(c, 1.0f);
    }
    test::SectionTestWall& w() { return *this; }

    // Every load factor of combination `index` set to `factor`, every resistance factor to 1.
    void Scale(int index, float factor) {
        LoadCombination& combination = m.CombinationSets[1].Combinations[index];
        for (int k = 1; k <= 21; ++k) combination.Factor[k] = k <= 11 ? factor : 1.0f;
    }
};

constexpr double Ka15 = 0.30142;   // Coulomb active, φ 30°, vertical wall, level ground, δ 15°
const double ch15 = std::cos(15.0 * M_PI / 180);
constexpr double gamma = 1.8;
double StemMoment(double h) { return -Ka15 * gamma * h * h * h * ch15 / 6; }
double StemShear(double h) { return Ka15 * gamma * h * h * ch15 / 2; }

TEST(ComputeDesignSectionForces, StemForcesAtTheDesignSectionsMatchTheHandFormulas) {
    DesignWall d;
    Model& m = d.m;
    ComputeDesignSectionForces(m);
    ASSERT_EQ(m.CombinationWallStableFlags[1], True);
    EXPECT_EQ(m.AllCombinationsStable, True);

    // upper stem down to 4.0, lower stem from 4.0 to the stem foot at 8.0;
    // the earth bends the stem one way only, so the "Left" faces stay empty
    EXPECT_NEAR(m.FlexureMoments[1][1], StemMoment(4), 2e-4 * std::abs(StemMoment(4)));
    EXPECT_FLOAT_EQ(m.FlexureSectionDistances[1][1], 4.0f);
    EXPECT_FLOAT_EQ(m.FlexureSectionDepths[1][1], 0.8f);
    EXPECT_NEAR(m.FlexureAxialForces[1][1], 2.4 * 0.8 * 4, 1e-4);
    EXPECT_NEAR(m.FlexureMoments[1][3], StemMoment(8), 2e-4 * std::abs(StemMoment(8)));
    EXPECT_FLOAT_EQ(m.FlexureSectionDistances[1][3], 8.0f);
    for (int p : {2, 4}) {
        EXPECT_EQ(m.FlexureMoments[1][p], 0) << p;
        EXPECT_EQ(m.FlexureSectionDistances[1][p], 0) << p;
        EXPECT_EQ(m.GoverningFlexureCombinations[p], 0) << p;
    }
    EXPECT_EQ(m.GoverningFlexureCombinations[1], 1);
    EXPECT_EQ(m.GoverningFlexureCombinations[3], 1);

    // the lower stem's shear is taken one stem thickness above the toe top
    EXPECT_NEAR(m.ShearForces[1][2], StemShear(7.2), 2e-4 * StemShear(7.2));
    EXPECT_FLOAT_EQ(m.ShearSectionDistances[1][2], 7.2f);
    EXPECT_FLOAT_EQ(m.ShearSectionDepths[1][2], 0.8f);
    EXPECT_NEAR(m.ShearForces[1][1], StemShear(4), 2e-4 * StemShear(4));

    // the toe's shear is taken one toe thickness out from the stem face
    EXPECT_FLOAT_EQ(m.ShearSectionDistances[1][3], 1.0f);
    EXPECT_FLOAT_EQ(m.FlexureSectionDepths[1][5], 1.0f);
    EXPECT_GT(m.ShearForces[1][3], 0);
    EXPECT_GT(m.ShearForces[1][4], 0);
}

// The design and the stability table prepare each combination as its picture
// does: on the wall as it stands now, with no flattened backfill left pending.
TEST(ComputeDesignSectionForces, EachCombinationIsPreparedAsItsPicture) {
    const std::pair<const char*, void (*)(Model&)> changes[] = {
        {"water switched off", [](Model& m) { m.WaterIncluded = False; }},
        {"backfill flattened for an earthquake",
         [](Model& m) { m.BackfillSlopeRatio = 2, m.EnteredSeismicCoefficient = 0.4f; }},
    };
    for (const auto& [what, change] : changes) {
        SCOPED_TRACE(what);
        test::BuiltInWall stale, shown;
        test::MessageRecorder messages;
        ComputeDesignSectionForces(stale.m);
        const auto before = stale.m.FlexureMoments;
        change(stale.m), change(shown.m);
        for (Model* m : {&stale.m, &shown.m}) ComputeDesignSectionForces(*m);
        EXPECT_EQ(shown.m.BackfillSlopeAdjusted, False);
        EXPECT_NE(stale.m.FlexureMoments, before);
        EXPECT_EQ(stale.m.FlexureMoments, shown.m.FlexureMoments);
        AnalyseAllCombinations(stale.m);
        EXPECT_EQ(stale.m.BackfillSlopeAdjusted, False);
        for (int i = 1; i <= ActiveCombinationCount(shown.m); ++i, ++shown.m.CurrentCombination) {
            PrepareCombination(shown.m);
            EXPECT_EQ(stale.m.CombinationMomentsAtOverturningPoint[i], shown.m.MomentAtOverturningPoint) << i;
        }
    }
}

TEST(ComputeDesignSectionForces, TheLargestFactorsGovernAndTiesGoToTheLowerCombination) {
    DesignWall d(3);
    Model& m = d.m;
    d.Scale(1, 1.5f);
    d.Scale(2, 1.5f);
    m.CurrentCombination = 2;
    ComputeDesignSectionForces(m);
    EXPECT_EQ(m.AllCombinationsStable, True);
    EXPECT_NEAR(m.FlexureMoments[2][3], 1.5 * StemMoment(8), 1e-3 * std::abs(StemMoment(8)));
    EXPECT_EQ(m.FlexureMoments[2][3], m.FlexureMoments[3][3]);
    EXPECT_EQ(m.GoverningFlexureCombinations[1], 2);
    EXPECT_EQ(m.GoverningFlexureCombinations[3], 2);
    EXPECT_EQ(m.GoverningShearCombinations[2], 2);
    EXPECT_EQ(m.CurrentCombination, 2);
}

TEST(ComputeDesignSectionForces, AnUnstableCombinationKeepsZerosAndNeverGoverns) {
    DesignWall d(3);
    Model& m = d.m;
    d.Scale(1, 1.2f);
    // combination 2 overturns: its earth pressure twenty times over
    m.CombinationSets[1].Combinations[1].Factor[EH] = 20;
    ComputeDesignSectionForces(m);
    EXPECT_EQ(m.CombinationWallStableFlags[1], True);
    EXPECT_EQ(m.CombinationWallStableFlags[2], False);
    EXPECT_EQ(m.CombinationWallStableFlags[3], True);
    // the stability table shows the verdicts the design went by
    EXPECT_TRUE(m.CombinationSlidingResistanceRatios[3].has_value());
    EXPECT_EQ(m.AllCombinationsStable, False);
    for (int p = 1; p <= 8; ++p) {
        EXPECT_EQ(m.FlexureMoments[2][p], 0) << p;
        EXPECT_EQ(m.FlexureSectionDepths[2][p], 0) << p;
        EXPECT_NE(m.GoverningFlexureCombinations[p], 2) << p;
    }
    for (int member = 1; member <= 4; ++member) {
        EXPECT_EQ(m.ShearForces[2][member], 0) << member;
        EXPECT_NE(m.GoverningShearCombinations[member], 2) << member;
    }
    // the results left are those of the set's last combination
    EXPECT_EQ(m.CurrentCombination, 0);
    EXPECT_EQ(m.CurrentLoadCombination.Factor[EH], 1.0f);
}

TEST(ComputeDesignSectionForces, ACombinationWhoseSectionForcesFailIsNotDesignable) {
    test::MessageRecorder messages;
    DesignWall d;
    Model& m = d.m;
    // under earthquake a wall friction of 85° leaves the stem's own seismic
    // coefficient without a value, while the stability analysis, on the plane
    // through the heel end, works with the earth-to-earth friction (and the
    // passive toe earth, without friction of its own, takes any wall friction)
    m.ConcreteToEarthFrictionAngle = 85;
    m.ToeEarthFrictionAngle = 0;
    m.SeismicIncluded = True;
    m.EnteredSeismicCoefficient = 0.15f;
    SetSeismicCoefficient(m);
    m.FlexureMoments[1][3] = 99;
    ComputeDesignSectionForces(m);
    EXPECT_EQ(m.CombinationWallStableFlags[1], True);
    EXPECT_EQ(m.CombinationDesignable[1], False);
    EXPECT_EQ(m.AllCombinationsStable, False);
    for (int p = 1; p <= 8; ++p) EXPECT_EQ(m.FlexureMoments[1][p], 0) << p;
    for (int p = 1; p <= 8; ++p) EXPECT_EQ(m.GoverningFlexureCombinations[p], 0) << p;
    ASSERT_EQ(messages.Messages.size(), 1u);
    EXPECT_EQ(messages.Messages[0].Text, "Invalid procedure call or argument");
}

TEST(ComputeDesignSectionForces, AnEmptySetChangesNoTable) {
    DesignWall d(0);
    Model& m = d.m;
    m.FlexureMoments[1][3] = -7;
    m.ShearForces[1][2] = 3;
    m.GoverningFlexureCombinations[3] = 1;
    ComputeDesignSectionForces(m);
    EXPECT_EQ(m.FlexureMoments[1][3], -7);
    EXPECT_EQ(m.ShearForces[1][2], 3);
    EXPECT_EQ(m.AllCombinationsStable, True);
    EXPECT_EQ(m.GoverningFlexureCombinations[3], 0);
}

TEST(ComputeDesignSectionForces, UpperStemLengthAtEitherEndOfTheStem) {
    struct Case {
        const char* what;
        float upper;
        double upperMoment;     // at the deepest upper-stem cut
        float upperDepth;       // thickness recorded before the scan
        float lowerDistance;    // where the lower stem's largest moment lies
    };
    const Case cases[] = {
        {"upper stem of no length", 0, 0, 0.8f, 8.0f},
        {"upper stem down to the foot", 8, StemMoment(8), 0.8f, 8.0f},
    };
    for (const Case& c : cases) {
        DesignWall d;
        Model& m = d.m;
        m.StemTopThickness = 0.6f;
        m.StemBackBatter = 0.4f;   // 0.6 at the top, 1.0 at the foot
        m.UpperStemLength = c.upper;
        ComputeDesignSectionForces(m);
        ASSERT_EQ(m.AllCombinationsStable, True) << c.what;
        EXPECT_FLOAT_EQ(m.FlexureSectionDepths[1][1], c.upper == 0 ? 0.6f : 1.0f) << c.what;
        if (c.upperMoment == 0) {
            EXPECT_EQ(m.FlexureMoments[1][1], 0) << c.what;
            EXPECT_EQ(m.GoverningFlexureCombinations[1], 0) << c.what;
        } else {
            EXPECT_LT(m.FlexureMoments[1][1], 0) << c.what;
            EXPECT_FLOAT_EQ(m.FlexureSectionDistances[1][1], c.upper) << c.what;
        }
        EXPECT_LT(m.FlexureMoments[1][3], 0) << c.what;
        EXPECT_FLOAT_EQ(m.FlexureSectionDistances[1][3], c.lowerDistance) << c.what;
        EXPECT_FLOAT_EQ(m.FlexureSectionDepths[1][3], 1.0f) << c.what;
    }
}

TEST(ComputeDesignSectionForces, AWallWithoutToeLeavesOnlyItsTipThickness) {
    DesignWall d;
    Model& m = d.m;
    m.ToeLength = 0;
    m.BaseWidth = 3.8f;
    m.ShearKeyToeDistance = 0;
    ComputeWallOutline(m);
    ComputeDesignSectionForces(m);
    ASSERT_EQ(m.CombinationWallStableFlags[1], True);
    EXPECT_FLOAT_EQ(m.FlexureSectionDepths[1][5], m.ToeTipThickness);
    EXPECT_EQ(m.FlexureSectionDepths[1][6], 0);
    EXPECT_EQ(m.FlexureMoments[1][5], 0);
    EXPECT_EQ(m.FlexureMoments[1][6], 0);
    EXPECT_EQ(m.ShearForces[1][3], 0);
}

TEST(ComputeDesignSectionForces, MoreCombinationsThanTheTablesHoldIsRefused) {
    DesignWall d(51);
    Model& m = d.m;
    m.CurrentCombination = 3;
    EXPECT_THROW(ComputeDesignSectionForces(m), RuntimeError);
    EXPECT_EQ(m.CurrentCombination, 3);
}

}  // namespace
}  // namespace brindlemar

namespace brindlemar {
namespace {

// Walls of every ordinary shape, drawn from a fixed seed so every run sees
// the same ones: heights 1 to 10 m, toes and heels from a few centimetres to
// most of the base, batters, sloping tops, keys, backfill slopes, water,
// surcharges and line loads, kh up to 0.3, factored loads, in any unit
// system.
using ThicknessAt = float (*)(const Model&, float);

class WallGenerator {
public:
    explicit WallGenerator(uint32_t seed) : state_(seed) {}

    void Shape(Model& m, UnitSystem units) {
        const double H = Uniform(1, 10);
        const double base = std::max(0.15, H * Uniform(0.06, 0.14));
        m.ToeTipThickness = ToSingle(base);
        m.ToeTopDrop = ToSingle(Chance(0.5) ? 0.0 : base * Uniform(0.05, 0.8));
        m.HeelEndThickness = ToSingle(base * Uniform(0.8, 1.2));
        m.HeelTopDrop = ToSingle(Chance(0.5) ? 0.0 : base * Uniform(0.05, 0.8));
        m.FrontStemHeight = ToSingle(H - m.ToeTopDrop - m.ToeTipThickness);
        m.BackStemHeight = ToSingle(H - m.HeelTopDrop - m.HeelEndThickness);
        m.WallHeight = ToSingle(H);
        m.StemTopThickness = ToSingle(Uniform(0.15, 0.45));
        m.StemFrontBatter = ToSingle(Chance(0.5) ? 0.0 : H * Uniform(0, 0.04));
        m.StemBackBatter = ToSingle(Chance(0.5) ? 0.0 : H * Uniform(0, 0.1));
        // the base beyond the stem shared between toe and heel in any proportion
        const double stemFoot = double(m.StemFrontBatter) + m.StemTopThickness + m.StemBackBatter;
        const double rest = std::max(0.2, H * Uniform(0.35, 0.9) - stemFoot);
        const double toeShare = Chance(0.2) ? Uniform(0.005, 0.06) : Chance(0.2) ? Uniform(0.8, 0.97) : Uniform(0, 1);
        m.ToeLength = ToSingle(rest * toeShare);
        m.HeelLength = ToSingle(rest - m.ToeLength);
        m.BaseWidth = ToSingle(stemFoot + m.ToeLength + m.HeelLength);
        m.UpperStemLength = ToSingle(std::min(m.FrontStemHeight, m.BackStemHeight) * Uniform(0.2, 0.8));

        m.BackfillFrictionAngle = ToSingle(Uniform(28, 38));
        m.ConcreteToEarthFrictionAngle = ToSingle(Uniform(0, 0.67) * m.BackfillFrictionAngle);
        m.BackfillSlopeRatio = ToSingle(Chance(0.5) ? 0.0 : Uniform(2, 6));
        m.BackfillSurcharge = ToSingle(Chance(0.5) ? 0.0 : Uniform(0, 2));
        m.WaterIncluded = Chance(0.5) ? True : False;
        m.EnteredFrontWaterDepth = ToSingle(H * Uniform(0.3, 1));
        m.EnteredBackWaterDepth = ToSingle(H * Uniform(0, 1));
        m.SeismicIncluded = Chance(0.5) ? True : False;
        m.EnteredSeismicCoefficient = ToSingle(Uniform(0, 0.3));
        m.ShearKeyIncluded = Chance(0.5) ? 1 : 0;
        m.ShearKeyDepth = ToSingle(base * Uniform(0.5, 2));
        m.ShearKeyWidth = ToSingle(std::min(double(m.BaseWidth), Uniform(0.2, 0.6)));
        m.ShearKeyToeDistance = ToSingle((double(m.BaseWidth) - m.ShearKeyWidth) * Uniform(0, 1));
        m.ShearKeyHeelDistance = ToSingle(double(m.BaseWidth) - m.ShearKeyWidth - m.ShearKeyToeDistance);
        // now and then line loads on the toe, the stem face and the heel
        m.LineLoadCount = 0;
        if (Chance(0.3)) {
            const double stemFront = m.ToeLength + m.StemFrontBatter;
            m.LineLoads[++m.LineLoadCount] = {ToSingle(Uniform(0.5, 5)), ToSingle(m.ToeLength * Uniform(0, 1)),
                                              m.ToeTipThickness, 180, DL};
            m.LineLoads[++m.LineLoadCount] = {ToSingle(Uniform(0.5, 3)), ToSingle(stemFront),
                                              ToSingle(H * Uniform(0.3, 0.9)), ToSingle(Uniform(0, 360)), LL};
            m.LineLoads[++m.LineLoadCount] = {ToSingle(Uniform(0.5, 5)),
                                              ToSingle(m.BaseWidth - m.HeelLength * Uniform(0, 1)),
                                              m.HeelEndThickness, 180, EV};
        }
        // the first combination factored as a load set might be, loads apart
        auto& factor = m.CombinationSets[m.ActiveCombinationSet].Combinations[0].Factor;
        for (int k = DL; k <= S2; ++k) factor[k] = ToSingle(Uniform(0.5, 1.75));
        SetWaterDepths(m);
        SetSeismicCoefficient(m);
        ComputeWallOutline(m);
        if (units != Metric) {
            m.PreviousUnitSystem = Metric;
            m.CurrentUnitSystem = units;
            ConvertUnits(m);
            SetWaterDepths(m);
        }
    }

private:
    double Uniform(double from, double to) {
        state_ = state_ * 6364136223846793005ull + 1442695040888963407ull;
        return from + (to - from) * double(state_ >> 11) / double(1ull << 53);
    }
    bool Chance(double p) { return Uniform(0, 1) < p; }

    uint64_t state_;
};

// A face's design moment is the extreme of its member's moment, and a
// member's design shear the extreme of its shear over the range it is
// designed for: whatever the wall, no face and no member may fall short of
// what a dense walk of the same routine finds, and each value must be the
// one at the distance, with the depth and the normal force, reported. One
// rule tells a moment from rounding for the whole wall: no combination keeps
// a face moment smaller than one another drops. The first two walls are the
// built-in one, bare and with line loads on every member; on it the toe's top
// face peaks inside the toe. The third is an SI wall under an earthquake
// whose static thrust and seismic increment nearly balance on the heel's
// end face: they leave 1.1E-3 kNm/m on its bottom face at the end, and
// 1.16E-3 under the second combination, whose heavier earth on the heel
// gave the heel a larger rounding floor of its own. A millionth of the
// wall's forces, that counts as none in either, and neither governs.
TEST(ComputeDesignSectionForces, EveryFaceAndMemberTakesTheExtremeOfItsForces) {
    test::MessageRecorder messages;   // flattened backfill slopes say so
    constexpr int Walls = 1200, Cuts = 400;
    constexpr UnitSystem Systems[] = {Metric, SI, British};
    WallGenerator generator(19);
    int faces = 0, stable = 0;
    for (int wall = 0; wall < Walls; ++wall) {
        test::BuiltInWall built;
        Model& m = built.m;
        m.UpperStemLength = 4;
        if (wall == 1) {
            for (int i = 0; i < 6; ++i) {
                m.LineLoads[++m.LineLoadCount] = {2.0f, 2.9f, 9.0f - 1.5f * i, 200, LL};
                m.LineLoads[++m.LineLoadCount] = {3.0f, 0.3f + 0.3f * i, 1.0f, 180, DL};
            }
        } else if (wall == 2) {
            test::MakePlainSIWall(m);
            test::ShapePlainWall(m, 1.0f, 0, 0.4f, 0, 3.0f, 6.0f, 0.4f, 0);
            m.SeismicIncluded = True;
            m.EnteredSeismicCoefficient = 0.3f;
            m.ActiveCombinationSet = 1;
            for (LoadCombination& c : m.CombinationSets[1].Combinations)
                for (int k = DL; k <= S2; ++k) c.Factor[k] = 1;
            auto& second = m.CombinationSets[1].Combinations[1].Factor;
            second[DL] = second[EV] = 2.0f;
            second[EH] = 1.05f;
        } else if (wall > 2) {
            generator.Shape(m, Systems[wall % 3]);
        }
        SCOPED_TRACE(testing::Message() << "wall " << wall << " in units " << int(m.CurrentUnitSystem) << ": toe "
                                        << m.ToeLength << ", heel " << m.HeelLength << ", height " << m.WallHeight);
        ComputeDesignSectionForces(m);
        const int n = m.CombinationSets[m.ActiveCombinationSet].CombinationCount;
        // per face, the least moment kept and the largest dropped in any combination
        double kept[9], dropped[9] = {};
        std::fill(std::begin(kept), std::end(kept), HUGE_VAL);
        for (int c = 1; c <= n; ++c) {
            if (m.CombinationDesignable[c] == 0) continue;
            ++stable;
            m.CurrentCombination = static_cast<int16_t>(c - 1);
            AnalyseCombination(m);
            // each member's range, and the part of it over which its shear is
            // designed (beyond the limit the shear is taken at the limit)
            struct Member {
                SectionRoutine routine;
                ThicknessAt thickness;
                float from, to;
                float shearTo;
            };
            const float stemEnd = StemStationList(m).back(), toeEnd = ToeStationList(m).back();
            // one member thickness from the stem's foot and from the toe root
            const float stemShearTo = std::max(0.0f, m.FrontStemHeight - StemThicknessAt(m, stemEnd));
            const float toeShearTo = std::max(0.0f, toeEnd - ToeThicknessAt(m, toeEnd));
            const Member members[] = {
                {CalcStemSectionForces, StemThicknessAt, 0, m.UpperStemLength, m.UpperStemLength},
                {CalcStemSectionForces, StemThicknessAt, m.UpperStemLength, stemEnd, std::min(stemEnd, stemShearTo)},
                {CalcToeSectionForces, ToeThicknessAt, 0, toeEnd, std::min(toeEnd, toeShearTo)},
                {CalcHeelSectionForces, HeelThicknessAt, 0, HeelStationList(m).back(), HeelStationList(m).back()}};
            // the extremes of each member's moment and shear along a dense walk
            double want[9] = {}, shear[5] = {}, largest = 0, largestShear = 0;
            for (int member = 1; member <= 4; ++member) {
                const Member& b = members[member - 1];
                float M, V, N, M2, V2, N2;
                for (int k = 0; k <= Cuts && (member <= 2 || b.to > 0); ++k) {
                    ASSERT_TRUE(b.routine(m, b.from + (b.to - b.from) * k / float(Cuts), M, V, N, M2, V2, N2));
                    want[2 * member - 1] = std::min({want[2 * member - 1], double(M), double(M2)});
                    want[2 * member] = std::max({want[2 * member], double(M), double(M2)});
                    // a shear limit above the member's start takes the shear there alone
                    const float x = b.shearTo < b.from ? b.shearTo : b.from + (b.shearTo - b.from) * k / float(Cuts);
                    ASSERT_TRUE(b.routine(m, x, M, V, N, M2, V2, N2));
                    shear[member] = std::max({shear[member], double(std::abs(V)), double(std::abs(V2))});
                }
                largest = std::max({largest, -want[2 * member - 1], want[2 * member]});
                largestShear = std::max(largestShear, shear[member]);
            }
            for (int p = 1; p <= 8; ++p) {
                SCOPED_TRACE(testing::Message() << "combination " << c << ", face " << p);
                ++faces;
                const Member& b = members[(p - 1) / 2];
                const float got = m.FlexureMoments[c][p];
                // no more than 0.5% short; what is lost in the rounding of the
                // wall's largest moment counts as none
                const double shortfall = p % 2 == 1 ? got - want[p] : want[p] - got;
                EXPECT_LE(shortfall, 0.005 * std::abs(want[p]) + 1e-5 * largest)
                    << "design " << got << " at " << m.FlexureSectionDistances[c][p] << ", walk " << want[p];
                if (got == 0) {
                    dropped[p] = std::max(dropped[p], std::abs(want[p]));
                    continue;
                }
                kept[p] = std::min(kept[p], double(std::abs(got)));
                // and a face with a moment has one that is more than rounding
                const double member = std::max(-want[p % 2 == 1 ? p : p - 1], want[p % 2 == 1 ? p + 1 : p]);
                EXPECT_GT(std::abs(got), 1e-7 * member);
                const float x = m.FlexureSectionDistances[c][p];
                float M, V, N, M2, V2, N2;
                ASSERT_TRUE(b.routine(m, x, M, V, N, M2, V2, N2));
                const float axial = m.FlexureAxialForces[c][p];
                EXPECT_TRUE((got == M && axial == N) || (got == M2 && axial == N2));
                EXPECT_EQ(m.FlexureSectionDepths[c][p], b.thickness(m, x));
            }
            for (int member = 1; member <= 4; ++member) {
                SCOPED_TRACE(testing::Message() << "combination " << c << ", member " << member);
                const Member& b = members[member - 1];
                const float got = m.ShearForces[c][member], x = m.ShearSectionDistances[c][member];
                EXPECT_GE(got, shear[member] * 0.995 - 1e-5 * largestShear)
                    << "design " << got << " at " << x << ", walk " << shear[member];
                if (got == 0) continue;
                // the cut lies in the shear's range, and the values are those at the cut
                if (b.shearTo < b.from) {
                    EXPECT_EQ(x, b.shearTo);
                } else {
                    EXPECT_GE(x, b.from);
                    EXPECT_LE(x, b.shearTo);
                }
                float M, V, N, M2, V2, N2;
                ASSERT_TRUE(b.routine(m, x, M, V, N, M2, V2, N2));
                const float axial = m.ShearAxialForces[c][member];
                EXPECT_TRUE((got == std::abs(V) && axial == N) || (got == std::abs(V2) && axial == N2));
                EXPECT_EQ(m.ShearSectionDepths[c][member], b.thickness(m, x));
            }
        }
        for (int p = 1; p <= 8; ++p)
            EXPECT_LE(dropped[p], 1.01 * kept[p]) << "face " << p << ": a moment dropped, a smaller one kept";
        if (wall == 2) {
            EXPECT_GT(dropped[8], 1e-3);
            EXPECT_EQ(m.GoverningFlexureCombinations[8], 0);
        }
        if (wall == 0) {
            const int g = m.GoverningFlexureCombinations[5];
            EXPECT_LT(m.FlexureMoments[g][5], -4.7f);
            EXPECT_GT(m.FlexureSectionDistances[g][5], 0.3f);
            EXPECT_LT(m.FlexureSectionDistances[g][5], 0.5f);
        }
    }
    // most walls stand, so most faces were looked at
    EXPECT_GT(stable, Walls);
    EXPECT_GT(faces, 6 * Walls);
}

// Where two combinations give one face the same moment within rounding
// (factors that differ only on the dead load of a vertical stem), their axial
// forces still differ: the face is governed by the least compressed, the same
// one in every unit system, and bars searched for it or typed by the user are
// judged under each of them: the face shows the one that spares the least
// strength, and never "OK" where one of them is not carried. The force
// table's design rows show that one's forces too: one face, one Pu.
TEST(ComputeDesignSectionForces, BarsHoldUnderEveryCombinationOfTheGoverningMoment) {
    test::MessageRecorder messages;
    constexpr UnitSystem Systems[] = {Metric, SI, British};
    // the searched bars, then the user's: the searched bars a little lighter
    constexpr double UserShares[] = {0, 0.995, 0.98, 0.95};
    WallGenerator generator(41);
    int tiedFaces = 0, printed = 0;
    for (int wall = 0; wall < 600; ++wall) {
        test::BuiltInWall built;
        Model& m = built.m;
        generator.Shape(m, Systems[wall % 3]);
        SCOPED_TRACE(testing::Message() << "wall " << wall << " in units " << int(m.CurrentUnitSystem));
        // the generated combination, then the same with lighter and heavier dead load
        test::FactorForConcrete(m);
        CombinationSet& set = m.CombinationSets[1];
        set.CombinationCount = 3;
        set.Combinations[1] = set.Combinations[0];
        set.Combinations[2] = set.Combinations[0];
        set.Combinations[1].Factor[DL] = 0.9f;
        set.Combinations[2].Factor[DL] = 1.25f;
        for (int p = 1; p <= 8; ++p) m.UserBarDiameters[p] = m.UserBarSpacings[p] = 0;
        // the dialog's force table against face p's design sheet, numbers read
        // back from both (the table prints two decimals)
        const auto tableShowsSheet = [&m, &printed](int p) {
            if (m.AllCombinationsStable == 0 || m.FlexureDesignResults[p].Moment == 0) return;
            const ForceTableTexts table = ForceTables(m, ForceKind::Moment);
            const std::array<TableCell, FlexureSheetRows> sheet = FlexureSheetColumn(m, p);
            EXPECT_NEAR(std::fabs(Val(table.Governing[0][p])), Val(sheet[9].Text), 0.0051) << "Mu of face " << p;
            EXPECT_NEAR(Val(table.Governing[1][p]), Val(sheet[10].Text), 0.0051) << "Pu of face " << p;
            EXPECT_EQ(Trim(table.Governing[2][p]), Trim(sheet[3].Text)) << "distance of face " << p;
            if (m.FlexureDesignResults[p].Combination == m.GoverningFlexureCombinations[p]) return;
            // the printed moment table (the first "Corresponding Pu" row of the
            // reinforcement pages) says the same where the design and the
            // governing combination differ
            ++printed;
            test::PaperSurface paper{210, 297};
            for (int section = 0; section <= 6; ++section) SectionSwitch(m, section) = 0;
            SectionSwitch(m, SectionReinforcementDesign) = 1;
            // what the print dialog runs first
            ComputeDesignSectionForces(m);
            PrintReport(m, paper, nullptr);
            std::vector<std::string> cells;
            for (const test::SurfaceCall& c : paper.Of("Print")) {
                const std::string line = test::TextOnLine(paper, c.Y1, 0, 1e9);
                // the subscript u stands among the letters it follows
                if (line.rfind("Correspond", 0) != 0) continue;
                std::istringstream row(line.substr(line.find(')') + 1));
                cells.assign(std::istream_iterator<std::string>(row), {});
                break;
            }
            ASSERT_EQ(cells.size(), 8u);
            EXPECT_NEAR(Val(cells[size_t(p - 1)]), Val(sheet[10].Text), 0.0051) << "printed Pu of face " << p;
        };
        ComputeDesignSectionForces(m);
        DesignReinforcement(m);
        for (int p = 1; p <= 8; ++p) tableShowsSheet(p);
        const std::array<FlexureDesignResult, 9> searched = m.FlexureDesignResults;
        for (int p = 1; p <= 8; ++p) {
            const std::vector<int> tied = TiedFlexureCombinations(m, p);
            if (tied.size() < 2) continue;
            ++tiedFaces;
            SCOPED_TRACE(testing::Message() << "face " << p);
            // the least compressed of them governs
            for (int c : tied) EXPECT_LE(m.FlexureAxialForces[tied[0]][p], m.FlexureAxialForces[c][p]);
            if (searched[p].MomentResult != "OK") continue;  // no bars found for the governing one either
            for (const double share : UserShares) {
                SCOPED_TRACE(testing::Message() << "user's bars " << share << " of the searched");
                m.UserBarDiameters[p] = float(share * searched[p].BarDiameter * design::BarUnitsPerLength(m));
                m.UserBarSpacings[p] = float(share == 0 ? 0 : searched[p].BarSpacing * design::SectionUnitsPerLength(m));
                DesignReinforcement(m);
                tableShowsSheet(p);
                const FlexureDesignResult& r = m.FlexureDesignResults[p];
                bool allCarried = true;
                for (int c : tied) {
                    FlexureDesignResult t = r;
                    t.Distance = m.FlexureSectionDistances[c][p];
                    t.Height = m.FlexureSectionDepths[c][p];
                    t.EffectiveDepth = float(double(t.Height) - t.Cover - t.BarDiameter / 2.0);
                    t.Moment = std::fabs(m.FlexureMoments[c][p]);
                    t.AxialForce = m.FlexureAxialForces[c][p];
                    DesignFlexureAci(m, t);
                    ASSERT_TRUE(t.MomentStrength.has_value() && r.MomentStrength.has_value());
                    allCarried = allCarried && *t.MomentStrength >= t.Moment;
                    // the face shows the combination that spares the least strength
                    EXPECT_LE(double(*r.MomentStrength) / r.Moment, double(*t.MomentStrength) / t.Moment * (1 + 1e-6))
                        << "combination " << c;
                }
                // the searched bars read "OK" (see above), so they carry every one
                EXPECT_EQ(r.MomentResult, allCarried ? "OK" : "Not OK");
            }
            m.UserBarDiameters[p] = m.UserBarSpacings[p] = 0;
        }
    }
    EXPECT_GT(tiedFaces, 100);
    EXPECT_GT(printed, 0);
}

}  // namespace
}  // namespace brindlemar

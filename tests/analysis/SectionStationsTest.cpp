#include <gtest/gtest.h>

#include <vector>

#include "support/BuiltInWall.h"
#include "analysis/SectionStations.h"
#include "runtime/RuntimeError.h"

namespace brindlemar {
namespace {

using test::BuiltInWall;

TEST(SortSingles, SortsTheFirstNEntriesEitherWay) {
    struct Case {
        const char* what;
        std::vector<float> values;
        int16_t n;
        bool descending;
        std::vector<float> want;
    };
    const Case cases[] = {
        {"three ascending", {3, 1, 2}, 3, false, {1, 2, 3}},
        {"three descending", {1, 3, 2}, 3, true, {3, 2, 1}},
        {"already sorted", {1, 2, 3}, 3, false, {1, 2, 3}},
        {"reversed with ties", {2, 2, 1, 1}, 4, false, {1, 1, 2, 2}},
        {"only the first n entries", {5, 4, 3, 0}, 3, false, {3, 4, 5, 0}},
        {"one entry", {7, 1}, 1, false, {7, 1}},
        {"no entries", {7, 1}, 0, false, {7, 1}},
    };
    for (const Case& c : cases) {
        std::vector<float> v = c.values;
        SortSingles(c.n, v, c.descending);
        EXPECT_EQ(v, c.want) << c.what;
    }
}

TEST(SortSingles, RefusesACountBeyondTheValues) {
    std::vector<float> v{2, 1};
    EXPECT_THROW(SortSingles(3, v, false), RuntimeError);
}

// A stable wall with full contact, as the analysis leaves it.
void FullContact(Model& m) {
    m.WallStable = True;
    m.BearingContactStart = 0;
    m.BearingContactEnd = m.BaseWidth;
}

void ExpectStations(const std::vector<float>& got, const std::vector<float>& want, const char* what) {
    ASSERT_EQ(got.size(), want.size()) << what;
    for (std::size_t i = 0; i < want.size(); ++i) EXPECT_NEAR(got[i], want[i], 1e-5) << what << " entry " << i;
}

TEST(BuildSectionStations, StemListHoldsTopBottomAndWaterLevels) {
    struct Case {
        const char* what;
        float front, back;
        std::vector<float> want;
    };
    const Case cases[] = {
        {"both levels on the stem", 5.0f, 1.5f, {0, 1.5f, 5.0f, 7.73f}},
        {"a level at the stem bottom adds nothing", 7.73f, 1.5f, {0, 1.5f, 7.73f}},
        {"a level at the top repeats the top", 0.0f, 1.5f, {0, 1.5f, 7.73f}},
        {"both levels below the stem", 10.0f, 9.0f, {0, 7.73f}},
    };
    for (const Case& c : cases) {
        BuiltInWall w;
        FullContact(w.m);
        w.m.FrontWaterDepth = c.front;
        w.m.BackWaterDepth = c.back;
        ExpectStations(StemStationList(w.m), c.want, c.what);
    }
}

TEST(BuildSectionStations, ToeListHoldsTheFrontWaterOnTheSlopingTop) {
    BuiltInWall w;
    Model& m = w.m;
    FullContact(m);
    m.ShearKeyIncluded = 0;
    m.FrontWaterDepth = 8.5f;   // 1.5 above the base: half-way up the toe's slope
    ExpectStations(ToeStationList(m), {0, 1.0f, 2.0f}, "sloping toe");

    m.ToeTopDrop = 0;   // a flat toe top has no water entry
    m.FrontStemHeight = 9;
    ExpectStations(ToeStationList(m), {0, 2.0f}, "flat toe");
}

TEST(BuildSectionStations, HeelListRunsFromTheRootAndWantsAStableWall) {
    BuiltInWall w;
    Model& m = w.m;
    FullContact(m);
    m.BackWaterDepth = 8.0f;   // 2.0 above the base, on the heel's sloping top
    // the key at the heel end adds its toe-side edge, the contact end repeats the heel end
    ExpectStations(HeelStationList(m), {0, 0.9099f, 2.77f, 3.37f}, "stable");

    m.WallStable = False;
    ExpectStations(HeelStationList(m), {0}, "unstable heel");
    ExpectStations(ToeStationList(m), {0, 2.0f}, "unstable toe");
}

TEST(BuildSectionStations, ContactEndsRestraintAndKeyEnterTheirMember) {
    BuiltInWall w;
    Model& m = w.m;
    m.WallStable = True;
    m.BearingContactStart = 0.5f;   // contact from 0.5 to 6.2 from the toe tip
    m.BearingContactEnd = 6.2f;
    m.AdjacentStructureIncluded = 1;
    m.AdjacentStructureCapacity = 10;
    m.AdjacentStructurePosition = 1.5f;
    m.ShearKeyToeDistance = 2.0f;   // at the toe root: repeats the toe's end
    m.ShearKeyHeelDistance = m.BaseWidth - 2.0f - m.ShearKeyWidth;
    ExpectStations(ToeStationList(m), {0, 0.5f, 1.5f, 2.0f}, "toe");
    // heel root at 3.83: the contact end lies 2.37 from it
    ExpectStations(HeelStationList(m), {0, 2.37f, 3.37f}, "heel");
}

TEST(BuildSectionStations, LineLoadsEnterOnlyTheMemberThatCarriesThem) {
    BuiltInWall w;
    Model& m = w.m;
    FullContact(m);
    m.ShearKeyIncluded = 0;
    m.FrontWaterDepth = 10;
    m.BackWaterDepth = 10;
    const LineLoad loads[] = {
        {10, 2.9f, 7.0f, 180, DL},    // on the stem, 3.0 below its top
        {10, 1.2f, 1.5f, 180, DL},    // on the toe
        {10, 5.0f, 2.0f, 180, DL},    // on the heel, 1.17 from its root
        {10, 7.5f, 1.0f, 180, DL},    // beyond the heel end
        {10, -0.5f, 1.0f, 180, DL},   // in front of the toe tip
        {10, 1.0f, 5.0f, 180, DL},    // above the toe, 1.0 from its tip
        {10, 5.0f, 4.0f, 180, DL},    // above the heel
        {10, 1.6f, -0.5f, 180, DL},   // under the toe, 1.6 from its tip
        {10, 2.5f, 0.5f, 180, DL},    // in the block under the stem
        {10, 2.5f, 12.0f, 180, DL},   // above the stem top
    };
    m.LineLoadCount = 0;
    for (const LineLoad& l : loads) m.LineLoads[++m.LineLoadCount] = l;
    ExpectStations(StemStationList(m), {0, 3.0f, 7.73f}, "stem");
    ExpectStations(ToeStationList(m), {0, 1.0f, 1.2f, 1.6f, 2.0f}, "toe");
    ExpectStations(HeelStationList(m), {0, 1.17f, 3.37f}, "heel");
}

TEST(BuildSectionStations, FiftyLineLoadsOnTheStemAllGetACut) {
    BuiltInWall w;
    Model& m = w.m;
    FullContact(m);
    m.LineLoadCount = 50;
    for (int i = 1; i <= 50; ++i) m.LineLoads[i] = {1, 2.8f, 10.0f - 0.14f * i, 0, LL};
    // top, bottom, two water levels and fifty loads, all different
    const std::vector<float> stem = StemStationList(m);
    EXPECT_EQ(stem.size(), 54u);
    for (std::size_t i = 1; i < stem.size(); ++i) EXPECT_LT(stem[i - 1], stem[i]);
}

TEST(BuildSectionStations, MembersWithoutLengthKeepOnlyTheirStart) {
    BuiltInWall w;
    Model& m = w.m;
    FullContact(m);
    m.ToeLength = 0;
    m.HeelLength = 0;
    m.FrontStemHeight = 0;
    ExpectStations(StemStationList(m), {0}, "stem");
    ExpectStations(ToeStationList(m), {0}, "toe");
    ExpectStations(HeelStationList(m), {0}, "heel");
}

}  // namespace
}  // namespace brindlemar

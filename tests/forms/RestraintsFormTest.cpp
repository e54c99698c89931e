#include <gtest/gtest.h>

#include "forms/DialogEntries.h"
#include "forms/RestraintsForm.h"
#include "model/Units.h"
#include "runtime/RuntimeError.h"

namespace brindlemar {
namespace {

Model Restrained() {
    Model m;
    FillUnitLabels(m);
    m.AdjacentStructureCapacity = 12.5f;
    m.ShearKeyDepth = 0.6f;
    m.AdjacentStructurePosition = 1.2f;
    m.PassiveToePressureIncluded = 1;
    m.AdjacentStructureIncluded = 0;
    m.ShearKeyIncluded = 1;
    return m;
}

TEST(RestraintsForm, BoxesAndChecksShowTheirOwnValues) {
    const RestraintEntries e = RestraintEntriesFromModel(Restrained());
    EXPECT_EQ(e.Values[AdjacentCapacityBox], "12.5");
    EXPECT_EQ(e.Values[ShearKeyDepthBox], "0.6");
    EXPECT_EQ(e.Values[AdjacentPositionBox], "1.2");
    EXPECT_EQ(e.Checks, (std::array<int, 3>{1, 0, 1}));
}

TEST(RestraintsForm, UnitLabelsAreForcePerLengthThenLength) {
    Model m = Restrained();
    using Labels = std::array<std::string, 3>;
    EXPECT_EQ(RestraintUnitLabels(m), (Labels{"T/m", "m", "m"}));
    m.CurrentUnitSystem = British;
    EXPECT_EQ(RestraintUnitLabels(m), (Labels{"Kip/ft", "ft", "ft"}));
}

TEST(RestraintsForm, LoadAndPositionGoWithTheStructureAndDepthWithTheKey) {
    struct Case {
        int adjacent, key;
        bool load, depth, position;
    };
    const Case cases[] = {{0, 0, false, false, false}, {1, 0, true, false, true}, {0, 1, false, true, false},
                          {1, 1, true, true, true}};
    for (const Case& c : cases) {
        RestraintEntries e;
        e.Checks = {1, c.adjacent, c.key};
        EXPECT_EQ(RestraintBoxEnabled(e, AdjacentCapacityBox), c.load) << c.adjacent << c.key;
        EXPECT_EQ(RestraintBoxEnabled(e, ShearKeyDepthBox), c.depth) << c.adjacent << c.key;
        EXPECT_EQ(RestraintBoxEnabled(e, AdjacentPositionBox), c.position) << c.adjacent << c.key;
    }
}

TEST(RestraintsForm, EveryBoxTakesANumberOfZeroOrMore) {
    for (const char* text : {"0", "3.5", " 7 "}) EXPECT_EQ(RestraintEntryRefusal(AdjacentCapacityBox, text), "") << text;
    for (const char* text : {"-0.1", "", "abc", "1,5", "2m"})
        EXPECT_NE(RestraintEntryRefusal(AdjacentCapacityBox, text), "") << text;
    // a number too large names its box
    EXPECT_EQ(RestraintEntryRefusal(ShearKeyDepthBox, "1e39"), "Overflow in \"Shear key depth\"");
}

TEST(RestraintsForm, AcceptMarksTheProjectOnlyWhenSomethingDiffers) {
    struct Case {
        const char* what;
        void (*edit)(RestraintEntries&);
        bool modified;
    };
    const Case cases[] = {
        {"nothing", [](RestraintEntries&) {}, false},
        {"the load", [](RestraintEntries& e) { e.Values[AdjacentCapacityBox] = "13"; }, true},
        {"the depth", [](RestraintEntries& e) { e.Values[ShearKeyDepthBox] = "0.7"; }, true},
        {"the position", [](RestraintEntries& e) { e.Values[AdjacentPositionBox] = "1"; }, true},
        {"passive pressure off", [](RestraintEntries& e) { e.Checks[PassiveToeCheck] = 0; }, true},
        {"structure on", [](RestraintEntries& e) { e.Checks[AdjacentStructureCheck] = 1; }, true},
        {"key off", [](RestraintEntries& e) { e.Checks[ShearKeyCheck] = 0; }, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Model m = Restrained();
        RestraintEntries e = RestraintEntriesFromModel(m);
        c.edit(e);
        StoreRestraints(m, e);
        EXPECT_EQ(m.ProjectModified, c.modified ? True : False);
        EXPECT_EQ(m.AdjacentStructureCapacity, EntryValue(e.Values[AdjacentCapacityBox]));
        EXPECT_EQ(m.ShearKeyDepth, EntryValue(e.Values[ShearKeyDepthBox]));
        EXPECT_EQ(m.AdjacentStructurePosition, EntryValue(e.Values[AdjacentPositionBox]));
        EXPECT_EQ(m.PassiveToePressureIncluded, e.Checks[PassiveToeCheck]);
        EXPECT_EQ(m.AdjacentStructureIncluded, e.Checks[AdjacentStructureCheck]);
        EXPECT_EQ(m.ShearKeyIncluded, e.Checks[ShearKeyCheck]);
    }
}

TEST(RestraintsForm, ANumberTooLargeStoresNothing) {
    Model m = Restrained();
    RestraintEntries e = RestraintEntriesFromModel(m);
    e.Values[ShearKeyDepthBox] = "2";
    e.Values[AdjacentPositionBox] = "1e40";
    EXPECT_THROW(StoreRestraints(m, e), RuntimeError);
    EXPECT_EQ(m.ShearKeyDepth, 0.6f);
    EXPECT_EQ(m.ProjectModified, False);
}

}  // namespace
}  // namespace brindlemar

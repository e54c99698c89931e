#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "analysis/SectionStations.h"
#include "design/DesignSectionForces.h"
#include "design/ReinforcementSheets.h"
#include "files/ProjectFile.h"
#include "forms/DimensionEdit.h"
#include "forms/LoadsWorkingCopy.h"
#include "forms/PropertiesForm.h"
#include "forms/RestraintsForm.h"
#include "model/Units.h"
#include "runtime/Format.h"
#include "support/BuiltInWall.h"
#include "support/MessageRecorder.h"

namespace brindlemar {
namespace {

// The reinforcement dialog opened on `m`, bringing the upper stem within the stem.
void OpenReinforcementDialog(Model& m) {
    ComputeDesignSectionForces(m);
    const std::vector<float> stem = StemStationList(m);
    m.UpperStemLength = std::min(m.UpperStemLength, stem.empty() ? 0.0f : stem.back());
}

// `m` saved and opened again as the file commands do; nothing when refused.
std::unique_ptr<Model> SavedAndOpened(const Model& m, const std::string& path) {
    auto written = std::make_unique<Model>(m), opened = std::make_unique<Model>(m);
    EXPECT_TRUE(WriteProjectFile(*written, path));
    InitialiseProject(*opened);
    if (!ReadProjectFile(*opened, path)) opened.reset();
    return opened;
}

// Every way into a wall, in a seeded random order: after each step the design
// reads what it reads once the reinforcement dialog has brought the upper stem
// within the stem, and the wall saved opens again keeping the length's bytes.
// A value at the edge of what its editor takes (through the labels, which keep
// the wall whole) opens; one step beyond it never opens into one none takes.
TEST(WallEntryPaths, EveryWayBringsOnlyAWallTheWindowsCouldHaveMade) {
    test::MessageRecorder messages;
    test::BuiltInWall w;
    Model& m = w.m;
    const std::string path = (w.Folder.Path() / "wall.bmi").string();
    const std::vector<RuledValue> fields = EveryRuledValue();
    const char* numbers[] = {"0", "0.01", "0.3", "1.5", "2.4", "3.73", "6", "12", "-1", "89.99", "90"};
    std::mt19937 random(46);
    const auto pick = [&random](std::size_t n) { return static_cast<int>(random() % n); };
    for (int step = 0; step < 600 && !HasFailure(); ++step) {
        const std::string typed = numbers[pick(std::size(numbers))];
        const int way = pick(9), box = pick(PropertyBoxCount);
        SCOPED_TRACE("step " + std::to_string(step) + ", way " + std::to_string(way) + ": " + typed);
        PropertyEntries properties = PropertyEntriesFromModel(m);
        RestraintEntries restraints = RestraintEntriesFromModel(m);
        properties.Values[box] = restraints.Values[box % 3] = typed;
        properties.BaseMaterial = pick(2), restraints.Checks[pick(3)] ^= 1;
        properties.BearingMethod = properties.BaseMaterial == Soil ? pick(4) : NominalBearing;
        const int f = pick(fields.size());
        const RuledValue& field = fields[static_cast<std::size_t>(f)];
        if (way == 0 && Val(typed) >= 0) StoreDimension(m, box % DimensionLabelCount, EntryValue(typed));
        if (way == 1 && PropertyEntryRefusal(box, typed, "").empty() &&
            BearingMethodRefusal(properties.BearingMethod, properties.Values[BaseUnitWeightPropertyBox]).empty())
            StoreProperties(m, properties);
        if (way == 2 && RestraintEntryRefusal(box % 3, typed).empty()) StoreRestraints(m, restraints);
        if (way == 3 && EntryRefusal(LoadOptionBoxAt(box % 15).Rule, typed, "").empty() &&
            (box % 15 != BaseUnitWeightBox || BearingMethodRefusal(m.BearingResistanceMethod, typed).empty())) {
            LoadOptionControls c;  // its options chosen anew: active, computed coefficients, no restraints
            c.BaseMaterialOption = m.BaseMaterialOption;
            for (int i = 0; i < LoadOptionBoxCount; ++i) LoadOptionText(c, i) = EntryText(m.*LoadOptionValues[i].Variable);
            LoadOptionText(c, box % 15) = typed;
            CopyCombinationSetsToWorkingCopy(m);
            StoreLoadOptions(m, c, m.LineLoads, m.LineLoadCount);
        }
        if (way == 4) {
            OpenReinforcementDialog(m);
            if (const auto check = CheckUpperStemLength(m, typed); check.Valid) m.UpperStemLength = check.Length;
        }
        if (way == 5) InitialiseProject(m);
        if (way == 6)
            m.PreviousUnitSystem = std::exchange(m.CurrentUnitSystem, static_cast<int16_t>(pick(3))), ConvertUnits(m);
        if (way == 7 && field.Rule != EntryRule::AnyNumber) {
            const bool steep = field.Rule == EntryRule::FrictionAngle && Val(typed) > 45;
            const float edge = field.Rule == EntryRule::Positive ? 0.01f : steep ? 89.99f : 0;
            auto atEdge = std::make_unique<Model>(m), beyond = std::make_unique<Model>(m);
            if (f < DimensionLabelCount) StoreDimension(*atEdge, f, edge);
            else atEdge.get()->*field.Variable = edge;
            EXPECT_TRUE(SavedAndOpened(*atEdge, path)) << field.Name << " " << edge;
            beyond.get()->*field.Variable = steep ? 90 : edge - 0.01f;
            const std::size_t told = messages.Messages.size();
            const auto opened = SavedAndOpened(*beyond, path);
            EXPECT_EQ(messages.Messages.size(), told + (opened ? 0 : 1)) << "a refusal says why";
            EXPECT_TRUE(!opened || std::any_of(fields.begin(), fields.end(), [&](const RuledValue& other) {
                return other.Variable == field.Variable && KeepsRule(other.Rule, opened.get()->*field.Variable);
            })) << field.Name;
        }
        if (way == 8) m.WaterIncluded = static_cast<int16_t>(~m.WaterIncluded), SetWaterDepths(m);  // the water switch
        auto dialog = std::make_unique<Model>(m);
        OpenReinforcementDialog(*dialog);
        ComputeDesignSectionForces(*dialog);
        ComputeDesignSectionForces(m);
        EXPECT_EQ(m.FlexureMoments, dialog->FlexureMoments);
        EXPECT_EQ(m.FlexureSectionDepths, dialog->FlexureSectionDepths);
        EXPECT_EQ(MemberLengths(m), MemberLengths(*dialog));
        const auto opened = SavedAndOpened(m, path);
        ASSERT_TRUE(opened) << messages.Messages.back().Text;
        EXPECT_EQ(opened->UpperStemLength, m.UpperStemLength);
    }
}

}  // namespace
}  // namespace brindlemar

// No wall, however degenerate, may leave NaN or infinity in the model: every
// number an analysis stores stays finite, and what cannot be computed is
// reported and never marked stable.

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "AnalysisTestSupport.h"
#include "support/BuiltInWall.h"
#include "analysis/Analysis.h"
#include "analysis/Coefficients.h"
#include "model/Outline.h"
#include "support/MessageRecorder.h"

namespace brindlemar {
namespace {

using test::BuiltInWall;
using test::MessageRecorder;

struct Degeneration {
    const char* what;
    void (*apply)(Model&);
};

const Degeneration Degenerations[] = {
    {"the built-in wall", [](Model&) {}},
    {"no heights at all",
     [](Model& m) {
         m.FrontStemHeight = m.BackStemHeight = m.ToeTopDrop = m.ToeTipThickness = 0;
         m.HeelTopDrop = m.HeelEndThickness = m.WallHeight = 0;
         m.FrontWaterDepth = m.BackWaterDepth = 0;
     }},
    {"no stem heights", [](Model& m) { m.FrontStemHeight = m.BackStemHeight = 0; }},
    {"no toe or heel thickness",
     [](Model& m) { m.ToeTopDrop = m.ToeTipThickness = m.HeelTopDrop = m.HeelEndThickness = 0; }},
    {"no base width",
     [](Model& m) {
         m.ToeLength = m.StemFrontBatter = m.StemTopThickness = m.StemBackBatter = m.HeelLength = 0;
         m.BaseWidth = 0;
     }},
    {"neither toe nor heel",
     [](Model& m) {
         m.ToeLength = m.HeelLength = 0;
         m.BaseWidth = m.StemFrontBatter + m.StemTopThickness + m.StemBackBatter;
     }},
    {"frictionless sloping backfill", [](Model& m) { m.BackfillFrictionAngle = 0; }},
    {"slope steeper than the friction", [](Model& m) { m.BackfillSlopeRatio = 0.5f; }},
    {"water at the top", [](Model& m) { m.FrontWaterDepth = m.BackWaterDepth = 0; }},
    {"water at the base", [](Model& m) { m.FrontWaterDepth = m.BackWaterDepth = 10; }},
    {"no friction anywhere",
     [](Model& m) {
         m.BackfillFrictionAngle = m.ToeEarthFrictionAngle = m.BaseFrictionAngle = 0;
         m.EarthToEarthFrictionAngle = m.ConcreteToEarthFrictionAngle = 0;
     }},
    {"negative base friction", [](Model& m) { m.BaseFrictionAngle = -10; }},
    {"weightless",
     [](Model& m) {
         m.ConcreteUnitWeight = m.BackfillUnitWeight = m.BackfillSaturatedDensity = m.WaterUnitWeight = 0;
         m.ToeEarthUnitWeight = m.ToeEarthSaturatedDensity = m.BaseUnitWeight = 0;
     }},
    {"no surcharge, no shear key depth", [](Model& m) { m.BackfillSurcharge = m.ShearKeyDepth = 0; }},
};

TEST(DegenerateWalls, EveryStoredResultStaysFinite) {
    for (const Degeneration& d : Degenerations) {
        for (float kh : {0.0f, 0.15f, 0.5f}) {
            for (int16_t base : {Rock, Soil}) {
                for (int16_t method : {NominalBearing, TheoreticalBearing, SptBearing, CptBearing}) {
                    BuiltInWall wall;
                    Model& m = wall.m;
                    m.BaseUnitWeight = 1.8f;
                    m.BaseMaterialOption = base;
                    m.BearingResistanceMethod = method;
                    m.AppliedSeismicCoefficient = kh;
                    d.apply(m);
                    ComputeWallOutline(m);
                    MessageRecorder messages;
                    for (int16_t set : {0, 1}) {
                        m.ActiveCombinationSet = set;
                        AnalyseAllCombinations(m);
                        const int n = m.CombinationSets[set].CombinationCount;
                        for (int i = 1; i <= n; ++i) {
                            const int16_t flag = m.CombinationWallStableFlags[i].value_or(1);
                            EXPECT_TRUE(flag == True || flag == False) << d.what;
                        }
                        test::ForEachAnalysisResult(m, [&](const std::string& name, double value) {
                            EXPECT_TRUE(std::isfinite(value))
                                << d.what << ", kh " << kh << ", base " << base << ", method " << method << ": "
                                << name << " = " << value;
                        });
                    }
                    // Only a seismic coefficient with no active wedge (friction below the
                    // seismic angle) may stop an analysis; no degenerate shape divides by
                    // zero or overflows.
                    for (const auto& message : messages.Messages) {
                        EXPECT_TRUE(message.Text.starts_with("The backfill slope is") ||
                                    message.Text == SeismicAccelerationTooLarge)
                            << d.what << ", kh " << kh << ": " << message.Text;
                    }
                }
            }
        }
    }
}

}  // namespace
}  // namespace brindlemar

#pragma once
// A wall for the section-force tests: prismatic stem (no batters), flat toe
// and heel tops, level backfill, no wall friction, and nothing acting but the
// concrete's weight until a test switches a load on. The results the
// section-force routines read from the analysis are set by hand, so a test
// states the base contact and resistances it means.

#include "support/BuiltInWall.h"

namespace brindlemar::test {

struct SectionTestWall : BuiltInWall {
    SectionTestWall() {
        m.ToeLength = 2.0f;
        m.StemFrontBatter = 0;
        m.StemTopThickness = 0.8f;
        m.StemBackBatter = 0;
        m.HeelLength = 3.0f;
        m.BaseWidth = 5.8f;
        m.FrontStemHeight = 8.0f;
        m.BackStemHeight = 8.0f;
        m.ToeTopDrop = 0;
        m.HeelTopDrop = 0;
        m.ToeTipThickness = 1.0f;
        m.HeelEndThickness = 1.0f;
        m.WallHeight = 9.0f;
        m.BackfillSlopeRatio = 0;

        m.ConcreteUnitWeight = 2.4f;
        m.WaterUnitWeight = 1.0f;
        m.BackfillFrictionAngle = 30;
        m.ConcreteToEarthFrictionAngle = 0;
        m.EarthToEarthFrictionAngle = 0;
        EarthOff();
        m.BackfillSurcharge = 0;
        m.SurchargeLoadType = ES;
        m.EarthPressureOption = Active;
        m.KaSource = Computed;

        m.WaterIncluded = 0;
        m.FrontWaterDepth = 9.0f;
        m.BackWaterDepth = 9.0f;
        m.SeismicIncluded = 0;
        m.AppliedSeismicCoefficient = 0;
        m.LineLoadCount = 0;
        m.ShearKeyIncluded = 0;
        m.AdjacentStructureIncluded = 0;
        m.AdjacentStructureCapacity = 0;
        m.AdjacentStructurePosition = 0;
        for (int k = 1; k <= 21; ++k) m.CurrentLoadCombination.Factor[k] = 1.0f;

        // a stable wall with full contact and no base pressure
        m.WallStable = True;
        m.BearingContactStart = 0;
        m.BearingContactEnd = m.BaseWidth;
        m.BearingPressureWidth = m.BaseWidth;
        m.LeftBearingPressure = 0;
        m.RightBearingPressure = 0;
        m.TotalHorizontalForce = 0;
        m.BaseFrictionResistance = 0;
        m.RestraintResistance = 0;
        m.ToePassiveResistance = 0;
        m.ShearKeyPassiveResistance = 0;
        m.BackfillPressureCoefficient = 1.0f / 3.0f;
        m.SeismicIncrementCoefficient = 0.1f;
    }

    // Weightless backfill: no earth pressure and no earth weight.
    void EarthOff() {
        m.BackfillUnitWeight = 0;
        m.BackfillSaturatedDensity = m.WaterUnitWeight;
    }
    void EarthOn() {
        m.BackfillUnitWeight = 1.8f;
        m.BackfillSaturatedDensity = 2.0f;
    }

    void AddLineLoad(float value, float x, float y, float direction, int16_t type) {
        m.LineLoads[++m.LineLoadCount] = {value, x, y, direction, type};
    }
};

}  // namespace brindlemar::test

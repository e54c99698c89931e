#pragma once
// The built-in wall in SI units (kN, m) carrying nothing but its own weight,
// the earth on its heel and the backfill thrust: no water, no earthquake, no
// surcharge, no line load, no passive earth at the toe, no key and no
// adjacent structure; a rock base, active pressure with computed
// coefficients, and the built-in single combination whose load factors are
// all 1. A test shapes it and adds what it needs.

#include "model/Model.h"
#include "model/Units.h"
#include "support/BuiltInWall.h"

namespace brindlemar::test {

inline void MakePlainSIWall(Model& m) {
    m.PreviousUnitSystem = m.CurrentUnitSystem;
    m.CurrentUnitSystem = SI;
    ConvertUnits(m);
    m.WaterIncluded = 0;
    m.SeismicIncluded = 0;
    m.BackfillSurcharge = 0;
    m.LineLoadCount = 0;
    m.PassiveToePressureIncluded = 0;
    m.ShearKeyIncluded = 0;
    m.AdjacentStructureIncluded = 0;
    m.MinimumFluidDensity = 0;
    m.BaseMaterialOption = Rock;
    m.EarthPressureOption = Active;
    m.KaSource = Computed;
    m.KaeSource = Computed;
    m.ActiveCombinationSet = 0;
    m.CurrentCombination = 0;
}

// Level toe and heel tops, a vertical or battered stem of `height` on a base
// of thickness `t`, the backfill sloping 1 in `slopeRatio` (0: level).
inline void ShapePlainWall(Model& m, float toe, float frontBatter, float top, float backBatter, float heel,
                           float height, float t, float slopeRatio) {
    m.ToeLength = toe;
    m.StemFrontBatter = frontBatter;
    m.StemTopThickness = top;
    m.StemBackBatter = backBatter;
    m.HeelLength = heel;
    m.BaseWidth = toe + frontBatter + top + backBatter + heel;
    m.FrontStemHeight = height;
    m.BackStemHeight = height;
    m.ToeTopDrop = 0;
    m.HeelTopDrop = 0;
    m.ToeTipThickness = t;
    m.HeelEndThickness = t;
    m.WallHeight = height + t;
    m.BackfillSlopeRatio = slopeRatio;
    m.ShearKeyToeDistance = m.BaseWidth - m.ShearKeyWidth;
    m.ShearKeyHeelDistance = 0;
}

// An L-shaped plain wall without a toe: vertical stem 8.0 x 0.30 m on a
// 0.35 m base, heel 4.5 m, level backfill of 18 kN/m³ with φ 30° and no wall
// friction, concrete of 24 kN/m³ and f'c 25 MPa. The base pressure falls
// linearly from the toe tip to nothing short of the heel end, so the heel's
// shear returns towards 0 at the stem face and peaks inside the heel.
inline void MakeLShapedWall(Model& m) {
    MakePlainSIWall(m);
    ShapePlainWall(m, 0, 0, 0.3f, 0, 4.5f, 8.0f, 0.35f, 0);
    m.BackfillUnitWeight = 18;
    m.BackfillFrictionAngle = 30;
    m.ConcreteToEarthFrictionAngle = 0;
    m.EarthToEarthFrictionAngle = 0;
    m.ConcreteUnitWeight = 24;
    m.ConcreteCompressiveStress = 25;
    m.UpperStemLength = 4;
}

struct PlainSIWall : BuiltInWall {
    PlainSIWall() { MakePlainSIWall(m); }
    void Shape(float toe, float frontBatter, float top, float backBatter, float heel, float height, float t,
               float slopeRatio) {
        ShapePlainWall(m, toe, frontBatter, top, backBatter, heel, height, t, slopeRatio);
    }
};

}  // namespace brindlemar::test

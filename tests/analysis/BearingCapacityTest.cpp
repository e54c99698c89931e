// Bearing-capacity factors, water-table, shape and depth factors, and the
// nominal resistance by each method, worked by hand.

#include <gtest/gtest.h>

#include <cmath>

#include "support/BuiltInWall.h"
#include "analysis/Analysis.h"
#include "analysis/BearingCapacity.h"

namespace brindlemar {
namespace {

using test::BuiltInWall;

TEST(BearingCapacityFactors, InterpolatedByFrictionAngle) {
    struct Case {
        float phi;
        float phiAfter, Nc, Nq, Ngamma;
    };
    const Case cases[] = {
        {30, 30, 30.1f, 18.4f, 22.4f},     {30.5f, 30.5f, 31.4f, 19.5f, 24.2f},
        {0, 0, 5.14f, 1.0f, 0.0f},         {0.25f, 0.25f, 5.205f, 1.025f, 0.025f},
        {-5, 0, 5.14f, 1.0f, 0.0f},        {45, 45, 133.9f, 134.9f, 271.8f},
        {50, 50, 133.9f, 134.9f, 271.8f},  {44.5f, 44.5f, 126.15f, 125.1f, 248.2f},
    };
    BuiltInWall wall;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.phi);
        float phi = c.phi, Nc = 0, Nq = 0, Ngamma = 0;
        LookUpBearingCapacityFactors(wall.m, phi, Nc, Nq, Ngamma);
        EXPECT_EQ(phi, c.phiAfter);
        EXPECT_NEAR(Nc, c.Nc, 1e-4);
        EXPECT_NEAR(Nq, c.Nq, 1e-4);
        EXPECT_NEAR(Ngamma, c.Ngamma, 1e-4);
    }
}

TEST(BearingCapacityFactors, DepthFactorBilinearAndClampedAtTheEdges) {
    struct Case {
        float phi, DfOverB;
        double dq;
    };
    const Case cases[] = {
        {32, 3, 1.325},   {34.5f, 1, 1.20},  {39.5f, 8, 1.325}, {30, 0.5f, 1.20}, {32, 8, 1.40},
        {32, 10, 1.40},   {50, 10, 1.30},    {42, 1, 1.15},     {34.5f, 3, 1.30}, {-3, 2, 1.30},
    };
    BuiltInWall wall;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.phi << " " << c.DfOverB);
        float phi = c.phi, dq = 0;
        BearingDepthFactor(wall.m, phi, c.DfOverB * 2, 2, dq);
        EXPECT_NEAR(dq, c.dq, 1e-6);
        EXPECT_GE(phi, 0);
    }
}

TEST(BearingCapacityFactors, WaterTable) {
    struct Case {
        const char* what;
        float Dw, Df, B;
        double Cwq, Cwg;
    };
    const Case cases[] = {
        {"at the footing level", 1, 1, 2, 1, 0.5},
        {"at the ground surface", 0, 1, 2, 0.5, 0.5},
        {"above the ground: no less than at it", -1, 1, 2, 0.5, 0.5},
        {"within 1.5 B below the footing", 2.5f, 1, 2, 1, 0.75},
        {"at 1.5 B below the footing", 4, 1, 2, 1, 1},
        {"at 3 B below the footing", 7, 1, 2, 1, 1},
        {"footing on the surface, water above", -2, 0, 2, 0.5, 0.5},
        {"footing on the surface, water at it", 0, 0, 2, 0.5, 0.5},
    };
    for (const Case& c : cases) {
        float Cwq = -1, Cwg = -1;
        WaterTableFactors(c.Dw, c.Df, c.B, Cwq, Cwg);
        EXPECT_NEAR(Cwq, c.Cwq, 1e-7) << c.what;
        EXPECT_NEAR(Cwg, c.Cwg, 1e-7) << c.what;
    }
}

TEST(BearingCapacityFactors, ShapeOfALongFooting) {
    float sc = 0, sg = 0, sq = 0;
    BearingShapeFactors(0, 3, 100000, 1.0f, 5.14f, sc, sg, sq);
    EXPECT_FLOAT_EQ(sc, 1 + 3.0f / 500000);
    EXPECT_EQ(sg, 1);
    EXPECT_EQ(sq, 1);
    BearingShapeFactors(30, 3, 100000, 18.4f, 30.1f, sc, sg, sq);
    EXPECT_NEAR(sc, 1 + 3e-5 * 18.4 / 30.1, 1e-7);
    EXPECT_NEAR(sg, 1 - 0.4 * 3e-5, 1e-7);
    EXPECT_NEAR(sq, 1 + 3e-5 * std::tan(30 * std::atan(1.0) / 45), 1e-7);
}

// Base of 3 m, footing 1 m deep with the water at its level, φ 30°,
// c 0.5, γ 1.8, N 20, qc 5.
TEST(UltimateBearingCapacity, EachMethodInEachUnitSystem) {
    struct Case {
        const char* what;
        int16_t method, units;
        double want;
    };
    const Case cases[] = {
        {"user value", NominalBearing, Metric, 10},
        {"theoretical, Metric", TheoreticalBearing, Metric, 22.048709},
        {"theoretical, SI", TheoreticalBearing, SI, 15.120260},
        {"theoretical, British", TheoreticalBearing, British, 501.052536},
        {"SPT, Metric", SptBearing, Metric, 16.309888},
        {"SPT, SI", SptBearing, SI, 1.6},
        {"SPT, British", SptBearing, British, 70.644364},
        {"CPT, Metric", CptBearing, Metric, 1.025},
        {"CPT, SI", CptBearing, SI, 1.025},
        {"CPT, British", CptBearing, British, 0.31242},
        {"no such method", 4, Metric, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        BuiltInWall wall;
        Model& m = wall.m;
        m.BearingResistanceMethod = c.method;
        m.CurrentUnitSystem = c.units;
        m.BaseSptBlowCount = 20;
        m.BaseCptTipResistance = 5;
        float phi = 30;
        const float q = UltimateBearingCapacity(m, 0.5f, phi, 1.8f, 3, 100000, 1, 1);
        EXPECT_NEAR(q, c.want, 2e-6 * std::max(1.0, c.want));
    }
}

TEST(UltimateBearingCapacity, ComputesOnlyWhatTheMethodNeeds) {
    BuiltInWall wall;
    Model& m = wall.m;
    float phi = -4;
    // the user's value needs no width: none in contact is no error
    m.BearingResistanceMethod = NominalBearing;
    EXPECT_EQ(UltimateBearingCapacity(m, 0, phi, 1.8f, 0, 100000, 1, 1), 10);
    EXPECT_EQ(phi, 0);
    // the other methods carry nothing on no width
    for (int16_t method : {TheoreticalBearing, SptBearing, CptBearing}) {
        m.BearingResistanceMethod = method;
        EXPECT_EQ(UltimateBearingCapacity(m, 0.5f, phi, 1.8f, 0, 100000, 1, 1), 0) << method;
    }
    // the built-in soil has no unit weight and no cohesion yet: no theoretical capacity
    m.BearingResistanceMethod = TheoreticalBearing;
    phi = 30;
    EXPECT_EQ(UltimateBearingCapacity(m, m.BaseCohesion, phi, m.BaseUnitWeight, 3, 100000, 1, -4), 0);
    // a footing on the surface under water has a capacity, not an error
    m.BaseUnitWeight = 1.8f;
    EXPECT_GT(UltimateBearingCapacity(m, 0, phi, m.BaseUnitWeight, 3, 100000, 0, -1), 0);
}

// No method gives a resistance below zero. Water standing 4 m above the
// ground in front of a footing 1 m deep (B 3, φ 30°, γ 1.8) leaves Cwq at
// its least, 0.5: q1 = 0.5·1.8·3·22.4·0.999988·0.5 + 1.8·1·18.4·1.2·1.0000173·0.5
// = 50.11198 T/m², 5.011198 kg/cm². Inputs out of their range give none.
TEST(UltimateBearingCapacity, NeverBelowZero) {
    struct Case {
        const char* what;
        int16_t method;
        float c, gamma, Dw, entered, N, qc;
        double want;
    };
    const Case cases[] = {
        {"water above the ground", TheoreticalBearing, 0, 1.8f, -4, 10, 20, 5, 5.011198},
        {"negative cohesion", TheoreticalBearing, -5, 1.8f, 1, 10, 20, 5, 0},
        {"negative unit weight", TheoreticalBearing, 0, -1.8f, 1, 10, 20, 5, 0},
        {"negative entered value", NominalBearing, 0, 1.8f, 1, -10, 20, 5, 0},
        {"negative blow count", SptBearing, 0, 1.8f, 1, 10, -20, 5, 0},
        {"negative tip resistance", CptBearing, 0, 1.8f, 1, 10, 20, -5, 0},
    };
    for (const Case& c : cases) {
        BuiltInWall wall;
        Model& m = wall.m;
        m.BearingResistanceMethod = c.method;
        m.NominalBearingResistance = c.entered;
        m.BaseSptBlowCount = c.N;
        m.BaseCptTipResistance = c.qc;
        float phi = 30;
        EXPECT_NEAR(UltimateBearingCapacity(m, c.c, phi, c.gamma, 3, 100000, 1, c.Dw), c.want, 1e-5) << c.what;
    }
    // nor does a concrete strength below zero cap a resistance into a negative one
    BuiltInWall wall;
    wall.m.ConcreteCompressiveStress = -300;
    EXPECT_EQ(CappedBearingResistance(wall.m, 5), 0);
}

}  // namespace
}  // namespace brindlemar

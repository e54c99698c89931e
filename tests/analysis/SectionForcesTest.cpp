#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <limits>
#include <cstdint>
#include <vector>

#include "support/SectionTestWall.h"
#include "analysis/Coefficients.h"
#include "analysis/Preparation.h"
#include "analysis/Analysis.h"
#include "analysis/BackfillPressure.h"
#include "model/Initialise.h"
#include "model/Outline.h"
#include "model/Units.h"
#include "analysis/SectionForces.h"
#include "analysis/SectionFreeBody.h"
#include "analysis/SectionStations.h"
#include "analysis/WaterPressure.h"
#include "support/MessageRecorder.h"
#include "support/PlainSIWall.h"

namespace brindlemar {
namespace {

using test::SectionTestWall;

using Member = WallPart;
const char* Name(Member member) {
    return member == Member::Stem ? "stem" : member == Member::Toe ? "toe" : "heel";
}

struct Forces {
    float M = 0, V = 0, N = 0, M2 = 0, V2 = 0, N2 = 0;
    bool ok = false;
};

Forces Cut(Model& m, Member member, float pos) {
    Forces f;
    auto routine = member == Member::Stem ? CalcStemSectionForces
                   : member == Member::Toe ? CalcToeSectionForces
                                           : CalcHeelSectionForces;
    f.ok = routine(m, pos, f.M, f.V, f.N, f.M2, f.V2, f.N2);
    return f;
}

// Station positions in the frame each routine takes its cut in, ascending.
std::vector<float> Positions(const Model& m, Member member) {
    if (member == Member::Stem) return StemStationList(m);
    if (member == Member::Toe) return ToeStationList(m);
    std::vector<float> fromEnd;
    for (float s : HeelStationList(m)) fromEnd.push_back(m.HeelLength - s);
    std::sort(fromEnd.begin(), fromEnd.end());
    return fromEnd;
}

constexpr double Ka15 = 0.30142;   // Coulomb active, φ 30°, vertical wall, level ground, δ 15°

// Ka·γ·cos δ = 0.30142·1.8·0.96593 = 0.52408 per unit depth; a minimum
// equivalent fluid density above it replaces it, one below it or switched
// off does not.
TEST(CalcStemSectionForces, EarthPressureOnAVerticalStemMatchesTheHandFormula) {
    SectionTestWall w;
    Model& m = w.m;
    w.EarthOn();
    m.ConcreteToEarthFrictionAngle = 15;
    const double natural = Ka15 * 1.8 * std::cos(15.0 * M_PI / 180);
    struct Case { float minimum; int16_t enabled; double gradient; };
    const Case cases[] = {{0, 0, natural}, {0.9f, 1, 0.9}, {0.9f, 0, natural}, {0.4f, 1, natural}};
    for (const Case& k : cases) {
        m.MinimumFluidDensity = k.minimum;
        m.MinimumFluidDensityEnabled = k.enabled;
        for (double h : {5.0, 8.0}) {
            SCOPED_TRACE(testing::Message() << "minimum " << k.minimum << ", enabled " << k.enabled << ", h " << h);
            const Forces f = Cut(m, Member::Stem, float(h));
            ASSERT_TRUE(f.ok);
            // the backfill pushes the stem towards the toe: negative shear, and a
            // clockwise-negative moment about the section centre
            EXPECT_NEAR(f.M, -k.gradient * h * h * h / 6, 2e-4 * k.gradient * h * h * h);
            EXPECT_NEAR(f.V, -k.gradient * h * h / 2, 2e-4 * k.gradient * h * h);
            // a vertical back face takes no share of the wall friction: N is the concrete's weight
            EXPECT_NEAR(f.N, 2.4 * 0.8 * h, 1e-4);
            EXPECT_EQ(f.M2, f.M);
            EXPECT_EQ(f.V2, f.V);
        }
    }
}

// Greatest thrust on a back face from its top (0, 0) down to (b, -L), with
// the ground rising from the top at β, over trial planes from the face's foot
// at ρ above the horizontal: the wedge's weight W, its inertia kh·W towards
// the wall, the reaction on the plane at φ from its normal and the thrust at
// δ from the face's normal, so at δ + α from the horizontal.
double TrialWedgeThrust(double phi, double delta, double beta, double kh, double L, double b, double gamma) {
    const double alpha = std::atan(b / L);
    auto thrust = [&](double rho) {
        const double u = (L + b * std::tan(beta)) / (std::sin(rho) - std::cos(rho) * std::tan(beta));
        const double xG = b + u * std::cos(rho), yG = -L + u * std::sin(rho);
        const double W = gamma * std::abs(b * yG - xG * -L) / 2;
        return W * (kh * std::cos(rho - phi) + std::sin(rho - phi)) / std::cos(delta + alpha - rho + phi);
    };
    // a coarse scan, then a golden-section search around its best plane
    const double lo = std::max(beta, phi) + 1e-6, hi = M_PI / 2 + alpha - 1e-6;
    constexpr int steps = 400;
    int best = 0;
    for (int i = 1; i <= steps; ++i)
        if (thrust(lo + (hi - lo) * i / steps) > thrust(lo + (hi - lo) * best / steps)) best = i;
    double a = lo + (hi - lo) * std::max(best - 1, 0) / steps, c = lo + (hi - lo) * std::min(best + 1, steps) / steps;
    const double g = (std::sqrt(5.0) - 1) / 2;
    for (int i = 0; i < 100; ++i) {
        const double x1 = c - g * (c - a), x2 = a + g * (c - a);
        if (thrust(x1) < thrust(x2)) a = x1; else c = x2;
    }
    return thrust((a + c) / 2);
}

TEST(CalcStemSectionForces, HorizontalThrustOnABatteredBackIsTheTrialWedgeOne) {
    // the stem foot carries the horizontal part of the whole thrust on the
    // back face, static and under earthquake, for a slight and a steep batter
    struct Case { const char* what; float batter, slopeRatio, kh; };
    const Case cases[] = {
        {"slight batter", 0.5f, 5, 0},
        {"slight batter, earthquake", 0.5f, 5, 0.15f},
        {"steep batter", 2.0f, 3, 0},
        {"steep batter, earthquake", 2.0f, 3, 0.15f},
    };
    for (const Case& c : cases) {
        SectionTestWall w;
        Model& m = w.m;
        w.EarthOn();
        m.ConcreteUnitWeight = 0;
        m.ConcreteToEarthFrictionAngle = 15;
        m.StemBackBatter = c.batter;
        m.BackfillSlopeRatio = c.slopeRatio;
        m.SeismicIncluded = c.kh > 0 ? True : 0;
        m.AppliedSeismicCoefficient = c.kh;
        const double rad = M_PI / 180, alpha = std::atan(c.batter / 8.0);
        const double P = TrialWedgeThrust(30 * rad, 15 * rad, std::atan(1.0 / c.slopeRatio), c.kh, 8, c.batter, 1.8);
        const double want = P * std::cos(15 * rad + alpha);
        const Forces f = Cut(m, Member::Stem, 8);
        ASSERT_TRUE(f.ok) << c.what;
        EXPECT_NEAR(-f.V, want, 2e-4 * want) << c.what;
    }
}

// Along a prismatic member with no point load between two cuts, the change of
// moment is the integral of the shear (Simpson's rule over close cuts); a
// horizontal traction on the underside of toe or heel adds its moment about
// the section centre, -yc times the change of the normal force.
void ExpectMomentIsIntegralOfShear(Model& m, Member member, bool baseTraction, const char* what) {
    const std::vector<float> stations = Positions(m, member);
    ASSERT_GE(stations.size(), 2u) << what;
    double scale = 1;
    for (float x : stations) scale = std::max(scale, double(std::abs(Cut(m, member, x).M)));
    const double yc = member == Member::Stem ? 0 : 0.5;   // toe and heel are 1.0 thick
    int checked = 0;
    for (std::size_t i = 1; i < stations.size(); ++i) {
        const double a = stations[i - 1], b = stations[i];
        constexpr int pieces = 4;
        for (int k = 0; k < pieces; ++k) {
            const float p = float(a + (b - a) * k / pieces), q = float(a + (b - a) * (k + 1) / pieces);
            const Forces fp = Cut(m, member, p), fq = Cut(m, member, q);
            const Forces fm = Cut(m, member, float((double(p) + q) / 2));
            ASSERT_TRUE(fp.ok && fq.ok && fm.ok) << what;
            // a point force at the lower end lies on the free body of every cut
            // between, one at the upper end on none of them
            const double dM = double(fq.M2) - fp.M;
            double want = (double(q) - p) / 6 * (fp.V + 4.0 * fm.V + fq.V2);
            if (baseTraction) want -= yc * (double(fq.N2) - fp.N);
            const double tolerance = 0.005 * std::max(std::abs(dM), std::abs(want)) + 2e-5 * scale;
            EXPECT_NEAR(dM, want, tolerance) << what << " on the " << Name(member) << " from " << p << " to " << q;
            ++checked;
        }
    }
    EXPECT_GT(checked, 0) << what;
}

TEST(SectionForces, MomentIsTheIntegralOfShearForEveryLoadType) {
    struct Case {
        const char* what;
        std::function<void(SectionTestWall&)> setUp;
        bool baseTraction;
    };
    auto water = [](Model& m) {
        m.FrontWaterDepth = 5.0f;
        m.BackWaterDepth = 2.0f;
    };
    auto basePressure = [](Model& m) {
        m.BearingContactStart = 0.4f;
        m.BearingContactEnd = 5.5f;
        m.BearingPressureWidth = 5.1f;
        m.LeftBearingPressure = 12;
        m.RightBearingPressure = 3;
    };
    const Case cases[] = {
        {"concrete alone", [](SectionTestWall&) {}, false},
        {"earth", [](SectionTestWall& w) { w.EarthOn(); }, false},
        {"water",
         [&](SectionTestWall& w) {
             w.m.WaterIncluded = True;
             water(w.m);
         },
         false},
        {"seismic",
         [&](SectionTestWall& w) {
             w.EarthOn();
             w.m.SeismicIncluded = True;
             w.m.AppliedSeismicCoefficient = 0.15f;
             water(w.m);   // front water for the hydrodynamic pressure, back water for the submerged increment
         },
         false},
        {"surcharge",
         [](SectionTestWall& w) {
             w.EarthOn();
             w.m.BackfillSurcharge = 2.0f;
         },
         false},
        {"line loads",
         [](SectionTestWall& w) {
             w.AddLineLoad(3, 2.4f, 6.0f, 250, LL);
             w.AddLineLoad(2, 2.4f, 9.0f, 90, EH);
             w.AddLineLoad(4, 1.0f, 0.5f, 160, DL);
             w.AddLineLoad(5, 4.5f, 0.8f, 200, LL);
             w.AddLineLoad(3, 4.0f, 9.0f, 120, LL);   // on the backfill over the heel
         },
         false},
        {"base pressure", [&](SectionTestWall& w) { basePressure(w.m); }, false},
        {"base resistances",
         [&](SectionTestWall& w) {
             Model& m = w.m;
             basePressure(m);
             m.TotalHorizontalForce = -12;
             m.BaseFrictionResistance = 6;
             m.RestraintResistance = 2;
             m.ToePassiveResistance = 3;
             m.ShearKeyPassiveResistance = 2;
             m.AdjacentStructureIncluded = 1;
             m.AdjacentStructureCapacity = 2;
             m.AdjacentStructurePosition = 1.2f;
             m.ShearKeyIncluded = 1;
             m.ShearKeyDepth = 0.5f;
             m.ShearKeyWidth = 0.4f;
             m.ShearKeyHeelDistance = 0.5f;
             m.ShearKeyToeDistance = m.BaseWidth - 0.9f;
         },
         true},
    };
    for (const Case& c : cases) {
        SectionTestWall w;
        c.setUp(w);
        for (Member member : {Member::Stem, Member::Toe, Member::Heel})
            ExpectMomentIsIntegralOfShear(w.m, member, c.baseTraction, c.what);
    }
}

TEST(SectionForces, APointForceAtTheCutEntersOnlyTheFirstSet) {
    SectionTestWall w;
    Model& m = w.m;
    // on the stem, 3.0 below its top: one load at the cut level, one above it
    w.AddLineLoad(10, 2.4f, 6.0f, 90, LL);
    w.AddLineLoad(4, 2.4f, 7.0f, 90, LL);
    const Forces stem = Cut(m, Member::Stem, 3.0f);
    EXPECT_NEAR(stem.V, 14, 1e-4);
    EXPECT_NEAR(stem.V2, 4, 1e-4);
    EXPECT_NEAR(stem.M2, 4 * 1.0, 1e-4);   // 1.0 above the cut
    EXPECT_NEAR(stem.M, stem.M2, 1e-4);    // the load at the cut has no arm

    // on the toe: a restraint and a downward load exactly at the cut
    m.TotalHorizontalForce = -5;
    m.RestraintResistance = 5;
    m.AdjacentStructurePosition = 1.5f;
    w.AddLineLoad(6, 1.5f, 1.0f, 180, DL);
    const Forces toe = Cut(m, Member::Toe, 1.5f);
    EXPECT_NEAR(toe.N - toe.N2, 5, 1e-4);
    EXPECT_NEAR(toe.V - toe.V2, -6, 1e-4);
    EXPECT_NEAR(toe.M - toe.M2, -5 * 0.5, 1e-4);   // along the underside, 0.5 below the centre
    const Forces beyond = Cut(m, Member::Toe, 1.6f);
    EXPECT_NEAR(beyond.N, beyond.N2, 1e-5);
    EXPECT_NEAR(beyond.V, beyond.V2, 1e-5);

    // on the heel: the toe-side face of a shear key at the cut
    m.RestraintResistance = 0;
    m.ShearKeyPassiveResistance = 5;
    m.ShearKeyHeelDistance = 0.2f;
    m.ShearKeyWidth = 0.6f;
    const Forces heel = Cut(m, Member::Heel, 0.8f);
    EXPECT_NEAR(heel.N - heel.N2, -5, 1e-4);
    EXPECT_NEAR(heel.M - heel.M2, 5 * 0.5, 1e-4);
}

TEST(SectionForces, CutsAtAndBeyondTheMemberEnds) {
    SectionTestWall w;
    Model& m = w.m;
    w.EarthOn();
    m.SeismicIncluded = True;
    m.AppliedSeismicCoefficient = 0.2f;
    m.FrontWaterDepth = 5;

    // above the stem top: nothing above the cut
    const Forces top = Cut(m, Member::Stem, -1.0f);
    EXPECT_EQ(top.M, 0);
    EXPECT_EQ(top.V, 0);
    EXPECT_EQ(top.N, 0);
    // below the stem: the forces at its foot
    const Forces foot = Cut(m, Member::Stem, 8.0f), below = Cut(m, Member::Stem, 12.0f);
    EXPECT_EQ(below.M, foot.M);
    EXPECT_EQ(below.V, foot.V);

    // at the toe tip only the passive soil in front of it acts, along the
    // underside (water and earth would press on the tip face itself)
    m.SeismicIncluded = 0;
    w.EarthOff();
    m.TotalHorizontalForce = -4;
    m.ToePassiveResistance = 4;
    w.AddLineLoad(3, 0.5f, 0.5f, 180, DL);
    const Forces tip = Cut(m, Member::Toe, -0.5f);
    EXPECT_NEAR(tip.N, 4, 1e-5);
    EXPECT_NEAR(tip.M, -4 * 0.5, 1e-5);
    EXPECT_EQ(tip.V, 0);
    EXPECT_EQ(tip.N2, tip.N);
    const Forces root = Cut(m, Member::Toe, 2.0f), past = Cut(m, Member::Toe, 3.0f);
    EXPECT_EQ(past.M, root.M);
    EXPECT_EQ(past.V, root.V);

    // at the heel end only a line load standing on the end counts, first set only
    w.AddLineLoad(7, m.BaseWidth, 0.5f, 180, DL);
    const Forces end = Cut(m, Member::Heel, 0.0f);
    EXPECT_NEAR(end.V, -7, 1e-5);
    EXPECT_EQ(end.V2, 0);
    const Forces heelRoot = Cut(m, Member::Heel, 3.0f), inside = Cut(m, Member::Heel, 4.0f);
    EXPECT_EQ(inside.M, heelRoot.M);
}

TEST(SectionForces, HydrodynamicPressureIsTheOneTheStabilityAnalysisIntegrates) {
    SectionTestWall w;
    Model& m = w.m;
    m.SeismicIncluded = True;
    m.AppliedSeismicCoefficient = 0.2f;
    m.ConcreteUnitWeight = 0;   // no concrete inertia
    m.WaterIncluded = True;
    m.FrontWaterDepth = 3.0f;   // hf = 6 above the base
    const double c = 7.0 / 12.0 * 1.0 * 0.2;
    // what the earthquake adds to the cut: the static water stays as it was
    auto Quake = [&m](Member member, float pos) {
        Forces f = Cut(m, member, pos);
        m.AppliedSeismicCoefficient = 0;
        const Forces still = Cut(m, member, pos);
        m.AppliedSeismicCoefficient = 0.2f;
        f.M -= still.M;
        f.V -= still.V;
        f.N -= still.N;
        return f;
    };

    // 4 below the front water level: 7/12·γw·kh·√hf·z^1.5 acting 0.4·z above the cut
    const double z = 4, F = c * std::sqrt(6.0) * std::pow(z, 1.5);
    const Forces stem = Quake(Member::Stem, 7.0f);
    EXPECT_NEAR(stem.V, -F, 1e-5 * F);
    EXPECT_NEAR(stem.M, -F * 0.4 * z, 1e-5 * F * z);

    // stem foot and toe together carry 7/12·γw·kh·hf² at 0.4·hf above the base
    const Forces foot = Quake(Member::Stem, 8.0f);
    const Forces toe = Quake(Member::Toe, 2.0f);
    const double total = c * 36;
    EXPECT_NEAR(-foot.V - toe.N, total, 1e-5 * total);
    // moments about the base underside: the stem's force acts at its own arm above the cut at y 1.0
    const double momentAboutBase = -foot.M + (-foot.V) * 1.0 + (-toe.M) - toe.N * 0.5;
    EXPECT_NEAR(momentAboutBase, total * 0.4 * 6, 1e-4 * total);
}

TEST(CalcStemSectionForces, SeismicIncrementTakesTheUsersCoefficientsAsTheAnalysisDoes) {
    // the stem's increment is KAE - Ka on its own plane; with the user's
    // coefficients it is EnteredKae - EnteredKa, as in the stability analysis
    SectionTestWall w;
    Model& m = w.m;
    w.EarthOn();
    m.ConcreteToEarthFrictionAngle = 15;
    m.SeismicIncluded = True;
    m.AppliedSeismicCoefficient = 0.15f;
    const float h = 8;
    const double computedK = CoulombActiveCoefficient(30, 0, 0, 15);
    const double computedKAE = MononobeOkabeCoefficient(30, 0, 0, 15, 0.15f);
    const Forces computed = Cut(m, Member::Stem, h);
    ASSERT_TRUE(computed.ok);

    m.KaSource = UserValue;
    m.EnteredKa = static_cast<float>(computedK);
    m.KaeSource = UserValue;
    m.EnteredKae = static_cast<float>(computedKAE);
    const Forces same = Cut(m, Member::Stem, h);
    ASSERT_TRUE(same.ok);
    EXPECT_NEAR(same.M, computed.M, 1e-4 * std::abs(computed.M));

    // a larger user KAE adds its extra increment: a triangle from the top,
    // 0.1·h·γ·cos δ at the top, whose moment about the foot is 0.1·γ·cos δ·h³/3
    m.EnteredKae = static_cast<float>(computedKAE + 0.1);
    const Forces more = Cut(m, Member::Stem, h);
    ASSERT_TRUE(more.ok);
    const double extra = 0.1 * 1.8 * std::cos(15.0 * M_PI / 180) * h * h * h / 3;
    EXPECT_NEAR(more.M - computed.M, -extra, 2e-3 * extra);
}

// One seismic increment for the stability, the stem and the heel, whatever
// the coefficients' sources: none without an earthquake; with one,
// Mononobe-Okabe's own increment over Coulomb when KAE is computed, the
// user's KAE less the Ka in use when it is entered. A vertical stem with the
// same wall friction as the plane through the heel end has the plane's
// angles, so all three take the same ΔK; the backfill is dry, the concrete
// weightless, and the base carries nothing (as the wall states it).
TEST(SectionForces, StabilityStemAndHeelTakeOneSeismicIncrement) {
    const double Ka = CoulombActiveCoefficient(30, 0, 0, 20);
    const double MO = MononobeOkabeCoefficient(30, 0, 0, 20, 0.15f) - Ka;
    struct Case {
        const char* what;
        bool quake;
        float enteredKa, enteredKae;   // 0: computed
        double K, dK;
    };
    const Case cases[] = {
        {"computed, no earthquake", false, 0, 0, Ka, 0},
        {"Ka entered, no earthquake", false, 0.25f, 0, 0.25, 0},
        {"Kae entered, no earthquake", false, 0, 0.45f, Ka, 0},
        {"both entered, no earthquake", false, 0.25f, 0.45f, 0.25, 0},
        {"computed, earthquake", true, 0, 0, Ka, MO},
        {"Ka entered below Coulomb, earthquake", true, 0.25f, 0, 0.25, MO},
        {"Ka entered above Mononobe-Okabe, earthquake", true, 0.45f, 0, 0.45, MO},
        {"Kae entered, earthquake", true, 0, 0.45f, Ka, 0.45 - Ka},
        {"both entered, earthquake", true, 0.25f, 0.45f, 0.25, 0.45 - 0.25},
        {"Kae entered below the Ka in use, earthquake", true, 0, 0.25f, Ka, 0},
    };
    for (const Case& c : cases) {
        SectionTestWall w;
        Model& m = w.m;
        w.EarthOn();
        m.ConcreteUnitWeight = 0;
        m.ConcreteToEarthFrictionAngle = 20;
        m.EarthToEarthFrictionAngle = 20;
        m.SeismicIncluded = c.quake ? True : 0;
        m.AppliedSeismicCoefficient = c.quake ? 0.15f : 0;
        m.KaSource = c.enteredKa > 0 ? UserValue : Computed;
        m.EnteredKa = c.enteredKa;
        m.KaeSource = c.enteredKae > 0 ? UserValue : Computed;
        m.EnteredKae = c.enteredKae;
        ComputeWallOutline(m);
        // the pressures in the order the analysis computes them
        CalcSeismicBackfillPressure(m);
        CalcStaticBackfillPressure(m);

        const double gamma = 1.8, cosd = std::cos(20 * M_PI / 180), tand = std::tan(20 * M_PI / 180);
        // stability: an inverted triangle over the plane's 9.0, its wall-friction part at the heel end
        const double seismic = c.dK * gamma * 81 / 2 * cosd;
        EXPECT_NEAR(m.SeismicPressureForces[1], seismic, 1e-5 + 1e-5 * seismic) << c.what;
        EXPECT_NEAR(m.SeismicPressureForces[3], seismic * tand, 1e-5 + 1e-5 * seismic) << c.what;
        // stem foot: the static triangle and the inverted increment over its 8.0 carry the same shear
        const Forces stem = Cut(m, Member::Stem, 8.0f);
        ASSERT_TRUE(stem.ok) << c.what;
        const double stemThrust = (c.K + c.dK) * gamma * 64 / 2 * cosd;
        EXPECT_NEAR(stem.V, -stemThrust, 1e-5 * stemThrust) << c.what;
        // heel root: over its own 1.0 the static pressure (9 - y) and the
        // increment's triangle, and at its end both wall-friction parts of the
        // whole plane, with the earth standing on it
        const Forces heel = Cut(m, Member::Heel, 3.0f);
        ASSERT_TRUE(heel.ok) << c.what;
        const double heelThrust = (c.K * 8.5 + c.dK * 0.5) * gamma * cosd;
        EXPECT_NEAR(heel.N, heelThrust, 1e-5 * heelThrust) << c.what;
        const double heelLoad = gamma * 8 * 3 + (c.K + c.dK) * gamma * 81 / 2 * cosd * tand;
        EXPECT_NEAR(heel.V, -heelLoad, 1e-5 * heelLoad) << c.what;
    }
}

// With the water off no backfill is submerged, whatever the heights' sums
// round to: the saturated unit weight plays no part in the heel's forces.
TEST(CalcHeelSectionForces, WithTheWaterOffNoSeismicIncrementIsSubmerged) {
    auto heelRoot = [](int i, float saturated) {
        Model m;
        InitialiseProject(m, false);
        m.FrontStemHeight = 3.0f + 0.137f * i;
        m.BackStemHeight = ToSingle(FrontWallHeight(m) - m.HeelTopDrop - m.HeelEndThickness);
        m.WaterIncluded = 0;
        m.SeismicIncluded = True;
        m.BackfillSaturatedDensity = saturated;
        EXPECT_TRUE(PrepareCombination(m));
        return Cut(m, Member::Heel, m.HeelLength).M;
    };
    for (int i = 0; i < 40; ++i) EXPECT_FLOAT_EQ(heelRoot(i, 1.8f), heelRoot(i, 2.3f)) << i;
}

TEST(CalcStemSectionForces, SubmergedSeismicIncrementCarriesTheEarthPressureFactor) {
    SectionTestWall w;
    Model& m = w.m;
    m.SeismicIncluded = True;
    m.AppliedSeismicCoefficient = 0.15f;
    m.ConcreteUnitWeight = 0;
    m.BackfillUnitWeight = 0;          // only the submerged increment acts:
    m.BackfillSaturatedDensity = 1.0f; // γsat - γ = 1, γsat - γw = 0
    m.BackWaterDepth = 2.0f;           // 6.0 of submerged backfill on the stem
    m.FrontWaterDepth = 9.0f;
    const double dK = 0.43294 - 0.33333;   // Mononobe-Okabe less Coulomb, φ 30°, kh 0.15
    for (float EH : {1.0f, 0.5f}) {
        m.CurrentLoadCombination.Factor[brindlemar::EH] = EH;
        m.CurrentLoadCombination.Factor[brindlemar::WA] = 0;
        const Forces f = Cut(m, Member::Stem, 8.0f);
        const double want = dK * 36 / 2 * EH;   // triangle from ΔK·hs at the water level to 0 at the foot
        EXPECT_NEAR(f.V, -want, 2e-4 * want) << EH;
        EXPECT_NEAR(f.M, -want * 6 * 2 / 3, 2e-4 * want * 4) << EH;   // 2/3 of the 6.0 above the cut
    }
}

TEST(SectionForces, UpliftIsLinearFromTheFrontHeadToTheBackHead) {
    SectionTestWall w;
    Model& m = w.m;
    m.WaterIncluded = True;
    m.ConcreteUnitWeight = 0;
    m.FrontWaterDepth = 6.0f;   // front head 3.0 at the toe tip
    m.BackWaterDepth = 1.0f;    // back head 8.0 at the heel end
    const double B = 5.8;
    auto head = [&](double x) { return 3.0 + 5.0 * x / B; };
    // water standing on the toe and heel tops, and its pressure on their faces, as hand figures
    const double s = 1.5;
    const double upliftToe = (head(0) + head(s)) / 2 * s;
    const double armToe = s - s * (head(0) + 2 * head(s)) / (3 * (head(0) + head(s)));
    const double waterOnToe = 2.0 * s;   // 2.0 of water over the 1.0-thick toe
    const Forces toe = Cut(m, Member::Toe, float(s));
    EXPECT_NEAR(toe.V, upliftToe - waterOnToe, 1e-4);
    // the front water presses on the tip face from 3.0 at the base to 2.0 at the toe top
    const double frontThrust = 2.5, frontAt = (3.0 + 2 * 2.0) / (3 * 5.0);
    EXPECT_NEAR(toe.M, upliftToe * armToe - waterOnToe * s / 2 + frontThrust * (frontAt - 0.5), 1e-4);

    const double h = 2.0;   // heel cut 2.0 from the end
    const double upliftHeel = (head(B - h) + head(B)) / 2 * h;
    const double armHeel = h * (head(B - h) + 2 * head(B)) / (3 * (head(B - h) + head(B)));
    const double waterOnHeel = 7.0 * h;
    const Forces heel = Cut(m, Member::Heel, float(h));
    EXPECT_NEAR(heel.V, upliftHeel - waterOnHeel, 1e-4);
    // the back water presses on the heel end from 8.0 at the base to 7.0 at the heel top
    const double backThrust = 7.5, backAt = (8.0 + 2 * 7.0) / (3 * 15.0);
    EXPECT_NEAR(heel.M, upliftHeel * armHeel - waterOnHeel * h / 2 + backThrust * (backAt - 0.5), 1e-4);
}

TEST(CalcHeelSectionForces, TakesTheEarthPressureCoefficientOfTheStabilityAnalysis) {
    SectionTestWall w;
    Model& m = w.m;
    w.EarthOn();
    // the user's coefficient, as the analysis left it for the plane through the heel end
    m.KaSource = UserValue;
    m.EnteredKa = 0.5f;
    m.BackfillPressureCoefficient = 0.5f;
    const Forces f = Cut(m, Member::Heel, 3.0f);
    // pressure 0.5·1.8·(9 - y) over the heel's 1.0 of height, towards the stem
    const double thrust = 0.5 * 1.8 * (9.0 * 1.0 - 0.5);
    EXPECT_NEAR(f.N, thrust, 1e-4);
}

TEST(SectionForces, BaseResistancesOpposeTheNetHorizontalLoad) {
    struct Case {
        const char* what;
        float H;
        double direction;
    };
    for (const Case& c : {Case{"loads towards the toe", -3, 1}, Case{"loads towards the heel", 3, -1}}) {
        SectionTestWall w;
        Model& m = w.m;
        m.LeftBearingPressure = m.RightBearingPressure = 2;   // reaction 11.6, 4.0 of it under the toe
        m.TotalHorizontalForce = c.H;
        m.BaseFrictionResistance = 10;
        const Forces toe = Cut(m, Member::Toe, 2.0f);
        EXPECT_NEAR(toe.N, c.direction * 3 * 4.0 / 11.6, 1e-5) << c.what;
        const Forces heel = Cut(m, Member::Heel, 3.0f);
        EXPECT_NEAR(heel.N, -c.direction * 3 * 6.0 / 11.6, 1e-5) << c.what;
    }
}

TEST(SectionForces, AnArithmeticFailureLeavesZerosAndSaysSo) {
    test::MessageRecorder messages;
    SectionTestWall w;
    Model& m = w.m;
    w.EarthOn();
    m.LeftBearingPressure = 5;
    m.RightBearingPressure = 3;
    m.BearingContactStart = 0.5f;
    m.BearingPressureWidth = 0;   // a contact of no width that the cut lies inside
    const Forces toe = Cut(m, Member::Toe, 1.0f);
    EXPECT_FALSE(toe.ok);
    for (float x : {toe.M, toe.V, toe.N, toe.M2, toe.V2, toe.N2}) EXPECT_EQ(x, 0);
    ASSERT_EQ(messages.Messages.size(), 1u);
    EXPECT_EQ(messages.Messages[0].Text, "Division by zero");
    EXPECT_EQ(messages.Messages[0].Style, 48);
    EXPECT_EQ(messages.Messages[0].Title, "Brindlemar");
}

// A wall whose stem base, toe root and heel root all lie 1.3 above the base,
// with a vertical back face and a level backfill without wall friction: the
// stem's own earth pressure then equals that on the plane through the heel
// end, so the parts describe exactly the loads of the stability analysis.
struct BalanceWall : test::BuiltInWall {
    BalanceWall() {
        m.ToeLength = 2.0f;
        m.StemFrontBatter = 0.4f;
        m.StemTopThickness = 0.6f;
        m.StemBackBatter = 0;
        m.HeelLength = 3.0f;
        m.BaseWidth = 6.0f;
        m.FrontStemHeight = 8.0f;
        m.BackStemHeight = 8.0f;
        m.ToeTopDrop = 0.5f;
        m.ToeTipThickness = 0.8f;
        m.HeelTopDrop = 0.3f;
        m.HeelEndThickness = 1.0f;
        m.WallHeight = 9.3f;
        m.BackfillSlopeRatio = 0;
        m.ShearKeyWidth = 0.4f;
        m.ShearKeyHeelDistance = 0.2f;
        m.ShearKeyToeDistance = 5.4f;
        m.ConcreteToEarthFrictionAngle = 0;
        m.EarthToEarthFrictionAngle = 0;
        m.BackfillSurcharge = 1.5f;
        m.ActiveCombinationSet = 1;
        m.CurrentCombination = 1;   // every load factor 1, S1 included
    }

    void Analyse() {
        PrepareWall(m);
        AnalyseCombination(m);
    }

    // Sets the adjacent structure's capacity so that friction, the structure
    // and part of the passive resistances all take a share of the sliding force.
    void ShareTheSlidingForceAmongAllResistances() {
        m.AdjacentStructureIncluded = 1;
        m.AdjacentStructureCapacity = 0;
        Analyse();
        const double passive = double(m.ToePassiveResistance) + m.ShearKeyPassiveResistance;
        const double capacity = std::abs(m.TotalHorizontalForce) - m.BaseFrictionResistance - passive / 2;
        ASSERT_GT(passive, 0);
        ASSERT_GT(capacity, 0);
        m.AdjacentStructureCapacity = float(capacity);
        Analyse();
    }
};

// Adds the four parts (toe, stem and heel cut at their roots, and the block
// under the stem) as forces on the whole wall: a net force to the right and
// up and a clockwise moment about the toe tip at the underside of the base.
// The block is taken as the rectangle between the roots under the stem's
// foot, exact where toe and heel roots stand as high as that foot; its
// weight, uplift and inertia do not depend on the line loads.
struct Totals {
    double Fx = 0, Fy = 0, M = 0;
};

Totals SumOfTheParts(Model& m) {
    const double L = StemMemberLength(m), HL = m.HeelLength, B = m.BaseWidth, xFront = m.ToeLength, xBack = B - HL;
    const double front = double(m.ToeTopDrop) + m.FrontStemHeight + m.ToeTipThickness - L;   // the stem's foot
    const Forces toe = Cut(m, Member::Toe, m.ToeLength), heel = Cut(m, Member::Heel, m.HeelLength);
    const Forces stem = Cut(m, Member::Stem, ToSingle(L));
    EXPECT_TRUE(toe.ok && stem.ok && heel.ok);
    const double xStem = xFront + m.StemFrontBatter * (1 - L / m.FrontStemHeight) + StemThicknessAt(m, ToSingle(L)) / 2;
    const double yToe = ToeThicknessAt(m, m.ToeLength) / 2, yHeel = HeelThicknessAt(m, m.HeelLength) / 2;
    Totals t;
    // toe: M clockwise, V up, N towards the heel; stem: M clockwise, V towards
    // the heel, N down; heel: M counter-clockwise, V up, N towards the toe
    t.Fx = toe.N + stem.V - heel.N;
    t.Fy = toe.V - stem.N + heel.V;
    t.M = toe.M + yToe * toe.N - xFront * toe.V + stem.M + front * stem.V + xStem * stem.N - heel.M - yHeel * heel.N -
          xBack * heel.V;
    const auto& factor = m.CurrentLoadCombination.Factor;
    // line loads in the block: only those inside its outline or under it
    for (int i = 1; i <= m.LineLoadCount; ++i) {
        const LineLoad& p = m.LineLoads[i];
        if (LineLoadPart(m, p) != WallPart::Joint) continue;
        EXPECT_TRUE(Within(m, p.X, xFront, xBack) && AtMost(m, p.Y, front)) << p.X << ", " << p.Y;
        const double th = Radians(p.Direction), P = p.Value * factor[p.LoadType], fx = P * std::sin(th), fy = P * std::cos(th);
        t.Fx += fx, t.Fy += fy, t.M += p.Y * fx - p.X * fy;
    }
    const double width = xBack - xFront, middle = (xFront + xBack) / 2;
    auto trapezoid = [&](double x1, double x2, double p1, double p2) {   // resultant and its x
        const double F = (p1 + p2) / 2 * (x2 - x1);
        return std::pair{F, F == 0 ? x1 : x1 + (x2 - x1) * (p1 + 2 * p2) / (3 * (p1 + p2))};
    };
    const double weight = m.ConcreteUnitWeight * width * front * factor[DL];
    const double inertia = m.SeismicIncluded != 0 ? weight * m.AppliedSeismicCoefficient * factor[EQ] : 0;
    t.Fy -= weight, t.Fx -= inertia, t.M += weight * middle - front / 2 * inertia;
    if (m.WaterIncluded != 0) {
        const double hf = FrontWaterHeight(m), hb = BackWaterHeight(m);
        auto head = [&](double x) { return (hf + (hb - hf) * x / B) * m.WaterUnitWeight * factor[WA]; };
        const auto [U, xU] = trapezoid(xFront, xBack, head(xFront), head(xBack));
        t.Fy += U, t.M -= U * xU;
    }
    // base pressure under the block where the base bears, and its part of the base friction
    const double lo = std::max<double>(xFront, m.BearingContactStart), hi = std::min<double>(xBack, m.BearingContactEnd);
    auto pressure = [&](double x) {
        return m.LeftBearingPressure + (x - m.BearingContactStart) / m.BearingPressureWidth *
                                           (m.RightBearingPressure - m.LeftBearingPressure);
    };
    const auto [R, xR] = hi > lo ? trapezoid(lo, hi, pressure(lo), pressure(hi)) : std::pair{0.0, 0.0};
    t.Fy += R, t.M -= R * xR;
    const section::BaseResistances r = section::ShareBaseResistances(m);
    t.Fx += r.direction * section::FrictionShare(r, R);
    // a restraint or shear key between the roots bears on the block
    if (!AtMost(m, m.ShearKeyToeDistance, xFront) && !AtMost(m, double(m.ShearKeyHeelDistance) + m.ShearKeyWidth, HL))
        t.Fx += r.direction * r.shearKey;
    if (!AtMost(m, m.AdjacentStructurePosition, xFront) && !AtMost(m, xBack, m.AdjacentStructurePosition))
        t.Fx += r.direction * r.restraint;
    return t;
}

TEST(SectionForces, PartsBalanceTheStabilityTotals) {
    // With an earthquake at rest there is no seismic increment, and a
    // weightless dry backfill has no inertia: what remains is the concrete's
    // inertia and the front water's hydrodynamic pressure, which stem and toe
    // share with the block.
    struct Case { const char* what; float front, back, kh, friction; bool loads; };
    const Case cases[] = {{"static loads", 7.0f, 3.0f, 0, 20, true},
                          {"earthquake", 7.0f, 9.3f, 0.2f, 30, false}};
    for (const Case& c : cases) {
        test::MessageRecorder messages;
        BalanceWall w;
        Model& m = w.m;
        m.WaterIncluded = True;
        m.EnteredFrontWaterDepth = c.front;
        m.EnteredBackWaterDepth = c.back;
        m.SeismicIncluded = c.kh > 0 ? True : 0;
        if (c.kh > 0) m.EnteredSeismicCoefficient = c.kh, m.EarthPressureOption = AtRest, m.BackfillUnitWeight = 0;
        m.BaseFrictionAngle = c.friction;
        m.LineLoadCount = 0;
        if (c.loads) {
            m.LineLoads[++m.LineLoadCount] = {5, 1.0f, 1.0f, 180, LL};   // on the toe
            m.LineLoads[++m.LineLoadCount] = {4, 4.5f, 1.2f, 200, DL};   // on the heel
            m.LineLoads[++m.LineLoadCount] = {6, 5.0f, 9.3f, 150, LL};   // on the backfill over the heel
            m.LineLoads[++m.LineLoadCount] = {3, 2.6f, 6.0f, 250, EH};   // on the stem
            m.AdjacentStructurePosition = 1.0f;                           // under the toe
            w.ShareTheSlidingForceAmongAllResistances();
        } else {
            w.Analyse();
        }
        SCOPED_TRACE(c.what);
        ASSERT_EQ(m.WallStable, True);
        ASSERT_LT(m.TotalHorizontalForce, 0);
        ASSERT_GE(m.SlidingResistingForce, m.SlidingForce);   // the wall does not slide
        // the analysis's base reaction and resistances hold its load totals, so
        // the parts with their share of them must add up to nothing
        const Totals t = SumOfTheParts(m);
        EXPECT_NEAR(t.Fy, 0, 2e-5 * std::abs(m.TotalVerticalForce));
        EXPECT_NEAR(t.Fx, 0, 2e-5 * std::abs(m.TotalHorizontalForce));
        EXPECT_NEAR(t.M, 0, 2e-5 * std::abs(m.MomentAtOverturningPoint));
        EXPECT_TRUE(messages.Messages.empty());
    }
}

// Wall friction on the plane through the heel end, none on the stem's back
// face, and a rising backfill: the stem's earth pressure is no longer the
// plane's, so only the vertical loads can balance. With the coefficients
// entered, mirroring the friction angle keeps every horizontal load as it is
// and reverses the friction's vertical components; the difference of the
// two mirrored walls then holds nothing but those components, and its
// moment about the toe must vanish as the vertical total of each does.
TEST(SectionForces, HeelCarriesTheWallFrictionTheStabilityAnalysisPutsAtItsEnd) {
    struct Case { const char* what; int16_t seismic; float Kae; };
    const Case cases[] = {{"static", 0, 0.3f}, {"earthquake", True, 0.34f}};
    for (const Case& c : cases) {
        test::MessageRecorder messages;
        Totals parts[2];
        double moment = 0;
        for (int mirrored = 0; mirrored <= 1; ++mirrored) {
            BalanceWall w;
            Model& m = w.m;
            m.BackfillSlopeRatio = 4;
            m.EarthToEarthFrictionAngle = mirrored ? -20.0f : 20.0f;
            m.KaSource = UserValue;
            m.EnteredKa = 0.3f;
            m.KaeSource = UserValue;
            m.EnteredKae = c.Kae;
            m.WaterIncluded = True;
            m.EnteredFrontWaterDepth = 7.0f;
            m.EnteredBackWaterDepth = 8.0f;
            m.SeismicIncluded = c.seismic;
            m.EnteredSeismicCoefficient = 0.05f;
            m.BaseFrictionAngle = 30;
            m.LineLoadCount = 0;
            w.Analyse();
            ASSERT_EQ(m.WallStable, True) << c.what;
            // the friction's share is no rounding matter
            const double friction = double(m.BackfillPressureForces[3]) + m.BackfillPressureForces[4] +
                                    m.SeismicPressureForces[3] + m.SeismicPressureForces[4];
            EXPECT_GT(std::abs(friction), 0.1 * m.TotalVerticalForce) << c.what;
            parts[mirrored] = SumOfTheParts(m);
            EXPECT_NEAR(parts[mirrored].Fy, 0, 2e-5 * m.TotalVerticalForce) << c.what << ", mirrored " << mirrored;
            moment = std::max(moment, std::abs(double(m.MomentAtOverturningPoint)));
        }
        EXPECT_NEAR(parts[0].M - parts[1].M, 0, 4e-5 * moment) << c.what;
        EXPECT_TRUE(messages.Messages.empty()) << c.what;
    }
}

TEST(SectionThickness, StraightLineAlongEachMemberWithoutDividingByZero) {
    test::BuiltInWall w;
    Model& m = w.m;
    EXPECT_FLOAT_EQ(StemThicknessAt(m, 0), 0.83f);
    EXPECT_NEAR(StemThicknessAt(m, 4), 0.83 + 4 * 0.5 / 8 + 4 * 0.5 / 7.73, 1e-6);
    EXPECT_FLOAT_EQ(ToeThicknessAt(m, 2.0f), 2.0f);
    EXPECT_FLOAT_EQ(HeelThicknessAt(m, 0), 1.27f);
    EXPECT_FLOAT_EQ(HeelThicknessAt(m, 3.37f), 2.27f);
    EXPECT_FLOAT_EQ(ToeThicknessAt(m, -1), 0.5f);   // extended, not clipped
    m.FrontStemHeight = 0;
    m.BackStemHeight = 0;
    m.ToeLength = 0;
    m.HeelLength = 0;
    EXPECT_FLOAT_EQ(StemThicknessAt(m, 2), 0.83f);
    EXPECT_FLOAT_EQ(ToeThicknessAt(m, 2), 1.0f);
    EXPECT_FLOAT_EQ(HeelThicknessAt(m, 2), 1.27f);
}

}  // namespace
}  // namespace brindlemar

namespace brindlemar {
namespace {

// A wall typed in one unit system with every dimension to two decimals.
struct TypedWall : test::BuiltInWall {
    TypedWall(UnitSystem units, uint64_t& state, bool battered = true) {
        if (units != Metric) {
            m.PreviousUnitSystem = Metric;
            m.CurrentUnitSystem = units;
            ConvertUnits(m);
        }
        const double f = units == British ? 3.28 : 1;   // metres in the length unit
        auto typed = [&](double from, double to) {
            state = state * 6364136223846793005ull + 1442695040888963407ull;
            const double v = f * (from + (to - from) * double(state >> 11) / double(1ull << 53));
            return std::round(v * 100) / 100;
        };
        m.WaterIncluded = 0;
        m.SeismicIncluded = 0;
        m.ShearKeyIncluded = 0;
        m.LineLoadCount = 0;
        m.BackfillSlopeRatio = 0;
        m.ActiveCombinationSet = 0;   // every factor 1
        m.CurrentCombination = 0;
        const double toeTip = typed(0.3, 0.6), toeDrop = typed(0, 1) < 0.5 * f ? 0 : typed(0.05, 0.3);
        const double heelEnd = typed(0.3, 0.6), heelDrop = typed(0, 1) < 0.5 * f ? 0 : typed(0.05, 0.3);
        const double front = typed(2, 8), toe = typed(0.3, 1.5), frontBatter = battered ? typed(0, 0.2) : 0;
        const double top = typed(0.2, 0.5), backBatter = battered ? typed(0, 0.4) : 0, heel = typed(1.5, 4.5);
        H = std::round((toeDrop + front + toeTip) * 100) / 100;
        stemBack = std::round((toe + frontBatter + top + backBatter) * 100) / 100;
        toeHeight = std::round((toeTip + toeDrop) * 100) / 100;
        heelHeight = std::round((heelEnd + heelDrop) * 100) / 100;
        m.ToeTipThickness = ToSingle(toeTip);
        m.ToeTopDrop = ToSingle(toeDrop);
        m.HeelEndThickness = ToSingle(heelEnd);
        m.HeelTopDrop = ToSingle(heelDrop);
        m.FrontStemHeight = ToSingle(front);
        m.BackStemHeight = ToSingle(std::round((H - heelHeight) * 100) / 100);
        m.WallHeight = ToSingle(H);
        m.ToeLength = ToSingle(toe);
        m.StemFrontBatter = ToSingle(frontBatter);
        m.StemTopThickness = ToSingle(top);
        m.StemBackBatter = ToSingle(backBatter);
        m.HeelLength = ToSingle(heel);
        m.BaseWidth = ToSingle(std::round((stemBack + heel) * 100) / 100);
        SetWaterDepths(m);
        SetSeismicCoefficient(m);
        ComputeWallOutline(m);
    }
    // as typed: the wall's height, the stem's back face, the tops of toe and heel
    double H, stemBack, toeHeight, heelHeight;
};

// A load typed at a member's end acts on that member whatever the rounding
// of the sums the member's extent is made of, in every unit system: the
// member's forces at its root are those of the same load moved a little way
// inside, and the stations stay on the member. The loads stand at the top of
// the stem's back face, at the top of the toe, at the top of the heel end and
// on the backfill above it; and where the members meet, on the toe and the
// heel at their roots and on the stem's faces above them, vertical or battered.
TEST(SectionForces, ALoadTypedAtAMembersEndActsOnIt) {
    test::MessageRecorder messages;
    uint64_t state = 25;
    int onHeel = 0;
    for (const UnitSystem units : {Metric, SI, British}) {
        for (int wall = 0; wall < 200; ++wall) {
            TypedWall w(units, state, wall % 2 == 1);
            Model& m = w.m;
            const float P = units == SI ? 10.0f : units == British ? 0.7f : 1.0f;
            const float inside = ToSingle(1e-3 * w.H), mm = units == British ? 0.00328f : 0.001f;
            struct Case {
                Member member;
                LineLoad atEnd, within;
            };
            const float B = m.BaseWidth, stemBack = ToSingle(w.stemBack), H = ToSingle(w.H);
            const float toeTop = ToSingle(w.toeHeight), heelTop = ToSingle(w.heelHeight), toeRoot = m.ToeLength;
            const float face = ToSingle(w.H - StemMemberLength(m) / 2);
            const Case cases[] = {
                {Member::Stem, {P, stemBack, H, 270, LL}, {P, stemBack - inside, H - inside, 270, LL}},
                {Member::Toe, {P, 0, toeTop, 180, DL}, {P, 0, toeTop - inside, 180, DL}},
                {Member::Heel, {P, B, heelTop, 180, EV}, {P, B - inside, heelTop - inside, 180, EV}},
                {Member::Heel, {P, B, H, 135, LL}, {P, B - inside, H - inside, 135, LL}},   // on the backfill
                {Member::Stem, {P, toeRoot, face, 90, LL}, {P, toeRoot + mm, face, 90, LL}},
                {Member::Toe, {P, toeRoot, toeTop, 180, DL}, {P, toeRoot - mm, toeTop - mm, 180, DL}},
                {Member::Stem, {P, stemBack, face, 270, LL}, {P, stemBack - mm, face, 270, LL}},
                {Member::Heel, {P, stemBack, heelTop, 180, EV}, {P, stemBack + mm, heelTop - mm, 180, EV}},
            };
            for (const Case& k : cases) {
                SCOPED_TRACE(testing::Message() << "units " << int(units) << ", wall " << wall << ", "
                                                << Name(k.member) << ", height " << w.H);
                float root[2] = {};
                double length = 0;
                for (int moved = 0; moved < 2; ++moved) {
                    m.LineLoadCount = 1;
                    m.LineLoads[1] = moved ? k.within : k.atEnd;
                    EXPECT_EQ(LineLoadPart(m, m.LineLoads[1]), k.member);
                    AnalyseCombination(m);
                    const std::vector<float> positions = Positions(m, k.member);
                    length = k.member == Member::Stem ? StemMemberLength(m)
                             : k.member == Member::Toe ? m.ToeLength
                                                       : m.HeelLength;
                    if (k.member == Member::Heel && positions.size() < 2) break;
                    // every station on the member
                    EXPECT_EQ(positions.front(), 0.0f);
                    EXPECT_EQ(positions.back(), ToSingle(length));
                    const Forces f = Cut(m, k.member, ToSingle(length));
                    ASSERT_TRUE(f.ok);
                    root[moved] = f.M;
                    // the heel and the earth on it take the whole load at its point
                    m.LineLoadCount = 0;
                    const Forces bare = Cut(m, k.member, ToSingle(length));
                    const LineLoad& p = m.LineLoads[1];
                    const double th = Radians(p.Direction), dx = p.X - w.stemBack, dy = p.Y - w.heelHeight / 2;
                    if (k.member == Member::Heel) {
                        EXPECT_NEAR(f.M - bare.M, P * (dx * std::cos(th) - dy * std::sin(th)), 1e-4 * P * w.H);
                    }
                }
                if (k.member == Member::Heel && HeelStationList(m).size() < 2) continue;
                onHeel += k.member == Member::Heel;
                // moved inside, the load's lever and the base pressure change
                // by a thousandth; left out, the moment changes by P times the
                // member's length
                EXPECT_NEAR(root[0], root[1], 0.01 * P * length);
            }
        }
    }
    EXPECT_GT(onHeel, 300);
    EXPECT_TRUE(messages.Messages.empty());
}

// The wall of a user's report in SI: a 10 kN/m load towards the toe typed at
// the top of the stem, 3.0 m above the stem's foot, adds 30 kN·m/m to the
// stem-base moment.
TEST(SectionForces, ALoadAtTheTopOfAnSIWallActsOnTheStem) {
    test::MessageRecorder messages;
    test::PlainSIWall built;
    Model& m = built.m;
    built.Shape(1.0f, 0, 0.3f, 0, 2.5f, 3.0f, 0.4f, 0);
    PrepareWall(m);
    AnalyseCombination(m);
    const Forces bare = Cut(m, Member::Stem, 3.0f);
    m.LineLoadCount = 1;
    m.LineLoads[1] = {10, 1.15f, 3.4f, 270, LL};
    AnalyseCombination(m);
    EXPECT_EQ(StemStationList(m), (std::vector<float>{0, 3.0f}));
    const Forces loaded = Cut(m, Member::Stem, 3.0f);
    ASSERT_TRUE(bare.ok && loaded.ok);
    EXPECT_NEAR(loaded.M - bare.M, -30, 1e-4);
    EXPECT_NEAR(loaded.M, -51.85, 0.005);
}

// Line loads anywhere, at every boundary between the parts and a millimetre
// either side, on walls with water on both sides, earthquake, shear key and
// restraint, battered or with vertical faces: whatever the line loads add to
// the stability's totals, the members' roots and the block under the stem add
// as well. Every total is a float rounded after each addition, so the sums
// agree to a few roundings of their largest terms: of the moments, that is the
// sum of the driving and the resisting moments, not their difference, which a
// wall near overturning brings close to nothing.
TEST(SectionForces, MembersAndJointCarryEveryLineLoadTheStabilityCounts) {
    test::MessageRecorder messages;
    uint64_t state = 39;
    auto unit = [&] {
        state = state * 6364136223846793005ull + 1442695040888963407ull;
        return double(state >> 11) / double(1ull << 53);
    };
    int walls = 0;
    for (const UnitSystem units : {Metric, SI, British}) {
        for (int wall = 0; wall < 220; ++wall) {
            TypedWall w(units, state, wall % 2 == 0);
            Model& m = w.m;
            const double f = units == British ? 3.28 : 1, mm = 0.001 * f, P = units == SI ? 10 : units == British ? 0.7 : 1;
            const double B = m.BaseWidth, xt = m.ToeLength, xr = B - m.HeelLength, H = w.H;
            m.SeismicIncluded = True, m.AdjacentStructureIncluded = 1, m.BaseFrictionAngle = 35;
            m.ShearKeyDepth = ToSingle(0.4 * f), m.ShearKeyWidth = ToSingle(0.3 * f), m.WaterIncluded = unit() < 0.5 ? True : 0;
            m.EnteredFrontWaterDepth = ToSingle(H * (0.6 + 0.5 * unit()));
            m.EnteredBackWaterDepth = ToSingle(H * (0.2 + 0.9 * unit()));
            m.EnteredSeismicCoefficient = unit() < 0.5 ? 0.1f : 0, m.ShearKeyIncluded = unit() < 0.5 ? 1 : 0;
            m.ShearKeyToeDistance = ToSingle(xt + (xr - xt) * unit());
            m.ShearKeyHeelDistance = ToSingle(B - m.ShearKeyToeDistance - m.ShearKeyWidth);
            m.AdjacentStructureCapacity = unit() < 0.5 ? ToSingle(20 * P) : 0;
            m.AdjacentStructurePosition = ToSingle(B * unit()), m.BackfillSlopeRatio = unit() < 0.3 ? 3 : 0;
            PrepareWall(m);
            // the parts' boundaries, points inside them and outside the wall
            const double xs[] = {-0.5 * f, 0, xt / 2, xt, xt + m.StemFrontBatter, (xt + xr) / 2, xr, (xr + B) / 2, B,
                                 B + 0.5 * f};
            const double ys[] = {-0.3 * f, 0, w.toeHeight, w.heelHeight, H - StemMemberLength(m), H / 2, H, H + f};
            for (int i = 1; i <= 8; ++i) {
                const double x = xs[int(unit() * 10)] + mm * int(unit() * 3 - 1);
                const double y = ys[int(unit() * 8)] + mm * int(unit() * 3 - 1);
                const float direction = std::array{0.0f, 90.0f, 180.0f, 225.0f, 270.0f}[int(unit() * 5)];
                m.LineLoads[i] = {ToSingle(P * (0.5 + unit())), ToSingle(x), ToSingle(y), direction,
                                  std::array{DL, LL, EH, EV, S2}[int(unit() * 5)]};
            }
            Totals sum[2];
            double scale = 0, moment = 0;
            bool balanced = true;
            for (int loaded = 0; loaded <= 1 && balanced; ++loaded) {
                m.LineLoadCount = int16_t(8 * loaded);
                AnalyseCombination(m);
                // the resistances hold the whole horizontal load
                balanced = m.WallStable == True && std::abs(m.TotalHorizontalForce) <= double(m.BaseFrictionResistance) +
                               m.RestraintResistance + m.ToePassiveResistance + m.ShearKeyPassiveResistance;
                if (balanced) sum[loaded] = SumOfTheParts(m);
                scale = std::max({scale, std::abs(double(m.TotalVerticalForce)), std::abs(double(m.TotalHorizontalForce))});
                moment = std::max(moment, std::abs(double(m.RotatingMoment)) + std::abs(m.RotationResistingMoment));
            }
            if (!balanced) continue;
            ++walls;
            SCOPED_TRACE(testing::Message() << "units " << int(units) << ", wall " << wall);
            const double roundings = 8 * std::numeric_limits<float>::epsilon();
            EXPECT_NEAR(sum[1].Fx, sum[0].Fx, roundings * scale);
            EXPECT_NEAR(sum[1].Fy, sum[0].Fy, roundings * scale);
            EXPECT_NEAR(sum[1].M, sum[0].M, roundings * moment);
        }
    }
    EXPECT_GE(walls, 500);
    EXPECT_TRUE(messages.Messages.empty());
}

}  // namespace
}  // namespace brindlemar

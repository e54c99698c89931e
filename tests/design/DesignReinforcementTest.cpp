// The design driver over force tables filled by hand: the bar search, the
// user's bars, every verdict and the faces and members that carry nothing.
//
// Expected bars and values come from the rectangular stress block worked by
// hand for a singly reinforced 1 m (or 1 ft) strip:
//   Metric: f'c = 280 kg/cm² = 2800 T/m² (3979 psi by 2.54²/0.454),
//           fy = 4200 kg/cm² = 42000 T/m², Es = 2.1e6 kg/cm², cover 5 cm.
//   British: f'c = 4000 psi = 576 Kip/ft², fy = 60000 psi = 8640 Kip/ft²,
//           Es = 29e6 psi, cover 2 in.

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <numbers>

#include "design/DesignReinforcement.h"
#include "design/DesignSectionForces.h"
#include "design/ReinforcementSheets.h"
#include "model/Outline.h"
#include "model/Units.h"
#include "support/BuiltInWall.h"
#include "support/PlainSIWall.h"

namespace brindlemar {
namespace {

constexpr int Governing = 1;

// The built-in set gives no strength reduction factors; the design reads
// them from its first combination.
void GiveStrengthFactors(Model& m) {
    auto& factor = m.CombinationSets[1].Combinations[0].Factor;
    factor[CT] = 0.9f;
    factor[CC] = 0.65f;
    factor[CS] = 0.75f;
}

struct DesignReinforcementTest : ::testing::Test {
    std::unique_ptr<Model> wall = std::make_unique<Model>();
    Model& m = *wall;

    void SetUp() override {
        Metric();
        m.ActiveCombinationSet = 1;
        m.CombinationSets[1].CombinationCount = 2;
        Factors(0, 0.9f, 0.65f, 0.75f);
        // a second combination with other factors must not be read
        Factors(1, 0.5f, 0.5f, 0.5f);
        m.CurrentCombination = 1;
    }

    void Metric() {
        m.CurrentUnitSystem = brindlemar::Metric;
        m.ConcreteCompressiveStress = 280;
        m.RebarYieldStress = 4200;
        m.RebarElasticityModulus = 21;
        m.ConcreteCover = 5;
    }

    void British() {
        m.CurrentUnitSystem = brindlemar::British;
        m.ConcreteCompressiveStress = 4000;
        m.RebarYieldStress = 60000;
        m.RebarElasticityModulus = 290;
        m.ConcreteCover = 2;
    }

    void Factors(int combination, float ct, float cc, float cs) {
        auto& factor = m.CombinationSets[1].Combinations[combination].Factor;
        factor[CT] = ct;
        factor[CC] = cc;
        factor[CS] = cs;
    }

    // Forces of face p under the governing combination; combination 2 holds
    // larger forces that do not govern.
    void Load(int p, float moment, float axial, float depth, float distance = 1.5f) {
        m.GoverningFlexureCombinations[p] = Governing;
        m.FlexureMoments[Governing][p] = moment;
        m.FlexureAxialForces[Governing][p] = axial;
        m.FlexureSectionDepths[Governing][p] = depth;
        m.FlexureSectionDistances[Governing][p] = distance;
        m.FlexureMoments[2][p] = moment * 10;
        m.FlexureSectionDepths[2][p] = depth / 2;
    }

    void LoadShear(int member, float shear, float axial, float depth) {
        m.GoverningShearCombinations[member] = Governing;
        m.ShearForces[Governing][member] = shear;
        m.ShearAxialForces[Governing][member] = axial;
        m.ShearSectionDepths[Governing][member] = depth;
        m.ShearSectionDistances[Governing][member] = 0.7f;
    }

    void UserBars(int p, float diameter, float spacing) {
        m.UserBarDiameters[p] = diameter;
        m.UserBarSpacings[p] = spacing;
    }

    const FlexureDesignResult& Face(int p) const { return m.FlexureDesignResults[p]; }
};

void ExpectVerdicts(const FlexureDesignResult& r, const char* ratio, const char* moment, const char* axial,
                    const char* minimum, const char* spacing, const char* strain) {
    EXPECT_EQ(r.RatioResult, ratio);
    EXPECT_EQ(r.MomentResult, moment);
    EXPECT_EQ(r.AxialResult, axial);
    EXPECT_EQ(r.MinimumSteelResult, minimum);
    EXPECT_EQ(r.SpacingResult, spacing);
    EXPECT_EQ(r.StrainResult, strain);
}

void ExpectNothingComputed(const FlexureDesignResult& r) {
    for (const auto& v : {r.BalancedRatio, r.BalancedStrain, r.TensileStrain, r.Phi, r.AxialStrength,
                          r.SteelStress, r.SteelStrain, r.MinimumSteelArea, r.MaximumSpacing,
                          r.MinimumTensileStrain}) {
        EXPECT_FALSE(v.has_value());
    }
    EXPECT_FALSE(r.Control.has_value());
}

TEST_F(DesignReinforcementTest, SearchTakesTheWidestSpacingThenTheSmallestBar) {
    struct Case {
        const char* what;
        bool british;
        float moment, height;
        float spacing, diameter;  // wall length unit
        int face;
        bool carried;             // false: no bar of the grid carries the moment
        float cover = 5;          // cm
    };
    const Case cases[] = {
        // Mu = 20 T·m on h = 0.5 m: at 0.30 m, 23 mm bars give As = 13.85 cm²
        // below As,min = 3√3979/59684·100·43.85 = 13.90 cm² (As,req = 12.1 cm²,
        // not waived); 24 mm carry phi Mn = 24.2 T·m with 15.08 cm², but at
        // fs = 3097 kg/cm² (44,040 psi) their spacing may reach only
        // 15·(40000/44040)·2.54 - 12.5 = 22.1 cm; 27 mm (19.09 cm², waived
        // minimum, fs = 2456 kg/cm²) may be 31.2 cm apart.
        {"Metric", false, -20, 0.5f, 0.30f, 0.027f, 1, true},
        // beyond what any bar carries: the heaviest bars at the closest spacing
        {"Metric, no bar carries it", false, 200, 0.5f, 0.06f, 0.031f, 6, false},
        // 0.005 T·m, toe 8.2 cm under 7.5 cm: 7 mm at 24 cm give 1.60 cm² < 0.002·8.2·100; 8 mm
        // stand out of the toe; 7 mm at 23 cm, flush with it: 1.67 cm², d = 0.35 cm, phi Mn = 0.0092
        {"Metric, bars within the toe", false, 0.005f, 0.082f, 0.23f, 0.007f, 6, true, 7.5f},
        // Mu = 60 kip-ft on h = 18 in: at 12 in, 1 1/16 in bars carry only
        // 59.1 kip-ft and 1 1/8 in bars, carrying 65.8 kip-ft, may be only
        // 7.3 in apart; no bar reaches 12 in or 11.5 in (1 1/4 in: 10.1 in,
        // 11.0 in). At 11 in, 1 1/4 in bars (As = 1.339 in², fs = 36,393 psi,
        // phi Mn = 86.7 kip-ft) may be 15·40000/36393 - 5 = 11.49 in apart.
        {"British", true, -60, 1.5f, 11.0f / 12, 1.25f / 12, 1, true},
        {"British, no bar carries it", true, 900, 1.0f, 2.5f / 12, 1.25f / 12, 6, false},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        if (k.british) British();
        m.ConcreteCover = k.british ? 2 : k.cover;
        Load(k.face, k.moment, 0, k.height);
        DesignReinforcement(m);
        const FlexureDesignResult& r = Face(k.face);
        // bars that can exist: apart by their diameter at least, within the section
        EXPECT_TRUE(r.BarSpacing >= r.BarDiameter && r.Cover + r.BarDiameter <= k.height);
        EXPECT_FLOAT_EQ(r.BarSpacing, k.spacing);
        EXPECT_FLOAT_EQ(r.BarDiameter, k.diameter);
        EXPECT_FLOAT_EQ(r.SteelArea, std::numbers::pi / 4 * k.diameter * k.diameter / k.spacing);
        EXPECT_FLOAT_EQ(r.EffectiveDepth, k.height - r.Cover - k.diameter / 2);
        EXPECT_EQ(r.MomentResult, k.carried ? "OK" : "Not OK");
        if (k.carried) {
            EXPECT_EQ(r.MinimumSteelResult, "OK");
            EXPECT_EQ(r.SpacingResult, "OK");
        }
        // the user's bars are not touched by the search
        EXPECT_EQ(m.UserBarDiameters[k.face], 0);
        // half-given bars are searched afresh
        for (const auto& [diameter, spacing] : {std::pair{16.0f, 0.0f}, std::pair{0.0f, 15.0f}}) {
            UserBars(k.face, diameter, spacing);
            DesignReinforcement(m);
            EXPECT_FLOAT_EQ(r.BarSpacing, k.spacing);
            EXPECT_FLOAT_EQ(r.BarDiameter, k.diameter);
        }
        UserBars(k.face, 0, 0);
        Load(k.face, 0, 0, 0);
    }
}

// Toe and heel faces are footing slabs: their minimum steel is the
// shrinkage and temperature steel rho·b·h (rho 0.0020 below fy = 60 ksi,
// 0.0018·60000/fy from there, at least 0.0014), never waived, and their bars
// are at most min(3h, 18 in) apart. The stem keeps the wall rules.
TEST_F(DesignReinforcementTest, FootingFacesHoldTheirShrinkageSteel) {
    struct Case {
        const char* what;
        bool british;
        float fy;  // stress unit
        int face;
        float moment, axial, height;
        float userDiameter, userSpacing;  // 0: searched
        double minimum;                   // As,min, L²
        double spacing;                   // s,max, L; 0 when the crack control decides
    };
    const Case cases[] = {
        // 4200 kg/cm² = 59,684 psi: 0.0020·1·0.5 = 10 cm². Pu = 200 T carries
        // Mu = 5 T·m (0.85 f'c b a = 102.8 T < Pu), so the bars need no
        // tension and only 18 in limits their spacing. The search takes 20 mm
        // at 30 cm (10.47 cm², phi Mn = 0.9·(2023·0.1206·(0.44 - 0.0513) -
        // 200·0.19) = 51.2 T·m), where the wall rules took 4 mm.
        {"toe bottom, compression carries the moment", false, 4200, 6, 5, 200, 0.5f, 0, 0, 10e-4, 0.4572},
        {"stem, the same forces: minimum waived, no spacing limit", false, 4200, 3, 5, 200, 0.5f, 0, 0, 0, -1},
        // 60 ksi: 0.0018·1·1.5 = 0.0027 ft² (0.389 in²)
        {"heel top, grade 60", true, 60000, 7, -20, 0, 1.5f, 0, 0, 0.0027, 0},
        // 75 ksi: 0.0018·60/75 = 0.00144
        {"toe top, 75 ksi", true, 75000, 5, -10, 0, 1.0f, 0, 0, 0.00144, 0},
        // 100 ksi: 0.00108 is raised to 0.0014
        {"heel bottom, 100 ksi", true, 100000, 8, 10, 0, 1.0f, 0, 0, 0.0014, 0},
        // 4.8 in slab under 40 kip that carries its moment: 3h = 14.4 in
        // governs 18 in; the user's 1/2 in bars at 6 in give 0.393 in², above
        // 0.002·12·4.8 = 0.115 in²
        {"thin toe, 3h governs", true, 40000, 6, 1, 40, 0.4f, 0.5f, 6, 0.002 * 0.4, 1.2},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        if (k.british) British();
        m.RebarYieldStress = k.fy;
        Load(k.face, k.moment, k.axial, k.height);
        UserBars(k.face, k.userDiameter, k.userSpacing);
        DesignReinforcement(m);
        const FlexureDesignResult& r = Face(k.face);
        ASSERT_TRUE(r.MinimumSteelArea && r.MaximumSpacing && r.SteelStress);
        EXPECT_NEAR(*r.MinimumSteelArea, k.minimum, 1e-6 * k.minimum);
        if (k.spacing > 0) {
            EXPECT_NEAR(*r.MaximumSpacing, k.spacing, 1e-6);
        } else if (k.spacing < 0) {
            EXPECT_LE(*r.MaximumSpacing, 0);
        } else {
            EXPECT_LT(*r.MaximumSpacing, 18.0 / 12);
        }
        EXPECT_EQ(r.MinimumSteelResult, "OK");
        EXPECT_EQ(r.SpacingResult, k.spacing < 0 ? "--" : "OK");
        if (k.face == 6 && k.userSpacing == 0) {
            EXPECT_LT(*r.SteelStress, 0);
            EXPECT_FLOAT_EQ(r.BarDiameter, 0.020f);
            EXPECT_FLOAT_EQ(r.BarSpacing, 0.30f);
            EXPECT_NEAR(*r.MomentStrength, 51.2, 0.1);
        }
        UserBars(k.face, 0, 0);
        Load(k.face, 0, 0, 0);
    }
}

TEST_F(DesignReinforcementTest, UserBarsAreCheckedWithEveryVerdict) {
    // 16 mm at 20 cm: As = 10.05 cm², d = 50 - 5 - 0.8 = 44.2 cm,
    // a = 1.774 cm, eps_t = 0.0605 (tension), phi Mn = 16.46 T·m > 15 T·m.
    // For Mu = 15 T·m: a = 1.450 cm, fs = 3432 kg/cm², As,req = 9.13 cm²,
    // 1.3333·As,req > As so As,min = 200/59684·100·44.2 = 14.81 cm² > As: "Not OK".
    // s,max = 15·(40000/48773)·2.54 - 2.5·5 = 18.75 cm < 20 cm: "Not OK".
    Load(3, -15, 0, 0.5f);
    UserBars(3, 16, 20);
    DesignReinforcement(m);
    const FlexureDesignResult& r = Face(3);
    EXPECT_FLOAT_EQ(r.BarDiameter, 0.016f);
    EXPECT_FLOAT_EQ(r.BarSpacing, 0.2f);
    EXPECT_FLOAT_EQ(r.Cover, 0.05f);
    EXPECT_FLOAT_EQ(r.EffectiveDepth, 0.442f);
    EXPECT_FLOAT_EQ(r.Moment, 15);
    EXPECT_FLOAT_EQ(r.Height, 0.5f);
    EXPECT_FLOAT_EQ(r.Distance, 1.5f);
    EXPECT_FLOAT_EQ(r.Width, 1);
    EXPECT_NEAR(*r.SteelRatio, 0.0022744562, 1e-9);
    EXPECT_NEAR(*r.MomentStrength, 16.459231, 1e-4);
    EXPECT_NEAR(*r.SteelStress, 3432.0234, 0.01);  // kg/cm²
    EXPECT_NEAR(*r.MinimumSteelArea, 14.811239e-4, 1e-9);
    EXPECT_NEAR(*r.MaximumSpacing, 0.18748067, 1e-6);
    EXPECT_FLOAT_EQ(r.PhiTension, 0.9f);
    EXPECT_FLOAT_EQ(r.PhiCompression, 0.65f);
    EXPECT_EQ(r.Control, FlexureControl::Tension);
    ExpectVerdicts(r, "OK", "OK", "OK", "Not OK", "Not OK", "OK");
}

TEST_F(DesignReinforcementTest, OtherFaceBarsActAsCompressionSteel) {
    Load(7, -20, 0, 0.5f);
    DesignReinforcement(m);
    const float alone = *Face(7).MomentStrength;
    const float bar = Face(7).BarDiameter, spacing = Face(7).BarSpacing;

    UserBars(7, bar * 1000, spacing * 100);  // the same bars, now the user's
    UserBars(8, 20, 10);                     // 20 mm at 10 cm on the other face
    DesignReinforcement(m);
    const FlexureDesignResult& r = Face(7);
    EXPECT_FLOAT_EQ(r.OtherBarDiameter, 0.02f);
    EXPECT_FLOAT_EQ(r.OtherBarSpacing, 0.1f);
    EXPECT_FLOAT_EQ(r.CompressionSteelDepth, 0.05f + 0.01f);
    EXPECT_FLOAT_EQ(r.CompressionSteelArea, std::numbers::pi / 4 * 0.02 * 0.02 / 0.1);
    EXPECT_GT(*r.MomentStrength, alone);
    // face 8 carries nothing: its bars are not checked
    EXPECT_EQ(Face(8).MomentResult, "--");
    // 50 mm bars 2 cm apart cannot be placed there: they carry nothing
    UserBars(8, 50, 2);
    DesignReinforcement(m);
    EXPECT_EQ(r.CompressionSteelArea, 0);
    EXPECT_FLOAT_EQ(*r.MomentStrength, alone);
}

TEST_F(DesignReinforcementTest, RatioLimitOfEachMethod) {
    // 30 mm at 6 cm: rho = 117.8/(100·43.5) = 0.0271, between 0.75 rho_b
    // (alternate: 0.75·0.02857 = 0.0214) and rho_b (0.0289 without axial force)
    Load(1, -10, 0, 0.5f);
    UserBars(1, 30, 6);
    m.ReinforcementDesignMethod = 0;
    DesignReinforcement(m);
    EXPECT_EQ(Face(1).RatioResult, "OK");
    m.ReinforcementDesignMethod = 1;
    DesignReinforcement(m);
    EXPECT_EQ(Face(1).RatioResult, "Not OK");
}

TEST_F(DesignReinforcementTest, AxialForceWithoutMomentIsChecked) {
    Load(5, 0, 30, 0.5f);
    UserBars(5, 16, 20);
    DesignReinforcement(m);
    const FlexureDesignResult& r = Face(5);
    EXPECT_EQ(r.MomentResult, "--");
    EXPECT_EQ(r.AxialResult, "OK");
    EXPECT_TRUE(r.AxialStrength.has_value());
    EXPECT_GT(*r.AxialStrength, 30);
}

TEST_F(DesignReinforcementTest, FacesThatCarryNothingShowNoStaleResults) {
    Load(2, 20, 0, 0.5f);
    Load(4, -20, 0, 0.5f);
    DesignReinforcement(m);
    ASSERT_EQ(Face(2).MomentResult, "OK");
    ASSERT_EQ(Face(4).MomentResult, "OK");

    // the next run finds no force on face 2; face 4's force goes ungoverned
    m.FlexureMoments[Governing][2] = 0;
    m.GoverningFlexureCombinations[4] = 0;
    DesignReinforcement(m);
    for (int p : {2, 4}) {
        SCOPED_TRACE(p);
        ExpectVerdicts(Face(p), "--", "--", "--", "--", "--", "--");
        ExpectNothingComputed(Face(p));
        EXPECT_FALSE(Face(p).MomentStrength.has_value());
        EXPECT_EQ(Face(p).BarDiameter, 0);
    }
}

TEST_F(DesignReinforcementTest, LoadedFaceWithoutSteelHasNoStrength) {
    // a negative spacing leaves no steel area and is not searched
    Load(1, -20, 0, 0.5f);
    UserBars(1, 16, -20);
    DesignReinforcement(m);
    const FlexureDesignResult& r = Face(1);
    EXPECT_EQ(r.SteelArea, 0);
    EXPECT_EQ(r.MomentStrength, 0.0f);
    ExpectVerdicts(r, "--", "Not OK", "--", "--", "--", "--");
}

TEST_F(DesignReinforcementTest, SectionsWithoutAnAnswerAreNotOK) {
    // impossible: bars that cannot exist, which fail every check, shear too
    struct Case { const char* what; float height, moment; float ct, cc; bool userBars; bool impossible = false; int face = 1; float diameter = 16, spacing = 20; };
    const Case cases[] = {
        {"cover as deep as the section, user bars", 0.05f, -5, 0.9f, 0.65f, true, true},
        {"cover deeper than the section, searched", 0.04f, -5, 0.9f, 0.65f, false, true},
        {"cover deeper than the toe, searched", 0.04f, -5, 0.9f, 0.65f, false, true, 5},
        {"cover deeper than the heel, axial force alone", 0.04f, 0, 0.9f, 0.65f, true, true, 8},
        {"50 mm bars at 2 cm", 0.5f, -59.8f, 0.9f, 0.65f, true, true, 1, 50, 2},
        {"50 mm bars at 2 cm under the heel", 0.6f, 59.8f, 0.9f, 0.65f, true, true, 8, 50, 2},
        {"moment beyond the concrete", 0.2f, -200, 0.9f, 0.65f, true},
        {"strength reduction factors 0, user bars", 0.5f, -20, 0, 0, true},
        {"strength reduction factors 0, searched", 0.5f, -20, 0, 0, false},
        // the heaviest bars push the block past the steel, which does not yield
        {"steel that does not yield, searched", 0.15f, -200, 0.9f, 0.65f, false},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        Factors(0, k.ct, k.cc, 0.75f);
        Load(k.face, k.moment, k.moment == 0 ? 30 : 0, k.height);
        UserBars(k.face, k.userBars ? k.diameter : 0, k.userBars ? k.spacing : 0);
        LoadShear((k.face + 1) / 2, 5, 0, k.height);  // phi Vc = 28.5 T on 0.5 m
        DesignReinforcement(m);
        const FlexureDesignResult& r = Face(k.face);
        EXPECT_TRUE(r.MomentResult == "Not OK" || r.MinimumSteelResult == "Not OK");
        if (k.impossible) {
            ExpectVerdicts(r, "Not OK", "Not OK", "Not OK", "Not OK", "Not OK", "Not OK");
            EXPECT_EQ(m.ShearDesignResults[(k.face + 1) / 2].Result, "Not OK");
            EXPECT_FALSE(r.MomentStrength.has_value());
            EXPECT_TRUE(k.height > 0.06f || !r.SteelRatio);  // no lever arm
        }
        if (!k.userBars) {
            EXPECT_FLOAT_EQ(r.BarSpacing, 0.06f);
            EXPECT_FLOAT_EQ(r.BarDiameter, 0.031f);
        }
        for (const auto& v : {r.SteelRatio, r.BalancedRatio, r.TensileStrain, r.Phi, r.MomentStrength,
                              r.AxialStrength, r.SteelStress, r.MinimumSteelArea, r.MaximumSpacing}) {
            if (v) {
                EXPECT_TRUE(std::isfinite(*v));
            }
        }
        // a strength is never negative: none is shown as "--"
        if (r.MomentStrength) {
            EXPECT_GE(*r.MomentStrength, 0);
        }
    }
}

TEST_F(DesignReinforcementTest, ShearUsesTheUserBarsOfTheTensionFace) {
    // no bars, Mu = 0 on h = 0.5 m: d = 0.45 m = 697.5 in²,
    // phi Vc = 0.75·1.9·√3979·697.5 lb·0.000454 T/lb = 28.464 T
    LoadShear(2, 20, 0, 0.5f);
    DesignReinforcement(m);
    const ShearDesignResult& r = m.ShearDesignResults[2];
    EXPECT_FLOAT_EQ(r.EffectiveDepth, 0.45f);
    EXPECT_EQ(r.SteelArea, 0);
    EXPECT_FLOAT_EQ(r.Phi, 0.75f);
    EXPECT_FLOAT_EQ(r.Lambda, 1);
    EXPECT_FLOAT_EQ(r.Distance, 0.7f);
    EXPECT_NEAR(*r.ShearStrength, 28.464306, 1e-4);
    EXPECT_EQ(r.Result, "OK");

    // equal face moments: the second face is in tension, its bars count
    m.FlexureMoments[Governing][3] = -12;
    m.FlexureMoments[Governing][4] = 12;
    UserBars(3, 25, 10);
    UserBars(4, 20, 20);
    LoadShear(2, 40, 0, 0.5f);
    DesignReinforcement(m);
    EXPECT_FLOAT_EQ(r.Moment, 12);
    EXPECT_FLOAT_EQ(r.EffectiveDepth, 0.5f - 0.05f - 0.02f);
    EXPECT_FLOAT_EQ(r.SteelArea, std::numbers::pi / 4 * 0.02 * 0.02 / 0.2);
    EXPECT_EQ(r.Result, "Not OK");

    // the larger moment picks the first face
    m.FlexureMoments[Governing][3] = -13;
    DesignReinforcement(m);
    EXPECT_FLOAT_EQ(r.Moment, 13);
    EXPECT_FLOAT_EQ(r.EffectiveDepth, 0.5f - 0.05f - 0.025f);
}

TEST_F(DesignReinforcementTest, MemberWithoutShearShowsNoStaleResult) {
    LoadShear(3, 50, 0, 0.5f);
    DesignReinforcement(m);
    ASSERT_EQ(m.ShearDesignResults[3].Result, "Not OK");
    m.ShearForces[Governing][3] = 0;
    DesignReinforcement(m);
    EXPECT_EQ(m.ShearDesignResults[3].Result, "--");
    EXPECT_FALSE(m.ShearDesignResults[3].ShearStrength.has_value());
    // the members never loaded show no verdict either
    for (int member : {1, 2, 4}) EXPECT_EQ(m.ShearDesignResults[member].Result, "--");
}

// The rule behind each verdict, applied to what the record holds.
void ExpectFlexureRules(const FlexureDesignResult& r, bool alternate) {
    const bool loaded = !(r.Moment <= 0 && r.AxialForce == 0);
    if (!loaded || r.SteelArea <= 0) {
        EXPECT_EQ(r.MomentResult, loaded ? "Not OK" : "--");
        ExpectVerdicts(r, "--", r.MomentResult.c_str(), "--", "--", "--", "--");
        return;
    }
    auto verdict = [](bool ok) { return ok ? "OK" : "Not OK"; };
    const float limit = alternate && r.AxialForce < 0.1f * 3000 * r.Height ? 0.75f : 1.0f;
    EXPECT_EQ(r.RatioResult, verdict(r.SteelRatio && r.BalancedRatio && *r.SteelRatio <= limit * *r.BalancedRatio));
    EXPECT_EQ(r.MomentResult, r.Moment <= 0 ? "--" : verdict(r.MomentStrength && *r.MomentStrength >= r.Moment));
    EXPECT_EQ(r.AxialResult, verdict(r.AxialStrength && *r.AxialStrength >= r.AxialForce));
    EXPECT_EQ(r.MinimumSteelResult, verdict(r.MinimumSteelArea && r.SteelArea >= *r.MinimumSteelArea));
    ASSERT_TRUE(r.MaximumSpacing.has_value());
    EXPECT_EQ(r.SpacingResult, *r.MaximumSpacing <= 0 ? "--" : verdict(r.BarSpacing <= *r.MaximumSpacing));
    ASSERT_TRUE(r.TensileStrain && r.MinimumTensileStrain && r.SteelStress);
    EXPECT_EQ(r.StrainResult,
              verdict(!(*r.TensileStrain < *r.MinimumTensileStrain && *r.SteelStress > 0)));
}

TEST(DesignReinforcementOfTheBuiltInWall, BothMethodsSearchedAndWithUserBars) {
    test::BuiltInWall wall;
    Model& m = wall.m;
    // a factored set: the built-in combinations with load factors above 1
    // and the concrete's strength reduction factors
    CombinationSet& set = m.CombinationSets[1];
    for (int c = 0; c < set.CombinationCount; ++c) {
        auto& factor = set.Combinations[c].Factor;
        factor[DL] = 1.25f;
        factor[EH] = 1.5f;
        factor[CT] = 0.9f;
        factor[CC] = 0.65f;
        factor[CS] = 0.75f;
    }
    m.UpperStemLength = 4;  // m below the stem top, so the upper stem carries moment
    ComputeDesignSectionForces(m);
    ASSERT_EQ(m.AllCombinationsStable, True);

    for (int method = 0; method < 2; ++method) {
        for (bool userBars : {false, true}) {
            SCOPED_TRACE(testing::Message() << "method " << method << (userBars ? ", user bars" : ", search"));
            m.ReinforcementDesignMethod = static_cast<int16_t>(method);
            for (int p = 1; p <= PositionCount; ++p) {
                m.UserBarDiameters[p] = userBars ? 20.0f : 0.0f;  // mm
                m.UserBarSpacings[p] = userBars ? 15.0f : 0.0f;   // cm
            }
            DesignReinforcement(m);

            int loaded = 0;
            for (int p = 1; p <= PositionCount; ++p) {
                SCOPED_TRACE(p);
                const FlexureDesignResult& r = m.FlexureDesignResults[p];
                const int g = m.GoverningFlexureCombinations[p];
                EXPECT_FLOAT_EQ(r.Moment, std::fabs(m.FlexureMoments[g][p]));
                EXPECT_FLOAT_EQ(r.Height, m.FlexureSectionDepths[g][p]);
                EXPECT_FLOAT_EQ(r.PhiTension, 0.9f);
                EXPECT_FLOAT_EQ(r.PhiCompression, 0.65f);
                ExpectFlexureRules(r, method == 1);
                if (r.Moment <= 0 && r.AxialForce == 0) continue;
                ++loaded;
                if (userBars) {
                    EXPECT_FLOAT_EQ(r.BarDiameter, 0.02f);
                    EXPECT_FLOAT_EQ(r.BarSpacing, 0.15f);
                } else if (r.Moment > 0) {
                    // searched bars carry the moment with the minimum steel, within any spacing limit
                    EXPECT_EQ(r.MomentResult, "OK");
                    EXPECT_EQ(r.MinimumSteelResult, "OK");
                    EXPECT_NE(r.SpacingResult, "Not OK");
                }
            }
            EXPECT_GE(loaded, 5);

            for (int member = 1; member <= MemberCount; ++member) {
                SCOPED_TRACE(member);
                const ShearDesignResult& r = m.ShearDesignResults[member];
                EXPECT_FLOAT_EQ(r.Phi, 0.75f);
                EXPECT_FLOAT_EQ(r.EffectiveDepth, r.Height - 0.05f - (userBars ? 0.02f : 0.0f));
                if (r.Shear <= 0) {
                    EXPECT_EQ(r.Result, "--");
                    continue;
                }
                ASSERT_TRUE(r.ShearStrength.has_value());
                EXPECT_EQ(r.Result, *r.ShearStrength >= r.Shear ? "OK" : "Not OK");
            }
        }
    }
}

// The built-in wall's toe and heel in Metric and in British units, by both
// methods: f'c = 300 kg/cm², fy = 3000 kg/cm² = 42,632 psi, so rho = 0.0020.
// At the toe's root (h = 2 m = 78.74 in) the base friction's compression
// carries the moment and the shrinkage steel governs: 40 cm² (1.890 in²),
// given by 31 mm bars at 18 cm (41.9 cm²; 19 cm give 39.7) or 1 1/4 in bars
// at 7.5 in (1.963 in²; 8 in give 1.841).
TEST(DesignReinforcementOfTheBuiltInWall, FootingFacesInBothUnitSystems) {
    test::BuiltInWall wall;
    Model& m = wall.m;
    GiveStrengthFactors(m);
    struct Case {
        const char* what;
        int16_t units;
        float rootDiameter, rootSpacing;  // wall length unit
        double inch;                      // in the wall length unit
    };
    const Case cases[] = {{"Metric", Metric, 0.031f, 0.18f, 0.0254}, {"British", British, 1.25f / 12, 7.5f / 12, 1.0 / 12}};
    for (const Case& k : cases) {
        m.CurrentUnitSystem = k.units;
        ConvertUnits(m);
        ComputeDesignSectionForces(m);
        ASSERT_EQ(m.AllCombinationsStable, True);
        for (int16_t method : {0, 1}) {
            SCOPED_TRACE(testing::Message() << k.what << ", method " << method);
            m.ReinforcementDesignMethod = method;
            DesignReinforcement(m);
            for (int p = 5; p <= 8; ++p) {
                SCOPED_TRACE(p);
                const FlexureDesignResult& r = m.FlexureDesignResults[p];
                if (r.Moment <= 0) continue;
                ASSERT_TRUE(r.MinimumSteelArea && r.MaximumSpacing && r.SteelStress);
                EXPECT_NEAR(*r.MinimumSteelArea, 0.0020 * r.Height, 1e-6 * r.Height);
                EXPECT_LE(*r.MaximumSpacing, 18 * k.inch * (1 + 1e-6));
                ExpectVerdicts(r, "OK", "OK", "OK", "OK", "OK", "OK");
                // a stress the bars do not carry is not shown
                const std::string stress = FlexureSheetColumn(m, p)[30].Text;
                EXPECT_EQ(stress == "--", *r.SteelStress <= 0) << stress;
            }
            const FlexureDesignResult& root = m.FlexureDesignResults[6];
            EXPECT_FLOAT_EQ(root.Distance, m.ToeLength);
            EXPECT_LT(*root.SteelStress, 0);
            EXPECT_FLOAT_EQ(root.BarDiameter, k.rootDiameter);
            EXPECT_FLOAT_EQ(root.BarSpacing, k.rootSpacing);
        }
    }
}

}  // namespace
}  // namespace brindlemar

namespace brindlemar {
namespace {

// The built-in wall under "Bearing and reinforcement" (every load factor 1,
// kh = 0.15) designed by hand at the foot of the stem, 7.73 below its top
// (h = 0.83 + 7.73·(0.5/8 + 0.5/7.73) = 1.8131 m). Forces on the stem above
// the cut, towards the toe unless marked (T per m; Coulomb Ka = 0.38313 on
// the 3.70° back face with δ = 15°, horizontal share cos(δ + α) = 0.94721):
//   earth 1.2421 + 15.0843, seismic increment 7.8753 + 0.9027, concrete
//   inertia 3.6776, hydrodynamic 0.8826, back water 19.4065, front water
//   3.7265 towards the heel: V = 45.345; about the section centre, with the
//   concrete's 24.518 T and the small vertical shares: Mu = 141.852 T·m,
//   Pu = 26.450 T.
// Flexure, f'c = 300 kg/cm² = 4263 psi (beta1 = 0.8368), fy = 3000 kg/cm²,
//   cover 5 cm: Ms = 164.10 T·m needs As,req = 25.35 cm². Without a third more
//   than that (33.81 cm²) the minimum 200/42632·100·174.76 = 81.99 cm² holds,
//   so the widest spacing that works is 22 cm with 31 mm bars (23 cm gives
//   32.82 cm²): As = 34.31 cm², d = 1.7476, c = 6.063 cm, eps_t = 0.0835,
//   phi Mn = 0.9·(129.373·(d - a/2) - 26.450·(d - h/2)) = 180.51 T·m,
//   fs = 1995.42 kg/cm², s,max = 15·(40000/28356)·2.54 - 12.5 = 41.245 cm.
// Shear, one stem thickness above the toe top, 8 - 1.8131 = 6.1869 below the
//   top: h = 1.61687, d = h - cover = 1.56687, Vu = 32.9435 T, Pu = 19.2693 T,
//   Mu = 141.852 (the foot's): Mm = 130.05 > 0 and no bars, so
//   Vc = 1.9·√4263·b·d = 136.786 T (limit 256.2), phi Vn = 102.589 T.
TEST(DesignReinforcementOfTheBuiltInWall, LowerStemFootByHand) {
    test::BuiltInWall wall;
    Model& m = wall.m;
    GiveStrengthFactors(m);
    ComputeDesignSectionForces(m);
    DesignReinforcement(m);

    const int face = static_cast<int>(DesignPosition::LowerStemRight);
    EXPECT_EQ(m.GoverningFlexureCombinations[face], 2);
    const FlexureDesignResult& r = m.FlexureDesignResults[face];
    EXPECT_FLOAT_EQ(r.Distance, 7.73f);
    EXPECT_NEAR(r.Height, 1.813125, 1e-6);
    EXPECT_NEAR(r.Moment, 141.85173, 2e-4);
    EXPECT_NEAR(r.AxialForce, 26.450430, 5e-5);
    EXPECT_FLOAT_EQ(r.BarDiameter, 0.031f);
    EXPECT_FLOAT_EQ(r.BarSpacing, 0.22f);
    EXPECT_NEAR(r.SteelArea, 34.307620e-4, 1e-9);
    ASSERT_TRUE(r.TensileStrain && r.MomentStrength && r.SteelStress && r.MaximumSpacing &&
                r.MinimumSteelArea);
    EXPECT_NEAR(*r.TensileStrain, 0.083479, 2e-6);
    EXPECT_EQ(r.Control, FlexureControl::Tension);
    EXPECT_NEAR(*r.MomentStrength, 180.51091, 3e-4);
    EXPECT_NEAR(*r.SteelStress, 1995.418, 0.01);
    EXPECT_NEAR(*r.MaximumSpacing, 0.41245, 1e-5);
    EXPECT_EQ(*r.MinimumSteelArea, 0);
    ExpectVerdicts(r, "OK", "OK", "OK", "OK", "OK", "OK");

    const ShearDesignResult& v = m.ShearDesignResults[static_cast<int>(WallMember::LowerStem)];
    EXPECT_NEAR(v.Distance, 6.186875, 1e-6);
    EXPECT_NEAR(v.Height, 1.6168657, 1e-6);
    EXPECT_NEAR(v.EffectiveDepth, 1.5668657, 1e-6);
    EXPECT_NEAR(v.Shear, 32.943537, 1e-4);
    EXPECT_NEAR(v.AxialForce, 19.269277, 5e-5);
    EXPECT_NEAR(v.Moment, 141.85173, 2e-4);
    ASSERT_TRUE(v.ShearStrength.has_value());
    EXPECT_NEAR(*v.ShearStrength, 102.58916, 2e-4);
    EXPECT_EQ(v.Result, "OK");
}

}  // namespace
}  // namespace brindlemar

namespace brindlemar {
namespace {

// The L-shaped wall: the heel's shear returns towards 0 at the stem face and
// peaks inside the heel.
TEST(DesignReinforcementOfAnLWall, HeelShearPeaksInsideTheHeel) {
    test::BuiltInWall wall;
    Model& m = wall.m;
    test::MakeLShapedWall(m);
    auto& factor = m.CombinationSets[0].Combinations[0].Factor;
    factor[CT] = 0.9f;
    factor[CC] = 0.65f;
    factor[CS] = 0.75f;
    ComputeDesignSectionForces(m);
    DesignReinforcement(m);
    ASSERT_EQ(m.AllCombinationsStable, True);

    // the whole wall: the stem, the base and the earth on the heel against
    // the Rankine thrust on the vertical plane through the heel end; the
    // resultant falls within the base's first third, so the pressure falls
    // from the toe tip to nothing short of the heel end
    const double B = 4.8, h = 8.35, weights[][2] = {{8 * 0.3 * 24, 0.15}, {B * 0.35 * 24, B / 2}, {18 * 8 * 4.5, 2.55}};
    double W = 0, moment = -(18 * h * h / 6) * h / 3;
    for (const auto& [weight, arm] : weights) W += weight, moment += weight * arm;
    const double contact = 3 * moment / W, p0 = 2 * W / contact;
    EXPECT_NEAR(p0, 315.5, 0.05);
    // the heel between its end and a cut x from it: the earth and the base
    // concrete above, that pressure below
    const double w = 18 * 8.0 + 24 * 0.35, start = B - contact;
    auto shear = [&](double x) { return w * x - p0 * (x - start) * (x - start) / (2 * contact); };
    const double peak = start + w * contact / p0;   // where the shear stops growing
    EXPECT_NEAR(shear(peak), 185.0, 0.05);
    EXPECT_NEAR(peak, 2.36, 0.005);

    const ShearDesignResult& v = m.ShearDesignResults[static_cast<int>(WallMember::Heel)];
    EXPECT_NEAR(v.Shear, shear(peak), 0.05);
    EXPECT_NEAR(v.Distance, peak, 0.01);
    EXPECT_NEAR(v.Height, 0.35, 1e-6);
    ASSERT_TRUE(v.ShearStrength.has_value());
    EXPECT_LT(*v.ShearStrength, v.Shear);
    EXPECT_EQ(v.Result, "Not OK");
}

}  // namespace
}  // namespace brindlemar

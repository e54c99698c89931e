// One-way shear strength against hand calculations of
// Vc = (1.9·lambda·√f'c + 2500·rho_w·Vu·d/M)·b·d in psi and inches.
//
// Unit conversions used for the expected values (the program's constants):
//   British: 1 ft² = 144 in², 1 kip = 1000 lb.
//   Metric:  1 m² = 1/0.0254² in², 1 lb = 0.000454 T (0.454 tonnes to the kip),
//            kg/cm² to psi 2.54²/0.454.
//   SI:      1 lb = 0.000454·9.81 kN, MPa to psi 25.4²/(0.454·9.81),
//            so an axial stress of 1 kN/m² is 25.4²/(0.454·9.81)/1000 psi.

#include <gtest/gtest.h>

#include <cmath>

#include "design/Shear.h"

namespace brindlemar {
namespace {

Model Concrete(int16_t units, float fc) {
    Model m;
    m.CurrentUnitSystem = units;
    m.GravityAcceleration = 9.81f;
    m.ConcreteCompressiveStress = fc;
    return m;
}

ShearDesignResult Member(double h, double d, double As, double Vu, double Mu, double Pu) {
    ShearDesignResult r;
    r.Width = 1;
    r.Height = static_cast<float>(h);
    r.EffectiveDepth = static_cast<float>(d);
    r.SteelArea = static_cast<float>(As);
    r.Shear = static_cast<float>(Vu);
    r.Moment = static_cast<float>(Mu);
    r.AxialForce = static_cast<float>(Pu);
    r.Phi = 0.75f;
    r.Lambda = 1;
    return r;
}

double StrengthOf(const Model& m, ShearDesignResult r) {
    DesignShear(m, r);
    EXPECT_TRUE(r.ShearStrength.has_value());
    return r.ShearStrength.value_or(-1);
}

TEST(ShearHandCalculation, ConcreteStrengthInEachUnitSystem) {
    struct Case {
        const char* what;
        int16_t units;
        float fc;
        double h, d, As, Vu, Mu, Pu;
        double want;  // phi Vn
    };
    const Case cases[] = {
        // b = d = 12 in, f'c = 4000 psi, no steel, no moment:
        // Vc = 1.9·63.246·144 lb = 17.30 kip, phi Vn = 12.98 kip per ft
        {"British, no steel, no moment", British, 4000, 1.2, 1, 0, 5, 0, 0, 12.977987517},
        // b = 1 m, d = 0.45 m = 697.5 in², f'c = 3979 psi, rho_w = 0.002/0.45,
        // Vu·d/Mu = 20·0.45/15 = 0.6: Vc = (119.85 + 6.67) psi·697.5 in²
        // = 88245 lb = 40.06 T (limit 69.91 T), phi Vn = 30.048 T
        {"Metric, with steel and moment", Metric, 280, 0.5, 0.45, 0.002, 20, 15, 0, 30.047634431},
        // h = 0.6 m, d = 0.5 m, Pu = 200 kN: Mm = 100 - 200·(2.4 - 0.5)/8 = 52.5 kN·m,
        // Vu·d/Mm = 1.4286 (not limited to 1 under compression),
        // Vc = (1.9·65.92 + 2500·0.004·1.4286)·775 in² = 481.64 kN
        // (limit 3.5·65.92·775·√(1 + 48.29/500) = 833.96 kN), phi Vn = 361.23 kN
        {"SI, axial compression", SI, 30, 0.6, 0.5, 0.002, 150, 100, 200, 361.22771035},
        // Pu = 1500 kN makes Mm = 100 - 356.25 < 0: Vc is the limit
        // 3.5·65.92·775·√(1 + 362.1/500) = 1045.76 kN, phi Vn = 784.32 kN
        {"SI, modified moment negative", SI, 30, 0.6, 0.5, 0.002, 150, 100, 1500, 784.32096918},
        // Pu·(4h - d)/8 = 160·1.5/8 = 30 = Mu: Mm = 0 takes the limit too,
        // 3.5·65.92·775·√(1 + 46.36/500) = 832.49 kN, phi Vn = 624.37 kN
        {"SI, modified moment exactly 0", SI, 30, 0.5, 0.5, 0.002, 150, 30, 160, 624.36843706},
    };
    for (const Case& k : cases) {
        const Model m = Concrete(k.units, k.fc);
        EXPECT_NEAR(StrengthOf(m, Member(k.h, k.d, k.As, k.Vu, k.Mu, k.Pu)), k.want, k.want * 2e-6)
            << k.what;
    }
}

TEST(Shear, MomentTermLimitedToOneOnlyWithoutCompression) {
    // British, 1 ft strip, d = 1 ft, As = 0.2 in² per ft (rho_w = 0.2/144)
    const Model m = Concrete(British, 4000);
    const double As = 0.2 / 144;
    const double rho = As / 1;
    const double k = std::sqrt(4000.0);
    // Mu = 0 and Vu·d/Mu = 5 both use 1: Vc = (1.9 √f'c + 2500 rho_w)·144 lb
    const double unlimited = 0.75 * (1.9 * k + 2500 * rho) * 144 / 1000;
    EXPECT_NEAR(StrengthOf(m, Member(1.2, 1, As, 10, 0, 0)), unlimited, 1e-5);
    EXPECT_NEAR(StrengthOf(m, Member(1.2, 1, As, 10, 2, 0)), unlimited, 1e-5);
    // a tension is taken as no axial force at all
    EXPECT_NEAR(StrengthOf(m, Member(1.2, 1, As, 10, 2, -30)), unlimited, 1e-5);
    // Vu·d/Mu = 0.5 below 1 counts as it is
    EXPECT_NEAR(StrengthOf(m, Member(1.2, 1, As, 10, 20, 0)),
                0.75 * (1.9 * k + 2500 * rho * 0.5) * 144 / 1000, 1e-5);
    // under compression the ratio goes beyond 1: with h = 1.2 ft, Pu = 1 kip,
    // Mm = 2 - 1·(4.8 - 1)/8 = 1.525, Vu·d/Mm = 6.557
    EXPECT_NEAR(StrengthOf(m, Member(1.2, 1, As, 10, 2, 1)),
                0.75 * (1.9 * k + 2500 * rho * (10 / 1.525)) * 144 / 1000, 1e-4);
}

TEST(Shear, UpperLimitCapsTheConcreteStrength) {
    // heavy steel: 1.9 √f'c + 2500·0.05 exceeds 3.5 √f'c = 221.4 psi
    const Model m = Concrete(British, 4000);
    const double limit = 0.75 * 3.5 * std::sqrt(4000.0) * 144 / 1000;
    EXPECT_NEAR(StrengthOf(m, Member(1.2, 1, 0.05, 10, 0, 0)), limit, 1e-5);
}

TEST(Shear, SectionsWithoutAnAnswerHaveNoStrength) {
    struct Case { const char* what; float fc; double h, d; };
    const Case cases[] = {
        {"effective depth 0", 4000, 1, 0},
        {"effective depth negative", 4000, 0.1, -0.05},
        {"negative concrete strength", -4000, 1.2, 1},
    };
    for (const Case& k : cases) {
        ShearDesignResult r = Member(k.h, k.d, 0.01, 10, 5, 0);
        r.ShearStrength = 99.0f;  // left from an earlier run
        DesignShear(Concrete(British, k.fc), r);
        EXPECT_FALSE(r.ShearStrength.has_value()) << k.what;
    }
}

}  // namespace
}  // namespace brindlemar

#include <gtest/gtest.h>

#include <functional>

#include "analysis/Coefficients.h"
#include "runtime/RuntimeError.h"
#include "support/ErrorOf.h"

namespace brindlemar {
namespace {

struct Case {
    const char* what;
    std::function<double()> coefficient;
    double want;
    double tolerance;
};

TEST(EarthPressureCoefficients, ValuesForVerticalAndInclinedPlanes) {
    const Case cases[] = {
        // Rankine and Coulomb values for a vertical back
        {"Ka phi 30", [] { return CoulombActiveCoefficient(30, 0, 0, 0); }, 0.33333, 1e-5},
        {"Ka phi 30 delta 15", [] { return CoulombActiveCoefficient(30, 0, 0, 15); }, 0.30142, 1e-5},
        {"Ka slope 1:5 delta 30", [] { return CoulombActiveCoefficient(30, 0, 11.30993f, 30); }, 0.35060, 1e-5},
        {"Ka slope equal to phi", [] { return CoulombActiveCoefficient(30, 0, 30, 0); }, 0.75, 1e-5},
        {"Kp phi 30", [] { return CoulombPassiveCoefficient(30, 0, 0, 0); }, 3.0, 1e-5},
        {"Kp phi 30 delta 15", [] { return CoulombPassiveCoefficient(30, 0, 0, 15); }, 4.97650, 1e-5},
        {"K0 level", [] { return AtRestCoefficient(30, 0); }, 0.5, 1e-5},
        {"K0 slope 1:5", [] { return AtRestCoefficient(30, 11.30993f); }, 0.62198, 1e-5},
        {"KAE kh 0.15", [] { return MononobeOkabeCoefficient(30, 0, 0, 0, 0.15f); }, 0.43294, 1e-5},
        {"KAE slope 1:5 delta 30", [] { return MononobeOkabeCoefficient(30, 0, 11.30993f, 30, 0.15f); }, 0.53521, 1e-5},

        // published Coulomb tables, vertical back and level backfill
        {"table Ka 28/0", [] { return CoulombActiveCoefficient(28, 0, 0, 0); }, 0.3610, 5e-4},
        {"table Ka 30/5", [] { return CoulombActiveCoefficient(30, 0, 0, 5); }, 0.3189, 5e-4},
        {"table Ka 32/10", [] { return CoulombActiveCoefficient(32, 0, 0, 10); }, 0.2853, 5e-4},
        {"table Kp 26/0", [] { return CoulombPassiveCoefficient(26, 0, 0, 0); }, 2.561, 5e-4},
        {"table Kp 30/22", [] { return CoulombPassiveCoefficient(30, 0, 0, 22); }, 6.675, 5e-4},

        // a plane whose foot lies 10 degrees further into the soil (the stem
        // back batter), against a trial-wedge search for the critical plane
        {"Ka batter 10 delta 15", [] { return CoulombActiveCoefficient(30, 10, 0, 15); }, 0.37840, 1e-5},
        {"Ka batter -8 delta 12", [] { return CoulombActiveCoefficient(30, -8, 0, 12); }, 0.25365, 1e-5},
        {"Kp batter 10 delta 15", [] { return CoulombPassiveCoefficient(30, 10, 0, 15); }, 3.80213, 1e-5},
        {"Kp batter 10 slope 5", [] { return CoulombPassiveCoefficient(30, 10, 5, 10); }, 3.94476, 1e-5},
        {"KAE batter 10", [] { return MononobeOkabeCoefficient(30, 10, 5, 15, 0.15f); }, 0.54015, 1e-5},
        {"KAE batter -8", [] { return MononobeOkabeCoefficient(30, -8, 0, 12, 0.1f); }, 0.31699, 1e-5},
    };
    for (const Case& c : cases) EXPECT_NEAR(c.coefficient(), c.want, c.tolerance) << c.what;
}

TEST(EarthPressureCoefficients, SeismicCoefficientWithoutAccelerationIsTheActiveOne) {
    for (float theta : {0.0f, 5.0f, -4.0f})
        for (float beta : {0.0f, 11.30993f, 25.0f})
            for (float delta : {0.0f, 15.0f, 20.0f})
                EXPECT_NEAR(MononobeOkabeCoefficient(32, theta, beta, delta, 0),
                            CoulombActiveCoefficient(32, theta, beta, delta), 1e-12)
                    << theta << " " << beta << " " << delta;
}

TEST(EarthPressureCoefficients, AnglesWithoutMeaningRaiseErrorsNotHugeNumbers) {
    struct Failure {
        const char* what;
        std::function<double()> coefficient;
        int error;
    };
    const Failure failures[] = {
        {"slope steeper than phi", [] { return CoulombActiveCoefficient(30, 0, 35, 0); }, 5},
        {"vertical ground at rest", [] { return AtRestCoefficient(30, 90); }, 11},
        {"vertical ground active", [] { return CoulombActiveCoefficient(30, 0, 90, 0); }, 11},
        {"vertical ground passive", [] { return CoulombPassiveCoefficient(30, 0, 90, 0); }, 11},
        {"wall friction of 90", [] { return CoulombActiveCoefficient(30, 0, 0, 90); }, 11},
        {"wall friction of 90 passive", [] { return CoulombPassiveCoefficient(30, 0, 0, 90); }, 11},
        {"horizontal pressure plane", [] { return CoulombActiveCoefficient(30, 90, 0, 0); }, 11},
        {"passive root of 1", [] { return CoulombPassiveCoefficient(45, 0, 0, 45); }, 11},
        {"passive root beyond 1", [] { return CoulombPassiveCoefficient(45, 0, 0, 50); }, 5},
    };
    for (const Failure& f : failures) EXPECT_EQ(test::ErrorOf(f.coefficient), f.error) << f.what;
}

// An acceleration beyond tan(phi - beta) leaves no seismic wedge, and the
// error says so in words; also without friction, where the radicand would
// pass as -0 and give a coefficient of 1 that belongs to no wedge.
TEST(EarthPressureCoefficients, AccelerationBeyondTheFrictionHasNoSeismicCoefficient) {
    struct Case {
        const char* what;
        std::function<double()> coefficient;
    };
    const Case cases[] = {
        {"kh 0.9, level backfill", [] { return MononobeOkabeCoefficient(30, 0, 0, 15, 0.9f); }},
        {"no friction", [] { return MononobeOkabeCoefficient(0, 0, 0, 0, 0.1f); }},
        {"slope steeper than phi - psi", [] { return MononobeOkabeCoefficient(30, 0, 25, 0, 0.15f); }},
        {"passive, no friction", [] { return MononobeOkabePassiveCoefficient(0, 0, 0, 0, 0.1f); }},
        {"passive, ground falling beyond phi - psi", [] { return MononobeOkabePassiveCoefficient(20, 0, -15, 0, 0.2f); }},
    };
    for (const Case& c : cases) {
        try {
            c.coefficient();
            ADD_FAILURE() << c.what << ": a coefficient was found";
        } catch (const RuntimeError& e) {
            EXPECT_EQ(e.Number, ErrInvalidCall) << c.what;
            EXPECT_EQ(e.Description, SeismicAccelerationTooLarge) << c.what;
        }
    }
}

}  // namespace
}  // namespace brindlemar

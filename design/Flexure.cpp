#include "design/Flexure.h"

#include <algorithm>

#include "design/DesignArithmetic.h"
#include "design/DesignUnits.h"

namespace brindlemar {

using namespace design;

namespace {

// concrete crushing strain
constexpr double eps_cu = 0.003;

double Beta1(double fcPsi) {
    if (IsUndefined(fcPsi)) return Undefined;
    const double beta1 = fcPsi <= 4000 ? 0.85 : 0.85 - 0.05 * (fcPsi - 4000) / 1000;
    return beta1 < 0.65 ? 0.65 : beta1;
}

// The minimum steel is this stress (psi) over fy, times b d: 3·√f'c, and
// never less than 200 psi, which governs below f'c = 4444 psi.
double MinimumSteelStress(double fcPsi) {
    const double root = Root(fcPsi);
    if (IsUndefined(root)) return Undefined;
    return 3 * root < 200 ? 200 : 3 * root;
}

// The steps both methods share; the method changes the balanced ratio, the
// neutral-axis solution and when the minimum steel and spacing apply.
std::optional<float> CheckSection(const Model& m, FlexureDesignResult& r, DesignMethod method) {
    const bool alternate = method == DesignMethod::Aci31808Alternate;

    // materials in analysis units and in psi
    const double T1 = StressToPressure(m), T2 = StressToPsi(m), T3 = InchToLength(m);
    const double fc = m.ConcreteCompressiveStress * T1;
    const double fy = m.RebarYieldStress * T1;
    const double Es = m.RebarElasticityModulus * 100000.0 * T1;
    const double fcPsi = m.ConcreteCompressiveStress * T2;
    const double fyPsi = m.RebarYieldStress * T2;

    const double b = r.Width, h = r.Height, cc = r.Cover;
    // an effective depth of 0 or less leaves the tension steel no lever arm
    const double d = r.EffectiveDepth > 0 ? static_cast<double>(r.EffectiveDepth) : Undefined;
    const double As = r.SteelArea;
    const double dc = r.CompressionSteelDepth, Asc = r.CompressionSteelArea;
    const double Mu = r.Moment, Pu = r.AxialForce;

    const double beta1 = Beta1(fcPsi);
    const double Ag = b * h;

    // balanced strain condition: the steel yields as the concrete crushes
    r.BalancedStrain = Stored(Quotient(fy, Es));
    const double eps_y = Value(r.BalancedStrain);
    const double balancedDepth = Quotient(eps_cu, eps_y + eps_cu);  // c_b / d
    std::optional<float> limitFactor = 1.0f;
    if (!alternate) {
        r.BalancedRatio =
            Stored(Quotient(0.85 * fc * beta1 * balancedDepth * b * d + Pu, fy * b * d));
    } else {
        r.BalancedRatio = Stored(0.85 * beta1 * Quotient(fc, fy) * Quotient(87000, 87000 + fyPsi));
        // below the balanced axial load, or under a small one, the steel
        // ratio is held to three quarters of the balanced ratio
        const double Pb = 0.85 * fc * b * beta1 * balancedDepth * d - fy * As;
        if (Pu < Pb || Pu < 0.1 * fc * Ag)
            limitFactor = 0.75f;
        else if (IsUndefined(Pb))
            limitFactor.reset();
    }

    // neutral axis from equilibrium of the concrete block, the elastic
    // compression steel, the yielding tension steel and the axial force
    const double A = 0.85 * fc * beta1 * b;
    const double B = -((fy * As + Pu) - eps_cu * Es * Asc);
    const double C = -eps_cu * Es * Asc * dc;
    const double cOverD = !alternate && C == 0
                              ? Quotient(fy * As + Pu, 0.85 * fc * b * beta1 * d)
                              : Quotient(-B + Root(B * B - 4 * A * C), 2 * A * d);
    const double c = cOverD * d;

    // net tensile strain; none when the neutral axis falls on the compression face
    r.TensileStrain = Stored(Quotient(eps_cu * (1 - cOverD), cOverD));

    const StrainControl state = ClassifyTensileStrain(
        r.TensileStrain ? *r.TensileStrain : std::numeric_limits<float>::quiet_NaN(),
        r.BalancedStrain ? *r.BalancedStrain : std::numeric_limits<float>::quiet_NaN(),
        r.PhiCompression, r.PhiTension);
    r.Control = state.Control;
    r.Phi = Stored(state.Phi);
    const double phi = Value(r.Phi);

    // nominal strength: moments of the concrete block, the compression
    // steel and the axial force about the tension steel
    const double Cc = 0.85 * fc * beta1 * b * c;
    const double Cs = Quotient(eps_cu * (c - dc), c) * Es * Asc;
    r.MomentStrength = Stored(phi * (Cc * (d - beta1 * c / 2) + Cs * (d - dc) - Pu * (d - h / 2)));
    // the block is taken with yielding tension steel; where so much steel or
    // compression pushes the block past the steel that the sum comes out
    // negative, the steel does not yield and the section has no strength of
    // this kind to show
    if (r.MomentStrength && *r.MomentStrength < 0) r.MomentStrength.reset();
    // the largest axial load a tied section may carry: under pure compression
    // the section is compression-controlled, whatever the strain under Mu
    r.AxialStrength = Stored(static_cast<double>(r.PhiCompression) * 0.8 *
                             (0.85 * fc * (b * h - As - Asc) + fy * (As + Asc)));

    // the stress block that carries the applied moment about the tension
    // steel, the steel stress it needs and the steel it requires
    const double Ms = Mu + Pu * (d - h / 2);
    double fs = 0, AsRequired = 0;
    if (IsUndefined(Ms)) {
        fs = AsRequired = Undefined;
    } else if (Ms > 0) {
        // beyond 0.425 f'c b d² no stress block within d carries the moment
        const double a = d * (1 - Root(1 - Quotient(Ms, 0.425 * fc * b * d * d)));
        const double tension = 0.85 * fc * b * a - Pu;
        fs = As > 0 ? tension / As : 0;
        AsRequired = Quotient(Quotient(tension, fy), phi);
    }
    r.SteelStress = Stored(fs);
    fs = Value(r.SteelStress);
    r.SteelStrain = Stored(Quotient(fs, Es));

    // minimum steel (waived with a third more steel than required) and the
    // bar spacing that keeps cracks narrow at the steel stress
    const bool limitsApply = Ms > 0 && (alternate || As > 0);
    double AsMin = 0, sMax = 0;
    if (IsUndefined(Ms)) {
        AsMin = sMax = Undefined;
    } else if (limitsApply) {
        if (IsUndefined(AsRequired))
            AsMin = Undefined;
        else if (As > 1.3333 * AsRequired)
            AsMin = 0;
        else
            AsMin = Quotient(MinimumSteelStress(fcPsi), fyPsi) * b * d;

        const double stressRatio = Quotient(40000, fs / T1 * T2);  // 40000 psi over fs
        const double s1 = 15 * stressRatio * T3 - 2.5 * cc;
        const double s2 = 12 * stressRatio * T3;
        sMax = Capped(s1, s2);
    }
    r.MinimumSteelArea = Stored(AsMin);
    r.MaximumSpacing = Stored(sMax);

    r.MinimumTensileStrain = Pu < 0.1 * fc * Ag ? 0.004f : 0.0f;
    return limitFactor;
}

}  // namespace

StrainControl ClassifyTensileStrain(float epsT, float epsY, float phiCompression, float phiTension) {
    if (std::isnan(epsT) || std::isnan(epsY)) return {std::nullopt, Undefined};
    if (epsT <= epsY) return {FlexureControl::Compression, phiCompression};
    if (0.005f <= epsT) return {FlexureControl::Tension, phiTension};
    const double phi = Quotient(static_cast<double>(epsT) - epsY, 0.005 - epsY) *
                           (static_cast<double>(phiTension) - phiCompression) +
                       phiCompression;
    return {FlexureControl::Transition, phi};
}

std::optional<float> FootingMinimumSteelArea(const Model& m, const FlexureDesignResult& r) {
    // shrinkage and temperature steel ratio by the grade of the bars
    const double fyPsi = m.RebarYieldStress * StressToPsi(m);
    const double rho = fyPsi < 60000 ? 0.0020 : std::max(0.0018 * Quotient(60000, fyPsi), 0.0014);
    return Stored(rho * r.Width * r.Height);
}

void ApplyFootingLimits(const Model& m, FlexureDesignResult& r) {
    r.MinimumSteelArea = FootingMinimumSteelArea(m, r);

    const double footingSpacing = std::min(3.0 * r.Height, 18 * InchToLength(m));
    const bool crackControl = r.MaximumSpacing && *r.MaximumSpacing > 0;
    r.MaximumSpacing = Stored(crackControl ? std::min<double>(*r.MaximumSpacing, footingSpacing) : footingSpacing);
}

void DesignFlexureAci(const Model& m, FlexureDesignResult& r) {
    CheckSection(m, r, DesignMethod::Aci31808);
}

std::optional<float> DesignFlexureAciAlternate(const Model& m, FlexureDesignResult& r) {
    return CheckSection(m, r, DesignMethod::Aci31808Alternate);
}

}  // namespace brindlemar

#include "design/Shear.h"

#include "design/DesignArithmetic.h"
#include "design/DesignUnits.h"

namespace brindlemar {

using namespace design;

void DesignShear(const Model& m, ShearDesignResult& r) {
    const double Tp = PressureToPsi(m);  // force per length squared to psi
    const double h = r.Height, b = r.Width;
    // an effective depth of 0 or less leaves no section to resist shear
    const double d = r.EffectiveDepth > 0 ? static_cast<double>(r.EffectiveDepth) : Undefined;
    const double As = r.SteelArea;
    const double Vu = r.Shear, Mu = r.Moment, Pu = r.AxialForce;
    const double lambda = r.Lambda;

    const double Ag = h * b;
    const double k = Root(m.ConcreteCompressiveStress * StressToPsi(m));  // √f'c in psi
    const double rho_w = Quotient(As, b * d);

    double Vc = 0;
    if (Pu <= 0) {
        // no axial compression (a tension does not reduce Vc here)
        double ratio = Mu > 0 ? Vu * d / Mu : 1;
        if (ratio > 1) ratio = 1;
        ratio = AsSingle(ratio);
        Vc = (1.9 * lambda * k + 2500 * rho_w * ratio) * b * d / Tp;
        const double Vmax = 3.5 * lambda * k * b * d / Tp;
        Vc = Capped(Vc, Vmax);
    } else {
        // axial compression: the moment less the compression's share, and a
        // higher limit for the compressed section
        const double Mm = Mu - Pu * (4 * h - d) / 8;
        const double axialPsi = Quotient(Pu, Ag) * Tp;
        const double Vmax = 3.5 * lambda * k * b * d * Root(1 + axialPsi / 500) / Tp;
        if (IsUndefined(Mm)) {
            Vc = Undefined;
        } else if (Mm <= 0) {
            // the formula's limit as Mm falls to 0: Vc grows without bound
            Vc = Vmax;
        } else {
            const double ratio = AsSingle(Vu * d / Mm);
            Vc = Capped((1.9 * lambda * k + 2500 * rho_w * ratio) * b * d / Tp, Vmax);
        }
    }
    r.ShearStrength = Stored(r.Phi * Vc);
}

}  // namespace brindlemar

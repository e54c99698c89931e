#!/usr/bin/env python3
"""Hand calculation of the soil-pressure calculator's test cases.

Independent of the program's code: the coefficients come from the textbook
closed forms (Coulomb, Mononobe-Okabe, at rest on sloping ground), and the
forces and resultant depths from integrating the pressure p(z) over the
depth with Simpson's rule on each layer:

  static:  p(z) = K (q cos(theta)/cos(beta-theta) + gamma min(z,hw)
                     + (gamma_s - gamma_w) max(z-hw, 0))
  active seismic:  p(z) = static p(z) of K + (KE - K) g(z) (h - z),
                   g = gamma above the water table, gamma_s below it
  passive seismic: p(z) = static p(z) of K times KE / K (no tension)

The pressures are per unit of vertical depth: forces are the integral of
p dz, on a battered face too (Coulomb's thrust K gamma h^2 / 2); depths are
the integral of p z dz over the integral of p dz.
"""
import math

R = math.radians

def coulomb_active(phi, theta, beta, delta):
    phi, theta, beta, delta = R(phi), R(theta), R(beta), R(delta)
    s = math.sqrt(math.sin(phi + delta) * math.sin(phi - beta) / (math.cos(delta + theta) * math.cos(beta - theta)))
    return math.cos(phi - theta) ** 2 / (math.cos(theta) ** 2 * math.cos(delta + theta) * (1 + s) ** 2)

def coulomb_passive(phi, theta, beta, delta):
    phi, theta, beta, delta = R(phi), R(theta), R(beta), R(delta)
    s = math.sqrt(math.sin(phi + delta) * math.sin(phi + beta) / (math.cos(delta - theta) * math.cos(beta - theta)))
    return math.cos(phi + theta) ** 2 / (math.cos(theta) ** 2 * math.cos(delta - theta) * (1 - s) ** 2)

def mo_active(phi, theta, beta, delta, kh):
    phi, theta, beta, delta = R(phi), R(theta), R(beta), R(delta)
    psi = math.atan(kh)
    s = math.sqrt(math.sin(phi + delta) * math.sin(phi - beta - psi) / (math.cos(delta + psi + theta) * math.cos(beta - theta)))
    return math.cos(phi - psi - theta) ** 2 / (math.cos(psi) * math.cos(theta) ** 2 * math.cos(delta + psi + theta) * (1 + s) ** 2)

def mo_passive(phi, theta, beta, delta, kh):
    phi, theta, beta, delta = R(phi), R(theta), R(beta), R(delta)
    psi = math.atan(kh)
    s = math.sqrt(math.sin(phi + delta) * math.sin(phi + beta - psi) / (math.cos(delta + psi - theta) * math.cos(beta - theta)))
    return math.cos(phi - psi + theta) ** 2 / (math.cos(psi) * math.cos(theta) ** 2 * math.cos(delta + psi - theta) * (1 - s) ** 2)

def at_rest(phi, beta):
    return (1 - math.sin(R(phi))) * (1 + math.sin(R(beta)))

def simpson(f, a, b):
    return (b - a) / 6 * (f(a) + 4 * f((a + b) / 2) + f(b))

def case(c, K, KE=None, scaled=False):
    th = R(c['theta'])
    top = c['q'] * K * math.cos(th) / math.cos(R(c['beta']) - th)
    def p(z, below):
        s = top + K * c['g'] * min(z, c['hw']) + K * (c['gs'] - c['gw']) * max(z - c['hw'], 0)
        if KE is not None and scaled:
            s *= KE / K
        elif KE is not None:
            s += (KE - K) * (c['gs'] if below else c['g']) * (c['h'] - z)
        return s
    h, hw = c['h'], c['hw']
    f0 = simpson(lambda z: p(z, False), 0, hw); m0 = simpson(lambda z: p(z, False) * z, 0, hw)
    f1 = simpson(lambda z: p(z, True), hw, h); m1 = simpson(lambda z: p(z, True) * z, hw, h)
    depth = lambda m, f, z: m / f if f else z
    P = [p(0, False), p(hw, True), p(h, True), p(hw, False)]
    F = [f0, f1, f0 + f1]
    Y = [depth(m0, f0, 0), depth(m1, f1, hw), depth(m0 + m1, f0 + f1, 0)]
    return K if KE is None else KE, P, F, Y

CASES = [
    dict(name='Metric, level ground, vertical smooth face', g=1.8, gs=2.0, gw=1.0, phi=30, beta=0, delta=0, theta=0, h=6, hw=2, q=1.0, kh=0.15),
    dict(name='SI, sloping ground, battered rough face', g=18, gs=20, gw=9.81, phi=32, beta=10, delta=20, theta=5, h=5, hw=1.5, q=10, kh=0.1),
    dict(name='British, level ground, rough face', g=0.12, gs=0.13, gw=0.0624, phi=34, beta=0, delta=17, theta=0, h=20, hw=8, q=0.25, kh=0.2),
]

for c in CASES:
    a = (c['phi'], c['theta'], c['beta'], c['delta'])
    Ka, Kp, K0 = coulomb_active(*a), coulomb_passive(*a), at_rest(c['phi'], c['beta'])
    Kae, Kpe = mo_active(*a, c['kh']), mo_passive(*a, c['kh'])
    print('//', c['name'])
    for label, res in [('active', case(c, Ka)), ('active seismic', case(c, Ka, Kae)),
                       ('passive', case(c, Kp)), ('passive seismic', case(c, Kp, Kpe, scaled=True)),
                       ('at rest', case(c, K0))]:
        K, P, F, Y = res
        # the pressure just above the water table differs from the one below only under earthquake
        P = P if 'seismic' in label else P[:3]
        print('  %-16s K %.6f  P %s  F %s  Y %s' % (label, K, ' '.join('%.5f' % x for x in P),
              ' '.join('%.5f' % x for x in F), ' '.join('%.5f' % x for x in Y)))
    th = R(c['theta']); below = c['h'] - c['hw']
    pw = below * c['gw']
    print('  water Pw %.5f Fw %.5f depth %.5f' % (pw, below * pw / 2 / math.cos(th), 2 * below / 3 + c['hw']))

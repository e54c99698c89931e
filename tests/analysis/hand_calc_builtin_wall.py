#!/usr/bin/env python3
"""Independent hand calculation of the stability of the built-in wall.

Written from the engineering formulas (outline, blocks, Coulomb and
Mononobe-Okabe coefficients, pressure blocks, resultant, base pressure,
sliding and rotation), without the program's code, to give the expected
numbers of tests/analysis/AnalysisTest.cpp. Run: python3 hand_calc_builtin_wall.py
"""
import math
import struct


def f32(v):
    return struct.unpack("f", struct.pack("f", v))[0]


def rad32(deg):
    # the coefficient functions hold their radians as 32-bit floats
    return f32(deg * math.pi / 180.0)


def rad(deg):
    return deg * math.pi / 180.0


def ka(phi, theta, beta, delta):
    p, t, b, d = rad32(phi), rad32(theta), rad32(beta), rad32(delta)
    r = math.sin(p + d) * math.sin(p - b) / (math.cos(d - t) * math.cos(b - t))
    return math.cos(p - t) ** 2 / (math.cos(t) ** 2 * math.cos(d - t) * (1 + math.sqrt(r)) ** 2)


def kp(phi, theta, beta, delta):
    p, t, b, d = rad32(phi), rad32(theta), rad32(beta), rad32(delta)
    r = math.sin(p + d) * math.sin(p + b) / (math.cos(d - t) * math.cos(b - t))
    return math.cos(p + t) ** 2 / (math.cos(t) ** 2 * math.cos(d - t) * (1 - math.sqrt(r)) ** 2)


def k0(phi, beta):
    return (1 - math.sin(rad32(phi))) / (1 - math.sin(rad32(beta)))


def kae(phi, theta, beta, delta, kh):
    p, t, b, d = rad32(phi), rad32(theta), rad32(beta), rad32(delta)
    psi = f32(math.atan(kh))
    r = math.sin(p + d) * math.sin(p - psi - b) / (math.cos(d + psi - t) * math.cos(b - t))
    return math.cos(p - psi - t) ** 2 / (
        math.cos(psi) * math.cos(t) ** 2 * math.cos(d + psi - t) * (1 + math.sqrt(r)) ** 2)


def trapezoid(x1, x2, p1, p2):
    """Resultant of a linear pressure and its position (x1 when it is 0)."""
    L = abs(x2 - x1)
    F = L * (p1 + p2) / 2
    if F == 0:
        return 0.0, x1
    # centroid of a trapezoid measured from x1 along the direction to x2
    xc = x1 + (x2 - x1) * (p1 + 2 * p2) / (3 * (p1 + p2))
    return F, xc


def polygon(pts):
    """Area (positive counter-clockwise on screen, y downwards) and centroid."""
    n = len(pts)
    a = cx = cy = 0.0
    for i in range(n):
        x0, y0 = pts[i]
        x1, y1 = pts[(i + 1) % n]
        cross = x0 * y1 - x1 * y0
        a += cross
        cx += (x0 + x1) * cross
        cy += (y0 + y1) * cross
    a /= 2
    if a == 0:
        return 0.0, pts[0][0], pts[0][1]
    return -a, cx / (6 * a), cy / (6 * a)


BEARING = [
    (5.14, 1.0, 0.0), (5.4, 1.1, 0.1), (5.6, 1.2, 0.2), (5.9, 1.4, 0.2), (6.2, 1.5, 0.3),
    (6.5, 1.6, 0.5), (6.8, 1.7, 0.6), (7.2, 1.9, 0.7), (7.5, 2.1, 0.9), (7.9, 2.3, 1.0),
    (8.4, 2.5, 1.2), (8.8, 2.7, 1.4), (9.3, 3.0, 1.7), (9.8, 3.3, 2.0), (10.4, 3.6, 2.3),
    (11.0, 3.9, 2.7), (11.6, 4.3, 3.1), (12.3, 4.8, 3.5), (13.1, 5.3, 4.1), (13.9, 5.8, 4.7),
    (14.8, 6.4, 5.4), (15.8, 7.1, 6.2), (16.9, 7.8, 7.1), (18.1, 8.7, 8.2), (19.3, 9.6, 9.4),
    (20.7, 10.7, 10.9), (22.3, 11.9, 12.5), (23.9, 13.2, 14.5), (25.8, 14.7, 16.7),
    (27.9, 16.4, 19.3), (30.1, 18.4, 22.4), (32.7, 20.6, 26.0), (35.5, 23.2, 30.2),
    (38.6, 26.1, 35.2), (42.2, 29.4, 41.1), (46.1, 33.3, 48.0), (50.6, 37.8, 56.3),
    (55.6, 42.9, 66.2), (61.4, 48.9, 78.0), (67.9, 56.0, 92.3), (75.3, 64.2, 109.4),
    (83.9, 73.9, 130.2), (93.7, 85.4, 155.6), (105.1, 99.0, 186.5), (118.4, 115.3, 224.6),
    (133.9, 134.9, 271.8)]
DEPTH_ANGLES = [32, 37, 42]
DEPTH_RATIOS = [1, 2, 4, 8]
DEPTH = [[1.20, 1.30, 1.35, 1.40], [1.20, 1.25, 1.30, 1.35], [1.15, 1.20, 1.25, 1.30]]


def interp(xs, ys, x):
    if x <= xs[0]:
        return ys[0]
    if x >= xs[-1]:
        return ys[-1]
    for i in range(len(xs) - 1):
        if xs[i] <= x <= xs[i + 1]:
            return ys[i] + (x - xs[i]) / (xs[i + 1] - xs[i]) * (ys[i + 1] - ys[i])


def nominal_bearing(w, B):
    """Nominal bearing resistance (stress unit), Metric units only."""
    if w["method"] == 0:
        return w["qn_user"]
    phi, c, gamma, Df, Dw, L = w["phi_base"], w["c_base"], w["gamma_base"], w["Tt"], w["Dw"], 100000.0
    angles = list(range(46))
    Nc = interp(angles, [r[0] for r in BEARING], phi)
    Nq = interp(angles, [r[1] for r in BEARING], phi)
    Ng = interp(angles, [r[2] for r in BEARING], phi)
    if Dw <= Df:
        Cwq, Cwg = 0.5 + 0.5 * Dw / Df, 0.5
    elif Dw <= Df + 1.5 * B:
        Cwq, Cwg = 1.0, 0.5 + 0.5 * (Dw - Df) / (1.5 * B)
    else:
        Cwq, Cwg = 1.0, 1.0
    sc = 1 + B / L * Nq / Nc
    sg = 1 - 0.4 * B / L
    sq = 1 + B / L * math.tan(rad(phi))
    rows = [interp(DEPTH_RATIOS, row, Df / B) for row in DEPTH]
    dq = interp(DEPTH_ANGLES, rows, phi)
    q1 = 0.5 * gamma * B * Ng * sg * Cwg + gamma * Df * Nq * dq * sq * Cwq
    return c * Nc * sc + q1 / 10


def analyse(w, F):
    """Stability of wall w under the factors F (dict by code)."""
    Tl, Fb, St, Bb, Hl = w["Tl"], w["Fb"], w["St"], w["Bb"], w["Hl"]
    Hf, Dt, Tt, Hb, Dh, Te = w["Hf"], w["Dt"], w["Tt"], w["Hb"], w["Dh"], w["Te"]
    B = Tl + Fb + St + Bb + Hl
    s, wf, wb = w["s"], w["wf"], w["wb"]
    H = Dt + Hf + Tt  # depth of the toe bottom below the wall top

    # outline nodes
    N = {}
    N[1] = (Fb + Tl, 0.0)
    N[2] = (Tl, Hf)
    N[3] = (0.0, Dt + Hf)
    N[4] = (0.0, Dt + Hf + Tt)
    N[5] = (B, Dt + Hf + Tt)
    N[6] = (B, Dh + Hb)
    N[7] = (Fb + Tl + St + Bb, Hb)
    N[8] = (Fb + Tl + St, 0.0)
    N[40] = (B, -(Hl + Bb) / s if s > 0 else 0.0)
    if wf <= Hf:
        N[12] = (N[1][0] - wf / Hf * Fb, wf)
        N[16] = (N[2][0], Hf)
    elif wf < Hf + Dt:
        N[12] = (N[2][0], Hf)
        N[16] = (N[2][0] - (wf - Hf) / Dt * Tl, wf)
    else:
        N[12] = (N[2][0], Hf)
        N[16] = (0.0, Hf + Dt)
    if wb <= Hb:
        N[13] = (N[8][0] + wb / Hb * Bb, wb)
        N[17] = (N[7][0], Hb)
    elif wb < Hb + Dh:
        N[13] = (N[7][0], Hb)
        N[17] = (N[7][0] + (wb - Hb) / Dh * Hl, wb)
    else:
        N[13] = (N[7][0], Hb)
        N[17] = (N[6][0], Hb + Dh)
    x = lambda k: N[k][0]
    y = lambda k: N[k][1]
    for k, (a, b) in {21: (1, 2), 22: (8, 7), 23: (2, 3), 24: (7, 6), 25: (2, 4), 26: (1, 4),
                      27: (8, 4), 28: (7, 4), 31: (13, 8), 32: (6, 8), 33: (7, 13), 34: (17, 7),
                      35: (6, 7), 41: (6, 13), 42: (6, 17)}.items():
        N[k] = (x(a), y(b))

    # blocks: concrete 1-9, moist backfill 10-12 and 15-16, submerged 13-14 and 17
    blocks = [(1, 26, 27, 8), (1, 2, 21), (8, 22, 7), (2, 25, 26, 21), (22, 27, 28, 7), (2, 3, 23),
              (7, 24, 6), (3, 4, 25, 23), (24, 28, 5, 6), (40, 8, 32), (8, 13, 31), (31, 13, 41, 32),
              (13, 7, 33), (33, 7, 35, 41), (7, 17, 34), (34, 17, 42, 35), (17, 6, 42)]
    kh = w["kh"]
    weights, quakes = [], []
    for k, nodes in enumerate(blocks, start=1):
        area, cx, cy = polygon([N[n] for n in nodes])
        if k <= 9:
            wt, wq, f = w["gc"], w["gc"], F["DL"]
        elif k in (13, 14, 17):
            wt, wq, f = w["gsat"] - w["gw"], w["gsat"], F["EV"]
        else:
            wt, wq, f = w["g"], w["g"], F["EV"]
        weights.append((wt * area * f, cx))
        quakes.append((wq * area * kh * F["EQ"] * f, cy))

    Mx = V = Hx = rot = res = 0.0

    def horizontal(Fh, depth, rotating):
        nonlocal Mx, Hx, rot, res
        m = Fh * (H - depth)
        Mx += m
        Hx += Fh
        if rotating:
            rot += m
        else:
            res += m

    def vertical(Fv, xa, rotating):
        nonlocal Mx, V, rot, res
        m = Fv * xa
        Mx += m
        V += Fv
        if rotating:
            rot += m
        else:
            res += m

    # line loads: P at (X, Y above the base), direction from the upward vertical towards the heel
    for P, X, Y, d, t in w["line_loads"]:
        th = rad(d)
        f = F[t]
        vertical(-P * math.cos(th) * f, X, t in ("EH", "EQ", "S2"))
        horizontal(P * math.sin(th) * f, H - Y, t in ("EH", "EQ", "S2"))

    # surcharge over the heel
    Ls = Hl + Bb
    vertical(w["q"] * F[w["qtype"]] * Ls * F["S1"], B - Ls / 2, False)

    for Wt, cx in weights:
        vertical(Wt, cx, False)

    # backfill coefficients on the vertical plane through the heel end
    phi = w["phi"]
    beta = math.degrees(math.atan(1 / s)) if s > 0 else 0.0
    delta = w["d_cc"] if (Bb == 0 and Hl == 0) else w["d_ee"]
    ch, cv = math.cos(rad(delta)), math.sin(rad(delta))
    K = k0(phi, beta) if w["at_rest"] else ka(phi, 0, beta, delta)
    if w["Ka"] is not None:
        K = w["Ka"]  # the user's coefficient replaces the computed one
    hw = max(0.0, Dh + Hb + Te - wb)
    Hp = Hb + (Hl + Bb) * math.tan(rad(beta)) + Dh + Te
    y40, y5 = y(40), y(5)

    # seismic: block inertia, earth-pressure increment, hydrodynamic front water
    # no increment without an earthquake; a computed KAE brings
    # Mononobe-Okabe's own increment over Coulomb, the user's KAE is the
    # whole seismic coefficient over the static one in use
    if w["at_rest"] or kh == 0 or F["EQ"] == 0:
        dK = 0.0
    elif w["Kae"] is None:
        dK = max(0.0, kae(phi, 0, beta, delta, kh) - ka(phi, 0, beta, delta))
    else:
        dK = max(0.0, w["Kae"] - f32(K))
    for Fq, cy in quakes:
        horizontal(-Fq, cy, True)
    s1 = w["g"] * dK * Hp * ch * F["EQ"] * F["EH"]
    s2 = hw * dK * (w["gsat"] - w["g"]) * ch * F["EQ"] * F["EH"]
    S1, yS1 = trapezoid(y40, y5, s1, 0)
    S2, yS2 = trapezoid(y5 - hw, y5, s2, 0)
    horizontal(-S1, yS1, True)
    horizontal(-S2, yS2, True)
    vertical(S1 * cv / ch, B, True)
    vertical(S2 * cv / ch, B, True)
    hf = max(0.0, H - wf)
    hyd = 7 / 12 * w["gw"] * kh * hf ** 2 * F["EQ"] * F["WA"]
    horizontal(-hyd, H - 0.4 * hf, True)

    # static backfill: surcharge, moist earth above the back water, submerged below
    p0 = w["q"] * K / math.cos(-rad(beta)) * F["EH"] * F[w["qtype"]] * F["S2"]
    p1 = p0 + w["g"] * K * (Hp - hw) * ch * F["EH"]
    p2 = p1 + (w["gsat"] - w["gw"]) * K * hw * ch * F["EH"]
    E1, yE1 = trapezoid(y40, y5 - hw, p0, p1)
    E2, yE2 = trapezoid(y5 - hw, y5, p1, p2)
    horizontal(-E1, yE1, True)
    horizontal(-E2, yE2, True)
    vertical(E1 * cv / ch, B, True)
    vertical(E2 * cv / ch, B, True)

    # water, with heads above the base underside: the level stands on the
    # stem face (A), over the sloping top of heel or toe (B), or lower (C)
    g = w["gw"] * F["WA"]
    hb = max(0.0, Dh + Hb + Te - wb)

    def side(depth, stem, drop, tip, head, n_level, n_foot, n_slope, n_top, n_bottom):
        """Horizontal blocks (force, depth) and vertical blocks (force, x) of one side."""
        on_stem = depth < stem
        on_slope = not on_stem and stem + drop > depth
        o_foot = (stem - depth) * g if on_stem else 0.0
        o_slope = (stem + drop - depth) * g if (on_stem or on_slope) else 0.0
        o_base = (stem + drop + tip - depth) * g if (on_stem or on_slope) else head * g
        horiz = [trapezoid(y(n_level), y(n_foot), 0, o_foot)]
        horiz.append(trapezoid(y(n_foot) if on_stem else y(n_slope), y(n_top), o_foot, o_slope))
        if on_stem or on_slope:
            horiz.append(trapezoid(y(n_top), y(n_bottom), o_slope, o_base))
        else:
            horiz.append(trapezoid(y(n_bottom) - head, y(n_bottom), 0, o_base))
        vert = [trapezoid(x(n_level), x(n_foot), 0, o_foot), trapezoid(x(n_slope), x(n_top), o_foot, o_slope)]
        return horiz, vert

    back_h, back_v = side(wb, Hb, Dh, Te, hb, 13, 7, 17, 6, 5)
    front_h, front_v = side(wf, Hf, Dt, Tt, max(0.0, H - wf), 12, 2, 16, 3, 4)
    for Fw, yw in back_h:
        horizontal(-Fw, yw, True)
    for Fw, yw in front_h:
        horizontal(Fw, yw, False)
    for Fw, xw in back_v + front_v:
        vertical(Fw, xw, False)
    U, xU = trapezoid(0.0, B, hf * g, hb * g)
    vertical(-U, xU, True)

    # resultant and base pressure
    xr = Mx / V
    e = xr - B / 2
    out = dict(V=V, H=Hx, M=Mx, xr=xr, e=e, Mmid=e * V)
    if w["soil"]:
        width = B - 2 * abs(e)
        left = right = V / width
    elif e < -B / 6:
        left, right, width = 2 * V / (3 * xr), 0.0, 3 * xr
    elif e > B / 6:
        left, right, width = 0.0, 2 * V / (3 * (B - xr)), 3 * (B - xr)
    else:
        left, right, width = (1 - 6 * e / B) * V / B, (1 + 6 * e / B) * V / B, B
    out.update(left=left, right=right, width=width)
    qn = nominal_bearing(w, B - 2 * abs(e))
    qc = min(qn, w["fc"])
    out["qn"] = qn
    out["bearing"] = qc * 10 / max(left, right) * F["BE"]

    # sliding: base friction and cohesion, restraint, passive toe earth and key
    c = math.cos(rad(w["d_cc"]))
    Kp = kp(w["phi_toe"], 0, 0, w["d_cc"])
    hd = min(max(wf - (Dt + Hf), 0.0), Tt)
    hwt = max(0.0, (Dt + Hf + Tt - wf) if Dt + Hf < wf else Tt)
    pp1 = c * w["g_toe"] * hd * Kp
    pp2 = pp1 + c * (w["gsat_toe"] - w["gw"]) * hwt * Kp
    P1, yP1 = trapezoid(y(3), y(3) + hd, 0, pp1)
    P2, yP2 = trapezoid(y(3) + hd, y(4), pp1, pp2)
    key = c * (w["gsat_toe"] - w["gw"]) * w["key"] * Kp
    P3, _ = trapezoid(y(4), y(4) + w["key"], pp2, pp2 + key)
    slide = -Hx
    resist = V * math.tan(rad(w["phi_base"])) * F["FC"] + B * w["c_base"] * 10 * F["FC"]
    resist += F["RH"] * w["restraint"] + F["EP"] * (P1 + P2) + F["EP"] * P3
    out.update(slide=slide, resist=resist, sliding=resist / slide)

    # rotation: driving moment made positive; the passive toe earth resists, unfactored by EP
    rot = -rot
    res = (res + P1 * (H - yP1) + P2 * (H - yP2)) * F["RO"]
    out.update(rot=rot, res=res, rotation=res / rot)
    return out


CODES = ["DL", "EV", "EH", "ES", "LL", "LD", "WA", "EQ", "IC", "S1", "S2",
         "BE", "FC", "EP", "RH", "EX", "RO", "OS", "CT", "CC", "CS"]


def factors(zero=()):
    return {c: (0.0 if c in zero else 1.0) for c in CODES}


BUILT_IN = dict(
    Tl=2.0, Fb=0.5, St=0.83, Bb=0.5, Hl=3.37, Hf=8.0, Dt=1.0, Tt=1.0, Hb=7.73, Dh=1.0, Te=1.27,
    s=5.0, wf=5.0, wb=1.5, kh=0.15, gc=2.4, g=1.7, gsat=2.0, gw=1.0, phi=30.0, d_ee=30.0, d_cc=15.0,
    q=1.0, qtype="ES", g_toe=1.7, gsat_toe=2.0, phi_toe=30.0, phi_base=30.0, c_base=0.0, key=0.67,
    fc=300.0, method=0, qn_user=10.0, soil=False, at_rest=False, restraint=0.0, line_loads=[],
    gamma_base=0.0, Dw=5.0 - 8.0 - 1.0, Ka=None, Kae=None)

# a second wall: front water below the toe top, soil base, theoretical
# bearing, at-rest pressure, cohesion,
# an adjacent structure and two line loads (a dead load on the toe, a
# lateral earth load on the stem)
VARIANT = dict(BUILT_IN, wf=9.5, Dw=9.5 - 8.0 - 1.0, soil=True, method=1, gamma_base=1.9, c_base=0.1, at_rest=True,
               restraint=2.0, line_loads=[(3.0, 1.0, 9.0, 180.0, "DL"), (1.5, 2.6, 6.0, 270.0, "EH")])

# the built-in wall with the seismic option off and the user's Ka of 0.30
# (Coulomb gives 0.3506): no seismic load of any kind
ENTERED_KA = dict(BUILT_IN, kh=0.0, Ka=0.30)

COMBINATIONS = [
    ("ASD", factors()),
    ("Sliding and eccentricity", factors(zero=("S1", "CT", "CC", "CS"))),
    ("Bearing and reinforcement", factors(zero=("CT", "CC", "CS"))),
]

KEYS = ["V", "H", "M", "xr", "e", "Mmid", "left", "right", "width", "qn", "bearing",
        "slide", "resist", "sliding", "rot", "res", "rotation"]

if __name__ == "__main__":
    for wall_name, wall in (("built-in", BUILT_IN), ("variant", VARIANT), ("Ka entered", ENTERED_KA)):
        for name, F in COMBINATIONS:
            r = analyse(wall, F)
            print(f'{wall_name:9s} {name:26s} ' + ", ".join(f"{r[k]:.4g}" for k in KEYS))

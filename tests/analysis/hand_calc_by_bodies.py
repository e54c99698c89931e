#!/usr/bin/env python3
"""A second, independent hand calculation of the stability of a wall.

Works the wall as three whole bodies (the concrete outline, the earth over
the heel above and below the back water) rather than as the program's
seventeen blocks, takes the back water as one triangle on the vertical
through the heel end and the water standing on the wall as polygons, and
applies each load and resistance factor where the engineering says it
belongs. It gives the expected numbers of tests/analysis/AnalysisFactorsTest.cpp,
whose combinations carry a different factor for every load type, so that a
factor applied to the wrong load cannot hide behind factors of 1.
Run: python3 hand_calc_by_bodies.py
"""
import math

DL, EV, EH, ES, LL, LD, WA, EQ, IC, S1, S2, BE, FC, EP, RH, EX, RO = range(1, 18)


def rad(degrees):
    return degrees * math.pi / 180


def coulomb_active(phi, beta, delta):
    """Vertical back: Coulomb's total thrust coefficient."""
    p, b, d = rad(phi), rad(beta), rad(delta)
    r = math.sin(p + d) * math.sin(p - b) / (math.cos(d) * math.cos(b))
    return math.cos(p) ** 2 / (math.cos(d) * (1 + math.sqrt(r)) ** 2)


def mononobe_okabe(phi, beta, delta, kh):
    p, b, d, psi = rad(phi), rad(beta), rad(delta), math.atan(kh)
    r = math.sin(p + d) * math.sin(p - psi - b) / (math.cos(d + psi) * math.cos(b))
    return math.cos(p - psi) ** 2 / (math.cos(psi) * math.cos(d + psi) * (1 + math.sqrt(r)) ** 2)


def coulomb_passive(phi, delta):
    p, d = rad(phi), rad(delta)
    r = math.sin(p + d) * math.sin(p) / math.cos(d)
    return math.cos(p) ** 2 / (math.cos(d) * (1 - math.sqrt(r)) ** 2)


def polygon(points):
    """Area and centroid; the points run down the left side first, with y downwards."""
    a = sx = sy = 0.0
    for (x0, y0), (x1, y1) in zip(points, points[1:] + points[:1]):
        c = x0 * y1 - x1 * y0
        a += c
        sx += (x0 + x1) * c
        sy += (y0 + y1) * c
    if abs(a) < 1e-12:
        return 0.0, points[0][0], points[0][1]
    return -a / 2, sx / (3 * a), sy / (3 * a)


def triangle_or_trapezoid(y1, y2, p1, p2):
    """Resultant of a pressure varying linearly from p1 at y1 to p2 at y2, and where it acts."""
    f = abs(y2 - y1) * (p1 + p2) / 2
    if f == 0:
        return 0.0, y1
    return f, y1 + (y2 - y1) * (p1 + 2 * p2) / (3 * (p1 + p2))


def wall(**changes):
    """The built-in wall with its materials and options (Metric units)."""
    w = dict(toe=2.0, front_batter=0.5, stem_top=0.83, back_batter=0.5, heel=3.37, front_stem=8.0,
             toe_drop=1.0, toe_tip=1.0, heel_drop=1.0, heel_end=1.27, slope=5.0, front_water=5.0,
             back_water=1.5, concrete=2.4, moist=1.7, saturated=2.0, water=1.0, phi=30.0,
             earth_friction=30.0, concrete_friction=15.0, toe_moist=1.7, toe_saturated=2.0, toe_phi=30.0,
             base_phi=30.0, base_cohesion=0.0, nominal=10.0, fc=300.0, surcharge=1.0, surcharge_type=ES,
             kh=0.15, rock=True, at_rest=False, toe_passive=True, key=True, key_depth=0.67, water_on=True,
             adjacent=0.0, line_loads=(), stress_to_pressure=10.0)
    w.update(changes)
    return w


def analyse(w, F):
    Tl, Fb, St, Bb, Hl = w["toe"], w["front_batter"], w["stem_top"], w["back_batter"], w["heel"]
    Hf, Dt, Tt, Dh, Te = w["front_stem"], w["toe_drop"], w["toe_tip"], w["heel_drop"], w["heel_end"]
    B = Fb + Tl + St + Bb + Hl
    Hb = Dt + Hf + Tt - Dh - Te
    H = Dt + Hf + Tt                      # depth of the toe end below the wall top
    wf, wb, kh = w["front_water"], w["back_water"], w["kh"]
    top_front, stem_foot, toe_top, toe_end = (Fb + Tl, 0), (Tl, Hf), (0, Dt + Hf), (0, H)
    heel_end, heel_top, back_foot, top_back = (B, H), (B, Dh + Hb), (Fb + Tl + St + Bb, Hb), (Fb + Tl + St, 0)
    surface = -(Hl + Bb) / w["slope"] if w["slope"] > 0 else 0.0

    V = Hsum = M = driving = resisting = 0.0

    def horizontal(force, depth, drives):
        nonlocal Hsum, M, driving, resisting
        moment = force * (H - depth)
        Hsum += force
        M += moment
        if drives:
            driving += moment
        else:
            resisting += moment

    def vertical(force, x, drives):
        nonlocal V, M, driving, resisting
        moment = force * x
        V += force
        M += moment
        if drives:
            driving += moment
        else:
            resisting += moment

    # line loads: P at direction theta (0 up, 90 towards the heel), Y above the toe end
    for P, X, Y, theta, kind in w["line_loads"]:
        f = F[kind]
        up, towards_heel = P * math.cos(rad(theta)) * f, P * math.sin(rad(theta)) * f
        V -= up
        Hsum += towards_heel
        moment = -up * X + towards_heel * Y
        M += moment
        if kind in (EH, EQ, S2):
            driving += moment
        else:
            resisting += moment

    # the surcharge on the earth over the heel, behind the top of the stem
    length = Hl + Bb
    vertical(w["surcharge"] * F[w["surcharge_type"]] * length * F[S1], B - length / 2, False)

    # bodies: concrete, earth above the back water and earth below it
    x_face = top_back[0] + min(wb, Hb) / Hb * Bb
    if wb <= Hb:
        moist = [top_back, (x_face, wb), (B, wb), (B, surface)]
        submerged = [(x_face, wb), back_foot, heel_top, (B, wb)]
    else:
        level = min(wb, Hb + Dh)
        x_water = back_foot[0] + (level - Hb) / Dh * Hl if wb < Hb + Dh else B
        moist = [top_back, back_foot, (x_water, level), (B, level), (B, surface)]
        submerged = [(x_water, level), heel_top, (B, level)]
    bodies = [
        (polygon([top_front, stem_foot, toe_top, toe_end, heel_end, heel_top, back_foot, top_back]),
         w["concrete"], w["concrete"], DL),
        (polygon(moist), w["moist"], w["moist"], EV),
        (polygon(submerged), w["saturated"] - w["water"], w["saturated"], EV),
    ]
    for (area, x, y), weight_density, mass_density, kind in bodies:
        vertical(weight_density * area * F[kind], x, False)
    # their inertia towards the toe: submerged earth shakes with its pore water
    for (area, x, y), weight_density, mass_density, kind in bodies:
        horizontal(-mass_density * area * kh * F[EQ] * F[kind], y, True)

    # earth pressure on the vertical through the heel end, inclined by the wall friction
    beta = math.degrees(math.atan(1 / w["slope"])) if w["slope"] > 0 else 0.0
    delta = w["concrete_friction"] if Bb == 0 and Hl == 0 else w["earth_friction"]
    ch, tan_delta = math.cos(rad(delta)), math.tan(rad(delta))
    if w["at_rest"]:
        K = (1 - math.sin(rad(w["phi"]))) / (1 - math.sin(rad(beta)))
        dK = 0.0
    else:
        K = coulomb_active(w["phi"], beta, delta)
        dK = max(0.0, mononobe_okabe(w["phi"], beta, delta, kh) - K)
    hw = max(0.0, H - wb)                         # back water above the base
    height = H - surface                          # the plane, from the base up to the earth surface

    # seismic increment: inverted triangles over the plane and over the submerged height
    seismic = [triangle_or_trapezoid(surface, H, w["moist"] * dK * height * ch * F[EQ] * F[EH], 0),
               triangle_or_trapezoid(H - hw, H, hw * dK * (w["saturated"] - w["moist"]) * ch * F[EQ] * F[EH], 0)]
    for force, depth in seismic:
        horizontal(-force, depth, True)
    for force, depth in seismic:
        vertical(force * tan_delta, B, True)
    # hydrodynamic pull of the front water, 0.4 of its height above the base
    hf = max(0.0, H - wf)
    horizontal(-7 / 12 * w["water"] * kh * hf * hf * F[EQ] * F[WA], H - 0.4 * hf, True)

    # static pressure: the surcharge term, moist earth down to the back water, submerged below
    p0 = w["surcharge"] * K / math.cos(rad(beta)) * F[EH] * F[w["surcharge_type"]] * F[S2]
    p1 = p0 + w["moist"] * K * (height - hw) * ch * F[EH]
    p2 = p1 + (w["saturated"] - w["water"]) * K * hw * ch * F[EH]
    static = [triangle_or_trapezoid(surface, H - hw, p0, p1), triangle_or_trapezoid(H - hw, H, p1, p2)]
    for force, depth in static:
        horizontal(-force, depth, True)
    for force, depth in static:
        vertical(force * tan_delta, B, True)

    # water: one triangle behind, one in front, both down to the base
    g = w["water"] * F[WA]
    back = triangle_or_trapezoid(H - hw, H, 0, hw * g)
    horizontal(-back[0], back[1], True)
    front = triangle_or_trapezoid(H - hf, H, 0, hf * g)
    horizontal(front[0], front[1], False)
    # water standing on the back batter and heel top, and on the front batter and toe top
    if wb < Hb:
        area, x, _ = polygon([(x_face, wb), back_foot, heel_top, (B, wb)])
    elif wb < Hb + Dh:
        area, x, _ = polygon([(back_foot[0] + (wb - Hb) / Dh * Hl, wb), heel_top, (B, wb)])
    else:
        area, x = 0.0, 0.0
    vertical(area * g, x, False)
    if wf < Hf:
        area, x, _ = polygon([(0, wf), toe_top, stem_foot, (top_front[0] - wf / Hf * Fb, wf)])
    elif wf < Hf + Dt:
        area, x, _ = polygon([(0, wf), toe_top, (Tl - (wf - Hf) / Dt * Tl, wf)])
    else:
        area, x = 0.0, 0.0
    vertical(area * g, x, False)
    # uplift, linear from the front head at the toe to the back head at the heel
    uplift, x = triangle_or_trapezoid(0, B, hf * g, hw * g)
    vertical(-uplift, x, True)

    # passive earth in front of the toe tip and of the key, not factored by the loads
    Kp, c = coulomb_passive(w["toe_phi"], w["concrete_friction"]), math.cos(rad(w["concrete_friction"]))
    dry = min(max(wf - (Dt + Hf), 0.0), Tt)
    wet = Tt - dry
    e1 = c * w["toe_moist"] * dry * Kp
    e2 = e1 + c * (w["toe_saturated"] - w["water"]) * wet * Kp
    toe_blocks = [triangle_or_trapezoid(Dt + Hf, Dt + Hf + dry, 0, e1), triangle_or_trapezoid(Dt + Hf + dry, H, e1, e2)]
    key_unit = (w["toe_saturated"] - w["water"]) if w["water_on"] else w["toe_moist"]
    key_start = e2 if w["toe_passive"] else 0.0
    key = triangle_or_trapezoid(H, H + w["key_depth"], key_start, key_start + c * key_unit * w["key_depth"] * Kp)[0]

    # resultant and base pressure
    xr = M / V
    e = xr - B / 2
    if w["rock"]:
        if e < -B / 6:
            left, right, width = 2 * V / (3 * xr), 0.0, 3 * xr
        elif e > B / 6:
            left, right, width = 0.0, 2 * V / (3 * (B - xr)), 3 * (B - xr)
        else:
            left, right, width = (1 - 6 * e / B) * V / B, (1 + 6 * e / B) * V / B, B
    else:
        width = B - 2 * abs(e)
        left = right = V / width
    bearing = min(w["nominal"], w["fc"]) * w["stress_to_pressure"] / max(left, right) * F[BE]

    # sliding and rotation
    resist = V * math.tan(rad(w["base_phi"])) * F[FC] + B * w["base_cohesion"] * w["stress_to_pressure"] * F[FC]
    resist += F[RH] * w["adjacent"]
    if w["toe_passive"]:
        resist += F[EP] * (toe_blocks[0][0] + toe_blocks[1][0])
        resisting += sum(force * (H - depth) for force, depth in toe_blocks)
    if w["key"]:
        resist += F[EP] * key
    resisting *= F[RO]
    return dict(V=V, H=Hsum, M=M, xr=xr, e=e, Mmid=e * V, left=left, right=right, width=width,
                bearing=bearing, slide=-Hsum, resist=resist, sliding=resist / -Hsum,
                rot=-driving, res=resisting, rotation=resisting / -driving)


def factors(**values):
    F = [0.0] + [1.0] * 21
    for code, value in values.items():
        F[globals()[code]] = value
    return F


CASES = [
    ("rock, active, water on both sloping tops, line loads",
     wall(back_water=8.2, front_water=8.5, base_cohesion=0.05, adjacent=3.0,
          line_loads=[(2.0, 6.0, 9.5, 180, LL), (1.0, 3.0, 10.0, 270, EQ), (0.8, 1.0, 9.0, 200, IC),
                      (1.5, 5.0, 9.0, 180, S2)]),
     factors(DL=1.25, EV=1.35, EH=1.5, ES=1.45, LL=1.75, LD=1.3, WA=1.1, EQ=0.9, IC=1.05, S1=0.8, S2=1.2,
             BE=0.45, FC=0.8, EP=0.5, RH=0.7, RO=0.85)),
    ("soil, at rest, surcharge as live load, no key",
     wall(rock=False, at_rest=True, key=False, surcharge_type=LL),
     factors(DL=0.9, EV=1.3, EH=1.35, ES=1.2, LL=1.6, WA=1.15, EQ=1.1, S1=1.4, S2=0.7, BE=0.6, FC=1.1,
             EP=0.75, RO=0.95)),
]

if __name__ == "__main__":
    for name, w, F in CASES:
        r = analyse(w, F)
        print(name)
        print("  " + ", ".join("%.7g" % r[k] for k in
                               "V H M xr e Mmid left right width bearing slide resist sliding rot res rotation".split()))

#!/usr/bin/env python3
"""Largest thrust on a wall face by a trial-wedge search, for the
calculator's tests: independent of the program's coefficient formulas.

The face runs from its foot B = (0, 0) up to A, theta from the vertical
(positive when the foot lies further into the soil); the ground rises from A
at beta; a trial plane leaves B at rho above the horizontal. The wedge
carries its weight, a surcharge q per unit length of ground, and under
earthquake a horizontal force kh times its weight towards the wall; the
face's thrust leans delta from its normal, the plane's reaction phi from
its normal. The active thrust is the largest over rho.
"""
import math

R = math.radians


def thrust(g, h, q, phi, beta, delta, theta, kh=0.0, n=200000):
    phi, beta, delta, theta = R(phi), R(beta), R(delta), R(theta)
    A = (-h * math.tan(theta), h)
    L = math.hypot(A[0], A[1])
    tx, ty = A[0] / L, A[1] / L            # up the face
    nx, ny = ty, -tx                       # face normal into the soil
    px, py = nx * math.cos(delta) + tx * math.sin(delta), ny * math.cos(delta) + ty * math.sin(delta)
    best = 0.0
    for i in range(1, n):
        rho = R(0.01) + (R(89.99) - R(0.01)) * i / n
        if rho <= beta:
            continue
        x = (h - A[0] * math.tan(beta)) / (math.tan(rho) - math.tan(beta))
        C = (x, x * math.tan(rho))
        area = abs(A[0] * C[1] - C[0] * A[1]) / 2
        W = g * area + q * math.hypot(C[0] - A[0], C[1] - A[1])
        Fx, Fy = -kh * W, -W
        sx, sy = math.cos(rho), math.sin(rho)  # up the plane
        mx, my = -sy, sx                       # plane normal into the wedge
        rx, ry = mx * math.cos(phi) + sx * math.sin(phi), my * math.cos(phi) + sy * math.sin(phi)
        P = (-Fx * ry + Fy * rx) / (px * ry - py * rx)
        best = max(best, P)
    return best


CASES = [
    ('built-in backfill, batter 10', 1.7, 7.73, 1.0, 30, 11.30993, 15, 10, 0.15),
    ('rough face, rising ground', 19, 7, 10, 35, 10, 20, 8, 0.2),
    ('face leaning over the soil', 19, 7, 0, 28, 5, 14, -6, 0.1),
    ('steep batter', 19, 7, 5, 30, 0, 10, 25, 0.1),
]

for name, g, h, q, phi, beta, delta, theta, kh in CASES:
    print('%-30s static %.4f  seismic (no surcharge) %.4f' %
          (name, thrust(g, h, q, phi, beta, delta, theta), thrust(g, h, 0, phi, beta, delta, theta, kh)))

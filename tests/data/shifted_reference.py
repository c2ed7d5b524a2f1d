#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Reference values of the tests on data that share many leading digits.

Exact rational arithmetic (fractions.Fraction) on the decimal numbers as written; square roots with
50-digit decimals. Run: python3 tests/data/shifted_reference.py
"""
from decimal import Decimal, getcontext
from fractions import Fraction as F
import math
import os

getcontext().prec = 50
HERE = os.path.dirname(os.path.abspath(__file__))


def sqrt(q):
    return Decimal(q.numerator).sqrt() / Decimal(q.denominator).sqrt() if q else Decimal(0)


def dec(q):
    return Decimal(q.numerator) / Decimal(q.denominator)


def show(x, d=10):
    x = x if isinstance(x, Decimal) else dec(x)
    return format(x.quantize(Decimal(1).scaleb(-d)), 'f')


def mean(v):
    return sum(v, F(0)) / len(v)


def ss(v):
    m = mean(v)
    return sum(((x - m) ** 2 for x in v), F(0))


def var(v):
    return ss(v) / (len(v) - 1)


def t_critical(df):
    """TCritical95 as the statistics routine computes it (Hastings quantile, Cornish-Fisher)."""
    table = {1: 12.706, 2: 4.303, 3: 3.182, 4: 2.776}
    if df in table:
        return table[df]
    t = math.sqrt(abs(2 * math.log(0.025)))
    x = abs(t - (2.515517 + 0.802853 * t + 0.010328 * t ** 2) /
            (1 + 1.432788 * t + 0.189269 * t ** 2 + 0.001308 * t ** 3))
    g1 = (x ** 3 + x) / 4
    g2 = (5 * x ** 5 + 16 * x ** 3 + 3 * x) / 96
    g3 = (3 * x ** 7 + 19 * x ** 5 + 17 * x ** 3 - 15 * x) / 384
    g4 = (79 * x ** 9 + 776 * x ** 7 + 1482 * x ** 5 - 1920 * x ** 3 - 945 * x) / 92160
    g5 = (27 * x ** 11 + 339 * x ** 9 + 930 * x ** 7 - 1782 * x ** 5 - 765 * x ** 3 + 17955 * x) / 368640
    v = df
    return x + g1 / v + g2 / v ** 2 + g3 / v ** 3 + g4 / v ** 4 + g5 / v ** 5


def anova(groups):
    allv = [x for g in groups for x in g]
    M = mean(allv)
    ssb = sum((len(g) * (mean(g) - M) ** 2 for g in groups), F(0))
    ssw = sum((ss(g) for g in groups), F(0))
    return M, ssb, ssw, ss(allv)


def shifted(values, shift):
    return [F(v) + shift for v in values]


def nist(name):
    rows, started = [], False
    for line in open(os.path.join(HERE, 'nist', name + '.dat')):
        if line.startswith('Data:') and ('Response' in line or 'Resistance' in line):
            started = True
            continue
        if started and line.strip():
            t, v = line.split()
            rows.append((int(t), v))
    groups = {}
    for t, v in rows:
        groups.setdefault(t, []).append(v)
    return list(groups.values())


print('== NIST one-way analysis of variance (sb and sR of the study: sb^2 = (MSB - MSW) / n)')
for name in ('SiRstv', 'SmLs01'):
    series = nist(name)
    for shift in (0, 10 ** 6, 10 ** 9):
        g = [shifted(s, shift) for s in series]
        k, n = len(g), len(g[0])
        M, ssb, ssw, sst = anova(g)
        msb, msw = ssb / (k - 1), ssw / (k * n - k)
        sb2 = (msb - msw) / n
        sb = sqrt(sb2) if sb2 > 0 else sqrt(ssb / n / (k - 1))
        sR = (dec(msw) + sb * sb).sqrt()
        print(name, shift, 'SSB', show(ssb), 'SSW', show(ssw), 'SST', show(sst), 'MSB', show(msb),
              'MSW', show(msw), 'F', show(msb / msw), 'sr', show(sqrt(msw)), 'sb', show(sb), 'sR', show(sR))

print('== limits: 12 constant leading digits')
limits = shifted(['5.6', '5.1', '5.9', '5.3', '5.4', '5.8', '5.2'], 456789012340)
s = sqrt(var(limits))
print('s', show(s), '2s', show(2 * s), '10s', show(10 * s))

print('== precision: 12 constant leading digits')
prec = shifted(['5.6', '5.1', '5.9', '5.3', '5.4', '5.8'], 456789012340)
m, s = mean(prec), sqrt(var(prec))
t = Decimal(t_critical(len(prec) - 1))
hw = (Decimal(1000) * s * t / Decimal(len(prec)).sqrt()).to_integral_value(rounding='ROUND_FLOOR') / 1000
print('mean', show(m, 1), 's', show(s), 'CV', show(s * 100 / dec(m), 13), 'half-width', hw,
      'lower', show(dec(m) - hw, 1), 'upper', show(dec(m) + hw, 1))

print('== calibration: worked example, responses + 123456789000, concentrations + 0 and + 1000')
levels = [['1.0', '1.2', '0.8'], ['2.1', '1.9', '2.0'], ['2.9', '3.1', '3.0'], ['4.2', '3.9', '4.0']]
for xshift in (0, 1000):
    xs = [F(c) + xshift for c in (1, 2, 3, 4)]
    ys = [shifted(l, 123456789000) for l in levels]
    X = [x for x, l in zip(xs, ys) for _ in l]
    Y = [y for l in ys for y in l]
    N, k = len(Y), len(ys)
    mx, my = mean(X), mean(Y)
    sxx = sum(((x - mx) ** 2 for x in X), F(0))
    syy = sum(((y - my) ** 2 for y in Y), F(0))
    sxy = sum(((x - mx) * (y - my) for x, y in zip(X, Y)), F(0))
    b = sxy / sxx
    a = my - mx * b
    ssreg = sxy ** 2 / sxx
    _, between, within, _ = anova(ys)
    sslack = between - ssreg
    ssres = sslack + within
    mslack, mserr = sslack / (k - 2), within / (N - k)
    sb = sqrt(ssres / (N - 2) / sxx)
    r = dec(sxy) / (sqrt(sxx) * sqrt(syy))
    sa = sqrt((mx ** 2 / sxx + F(1, N)) * ssres / (N - 2))
    t2 = Decimal(t_critical(N - k))
    D = sqrt(mserr) / dec(b) * t2
    print('x+%d' % xshift, 'b', show(b), 'a', show(a, 4), 'r', show(r), 'Sa', show(sa), 'Sb', show(sb),
          'SSreg', show(ssreg), 'SSlack', show(sslack), 'MSlack', show(mslack), 'SSerr', show(within),
          'MSerr', show(mserr), 'SStot', show(syy), 'Freg', show(ssreg / mserr), 'Flack', show(mslack / mserr),
          'D', show(D))

print('== accuracy: three levels + 123456789000')
acc = [['99.3', '101.2', '100.4'], ['98.7', '100.1', '99.6'], ['100.2', '102.5', '101.1']]
g = [shifted(l, 123456789000) for l in acc]
M, ssb, ssw, _ = anova(g)
n = 3
t1 = Decimal(t_critical(n - 1))
t2 = Decimal(t_critical(3 * n - 3))
sst = ssb + ssw
hT = t2 * sqrt(sst / (3 * n - 1) / (3 * n))
print('GM', show(M, 1), 'hT', show(hT), 'SSb', show(ssb), 'MSb', show(ssb / 2), 'SSw', show(ssw),
      'MSw', show(ssw / (3 * n - 3)), 'SSt', show(sst), 'F', show(ssb / 2 / (ssw / (3 * n - 3))))
for l in g:
    print('  level mean', show(mean(l), 1), 'h', show(t1 * sqrt(var(l)) / Decimal(n).sqrt()))

print('== specificity: pooled worked example + 456789012300')
A = shifted(['98.0', '98.5', '97.5', '98.2', '97.8'], 456789012300)
B = shifted(['100.0', '100.5', '99.5', '100.2', '99.8'], 456789012300)
A[0] += F(3, 10)  # 98.3: the means then differ by a number with a long expansion
vA, vB = var(A), var(B)
nA, nB = len(A), len(B)
sp = sqrt((vB * (nB - 1) + vA * (nA - 1)) / (nA + nB - 2))
tt = abs(dec(mean(A) - mean(B))) / (sqrt(F(1, nB) + F(1, nA)) * sp)
print('mA', show(mean(A), 1), 'mB', show(mean(B), 1), 'vA', show(vA), 'vB', show(vB),
      'F', show(max(vA, vB) / min(vA, vB)), 't', show(tt))

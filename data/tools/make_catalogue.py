#!/usr/bin/env python3
"""Writes the catalogue sources: data/seed/dbKenndaten.mdb/*.csv and data/seed/dbSchalldaten.mdb/*.csv.

The committed CSV files are what the build uses; this script only keeps them consistent when the catalogue is
changed. Run it from anywhere:  python3 data/tools/make_catalogue.py   (Python 3 standard library only).

Rules the rows follow (the data test tests/data/test_catalogue.cpp checks them on the generated databases):
- Kvs from the preferred series (... 1, 1.6, 2.5, 4, 6.3, 10 ...); per nominal size the full trim and, for control
  valves, reduced trims below it; `Reduktion` is the trim's Kvs in percent of the size's full Kvs.
- Cv is the decimal product 1.16 x Kvs (at most seven significant digits), so that the single-precision Cv and
  Kvs read back unchanged from the seven-digit text the program shows, and a row is found again by equality in
  either unit.
- Characteristics, with R the rangeability (`Stellverhältnis`) and Kv0 = Kvs / R:
    linear            Kv/Kvs = 1/R + (1 - 1/R) y
    equal percentage  Kv/Kvs ~ R^(y - 1), a 5th-degree fit with Kv(0) = Kvs/R and Kv(1) = Kvs exactly,
                      least squares on the relative error
    on/off            quick opening, Kv/Kvs = 1/R + (1 - 1/R)(2y - y^2)
  so a0 + ... + a5 = 1 exactly in decimal.
- Noise tables: one per valve kind, rows in ascending KKV spanning the smallest Kv0 and the largest Kvs of the
  rows that name them; ZZY falls with the valve size, LA0..LA5 a small correction polynomial in xF.
"""
import csv
import math
import os
import struct
from decimal import Decimal

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'seed'))
KENN = os.path.join(ROOT, 'dbKenndaten.mdb')
SCHALL = os.path.join(ROOT, 'dbSchalldaten.mdb')

INCH = {8: '1/4"', 10: '3/8"', 15: '1/2"', 20: '3/4"', 25: '1"', 32: '1 1/4"', 40: '1 1/2"', 50: '2"',
        65: '2 1/2"', 80: '3"', 100: '4"', 125: '5"', 150: '6"', 200: '8"', 250: '10"', 300: '12"',
        350: '14"', 400: '16"'}

PREFERRED = ['0.000025', '0.00004', '0.000063', '0.0001', '0.00016', '0.00025', '0.0004', '0.00063',
             '0.001', '0.0016', '0.0025', '0.004', '0.0063', '0.01', '0.016', '0.025', '0.04', '0.063', '0.1',
             '0.16', '0.25', '0.4', '0.63', '1', '1.6', '2.5', '4', '6.3', '10', '16', '25', '40', '63', '100',
             '160', '250', '400', '630', '1000', '1600', '2500', '4000', '6300']

# Full-trim Kvs per nominal size of the valve kinds.
GLOBE = {15: '4', 20: '6.3', 25: '10', 32: '16', 40: '25', 50: '40', 65: '63', 80: '100', 100: '160',
         125: '250', 150: '400', 200: '630', 250: '1000', 300: '1600'}
OBLIQUE = {15: '4', 20: '10', 25: '16', 32: '25', 40: '40', 50: '63', 65: '100'}
DIAPHRAGM = {15: '4', 20: '6.3', 25: '16', 32: '25', 40: '40', 50: '63', 65: '100', 80: '160', 100: '250',
             125: '400', 150: '630'}
PINCH = {25: '40', 32: '63', 40: '100', 50: '160', 65: '250', 80: '400', 100: '630', 125: '1000', 150: '1600',
         200: '2500'}
BALL_SECTOR = {25: '16', 32: '25', 40: '40', 50: '63', 65: '100', 80: '160', 100: '250', 125: '400', 150: '630',
               200: '1000', 250: '1600', 300: '2500'}
THREE_WAY_SHUTOFF = {15: '2.5', 20: '4', 25: '6.3', 32: '10', 40: '16', 50: '25'}
MICRO = {8: ['0.001', '0.0016', '0.0025', '0.004', '0.0063', '0.01', '0.016', '0.025', '0.04'],
         10: ['0.063', '0.1', '0.16', '0.25'],
         15: ['0.4', '0.63', '1']}


def sizes(table, lo, hi):
    return {dn: kvs for dn, kvs in table.items() if lo <= dn <= hi}


# FL and xT coefficients (a, b, c of a + b y + c y^2) by valve kind.
FL_XT = {
    'oblique_ctl': (('0.92', '-0.04', '-0.02'), ('0.75', '-0.05', '-0.02')),
    'angle_ctl': (('0.93', '-0.03', '-0.02'), ('0.76', '-0.04', '-0.02')),
    'sterile': (('0.92', '-0.05', '0'), ('0.74', '-0.06', '0')),
    'micro': (('0.96', '-0.02', '0'), ('0.82', '-0.04', '0')),
    'diaphragm': (('0.82', '-0.08', '-0.06'), ('0.62', '-0.04', '-0.03')),
    'pinch': (('0.8', '-0.1', '-0.05'), ('0.55', '-0.08', '-0.05')),
    'ball_sector': (('0.9', '-0.15', '-0.12'), ('0.66', '-0.18', '-0.12')),
    'three_way': (('0.9', '-0.03', '-0.02'), ('0.72', '-0.03', '-0.02')),
    'sliding_gate': (('0.97', '-0.04', '-0.01'), ('0.8', '-0.06', '-0.02')),
    'regulator': (('0.94', '-0.05', '-0.01'), ('0.76', '-0.06', '-0.02')),
    'oblique_shut': (('0.9', '-0.1', '-0.05'), ('0.7', '-0.1', '-0.05')),
    'flanged_shut': (('0.92', '-0.06', '-0.03'), ('0.74', '-0.06', '-0.03')),
    'angle_shut': (('0.92', '-0.05', '-0.03'), ('0.74', '-0.06', '-0.02')),
}

# key: (kind for FL/xT, noise table, characteristics, {DN: full Kvs or [Kvs...]}, trims per size, R)
SERIES = [
    ('2381', 'ball_sector', 'Kugelsektor', [0, 1], BALL_SECTOR, 2, 100),
    ('2613', 'sterile', 'Sterilventil', [0, 1], sizes(GLOBE, 15, 100), 3, 50),
    ('3152', 'oblique_shut', 'Sitzventil', [2], OBLIQUE, 1, 10),
    ('3264', 'oblique_ctl', 'Sitzventil', [0, 1], sizes(GLOBE, 15, 50), 3, 50),
    ('3378', 'flanged_shut', 'Sitzventil', [2], sizes(GLOBE, 15, 150), 1, 10),
    ('3391', 'flanged_shut', 'Sitzventil', [2], sizes(GLOBE, 15, 300), 1, 10),
    ('3425', 'micro', 'Mikroventil', [0, 1], MICRO, 0, 25),
    ('3547', 'angle_shut', 'Eckventil', [2], sizes(GLOBE, 15, 100), 1, 10),
    ('3548', 'angle_ctl', 'Eckventil', [0, 1], sizes(GLOBE, 15, 150), 3, 50),
    ('3652', 'diaphragm', 'Membranventil', [2], DIAPHRAGM, 1, 10),
    ('3653', 'diaphragm', 'Membranventil', [0, 1], sizes(DIAPHRAGM, 15, 100), 2, 25),
    ('3761', 'pinch', 'Schlauchventil', [2], PINCH, 1, 10),
    ('3786', 'pinch', 'Schlauchventil', [0, 1], sizes(PINCH, 25, 150), 2, 25),
    ('3834', 'three_way', 'Dreiwegeventil', [2], THREE_WAY_SHUTOFF, 1, 10),
    ('3926', 'three_way', 'Dreiwegeventil', [0, 1], sizes(GLOBE, 15, 150), 2, 30),
    ('4612', 'regulator', 'Druckregler', [0, 1], sizes(GLOBE, 15, 100), 2, 30),
    ('4625', 'sliding_gate', 'Gleitschieber', [0, 1], sizes(GLOBE, 15, 150), 3, 50),
    ('4627_71', 'sliding_gate', 'Gleitschieber', [0, 1], sizes(GLOBE, 15, 300), 3, 50),
    ('4627_72', 'sliding_gate', 'Gleitschieber', [0, 1], sizes(GLOBE, 15, 300), 3, 50),
    ('4638', 'sliding_gate', 'Gleitschieber', [0, 1], sizes(GLOBE, 15, 200), 3, 50),
    ('4644', 'sliding_gate', 'Gleitschieber', [2], sizes(GLOBE, 15, 300), 1, 10),
    ('4648', 'regulator', 'Druckregler', [0, 1], sizes(GLOBE, 25, 200), 2, 30),
    ('4651_71', 'sliding_gate', 'Gleitschieber', [0, 1], sizes(GLOBE, 15, 250), 3, 50),
    ('4651_72', 'sliding_gate', 'Gleitschieber', [0, 1], sizes(GLOBE, 15, 250), 3, 50),
    ('4656', 'sliding_gate', 'Gleitschieber', [0, 1], sizes(GLOBE, 15, 150), 2, 30),
]

# Noise tables: zy at Kv = 1, its fall per decade of Kv, its bounds, and the correction polynomial LA0..LA5 in xF.
NOISE = {
    'Sitzventil': (0.60, 0.06, ['-2', '4', '-2', '0', '0', '0']),
    'Eckventil': (0.65, 0.06, ['-3', '2', '0', '0', '0', '0']),
    'Sterilventil': (0.55, 0.05, ['-2', '2', '0', '0', '0', '0']),
    'Mikroventil': (0.60, 0.02, ['0', '1', '0', '0', '0', '0']),
    'Membranventil': (0.35, 0.04, ['2', '3', '0', '0', '0', '0']),
    'Schlauchventil': (0.30, 0.03, ['1', '2', '-1', '0', '0', '0']),
    'Kugelsektor': (0.30, 0.03, ['2', '2', '0', '0', '0', '0']),
    'Dreiwegeventil': (0.50, 0.05, ['-1', '3', '0', '0', '0', '0']),
    'Druckregler': (0.50, 0.05, ['-4', '2', '0', '0', '0', '0']),
    'Gleitschieber': (0.55, 0.05, ['-5', '3', '0', '0', '0', '0']),
    'Benutzerdefiniert': (0.50, 0.05, ['0', '0', '0', '0', '0', '0']),
}

COLUMNS = ['DN:integer', 'DN_Zoll:text', 'Kennlinie:integer', 'Kvs:single', 'Cv:single', 'Reduktion:single',
           'Stellverhältnis:double', 'a0:double', 'a1:double', 'a2:double', 'a3:double', 'a4:double',
           'a5:double', 'aFL:double', 'bFL:double', 'cFL:double', 'axT:double', 'bxT:double', 'cxT:double',
           'Schalldaten:text']


def f32(x):
    return struct.unpack('<f', struct.pack('<f', x))[0]


def cv_text(kvs_text):
    # The decimal product 1.16 x Kvs; it has at most seven significant digits, so the single-precision value
    # shown with seven digits (as the program shows a Single) reads back as the same value.
    text = format((Decimal('1.16') * Decimal(kvs_text)).normalize(), 'f')
    assert f32(float(text)) == f32(float('%.7g' % (1.16 * f32(float(kvs_text))))), kvs_text
    assert len(text.replace('.', '').lstrip('0')) <= 7, text
    return text


def solve(a, b):
    n = len(b)
    m = [row[:] + [b[i]] for i, row in enumerate(a)]
    for c in range(n):
        p = max(range(c, n), key=lambda r: abs(m[r][c]))
        m[c], m[p] = m[p], m[c]
        for r in range(n):
            if r != c:
                f = m[r][c] / m[c][c]
                for k in range(c, n + 1):
                    m[r][k] -= f * m[c][k]
    return [m[i][n] / m[i][i] for i in range(n)]


def dec(x):
    return Decimal('%.8f' % x)


def closed(a0, rest):
    """a0 and a2..a5 as given, a1 so that the six add up to exactly 1."""
    a1 = Decimal(1) - a0 - sum(rest)
    return [a0, a1] + rest


def equal_percentage(r):
    # p(y) = 1/R + (1 - 1/R) y + y (1 - y)(c0 + c1 y + c2 y^2 + c3 y^3), least squares on the relative error.
    n = 400
    a = [[0.0] * 4 for _ in range(4)]
    b = [0.0] * 4
    for i in range(n + 1):
        y = i / n
        f = r ** (y - 1)
        base = 1 / r + (1 - 1 / r) * y
        phi = [y * (1 - y) * y ** k for k in range(4)]
        w = 1 / f ** 2
        for row in range(4):
            b[row] += w * phi[row] * (f - base)
            for col in range(4):
                a[row][col] += w * phi[row] * phi[col]
    c = solve(a, b)
    coef = [1 / r, 1 - 1 / r, 0, 0, 0, 0]
    for k, ck in enumerate(c):
        coef[k + 1] += ck
        coef[k + 2] -= ck
    return closed(dec(1 / r), [dec(x) for x in coef[2:]])


def linear(r):
    return closed(dec(1 / r), [Decimal(0)] * 4)


def quick_opening(r):
    k = Decimal(1) - dec(1 / r)
    return closed(dec(1 / r), [-k, Decimal(0), Decimal(0), Decimal(0)])


def curve(kennlinie, r):
    return {0: linear, 1: equal_percentage, 2: quick_opening}[kennlinie](r)


def text(d):
    s = format(d.normalize(), 'f')
    return '0' if s in ('-0', '') else s


def trims(full, count):
    i = PREFERRED.index(full)
    return PREFERRED[max(0, i - count + 1):i + 1]


def write_csv(path, header, rows):
    with open(path, 'w', newline='', encoding='utf-8') as f:
        w = csv.writer(f, lineterminator='\n')
        w.writerow(header)
        w.writerows(rows)


def row(dn, kennlinie, kvs, full, r, kind, noise):
    fl, xt = FL_XT[kind]
    reduktion = math.floor(100 * float(kvs) / float(full) + 0.5)
    return ([str(dn), INCH[dn], str(kennlinie), kvs, cv_text(kvs), str(reduktion), str(r)]
            + [text(a) for a in curve(kennlinie, r)] + list(fl) + list(xt) + [noise])


def main():
    os.makedirs(KENN, exist_ok=True)
    os.makedirs(SCHALL, exist_ok=True)
    for folder in (KENN, SCHALL):
        for name in os.listdir(folder):
            if name.endswith('.csv'):
                os.remove(os.path.join(folder, name))
    indexes = []
    noise_range = {}
    for key, kind, noise, chars, table, count, r in SERIES:
        rows = []
        for dn in sorted(table):
            # The smallest size of a control series carries the small trims down to a tenth of its full Kvs.
            extra = 3 if count > 1 and dn == min(table) else 0
            kvs_list = table[dn] if isinstance(table[dn], list) else trims(table[dn], count + extra)
            full = kvs_list[-1]
            for kvs in kvs_list:
                for k in chars:
                    rows.append(row(dn, k, kvs, full, r, kind, noise))
                lo, hi = noise_range.get(noise, (math.inf, 0))
                noise_range[noise] = (min(lo, float(kvs) / r), max(hi, float(kvs)))
        write_csv(os.path.join(KENN, key + '.csv'), COLUMNS, rows)
        indexes.append('\t'.join([key, key, 'DN,Kvs', 'duplicates']))
    # The user-defined valve starts as an equal-percentage DN 50 valve of Kvs 40 that the user then edits.
    fl, xt = ('0.8', '0', '0'), ('0.6', '0', '0')
    user = ([str(50), INCH[50], '1', '40', cv_text('40'), '100', '50']
            + [text(a) for a in curve(1, 50)] + list(fl) + list(xt) + ['Benutzerdefiniert'])
    write_csv(os.path.join(KENN, '9999.csv'), COLUMNS, [user])
    indexes.append('\t'.join(['9999', '9999', 'DN,Kvs', 'duplicates']))
    write_csv(os.path.join(KENN, '_aktuell.csv'), COLUMNS, [])
    with open(os.path.join(KENN, 'indexes.txt'), 'w', encoding='utf-8') as f:
        f.write('\n'.join(indexes) + '\n')
    # The user-defined valve may take any Kvs: its table spans the whole range of the estimate.
    noise_range['Benutzerdefiniert'] = (0.001, 6000)
    for name, (z1, dz, poly) in NOISE.items():
        lo, hi = noise_range[name]
        kkv = [float(p) for p in PREFERRED]
        first = max(i for i, v in enumerate(kkv) if v <= lo) if kkv[0] <= lo else 0
        last = min(i for i, v in enumerate(kkv) if v >= hi)
        rows = []
        for v in PREFERRED[first:last + 1]:
            zy = min(0.8, max(0.2, z1 - dz * math.log10(float(v))))
            rows.append([v] + poly + ['%.3f' % zy])
        write_csv(os.path.join(SCHALL, name + '.csv'),
                  ['KKV:double'] + ['LA%d:double' % i for i in range(6)] + ['ZZY:double'], rows)


if __name__ == '__main__':
    main()

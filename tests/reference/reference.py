#!/usr/bin/python3
"""Second, independent implementation of the 22 table look-ups, checked
against vantorel-props cell by cell.

    reference.py DATA_DIR VANTOREL_PROPS

DATA_DIR is the folder of the book's tables as CSV (gases/, liquids/, water/,
metals/). The look-ups here are written from the table rules alone: the
downward scan with each fluid's own test, the six interpolation steps in
double precision, rounding half to even on the scaled double, the places of
each fluid and slot, the fixed and computed slots and the markers. The
program is then run over sweeps of every fluid's range (CSV output) and every
cell's text is compared with the text the reference gives. A sweep's rows are
the decimals from + i*step, worked out here with fractions: the T cell is that
decimal, and the look-up is at the double nearest to it.

The JSON output is checked too, at every row and its neighbouring doubles:
each SI value is the shown text read as a decimal and scaled to SI base
units (exactly, in decimal), and the source names one row at a row's own
temperature or the two neighbouring rows around any other.

Units: at every row, each value in US and engineering units is the book's
decimal (with the places it is rounded to) times the units' exact factors,
worked out here with fractions and rounded half to even to that decimal's
significant digits. Saturated water at a pressure: at every row's printed
pressure, halfway between rows and in other units, T_sat is T interpolated
in P with fractions and rounded half to even to 0.01 K.

Exit status: 0 all cells agree, 1 a disagreement (the first ones are
printed), a run that failed or no data folder.
"""

import json
import math
import os
import subprocess
import sys
import time
from decimal import Decimal
from fractions import Fraction

# ---------------------------------------------------------------------------
# Rounding and interpolation.

POW10 = (1.0, 10.0, 100.0, 1000.0, 10000.0, 100000.0)


class Rounded(float):
    """A rounded value that remembers its places: 16.9 rounded to 2 is the
    decimal 16.90, whose four digits a unit conversion keeps."""

    def __new__(cls, value, places):
        x = super().__new__(cls, value)
        x.places = places
        return x


def round_half_even(x, places):
    """x to `places` decimals, halves to even, the half decided on x * 10^m."""
    y = x * POW10[places]
    # round() on a float is exact and goes to even on a tie; it returns an
    # int, so a zero comes back as +0 whatever the sign of y.
    return Rounded(round(y) / POW10[places], places)


def interpolate(t, t_hi, t_lo, v_hi, v_lo):
    """The six steps in their order, each a double operation."""
    d = t_hi - t
    e = v_hi - v_lo
    p = d * e
    s = t_hi - t_lo
    q = p / s
    return v_hi - q


# ---------------------------------------------------------------------------
# Reading the tables.


def read_csv(path):
    """Header and rows of a data file; cells as doubles, "none" as None."""
    header = None
    rows = []
    with open(path, encoding="utf-8") as f:
        for line in f:
            line = line.strip()
            if not line or line.startswith("#"):
                continue
            cells = line.split(",")
            if header is None:
                header = cells
                continue
            if len(cells) != len(header):
                raise ValueError(f"{path}: row {cells[0]} has {len(cells)} cells, header {len(header)}")
            rows.append([None if c == "none" else float(c) for c in cells])
    if header is None or header[0] != "T" or len(rows) < 2:
        raise ValueError(f"{path}: no table")
    grid = [r[0] for r in rows]
    if any(a <= b for a, b in zip(grid, grid[1:])):
        raise ValueError(f"{path}: row temperatures do not strictly descend")
    columns = {name: [r[i] for r in rows] for i, name in enumerate(header)}
    return grid, columns


# ---------------------------------------------------------------------------
# The shown texts.


def shortest(v):
    """The shortest text that reads back as v, without a trailing ".0"."""
    text = repr(v)
    return text[:-2] if text.endswith(".0") else text


def number(suffix):
    return lambda v, t: shortest(v) + suffix


def no_value_or_number(suffix):
    return lambda v, t: "----" if v == -1 else shortest(v) + suffix


def marker_or_number(suffix):
    def render(v, t):
        if v == -1:
            return "----"
        if v == -2:
            return "INFINITE"
        return shortest(v) + suffix
    return render


def water_beta(v, t):
    # Up to 420 K the book has a value everywhere, and near 277 K it rounds
    # to -1: a number there. Above 420 K the table has none.
    return "----" if v == -1 and t > 420 else shortest(v) + "E-6"


COMMON_SLOTS = ("Rho", "Cp", "Mu", "Nu", "K", "Alpha", "Pr", "Beta")
WATER_SLOTS = ("P", "Vf", "Vg", "Hfg", "Cpf", "Cpg", "Muf", "Mug", "Kf", "Kg", "Prf", "Prg", "Sigmaf", "Betaf")
METAL_SLOTS = ("Rho", "Cp", "Nu", "K", "Alpha", "Pr")

GAS_TEXT = [number(s) for s in ("", "", "E-7", "E-6", "E-3", "E-6", "", "E-3")]
LIQUID_TEXT = [number(s) for s in ("", "", "E-2", "E-6", "E-3", "E-7", "", "E-3")]
WATER_TEXT = [
    number(""), number("E-3"), number(""), number(""),
    marker_or_number(""), marker_or_number(""),
    number("E-6"), number("E-6"), number("E-3"), number("E-3"),
    marker_or_number(""), marker_or_number(""),
    number("E-3"), water_beta,
]
METAL_TEXT = [number("")] + [no_value_or_number(s) for s in ("", "E-7", "", "E-5", "")]

# ---------------------------------------------------------------------------
# Gases and saturated fluids: scan with T <= t(k), seven or eight columns.

# Places of Rho, Cp, Mu, Nu, K, Alpha, Pr (and Beta where it is a column).
GASES = {
    "air": ("gases/air.csv", (4, 3, 1, 2, 1, 1, 3)),
    "ammonia": ("gases/ammonia.csv", (4, 3, 1, 1, 1, 1, 3)),
    "carbon-dioxide": ("gases/carbon_dioxide.csv", (4, 3, 1, 2, 2, 1, 3)),
    "carbon-monoxide": ("gases/carbon_monoxide.csv", (4, 3, 1, 2, 1, 1, 3)),
    "helium": ("gases/helium.csv", (4, 3, 1, 2, 1, 1, 3)),
    "hydrogen": ("gases/hydrogen.csv", (4, 2, 1, 1, 1, 0, 3)),
    "nitrogen": ("gases/nitrogen.csv", (4, 3, 1, 2, 1, 1, 3)),
    "oxygen": ("gases/oxygen.csv", (4, 3, 1, 2, 1, 1, 3)),
    "water-vapor": ("gases/water_vapor.csv", (4, 3, 1, 2, 1, 1, 3)),
}
# Places as above; a float in the Beta place is the fixed, unrounded value of
# a fluid without a Beta column.
LIQUIDS = {
    "engine-oil": ("liquids/engine_oil.csv", (1, 3, 2, 1, 1, 3, 0), 0.7),
    "ethylene-glycol": ("liquids/ethylene_glycol.csv", (1, 3, 3, 2, 1, 3, 1), 0.65),
    "glycerin": ("liquids/glycerin.csv", (1, 3, 1, 1, 1, 3, 0, 2), None),
    "freon-12": ("liquids/freon12.csv", (1, 4, 4, 3, 1, 3, 1, 2), None),
    "mercury": ("liquids/mercury.csv", (0, 4, 4, 4, 0, 2, 4, 3), None),
}


def scanned_table(grid, columns, places):
    """Values of the interpolated columns at t: the common scan."""
    n = len(grid)
    cols = list(zip(columns, places))

    def lookup(t):
        hi = 0
        for k in range(1, n - 1):  # every test is made, in order
            if t <= grid[k]:
                hi += 1
        t_hi, t_lo = grid[hi], grid[hi + 1]
        return [round_half_even(interpolate(t, t_hi, t_lo, c[hi], c[hi + 1]), m) for c, m in cols]
    return lookup


def gas(data_dir, file, places):
    grid, columns = read_csv(os.path.join(data_dir, file))
    lookup = scanned_table(grid, [columns[s] for s in COMMON_SLOTS[:7]], places)

    def values(t):
        out = lookup(t)
        out.append(round_half_even(1000 / t, 2))
        return out
    return grid, values


def liquid(data_dir, file, places, fixed_beta):
    grid, columns = read_csv(os.path.join(data_dir, file))
    slots = COMMON_SLOTS if fixed_beta is None else COMMON_SLOTS[:7]
    if fixed_beta is not None and "Beta" in columns:
        raise ValueError(f"{file}: a Beta column where the fluid has a fixed Beta")
    lookup = scanned_table(grid, [columns[s] for s in slots], places)
    if fixed_beta is None:
        return grid, lookup

    def values(t):
        out = lookup(t)
        out.append(fixed_beta)
        return out
    return grid, values


# ---------------------------------------------------------------------------
# Saturated water: strict scan with the 420 K exception up to 640 K, two
# straight-line segments above.

WATER_LOOKUP_PLACES = (None, 3, None, 0, 3, 3, 0, 2, 1, 1, 2, 3, 1, 1)
WATER_LOWER_SEGMENT_PLACES = (1, 3, 4, 0, 0, None, 0, 1, 0, 0, 1, 1, 1, None)
WATER_UPPER_SEGMENT_PLACES = (1, 3, 4, 0, None, None, 0, 1, 1, 1, None, None, 2, None)
P_BANDS = ((315, 5), (385, 4), (450, 3), (580, 2))  # T <= bound: places
VG_BANDS = ((290, 1), (340, 2), (480, 3))


def band_places(bands, t, last):
    for bound, places in bands:
        if t <= bound:
            return places
    return last


def water(data_dir):
    grid, columns = read_csv(os.path.join(data_dir, "water/saturated_water.csv"))
    seg_grid, seg_columns = read_csv(os.path.join(data_dir, "water/critical_segment_rows.csv"))
    if len(grid) != 53 or grid[0] != 640 or seg_grid != [647.3, 645.0]:
        raise ValueError("saturated water: unexpected rows")
    n = len(grid)
    cols = [columns[s] for s in WATER_SLOTS]
    row_420 = grid.index(420.0)
    beta = WATER_SLOTS.index("Betaf")
    # The 420 K row holds its upper-row Betaf; as a lower row it has none.
    beta_420_upper = cols[beta][row_420]
    critical = [seg_columns[s][0] for s in WATER_SLOTS]
    joint = [seg_columns[s][1] for s in WATER_SLOTS]
    row_640 = [c[0] for c in cols]

    def cell(col, row, upper):
        if col == beta and row == row_420:
            return beta_420_upper if upper else -1.0
        return cols[col][row]

    def lookup(t):
        hi = 0
        for k in range(1, n - 1):
            if (t <= grid[k]) if k == row_420 else (t < grid[k]):
                hi += 1
        t_hi, t_lo = grid[hi], grid[hi + 1]
        out = []
        for i in range(14):
            v = interpolate(t, t_hi, t_lo, cell(i, hi, True), cell(i, hi + 1, False))
            m = WATER_LOOKUP_PLACES[i]
            if i == 0:
                m = band_places(P_BANDS, t, 1)
            elif i == 2:
                m = band_places(VG_BANDS, t, 4)
            out.append(round_half_even(v, m))
        return out

    def lower_segment(t):
        out = []
        for i, m in enumerate(WATER_LOWER_SEGMENT_PLACES):
            if m is None:
                out.append(-1.0)
            else:
                out.append(round_half_even(interpolate(t, 645.0, 640.0, joint[i], row_640[i]), m))
        return out

    def upper_segment(t):
        marker = -2.0 if t == 647.3 else -1.0
        out = []
        for i, m in enumerate(WATER_UPPER_SEGMENT_PLACES):
            if m is not None:
                out.append(round_half_even(interpolate(t, 647.3, 645.0, critical[i], joint[i]), m))
            elif i == beta:
                out.append(-1.0)
            else:
                out.append(marker)
        return out

    def values(t):
        if 640 < t <= 645:
            return lower_segment(t)
        if t > 645:
            return upper_segment(t)
        return lookup(t)
    # The segment points belong to the grid of points checked densely.
    return grid + [645.0, 647.3], values


# ---------------------------------------------------------------------------
# Liquid metals: three rows, one test, -1 where a row has no value.

# Places of Rho, Cp, Nu, K, Alpha, Pr; the scan test at the middle row.
METALS = {
    "bismuth": ("metals/bismuth.csv", (0, 4, 3, 1, 3, 4), "<"),
    "lead": ("metals/lead.csv", (0, 3, 3, 1, 3, 3), "<="),
    "potassium": ("metals/potassium.csv", (1, 2, 3, 1, 2, 4), "<"),
    "sodium": ("metals/sodium.csv", (1, 2, 3, 1, 2, 4), "<"),
    "nak-45": ("metals/nak45.csv", (1, 3, 3, 1, 3, 4), "<"),
    "nak-22": ("metals/nak22.csv", (1, 3, 3, 1, 2, 4), "<="),
}


def metal(data_dir, file, places, test):
    grid, columns = read_csv(os.path.join(data_dir, file))
    if len(grid) != 3:
        raise ValueError(f"{file}: a metal has three rows")
    cols = [columns[s] for s in METAL_SLOTS]
    t1 = grid[1]

    def values(t):
        lower = t <= t1 if test == "<=" else t < t1
        hi = 1 if lower else 0
        out = []
        for c, m in zip(cols, places):
            if c[hi] is None or c[hi + 1] is None:
                out.append(-1.0)
            else:
                out.append(round_half_even(interpolate(t, grid[hi], grid[hi + 1], c[hi], c[hi + 1]), m))
        return out
    return grid, values


def pbbi(data_dir):
    grid, c = read_csv(os.path.join(data_dir, "metals/pbbi.csv"))
    if grid != [922.0, 644.0, 422.0]:
        raise ValueError("pbbi: unexpected rows")
    # Fixed values: Cp of the rows at and below 644 K, Pr of the 644 K row.
    cp = c["Cp"][1]
    pr = c["Pr"][1]
    if cp is None or c["Cp"][2] != cp or pr is None:
        raise ValueError("pbbi: no fixed Cp or Pr at 644 K")

    def upper(name, t, m):
        return round_half_even(interpolate(t, 922.0, 644.0, c[name][0], c[name][1]), m)

    def lower(name, t, m):
        return round_half_even(interpolate(t, 644.0, 422.0, c[name][1], c[name][2]), m)

    def values(t):
        # Every slot is decided against 644 K on its own.
        return [
            lower("Rho", t, 0) if t <= 644 else upper("Rho", t, 0),
            cp if t <= 644 else -1.0,
            upper("Nu", t, 3) if t >= 644 else -1.0,
            lower("K", t, 2) if t <= 644 else -1.0,
            lower("Alpha", t, 3) if t <= 644 else -1.0,
            pr if t == 644.0 else -1.0,
        ]
    return grid, values


# ---------------------------------------------------------------------------
# The fluids, in list order: id, slots shown, their texts, table.


def build_fluids(data_dir):
    fluids = []
    for fid, (file, places) in GASES.items():
        fluids.append((fid, COMMON_SLOTS, GAS_TEXT) + gas(data_dir, file, places))
    for fid, (file, places, fixed) in LIQUIDS.items():
        fluids.append((fid, COMMON_SLOTS, LIQUID_TEXT) + liquid(data_dir, file, places, fixed))
    fluids.append(("saturated-water", WATER_SLOTS, WATER_TEXT) + water(data_dir))
    for fid, (file, places, test) in METALS.items():
        fluids.append((fid, METAL_SLOTS, METAL_TEXT) + metal(data_dir, file, places, test))
    fluids.append(("pbbi", METAL_SLOTS, METAL_TEXT) + pbbi(data_dir))
    return fluids


def expected_cells(fluid, t):
    _, _, texts, _, values = fluid
    return [render(v, t) for render, v in zip(texts, values(t))]


# ---------------------------------------------------------------------------
# Examples worked out by hand from the book's rows. They keep the reference
# honest on its own before it judges the program.

ROUNDING_EXAMPLES = [((0.125, 2), 0.12), ((0.375, 2), 0.38), ((2.5, 0), 2.0), ((3.5, 0), 4.0),
                     ((9.25, 1), 9.2), ((-0.125, 2), -0.12), ((0.42095, 4), 0.421)]


def row(slots, texts):
    return dict(zip(slots, texts.split()))


W = WATER_SLOTS
EXAMPLES = [
    ("air", 300.0, row(COMMON_SLOTS, "1.1614 1.007 184.6E-7 15.89E-6 26.3E-3 22.5E-6 0.707 3.33E-3")),
    ("air", 310.0, {"Rho": "1.1281"}),
    ("air", 100.0, {"K": "9.3E-3", "Alpha": "2.5E-6", "Beta": "10E-3"}),
    ("air", 3000.0, {"Cp": "2.726", "Mu": "955E-7", "Pr": "0.536", "Beta": "0.33E-3"}),
    ("carbon-monoxide", 800.0, {"Rho": "0.421"}),
    ("hydrogen", 100.0, {"Rho": "0.2422", "Alpha": "25E-6"}),
    ("oxygen", 100.0, {"K": "9.2E-3"}),
    ("nitrogen", 100.0, {"K": "9.6E-3", "Alpha": "2.6E-6"}),
    ("water-vapor", 380.0, {"Beta": "2.63E-3"}),
    ("water-vapor", 850.0, {"Beta": "1.18E-3"}),
    ("engine-oil", 430.0, row(COMMON_SLOTS, "806.5 2.471 0.47E-2 5.8E-6 132E-3 0.662E-7 88 0.7E-3")),
    ("engine-oil", 273.0, row(COMMON_SLOTS, "899.7 1.796 385E-2 4280E-6 147E-3 0.91E-7 47000 0.7E-3")),
    ("engine-oil", 425.0, {"Rho": "809.3", "Cp": "2.449", "Mu": "0.52E-2", "Nu": "6.4E-6", "K": "132.5E-3",
                           "Pr": "96"}),
    ("engine-oil", 355.0, {"Nu": "35.7E-6", "K": "138E-3", "Pr": "470"}),
    ("ethylene-glycol", 354.0, row(COMMON_SLOTS, "1077 2.655 0.316E-2 2.94E-6 261E-3 0.913E-7 32.2 0.65E-3")),
    ("glycerin", 308.0, row(COMMON_SLOTS, "1255.1 2.477 44.1E-2 351.6E-6 286E-3 0.92E-7 3804 0.49E-3")),
    ("freon-12", 312.0, row(COMMON_SLOTS, "1260.8 1.0001 0.0242E-2 0.192E-6 68.8E-3 0.546E-7 3.4 3.14E-3")),
    ("mercury", 310.0, row(COMMON_SLOTS, "13505 0.139 0.148E-2 0.1095E-6 8668E-3 46.19E-7 0.0238 0.181E-3")),
    ("saturated-water", 273.15, row(W, "0.00611 1E-3 206.3 2502 4.217 1.854 1750E-6 8.02E-6 569E-3 18.2E-3 "
                                       "12.99 0.815 75.5E-3 -68E-6")),
    ("saturated-water", 300.0, row(W, "0.03531 1.003E-3 39.13 2438 4.179 1.872 855E-6 9.09E-6 613E-3 19.6E-3 "
                                      "5.83 0.857 71.7E-3 276.1E-6")),
    ("saturated-water", 450.0, {"P": "9.319", "Vg": "0.208"}),
    ("saturated-water", 385.0, {"P": "1.5233"}),
    ("saturated-water", 420.0, {"Betaf": "1010E-6"}),
    ("saturated-water", 415.0, {"Betaf": "981E-6"}),
    ("saturated-water", 425.0, {"Betaf": "----"}),
    ("saturated-water", 430.0, {"Betaf": "----"}),
    ("saturated-water", 640.0, {"Cpg": "42", "Prg": "9.6", "Betaf": "----"}),
    ("saturated-water", 642.0, row(W, "207.7 2.185E-3 0.0052 480 52 ---- 57E-6 34E-6 353E-3 164E-3 "
                                      "7.3 16.2 0.5E-3 ----")),
    ("saturated-water", 645.0, {"Cpf": "90", "Cpg": "----", "Prf": "12", "Prg": "26"}),
    ("saturated-water", 646.0, row(W, "217.8 2.707E-3 0.0039 204 ---- ---- 50E-6 40.5E-6 290.6E-3 204.1E-3 "
                                      "---- ---- 0.06E-3 ----")),
    ("saturated-water", 647.3, {"Hfg": "0", "Cpf": "INFINITE", "Cpg": "INFINITE", "Prf": "INFINITE",
                                "Prg": "INFINITE", "Sigmaf": "0E-3", "Betaf": "----"}),
    ("bismuth", 900.0, row(METAL_SLOTS, "9630 0.1585 1.013E-7 15.6 1.021E-5 0.0099")),
    ("bismuth", 1033.0, row(METAL_SLOTS, "9467 0.1645 0.834E-7 15.6 1.001E-5 0.0083")),
    ("lead", 755.0, row(METAL_SLOTS, "10412 0.155 1.849E-7 15.6 1.223E-5 0.017")),
    ("lead", 756.0, row(METAL_SLOTS, "10411 ---- 1.847E-7 15.6 ---- ----")),
    ("potassium", 850.0, row(METAL_SLOTS, "705.3 0.75 2.131E-7 36 6.79E-5 0.0031")),
    ("sodium", 500.0, row(METAL_SLOTS, "895.9 1.34 5.469E-7 79.5 6.6E-5 0.0082")),
    ("nak-45", 800.0, row(METAL_SLOTS, "783.5 1.049 2.544E-7 28.2 3.437E-5 0.0076")),
    ("nak-22", 672.0, row(METAL_SLOTS, "775.3 0.879 2.666E-7 26.7 3.92E-5 0.0068")),
    ("nak-22", 673.0, {"Rho": "775.1", "Cp": "0.879", "Nu": "2.664E-7", "K": "----", "Alpha": "----",
                       "Pr": "----"}),
    # 0.0189 is the corrected 644 K cell (the printed 0.189 contradicts its row).
    ("pbbi", 644.0, row(METAL_SLOTS, "10236 0.147 1.496E-7 11.86 0.79E-5 0.0189")),
    ("pbbi", 643.0, row(METAL_SLOTS, "10237 0.147 ---- 11.85 0.789E-5 ----")),
    ("pbbi", 645.0, row(METAL_SLOTS, "10235 ---- 1.495E-7 ---- ---- ----")),
    ("pbbi", 644.5, {"Pr": "----"}),
]


def check_examples(fluids):
    """Problems found in the reference itself, as text lines."""
    problems = []
    for (x, m), want in ROUNDING_EXAMPLES:
        got = round_half_even(x, m)
        if got != want:
            problems.append(f"RoundHalfEven({x}, {m}) gives {got}, not {want}")
    by_id = {f[0]: f for f in fluids}
    for fid, t, want in EXAMPLES:
        fluid = by_id[fid]
        got = dict(zip(fluid[1], expected_cells(fluid, t)))
        for slot, text in want.items():
            if got[slot] != text:
                problems.append(f"{fid} at {t} K: the reference gives {slot} {got[slot]}, the worked example {text}")
    return problems


# ---------------------------------------------------------------------------
# Sweeps.

# Step of the sweep over the whole range: fine where the range is short.
MAIN_STEP = {
    "air": 0.02, "ammonia": 0.01, "carbon-dioxide": 0.01, "carbon-monoxide": 0.01, "helium": 0.02,
    "hydrogen": 0.02, "nitrogen": 0.02, "oxygen": 0.02, "water-vapor": 0.01,
    "engine-oil": 0.01, "ethylene-glycol": 0.01, "glycerin": 0.01, "freon-12": 0.01, "mercury": 0.01,
    "saturated-water": 0.005,
    "bismuth": 0.01, "lead": 0.01, "potassium": 0.01, "sodium": 0.01, "nak-45": 0.01, "nak-22": 0.01,
    "pbbi": 0.01,
}
DENSE_STEP = 0.0001
DENSE_HALF_WIDTH = 0.01
# Water's expansion coefficient passes through -1 (a value, not the marker)
# near 277.0145 K and through zero near 277.078 K, where small negative
# values round to a zero that must show as 0, not -0.
EXTRA_DENSE = {"saturated-water": [277.0145, 277.078]}


def decimal_text(n, k):
    """The decimal n / 10^k as plain text without trailing zeros: 273.35, 300."""
    digits = str(abs(n)).rjust(k + 1, "0")
    text = digits[:len(digits) - k] + ("." + digits[len(digits) - k:] if k else "")
    if k:
        text = text.rstrip("0").rstrip(".")
    return ("-" if n < 0 else "") + text


def sweep_points(a, b, s):
    """The rows of a sweep typed as the decimal texts a, b and s, as (double,
    text) pairs: row i is the decimal a + i*s, worked out exactly in whole
    numbers of its smallest place; the last is exactly b when (b - a)/s lies
    within a millionth of a whole number other than 0, and otherwise the last
    step point below b."""
    ends = [Fraction(x) for x in (a, b, s)]
    k = 0
    while any((x * 10**k).denominator != 1 for x in ends):
        k += 1
    na, nb, ns = (int(x * 10**k) for x in ends)
    n, r = divmod(nb - na, ns)
    rows = [na + i * ns for i in range(n + 1)]
    if r * 10**6 <= ns and n > 0:  # the first row is always a
        rows[-1] = nb
    elif (ns - r) * 10**6 <= ns:
        rows.append(nb)
    # Python divides whole numbers correctly rounded: the double nearest.
    scale = 10**k
    return [(x / scale, decimal_text(x, k)) for x in rows]


def singles_of(fluid):
    """Each row of the fluid's table and its neighbouring doubles, ascending."""
    grid = fluid[3]
    t_min, t_max = min(grid), max(grid)
    return sorted({x for t in grid for x in (math.nextafter(t, -math.inf), t, math.nextafter(t, math.inf))
                   if t_min <= x <= t_max})


def sweeps_of(fluid):
    """(arguments, temperatures) of every run made for the fluid."""
    fid, grid = fluid[0], fluid[3]
    t_min, t_max = min(grid), max(grid)
    runs = []
    step = MAIN_STEP[fid]
    runs.append((t_min, t_max, step))
    # Around every row: 0.01 K each side, once ending and once starting
    # exactly on the row.
    for t in grid + EXTRA_DENSE.get(fid, []):
        if t > t_min:
            runs.append((max(t_min, t - DENSE_HALF_WIDTH), t, DENSE_STEP))
        if t < t_max:
            runs.append((t, min(t_max, t + DENSE_HALF_WIDTH), DENSE_STEP))
    # The ends go in as Python writes the doubles, up to 17 digits
    # (277.00449999999995), as a script would give them.
    out = [(["--from", repr(a), "--to", repr(b), "--step", repr(s)], sweep_points(repr(a), repr(b), repr(s)))
           for a, b, s in runs]
    singles = singles_of(fluid)
    out.append(([repr(x) for x in singles], [(x, shortest(x)) for x in singles]))
    return out


# ---------------------------------------------------------------------------
# Running the program and comparing.


class Report:
    def __init__(self):
        self.cells = 0
        self.rows = 0
        self.runs = 0
        self.problems = []

    def fail(self, text):
        self.problems.append(text)


def diagnose(fluid, t, slot, got, want):
    """Why a cell's text differs from the reference's."""
    if want in ("----", "INFINITE") or got in ("----", "INFINITE"):
        return f"{fluid} at T={shortest(t)}: {slot} is {got!r}, the reference {want!r}"
    suffix = want[want.index("E"):] if "E" in want else ""
    if (suffix and not got.endswith(suffix)) or (not suffix and "E" in got):
        return f"{fluid} at T={shortest(t)}: {slot} is {got!r}, the reference {want!r} (wrong power of ten)"
    num = got[:-len(suffix)] if suffix else got
    try:
        value = float(num)
    except ValueError:
        return f"{fluid} at T={shortest(t)}: {slot} is {got!r}, no number; the reference {want!r}"
    ref = float(want[:-len(suffix)] if suffix else want)
    if value == ref:
        return f"{fluid} at T={shortest(t)}: {slot} is {got!r}, the value is right but not in shortest form {want!r}"
    return f"{fluid} at T={shortest(t)}: {slot} is {got!r}, the reference {want!r}"


def check_run(props, fluid, args, temps, report):
    fid, slots = fluid[0], fluid[1]
    cmd = [props, fid] + args + ["--format", "csv"]
    report.runs += 1
    res = subprocess.run(cmd, capture_output=True, text=True)
    if res.returncode != 0:
        report.fail(f"{' '.join(cmd)} exited {res.returncode}: {res.stderr.strip()}")
        return
    lines = res.stdout.splitlines()
    header = "T," + ",".join(slots)
    if not lines or lines[0] != header:
        report.fail(f"{fid}: header {lines[0] if lines else ''!r}, not {header!r}")
        return
    lines = lines[1:]
    if len(lines) != len(temps):
        report.fail(f"{' '.join(cmd)}: {len(lines)} rows, not {len(temps)}")
        return
    width = len(slots) + 1
    for line, (t, t_text) in zip(lines, temps):
        cells = line.split(",")
        want = [t_text] + expected_cells(fluid, t)
        report.rows += 1
        report.cells += width
        if cells == want:
            continue
        if len(cells) != width:
            report.fail(f"{fid}: row {line!r} has {len(cells)} cells, not {width}")
            continue
        if cells[0] != want[0]:
            report.fail(f"{fid}: T cell {cells[0]!r}, the sweep's temperature is {want[0]!r}")
            continue
        for slot, g, w in zip(slots, cells[1:], want[1:]):
            if g != w:
                report.fail(diagnose(fid, t, slot, g, w))


# The book's units and the SI base units they convert to, with the power of
# ten between them.
SI_UNITS = {"kg/m³": ("kg/m³", 0), "kJ/kg·K": ("J/(kg·K)", 3), "N·s/m²": ("Pa·s", 0), "m²/s": ("m²/s", 0),
            "W/m·K": ("W/(m·K)", 0), "K⁻¹": ("1/K", 0), "": ("", 0), "bar": ("Pa", 5), "m³/kg": ("m³/kg", 0),
            "kJ/kg": ("J/kg", 3), "N/m": ("N/m", 0)}


def si_of_text(text, unit):
    """The shown text as an SI value: "189.3E-7" N·s/m² is 1.893e-05 Pa·s."""
    if text in ("----", "INFINITE"):
        return None  # no number: the JSON state says which
    mantissa, _, power = text.partition("E")
    return float(Decimal(mantissa) * Decimal(10) ** (int(power or 0) + SI_UNITS[unit][1]))


def check_json(props, fluid, report):
    """SI values and sources at every row and its neighbouring doubles."""
    fid, grid = fluid[0], sorted(fluid[3])
    singles = singles_of(fluid)
    res = subprocess.run([props, fid] + [repr(x) for x in singles] + ["--format", "json"],
                         capture_output=True, text=True)
    report.runs += 1
    if res.returncode != 0:
        report.fail(f"{fid} as JSON exited {res.returncode}: {res.stderr.strip()}")
        return
    out = json.loads(res.stdout)
    for slot, d in out["properties"].items():
        if d["siUnit"] != SI_UNITS[d["unit"]][0]:
            report.fail(f"{fid}: {slot} in {d['unit']} has SI unit {d['siUnit']!r}")
    for row in out["results"]:
        t = row["T"]
        rows = row["source"]["rows"]
        at = [i for i, g in enumerate(grid) if g == t]
        below = [i for i, g in enumerate(grid) if g < t]
        want = [t] if at else [grid[below[-1]], grid[below[-1] + 1]]
        if rows != want:
            report.fail(f"{fid} at T={shortest(t)}: rows {rows}, not {want}")
        for slot, p in row["properties"].items():
            report.cells += 1
            want_si = si_of_text(p["text"], p["unit"])
            want_state = {"----": "none", "INFINITE": "infinite"}.get(p["text"], "value")
            if p["si"] != want_si or p["state"] != want_state:
                report.fail(f"{fid} at T={shortest(t)}: {slot} {p['text']} has SI {p['si']!r} and state "
                            f"{p['state']!r}, not {want_si!r} and {want_state!r}")


# Units people work in, from their definitions: lbm = 0.45359237 kg, ft =
# 0.3048 m, Btu = 1055.05585262 J, h = 3600 s, a degree F or R = 5/9 K,
# lbf = lbm x 9.80665 m/s^2, psi = 6894.757293168 Pa. Each is the factor from
# the SI base unit to the unit named.
LBM, FT, BTU, HOUR, DEG = (Fraction("0.45359237"), Fraction("0.3048"), Fraction("1055.05585262"), Fraction(3600),
                           Fraction(5, 9))
LBF, PSI = LBM * Fraction("9.80665"), Fraction("6894.757293168")
FROM_SI = {
    "us": {"lbm/ft³": FT ** 3 / LBM, "Btu/(lbm·°F)": LBM * DEG / BTU, "lbm/(ft·h)": FT * HOUR / LBM,
           "ft²/h": HOUR / FT ** 2, "Btu/(h·ft·°F)": HOUR * FT * DEG / BTU, "1/°R": DEG, "": Fraction(1),
           "psia": 1 / PSI, "ft³/lbm": LBM / FT ** 3, "Btu/lbm": LBM / BTU, "lbf/ft": FT / LBF},
    "engineering": {"kg/m³": Fraction(1), "kJ/(kg·K)": Fraction(1, 1000), "mPa·s": Fraction(1000),
                    "mm²/s": Fraction(10 ** 6), "W/(m·K)": Fraction(1), "1/K": Fraction(1), "": Fraction(1),
                    "kPa": Fraction(1, 1000), "m³/kg": Fraction(1), "kJ/kg": Fraction(1, 1000),
                    "mN/m": Fraction(1000)},
}


def to_significant(x, k):
    """The Fraction x rounded half-even to k significant digits, a Decimal."""
    if x == 0:
        return Decimal(0)
    e = math.floor(math.log10(abs(x)))  # may be one off; the loop mends it
    while True:
        scaled = x / Fraction(10) ** (e - k + 1)
        if abs(scaled) >= 10 ** k:
            e += 1
        elif abs(scaled) < 10 ** (k - 1):
            e -= 1
        else:
            break
    q = round(scaled)  # Fraction rounds half to even
    if abs(q) == 10 ** k:  # 9.9975 to three digits is 10.0
        q //= 10
        e += 1
    return Decimal(q).scaleb(e - k + 1)


def check_units(props, fluid, report):
    """Every cell at the fluid's rows in US and engineering units against the
    book's decimal times the exact factors, in fractions."""
    fid, grid, texts, values = fluid[0], fluid[3], fluid[2], fluid[4]
    rows = sorted(set(grid))
    for units, factors in FROM_SI.items():
        res = subprocess.run([props, fid] + [repr(t) for t in rows] + ["--units", units, "--format", "json"],
                             capture_output=True, text=True)
        report.runs += 1
        if res.returncode != 0:
            report.fail(f"{fid} in {units} exited {res.returncode}: {res.stderr.strip()}")
            continue
        for row in json.loads(res.stdout)["results"]:
            t = row["T"]
            book = [render(v, t) for render, v in zip(texts, values(t))]
            for (slot, p), text, v in zip(row["properties"].items(), book, values(t)):
                report.cells += 1
                if text in ("----", "INFINITE"):
                    if p["text"] != text:
                        report.fail(f"{fid} at {t} in {units}: {slot} {p['text']!r}, not {text!r}")
                    continue
                # The book's decimal with the places it is rounded to (a
                # value given whole keeps its own).
                places = getattr(v, "places", None)
                mantissa, _, power = text.partition("E")
                decimal = Decimal(mantissa)
                if places is not None:
                    decimal = decimal.quantize(Decimal(1).scaleb(-places))
                digits = len(str(abs(decimal.scaleb(-decimal.as_tuple().exponent))).lstrip("0")) or 1
                si = Fraction(decimal) * Fraction(10) ** (int(power or 0) + SI_UNITS[book_unit(fid, slot)][1])
                want = to_significant(si * factors[p["unit"]], digits)
                got = Decimal(p["text"])
                if got != want or len(got.as_tuple().digits) != len(want.as_tuple().digits) or \
                        p["value"] != float(want):
                    report.fail(f"{fid} at {shortest(t)} in {units}: {slot} {p['text']} {p['unit']}, "
                                f"not {want} ({text} in the book's units)")


def book_unit(fid, slot):
    """The unit of the book's column: the SI_UNITS key."""
    return BOOK_UNITS[slot]


BOOK_UNITS = {"Rho": "kg/m³", "Cp": "kJ/kg·K", "Mu": "N·s/m²", "Nu": "m²/s", "K": "W/m·K", "Alpha": "m²/s",
              "Pr": "", "Beta": "K⁻¹", "P": "bar", "Vf": "m³/kg", "Vg": "m³/kg", "Hfg": "kJ/kg", "Cpf": "kJ/kg·K",
              "Cpg": "kJ/kg·K", "Muf": "N·s/m²", "Mug": "N·s/m²", "Kf": "W/m·K", "Kg": "W/m·K", "Prf": "",
              "Prg": "", "Sigmaf": "N/m", "Betaf": "K⁻¹"}


def check_pressures(props, fluid, report):
    """Saturated water at pressures: each row's printed P, the midpoints
    between rows, and a few in other units, against T interpolated in P
    with fractions and rounded half-even to 0.01 K."""
    data_dir = fluid[5]
    grid, columns = read_csv(os.path.join(data_dir, "water/saturated_water.csv"))
    seg_grid, seg_columns = read_csv(os.path.join(data_dir, "water/critical_segment_rows.csv"))
    printed = read_printed(os.path.join(data_dir, "water/saturated_water.csv")) | \
        read_printed(os.path.join(data_dir, "water/critical_segment_rows.csv"))
    line = sorted((Fraction(printed[t]), Fraction(repr(t))) for t in grid + seg_grid)
    asked = [(f"{printed[t]}bar", Fraction(printed[t])) for t in grid + seg_grid]
    for (p0, _), (p1, _) in zip(line, line[1:]):
        mid = (p0 + p1) / 2
        asked.append((f"{Decimal(mid.numerator) / Decimal(mid.denominator)}bar", mid))
    for text, bar in (("1atm", Fraction("1.01325")), ("14.7psi", Fraction("14.7") * PSI / 10 ** 5),
                      ("101.325kPa", Fraction("1.01325")), ("0.5MPa", Fraction(5)), ("3000Pa", Fraction("0.03"))):
        asked.append((text, bar))
    args = [props, "saturated-water"]
    for text, _ in asked:
        args += ["--pressure", text]
    res = subprocess.run(args + ["--format", "csv"], capture_output=True, text=True)
    report.runs += 1
    if res.returncode != 0:
        report.fail(f"pressures exited {res.returncode}: {res.stderr.strip()}")
        return
    got = [line.split(",")[0] for line in res.stdout.splitlines()[1:]]
    for (text, bar), g in zip(asked, got):
        report.cells += 1
        lo = max(i for i, (p, _) in enumerate(line) if p <= bar)
        hi = min(lo + 1, len(line) - 1)
        (plo, tlo), (phi, thi) = line[lo], line[hi]
        t = tlo if phi == plo else tlo + (bar - plo) / (phi - plo) * (thi - tlo)
        want = round(t * 100) / Fraction(100)  # half to even
        if Fraction(g) != want:
            report.fail(f"P = {text}: T_sat {g}, not {float(want)}")


def read_printed(path):
    """Each row's P as printed: {T: "0.00611"}."""
    with open(path, encoding="utf-8") as f:
        lines = [ln.strip() for ln in f if ln.strip() and not ln.startswith("#")]
    header = lines[0].split(",")
    t, p = header.index("T"), header.index("P")
    return {float(cells[t]): cells[p] for cells in (ln.split(",") for ln in lines[1:])}


def check_range_ends(props, fluid, report):
    """Each end is inside the range; the next double out is refused."""
    fid, grid = fluid[0], fluid[3]
    for x in (math.nextafter(min(grid), -math.inf), math.nextafter(max(grid), math.inf)):
        res = subprocess.run([props, fid, repr(x), "--format", "csv"], capture_output=True, text=True)
        report.runs += 1
        if res.returncode != 2 or res.stdout:
            report.fail(f"{fid} at {x!r}, outside the range: exit {res.returncode}, output {res.stdout[:80]!r}")


def main(argv):
    if len(argv) != 3:
        print("usage: reference.py DATA_DIR VANTOREL_PROPS", file=sys.stderr)
        return 1
    data_dir, props = argv[1], argv[2]
    if not os.path.isdir(data_dir):
        print(f"reference_check: no data folder at {data_dir}")
        return 1
    if not os.access(props, os.X_OK):
        print(f"reference_check: no program to check at {props}")
        return 1
    start = time.monotonic()
    fluids = build_fluids(data_dir)
    problems = check_examples(fluids)
    if problems:
        print("reference_check: the reference disagrees with the worked examples:")
        for p in problems:
            print("  " + p)
        return 1
    report = Report()
    for fluid in fluids:
        check_range_ends(props, fluid, report)
        check_json(props, fluid, report)
        check_units(props, fluid, report)
        if fluid[0] == "saturated-water":
            check_pressures(props, fluid + (data_dir,), report)
        for args, temps in sweeps_of(fluid):
            check_run(props, fluid, args, temps, report)
    elapsed = time.monotonic() - start
    summary = (f"{report.cells} cells in {report.rows} rows of {report.runs} runs over "
               f"{len(fluids)} fluids, {elapsed:.1f} s")
    if report.problems:
        print(f"reference_check: {len(report.problems)} disagreements; the first ones:")
        for p in report.problems[:15]:
            print("  " + p)
        print(f"reference_check: FAILED: {summary}")
        return 1
    print(f"reference_check: all agree: {summary}")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))

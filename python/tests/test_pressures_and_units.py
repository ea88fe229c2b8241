"""lookup() at a pressure and in other units: the wiring to the library.

The rules themselves (T_sat, the exact conversions) are the core's tests';
here each way in reaches them and each answer comes back whole. Expected
values are worked by hand from the book's rows or the exact factors.
"""

import pickle

import numpy as np
import pytest

import vantorel


class Refused:
    def __init__(self, error, match):
        self.error, self.match = error, match


def frame_units(r):
    pytest.importorskip("pandas")
    return r.to_pandas().attrs["units"]["rho"]


def dataset_units(r):
    pytest.importorskip("xarray")
    return r.to_xarray()["cp"].attrs["units"]


AT_2_BAR = 393.12  # 390 + (2 − 1.794)/(2.455 − 1.794) × (400 − 390) = 393.1165
US_310 = {"units": "us", "T": 310}  # air: ρ 1.1281 kg/m³ → 0.070425 lbm/ft³; c_p 1.007 kJ/(kg·K) → 0.2405 Btu/(lbm·°F)

# fluid, lookup()'s keywords, what is read from the result, what it must be
WIRING = [
    ("water", {"P": "2 bar"}, lambda r: r.T, AT_2_BAR),
    ("water", {"P": "0.2 MPa"}, lambda r: r.T, AT_2_BAR),
    ("water", {"P": 200, "pressure_unit": "kPa"}, lambda r: r.T, AT_2_BAR),
    ("water", {"P": "1 atm"}, lambda r: r.T, 373.15),
    ("water", {"P": "1.0133bar"}, lambda r: (r.T, r.saturation.rows), (373.15, ((373.15, 1.0133),))),
    ("water", {"P": "2 bar"}, lambda r: r.saturation[:4], (AT_2_BAR, 2.0, 2.0, "bar")),
    ("water", {"P": "2 bar"}, lambda r: r.saturation.rows, ((390.0, 1.794), (400.0, 2.455))),
    ("water", {"P": "2 bar"}, lambda r: r.saturation.working.endswith("= 393.1165 → 393.12 K"), True),
    ("water", {"P": "2 bar"}, lambda r: r == vantorel.lookup("water", AT_2_BAR), True),
    ("water", {"T": 300}, lambda r: r.saturation, None),
    ("water", {"P": np.array([["1 atm"], ["2 bar"]])}, lambda r: r.T, np.array([[373.15], [AT_2_BAR]])),
    ("water", {"P": [1, 2], "pressure_unit": "atm"}, lambda r: r.saturation.P, np.array([1.01325, 2.0265])),
    ("water", {"P": ["1 atm", "2 bar"]},
     lambda r: r.saturation.rows[1], np.array([[390.0, 1.794], [400.0, 2.455]])),
    ("water", {"P": ["2 bar", "1.0133 bar"]},
     lambda r: r.saturation.rows[1], np.array([[373.15, 1.0133], [373.15, 1.0133]])),
    ("water", {"P": ["2 bar", "300 bar"], "bounds_error": False}, lambda r: r.T, np.array([AT_2_BAR, np.nan])),
    ("water", {"P": ["2 bar", "2"], "bounds_error": False}, lambda r: r.saturation.working[1], ""),
    ("water", {"P": "2 bar", "units": "us"}, lambda r: (r.T, r.T_text, r.T_unit), (AT_2_BAR, "247.946", "°F")),
    ("air", US_310, lambda r: (r["rho"], r["cp"]), (0.070425, 0.2405)),
    ("air", US_310, lambda r: (r.text["rho"], r.units["rho"], r.units["cp"]), ("0.070425", "lbm/ft³", "Btu/(lbm·°F)")),
    ("air", {"units": "US", "T": [310, 310]}, lambda r: r["rho"], np.array([0.070425, 0.070425])),
    ("air", {"units": "us", "T": [310]}, lambda r: r.text["alpha"], np.array(["0.930"])),
    ("air", {"units": "engineering", "T": [310]}, lambda r: r.T_text, np.array(["36.85"])),
    ("air", {"units": "engineering", "T": 310}, lambda r: (r["mu"], r.units["mu"], r.T_text), (0.01893, "mPa·s", "36.85")),
    ("air", {"units": "book", "T": 310}, lambda r: (r["cp"], r.units["cp"], r.text["mu"]), (1.007, "kJ/kg·K", "189.3E-7")),
    ("air", {"units": "si", "T": 310}, lambda r: (r["cp"], r.units["cp"], r.text["mu"]), (1007.0, "J/(kg·K)", "1.893e-05")),
    ("air", {"T": 310}, lambda r: (r["cp"], r.units["cp"], r.text["mu"], r.T_unit), (1007.0, "J/(kg·K)", "189.3E-7", "K")),
    ("air", {"units": "us", "T": [310]}, frame_units, "lbm/ft³"),
    ("air", {"units": "engineering", "T": [310]}, dataset_units, "kJ/(kg·K)"),
    ("air", US_310, lambda r: pickle.loads(pickle.dumps(r)).text["rho"], "0.070425"),
    ("air", {"units": "us", "T": [310]}, lambda r: pickle.loads(pickle.dumps(r)).units["rho"], "lbm/ft³"),
    ("water", {"P": "1 atm"}, lambda r: pickle.loads(pickle.dumps(r)).saturation.unit, "atm"),
    ("water", {"P": ["1 atm"], "units": "si"}, lambda r: pickle.loads(pickle.dumps(r)).saturation.typed, np.array([1.0])),
    # Refused, in the library's words where it has them.
    ("water", {"P": "2"}, None, Refused(ValueError, '^P = "2" has no unit: give one')),
    ("water", {"P": 2}, None, Refused(ValueError, '^P = "2" has no unit')),
    ("water", {"P": "300 bar"}, None, Refused(ValueError, "is outside the range .* 0.00611 bar to 221.2 bar$")),
    ("water", {"P": "300 bar", "bounds_error": False}, lambda r: np.isnan(r.T) and r.saturation is None, True),
    ("air", {"P": "1 bar"}, None, Refused(ValueError, "^Air has no saturation pressure")),
    ("air", {"P": [], "bounds_error": False}, None, Refused(ValueError, "^Air has no saturation pressure")),
    ("water", {"P": ["2 bar", "abc"]}, None,
     Refused(ValueError, '^1 of 2 pressures cannot be looked up, at index 1: P = "abc" is not a pressure')),
    ("water", {"P": "2 bar", "pressure_unit": "bar"}, None, Refused(TypeError, "pressure_unit goes with numbers")),
    ("water", {"P": b"2 bar"}, None, Refused(TypeError, "^P must be")),
    ("water", {"P": "2 bar", "T": 300}, None, Refused(TypeError, "not both")),
    ("water", {"T": 300, "pressure_unit": "bar"}, None, Refused(TypeError, "goes with P")),
    ("air", {"T": 310, "units": "metric"}, None, Refused(ValueError, "^units must be 'book', 'si', 'engineering' or 'us'")),
    ("air", {"T": 310, "units": 1}, None, Refused(TypeError, "^units must be")),
]


@pytest.mark.parametrize("fluid, keywords, read, expected", WIRING)
def test_pressures_and_units_reach_the_library_and_come_back_whole(fluid, keywords, read, expected):
    if isinstance(expected, Refused):
        with pytest.raises(expected.error, match=expected.match):
            vantorel.lookup(fluid, **keywords)
        return
    got = read(vantorel.lookup(fluid, **keywords))
    if isinstance(expected, np.ndarray):
        assert isinstance(got, np.ndarray) and not got.flags.writeable
        np.testing.assert_array_equal(got, expected, strict=True)
    else:
        assert got == expected

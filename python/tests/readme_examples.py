"""The examples of python/README.md as a program: test_package.py runs it,
and type-checks it with mypy against the package's stubs."""

from decimal import Decimal

import numpy as np

import vantorel

air = vantorel.lookup("air", 310)
assert (air["mu"], air.text["mu"], air.units["mu"]) == (1.893e-05, "189.3E-7", "Pa·s")
assert air.source == ("A.4", (300.0, 350.0), False)
assert air.source_text == "Table A.4, between the rows at 300 K and 350 K"

r = vantorel.lookup("air", np.array([[300.0, 325.0], [350.0, 375.0]]))
k: np.ndarray = r["k"]
assert k.tolist() == [[0.0263, 0.0282], [0.03, 0.0319]]
assert r.text["k"].tolist() == [["26.3E-3", "28.2E-3"], ["30E-3", "31.9E-3"]]

mu: vantorel.Property = air.properties["mu"]
assert (mu.name, mu.book_unit, mu.si_unit) == ("dynamic viscosity", "N·s/m²", "Pa·s")
assert air.fluid.properties[:3] == ("rho", "cp", "mu")
assert air.fluid.property_info["k"].book_unit == "W/m·K"

# Any real number type is one temperature.
ones: list[vantorel.Reading] = [
    vantorel.lookup("air", np.float64(310)),
    vantorel.lookup("air", np.float32(310)),
    vantorel.lookup("air", np.int64(310)),
    vantorel.lookup("air", Decimal("310")),
    vantorel.lookup("air", 310),
]
assert all(one["mu"] == 1.893e-05 for one in ones)

many: vantorel.Readings = vantorel.lookup("air", [90, 310], bounds_error=False, threads=2)
assert np.isnan(many["mu"][0]) and many["mu"][1] == 1.893e-05

try:
    vantorel.lookup("air", [300, 90, 5000])
except ValueError as error:
    assert str(error).startswith("2 of 3 temperatures cannot be looked up, the first at index 1: T = 90 K")

w = vantorel.lookup("water", P="2 bar")
assert (w.T, w.text["hfg"]) == (393.12, "2203")
saturation = w.saturation
assert saturation is not None
assert (saturation.T, saturation.P, saturation.rows) == (393.12, 2.0, ((390.0, 1.794), (400.0, 2.455)))
assert saturation.working == ("P = 2 bar lies between the rows at 390 K (1.794 bar) and 400 K (2.455 bar)\n"
                              "T_sat = 390 + (2 − 1.794)/(2.455 − 1.794) × (400 − 390) = 393.1165 → 393.12 K")
assert vantorel.lookup("water", P="1 atm").T == vantorel.lookup("water", P="1.0133 bar").T == 373.15
kpa: vantorel.Reading = vantorel.lookup("water", P=200, pressure_unit="kPa")
assert kpa.T == 393.12
try:
    vantorel.lookup("water", P=2)
except ValueError as error:
    assert str(error) == 'P = "2" has no unit: give one, as in 2 bar, kPa, MPa, Pa, atm or psi'
several: vantorel.Readings = vantorel.lookup("water", P=["1 atm", "2 bar"])
assert several.T.tolist() == [373.15, 393.12]

us = vantorel.lookup("air", 310, units="us")
assert (us["rho"], us.units["rho"], us.text["alpha"]) == (0.070425, "lbm/ft³", "0.930")
assert (us.T, us.T_text, us.T_unit) == (310.0, "98.33", "°F")
assert vantorel.lookup("air", 310, units="book")["cp"] == 1.007

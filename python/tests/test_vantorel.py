"""import vantorel: what the binding adds to the library's checked call.

The values themselves are checked cell by cell by tests/reference; here are
the types, shapes, errors and threads of the Python side, with one value
of each kind (a number, infinite, none, a pure number).
"""

import ast
import inspect
import math
import pathlib
import threading
import time
from collections.abc import Mapping
from decimal import Decimal
from fractions import Fraction

import numpy as np
import pytest

import vantorel

GAS_KEYS = ["rho", "cp", "mu", "nu", "k", "alpha", "pr", "beta"]
WATER_KEYS = ["p", "vf", "vg", "hfg", "cpf", "cpg", "muf", "mug", "kf", "kg", "prf", "prg", "sigmaf", "betaf"]


def fluid_named(name):
    return vantorel.lookup(name, []).fluid


def same(a, b):
    """Equal as floats, NaN equal to NaN."""
    return (math.isnan(a) and math.isnan(b)) or a == b


# fluid, T, key, SI value, the window's text, SI unit: one of each state
EACH_STATE = [
    ("air", 310, "mu", 1.893e-05, "189.3E-7", "Pa·s"),
    ("saturated-water", 647.3, "cpf", math.inf, "INFINITE", "J/(kg·K)"),
    ("saturated-water", 430, "betaf", math.nan, "----", "1/K"),
    ("pbbi", 644, "pr", 0.0189, "0.0189", ""),
]


@pytest.mark.parametrize("fluid, T, key, si, text, unit", EACH_STATE)
def test_a_reading_gives_si_floats_with_the_windows_text_and_unit(fluid, T, key, si, text, unit):
    r = vantorel.lookup(fluid, T)
    assert type(r[key]) is float
    assert same(r[key], si)
    assert r.text[key] == text
    assert r.units[key] == unit


@pytest.mark.parametrize(
    "fluid, keys",
    [
        ("air", GAS_KEYS),
        ("saturated-water", WATER_KEYS),
        ("sodium", ["rho", "cp", "nu", "k", "alpha", "pr"]),
    ],
)
def test_the_keys_are_the_categorys_properties_in_the_windows_order(fluid, keys):
    r = vantorel.lookup(fluid, fluid_named(fluid).t_min)
    assert list(r) == keys
    assert list(r.keys()) == keys == list(r.text) == list(r.units)
    assert list(r.fluid.properties) == keys
    assert len(r) == len(keys)


def test_a_reading_is_a_read_only_mapping():
    r = vantorel.lookup("air", 310)
    assert isinstance(r, Mapping)
    assert dict(r) == {k: r[k] for k in GAS_KEYS} == r
    assert "mu" in r and "Mu" not in r and 3 not in r
    assert r.get("sigmaf") is None and r.get("sigmaf", 0.0) == 0.0
    assert list(r.values()) == [r[k] for k in GAS_KEYS]
    with pytest.raises(KeyError):
        r["Mu"]
    with pytest.raises(TypeError):
        r["mu"] = 1.0
    with pytest.raises(TypeError):
        r.text["mu"] = "1"
    with pytest.raises(AttributeError):
        r.T = 300


@pytest.mark.parametrize(
    "fluid, T, rows, corrected",
    [
        ("air", 310, (300.0, 350.0), False),
        ("air", 300, (300.0,), False),
        ("air", 1250, (1200.0, 1300.0), True),  # α at 1300 K is a corrected misprint
    ],
)
def test_the_source_names_the_table_and_rows(fluid, T, rows, corrected):
    source = vantorel.lookup(fluid, T).source
    assert source == (fluid_named(fluid).table, rows, corrected)
    assert source.rows == rows and source.corrected is corrected


def test_fluids_lists_each_fluid_once_and_each_one_looks_itself_up():
    fluids = vantorel.fluids()
    assert len({f.id for f in fluids}) == len(fluids) == 22
    air = fluids[0]
    assert (air.id, air.name, air.table, air.t_min, air.t_max) == ("air", "Air", "A.4", 100.0, 3000.0)
    assert air.category == "Gases at Atmoshperic Pressure"
    assert fluid_named("carbon-dioxide").aliases == ("co2",)
    for f in fluids:
        assert vantorel.lookup(f, f.t_min).fluid == f
    assert len(set(fluids)) == 22  # hashable, and equal only to itself


@pytest.mark.parametrize("name", ["Carbon Dioxide", "carbon_dioxide", "co2"])
def test_a_name_the_library_resolves_gives_that_fluids_reading(name):
    r = vantorel.lookup(name, 400)
    assert r.fluid.id == "carbon-dioxide"
    assert r == vantorel.lookup("carbon-dioxide", 400)


# ---------------------------------------------------------------------------
# Arrays.

SHAPES = [(), (5,), (2, 3), (0,), (3, 1, 2)]


@pytest.mark.parametrize("shape", SHAPES)
@pytest.mark.parametrize("fluid", ["air", "saturated-water", "bismuth"])
def test_an_array_gives_float64_arrays_of_its_shape_equal_to_single_readings(fluid, shape):
    f = fluid_named(fluid)
    T = np.linspace(f.t_min, f.t_max, math.prod(shape)).reshape(shape)
    r = vantorel.lookup(fluid, T)
    assert isinstance(r, vantorel.Readings) and isinstance(r, Mapping)
    assert list(r) == list(f.properties)
    for key, values in r.items():
        assert values.dtype == np.float64 and values.shape == shape
        assert values.flags.c_contiguous
        for t, v in zip(T.flat, values.flat):
            assert same(v, vantorel.lookup(fluid, float(t))[key]), (key, t)
    assert r.T.shape == shape
    assert r.text[next(iter(r))].shape == shape
    assert r.source.rows.shape == shape + (2,)
    assert r.source.corrected.shape == shape


@pytest.mark.parametrize(
    "fluid, T",
    [
        ("air", [[300.0, 310.0], [1250.0, 3000.0]]),
        ("saturated-water", [647.3, 430.0, 300.0]),  # "INFINITE", "----", both beside numbers
    ],
)
def test_array_texts_and_sources_are_the_single_readings(fluid, T):
    T = np.array(T)
    r = vantorel.lookup(fluid, T)
    ones = {index: vantorel.lookup(fluid, T[index]) for index in np.ndindex(T.shape)}
    for index, one in ones.items():
        for key in r:
            assert r.text[key][index] == one.text[key]
        rows = one.source.rows
        assert tuple(r.source.rows[index]) == (rows[0], rows[-1])
        assert r.source.corrected[index] == one.source.corrected
    for key in r:  # each str array as wide as its widest text, no wider
        assert r.text[key].dtype == np.dtype(f"U{max(len(one.text[key]) for one in ones.values())}")
    assert r.source.table == fluid_named(fluid).table


@pytest.mark.parametrize(
    "T",
    [
        [300, 310],
        (300, 310),
        np.array([300, 310], dtype=np.int32),
        np.array([300, 310], dtype=np.float32),
        np.array([[300, 0], [310, 0]]).T[0],  # not contiguous
        [Decimal("300"), Fraction(310)],
    ],
)
def test_any_real_array_like_is_read_as_kelvin(T):
    assert list(vantorel.lookup("air", T)["mu"]) == [1.846e-05, 1.893e-05]


@pytest.mark.parametrize(
    "T", [310, 310.0, np.float64(310), np.int64(310), np.float32(310), np.uint16(310), Decimal("310"), Fraction(310)]
)
def test_a_number_of_any_kind_gives_a_single_reading(T):
    r = vantorel.lookup("air", T)
    assert isinstance(r, vantorel.Reading)
    assert r["mu"] == 1.893e-05 and r.T == 310.0


def test_the_result_keeps_its_own_copy_of_the_temperatures():
    T = np.array([300.0, 310.0])
    r = vantorel.lookup("air", T)
    T[:] = 1000.0
    assert list(r.T) == [300.0, 310.0]
    assert list(r.text["mu"]) == ["184.6E-7", "189.3E-7"]
    with pytest.raises(ValueError):
        r.T[0] = 5.0


# ---------------------------------------------------------------------------
# Errors.


@pytest.mark.parametrize(
    "name, closest",
    [
        ("helum", ("helium",)),
        ("nak", ("nak-45", "nak-22")),
        ("", ()),
        ("a" + "ä" * 30, ("air", "ammonia")),
    ],
)
def test_an_unknown_fluid_raises_a_key_error_naming_the_closest_ids(name, closest):
    with pytest.raises(vantorel.UnknownFluidError) as caught:
        vantorel.lookup(name, 300)
    error = caught.value
    assert isinstance(error, KeyError) and isinstance(error, LookupError)
    assert error.name == name and error.closest == closest
    # The library's sentence as it is, not KeyError's quoted repr of it.
    assert str(error) == error.args[0] and not str(error).startswith(("'", '"'))
    assert all(id in str(error) for id in closest)
    with pytest.raises(vantorel.UnknownFluidError):
        vantorel.lookup(name, [300, 310])


def test_an_unknown_fluid_says_so_in_the_librarys_words():
    with pytest.raises(vantorel.UnknownFluidError, match='^unknown fluid "helum"; closest: helium$'):
        vantorel.lookup("helum", 300)


AIR_RANGE = "is outside the range of Air, 100K <= T <= 3000K"


# An array says how many it refuses and which comes first, in the library's
# words for that one.
@pytest.mark.parametrize(
    "T, message",
    [
        (5000, f"T = 5000 K {AIR_RANGE}"),
        (np.array(5000.0), f"T = 5000 K {AIR_RANGE}"),
        ([300, 310, 5000, 7000],
         f"2 of 4 temperatures cannot be looked up, the first at index 2: T = 5000 K {AIR_RANGE}"),
        ([[300, 90], [310, 300]], f"1 of 4 temperatures cannot be looked up, at index (0, 1): T = 90 K {AIR_RANGE}"),
        ([300, math.nan], "1 of 2 temperatures cannot be looked up, at index 1: "
                          "T = NaN K is not a finite temperature of Air, 100K <= T <= 3000K"),
    ],
)
def test_a_temperature_it_cannot_look_up_raises_a_value_error_that_says_which(T, message):
    with pytest.raises(ValueError) as caught:
        vantorel.lookup("air", T)
    assert str(caught.value) == message


def test_without_bounds_errors_such_temperatures_give_nan_and_no_text():
    r = vantorel.lookup("air", [50, 310, math.nan, 3000], bounds_error=False)
    mu = r["mu"]
    assert math.isnan(mu[0]) and mu[1] == 1.893e-05 and math.isnan(mu[2]) and mu[3] > 0
    assert list(r.text["mu"]) == ["", "189.3E-7", "", vantorel.lookup("air", 3000).text["mu"]]
    assert np.isnan(r.source.rows[0]).all() and not r.source.corrected[0]
    one = vantorel.lookup("air", 50, bounds_error=False)
    assert all(math.isnan(v) for v in one.values())
    assert set(one.text.values()) == {""}
    assert one.source.rows == () and one.T == 50.0


@pytest.mark.parametrize(
    "fluid, T",
    [
        ("air", "310"),
        ("air", b"310"),
        ("air", [300, "x"]),
        ("air", np.array([310 + 0j])),
        ("air", 310 + 0j),
        ("air", np.complex128(310)),
        ("air", np.array([True])),
        ("air", True),
        ("air", np.bool_(True)),
        ("air", np.array([300, "310"], dtype=object)),  # NumPy would read "310" as a number
        ("air", np.array([300, True], dtype=object)),
        ("air", None),
        (42, 310),
        (None, 310),
        (b"air", 310),
    ],
)
def test_what_is_no_fluid_name_or_no_temperature_raises_a_type_error(fluid, T):
    with pytest.raises(TypeError):
        vantorel.lookup(fluid, T)


# ---------------------------------------------------------------------------
# Threads.


def test_a_large_array_split_over_threads_reports_its_first_refused_temperature():
    T = np.linspace(100, 3000, 400_000)
    T[[150_000, 390_000, 250_000]] = [5000.0, 90.0, 4000.0]
    first = "^3 of 400000 temperatures cannot be looked up, the first at index 150000: T = 5000 K is outside"
    with pytest.raises(ValueError, match=first):
        vantorel.lookup("air", T)
    r = vantorel.lookup("air", T, bounds_error=False)
    refused = np.isnan(r["rho"])
    assert list(np.flatnonzero(refused)) == [150_000, 250_000, 390_000]
    text = r.text["k"]
    assert text[150_000] == text[390_000] == ""
    for i in [0, 99_999, 100_000, 199_999, 200_000, 300_000, 399_999]:
        one = vantorel.lookup("air", T[i])
        assert r["k"][i] == one["k"] and text[i] == one.text["k"]


def test_other_threads_run_while_an_array_is_looked_up():
    # Enough temperatures for about a quarter of a second, in a fast build
    # or a sanitizer's slow one.
    sample = np.linspace(273.15, 647.3, 100_000)
    start = time.perf_counter()
    vantorel.lookup("saturated-water", sample)
    n = int(np.clip(0.25 / (time.perf_counter() - start) * len(sample), 200_000, 3_000_000))
    T = np.linspace(273.15, 647.3, n)
    span = []
    ticks = []

    def work():
        start = time.perf_counter()
        vantorel.lookup("saturated-water", T)
        span.extend([start, time.perf_counter()])

    worker = threading.Thread(target=work)
    worker.start()
    while worker.is_alive():
        ticks.append(time.perf_counter())
    worker.join()
    start, end = span
    # Held through the loop, which is most of the call, the GIL would stop
    # this thread for that long; released, it ticks all along.
    during = [start] + [t for t in ticks if start < t < end] + [end]
    assert max(b - a for a, b in zip(during, during[1:])) < 0.4 * (end - start)


# ---------------------------------------------------------------------------
# What editors and help() read.


def test_help_shows_the_signature_and_every_option():
    assert str(inspect.signature(vantorel.lookup)) == (
        "(fluid, T=None, *, P=None, units=None, pressure_unit=None, bounds_error=True, threads=None)")
    for word in ("bounds_error", "threads", "VANTOREL_NUM_THREADS", "UnknownFluidError", "ValueError", ".text",
                 ".units", ".properties", ".source", "to_pandas", "GIL", "pint", "pressure_unit", ".saturation",
                 '"engineering"', '"us"', ".T_text"):
        assert word in vantorel.lookup.__doc__
    assert str(inspect.signature(vantorel.fluids)) == "()"


def test_the_stubs_declare_what_the_module_has():
    package = pathlib.Path(vantorel.__file__).parent
    assert (package / "py.typed").exists()
    stubs = ast.parse((package / "_vantorel.pyi").read_text())
    declared = {node.name for node in stubs.body if isinstance(node, (ast.ClassDef, ast.FunctionDef))}
    assert {name for name in declared if not name.startswith("_")} == set(vantorel.__all__)
    try:
        vantorel.lookup("helum", 300)
    except vantorel.UnknownFluidError as error:
        unknown = error
    runtime = {"UnknownFluidError": unknown}  # its attributes belong to each error
    for node in stubs.body:
        if isinstance(node, ast.ClassDef) and not node.name.startswith("_"):
            members = {n.name for n in node.body if isinstance(n, ast.FunctionDef) and not n.name.startswith("_")}
            members |= {n.target.id for n in node.body if isinstance(n, ast.AnnAssign)}
            assert members <= set(dir(runtime.get(node.name, getattr(vantorel, node.name)))), node.name

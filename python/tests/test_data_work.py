"""What data work needs of a result: what each property is, equality,
pickling and other processes, pandas and xarray tables, pint quantities."""

import math
import pickle
import subprocess
import sys
from concurrent.futures import ProcessPoolExecutor
from multiprocessing import get_context

import numpy as np
import pytest

import vantorel

# key, fluid, Property as the library describes it
PROPERTIES = [
    ("mu", "air", ("mu", "Mu", "dynamic viscosity", "μ", "N·s/m²", "Pa·s")),
    ("cpf", "saturated-water", ("cpf", "Cpf", "specific heat of the liquid", "c_p,f", "kJ/kg·K", "J/(kg·K)")),
    ("pr", "mercury", ("pr", "Pr", "Prandtl number", "Pr", "", "")),
]


@pytest.mark.parametrize("key, fluid, described", PROPERTIES)
def test_each_property_says_what_it_is_from_the_fluid_and_from_a_reading(key, fluid, described):
    f = vantorel.lookup(fluid, []).fluid
    assert tuple(f.property_info[key]) == described
    assert f.property_info[key].si_unit == vantorel.lookup(fluid, f.t_min).units[key]
    for r in (vantorel.lookup(fluid, f.t_min), vantorel.lookup(fluid, [f.t_min])):
        assert r.properties == f.property_info
        assert list(r.properties) == list(r) == list(f.properties)
    assert "book_unit=" in repr(f.property_info[key]) and "SI base unit" in vantorel.Property.__doc__


# ---------------------------------------------------------------------------
# Equality and pickling.

RESULTS = [
    ("air", 310),
    ("air", 50),  # outside the range, kept with bounds_error=False: all NaN
    ("saturated-water", 430),  # one value NaN, as the book has none
    ("saturated-water", [300, 430, 647.3, 5000]),
    ("air", [[300, 310], [320, 330]]),
    ("air", np.array(310.0)),
]


@pytest.mark.parametrize("fluid, T", RESULTS)
def test_a_result_pickles_as_the_look_up_that_makes_it(fluid, T):
    r = vantorel.lookup(fluid, T, bounds_error=False)
    copy = pickle.loads(pickle.dumps(r))
    assert type(copy) is type(r) and copy == r and r == copy
    assert copy.fluid is r.fluid
    assert np.array_equal(copy.T, r.T, equal_nan=True)
    assert len(pickle.dumps(r)) < 300 + np.asarray(T, dtype=float).nbytes  # T, not the values


@pytest.mark.parametrize(
    "a, b",
    [
        (("air", 310), ("air", 311)),
        (("air", [310, 320]), ("air", [310, 321])),
        (("air", [310, 320]), ("air", [[310, 320]])),  # same values, other shape
        (("air", 300), ("nitrogen", 300)),  # other keys' values
        (("air", [300]), ("air", 300)),  # arrays and floats are not alike
    ],
)
def test_results_differ_when_a_value_or_shape_differs(a, b):
    ra, rb = vantorel.lookup(*a), vantorel.lookup(*b)
    assert ra != rb and rb != ra


def test_results_equal_plain_mappings_of_the_same_values():
    r = vantorel.lookup("saturated-water", [430.0, 300.0])
    assert r == {key: np.array(values) for key, values in r.items()}
    assert r != {key: values for key, values in list(r.items())[1:]}
    one = vantorel.lookup("saturated-water", 430)
    assert math.isnan(one["betaf"]) and one == dict(one)


def test_a_fluid_pickles_as_itself():
    for fluid in vantorel.fluids():
        assert pickle.loads(pickle.dumps(fluid)) is fluid


@pytest.mark.parametrize("method", ["fork", "spawn", "forkserver"])
def test_the_functions_run_in_a_process_pool(method):
    with ProcessPoolExecutor(1, mp_context=get_context(method)) as pool:
        assert pool.submit(vantorel.lookup, "air", 310).result()["mu"] == 1.893e-05
        T = np.linspace(300, 400, 7)
        assert pool.submit(vantorel.lookup, "air", T).result() == vantorel.lookup("air", T)
        assert pool.submit(vantorel.fluids).result() == vantorel.fluids()


# ---------------------------------------------------------------------------
# pandas and xarray.


def test_importing_the_module_imports_neither_pandas_nor_xarray():
    code = ("import sys, vantorel; vantorel.lookup('air', [300]); "
            "print('pandas' in sys.modules, 'xarray' in sys.modules)")
    assert subprocess.run([sys.executable, "-c", code], capture_output=True, text=True).stdout == "False False\n"


def frames_of(T):
    r = vantorel.lookup("saturated-water", T, bounds_error=False)
    return r, r.to_pandas()


@pytest.mark.parametrize(
    "T, index",
    [
        ([300.0, 430.0, 647.3], [300.0, 430.0, 647.3]),
        ([[300.0, 430.0], [500.0, 647.3]], [300.0, 430.0, 500.0, 647.3]),  # C order
        (350.0, [350.0]),
        (5000.0, [5000.0]),
    ],
)
def test_to_pandas_is_one_row_per_temperature_indexed_by_t(T, index):
    pd = pytest.importorskip("pandas")
    r, df = frames_of(T)
    assert df.index.name == "T" and list(df.index) == index
    assert list(df.columns) == list(r)
    for key in r:
        assert np.array_equal(df[key].to_numpy(), np.ravel(r[key]), equal_nan=True)
    assert df.attrs["units"] == dict(r.units) and df.attrs["units"]["hfg"] == "J/kg"
    assert df.attrs["fluid"] == "saturated-water"
    assert isinstance(df, pd.DataFrame)


def test_a_series_as_t_gives_its_index_to_the_frame_and_keeps_it_in_a_pickle():
    pd = pytest.importorskip("pandas")
    when = pd.date_range("2024-01-01", periods=3, freq="H", name="time")
    series = pd.Series([300.0, 310.0, 320.0], index=when)
    r = vantorel.lookup("air", series)
    assert isinstance(r["mu"], np.ndarray) and r["mu"][1] == 1.893e-05
    assert r.to_pandas().index.equals(when)
    assert pickle.loads(pickle.dumps(r)).to_pandas().index.equals(when)
    frame = pd.DataFrame({"T": series}).join(r.to_pandas())
    assert frame.loc[when[1], "mu"] == 1.893e-05


@pytest.mark.parametrize("name, expected", [(None, "T"), ("kelvin", "kelvin")])
def test_an_index_as_t_is_the_frames_index(name, expected):
    pd = pytest.importorskip("pandas")
    index = pd.Index([300, 310], name=name)
    r = vantorel.lookup("air", index)
    for frame in (r.to_pandas(), pickle.loads(pickle.dumps(r)).to_pandas()):
        assert frame.index.name == expected and list(frame.index) == [300, 310]


@pytest.mark.parametrize(
    "T, dims",
    [([300.0, 310.0], ("T",)), ([[300.0], [310.0]], ("dim_0", "dim_1")), (310.0, ())],
)
def test_to_xarray_gives_each_property_its_units_and_name(T, dims):
    pytest.importorskip("xarray")
    r = vantorel.lookup("air", T)
    ds = r.to_xarray()
    assert list(ds.data_vars) == list(r)
    for key in r:
        assert ds[key].dims == dims and np.array_equal(ds[key].values, r[key])
        assert ds[key].attrs == {"units": r.units[key], "long_name": r.properties[key].name}
    assert np.array_equal(ds["T"].values, r.T) and ds["T"].attrs["units"] == "K"


def test_a_series_as_t_is_the_datasets_dimension():
    pd = pytest.importorskip("pandas")
    pytest.importorskip("xarray")
    series = pd.Series([300.0, 310.0], index=pd.Index(["a", "b"], name="sample"))
    ds = vantorel.lookup("air", series).to_xarray()
    assert ds["mu"].dims == ("sample",) and list(ds["sample"].values) == ["a", "b"]
    assert list(ds["T"].values) == [300.0, 310.0]


# ---------------------------------------------------------------------------
# pint.

# Debian's pint reads its unit files through a deprecated importlib call.
ignoring_pints_own_warning = pytest.mark.filterwarnings("ignore:path is deprecated:DeprecationWarning")


@ignoring_pints_own_warning
@pytest.mark.parametrize(
    "value, unit, kelvin",
    [(310, "kelvin", 310), (36.85, "degC", 310), ([300, 310], "K", [300, 310])],
)
def test_a_pint_quantity_is_converted_to_kelvin(value, unit, kelvin):
    pint = pytest.importorskip("pint")
    q = pint.UnitRegistry().Quantity(value, unit)
    r = vantorel.lookup("air", q)
    assert np.allclose(r.T, kelvin, rtol=0, atol=1e-9)
    assert r == vantorel.lookup("air", r.T)


@ignoring_pints_own_warning
def test_a_pint_quantity_that_is_no_temperature_is_refused():
    pint = pytest.importorskip("pint")
    with pytest.raises(TypeError, match="not a quantity in meter"):
        vantorel.lookup("air", pint.UnitRegistry().Quantity(310, "meter"))

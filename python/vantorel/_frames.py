"""Readings as tables: pandas DataFrames and xarray Datasets.

Each library is imported when first asked for, so neither is needed to
import vantorel. Units stay as the readings give them (.units): the SI base
unit as text, "Pa·s", "J/(kg·K)", or the unit of the system asked for,
"lbm/ft³", and "" for a pure number.
"""

import numpy as np


def _flat(a):
    return np.asarray(a).reshape(-1)


def _index(r):
    """The pandas index T came with and whether it was T itself; (None, False)."""
    return getattr(r, "_index", None), getattr(r, "_index_is_t", False)


def to_pandas(self):
    """The properties as a pandas DataFrame: one row per temperature, one column
    per property key, in the units of the reading (SI base units unless others
    were asked for).

    The index is T in kelvin, named "T". When T was a pandas Series, the index
    is the Series' own (so the frame lines up with the Series' frame); when T
    was a pandas Index, it is that Index ("T" when it has no name). An array of
    more than one axis gives its temperatures in C order; a single reading
    gives one row. df.attrs["units"] maps each key to its unit (as .units:
    "Pa·s", "lbm/ft³", "" for a pure number); df.attrs["fluid"] is the fluid's
    id.
    """
    import pandas as pd  # type: ignore[import]  # optional, and untyped in some versions

    index, index_is_t = _index(self)
    if index is None:
        index = pd.Index(_flat(self.T), name="T")
    elif index_is_t and index.name is None:
        index = index.rename("T")
    frame = pd.DataFrame({key: _flat(values) for key, values in self.items()}, index=index)
    frame.attrs["units"] = dict(self.units)
    frame.attrs["fluid"] = self.fluid.id
    return frame


def to_xarray(self):
    """The properties as an xarray Dataset: one variable per property key, each
    with attrs "units" (its unit, as .units) and "long_name" (its name),
    and the temperature as coordinate "T" in kelvin.

    One axis of temperatures is the dimension "T". When T was a pandas Series,
    the dimension is the Series' index (named as the index is, else "index")
    and T a coordinate along it. More axes keep their shape, on dimensions
    dim_0, dim_1, ..., with T a coordinate over them; a single reading gives
    scalar variables.
    """
    import xarray as xr  # type: ignore[import]

    T = np.asarray(self.T)
    index, index_is_t = _index(self)
    t_attrs = {"units": "K", "long_name": "temperature"}
    if T.ndim == 1 and (index is None or index_is_t):
        dims = ("T",)
        coords = {"T": ("T", T, t_attrs)}
    elif T.ndim == 1:
        dims = (index.name if index.name is not None else "index",)
        coords = {dims[0]: index, "T": (dims, T, t_attrs)}
    else:
        dims = tuple(f"dim_{axis}" for axis in range(T.ndim))
        coords = {"T": (dims, T, t_attrs)}
    variables = {
        key: (dims, np.asarray(values), {"units": self.units[key], "long_name": self.properties[key].name})
        for key, values in self.items()
    }
    dataset = xr.Dataset(variables, coords=coords)
    dataset.attrs["fluid"] = self.fluid.id
    return dataset

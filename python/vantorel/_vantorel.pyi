from collections.abc import Iterator, Mapping, Sequence
from decimal import Decimal
from fractions import Fraction
from typing import Any, Literal, NamedTuple, Protocol, Union, overload

import numpy as np
from numpy.typing import NDArray

__version__: str

# One temperature in kelvin: a real number. str is none, so a type checker
# refuses lookup("air", "310") as the module does.
_Kelvin = Union[float, int, np.floating[Any], np.integer[Any], Decimal, Fraction]

class _ArrayOfKelvin(Protocol):
    # What NumPy reads as an array and has a length (so no NumPy scalar): a
    # pandas Series or Index, an xarray DataArray.
    def __array__(self) -> NDArray[Any]: ...
    def __len__(self) -> int: ...

class _Quantity(Protocol):
    # A pint Quantity, converted to kelvin by pint.
    @property
    def magnitude(self) -> Any: ...
    def to(self, other: Any = ..., *contexts: Any, **ctx_kwargs: Any) -> Any: ...

# Many temperatures: an array, or (nested) sequences of numbers.
_ManyKelvin = Union[
    NDArray[np.floating[Any]],
    NDArray[np.integer[Any]],
    _ArrayOfKelvin,
    Sequence[_Kelvin],
    Sequence[Sequence[_Kelvin]],
    Sequence[Sequence[Sequence[_Kelvin]]],
]

# A pressure with its unit ("2 bar"), or a number with pressure_unit.
_Pressure = Union[str, float, int, np.floating[Any], np.integer[Any]]

# Many pressures: an array or list of texts, or of numbers with pressure_unit.
# No bare Sequence: a str is one, and one pressure gives a Reading.
_ManyPressures = Union[
    NDArray[np.str_],
    NDArray[np.floating[Any]],
    NDArray[np.integer[Any]],
    _ArrayOfKelvin,
    list[str],
    list[float],
    list[int],
    tuple[str, ...],
    tuple[float, ...],
]

# The systems of units values are given in; None: SI values with the window's texts.
_Units = Literal["book", "si", "engineering", "us"]

class UnknownFluidError(KeyError):
    """No fluid has the name asked for, or it fits more than one."""

    name: str
    closest: tuple[str, ...]

class Property(NamedTuple):
    """What a property is: key ('mu'), id ('Mu'), name, symbol, book unit, SI unit."""

    key: str
    id: str
    name: str
    symbol: str
    book_unit: str
    si_unit: str

class Fluid:
    """A fluid of the tables, as fluids() lists it."""

    @property
    def id(self) -> str: ...
    @property
    def name(self) -> str: ...
    @property
    def category(self) -> str: ...
    @property
    def table(self) -> str: ...
    @property
    def t_min(self) -> float: ...
    @property
    def t_max(self) -> float: ...
    @property
    def aliases(self) -> tuple[str, ...]: ...
    @property
    def properties(self) -> tuple[str, ...]: ...
    @property
    def property_info(self) -> Mapping[str, Property]: ...
    def __eq__(self, other: object) -> bool: ...
    def __hash__(self) -> int: ...

class Source(NamedTuple):
    """The book's table, the rows interpolated between, and whether a corrected cell took part.

    For one temperature rows is a tuple of 0 to 2 floats and corrected a bool; for an
    array of temperatures rows has T's shape plus an axis of 2 and corrected T's shape.
    """

    table: str
    rows: tuple[float, ...] | NDArray[np.float64]
    corrected: bool | NDArray[np.bool_]

class Saturation(NamedTuple):
    """How the saturation temperature of a pressure was found in Table A.6.

    For one pressure: T_sat in kelvin, P in bar, the pressure as given (typed, unit),
    the rows as (T, P) pairs (one at a row's own pressure) and the working. For an
    array of pressures each field is an array of its shape, rows with two more axes
    of 2 (lower, upper; T, P).
    """

    T: float | NDArray[np.float64]
    P: float | NDArray[np.float64]
    typed: float | NDArray[np.float64]
    unit: str | NDArray[np.str_]
    rows: tuple[tuple[float, float], ...] | NDArray[np.float64]
    working: str | NDArray[np.str_]

class Reading(Mapping[str, float]):
    """One fluid at one temperature: property key -> value in SI base units or the units asked for."""

    def __getitem__(self, key: str) -> float: ...
    def __len__(self) -> int: ...
    def __iter__(self) -> Iterator[str]: ...
    @property
    def fluid(self) -> Fluid: ...
    @property
    def T(self) -> float: ...
    @property
    def T_text(self) -> str: ...
    @property
    def T_unit(self) -> str: ...
    @property
    def saturation(self) -> Saturation | None: ...
    @property
    def text(self) -> Mapping[str, str]: ...
    @property
    def units(self) -> Mapping[str, str]: ...
    @property
    def properties(self) -> Mapping[str, Property]: ...
    @property
    def source(self) -> Source: ...
    @property
    def source_text(self) -> str: ...
    # pandas.DataFrame and xarray.Dataset: both libraries are optional.
    def to_pandas(self) -> Any: ...
    def to_xarray(self) -> Any: ...

class Readings(Mapping[str, NDArray[np.float64]]):
    """One fluid at an array of temperatures: property key -> float64 array shaped like T."""

    def __getitem__(self, key: str) -> NDArray[np.float64]: ...
    def __len__(self) -> int: ...
    def __iter__(self) -> Iterator[str]: ...
    @property
    def fluid(self) -> Fluid: ...
    @property
    def T(self) -> NDArray[np.float64]: ...
    @property
    def T_text(self) -> NDArray[np.str_]: ...
    @property
    def T_unit(self) -> str: ...
    @property
    def saturation(self) -> Saturation | None: ...
    @property
    def text(self) -> Mapping[str, NDArray[np.str_]]: ...
    @property
    def units(self) -> Mapping[str, str]: ...
    @property
    def properties(self) -> Mapping[str, Property]: ...
    @property
    def source(self) -> Source: ...
    def to_pandas(self) -> Any: ...
    def to_xarray(self) -> Any: ...

def fluids() -> list[Fluid]:
    """Every fluid that lookup() knows, in the calculator's list order."""

# A number gives a Reading, anything else array-like (even a 0-d array) Readings;
# so does P, for saturated water, in place of T.
@overload
def lookup(
    fluid: str | Fluid,
    T: _Kelvin,
    *,
    units: _Units | None = None,
    bounds_error: bool = True,
    threads: int | None = None,
) -> Reading:
    """The properties of `fluid` at `T` kelvin, in SI base units (see help(vantorel.lookup))."""

@overload
def lookup(
    fluid: str | Fluid,
    T: _ManyKelvin,
    *,
    units: _Units | None = None,
    bounds_error: bool = True,
    threads: int | None = None,
) -> Readings: ...
@overload
def lookup(
    fluid: str | Fluid,
    T: _Quantity,
    *,
    units: _Units | None = None,
    bounds_error: bool = True,
    threads: int | None = None,
) -> Reading | Readings: ...
@overload
def lookup(
    fluid: str | Fluid,
    T: None = None,
    *,
    P: _Pressure,
    units: _Units | None = None,
    pressure_unit: str | None = None,
    bounds_error: bool = True,
    threads: int | None = None,
) -> Reading: ...
@overload
def lookup(
    fluid: str | Fluid,
    T: None = None,
    *,
    P: _ManyPressures,
    units: _Units | None = None,
    pressure_unit: str | None = None,
    bounds_error: bool = True,
    threads: int | None = None,
) -> Readings: ...

from collections.abc import Iterator, Mapping, Sequence
from decimal import Decimal
from fractions import Fraction
from typing import Any, NamedTuple, Protocol, Union, overload

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

class Reading(Mapping[str, float]):
    """One fluid at one temperature: property key -> value in SI base units."""

    def __getitem__(self, key: str) -> float: ...
    def __len__(self) -> int: ...
    def __iter__(self) -> Iterator[str]: ...
    @property
    def fluid(self) -> Fluid: ...
    @property
    def T(self) -> float: ...
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

# A number gives a Reading, anything else array-like (even a 0-d array) Readings.
@overload
def lookup(fluid: str | Fluid, T: _Kelvin, *, bounds_error: bool = True, threads: int | None = None) -> Reading:
    """The properties of `fluid` at `T` kelvin, in SI base units (see help(vantorel.lookup))."""

@overload
def lookup(
    fluid: str | Fluid, T: _ManyKelvin, *, bounds_error: bool = True, threads: int | None = None
) -> Readings: ...
@overload
def lookup(
    fluid: str | Fluid, T: _Quantity, *, bounds_error: bool = True, threads: int | None = None
) -> Reading | Readings: ...

from collections.abc import Iterator, Mapping, Sequence
from typing import Any, NamedTuple, overload

import numpy as np
from numpy.typing import ArrayLike, NDArray

__version__: str

class UnknownFluidError(KeyError):
    """No fluid has the name asked for, or it fits more than one."""

    name: str
    closest: tuple[str, ...]

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
    """One fluid at one temperature: property id -> value in SI base units."""

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
    def source(self) -> Source: ...

class Readings(Mapping[str, NDArray[np.float64]]):
    """One fluid at an array of temperatures: property id -> float64 array shaped like T."""

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
    def source(self) -> Source: ...

def fluids() -> list[Fluid]:
    """Every fluid that lookup() knows, in the calculator's list order."""

# A number gives a Reading, anything else array-like (even a 0-d array) Readings.
@overload
def lookup(fluid: str | Fluid, T: float, *, bounds_error: bool = True) -> Reading:
    """The properties of `fluid` at `T` kelvin, in SI base units (see help(vantorel.lookup))."""

@overload
def lookup(fluid: str | Fluid, T: NDArray[Any] | Sequence[ArrayLike], *, bounds_error: bool = True) -> Readings: ...

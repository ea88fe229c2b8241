"""The heat-transfer tables A.4 to A.7 as one checked look-up.

    >>> import vantorel
    >>> air = vantorel.lookup("air", 310)
    >>> air["mu"], air.text["mu"], air.units["mu"]
    (1.893e-05, '189.3E-7', 'Pa·s')

fluids() lists what can be looked up; lookup() gives one fluid's properties
at one temperature or at a whole array of them (saturated water also at a
pressure, P="2 bar"), in SI base units or in the units asked for
(units="engineering", "us"), with their texts, sources and what each
property is (.properties), and as a pandas or xarray table (.to_pandas(),
.to_xarray()).
"""

from collections.abc import Mapping as _Mapping

from . import _frames
from ._vantorel import (
    Fluid,
    Property,
    Reading,
    Readings,
    Saturation,
    Source,
    UnknownFluidError,
    __version__,
    fluids,
    lookup,
)

__all__ = [
    "Fluid", "Property", "Reading", "Readings", "Saturation", "Source", "UnknownFluidError", "fluids", "lookup",
]

# Both results are read-only mappings; the extension gives them the methods.
_Mapping.register(Reading)
_Mapping.register(Readings)

# The tables are the optional libraries' business, written in Python.
for _result in (Reading, Readings):
    setattr(_result, "to_pandas", _frames.to_pandas)
    setattr(_result, "to_xarray", _frames.to_xarray)
del _result

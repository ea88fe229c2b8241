"""The heat-transfer tables A.4 to A.7 as one checked look-up.

    >>> import vantorel
    >>> air = vantorel.lookup("air", 310)
    >>> air["mu"], air.text["mu"], air.units["mu"]
    (1.893e-05, '189.3E-7', 'Pa·s')

fluids() lists what can be looked up; lookup() gives one fluid's properties
at one temperature or at a whole array of them, in SI base units.
"""

from collections.abc import Mapping as _Mapping

from ._vantorel import (
    Fluid,
    Reading,
    Readings,
    Source,
    UnknownFluidError,
    __version__,
    fluids,
    lookup,
)

__all__ = ["Fluid", "Reading", "Readings", "Source", "UnknownFluidError", "fluids", "lookup"]

# Both results are read-only mappings; the extension gives them the methods.
_Mapping.register(Reading)
_Mapping.register(Readings)

"""python3 -m vantorel FLUID T [T ...]: the properties as vantorel-props prints them.

Each temperature is kelvin (310, 3.1e2, "310 K") or degrees with their unit
(36.85C, "98.33 °F"); saturated water may be given --pressure instead, and
--units chooses the units. Every input is checked before anything is
written; a refusal is one line on stderr and exit status 2.
"""

import sys

from . import _vantorel

USAGE = """usage: python3 -m vantorel FLUID T [T ...] [--units SYSTEM]
       python3 -m vantorel FLUID --pressure P [--units SYSTEM]

The properties of FLUID (an id, a name such as co2 or water, or the
calculator's list text) at each temperature T: kelvin (310), or degrees with
their unit (36.85C, "98.33 °F"), one block per temperature, as vantorel-props
prints them.

  --pressure P    saturated water at the pressure P with its unit (2bar,
                  "101.325 kPa", 1atm, 29psi): the properties at its
                  saturation temperature
  --units SYSTEM  book (the book's units, the default), si, engineering
                  (°C beside K, kPa, kJ/(kg·K), mPa·s, ...) or us (°F, psia,
                  lbm/ft³, Btu/(lbm·°F), ...)
"""

TITLES = ("property", "symbol", "value", "unit")


def _padded(text, width):
    # Every symbol and unit takes one terminal column per code point.
    return text + " " * (width - len(text))


def _heading(reading):
    """"Air at T = 310 K", with T in the units' own unit before kelvin
    ("T = 36.85 °C (310 K)"), or at a pressure "Saturated Water at P = 2 bar:
    T_sat = 393.12 K", as vantorel-props writes them."""
    kelvin = f"{_vantorel._number_text(reading.T)} K"
    t = kelvin if reading.T_unit == "K" else f"{reading.T_text} {reading.T_unit} ({kelvin})"
    saturation = reading.saturation
    if saturation is None:
        return f"{reading.fluid.name} at T = {t}"
    pressure = f"{_vantorel._number_text(saturation.typed)} {saturation.unit}"
    return f"{reading.fluid.name} at P = {pressure}: T_sat = {t}"


def _block(reading):
    """One temperature's block: the heading, its source, then a line per property."""
    name = reading.fluid.name
    info = list(reading.properties.values())
    name_width = max(len(TITLES[0]), *(len(p.name) for p in info)) + 2
    symbol_width = max(len(TITLES[1]), *(len(p.symbol) for p in info)) + 2
    texts = [reading.text[p.key] for p in info]
    text_width = max(len(TITLES[2]), *(len(t) for t in texts)) + 2
    lines = [_heading(reading), f"  source: {name}, {reading.source_text}"]
    units = [reading.units[p.key] for p in info]
    for property_, symbol, text, unit in [TITLES] + [(p.name, p.symbol, t, u) for p, t, u in zip(info, texts, units)]:
        start = "  " + _padded(property_, name_width) + _padded(symbol, symbol_width)
        lines.append(start + (text if not unit else _padded(text, text_width) + unit))
    return "\n".join(lines) + "\n"


OPTIONS = ("--units", "--pressure")


def _parsed(args):
    """The fluid, the temperatures, the pressures and the units of the command
    line. An option takes its value as the next argument or after "="; any
    other argument is the fluid or a temperature, so -40C is one."""
    given = {option: [] for option in OPTIONS}
    positional = []
    i = 0
    while i < len(args):
        option, equals, value = args[i].partition("=")
        if option not in given:
            positional.append(args[i])
        elif equals:
            given[option].append(value)
        elif i + 1 < len(args):
            i += 1
            given[option].append(args[i])
        else:
            raise ValueError(f"{option} needs a value")
        i += 1
    if len(given["--units"]) > 1:
        raise ValueError("--units is given more than once")
    if not positional:
        raise ValueError("no fluid given: FLUID T [T ...]")
    units = given["--units"][0] if given["--units"] else "book"
    return positional[0], positional[1:], given["--pressure"], units


def _readings(args):
    fluid, temperatures, pressures, units = _parsed(args)
    if pressures and temperatures:
        raise ValueError("give either temperatures or --pressure, not both")
    if pressures:
        return [_vantorel.lookup(fluid, P=p, units=units) for p in pressures]
    if not temperatures:
        raise ValueError("no temperature given: FLUID T [T ...]")
    return [_vantorel._lookup_text(fluid, t, units) for t in temperatures]


def main(argv=None):
    args = sys.argv[1:] if argv is None else argv
    if not args or args[0] in ("-h", "--help"):
        sys.stdout.write(USAGE)
        return 0 if args else 2
    try:
        readings = _readings(args)
    except (ValueError, _vantorel.UnknownFluidError) as refusal:
        print(f"python3 -m vantorel: {refusal}", file=sys.stderr)
        return 2
    sys.stdout.write("\n".join(_block(r) for r in readings))
    return 0


if __name__ == "__main__":
    sys.exit(main())

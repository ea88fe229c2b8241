"""python3 -m vantorel FLUID T [T ...]: the properties as vantorel-props prints them.

Each temperature is kelvin (310, 3.1e2, "310 K") or degrees with their unit
(36.85C, "98.33 °F"). Every temperature is checked before anything is
written; a refusal is one line on stderr and exit status 2.
"""

import sys

from . import _vantorel

USAGE = """usage: python3 -m vantorel FLUID T [T ...]

The properties of FLUID (an id, a name such as co2 or water, or the
calculator's list text) at each temperature T: kelvin (310), or degrees with
their unit (36.85C, "98.33 °F"), one block per temperature, as vantorel-props
prints them.
"""

TITLES = ("property", "symbol", "value", "unit")


def _padded(text, width):
    # Every symbol and unit takes one terminal column per code point.
    return text + " " * (width - len(text))


def _block(reading):
    """One temperature's block: the heading, its source, then a line per property."""
    name = reading.fluid.name
    info = list(reading.properties.values())
    name_width = max(len(TITLES[0]), *(len(p.name) for p in info)) + 2
    symbol_width = max(len(TITLES[1]), *(len(p.symbol) for p in info)) + 2
    texts = [reading.text[p.key] for p in info]
    text_width = max(len(TITLES[2]), *(len(t) for t in texts)) + 2
    lines = [
        f"{name} at T = {_vantorel._number_text(reading.T)} K",
        f"  source: {name}, {reading.source_text}",
    ]
    for property_, symbol, text, unit in [TITLES] + [(p.name, p.symbol, t, p.book_unit) for p, t in zip(info, texts)]:
        start = "  " + _padded(property_, name_width) + _padded(symbol, symbol_width)
        lines.append(start + (text if not unit else _padded(text, text_width) + unit))
    return "\n".join(lines) + "\n"


def main(argv=None):
    args = sys.argv[1:] if argv is None else argv
    if not args or args[0] in ("-h", "--help"):
        sys.stdout.write(USAGE)
        return 0 if args else 2
    fluid, temperatures = args[0], args[1:]
    try:
        if not temperatures:
            raise ValueError("no temperature given: FLUID T [T ...]")
        readings = [_vantorel._lookup_text(fluid, t) for t in temperatures]
    except (ValueError, _vantorel.UnknownFluidError) as refusal:
        print(f"python3 -m vantorel: {refusal}", file=sys.stderr)
        return 2
    sys.stdout.write("\n".join(_block(r) for r in readings))
    return 0


if __name__ == "__main__":
    sys.exit(main())

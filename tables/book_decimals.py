#!/usr/bin/python3
"""Writes tables/BookDecimals.h from data/: for every cell of every fluid's
table, the number of decimals the book prints it with ("0.9950" has 4, "331"
none), so that the working of a look-up shows the cells as printed.

    tables/book_decimals.py [DATA_DIR [OUTPUT]]

Run it again after changing a cell in data/; the tests compare the header
with the data files cell by cell.
"""

import os
import sys

# Each table of the code, in the order its rows are laid out there.
TABLES = [
    ("kAir", ["gases/air.csv"]), ("kAmmonia", ["gases/ammonia.csv"]),
    ("kCarbonDioxide", ["gases/carbon_dioxide.csv"]), ("kCarbonMonoxide", ["gases/carbon_monoxide.csv"]),
    ("kHelium", ["gases/helium.csv"]), ("kHydrogen", ["gases/hydrogen.csv"]),
    ("kNitrogen", ["gases/nitrogen.csv"]), ("kOxygen", ["gases/oxygen.csv"]),
    ("kSteam", ["gases/water_vapor.csv"]),
    ("kEngineOil", ["liquids/engine_oil.csv"]), ("kEthyleneGlycol", ["liquids/ethylene_glycol.csv"]),
    ("kGlycerin", ["liquids/glycerin.csv"]), ("kFreon", ["liquids/freon12.csv"]),
    ("kMercury", ["liquids/mercury.csv"]),
    # The two segment rows first, then the look-up rows, as mdlWater lays them out.
    ("kSaturatedWater", ["water/critical_segment_rows.csv", "water/saturated_water.csv"]),
    ("kBismuth", ["metals/bismuth.csv"]), ("kLead", ["metals/lead.csv"]),
    ("kPotassium", ["metals/potassium.csv"]), ("kSodium", ["metals/sodium.csv"]),
    ("kNaK45", ["metals/nak45.csv"]), ("kNaK22", ["metals/nak22.csv"]), ("kPbBi", ["metals/pbbi.csv"]),
]


def decimals(cell):
    return len(cell) - cell.index(".") - 1 if "." in cell else 0


def rows(path):
    header = None
    with open(path, encoding="utf-8") as f:
        for line in f:
            line = line.strip()
            if not line or line.startswith("#"):
                continue
            cells = line.split(",")
            if header is None:
                header = cells
                continue
            yield cells[0], [decimals(c) for c in cells[1:]]


def main(argv):
    here = os.path.dirname(os.path.abspath(__file__))
    data = argv[1] if len(argv) > 1 else os.path.join(here, "..", "data")
    out = argv[2] if len(argv) > 2 else os.path.join(here, "BookDecimals.h")
    lines = [
        "#pragma once",
        "// The decimals the book prints each cell with, row by row in the order of",
        "// the tables in the code (without the temperature). Written by",
        "// tables/book_decimals.py from data/; run it again after changing a cell.",
        "",
        "#include <cstdint>",
        "",
        "namespace vantorel::book_decimals {",
        "",
        "// clang-format off",
    ]
    for name, files in TABLES:
        lines.append(f"inline constexpr std::uint8_t {name}[] = {{")
        for file in files:
            for t, counts in rows(os.path.join(data, file)):
                lines.append("    " + ", ".join(str(c) for c in counts) + f",  // {t}")
        lines.append("};")
    lines += ["// clang-format on", "", "}  // namespace vantorel::book_decimals", ""]
    with open(out, "w", encoding="utf-8") as f:
        f.write("\n".join(lines))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))

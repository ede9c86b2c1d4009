#!/usr/bin/env python3
"""Generates the crop library Korvel ships, and the built-in default yield tables of the custom-crop editor.

    python3 tools/make_crops.py           write the files below (run from anywhere)
    python3 tools/make_crops.py --check   exit 1 when a written file differs from what the script makes

Writes, relative to the repository root:
    data/crops/NN-<name>.txt                  one crop file per crop (library order = file-name order)
    data/crops/soils/<lower-case name>.txt    the Ulysses, Valent and Valentine soil records of each crop
    model/DefaultYieldTables.h / .cpp         the same tables as C++ text for the custom-crop editor

Plain Python 3, standard library only; not needed to build Korvel (its output is committed).
The model, its coefficients and their sources are described in data/README.md.
"""
import sys
from decimal import Decimal, ROUND_HALF_UP
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
RAIN = list(range(11, 22))          # annual rainfall columns, inches
CRLF = "\r\n"

# ---------------------------------------------------------------------------------------------------------------
# The published rows every table must hold exactly: dryland (0 inches of net irrigation) and full irrigation (the
# last row), and for corn also the 1-inch row. Rainfall 11 to 21 inches, left to right.
CROPS = [
    # name, file, units, last irrigation row, decimals, telling rows {row: values}, editor units entry
    dict(name="Corn", file="01-corn.txt", units="bu.,bushels", last=24, decimals=1, entry="bushels/acre",
         rows={0: [0, 0, 0, 0, 0, 0, 0, 11.1, 25.6, 39.9, 54],
               1: [0, 0, 0, 0, 0.4, 12.4, 24.8, 37.4, 50.1, 62.8, 75.4],
               24: [203.8, 205.4, 206.8, 208, 209.1, 210, 210.8, 211.5, 212.2, 212.7, 213.3]}),
    dict(name="Grain Sorghum", file="02-grain-sorghum.txt", units="bu.,bushels", last=20, decimals=1,
         entry="bushels/acre",
         rows={0: [0, 0, 4.9, 13.5, 22.5, 31.7, 41, 50.2, 58.3, 68.1, 76.6],
               20: [150, 151.6, 152.9, 154.1, 155, 155.8, 156.5, 157.1, 157.6, 158.1, 158.5]}),
    dict(name="Wheat", file="03-wheat.txt", units="bu.,bushels", last=22, decimals=1, entry="bushels/acre",
         rows={0: [0, 0, 0, 2.2, 7.6, 13, 18.4, 23.8, 29, 34.2, 39.2],
               22: [73.5, 74, 74.5, 74.9, 75.3, 75.6, 75.8, 76.1, 76.3, 76.5, 76.7]}),
    dict(name="Sunflower", file="04-sunflower.txt", units="lb,pounds", last=22, decimals=0, entry="pounds/acre",
         rows={0: [41, 176, 316, 461, 613, 770, 932, 1097, 1263, 1428, 1591],
               22: [3311, 3344, 3371, 3394, 3414, 3431, 3445, 3458, 3469, 3478, 3486]},
         # the one published exception to "never falls with more water": at 20 and 21 inches of rain the
         # 21-inch row lies 1 pound above the 22-inch row
         cells={(21, 20): 3479, (21, 21): 3487}),
    dict(name="Alfalfa", file="05-alfalfa.txt", units="ton,tons", last=22, decimals=3, entry="tons/acre",
         rows={0: [1.391, 1.616, 1.854, 2.105, 2.368, 2.643, 2.93, 3.227, 3.535, 3.853, 4.181],
               22: [8.677, 8.977, 9.229, 9.43, 9.585, 9.707, 9.804, 9.883, 9.95, 10.006, 10.055]}),
    dict(name="Soybeans", file="06-soybeans.txt", units="bu.,bushels", last=22, decimals=2, entry="bushels/acre",
         rows={0: [0, 0, 0, 0, 1.69, 5.11, 8.63, 12.24, 15.92, 19.65, 23.41],
               22: [66.71, 67.32, 67.84, 68.28, 68.66, 68.98, 69.25, 69.48, 69.68, 69.86, 70.01]}),
]
# Smallest and largest value of every table, published with the tables.
EXTREMES = {"Corn": (0, 213.3), "Grain Sorghum": (0, 158.5), "Wheat": (0, 76.7), "Sunflower": (41, 3487),
            "Alfalfa": (1.391, 10.055), "Soybeans": (0, 70.01)}
# Order of the custom-crop editor's default-crop list.
EDITOR_ORDER = ["Corn", "Alfalfa", "Grain Sorghum", "Soybeans", "Sunflower", "Wheat"]

# Soils: plant-available water capacity (inches of water per foot of soil) and the share of a dryland crop's
# seasonal water that comes from water stored in the root zone at planting.
SOILS = [("Ulysses", "silt loam", 2.2), ("Valent", "fine sand", 0.8), ("Valentine", "loamy sand", 1.1)]
REFERENCE_AWC = 2.2
STORED_SHARE = 0.5
SOIL_FADE_EXPONENT = 2
RELATIVE_DECIMALS = 4


def rounded(x, decimals):
    return Decimal(repr(float(x))).quantize(Decimal(1).scaleb(-decimals), rounding=ROUND_HALF_UP)


def text(d):
    """Shortest decimal text of a Decimal: 54, 0.4, 1.391."""
    s = format(d, "f")
    if "." in s:
        s = s.rstrip("0").rstrip(".")
    return "0" if s in ("", "-0") else s


def threshold_rain(row):
    """The annual rainfall at which a row's yield starts, extrapolated back along its first rising step;
    None when the row yields at the lowest rainfall already."""
    for j, v in enumerate(row):
        if v > 0:
            if j == 0:
                return None
            return RAIN[j] - v / (row[j + 1] - v)
    raise ValueError("a row without any yield")


# Coefficients fitted to the corn rows (see data/README.md):
#   RAIN_PER_INCH: one inch of net irrigation moves corn's zero-yield threshold by this many inches of rain;
#   SHAPE: the exponent of the response curve, least squares on corn's published 1-inch row.
_corn = CROPS[0]["rows"]
RAIN_PER_INCH = threshold_rain(_corn[0]) - threshold_rain(_corn[1])
EFFECTIVE_RAIN_FRACTION = 1.0 / RAIN_PER_INCH


def response(i, j, dry, full, last, thr, shape):
    """Yield at i inches of net irrigation and rainfall column j: the dryland yield plus the share
    1 - (1 - x)^shape of the full-irrigation gain, x being the share of the irrigation range past the water
    that first lifts a dry year over the zero-yield threshold."""
    lag = EFFECTIVE_RAIN_FRACTION * max(0.0, thr - RAIN[j]) if thr is not None else 0.0
    x = max(0.0, i - lag) / (last - lag)
    return dry[j] + (full[j] - dry[j]) * (1.0 - (1.0 - x) ** shape)


def fit_shape():
    dry, one, full = _corn[0], _corn[1], _corn[24]
    thr = threshold_rain(dry)
    best = None
    for k in range(100, 801):          # shapes 1.00 to 8.00 in steps of 0.01
        shape = k / 100
        err = sum((response(1, j, dry, full, 24, thr, shape) - one[j]) ** 2 for j in range(len(RAIN)))
        if best is None or err < best[0]:
            best = (err, shape)
    return best[1], (best[0] / len(RAIN)) ** 0.5


SHAPE, SHAPE_RMS = fit_shape()


def crop_table(crop):
    last, rows, dec = crop["last"], crop["rows"], crop["decimals"]
    dry, full = rows[0], rows[last]
    thr = threshold_rain(dry)
    table = []
    for i in range(last + 1):
        if i in rows:
            table.append([Decimal(repr(float(v))) for v in rows[i]])
        else:
            table.append([rounded(response(i, j, dry, full, last, thr, SHAPE), dec) for j in range(len(RAIN))])
    for (i, rain), v in crop.get("cells", {}).items():
        table[i][RAIN.index(rain)] = Decimal(repr(float(v)))
    return table


def soil_tables(crop, table, awc):
    """Yield and relative yield of one soil: the silt-loam yields less the share of a dry year's water the
    soil cannot store, a shortfall that fades out as irrigation approaches the full amount. Relative yields
    are fractions of the largest yield of the crop's table."""
    last, dec = crop["last"], crop["decimals"]
    penalty = STORED_SHARE * (1.0 - awc / REFERENCE_AWC)
    top = float(max(v for row in table for v in row))
    yields, relative = [], []
    for i in range(last + 1):
        f = 1.0 - penalty * (1.0 - i / last) ** SOIL_FADE_EXPONENT
        exact = [float(v) * f for v in table[i]]
        yields.append(list(table[i]) if penalty == 0 else [rounded(v, dec) for v in exact])
        relative.append([rounded(v / top, RELATIVE_DECIMALS) for v in exact])
    return yields, relative


def check_table(name, table, exceptions=()):
    """Never falls along a row (more rain) or down a column (more irrigation), except at the listed cells."""
    for i, row in enumerate(table):
        for j in range(1, len(row)):
            assert row[j] >= row[j - 1], f"{name}: falls along row {i} at {RAIN[j]} in."
        if i:
            for j, v in enumerate(row):
                if (i, RAIN[j]) not in exceptions:
                    assert v >= table[i - 1][j], f"{name}: falls at {i} in. of irrigation, {RAIN[j]} in. of rain"


def joined(values):
    return ",".join(values)


def flat(table):
    return [text(v) for row in table for v in row]


def crop_file(crop, table):
    return CRLF.join([
        "CROP=" + crop["name"], "",
        "UNITS=" + crop["units"], "",
        "ANNUAL_RAIN=" + joined(str(r) for r in RAIN), "",
        "EFF_IRRIG=" + joined(str(i) for i in range(crop["last"] + 1)), "",
        "YIELD_VALUES=" + joined(flat(table)),
    ]) + CRLF


def soil_file(crop, table):
    lines = []
    for soil, _, awc in SOILS:
        yields, relative = soil_tables(crop, table, awc)
        exceptions = {(crop["last"], rain) for (_, rain) in crop.get("cells", {})}
        check_table(f"{crop['name']} on {soil}", yields, exceptions)
        check_table(f"{crop['name']} on {soil}, relative", relative, exceptions)
        assert all(0 <= v <= 1 for row in relative for v in row)
        lines += ["SOIL=" + soil,
                  "ANNUAL_RAIN=" + joined(str(r) for r in RAIN),
                  "EFF_IRRIG=" + joined(str(i) for i in range(crop["last"] + 1)),
                  "YIELD_VALUES=" + joined(flat(yields)),
                  "RELATIVE_VALUES=" + joined(flat(relative))]
    return CRLF.join(lines) + CRLF


HEADER = """\
// Generated by tools/make_crops.py from the same model as data/crops; do not edit by hand.
#pragma once
// The built-in default yield tables that the custom-crop editor offers ("Load Default Crop Values"): the
// yield tables of the six library crops, rainfall 11 to 21 inches, net irrigation 0 to the crop's last row.
#include <string_view>
#include <vector>

namespace korvel {

struct DefaultYieldTable {
    std::string_view name;       // "Corn", "Grain Sorghum", ...
    int lowestRain;              // 11 (inches)
    int highestRain;             // 21 (inches)
    int maxIrrigation;           // the last net irrigation row (inches): 24, 20 or 22
    std::string_view unitsEntry; // the units list entry: "bushels/acre", "pounds/acre" or "tons/acre"
    std::string_view values;     // comma-separated decimals, no blanks, row by row from 0 inches, rainfall fastest
};

// The six tables, in the order of the default-crop list: Corn, Alfalfa, Grain Sorghum, Soybeans, Sunflower, Wheat.
const std::vector<DefaultYieldTable>& defaultYieldTables();

// The table whose crop name equals name, both compared in lower case; nullptr when none does.
const DefaultYieldTable* findDefaultYieldTable(std::string_view name);

} // namespace korvel
"""


def cpp_source(tables):
    out = ["// Generated by tools/make_crops.py from the same model as data/crops; do not edit by hand.",
           '#include "model/DefaultYieldTables.h"', "", "#include <string>", "", '#include "model/Numbers.h"', "",
           "namespace korvel {", "", "const std::vector<DefaultYieldTable>& defaultYieldTables()", "{",
           "    static const std::vector<DefaultYieldTable> tables = {"]
    for name in EDITOR_ORDER:
        crop = next(c for c in CROPS if c["name"] == name)
        table = tables[name]
        out.append(f'        {{"{name}", {RAIN[0]}, {RAIN[-1]}, {crop["last"]}, "{crop["entry"]}",')
        rows = [joined(text(v) for v in row) for row in table]
        for k, row in enumerate(rows):
            sep = "," if k + 1 < len(rows) else ""
            out.append(f'         "{row}{sep}"' + ("}," if k + 1 == len(rows) else ""))
    out += ["    };", "    return tables;", "}", "",
            "const DefaultYieldTable* findDefaultYieldTable(std::string_view name)", "{",
            "    const std::string wanted = num::lowerCase(name);",
            "    for (const DefaultYieldTable& t : defaultYieldTables())", "        if (num::lowerCase(t.name) == wanted)", "            return &t;", "    return nullptr;", "}", "",
            "} // namespace korvel", ""]
    return "\n".join(out)


def build():
    files = {}
    tables = {}
    for crop in CROPS:
        table = crop_table(crop)
        name, last = crop["name"], crop["last"]
        for i, row in crop["rows"].items():
            assert [float(v) for v in table[i]] == [float(v) for v in row], f"{name}: row {i}"
        exceptions = {(last, r) for (_, r) in crop.get("cells", {})}
        check_table(name, table, exceptions)
        values = [float(v) for row in table for v in row]
        assert len(values) == (last + 1) * len(RAIN)
        assert (min(values), max(values)) == EXTREMES[name], f"{name}: extremes {min(values)}, {max(values)}"
        tables[name] = table
        files[f"data/crops/{crop['file']}"] = crop_file(crop, table)
        files[f"data/crops/soils/{name.lower()}.txt"] = soil_file(crop, table)
    files["model/DefaultYieldTables.h"] = HEADER
    files["model/DefaultYieldTables.cpp"] = cpp_source(tables)
    return files


def main(argv):
    check = "--check" in argv
    stale = []
    for rel, content in build().items():
        path = ROOT / rel
        data = content.encode("utf-8")
        if check:
            if not path.exists() or path.read_bytes() != data:
                stale.append(rel)
        else:
            path.parent.mkdir(parents=True, exist_ok=True)
            path.write_bytes(data)
    print(f"shape {SHAPE} (rms {SHAPE_RMS:.2f} on corn's 1-inch row), "
          f"effective rain fraction {EFFECTIVE_RAIN_FRACTION:.4f}")
    if stale:
        print("out of date: " + ", ".join(stale))
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))

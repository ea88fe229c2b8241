"""μ and k of air over its whole range, with the book's rows marked.

    PYTHONPATH=build/python python3 examples/python/plot_air.py docs/python-air.png
"""

import sys

import matplotlib

matplotlib.use("Agg")  # a file, no screen
import matplotlib.pyplot as plt
import numpy as np

import vantorel

air = vantorel.lookup("air", []).fluid
T = np.linspace(air.t_min, air.t_max, 3000)
between = vantorel.lookup(air, T)
rows = np.unique(between.source.rows)  # every row some T lies on or between
at_rows = vantorel.lookup(air, rows)

figure, axes = plt.subplots(2, 1, sharex=True, figsize=(7, 6), layout="constrained")
for ax, key, label, scale in [
    (axes[0], "mu", "dynamic viscosity μ (10⁻⁷ Pa·s)", 1e7),
    (axes[1], "k", "thermal conductivity k (10⁻³ W/(m·K))", 1e3),
]:
    ax.plot(T, between[key] * scale, lw=1.2, label="vantorel.lookup")
    ax.plot(rows, at_rows[key] * scale, "o", ms=3.5, label=f"rows of Table {air.table}")
    ax.set_ylabel(label)
    ax.grid(alpha=0.3)
axes[0].legend()
axes[0].set_title(f"{air.name} at atmospheric pressure, {air.t_min:g} K to {air.t_max:g} K")
axes[1].set_xlabel("T (K)")
figure.savefig(sys.argv[1] if len(sys.argv) > 1 else "python-air.png", dpi=110)

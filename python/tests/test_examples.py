"""The Python examples the README quotes, at a size for a test."""

import pathlib
import re
import subprocess
import sys

import numpy as np
import pytest

import vantorel

EXAMPLES = pathlib.Path(__file__).resolve().parents[2] / "examples" / "python"


@pytest.mark.parametrize("scheduler", ["threads", "processes"])
def test_the_dask_sweep_gives_the_mean_viscosity_of_air_over_its_chunks(scheduler):
    pytest.importorskip("dask.array", reason="python3-dask is not installed")
    size = 1_200_000  # two chunks, the last a short one
    run = subprocess.run([sys.executable, str(EXAMPLES / "dask_sweep.py"), str(size), scheduler],
                         capture_output=True, text=True)
    assert run.returncode == 0, run.stderr
    mean = float(re.search(r"over 1,200,000 temperatures: (\S+) Pa·s", run.stdout).group(1))
    air = vantorel.lookup("air", []).fluid
    whole = vantorel.lookup(air, np.linspace(air.t_min, air.t_max, size))["mu"]
    assert mean == pytest.approx(whole.mean(), rel=1e-12)

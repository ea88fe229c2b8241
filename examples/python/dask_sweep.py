"""The mean dynamic viscosity of air over its range, from a chunked Dask
array of temperatures: each chunk is one vantorel.lookup, in parallel.

    PYTHONPATH=build/python python3 examples/python/dask_sweep.py [SIZE] [SCHEDULER]

SIZE is the number of temperatures (default 100,000,000), evenly spaced over
air's range, in chunks of 1,000,000. SCHEDULER is "threads" (the default:
lookup releases the GIL, so threads run at once), "processes", or the address
of a Dask scheduler ("tcp://scheduler:8786"), whose workers need vantorel
installed. The same graph runs on each.
"""

import sys
import time

import dask
import dask.array as da
import numpy as np

import vantorel

CHUNK = 1_000_000


def viscosity(T):
    # One thread per chunk: Dask already keeps every core busy.
    return vantorel.lookup("air", T, threads=1)["mu"]


def mean_viscosity(size, scheduler="threads"):
    """The mean μ of air (Pa·s) over `size` temperatures spanning its range."""
    air = vantorel.lookup("air", []).fluid
    T = da.linspace(air.t_min, air.t_max, size, chunks=min(CHUNK, size))
    mu = T.map_blocks(viscosity, dtype=np.float64)
    if scheduler in ("threads", "processes", "synchronous"):
        with dask.config.set(scheduler=scheduler):
            return float(mu.mean().compute())
    from dask.distributed import Client  # a cluster: python3-distributed

    with Client(scheduler) as client:
        return float(client.compute(mu.mean()).result())


if __name__ == "__main__":
    size = int(float(sys.argv[1])) if len(sys.argv) > 1 else 100_000_000
    scheduler = sys.argv[2] if len(sys.argv) > 2 else "threads"
    start = time.perf_counter()
    mean = mean_viscosity(size, scheduler)
    seconds = time.perf_counter() - start
    print(f"mean μ of air over {size:,} temperatures: {mean!r} Pa·s")
    print(f"{seconds:.2f} s with the {scheduler} scheduler: {size / seconds / 1e6:.1f} million temperatures/s")

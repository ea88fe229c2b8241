"""Large arrays: texts and sources like single readings, threads, Ctrl-C,
memory, and what each property's array is."""

import gc
import math
import os
import signal
import threading
import time
import tracemalloc
import weakref

import numpy as np
import pytest

import vantorel

FLUIDS = vantorel.fluids()


def temperatures_of(fluid):
    """A fine sweep (neighbours share their rounded values), then random ones
    across the range (values met far from where they were first seen), a few
    outside it, and each row end."""
    rng = np.random.default_rng(7)
    sweep = np.linspace(fluid.t_min, fluid.t_max, 3001)
    scattered = rng.uniform(fluid.t_min, fluid.t_max, 1000)
    outside = [fluid.t_min - 1, fluid.t_max + 1, math.nan]
    return np.concatenate([sweep, scattered, outside, [fluid.t_min, fluid.t_max]])


@pytest.mark.parametrize("fluid", FLUIDS, ids=[f.id for f in FLUIDS])
def test_array_texts_and_sources_are_each_temperatures_own(fluid):
    T = temperatures_of(fluid)
    r = vantorel.lookup(fluid, T, bounds_error=False)
    texts, source = r.text, r.source
    for i, t in enumerate(T):
        one = vantorel.lookup(fluid, t, bounds_error=False)
        assert {key: texts[key][i] for key in r} == dict(one.text), t
        rows = one.source.rows
        expected = (rows[0], rows[-1]) if rows else (math.nan, math.nan)
        assert np.array_equal(source.rows[i], expected, equal_nan=True), t
        assert source.corrected[i] == one.source.corrected, t


def test_a_text_wider_than_any_before_widens_its_array():
    # Most temperatures show short texts; the few wider ones sit at indices
    # a sample of every n/4096-th would miss.
    widths = {t: len(vantorel.lookup("air", t).text["mu"]) for t in np.arange(100.0, 3000.0, 1.0)}
    narrow = min(widths, key=widths.get)
    wide = max(widths, key=widths.get)
    assert widths[wide] > widths[narrow]
    T = np.full(50_001, narrow)
    T[[1, 7, 49_999]] = wide
    r = vantorel.lookup("air", T)
    for key, texts in r.text.items():
        expected = {t: vantorel.lookup("air", t).text[key] for t in (narrow, wide)}
        assert texts.dtype == np.dtype(f"U{max(len(text) for text in expected.values())}"), key
        assert list(texts[:8]) == [expected[t] for t in T[:8]], key
        assert texts[49_999] == expected[wide] and texts[-1] == expected[narrow], key


@pytest.fixture(scope="module")
def on_one_thread():
    T = np.random.default_rng(3).uniform(273.15, 647.3, 300_000)
    return vantorel.lookup("saturated-water", T, threads=1)


@pytest.mark.parametrize("threads", [2, 3, 8])
def test_any_number_of_threads_gives_the_same_results(on_one_thread, threads):
    one = on_one_thread
    r = vantorel.lookup("saturated-water", one.T, threads=threads)
    assert r == one
    for key in r:
        assert np.array_equal(r.text[key], one.text[key])
    assert np.array_equal(r.source.rows, one.source.rows) and np.array_equal(r.source.corrected, one.source.corrected)


@pytest.mark.parametrize(
    "threads, env, error",
    [(0, "", ValueError), (-2, "", ValueError), (1.5, "", TypeError), ("2", "", TypeError), (True, "", TypeError),
     (None, "many", ValueError), (None, "0", ValueError)],
)
def test_threads_must_be_a_whole_number_from_one(monkeypatch, threads, env, error):
    monkeypatch.setenv("VANTOREL_NUM_THREADS", env)
    with pytest.raises(error, match="VANTOREL_NUM_THREADS" if env else "threads"):
        vantorel.lookup("air", [300, 310], threads=threads)


# The environment first, then the processors this thread may run on (one,
# as under `taskset -c 0`, or all it had).
@pytest.mark.skipif(not hasattr(os, "sched_setaffinity"), reason="no CPU affinity here")
@pytest.mark.parametrize(
    "env, one_processor, expected",
    [("", False, len(os.sched_getaffinity(0)) if hasattr(os, "sched_getaffinity") else 0), ("", True, 1),
     ("3", True, 3), ("1", False, 1)],
)
def test_the_default_threads_follow_the_environment_then_the_cpu_affinity(monkeypatch, env, one_processor, expected):
    monkeypatch.setenv("VANTOREL_NUM_THREADS", env)
    allowed = os.sched_getaffinity(0)
    if one_processor:
        os.sched_setaffinity(0, {min(allowed)})
    try:
        assert vantorel._vantorel._default_threads() == expected
    finally:
        os.sched_setaffinity(0, allowed)


def test_ctrl_c_stops_a_long_look_up_within_half_a_second():
    # Source rows of scattered temperatures on one thread: the slowest work,
    # sized for about two seconds.
    T = np.random.default_rng(5).uniform(100, 3000, 100_000)
    r = vantorel.lookup("air", T, threads=1)
    start = time.perf_counter()
    r.source
    n = int(np.clip(2.0 / (time.perf_counter() - start) * len(T), 200_000, 20_000_000))
    r = vantorel.lookup("air", np.resize(T, n), threads=1)
    sent = []

    def interrupt():
        sent.append(time.perf_counter())
        os.kill(os.getpid(), signal.SIGINT)

    timer = threading.Timer(0.2, interrupt)
    timer.start()
    with pytest.raises(KeyboardInterrupt):
        r.source
    stopped = time.perf_counter()
    timer.join()
    assert stopped - sent[0] < 0.5


@pytest.mark.parametrize("order", ["sweep", "scattered"])
def test_texts_take_no_memory_beyond_their_arrays(order):
    T = np.linspace(273.15, 647.3, 200_000)
    if order == "scattered":
        np.random.default_rng(2).shuffle(T)
    r = vantorel.lookup("saturated-water", T)
    tracemalloc.start()
    try:
        texts = r.text
        _, peak = tracemalloc.get_traced_memory()
    finally:
        tracemalloc.stop()
    # A text wider than its array's sample showed widens that array: for a
    # moment the narrow one is there too.
    arrays = sum(a.nbytes for a in texts.values())
    assert peak < arrays + max(a.nbytes for a in texts.values()) + 100_000


def test_each_property_is_an_array_of_its_own_that_outlives_the_rest():
    r = vantorel.lookup("air", np.linspace(300, 400, 10))
    for key, values in r.items():
        assert not values.flags.writeable and not r.text[key].flags.writeable, key
        assert values.base is None or not isinstance(values.base, np.ndarray), key
    with pytest.raises(ValueError):
        r["mu"][0] = 1.0
    del values
    mu = r["mu"]
    others = [weakref.ref(r[key]) for key in r if key != "mu"]
    del r
    gc.collect()
    assert all(other() is None for other in others)
    assert mu[0] == 1.846e-05

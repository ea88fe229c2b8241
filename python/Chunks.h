#pragma once
// Large arrays in chunks: shared out among threads with the GIL released,
// and stopped by Ctrl-C.

#include <pybind11/pybind11.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstddef>
#include <system_error>
#include <thread>
#include <vector>

namespace vantorel::python {

namespace py = pybind11;

// Temperatures per chunk: a few milliseconds of the slowest work (a reading
// with its source rows), so that threads stay busy to the end.
inline constexpr std::size_t kChunk = 1 << 14;

// Fewer temperatures than this per thread are not worth another thread.
inline constexpr std::size_t kPerThread = 1 << 16;

// The threads a call may use: `threads` when it is not None (a whole number
// from 1 up), else VANTOREL_NUM_THREADS when set, else the processors this
// process may run on. Raises TypeError or ValueError for a bad number.
int ThreadsAsked(py::handle threads);

// The same, for `n` temperatures: no more threads than kPerThread each keeps busy.
int ThreadsFor(std::size_t n, int asked);

// Calls work(worker, begin, end) for chunks [begin, end) of [0, n), on
// `threads` threads (this one among them, worker 0), with the GIL released.
// Every so often this thread takes the GIL back to run the signal handlers
// (on the main thread; elsewhere there are none to run): when one raises
// (KeyboardInterrupt), the threads stop after their current chunk and so
// does this, with the error set (py::error_already_set).
// `work` is called with the GIL released and must not throw.
template <typename Work>
void InChunks(std::size_t n, int threads, const Work& work) {
  // Seen by people as an immediate stop; long enough that taking the GIL
  // back, which may wait for another Python thread, costs nothing.
  constexpr auto kSignalCheck = std::chrono::milliseconds(50);
  std::atomic<std::size_t> next{0};
  std::atomic<bool> stop{false};
  bool interrupted = false;
  const auto loop = [&](int worker) {
    auto checked = std::chrono::steady_clock::now();
    while (!stop.load(std::memory_order_relaxed)) {
      const std::size_t begin = next.fetch_add(1, std::memory_order_relaxed) * kChunk;
      if (begin >= n) return;
      work(worker, begin, std::min(n, begin + kChunk));
      if (worker != 0 || std::chrono::steady_clock::now() - checked < kSignalCheck) continue;
      py::gil_scoped_acquire gil;
      if (PyErr_CheckSignals() != 0) {
        interrupted = true;
        stop = true;
      }
      checked = std::chrono::steady_clock::now();
    }
  };
  {
    py::gil_scoped_release unlocked;
    std::vector<std::thread> helpers;
    helpers.reserve(static_cast<std::size_t>(threads));
    for (int w = 1; w < threads; ++w) {
      try {
        helpers.emplace_back(loop, w);
      } catch (const std::system_error&) {  // no more threads to be had: the others share the work
        break;
      }
    }
    loop(0);
    for (std::thread& helper : helpers) helper.join();
  }
  if (interrupted) throw py::error_already_set();
}

}  // namespace vantorel::python

#include "Chunks.h"

#include <cerrno>
#include <cstdlib>
#include <optional>
#include <string>

#if defined(__linux__)
#include <sched.h>
#endif

namespace vantorel::python {

namespace {

// More threads than this only wait for each other.
constexpr long kMostThreads = 256;

// The processors this process may run on: a container or `taskset` may
// allow fewer than the machine has.
int Processors() {
#if defined(__linux__)
  cpu_set_t allowed;
  if (sched_getaffinity(0, sizeof allowed, &allowed) == 0) return std::max(1, CPU_COUNT(&allowed));
#endif
  return static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
}

std::optional<long> WholeNumber(const char* text) {
  errno = 0;
  char* end = nullptr;
  const long n = std::strtol(text, &end, 10);
  if (end == text || *end != '\0' || errno != 0) return std::nullopt;
  return n;
}

}  // namespace

int ThreadsAsked(py::handle threads) {
  if (threads.is_none()) {
    const char* text = std::getenv("VANTOREL_NUM_THREADS");
    if (text == nullptr || *text == '\0') return Processors();
    const std::optional<long> n = WholeNumber(text);
    if (!n || *n < 1)
      throw py::value_error("VANTOREL_NUM_THREADS must be a whole number from 1 up, not \"" + std::string(text) + "\"");
    return static_cast<int>(std::min(*n, kMostThreads));
  }
  if (PyBool_Check(threads.ptr()) || !PyIndex_Check(threads.ptr()))
    throw py::type_error("threads must be a whole number or None, not " +
                         py::str(py::type::of(threads).attr("__name__")).cast<std::string>());
  const py::object whole = py::reinterpret_steal<py::object>(PyNumber_Index(threads.ptr()));
  if (!whole) throw py::error_already_set();
  const long n = PyLong_AsLong(whole.ptr());
  if (n == -1 && PyErr_Occurred()) throw py::error_already_set();
  if (n < 1) throw py::value_error("threads must be 1 or more, not " + std::to_string(n));
  return static_cast<int>(std::min(n, kMostThreads));
}

int ThreadsFor(std::size_t n, int asked) {
  return static_cast<int>(std::clamp<std::size_t>(n / kPerThread, 1, static_cast<std::size_t>(asked)));
}

}  // namespace vantorel::python

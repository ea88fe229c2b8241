// The texts and source rows of an array of temperatures, on every core and
// without a Python object per cell.

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <limits>
#include <memory>
#include <string_view>
#include <vector>

#include "Chunks.h"
#include "Readings.h"

namespace vantorel::python {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

std::uint64_t Bits(double v) {
  std::uint64_t bits;
  std::memcpy(&bits, &v, sizeof bits);
  return bits;
}

// The window's texts of one worker's recent values, by property and by the
// bits of the value. A value shows the same text wherever it occurs (the
// label shows the book's rounded number, or the word the book's marker
// stands for), so the library writes the text of each value once, and
// neighbouring temperatures, which mostly share their rounded values, reuse
// it. Formatting a number takes several times as long as looking it up.
// Where most temperatures miss (in random order across the range), the
// memo rests for a while: then it would only cost.
class TextMemo {
 public:
  struct Entry {
    std::uint64_t bits;
    std::uint8_t size;
    bool used;
    char text[kTextSize];

    std::string_view View() const { return {text, size}; }
  };

  explicit TextMemo(std::size_t count) : entries_(count << kBits) {}

  const Entry* Find(std::size_t k, std::uint64_t bits) const {
    const Entry& e = entries_[(k << kBits) + Slot(bits)];
    return e.used && e.bits == bits ? &e : nullptr;
  }

  void Put(std::size_t k, std::uint64_t bits, std::string_view text) {
    Entry& e = entries_[(k << kBits) + Slot(bits)];
    e.bits = bits;
    e.size = static_cast<std::uint8_t>(text.size());
    e.used = true;
    std::memcpy(e.text, text.data(), text.size());
  }

  // Whether to ask the memo about the next temperature.
  bool Active() {
    if (resting_ == 0) return true;
    --resting_;
    return false;
  }

  void Count(bool hit) {
    ++seen_;
    misses_ += hit ? 0 : 1;
    if (seen_ < kWindow) return;
    if (2 * misses_ > kWindow) resting_ = kRest;
    seen_ = misses_ = 0;
  }

 private:
  static constexpr int kBits = 9;
  static constexpr std::size_t kWindow = 1024, kRest = 16 * kWindow;
  std::size_t seen_ = 0, misses_ = 0, resting_ = 0;
  static std::size_t Slot(std::uint64_t bits) { return (bits * 0x9E3779B97F4A7C15u) >> (64 - kBits); }
  std::vector<Entry> entries_;
};

// Calls cell(k, text) for each property k of the reading at T[i]; false,
// without a call, when T[i] cannot be looked up.
class TextReader {
 public:
  explicit TextReader(const ArrayReadings& r) : r_(r), count_(static_cast<std::size_t>(r.Count())) {
    for (std::size_t k = 0; k < count_; ++k) values_[k] = r.values[k].data();
  }

  template <typename Cell>
  bool At(TextMemo& memo, std::size_t i, const Cell& cell) const {
    // Another system's texts keep the digits the book vouches for, trailing
    // zeros included, which a value alone does not tell: no memo for them.
    if (r_.units) {
      const Result reading = LookUp(*r_.fluid, r_.T.data()[i]);
      if (!reading) return false;
      for (std::size_t k = 0; k < count_; ++k) cell(k, ValueIn(reading->shown[k], *r_.units).text());
      return true;
    }
    const bool asked = memo.Active();
    std::array<std::uint64_t, kMostShown> bits;
    if (asked) {
      std::array<const TextMemo::Entry*, kMostShown> known;
      bool allKnown = true, allNaN = true;
      for (std::size_t k = 0; k < count_; ++k) {
        bits[k] = Bits(values_[k][i]);
        known[k] = memo.Find(k, bits[k]);
        allKnown = allKnown && known[k];
        allNaN = allNaN && values_[k][i] != values_[k][i];
      }
      // All NaN may be a temperature outside the range, whose texts are
      // empty: only the library can tell.
      const bool hit = allKnown && !allNaN;
      memo.Count(hit);
      if (hit) {
        for (std::size_t k = 0; k < count_; ++k) cell(k, known[k]->View());
        return true;
      }
    }
    char texts[kMostShown * kTextSize];
    std::size_t lengths[kMostShown];
    if (!LookUpTexts(*r_.fluid, r_.T.data()[i], texts, lengths)) return false;
    for (std::size_t k = 0; k < count_; ++k) {
      const std::string_view text(texts + k * kTextSize, lengths[k]);
      if (asked) memo.Put(k, bits[k], text);
      cell(k, text);
    }
    return true;
  }

 private:
  const ArrayReadings& r_;
  std::size_t count_;
  std::array<const double*, kMostShown> values_{};
};

// Each worker's memo, made by the worker itself.
class Memos {
 public:
  Memos(int workers, std::size_t count) : memos_(static_cast<std::size_t>(workers)), count_(count) {}
  TextMemo& Of(int worker) {
    std::unique_ptr<TextMemo>& memo = memos_[static_cast<std::size_t>(worker)];
    if (!memo) memo = std::make_unique<TextMemo>(count_);
    return *memo;
  }

 private:
  std::vector<std::unique_ptr<TextMemo>> memos_;
  std::size_t count_;
};

std::vector<py::ssize_t> ShapeOf(const py::array& a) { return {a.shape(), a.shape() + a.ndim()}; }

}  // namespace

// Sized from a sample, written in one pass. Each property's str array is
// as wide as the widest text of a sample of the temperatures; a text wider
// than that (rare: the sample holds every part of the range) widens its
// array afterwards, and its temperature is written again. So the texts are
// formatted about once each, and the arrays are all the memory it takes.
py::object TextsOf(const ArrayReadings& r) {
  const std::size_t n = static_cast<std::size_t>(r.T.size());
  const std::size_t count = static_cast<std::size_t>(r.Count());
  const int threads = ThreadsFor(n, r.threads);
  const TextReader reader(r);
  Memos memos(threads, count);

  // Both ends among the sample: a sweep's ends are its extremes (water's
  // "INFINITE" at the critical point).
  constexpr std::size_t kSample = 4096;
  std::vector<std::size_t> width(count, 1);
  for (std::size_t j = 0, samples = std::min(n, kSample); j < samples; ++j)
    reader.At(memos.Of(0), samples == 1 ? 0 : j * (n - 1) / (samples - 1),
              [&](std::size_t k, std::string_view text) { width[k] = std::max(width[k], text.size()); });

  std::vector<py::array> arrays;
  std::vector<char32_t*> cells(count);
  const auto allocate = [&](std::size_t k) {
    // NumPy's str arrays hold UTF-32 code units; the texts are ASCII. Made
    // as code units and viewed as str: NumPy asks the kernel for huge pages
    // for a large array of numbers but not of str, and writing the texts
    // into small pages took longer than working them out.
    py::array_t<std::uint32_t> units(static_cast<py::ssize_t>(n * width[k]));
    cells[k] = reinterpret_cast<char32_t*>(units.mutable_data());
    return py::array(units.attr("view")("U" + std::to_string(width[k])).attr("reshape")(r.T.attr("shape")));
  };
  for (std::size_t k = 0; k < count; ++k) arrays.push_back(allocate(k));

  // Per worker: the widest text of each property, and the temperatures
  // with a text too wide to write.
  std::vector<std::size_t> widest(static_cast<std::size_t>(threads) * count, 0);
  std::vector<std::vector<std::size_t>> tooWide(static_cast<std::size_t>(threads));
  const auto put = [&](std::size_t k, std::size_t i, std::string_view text) {
    char32_t* cell = cells[k] + i * width[k];
    std::copy(text.begin(), text.end(), cell);
    std::fill(cell + text.size(), cell + width[k], U'\0');
  };
  InChunks(n, threads, [&](int worker, std::size_t begin, std::size_t end) {
    TextMemo& memo = memos.Of(worker);
    std::size_t* w = widest.data() + static_cast<std::size_t>(worker) * count;
    for (std::size_t i = begin; i < end; ++i) {
      bool fits = true;
      const bool read = reader.At(memo, i, [&](std::size_t k, std::string_view text) {
        w[k] = std::max(w[k], text.size());
        if (text.size() <= width[k])
          put(k, i, text);
        else
          fits = false;
      });
      if (!read)
        for (std::size_t k = 0; k < count; ++k) put(k, i, {});
      if (!fits) tooWide[static_cast<std::size_t>(worker)].push_back(i);
    }
  });

  for (std::size_t k = 0; k < count; ++k) {
    std::size_t needed = 0;
    for (int worker = 0; worker < threads; ++worker) needed = std::max(needed, widest[worker * count + k]);
    if (needed <= width[k]) continue;
    const char32_t* narrow = cells[k];
    const std::size_t from = width[k];
    width[k] = needed;
    py::array wide = allocate(k);
    InChunks(n, threads, [&](int, std::size_t begin, std::size_t end) {
      for (std::size_t i = begin; i < end; ++i) {
        char32_t* cell = cells[k] + i * needed;
        std::copy_n(narrow + i * from, from, cell);
        std::fill(cell + from, cell + needed, U'\0');
      }
    });
    arrays[k] = wide;  // the narrow one goes
  }
  for (const std::vector<std::size_t>& found : tooWide)
    for (const std::size_t i : found)
      reader.At(memos.Of(0), i, [&](std::size_t k, std::string_view text) { put(k, i, text); });

  py::dict byKey;
  for (std::size_t k = 0; k < count; ++k) {
    arrays[k].attr("setflags")(py::arg("write") = false);
    byKey[Text(r.Key(static_cast<int>(k)))] = arrays[k];
  }
  return ReadOnly(byKey);
}

// The rows of every temperature: (lower, upper), both the row at a row's
// own temperature, NaN outside the range; and whether a corrected cell took
// part.
py::object SourcesOf(const ArrayReadings& r) {
  std::vector<py::ssize_t> shape = ShapeOf(r.T);
  py::array_t<bool> corrected(shape);
  shape.push_back(2);
  py::array_t<double> rows(shape);
  const double* t = r.T.data();
  const std::size_t n = static_cast<std::size_t>(r.T.size());
  double* row = rows.mutable_data();
  bool* fixed = corrected.mutable_data();
  InChunks(n, ThreadsFor(n, r.threads), [&](int, std::size_t begin, std::size_t end) {
    for (std::size_t i = begin; i < end; ++i) {
      const Result reading = LookUp(*r.fluid, t[i]);
      const Source* s = reading ? &reading->source : nullptr;
      row[2 * i] = s ? s->rows[0] : kNaN;
      row[2 * i + 1] = s ? s->rows[s->rowCount - 1] : kNaN;
      fixed[i] = s && s->corrected;
    }
  });
  rows.attr("setflags")(py::arg("write") = false);
  corrected.attr("setflags")(py::arg("write") = false);
  return py::handle(types.source)(Text(CategoryOf(*r.fluid).table), rows, corrected);
}

}  // namespace vantorel::python

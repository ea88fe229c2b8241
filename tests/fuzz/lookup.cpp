// Fuzz target: the table look-up of every fluid through the catalog, at any
// temperature. The input picks a fluid and a temperature: any double (NaN,
// infinities, subnormals, huge values), a point of the range, a temperature
// of hundredths of a kelvin in the range (every table row is one), or an end
// of the range, each of the last three moved by up to four ulps either way.
//
// Anywhere: no crash and no undefined behaviour, and the table procedure,
// through State, writes exactly what the pure look-up returns and nothing
// else. Within [Tmin, Tmax] also: every slot the category shows is written
// and holds a finite number; a slot whose label tests for no marker never
// holds one; the infinite marker appears only at single temperatures, never
// one ulp beside them; and each label's text is what its value reads as.
// The checked call gives a reading exactly within the range, agreeing with
// the labels, and an error anywhere else; any bytes as a fluid's name give a
// reading or an unknown-fluid error.

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "Catalog.h"
#include "Display.h"
#include "FuzzCheck.h"
#include "PropertyState.h"
#include <vantorel/vantorel.h>

namespace {

using namespace vantorel;
using vantorel::fuzz::CLocale;
using vantorel::fuzz::Describe;
using vantorel::fuzz::SameBits;
using vantorel::fuzz::SameResult;

struct Entry {
  int category;  // 1 to 4
  const Fluid* fluid;
};

const std::vector<Entry>& Entries() {
  static const std::vector<Entry> entries = [] {
    std::vector<Entry> all;
    int category = 0;
    for (const Category& c : Categories()) {
      ++category;
      for (const Fluid& f : c.fluids) all.push_back({category, &f});
    }
    return all;
  }();
  return entries;
}

// Reads the input front to back; past its end every byte is 0.
class Bytes {
 public:
  Bytes(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  std::uint8_t Byte() { return at_ < size_ ? data_[at_++] : 0; }
  std::uint64_t Word(int bytes) {
    std::uint64_t w = 0;
    for (int i = 0; i < bytes; ++i) w = w << 8 | Byte();
    return w;
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t at_ = 0;
};

double Ulps(double t, int ulps) {
  for (; ulps > 0; --ulps) t = std::nextafter(t, std::numeric_limits<double>::infinity());
  for (; ulps < 0; ++ulps) t = std::nextafter(t, -std::numeric_limits<double>::infinity());
  return t;
}

double Temperature(Bytes& in, const Fluid& fluid) {
  const int how = in.Byte() % 4;
  if (how == 0) return std::bit_cast<double>(in.Word(8));
  double t;
  if (how == 1) {
    // A point of [Tmin, Tmax]: a 53-bit fraction of the way up.
    const double fraction = static_cast<double>(in.Word(8) >> 11) * 0x1p-53;
    t = std::min(fluid.Tmin + fraction * (fluid.Tmax - fluid.Tmin), fluid.Tmax);
  } else if (how == 2) {
    // n / 100 is the double nearest to n hundredths, as "273.15" reads. The
    // ends are hundredths too (647.3 * 100 is 64729.99999999999).
    const auto lo = static_cast<std::uint64_t>(std::llround(fluid.Tmin * 100));
    const auto span = static_cast<std::uint64_t>(std::llround(fluid.Tmax * 100)) - lo + 1;
    t = static_cast<double>(lo + in.Word(4) % span) / 100;
  } else {
    t = in.Byte() % 2 ? fluid.Tmax : fluid.Tmin;
  }
  return Ulps(t, static_cast<int>(in.Byte() % 9) - 4);
}

// A value no look-up writes: NaN with a payload that names the slot.
double Untouched(int slot) {
  return std::bit_cast<double>(0x7ff8'dead'0000'0000ull + static_cast<std::uint64_t>(slot));
}

void CheckLabels(int category, const Fluid& fluid, double t, const SlotValues& values) {
  const auto where = [&](const ShownProperty& p) {
    return std::string(fluid.id) + " at " + Describe(t) + ", " + std::string(SlotName(p.slot)) + " = " +
           Describe(values[p.slot]);
  };
  for (const ShownProperty& p : ShownProperties(category)) {
    FUZZ_CHECK(values.Has(p.slot), where(p) + ": shown but not written");
    const double v = values[p.slot];
    // An infinite cell comes out as the infinite marker, an empty one as the
    // no-value marker: a shown slot never holds NaN or an infinity.
    FUZZ_CHECK(std::isfinite(v), where(p));
    // Markers reach only the labels that test for them, and only where they
    // read them as markers: elsewhere -1 or -2 would be shown as a number.
    // (Below its markersAbove a label's -1 or -2 is a real value: saturated
    // water's Betaf passes through both near 277 K.)
    if (t > p.markersAbove) {
      if (p.markers == Markers::None)
        FUZZ_CHECK(v != kNoValueMarker && v != kInfiniteMarker, where(p) + ": a marker in a label without markers");
      if (p.markers == Markers::NoValue) FUZZ_CHECK(v != kInfiniteMarker, where(p) + ": infinite in a no-value label");
    }

    const ShownMarker marker = MarkerOf(p, v, t);
    // Infinite only exactly at its row: one ulp to either side is no value.
    if (marker == ShownMarker::Infinite) {
      for (const double beside : {Ulps(t, -1), Ulps(t, 1)}) {
        if (beside < fluid.Tmin || beside > fluid.Tmax) continue;
        FUZZ_CHECK(MarkerOf(p, LookUpSlots(fluid, beside)[p.slot], beside) != ShownMarker::Infinite,
                   where(p) + ": infinite at " + Describe(beside) + " too");
      }
    }

    const std::string text = LabelText(p, v, t);
    FUZZ_CHECK(!text.empty(), where(p));
    FUZZ_CHECK(!LabelText(p, v, t, ",").empty(), where(p));
    switch (marker) {
      case ShownMarker::NoValue:
        FUZZ_CHECK(text == kNoValueText, where(p) + ": " + text);
        break;
      case ShownMarker::Infinite:
        FUZZ_CHECK(text == kInfiniteText, where(p) + ": " + text);
        break;
      case ShownMarker::Number: {
        // The digits read back as exactly the slot's value, then the power.
        const std::string number = NumberText(v);
        FUZZ_CHECK(text == number + SuffixText(p.power), where(p) + ": " + text);
        char* end = nullptr;
        const double back = strtod_l(number.c_str(), &end, CLocale());
        FUZZ_CHECK(*end == '\0' && SameBits(back, v), where(p) + ": " + number + " reads as " + Describe(back));
        break;
      }
    }
    // The window's labels read the same from State.
    const std::optional<std::string> shown = LabelText(category, p.label, State);
    FUZZ_CHECK(shown && *shown == text, where(p) + ": State shows " + shown.value_or("nothing"));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // Any bytes as a fluid's name: a reading only for a name the catalog knows.
  const std::string_view name(reinterpret_cast<const char*>(data), size);
  const Result named = LookUp(name, 300);
  FUZZ_CHECK(named.ok() || FindFluid(name)
                 ? named.ok() || named.error().code == ErrorCode::OutOfRange
                 : named.error().code == ErrorCode::UnknownFluid || named.error().code == ErrorCode::AmbiguousFluid,
             "the name " + std::string(name.substr(0, 40)));

  Bytes in(data, size);
  const Entry& entry = Entries()[in.Byte() % Entries().size()];
  const Fluid& fluid = *entry.fluid;
  const double t = Temperature(in, fluid);
  const auto where = [&] { return std::string(fluid.id) + " at " + Describe(t); };

  const SlotValues values = LookUpSlots(fluid, t);
  const SlotValues again = LookUpSlots(fluid, t);
  FUZZ_CHECK(again.written == values.written, where() + ": a second look-up writes other slots");

  // The table procedure reads State.Temp and writes what the look-up returns
  // into State, and leaves every other slot and the temperature alone.
  for (int s = 0; s < kSlotCount; ++s) State[static_cast<Slot>(s)] = Untouched(s);
  State.Temp = t;
  Props(fluid);
  FUZZ_CHECK(SameBits(State.Temp, t), where() + ": Temp became " + Describe(State.Temp));
  for (int s = 0; s < kSlotCount; ++s) {
    const Slot slot = static_cast<Slot>(s);
    const std::string name(SlotName(slot));
    FUZZ_CHECK(SameResult(again[slot], values[slot]), where() + ": " + name + " differs between two look-ups");
    if (values.Has(slot))
      FUZZ_CHECK(SameResult(State[slot], values[slot]), where() + ": " + name + " is " + Describe(State[slot]) +
                                                            " in State, " + Describe(values[slot]) + " looked up");
    else
      FUZZ_CHECK(SameBits(State[slot], Untouched(s)), where() + ": " + name + " written by the procedure only");
  }

  // The checked call: a reading exactly within the range, with each state
  // what the label's marker says, else the error that says why not.
  const Result checked = LookUp(fluid, t);
  double si[14];
  const bool inRange = t >= fluid.Tmin && t <= fluid.Tmax;
  FUZZ_CHECK(checked.ok() == inRange && LookUpValues(fluid, t, si) == inRange, where() + ": checked call");
  if (!checked.ok())
    FUZZ_CHECK(checked.error().code == (std::isfinite(t) ? ErrorCode::OutOfRange : ErrorCode::NotFinite) &&
                   !checked.error().message().empty(),
               where() + ": " + checked.error().message());
  if (inRange) {
    CheckLabels(entry.category, fluid, t, values);
    const auto shown = ShownProperties(entry.category);
    for (std::size_t i = 0; i < shown.size(); ++i) {
      const Property& p = checked->properties()[i];
      const ShownMarker marker = MarkerOf(shown[i], values[p.slot], t);
      const ValueState state = marker == ShownMarker::NoValue    ? ValueState::NoValue
                               : marker == ShownMarker::Infinite ? ValueState::Infinite
                                                                 : ValueState::Value;
      FUZZ_CHECK(p.state == state && p.text() == LabelText(shown[i], values[p.slot], t) && SameResult(p.value, si[i]) &&
                     (state != ValueState::Value || (std::isfinite(p.value) && p.book == values[p.slot])),
                 where() + ": " + std::string(p.id) + " reads " + p.text() + ", SI " + Describe(p.value));
    }
  } else {
    // Out of the range the caller refuses the temperature; the texts must
    // still be made without harm.
    for (const ShownProperty& p : ShownProperties(entry.category)) (void)LabelText(p, values[p.slot], t);
  }
  return 0;
}

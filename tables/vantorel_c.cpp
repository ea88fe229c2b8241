// The C face of the door: each call turns plain C arguments into calls of
// <vantorel/vantorel.h>, and the answer into numbers and text copied into
// the caller's buffer. It reaches nothing behind the door. No exception
// leaves it: the door throws only std::bad_alloc, which becomes
// VANTOREL_OUT_OF_MEMORY.

#include <vantorel/vantorel_c.h>

#include <vantorel/vantorel.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

namespace {

using vantorel::ErrorCode;
using vantorel::Fluid;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// The C codes are ErrorCode's shifted by one, so that 0 can mean success;
// the pressures' come after the C face's own.
constexpr int CodeOf(ErrorCode code) {
  return code > ErrorCode::None ? VANTOREL_NOT_A_PRESSURE + (static_cast<int>(code) - static_cast<int>(ErrorCode::NotAPressure))
                                : static_cast<int>(code) + 1;
}
static_assert(CodeOf(ErrorCode::NotAPressure) == VANTOREL_NOT_A_PRESSURE);
static_assert(CodeOf(ErrorCode::PressureOutOfRange) == VANTOREL_PRESSURE_OUT_OF_RANGE);
static_assert(CodeOf(ErrorCode::NoPressureColumn) == VANTOREL_NO_PRESSURE_COLUMN);
static_assert(CodeOf(ErrorCode::UnknownFluid) == VANTOREL_UNKNOWN_FLUID);
static_assert(CodeOf(ErrorCode::AmbiguousFluid) == VANTOREL_AMBIGUOUS_FLUID);
static_assert(CodeOf(ErrorCode::NotFinite) == VANTOREL_NOT_FINITE);
static_assert(CodeOf(ErrorCode::OutOfRange) == VANTOREL_OUT_OF_RANGE);
static_assert(CodeOf(ErrorCode::NotATemperature) == VANTOREL_NOT_A_TEMPERATURE);
static_assert(CodeOf(ErrorCode::UnitsDiffer) == VANTOREL_UNITS_DIFFER);
static_assert(CodeOf(ErrorCode::TooManyDigits) == VANTOREL_TOO_MANY_DIGITS);
static_assert(CodeOf(ErrorCode::StepUnitMismatch) == VANTOREL_STEP_UNIT_MISMATCH);
static_assert(CodeOf(ErrorCode::StepNotPositive) == VANTOREL_STEP_NOT_POSITIVE);
static_assert(CodeOf(ErrorCode::ToBelowFrom) == VANTOREL_TO_BELOW_FROM);
static_assert(CodeOf(ErrorCode::TooManyRows) == VANTOREL_TOO_MANY_ROWS);
static_assert(CodeOf(ErrorCode::None) == VANTOREL_UNKNOWN_PROPERTY, "a new ErrorCode needs its C code");
static_assert(static_cast<int>(vantorel::ValueState::NoValue) == VANTOREL_NO_VALUE &&
              static_cast<int>(vantorel::ValueState::Infinite) == VANTOREL_INFINITE);

// The last error's message on this thread. A fixed buffer, not a string: a
// thread_local with a destructor is best avoided in a library loaded into
// someone else's process (a DLL in a spreadsheet, a MEX host). The longest
// message, an unknown name of 40 escaped bytes with three ids, is ~250 bytes.
constexpr std::size_t kMessageSize = 1024;
thread_local char tMessage[kMessageSize];
thread_local std::size_t tMessageLength;

void Remember(std::string_view message) noexcept {
  std::size_t n = std::min(message.size(), kMessageSize - 1);
  // A cut message ends before a UTF-8 sequence, never inside one.
  if (n < message.size())
    while (n > 0 && (static_cast<unsigned char>(message[n]) & 0xC0) == 0x80) --n;
  std::memcpy(tMessage, message.data(), n);
  tMessage[n] = '\0';
  tMessageLength = n;
}

int Fail(int code, std::string_view message) noexcept {
  Remember(message);
  return code;
}

int Fail(const vantorel::Error& error) { return Fail(CodeOf(error.code), error.message()); }

// Runs `body`; anything it throws (only std::bad_alloc, from a message or a
// text) gives `onFailure`.
template <typename R, typename Body>
R Guard(R onFailure, Body body) noexcept {
  try {
    return body();
  } catch (...) {
    Remember("out of memory");
    return onFailure;
  }
}

// The snprintf convention: the whole length back, at most size - 1 bytes
// and a NUL written.
int CopyOut(std::string_view text, char* out, std::size_t size) noexcept {
  if (out && size > 0) {
    const std::size_t n = std::min(text.size(), size - 1);
    std::memcpy(out, text.data(), n);
    out[n] = '\0';
  }
  return static_cast<int>(text.size());
}

// A buffer is NULL only with no room.
bool BufferOk(const char* out, std::size_t size) { return out || size == 0; }
int NullBuffer() { return -Fail(VANTOREL_NULL_POINTER, "the text buffer is NULL but its size is not 0"); }

int FluidCount() noexcept {
  int count = 0;
  for (const vantorel::Category& category : vantorel::Categories()) count += static_cast<int>(category.fluids.size());
  return count;
}

// Fluid `index` in the window's list order, or null with the error kept.
const Fluid* FluidAt(int index) {
  int i = index;
  if (i >= 0)
    for (const vantorel::Category& category : vantorel::Categories()) {
      if (i < static_cast<int>(category.fluids.size())) return &category.fluids[i];
      i -= static_cast<int>(category.fluids.size());
    }
  Fail(VANTOREL_BAD_INDEX,
       "no fluid " + std::to_string(index) + ": fluids are numbered 0 to " + std::to_string(FluidCount() - 1));
  return nullptr;
}

int IndexOf(const Fluid& fluid) noexcept {
  int index = 0;
  for (const vantorel::Category& category : vantorel::Categories())
    for (const Fluid& f : category.fluids) {
      if (&f == &fluid) return index;
      ++index;
    }
  return -1;  // not reached: every fluid is in a category
}

bool PropertyOk(const Fluid& fluid, int property) {
  const int count = vantorel::PropertyCount(fluid);
  if (property >= 0 && property < count) return true;
  Fail(VANTOREL_BAD_INDEX, "no property " + std::to_string(property) + " of " + std::string(fluid.name) +
                               ": its properties are numbered 0 to " + std::to_string(count - 1));
  return false;
}

int BadField(int field, int last) {
  return -Fail(VANTOREL_BAD_INDEX,
               "no field " + std::to_string(field) + ": fields are numbered 0 to " + std::to_string(last));
}

// The id as typed, safe to print: ASCII as is, any other byte as \xNN, cut
// at the length the door's own errors keep. Every property id is ASCII.
std::string Quoted(std::string_view id) {
  std::string text = "\"";
  for (const char c : id.substr(0, vantorel::kErrorTextSize)) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte < 0x7f && c != '"' && c != '\\') {
      text += c;
    } else {
      static constexpr char kHex[] = "0123456789abcdef";
      text += {'\\', 'x', kHex[byte >> 4], kHex[byte & 0xf]};
    }
  }
  return text + (id.size() > vantorel::kErrorTextSize ? "...\"" : "\"");
}

int UnknownProperty(const Fluid& fluid, std::string_view id) {
  std::string message = std::string(fluid.name) + " has no property " + Quoted(id) + "; its properties:";
  for (const vantorel::PropertyInfo& p : vantorel::PropertiesOf(fluid)) {
    message += ' ';
    message += p.id;
  }
  return Fail(VANTOREL_UNKNOWN_PROPERTY, message);
}

// The units named `name`, or null with the error kept.
std::optional<vantorel::UnitSystem> UnitsNamed(const char* name) {
  if (name)
    if (const auto units = vantorel::UnitSystemNamed(name)) return units;
  Fail(VANTOREL_UNKNOWN_UNITS, "unknown units " + (name ? Quoted(name) : std::string("NULL")) +
                                   ": give book, si, engineering or us");
  return std::nullopt;
}

// A text about property `property` of fluid `fluid` in `units`: `body`
// once the buffer, the indexes and the units are checked, else minus the
// error's code.
template <typename Body>
int WithPropertyIn(int fluid, int property, const char* units, const char* out, std::size_t size, Body body) {
  return Guard<int>(-VANTOREL_OUT_OF_MEMORY, [&]() -> int {
    if (!BufferOk(out, size)) return NullBuffer();
    const Fluid* f = FluidAt(fluid);
    if (!f || !PropertyOk(*f, property)) return -VANTOREL_BAD_INDEX;
    const auto system = UnitsNamed(units);
    if (!system) return -VANTOREL_UNKNOWN_UNITS;
    return body(*f, *system);
  });
}

}  // namespace

extern "C" {

int vantorel_version(void) { return VANTOREL_VERSION; }

int vantorel_last_error(char* out, size_t size) {
  if (!BufferOk(out, size)) return -VANTOREL_NULL_POINTER;  // keeps the message it is asked for
  return CopyOut({tMessage, tMessageLength}, out, size);
}

int vantorel_fluid_count(void) { return FluidCount(); }

int vantorel_resolve_fluid(const char* name) {
  return Guard<int>(-VANTOREL_OUT_OF_MEMORY, [&]() -> int {
    if (!name) return -Fail(VANTOREL_NULL_POINTER, "the fluid's name is NULL");
    const vantorel::FluidResult fluid = vantorel::ResolveFluid(name);
    return fluid ? IndexOf(**fluid) : -Fail(fluid.error());
  });
}

int vantorel_fluid_text(int fluid, int field, char* out, size_t size) {
  return Guard<int>(-VANTOREL_OUT_OF_MEMORY, [&]() -> int {
    if (!BufferOk(out, size)) return NullBuffer();
    const Fluid* f = FluidAt(fluid);
    if (!f) return -VANTOREL_BAD_INDEX;
    switch (field) {
      case VANTOREL_FLUID_ID:
        return CopyOut(f->id, out, size);
      case VANTOREL_FLUID_NAME:
        return CopyOut(f->name, out, size);
      case VANTOREL_FLUID_CATEGORY:
        return CopyOut(vantorel::CategoryOf(*f).name, out, size);
      case VANTOREL_FLUID_TABLE:
        return CopyOut(vantorel::CategoryOf(*f).table, out, size);
      case VANTOREL_FLUID_RANGE:
        return CopyOut(vantorel::RangeText(*f), out, size);
    }
    return BadField(field, VANTOREL_FLUID_RANGE);
  });
}

int vantorel_fluid_range(int fluid, double* t_min, double* t_max) {
  return Guard<int>(VANTOREL_OUT_OF_MEMORY, [&]() -> int {
    const Fluid* f = FluidAt(fluid);
    if (!f) return VANTOREL_BAD_INDEX;
    if (!t_min || !t_max) return Fail(VANTOREL_NULL_POINTER, "t_min or t_max is NULL");
    *t_min = f->Tmin;
    *t_max = f->Tmax;
    return VANTOREL_OK;
  });
}

int vantorel_property_count(int fluid) {
  return Guard<int>(-VANTOREL_OUT_OF_MEMORY, [&]() -> int {
    const Fluid* f = FluidAt(fluid);
    return f ? vantorel::PropertyCount(*f) : -VANTOREL_BAD_INDEX;
  });
}

int vantorel_find_property(int fluid, const char* id) {
  return Guard<int>(-VANTOREL_OUT_OF_MEMORY, [&]() -> int {
    const Fluid* f = FluidAt(fluid);
    if (!f) return -VANTOREL_BAD_INDEX;
    if (!id) return -Fail(VANTOREL_NULL_POINTER, "the property's id is NULL");
    const vantorel::PropertyInfo* p = vantorel::FindProperty(*f, id);
    return p ? static_cast<int>(p - vantorel::PropertiesOf(*f).data()) : -UnknownProperty(*f, id);
  });
}

int vantorel_property_text(int fluid, int property, int field, char* out, size_t size) {
  return Guard<int>(-VANTOREL_OUT_OF_MEMORY, [&]() -> int {
    if (!BufferOk(out, size)) return NullBuffer();
    const Fluid* f = FluidAt(fluid);
    if (!f) return -VANTOREL_BAD_INDEX;
    if (!PropertyOk(*f, property)) return -VANTOREL_BAD_INDEX;
    const vantorel::PropertyInfo& p = vantorel::PropertiesOf(*f)[property];
    switch (field) {
      case VANTOREL_PROPERTY_ID:
        return CopyOut(p.id, out, size);
      case VANTOREL_PROPERTY_NAME:
        return CopyOut(p.name, out, size);
      case VANTOREL_PROPERTY_SYMBOL:
        return CopyOut(p.symbol, out, size);
      case VANTOREL_PROPERTY_ASCII_SYMBOL:
        return CopyOut(p.asciiSymbol, out, size);
      case VANTOREL_PROPERTY_SI_UNIT:
        return CopyOut(p.siUnit, out, size);
      case VANTOREL_PROPERTY_ASCII_SI_UNIT:
        return CopyOut(p.asciiSiUnit, out, size);
      case VANTOREL_PROPERTY_BOOK_UNIT:
        return CopyOut(p.bookUnit, out, size);
    }
    return BadField(field, VANTOREL_PROPERTY_BOOK_UNIT);
  });
}

int vantorel_lookup(int fluid, double T, double* values, int* states) {
  return Guard<int>(VANTOREL_OUT_OF_MEMORY, [&]() -> int {
    const Fluid* f = FluidAt(fluid);
    if (!f) return VANTOREL_BAD_INDEX;
    if (!values) return Fail(VANTOREL_NULL_POINTER, "the values array is NULL");
    const vantorel::Result r = vantorel::LookUp(*f, T);
    for (int i = 0; i < vantorel::PropertyCount(*f); ++i) {
      values[i] = r ? r->shown[i].value : kNaN;
      if (states) states[i] = r ? static_cast<int>(r->shown[i].state) : VANTOREL_NO_VALUE;
    }
    return r ? VANTOREL_OK : Fail(r.error());
  });
}

int vantorel_lookup_n(int fluid, const double* T, size_t n, double* values, size_t* outside) {
  return Guard<int>(VANTOREL_OUT_OF_MEMORY, [&]() -> int {
    const Fluid* f = FluidAt(fluid);
    if (!f) return VANTOREL_BAD_INDEX;
    if (n > 0 && (!T || !values)) return Fail(VANTOREL_NULL_POINTER, "the temperatures or the values array is NULL");
    const std::size_t count = static_cast<std::size_t>(vantorel::PropertyCount(*f));
    std::size_t bad = 0, first = 0;
    for (std::size_t i = 0; i < n; ++i)
      if (!vantorel::LookUpValues(*f, T[i], values + i * count) && bad++ == 0) first = i;
    if (outside) *outside = bad;
    return bad == 0 ? VANTOREL_OK : Fail(vantorel::LookUp(*f, T[first]).error());
  });
}

double vantorel_si(const char* fluid, double T, const char* property, int* error) {
  int code = VANTOREL_OUT_OF_MEMORY;  // what is left if the body throws
  const double value = Guard(kNaN, [&]() -> double {
    if (!fluid || !property) {
      code = Fail(VANTOREL_NULL_POINTER, "the fluid's name or the property's id is NULL");
      return kNaN;
    }
    const vantorel::FluidResult f = vantorel::ResolveFluid(fluid);
    if (!f) {
      code = Fail(f.error());
      return kNaN;
    }
    const vantorel::PropertyInfo* p = vantorel::FindProperty(**f, property);
    if (!p) {
      code = UnknownProperty(**f, property);
      return kNaN;
    }
    std::array<double, vantorel::kSlotCount> values;
    if (!vantorel::LookUpValues(**f, T, values.data())) {
      code = Fail(vantorel::LookUp(**f, T).error());
      return kNaN;
    }
    code = VANTOREL_OK;
    return values[p - vantorel::PropertiesOf(**f).data()];
  });
  if (error) *error = code;
  return value;
}

int vantorel_value_text(int fluid, double T, int property, char* out, size_t size) {
  return Guard<int>(-VANTOREL_OUT_OF_MEMORY, [&]() -> int {
    if (!BufferOk(out, size)) return NullBuffer();
    const Fluid* f = FluidAt(fluid);
    if (!f) return -VANTOREL_BAD_INDEX;
    if (!PropertyOk(*f, property)) return -VANTOREL_BAD_INDEX;
    const vantorel::Result r = vantorel::LookUp(*f, T);
    return r ? CopyOut(r->shown[property].text(), out, size) : -Fail(r.error());
  });
}

int vantorel_source_text(int fluid, double T, char* out, size_t size) {
  return Guard<int>(-VANTOREL_OUT_OF_MEMORY, [&]() -> int {
    if (!BufferOk(out, size)) return NullBuffer();
    const Fluid* f = FluidAt(fluid);
    if (!f) return -VANTOREL_BAD_INDEX;
    const vantorel::Result r = vantorel::LookUp(*f, T);
    return r ? CopyOut(vantorel::SourceText(*r), out, size) : -Fail(r.error());
  });
}

int vantorel_number_text(double value, char* out, size_t size) {
  return Guard<int>(-VANTOREL_OUT_OF_MEMORY, [&]() -> int {
    if (!BufferOk(out, size)) return NullBuffer();
    return CopyOut(vantorel::NumberText(value), out, size);
  });
}

int vantorel_parse_temperature(const char* text, double* kelvin) {
  return Guard<int>(VANTOREL_OUT_OF_MEMORY, [&]() -> int {
    if (!text || !kelvin) return Fail(VANTOREL_NULL_POINTER, "the text or kelvin is NULL");
    const vantorel::TemperatureResult t = vantorel::ParseTemperature(text);
    if (!t) return Fail(t.error());
    *kelvin = t->kelvin;
    return VANTOREL_OK;
  });
}

int vantorel_saturation_temperature(const char* pressure, double* kelvin) {
  return Guard<int>(VANTOREL_OUT_OF_MEMORY, [&]() -> int {
    if (!pressure || !kelvin) return Fail(VANTOREL_NULL_POINTER, "the pressure or kelvin is NULL");
    const vantorel::SaturationResult s = vantorel::SaturationAt(*vantorel::FindFluid("saturated-water"), pressure);
    if (!s) return Fail(s.error());
    *kelvin = s->T;
    return VANTOREL_OK;
  });
}

double vantorel_value_in(const char* fluid, double T, const char* property, const char* units, int* error) {
  int code = VANTOREL_OUT_OF_MEMORY;  // what is left if the body throws
  const double value = Guard(kNaN, [&]() -> double {
    if (!fluid || !property) {
      code = Fail(VANTOREL_NULL_POINTER, "the fluid's name or the property's id is NULL");
      return kNaN;
    }
    const auto system = UnitsNamed(units);
    if (!system) {
      code = VANTOREL_UNKNOWN_UNITS;
      return kNaN;
    }
    const vantorel::Result r = vantorel::LookUp(fluid, T);
    if (!r) {
      code = Fail(r.error());
      return kNaN;
    }
    const vantorel::Property* p = r->find(property);
    if (!p) {
      code = UnknownProperty(*r->fluid, property);
      return kNaN;
    }
    code = VANTOREL_OK;
    return vantorel::ValueIn(*p, *system).value;
  });
  if (error) *error = code;
  return value;
}

int vantorel_text_in(int fluid, double T, int property, const char* units, char* out, size_t size) {
  return WithPropertyIn(fluid, property, units, out, size, [&](const Fluid& f, vantorel::UnitSystem system) {
    const vantorel::Result r = vantorel::LookUp(f, T);
    return r ? CopyOut(vantorel::ValueIn(r->shown[property], system).text(), out, size) : -Fail(r.error());
  });
}

int vantorel_unit_in(int fluid, int property, const char* units, char* out, size_t size) {
  return WithPropertyIn(fluid, property, units, out, size, [&](const Fluid& f, vantorel::UnitSystem system) {
    return CopyOut(vantorel::UnitOf(vantorel::PropertiesOf(f)[property], system).text, out, size);
  });
}

}  // extern "C"

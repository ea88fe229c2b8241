#pragma once
// The one set of variables that the window and the table procedures share:
// the temperature to look up and the result slots that the procedures write.

#include <array>
#include <cstdint>

#include <vantorel/vantorel.h>  // Slot

namespace vantorel {

// Marker values a slot may hold instead of a number.
inline constexpr double kNoValueMarker = -1;   // the table has no value here: "----"
inline constexpr double kInfiniteMarker = -2;  // the value is infinite: "INFINITE"

struct PropertyState {
  double Temp = 0;  // kelvin; written by the caller before a table procedure runs

  double Rho = 0, Cp = 0, Mu = 0, Nu = 0, K = 0, Alpha = 0, Pr = 0, Beta = 0;
  double P = 0, Vf = 0, Vg = 0, Hfg = 0, Cpf = 0, Cpg = 0, Muf = 0, Mug = 0, Kf = 0, Kg = 0, Prf = 0, Prg = 0,
         Sigmaf = 0, Betaf = 0;

  double& operator[](Slot s);
  double operator[](Slot s) const;
};

// Each slot's variable in a PropertyState.
inline constexpr double PropertyState::*kSlotMembers[kSlotCount] = {
    &PropertyState::Rho,    &PropertyState::Cp,    &PropertyState::Mu,   &PropertyState::Nu,  &PropertyState::K,
    &PropertyState::Alpha,  &PropertyState::Pr,    &PropertyState::Beta, &PropertyState::P,   &PropertyState::Vf,
    &PropertyState::Vg,     &PropertyState::Hfg,   &PropertyState::Cpf,  &PropertyState::Cpg, &PropertyState::Muf,
    &PropertyState::Mug,    &PropertyState::Kf,    &PropertyState::Kg,   &PropertyState::Prf, &PropertyState::Prg,
    &PropertyState::Sigmaf, &PropertyState::Betaf,
};

inline double& PropertyState::operator[](Slot s) { return this->*kSlotMembers[Index(s)]; }
inline double PropertyState::operator[](Slot s) const { return this->*kSlotMembers[Index(s)]; }

// The program-wide instance. Table procedures read Temp from it and write
// their slots into it; nothing else passes between the window and the tables.
extern PropertyState State;

// What one look-up produced: a value for each slot it writes. Slots it does
// not write are absent, so writing the result into a PropertyState leaves
// them as an earlier look-up left them.
struct SlotValues {
  std::array<double, kSlotCount> value{};
  std::uint32_t written = 0;  // bit i set: slot i has a value

  void Set(Slot s, double v) {
    value[Index(s)] = v;
    written |= 1u << Index(s);
  }
  bool Has(Slot s) const { return (written >> Index(s)) & 1u; }
  double operator[](Slot s) const { return value[Index(s)]; }
};

// Copies the written slots into the state, in slot order.
void WriteSlots(PropertyState& state, const SlotValues& values);

}  // namespace vantorel

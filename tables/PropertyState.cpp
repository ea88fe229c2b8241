#include "PropertyState.h"

#include <bit>

namespace vantorel {

PropertyState State;

namespace {

constexpr double PropertyState::*kMembers[kSlotCount] = {
    &PropertyState::Rho,  &PropertyState::Cp,     &PropertyState::Mu,
    &PropertyState::Nu,   &PropertyState::K,      &PropertyState::Alpha,
    &PropertyState::Pr,   &PropertyState::Beta,   &PropertyState::P,
    &PropertyState::Vf,   &PropertyState::Vg,     &PropertyState::Hfg,
    &PropertyState::Cpf,  &PropertyState::Cpg,    &PropertyState::Muf,
    &PropertyState::Mug,  &PropertyState::Kf,     &PropertyState::Kg,
    &PropertyState::Prf,  &PropertyState::Prg,    &PropertyState::Sigmaf,
    &PropertyState::Betaf,
};

constexpr std::string_view kNames[kSlotCount] = {
    "Rho", "Cp",  "Mu",  "Nu",  "K",   "Alpha", "Pr",  "Beta",
    "P",   "Vf",  "Vg",  "Hfg", "Cpf", "Cpg",   "Muf", "Mug",
    "Kf",  "Kg",  "Prf", "Prg", "Sigmaf", "Betaf",
};

}  // namespace

std::string_view SlotName(Slot s) { return kNames[Index(s)]; }

double& PropertyState::operator[](Slot s) { return this->*kMembers[Index(s)]; }
double PropertyState::operator[](Slot s) const { return this->*kMembers[Index(s)]; }

void WriteSlots(PropertyState& state, const SlotValues& values) {
  // In slot order, visiting only the slots that were written.
  for (std::uint32_t rest = values.written; rest != 0; rest &= rest - 1) {
    const int i = std::countr_zero(rest);
    state.*kMembers[i] = values.value[i];
  }
}

}  // namespace vantorel

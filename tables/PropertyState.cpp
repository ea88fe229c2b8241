#include "PropertyState.h"

#include <bit>

namespace vantorel {

PropertyState State;

namespace {

constexpr std::string_view kNames[kSlotCount] = {
    "Rho", "Cp",  "Mu",  "Nu",  "K",   "Alpha", "Pr",  "Beta",
    "P",   "Vf",  "Vg",  "Hfg", "Cpf", "Cpg",   "Muf", "Mug",
    "Kf",  "Kg",  "Prf", "Prg", "Sigmaf", "Betaf",
};

}  // namespace

std::string_view SlotName(Slot s) { return kNames[Index(s)]; }

void WriteSlots(PropertyState& state, const SlotValues& values) {
  // In slot order, visiting only the slots that were written.
  for (std::uint32_t rest = values.written; rest != 0; rest &= rest - 1) {
    const int i = std::countr_zero(rest);
    state.*kSlotMembers[i] = values.value[i];
  }
}

}  // namespace vantorel

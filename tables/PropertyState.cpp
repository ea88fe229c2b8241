#include "PropertyState.h"

#include <bit>

namespace vantorel {

PropertyState State;

void WriteSlots(PropertyState& state, const SlotValues& values) {
  // In slot order, visiting only the slots that were written.
  for (std::uint32_t rest = values.written; rest != 0; rest &= rest - 1) {
    const int i = std::countr_zero(rest);
    state.*kSlotMembers[i] = values.value[i];
  }
}

}  // namespace vantorel

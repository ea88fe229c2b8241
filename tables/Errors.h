#pragma once
// How the core's errors are made: each keeps the start of the text it is
// about, so its message can quote what was typed.

#include <vantorel/vantorel.h>

#include <string_view>

namespace vantorel::detail {

// An error of `code` about `input`, keeping the start of `text`.
Error ErrorAbout(ErrorCode code, Input input, std::string_view text);

// Why `name` names no one fluid: unknown (with the closest ids) or ambiguous.
Error FluidError(std::string_view name);

// A temperature outside `fluid`'s range or not finite, or nothing when `t`
// lies within it.
std::optional<Error> RangeError(const Fluid& fluid, double t, Input input = Input::T);

}  // namespace vantorel::detail

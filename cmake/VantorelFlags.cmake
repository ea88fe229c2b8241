# The flags every target of ours compiles with. Every digit must match the
# book: keep IEEE double semantics, no fast-math, and no fused multiply-add
# that would skip the rounding of a product. With VANTOREL_WERROR, warnings
# are errors.
option(VANTOREL_WERROR "Treat compiler warnings as errors" OFF)
if(NOT TARGET vantorel_flags)
  add_library(vantorel_flags INTERFACE)
  target_compile_options(vantorel_flags INTERFACE -ffp-contract=off -fno-fast-math -Wall -Wextra
    $<$<BOOL:${VANTOREL_WERROR}>:-Werror>)
endif()

# Gives a target of ours the flags above.
function(vantorel_target target)
  target_link_libraries(${target} PRIVATE vantorel_flags)
endfunction()

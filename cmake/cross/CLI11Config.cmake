# CLI11::CLI11 for a cross build (cmake/mingw-w64-x86_64.cmake): the host's
# header-only CLI11, copied into the build so that only CLI/ is on the path,
# not the rest of the host's /usr/include.
set(VANTOREL_CLI11_INCLUDE_DIR /usr/include CACHE PATH "The folder that holds the host's CLI/CLI.hpp")
if(NOT EXISTS ${VANTOREL_CLI11_INCLUDE_DIR}/CLI/CLI.hpp)
  set(CLI11_FOUND FALSE)
  set(CLI11_NOT_FOUND_MESSAGE "no CLI/CLI.hpp in ${VANTOREL_CLI11_INCLUDE_DIR} (Debian: libcli11-dev)")
  return()
endif()
set(CLI11_ONLY_INCLUDE_DIR ${CMAKE_BINARY_DIR}/cli11-include)
file(COPY ${VANTOREL_CLI11_INCLUDE_DIR}/CLI DESTINATION ${CLI11_ONLY_INCLUDE_DIR})
if(NOT TARGET CLI11::CLI11)
  add_library(CLI11::CLI11 INTERFACE IMPORTED)
  set_target_properties(CLI11::CLI11 PROPERTIES INTERFACE_INCLUDE_DIRECTORIES ${CLI11_ONLY_INCLUDE_DIR})
endif()

# Cross-compiling for 64-bit Windows with Debian's MinGW-w64 (the posix
# thread model, which std::thread and std::mutex need):
#   cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(VANTOREL_MINGW_TARGET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${VANTOREL_MINGW_TARGET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VANTOREL_MINGW_TARGET}-g++-posix)
set(CMAKE_RC_COMPILER ${VANTOREL_MINGW_TARGET}-windres)
set(CMAKE_AR ${VANTOREL_MINGW_TARGET}-ar CACHE FILEPATH "")
set(CMAKE_RANLIB ${VANTOREL_MINGW_TARGET}-ranlib CACHE FILEPATH "")
set(CMAKE_STRIP ${VANTOREL_MINGW_TARGET}-strip CACHE FILEPATH "")
set(CMAKE_OBJDUMP ${VANTOREL_MINGW_TARGET}-objdump CACHE FILEPATH "")

# Headers, libraries and CMake packages come from the MinGW tree only: the
# host's /usr/include and /usr/lib/cmake are Linux's and would mix in.
# Programs (gzip, python3) are the host's.
set(CMAKE_FIND_ROOT_PATH /usr/${VANTOREL_MINGW_TARGET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# CLI11 is header-only and the same on every platform: a small package of
# our own (cmake/cross/) gives the host's copy of its headers alone, so no
# other host header is on the command line's include path.
set(CLI11_DIR ${CMAKE_CURRENT_LIST_DIR}/cross CACHE PATH "CLI11 for the cross build")

# The programs and the DLL carry the GCC, C++ and thread runtimes inside, so
# they run on a Windows that has none of MinGW's DLLs.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")

# Installs the build into a fresh prefix and builds examples/library against
# it twice: with find_package(Vantorel), and with nothing but the compiler and
# pkg-config, as a Makefile would (against the shared library); and
# examples/c, a C99 project, against the shared library. Runs the three and
# checks what they printed for air at 310 K, that the installed C header is
# strict C99, and that the shared library exports the checked calls and
# nothing else. Arguments: -DBUILD_DIR= -DSOURCE_DIR= -DWORK_DIR=, -DCXX= the
# C++ compiler, -DCC= a C compiler, and -DCXX_FLAGS= the flags the examples
# are compiled and linked with (the build's own, which C takes too).

file(REMOVE_RECURSE ${WORK_DIR})

function(run)
  execute_process(COMMAND ${ARGV} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "failed: ${ARGV}\n${out}\n${err}")
  endif()
  set(out "${out}" PARENT_SCOPE)
endfunction()

run(${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${WORK_DIR}/prefix)
# The icon in every size of the theme and as SVG, where the window is built.
if(EXISTS ${WORK_DIR}/prefix/bin/vantorel)
  foreach(icon 16x16/apps/org.vantorel.Vantorel.png 256x256/apps/org.vantorel.Vantorel.png
          scalable/apps/org.vantorel.Vantorel.svg)
    if(NOT EXISTS ${WORK_DIR}/prefix/share/icons/hicolor/${icon})
      message(FATAL_ERROR "no icon ${icon} installed")
    endif()
  endforeach()
  file(READ ${WORK_DIR}/prefix/share/icons/hicolor/scalable/apps/org.vantorel.Vantorel.svg svg)
  if(NOT svg MATCHES "<svg[^>]*viewBox=\"0 0 48 48\"")
    message(FATAL_ERROR "the scalable icon is no 48-unit SVG")
  endif()
endif()
# Only the checked call's headers are installed.
file(GLOB headers RELATIVE ${WORK_DIR}/prefix/include/vantorel ${WORK_DIR}/prefix/include/vantorel/*)
list(SORT headers)
if(NOT headers STREQUAL "vantorel.h;vantorel_c.h;version.h")
  message(FATAL_ERROR "installed headers: ${headers}")
endif()
run(${CMAKE_COMMAND} -S ${SOURCE_DIR}/examples/library -B ${WORK_DIR}/build
    -DCMAKE_PREFIX_PATH=${WORK_DIR}/prefix -DCMAKE_BUILD_TYPE=Release "-DCMAKE_CXX_FLAGS=${CXX_FLAGS}")
run(${CMAKE_COMMAND} --build ${WORK_DIR}/build)
run(${WORK_DIR}/build/air_at_310)
set(cmake_out "${out}")

file(GLOB pc_files ${WORK_DIR}/prefix/lib*/pkgconfig/vantorel.pc ${WORK_DIR}/prefix/lib/*/pkgconfig/vantorel.pc)
list(GET pc_files 0 pc_file)
get_filename_component(pc_dir ${pc_file} DIRECTORY)
get_filename_component(lib_dir ${pc_dir} DIRECTORY)
set(ENV{PKG_CONFIG_PATH} ${pc_dir})
run(pkg-config --cflags --libs vantorel)
separate_arguments(pc_flags UNIX_COMMAND "${out}")
separate_arguments(cxx_flags UNIX_COMMAND "${CXX_FLAGS}")
run(${CXX} -std=c++20 ${cxx_flags} ${SOURCE_DIR}/examples/library/main.cpp ${pc_flags} -o ${WORK_DIR}/air_at_310_pc)
# The program's own -std stands: pkg-config's flags come after it.
file(WRITE ${WORK_DIR}/cxx23.cpp "#include <vantorel/vantorel.h>
static_assert(__cplusplus > 202002L, \"pkg-config's flags replaced -std=c++23\");
int main() { return vantorel::LookUp(\"air\", 310) ? 0 : 1; }
")
run(${CXX} -std=c++23 ${cxx_flags} ${WORK_DIR}/cxx23.cpp ${pc_flags} -o ${WORK_DIR}/cxx23)
set(ENV{LD_LIBRARY_PATH} ${lib_dir})
run(ldd ${WORK_DIR}/air_at_310_pc)
if(NOT out MATCHES "libvantorel\\.so\\.1 => ${lib_dir}")
  message(FATAL_ERROR "the pkg-config build does not use the installed shared library:\n${out}")
endif()
run(${WORK_DIR}/cxx23)
run(${WORK_DIR}/air_at_310_pc)
if(NOT out STREQUAL cmake_out)
  message(FATAL_ERROR "the two builds printed different things:\n${cmake_out}\n---\n${out}")
endif()

# The C face: its header as strict C99, and the C example, which prints what
# the C++ one does.
if(NOT CC)
  set(CC cc)
endif()
run(${CC} -x c -std=c99 -Wall -Wextra -Werror -pedantic -fsyntax-only -I${WORK_DIR}/prefix/include
    ${WORK_DIR}/prefix/include/vantorel/vantorel_c.h)
run(${CMAKE_COMMAND} -S ${SOURCE_DIR}/examples/c -B ${WORK_DIR}/build-c -DCMAKE_PREFIX_PATH=${WORK_DIR}/prefix
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_C_COMPILER=${CC} "-DCMAKE_C_FLAGS=${CXX_FLAGS}")
run(${CMAKE_COMMAND} --build ${WORK_DIR}/build-c)
run(ldd ${WORK_DIR}/build-c/air_at_310_c)
if(NOT out MATCHES "libvantorel\\.so\\.1 => ${lib_dir}")
  message(FATAL_ERROR "the C example does not use the installed shared library:\n${out}")
endif()
run(${WORK_DIR}/build-c/air_at_310_c)
if(NOT out STREQUAL cmake_out)
  message(FATAL_ERROR "the C example printed other things than the C++ one:\n${cmake_out}\n---\n${out}")
endif()

# The shared library exports the checked calls of vantorel.h and vantorel_c.h,
# nothing else.
run(nm -D -C --defined-only ${lib_dir}/libvantorel.so.1)
string(REGEX REPLACE "\n$" "" exported "${out}")
string(REPLACE "\n" ";" exported "${exported}")
set(public "^(vantorel_[a-z_]+|vantorel::(Version|SlotName|SlotNamed|Categories|CategoryOf|FindFluid|ResolveFluid|PropertiesOf|FindProperty|Heading|RangeText|NumberText|SourceText|UnitSymbol|ParseTemperature|LookUp|LookUpText|TemperatureText|TemperatureWorking|SaturationAt|LookUpPressure|PressureRangeText|SaturationWorking|UnitSystemName|UnitSystemNamed|TemperatureUnitOf|UnitOf|ValueIn|LookUpValues|LookUpTexts|PropertyCount|ClosestIds|Working|PlanSweep|CatalogJson|Property::text|Reading::find|Error::message|Sweep::At|Sweep::WriteText|Sweep::WriteTyped|RowWriter::(RowWriter|Header|RowSize|WriteRow|Footer))(\\[abi:cxx11\\])?\\()")
foreach(symbol IN LISTS exported)
  string(REGEX REPLACE "^[0-9a-f]+ [A-Za-z] " "" name "${symbol}")
  if(name MATCHES "vantorel" AND NOT name MATCHES "${public}")
    message(FATAL_ERROR "libvantorel.so.1 exports an internal symbol: ${name}")
  endif()
endforeach()
if(NOT exported MATCHES "vantorel::LookUp\\(")
  message(FATAL_ERROR "libvantorel.so.1 does not export LookUp:\n${exported}")
endif()
set(out "${cmake_out}")

foreach(line "Air at 310 K" "  dynamic viscosity: 1.893e-05 Pa·s" "  specific heat: 1007 J/(kg·K)"
        "  density: 1.1281 kg/m³" "from Table A.4, between the rows at 300 K and 350 K"
        "error: unknown fluid \"airr\"; closest: air"
        "error: T = 5000 K is outside the range of Air, 100K <= T <= 3000K")
  string(FIND "${out}" "${line}\n" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "the example did not print '${line}':\n${out}")
  endif()
endforeach()
message(STATUS "the example printed:\n${out}")

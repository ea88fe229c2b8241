# Installs the build into a fresh prefix, builds examples/library against it
# with find_package(Vantorel), runs it and checks what it printed for air at
# 310 K. Arguments: -DBUILD_DIR= -DSOURCE_DIR= -DWORK_DIR=, and -DCXX_FLAGS=
# the flags the example is compiled and linked with (the build's own).

file(REMOVE_RECURSE ${WORK_DIR})

function(run)
  execute_process(COMMAND ${ARGV} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "failed: ${ARGV}\n${out}\n${err}")
  endif()
  set(out "${out}" PARENT_SCOPE)
endfunction()

run(${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${WORK_DIR}/prefix)
# Only the checked call's headers are installed.
file(GLOB headers RELATIVE ${WORK_DIR}/prefix/include/vantorel ${WORK_DIR}/prefix/include/vantorel/*)
list(SORT headers)
if(NOT headers STREQUAL "vantorel.h;version.h")
  message(FATAL_ERROR "installed headers: ${headers}")
endif()
run(${CMAKE_COMMAND} -S ${SOURCE_DIR}/examples/library -B ${WORK_DIR}/build
    -DCMAKE_PREFIX_PATH=${WORK_DIR}/prefix -DCMAKE_BUILD_TYPE=Release "-DCMAKE_CXX_FLAGS=${CXX_FLAGS}")
run(${CMAKE_COMMAND} --build ${WORK_DIR}/build)
run(${WORK_DIR}/build/air_at_310)

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

# Installs the build into a fresh prefix, builds the consumer project against
# it with find_package(Vantorel), runs it and checks it printed Air at 310 K.
# Arguments: -DBUILD_DIR= -DSOURCE_DIR= -DWORK_DIR=, and -DCXX_FLAGS= the
# flags the consumer is compiled and linked with (the build's own).

file(REMOVE_RECURSE ${WORK_DIR})

function(run)
  execute_process(COMMAND ${ARGV} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "failed: ${ARGV}\n${out}\n${err}")
  endif()
  set(out "${out}" PARENT_SCOPE)
endfunction()

run(${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${WORK_DIR}/prefix)
run(${CMAKE_COMMAND} -S ${SOURCE_DIR}/tests/consumer -B ${WORK_DIR}/build
    -DCMAKE_PREFIX_PATH=${WORK_DIR}/prefix -DCMAKE_BUILD_TYPE=Release "-DCMAKE_CXX_FLAGS=${CXX_FLAGS}")
run(${CMAKE_COMMAND} --build ${WORK_DIR}/build)
run(${WORK_DIR}/build/consumer)

foreach(line "Rho 1.1281" "Mu 189.3E-7" "Pr 0.706" "Beta 3.23E-3")
  string(FIND "${out}" "${line}\n" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "the consumer did not print '${line}':\n${out}")
  endif()
endforeach()
message(STATUS "consumer printed:\n${out}")

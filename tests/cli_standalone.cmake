# Installs the build into a fresh prefix and builds cli/ alone against it, as
# a packager would build vantorel-props on an installed libvantorel-dev: only
# the installed headers and Vantorel::tables are within its reach. Runs the
# result once. Arguments: -DBUILD_DIR= -DSOURCE_DIR= -DWORK_DIR=, and
# -DCXX_FLAGS= the flags of the build (a sanitizer build's library needs them).

file(REMOVE_RECURSE ${WORK_DIR})

function(run)
  execute_process(COMMAND ${ARGV} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "failed: ${ARGV}\n${out}\n${err}")
  endif()
  set(out "${out}" PARENT_SCOPE)
endfunction()

run(${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${WORK_DIR}/prefix)
run(${CMAKE_COMMAND} -S ${SOURCE_DIR}/cli -B ${WORK_DIR}/build -DCMAKE_PREFIX_PATH=${WORK_DIR}/prefix
    -DCMAKE_BUILD_TYPE=Release "-DCMAKE_CXX_FLAGS=${CXX_FLAGS}")
run(${CMAKE_COMMAND} --build ${WORK_DIR}/build --target vantorel-props)
run(${WORK_DIR}/build/vantorel-props "carbon dioxide" "126.85 °C" --format csv)
set(expected "T,Rho,Cp,Mu,Nu,K,Alpha,Pr,Beta\n400,1.3257,0.942,190E-7,14.3E-6,24.3E-3,19.5E-6,0.737,2.5E-3\n")
if(NOT out STREQUAL expected)
  message(FATAL_ERROR "the standalone vantorel-props wrote:\n${out}\nnot:\n${expected}")
endif()
message(STATUS "the standalone vantorel-props wrote:\n${out}")

# Lays out the Windows zip in STAGE/NAME and writes it to ZIP. FILES holds
# "folder:path" items. Programs and the DLL are stripped of their symbols.
# Entries carry one fixed time, so the same build gives the same zip.
file(REMOVE_RECURSE ${STAGE})
set(root ${STAGE}/${NAME})
foreach(item IN LISTS FILES)
  string(REGEX MATCH "^([^:]+):(.*)$" _ "${item}")
  set(folder ${CMAKE_MATCH_1})
  set(path ${CMAKE_MATCH_2})
  file(COPY ${path} DESTINATION ${root}/${folder})
  get_filename_component(name ${path} NAME)
  if(name MATCHES "\\.(exe|dll)$")
    execute_process(COMMAND ${STRIP} --strip-unneeded ${root}/${folder}/${name} COMMAND_ERROR_IS_FATAL ANY)
  endif()
endforeach()
file(REMOVE ${ZIP})
execute_process(COMMAND ${CMAKE_COMMAND} -E tar cf ${ZIP} --format=zip "--mtime=2026-01-01 00:00:00 UTC" ${NAME}
  WORKING_DIRECTORY ${STAGE} COMMAND_ERROR_IS_FATAL ANY)
message(STATUS "Wrote ${ZIP}")

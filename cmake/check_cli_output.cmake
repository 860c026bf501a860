# cmake -DCLI=<program> -DARGS=<a|b|…> -DGOLDEN=<file> -DOUTPUT=<file>
#       [-DEMULATOR=<wine|…>] -P check_cli_output.cmake
# Runs the command-line program (under the emulator, when given) and fails
# unless it exits with 0 and its standard output is the golden file's bytes.
string(REPLACE "|" ";" emulator "${EMULATOR}")
string(REPLACE "|" ";" args "${ARGS}")
execute_process(COMMAND ${emulator} ${CLI} ${args}
  OUTPUT_FILE ${OUTPUT} ERROR_VARIABLE errors RESULT_VARIABLE status)
if(NOT status STREQUAL "0")
  message(FATAL_ERROR "${CLI} ${args}: exit status ${status}\n${errors}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${OUTPUT} ${GOLDEN}
  RESULT_VARIABLE differs)
if(differs)
  message(FATAL_ERROR "${CLI} ${args}: standard output (${OUTPUT}) differs from ${GOLDEN}")
endif()

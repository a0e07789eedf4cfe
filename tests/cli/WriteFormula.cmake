# --write saves the changed formula: the file written is compared with the
# expected one, and a second run without --force must leave it alone.
# cmake -DREPORT=... -DARGS=a;b -DOUT=file -DEXPECTED=file -P WriteFormula.cmake
file(REMOVE ${OUT})
execute_process(COMMAND ${REPORT} ${ARGS} --write ${OUT} OUTPUT_QUIET ERROR_VARIABLE err RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "exit status ${status}, expected 0\n${err}")
endif()
file(READ ${OUT} written)
file(READ ${EXPECTED} want)
if(NOT written STREQUAL want)
  message(FATAL_ERROR "${OUT} differs from ${EXPECTED}:\n${written}")
endif()
file(APPEND ${OUT} "; kept\n")
execute_process(COMMAND ${REPORT} ${ARGS} --write ${OUT} OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE status)
file(READ ${OUT} after)
if(NOT status EQUAL 1 OR NOT out STREQUAL "" OR NOT after STREQUAL "${want}; kept\n")
  message(FATAL_ERROR "--write without --force over an existing file: status ${status}, ${err}")
endif()

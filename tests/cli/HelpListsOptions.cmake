# --help lists every option on a line of its own, and every option it lists is
# one the command line knows.
# cmake -DREPORT=... -P HelpListsOptions.cmake
execute_process(COMMAND ${REPORT} --help OUTPUT_VARIABLE help RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "--help: exit status ${status}")
endif()
string(REGEX MATCHALL "\n  --[a-z-]+" listed "${help}")
list(LENGTH listed count)
if(count LESS 8)
  message(FATAL_ERROR "--help lists ${count} options:\n${help}")
endif()
foreach(entry IN LISTS listed)
  string(STRIP "${entry}" option)
  execute_process(COMMAND ${REPORT} ${option} ERROR_VARIABLE err OUTPUT_QUIET)
  if(err MATCHES "unknown option")
    message(FATAL_ERROR "--help lists ${option}, which is unknown: ${err}")
  endif()
endforeach()

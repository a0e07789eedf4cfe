# cmake -DREPORT=... -DDATA=tests/data/price-change -DOUT=scratch -P UpdateMade.cmake
# The made material base follows its formula after tio2's price rises: a dry
# run writes nothing, the real one writes base.rm dated, a second finds it done.
file(REMOVE_RECURSE ${OUT})
file(COPY ${DATA}/ DESTINATION ${OUT})
function(report expectedStatus)
  execute_process(COMMAND ${REPORT} --update-made ${ARGN} ${OUT}
    OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE status)
  if(NOT status EQUAL expectedStatus OR NOT err STREQUAL "")
    message(FATAL_ERROR "${ARGN}: exit status ${status}, expected ${expectedStatus}\n${err}")
  endif()
  set(out "${out}" PARENT_SCOPE)
endfunction()
function(expect pattern)
  if(NOT out MATCHES "${pattern}")
    message(FATAL_ERROR "expected ${pattern} in:\n${out}")
  endif()
endfunction()

report(0 --dry-run)
expect("\nbase +white-base.tfx +1.280 +1.280 +1.495 +1.495 +unchanged\n")
file(READ ${OUT}/tio2.rm tio2)
string(REPLACE "Cost=   1.850" "Cost=   2.100" tio2 "${tio2}")
file(WRITE ${OUT}/tio2.rm "${tio2}")
file(READ ${OUT}/base.rm before)

report(0 --dry-run)
expect("\nbase +white-base.tfx +1.280 +1.380 +1.495 +1.495 +changed\nDry run: nothing written.\n$")
file(READ ${OUT}/base.rm afterDryRun)
if(NOT afterDryRun STREQUAL before)
  message(FATAL_ERROR "--dry-run changed base.rm:\n${afterDryRun}")
endif()

report(0 --date 2027-01-02)
expect("\nwritten: [^\n]*/base.rm\n$")
file(STRINGS ${OUT}/base.rm written REGEX "^(Cost|Made|Source)=")
if(NOT written STREQUAL "Cost=1.38;Source=white-base.tfx;Made=2027-01-02")
  message(FATAL_ERROR "base.rm written as ${written}")
endif()

report(0)
expect("unchanged\nNothing written: no made material changed.\n$")

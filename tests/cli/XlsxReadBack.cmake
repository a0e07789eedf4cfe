# cmake -DREPORT=... -DMATERIALS=... -DFORMULAS="a;b" -DOUT=dir -DSCRIPT=... -P XlsxReadBack.cmake
set(xlsx ${OUT}/formulas.xlsx)
set(csv ${OUT}/formulas-for-xlsx.csv)
file(REMOVE ${xlsx})
execute_process(COMMAND ${REPORT} --materials ${MATERIALS} --csv ${FORMULAS} OUTPUT_FILE ${csv})
execute_process(COMMAND ${REPORT} --materials ${MATERIALS} --xlsx ${xlsx} ${FORMULAS}
  OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE status)
# a material not found is a warning, and the workbook is still written
string(REGEX REPLACE "tintora-report: warning: [^\n]*\n" "" problems "${err}")
if(NOT status EQUAL 0 OR NOT out STREQUAL "" OR NOT problems STREQUAL "")
  message(FATAL_ERROR "status ${status}, output '${out}', messages '${err}'")
endif()
# Debian's Python, which the set-up gives openpyxl.
execute_process(COMMAND /usr/bin/python3 ${SCRIPT} ${xlsx} ${csv} RESULT_VARIABLE readStatus)
if(NOT readStatus EQUAL 0)
  message(FATAL_ERROR "the workbook does not read back as the CSV")
endif()

# cmake -DREPORT=... -DFORMULA=... -DMATERIALS=... -DPAGE=A4|Letter -DOUT=dir -P PdfMatchesText.cmake
# The PDF printout is one page of the asked paper and reads back as the text printout.
set(args --materials ${MATERIALS} --date 2026-12-07)
execute_process(COMMAND ${REPORT} ${args} ${FORMULA} OUTPUT_VARIABLE text RESULT_VARIABLE status)
set(pdf ${OUT}/printout-${PAGE}.pdf)
file(REMOVE ${pdf})
execute_process(COMMAND ${REPORT} ${args} --page-size ${PAGE} --pdf ${pdf} ${FORMULA}
  OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE pdfStatus)
# the formula's missing material is warned of; nothing else may be said
string(REGEX REPLACE "tintora-report: warning: [^\n]*\n" "" err "${err}")
if(NOT status EQUAL 0 OR NOT pdfStatus EQUAL 0 OR NOT out STREQUAL "" OR NOT err STREQUAL "")
  message(FATAL_ERROR "status ${status}/${pdfStatus}, output '${out}', messages '${err}'")
endif()
execute_process(COMMAND pdfinfo ${pdf} OUTPUT_VARIABLE info)
string(TOLOWER "${info}" info)
string(TOLOWER "${PAGE}" page)
if(NOT info MATCHES "pages: +1\n" OR NOT info MATCHES "page size:[^\n]*\\(${page}\\)")
  message(FATAL_ERROR "not one ${PAGE} page:\n${info}")
endif()
# The document's title is the formula's name.
if(NOT info MATCHES "title: +small white latex\n")
  message(FATAL_ERROR "the PDF's title is not the formula's name:\n${info}")
endif()
execute_process(COMMAND pdftotext -layout ${pdf} - OUTPUT_VARIABLE readBack)

# Columns are compared as words in order: blanks and empty lines are the layout's.
function(words text result)
  string(REPLACE "\f" "" text "${text}")
  string(REGEX REPLACE "[ \n]+" " " text "${text}")
  string(STRIP "${text}" text)
  set(${result} "${text}" PARENT_SCOPE)
endfunction()
words("${text}" want)
words("${readBack}" got)
if(NOT got STREQUAL want)
  message(FATAL_ERROR "the PDF reads\n${readBack}\nthe text printout is\n${text}")
endif()

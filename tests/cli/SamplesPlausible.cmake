# Every sample formula loads with all its materials and gives figures a paint
# chemist would find plausible; reading them changes no sample file.
# cmake -DREPORT=... -DSAMPLES=<Formulas beside the program> -DSOURCE=<data/Formulas> -P SamplesPlausible.cmake
file(GLOB formulas ${SAMPLES}/*.tfx)
list(LENGTH formulas count)
if(count LESS 4)
  message(FATAL_ERROR "expected at least four sample formulas in ${SAMPLES}, found ${count}")
endif()

function(check_range name value low high formula)
  if(value LESS low OR value GREATER high)
    message(FATAL_ERROR "${formula}: ${name} ${value} outside ${low}...${high}")
  endif()
endfunction()

foreach(formula IN LISTS formulas)
  execute_process(COMMAND ${REPORT} --json ${formula} OUTPUT_VARIABLE json RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${formula}: exit status ${status}")
  endif()
  string(JSON density GET "${json}" boxes DensityBox)
  string(JSON voc GET "${json}" boxes VocBox)
  string(JSON weight GET "${json}" boxes WeightBox)
  string(JSON solids GET "${json}" boxes SolidsWtBox)
  check_range(density ${density} 7.0 14.0 ${formula})
  check_range(VOC ${voc} 0 450 ${formula})
  check_range(weight ${weight} 100 3000 ${formula})
  check_range(solids ${solids} 20 90 ${formula})
  string(FIND "${json}" "Material not found" missing)
  if(NOT missing EQUAL -1)
    message(FATAL_ERROR "${formula}: a material file is missing")
  endif()
endforeach()

# One CSV line per sample after the header, each ended by CR LF (RFC 4180);
# the bytes go through a file, as a CMake variable loses the CRs.
set(csvFile ${CMAKE_CURRENT_BINARY_DIR}/samples.csv)
execute_process(COMMAND ${REPORT} --csv ${formulas} OUTPUT_FILE ${csvFile} RESULT_VARIABLE status)
file(READ ${csvFile} csv HEX)
string(REGEX MATCHALL "0d0a" lineEnds "${csv}")
list(LENGTH lineEnds lineCount)
math(EXPR wantLines "${count} + 1")
if(NOT status EQUAL 0 OR NOT lineCount EQUAL wantLines)
  message(FATAL_ERROR "--csv: exit status ${status}, ${lineCount} lines for ${count} formulas")
endif()

# The PVC, the last field of the formula's CSV line.
function(pvc_of formula result)
  execute_process(COMMAND ${REPORT} --csv ${SAMPLES}/${formula} OUTPUT_VARIABLE csv)
  string(REGEX MATCH ",([0-9.]+)\n$" found "${csv}")
  set(${result} "${CMAKE_MATCH_1}" PARENT_SCOPE)
endfunction()
# A flat paint is pigmented near or beyond its critical PVC, a gloss enamel far below it.
pvc_of(interior-flat-latex.tfx flat)
pvc_of(alkyd-gloss-enamel.tfx gloss)
check_range("flat latex PVC" "${flat}" 45 80 interior-flat-latex.tfx)
check_range("gloss enamel PVC" "${gloss}" 5 25 alkyd-gloss-enamel.tfx)

# The shipped materials pass the material check.
execute_process(COMMAND ${REPORT} --check-materials ${SAMPLES} OUTPUT_VARIABLE faults RESULT_VARIABLE status)
if(NOT status EQUAL 0 OR NOT faults STREQUAL "")
  message(FATAL_ERROR "--check-materials on the samples: exit status ${status}\n${faults}")
endif()

file(GLOB samples RELATIVE ${SOURCE} ${SOURCE}/*)
foreach(sample IN LISTS samples)
  file(SHA256 ${SOURCE}/${sample} original)
  file(SHA256 ${SAMPLES}/${sample} beside)
  if(NOT original STREQUAL beside)
    message(FATAL_ERROR "${sample} beside the program differs from the shipped sample")
  endif()
endforeach()

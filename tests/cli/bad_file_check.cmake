# Runs the command-line front end on a file that is not a document and
# checks that it fails with exit status 1 and a single line on stderr.
file(WRITE "${WORK}/not_a_document.mlv" "MLV?")
execute_process(COMMAND "${CLI}" info "${WORK}/not_a_document.mlv"
  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT status EQUAL 1)
  message(FATAL_ERROR "exit status ${status}, expected 1")
endif()
string(REGEX MATCHALL "\n" lines "${err}")
list(LENGTH lines count)
if(NOT count EQUAL 1 OR NOT err MATCHES "^File Read Error")
  message(FATAL_ERROR "expected one line starting 'File Read Error', got: ${err}")
endif()

# Random characters named as a document are no document either.
foreach(seed 3 17 2026)
  string(RANDOM LENGTH 8192 RANDOM_SEED ${seed} noise)
  file(WRITE "${WORK}/noise_${seed}.mlv" "${noise}")
  execute_process(COMMAND "${CLI}" info "${WORK}/noise_${seed}.mlv"
    RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
  string(REGEX MATCHALL "\n" lines "${err}")
  list(LENGTH lines count)
  if(NOT status EQUAL 1 OR NOT count EQUAL 1)
    message(FATAL_ERROR "noise ${seed}: exit status ${status}, stderr: ${err}")
  endif()
endforeach()

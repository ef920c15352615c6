# Proves that the layer check refuses a call to session() below the
# commands: it runs the check on a copy of the sources with one such call
# planted in the chemistry folder, and fails unless the check fails there
# and names the planted file.
# Run as: cmake -DSOURCE_DIR=<src> -DWORK_DIR=<scratch folder>
#               -P check_layers_catch_session.cmake
cmake_policy(VERSION 3.20)

set(copy "${WORK_DIR}/planted_src")
file(REMOVE_RECURSE "${copy}")
file(COPY "${SOURCE_DIR}/" DESTINATION "${copy}")
file(WRITE "${copy}/chemistry/planted.cpp"
     "#include \"chemistry/planted.h\"\n"
     "double planted() { return session().settings.bondlength; }\n")

execute_process(
  COMMAND "${CMAKE_COMMAND}" -DSOURCE_DIR=${copy}
          -P "${CMAKE_CURRENT_LIST_DIR}/check_layers.cmake"
  RESULT_VARIABLE result
  OUTPUT_VARIABLE output
  ERROR_VARIABLE output)
file(REMOVE_RECURSE "${copy}")
# The message is wrapped where its lines grow long, which depends on the
# length of the build folder's path.
string(REPLACE "\n" " " output "${output}")

if(result EQUAL 0)
  message(FATAL_ERROR "The layer check passed a session() call in chemistry")
endif()
if(NOT output MATCHES "planted\\.cpp: .*\\(the session below commands\\)")
  message(FATAL_ERROR "The layer check failed for another reason:\n${output}")
endif()

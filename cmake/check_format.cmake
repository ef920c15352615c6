# Fails when a source file differs from what clang-format makes of it.
# Run as: cmake -DSOURCE_DIR=<repo> -DCLANG_FORMAT=<exe> -P check_format.cmake
file(GLOB_RECURSE files
  "${SOURCE_DIR}/src/*.h" "${SOURCE_DIR}/src/*.cpp"
  "${SOURCE_DIR}/tests/*.h" "${SOURCE_DIR}/tests/*.cpp"
  "${SOURCE_DIR}/bench/*.cpp" "${SOURCE_DIR}/fuzz/*.cpp")
execute_process(
  COMMAND "${CLANG_FORMAT}" --dry-run -Werror ${files}
  WORKING_DIRECTORY "${SOURCE_DIR}"
  RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "clang-format found unformatted code (see above)")
endif()

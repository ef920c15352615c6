# Fails when a source file writes one of the unit factors of
# src/support/units.h as a number of its own instead of using the name.
# Comments may still mention the values; the element tables hold radii
# that happen to equal them.
# Run as: cmake -DSOURCE_DIR=<src> -P check_units.cmake
cmake_policy(VERSION 3.20)

set(factor "(^|[^0-9.])(1\\.53|1\\.54|1\\.98717)([^0-9]|$)")
set(exempt "support/units.h" "model/element_data.h")

set(offenders "")
file(GLOB_RECURSE files "${SOURCE_DIR}/*.h" "${SOURCE_DIR}/*.cpp")
foreach(path IN LISTS files)
  file(RELATIVE_PATH relative "${SOURCE_DIR}" "${path}")
  if(relative IN_LIST exempt)
    continue()
  endif()
  file(STRINGS "${path}" lines ENCODING UTF-8 REGEX "${factor}")
  foreach(line IN LISTS lines)
    string(REGEX REPLACE "//.*$" "" code "${line}")
    if(code MATCHES "${factor}")
      list(APPEND offenders "${relative}: ${line}")
    endif()
  endforeach()
endforeach()
if(offenders)
  list(JOIN offenders "\n" message)
  message(FATAL_ERROR "Unit factors written outside support/units.h:\n${message}")
endif()

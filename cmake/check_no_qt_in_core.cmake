# Fails when a file of the core library includes a Qt header.
# Run as: cmake -DSOURCE_DIR=<src> -P check_no_qt_in_core.cmake
set(core_folders model document commands render io mechanics nmr thermo)
set(offenders "")
foreach(folder IN LISTS core_folders)
  file(GLOB_RECURSE files "${SOURCE_DIR}/${folder}/*.h"
       "${SOURCE_DIR}/${folder}/*.cpp")
  foreach(path IN LISTS files)
    file(STRINGS "${path}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*<Q")
    if(includes)
      list(APPEND offenders "${path}: ${includes}")
    endif()
  endforeach()
endforeach()
if(offenders)
  list(JOIN offenders "\n" message)
  message(FATAL_ERROR "Qt headers included in core code:\n${message}")
endif()

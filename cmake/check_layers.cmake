# Fails when a source file includes from a layer it must not see, when a
# core file uses Qt, or when code below the commands reaches for the
# program's session instead of the drawing and interfaces it is given.
# Run as: cmake -DSOURCE_DIR=<src> -P check_layers.cmake
cmake_policy(VERSION 3.20)
#
# The layers, lowest first: support <- model <- document <- chemistry <-
# io, render, mechanics <- nmr <- thermo <- commands <- qt <- cli, app;
# the Python module sits on top of the command line's code.
set(allowed_support support)
set(allowed_model support model)
set(allowed_document ${allowed_model} document)
set(allowed_chemistry ${allowed_document} chemistry)
set(allowed_io ${allowed_chemistry} io)
set(allowed_render ${allowed_chemistry} render)
set(allowed_mechanics ${allowed_chemistry} mechanics)
set(allowed_nmr ${allowed_chemistry} io render mechanics nmr)
set(allowed_thermo ${allowed_nmr} thermo)
set(allowed_commands ${allowed_thermo} commands)
set(allowed_qt ${allowed_commands} qt)
set(allowed_cli ${allowed_qt} cli)
set(allowed_python ${allowed_cli} python)
set(below_commands support model document chemistry io render mechanics nmr
    thermo)
set(core_folders ${below_commands} commands)
set(all_folders ${core_folders} qt cli app python)

set(offenders "")
foreach(folder IN LISTS core_folders qt cli python)
  file(GLOB_RECURSE files "${SOURCE_DIR}/${folder}/*.h"
       "${SOURCE_DIR}/${folder}/*.cpp")
  foreach(path IN LISTS files)
    file(STRINGS "${path}" includes
         REGEX "^[ \t]*#[ \t]*include[ \t]*[\"<]")
    foreach(line IN LISTS includes)
      if(line MATCHES "[\"<]([a-z0-9_]+)/")
        set(target "${CMAKE_MATCH_1}")
        list(FIND all_folders "${target}" known)
        list(FIND allowed_${folder} "${target}" permitted)
        if(known GREATER -1 AND permitted EQUAL -1)
          list(APPEND offenders "${path}: ${line}")
        endif()
      endif()
      if(folder IN_LIST core_folders AND line MATCHES "[<\"]Q")
        list(APPEND offenders "${path}: ${line} (Qt in core code)")
      endif()
    endforeach()
    # The session itself defines session(); nothing else below the commands
    # may call it.
    get_filename_component(name "${path}" NAME_WE)
    if(folder IN_LIST below_commands AND NOT name STREQUAL "session")
      file(STRINGS "${path}" calls REGEX "(^|[^a-z_])session\\(\\)")
      foreach(line IN LISTS calls)
        string(STRIP "${line}" line)
        list(APPEND offenders "${path}: ${line} (the session below commands)")
      endforeach()
    endif()
  endforeach()
endforeach()
if(offenders)
  list(JOIN offenders "\n" message)
  message(FATAL_ERROR "Code that breaks the layering:\n${message}")
endif()

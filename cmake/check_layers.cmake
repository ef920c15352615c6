# Fails when a source file includes from a layer it must not see.
# Run as: cmake -DSOURCE_DIR=<src> -P check_layers.cmake
cmake_policy(VERSION 3.20)
#
# The layers, lowest first: model <- document <- commands, render, io (and
# mechanics, nmr, thermo) <- qt <- cli, app. Core folders never use Qt.
set(allowed_model model)
set(allowed_document model document)
set(allowed_render model document render)
set(allowed_io model document io)
set(allowed_commands model document io render nmr commands)
set(allowed_mechanics model document mechanics)
set(allowed_nmr model document io nmr)
# thermo completes a species' implicit hydrogens with the hydrogen commands'
# 3D placement before its force field sees it.
set(allowed_thermo model document io mechanics nmr commands thermo)
set(allowed_qt model document io render commands qt)
set(allowed_cli model document io render commands mechanics nmr thermo qt cli)
set(core_folders model document commands render io mechanics nmr thermo)
set(all_folders model document commands render io mechanics nmr thermo qt cli
    app)

set(offenders "")
foreach(folder IN LISTS core_folders qt cli)
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
  endforeach()
endforeach()
if(offenders)
  list(JOIN offenders "\n" message)
  message(FATAL_ERROR "Includes that break the layering:\n${message}")
endif()

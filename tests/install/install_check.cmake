# Installs the build into a fresh prefix and runs the installed programs
# there: they must answer --version without a display, and the command-line
# tool must take its NMR databases from the prefix, filling an empty data
# folder from it without replacing a database the user already has.
# Run as: cmake -DBUILD=<build dir> -DWORK=<scratch dir> -DEXAMPLE=<.mlv>
#         -DVERSION=<x.y.z> -P install_check.cmake
set(prefix "${WORK}/prefix")
set(data "${WORK}/userdata")
file(REMOVE_RECURSE "${prefix}" "${data}")

execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD}"
                        --prefix "${prefix}"
  RESULT_VARIABLE status OUTPUT_QUIET ERROR_VARIABLE err)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "install failed: ${err}")
endif()

foreach(path IN ITEMS
    bin/molvane3d bin/molvane3d-cli
    share/molvane3d/nmr/nmr13.pks share/molvane3d/help/general.html
    share/applications/org.molvane.molvane3d.desktop
    share/icons/hicolor/scalable/apps/org.molvane.molvane3d.svg
    share/icons/hicolor/48x48/apps/org.molvane.molvane3d.png
    share/mime/packages/org.molvane.molvane3d.xml
    share/metainfo/org.molvane.molvane3d.metainfo.xml
    share/man/man1/molvane3d.1 share/man/man1/molvane3d-cli.1)
  if(NOT EXISTS "${prefix}/${path}")
    message(FATAL_ERROR "not installed: ${path}")
  endif()
endforeach()

set(ENV{DISPLAY} "")
set(ENV{WAYLAND_DISPLAY} "")
foreach(program IN ITEMS molvane3d molvane3d-cli)
  execute_process(COMMAND "${prefix}/bin/${program}" --version
    RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT status EQUAL 0 OR NOT out STREQUAL "${program} ${VERSION}\n")
    message(FATAL_ERROR "${program} --version: ${status} '${out}' ${err}")
  endif()
endforeach()

# A database only the prefix has shows where the program looked, and one
# the user taught must come through untouched.
file(WRITE "${prefix}/share/molvane3d/nmr/nmr15.pks" "from the prefix")
file(WRITE "${data}/nmr13.pks" "taught")
execute_process(COMMAND "${prefix}/bin/molvane3d-cli" --datadir "${data}"
                        nmr "${EXAMPLE}" --nucleus 1H
  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT status EQUAL 0 OR out STREQUAL "")
  message(FATAL_ERROR "installed nmr failed (${status}): ${err}")
endif()
file(READ "${data}/nmr15.pks" copied)
file(READ "${data}/nmr13.pks" taught)
if(NOT copied STREQUAL "from the prefix" OR NOT taught STREQUAL "taught")
  message(FATAL_ERROR "data folder filled wrongly: '${copied}' '${taught}'")
endif()
if(NOT EXISTS "${data}/nmr01.pks")
  message(FATAL_ERROR "the shipped 1H database was not copied")
endif()

# Installs into a fresh prefix; the installed programs answer --version
# without a display, and the command-line tool fills an empty data folder
# from the prefix's databases without replacing one the user taught.
set(prefix "${WORK}/prefix")
set(data "${WORK}/userdata")
file(REMOVE_RECURSE "${prefix}" "${data}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD}" --prefix "${prefix}"
  RESULT_VARIABLE status OUTPUT_QUIET ERROR_VARIABLE err)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "install failed: ${err}")
endif()
foreach(path IN ITEMS share/applications/${ID}.desktop share/metainfo/${ID}.metainfo.xml
    share/mime/packages/${ID}.xml share/icons/hicolor/48x48/apps/${ID}.png
    share/molvane3d/help/general.html share/molvane3d/nmr/nmr13.fit
    share/man/man1/molvane3d-cli.1)
  if(NOT EXISTS "${prefix}/${path}")
    message(FATAL_ERROR "not installed: ${path}")
  endif()
endforeach()

set(ENV{DISPLAY} "")
foreach(program IN ITEMS molvane3d molvane3d-cli)
  execute_process(COMMAND "${prefix}/bin/${program}" --version
    RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT status EQUAL 0 OR NOT out STREQUAL "${program} ${VERSION}\n")
    message(FATAL_ERROR "${program} --version: ${status} '${out}' ${err}")
  endif()
endforeach()

# A database only the prefix has shows where the tool looked.
file(WRITE "${prefix}/share/molvane3d/nmr/nmr15.pks" "from the prefix")
file(WRITE "${data}/nmr13.pks" "taught")
execute_process(COMMAND "${prefix}/bin/molvane3d-cli" --datadir "${data}"
                        nmr "${EXAMPLE}" --nucleus 1H
  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
file(READ "${data}/nmr15.pks" copied)
file(READ "${data}/nmr13.pks" taught)
if(NOT status EQUAL 0 OR out STREQUAL "" OR NOT EXISTS "${data}/nmr01.pks"
   OR NOT copied STREQUAL "from the prefix" OR NOT taught STREQUAL "taught")
  message(FATAL_ERROR "installed nmr (${status}): '${copied}' '${taught}' ${err}")
endif()

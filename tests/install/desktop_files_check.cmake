# Validates the menu entry, the AppStream metainfo and the file types with
# the desktop's own tools, and checks that a document is recognised by its
# first bytes alone. Each check is skipped, with a message, when its tool
# is absent.
# Run as: cmake -DSOURCE=<source dir> -DMETAINFO=<configured metainfo>
#         -DEXAMPLE=<.mlv> -DWORK=<scratch dir> -P desktop_files_check.cmake
set(id org.molvane.molvane3d)
set(skipped "")

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE status
                  OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${ARGN}\n${out}${err}")
  endif()
  set(out "${out}" PARENT_SCOPE)
endfunction()

find_program(desktop_validate desktop-file-validate)
if(desktop_validate)
  run("${desktop_validate}" "${SOURCE}/data/desktop/${id}.desktop")
else()
  list(APPEND skipped desktop-file-validate)
endif()

find_program(appstream appstreamcli)
if(appstream)
  # The file must carry the id's name for the validator to match them.
  run("${appstream}" validate --no-net "${METAINFO}")
else()
  list(APPEND skipped appstreamcli)
endif()

find_program(update_mime update-mime-database)
find_program(gio gio)
if(update_mime)
  set(mime "${WORK}/mimedata")
  file(REMOVE_RECURSE "${mime}")
  file(COPY "${SOURCE}/data/mime/${id}.xml" DESTINATION "${mime}/mime/packages")
  run("${update_mime}" "${mime}/mime")
  if(gio)
    # No extension: only the magic rule can name the type.
    file(COPY_FILE "${EXAMPLE}" "${WORK}/unnamed_document")
    set(ENV{XDG_DATA_HOME} "${mime}")
    set(ENV{XDG_DATA_DIRS} "${mime}:/usr/share")
    run("${gio}" info -a standard::content-type "${WORK}/unnamed_document")
    if(NOT out MATCHES "application/x-molvane3d")
      message(FATAL_ERROR "the document's first bytes were not recognised:\n${out}")
    endif()
  else()
    list(APPEND skipped gio)
  endif()
else()
  list(APPEND skipped update-mime-database)
endif()

if(skipped)
  message("skipped, not installed: ${skipped}")
endif()

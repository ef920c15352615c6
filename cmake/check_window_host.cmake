# Fails when a file of the window other than the main window itself includes
# the main window's header: tool windows reach it through ttoolhost.
# Run as: cmake -DSOURCE_DIR=<src> -P check_window_host.cmake
cmake_minimum_required(VERSION 3.20)
# The drawing view is the main window's central widget, not a tool window;
# window_status.cpp holds more of the main window's own members.
set(allowed main_window.h main_window.cpp window_status.cpp main.cpp
    drawing_view.cpp)
file(GLOB_RECURSE files "${SOURCE_DIR}/app/*.h" "${SOURCE_DIR}/app/*.cpp")
set(offenders "")
foreach(path IN LISTS files)
  get_filename_component(name "${path}" NAME)
  if(name IN_LIST allowed)
    continue()
  endif()
  file(STRINGS "${path}" includes
       REGEX "^[ \t]*#[ \t]*include[ \t]*\"app/main_window\\.h\"")
  if(includes)
    list(APPEND offenders "${path}")
  endif()
endforeach()
if(offenders)
  list(JOIN offenders "\n" message)
  message(FATAL_ERROR "Include app/tool_host.h instead of the main window in:\n${message}")
endif()

# Fails unless the Python module was built: MODULE is the path of its
# shared object, or empty when the build left it out.
# Run as: cmake -DMODULE=<file> -P check_python_module.cmake
cmake_policy(VERSION 3.20)
if(NOT MODULE)
  message(FATAL_ERROR
    "The Python module molvane was not built: install pybind11-dev and "
    "python3-dev (scripts/setup.sh does it) and configure again.")
endif()
if(NOT EXISTS "${MODULE}")
  message(FATAL_ERROR "The Python module ${MODULE} is missing: build it.")
endif()

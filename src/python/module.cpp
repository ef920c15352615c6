// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The compiled part of the Python package molvane.
#include "python/python_bindings.h"
#include "python/python_molecule.h"
#include "support/shipped_data.h"

#include <pybind11/stl/filesystem.h>

#include <filesystem>

namespace py = pybind11;

PYBIND11_MODULE(_core, module) {
  module.doc() = "The core of the molvane package; use molvane itself.";
  module.attr("__version__") = MOLVANE_VERSION;
  py::register_exception<molvane::tmoduleerror>(module, "Error",
                                                PyExc_ValueError);
  module.def("_use_data_near", &molvane::useshippeddatanear, py::arg("folder"),
             "Reads the data that comes with the program from folder/../share/"
             "molvane3d when that folder exists (an installed module).");
  molvane::bindmolecule(module);
  molvane::bindfiles(module);
  molvane::bindmodelling(module);
  molvane::bindreaction(module);
  molvane::bindpictures(module);
}

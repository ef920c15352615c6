// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <pybind11/pybind11.h>

namespace molvane {

/// Each adds one part of the module's API to module.
void bindmolecule(pybind11::module_& module);
void bindfiles(pybind11::module_& module);
void bindmodelling(pybind11::module_& module);
void bindreaction(pybind11::module_& module);
void bindpictures(pybind11::module_& module);

}  // namespace molvane

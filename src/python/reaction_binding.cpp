// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
// A drawn reaction balanced and worked out as the reaction command does.
#include "cli/reaction_command.h"
#include "document/drawing.h"
#include "python/python_bindings.h"
#include "python/python_molecule.h"
#include "thermo/partition_function.h"

#include <pybind11/stl.h>

#include <cmath>
#include <optional>
#include <string>
#include <vector>

namespace py = pybind11;

namespace molvane {

namespace {

treactionsummary react(tmolecule& molecule, double temperature, double pressure,
                       bool optimize, long reference) {
  if (!std::isfinite(temperature) || temperature < 0.0 || temperature > 1e6) {
    throw tmoduleerror("temperature must lie between 0 and 1000000 K");
  }
  if (!std::isfinite(pressure) || pressure < lowestpressure || pressure > 1e6) {
    throw tmoduleerror("pressure must lie between 0.01 and 1000000 atm");
  }
  if (reference < 1) {
    throw tmoduleerror("reference must be a structure number of 1 or more");
  }
  treactionrequest request;
  request.temperature = temperature;
  request.pressure = pressure;
  request.optimize = optimize;
  request.reference = reference;
  treactionsummary summary;
  {
    py::gil_scoped_release unlocked;
    summary = summarisereaction(molecule.drawing(), request);
  }
  if (!summary.error.empty()) {
    throw tmoduleerror(summary.error);
  }
  return summary;
}

/// A value of a balanced reaction; None for one that could not be
/// balanced, whose values mean nothing.
std::optional<double> balancedvalue(const treactionsummary& result,
                                    double value) {
  if (!result.balanced) {
    return std::nullopt;
  }
  return value;
}

}  // namespace

void bindreaction(py::module_& module) {
  py::class_<treactionsummary>(
      module, "Reaction",
      "A balanced reaction: per structure (reactants, products, solvents) its "
      "role, formula and amount; ΔH and ΔG in kcal/mol, ΔS in cal/(mol K) "
      "and log K, or None when it could not be balanced.")
      .def_readonly("roles", &treactionsummary::roles)
      .def_readonly("formulas", &treactionsummary::formulas)
      .def_readonly("amounts", &treactionsummary::amounts)
      .def_readonly("solved", &treactionsummary::solved)
      .def_readonly("balanced", &treactionsummary::balanced)
      .def_readonly("status", &treactionsummary::status)
      .def_readonly("message", &treactionsummary::message)
      .def_property_readonly("delta_h",
                             [](const treactionsummary& result) {
                               return balancedvalue(
                                   result, 0.001 * result.values.enthalpy);
                             })
      .def_property_readonly("delta_s",
                             [](const treactionsummary& result) {
                               return balancedvalue(result,
                                                    result.values.entropy);
                             })
      .def_property_readonly("delta_g",
                             [](const treactionsummary& result) {
                               return balancedvalue(
                                   result, 0.001 * result.values.freeenergy);
                             })
      .def_property_readonly("log_k",
                             [](const treactionsummary& result) {
                               return balancedvalue(result, result.values.logk);
                             })
      .def("__repr__", [](const treactionsummary& result) {
        return "<Reaction " + result.status + ">";
      });
  module.def("_react", &react, py::arg("drawing"), py::arg("temperature"),
             py::arg("pressure"), py::arg("optimize"), py::arg("reference"));
}

}  // namespace molvane

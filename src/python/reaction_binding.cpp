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

/// The answer in the units the command prints: kcal/mol, cal/(mol K).
struct treactionresult {
  std::vector<std::string> roles;
  std::vector<std::string> formulas;
  std::vector<double> amounts;
  bool solved = false;
  bool balanced = false;
  std::string status;
  std::string message;
  std::optional<double> enthalpy;
  std::optional<double> entropy;
  std::optional<double> freeenergy;
  std::optional<double> logk;
};

treactionresult react(tmolecule& molecule, double temperature, double pressure,
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
  treactionresult result;
  result.roles = summary.roles;
  result.formulas = summary.formulas;
  result.amounts = summary.amounts;
  result.solved = summary.solved;
  result.balanced = summary.balanced;
  result.status = summary.status;
  result.message = summary.message;
  if (summary.balanced) {
    result.enthalpy = 0.001 * summary.values.enthalpy;
    result.entropy = summary.values.entropy;
    result.freeenergy = 0.001 * summary.values.freeenergy;
    result.logk = summary.values.logk;
  }
  return result;
}

}  // namespace

void bindreaction(py::module_& module) {
  py::class_<treactionresult>(
      module, "Reaction",
      "A balanced reaction: per structure (reactants, products, solvents) its "
      "role, formula and amount; ΔH and ΔG in kcal/mol, ΔS in cal/(mol K) "
      "and log K, or None when it could not be balanced.")
      .def_readonly("roles", &treactionresult::roles)
      .def_readonly("formulas", &treactionresult::formulas)
      .def_readonly("amounts", &treactionresult::amounts)
      .def_readonly("solved", &treactionresult::solved)
      .def_readonly("balanced", &treactionresult::balanced)
      .def_readonly("status", &treactionresult::status)
      .def_readonly("message", &treactionresult::message)
      .def_readonly("delta_h", &treactionresult::enthalpy)
      .def_readonly("delta_s", &treactionresult::entropy)
      .def_readonly("delta_g", &treactionresult::freeenergy)
      .def_readonly("log_k", &treactionresult::logk)
      .def("__repr__", [](const treactionresult& result) {
        return "<Reaction " + result.status + ">";
      });
  module.def("_react", &react, py::arg("drawing"), py::arg("temperature"),
             py::arg("pressure"), py::arg("optimize"), py::arg("reference"));
}

}  // namespace molvane

// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Hydrogens, Make 3D, the force field and NMR prediction. The long calls
// run without the interpreter lock, so threads run them side by side.
#include "cli/nmr_command.h"
#include "cli/optimize_command.h"
#include "commands/hydrogen_commands.h"
#include "document/drawing.h"
#include "document/messages.h"
#include "mechanics/embedding.h"
#include "mechanics/force_field_parameters.h"
#include "mechanics/optimizer.h"
#include "nmr/database_files.h"
#include "nmr/peak.h"
#include "nmr/peak_database.h"
#include "nmr/predictor.h"
#include "python/interrupt_watch.h"
#include "python/python_bindings.h"
#include "python/python_molecule.h"

#include <pybind11/stl.h>

#include <cmath>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace py = pybind11;

namespace molvane {

namespace {

struct toptimizeresult {
  std::string method;
  /// kcal/mol.
  double startenergy = 0.0;
  double energy = 0.0;
  bool converged = false;
  bool stopped = false;
  long sweeps = 0;
  long iterations = 0;
  double rmsgradient = 0.0;
  double seconds = 0.0;
};

struct tembedoutcome {
  double energy = 0.0;
  int hydrogens = 0;
  int startclashes = 0;
  int unheld = 0;
  std::string warning;
};

struct tshiftview {
  int atom = 0;
  std::optional<double> shift;
  int level = 0;
};

int addhydrogens(tmolecule& molecule, bool threed) {
  return applyhydrogencommand(
      molecule.drawing(),
      threed ? thydrogencommand::add3d : thydrogencommand::add2d);
}

int removehydrogens(tmolecule& molecule) {
  return applyhydrogencommand(molecule.drawing(), thydrogencommand::remove);
}

tembedoutcome embed(tmolecule& molecule, int conformers, long seed) {
  if (conformers < 1 || conformers > 1000) {
    throw tmoduleerror("conformers must be a whole number from 1 to 1000");
  }
  if (seed < 0) {
    throw tmoduleerror("seed must be 0 or more");
  }
  tembedsettings settings;
  settings.conformers = conformers;
  settings.seed = static_cast<std::uint64_t>(seed);
  tembedresult result;
  {
    py::gil_scoped_release unlocked;
    result = embedmolecule(molecule.drawing(), settings);
  }
  if (!result.error.empty()) {
    throw tmoduleerror(result.error);
  }
  return {result.energykcal, result.hydrogens, result.startclashes,
          result.unheld, result.warning};
}

toptimizeresult optimize(tmolecule& molecule, const std::string& methodname,
                         double tolerance, std::optional<double> maxseconds,
                         long seed) {
  const tmethodname* method = optimizermethodnamed(methodname);
  if (method == nullptr) {
    throw tmoduleerror("unknown method \"" + methodname +
                       "\": use normal, refine, anneal, global, random, "
                       "molecules or molecules-anneal");
  }
  if (!std::isfinite(tolerance) || tolerance < 1e-6 || tolerance > 1e9) {
    throw tmoduleerror("tolerance must lie between 1e-6 and 1e9 cal/mol");
  }
  if (maxseconds && (!std::isfinite(*maxseconds) || *maxseconds < 0.0)) {
    throw tmoduleerror("max_seconds must be 0 or more");
  }
  if (seed < 0) {
    throw tmoduleerror("seed must be 0 or more");
  }
  toptimizer optimizer(molecule.drawing());
  optimizer.settings.tolerance = tolerance;
  optimizer.settings.seed = static_cast<std::uint64_t>(seed);
  optimizer.settings.maxseconds = maxseconds.value_or(0.0);
  if (method->endless && optimizer.settings.maxseconds <= 0.0) {
    optimizer.settings.maxseconds = searchseconds;
  }
  tinterruptwatch watch;
  optimizer.hooks.processmessages = [&optimizer, &watch] {
    if (watch.interrupted()) {
      optimizer.requeststop();
    }
  };
  std::string problem;
  {
    py::gil_scoped_release unlocked;
    problem = optimizer.runoptimizer(method->code);
  }
  watch.raise();
  if (!problem.empty()) {
    throw tmoduleerror(problem);
  }
  const toptimizerstate& state = optimizer.state();
  return {method->name,
          state.startenergy * kcalpercal,
          state.energy * kcalpercal,
          state.converged,
          state.stopped,
          state.sweeps,
          state.iterations,
          state.rmsgradient,
          state.seconds};
}

/// The databases the program comes with, read once per nucleus.
std::shared_ptr<IPeakdb> shippeddatabase(int nucleus) {
  static std::mutex guard;
  static std::map<int, std::shared_ptr<IPeakdb>> databases;
  const std::lock_guard<std::mutex> held(guard);
  std::shared_ptr<IPeakdb>& db = databases[nucleus];
  if (db == nullptr) {
    std::string problem;
    db = nmrdatabase(tclioptions{}, "", nucleus, problem);
    if (db == nullptr) {
      throw tmoduleerror(problem);
    }
    // The database outlives the thread that read it, and so that thread's
    // session, whose messages it was given.
    static tsilentmessages messages;
    static tsilentprogress progress;
    if (auto* shipped = dynamic_cast<tpeakdb*>(db.get())) {
      shipped->setreporting(messages, progress);
    }
  }
  return db;
}

std::vector<tshiftview> predictnmr(tmolecule& molecule, const std::string& name,
                                   const std::optional<std::string>& dbfile) {
  const int nucleus = nucleusfromname(name);
  if (nucleus == 0) {
    throw tmoduleerror("unknown nucleus \"" + name +
                       "\": use 1H, 13C, 15N, 19F or 31P");
  }
  std::shared_ptr<IPeakdb> db;
  if (dbfile) {
    std::string problem;
    db = nmrdatabase(tclioptions{}, *dbfile, nucleus, problem);
    if (db == nullptr) {
      throw tmoduleerror(problem);
    }
  } else {
    db = shippeddatabase(nucleus);
  }
  std::vector<tatomshift> shifts;
  {
    py::gil_scoped_release unlocked;
    shifts = predictshifts(molecule.drawing(), db);
  }
  const std::vector<int> positions = molecule.chemicalpositions();
  std::vector<tshiftview> result;
  for (const tatomshift& shift : shifts) {
    const auto at = static_cast<std::size_t>(shift.atomindex);
    if (shift.atomindex < 0 || at >= positions.size() || positions[at] < 0) {
      continue;
    }
    tshiftview entry;
    entry.atom = positions[at];
    entry.level = shift.level;
    if (shift.level != 0 && shift.shift > noshift + 0.5) {
      entry.shift = shift.shift;
    }
    result.push_back(entry);
  }
  return result;
}

}  // namespace

void bindmodelling(py::module_& module) {
  py::class_<toptimizeresult>(module, "OptimizeResult",
                              "What a force-field run did; energies in "
                              "kcal/mol.")
      .def_readonly("method", &toptimizeresult::method)
      .def_readonly("start_energy", &toptimizeresult::startenergy)
      .def_readonly("energy", &toptimizeresult::energy)
      .def_readonly("converged", &toptimizeresult::converged)
      .def_readonly("stopped", &toptimizeresult::stopped)
      .def_readonly("sweeps", &toptimizeresult::sweeps)
      .def_readonly("iterations", &toptimizeresult::iterations)
      .def_readonly("rms_gradient", &toptimizeresult::rmsgradient,
                    "kcal/(mol Å)")
      .def_readonly("seconds", &toptimizeresult::seconds)
      .def("__repr__", [](const toptimizeresult& result) {
        return "<OptimizeResult " + result.method + " " +
               std::to_string(result.energy) + " kcal/mol" +
               (result.converged ? " converged>" : ">");
      });
  py::class_<tembedoutcome>(module, "EmbedResult",
                            "What Make 3D did; energy in kcal/mol.")
      .def_readonly("energy", &tembedoutcome::energy)
      .def_readonly("hydrogens", &tembedoutcome::hydrogens, "hydrogens added")
      .def_readonly("start_clashes", &tembedoutcome::startclashes)
      .def_readonly("unheld", &tembedoutcome::unheld,
                    "stated centres and double bonds the model lost")
      .def_readonly("warning", &tembedoutcome::warning);
  py::class_<tshiftview>(module, "Shift", "A predicted shift of one atom.")
      .def_readonly("atom", &tshiftview::atom, "0-based atom index")
      .def_readonly("shift", &tshiftview::shift, "ppm, or None when none")
      .def_readonly("level", &tshiftview::level,
                    "how closely the database matched; 0 for no shift")
      .def("__repr__", [](const tshiftview& shift) {
        return "<Shift atom " + std::to_string(shift.atom) + " " +
               (shift.shift ? std::to_string(*shift.shift) : "None") + ">";
      });

  py::object molecule = module.attr("Molecule");
  molecule.attr("add_hydrogens") = py::cpp_function(
      &addhydrogens, py::is_method(molecule), py::kw_only(),
      py::arg("three_d") = false,
      "Completes every atom with hydrogens, flat or placed in 3D; returns "
      "how many were added.");
  molecule.attr("remove_hydrogens") =
      py::cpp_function(&removehydrogens, py::is_method(molecule),
                       "Removes the hydrogens; returns how many.");
  molecule.attr("embed") = py::cpp_function(
      &embed, py::is_method(molecule), py::kw_only(), py::arg("conformers") = 4,
      py::arg("seed") = 1,
      "Make 3D: a relaxed 3D model with hydrogens that keeps the stated "
      "stereo; the lowest of conformers relaxed starts stays. The same seed "
      "gives the same model.");
  molecule.attr("optimize") = py::cpp_function(
      &optimize, py::is_method(molecule), py::kw_only(),
      py::arg("method") = "normal", py::arg("tolerance") = 30.0,
      py::arg("max_seconds") = py::none(), py::arg("seed") = 1,
      "Relaxes the geometry in the force field. method: normal, refine, "
      "anneal, global, random, molecules, molecules-anneal; tolerance in "
      "cal/mol; searches that run until stopped end after max_seconds (10 "
      "when not given). Ctrl+C stops the run with the best geometry found "
      "and raises KeyboardInterrupt.");
  molecule.attr("predict_nmr") = py::cpp_function(
      &predictnmr, py::is_method(molecule), py::arg("nucleus") = "13C",
      py::kw_only(), py::arg("database") = py::none(),
      "Predicted shifts of the atoms that carry nucleus (1H, 13C, 15N, "
      "19F, 31P), in atom order, from the database that comes with the "
      "program or the .pks file database.");
}

}  // namespace molvane

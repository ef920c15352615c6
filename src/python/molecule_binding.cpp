// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Molecule: atoms, bonds, coordinates, SMILES and what `info` reports.
#include "chemistry/inchi_identifier.h"
#include "cli/drawing_info.h"
#include "document/drawing.h"
#include "io/smiles_format.h"
#include "model/atom.h"
#include "model/bond.h"
#include "model/element_data.h"
#include "python/python_bindings.h"
#include "python/python_molecule.h"

#include <pybind11/numpy.h>
#include <pybind11/stl.h>

#include <array>
#include <cmath>
#include <string>
#include <tuple>
#include <vector>

namespace py = pybind11;

namespace molvane {

namespace {

/// An atom as Python sees it: values copied out of the drawing.
struct tatomview {
  int index = 0;
  std::string element;
  int atomicnumber = 0;
  int charge = 0;
  /// Mass number of a stated isotope; 0 for the natural mixture.
  int isotope = 0;
  std::array<double, 3> position{};
};

struct tbondview {
  std::tuple<int, int> atoms;
  /// 1, 1.5, 2, 3 ... (half orders are the drawing's).
  double order = 0.0;
  bool aromatic = false;
};

/// Drawing units to Å with y up, as molfiles have it.
std::array<double, 3> angstromof(const tatm& atom, double scale) {
  return {atom.x * scale, -atom.y * scale, atom.z * scale};
}

std::vector<tatomview> atomsof(const tmolecule& molecule) {
  std::vector<tatomview> views;
  const double scale = molecule.angstromperunit();
  for (const tatm* atom : molecule.chemicalatoms()) {
    tatomview view;
    view.index = static_cast<int>(views.size());
    view.atomicnumber = atom->element;
    view.element = std::string(symbolof(atom->element));
    view.charge = atom->fcharge;
    view.isotope = nuclidemassnumber(*atom);
    view.position = angstromof(*atom, scale);
    views.push_back(std::move(view));
  }
  return views;
}

std::vector<tbondview> bondsof(const tmolecule& molecule) {
  std::vector<tbondview> views;
  std::vector<tatm*> atoms = molecule.chemicalatoms();
  auto positionof = [&atoms](const tatm* atom) {
    for (std::size_t i = 0; i < atoms.size(); ++i) {
      if (atoms[i] == atom) {
        return static_cast<int>(i);
      }
    }
    return -1;
  };
  for (const tbond* bond : molecule.drawing().bonds) {
    if (bond->chemical == 0) {
      continue;
    }
    const int a = positionof(bond->atom1);
    const int b = positionof(bond->atom2);
    if (a < 0 || b < 0) {
      continue;
    }
    views.push_back({{a, b}, bond->kind() / 2.0, bond->isdelocalised()});
  }
  return views;
}

py::array_t<double> coordinatesof(const tmolecule& molecule) {
  std::vector<tatm*> atoms = molecule.chemicalatoms();
  py::array_t<double> array(
      {static_cast<py::ssize_t>(atoms.size()), static_cast<py::ssize_t>(3)});
  auto cells = array.mutable_unchecked<2>();
  const double scale = molecule.angstromperunit();
  for (std::size_t i = 0; i < atoms.size(); ++i) {
    const std::array<double, 3> at = angstromof(*atoms[i], scale);
    for (py::ssize_t k = 0; k < 3; ++k) {
      cells(static_cast<py::ssize_t>(i), k) = at[static_cast<std::size_t>(k)];
    }
  }
  return array;
}

void setcoordinates(
    tmolecule& molecule,
    const py::array_t<double, py::array::c_style | py::array::forcecast>& xyz) {
  std::vector<tatm*> atoms = molecule.chemicalatoms();
  if (xyz.ndim() != 2 || xyz.shape(1) != 3 ||
      xyz.shape(0) != static_cast<py::ssize_t>(atoms.size())) {
    throw tmoduleerror("coordinates must be an array of shape (" +
                       std::to_string(atoms.size()) + ", 3)");
  }
  auto cells = xyz.unchecked<2>();
  for (py::ssize_t i = 0; i < xyz.shape(0); ++i) {
    for (py::ssize_t k = 0; k < 3; ++k) {
      if (!std::isfinite(cells(i, k))) {
        throw tmoduleerror("coordinates must be finite numbers");
      }
    }
  }
  const double units = 1.0 / molecule.angstromperunit();
  for (std::size_t i = 0; i < atoms.size(); ++i) {
    const auto row = static_cast<py::ssize_t>(i);
    atoms[i]->setxyz(cells(row, 0) * units, -cells(row, 1) * units,
                     cells(row, 2) * units);
  }
}

tmolecule fromsmiles(const std::string& text) {
  treadresult result = readsmilesline(1, text, defaultsettings());
  if (result.extent() == treadextent::nothing) {
    throw tmoduleerror("not SMILES: " + result.error);
  }
  return tmolecule(std::move(result.drawing));
}

std::string tosmiles(const tmolecule& molecule) {
  std::string error;
  std::string smiles = writesmiles(molecule.drawing(), error);
  if (!error.empty()) {
    throw tmoduleerror(error);
  }
  return smiles;
}

tinchiresult inchiof(const tmolecule& molecule) {
  tinchiresult result = standardinchi(molecule.drawing());
  if (result.inchi.empty()) {
    throw tmoduleerror(result.message.empty() ? "no InChI" : result.message);
  }
  return result;
}

std::string trimmed(std::string text) {
  while (!text.empty() && text.back() == ' ') {
    text.pop_back();
  }
  return text;
}

}  // namespace

void bindmolecule(py::module_& module) {
  py::class_<tatomview>(module, "Atom",
                        "An atom of a molecule: a copy of its values at the "
                        "time it was asked for.")
      .def_readonly("index", &tatomview::index,
                    "0-based position among the molecule's atoms")
      .def_readonly("element", &tatomview::element, "element symbol")
      .def_readonly("atomic_number", &tatomview::atomicnumber)
      .def_readonly("charge", &tatomview::charge, "formal charge")
      .def_readonly("isotope", &tatomview::isotope,
                    "mass number of a stated isotope, 0 for none")
      .def_readonly("position", &tatomview::position, "(x, y, z) in Å")
      .def("__repr__", [](const tatomview& atom) {
        return "<Atom " + std::to_string(atom.index) + " " + atom.element + ">";
      });
  py::class_<tbondview>(module, "Bond", "A bond between two atoms (a copy).")
      .def_readonly("atoms", &tbondview::atoms,
                    "the 0-based indices of its two atoms")
      .def_readonly("order", &tbondview::order, "1.0, 1.5, 2.0 or 3.0")
      .def_readonly("aromatic", &tbondview::aromatic)
      .def("__repr__", [](const tbondview& bond) {
        return "<Bond " + std::to_string(std::get<0>(bond.atoms)) + "-" +
               std::to_string(std::get<1>(bond.atoms)) + " order " +
               std::to_string(bond.order) + ">";
      });

  py::class_<tmolecule>(module, "Molecule",
                        "A drawing of one or more structures: what a file of "
                        "the program holds.")
      .def(py::init<>(), "An empty molecule.")
      .def_static("from_smiles", &fromsmiles, py::arg("smiles"),
                  "Reads a SMILES string (a name may follow after a blank) "
                  "and lays it out flat. Raises Error when it is not SMILES.")
      .def("to_smiles", &tosmiles,
           "SMILES of the chemical atoms, with the stereo the drawing "
           "states.")
      .def("copy", &tmolecule::copy, "A deep copy.")
      .def("__copy__", &tmolecule::copy)
      .def("__deepcopy__", [](const tmolecule& molecule,
                              const py::dict&) { return molecule.copy(); })
      .def_property_readonly("atoms", &atomsof,
                             "The chemical atoms (copies: changing them does "
                             "not change the molecule).")
      .def_property_readonly("bonds", &bondsof,
                             "The bonds between chemical atoms (copies).")
      .def("__len__",
           [](const tmolecule& molecule) {
             return molecule.chemicalatoms().size();
           })
      .def_property_readonly(
          "coordinates", &coordinatesof,
          "An (n, 3) NumPy array of the atoms' positions in Å (y up). It is a "
          "copy: changing it does not move the atoms; set_coordinates writes "
          "positions back.")
      .def("set_coordinates", &setcoordinates, py::arg("xyz"),
           "Moves the atoms to the rows of xyz, an (n, 3) array in Å.")
      .def_property(
          "title",
          [](const tmolecule& molecule) { return molecule.drawing().title(); },
          [](tmolecule& molecule, const std::string& title) {
            molecule.drawing().settitle(title);
          },
          "The drawing's title (an SD record's name).")
      .def_property_readonly(
          "formula",
          [](tmolecule& molecule) {
            return trimmed(drawinginfo(molecule.drawing()).formula);
          },
          "The formula as the program shows it.")
      .def_property_readonly("hill_formula",
                             [](tmolecule& molecule) {
                               return drawinginfo(molecule.drawing()).hill;
                             })
      .def_property_readonly(
          "weight",
          [](tmolecule& molecule) {
            return drawinginfo(molecule.drawing()).weight;
          },
          "Formula weight, g/mol.")
      .def_property_readonly(
          "charge",
          [](tmolecule& molecule) {
            return drawinginfo(molecule.drawing()).charge;
          },
          "Net charge.")
      .def_property_readonly(
          "dipole",
          [](tmolecule& molecule) {
            const tdrawinginfo info = drawinginfo(molecule.drawing());
            const TXYZ& v = info.data.dipole.vector;
            return py::make_tuple(info.data.dipole.debye,
                                  py::make_tuple(v.x, -v.y, v.z));
          },
          "(debye, (x, y, z)): the dipole moment from the partial charges "
          "and its vector, y up.")
      .def_property_readonly(
          "principal_moments",
          [](tmolecule& molecule) {
            return drawinginfo(molecule.drawing()).moments;
          },
          "The principal moments of inertia, amu·Å².")
      .def_property_readonly(
          "partial_charges",
          [](tmolecule& molecule) {
            return drawinginfo(molecule.drawing()).partialcharges;
          })
      .def_property_readonly(
          "inchi",
          [](const tmolecule& molecule) { return inchiof(molecule).inchi; },
          "The standard InChI; raises Error when the library cannot "
          "describe the molecule.")
      .def_property_readonly(
          "inchikey",
          [](const tmolecule& molecule) { return inchiof(molecule).key; },
          "The standard InChIKey, the key public databases look up.")
      .def("__repr__", [](tmolecule& molecule) {
        return "<Molecule " + drawinginfo(molecule.drawing()).hill + ">";
      });
}

}  // namespace molvane

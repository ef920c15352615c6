// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "chemistry/inchi_identifier.h"

#include "chemistry/kekulisation.h"
#include "chemistry/record_layout.h"
#include "chemistry/record_of_drawing.h"
#include "model/atom.h"
#include "model/element_data.h"

#include <inchi_api.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <map>
#include <mutex>
#include <utility>

namespace molvane {

namespace {

// The library keeps state between calls and is not reentrant: every call
// into it goes through this lock.
std::mutex& librarylock() {
  static std::mutex lock;
  return lock;
}

// Longer texts are not read: no InChI of a molecule the library describes
// comes near it.
constexpr std::size_t longestinchi = 200000;

std::string librarysymbol(int element) {
  // The program spells element 103 the old way.
  return element == 103 ? "Lr" : std::string(symbolof(element));
}

bool addneighbour(inchi_Atom& atom, int neighbour, int type, int stereo) {
  if (atom.num_bonds >= MAXVAL) {
    return false;
  }
  atom.neighbor[atom.num_bonds] = static_cast<AT_NUM>(neighbour);
  atom.bond_type[atom.num_bonds] = static_cast<S_CHAR>(type);
  atom.bond_stereo[atom.num_bonds] = static_cast<S_CHAR>(stereo);
  ++atom.num_bonds;
  return true;
}

int librarybondtype(int kind) {
  switch (kind) {
    case 4:
      return INCHI_BOND_TYPE_DOUBLE;
    case 6:
      return INCHI_BOND_TYPE_TRIPLE;
    case 3:
      return INCHI_BOND_TYPE_ALTERN;
    default:
      return INCHI_BOND_TYPE_SINGLE;
  }
}

// The flat stereo of a bond as the library reads it, from the end at
// atom1: a wedge or hash stated at its narrow end, or an open double bond.
int librarybondstereo(const tmoleculerecord& record, const tbondentry& bond) {
  if (bond.kind == 4) {
    return bond.stereomark == tstereomark::unstated
               ? INCHI_BOND_STEREO_DOUBLE_EITHER
               : INCHI_BOND_STEREO_NONE;
  }
  const tatomentry& narrow = record.atoms[static_cast<std::size_t>(bond.atom1)];
  if (narrow.stereomark == tstereomark::unstated) {
    return INCHI_BOND_STEREO_NONE;
  }
  switch (bond.style) {
    case tbondstyle::wedge:
      return INCHI_BOND_STEREO_SINGLE_1UP;
    case tbondstyle::hashed:
      return INCHI_BOND_STEREO_SINGLE_1DOWN;
    default:
      return INCHI_BOND_STEREO_NONE;
  }
}

bool flat(const tmoleculerecord& record) {
  return std::all_of(record.atoms.begin(), record.atoms.end(),
                     [](const tatomentry& atom) {
                       return atom.x == 0.0 && atom.y == 0.0 && atom.z == 0.0;
                     });
}

std::vector<inchi_Stereo0D> libraryparities(const trecordstereo& stereo,
                                            const tmoleculerecord& record) {
  std::vector<inchi_Stereo0D> parities;
  for (const ttetrahedralstereo& centre : stereo.centres) {
    inchi_Stereo0D entry{};
    entry.central_atom = static_cast<AT_NUM>(centre.centre);
    entry.type = INCHI_StereoType_Tetrahedral;
    // The library stands the centre itself in for an implicit hydrogen or
    // a lone pair; the sense is read from the first neighbour.
    for (std::size_t i = 0; i < 4; ++i) {
      entry.neighbor[i] = static_cast<AT_NUM>(
          centre.neighbours[i] < 0 ? centre.centre : centre.neighbours[i]);
    }
    entry.parity = static_cast<S_CHAR>(
        centre.anticlockwise ? INCHI_PARITY_ODD : INCHI_PARITY_EVEN);
    parities.push_back(entry);
  }
  for (const tdoublebondstereo& bond : stereo.doublebonds) {
    const tbondentry& entry = record.bonds[static_cast<std::size_t>(bond.bond)];
    inchi_Stereo0D parity{};
    parity.central_atom = NO_ATOM;
    parity.type = INCHI_StereoType_DoubleBond;
    parity.neighbor[0] = static_cast<AT_NUM>(bond.neighbour1);
    parity.neighbor[1] = static_cast<AT_NUM>(entry.atom1);
    parity.neighbor[2] = static_cast<AT_NUM>(entry.atom2);
    parity.neighbor[3] = static_cast<AT_NUM>(bond.neighbour2);
    parity.parity =
        static_cast<S_CHAR>(bond.cis ? INCHI_PARITY_ODD : INCHI_PARITY_EVEN);
    parities.push_back(parity);
  }
  return parities;
}

// The library's atoms for a record; "" or why the record cannot be given.
std::string libraryatoms(const tmoleculerecord& record,
                         std::vector<inchi_Atom>& atoms) {
  atoms.assign(record.atoms.size(), inchi_Atom{});
  std::vector<int> hydrogenatoms(record.atoms.size(), 0);
  for (const tbondentry& bond : record.bonds) {
    const auto a = static_cast<std::size_t>(bond.atom1);
    const auto b = static_cast<std::size_t>(bond.atom2);
    hydrogenatoms[a] += record.atoms[b].element == 1 ? 1 : 0;
    hydrogenatoms[b] += record.atoms[a].element == 1 ? 1 : 0;
    const int type = librarybondtype(bond.kind);
    const int stereo = librarybondstereo(record, bond);
    // Each bond is listed once; from the far end the sign of its stereo
    // turns round.
    if (!addneighbour(atoms[a], bond.atom2, type, stereo) &&
        !addneighbour(atoms[b], bond.atom1, type, -stereo)) {
      return "an atom has more than " + std::to_string(MAXVAL) +
             " bonds, more than InChI describes";
    }
  }
  for (std::size_t i = 0; i < record.atoms.size(); ++i) {
    const tatomentry& entry = record.atoms[i];
    inchi_Atom& atom = atoms[i];
    if (entry.element < 1) {
      return "InChI cannot describe pseudo atoms (R groups, \"*\")";
    }
    const std::string symbol = librarysymbol(entry.element);
    // Element symbols are at most three letters; the field holds five and
    // its end.
    const std::size_t length =
        std::min(symbol.size(), std::size_t{ATOM_EL_LEN - 1});
    std::memcpy(atom.elname, symbol.data(), length);
    atom.elname[length] = '\0';
    atom.x = entry.x;
    atom.y = entry.y;
    atom.z = entry.z;
    atom.charge = static_cast<S_CHAR>(std::clamp(entry.charge, -100, 100));
    atom.radical = static_cast<S_CHAR>(std::clamp(entry.radical, 0, 3));
    atom.isotopic_mass =
        static_cast<AT_NUM>(std::clamp(entry.massnumber, 0, 999));
    // A stated count is given exactly; otherwise the library completes the
    // atom by its usual valence.
    atom.num_iso_H[0] = static_cast<S_CHAR>(
        entry.hydrogens < 0
            ? -1
            : std::clamp(entry.hydrogens - hydrogenatoms[i], 0, 100));
  }
  return "";
}

std::string librarytext(const char* text) {
  return text == nullptr ? std::string() : std::string(text);
}

}  // namespace

namespace {

/// One call of the library over a record that passed the checks.
tinchiresult libraryinchi(const tmoleculerecord& record,
                          const trecordstereo& stereo) {
  tinchiresult result;
  std::vector<inchi_Atom> atoms;
  result.message = libraryatoms(record, atoms);
  if (!result.message.empty()) {
    return result;
  }
  std::vector<inchi_Stereo0D> parities;
  if (flat(record)) {
    parities = libraryparities(stereo, record);
  }
  char options[] = "";
  inchi_Input input{};
  input.atom = atoms.data();
  input.stereo0D = parities.empty() ? nullptr : parities.data();
  input.szOptions = options;
  input.num_atoms = static_cast<AT_NUM>(record.atoms.size());
  input.num_stereo0D = static_cast<AT_NUM>(parities.size());

  std::lock_guard<std::mutex> guard(librarylock());
  inchi_Output output{};
  const int code = GetStdINCHI(&input, &output);
  const std::string inchi = librarytext(output.szInChI);
  const std::string message = librarytext(output.szMessage);
  FreeStdINCHI(&output);
  if ((code != inchi_Ret_OKAY && code != inchi_Ret_WARNING) || inchi.empty()) {
    result.message = message.empty() ? "InChI could not describe the molecule"
                                     : "InChI: " + message;
    return result;
  }
  char key[32] = {};
  if (GetStdINCHIKeyFromStdINCHI(inchi.c_str(), key) != INCHIKEY_OK) {
    result.message = "no InChIKey for " + inchi;
    return result;
  }
  result.inchi = inchi;
  result.key = key;
  result.message = message;
  return result;
}

/// Whether the record has one-and-a-half bonds (kind 3).
bool hasdelocalisedbonds(const tmoleculerecord& record) {
  return std::any_of(record.bonds.begin(), record.bonds.end(),
                     [](const tbondentry& bond) { return bond.kind == 3; });
}

}  // namespace

tinchiresult standardinchi(const tmoleculerecord& record,
                           const trecordstereo& stereo) {
  tinchiresult result;
  const int count = static_cast<int>(record.atoms.size());
  if (count == 0) {
    result.message = "no atoms for InChI";
    return result;
  }
  if (count > largestinchiatoms) {
    result.message = "too many atoms for InChI (" + std::to_string(count) +
                     ", the limit is " + std::to_string(largestinchiatoms) +
                     ")";
    return result;
  }
  result = libraryinchi(record, stereo);
  // The library takes aromatic bonds only where it can place the double
  // bonds itself; elsewhere (a ring atom with a substituent and no
  // hydrogen to spare, say) it refuses them. The same atoms and bonds with
  // alternating bonds then describe the molecule; the aromatic form is
  // tried first because the library finds mobile hydrogens in it that a
  // fixed choice of double bonds can hide.
  if (result.inchi.empty() && hasdelocalisedbonds(record)) {
    tinchiresult kekule = libraryinchi(kekulerecord(record), stereo);
    if (!kekule.inchi.empty()) {
      result = std::move(kekule);
    }
  }
  return result;
}

tinchiresult standardinchi(const tdrawing& drawing) {
  return standardinchi(recordofdrawing(drawing));
}

namespace {

/// The mass number the library counts an isotope shift from. It is the
/// rounded mass of our table but for these elements, whose usual mass the
/// library takes from another isotope.
int librarymassnumber(int element) {
  static constexpr std::array<std::pair<int, int>, 13> differing = {{
      {43, 98},
      {46, 106},
      {66, 163},
      {84, 209},
      {94, 244},
      {96, 247},
      {97, 247},
      {98, 251},
      {99, 252},
      {100, 257},
      {101, 258},
      {102, 259},
      {103, 260},
  }};
  for (const auto& [number, massnumber] : differing) {
    if (number == element) {
      return massnumber;
    }
  }
  return roundhalfeven(massof(element));
}

int massnumberof(int element, int isotopicmass) {
  if (isotopicmass <= 0) {
    return 0;
  }
  if (isotopicmass >= ISOTOPIC_SHIFT_FLAG - ISOTOPIC_SHIFT_MAX) {
    return librarymassnumber(element) + isotopicmass - ISOTOPIC_SHIFT_FLAG;
  }
  return isotopicmass;
}

// The structure the library gives, as a record: its implicit hydrogens
// stay implicit, bar isotopic ones, which become atoms of their own.
std::string recordoflibrary(const inchi_OutputStruct& output,
                            tinchistructure& result) {
  tmoleculerecord& record = result.record;
  const int count = output.num_atoms;
  std::map<std::pair<int, int>, int> bonds;
  for (int i = 0; i < count; ++i) {
    const inchi_Atom& atom = output.atom[i];
    tatomentry entry;
    entry.element = elementofsymbol(atom.elname);
    if (std::strcmp(atom.elname, "Lr") == 0) {
      entry.element = 103;
    }
    if (entry.element < 1) {
      return std::string("InChI gives an unknown element \"") + atom.elname +
             "\"";
    }
    entry.charge = atom.charge;
    entry.radical = std::clamp(static_cast<int>(atom.radical), 0, 3);
    entry.massnumber = massnumberof(entry.element, atom.isotopic_mass);
    record.atoms.push_back(entry);
    for (int j = 0; j < atom.num_bonds && j < MAXVAL; ++j) {
      const int other = atom.neighbor[j];
      if (other < 0 || other >= count || other == i) {
        return "InChI gives a bond to a missing atom";
      }
      const auto ends = std::minmax(i, other);
      if (bonds.count(ends) == 0) {
        tbondentry bond;
        bond.atom1 = ends.first;
        bond.atom2 = ends.second;
        bond.kind = atom.bond_type[j] == INCHI_BOND_TYPE_DOUBLE   ? 4
                    : atom.bond_type[j] == INCHI_BOND_TYPE_TRIPLE ? 6
                    : atom.bond_type[j] == INCHI_BOND_TYPE_ALTERN ? 3
                                                                  : 2;
        bonds[ends] = static_cast<int>(record.bonds.size());
        record.bonds.push_back(bond);
      }
    }
  }
  // Every hydrogen is known: the ones the library leaves implicit and the
  // hydrogen atoms bonded to each atom.
  std::vector<int> hydrogens(static_cast<std::size_t>(count), 0);
  for (const tbondentry& bond : record.bonds) {
    const auto a = static_cast<std::size_t>(bond.atom1);
    const auto b = static_cast<std::size_t>(bond.atom2);
    hydrogens[a] += record.atoms[b].element == 1 ? 1 : 0;
    hydrogens[b] += record.atoms[a].element == 1 ? 1 : 0;
  }
  for (int i = 0; i < count; ++i) {
    const inchi_Atom& atom = output.atom[i];
    int& total = hydrogens[static_cast<std::size_t>(i)];
    total += std::max(0, static_cast<int>(atom.num_iso_H[0]));
    for (int isotope = 1; isotope <= NUM_H_ISOTOPES; ++isotope) {
      for (int k = 0; k < atom.num_iso_H[isotope]; ++k) {
        tatomentry hydrogen;
        hydrogen.element = 1;
        hydrogen.massnumber = isotope;
        hydrogen.label = isotope == 2 ? "D" : isotope == 3 ? "T" : "";
        hydrogen.hydrogens = 0;
        tbondentry bond;
        bond.atom1 = i;
        bond.atom2 = static_cast<int>(record.atoms.size());
        record.atoms.push_back(hydrogen);
        record.bonds.push_back(bond);
        ++total;
      }
    }
    record.atoms[static_cast<std::size_t>(i)].hydrogens = total;
  }

  for (int s = 0; s < output.num_stereo0D; ++s) {
    const inchi_Stereo0D& parity = output.stereo0D[s];
    // A second parity may follow for the structure without its metals.
    const int sense = parity.parity & 7;
    if (sense != INCHI_PARITY_ODD && sense != INCHI_PARITY_EVEN) {
      continue;
    }
    const bool inrange =
        std::all_of(std::begin(parity.neighbor), std::end(parity.neighbor),
                    [count](AT_NUM n) { return n >= 0 && n < count; });
    if (!inrange) {
      continue;
    }
    if (parity.type == INCHI_StereoType_Tetrahedral &&
        parity.central_atom >= 0 && parity.central_atom < count) {
      ttetrahedralstereo centre;
      centre.centre = parity.central_atom;
      for (std::size_t i = 0; i < 4; ++i) {
        centre.neighbours[i] =
            parity.neighbor[i] == parity.central_atom ? -1 : parity.neighbor[i];
      }
      centre.anticlockwise = sense == INCHI_PARITY_ODD;
      result.stereo.centres.push_back(centre);
      record.atoms[static_cast<std::size_t>(centre.centre)].stereomark =
          tstereomark::stated;
    } else if (parity.type == INCHI_StereoType_DoubleBond) {
      // A copy: minmax answers with references to the converted ends,
      // which last only as long as this statement.
      const std::pair<int, int> ends =
          std::minmax<int>(parity.neighbor[1], parity.neighbor[2]);
      auto found = bonds.find(ends);
      if (found == bonds.end()) {
        continue;
      }
      tbondentry& bond = record.bonds[static_cast<std::size_t>(found->second)];
      const bool forward = bond.atom1 == parity.neighbor[1];
      tdoublebondstereo geometry;
      geometry.bond = found->second;
      geometry.neighbour1 = forward ? parity.neighbor[0] : parity.neighbor[3];
      geometry.neighbour2 = forward ? parity.neighbor[3] : parity.neighbor[0];
      geometry.cis = sense == INCHI_PARITY_ODD;
      result.stereo.doublebonds.push_back(geometry);
      bond.stereomark = tstereomark::stated;
    }
  }
  return "";
}

}  // namespace

tinchistructure structureofinchi(std::string_view inchi) {
  tinchistructure result;
  if (inchi.substr(0, LEN_INCHI_STRING_PREFIX) != INCHI_STRING_PREFIX) {
    result.error = "an InChI starts with \"InChI=\"";
    return result;
  }
  if (inchi.size() > longestinchi) {
    result.error = "the InChI is longer than " + std::to_string(longestinchi) +
                   " characters";
    return result;
  }
  std::string text(inchi);
  char options[] = "";
  inchi_InputINCHI input{};
  input.szInChI = text.data();
  input.szOptions = options;
  {
    std::lock_guard<std::mutex> guard(librarylock());
    inchi_OutputStruct output{};
    const int code = GetStructFromINCHI(&input, &output);
    if ((code != inchi_Ret_OKAY && code != inchi_Ret_WARNING) ||
        output.num_atoms <= 0 || output.atom == nullptr) {
      const std::string message = librarytext(output.szMessage);
      result.error = "not a readable InChI" +
                     (message.empty() ? std::string() : ": " + message);
    } else {
      result.error = recordoflibrary(output, result);
    }
    FreeStructFromINCHI(&output);
  }
  if (result.error.empty()) {
    result.error = layoutrecord(result.record, result.stereo);
  }
  if (!result.error.empty()) {
    result.record = {};
    result.stereo = {};
  }
  return result;
}

}  // namespace molvane

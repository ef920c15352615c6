// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "io/xyz_format.h"

#include "chemistry/bond_perception.h"
#include "chemistry/molecule_record.h"
#include "document/drawing.h"
#include "model/atom.h"
#include "model/bond.h"
#include "model/element_data.h"
#include "support/number_text.h"
#include "support/text_lines.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>

namespace molvane {

namespace {

constexpr std::string_view layoutdescription =
    "/* FILE FORMAT*\n"
    "NAtoms NBonds\n"
    "/* NAtoms lines follow */\n"
    "/* Z=Atomic number Q=Charge */\n"
    "Z Q XX.XXXXXXXX YY.YYYYYYYY ZZ.ZZZZZZZZ\n"
    "/* NBonds lines follow */\n"
    "/* Atom1 and Atom2 are the numbers of two bonded atoms */\n"
    "/* Bonding = number of electrons eg.2 for a single bond */\n"
    "/* NAr=1 for aromatic and 0 for nonaromatic */\n"
    "Atom1 Atom2 Bonding NAr(0 or 1)\n"
    "/* NAtoms lines follow */\n"
    "Atomic_Symbol\n";

treadresult failure(int line, const std::string& what) {
  treadresult result;
  result.error = lineerror(line, what);
  return result;
}

treadresult build(const tmoleculerecord& record, const tbuildoptions& options) {
  treadresult result;
  result.notices = record.notices;
  result.drawing = builddrawing(record, options, result.notices);
  return result;
}

/// The element of an XYZ atom: a symbol, or an atomic number.
std::optional<tsymbolmeaning> xyzelement(std::string_view word) {
  if (std::optional<long> number = parseinteger(word)) {
    if (*number >= 1 && *number <= lastelement) {
      return tsymbolmeaning{static_cast<int>(*number), 0, ""};
    }
    return std::nullopt;
  }
  return symbolmeaning(word);
}

//   "3"
//   "water"
//   "O   0.000   0.000   0.117"
treadresult readcommon(const std::vector<std::string_view>& lines, long count,
                       const tsettings& settings) {
  if (count < 0) {
    return failure(1, "negative atom count");
  }
  if (static_cast<unsigned long>(count) + 2 > lines.size() && count > 0) {
    return failure(1,
                   std::to_string(count) + " atoms announced, but only " +
                       std::to_string(lines.size() < 2 ? 0 : lines.size() - 2) +
                       " lines follow");
  }
  tmoleculerecord record;
  if (lines.size() >= 2) {
    record.title = std::string(trimmed(lines[1]));
  }
  std::vector<tplacedatom> placed;
  std::size_t i = 2;
  while (static_cast<long>(record.atoms.size()) < count) {
    if (i >= lines.size()) {
      return failure(static_cast<int>(lines.size()),
                     "the file ends after " +
                         std::to_string(record.atoms.size()) + " of " +
                         std::to_string(count) + " atoms");
    }
    std::string_view line = lines[i];
    int number = static_cast<int>(i) + 1;
    ++i;
    if (startswith(trimmed(line), "#")) {
      continue;
    }
    std::vector<std::string_view> words = splitwords(line);
    std::optional<double> x, y, z;
    if (words.size() >= 4) {
      x = parsecoordinate(words[1]);
      y = parsecoordinate(words[2]);
      z = parsecoordinate(words[3]);
    }
    if (!x || !y || !z) {
      return failure(number, "atom line not understood: " + quotedtext(line));
    }
    std::optional<tsymbolmeaning> meaning = xyzelement(words[0]);
    if (!meaning) {
      return failure(number, "unknown element symbol " + quotedtext(words[0]));
    }
    tatomentry atom;
    atom.element = meaning->element;
    atom.massnumber = meaning->massnumber;
    atom.label = meaning->label;
    atom.x = *x;
    atom.y = *y;
    atom.z = *z;
    record.atoms.push_back(atom);
    placed.push_back({atom.element, atom.x, atom.y, atom.z});
  }
  tperceivedbonds bonds = perceivebonds(placed);
  if (!bonds.complete) {
    record.notices.push_back(
        "the atoms lie too close together: not every bond was found");
  }
  for (const auto& [a, b] : bonds.pairs) {
    record.bonds.push_back({a, b, 2, false});
  }
  tbuildoptions options;
  options.settings = &settings;
  options.explicithydrogens = true;
  return build(record, options);
}

//   "2 1"                            atoms, bonds
//   "0.000000 0.000000 0.000000"     first atom, in ångström
//   "  6  0  0.000000  0.000000  0.000000"
//   "0 1 2 0"
//   "C"
treadresult readtable(const std::vector<std::string_view>& lines, long atoms,
                      long bonds, const tsettings& settings) {
  if (atoms < 0 || bonds < 0) {
    return failure(1, "negative atom or bond count");
  }
  std::size_t left = lines.size() - 1;
  if (static_cast<unsigned long>(atoms) + static_cast<unsigned long>(bonds) +
          1 >
      left) {
    return failure(1, std::to_string(atoms) + " atoms and " +
                          std::to_string(bonds) +
                          " bonds announced, but only " + std::to_string(left) +
                          " lines follow");
  }
  std::vector<std::string_view> words = splitwords(lines[1]);
  std::optional<double> x0, y0, z0;
  if (words.size() >= 3) {
    x0 = parsecoordinate(words[0]);
    y0 = parsecoordinate(words[1]);
    z0 = parsecoordinate(words[2]);
  }
  if (!x0 || !y0 || !z0) {
    return failure(2, "origin not understood: " + quotedtext(lines[1]));
  }
  tmoleculerecord record;
  std::size_t i = 2;
  for (long n = 0; n < atoms; ++n, ++i) {
    words = splitwords(lines[i]);
    std::optional<long> element, charge;
    std::optional<double> x, y, z;
    if (words.size() >= 5) {
      element = parseinteger(words[0]);
      charge = parseinteger(words[1]);
      x = parsecoordinate(words[2]);
      y = parsecoordinate(words[3]);
      z = parsecoordinate(words[4]);
    }
    int number = static_cast<int>(i) + 1;
    if (!element || !charge || !x || !y || !z) {
      return failure(number,
                     "atom line not understood: " + quotedtext(lines[i]));
    }
    if (*element < firstelement || *element > lastelement) {
      return failure(number, "atomic number " + std::to_string(*element));
    }
    tatomentry atom;
    atom.element = static_cast<int>(*element);
    atom.charge = static_cast<int>(std::clamp(*charge, -9L, 9L));
    atom.x = *x0 + *x;
    atom.y = *y0 + *y;
    atom.z = *z0 + *z;
    record.atoms.push_back(atom);
  }
  for (long n = 0; n < bonds; ++n, ++i) {
    words = splitwords(lines[i]);
    std::optional<long> a, b, kind, aromatic;
    if (words.size() >= 3) {
      a = parseinteger(words[0]);
      b = parseinteger(words[1]);
      kind = parseinteger(words[2]);
      aromatic = words.size() >= 4 ? parseinteger(words[3]) : 0L;
    }
    int number = static_cast<int>(i) + 1;
    if (!a || !b || !kind || !aromatic) {
      return failure(number,
                     "bond line not understood: " + quotedtext(lines[i]));
    }
    for (long end : {*a, *b}) {
      if (end < 0 || end >= atoms) {
        return failure(number, "bond to atom " + std::to_string(end) +
                                   " of 0.." + std::to_string(atoms - 1));
      }
    }
    if (*a == *b) {
      return failure(number,
                     "bond from atom " + std::to_string(*a) + " to itself");
    }
    if (*kind < 0 || *kind > 6) {
      return failure(number, "bonding " + std::to_string(*kind));
    }
    record.bonds.push_back({static_cast<int>(*a), static_cast<int>(*b),
                            static_cast<int>(*kind), *aromatic == 1});
  }
  // The labels, where the file still has them, name deuterium and the like.
  for (long n = 0; n < atoms && i < lines.size(); ++n, ++i) {
    tatomentry& atom = record.atoms[static_cast<std::size_t>(n)];
    std::string_view label = trimmed(lines[i]);
    std::optional<tsymbolmeaning> meaning = symbolmeaning(label);
    if (meaning && meaning->element == atom.element) {
      atom.label = meaning->label;
      atom.massnumber = meaning->massnumber;
    } else if (atom.element <= 0 && !label.empty() && label.size() <= 20) {
      atom.label = std::string(label);
    }
  }
  tbuildoptions options;
  options.settings = &settings;
  options.ownlayout = true;
  options.ydown = true;
  return build(record, options);
}

}  // namespace

treadresult readxyz(std::span<const std::uint8_t> bytes,
                    const tsettings& settings) {
  std::vector<std::string_view> lines = splitlines(astext(bytes));
  bool blank = std::all_of(lines.begin(), lines.end(), [](std::string_view l) {
    return trimmed(l).empty();
  });
  if (blank) {
    treadresult result;
    result.error = "the file is empty";
    return result;
  }
  std::vector<std::string_view> counts = splitwords(lines.front());
  if (counts.size() == 1) {
    if (std::optional<long> count = parseinteger(counts[0])) {
      return readcommon(lines, *count, settings);
    }
  } else if (counts.size() == 2) {
    std::optional<long> atoms = parseinteger(counts[0]);
    std::optional<long> bonds = parseinteger(counts[1]);
    if (atoms && bonds) {
      return readtable(lines, *atoms, *bonds, settings);
    }
  }
  return failure(1, "atom count expected, found " + quotedtext(lines.front()));
}

std::vector<std::uint8_t> writexyz(const tdrawing& drawing) {
  tchemicalview view = chemicalview(drawing);
  double bondlength = drawing.geometry().bondlength;
  const double scale = angstromperbond / (bondlength > 0.0 ? bondlength : 30.0);
  std::string text = std::to_string(view.atoms.size()) + " " +
                     std::to_string(view.bonds.size()) + "\n";
  double x0 = 0.0, y0 = 0.0, z0 = 0.0;
  if (!view.atoms.empty()) {
    x0 = scale * view.atoms.front()->x;
    y0 = scale * view.atoms.front()->y;
    z0 = scale * view.atoms.front()->z;
  }
  text += formatfixed(x0, 6, 9) + " " + formatfixed(y0, 6, 9) + " " +
          formatfixed(z0, 6, 9) + "\n";
  for (const tatm* atom : view.atoms) {
    text += formatinteger(atom->element, 3) + " " +
            formatinteger(atom->fcharge, 2) + " " +
            formatfixed(scale * atom->x - x0, 6, 9) + " " +
            formatfixed(scale * atom->y - y0, 6, 9) + " " +
            formatfixed(scale * atom->z - z0, 6, 9) + "\n";
  }
  for (const tbond* bond : view.bonds) {
    text += std::to_string(view.positions.at(bond->atom1)) + " " +
            std::to_string(view.positions.at(bond->atom2)) + " " +
            std::to_string(bond->kind()) + " " +
            (bond->isdelocalised() ? "1" : "0") + "\n";
  }
  for (const tatm* atom : view.atoms) {
    text += exchangesymbol(*atom) + "\n";
  }
  text += layoutdescription;
  return {text.begin(), text.end()};
}

}  // namespace molvane

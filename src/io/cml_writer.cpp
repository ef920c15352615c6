// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "chemistry/bond_perception.h"
#include "chemistry/molecule_record.h"
#include "chemistry/record_of_drawing.h"
#include "chemistry/stereo_perception.h"
#include "document/drawing.h"
#include "io/cml_fields.h"
#include "io/cml_format.h"
#include "model/atom.h"
#include "model/bond.h"
#include "model/element_data.h"
#include "model/formula.h"
#include "support/number_text.h"
#include "support/text_lines.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <filesystem>
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>

namespace molvane {

namespace {

std::string escaped(std::string_view text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '\'':
        out += "&apos;";
        break;
      default:
        // Control characters are not allowed in XML 1.0 at all.
        out += static_cast<unsigned char>(c) < 32 && c != '\t' ? ' ' : c;
    }
  }
  return out;
}

std::string documentname(const tdrawing& drawing) {
  std::string name =
      std::filesystem::path(drawing.filename).filename().string();
  return name.substr(0, std::min(name.find('.'), std::size_t{95}));
}

std::string tabs(int count) {
  return std::string(static_cast<std::size_t>(count), '\t');
}

/// The order a bond is written with: "A" for an aromatic bond, as other
/// programs read it (they take "1.5" as single), otherwise "1.0" to "3.0".
std::string ordertext(const tbond& bond) {
  constexpr int aromatickind = 3;
  if (bond.ffkind() == aromatickind) {
    return "A";
  }
  return formatfixed(bond.ffkind() * 0.5, 1, 3);
}

struct twrittenvalence {
  /// All hydrogens of the atom, bonded ones included, where the reader
  /// would not find them from the element's valence; -1 otherwise.
  int hydrogens = -1;
};

/// What each atom of view needs written so that the reader gives it the
/// hydrogens it has: an atom whose hydrogens differ from what its element's
/// valence leaves beside its bonds (set by hand, or by a bracket such as
/// [CH] or [13C]) is written with its count.
std::vector<twrittenvalence> writtenvalences(const tchemicalview& view) {
  std::vector<int> bonded(view.atoms.size(), 0);
  std::vector<int> hydrogenatoms(view.atoms.size(), 0);
  for (const tbond* bond : view.bonds) {
    const int kind = bond->kind();
    const auto first = view.positions.find(bond->atom1);
    const auto second = view.positions.find(bond->atom2);
    if (first == view.positions.end() || second == view.positions.end()) {
      continue;
    }
    const auto a = static_cast<std::size_t>(first->second);
    const auto b = static_cast<std::size_t>(second->second);
    bonded[a] += kind;
    bonded[b] += kind;
    hydrogenatoms[a] += bond->atom2->element == 1 ? 1 : 0;
    hydrogenatoms[b] += bond->atom1->element == 1 ? 1 : 0;
  }
  std::vector<twrittenvalence> valences(view.atoms.size());
  for (std::size_t i = 0; i < view.atoms.size(); ++i) {
    const tatm& atom = *view.atoms[i];
    if (atom.element < 1) {
      continue;
    }
    const int expected = implicithydrogensof(
        atom.element,
        std::clamp(valenceof(atom.element) - bonded[i], -128, 127));
    const int actual = atom.implicithydrogens();
    if (actual != expected) {
      valences[i].hydrogens = actual + hydrogenatoms[i];
    }
  }
  return valences;
}

std::string cmltext(const tdrawing& drawing) {
  tchemicalview view = chemicalview(drawing);
  double bondlength = drawing.geometry().bondlength;
  const double scale =
      companionangstromperbond / (bondlength > 0.0 ? bondlength : 30.0);
  auto single = [scale](double value) {
    return static_cast<double>(static_cast<float>(scale * value));
  };
  const std::string name = escaped(documentname(drawing));
  std::string text = "<?xml version=\"1.0\"?>\n";
  text += "<cml title=\"" + name + "\">\n";
  text += tabs(1) + "<molecule title=\"" + name + "\" id=\"" +
          std::string(cmlownmoleculeid) + "\" " +
          std::string(cmlyaxisattribute) + "=\"" + std::string(cmlupwards) +
          "\">\n";
  text +=
      tabs(2) + "<formula>" + escaped(formulatext(drawing)) + "</formula>\n";
  // What the drawing states, read the one way the program reads stereo.
  const trecordstereo stereo = perceivestereo(recordofdrawing(drawing));
  auto reference = [&](int position) {
    return "a_" + std::to_string(drawing.positionof(
                      view.atoms[static_cast<std::size_t>(position)]));
  };
  std::vector<const ttetrahedralstereo*> centres(view.atoms.size(), nullptr);
  for (const ttetrahedralstereo& centre : stereo.centres) {
    centres[static_cast<std::size_t>(centre.centre)] = &centre;
  }
  text += tabs(3) + "<atomArray>\n";
  const std::vector<twrittenvalence> valences = writtenvalences(view);
  std::size_t index = 0;
  for (const tatm* atom : view.atoms) {
    const twrittenvalence& valence = valences[index++];
    const tatm& origin = *view.atoms.front();
    text += tabs(4) + "<atom id=\"a_" +
            std::to_string(drawing.positionof(atom)) + "\">\n";
    const std::pair<const char*, double> axes[] = {
        {"x3", single(atom->x) - single(origin.x)},
        // The drawing's y grows down the screen; the file's grows cmlupwards,
        // as other programs read it, or every stereocentre is mirrored.
        {"y3", single(origin.y) - single(atom->y)},
        {"z3", single(atom->z) - single(origin.z)}};
    for (const auto& [axis, value] : axes) {
      text += tabs(5) + "<float builtin=\"" + axis + "\" units=\"A\"> " +
              formatfixed(value, 5, 10) + "</float>\n";
    }
    text += tabs(5) + "<string builtin=\"elementType\">" +
            escaped(exchangesymbol(*atom)) + "</string>\n";
    if (atom->fcharge != 0) {
      text += tabs(5) + "<integer builtin=\"formalCharge\">" +
              std::to_string(atom->fcharge) + "</integer>\n";
    }
    if (const int mass = statedmassnumber(*atom); mass != 0) {
      text += tabs(5) + "<integer builtin=\"isotopeNumber\">" +
              std::to_string(mass) + "</integer>\n";
    }
    if (valence.hydrogens >= 0) {
      text += tabs(5) + "<integer builtin=\"hydrogenCount\">" +
              std::to_string(valence.hydrogens) + "</integer>\n";
    }
    // The sign of the volume the four atoms span; the centre stands for
    // its implicit hydrogen.
    if (const ttetrahedralstereo* centre =
            centres[static_cast<std::size_t>(view.positions.at(atom))]) {
      std::string references;
      for (int neighbour : centre->neighbours) {
        references += (references.empty() ? "" : " ") +
                      reference(neighbour < 0 ? centre->centre : neighbour);
      }
      text += tabs(5) + "<atomParity atomRefs4=\"" + references + "\">" +
              (centre->anticlockwise ? "-1" : "1") + "</atomParity>\n";
    }
    text += tabs(4) + "</atom>\n";
  }
  text += tabs(3) + "</atomArray>\n";
  text += tabs(3) + "<bondArray>\n";
  std::vector<const tdoublebondstereo*> geometries(view.bonds.size(), nullptr);
  for (const tdoublebondstereo& geometry : stereo.doublebonds) {
    geometries[static_cast<std::size_t>(geometry.bond)] = &geometry;
  }
  for (std::size_t j = 0; j < view.bonds.size(); ++j) {
    const tbond* bond = view.bonds[j];
    text += tabs(4) + "<bond id=\"b_" +
            std::to_string(drawing.bondposition(bond)) + "\">\n";
    const bool wedged =
        bond->kind() == 2 &&
        (bond->style == tbondstyle::wedge || bond->style == tbondstyle::hashed);
    // A wedge or hash is read from its first atom, the narrow end.
    const bool turned = wedged && bond->wideend == 1;
    for (const tatm* end : {turned ? bond->atom2 : bond->atom1,
                            turned ? bond->atom1 : bond->atom2}) {
      text += tabs(5) + "<string builtin=\"atomRef\">a_" +
              std::to_string(drawing.positionof(end)) + "</string>\n";
    }
    text += tabs(5) + "<string builtin=\"order\">" + ordertext(*bond) +
            "</string>\n";
    if (wedged) {
      text += tabs(5) + "<bondStereo>" +
              (bond->style == tbondstyle::wedge ? "W" : "H") +
              "</bondStereo>\n";
    } else if (const tdoublebondstereo* geometry = geometries[j]) {
      text += tabs(5) + "<bondStereo atomRefs4=\"" +
              reference(geometry->neighbour1) + " " +
              reference(view.positions.at(bond->atom1)) + " " +
              reference(view.positions.at(bond->atom2)) + " " +
              reference(geometry->neighbour2) + "\">" +
              (geometry->cis ? "C" : "T") + "</bondStereo>\n";
    }
    text += tabs(4) + "</bond>\n";
  }
  text += tabs(1) + "    </bondArray>\n";
  text += tabs(1) + "</molecule>\n";
  text += "</cml>\n";
  return text;
}

}  // namespace

std::vector<std::uint8_t> writecml(const tdrawing& drawing) {
  std::string text = cmltext(drawing);
  return {text.begin(), text.end()};
}

}  // namespace molvane

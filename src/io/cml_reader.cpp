// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "chemistry/bond_perception.h"
#include "chemistry/molecule_record.h"
#include "chemistry/record_of_drawing.h"
#include "chemistry/stereo_perception.h"
#include "document/drawing.h"
#include "io/cml_fields.h"
#include "io/cml_format.h"
#include "io/cml_line_reader.h"
#include "model/atom.h"
#include "model/bond.h"
#include "model/element_data.h"
#include "model/formula.h"
#include "support/number_text.h"
#include "support/text_lines.h"

#include <pugixml.hpp>

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

// Reading with the XML parser.

std::string_view localname(const pugi::xml_node& node) {
  std::string_view name = node.name();
  std::size_t colon = name.find(':');
  return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

/// The next node in document order within root's subtree, skipping the
/// children of node when descend is false; null at the end. Iterative, so
/// that deeply nested documents cannot exhaust the stack.
pugi::xml_node nextnode(pugi::xml_node node, const pugi::xml_node& root,
                        bool descend) {
  if (descend && node.first_child()) {
    return node.first_child();
  }
  while (node && node != root) {
    if (node.next_sibling()) {
      return node.next_sibling();
    }
    node = node.parent();
  }
  return {};
}

/// An attribute or a child element `<x builtin="name">value</x>`.
std::optional<std::string_view> property(const pugi::xml_node& node,
                                         std::string_view name) {
  for (pugi::xml_attribute attribute : node.attributes()) {
    std::string_view key = attribute.name();
    std::size_t colon = key.find(':');
    if (colon != std::string_view::npos) {
      key = key.substr(colon + 1);
    }
    if (key == name) {
      return std::string_view(attribute.value());
    }
  }
  for (pugi::xml_node child : node.children()) {
    if (child.type() == pugi::node_element &&
        std::string_view(child.attribute("builtin").value()) == name) {
      return std::string_view(child.child_value());
    }
  }
  return std::nullopt;
}

class tcmlreader {
 public:
  /// firstline: the line of the file that bytes start on.
  tcmlreader(std::span<const std::uint8_t> bytes, const tsettings& settings,
             int firstline = 1)
      : bytes_(bytes), settings_(settings), firstline_(firstline) {}

  /// Parses the document; false with error() set when it is not XML.
  bool load() {
    pugi::xml_parse_result parsed = document_.load_buffer(
        bytes_.data(), bytes_.size(), pugi::parse_default, pugi::encoding_auto);
    if (!parsed) {
      error_ = lineerror(
          lineat(parsed.offset),
          std::string("not well-formed XML: ") + parsed.description());
      return false;
    }
    for (pugi::xml_node node = document_.first_child(); node;) {
      bool molecule =
          node.type() == pugi::node_element && localname(node) == "molecule";
      if (molecule) {
        molecules_.push_back(node);
      }
      node = nextnode(node, document_, !molecule);
    }
    return true;
  }

  const std::string& error() const { return error_; }
  std::size_t molecules() const { return molecules_.size(); }

  treadresult readmolecule(std::size_t index) {
    error_.clear();
    record_ = tmoleculerecord{};
    ids_.clear();
    treadresult result;
    const pugi::xml_node molecule = molecules_[index];
    own_ =
        std::string_view(molecule.attribute("id").value()) == cmlownmoleculeid;
    const bool yup =
        std::string_view(
            molecule.attribute(cmlyaxisattribute.data()).value()) == cmlupwards;
    std::string_view title = molecule.attribute("title").value();
    record_.title = std::string(
        title.empty() ? std::string_view(molecule.attribute("id").value())
                      : title);
    if (!readcontent(molecule)) {
      result.error = error_;
      return result;
    }
    tbuildoptions options;
    options.settings = &settings_;
    options.ownlayout = own_;
    options.ydown = own_ && !yup;
    if (own_) {
      options.angstromperlength = companionangstromperbond;
    }
    options.explicithydrogens = perceive();
    result.notices = record_.notices;
    result.drawing = builddrawing(record_, options, result.notices);
    return result;
  }

 private:
  int lineat(std::ptrdiff_t offset) const {
    std::size_t end =
        std::min(bytes_.size(),
                 static_cast<std::size_t>(std::max<std::ptrdiff_t>(offset, 0)));
    return firstline_ + static_cast<int>(std::count(
                            bytes_.begin(),
                            bytes_.begin() + static_cast<std::ptrdiff_t>(end),
                            std::uint8_t{'\n'}));
  }

  bool fail(const pugi::xml_node& node, const std::string& what) {
    if (error_.empty()) {
      error_ = lineerror(lineat(node.offset_debug()), what);
    }
    return false;
  }

  bool readcontent(const pugi::xml_node& molecule) {
    std::vector<pugi::xml_node> bonds;
    std::string formula;
    for (pugi::xml_node node = molecule.first_child(); node;
         node = nextnode(node, molecule, true)) {
      if (node.type() != pugi::node_element) {
        continue;
      }
      std::string_view name = localname(node);
      if (name == "atom" && !readatom(node)) {
        return false;
      }
      if (name == "atomArray" && !readatomarray(node)) {
        return false;
      }
      if (name == "bond" || name == "bondArray") {
        bonds.push_back(node);
      }
      if (name == "formula" && formula.empty()) {
        std::string_view concise = node.attribute("concise").value();
        for (std::string_view word : splitwords(concise)) {
          formula += word == "1" ? "" : std::string(word);
        }
      }
    }
    for (const pugi::xml_node& node : bonds) {
      bool read =
          localname(node) == "bond" ? readbond(node) : readbondarray(node);
      if (!read) {
        return false;
      }
    }
    if (record_.atoms.empty() && !formula.empty()) {
      record_.notes = formula;
      record_.notices.push_back("the molecule has no atoms, only the formula " +
                                formula);
    }
    return true;
  }

  /// The values of one atom, as text, from whichever form the file uses.
  struct tatomtext {
    std::optional<std::string_view> id, element, x2, y2, x3, y3, z3, xyz3, xy2,
        charge, hydrogens, isotope, spin;
  };

  bool addatom(const pugi::xml_node& node, const tatomtext& text) {
    tatomentry atom;
    if (text.element) {
      std::optional<tsymbolmeaning> meaning =
          symbolmeaning(trimmed(*text.element));
      if (!meaning) {
        return fail(node,
                    "unknown element symbol " + quotedtext(*text.element));
      }
      atom.element = meaning->element;
      atom.massnumber = meaning->massnumber;
      atom.label = meaning->label;
    }
    auto number = [&](std::optional<std::string_view> value, double& out) {
      if (!value) {
        return true;
      }
      std::optional<double> parsed = parsecoordinate(*value);
      if (parsed) {
        out = *parsed;
      }
      return parsed.has_value();
    };
    bool coordinates = true;
    if (text.x3 && text.y3) {
      coordinates = number(text.x3, atom.x) && number(text.y3, atom.y) &&
                    number(text.z3, atom.z);
    } else if (text.x2 && text.y2) {
      coordinates = number(text.x2, atom.x) && number(text.y2, atom.y);
    } else if (text.xyz3 || text.xy2) {
      std::vector<std::string_view> words =
          splitwords(text.xyz3 ? *text.xyz3 : *text.xy2);
      std::size_t wanted = text.xyz3 ? 3 : 2;
      coordinates = words.size() == wanted && number(words[0], atom.x) &&
                    number(words[1], atom.y) &&
                    (wanted == 2 || number(words[2], atom.z));
    }
    if (!coordinates) {
      return fail(node, "coordinates not understood");
    }
    auto integer = [&](std::optional<std::string_view> value, long low,
                       long high, std::string_view what) -> std::optional<int> {
      if (!value) {
        return std::nullopt;
      }
      std::optional<long> parsed = parseinteger(*value);
      if (!parsed || *parsed < low || *parsed > high) {
        fail(node, std::string(what) + " " + quotedtext(*value));
        return std::nullopt;
      }
      return static_cast<int>(*parsed);
    };
    std::optional<int> charge = integer(text.charge, -15, 15, "charge");
    std::optional<int> hydrogens =
        integer(text.hydrogens, 0, 60, "hydrogen count");
    // isotopeNumber="0" is the natural mixture.
    std::optional<int> isotope =
        integer(text.isotope, 0, mostmassnumber, "isotope");
    std::optional<int> spin = integer(text.spin, 1, 3, "spin multiplicity");
    if (!error_.empty()) {
      return false;
    }
    atom.charge = std::clamp(charge.value_or(0), -9, 9);
    atom.hydrogens = hydrogens.value_or(-1);
    if (isotope && atom.element > 0) {
      atom.massnumber = *isotope;
    }
    if (spin && *spin > 1) {
      atom.radical = *spin;
    }
    for (pugi::xml_node child : node.children()) {
      if (localname(child) == "atomParity") {
        atom.stereomark = tstereomark::stated;
      }
    }
    if (text.id) {
      std::string id = cmlid(*text.id);
      if (!id.empty() &&
          !ids_.emplace(id, static_cast<int>(record_.atoms.size())).second) {
        return fail(node, "atom id " + quotedtext(id) + " given twice");
      }
    }
    record_.atoms.push_back(atom);
    return true;
  }

  bool readatom(const pugi::xml_node& node) {
    tatomtext text;
    text.id = property(node, "id");
    text.element = property(node, "elementType");
    text.x2 = property(node, "x2");
    text.y2 = property(node, "y2");
    text.x3 = property(node, "x3");
    text.y3 = property(node, "y3");
    text.z3 = property(node, "z3");
    text.xyz3 = property(node, "xyz3");
    text.xy2 = property(node, "xy2");
    text.charge = property(node, "formalCharge");
    text.hydrogens = property(node, "hydrogenCount");
    text.isotope = property(node, "isotopeNumber");
    if (!text.isotope) {
      text.isotope = property(node, "isotope");
    }
    text.spin = property(node, "spinMultiplicity");
    return addatom(node, text);
  }

  /// Lists of an array form: `atomID="a1 a2"` attributes or
  /// `<stringArray builtin="atomID">a1 a2</stringArray>` children.
  using tlists = std::unordered_map<std::string, std::vector<std::string_view>>;

  static tlists arraylists(const pugi::xml_node& node) {
    tlists lists;
    for (pugi::xml_attribute attribute : node.attributes()) {
      lists[attribute.name()] = splitwords(attribute.value());
    }
    for (pugi::xml_node child : node.children()) {
      std::string_view builtin = child.attribute("builtin").value();
      if (child.type() != pugi::node_element || builtin.empty()) {
        continue;
      }
      std::vector<std::string_view> words = splitwords(child.child_value());
      // Bond arrays give their two reference lists under one name.
      std::string key(builtin);
      if (key == "atomRef") {
        key = lists.contains("atomRefs1") ? "atomRefs2" : "atomRefs1";
      }
      lists[key] = words;
    }
    return lists;
  }

  static const std::vector<std::string_view>* list(
      const tlists& lists, std::initializer_list<std::string_view> names) {
    for (std::string_view name : names) {
      auto found = lists.find(std::string(name));
      if (found != lists.end()) {
        return &found->second;
      }
    }
    return nullptr;
  }

  bool readatomarray(const pugi::xml_node& node) {
    tlists lists = arraylists(node);
    const auto* ids = list(lists, {"atomID", "atomId", "id"});
    const auto* elements = list(lists, {"elementType"});
    if (ids == nullptr && elements == nullptr) {
      return true;  // the atoms are child elements
    }
    std::size_t count = (ids != nullptr ? ids : elements)->size();
    struct tcolumn {
      std::optional<std::string_view> tatomtext::*field;
      std::string_view name;
    };
    const tcolumn columns[] = {
        {&tatomtext::id, "atomID"},
        {&tatomtext::id, "atomId"},
        {&tatomtext::id, "id"},
        {&tatomtext::element, "elementType"},
        {&tatomtext::x2, "x2"},
        {&tatomtext::y2, "y2"},
        {&tatomtext::x3, "x3"},
        {&tatomtext::y3, "y3"},
        {&tatomtext::z3, "z3"},
        {&tatomtext::charge, "formalCharge"},
        {&tatomtext::hydrogens, "hydrogenCount"},
        {&tatomtext::isotope, "isotopeNumber"},
    };
    for (const tcolumn& column : columns) {
      const auto* values = list(lists, {column.name});
      if (values != nullptr && values->size() != count) {
        return fail(node, "the atom array lists " + std::to_string(count) +
                              " atoms but " + std::to_string(values->size()) +
                              " values of " + std::string(column.name));
      }
    }
    for (std::size_t i = 0; i < count; ++i) {
      tatomtext text;
      for (const tcolumn& column : columns) {
        if (const auto* values = list(lists, {column.name})) {
          text.*column.field = (*values)[i];
        }
      }
      if (!addatom(node, text)) {
        return false;
      }
    }
    return true;
  }

  bool addbond(const pugi::xml_node& node, std::string_view first,
               std::string_view second, std::optional<std::string_view> order,
               bool aromatic, tbondstyle style) {
    std::string ids[2] = {cmlid(first), cmlid(second)};
    int ends[2] = {0, 0};
    for (int k = 0; k < 2; ++k) {
      auto found = ids_.find(ids[k]);
      if (found == ids_.end()) {
        return fail(node, "bond to atom " + quotedtext(ids[k]) +
                              ", which the molecule does not hold");
      }
      ends[k] = found->second;
    }
    if (ends[0] == ends[1]) {
      return fail(node, "bond from atom " + quotedtext(ids[0]) + " to itself");
    }
    std::optional<tbondentry> bond = cmlorder(order.value_or(""));
    if (!bond) {
      return fail(node, "bond order " + quotedtext(order.value_or("")));
    }
    bond->atom1 = ends[0];
    bond->atom2 = ends[1];
    bond->delocalised = bond->delocalised || aromatic;
    if (bond->kind == 2 && !bond->delocalised) {
      bond->style = style;
    }
    record_.bonds.push_back(*bond);
    return true;
  }

  bool readbond(const pugi::xml_node& node) {
    std::vector<std::string_view> references;
    if (std::optional<std::string_view> pair = property(node, "atomRefs2")) {
      references = splitwords(*pair);
    } else {
      for (pugi::xml_node child : node.children()) {
        if (std::string_view(child.attribute("builtin").value()) == "atomRef") {
          references.push_back(child.child_value());
        }
      }
    }
    if (references.size() != 2) {
      return fail(node, "a bond needs two atom references");
    }
    bool aromatic = false;
    bool stated = false;
    tbondstyle style = tbondstyle::normal;
    for (pugi::xml_node child : node.children()) {
      std::string_view name = localname(child);
      std::string dictionary = child.attribute("dictRef").value();
      std::transform(dictionary.begin(), dictionary.end(), dictionary.begin(),
                     [](unsigned char c) { return std::tolower(c); });
      if (name == "bondType" &&
          dictionary.find("aromatic") != std::string::npos) {
        aromatic = true;
      }
      if (name == "bondStereo") {
        // "W" or "H" as text, or as the part of a dictRef after its prefix;
        // anything else (an empty dictRef included) means no stereo.
        std::string_view mark = trimmed(child.child_value());
        if (mark.empty()) {
          std::string_view reference = child.attribute("dictRef").value();
          std::size_t colon = reference.find(':');
          mark = colon == std::string_view::npos ? reference
                                                 : reference.substr(colon + 1);
        }
        style = mark == "W"   ? tbondstyle::wedge
                : mark == "H" ? tbondstyle::hashed
                              : style;
        stated = stated || mark == "C" || mark == "T";
      }
    }
    if (!addbond(node, references[0], references[1], property(node, "order"),
                 aromatic, style)) {
      return false;
    }
    tbondentry& added = record_.bonds.back();
    if (added.style == tbondstyle::wedge || added.style == tbondstyle::hashed) {
      record_.atoms[static_cast<std::size_t>(added.atom1)].stereomark =
          tstereomark::stated;
    }
    if (stated && added.kind == 4) {
      added.stereomark = tstereomark::stated;
    }
    return true;
  }

  bool readbondarray(const pugi::xml_node& node) {
    tlists lists = arraylists(node);
    const auto* firsts = list(lists, {"atomRefs1"});
    const auto* seconds = list(lists, {"atomRefs2"});
    if (firsts == nullptr && seconds == nullptr) {
      return true;  // the bonds are child elements
    }
    const auto* orders = list(lists, {"order"});
    if (firsts == nullptr || seconds == nullptr ||
        firsts->size() != seconds->size() ||
        (orders != nullptr && orders->size() != firsts->size())) {
      return fail(node, "the bond array's lists differ in length");
    }
    for (std::size_t i = 0; i < firsts->size(); ++i) {
      std::optional<std::string_view> order;
      if (orders != nullptr) {
        order = (*orders)[i];
      }
      if (!addbond(node, (*firsts)[i], (*seconds)[i], order, false,
                   tbondstyle::normal)) {
        return false;
      }
    }
    return true;
  }

  /// A molecule without bonds whose hydrogens are atoms of their own gets
  /// its bonds from the distances; it then needs no implicit hydrogens.
  bool perceive() {
    bool hashydrogen =
        std::any_of(record_.atoms.begin(), record_.atoms.end(),
                    [](const tatomentry& a) { return a.element == 1; });
    bool flat = std::all_of(record_.atoms.begin(), record_.atoms.end(),
                            [](const tatomentry& a) { return a.z == 0.0; });
    if (own_ || !record_.bonds.empty() || !hashydrogen || flat ||
        record_.atoms.size() < 2) {
      return false;
    }
    std::vector<tplacedatom> placed;
    for (const tatomentry& atom : record_.atoms) {
      placed.push_back({atom.element, atom.x, atom.y, atom.z});
    }
    for (const auto& [a, b] : perceivebonds(placed).pairs) {
      record_.bonds.push_back({a, b, 2, false});
    }
    return true;
  }

  std::span<const std::uint8_t> bytes_;
  const tsettings& settings_;
  int firstline_ = 1;
  pugi::xml_document document_;
  std::vector<pugi::xml_node> molecules_;
  tmoleculerecord record_;
  std::unordered_map<std::string, int> ids_;
  bool own_ = false;
  std::string error_;
};

}  // namespace

std::vector<treadresult> readcmlrecords(std::span<const std::uint8_t> bytes,
                                        const tsettings& settings) {
  std::vector<treadresult> results;
  tcmlreader reader(bytes, settings);
  if (!reader.load()) {
    if (iscmlownfile(bytes)) {
      results.push_back(readcmllines(bytes, settings));
    } else {
      treadresult failed;
      failed.error = reader.error();
      results.push_back(std::move(failed));
    }
    return results;
  }
  for (std::size_t i = 0; i < reader.molecules(); ++i) {
    results.push_back(reader.readmolecule(i));
  }
  return results;
}

treadresult readcml(std::span<const std::uint8_t> bytes,
                    const tsettings& settings) {
  tcmlreader reader(bytes, settings);
  if (!reader.load()) {
    if (iscmlownfile(bytes)) {
      return readcmllines(bytes, settings);
    }
    treadresult failed;
    failed.error = reader.error();
    return failed;
  }
  if (reader.molecules() == 0) {
    treadresult failed;
    failed.error = "the file holds no molecule";
    return failed;
  }
  return reader.readmolecule(0);
}

treadresult readcmlmolecule(std::span<const std::uint8_t> bytes, int firstline,
                            const tsettings& settings) {
  tcmlreader reader(bytes, settings, firstline);
  treadresult result;
  if (!reader.load()) {
    result.error = reader.error();
  } else if (reader.molecules() == 0) {
    result.error = lineerror(firstline, "no molecule");
  } else {
    result = reader.readmolecule(0);
  }
  return result;
}

}  // namespace molvane

// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "io/mdl_format.h"

#include "chemistry/molecule_record.h"
#include "chemistry/record_of_drawing.h"
#include "chemistry/stereo_drawing.h"
#include "chemistry/stereo_perception.h"
#include "document/drawing.h"
#include "io/document_files.h"
#include "io/molfile_reader.h"
#include "io/sd_stream.h"
#include "model/atom.h"
#include "model/bond.h"
#include "model/element_data.h"
#include "support/number_text.h"
#include "support/text_lines.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string>
#include <utility>

namespace molvane {

namespace {

/// A wedge or hashed bond the writer shows a model's centre with.
struct twrittenwedge {
  tbondstyle style = tbondstyle::normal;
  /// The record position of its narrow end, the centre.
  int narrow = -1;
};

/// For a model with depth: one wedge or hashed bond per stated centre,
/// narrow end on the centre, that shows its sense in the picture a flat
/// reader sees (the model seen down z), so that readers of 2D files get the
/// stereo too. Wedges kept from the drawing the model was built from show
/// another picture and are not written. Empty for a flat drawing: its bonds
/// are written as drawn.
std::vector<twrittenwedge> wedgesofmodel(const tmoleculerecord& record,
                                         const trecordstereo& stereo) {
  if (stereo.centres.empty() || record.atoms.empty()) {
    return {};
  }
  const bool deep = std::any_of(
      record.atoms.begin(), record.atoms.end(), [&](const tatomentry& atom) {
        return std::abs(atom.z - record.atoms.front().z) > 1e-6;
      });
  if (!deep) {
    return {};
  }
  tmoleculerecord flat = record;
  for (tatomentry& atom : flat.atoms) {
    atom.z = 0.0;
  }
  placewedges(flat, stereo);
  // A wedge beside a short projected bond can leave the picture to be read
  // either way: where the picture does not show the centre's parity, the
  // other bonds of the centre are tried, wedged and hashed.
  auto parityshown = [&flat](int atom) {
    for (const ttetrahedralstereo& seen : perceivestereo(flat).centres) {
      if (seen.centre == atom) {
        return parityof(seen);
      }
    }
    return 0;
  };
  for (const ttetrahedralstereo& centre : stereo.centres) {
    const int wanted = parityof(centre);
    if (wanted == 0 || parityshown(centre.centre) == wanted) {
      continue;
    }
    std::vector<std::size_t> own;
    for (std::size_t b = 0; b < flat.bonds.size(); ++b) {
      const tbondentry& bond = flat.bonds[b];
      if (bond.atom1 == centre.centre || bond.atom2 == centre.centre) {
        own.push_back(b);
      }
    }
    auto plain = [&flat, &own, &centre] {
      for (std::size_t b : own) {
        tbondentry& bond = flat.bonds[b];
        if ((bond.style == tbondstyle::wedge ||
             bond.style == tbondstyle::hashed) &&
            (bond.wideend == 2 ? bond.atom1 : bond.atom2) == centre.centre) {
          bond.style = tbondstyle::normal;
          bond.wideend = 2;
        }
      }
    };
    bool shown = false;
    for (std::size_t b : own) {
      tbondentry& bond = flat.bonds[b];
      if (bond.kind != 2 || bond.delocalised ||
          bond.style != tbondstyle::normal) {
        continue;
      }
      for (tbondstyle style : {tbondstyle::wedge, tbondstyle::hashed}) {
        plain();
        bond.style = style;
        bond.wideend = bond.atom1 == centre.centre ? 2 : 1;
        if (parityshown(centre.centre) == wanted) {
          shown = true;
          break;
        }
      }
      if (shown) {
        break;
      }
    }
    if (!shown) {
      plain();
    }
  }
  std::vector<twrittenwedge> made(flat.bonds.size());
  for (std::size_t i = 0; i < flat.bonds.size(); ++i) {
    const tbondentry& bond = flat.bonds[i];
    if (bond.style == tbondstyle::wedge || bond.style == tbondstyle::hashed) {
      made[i] = {bond.style, bond.wideend == 2 ? bond.atom1 : bond.atom2};
    }
  }
  return made;
}

/// Lines [first, end) of one record, between "$$$$" lines.
struct tchunk {
  std::size_t first;
  std::size_t end;
};

std::vector<tchunk> recordchunks(const std::vector<std::string_view>& lines) {
  std::vector<tchunk> chunks;
  std::size_t i = 0;
  while (i < lines.size()) {
    std::size_t j = i;
    bool blank = true;
    while (j < lines.size() && trimmed(lines[j]) != "$$$$") {
      blank = blank && trimmed(lines[j]).empty();
      ++j;
    }
    if (!blank) {
      chunks.push_back({i, j});
    }
    i = j + 1;
  }
  return chunks;
}

treadresult readchunk(const std::vector<std::string_view>& lines,
                      const tchunk& chunk, const tsettings& settings) {
  return readmolfilerecord(
      std::span<const std::string_view>(lines.data() + chunk.first,
                                        chunk.end - chunk.first),
      static_cast<int>(chunk.first) + 1, settings);
}

std::vector<std::uint8_t> bytesof(const std::string& text) {
  return {text.begin(), text.end()};
}

/// The file name a drawing's companion MDL file gets, without folder.
std::string companionname(const tdrawing& drawing) {
  return documentnames(drawing.filename).mdl.filename().string();
}

double bondlengthof(const tdrawing& drawing) {
  double length = drawing.geometry().bondlength;
  return length > 0.0 ? length : 30.0;
}

int clampedkind(const tbond& bond) { return std::clamp(bond.kind(), 0, 6); }

// The standard molfile.

/// Bond type of the standard molfile for a bond, and the kind a reader
/// takes from it.
struct tbondtype {
  int type;
  int readkind;
};

tbondtype standardtype(const tbond& bond) {
  if (bond.isdelocalised()) {
    return {4, 3};
  }
  switch (clampedkind(bond)) {
    case 2:
      return {1, 2};
    case 3:
      return {4, 3};
    case 4:
    case 5:
      return {2, 4};
    case 6:
      return {3, 6};
    default:
      return {8, 0};
  }
}

/// The valence field an atom needs so that a reader finds its hydrogens:
/// 0 when the charge rule already gives them, 15 for none.
int valencefield(const tatm& atom, int bondedkinds) {
  if (atom.element < 1) {
    return 0;
  }
  tatm probe(atom.element, nolabel, 0.0, 0.0);
  int shift = chargevalenceshift(atom.element, atom.fcharge);
  probe.valence2 = static_cast<std::int8_t>(
      std::clamp(valenceof(atom.element) - bondedkinds + 2 * shift, -128, 127));
  int expected = probe.implicithydrogens();
  int actual = atom.implicithydrogens();
  if (expected == actual) {
    return 0;
  }
  if (actual == 0) {
    return 15;
  }
  int valence = (bondedkinds + 1) / 2 + actual;
  return valence >= 1 && valence <= 14 ? valence : 0;
}

struct tstandardatom {
  std::string symbol;
  double x, y, z;
  int charge;
  int isotope;
  int valence;
  /// 0 none, 1 or 2 the centre's parity, 3 either.
  int parity = 0;
};

struct tstandardbond {
  int atom1, atom2, type, stereo;
};

struct tstandardtable {
  std::string title;
  /// The third header line.
  std::string comment;
  bool threed = false;
  std::vector<tstandardatom> atoms;
  std::vector<tstandardbond> bonds;
};

/// The table of drawing at angstromperlength Å per bond length.
tstandardtable standardtable(const tdrawing& drawing,
                             double angstromperlength) {
  tchemicalview view = chemicalview(drawing);
  tstandardtable table;
  std::string title = drawing.title();
  if (title.empty()) {
    std::string name =
        std::filesystem::path(drawing.filename).filename().string();
    title = name.substr(0, name.find('.'));
  }
  for (char c : title.substr(0, 80)) {
    auto code = static_cast<unsigned char>(c);
    table.title += code < 32 || code == 127 ? ' ' : c;
  }
  // A title of "$$$$" would end the record of an SD file.
  if (trimmed(table.title) == "$$$$") {
    table.title.clear();
  }
  // What the drawing states, read the one way the program reads stereo:
  // parities of its centres, and "either" on double bonds left open.
  const tmoleculerecord record = recordofdrawing(drawing);
  const trecordstereo perceived = perceivestereo(record);
  std::vector<int> parities(view.atoms.size(), 0);
  for (const ttetrahedralstereo& centre : perceived.centres) {
    parities[static_cast<std::size_t>(centre.centre)] = parityof(centre);
  }
  const std::vector<twrittenwedge> made3d = wedgesofmodel(record, perceived);
  const tstereocandidates candidates = stereocandidates(record);
  for (std::size_t i = 0; i < view.atoms.size(); ++i) {
    if (candidates.centres[i] &&
        view.atoms[i]->stereomark == tstereomark::unstated) {
      parities[i] = 3;
    }
  }
  std::vector<int> bonded(view.atoms.size(), 0);
  for (const tbond* bond : view.bonds) {
    tbondtype type = standardtype(*bond);
    int a = view.positions.at(bond->atom1);
    int b = view.positions.at(bond->atom2);
    int stereo = 0;
    const twrittenwedge* made =
        made3d.empty() ? nullptr : &made3d[table.bonds.size()];
    const tbondstyle style = made != nullptr ? made->style : bond->style;
    if (type.type == 1 &&
        (style == tbondstyle::wedge || style == tbondstyle::hashed)) {
      stereo = style == tbondstyle::wedge ? 1 : 6;
      // The narrow end comes first.
      if (made != nullptr ? made->narrow != a : bond->wideend == 1) {
        std::swap(a, b);
      }
    } else if (type.type == 2 && bond->stereomark == tstereomark::unstated &&
               candidates.doublebonds[table.bonds.size()]) {
      stereo = 3;
    }
    table.bonds.push_back({a + 1, b + 1, type.type, stereo});
    bonded[static_cast<std::size_t>(a)] += type.readkind;
    bonded[static_cast<std::size_t>(b)] += type.readkind;
  }
  const double scale = angstromperlength / bondlengthof(drawing);
  for (std::size_t i = 0; i < view.atoms.size(); ++i) {
    const tatm& atom = *view.atoms[i];
    const tatm& origin = *view.atoms.front();
    tstandardatom entry;
    entry.symbol = exchangesymbol(atom);
    // Values that print as zero are written as "0.0000", never "-0.0000".
    auto tidy = [](double value) {
      return std::abs(value) < 0.00005 ? 0.0
                                       : std::clamp(value, -9999.0, 99999.0);
    };
    entry.x = tidy((atom.x - origin.x) * scale);
    entry.y = tidy((origin.y - atom.y) * scale);
    entry.z = tidy((atom.z - origin.z) * scale);
    table.threed = table.threed || std::abs(entry.z) >= 0.00005;
    entry.charge = atom.fcharge;
    entry.isotope = statedmassnumber(atom);
    entry.valence = valencefield(atom, bonded[i]);
    entry.parity = parities[i];
    table.atoms.push_back(entry);
  }
  return table;
}

std::string headerlines(const tstandardtable& table) {
  return table.title + "\n  Molvane3          " + (table.threed ? "3D" : "2D") +
         "\n" + table.comment + "\n";
}

/// Property lines of at most eight entries: "M  CHG  2   1  -1   3   1".
void appendpairs(std::string& text, std::string_view tag,
                 const std::vector<std::pair<int, int>>& pairs) {
  for (std::size_t first = 0; first < pairs.size(); first += 8) {
    std::size_t count = std::min<std::size_t>(8, pairs.size() - first);
    text += std::string(tag) + formatinteger(static_cast<long>(count), 3);
    for (std::size_t k = first; k < first + count; ++k) {
      text += " " + formatinteger(pairs[k].first, 3) + " " +
              formatinteger(pairs[k].second, 3);
    }
    text += "\n";
  }
}

std::string v2000text(const tstandardtable& table) {
  std::string text = headerlines(table);
  text += formatinteger(static_cast<long>(table.atoms.size()), 3) +
          formatinteger(static_cast<long>(table.bonds.size()), 3) +
          "  0  0  0  0  0  0  0  0999 V2000\n";
  std::vector<std::pair<int, int>> charges;
  std::vector<std::pair<int, int>> isotopes;
  for (std::size_t i = 0; i < table.atoms.size(); ++i) {
    const tstandardatom& atom = table.atoms[i];
    int code = atom.charge >= -3 && atom.charge <= 3 && atom.charge != 0
                   ? 4 - atom.charge
                   : 0;
    std::string symbol = atom.symbol.substr(0, 3);
    symbol.resize(3, ' ');
    text += formatfixed(atom.x, 4, 10) + formatfixed(atom.y, 4, 10) +
            formatfixed(atom.z, 4, 10) + " " + symbol + formatinteger(0, 2) +
            formatinteger(code, 3) + formatinteger(atom.parity, 3) + "  0  0" +
            formatinteger(atom.valence, 3) + "  0  0  0  0  0  0\n";
    int position = static_cast<int>(i) + 1;
    if (atom.charge != 0) {
      charges.emplace_back(position, atom.charge);
    }
    if (atom.isotope != 0) {
      isotopes.emplace_back(position, atom.isotope);
    }
  }
  for (const tstandardbond& bond : table.bonds) {
    text += formatinteger(bond.atom1, 3) + formatinteger(bond.atom2, 3) +
            formatinteger(bond.type, 3) + formatinteger(bond.stereo, 3) +
            "  0  0  0\n";
  }
  appendpairs(text, "M  CHG", charges);
  appendpairs(text, "M  ISO", isotopes);
  text += "M  END\n";
  return text;
}

std::string v3000text(const tstandardtable& table) {
  std::string text = headerlines(table);
  text += "  0  0  0     0  0            999 V3000\n";
  text += "M  V30 BEGIN CTAB\n";
  text += "M  V30 COUNTS " + std::to_string(table.atoms.size()) + " " +
          std::to_string(table.bonds.size()) + " 0 0 0\n";
  text += "M  V30 BEGIN ATOM\n";
  for (std::size_t i = 0; i < table.atoms.size(); ++i) {
    const tstandardatom& atom = table.atoms[i];
    text += "M  V30 " + std::to_string(i + 1) + " " + atom.symbol + " " +
            formatfixed(atom.x, 4) + " " + formatfixed(atom.y, 4) + " " +
            formatfixed(atom.z, 4) + " 0";
    if (atom.parity != 0) {
      text += " CFG=" + std::to_string(atom.parity);
    }
    if (atom.charge != 0) {
      text += " CHG=" + std::to_string(atom.charge);
    }
    if (atom.isotope != 0) {
      text += " MASS=" + std::to_string(atom.isotope);
    }
    if (atom.valence != 0) {
      text += " VAL=" + std::to_string(atom.valence == 15 ? -1 : atom.valence);
    }
    text += "\n";
  }
  text += "M  V30 END ATOM\nM  V30 BEGIN BOND\n";
  for (std::size_t j = 0; j < table.bonds.size(); ++j) {
    const tstandardbond& bond = table.bonds[j];
    text += "M  V30 " + std::to_string(j + 1) + " " +
            std::to_string(bond.type) + " " + std::to_string(bond.atom1) + " " +
            std::to_string(bond.atom2);
    if (bond.stereo != 0) {
      text += bond.stereo == 1   ? " CFG=1"
              : bond.stereo == 3 ? " CFG=2"
                                 : " CFG=3";
    }
    text += "\n";
  }
  text += "M  V30 END BOND\nM  V30 END CTAB\nM  END\n";
  return text;
}

std::string molfiletext(const tstandardtable& table) {
  constexpr std::size_t largestv2000 = 999;
  if (table.atoms.size() > largestv2000 || table.bonds.size() > largestv2000) {
    return v3000text(table);
  }
  return v2000text(table);
}

}  // namespace

treadresult readmolfilerecord(std::span<const std::string_view> lines,
                              int firstline, const tsettings& settings) {
  tparsedmolfile parsed = parsemolfile(lines, firstline);
  treadresult result;
  if (!parsed.error.empty()) {
    result.error = parsed.error;
    return result;
  }
  tbuildoptions options;
  options.settings = &settings;
  options.ownlayout = parsed.layout == tmolfilelayout::companion;
  options.ydown = options.ownlayout;
  if (options.ownlayout) {
    options.angstromperlength = companionangstromperbond;
  } else if (parsed.angstromperlength > 0.0) {
    options.angstromperlength = parsed.angstromperlength;
    options.statedscale = true;
  }
  result.notices = parsed.record.notices;
  result.drawing = builddrawing(parsed.record, options, result.notices);
  return result;
}

treadresult readmdl(std::span<const std::uint8_t> bytes,
                    const tsettings& settings) {
  std::vector<std::string_view> lines = splitlines(astext(bytes));
  std::vector<tchunk> chunks = recordchunks(lines);
  if (chunks.empty()) {
    treadresult result;
    result.error = "the file holds no structure";
    return result;
  }
  return readchunk(lines, chunks.front(), settings);
}

std::vector<treadresult> readmdlrecords(std::span<const std::uint8_t> bytes,
                                        const tsettings& settings) {
  std::vector<std::string_view> lines = splitlines(astext(bytes));
  std::vector<treadresult> results;
  std::vector<tchunk> chunks = recordchunks(lines);
  for (std::size_t k = 0; k < chunks.size(); ++k) {
    treadresult result = readchunk(lines, chunks[k], settings);
    if (!result.error.empty()) {
      result.error = recorderror(static_cast<int>(k) + 1, result.error);
    }
    results.push_back(std::move(result));
  }
  return results;
}

std::vector<std::uint8_t> writemdl(const tdrawing& drawing) {
  tstandardtable table = standardtable(drawing, companionangstromperbond);
  table.title = companionname(drawing);
  table.comment = companioncomment(companionangstromperbond);
  return bytesof(molfiletext(table));
}

std::vector<std::uint8_t> writemolfile(const tdrawing& drawing) {
  return bytesof(molfiletext(standardtable(drawing, angstromperbond)));
}

std::vector<std::uint8_t> writesdfile(const tdrawing& drawing) {
  return bytesof(molfiletext(standardtable(drawing, angstromperbond)) +
                 "$$$$\n");
}

}  // namespace molvane

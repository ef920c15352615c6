// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "nmr/learned_tables.h"

#include "nmr/database_builder.h"
#include "nmr/environment_keys.h"
#include "nmr/learned_tables_data.h"
#include "nmr/nmr_graph.h"

#include <cinttypes>
#include <cstdio>

namespace molvane {

namespace {

constexpr int hydrogen = 1;
constexpr int fluorine = 9;
/// A fluorine type needs two measured atoms to be learned; a detailed
/// alpha substituent of a proton needs five for an increment of its own.
constexpr int fluorinesupport = 8;
constexpr int protondetail = 5;
constexpr int fluorinedetail = 6;
/// A fluorine type this deep beats the fluorine increments.
constexpr int decisivetypedepth = 3;

std::vector<std::pair<std::uint64_t, double>> tovector(
    std::span<const tshippedterm> terms) {
  std::vector<std::pair<std::uint64_t, double>> result;
  result.reserve(terms.size());
  for (const tshippedterm& term : terms) {
    result.emplace_back(term.key, term.value);
  }
  return result;
}

void writeterms(std::string& out, const char* name,
                const std::vector<std::pair<std::uint64_t, double>>& terms) {
  out += "const tshippedterm ";
  out += name;
  out += "[] = {\n";
  char line[96];
  for (const auto& [key, value] : terms) {
    std::snprintf(line, sizeof line, "    {0x%016" PRIx64 "ULL, %.4f},\n", key,
                  value);
    out += line;
  }
  out += "};\n\n";
}

}  // namespace

int shiftclass(const tnmrgraph& graph, int atom, int nucleus) {
  if (nucleus == fluorine &&
      graph.atoms[static_cast<std::size_t>(atom)].element == fluorine) {
    return fluorineclass;
  }
  if (nucleus == hydrogen && carriessp3protons(graph, atom)) {
    return protonsp3class;
  }
  return atomclass(graph, atom);
}

std::shared_ptr<const tlearnedtables> fitlearnedtables(
    const std::vector<const ttrainingmolecule*>& molecules, int nucleus) {
  auto tables = std::make_shared<tlearnedtables>();
  if (nucleus != hydrogen && nucleus != fluorine) {
    return tables;
  }
  std::vector<tfluorinesample> fluorines;
  std::vector<tincrementsample> fluorineterms;
  std::vector<tincrementsample> protons;
  for (const ttrainingmolecule* molecule : molecules) {
    tnmrgraph graph = tnmrgraph::fromstructure(*molecule->structure);
    for (const tassignedshift& assigned : molecule->shifts) {
      int atom = assigned.atomindex;
      if (atom < 0 || atom >= graph.size() ||
          !graph.atoms[static_cast<std::size_t>(atom)].active) {
        continue;
      }
      if (nucleus == fluorine &&
          graph.atoms[static_cast<std::size_t>(atom)].element == fluorine) {
        fluorines.push_back({fluorinekeys(graph, atom), assigned.shift});
      }
      tincrementsample sample;
      sample.shift = assigned.shift;
      if (nucleus == fluorine &&
          molvane::fluorineterms(graph, atom, sample.terms)) {
        fluorineterms.push_back(sample);
      }
      if (nucleus == hydrogen && protonterms(graph, atom, sample.terms)) {
        protons.push_back(std::move(sample));
      }
    }
  }
  tables->fluorine = tfluorinetable::fit(fluorines, fluorinesupport);
  tables->fluorineincrements =
      tincrementtable::fit(fluorineterms, fluorinedetail);
  tables->proton = tincrementtable::fit(protons, protondetail);
  return tables;
}

std::shared_ptr<const tlearnedtables> shippedtables() {
  static const std::shared_ptr<const tlearnedtables> shipped = [] {
    auto tables = std::make_shared<tlearnedtables>();
    tables->fluorine = tfluorinetable(tovector(shippedfluorinetypes()));
    tables->fluorineincrements =
        tincrementtable(tovector(shippedfluorineincrements()));
    tables->proton = tincrementtable(tovector(shippedprotonincrements()));
    return tables;
  }();
  return shipped;
}

tprediction learnedfallback(const tlearnedtables& tables,
                            const tnmrgraph& graph, int atom, int c) {
  switch (c) {
    case fluorineclass: {
      tprediction type = tables.fluorine.predict(graph, atom);
      tincrementterms terms;
      if (-type.level >= decisivetypedepth ||
          !fluorineterms(graph, atom, terms)) {
        return type;
      }
      tprediction sum = tables.fluorineincrements.predict(terms);
      return sum.level != 0 ? tprediction{sum.shift, -1} : type;
    }
    case protonsp3class: {
      tincrementterms terms;
      if (!protonterms(graph, atom, terms)) {
        return {};
      }
      tprediction sum = tables.proton.predict(terms);
      return sum.level != 0 ? tprediction{sum.shift, -2} : sum;
    }
    default:
      return {};
  }
}

std::string tablesource(const tlearnedtables& tables) {
  std::string out =
      "// SPDX-FileCopyrightText: 2026 Molvane 3D developers\n"
      "// SPDX-License-Identifier: GPL-3.0-or-later\n"
      "//\n"
      "// Written by nmr_tables from the training spectra; do not edit.\n"
      "// clang-format off\n"
      "#include \"nmr/learned_tables_data.h\"\n\n"
      "namespace molvane {\n\nnamespace {\n\n";
  writeterms(out, "fluorine", tables.fluorine.entries());
  writeterms(out, "fluorineincrements", tables.fluorineincrements.increments());
  writeterms(out, "proton", tables.proton.increments());
  out +=
      "}  // namespace\n\n"
      "std::span<const tshippedterm> shippedfluorinetypes() { return fluorine; "
      "}\n\n"
      "std::span<const tshippedterm> shippedfluorineincrements() { return "
      "fluorineincrements; }\n\n"
      "std::span<const tshippedterm> shippedprotonincrements() { return "
      "proton; }\n\n"
      "}  // namespace molvane\n";
  return out;
}

}  // namespace molvane

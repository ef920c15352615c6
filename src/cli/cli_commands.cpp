// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/cli_commands.h"

#include "chemistry/inchi_identifier.h"
#include "cli/build_command.h"
#include "cli/document_input.h"
#include "cli/drawing_info.h"
#include "cli/embed_command.h"
#include "cli/energy_command.h"
#include "cli/hydrogens_command.h"
#include "cli/inchi_records.h"
#include "cli/json_writer.h"
#include "cli/nmr_command.h"
#include "cli/nmrdb_command.h"
#include "cli/optimize_command.h"
#include "cli/reaction_command.h"
#include "cli/record_batch.h"
#include "cli/record_files.h"
#include "cli/render_command.h"
#include "cli/smiles_command.h"
#include "commands/file_commands.h"
#include "document/drawing.h"
#include "document/session.h"
#include "io/document_files.h"
#include "mechanics/molecular_data.h"
#include "model/formula.h"
#include "support/number_text.h"

#include <cstdio>
#include <map>
#include <memory>
#include <optional>
#include <utility>

namespace molvane {

namespace {

/// Record lists up to this long are held and written at once.
constexpr std::size_t heldrecordlines = 1000;

std::string trimmed(std::string text) {
  while (!text.empty() && text.back() == ' ') {
    text.pop_back();
  }
  return text;
}

tclioutcome info(const tclioptions& options,
                 const std::vector<std::string>& command) {
  std::vector<std::string> arguments = command;
  int jobs = 1;
  if (std::string problem = takejobs(arguments, jobs); !problem.empty()) {
    return failure(problem);
  }
  if (arguments.size() != 2) {
    return failure("usage: info FILE");
  }
  // Record lists are held in memory only while short; longer ones are
  // written from the summaries' file as the output goes out. The pass
  // that lists them reads the first record too, so the file is read once;
  // a first record that cannot be read is opened again for the message
  // opening a document gives.
  auto summaries = std::make_shared<trecordsummaries>(arguments[1], jobs);
  if (!summaries->error().empty()) {
    return failure(summaries->error());
  }
  std::optional<treadresult> first = summaries->takefirst();
  std::string problem = first && first->drawing != nullptr
                            ? adoptinput(arguments[1], std::move(*first))
                            : openinput(arguments[1]);
  if (!problem.empty()) {
    return failure(problem);
  }
  tdrawing& drawing = *session().drawing();
  const tdrawinginfo info = drawinginfo(drawing);
  const tmoleculardata& data = info.data;
  const TXYZ& dipole = data.dipole.vector;
  const tinchiresult inchi = standardinchi(drawing);
  const bool held = summaries->count() <= heldrecordlines;
  std::vector<std::string> records;
  if (held) {
    summaries->visit([&records](std::size_t, std::string_view line) {
      records.emplace_back(line);
    });
  }
  if (options.json) {
    tjsonobject json;
    json.addtext("file", arguments[1]);
    json.addtext("formula", info.formula);
    json.addtext("hill", info.hill);
    json.addreal("weight", info.weight, 3);
    json.addtext("composition", info.composition);
    json.addinteger("charge", info.charge);
    json.addinteger("atoms", info.atoms);
    json.addinteger("bonds", info.bonds);
    json.addinteger("structures", info.structures);
    json.addinteger("symbols", info.symbols);
    json.addtext("inchi", inchi.inchi);
    json.addtext("inchikey", inchi.key);
    if (!inchi.message.empty()) {
      json.addtext("inchimessage", inchi.message);
    }
    tjsonobject after;
    if (held && !records.empty()) {
      json.addtexts("records", records);
    }
    tjsonobject& tail = held ? json : after;
    tail.addreal("dipoledebye", data.dipole.debye, 3);
    tail.addreals("dipolevector", {dipole.x, dipole.y, dipole.z}, 3);
    tail.addreals("principalmoments", info.moments, 3);
    if (data.energycal) {
      tail.addreal("energykcal", *data.energycal * 0.001, 4);
    }
    tail.addreals("partialcharges", info.partialcharges, 4);
    if (held) {
      return {0, json.text() + "\n", "", {}};
    }
    // The same object, its record list written line by line.
    std::string head = json.text();
    head.back() = ',';
    std::string end = after.text();
    end.front() = ' ';
    return {0, head + " \"records\": [", "", [summaries, end](std::FILE* out) {
              summaries->visit([out](std::size_t i, std::string_view line) {
                std::fputs(((i == 0 ? "" : ", ") + jsonquoted(line)).c_str(),
                           out);
              });
              std::fputs(("]," + end + "\n").c_str(), out);
            }};
  }
  std::string text;
  text += "Formula:        " + trimmed(info.formula) + "\n";
  text += "Hill formula:   " + info.hill + "\n";
  text += "Formula weight: " + formatfixed(info.weight, 3) + "\n";
  text += "Composition:    " + trimmed(info.composition) + "\n";
  text += "Net charge:     " + std::to_string(info.charge) + "\n";
  text += "Atoms:          " + std::to_string(info.atoms) + "\n";
  text += "Bonds:          " + std::to_string(info.bonds) + "\n";
  text += "Structures:     " + std::to_string(info.structures) + "\n";
  text += "Symbols:        " + std::to_string(info.symbols) + "\n";
  if (inchi.inchi.empty()) {
    text += "InChI:          none (" + inchi.message + ")\n";
  } else {
    text += "InChI:          " + inchi.inchi + "\n";
    text += "InChIKey:       " + inchi.key + "\n";
  }
  text += "Dipole moment:  " + formatfixed(data.dipole.debye, 2) +
          " D (partial charges with lone-pair increments)\n";
  if (!data.valence.empty()) {
    text += data.valence + "\n";
  }
  text += "Moments:        " + data.momentstext(2) + " amu\u00B7\u00C5\u00B2\n";
  if (data.energycal) {
    text += "Energy:         " + trimmed(data.energytext()) + " kcal/mol\n";
  }
  if (summaries->count() > 0) {
    text += "Records:        " + std::to_string(summaries->count()) +
            " (the numbers above are of the first)\n";
  }
  const auto line = [](std::size_t i, std::string_view summary) {
    return "  " + std::to_string(i + 1) + ": " + std::string(summary) + "\n";
  };
  if (!held) {
    return {0, text, "", [summaries, line](std::FILE* out) {
              summaries->visit([&](std::size_t i, std::string_view summary) {
                std::fputs(line(i, summary).c_str(), out);
              });
            }};
  }
  for (std::size_t i = 0; i < records.size(); ++i) {
    text += line(i, records[i]);
  }
  return {0, text, "", {}};
}

tclioutcome convert(const tclioptions& options,
                    const std::vector<std::string>& command) {
  constexpr const char* usage =
      "usage: convert IN OUT [--width W] [--height H] [--scale F] [--dpi N] "
      "[--colour] [--antialias] [--jobs N]";
  std::vector<std::string> arguments = command;
  int jobs = 1;
  if (std::string problem = takejobs(arguments, jobs); !problem.empty()) {
    return failure(problem);
  }
  tpictureoptions picture;
  bool pictureoptions = false;
  for (std::size_t i = 3; i < arguments.size(); ++i) {
    std::string error;
    if (!readpictureoption(arguments, i, picture, error)) {
      return failure(usage);
    }
    if (!error.empty()) {
      return failure(error);
    }
    pictureoptions = true;
  }
  if (arguments.size() < 3) {
    return failure(usage);
  }
  if (std::string clash = picturesizeclash(picture); !clash.empty()) {
    return failure(clash);
  }
  if (pictureoptions && !pictureformatof(arguments[2])) {
    return failure("\"" + arguments[2] +
                   "\": the picture options are for .bmp, .jpg, .png and "
                   ".svg files");
  }
  if (auto identifiers =
          convertinchirecords(options, arguments[1], arguments[2])) {
    return *identifiers;
  }
  if (auto copied = convertrecords(options, arguments[1], arguments[2], jobs)) {
    return *copied;
  }
  std::string problem = openinput(arguments[1]);
  if (!problem.empty()) {
    return failure(problem);
  }
  std::optional<std::string> written =
      exportifpicture(*session().drawing(), arguments[2], picture);
  if (!written) {
    written = exportdocument(*session().drawing(), arguments[2]);
  }
  if (!written->empty()) {
    return failure(*written);
  }
  if (options.json) {
    tjsonobject json;
    json.addtext("input", arguments[1]);
    json.addtext("output", arguments[2]);
    return {0, json.text() + "\n", ""};
  }
  return {0, "Wrote " + arguments[2] + "\n", ""};
}

}  // namespace

std::string cliusage() {
  return "usage: molvane3d-cli [--datadir DIR] [--json] COMMAND ...\n"
         "       molvane3d-cli --help | --version\n"
         "commands:\n"
         "  info FILE [--jobs N]       formula, weight, composition, charge, "
         "counts, InChI\n"
         "                             and InChIKey\n"
         "  convert IN OUT             reads IN and writes OUT in the format "
         "of its extension\n"
         "                             (pictures: the render options but "
         "--mode)\n"
         "  build OUT CODE@X,Y ...     runs command codes at click points "
         "(--in FILE, --3d)\n"
         "  embed IN OUT               builds a relaxed 3D model with "
         "hydrogens, stated\n"
         "                             stereo kept (--conformers N, --seed "
         "S)\n"
         "  energy IN                  force-field energy (kcal/mol) and "
         "term counts\n"
         "  optimize IN OUT            relaxes the geometry in the force "
         "field (--method M,\n"
         "                             --tolerance CAL, --jump ANGSTROM, "
         "--temp T, --seed S,\n"
         "                             --max-seconds S, --gradient KCAL, "
         "--no-polish)\n"
         "  hydrogens --2d|--3d|--remove IN OUT\n"
         "                             adds or removes hydrogens\n"
         "  nmr FILE --nucleus N       predicted shifts (N: 1H, 13C, 15N, "
         "19F, 31P; --db FILE)\n"
         "  nmrdb build --nucleus N IN.sdf... OUT.pks\n"
         "                             builds a shift database from "
         "assigned spectra\n"
         "                             (--reference REF.sdf, --entries N, "
         "--folds K)\n"
         "  nmrdb model IN.sdf... OUT.fit\n"
         "                             fits the carbon shift model to "
         "assigned spectra\n"
         "  reaction IN                balances a drawn reaction, dH, dS, dG, "
         "log K (--T K,\n"
         "                             --P ATM, --optimize, --reference N)\n"
         "  render IN OUT              paints the drawing to a picture "
         "(--mode N, --width W,\n"
         "                             --height H, --scale F, --dpi N, "
         "--colour, --antialias)\n"
         "  smiles IN                  prints the SMILES of the drawing\n"
         "SD, CML and SMILES files of several records: convert, embed, "
         "optimize and\n"
         "hydrogens (to an SD file), nmr, smiles, energy and info work on "
         "every record, in\n"
         "the order of the file (smiles: one line a record, its SMILES and "
         "name; energy:\n"
         "its number, kcal/mol and name); --jobs N spreads the records over "
         "N threads\n"
         "(0: one per core) with the same output.\n";
}

tclioutcome runclicommand(const tclioptions& options,
                          const std::vector<std::string>& arguments) {
  using tcommand =
      tclioutcome (*)(const tclioptions&, const std::vector<std::string>&);
  static const std::map<std::string, tcommand> commands = {
      {"build", buildcommand},       {"info", info},
      {"convert", convert},          {"embed", embedcommand},
      {"energy", energycommand},     {"hydrogens", hydrogenscommand},
      {"nmr", nmrcommand},           {"nmrdb", nmrdbcommand},
      {"optimize", optimizecommand}, {"reaction", reactioncommand},
      {"render", rendercommand},     {"smiles", smilescommand}};
  if (arguments.empty()) {
    return failure("no command given\n" + cliusage());
  }
  auto found = commands.find(arguments[0]);
  if (found == commands.end()) {
    return failure("unknown command \"" + arguments[0] + "\"\n" + cliusage());
  }
  return found->second(options, arguments);
}

}  // namespace molvane

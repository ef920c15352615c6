// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/cli_commands.h"

#include "cli/build_command.h"
#include "cli/document_input.h"
#include "cli/embed_command.h"
#include "cli/energy_command.h"
#include "cli/hydrogens_command.h"
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

#include <map>
#include <utility>

namespace molvane {

namespace {

std::string trimmed(std::string text) {
  while (!text.empty() && text.back() == ' ') {
    text.pop_back();
  }
  return text;
}

int countchemicalbonds(const tdrawing& drawing) {
  return drawing.bonds.countchemical();
}

tclioutcome info(const tclioptions& options,
                 const std::vector<std::string>& arguments) {
  if (arguments.size() != 2) {
    return failure("usage: info FILE");
  }
  std::string problem = openinput(arguments[1]);
  if (!problem.empty()) {
    return failure(problem);
  }
  tdrawing& drawing = *session().drawing();
  const tmoleculardata data = moleculardata(drawing);
  std::vector<double> partialcharges;
  for (const tatm* atom : drawing.atoms) {
    if (atom->ischemical()) {
      partialcharges.push_back(atom->qpartial);
    }
  }
  const TXYZ& dipole = data.dipole.vector;
  std::vector<double> moments;
  for (double moment : data.moments.moments) {
    moments.push_back(moment * amuangstromspergramcm);
  }
  std::string formula = formulatext(drawing);
  double weight = drawing.molmass();
  std::string composition = compositiontext(drawing);
  int charge = drawing.totalcharge();
  int atoms = drawing.atoms.countchemical();
  int bonds = countchemicalbonds(drawing);
  int structures = drawing.structures.count();
  int symbols = drawing.symbols.count();
  std::vector<std::string> records = recordsummaries(arguments[1]);
  if (options.json) {
    tjsonobject json;
    json.addtext("file", arguments[1]);
    json.addtext("formula", formula);
    json.addtext("hill", hillformula(drawing));
    json.addreal("weight", weight, 3);
    json.addtext("composition", composition);
    json.addinteger("charge", charge);
    json.addinteger("atoms", atoms);
    json.addinteger("bonds", bonds);
    json.addinteger("structures", structures);
    json.addinteger("symbols", symbols);
    if (!records.empty()) {
      json.addtexts("records", records);
    }
    json.addreal("dipoledebye", data.dipole.debye, 3);
    json.addreals("dipolevector", {dipole.x, dipole.y, dipole.z}, 3);
    json.addreals("principalmoments", moments, 3);
    if (data.energycal) {
      json.addreal("energykcal", *data.energycal * 0.001, 4);
    }
    json.addreals("partialcharges", partialcharges, 4);
    return {0, json.text() + "\n", ""};
  }
  std::string text;
  text += "Formula:        " + trimmed(formula) + "\n";
  text += "Hill formula:   " + hillformula(drawing) + "\n";
  text += "Formula weight: " + formatfixed(weight, 3) + "\n";
  text += "Composition:    " + trimmed(composition) + "\n";
  text += "Net charge:     " + std::to_string(charge) + "\n";
  text += "Atoms:          " + std::to_string(atoms) + "\n";
  text += "Bonds:          " + std::to_string(bonds) + "\n";
  text += "Structures:     " + std::to_string(structures) + "\n";
  text += "Symbols:        " + std::to_string(symbols) + "\n";
  text += "Dipole moment:  " + formatfixed(data.dipole.debye, 2) + " D\n";
  text += "Moments:        " + data.momentstext(2) + " amu\u00B7\u00C5\u00B2\n";
  if (data.energycal) {
    text += "Energy:         " + trimmed(data.energytext()) + " kcal/mol\n";
  }
  if (!records.empty()) {
    text += "Records:        " + std::to_string(records.size()) +
            " (the numbers above are of the first)\n";
    for (std::size_t i = 0; i < records.size(); ++i) {
      text += "  " + std::to_string(i + 1) + ": " + records[i] + "\n";
    }
  }
  return {0, text, ""};
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
         "  info FILE                  formula, weight, composition, charge "
         "and counts\n"
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
         "SD files of several records: convert, embed, optimize and hydrogens "
         "(to an SD\n"
         "file) and nmr work on every record, in the order of the file; "
         "--jobs N spreads\n"
         "the records over N threads (0: one per core) with the same "
         "output.\n";
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

// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "io/document_files.h"

#include "document/drawing.h"
#include "io/cml_format.h"
#include "io/cml_stream.h"
#include "io/exchange_files.h"
#include "io/inchi_format.h"
#include "io/line_records.h"
#include "io/mdl_format.h"
#include "io/native_format.h"
#include "io/sd_stream.h"
#include "io/smiles_format.h"
#include "io/xyz_format.h"
#include "support/atomic_file.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <optional>
#include <string_view>

namespace molvane {

namespace {

/// Larger files are refused before any byte is read into memory.
constexpr std::size_t largestdocument = 512U * 1024U * 1024U;

std::string lowercase(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) {
    return static_cast<char>(std::tolower(c));
  });
  return text;
}

// Saving writes the companions of the first CML and the first MDL row. The
// MDL family has three rows: the companion layout (".mdl"), and standard
// molfiles and SD files for other programs; they read alike, since every
// exchange reader looks at the content first.
const std::array<tformatrow, 9>& formattable() {
  static const std::array<tformatrow, 9> table = {{
      {tfileformat::native, "Molvane", {"mlv"}, readnative, writenative},
      {tfileformat::cml, "CML", {"xml", "cml"}, readcmlfile, writecml},
      {tfileformat::mdl, "MDL", {"mdl"}, readmdlfile, writemdl},
      {tfileformat::mdl, "MDL molfile", {"mol"}, readmdlfile, writemolfile},
      {tfileformat::mdl, "SD file", {"sdf", "sd"}, readmdlfile, writesdfile},
      {tfileformat::xyz, "XYZ table", {"xyz"}, readxyzfile, writexyz},
      {tfileformat::rxn, "MDL reaction", {"rxn"}, readrxnfile, nullptr},
      {tfileformat::smiles, "SMILES", {"smi"}, readsmilesfile, writesmilesfile},
      {tfileformat::inchi, "InChI", {"inchi"}, readinchifile, writeinchifile},
  }};
  return table;
}

std::string quoted(const std::filesystem::path& path) {
  return "\"" + path.string() + "\"";
}

/// The first molecule of a CML file, cut out of it and read alone; nullopt
/// when that gives no drawing, so that the whole file is read instead
/// (files of earlier versions that are not XML, or no molecule at all).
std::optional<treadresult> firstcmlmolecule(const std::filesystem::path& path,
                                            const tsettings& settings) {
  tcmlstream stream(path, settings);
  std::optional<treadresult> first = stream.next();
  if (!stream.error().empty() || !first || first->drawing == nullptr) {
    return std::nullopt;
  }
  return first;
}

}  // namespace

std::span<const tformatrow> fileformats() { return formattable(); }

const tformatrow* formatofpath(const std::filesystem::path& path) {
  std::string extension = lowercase(path.extension().string());
  if (extension.empty()) {
    return nullptr;
  }
  extension.erase(0, 1);
  for (const tformatrow& row : formattable()) {
    for (std::string_view known : row.extensions) {
      if (extension == known) {
        return &row;
      }
    }
  }
  return nullptr;
}

const tformatrow& formatrow(tfileformat format) {
  for (const tformatrow& row : formattable()) {
    if (row.format == format) {
      return row;
    }
  }
  return formattable()[0];
}

treadresult loaddocument(const std::filesystem::path& path,
                         const tsettings& settings) {
  treadresult result;
  const tformatrow* row = formatofpath(path);
  if (row == nullptr) {
    result.error = quoted(path) + ": unknown file type";
    return result;
  }
  if (row->read == nullptr) {
    result.error = quoted(path) + ": " + std::string(row->name) +
                   " files cannot be read yet";
    return result;
  }
  // MDL records and CML molecules are read one at a time, so a file of
  // any size opens with its first record without the rest being read.
  const tfileformat content = row->format == tfileformat::native
                                  ? tfileformat::native
                                  : exchangeformatoffile(path, row->format);
  std::optional<tsdstream> records;
  if (content == tfileformat::mdl) {
    tsdstreamoptions options;
    options.settings = &settings;
    records.emplace(path, options);
  }
  std::optional<treadresult> molecule;
  if (content == tfileformat::cml) {
    molecule = firstcmlmolecule(path, settings);
  } else if (content == tfileformat::smiles) {
    molecule = readfirstrecordline(
        path, [&settings](int number, std::string_view line) {
          return readsmilesline(number, line, settings);
        });
  } else if (content == tfileformat::inchi) {
    molecule = readfirstrecordline(
        path, [&settings](int number, std::string_view line) {
          return readinchiline(number, line, settings);
        });
  }
  if (records && records->error().empty()) {
    result = readfirstrecord(*records, settings);
  } else if (molecule) {
    result = std::move(*molecule);
  } else {
    std::vector<std::uint8_t> bytes;
    std::string failure = readwholefile(path, bytes, largestdocument);
    if (!failure.empty()) {
      result.error = failure;
      return result;
    }
    result = row->read(bytes, settings);
  }
  if (!result.error.empty()) {
    result.error = quoted(path) + ": " + result.error;
  }
  return result;
}

tdocumentnames documentnames(const std::filesystem::path& given) {
  std::string name = given.filename().string();
  std::string stem = name.substr(0, name.find('.'));
  std::string extension = given.extension().string();
  bool lower = extension == ".mlv";
  bool keep = lowercase(extension) == ".mlv";
  std::filesystem::path folder = given.parent_path();
  tdocumentnames names;
  names.native = folder / (stem + (keep ? extension : ".MLV"));
  names.cml = folder / (stem + (lower ? ".xml" : ".XML"));
  names.mdl = folder / (stem + (lower ? ".mdl" : ".MDL"));
  return names;
}

tsaveresult savedocument(tdrawing& drawing,
                         const std::filesystem::path& given) {
  tsaveresult result;
  if (drawing.atoms.empty()) {
    return result;
  }
  tdocumentnames names = documentnames(given);
  drawing.filename = names.native.string();
  std::vector<std::uint8_t> bytes = writenative(drawing);
  result.error = writefileatomically(names.native, bytes);
  result.written = result.error.empty();
  // The companions are written whatever became of the native file, so that
  // the molecule is kept somewhere.
  for (auto [format, path] : {std::pair{tfileformat::cml, names.cml},
                              std::pair{tfileformat::mdl, names.mdl}}) {
    const tformatrow& row = formatrow(format);
    if (row.write != nullptr) {
      std::string failure = writefileatomically(path, row.write(drawing));
      if (!failure.empty()) {
        result.notices.push_back(failure);
      }
    }
  }
  if (result.written) {
    drawing.saved = true;
  }
  return result;
}

std::string exportdocument(const tdrawing& drawing,
                           const std::filesystem::path& path) {
  const tformatrow* row = formatofpath(path);
  if (row == nullptr) {
    return quoted(path) + ": unknown file type";
  }
  if (row->write == nullptr) {
    return quoted(path) + ": " + std::string(row->name) +
           " files cannot be written yet";
  }
  std::vector<std::uint8_t> bytes = row->write(drawing);
  // Writers give nothing only when the drawing holds nothing they can say.
  if (bytes.empty()) {
    return quoted(path) + ": the drawing holds nothing " +
           std::string(row->name) + " can describe";
  }
  return writefileatomically(path, bytes);
}

}  // namespace molvane

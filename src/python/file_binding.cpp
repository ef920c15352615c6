// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Reading and writing files and strings, and files of many records.
#include "commands/file_commands.h"
#include "document/drawing.h"
#include "io/cml_stream.h"
#include "io/document_files.h"
#include "io/exchange_files.h"
#include "io/mdl_format.h"
#include "io/record_index.h"
#include "io/sd_stream.h"
#include "io/smiles_format.h"
#include "io/smiles_stream.h"
#include "python/python_bindings.h"
#include "python/python_molecule.h"
#include "python/python_pictures.h"
#include "support/atomic_file.h"

#include <pybind11/stl.h>
#include <pybind11/stl/filesystem.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace py = pybind11;

namespace molvane {

namespace {

/// Larger strings are refused, as larger files are by the readers.
constexpr std::size_t largesttext = std::size_t{512} * 1024 * 1024;

std::string lowercase(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') {
      c = static_cast<char>(c - 'A' + 'a');
    }
  }
  return text;
}

/// The extension a format name stands for: "sdf", "mol", "cml", "smi" or
/// "smiles", ...
std::string extensionof(const std::string& format) {
  std::string name = lowercase(format);
  if (!name.empty() && name.front() == '.') {
    name.erase(0, 1);
  }
  return name == "smiles" ? "smi" : name;
}

const tformatrow& rownamed(const std::string& format) {
  const tformatrow* row = formatofpath("record." + extensionof(format));
  if (row == nullptr) {
    throw tmoduleerror("unknown format \"" + format + "\"");
  }
  return *row;
}

void warn(const std::string& text) {
  if (PyErr_WarnEx(PyExc_UserWarning, text.c_str(), 1) != 0) {
    throw py::error_already_set();
  }
}

/// The molecule of a reader's result. A file that gave nothing raises the
/// program's "File Read Error: ..."; one that broke off part way raises
/// too, unless partial asks for what came before it.
tmolecule takeresult(treadresult result, const std::string& name,
                     bool partial) {
  const treadextent extent = result.extent();
  if (extent == treadextent::nothing) {
    throw tmoduleerror(std::string(filereaderror) + ": " + result.error);
  }
  const std::string cut = std::string(filereaderror) + ": \"" + name +
                          "\" is cut short or damaged; only its first part "
                          "was read";
  if (extent == treadextent::partial) {
    if (!partial) {
      throw tmoduleerror(cut);
    }
    warn(cut);
  }
  for (const std::string& notice : result.notices) {
    warn(notice);
  }
  return tmolecule(std::move(result.drawing));
}

tmolecule readpath(const std::filesystem::path& path, bool partial) {
  return takeresult(loaddocument(path, defaultsettings()), path.string(),
                    partial);
}

tmolecule readbytes(std::span<const std::uint8_t> bytes,
                    const std::string& format, bool partial) {
  if (bytes.size() > largesttext) {
    throw tmoduleerror("the text is too long to read");
  }
  const tformatrow& row = rownamed(format);
  return takeresult(row.read(bytes, defaultsettings()), "the text", partial);
}

std::vector<std::uint8_t> writebytes(tmolecule& molecule,
                                     const std::string& format) {
  if (auto picture = picturebytes(molecule, extensionof(format))) {
    return *picture;
  }
  const tformatrow& row = rownamed(format);
  if (row.write == nullptr) {
    throw tmoduleerror("the program does not write " + std::string(row.name) +
                       " files");
  }
  std::vector<std::uint8_t> bytes = row.write(molecule.drawing());
  if (bytes.empty()) {
    throw tmoduleerror("nothing to write in " + std::string(row.name));
  }
  return bytes;
}

void writepath(tmolecule& molecule, const std::filesystem::path& path) {
  const std::string extension = extensionof(path.extension().string());
  if (auto picture = picturebytes(molecule, extension)) {
    if (std::string error = writefileatomically(path, *picture);
        !error.empty()) {
      throw tmoduleerror(error);
    }
    return;
  }
  if (std::string error = exportdocument(molecule.drawing(), path);
      !error.empty()) {
    throw tmoduleerror(error);
  }
}

/// The records of an SD, CML or SMILES file, one at a time, in constant
/// memory; records before start are passed over without being built.
class trecordreader {
 public:
  trecordreader(const std::filesystem::path& path, long start,
                std::optional<long> stop, bool skiperrors)
      : path_(path), stop_(stop), skiperrors_(skiperrors) {
    if (start < 0 || (stop && *stop < 0)) {
      throw tmoduleerror("start and stop must be 0 or more");
    }
    const tformatrow* row = formatofpath(path);
    const tfileformat format = exchangeformatoffile(
        path, row != nullptr ? row->format : tfileformat::mdl);
    switch (format) {
      case tfileformat::mdl: {
        tsdstreamoptions options;
        sd_ = std::make_unique<tsdstream>(path, options);
        break;
      }
      case tfileformat::cml:
        cml_ = std::make_unique<tcmlstream>(path, defaultsettings());
        break;
      case tfileformat::smiles:
        smiles_ = std::make_unique<tsmilesstream>(path);
        break;
      default:
        throw tmoduleerror("\"" + path.string() +
                           "\" holds no SD, CML or SMILES records");
    }
    checkstream();
    while (given_ < start && skipone()) {
      ++given_;
    }
  }

  tmolecule next() {
    while (true) {
      if (stop_ && given_ >= *stop_) {
        throw py::stop_iteration();
      }
      std::optional<treadresult> record = readone();
      checkstream();
      if (!record) {
        throw py::stop_iteration();
      }
      ++given_;
      if (record->extent() == treadextent::nothing) {
        if (skiperrors_) {
          warn(record->error);
          continue;
        }
        throw tmoduleerror(std::string(filereaderror) + ": \"" +
                           path_.string() + "\": " + record->error);
      }
      return tmolecule(std::move(record->drawing));
    }
  }

 private:
  void checkstream() const {
    const std::string& error = sd_ != nullptr    ? sd_->error()
                               : cml_ != nullptr ? cml_->error()
                                                 : smiles_->error();
    if (!error.empty()) {
      throw tmoduleerror(std::string(filereaderror) + ": " + error);
    }
  }

  bool skipone() {
    if (sd_ != nullptr) {
      return sd_->nexttext().has_value();
    }
    if (smiles_ != nullptr) {
      return smiles_->next().has_value();
    }
    return cml_->next().has_value();
  }

  std::optional<treadresult> readone() {
    if (sd_ != nullptr) {
      return sd_->next();
    }
    if (cml_ != nullptr) {
      return cml_->next();
    }
    std::optional<tsmilesline> line = smiles_->next();
    if (!line) {
      return std::nullopt;
    }
    if (!line->error.empty()) {
      treadresult refused;
      refused.error = "line " + std::to_string(line->line) + ": " + line->error;
      return refused;
    }
    return readsmilesline(line->line, line->text, defaultsettings());
  }

  std::filesystem::path path_;
  std::optional<long> stop_;
  bool skiperrors_;
  long given_ = 0;
  std::unique_ptr<tsdstream> sd_;
  std::unique_ptr<tcmlstream> cml_;
  std::unique_ptr<tsmilesstream> smiles_;
};

long countrecords(const std::filesystem::path& path) {
  const tformatrow* row = formatofpath(path);
  if (row != nullptr && row->format == tfileformat::smiles) {
    tsmilesstream stream(path);
    long count = 0;
    while (stream.next()) {
      ++count;
    }
    if (!stream.error().empty()) {
      throw tmoduleerror(std::string(filereaderror) + ": " + stream.error());
    }
    return count;
  }
  const trecordindex index = indexrecords(path);
  if (!index.error.empty()) {
    throw tmoduleerror(std::string(filereaderror) + ": " + index.error);
  }
  return static_cast<long>(index.count());
}

/// Writes every molecule of an iterable as one record of an SD or SMILES
/// file, a record at a time; the file is replaced only when all went well.
long writerecords(const py::iterable& molecules,
                  const std::filesystem::path& path) {
  const tformatrow* row = formatofpath(path);
  if (row == nullptr || row->write == nullptr ||
      (row->write != writesdfile && row->format != tfileformat::smiles)) {
    throw tmoduleerror("\"" + path.string() +
                       "\": records go to .sdf, .sd or .smi files");
  }
  tatomicwriter writer(path);
  long written = 0;
  for (py::handle item : molecules) {
    tmolecule& molecule = item.cast<tmolecule&>();
    writer.write(row->write(molecule.drawing()));
    ++written;
  }
  if (std::string error = writer.commit(); !error.empty()) {
    throw tmoduleerror(error);
  }
  return written;
}

}  // namespace

void bindfiles(py::module_& module) {
  module.def("read", &readpath, py::arg("path"), py::kw_only(),
             py::arg("partial") = false,
             "Reads a document of any format the program reads, by its "
             "extension and content (.mlv, .mdl, .mol, .sdf, .cml, .xml, "
             ".xyz, .rxn, .smi); the first record of a file of many. Raises "
             "Error for a file that cannot be read, and for one cut short or "
             "damaged unless partial is true (then what came before the "
             "damage, with a warning).");
  module.def("write", &writepath, py::arg("molecule"), py::arg("path"),
             "Writes the molecule in the format of the file name's extension "
             "(.mlv, .mdl, .mol, .sdf, .cml, .xml, .xyz, .smi, or the "
             "pictures .bmp, .jpg, .png, .svg). The file is replaced "
             "atomically.");
  module.def(
      "from_string",
      [](const std::string& text, const std::string& format, bool partial) {
        const auto* begin = reinterpret_cast<const std::uint8_t*>(text.data());
        return readbytes({begin, text.size()}, format, partial);
      },
      py::arg("text"), py::arg("format"), py::kw_only(),
      py::arg("partial") = false,
      "Reads text in the format named (\"sdf\", \"mol\", \"mdl\", \"cml\", "
      "\"xyz\", \"rxn\", \"smiles\"); raises Error as read does.");
  module.def(
      "from_bytes",
      [](const py::bytes& data, const std::string& format, bool partial) {
        const std::string_view view = data;
        const auto* begin = reinterpret_cast<const std::uint8_t*>(view.data());
        return readbytes({begin, view.size()}, format, partial);
      },
      py::arg("data"), py::arg("format"), py::kw_only(),
      py::arg("partial") = false,
      "Reads bytes in the format named, the native \"mlv\" among them.");
  module.def(
      "to_string",
      [](tmolecule& molecule, const std::string& format) {
        if (extensionof(format) == "mlv") {
          throw tmoduleerror("mlv documents are binary: use to_bytes");
        }
        std::vector<std::uint8_t> bytes = writebytes(molecule, format);
        return py::str(reinterpret_cast<const char*>(bytes.data()),
                       bytes.size());
      },
      py::arg("molecule"), py::arg("format"),
      "The molecule as the text of a file of the format named (\"sdf\", "
      "\"mol\", \"mdl\", \"cml\", \"xyz\", \"smiles\", \"svg\").");
  module.def(
      "to_bytes",
      [](tmolecule& molecule, const std::string& format) {
        std::vector<std::uint8_t> bytes = writebytes(molecule, format);
        return py::bytes(reinterpret_cast<const char*>(bytes.data()),
                         bytes.size());
      },
      py::arg("molecule"), py::arg("format"),
      "The molecule as the bytes of a file of the format named, the native "
      "\"mlv\" and the pictures \"png\", \"jpg\", \"bmp\" among them.");

  py::class_<trecordreader>(module, "RecordReader",
                            "An iterator over the records of a file.")
      .def("__iter__",
           [](trecordreader& self) -> trecordreader& { return self; })
      .def("__next__", &trecordreader::next);
  module.def(
      "read_records",
      [](const std::filesystem::path& path, long start,
         std::optional<long> stop, bool skiperrors) {
        return std::make_unique<trecordreader>(path, start, stop, skiperrors);
      },
      py::arg("path"), py::kw_only(), py::arg("start") = 0,
      py::arg("stop") = py::none(), py::arg("skip_errors") = false,
      "An iterator over the records of an SD, CML or SMILES file, read one "
      "at a time, so memory stays flat whatever the file's length. Records "
      "start (0-based) up to stop (not included) are given; a record that "
      "cannot be read raises Error naming it, or is passed over with a "
      "warning when skip_errors is true.");
  module.def("count_records", &countrecords, py::arg("path"),
             "How many records an SD, CML or SMILES file holds (other "
             "documents count as one).");
  module.def("write_records", &writerecords, py::arg("molecules"),
             py::arg("path"),
             "Writes each molecule of an iterable as one record of an SD or "
             "SMILES file; returns how many were written.");
}

}  // namespace molvane

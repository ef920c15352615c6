// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/record_source.h"

#include "io/cml_stream.h"
#include "io/document_files.h"
#include "io/exchange_files.h"
#include "io/inchi_format.h"
#include "io/sd_stream.h"
#include "io/smiles_format.h"
#include "io/smiles_stream.h"

namespace molvane {

trecordfile recordfileof(const std::filesystem::path& path) {
  const tformatrow* row = formatofpath(path.string());
  if (row == nullptr || row->format == tfileformat::native) {
    return trecordfile::none;
  }
  switch (exchangeformatoffile(path, row->format)) {
    case tfileformat::mdl:
      return trecordfile::mdl;
    case tfileformat::cml:
      return trecordfile::cml;
    case tfileformat::smiles:
      // InChI files are named apart, and hold one record a line as well.
      return row->format == tfileformat::inchi ? trecordfile::inchi
                                               : trecordfile::smiles;
    case tfileformat::inchi:
      return trecordfile::inchi;
    default:
      return trecordfile::none;
  }
}

treadresult readjobrecord(const tjobrecord& record, const tsettings& settings,
                          bool laidout) {
  switch (record.file) {
    case trecordfile::mdl: {
      tsdrecordtext text;
      text.place.number = record.number;
      text.place.firstline = record.firstline;
      text.text = record.text;
      text.error = record.error;
      return readnumberedrecord(text, settings);
    }
    case trecordfile::cml:
      return readcmlrecordtext(
          {record.number, record.firstline, record.text, record.error},
          settings);
    default:
      break;
  }
  treadresult result;
  // A line's number names it; the record's would say no more.
  if (!record.error.empty()) {
    result.error = record.error;
  } else if (record.file == trecordfile::inchi) {
    result = readinchiline(record.firstline, record.text, settings);
  } else {
    result = readsmilesline(record.firstline, record.text, settings, laidout);
  }
  return result;
}

struct trecordsource::tstreams {
  std::optional<tsdstream> sd;
  std::optional<tcmlstream> cml;
  std::optional<tsmilesstream> lines;
  std::string error;
};

trecordsource::trecordsource(const std::filesystem::path& path,
                             const tsettings& settings)
    : file_(recordfileof(path)), streams_(std::make_unique<tstreams>()) {
  switch (file_) {
    case trecordfile::mdl: {
      tsdstreamoptions options;
      options.settings = &settings;
      streams_->sd.emplace(path, options);
      break;
    }
    case trecordfile::cml:
      streams_->cml.emplace(path, settings);
      break;
    case trecordfile::smiles:
    case trecordfile::inchi:
      streams_->lines.emplace(path);
      break;
    case trecordfile::none:
      streams_->error =
          "\"" + path.string() + "\" holds no SD, CML or SMILES records";
      break;
  }
}

trecordsource::~trecordsource() = default;

std::string trecordsource::error() const {
  if (streams_->sd) {
    return streams_->sd->error();
  }
  if (streams_->cml) {
    return streams_->cml->error();
  }
  if (streams_->lines) {
    return streams_->lines->error();
  }
  return streams_->error;
}

std::optional<tjobrecord> trecordsource::next() {
  tjobrecord record;
  record.file = file_;
  if (streams_->sd) {
    std::optional<tsdrecordtext> text = streams_->sd->nexttext();
    if (!text) {
      return std::nullopt;
    }
    record.number = text->place.number;
    record.firstline = text->place.firstline;
    record.text = text->text;
    record.error = text->error;
    return record;
  }
  if (streams_->cml) {
    std::optional<tcmlrecordtext> text = streams_->cml->nexttext();
    if (!text) {
      return std::nullopt;
    }
    record.number = text->number;
    record.firstline = text->firstline;
    record.text = text->text;
    record.error = text->error;
    return record;
  }
  if (streams_->lines) {
    std::optional<tsmilesline> line = streams_->lines->next();
    if (!line) {
      return std::nullopt;
    }
    record.number = ++records_;
    record.firstline = line->line;
    record.text = line->text;
    record.error =
        line->error.empty() ? "" : recorderror(record.number, line->error);
    return record;
  }
  return std::nullopt;
}

}  // namespace molvane

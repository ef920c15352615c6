// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "io/record_index.h"

#include "io/cml_stream.h"
#include "io/document_files.h"
#include "io/exchange_files.h"
#include "support/text_lines.h"

#include <algorithm>
#include <optional>
#include <utility>

namespace molvane {

namespace {

tfileformat contentformat(const std::filesystem::path& path) {
  const tformatrow* row = formatofpath(path);
  if (row == nullptr || row->format == tfileformat::native) {
    return tfileformat::native;
  }
  return exchangeformatoffile(path, row->format);
}

std::string titleof(std::string_view text) {
  const std::size_t end = text.find_first_of("\r\n");
  std::string title(
      trimmed(text.substr(0, end)).substr(0, longestindexedtitle));
  for (char& c : title) {
    auto code = static_cast<unsigned char>(c);
    c = code < 32 || code == 127 ? ' ' : c;
  }
  return title;
}

}  // namespace

trecordindex indexrecords(const std::filesystem::path& path) {
  trecordindex index;
  switch (contentformat(path)) {
    case tfileformat::mdl: {
      tsdstream stream(path);
      while (std::optional<tsdrecordtext> record = stream.nexttext()) {
        index.places.push_back(record->place);
        index.titles.push_back(titleof(record->text));
      }
      if (!stream.error().empty()) {
        index = {};
        index.error = stream.error();
      }
      break;
    }
    case tfileformat::cml: {
      tcmlstream stream(path);
      while (std::optional<treadresult> record = stream.next()) {
        index.titles.push_back(record->drawing == nullptr
                                   ? ""
                                   : titleof(record->drawing->title()));
      }
      if (!stream.error().empty()) {
        index = {};
        index.error = stream.error();
      }
      break;
    }
    default:
      index.titles.emplace_back();
      break;
  }
  return index;
}

treadresult readindexedrecord(const std::filesystem::path& path,
                              const trecordindex& index, std::size_t which,
                              const tsettings& settings) {
  treadresult result;
  if (which >= index.count()) {
    result.error = "the file holds no record " + std::to_string(which + 1);
    return result;
  }
  if (index.places.size() == index.count()) {
    tsdstreamoptions options;
    options.settings = &settings;
    tsdstream stream(path, options);
    stream.seek(index.places[which]);
    std::optional<treadresult> record = stream.next();
    if (!stream.error().empty()) {
      result.error = stream.error();
      return result;
    }
    if (!record || stream.recordnumber() != index.places[which].number) {
      result.error = "record " + std::to_string(which + 1) +
                     " is no longer where it was; the file has changed";
      return result;
    }
    return std::move(*record);
  }
  if (index.count() == 1) {
    return loaddocument(path, settings);
  }
  tcmlstream stream(path, settings);
  for (std::size_t k = 0; std::optional<treadresult> record = stream.next();
       ++k) {
    if (k == which) {
      return std::move(*record);
    }
  }
  result.error =
      stream.error().empty() ? "the file has changed" : stream.error();
  return result;
}

void readindexedrecords(
    const std::filesystem::path& path, const trecordindex& index,
    std::size_t count,
    const std::function<void(std::size_t, treadresult)>& take,
    const tsettings& settings) {
  count = std::min(count, index.count());
  if (index.places.size() == index.count() && count > 0) {
    tsdstreamoptions options;
    options.settings = &settings;
    tsdstream stream(path, options);
    stream.seek(index.places.front());
    for (std::size_t k = 0; k < count; ++k) {
      std::optional<treadresult> record = stream.next();
      if (!record) {
        treadresult missing;
        missing.error =
            stream.error().empty()
                ? recorderror(static_cast<int>(k) + 1, "no longer in the file")
                : stream.error();
        take(k, std::move(missing));
        return;
      }
      take(k, std::move(*record));
    }
    return;
  }
  if (index.count() == 1 && count == 1) {
    take(0, loaddocument(path, settings));
    return;
  }
  tcmlstream stream(path, settings);
  for (std::size_t k = 0; k < count; ++k) {
    std::optional<treadresult> record = stream.next();
    if (!record) {
      treadresult missing;
      missing.error =
          stream.error().empty() ? "the file has changed" : stream.error();
      take(k, std::move(missing));
      return;
    }
    take(k, std::move(*record));
  }
}

}  // namespace molvane

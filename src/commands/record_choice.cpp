// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/record_choice.h"

#include "commands/import_document.h"
#include "document/drawing.h"
#include "document/session.h"
#include "io/document_files.h"
#include "io/record_index.h"

#include <algorithm>
#include <string>
#include <utility>

namespace molvane {

namespace {

std::string quoted(const std::filesystem::path& path) {
  return "\"" + path.string() + "\"";
}

treadresult loadall(const std::filesystem::path& path,
                    const trecordindex& index) {
  treadresult all;
  all.drawing = std::make_unique<tdrawing>(session().settings);
  const double gap = 2.0 * session().settings.bondlength;
  std::string firsterror;
  const std::size_t count =
      std::min(index.count(), static_cast<std::size_t>(mostloadedrecords));
  readindexedrecords(
      path, index, count,
      [&](std::size_t k, treadresult record) {
        if (record.drawing == nullptr) {
          firsterror = firsterror.empty() ? record.error : firsterror;
          all.notices.push_back(record.error + "; left out");
          return;
        }
        if (all.drawing->title().empty()) {
          all.drawing->settitle(record.drawing->title());
        }
        all.cutshort = all.cutshort || record.cutshort;
        for (std::string& notice : record.notices) {
          all.notices.push_back("record " + std::to_string(k + 1) + ": " +
                                std::move(notice));
        }
        mergedrawing(*all.drawing, std::move(record.drawing), gap);
      },
      session().settings);
  if (index.count() > count) {
    all.notices.push_back("only the first " + std::to_string(count) + " of " +
                          std::to_string(index.count()) +
                          " records were loaded");
  }
  if (all.drawing->atoms.empty() && !firsterror.empty()) {
    all.drawing = nullptr;
    all.error = firsterror;
  }
  return all;
}

}  // namespace

treadresult loadrecords(const std::filesystem::path& path,
                        trecordchoice choice) {
  if (choice.isfirst()) {
    return loaddocument(path, session().settings);
  }
  trecordindex index = indexrecords(path);
  treadresult result;
  if (!index.error.empty()) {
    result.error = index.error;
    return result;
  }
  if (choice.all) {
    result = loadall(path, index);
  } else {
    result = readindexedrecord(
        path, index, static_cast<std::size_t>(std::max(0, choice.record)),
        session().settings);
  }
  if (!result.error.empty()) {
    result.error = quoted(path) + ": " + result.error;
  }
  return result;
}

}  // namespace molvane

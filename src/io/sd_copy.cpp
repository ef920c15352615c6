// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "io/sd_copy.h"

#include "io/mdl_format.h"
#include "io/sd_stream.h"
#include "support/atomic_file.h"

#include <optional>

namespace molvane {

tcopiedrecords copysdrecords(const std::filesystem::path& from,
                             const std::filesystem::path& to) {
  tcopiedrecords copied;
  tsdstream stream(from);
  if (!stream.error().empty()) {
    copied.error = stream.error();
    return copied;
  }
  tatomicwriter writer(to);
  std::string firsterror;
  while (std::optional<treadresult> record = stream.next()) {
    if (record->drawing == nullptr) {
      if (firsterror.empty()) {
        firsterror = record->error;
      }
      copied.notices.push_back(record->error + "; left out");
      continue;
    }
    for (const std::string& notice : record->notices) {
      copied.notices.push_back(recorderror(stream.recordnumber(), notice));
    }
    writer.write(writesdfile(*record->drawing));
    ++copied.written;
  }
  if (!stream.error().empty()) {
    copied.error = stream.error();
  } else if (copied.written == 0) {
    copied.error =
        firsterror.empty() ? "the file holds no structure" : firsterror;
  } else {
    copied.error = writer.commit();
  }
  if (!copied.error.empty()) {
    copied.written = 0;
  }
  return copied;
}

}  // namespace molvane

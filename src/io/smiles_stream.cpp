// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "io/smiles_stream.h"

#include "support/text_lines.h"

namespace molvane {

tsmilesstream::tsmilesstream(const std::filesystem::path& path,
                             std::size_t longestline, std::size_t chunkbytes)
    : chunks_(path, chunkbytes), longestline_(longestline) {}

tsmilesline tsmilesstream::refusedline(int number) const {
  tsmilesline refused;
  refused.line = number;
  refused.error =
      lineerror(number, "the line is longer than " +
                            std::to_string(longestline_) + " bytes");
  return refused;
}

std::optional<tsmilesline> tsmilesstream::next() {
  while (true) {
    std::string_view pending = chunks_.pending();
    const std::size_t end = pending.find_first_of("\r\n");
    // A CR at the end of what was read may be the first half of a CR LF.
    const bool open = end == std::string_view::npos ||
                      (pending[end] == '\r' && end + 1 == pending.size());
    if (open && !chunks_.ended()) {
      if (skipping_) {
        chunks_.take(pending.size());
      } else if (pending.size() > longestline_) {
        // Too long to be a molecule: dropped up to its end.
        skipping_ = true;
        chunks_.take(pending.size());
        return refusedline(lines_ + 1);
      }
      chunks_.readmore();
      continue;
    }
    if (pending.empty()) {
      return std::nullopt;
    }
    std::size_t taken = end == std::string_view::npos ? pending.size() : end;
    std::string_view text = pending.substr(0, taken);
    if (taken < pending.size()) {
      taken += pending[taken] == '\r' && taken + 1 < pending.size() &&
                       pending[taken + 1] == '\n'
                   ? 2
                   : 1;
    }
    ++lines_;
    if (skipping_) {
      // The end of the refused line.
      skipping_ = false;
      chunks_.take(taken);
      continue;
    }
    if (lines_ == 1 && startswith(text, "\xEF\xBB\xBF")) {
      text.remove_prefix(3);
    }
    if (text.size() > longestline_) {
      chunks_.take(taken);
      return refusedline(lines_);
    }
    line_ = std::string(trimmed(text));
    chunks_.take(taken);
    if (line_.empty() || line_.front() == '#') {
      continue;
    }
    tsmilesline record;
    record.line = lines_;
    record.text = line_;
    return record;
  }
}

}  // namespace molvane

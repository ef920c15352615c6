// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "io/cml_stream.h"

#include "io/cml_format.h"
#include "io/sd_stream.h"
#include "support/text_lines.h"

#include <algorithm>
#include <cstdint>
#include <span>

namespace molvane {

namespace {

constexpr std::string_view moleculename = "molecule";

/// Where a construct that starts with "<" at text[at] ends (one past its
/// last character), or npos when the text ends first.
std::size_t constructend(std::string_view text, std::size_t at) {
  const std::string_view rest = text.substr(at);
  auto after = [&](std::string_view close) {
    const std::size_t found = text.find(close, at);
    return found == std::string_view::npos ? found : found + close.size();
  };
  if (startswith(rest, "<!--")) {
    return after("-->");
  }
  if (startswith(rest, "<![CDATA[")) {
    return after("]]>");
  }
  if (startswith(rest, "<?")) {
    return after("?>");
  }
  // A tag: its end is the first '>' outside quotes.
  char quote = 0;
  for (std::size_t i = at + 1; i < text.size(); ++i) {
    const char c = text[i];
    if (quote != 0) {
      if (c == quote) {
        quote = 0;
      }
    } else if (c == '"' || c == '\'') {
      quote = c;
    } else if (c == '>') {
      return i + 1;
    }
  }
  return std::string_view::npos;
}

/// +1 for a molecule start tag, -1 for an end tag, 0 for anything else
/// (a self-closing molecule counts 0 with whole set).
int moleculetag(std::string_view tag, bool& whole) {
  whole = false;
  if (tag.size() < 3 || tag[1] == '!' || tag[1] == '?') {
    return 0;
  }
  const bool closing = tag[1] == '/';
  std::string_view name = tag.substr(closing ? 2 : 1);
  name = name.substr(0, name.find_first_of(" \t\r\n/>"));
  if (const std::size_t colon = name.find(':');
      colon != std::string_view::npos) {
    name.remove_prefix(colon + 1);
  }
  if (name != moleculename) {
    return 0;
  }
  if (closing) {
    return -1;
  }
  if (tag[tag.size() - 2] == '/') {
    whole = true;
    return 0;
  }
  return 1;
}

}  // namespace

tmoleculespan findmolecule(std::string_view text) {
  tmoleculespan span;
  int depth = 0;
  std::size_t at = 0;
  while (true) {
    const std::size_t open = text.find('<', at);
    if (open == std::string_view::npos) {
      break;
    }
    const std::size_t end = constructend(text, open);
    if (end == std::string_view::npos) {
      span.status = tmoleculespan::tstatus::incomplete;
      span.keep = depth > 0 ? span.begin : open;
      return span;
    }
    bool whole = false;
    const int step = moleculetag(text.substr(open, end - open), whole);
    if (depth == 0 && (whole || step > 0)) {
      span.begin = open;
    }
    if (depth == 0 && whole) {
      span.status = tmoleculespan::tstatus::found;
      span.end = end;
      return span;
    }
    if (step < 0 && depth == 0) {
      // An end tag with no start tag: not well-formed, passed over.
      at = end;
      continue;
    }
    depth += step;
    if (step < 0 && depth == 0) {
      span.status = tmoleculespan::tstatus::found;
      span.end = end;
      return span;
    }
    at = end;
  }
  if (depth > 0) {
    span.status = tmoleculespan::tstatus::incomplete;
    span.keep = span.begin;
    return span;
  }
  span.status = tmoleculespan::tstatus::none;
  span.keep = text.size();
  return span;
}

tcmlstream::tcmlstream(const std::filesystem::path& path,
                       const tsettings& settings, std::size_t largestrecord,
                       std::size_t chunkbytes)
    : chunks_(path, chunkbytes),
      settings_(settings),
      largestrecord_(largestrecord) {}

treadresult readcmlrecordtext(const tcmlrecordtext& record,
                              const tsettings& settings) {
  if (!record.error.empty()) {
    treadresult refused;
    refused.error = record.error;
    return refused;
  }
  treadresult result = readcmlmolecule(
      std::span(reinterpret_cast<const std::uint8_t*>(record.text.data()),
                record.text.size()),
      record.firstline, settings);
  if (result.drawing == nullptr) {
    result.error = recorderror(record.number, result.error);
  }
  return result;
}

tcmlrecordtext tcmlstream::takepending(std::size_t size) {
  tcmlrecordtext record;
  record.number = ++records_;
  record.firstline = chunks_.linestaken() + 1;
  text_.assign(chunks_.pending().substr(0, size));
  chunks_.take(text_.size());
  record.text = text_;
  return record;
}

std::optional<treadresult> tcmlstream::next() {
  std::optional<tcmlrecordtext> record = nexttext();
  if (!record) {
    return std::nullopt;
  }
  return readcmlrecordtext(*record, settings_);
}

std::optional<tcmlrecordtext> tcmlstream::nexttext() {
  while (true) {
    const std::string_view pending = chunks_.pending();
    const tmoleculespan span = findmolecule(pending);
    if (span.status == tmoleculespan::tstatus::found) {
      chunks_.take(span.begin);
      return takepending(span.end - span.begin);
    }
    if (chunks_.ended()) {
      if (span.status == tmoleculespan::tstatus::incomplete &&
          span.keep < pending.size() &&
          pending.substr(span.keep).find(moleculename) !=
              std::string_view::npos) {
        // A molecule the file cuts off: read as far as it goes, so that
        // the error says what is missing.
        chunks_.take(span.keep);
        return takepending(chunks_.pending().size());
      }
      chunks_.take(pending.size());
      return std::nullopt;
    }
    chunks_.take(span.keep);
    if (chunks_.pending().size() > largestrecord_) {
      // Too large a molecule: dropped, and the scan goes on after it.
      tcmlrecordtext refused;
      refused.number = ++records_;
      refused.firstline = chunks_.linestaken() + 1;
      refused.error = recorderror(
          records_, lineerror(chunks_.linestaken() + 1,
                              "the molecule is larger than " +
                                  std::to_string(largestrecord_) + " bytes"));
      // Its start tag goes, so the scan goes on after it; an end tag with
      // no start is passed over.
      chunks_.take(1);
      return refused;
    }
    chunks_.readmore();
  }
}

}  // namespace molvane

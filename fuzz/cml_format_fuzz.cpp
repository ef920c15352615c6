// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "io/cml_format.h"
#include "io/cml_stream.h"
#include "io/exchange_files.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace {

void check(const molvane::treadresult& result) {
  // Every input gives either a drawing or an error.
  if ((result.drawing == nullptr) == result.error.empty()) {
    __builtin_trap();
  }
  // Whatever was read can be written again.
  if (result.drawing != nullptr) {
    static_cast<void>(molvane::writecml(*result.drawing));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  const std::span<const std::uint8_t> bytes(data, size);
  check(molvane::readcmlfile(bytes));
  for (const molvane::treadresult& record :
       molvane::readexchangerecords(bytes, molvane::tfileformat::cml)) {
    check(record);
  }
  // The stream's cut of the text lies inside it, a molecule element and
  // no more.
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const molvane::tmoleculespan span = molvane::findmolecule(text);
  using enum molvane::tmoleculespan::tstatus;
  if ((span.status == found &&
       (span.begin >= span.end || span.end > size || text[span.begin] != '<' ||
        text[span.end - 1] != '>')) ||
      span.keep > size) {
    __builtin_trap();
  }
  return 0;
}

// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "io/smiles_format.h"

namespace molvane {

tsmilesrecord parsesmiles(std::string_view /*text*/) {
  tsmilesrecord result;
  result.error = "SMILES cannot be read yet";
  return result;
}

treadresult readsmilesfile(std::span<const std::uint8_t> /*bytes*/) {
  treadresult result;
  result.error = "SMILES cannot be read yet";
  return result;
}

std::string writesmiles(const tdrawing& /*drawing*/, std::string& error) {
  error = "SMILES cannot be written yet";
  return "";
}

}  // namespace molvane

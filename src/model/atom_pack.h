// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace molvane {

/// Force-field data that an atom carries while a run is prepared. The force
/// field fills it in; the atom owns it.
class tAtmPack {
 public:
  virtual ~tAtmPack() = default;
};

}  // namespace molvane

// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/geometry_settings.h"

#include <vector>

namespace molvane {

class tatm;
class tbond;
struct fontrecord;

/// What holds atoms and bonds (a structure or a whole drawing). An atom
/// asks its owner for its bonds, its place in the atom list, its fonts and
/// the settings geometry needs, so it works the same in any drawing: the
/// current one, an undo copy, a preview or one of many files in a batch.
class tatomowner {
 public:
  virtual ~tatomowner() = default;

  /// Bonds of atom in the owner's bond list, in list order.
  virtual const std::vector<tbond*>& bondsof(const tatm* atom) const = 0;
  /// 0-based position of atom in the owner's atom list, or -1.
  virtual int positionof(const tatm* atom) const = 0;
  /// Index of font in the owner's font list (added when absent).
  virtual int fontindexof(const fontrecord& font) = 0;
  virtual fontrecord getfontrecord(int index) const = 0;
  virtual void setfontrecord(int index, const fontrecord& font) = 0;
  virtual const tgeometrysettings& geometry() const = 0;

 protected:
  tatomowner() = default;
  tatomowner(const tatomowner&) = default;
  tatomowner& operator=(const tatomowner&) = default;
};

}  // namespace molvane

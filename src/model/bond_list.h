// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/base_object.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace molvane {

class tbond;

/// A list of bonds; it never frees them.
class tbondlist : public tBaseList<tbond> {
 public:
  /// Appends the bonds of list not yet present.
  void addbonds(const tbondlist& list);
  void setdelocalisedall(bool on);
  /// Sets the colour of every bond (and its atoms) and `listcolour`.
  void setcolourall(std::uint32_t colour);
  void setchemicalall(std::uint8_t chemical);
  int countchemical() const;
  /// Recomputes every bond's offsets.
  void refreshoffsets();
  /// Kind 0 for every bond.
  void setnoneall();
  /// Bond i takes the kind of bond i of list.
  void copykinds(const tbondlist& list);
  /// Mean length of the bonds; 0 for an empty list.
  double averagelength() const;
  /// Brings every chemical bond with exactly one terminal end to its ideal
  /// length, moving the terminal end (only while 3D building is on).
  void adjustterminal();
  /// Brings every bond with a hydrogen end and exactly one terminal end to
  /// its ideal length, moving the terminal end.
  void adjusthydrogens();
  /// One line per chemical bond: "i j kind delocalised", with i and j the
  /// positions of the ends in the current drawing's atom list.
  std::string writetext() const;

  std::uint32_t listcolour = 0;
  std::uint8_t flag = 0;
};

class tbonds : public tbondlist {};

}  // namespace molvane

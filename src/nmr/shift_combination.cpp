// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "nmr/shift_combination.h"

namespace molvane {

bool needsfallback(int c, int level) {
  if (level == 0) {
    return c >= 1 && c <= 4;
  }
  switch (c) {
    case 1:
      return true;
    case 2:
    case 4:
      return level < spherecount;
    case 3:
      return level < 4;
    default:
      return false;
  }
}

tprediction combineshifts(int c, double s1, int level,
                          const tprediction& fallback) {
  if (level == 0) {
    if (c < 1 || c > 4) {
      return {};
    }
    return fallback.level < 0 ? fallback : tprediction{};
  }
  const tprediction database{s1, level};
  if (!needsfallback(c, level)) {
    return database;
  }
  int weight = fallback.level < 0 ? -fallback.level : 0;
  double f = fallback.shift;
  switch (c) {
    case 1:
      return level >= weight ? database : fallback;
    case 3:
      if (level >= 3) {
        return database;
      }
      return {(s1 * level + weight * f) / (level + weight), level};
    case 2:
      return {(s1 * level + weight * f) / (level + weight), level};
    case 4:
      if (level >= 4) {
        return {(s1 * level + weight * f) / (level + weight), level};
      }
      if (level == weight) {
        return {(s1 + weight * f) / (weight + 1), level};
      }
      return level > weight ? database : fallback;
    default:
      return database;
  }
}

}  // namespace molvane

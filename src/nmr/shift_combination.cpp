// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "nmr/shift_combination.h"

#include "nmr/learned_tables.h"

namespace molvane {

namespace {

// Measured on the training spectra, a database match that agrees on even one
// or two spheres of an sp3 carbon is worth far more than the additivity
// tables' own weight: each sphere counts eight times, and from three spheres
// on an sp3 match alone beats the tables. Double-bond carbons trust their
// tables more (each sphere counts twice), aromatic ones more still (once),
// and from four spheres on an aromatic match alone beats the ring increments.
constexpr int sp3sphereweight = 8;
constexpr int sp2sphereweight = 2;
constexpr int aromaticsphereweight = 1;
constexpr int decisivesp3level = 3;
constexpr int decisivearomaticlevel = 4;
// A shallow proton match of an sp3 carbon weighs once per agreeing sphere
// against the fitted C-H increments (which weigh as two spheres); from three
// spheres on the match alone beats them.
constexpr int protonsphereweight = 1;
constexpr int decisiveprotonlevel = 3;

tprediction blend(double s1, int level, const tprediction& fallback,
                  int sphereweight) {
  int weight = fallback.level < 0 ? -fallback.level : 0;
  double databaseweight = sphereweight * level;
  return {(s1 * databaseweight + weight * fallback.shift) /
              (databaseweight + weight),
          level};
}

}  // namespace

bool needsfallback(int c, int level) {
  if (level == 0) {
    return (c >= 1 && c <= 4) || c == fluorineclass || c == protonsp3class;
  }
  switch (c) {
    case 1:
      return true;
    case 2:
      return level < spherecount;
    case 3:
      return level < decisivesp3level;
    case 4:
      return level < decisivearomaticlevel;
    case fluorineclass:
      return level < spherecount;
    case protonsp3class:
      return level < decisiveprotonlevel;
    default:
      return false;
  }
}

tprediction combineshifts(int c, double s1, int level,
                          const tprediction& fallback) {
  if (level == 0) {
    if (!needsfallback(c, 0)) {
      return {};
    }
    return fallback.level < 0 ? fallback : tprediction{};
  }
  const tprediction database{s1, level};
  if (!needsfallback(c, level)) {
    return database;
  }
  int weight = fallback.level < 0 ? -fallback.level : 0;
  switch (c) {
    case 1:
      return level >= weight ? database : fallback;
    case 3:
      return blend(s1, level, fallback, sp3sphereweight);
    case 2:
      return blend(s1, level, fallback, sp2sphereweight);
    case 4:
      return blend(s1, level, fallback, aromaticsphereweight);
    case fluorineclass:
      // A learned fluorine type as deep as the match wins; one sphere less
      // deep it is averaged in, each sphere weighing once.
      if (-fallback.level >= level) {
        return fallback;
      }
      return -fallback.level + 1 == level ? blend(s1, level, fallback, 1)
                                          : database;
    case protonsp3class:
      return blend(s1, level, fallback, protonsphereweight);
    default:
      return database;
  }
}

}  // namespace molvane

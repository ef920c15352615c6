// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "nmr/carbon_features.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace molvane {

struct ttrainingmolecule;

/// A measured carbon: its features and shift in ppm.
struct tcarbonsample {
  tcarbonfeatures features;
  double shift = 0.0;
};

/// Classes and database levels that have a model share.
inline constexpr int shareclasses = 4;
inline constexpr int sharelevels = 8;

/// An additive carbon shift model: for each kind of carbon a base shift
/// plus one increment per feature key, fitted to measured shifts. It knows
/// what the size-limited database cannot hold (the typical effect of each
/// neighbour type on each kind of carbon) and backs up shallow database
/// matches.
class tcarbonmodel {
 public:
  /// Fits the model by least absolute deviations (reweighted ridge least
  /// squares). Kinds of carbon with too few samples, and keys seen on too
  /// few of a kind's samples, are left out.
  static tcarbonmodel fit(const std::vector<tcarbonsample>& samples);
  /// Shares for a model whose shares were not chosen: the model alone
  /// where the database has no match, less of it the deeper the match.
  static std::array<std::array<double, sharelevels>, shareclasses>
  defaultshares();

  bool empty() const { return centres_.empty(); }
  /// Whether the model knows the kind of carbon these features describe.
  bool knows(const tcarbonfeatures& features) const;
  /// The predicted shift; keys the model does not know add nothing. Only
  /// meaningful when knows() says so.
  double predict(const tcarbonfeatures& features) const;

  /// The share the model takes in the shift of a carbon of class c (1 sp,
  /// 2 sp2, 3 sp3, 4 aromatic) whose deepest database match agrees in level
  /// spheres (0: none); 0 outside those.
  double share(int c, int level) const;
  /// Sets a share (clamped to 0..1); does nothing outside those classes and
  /// levels.
  void setshare(int c, int level, double share);

  /// The table as text (the file format); fromtext reads it back and
  /// returns "" or what is wrong with it (the model is then empty).
  std::string text() const;
  std::string fromtext(std::string_view text);

 private:
  /// Reads the words of a "shares" line; false when they are not one.
  bool readshares(const std::vector<std::string_view>& words);

  struct tcentre {
    double base = 0.0;
    std::unordered_map<std::uint32_t, double> increments;
  };
  std::map<std::uint32_t, tcentre> centres_;
  std::array<std::array<double, sharelevels>, shareclasses> shares_ =
      defaultshares();
};

/// The measured carbons of the molecules as model samples.
std::vector<tcarbonsample> carbonsamples(
    const std::vector<const ttrainingmolecule*>& molecules);

/// "nmr13.fit": the shipped carbon model's file name.
inline constexpr const char* carbonmodelfilename = "nmr13.fit";

/// Reads a model file; "" or a one-line error naming the file.
std::string readcarbonmodel(const std::filesystem::path& path,
                            tcarbonmodel& model);

/// The model shipped with the program, read once; empty when its file is
/// missing or unreadable (the predictor then works without it).
std::shared_ptr<const tcarbonmodel> shippedcarbonmodel();

}  // namespace molvane

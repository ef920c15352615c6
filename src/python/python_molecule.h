// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace molvane {

class tatm;
class tdrawing;

/// What the module raises as molvane.Error: the program's one-line
/// message for a file it cannot read, an argument out of range and the
/// like.
class tmoduleerror : public std::runtime_error {
 public:
  explicit tmoduleerror(const std::string& message)
      : std::runtime_error(message) {}
};

/// A Python molecule: one drawing of the core, owned. Atoms seen from
/// Python are the drawing's chemical atoms, in the drawing's order.
class tmolecule {
 public:
  /// An empty drawing of the program's default settings.
  tmolecule();
  /// Takes drawing, which must not be null.
  explicit tmolecule(std::unique_ptr<tdrawing> drawing);
  tmolecule(tmolecule&&) noexcept;
  tmolecule& operator=(tmolecule&&) noexcept;
  ~tmolecule();

  tdrawing& drawing() { return *drawing_; }
  const tdrawing& drawing() const { return *drawing_; }
  /// A deep copy.
  tmolecule copy() const;
  /// The chemical atoms, in the drawing's order.
  std::vector<tatm*> chemicalatoms() const;
  /// The position among the chemical atoms of the drawing's atom number
  /// position (0-based); -1 for an atom that is not chemical.
  std::vector<int> chemicalpositions() const;
  /// Ångström per drawing unit: coordinates leave and enter in Å.
  double angstromperunit() const;

 private:
  std::unique_ptr<tdrawing> drawing_;
};

}  // namespace molvane

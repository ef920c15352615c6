// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/atom_list.h"
#include "model/atom_pairs.h"
#include "model/base_object.h"
#include "model/geometry_settings.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>

namespace molvane {

/// Phases of a species.
inline constexpr std::uint8_t gasphase = 3;
inline constexpr std::uint8_t solidphase = 1;
inline constexpr std::uint8_t liquidphase = 2;
inline constexpr std::uint8_t otherphase = 4;
inline constexpr std::uint8_t solventphase = 5;

/// Per-molecule data. `weight` holds the bond length in pixels at the time
/// the fragment was made.
class tbasefragment : public tbaseobject {
 public:
  std::uint8_t fragflag = 0;
  std::int32_t fragtype = 100;
  /// left, right, top, bottom of the atoms' screen positions.
  std::array<std::int32_t, 4> bbox{};
  double amount = 1.0;
  double cx = 0.0, cy = 0.0, cz = 0.0;
  std::uint8_t phase = gasphase;
  /// left, top, right, bottom including labels.
  std::array<std::int32_t, 4> frame{0, 1, 0, 1};
  std::string name;
  std::uint8_t showname = 0;
  std::uint8_t locked = 0;
  std::uint8_t shownumbers = 1;
  tabpairs pairs;
  /// Atoms a chain or ring builder creates.
  std::uint8_t ringsize = 0;
  /// 0 plain; 6 or 7 draws the aromatic inner circle.
  std::uint8_t ringstyle = 0;
  /// Values of 100 and more mark a stereo pair.
  std::uint8_t drawmode = 0;
  std::uint8_t selected = 0;
  /// |right - left| of the bounds, set by calcbounds.
  std::int32_t width = 0;
  /// Thermochemistry values the reaction tool keeps with a structure; they
  /// are stored with the document.
  std::array<double, 11> thermovalues{};
  std::uint8_t thermoflag = 0;

  /// Clears the stored thermochemistry values.
  void resetvalues() {
    thermovalues.fill(0.0);
    thermoflag = 0;
  }
};

/// Principal moments of inertia in g·cm².
struct tmoments {
  std::array<double, 3> moments{};
  double product = 0.0;  ///< of the positive moments
  int positive = 0;      ///< how many are positive
};

/// A set of atoms treated as one molecule or group.
class TFragment : public tbasefragment {
 public:
  /// The fragment's atoms; positions are the indices files and pairs use.
  tAtoms atoms;
  tAtoms workatoms;
  std::uint8_t frozen = 0;

  TXYZ centroid();
  std::array<int, 3> centroidint();
  TXYZ centreofmass() const;
  double distancefromcom(double x, double y, double z) const;
  double comdistance(const TFragment& other) const;
  void translate(double dx, double dy, double dz);
  /// Unless locked, moves the centroid's x and y onto (x, y).
  void movecentroidto(double x, double y);
  /// Unless locked, moves the centroid onto (x, y, z).
  void moveto(double x, double y, double z);
  /// Rotation by degrees about axis 1, 2 or 3 (x, y, z) through centre,
  /// from the current or the reference coordinates.
  void rotateaxis(int axis, double degrees, const TXYZ& centre,
                  bool fromreference = false);
  void scale(double factor);
  void scaleabout(double cx, double cy, double cz, double factor);
  /// Random displacements in (-amplitude, amplitude] of the atoms that lie
  /// more than 1 unit from the centre of mass; the centroid then returns to
  /// where the centre of mass was. uniform draws from [0, 1).
  void shake(double amplitude, const std::function<double()>& uniform);
  int totalcharge() const;
  tmoments principalmoments() const;
  /// Mass in u with the implicit hydrogens of the main-group atoms.
  double molmass() const;
  double molmasskg() const;
  /// Distributes partial charges into each atom's eqcharge.
  void equilibratecharges();
  int hydrogencount() const;
  /// formula + "H" + count when there are hydrogens.
  std::string hydrogentext(const std::string& formula) const;
  double hydrogenmass() const;
  /// Chemical atoms of element e, plus those carrying implicit hydrogens
  /// when the implicit-hydrogen display setting is on.
  int countelement(int element) const;
  /// The atom of list (of `atoms` when null) nearest to (x, y) in 2D;
  /// ties keep the earlier atom; null for an empty list.
  tatm* nearestatom(const tAtoms* list, double x, double y) const;
  bool hasatom(const tatm* atom) const { return atoms.contains(atom); }
  void setscale(double scale);
  void setmarkall(std::uint8_t value);
  void calcbounds();
  std::string phasetext() const;
  bool isreactive() const;
  virtual void setphase(std::uint8_t newphase) { phase = newphase; }

  /// The settings that lengths, moments and formula counts read.
  const tgeometrysettings& geometry() const {
    return sharedgeometry_ != nullptr ? *sharedgeometry_ : owngeometry_;
  }
  /// Reads settings kept elsewhere, which must outlive the fragment.
  void usegeometry(const tgeometrysettings* settings) {
    sharedgeometry_ = settings;
  }
  /// Keeps a copy of settings of its own.
  void setgeometry(const tgeometrysettings& settings) {
    owngeometry_ = settings;
    sharedgeometry_ = nullptr;
  }

 private:
  const tgeometrysettings* sharedgeometry_ = nullptr;
  tgeometrysettings owngeometry_;
};

}  // namespace molvane

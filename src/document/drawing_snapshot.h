// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <memory>
#include <unordered_map>
#include <vector>

namespace molvane {

class tatm;
class tbond;
class tdrawing;
class tlink;

/// Objects that several snapshots hold, each kept once and freed when the
/// last snapshot lets it go.
template <class T, class Key>
class tsharedobjects {
 public:
  /// Takes object in, held once.
  T* add(std::unique_ptr<T> object, std::size_t bytes);
  /// One more holder of an object already in.
  void share(const Key* object) { ++objects_.at(object).holders; }
  /// One holder less; the object goes with the last one.
  void release(const Key* object);
  /// The footprint of the objects held.
  std::size_t bytes() const { return bytes_; }

 private:
  struct tentry {
    std::unique_ptr<T> object;
    std::size_t bytes = 0;
    std::size_t holders = 1;
  };
  std::unordered_map<const Key*, tentry> objects_;
  std::size_t bytes_ = 0;
};

/// The atoms and bonds the snapshots of one undo history share.
struct tpartpool {
  tsharedobjects<tatm, tatm> atoms;
  tsharedobjects<tbond, tlink> bonds;
  std::size_t bytes() const { return atoms.bytes() + bonds.bytes(); }
};

/// A drawing kept in little room: its atoms and bonds are parts of a pool,
/// and each one equal in every field to a part of another snapshot (like,
/// the neighbouring step) is that part, so a run of small edits keeps one
/// copy of what they leave alone. The structures, symbols and fields are
/// the snapshot's own.
class tdrawingsnapshot {
 public:
  tdrawingsnapshot(const tdrawing& drawing, const tdrawingsnapshot* like,
                   tpartpool& pool);
  ~tdrawingsnapshot();
  tdrawingsnapshot(const tdrawingsnapshot&) = delete;
  tdrawingsnapshot& operator=(const tdrawingsnapshot&) = delete;

  /// The drawing again: what clonedrawing() of the one taken gives.
  std::unique_ptr<tdrawing> restore() const;
  /// The memory of the snapshot without its parts.
  std::size_t bytes() const { return bytes_; }

 private:
  std::vector<tatm*> shareatoms(const tdrawing& drawing,
                                const tdrawingsnapshot* like);
  std::vector<tbond*> sharebonds(const tdrawing& drawing,
                                 const std::vector<tatm*>& atomparts,
                                 const tdrawingsnapshot* like);

  tpartpool& pool_;
  std::unique_ptr<tdrawing> frame_;
  std::size_t bytes_ = 0;
};

}  // namespace molvane

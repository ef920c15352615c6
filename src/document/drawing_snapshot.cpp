// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/drawing_snapshot.h"

#include "document/drawing.h"
#include "document/drawing_footprint.h"
#include "document/object_copy.h"
#include "model/atom.h"
#include "model/bond.h"

#include <bit>
#include <cstdint>
#include <utility>

namespace molvane {

namespace {

// What a pool entry costs beside its object: the hash node.
constexpr std::size_t poolentry = 6 * sizeof(void*);

/// Finds the part of the neighbouring snapshot an object equals: the one
/// at the same position first, or as far from it as the last match was
/// (an edit that removes or adds objects shifts the rest), or one place
/// further either way; after a few misses, any of the same key that no
/// other object took yet.
template <class T, class Key, class Same>
class tmatcher {
 public:
  tmatcher(const tBaseList<T>* before, Key key, Same same)
      : before_(before), key_(std::move(key)), same_(std::move(same)) {
    if (before_ != nullptr) {
      used_.assign(static_cast<std::size_t>(before_->count()), false);
    }
  }

  /// The equal part for the object at position i, or null.
  template <class Object>
  T* find(int i, const Object& object) {
    if (before_ == nullptr) {
      return nullptr;
    }
    for (int j : {i + shift_, i + shift_ + 1, i + shift_ - 1}) {
      if (take(j, object)) {
        shift_ = j - i;
        return before_->items(j);
      }
    }
    if (++misses_ < searchafter) {
      return nullptr;
    }
    if (bykey_.empty()) {
      for (int j = 0; j < before_->count(); ++j) {
        bykey_.emplace(key_(*before_->items(j)), j);
      }
    }
    auto [first, last] = bykey_.equal_range(key_(object));
    for (auto each = first; each != last; ++each) {
      if (take(each->second, object)) {
        shift_ = each->second - i;
        return before_->items(each->second);
      }
    }
    return nullptr;
  }

 private:
  // Edits that change a few objects never pay for the search.
  static constexpr int searchafter = 16;

  template <class Object>
  bool take(int j, const Object& object) {
    if (j < 0 || j >= before_->count()) {
      return false;
    }
    const auto slot = static_cast<std::size_t>(j);
    if (used_[slot] || !same_(object, *before_->items(j))) {
      return false;
    }
    used_[slot] = true;
    return true;
  }

  const tBaseList<T>* before_;
  Key key_;
  Same same_;
  std::vector<bool> used_;
  std::unordered_multimap<std::uint64_t, int> bykey_;
  int shift_ = 0;
  int misses_ = 0;
};

std::uint64_t mix(std::uint64_t seed, std::uint64_t value) {
  return seed ^ (value + 0x9E3779B97F4A7C15ULL + (seed << 6) + (seed >> 2));
}

std::uint64_t placekey(const tatm& atom) {
  std::uint64_t key = mix(std::bit_cast<std::uint64_t>(atom.x),
                          std::bit_cast<std::uint64_t>(atom.y));
  return mix(key, static_cast<std::uint64_t>(atom.element) + 256U * atom.kind);
}

// Where the ends are: the same for a bond and for its part.
std::uint64_t endskey(const tlink& bond) {
  auto place = [](const tatm* atom) {
    return atom == nullptr ? 0 : placekey(*atom);
  };
  return mix(place(bond.atom1), place(bond.atom2));
}

/// The parts for objects, in their order: the equal part of the
/// neighbouring snapshot the matcher finds, shared once more, or a new copy.
template <class T, class Key, class List, class Matcher, class Copy,
          class Footprint>
std::vector<T*> shareoradd(const List& objects, Matcher matcher,
                           tsharedobjects<T, Key>& pool, Copy copy,
                           Footprint footprint) {
  std::vector<T*> parts;
  parts.reserve(static_cast<std::size_t>(objects.count()));
  for (int i = 0; i < objects.count(); ++i) {
    const auto& object = *objects.items(i);
    T* part = matcher.find(i, object);
    if (part != nullptr) {
      pool.share(part);
    } else {
      part = pool.add(copy(object), footprint(object));
    }
    parts.push_back(part);
  }
  return parts;
}

}  // namespace

template <class T, class Key>
T* tsharedobjects<T, Key>::add(std::unique_ptr<T> object, std::size_t bytes) {
  T* view = object.get();
  bytes += poolentry;
  bytes_ += bytes;
  objects_.emplace(view, tentry{std::move(object), bytes, 1});
  return view;
}

template <class T, class Key>
void tsharedobjects<T, Key>::release(const Key* object) {
  auto found = objects_.find(object);
  if (found != objects_.end() && --found->second.holders == 0) {
    bytes_ -= found->second.bytes;
    objects_.erase(found);
  }
}

template class tsharedobjects<tatm, tatm>;
template class tsharedobjects<tbond, tlink>;

tdrawingsnapshot::tdrawingsnapshot(const tdrawing& drawing,
                                   const tdrawingsnapshot* like,
                                   tpartpool& pool)
    : pool_(pool) {
  std::vector<tatm*> atomparts = shareatoms(drawing, like);
  std::vector<tbond*> bondparts = sharebonds(drawing, atomparts, like);
  frame_ = drawing.framedrawing(atomparts, bondparts);
  // The frame only lists what the pool owns.
  bytes_ = framefootprint(*frame_, sizeof(void*));
}

tdrawingsnapshot::~tdrawingsnapshot() {
  for (const tatm* atom : frame_->atoms) {
    pool_.atoms.release(atom);
  }
  for (const tbond* bond : frame_->bonds) {
    pool_.bonds.release(bond);
  }
}

std::vector<tatm*> tdrawingsnapshot::shareatoms(const tdrawing& drawing,
                                                const tdrawingsnapshot* like) {
  return shareoradd(
      drawing.atoms,
      tmatcher(like != nullptr ? &like->frame_->atoms : nullptr, placekey,
               [](const tatm& a, const tatm& b) { return samecopy(a, b); }),
      pool_.atoms, [](const tatm& atom) { return copyatom(atom); },
      [](const tatm& atom) { return atomfootprint(atom); });
}

std::vector<tbond*> tdrawingsnapshot::sharebonds(
    const tdrawing& drawing, const std::vector<tatm*>& atomparts,
    const tdrawingsnapshot* like) {
  auto partof = [&](const tatm* atom) -> tatm* {
    int position = atom == nullptr ? -1 : drawing.positionof(atom);
    return position < 0 ? nullptr
                        : atomparts[static_cast<std::size_t>(position)];
  };
  // A part is shared only when its ends are shared too.
  return shareoradd(
      drawing.bonds,
      tmatcher(like != nullptr ? &like->frame_->bonds : nullptr, endskey,
               [&](const tbond& bond, const tbond& part) {
                 return part.atom1 == partof(bond.atom1) &&
                        part.atom2 == partof(bond.atom2) &&
                        samefields(bond, part);
               }),
      pool_.bonds,
      [&](const tbond& bond) {
        return tbond::copyof(bond, partof(bond.atom1), partof(bond.atom2));
      },
      [](const tbond&) { return bondfootprint(); });
}

std::unique_ptr<tdrawing> tdrawingsnapshot::restore() const {
  return frame_->clonedrawing();
}

}  // namespace molvane

// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <vector>

namespace molvane {

/// Root of atoms, bonds, fragments and labels: two general-purpose slots that
/// tools use for their own bookkeeping.
class tbaseobject {
 public:
  virtual ~tbaseobject() = default;

  double getweight() const { return weight; }
  void setweight(double value) { weight = value; }
  std::uint8_t getmark() const { return mark; }
  /// Returns the value written.
  std::uint8_t setmark(std::uint8_t value) {
    mark = value;
    return mark;
  }

  double weight = 0.0;
  std::uint8_t mark = 0;
};

/// An ordered list of object references. It never owns what it refers to:
/// clearing or destroying it leaves the objects alive. Every model list
/// (atoms, bonds, pairs, selections) is one of these.
///
/// The list counts its changes so that indexes built over it (the drawing's
/// neighbour index) can tell whether they are still current: `changes()`
/// grows on every change, `reorders()` only on changes other than appends.
template <class T>
class tBaseList {
 public:
  using iterator = typename std::vector<T*>::const_iterator;

  tBaseList() = default;
  tBaseList(const tBaseList&) = default;
  tBaseList& operator=(const tBaseList&) = default;
  tBaseList(tBaseList&&) noexcept = default;
  tBaseList& operator=(tBaseList&&) noexcept = default;
  virtual ~tBaseList() = default;

  /// The reference at position i (0-based); null when i is out of range.
  T* items(int i) const {
    if (i < 0 || i >= count()) {
      return nullptr;
    }
    return items_[static_cast<std::size_t>(i)];
  }
  /// Replaces the reference at position i; ignored out of range.
  void setitem(int i, T* object) {
    if (i >= 0 && i < count()) {
      items_[static_cast<std::size_t>(i)] = object;
      reordered();
    }
  }
  /// Appends object unless the list already holds it (by identity).
  /// Returns true when it was appended.
  bool additem(T* object) {
    if (contains(object)) {
      return false;
    }
    add(object);
    return true;
  }
  /// Appends, in the order of other, every item this list does not hold yet.
  void addlist(const tBaseList& other) {
    for (T* object : other.items_) {
      additem(object);
    }
  }
  /// True as soon as one item of other is also in this list.
  bool intersects(const tBaseList& other) const {
    return std::any_of(other.items_.begin(), other.items_.end(),
                       [this](T* object) { return contains(object); });
  }

  int count() const { return static_cast<int>(items_.size()); }
  bool empty() const { return items_.empty(); }
  bool contains(const T* object) const { return indexof(object) >= 0; }
  /// Position of object, or -1.
  int indexof(const T* object) const {
    auto found = std::find(items_.begin(), items_.end(), object);
    return found == items_.end() ? -1
                                 : static_cast<int>(found - items_.begin());
  }
  T* first() const { return items(0); }
  T* last() const { return items(count() - 1); }

  void add(T* object) {
    items_.push_back(object);
    ++changes_;
  }
  /// Inserts before position i (appends when i is past the end).
  void insert(int i, T* object) {
    i = std::clamp(i, 0, count());
    items_.insert(items_.begin() + i, object);
    reordered();
  }
  /// Deletes the reference at position i; ignored out of range.
  void deleteitem(int i) {
    if (i >= 0 && i < count()) {
      items_.erase(items_.begin() + i);
      reordered();
    }
  }
  /// Removes the first reference to object and returns its former position,
  /// or -1 when absent.
  int remove(const T* object) {
    int i = indexof(object);
    deleteitem(i);
    return i;
  }
  /// Removes every reference to any of the given objects, keeping order.
  void removeall(const std::vector<const T*>& objects) {
    if (objects.empty()) {
      return;
    }
    std::erase_if(items_, [&objects](T* object) {
      return std::find(objects.begin(), objects.end(), object) != objects.end();
    });
    reordered();
  }
  /// Removes null references.
  void pack() {
    std::erase(items_, nullptr);
    reordered();
  }
  void exchange(int i, int j) {
    if (items(i) != nullptr && items(j) != nullptr) {
      std::swap(items_[static_cast<std::size_t>(i)],
                items_[static_cast<std::size_t>(j)]);
      reordered();
    }
  }
  /// Stable sort with a "less than" comparison.
  void sort(const std::function<bool(const T*, const T*)>& less) {
    std::stable_sort(items_.begin(), items_.end(), less);
    reordered();
  }
  /// Empties the list (count and capacity 0); the objects stay alive.
  void clear() {
    items_.clear();
    items_.shrink_to_fit();
    reordered();
  }
  void reserve(int n) { items_.reserve(static_cast<std::size_t>(n)); }

  iterator begin() const { return items_.begin(); }
  iterator end() const { return items_.end(); }
  const std::vector<T*>& all() const { return items_; }

  std::uint64_t changes() const { return changes_; }
  std::uint64_t reorders() const { return reorders_; }
  /// Tells indexes over this list that items changed in place (for example
  /// a bond whose ends were reassigned).
  void touch() { reordered(); }

 private:
  void reordered() {
    ++changes_;
    ++reorders_;
  }

  std::vector<T*> items_;
  std::uint64_t changes_ = 0;
  std::uint64_t reorders_ = 0;
};

}  // namespace molvane

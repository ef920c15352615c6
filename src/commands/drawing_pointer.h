// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "document/session.h"

#include <cstdint>

namespace molvane {

/// An editor's pointer to an object of the current drawing. It lapses when
/// another drawing becomes current (Undo, Open, ...), whose objects are
/// other ones even where an address comes round again.
template <class T>
class tdrawingpointer {
 public:
  void set(T* object) {
    object_ = object;
    serial_ = session().drawingserial();
  }
  void clear() { object_ = nullptr; }
  /// Null once the drawing was replaced.
  T* get() const {
    return serial_ == session().drawingserial() ? object_ : nullptr;
  }

 private:
  T* object_ = nullptr;
  std::uint64_t serial_ = 0;
};

}  // namespace molvane

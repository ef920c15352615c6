// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace molvane::detail {

/// Reports a broken assumption of our own code and aborts. Never used for
/// file or user input, which is checked and reported instead.
[[noreturn]] void assertionfailed(const char* condition, const char* why,
                                  const char* file, int line);

}  // namespace molvane::detail

#if defined(MOLVANE_ASSERTIONS)
#define MOLVANE_ASSERT(condition, why)                                         \
  do {                                                                         \
    if (!(condition)) {                                                        \
      ::molvane::detail::assertionfailed(#condition, why, __FILE__, __LINE__); \
    }                                                                          \
  } while (false)
#else
#define MOLVANE_ASSERT(condition, why) \
  do {                                 \
  } while (false)
#endif

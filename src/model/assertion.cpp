// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/assertion.h"

#include <cstdio>
#include <cstdlib>

namespace molvane::detail {

void assertionfailed(const char* condition, const char* why, const char* file,
                     int line) {
  std::fprintf(stderr, "%s:%d: assertion '%s' failed: %s\n", file, line,
               condition, why);
  std::abort();
}

}  // namespace molvane::detail

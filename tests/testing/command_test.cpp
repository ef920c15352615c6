// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "testing/command_test.h"

namespace molvane::testing {

tcommandcontext& tcommandtest::context() {
  context_.emplace(tcommandcontext{*session().drawing(), session().settings,
                                   session().messages(), picks_});
  return *context_;
}

}  // namespace molvane::testing

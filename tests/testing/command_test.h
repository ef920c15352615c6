// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "commands/command_table.h"
#include "commands/link_atoms.h"
#include "testing/test_session.h"

#include <optional>

namespace molvane::testing {

/// A drawing test whose building routines run as a click would run them:
/// on the session's current drawing, settings and messages.
class tcommandtest : public tdrawingtest {
 protected:
  /// The context of a click now; it follows the session to a new drawing.
  tcommandcontext& context();

  tlinkpicks picks_;

 private:
  std::optional<tcommandcontext> context_;
};

}  // namespace molvane::testing

// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace molvane {

/// The answers to the question asked before unsaved work would be lost.
enum class tsaveanswer { save, discard, cancel };

/// How core code talks to the user. The window shows message boxes; the
/// command-line front end prints; tests record.
class tmessages {
 public:
  virtual ~tmessages() = default;
  virtual void inform(const std::string& text) = 0;
  virtual void warn(const std::string& text) = 0;
  virtual void error(const std::string& text) = 0;
  /// A Yes/No question; true for Yes.
  virtual bool confirm(const std::string& text) = 0;
  /// An error with what caused it ("\"a.mlv\": line 4: ..."), which the
  /// window shows below text. Those who keep no detail show text alone.
  virtual void errordetail(const std::string& text, const std::string& detail) {
    static_cast<void>(detail);
    error(text);
  }
  /// Save, Discard or Cancel before unsaved work is lost. Those who offer
  /// no Save ask Yes/No: Yes discards, No cancels.
  virtual tsaveanswer asktosave(const std::string& text) {
    return confirm(text) ? tsaveanswer::discard : tsaveanswer::cancel;
  }
};

/// Progress of a long computation.
class tprogress {
 public:
  virtual ~tprogress() = default;
  virtual void setrange(int minimum, int maximum) = 0;
  virtual void step(int amount) = 0;
  virtual void reset() = 0;
};

/// Says nothing and answers No: the choice when no user is present.
class tsilentmessages final : public tmessages {
 public:
  void inform(const std::string&) override {}
  void warn(const std::string&) override {}
  void error(const std::string&) override {}
  bool confirm(const std::string&) override { return false; }
};

/// Shows nothing.
class tsilentprogress final : public tprogress {
 public:
  void setrange(int, int) override {}
  void step(int) override {}
  void reset() override {}
};

}  // namespace molvane

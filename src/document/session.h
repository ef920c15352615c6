// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "document/messages.h"
#include "document/settings.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <random>
#include <string>

namespace molvane {

class tdrawing;

/// All mutable program state: the current drawing, its undo and redo
/// copies, the settings and the ways of talking to the user. Reached through
/// session(); tests replace it with a fresh one through tsessionguard.
class tsession {
 public:
  tsession();
  ~tsession();
  tsession(const tsession&) = delete;
  tsession& operator=(const tsession&) = delete;

  /// The current drawing; never null.
  tdrawing* drawing() const { return drawing_.get(); }
  /// Replaces the current drawing (the old one is freed) and returns it.
  tdrawing* setdrawing(std::unique_ptr<tdrawing> drawing);
  /// Starts a new empty drawing with fresh undo and redo copies.
  void newdrawing();

  tdrawing* undodrawing() const { return undodrawing_.get(); }
  tdrawing* redodrawing() const { return redodrawing_.get(); }
  /// The undo copy becomes a clone of the current drawing; selections of
  /// the current drawing are cleared and neither is marked saved.
  void takeundosnapshot();
  /// Redo copy := clone of the current drawing; current := clone of the
  /// undo copy.
  void undo();
  /// Undo copy := clone of the current drawing; current := clone of the
  /// redo copy.
  void redo();
  /// Both copies become clones of the current drawing (after New or Open).
  void resetsnapshots();
  /// Grows each time another drawing becomes the current one (New, Open,
  /// Undo, Redo, setdrawing). Whoever keeps pointers into the drawing
  /// compares it to tell whether they still point into the current one.
  std::uint64_t drawingserial() const { return drawingserial_; }

  tsettings settings;

  tmessages& messages() const { return *messages_; }
  /// The messages object is not owned; null restores the silent one.
  void setmessages(tmessages* messages);
  tprogress& progress() const { return *progress_; }
  void setprogress(tprogress* progress);
  /// Messages and progress that pass everything on to the ones set at the
  /// time: what objects that live across setmessages calls (the NMR
  /// databases) keep. They live as long as the session.
  tmessages& relayedmessages() { return relayedmessages_; }
  tprogress& relayedprogress() { return relayedprogress_; }
  /// Lets the front end handle pending events during long loops.
  void setprocessmessages(std::function<void()> hook);
  void processmessages() const;
  /// Asks the front end to repaint the current drawing.
  void setrepaint(std::function<void()> hook);
  void repaint() const;

  /// Uniform real in [0, 1).
  double randomreal();
  /// Uniform integer in [0, n); 0 when n <= 0.
  int randominteger(int n);
  void seedrandom(std::uint64_t seed);

 private:
  /// Makes the drawings the session holds read its settings.
  void adoptdrawings();

  class trelayedmessages final : public tmessages {
   public:
    explicit trelayedmessages(const tsession& session) : session_(session) {}
    void inform(const std::string& text) override;
    void warn(const std::string& text) override;
    void error(const std::string& text) override;
    bool confirm(const std::string& text) override;

   private:
    const tsession& session_;
  };
  class trelayedprogress final : public tprogress {
   public:
    explicit trelayedprogress(const tsession& session) : session_(session) {}
    void setrange(int minimum, int maximum) override;
    void step(int amount) override;
    void reset() override;

   private:
    const tsession& session_;
  };

  std::unique_ptr<tdrawing> drawing_;
  std::unique_ptr<tdrawing> undodrawing_;
  std::unique_ptr<tdrawing> redodrawing_;
  std::uint64_t drawingserial_ = 0;
  tsilentmessages silentmessages_;
  tsilentprogress silentprogress_;
  tmessages* messages_ = &silentmessages_;
  tprogress* progress_ = &silentprogress_;
  trelayedmessages relayedmessages_{*this};
  trelayedprogress relayedprogress_{*this};
  std::function<void()> processmessages_;
  std::function<void()> repaint_;
  std::mt19937_64 random_{20261206};
};

/// The program's one session.
tsession& session();

/// Installs a fresh session for its lifetime and restores the previous one
/// afterwards. Every test holds one.
class tsessionguard {
 public:
  tsessionguard();
  ~tsessionguard();
  tsessionguard(const tsessionguard&) = delete;
  tsessionguard& operator=(const tsessionguard&) = delete;
  tsession& operator*() const { return session(); }
  tsession* operator->() const { return &session(); }

 private:
  std::unique_ptr<tsession> previous_;
};

}  // namespace molvane

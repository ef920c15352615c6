// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "document/messages.h"
#include "document/settings.h"
#include "document/undo_history.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <string_view>

namespace molvane {

class tdrawing;

/// All mutable program state: the current drawing, its undo history, the
/// settings and the ways of talking to the user. Reached through session();
/// tests replace it with a fresh one through tsessionguard.
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

  /// The drawing Undo returns to, and the one Redo returns to. With no
  /// edit to undo, undodrawing() is the drawing as New or Open left it (it
  /// is null only before the first New); redodrawing() is null when there
  /// is nothing to redo.
  tdrawing* undodrawing() const;
  tdrawing* redodrawing() const { return history_.redodrawing(); }
  /// Before an edit: a copy of the current drawing becomes the newest undo
  /// step, named caption ("Ring 6"; empty for none), and the redo steps are
  /// forgotten. Selections of the current drawing are cleared and neither
  /// is marked saved.
  void takeundosnapshot(std::string_view caption = {});
  /// Steps back one edit; the current drawing becomes the next redo step.
  /// Nothing when there is nothing to undo.
  void undo();
  /// Steps forward one undone edit; nothing when there is none.
  void redo();
  /// Forgets every undo and redo step (after New or Open); the drawing as
  /// it is now is the one undodrawing() shows until the next edit.
  void resetsnapshots();
  const tundohistory& history() const { return history_; }
  /// The history's limits; the oldest steps go at once when they pass.
  void setundolimits(tundolimits limits) { history_.setlimits(limits); }
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
  /// Makes the current drawing and the next undo and redo steps read its
  /// settings.
  void adoptdrawings();
  /// After Undo or Redo: the drawing returned becomes the current one.
  void showstep(std::unique_ptr<tdrawing> drawing);

  class trelayedmessages final : public tmessages {
   public:
    explicit trelayedmessages(const tsession& session) : session_(session) {}
    void inform(const std::string& text) override;
    void warn(const std::string& text) override;
    void error(const std::string& text) override;
    bool confirm(const std::string& text) override;
    void errordetail(const std::string& text,
                     const std::string& detail) override;
    tsaveanswer asktosave(const std::string& text) override;

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
  tundohistory history_;
  std::unique_ptr<tdrawing> basedrawing_;
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

/// The calling thread's session, made with the default settings on the
/// thread's first call. The window has one thread and so one session.
tsession& session();

/// Installs a fresh session for the calling thread for its lifetime and
/// restores the previous one afterwards. Every test holds one.
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

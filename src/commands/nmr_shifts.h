// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "commands/nmr_display.h"
#include "nmr/peak.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace molvane {

class IPeakdb;
class tatm;
class tdrawing;
class tprogress;

/// Why the NMR tool cannot open on drawing for nucleus (an atomic number,
/// 0 for none): "E2 -- No Nucleus Selected", "E3-- Drawing contains no NMR
/// nuclei", "E4 -- Drawing contains pseudoatoms"; "" when it can.
/// E3 comes before E4, so a drawing of pseudoatoms alone has no nuclei.
std::string nmropenproblem(const tdrawing& drawing, int nucleus);

/// The work of the NMR tool on one drawing: the predicted peaks of its
/// nucleus-carrying atoms, the shifts the user taught the database since
/// the last OK, and the database itself. The drawing is changed only in
/// the atoms' NMR numbers and values.
class tnmrshifts {
 public:
  /// The database of nucleus in folder, read now (installed or created
  /// when missing); nucleus 0 has an empty database and no file.
  tnmrshifts(const std::filesystem::path& folder, int nucleus);
  /// Works with a database the caller made.
  explicit tnmrshifts(std::shared_ptr<IPeakdb> database);
  ~tnmrshifts();
  tnmrshifts(const tnmrshifts&) = delete;
  tnmrshifts& operator=(const tnmrshifts&) = delete;

  int nucleus() const;
  IPeakdb& database() const { return *database_; }
  /// Entries in the database.
  int entrycount() const;

  /// Numbers the nucleus-carrying atoms of drawing and predicts their
  /// shifts, stepping progress once per peak.
  void build(tdrawing& drawing, tprogress* progress = nullptr);
  /// Forgets the peaks (the drawing is about to change or go).
  void clear();
  /// Whether there are peaks of a drawing that is still there: a list of
  /// the session's current drawing lapses when another drawing takes its
  /// place (New, Open, Undo), and every operation then acts on nothing.
  bool built() const;
  /// One row per peak, in atom order.
  std::vector<tpeakrow> rows() const;

  /// The level of a fresh prediction of the row's atom (7 for an exact
  /// database match); 0 for a row that does not exist.
  int predictrow(int row) const;
  /// Teaches the database the shift (ppm) of the row's atom, keeps it for
  /// Cancel and predicts again. False, and nothing changes, for a row that
  /// does not exist or a shift the database cannot hold (protons beyond
  /// +-99.99 ppm, other nuclei beyond +-3276.7).
  bool addshift(int row, double shift);
  /// Shifts taught since the last OK or Cancel.
  int additioncount() const { return static_cast<int>(additions_.size()); }
  /// Keeps what was taught and writes the database when it changed.
  void accept();
  /// Takes back every shift taught since the last OK: entries they made
  /// go, entries whose shift they replaced get it back. Writes nothing.
  void cancel();
  /// Removes the database entry of the row's atom (asking first when only
  /// a similar entry exists) and predicts again.
  void deleterow(int row);
  /// Removes the database entry of every nucleus-carrying atom of the
  /// drawing.
  void deleteall();
  /// Cleans the database up and writes it.
  void savedatabase();
  /// Writes the database if it changed.
  void save();

  /// The shift labels of the drawing as the filter chooses: with
  /// "Filtered" only atoms that are not symmetry duplicates.
  std::vector<tatomnote> shiftlabels(tshiftfilter filter) const;
  /// The merged sticks of the peaks; none unless the nucleus is H-1 or
  /// C-13.
  tspectrum spectrum() const;

  /// Refines the database's increments around the row's atom: the atoms
  /// of the drawing of its hybridisation keep their predicted shifts while
  /// the database's entries for their substituent positions are fitted to
  /// them. status gets "Cycle=N Var=V" after each cycle; returns the
  /// number of cycles run.
  int disco(int row, const std::function<void(const std::string&)>& status);

 private:
  /// A taught peak, and the shift of the entry it replaced, if any.
  struct taddition {
    tpeak peak;
    std::optional<std::int16_t> replaced;
  };

  tatm* atomof(int row) const;
  tpeak peakof(const tatm& atom) const;
  void predictagain();
  /// Writes through save or setmodifiedsave, warning when that failed.
  void reportsave(bool written) const;

  std::shared_ptr<IPeakdb> database_;
  tdrawing* drawing_ = nullptr;
  /// The session's drawing serial when drawing_ was the current drawing.
  std::optional<std::uint64_t> serial_;
  std::optional<tpeaklist> peaks_;
  std::vector<taddition> additions_;
};

}  // namespace molvane

// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "document/messages.h"
#include "nmr/peak.h"

#include <array>
#include <memory>
#include <string>

namespace molvane {

class tatm;
class tcarbonmodel;
class tnmrgraph;
struct tlearnedtables;

/// A predicted or looked-up shift in ppm with its level (0: none).
struct tprediction {
  double shift = noshift;
  int level = 0;
  bool has() const { return level != 0 && shift > -999.0; }
};

/// The deepest database entry that agrees with a peak, and in how many
/// leading spheres (0 and no entry when nothing agrees).
struct tmatch {
  const tpeak* entry = nullptr;
  int level = 0;
};

/// The peak database of one nucleus. Operations that take an atom read it
/// in the structure or drawing that holds it and never change that drawing.
/// Entries returned by pointer stay valid until the database changes.
class IPeakdb {
 public:
  virtual ~IPeakdb() = default;

  /// 0 (none), 1, 6, 7, 9 or 15.
  virtual int nucleus() const = 0;
  virtual const std::string& filename() const = 0;
  virtual bool modified() const = 0;
  /// Database list i (0..19); an empty list out of range.
  virtual const tpeaklist& list(int i) const = 0;

  virtual int totalcount() const = 0;
  virtual tprediction lookupatom(const tatm& atom) const = 0;
  virtual const tpeak* findentry(const tpeak& peak) const = 0;
  virtual const tpeak* findatomentry(const tatm& atom) const = 0;
  /// Removes duplicates and entries without a shift from every list.
  virtual void cleanup() = 0;
  virtual tpeaklist listcopy(int list) const = 0;
  /// One refinement step of the increment search for atom; adds the shifts
  /// of its substituent positions to sum; true when the atom qualified.
  virtual bool disco(const tatm& atom, double& sum, int levellimit) = 0;
  /// Removes peak's entry: the same object, an identical entry, or after a
  /// Yes to "Delete <shift>?" its best match.
  virtual void deletepeak(const tpeak& peak) = 0;
  virtual tprediction predictsp3(const tatm& atom) const = 0;
  virtual tprediction predictsp2(const tatm& atom) const = 0;
  virtual tprediction predictsp(const tatm& atom) const = 0;
  virtual tmatch bestmatch(const tpeak& peak) const = 0;
  virtual tmatch bestmatchatom(const tatm& atom) const = 0;
  /// Replaces the contents by the file's; false (with a message) when it
  /// could not be read, the database is then empty.
  virtual bool loadfrom(const std::string& name) = 0;
  virtual bool reload() = 0;
  /// Appends copies of the other database's entries, list by list.
  virtual void appendfrom(const IPeakdb& other) = 0;
  /// Database lookup refined or replaced by the increment schemes.
  virtual tprediction predict(const tatm& atom) const = 0;
  virtual double predictshift(const tatm& atom) const = 0;
  virtual tprediction predictaromatic(const tatm& atom) const = 0;
  /// Writing happens only when the database is modified; false when a write
  /// was needed and failed (the previous file is then left intact).
  virtual bool save() = 0;
  virtual bool setmodifiedsave(bool flag) = 0;
  virtual bool saveto(const std::string& name) = 0;
  virtual bool setmodifiedsaveto(const std::string& name, bool flag) = 0;
  /// Files a copy of peak, or replaces the shift of an identical entry.
  virtual void addpeak(const tpeak& peak) = 0;

 protected:
  IPeakdb() = default;
  IPeakdb(const IPeakdb&) = default;
  IPeakdb& operator=(const IPeakdb&) = default;
};

/// The database object behind IPeakdb, with the fast entry points the
/// predictor uses on a graph of the atom's surroundings.
class tpeakdb final : public IPeakdb {
 public:
  /// An empty database of nucleus with no file; it reports nothing until
  /// setreporting is called.
  explicit tpeakdb(int nucleus);
  /// Reads filename; a missing file is recreated from the file whose name
  /// ends in "_" instead of the last character, or written empty. Failures
  /// go to messages and the reading steps to progress, then and later;
  /// both must outlive the database.
  tpeakdb(const std::string& filename, int nucleus, tmessages& messages,
          tprogress& progress);
  /// The same, reporting nothing.
  tpeakdb(const std::string& filename, int nucleus);

  /// Where later failures, questions and steps of reading and saving go;
  /// both must outlive the database.
  void setreporting(tmessages& messages, tprogress& progress);

  int nucleus() const override { return nucleus_; }
  const std::string& filename() const override { return filename_; }
  bool modified() const override { return modified_; }
  const tpeaklist& list(int i) const override;
  void setmodified(bool flag) { modified_ = flag; }

  int totalcount() const override;
  tprediction lookupatom(const tatm& atom) const override;
  const tpeak* findentry(const tpeak& peak) const override;
  const tpeak* findatomentry(const tatm& atom) const override;
  void cleanup() override;
  tpeaklist listcopy(int list) const override;
  bool disco(const tatm& atom, double& sum, int levellimit) override;
  void deletepeak(const tpeak& peak) override;
  tprediction predictsp3(const tatm& atom) const override;
  tprediction predictsp2(const tatm& atom) const override;
  tprediction predictsp(const tatm& atom) const override;
  tmatch bestmatch(const tpeak& peak) const override;
  tmatch bestmatchatom(const tatm& atom) const override;
  bool loadfrom(const std::string& name) override;
  bool reload() override;
  void appendfrom(const IPeakdb& other) override;
  tprediction predict(const tatm& atom) const override;
  double predictshift(const tatm& atom) const override;
  tprediction predictaromatic(const tatm& atom) const override;
  bool save() override;
  bool setmodifiedsave(bool flag) override;
  bool saveto(const std::string& name) override;
  bool setmodifiedsaveto(const std::string& name, bool flag) override;
  void addpeak(const tpeak& peak) override;

  /// Graph forms of the atom operations: atom is a node of graph.
  tprediction lookupatom(const tnmrgraph& graph, int atom) const;
  tprediction predict(tnmrgraph& graph, int atom) const;

  /// Replaces list i by peaks sorted in database order (the builder's way of
  /// filling a database); duplicates keep the last shift.
  void setlist(int i, std::vector<tpeak> peaks);

  /// The learned model that refines shallow carbon matches; none leaves the
  /// database and increment schemes alone. A carbon database read from a
  /// file gets the shipped model.
  void setcarbonmodel(std::shared_ptr<const tcarbonmodel> model) {
    carbonmodel_ = std::move(model);
  }
  const tcarbonmodel* carbonmodel() const { return carbonmodel_.get(); }

  /// The learned fallback tables the predictor uses with this database:
  /// the shipped ones unless others were set (the builder sets those it
  /// fitted with the entries).
  const tlearnedtables& learned() const;
  void setlearned(std::shared_ptr<const tlearnedtables> tables);

 private:
  tpeaklist& mutablelist(const tpeak& peak);

  int nucleus_ = 0;
  std::array<tpeaklist, peaklistcount> lists_;
  bool modified_ = false;
  std::string filename_;
  /// The file could not be read; saving will not overwrite it.
  bool readfailed_ = false;
  std::shared_ptr<const tcarbonmodel> carbonmodel_;
  std::shared_ptr<const tlearnedtables> learned_;
  tmessages* messages_;
  tprogress* progress_;
};

/// Largest number of records a database file of nucleus may hold, and the
/// largest number of entries a database may grow to.
int databaselimit(int nucleus);

}  // namespace molvane

// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/nmr_shifts.h"

#include "document/drawing.h"
#include "document/messages.h"
#include "document/session.h"
#include "nmr/database_files.h"
#include "nmr/environment.h"
#include "nmr/peak_database.h"
#include "nmr/predictor.h"
#include "support/number_text.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace molvane {

namespace {

constexpr int proton = 1;
/// The level limit the increment search hands to the database.
constexpr int discolevellimit = 8;
constexpr int discocycles = 11;
constexpr double discovariance = 0.1;
constexpr double discochange = 0.05;

/// Whether the fixed point of the database holds shift for nucleus without
/// clamping it to another value.
bool storable(double shift, int nucleus) {
  if (!std::isfinite(shift) || shift <= -999.0) {
    return false;
  }
  if (nucleus == proton) {
    return std::abs(shift) <= 99.99;
  }
  return std::abs(std::round(shift * 10.0)) <=
         std::numeric_limits<std::int16_t>::max();
}

}  // namespace

std::string nmropenproblem(const tdrawing& drawing, int nucleus) {
  if (nucleus == 0) {
    return "E2 -- No Nucleus Selected";
  }
  bool carrier = false;
  bool pseudoatom = false;
  for (const tatm* atom : drawing.atoms) {
    if (atom->ischemical()) {
      carrier = carrier || carriesnucleus(*atom, nucleus);
      pseudoatom = pseudoatom || atom->element <= 0;
    }
  }
  if (!carrier) {
    return "E3-- Drawing contains no NMR nuclei";
  }
  return pseudoatom ? "E4 -- Drawing contains pseudoatoms" : "";
}

tnmrshifts::tnmrshifts(const std::filesystem::path& folder, int nucleus)
    : tnmrshifts(opendatabase(folder, nucleus, session().relayedmessages(),
                              session().relayedprogress())) {}

tnmrshifts::tnmrshifts(std::shared_ptr<IPeakdb> database)
    : database_(std::move(database)) {
  if (database_ == nullptr) {
    database_ = std::make_shared<tpeakdb>(0);
  }
}

tnmrshifts::~tnmrshifts() = default;

int tnmrshifts::nucleus() const { return database_->nucleus(); }

int tnmrshifts::entrycount() const { return database_->totalcount(); }

void tnmrshifts::build(tdrawing& drawing, tprogress* progress) {
  drawing_ = &drawing;
  serial_.reset();
  if (&drawing == session().drawing()) {
    serial_ = session().drawingserial();
  }
  peaks_ = makepeaklist(drawing, database_);
  tsilentprogress silent;
  predictpeaks(*peaks_, drawing, progress != nullptr ? *progress : silent);
}

void tnmrshifts::predictagain() {
  if (built()) {
    build(*drawing_);
  }
}

void tnmrshifts::clear() {
  peaks_.reset();
  drawing_ = nullptr;
  serial_.reset();
}

bool tnmrshifts::built() const {
  return peaks_.has_value() && drawing_ != nullptr &&
         (!serial_ || *serial_ == session().drawingserial());
}

tatm* tnmrshifts::atomof(int row) const {
  if (!built() || row < 0 || row >= peaks_->count()) {
    return nullptr;
  }
  const int index = peaks_->peaks[static_cast<std::size_t>(row)].atomindex;
  return index >= 0 && index < drawing_->atoms.count()
             ? drawing_->atoms.items(index)
             : nullptr;
}

tpeak tnmrshifts::peakof(const tatm& atom) const {
  tpeak peak = tpeak::fromenvironment(atomenvironment(atom));
  peak.count = atom.number;
  return peak;
}

std::vector<tpeakrow> tnmrshifts::rows() const {
  std::vector<tpeakrow> rows;
  if (!built()) {
    return rows;
  }
  for (std::size_t i = 0; i < peaks_->peaks.size(); ++i) {
    const tpeak& peak = peaks_->peaks[i];
    tpeakrow row;
    row.atom = atomof(static_cast<int>(i));
    row.number = peak.count;
    if (peak.hasshift()) {
      row.shift = peak.getshift(nucleus());
    }
    row.level = peak.level;
    row.peaktype = peak.peaktype;
    row.shown = i < peaks_->shifts.size() && peaks_->shifts[i].shown != 0;
    rows.push_back(row);
  }
  return rows;
}

int tnmrshifts::predictrow(int row) const {
  const tatm* atom = atomof(row);
  return atom != nullptr ? database_->predict(*atom).level : 0;
}

bool tnmrshifts::addshift(int row, double shift) {
  const tatm* atom = atomof(row);
  if (atom == nullptr || !storable(shift, nucleus())) {
    return false;
  }
  tpeak peak = peakof(*atom);
  peak.setshift(shift, nucleus());
  taddition addition{peak, std::nullopt};
  // Cancel gives a replaced entry its shift back rather than deleting it.
  if (const tpeak* entry = database_->findentry(peak)) {
    addition.replaced = entry->shift;
  }
  database_->addpeak(peak);
  additions_.push_back(addition);
  predictagain();
  return true;
}

void tnmrshifts::reportsave(bool written) const {
  if (!written) {
    session().messages().error("The NMR database could not be written to " +
                               database_->filename());
  }
}

void tnmrshifts::accept() {
  additions_.clear();
  reportsave(database_->save());
}

void tnmrshifts::cancel() {
  reportsave(database_->setmodifiedsave(false));
  for (auto it = additions_.rbegin(); it != additions_.rend(); ++it) {
    const tpeak* entry = database_->findentry(it->peak);
    if (entry == nullptr) {
      continue;
    }
    if (it->replaced) {
      tpeak previous = *entry;
      previous.shift = *it->replaced;
      database_->addpeak(previous);
    } else {
      const tpeak taught = *entry;
      database_->deletepeak(taught);
    }
  }
  additions_.clear();
  predictagain();
}

void tnmrshifts::deleterow(int row) {
  if (atomof(row) == nullptr) {
    return;
  }
  const tpeak peak = peaks_->peaks[static_cast<std::size_t>(row)];
  database_->deletepeak(peak);
  std::erase_if(additions_, [&peak](const taddition& addition) {
    return identical(addition.peak, peak);
  });
  predictagain();
}

void tnmrshifts::deleteall() {
  if (!built()) {
    return;
  }
  for (const tatm* atom : drawing_->atoms) {
    if (!atom->ischemical() || !carriesnucleus(*atom, nucleus())) {
      continue;
    }
    if (const tpeak* entry = database_->findentry(peakof(*atom))) {
      const tpeak found = *entry;
      database_->deletepeak(found);
    }
  }
  additions_.clear();
  predictagain();
}

void tnmrshifts::savedatabase() {
  database_->cleanup();
  reportsave(database_->setmodifiedsave(true));
}

void tnmrshifts::save() { reportsave(database_->save()); }

std::vector<tatomnote> tnmrshifts::shiftlabels(tshiftfilter filter) const {
  const std::vector<tpeakrow> all = rows();
  return shiftlabelsof(all, filter, nucleus());
}

tspectrum tnmrshifts::spectrum() const {
  const std::vector<tpeakrow> all = rows();
  return spectrumof(all, nucleus());
}

int tnmrshifts::disco(int row,
                      const std::function<void(const std::string&)>& status) {
  tatm* selected = atomof(row);
  if (selected == nullptr) {
    return 0;
  }
  const int hybridization = selected->gethybridization();
  // The atoms of the selected one's kind keep their present predictions
  // while the entries of their substituents move.
  std::vector<tatm*> marked;
  std::vector<tpeak> kept;
  for (int i = 0; i < peaks_->count(); ++i) {
    tatm* atom = atomof(i);
    if (atom != nullptr && atom->gethybridization() == hybridization) {
      tpeak peak = peakof(*atom);
      peak.setshift(database_->predict(*atom).shift, nucleus());
      marked.push_back(atom);
      kept.push_back(peak);
    }
  }
  double previous = std::numeric_limits<double>::infinity();
  int cycle = 0;
  while (cycle < discocycles) {
    ++cycle;
    double variance = 0.0;
    for (tatm* atom : marked) {
      if (atom->element != nucleus() ||
          atom->gethybridization() != hybridization ||
          atom->singlebonds().count() != 2) {
        continue;
      }
      double sum = 0.0;
      if (database_->disco(*atom, sum, discolevellimit)) {
        const double difference = sum - database_->lookupatom(*atom).shift;
        variance += difference * difference;
      }
    }
    for (const tpeak& peak : kept) {
      if (peak.hasshift() && database_->findentry(peak) != nullptr) {
        database_->addpeak(peak);
      }
    }
    if (status) {
      status("Cycle=" + std::to_string(cycle) +
             " Var=" + formatfixed(variance, 3));
    }
    if (variance < discovariance ||
        std::abs(variance - previous) < discochange) {
      break;
    }
    previous = variance;
  }
  predictagain();
  return cycle;
}

}  // namespace molvane

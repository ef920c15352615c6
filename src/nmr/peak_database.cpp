// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "nmr/peak_database.h"

#include "model/atom.h"
#include "nmr/carbon_model.h"
#include "nmr/increment_schemes.h"
#include "nmr/learned_tables.h"
#include "nmr/nmr_graph.h"
#include "nmr/peak_file.h"
#include "nmr/shift_increments.h"
#include "support/atomic_file.h"
#include "support/number_text.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace molvane {

namespace {

constexpr std::size_t maxfilebytes = 64U * 1024U * 1024U;
constexpr int carbon = 6;
const std::string toolarge = "E1--NMR Database Too Large";

bool before(const tpeak& a, const tpeak& b) { return comparepeaks(a, b) < 0; }

/// The entries of list whose key equals the peak's: [first, last).
std::pair<std::size_t, std::size_t> keyrange(const std::vector<tpeak>& list,
                                             const tpeak& peak) {
  double key = peak.key();
  auto first = std::lower_bound(
      list.begin(), list.end(), key,
      [](const tpeak& entry, double k) { return entry.key() < k; });
  auto last = std::upper_bound(
      first, list.end(), key,
      [](double k, const tpeak& entry) { return k < entry.key(); });
  return {static_cast<std::size_t>(first - list.begin()),
          static_cast<std::size_t>(last - list.begin())};
}

bool fileexists(const std::string& name) {
  std::error_code ignored;
  return !name.empty() && std::filesystem::is_regular_file(name, ignored);
}

/// The name of the backup copy: the last character becomes "_".
std::string secondaryname(const std::string& name) {
  if (name.empty()) {
    return name;
  }
  return name.substr(0, name.size() - 1) + "_";
}

// Stateless, so every database that reports nothing shares them.
tsilentmessages& silentmessages() {
  static tsilentmessages silent;
  return silent;
}

tsilentprogress& silentprogress() {
  static tsilentprogress silent;
  return silent;
}

}  // namespace

int databaselimit(int nucleus) { return nucleus == 1 ? 4800 : 2400; }

tpeakdb::tpeakdb(int nucleus)
    : nucleus_(nucleus),
      messages_(&silentmessages()),
      progress_(&silentprogress()) {}

tpeakdb::tpeakdb(const std::string& filename, int nucleus)
    : tpeakdb(filename, nucleus, silentmessages(), silentprogress()) {}

tpeakdb::tpeakdb(const std::string& filename, int nucleus, tmessages& messages,
                 tprogress& progress)
    : nucleus_(nucleus),
      filename_(filename),
      messages_(&messages),
      progress_(&progress) {
  if (fileexists(filename)) {
    loadfrom(filename);
    return;
  }
  // A missing database is rebuilt from its backup copy, or starts empty,
  // and is written at once under its own name.
  std::string backup = secondaryname(filename);
  if (fileexists(backup)) {
    loadfrom(backup);
  }
  filename_ = filename;
  readfailed_ = false;
  setmodifiedsaveto(filename, true);
}

void tpeakdb::setreporting(tmessages& messages, tprogress& progress) {
  messages_ = &messages;
  progress_ = &progress;
}

const tpeaklist& tpeakdb::list(int i) const {
  static const tpeaklist empty;
  return i >= 0 && i < peaklistcount ? lists_[static_cast<std::size_t>(i)]
                                     : empty;
}

int tpeakdb::totalcount() const {
  int total = 0;
  for (const tpeaklist& list : lists_) {
    total += list.count();
  }
  return total;
}

tmatch tpeakdb::bestmatch(const tpeak& peak) const {
  const std::vector<tpeak>& list =
      lists_[static_cast<std::size_t>(listnumber(peak.peaktype))].peaks;
  auto [first, last] = keyrange(list, peak);
  tmatch best;
  for (std::size_t i = first; i < last && best.level < spherecount; ++i) {
    const tpeak& entry = list[i];
    if (entry.peaktype != peak.peaktype) {
      continue;
    }
    // An entry replaces the best one only by agreeing in more spheres.
    int depth = best.level;
    bool agrees = true;
    for (int k = 0; k <= depth && k < spherecount; ++k) {
      if (entry.spheres[static_cast<std::size_t>(k)] !=
          peak.spheres[static_cast<std::size_t>(k)]) {
        agrees = false;
        break;
      }
    }
    if (!agrees) {
      continue;
    }
    while (depth < spherecount &&
           entry.spheres[static_cast<std::size_t>(depth)] ==
               peak.spheres[static_cast<std::size_t>(depth)]) {
      ++depth;
    }
    best.entry = &entry;
    best.level = depth;
  }
  return best;
}

tmatch tpeakdb::bestmatchatom(const tatm& atom) const {
  return bestmatch(tpeak::fromenvironment(atomenvironment(atom)));
}

tprediction tpeakdb::lookupatom(const tnmrgraph& graph, int atom) const {
  tmatch match = bestmatch(tpeak::fromenvironment(graph.environment(atom)));
  if (match.entry == nullptr) {
    return {};
  }
  return {match.entry->getshift(nucleus_), match.level};
}

tprediction tpeakdb::lookupatom(const tatm& atom) const {
  int root = 0;
  tnmrgraph graph = tnmrgraph::around(atom, root);
  return lookupatom(graph, root);
}

const tpeak* tpeakdb::findentry(const tpeak& peak) const {
  const std::vector<tpeak>& list =
      lists_[static_cast<std::size_t>(listnumber(peak.peaktype))].peaks;
  auto found = std::lower_bound(list.begin(), list.end(), peak, before);
  if (found != list.end() && identical(*found, peak)) {
    return &*found;
  }
  return nullptr;
}

const tpeak* tpeakdb::findatomentry(const tatm& atom) const {
  return findentry(tpeak::fromenvironment(atomenvironment(atom)));
}

void tpeakdb::cleanup() {
  for (tpeaklist& list : lists_) {
    std::vector<tpeak>& peaks = list.peaks;
    std::size_t i = 1;
    while (i < peaks.size()) {
      const tpeak& previous = peaks[i - 1];
      const tpeak& entry = peaks[i];
      if (previous.getshift(nucleus_) < -998.0 ||
          entry.getshift(nucleus_) < -998.0) {
        messages_->inform("Hit " + std::to_string(i));
      }
      if (identical(entry, previous) || entry.getshift(nucleus_) <= -999.0) {
        peaks.erase(peaks.begin() + static_cast<std::ptrdiff_t>(i));
      } else {
        ++i;
      }
    }
    // The loop never looks at the first entry on its own.
    if (!peaks.empty() && !peaks.front().hasshift()) {
      peaks.erase(peaks.begin());
    }
  }
  modified_ = true;
}

tpeaklist tpeakdb::listcopy(int i) const {
  tpeaklist copy;
  copy.peaks = list(i).peaks;
  return copy;
}

bool tpeakdb::disco(const tatm& atom, double& sum, int levellimit) {
  // The sp3 variant: spread the error of an exact match over the
  // substituent positions of the atom.
  int root = 0;
  tnmrgraph graph = tnmrgraph::around(atom, root);
  if (graph.hybridization(root) != 3) {
    return false;
  }
  tprediction exact = lookupatom(graph, root);
  if (exact.level != spherecount) {
    return false;
  }
  std::vector<int> singles;
  for (int bond : graph.presentbonds(root)) {
    const tgraphbond& b = graph.bonds[static_cast<std::size_t>(bond)];
    if (!b.delocalised && b.kind == 2) {
      singles.push_back(bond);
    }
  }
  int n = static_cast<int>(singles.size());
  if (n >= 4 || n < 1) {
    return true;
  }
  double ring = smallringcorrection(graph, root, nucleus_);
  for (int bond : singles) {
    graph.cutbond(bond);
  }
  std::vector<tpeak> positions;
  double total = 0.0;
  bool miss = false;
  for (int bond : singles) {
    graph.restorebond(bond);
    tpeak peak = tpeak::fromenvironment(graph.environment(root));
    tmatch match = bestmatch(peak);
    graph.cutbond(bond);
    if (match.level < 1) {
      miss = true;
      continue;
    }
    peak.level = static_cast<std::int8_t>(match.level);
    double shift = match.entry->getshift(nucleus_);
    peak.setshift(shift, nucleus_);
    total += shift;
    positions.push_back(peak);
  }
  sum += total;
  if (miss) {
    return true;
  }
  double delta = ((exact.shift - ring + 2.4) - total) / n;
  for (tpeak& peak : positions) {
    if (peak.level < levellimit) {
      peak.setshift(peak.getshift(nucleus_) + delta, nucleus_);
      addpeak(peak);
    }
  }
  return true;
}

void tpeakdb::deletepeak(const tpeak& peak) {
  modified_ = true;
  std::vector<tpeak>& list = mutablelist(peak).peaks;
  if (!list.empty() && &peak >= list.data() &&
      &peak < list.data() + list.size()) {
    list.erase(list.begin() + (&peak - list.data()));
    return;
  }
  auto found = std::lower_bound(list.begin(), list.end(), peak, before);
  if (found != list.end() && identical(*found, peak)) {
    list.erase(found);
    return;
  }
  tmatch match = bestmatch(peak);
  if (match.entry == nullptr) {
    return;
  }
  std::string text =
      "Delete " + formatfixed(match.entry->getshift(nucleus_), 1, 4) + "?";
  std::ptrdiff_t position = match.entry - list.data();
  if (messages_->confirm(text)) {
    list.erase(list.begin() + position);
  }
}

tprediction tpeakdb::predictsp3(const tatm& atom) const {
  int root = 0;
  tnmrgraph graph = tnmrgraph::around(atom, root);
  return tincrementschemes(*this, graph).predictsp3(root);
}

tprediction tpeakdb::predictsp2(const tatm& atom) const {
  int root = 0;
  tnmrgraph graph = tnmrgraph::around(atom, root);
  return tincrementschemes(*this, graph).predictsp2(root);
}

tprediction tpeakdb::predictsp(const tatm& atom) const {
  int root = 0;
  tnmrgraph graph = tnmrgraph::around(atom, root);
  return tincrementschemes(*this, graph).predictsp(root);
}

tprediction tpeakdb::predictaromatic(const tatm& atom) const {
  int root = 0;
  tnmrgraph graph = tnmrgraph::around(atom, root);
  return tincrementschemes(*this, graph).predictaromatic(root);
}

tprediction tpeakdb::predict(tnmrgraph& graph, int atom) const {
  tprediction direct = lookupatom(graph, atom);
  if (direct.level != 0) {
    return direct;
  }
  return tincrementschemes(*this, graph)
      .byhybridization(atom, graph.hybridization(atom));
}

tprediction tpeakdb::predict(const tatm& atom) const {
  int root = 0;
  tnmrgraph graph = tnmrgraph::around(atom, root);
  return predict(graph, root);
}

double tpeakdb::predictshift(const tatm& atom) const {
  return predict(atom).shift;
}

bool tpeakdb::loadfrom(const std::string& name) {
  for (tpeaklist& list : lists_) {
    list.peaks.clear();
  }
  modified_ = false;
  filename_ = name;
  readfailed_ = false;
  if (nucleus_ == carbon) {
    carbonmodel_ = shippedcarbonmodel();
  }
  if (!fileexists(name)) {
    return setmodifiedsaveto(name, true);
  }
  std::vector<std::uint8_t> bytes;
  std::string problem = readwholefile(name, bytes, maxfilebytes);
  tpeakfile file;
  if (problem.empty()) {
    file = readpeakfile(bytes, databaselimit(nucleus_));
    if (!file.error.empty()) {
      problem = file.toolarge ? toolarge
                              : "File Read Error: " + name + ": " + file.error;
    }
  }
  if (!problem.empty()) {
    // The file stays as it is: nothing is written over what could not be
    // read.
    readfailed_ = true;
    messages_->error(problem);
    return false;
  }
  tprogress& progress = *progress_;
  progress.setrange(0, peaklistcount);
  for (std::size_t i = 0; i < lists_.size(); ++i) {
    lists_[i].peaks = std::move(file.lists[i]);
    progress.step(1);
  }
  progress.reset();
  return true;
}

bool tpeakdb::reload() { return loadfrom(filename_); }

void tpeakdb::appendfrom(const IPeakdb& other) {
  for (int i = 0; i < peaklistcount; ++i) {
    const std::vector<tpeak>& from = other.list(i).peaks;
    std::vector<tpeak>& to = lists_[static_cast<std::size_t>(i)].peaks;
    to.insert(to.end(), from.begin(), from.end());
  }
  modified_ = true;
}

bool tpeakdb::save() { return saveto(filename_); }

bool tpeakdb::setmodifiedsave(bool flag) {
  modified_ = flag;
  return save();
}

bool tpeakdb::saveto(const std::string& name) {
  if (!modified_) {
    return true;
  }
  if (name.empty()) {
    return false;
  }
  if (readfailed_ && name == filename_) {
    messages_->error("NMR database not saved: " + name +
                     " could not be read and is kept as it is");
    return false;
  }
  tprogress& progress = *progress_;
  progress.setrange(0, peaklistcount - 1);
  std::vector<std::uint8_t> bytes = writepeakfile(lists_);
  for (int i = 0; i < peaklistcount; ++i) {
    progress.step(1);
  }
  std::string problem = writefileatomically(name, bytes);
  progress.reset();
  if (!problem.empty()) {
    messages_->error(problem);
    return false;
  }
  modified_ = false;
  return true;
}

bool tpeakdb::setmodifiedsaveto(const std::string& name, bool flag) {
  modified_ = flag;
  return saveto(name);
}

void tpeakdb::addpeak(const tpeak& peak) {
  if (!peak.hasshift()) {
    return;
  }
  std::vector<tpeak>& list = mutablelist(peak).peaks;
  tpeak copy = peak;
  copy.atomindex = -1;
  copy.count = 0;
  copy.level = 0;
  auto position = std::lower_bound(list.begin(), list.end(), copy, before);
  if (position != list.end() && identical(*position, copy)) {
    position->shift = copy.shift;
    modified_ = true;
    return;
  }
  // A database that grew to its limit could not be read back.
  if (totalcount() + 1 >= databaselimit(nucleus_)) {
    messages_->error(toolarge);
    return;
  }
  list.insert(position, copy);
  modified_ = true;
}

void tpeakdb::setlist(int i, std::vector<tpeak> peaks) {
  if (i < 0 || i >= peaklistcount) {
    return;
  }
  std::stable_sort(peaks.begin(), peaks.end(), before);
  std::vector<tpeak> unique;
  unique.reserve(peaks.size());
  for (const tpeak& peak : peaks) {
    if (!unique.empty() && identical(unique.back(), peak)) {
      unique.back() = peak;
    } else {
      unique.push_back(peak);
    }
  }
  lists_[static_cast<std::size_t>(i)].peaks = std::move(unique);
  modified_ = true;
}

const tlearnedtables& tpeakdb::learned() const {
  return learned_ != nullptr ? *learned_ : *shippedtables();
}

void tpeakdb::setlearned(std::shared_ptr<const tlearnedtables> tables) {
  learned_ = std::move(tables);
}

tpeaklist& tpeakdb::mutablelist(const tpeak& peak) {
  return lists_[static_cast<std::size_t>(listnumber(peak.peaktype))];
}

}  // namespace molvane

// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "nmr/peak_database.h"

#include "nmr/nmr_graph.h"

namespace molvane {

int databaselimit(int nucleus) { return nucleus == 1 ? 4800 : 2400; }

tpeakdb::tpeakdb(int nucleus) : nucleus_(nucleus) {}
tpeakdb::tpeakdb(const std::string& filename, int nucleus)
    : nucleus_(nucleus), filename_(filename) {}
const tpeaklist& tpeakdb::list(int i) const {
  static const tpeaklist empty;
  return i >= 0 && i < peaklistcount ? lists_[static_cast<std::size_t>(i)]
                                     : empty;
}
int tpeakdb::totalcount() const { return 0; }
tprediction tpeakdb::lookupatom(const tatm&) const { return {}; }
const tpeak* tpeakdb::findentry(const tpeak&) const { return nullptr; }
const tpeak* tpeakdb::findatomentry(const tatm&) const { return nullptr; }
void tpeakdb::cleanup() {}
tpeaklist tpeakdb::listcopy(int) const { return {}; }
bool tpeakdb::disco(const tatm&, double&, int) { return false; }
void tpeakdb::deletepeak(const tpeak&) {}
tprediction tpeakdb::predictsp3(const tatm&) const { return {}; }
tprediction tpeakdb::predictsp2(const tatm&) const { return {}; }
tprediction tpeakdb::predictsp(const tatm&) const { return {}; }
tmatch tpeakdb::bestmatch(const tpeak&) const { return {}; }
tmatch tpeakdb::bestmatchatom(const tatm&) const { return {}; }
bool tpeakdb::loadfrom(const std::string&) { return false; }
bool tpeakdb::reload() { return false; }
void tpeakdb::appendfrom(const IPeakdb&) {}
tprediction tpeakdb::predict(const tatm&) const { return {}; }
double tpeakdb::predictshift(const tatm&) const { return noshift; }
tprediction tpeakdb::predictaromatic(const tatm&) const { return {}; }
bool tpeakdb::save() { return true; }
bool tpeakdb::setmodifiedsave(bool) { return true; }
bool tpeakdb::saveto(const std::string&) { return true; }
bool tpeakdb::setmodifiedsaveto(const std::string&, bool) { return true; }
void tpeakdb::addpeak(const tpeak&) {}
tprediction tpeakdb::lookupatom(const tnmrgraph&, int) const { return {}; }
tprediction tpeakdb::predict(tnmrgraph&, int) const { return {}; }
void tpeakdb::setlist(int, std::vector<tpeak>) {}
tpeaklist& tpeakdb::mutablelist(const tpeak& peak) {
  return lists_[static_cast<std::size_t>(listnumber(peak.peaktype))];
}

}  // namespace molvane

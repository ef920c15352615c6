// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/bond_list.h"

#include "model/atom.h"
#include "model/bond.h"

#include <string>

namespace molvane {

namespace {

bool isterminal(tatm* atom) { return atom->findneighbours() == 1; }

}  // namespace

void tbondlist::addbonds(const tbondlist& list) { addlist(list); }

void tbondlist::setdelocalisedall(bool on) {
  for (tbond* each : *this) {
    each->setdelocalised(on);
  }
}

void tbondlist::setcolourall(std::uint32_t colour) {
  listcolour = colour;
  for (tbond* each : *this) {
    each->setcolour(colour);
  }
}

void tbondlist::setchemicalall(std::uint8_t chemical) {
  for (tbond* each : *this) {
    each->chemical = chemical;
  }
}

int tbondlist::countchemical() const {
  int n = 0;
  for (const tbond* each : *this) {
    n += each->chemical != 0 ? 1 : 0;
  }
  return n;
}

void tbondlist::refreshoffsets() {
  for (tbond* each : *this) {
    each->calcoffsets();
  }
}

void tbondlist::setnoneall() {
  for (tbond* each : *this) {
    each->setnone();
  }
}

void tbondlist::copykinds(const tbondlist& list) {
  for (int i = 0; i < count() && i < list.count(); ++i) {
    items(i)->copykind(*list.items(i));
  }
}

double tbondlist::averagelength() const {
  if (empty()) {
    return 0.0;
  }
  double total = 0.0;
  for (const tbond* each : *this) {
    total += each->length();
  }
  return total / count();
}

void tbondlist::adjustterminal() {
  for (tbond* each : *this) {
    if (each->chemical == 0 || each->atom1 == nullptr ||
        each->atom2 == nullptr) {
      continue;
    }
    if (isterminal(each->atom1) != isterminal(each->atom2)) {
      each->adjustlength(0);
    }
  }
}

void tbondlist::adjusthydrogens() {
  for (tbond* each : *this) {
    if (each->atom1 == nullptr || each->atom2 == nullptr ||
        (each->atom1->element != 1 && each->atom2->element != 1)) {
      continue;
    }
    bool terminal1 = isterminal(each->atom1);
    bool terminal2 = isterminal(each->atom2);
    double length = each->length();
    if (terminal1 == terminal2 || length <= 0.0) {
      continue;
    }
    each->scaleend(terminal1 ? 1 : 2, each->ideallength() / length);
  }
}

std::string tbondlist::writetext() const {
  std::string text;
  for (const tbond* each : *this) {
    if (each->chemical == 0) {
      continue;
    }
    text += std::to_string(each->endindex(1)) + " " +
            std::to_string(each->endindex(2)) + " " +
            std::to_string(each->kind()) + " " +
            (each->isdelocalised() ? "1" : "0") + "\n";
  }
  return text;
}

}  // namespace molvane

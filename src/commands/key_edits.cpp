// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/key_edits.h"

#include "commands/branch_commands.h"
#include "commands/click_anchor.h"
#include "commands/command_table.h"
#include "commands/editor_commands.h"
#include "commands/link_atoms.h"
#include "document/drawing.h"
#include "document/session.h"
#include "model/atom.h"
#include "model/bond.h"

#include <array>
#include <memory>

namespace molvane {

namespace {

struct telementkey {
  char key;
  int element;
  int labelmode;
};

// B 5, C 6 with its label off, H 1 with label mode 1, R the generic group;
// the others show their symbol.
constexpr std::array<telementkey, 14> elementkeys{{
    {'B', 5, 2},
    {'C', 6, 0},
    {'F', 9, 2},
    {'H', 1, 1},
    {'I', 53, 2},
    {'N', 7, 2},
    {'O', 8, 2},
    {'P', 15, 2},
    {'Q', 14, 2},
    {'R', -1, 2},
    {'S', 16, 2},
    {'X', 17, 2},
    {'Y', 35, 2},
    {'Z', 34, 2},
}};

struct tbondkey {
  char key;
  int kind;
};

constexpr std::array<tbondkey, 6> bondkeys{{
    {'1', 2},
    {'2', 4},
    {'3', 6},
    {'4', 3},
    {'5', 1},
    {'T', 1},
}};

constexpr double linkreach = 32000.0;
constexpr std::uint32_t delocalisedcolour = 0xFF0000;

bool iskey(char key) {
  static constexpr std::string_view atomkeys = "DUGM+-LJAK";
  if (key == deletekey || atomkeys.find(key) != std::string_view::npos) {
    return true;
  }
  for (const telementkey& entry : elementkeys) {
    if (entry.key == key) {
      return true;
    }
  }
  for (const tbondkey& entry : bondkeys) {
    if (entry.key == key) {
      return true;
    }
  }
  return false;
}

/// The nearest atom when it is a plain chemical atom.
tatm* nearestplainatom(const tdrawing& drawing, double x, double y) {
  tatm* atom = nearestatom(drawing, x, y);
  return atom != nullptr && atom->ischemical() ? atom : nullptr;
}

bool arebonded(const tdrawing& drawing, const tatm* a, const tatm* b) {
  for (const tbond* bond : drawing.bondsof(a)) {
    if (bond->other(a) == b) {
      return true;
    }
  }
  return false;
}

/// Bonds the atom nearest to (x, y) to the closest atom it is not bonded to.
void linknearest(tdrawing& drawing, double x, double y) {
  tatm* atom = nearestplainatom(drawing, x, y);
  if (atom == nullptr) {
    return;
  }
  tatm* partner = nullptr;
  double best = linkreach;
  for (int i = 0; i < drawing.atoms.count(); ++i) {
    tatm* other = drawing.atoms.items(i);
    if (other == atom || !other->ischemical() ||
        arebonded(drawing, atom, other)) {
      continue;
    }
    const double dx = other->x - atom->x;
    const double dy = other->y - atom->y;
    const double d = dx * dx + dy * dy;
    if (d < best) {
      best = d;
      partner = other;
    }
  }
  if (partner != nullptr) {
    drawing.addbond(
        std::make_unique<tbond>(atom, 0, tbondstyle::normal, 2, partner));
  }
}

void editatom(tdrawing& drawing, char key, double x, double y) {
  if (key == '+' || key == '-') {
    if (tatm* atom = nearestatom(drawing, x, y)) {
      atom->changecharge(key == '+' ? 1 : -1);
    }
    return;
  }
  tatm* atom = nearestplainatom(drawing, x, y);
  if (atom == nullptr) {
    return;
  }
  switch (key) {
    case 'D':
      atom->sethadjust(-1);
      return;
    case 'U':
      atom->sethadjust(1);
      return;
    case 'G':
      atom->setdeuterium();
      return;
    case 'M':
      atom->setlabelmode(atom->labelmode == 2 ? 0 : 2);
      return;
    default:
      break;
  }
  for (const telementkey& entry : elementkeys) {
    if (entry.key == key) {
      // The atom keeps its bonds, so they keep counting against the new
      // element's valence.
      atom->changeelement(entry.element, entry.labelmode);
      return;
    }
  }
}

void editbond(tdrawing& drawing, char key, double x, double y) {
  tbond* bond = nearestbond(drawing, x, y);
  if (bond == nullptr) {
    return;
  }
  if (key == 'K') {
    drawing.removebond(bond);
    labelloneatoms(drawing);
    return;
  }
  if (key == 'A') {
    const bool marked = !bond->isdelocalised();
    bond->setdelocalised(marked);
    bond->colour = marked ? delocalisedcolour : 0;
    return;
  }
  for (const tbondkey& entry : bondkeys) {
    if (entry.key == key) {
      bond->setkind(entry.kind);
      bond->choosesides();
      return;
    }
  }
}

}  // namespace

bool runkeyedit(char key, double x, double y) {
  if (!iskey(key)) {
    return false;
  }
  session().takeundosnapshot(key == deletekey ? std::string("Delete")
                                              : std::string("Key ") + key);
  tdrawing& drawing = *session().drawing();
  if (key == deletekey) {
    // Symbol points belong to their symbols and go with them.
    tatm* atom = nearestatom(drawing, x, y);
    if (atom != nullptr && atom->kind != symbolpointkind) {
      drawing.removeatom(atom);
      labelloneatoms(drawing);
    }
  } else if (key == 'L') {
    linknearest(drawing, x, y);
  } else if (key == 'J') {
    tlinkpicks picks;
    tcommandcontext context{drawing, session().settings, session().messages(),
                            picks};
    branchatom(context, x, y);
  } else if (key == 'K' || key == 'A' || key == 'T' ||
             (key >= '1' && key <= '5')) {
    editbond(drawing, key, x, y);
  } else {
    editatom(drawing, key, x, y);
  }
  session().repaint();
  return true;
}

}  // namespace molvane

// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/import_document.h"

#include "commands/file_commands.h"
#include "document/drawing.h"
#include "document/session.h"
#include "io/document_files.h"

#include <algorithm>
#include <limits>
#include <utility>

namespace molvane {

namespace {

/// Mean length of the bonds with the real-bond flag; 0 when there is none.
double meanbondlength(const tdrawing& drawing) {
  double total = 0.0;
  int count = 0;
  for (const tbond* bond : drawing.bonds) {
    if (bond->chemical != 0 && bond->atom1 != nullptr &&
        bond->atom2 != nullptr) {
      total += bond->length();
      ++count;
    }
  }
  return count > 0 ? total / count : 0.0;
}

/// The bond length things merged into drawing take: its mean bond, else L.
double wantedbondlength(const tdrawing& drawing) {
  const double mean = meanbondlength(drawing);
  return mean > 0.0 ? mean : session().settings.bondlength;
}

/// Bond lengths left between the drawing's rightmost atom and what Paste
/// and Import bring in: about one bond length clear of its labels.
constexpr double besidegapbonds = 1.5;

struct tbounds {
  double left = std::numeric_limits<double>::infinity();
  double right = -std::numeric_limits<double>::infinity();
  double top = std::numeric_limits<double>::infinity();
  bool empty() const { return left > right; }
};

tbounds boundsof(const tdrawing& drawing) {
  tbounds bounds;
  for (const tatm* atom : drawing.atoms) {
    bounds.left = std::min(bounds.left, atom->x);
    bounds.right = std::max(bounds.right, atom->x);
    bounds.top = std::min(bounds.top, atom->y);
  }
  return bounds;
}

/// Fills twin's lists with source's atoms and bonds, which target now
/// holds itself.
void relist(const tStructure& source, tStructure& twin) {
  twin.copyfields(source);
  for (tatm* atom : source.atoms) {
    twin.atoms.add(atom);
  }
  for (tbond* bond : source.bonds) {
    twin.bonds.add(bond);
  }
  for (tbond* bond : source.auxbonds) {
    twin.auxbonds.add(bond);
  }
  twin.ringatoms = source.ringatoms;
  twin.ringbonds = source.ringbonds;
}

}  // namespace

int mergedrawing(tdrawing& target, std::unique_ptr<tdrawing> imported,
                 double gap) {
  if (imported == nullptr || imported->atoms.empty()) {
    return 0;
  }
  double own = meanbondlength(*imported);
  const double wanted = wantedbondlength(target);
  const tbounds before = boundsof(*imported);
  double factor = own > 0.0 ? wanted / own : 1.0;
  const tbounds existing = boundsof(target);
  // Scaling keeps the left edge, so the shift puts it on target's right.
  double shift = existing.empty() ? 0.0 : existing.right + gap - before.left;
  for (tatm* atom : imported->atoms) {
    double x = before.left + (atom->x - before.left) * factor;
    double y = before.top + (atom->y - before.top) * factor;
    atom->setxyzraw(x + shift, y, atom->z * factor);
    atom->commit();
  }
  for (tbond* bond : imported->bonds) {
    bond->calcoffsets();
  }

  imported->transferownership(target);
  for (tatm* atom : imported->atoms) {
    fontrecord font = imported->getfontrecord(atom->fontindex);
    int index = target.fontindexof(font);
    atom->fontindex =
        static_cast<std::uint8_t>(index >= 0 && index <= 255 ? index : 0);
    target.atoms.add(atom);
    if (atom->kind == labelatomkind) {
      target.labelatoms.add(atom);
    }
  }
  for (tbond* bond : imported->bonds) {
    target.bonds.add(bond);
  }
  for (const tStructure* structure : imported->structures) {
    std::unique_ptr<tStructure> twin = structure->newempty();
    relist(*structure, *twin);
    target.mergestructure(std::move(twin));
  }
  for (const tSymbol* symbol : imported->symbols) {
    std::unique_ptr<tSymbol> twin = symbol->newsymbol();
    relist(*symbol, *twin);
    target.addsymbol(std::move(twin));
  }
  return imported->atoms.count();
}

int placebeside(tdrawing& target, std::unique_ptr<tdrawing> imported) {
  const double gap = besidegapbonds * wantedbondlength(target);
  return mergedrawing(target, std::move(imported), gap);
}

bool importdocument(const std::filesystem::path& path, trecordchoice choice) {
  std::unique_ptr<tdrawing> imported = readforcommand(path, choice).drawing;
  if (imported == nullptr) {
    return false;
  }
  session().takeundosnapshot("Import");
  tdrawing& target = *session().drawing();
  placebeside(target, std::move(imported));
  target.saved = false;
  session().repaint();
  return true;
}

}  // namespace molvane

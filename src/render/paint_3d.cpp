// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/paint_3d.h"

#include "document/drawing.h"
#include "model/atom.h"
#include "model/atom_list.h"
#include "model/bond.h"
#include "model/bond_list.h"
#include "model/rotation.h"
#include "render/atom_painter.h"
#include "render/bond_painter.h"
#include "render/view_turn.h"
#include "support/units.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <optional>
#include <string>

namespace molvane {

namespace {

/// Pixels per bond length for one ångström of radius: 1 / 1.53.
constexpr double pixelsperangstrom = 1.0 / angstromperbond;
/// Hydrogen's radius of 0.3 Å in bond lengths, and the 10 % it is
/// enlarged by so that it stays visible beside heavier atoms.
constexpr double hydrogenradius = 0.3 / angstromperbond;
constexpr double hydrogenenlargement = 1.1;
/// Radii above 2.7 Å are drawn as 2.7 Å (2.7 / 1.53 bond lengths).
constexpr double largestradius = 2.7;
constexpr double largestradiuslengths = 1.7647058823529411;
constexpr double depthpercent = 0.03;
constexpr double smallestdepthfactor = 0.1;

/// Sphere shading: the darkest shade as a share of the colour, how much
/// each disc adds to every component, and the discs' radii as shares of
/// the sphere's. The discs move towards the upper right by a step that
/// grows with the radius.
constexpr double darkestshade = 0.749;
constexpr int shadeincrement = 8;
constexpr std::array<double, 8> discshares{1.0,   0.985, 0.94, 0.866,
                                           0.766, 0.643, 0.5,  0.34};
constexpr double discstepshare = (1.0 - 0.34) * 0.05;

/// Stereo pairs: each copy is moved this share of the drawing's width to
/// its side and turned this far about the vertical axis.
constexpr double stereoshift = 0.75;
constexpr double stereoturn = 5.0;

constexpr int rodwidth = 2;
constexpr int linewidth = 2;
constexpr int thinnestline = 0;

constexpr int hydrogen = 1;
constexpr int carbon = 6;

tpoint screenof(const tatm& atom) { return {atom.sx, atom.sy}; }

bool ishydrogenorcarbon(const tatm& atom) {
  return atom.element == hydrogen || atom.element == carbon;
}

/// The element symbol over a sphere or circle, without a background; none
/// for hydrogen and carbon.
void drawfigurelabel(const tatm& atom, tcanvas& canvas,
                     const tdrawing& drawing) {
  if (ishydrogenorcarbon(atom)) {
    return;
  }
  const bool opaque = canvas.textformat().opaque;
  canvas.settextopaque(false);
  drawlabeltext(atom, canvas, atom.symbol, std::nullopt, drawing);
  canvas.settextopaque(opaque);
}

enum class tfigure { none, circle, ball, sphere };

/// What a 3D mode draws for each atom.
struct tatomstyle {
  tfigure figure = tfigure::none;
  double factor = largefigure;
  /// The element's colour, or else `fill`.
  bool elementfill = true;
  tcolour fill = whitecolour;
  /// The atom's own colour as outline, or else figuregrey.
  bool ownoutline = false;
  bool label = false;
};

tatomstyle atomstyleof(int mode) {
  tatomstyle style;
  switch (mode) {
    case 5:
      style.figure = tfigure::ball;
      style.label = true;
      break;
    case 6:
      style.figure = tfigure::circle;
      break;
    case 8:
      style.figure = tfigure::ball;
      style.factor = smallfigure;
      break;
    case 9:
    case 15:
      style.figure = tfigure::ball;
      break;
    case 10:
      style.figure = tfigure::sphere;
      break;
    case 14:
      style.figure = tfigure::sphere;
      style.label = true;
      break;
    case 11:
    case 13:
    case 20:
      style.figure = tfigure::circle;
      style.elementfill = false;
      style.ownoutline = mode == 20;
      style.label = mode != 11;
      break;
    case 16:
    case 17:
    case 18:
    case 19:
      style.figure = tfigure::sphere;
      style.elementfill = false;
      style.label = mode == 17;
      break;
    default:
      break;
  }
  return style;
}

void drawfigure(const tatm& atom, const tatomstyle& style, tcanvas& canvas,
                const tdrawing& drawing, double bondlength) {
  const tcolour fill =
      style.elementfill ? elementcolour(atom, drawing) : style.fill;
  const int r = displayradius(atom, style.factor, bondlength);
  switch (style.figure) {
    case tfigure::ball:
      // Carbon is the skeleton that the bonds show; only the other atoms
      // get balls.
      if (atom.element != carbon) {
        drawflatcircle(canvas, screenof(atom), r, fill, figuregrey);
      }
      break;
    case tfigure::circle:
      drawflatcircle(canvas, screenof(atom), r, fill,
                     style.ownoutline ? atom.colour : figuregrey);
      break;
    case tfigure::sphere:
      drawshadedsphere(canvas, screenof(atom), r, fill);
      break;
    case tfigure::none:
      break;
  }
  if (style.label) {
    drawfigurelabel(atom, canvas, drawing);
  }
}

void drawfigures(const std::vector<const tatm*>& atoms, const tatomstyle& style,
                 tcanvas& canvas, const tdrawing& drawing) {
  const double bondlength = drawing.geometry().bondlength;
  for (const tatm* atom : atoms) {
    drawfigure(*atom, style, canvas, drawing, bondlength);
  }
}

void drawrods(const std::vector<tbond*>& bonds, tcanvas& canvas,
              const tdrawing& drawing) {
  for (const tbond* bond : bonds) {
    drawtwocolourbond(*bond, canvas, rodwidth, drawing);
  }
}

void drawlines(const std::vector<tbond*>& bonds, tcanvas& canvas, int width,
               tcolour colour) {
  for (const tbond* bond : bonds) {
    drawplainbond(*bond, canvas, width, colour);
  }
}

void drawnormalbonds(const std::vector<tbond*>& bonds, tcanvas& canvas) {
  for (tbond* bond : bonds) {
    drawbond(*bond, canvas);
  }
}

/// Mode 18: the bonds in grey over white spheres, then the labels of the
/// hetero atoms with their hydrogens on top of everything.
void drawgreybondsandlabels(const std::vector<const tatm*>& atoms,
                            const std::vector<tbond*>& bonds, tcanvas& canvas,
                            const tdrawing& drawing) {
  for (tbond* bond : bonds) {
    // Each bond keeps its own colour afterwards, coloured bonds included.
    const tcolour own = bond->colour;
    bond->colour = figuregrey;
    drawbond(*bond, canvas);
    bond->colour = own;
  }
  for (const tatm* atom : atoms) {
    if (!ishydrogenorcarbon(*atom)) {
      drawlabeltext(*atom, canvas, hydrogenlabeltext(*atom), std::nullopt,
                    drawing);
    }
  }
}

void paintmode(tdrawing& drawing, tcanvas& canvas, int mode) {
  if (mode == 0) {
    drawbonds(drawing.bonds, canvas);
    drawatoms(drawing.atoms, canvas, drawing);
    return;
  }
  if (mode < 5 || mode > 20) {
    return;
  }
  const std::vector<const tatm*> atoms = atomsbydepth(drawing.atoms);
  const std::vector<tbond*> bonds = bondsbydepth(drawing.bonds);
  const tatomstyle style = atomstyleof(mode);
  switch (mode) {
    case 7:
      if (drawing.bonds.listcolour == whitecolour) {
        drawlines(bonds, canvas, linewidth, whitecolour);
      } else {
        drawrods(bonds, canvas, drawing);
      }
      break;
    case 8:
      drawlines(bonds, canvas, linewidth, figuregrey);
      drawfigures(atoms, style, canvas, drawing);
      break;
    case 11:
    case 16:
      // Full-size figures of neighbours overlap and would hide rods drawn
      // under them, so the rods go on top.
      drawfigures(atoms, style, canvas, drawing);
      drawrods(bonds, canvas, drawing);
      break;
    case 12:
      drawlines(bonds, canvas, thinnestline, blackcolour);
      break;
    case 6:
    case 15:
      drawfigures(atoms, style, canvas, drawing);
      drawnormalbonds(bonds, canvas);
      break;
    case 18:
      drawfigures(atoms, style, canvas, drawing);
      drawgreybondsandlabels(atoms, bonds, canvas, drawing);
      break;
    default:
      drawfigures(atoms, style, canvas, drawing);
      break;
  }
  // Text labels are no atoms of the model: they keep their 2D look on top.
  drawlabelatoms(drawing.labelatoms, canvas, drawing);
  resetbrush(canvas);
}

/// Moves every point of the drawing sideways by dx, for the view only.
void shiftview(tdrawing& drawing, double dx) {
  for (tatm* atom : drawing.atoms) {
    atom->x += dx;
    atom->updatescreen();
  }
}

/// Width of the chemical atoms on the screen.
int screenwidth(const tdrawing& drawing) {
  std::optional<int> left;
  std::optional<int> right;
  for (const tatm* atom : drawing.atoms) {
    if (atom->ischemical()) {
      left = std::min(left.value_or(atom->sx), atom->sx);
      right = std::max(right.value_or(atom->sx), atom->sx);
    }
  }
  return left ? *right - *left : 0;
}

void paintstereopair(tdrawing& drawing, tcanvas& canvas, int mode) {
  const double w = screenwidth(drawing);
  const tsavedview saved(drawing);
  shiftview(drawing, -stereoshift * w);
  rotatestructure(drawing, yaxis, -stereoturn);
  paintmode(drawing, canvas, mode);
  shiftview(drawing, 2.0 * stereoshift * w);
  rotatestructure(drawing, yaxis, 2.0 * stereoturn);
  paintmode(drawing, canvas, mode);
}

}  // namespace

bool isstereopair(int drawmode) { return drawmode >= stereopairmode; }

int normalviewof(int drawmode) { return drawmode % stereopairmode; }

int stereoviewof(int drawmode) {
  return normalviewof(drawmode) + stereopairmode;
}

double depthfactor(double z, double bondlength) {
  if (bondlength <= 0.0) {
    return 1.0;
  }
  return std::max(smallestdepthfactor, 1.0 + depthpercent * z / bondlength);
}

int displayradius(const tatm& atom, double factor, double bondlength) {
  const double k = depthfactor(atom.z, bondlength);
  double size = 0.0;
  if (atom.element == hydrogen) {
    size = hydrogenenlargement * k * hydrogenradius * bondlength;
  } else {
    const double a = atom.ionradius();
    size = a <= largestradius ? k * a * pixelsperangstrom * bondlength
                              : k * largestradiuslengths * bondlength;
  }
  return std::max(0, roundhalfeven(factor * size));
}

tcolour elementcolour(const tatm& atom, const tdrawing& drawing) {
  const auto index = static_cast<std::size_t>(atom.element);
  if (atom.element < 1 || index >= drawing.elementcolours.size()) {
    return figuregrey;
  }
  return drawing.elementcolours[index];
}

void drawflatcircle(tcanvas& canvas, tpoint centre, int r, tcolour fill,
                    tcolour outline) {
  setbrush(canvas, tbrushstyle::solid, fill);
  setpen(canvas, tpenstyle::solid, 1, outline);
  canvas.ellipse(centre.x - r, centre.y - r, centre.x + r + 1,
                 centre.y + r + 1);
  resetbrush(canvas);
}

void drawshadedsphere(tcanvas& canvas, tpoint centre, int r, tcolour colour) {
  if (r < smallestshadedsphere) {
    drawflatcircle(canvas, centre, r, colour, figuregrey);
    return;
  }
  std::array<int, 3> components{};
  for (std::size_t c = 0; c < components.size(); ++c) {
    components[c] = roundhalfeven(
        static_cast<double>((colour >> (8 * c)) & 0xFF) * darkestshade);
  }
  const double step = discstepshare * r;
  canvas.setpenstyle(tpenstyle::clear);
  for (std::size_t i = 0; i < discshares.size(); ++i) {
    tcolour shade = 0;
    for (std::size_t c = 0; c < components.size(); ++c) {
      if (components[c] + shadeincrement <= 0xFF) {
        components[c] += shadeincrement;
      }
      shade |= static_cast<tcolour>(components[c]) << (8 * c);
    }
    const int offset = roundhalfeven(static_cast<double>(i) * step);
    const int radius = roundhalfeven(r * discshares[i]);
    const int x = centre.x + offset;
    const int y = centre.y - offset;
    canvas.setbrushcolour(shade);
    canvas.setbrushstyle(tbrushstyle::solid);
    canvas.ellipse(x - radius, y - radius, x + radius + 1, y + radius + 1);
  }
  canvas.setpenstyle(tpenstyle::solid);
  resetbrush(canvas);
}

std::vector<const tatm*> atomsbydepth(const tAtoms& list) {
  std::vector<const tatm*> atoms;
  atoms.reserve(static_cast<std::size_t>(list.count()));
  for (const tatm* atom : list) {
    if (atom->ischemical()) {
      atoms.push_back(atom);
    }
  }
  std::stable_sort(atoms.begin(), atoms.end(),
                   [](const tatm* a, const tatm* b) { return a->z < b->z; });
  return atoms;
}

std::vector<tbond*> bondsbydepth(const tbondlist& list) {
  std::vector<tbond*> bonds;
  bonds.reserve(static_cast<std::size_t>(list.count()));
  for (tbond* bond : list) {
    if (bond->chemical != 0 && bond->atom1 != nullptr &&
        bond->atom2 != nullptr) {
      bonds.push_back(bond);
    }
  }
  // Comparing the sums of the ends' depths orders the midpoints.
  std::stable_sort(
      bonds.begin(), bonds.end(), [](const tbond* a, const tbond* b) {
        return a->atom1->z + a->atom2->z < b->atom1->z + b->atom2->z;
      });
  return bonds;
}

void paint3d(tdrawing& drawing, tcanvas& canvas, int drawmode) {
  if (isstereopair(drawmode)) {
    paintstereopair(drawing, canvas, normalviewof(drawmode));
  } else {
    paintmode(drawing, canvas, drawmode);
  }
}

}  // namespace molvane

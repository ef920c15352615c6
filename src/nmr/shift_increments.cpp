// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "nmr/shift_increments.h"

#include "nmr/nmr_graph.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>

namespace molvane {

namespace {

constexpr int carbon = 6;
constexpr int sp2 = 2;
constexpr int sp3 = 3;
constexpr int aromatic = 4;

constexpr std::array<double, 5> basebyh = {27.77, 23.46, 15.34, 6.8, -2.4};
constexpr std::array<double, 5> gammabase = {0.86, -2.07, -2.69, -2.99, -2.99};
constexpr std::array<double, 5> deltabase = {0.0, 0.0, 0.25, 0.49, 0.49};
constexpr std::array<std::array<double, 5>, 4> alphatable = {{
    {7.35, 3.96, 2.26, 0.0, 0.0},
    {14.7, 11.14, 6.6, 0.0, 0.0},
    {21.43, 16.7, 9.75, 0.0, 0.0},
    {25.48, 17.83, 9.56, 0.0, 0.0},
}};

/// Per element: alpha correction E, beta, and the gamma and delta terms as
/// offsets from the bases (absolute values for the rows marked so). Elements
/// without a row contribute nothing.
struct telementincrement {
  int element;
  double alpha;
  double beta;
  double gamma;
  double delta;
  bool gammaabsolute;
};

constexpr std::array<telementincrement, 20> increments = {{
    {1, 0.0, 0.0, 0.0, 0.0, true},
    {3, -10.225, -2.355, 4.475, 0.149, true},
    {5, -9.83, -3.46, 3.25, 0.24, false},
    {6, 0.0, 0.0, 0.0, 0.0, false},
    {7, 20.89, 1.211, -2.016, 0.162, false},
    {8, 41.892, 0.743, -2.465, -0.095, false},
    {9, 64.908, -1.227, -3.963, 0.0, false},
    {11, 0.0, 0.0, 0.0, 0.0, true},
    {13, 0.0, 0.0, 0.0, 0.0, true},
    {14, -26.664, 0.238, 0.289, 0.867, false},
    {15, -6.603, -1.107, -0.016, -0.031, false},
    {16, 1.67, -0.325, -1.049, -0.517, false},
    {17, 19.424, -1.158, 0.838, 0.0, false},
    {32, -23.436, 0.545, 0.115, 0.346, false},
    {33, 0.0, 0.0, 0.0, 0.0, true},
    {34, 0.0, 0.0, 0.0, 0.0, false},
    {35, 10.861, 1.559, -0.672, 0.0, false},
    {50, -35.221, 2.093, 0.482, 1.445, false},
    {53, -22.45, 2.346, 1.231, 0.0, false},
    {82, 29.535, 2.14, 0.199, 0.597, false},
}};

const telementincrement* incrementof(int element) {
  for (const telementincrement& row : increments) {
    if (row.element == element) {
      return &row;
    }
  }
  return nullptr;
}

double alphaelement(int element) {
  const telementincrement* row = incrementof(element);
  return row == nullptr ? 0.0 : row->alpha;
}

double betaof(int element) {
  const telementincrement* row = incrementof(element);
  return row == nullptr ? 0.0 : row->beta;
}

double gammaof(int element, int hydrogens) {
  const telementincrement* row = incrementof(element);
  if (row == nullptr) {
    return 0.0;
  }
  return row->gammaabsolute
             ? row->gamma
             : gammabase[static_cast<std::size_t>(hydrogens)] + row->gamma;
}

double deltaof(int element, int hydrogens) {
  const telementincrement* row = incrementof(element);
  if (row == nullptr) {
    return 0.0;
  }
  return row->gammaabsolute
             ? row->delta
             : deltabase[static_cast<std::size_t>(hydrogens)] + row->delta;
}

/// Column shift of the alpha table by the neighbour's group.
int alphacolumnshift(int element) {
  switch (element) {
    case 6:
    case 14:
    case 32:
      return 0;
    case 5:
    case 7:
    case 15:
      return 1;
    case 8:
    case 16:
    case 34:
    case 52:
      return 2;
    default:
      return 3;
  }
}

bool isordinary(int hybridization) {
  return hybridization == sp3 || hybridization == sp2 ||
         hybridization == aromatic;
}

/// Raises a (negative) level to at least bound: -7 is best, -1 worst.
void weakento(int& level, int bound) {
  if (level < bound) {
    level = bound;
  }
}

/// Neighbours of x other than y.
int othercount(const tnmrgraph& graph, int x, int y) {
  int count = 0;
  for (int n : graph.neighbours(x)) {
    count += n != y ? 1 : 0;
  }
  return count;
}

/// The partner across atom's only double (or triple) bond; -1 otherwise.
int partneracross(const tnmrgraph& graph, int atom, int kind) {
  int partner = -1;
  int found = 0;
  for (int bond : graph.presentbonds(atom)) {
    const tgraphbond& b = graph.bonds[static_cast<std::size_t>(bond)];
    if (!b.delocalised && b.kind == kind) {
      partner = graph.other(bond, atom);
      ++found;
    }
  }
  return found == 1 ? partner : -1;
}

}  // namespace

int smallestring(const tnmrgraph& graph, int atom) {
  int best = 0;
  std::vector<bool> onpath(graph.atoms.size(), false);
  onpath[static_cast<std::size_t>(atom)] = true;
  // Depth-first over simple paths of up to five bonds; a path that ends
  // next to the start closes a ring one atom longer than the path.
  std::function<void(int, int, int)> walk = [&](int at, int length,
                                                int firstbond) {
    for (int bond : graph.presentbonds(at)) {
      int next = graph.other(bond, at);
      if (next == atom && length >= 2 && bond != firstbond) {
        int size = length + 1;
        if (best == 0 || size < best) {
          best = size;
        }
        continue;
      }
      if (onpath[static_cast<std::size_t>(next)] || length + 1 > 5 ||
          (best != 0 && length + 2 >= best)) {
        continue;
      }
      onpath[static_cast<std::size_t>(next)] = true;
      walk(next, length + 1, at == atom ? bond : firstbond);
      onpath[static_cast<std::size_t>(next)] = false;
    }
  };
  walk(atom, 0, -1);
  return best >= 3 && best <= 6 ? best : 0;
}

double smallringcorrection(const tnmrgraph& graph, int atom, int nucleus) {
  int ring = smallestring(graph, atom);
  if (nucleus == carbon) {
    switch (ring) {
      case 3:
        return -18.8;
      case 4:
        return -3.0;
      case 5:
        return -8.3;
      case 6:
        return -2.4;
      default:
        return 0.0;
    }
  }
  if (nucleus == 1 && ring == 3) {
    return -1.31;
  }
  return 0.0;
}

tprediction TLANMR::sp3shift(const tnmrgraph& graph, int c) {
  const tprediction none{-9999.0, 0};
  const tgraphatom& node = graph.atoms[static_cast<std::size_t>(c)];
  int hc = graph.hydrogens(c);
  if (node.charge != 0 || hc < 0 || hc > 4) {
    return none;
  }
  std::vector<int> alpha = graph.neighbours(c);
  int counts[4] = {0, 0, 0, 0};  // N, O, F, I
  for (int x : alpha) {
    int e = graph.atoms[static_cast<std::size_t>(x)].element;
    counts[0] += e == 7 ? 1 : 0;
    counts[1] += e == 8 ? 1 : 0;
    counts[2] += e == 9 ? 1 : 0;
    counts[3] += e == 53 ? 1 : 0;
  }
  double n = 20.89 * counts[0];
  double o = 41.89 * counts[1];
  double f = 64.91 * counts[2];
  double i = -22.45 * counts[3];
  double shift =
      basebyh[static_cast<std::size_t>(hc)] +
      smallringcorrection(graph, c, carbon) +
      (o * o * -0.00321 - n * n * 0.00535 - f * f * 0.00263 - i * i * 0.02169);
  int level = -7;
  auto hindex = static_cast<std::size_t>(std::min(hc, 3));
  for (int x : alpha) {
    const tgraphatom& xnode = graph.atoms[static_cast<std::size_t>(x)];
    int hx = graph.hybridization(x);
    if (hx != sp3 && hx != sp2) {
      return none;
    }
    int column = graph.hydrogens(x) + alphacolumnshift(xnode.element) +
                 (hx == sp2 ? 1 : 0);
    double a = column >= 0 && column <= 4
                   ? alphatable[hindex][static_cast<std::size_t>(column)]
                   : 0.0;
    shift += a + alphaelement(xnode.element) + (hx == sp2 ? 2.0 : 0.0);
    if (xnode.element != carbon) {
      weakento(level, -4);
    }
    for (int y : graph.neighbours(x)) {
      if (y == c) {
        continue;
      }
      int ey = graph.atoms[static_cast<std::size_t>(y)].element;
      if (!isordinary(graph.hybridization(y))) {
        weakento(level, -1);
      } else {
        shift += betaof(ey);
        if (ey != carbon) {
          weakento(level, -4);
        }
      }
      for (int z : graph.neighbours(y)) {
        if (z == x) {
          continue;
        }
        int ez = graph.atoms[static_cast<std::size_t>(z)].element;
        int hz = graph.hybridization(z);
        if (!isordinary(hz)) {
          weakento(level, -3);
        } else {
          // Unsaturated gamma atoms shield a little less.
          shift += gammaof(ez, hc) - (hz == sp3 ? 0.0 : 1.0);
          if (ez != carbon) {
            weakento(level, -5);
          }
        }
        for (int w : graph.neighbours(z)) {
          if (w == y) {
            continue;
          }
          int ew = graph.atoms[static_cast<std::size_t>(w)].element;
          shift += deltaof(ew, hc);
          if (!isordinary(graph.hybridization(w))) {
            weakento(level, -4);
          } else if (ew != carbon) {
            weakento(level, -6);
          }
        }
      }
    }
  }
  return {shift, level};
}

tprediction TLANMR::sp2shift(const tnmrgraph& graph, int a) {
  int b = partneracross(graph, a, 4);
  if (b < 0) {
    return {-9999.0, 0};
  }
  bool hetero = false;
  double shift = 123.3;
  if (othercount(graph, a, b) == 2) {
    shift -= 4.8;
  }
  for (int x : graph.neighbours(a)) {
    if (x == b) {
      continue;
    }
    if (graph.atoms[static_cast<std::size_t>(x)].element == carbon) {
      shift += 10.6;
    } else {
      hetero = true;
    }
    shift += 7.2 * othercount(graph, x, a);
    for (int y : graph.neighbours(x)) {
      if (y != a) {
        shift -= 1.5 * othercount(graph, y, x);
      }
    }
  }
  if (othercount(graph, b, a) == 2) {
    shift += 2.5;
  }
  for (int x : graph.neighbours(b)) {
    if (x == a) {
      continue;
    }
    if (graph.atoms[static_cast<std::size_t>(x)].element == carbon) {
      shift -= 7.9;
    } else {
      hetero = true;
    }
    shift -= 1.8 * othercount(graph, x, b);
    for (int y : graph.neighbours(x)) {
      if (y != b) {
        shift += 1.5 * othercount(graph, y, x);
      }
    }
  }
  shift -= 0.65 * othercount(graph, a, b) * othercount(graph, b, a);
  return {shift, hetero ? 0 : -7};
}

double TLANMR::spincrement(const tnmrgraph& graph, int a, int level) {
  if (level == 0) {
    return -9999.0;
  }
  int b = partneracross(graph, a, 6);
  double sum = 0.0;
  auto side = [&](int from, int across, double beta, double gamma,
                  double delta) {
    for (int x : graph.neighbours(from)) {
      if (x == across) {
        continue;
      }
      for (int y : graph.neighbours(x)) {
        if (y == from) {
          continue;
        }
        sum += beta;
        for (int z : graph.neighbours(y)) {
          if (z == x) {
            continue;
          }
          sum -= gamma;
          for (int w : graph.neighbours(z)) {
            if (w != y) {
              sum += delta;
            }
          }
        }
      }
    }
  };
  side(a, b, 4.75, 0.13, 0.51);
  if (b >= 0) {
    side(b, a, 2.32, 1.32, 0.56);
  }
  return sum;
}

}  // namespace molvane

// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

namespace molvane {

/// Element indices: -1 is the generic substituent "R", 0 an unnamed point,
/// 1..103 the elements by atomic number. Symbols exist up to 108.
inline constexpr int firstelement = -1;
inline constexpr int lastelement = 103;
/// Mass numbers the program holds (0 is the natural mixture); every reader
/// and writer keeps to this range.
inline constexpr int mostmassnumber = 300;
inline constexpr int lastsymbol = 108;

/// One single-bond dissociation energy of the bond-energy table.
struct tbondenergyrecord {
  std::uint8_t element1;
  std::uint8_t element2;
  double energykcal;  ///< kcal/mol
};

// The raw tables behind the lookups further down. Entry i belongs to element
// i + firstelement, so "R" comes first and the unnamed point second. Where
// the data has nothing for "R" and the unnamed point (electronegativity,
// colour) the entry is 0. Code outside this unit should use the lookups,
// which check the index.

/// Symbols, -1..108; 104..108 are the placeholders "04".."08".
inline constexpr std::array<std::string_view, lastsymbol - firstelement + 1>
    elementsymbols = {
        "R",  "",   "H",  "He", "Li", "Be", "B",  "C",  "N",  "O",  "F",
        "Ne", "Na", "Mg", "Al", "Si", "P",  "S",  "Cl", "Ar", "K",  "Ca",
        "Sc", "Ti", "V",  "Cr", "Mn", "Fe", "Co", "Ni", "Cu", "Zn", "Ga",
        "Ge", "As", "Se", "Br", "Kr", "Rb", "Sr", "Y",  "Zr", "Nb", "Mo",
        "Tc", "Ru", "Rh", "Pd", "Ag", "Cd", "In", "Sn", "Sb", "Te", "I",
        "Xe", "Cs", "Ba", "La", "Ce", "Pr", "Nd", "Pm", "Sm", "Eu", "Gd",
        "Tb", "Dy", "Ho", "Er", "Tm", "Yb", "Lu", "Hf", "Ta", "W",  "Re",
        "Os", "Ir", "Pt", "Au", "Hg", "Tl", "Pb", "Bi", "Po", "At", "Rn",
        "Fr", "Ra", "Ac", "Th", "Pa", "U",  "Np", "Pu", "Am", "Cm", "Bk",
        "Cf", "Es", "Fm", "Md", "No", "Lw", "04", "05", "06", "07", "08",
};

/// Atomic masses in u, -1..103.
inline constexpr std::array<float, lastelement - firstelement + 1>
    elementmasses = {
        0.0f,     0.0f,     1.00794f, 4.0026f,  6.941f,   9.0122f,  10.811f,
        12.0112f, 14.0067f, 15.9994f, 18.9984f, 20.183f,  22.9898f, 24.312f,
        26.9815f, 28.086f,  30.9738f, 32.066f,  35.4527f, 39.948f,  39.0983f,
        40.08f,   44.956f,  47.9f,    50.942f,  51.996f,  54.9381f, 55.847f,
        58.9332f, 58.71f,   63.546f,  65.37f,   69.72f,   72.59f,   74.9216f,
        78.96f,   79.904f,  83.8f,    85.47f,   87.62f,   88.905f,  91.22f,
        92.906f,  95.84f,   99.0f,    101.07f,  102.905f, 105.4f,   107.868f,
        112.4f,   114.82f,  118.69f,  121.75f,  127.6f,   126.904f, 131.3f,
        132.905f, 137.34f,  138.91f,  140.12f,  140.907f, 144.24f,  145.0f,
        150.35f,  151.96f,  157.25f,  158.924f, 162.5f,   164.93f,  167.26f,
        168.934f, 173.04f,  174.97f,  178.49f,  180.948f, 183.85f,  186.2f,
        190.2f,   192.2f,   195.09f,  196.967f, 200.59f,  204.37f,  207.19f,
        208.98f,  210.0f,   210.0f,   222.0f,   223.0f,   226.05f,  227.0f,
        232.038f, 231.0f,   238.03f,  237.0f,   242.0f,   243.0f,   245.0f,
        245.0f,   248.0f,   253.0f,   254.0f,   256.0f,   253.0f,   257.0f,
};

/// Valences in half-bond units (carbon 8, so they add up with bond kinds),
/// -1..103.
inline constexpr std::array<std::int32_t, lastelement - firstelement + 1>
    elementvalences = {
        16, 8,  2,  0,  2,  4,  6,  8,  6,  4,  2,  0,  2,  4,  10, 8,  6,  4,
        2,  0,  2,  4,  20, 20, 20, 20, 20, 20, 20, 20, 14, 12, 10, 8,  6,  4,
        2,  0,  2,  4,  20, 20, 20, 20, 20, 20, 20, 20, 16, 16, 16, 8,  6,  4,
        2,  0,  2,  4,  28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28,
        20, 20, 20, 20, 20, 20, 20, 20, 20, 10, 8,  6,  4,  2,  0,  2,  4,  28,
        28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28,
};

/// Covalent radii in Å, -1..103.
inline constexpr std::array<double, lastelement - firstelement + 1>
    covalentradii = {
        0.0,  0.0,  0.29, 0.93, 1.52, 1.11, 0.88, 0.77, 0.7,  0.66, 0.64, 1.12,
        1.86, 1.6,  1.43, 1.17, 1.1,  1.04, 0.99, 1.54, 2.31, 1.97, 1.6,  1.46,
        1.31, 1.25, 1.29, 1.26, 1.26, 1.24, 1.28, 1.33, 1.22, 1.22, 1.21, 1.17,
        1.14, 1.69, 2.44, 2.15, 1.8,  1.57, 1.43, 1.36, 1.3,  1.33, 1.34, 1.38,
        1.44, 1.49, 1.62, 1.4,  1.41, 1.37, 1.33, 1.9,  2.62, 2.17, 1.88, 1.82,
        1.82, 1.82, 1.81, 1.81, 2.02, 1.79, 1.77, 1.77, 1.76, 1.75, 1.74, 1.93,
        1.74, 1.57, 1.46, 1.4,  1.37, 1.35, 1.35, 1.38, 1.44, 1.55, 1.71, 1.75,
        1.46, 1.4,  1.4,  2.2,  2.8,  2.35, 2.03, 1.8,  1.62, 1.53, 1.5,  1.62,
        1.84, 1.8,  1.8,  1.8,  1.8,  1.8,  1.8,  1.8,  1.8,
};

/// Pauling electronegativities, -1..103 (0 for "R", the unnamed point and
/// the noble gases).
inline constexpr std::array<float, lastelement - firstelement + 1>
    electronegativities = {
        0.0f, 0.0f, 2.2f, 0.0f, 1.0f, 1.5f, 2.0f, 2.5f, 3.0f, 3.5f, 4.0f, 0.0f,
        0.9f, 1.2f, 1.5f, 1.8f, 2.1f, 2.5f, 3.0f, 0.0f, 0.8f, 1.0f, 1.3f, 1.5f,
        1.6f, 1.6f, 1.5f, 1.8f, 1.8f, 1.8f, 1.9f, 1.6f, 1.6f, 1.8f, 2.0f, 2.4f,
        2.8f, 0.0f, 0.8f, 1.0f, 1.2f, 1.4f, 1.6f, 1.8f, 1.9f, 2.2f, 2.2f, 2.2f,
        1.9f, 1.7f, 1.7f, 1.8f, 1.9f, 2.1f, 2.5f, 0.0f, 0.7f, 0.9f, 1.1f, 1.1f,
        1.1f, 1.1f, 1.1f, 1.1f, 1.1f, 1.2f, 1.2f, 1.2f, 1.2f, 1.2f, 1.2f, 1.2f,
        1.2f, 1.3f, 1.5f, 1.7f, 1.9f, 2.2f, 2.2f, 2.2f, 2.4f, 1.9f, 1.8f, 1.8f,
        1.9f, 2.0f, 2.2f, 0.0f, 0.7f, 0.9f, 1.1f, 1.1f, 1.1f, 1.1f, 1.1f, 1.1f,
        1.1f, 1.1f, 1.1f, 1.1f, 1.1f, 1.1f, 1.1f, 1.1f, 1.1f,
};

/// Default display colours, 0x00BBGGRR, -1..103 (0 for "R" and the unnamed
/// point).
inline constexpr std::array<std::uint32_t, lastelement - firstelement + 1>
    defaultelementcolours = {
        0x000000, 0x000000, 0xAFFFFF, 0xFFFFFF, 0xBFBFBF, 0xBFBFBF, 0x7F7FFF,
        0x7F7F7F, 0xBF3F3F, 0x0000FF, 0x00FF7F, 0xFFFFFF, 0xBFBFBF, 0xBFBFBF,
        0xBFBFBF, 0x3F3F7F, 0x00007F, 0x00BFBF, 0x7FFF00, 0xFFFFFF, 0xBFBFBF,
        0xBFBFBF, 0xBFBFBF, 0xBFBFBF, 0xBFBFBF, 0x00BF00, 0xBFBFBF, 0x0000BF,
        0xFFAAAA, 0xBFBFBF, 0xBFBF00, 0xBFBFBF, 0xBFBFBF, 0xBFBFBF, 0x3F3F7F,
        0x00007F, 0x007FFF, 0xFFFFFF, 0xBFBFBF, 0xBFBFBF, 0xBFBFBF, 0xBFBFBF,
        0xBFBFBF, 0xBFBFBF, 0xBFBFBF, 0xBFBFBF, 0xBFBFBF, 0xBFBFBF, 0xBFBFBF,
        0xBFBFBF, 0xBFBFBF, 0xBFBFBF, 0xBFBFBF, 0x7F5F7F, 0x7F007F, 0xFFFFFF,
        0xBFBFBF, 0xBFBFBF, 0xBFBFBF, 0xBFBFBF, 0xBFBFBF, 0xBFBFBF, 0xBFBFBF,
        0xBFBFBF, 0xBFBFBF, 0xBFBFBF, 0xBFBFBF, 0xBFBFBF, 0xBFBFBF, 0xBFBFBF,
        0xBFBFBF, 0xBFBFBF, 0xBFBFBF, 0xBFBFBF, 0xBFBFBF, 0xBFBFBF, 0xBFBFBF,
        0xBFBFBF, 0xBFBFBF, 0xBFBFBF, 0x1FBFBF, 0xBFBFBF, 0xBFBFBF, 0xBFBFBF,
        0xBFBFBF, 0xBFBFBF, 0x7F3F7F, 0xFFFFFF, 0xBFBFBF, 0xBFBFBF, 0xBFBFBF,
        0xBFBFBF, 0xBFBFBF, 0xBFBFBF, 0xBFBFBF, 0xBFBFBF, 0xBFBFBF, 0xBFBFBF,
        0xBFBFBF, 0xBFBFBF, 0xBFBFBF, 0xBFBFBF, 0xBFBFBF, 0xBFBFBF, 0xBFBFBF,
};

/// Element symbol for -1..108 ("R", "", "H", ... "Lw", "04" ... "08");
/// "" outside that range.
std::string_view symbolof(int element);
/// The symbol as a chemist writes it today: symbolof, but "Lr" for
/// lawrencium, whose old symbol the program keeps in its own files.
std::string_view writtensymbolof(int element);
/// Atomic mass in u for -1..103; 0 outside.
float massof(int element);
/// Valence in half-bond units (carbon 8) for -1..103; 0 outside.
int valenceof(int element);
/// Covalent radius in Å for -1..103; 0 outside.
double radiusof(int element);
/// Pauling electronegativity for 1..103; 0 outside.
float electronegativityof(int element);
/// Default display colour (0x00BBGGRR) for 1..103; 0 outside.
std::uint32_t colourof(int element);
/// Single-bond dissociation energy in cal/mol of the first table record
/// that joins a and b (either order); 70000 when there is none.
double bondenergyof(int a, int b);
/// The 91 records of the bond-energy table, in table order.
std::span<const tbondenergyrecord> bondenergies();
/// Element index (1..103) whose symbol is exactly symbol (case-sensitive),
/// or 0 when there is none ("R", "" and "04".."08" give 0 too).
int elementofsymbol(std::string_view symbol);

}  // namespace molvane

// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/element_data.h"

#include <cstddef>

namespace molvane {
namespace {

// Single-bond dissociation energies in kcal/mol. Lookups take the first
// record that matches, so the order is part of the data.
constexpr std::array<tbondenergyrecord, 91> bondenergytable = {{
    {1, 1, 104.0},  {1, 3, 58.0},   {1, 6, 99.0},    {1, 7, 93.0},
    {1, 8, 111.0},  {1, 9, 135.0},  {1, 11, 47.0},   {1, 14, 70.0},
    {1, 15, 76.0},  {1, 16, 81.0},  {1, 17, 103.0},  {1, 19, 43.0},
    {1, 29, 66.0},  {1, 33, 59.0},  {1, 34, 66.0},   {1, 37, 39.0},
    {1, 35, 88.0},  {1, 52, 57.0},  {1, 55, 42.0},   {1, 53, 71.0},
    {3, 3, 25.0},   {3, 17, 115.0}, {6, 6, 83.0},    {6, 7, 91.0},
    {6, 8, 84.0},   {6, 9, 116.0},  {6, 14, 69.0},   {6, 15, 63.0},
    {6, 16, 63.0},  {6, 17, 80.0},  {6, 35, 66.0},   {6, 53, 57.0},
    {7, 7, 38.0},   {7, 8, 48.0},   {7, 9, 65.0},    {7, 14, 45.0},
    {7, 15, 50.0},  {7, 16, 49.0},  {7, 17, 48.0},   {7, 35, 58.0},
    {7, 53, 40.0},  {8, 8, 42.0},   {8, 9, 44.0},    {8, 14, 88.0},
    {8, 15, 84.0},  {8, 16, 63.0},  {8, 17, 49.0},   {8, 35, 44.0},
    {8, 53, 48.0},  {9, 9, 37.0},   {9, 14, 129.0},  {9, 15, 117.0},
    {9, 16, 68.0},  {9, 17, 61.0},  {9, 35, 57.0},   {9, 53, 77.0},
    {11, 11, 17.0}, {11, 17, 98.0}, {14, 14, 42.0},  {14, 15, 51.0},
    {14, 16, 54.0}, {14, 17, 91.0}, {14, 35, 69.0},  {14, 53, 51.0},
    {15, 15, 41.0}, {15, 16, 55.0}, {15, 17, 77.0},  {15, 35, 65.0},
    {15, 53, 51.0}, {16, 16, 63.0}, {16, 17, 66.0},  {16, 35, 51.0},
    {16, 53, 48.0}, {17, 17, 58.0}, {17, 19, 101.0}, {17, 29, 88.0},
    {17, 33, 70.0}, {17, 35, 52.0}, {17, 47, 72.0},  {17, 53, 50.0},
    {19, 19, 12.0}, {32, 32, 45.0}, {33, 33, 35.0},  {34, 34, 50.0},
    {35, 35, 46.0}, {35, 53, 43.0}, {37, 37, 11.0},  {50, 50, 39.0},
    {51, 51, 29.0}, {53, 53, 36.0}, {55, 55, 10.0},
}};

// Energy assumed for a pair the table does not know, in cal/mol.
constexpr double unknownbondenergycal = 70000.0;
constexpr double calperkcal = 1000.0;

// Element indices come from files and user input, so a bad one yields the
// table's "nothing" value instead of tripping an assertion.
template <class T, std::size_t N>
constexpr T lookup(const std::array<T, N>& table, int element) {
  const long long i = static_cast<long long>(element) - firstelement;
  if (i < 0 || i >= static_cast<long long>(N)) {
    return T{};
  }
  return table[static_cast<std::size_t>(i)];
}

static_assert(lookup(elementsymbols, lastsymbol) == "08");
static_assert(lookup(elementmasses, lastelement) == 257.0f);
static_assert(lookup(elementvalences, 6) == 8);

}  // namespace

std::string_view symbolof(int element) {
  return lookup(elementsymbols, element);
}

std::string_view writtensymbolof(int element) {
  return element == lastelement ? "Lr" : symbolof(element);
}

float massof(int element) { return lookup(elementmasses, element); }

int valenceof(int element) { return lookup(elementvalences, element); }

double radiusof(int element) { return lookup(covalentradii, element); }

float electronegativityof(int element) {
  return lookup(electronegativities, element);
}

std::uint32_t colourof(int element) {
  return lookup(defaultelementcolours, element);
}

double bondenergyof(int a, int b) {
  for (const tbondenergyrecord& record : bondenergytable) {
    const int first = record.element1;
    const int second = record.element2;
    if ((first == a && second == b) || (first == b && second == a)) {
      return record.energykcal * calperkcal;
    }
  }
  return unknownbondenergycal;
}

std::span<const tbondenergyrecord> bondenergies() { return bondenergytable; }

int elementofsymbol(std::string_view symbol) {
  for (int element = 1; element <= lastelement; ++element) {
    if (symbolof(element) == symbol) {
      return element;
    }
  }
  return 0;
}

}  // namespace molvane

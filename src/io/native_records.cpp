// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "io/native_records.h"

#include "model/atom.h"
#include "model/bond.h"
#include "model/element_data.h"
#include "support/byte_cursor.h"
#include "support/little_endian.h"

#include <algorithm>
#include <bit>
#include <cmath>

namespace molvane::detail {

namespace {

constexpr std::size_t firstcomment = 56;
/// Documents carry the program's version word: 150 today, lower numbers
/// for older releases. Later releases may raise it, but never by this much.
constexpr std::uint16_t highestversion = 999;
/// The layout byte: 1 classic, 2 wide; 0 is read as classic too.
constexpr std::uint8_t highestlayout = 2;
/// No element weighs more than this; a mass past it was never written.
constexpr double heaviestmass = 400.0;
/// Drawing coordinates are pixels; a document never holds one this far out.
constexpr double farthestcoordinate = 1.0e7;

}  // namespace

void writedouble(tbytewriter& out, double value) {
  const auto bits = std::bit_cast<std::uint64_t>(value);
  out.writeu32(static_cast<std::uint32_t>(bits));
  out.writeu32(static_cast<std::uint32_t>(bits >> 32U));
}

double readdouble(tbytecursor& in) {
  const std::uint64_t low = in.readu32();
  const std::uint64_t high = in.readu32();
  return std::bit_cast<double>(low | (high << 32U));
}

tatomrecord decodeatom(std::span<const std::uint8_t> bytes) {
  tbytecursor in(bytes);
  tatomrecord record;
  record.number = in.readu16();
  record.kind = in.readu8();
  record.sx = in.readi16();
  record.sy = in.readi16();
  in.skip(4);
  record.z = in.readi16();
  in.skip(2);
  std::array<std::uint8_t, fontrecord::recordsize> font{};
  const auto fontbytes = in.readbytes(fontrecord::recordsize);
  std::copy(fontbytes.begin(), fontbytes.end(), font.begin());
  record.font = fontrecord::frombytes(font);
  record.reservedword = in.readu16();
  record.symbol = in.readshortstring(nativesymbolfield);
  record.direction = in.readi8();
  record.colour = in.readu32();
  in.skip(4);
  record.hfree = in.readi8();
  record.valence2 = in.readi8();
  record.fcharge = in.readi8();
  record.element = in.readi8();
  record.mass = in.readreal48();
  record.labelmode = in.readu8();
  record.reservedbyte = in.readu8();
  record.align = static_cast<std::uint8_t>(in.readu16() & 0xFFU);
  return record;
}

bool tvaluerecord::finite() const {
  return std::isfinite(amount) &&
         std::all_of(values.begin(), values.end(),
                     [](double value) { return std::isfinite(value); });
}

tvaluerecord decodevalues(std::span<const std::uint8_t> bytes) {
  tbytecursor in(bytes);
  tvaluerecord record;
  in.skip(8);
  record.amount = readdouble(in);
  for (double& value : record.values) {
    value = readdouble(in);
  }
  in.skip(8);  // value 7 again
  in.skip(8);
  record.phase = in.readu8();
  record.flag = in.readu8();
  return record;
}

std::string headerproblem(std::span<const std::uint8_t> bytes) {
  const std::uint16_t version = detail::getu16(bytes.data());
  if (version == 0 || version > highestversion) {
    return "no Molvane document: its version word is " +
           std::to_string(version);
  }
  if (bytes[2] > highestlayout) {
    return "no Molvane document: its layout byte is " +
           std::to_string(bytes[2]);
  }
  // Title, author and notes each end inside their field.
  for (std::size_t field = 0; field < 3; ++field) {
    const auto text = bytes.subspan(firstcomment + field * nativecommentfield,
                                    nativecommentfield);
    if (std::find(text.begin(), text.end(), 0) == text.end()) {
      return "no Molvane document: a comment of its header is not ended";
    }
  }
  return {};
}

bool issoundatom(const tatomrecord& record) {
  const bool knownkind = record.kind == chemicalatomkind ||
                         record.kind == labelatomkind ||
                         record.kind == symbolpointkind;
  return knownkind && record.element >= firstelement &&
         record.element <= lastelement &&
         std::abs(record.fcharge) <= largestcharge &&
         (record.labelmode <= lastfiguremode ||
          record.labelmode == nonelabel) &&
         record.reservedword == 0 && record.reservedbyte == 0 &&
         record.mass >= 0.0 && record.mass <= heaviestmass;
}

bool issoundbondorder(std::uint8_t order) {
  return order % delocalisedflag <= lastbondkind &&
         order <= delocalisedflag + lastbondkind;
}

bool issoundcoordinate(double value) {
  return std::isfinite(value) && std::abs(value) <= farthestcoordinate;
}

}  // namespace molvane::detail

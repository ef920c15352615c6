// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/font.h"

#include "support/little_endian.h"

#include <algorithm>
#include <cstring>

namespace molvane {

using detail::geti16;
using detail::puti16;

std::string fontrecord::facenametext() const {
  const auto* end = std::find(facename.begin(), facename.end(), '\0');
  return {facename.begin(), end};
}

void fontrecord::setfacename(std::string_view name) {
  facename.fill('\0');
  std::size_t length = std::min(name.size(), facenamesize - 1);
  std::copy_n(name.begin(), length, facename.begin());
}

std::array<std::uint8_t, fontrecord::recordsize> fontrecord::tobytes() const {
  std::array<std::uint8_t, recordsize> bytes{};
  puti16(&bytes[0], height);
  puti16(&bytes[2], width);
  puti16(&bytes[4], escapement);
  puti16(&bytes[6], orientation);
  puti16(&bytes[8], weight);
  bytes[10] = italic;
  bytes[11] = underline;
  bytes[12] = strikeout;
  bytes[13] = charset;
  bytes[14] = outprecision;
  bytes[15] = clipprecision;
  bytes[16] = quality;
  bytes[17] = pitchandfamily;
  std::string name = facenametext();
  std::copy(name.begin(), name.end(), bytes.begin() + 18);
  return bytes;
}

fontrecord fontrecord::frombytes(
    std::span<const std::uint8_t, recordsize> bytes) {
  fontrecord record;
  record.height = geti16(&bytes[0]);
  record.width = geti16(&bytes[2]);
  record.escapement = geti16(&bytes[4]);
  record.orientation = geti16(&bytes[6]);
  record.weight = geti16(&bytes[8]);
  record.italic = bytes[10];
  record.underline = bytes[11];
  record.strikeout = bytes[12];
  record.charset = bytes[13];
  record.outprecision = bytes[14];
  record.clipprecision = bytes[15];
  record.quality = bytes[16];
  record.pitchandfamily = bytes[17];
  std::string name;
  for (std::size_t i = 18; i < recordsize && bytes[i] != 0; ++i) {
    name.push_back(static_cast<char>(bytes[i]));
  }
  record.setfacename(name);
  return record;
}

fontrecord fontrecord::standard() {
  fontrecord record;
  record.setfacename("MS Sans Serif");
  return record;
}

void tfontobject::setrecord(const fontrecord& record) {
  record_ = record;
  // Copy the face name as a zero-terminated string: bytes after the first
  // NUL never take part in comparisons.
  record_.setfacename(record.facenametext());
}

bool tfontobject::sameas(const fontrecord& record) const {
  const fontrecord& own = record_;
  return own.height == record.height && own.width == record.width &&
         own.escapement == record.escapement &&
         own.orientation == record.orientation && own.weight == record.weight &&
         own.italic == record.italic && own.underline == record.underline &&
         own.strikeout == record.strikeout && own.charset == record.charset &&
         own.outprecision == record.outprecision &&
         own.clipprecision == record.clipprecision &&
         own.quality == record.quality &&
         own.pitchandfamily == record.pitchandfamily &&
         own.facenametext() == record.facenametext();
}

tfontlist::tfontlist(const fontrecord& defaultfont)
    : defaultfont_(defaultfont) {
  append(defaultfont_);
}

// The base starts empty on purpose: the loop below fills it with copies of
// the other list's fonts rather than sharing them.
// NOLINTNEXTLINE(bugprone-copy-constructor-init)
tfontlist::tfontlist(const tfontlist& other)
    : tBaseList<tfontobject>(),
      current(other.current),
      spare(other.spare),
      defaultfont_(other.defaultfont_) {
  for (const tfontobject* font : other) {
    append(font->getrecord());
  }
}

tfontlist& tfontlist::operator=(const tfontlist& other) {
  if (this != &other) {
    freeall();
    defaultfont_ = other.defaultfont_;
    current = other.current;
    spare = other.spare;
    for (const tfontobject* font : other) {
      append(font->getrecord());
    }
  }
  return *this;
}

int tfontlist::findfont(const fontrecord& record) const {
  for (int i = 0; i < count(); ++i) {
    if (items(i)->sameas(record)) {
      return i;
    }
  }
  return -1;
}

int tfontlist::addfont(const fontrecord& record) {
  int found = findfont(record);
  if (found >= 0) {
    return found;
  }
  append(record);
  return count() - 1;
}

void tfontlist::clearfonts() {
  freeall();
  append(defaultfont_);
}

void tfontlist::freeall() {
  clear();
  while (!owned_.empty()) {
    owned_.pop_back();
  }
}

void tfontlist::append(const fontrecord& record) {
  owned_.push_back(std::make_unique<tfontobject>(record));
  add(owned_.back().get());
}

}  // namespace molvane

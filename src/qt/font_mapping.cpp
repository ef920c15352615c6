// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt/font_mapping.h"

#include "model/font.h"
#include "qt/text_conversion.h"

#include <QFontDatabase>
#include <QFontMetrics>

#include <algorithm>
#include <cmath>

namespace molvane {

namespace {

constexpr int defaultcellheight = 12;
constexpr double pixelsperinch = 96.0;
constexpr double pointsperinch = 72.0;

QString familyof(const fontrecord& record) {
  const QString face = qtstring(record.facenametext());
  if (!face.isEmpty() && QFontDatabase::hasFamily(face)) {
    return face;
  }
  return QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
}

}  // namespace

QFont qtfontof(const fontrecord& record, bool antialiased) {
  QFont font(familyof(record));
  font.setStyleHint(QFont::SansSerif);
  font.setStyleStrategy(antialiased ? QFont::PreferAntialias
                                    : QFont::NoAntialias);
  font.setWeight(record.weight == 700 ? QFont::Bold : QFont::Normal);
  font.setItalic(record.italic == 1);
  font.setUnderline(record.underline == 1);
  font.setStrikeOut(record.strikeout == 1);
  if (record.height < 0) {
    font.setPixelSize(-static_cast<int>(record.height));
    return font;
  }
  // A positive height is the whole cell, ascent plus descent: scale the em
  // so that the face's cell comes out at that height.
  const int cell = record.height == 0 ? defaultcellheight : record.height;
  font.setPixelSize(cell);
  const int measured = QFontMetrics(font).height();
  if (measured > 0 && measured != cell) {
    const double scaled = static_cast<double>(cell) * cell / measured;
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(scaled))));
  }
  return font;
}

fontrecord fontrecordof(const QFont& font, const fontrecord& base) {
  fontrecord record = base;
  record.setfacename(utf8string(font.family()));
  if (font.pixelSize() > 0) {
    record.height = static_cast<std::int16_t>(-font.pixelSize());
  } else if (font.pointSizeF() > 0) {
    record.height = static_cast<std::int16_t>(
        -std::lround(font.pointSizeF() * pixelsperinch / pointsperinch));
  }
  record.weight = static_cast<std::int16_t>(font.bold() ? 700 : 400);
  record.italic = font.italic() ? 1 : 0;
  record.underline = font.underline() ? 1 : 0;
  record.strikeout = font.strikeOut() ? 1 : 0;
  return record;
}

}  // namespace molvane

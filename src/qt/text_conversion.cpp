// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt/text_conversion.h"

#include <QByteArray>
#include <QFile>

namespace molvane {

QString qtstring(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::string utf8string(const QString& text) {
  const QByteArray bytes = text.toUtf8();
  return {bytes.constData(), static_cast<std::size_t>(bytes.size())};
}

std::filesystem::path pathof(const QString& name) {
  const QByteArray bytes = QFile::encodeName(name);
  return std::filesystem::path(
      std::string(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

QString qtpath(const std::filesystem::path& path) {
  const std::string& native = path.native();
  return QFile::decodeName(
      QByteArray(native.data(), static_cast<qsizetype>(native.size())));
}

}  // namespace molvane

// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "qt/picture_export.h"

#include <QString>

#include <optional>

class QWidget;

namespace molvane {

/// A picture file to export and how to paint it.
struct tpicturechoice {
  QString name;
  tpictureoptions options;
};

/// Asks for the picture file (.png, .svg, .bmp or .jpg), then for its size
/// (a width and height to fit, or a scale and print resolution), whether
/// labels are coloured by element (start) and whether lines are smooth.
/// Nullopt on Cancel.
std::optional<tpicturechoice> askpicture(QWidget* parent, const QString& start,
                                         const tpictureoptions& initial);

}  // namespace molvane

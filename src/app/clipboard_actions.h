// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "render/paint_drawing.h"

#include <memory>
#include <string>
#include <vector>

class QMimeData;

namespace molvane {

class tdrawing;

/// What Copy puts on the clipboard for drawing (its selected atoms when
/// there are any): a PNG and an SVG picture (with notes beside the atoms),
/// the molfile as chemical/x-mdl-molfile and as plain text, and SMILES as
/// chemical/x-daylight-smiles when the structure can be written so. Null
/// with problem set when there is nothing to copy.
std::unique_ptr<QMimeData> structuremimedata(const tdrawing& drawing,
                                             std::vector<tatomnote> notes,
                                             std::string& problem);

/// Copy: structuremimedata of the current drawing to the clipboard; warns
/// when there is nothing to copy.
void copystructure(std::vector<tatomnote> notes = {});

/// Copy InChI: the standard InChI of the current drawing (its selected
/// atoms when there are any) to the clipboard as text; warns with the
/// reason when the drawing has none.
void copyinchi();

/// Paste: the first of a molfile, CML, SMILES or plain text the data
/// holds, through pastestructure. Returns whether atoms were added.
bool pastemimedata(const QMimeData& data);

/// Paste from the system clipboard.
bool pasteclipboard();

}  // namespace molvane

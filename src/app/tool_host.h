// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <functional>

class QMainWindow;
class QPoint;
class QWidget;

namespace molvane {

class tatm;
class tStructure;
class tcanvas;
class tdialogs;
struct tsettingsfile;

/// Where the main window sends the mouse; the numbers are the program's
/// own editor mode codes.
enum class teditormode {
  drawing = 0,  ///< the command dispatcher
  atomeditor = 1,
  bondeditor = 2,
  groupeditor = 3,
  symboleditor = 4,
  texteditor = 5,
  measure = 7,
  atomtool = 8,  ///< adding or branching the periodic table's element
  nmr = 10,
};

/// What a tool window may ask of the window that shows the drawing. Tool
/// windows (editors, palettes, the 3D windows, the settings) hold one of
/// these instead of the main window, so that they see only this much of it.
class ttoolhost {
 public:
  virtual ~ttoolhost() = default;

  /// The window the tool windows belong to; its menu bar shows an editor's
  /// own menu while the editor is in use.
  virtual QMainWindow& hostwindow() = 0;
  /// The widget the drawing is shown in; clicks come in its coordinates.
  virtual QWidget& drawingarea() = 0;
  /// Where an atom is shown in the drawing area, through the view's zoom,
  /// pan and turn.
  virtual QPoint windowpointof(const tatm& atom) const = 0;
  /// The questions asked in dialogs (tests answer them from a script).
  virtual tdialogs& dialogs() const = 0;
  /// The program's data folder, which holds the tables the tools keep.
  virtual const std::filesystem::path& datafolder() const = 0;

  /// The settings kept in the settings file (polish switch, palette
  /// places); a tool that changes them calls keepprogramsettings.
  virtual tsettingsfile& programsettings() = 0;
  /// Writes the settings file; a failure is shown in the status bar.
  virtual void keepprogramsettings() = 0;
  /// Where the mouse goes.
  virtual teditormode editormode() const = 0;
  virtual void seteditormode(teditormode mode) = 0;
  /// No command, mode 0 with the main menu, nothing selected, repainted.
  virtual void returntodrawingmode() = 0;

  /// The command code the next click in the drawing runs; 0 for none.
  virtual int commandcode() const = 0;
  virtual void choosecommand(int code) = 0;

  /// Paints the current drawing again.
  virtual void repaintdrawing() = 0;
  /// What a tool paints over the drawing on every repaint, in drawing
  /// coordinates, until it sets an empty painter. It is given the canvas
  /// after the drawing was painted.
  virtual void setoverlaypainter(std::function<void(tcanvas&)> painter) = 0;
  /// After an edit that took an undo copy: the drawing is unsaved and Undo
  /// is offered.
  virtual void markmodified() = 0;
  /// After New or Open: another drawing is shown and there is nothing to
  /// undo in it yet.
  virtual void drawingreplaced() = 0;
  /// For a drawing just opened or imported: shown whole and not turned.
  virtual void showwholedrawing() = 0;
  /// After a 3D model was built or changed, or its draw mode changed: the
  /// model fitted to the window and centred (never enlarged past
  /// largestfitzoom), the turn of the view kept.
  virtual void fitmodel() = 0;
  /// After a 3D model was built or changed: turned so that no atom hides
  /// another in the current draw mode, then fitted as fitmodel does.
  virtual void showmodel() = 0;
  /// After a command moved or scaled the drawing: panned back into view.
  virtual void keepdrawinginview() = 0;
  /// Shows the help page of a context number.
  virtual void showhelp(int context) = 0;
  /// While a long run (the optimizer) holds pointers into the drawing, no
  /// menu, shortcut, click or close of the main window may edit, replace or
  /// close it; setbusy(false) gives everything back as it was.
  virtual void setbusy(bool busy) = 0;
  /// The molecular data window on one structure of the current drawing.
  virtual void showproperties(tStructure& structure) = 0;

  /// The File menu's Print: the window's picture on one page.
  virtual void printwindow() = 0;
  /// The picture the drawing area shows, to the clipboard.
  virtual void copywindow() = 0;
  /// The drawing alone, cropped to what it covers, to the clipboard.
  virtual void copydrawing() = 0;
};

}  // namespace molvane

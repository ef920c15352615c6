// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/recent_files.h"
#include "commands/record_choice.h"
#include "io/read_result.h"
#include "io/settings_file.h"
#include "render/paint_drawing.h"

#include <QString>

#include <filesystem>
#include <string>
#include <vector>

class QAction;
class QImage;
class QMenu;
class QPrinter;

namespace molvane {

class ttoolhost;

/// The window title for a document name: "Molvane 3D [ NAME ]", with a
/// "*" after the name while the drawing holds unsaved work.
QString windowcaption(const std::string& filename, bool modified = false);

/// The File menu's document actions: new, open, import, save, comments,
/// copy, print and the recent files. Every way of opening a document (the
/// Open dialog, a recent file, the command line) goes through openfile.
class tfileactions {
 public:
  /// shown is the picture the window shows (printed and copied as it is);
  /// the recent files are kept in datafolder.
  tfileactions(ttoolhost& host, const QImage& shown,
               std::filesystem::path datafolder);

  const trecentfiles& recentfiles() const { return recents_; }
  /// The settings file as read at the start (its undo limits are the
  /// session's) and kept since.
  const tsettingsfile& settingsfile() const { return settingsfile_; }
  tsettingsfile& settingsfile() { return settingsfile_; }
  /// Writes the settings file; a failure is shown in the status bar.
  void savesettings();
  /// The lines of the settings file that were ignored, and why.
  const std::vector<std::string>& settingsproblems() const {
    return settingsproblems_;
  }
  /// The folder the dialogs open in: the last one used, else the data
  /// folder.
  std::filesystem::path startfolder() const;
  /// Lists the recent files at the end of menu, after a separator, and
  /// keeps the list up to date.
  void addrecentmenu(QMenu& menu);

  /// Before unsaved work would be lost: Save (then true only when it was
  /// saved), Discard (true) or Cancel (false). True at once when nothing
  /// is unsaved.
  bool mayloseunsavedwork();
  void newdrawing();
  /// Asks before replacing unsaved work, then asks for the file to open.
  void open();
  /// Opens a document. A whole document joins the recent files and names
  /// the window; a damaged one leaves the window as it was (nothing read)
  /// or opens untitled (read in part).
  treadextent openfile(const QString& name, trecordchoice records = {});
  /// The recent file at index, after "Replace Current Drawing? ".
  void openrecent(int index);
  void import();
  bool importfile(const QString& name, trecordchoice records = {});
  /// Saves under its name, or through Save As when it has none yet.
  void save();
  void saveas();
  /// Saves under name; filter 2, 3, 4 add an XYZ table, a BMP or a JPEG
  /// picture beside the document.
  bool savefile(const QString& name, int filter = 1);
  /// Export Picture: the drawing to a picture file of the chosen name and
  /// size; a failure is shown as a warning.
  void exportpicturefile();
  /// Saves a drawing with unsaved atoms (through Save As when untitled).
  void savemodified();
  void editcomments();
  /// The picture the window shows to the clipboard; the drawing (or its
  /// selection) as pictures (with notes beside its atoms) and chemistry.
  void copyimage();
  void copydrawing(std::vector<tatomnote> notes = {});
  /// The drawing, with notes beside its atoms, through the Print dialog,
  /// on printer, or in the Print Preview dialog.
  void print(const std::vector<tatomnote>& notes = {});
  void printto(QPrinter& printer, const std::vector<tatomnote>& notes = {});
  void printpreview(const std::vector<tatomnote>& notes = {});
  /// Names the window after the current drawing and marks unsaved work.
  void setcaption();

 private:
  /// Says in the status bar which records of a file of several were taken.
  void showrecords(const std::filesystem::path& path, trecordchoice records);
  void addrecent(const std::string& name);
  /// The folder of file becomes the last folder used, kept in the
  /// settings file.
  void rememberfolder(const std::filesystem::path& file);
  void refreshrecentmenu();

  ttoolhost& host_;
  const QImage& shown_;
  std::filesystem::path datafolder_;
  trecentfiles recents_;
  tsettingsfile settingsfile_;
  std::vector<std::string> settingsproblems_;
  QMenu* recentmenu_ = nullptr;
  QAction* recentseparator_ = nullptr;
  std::vector<QAction*> recentactions_;
};

}  // namespace molvane

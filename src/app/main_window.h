// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/recent_files.h"
#include "commands/click_target.h"
#include "commands/dispatcher.h"
#include "commands/undo_item.h"
#include "document/messages.h"
#include "io/defaults_record.h"

#include <QFont>
#include <QImage>
#include <QMainWindow>
#include <QPoint>
#include <QRect>
#include <QString>

#include <filesystem>
#include <memory>
#include <optional>

class QAction;
class QMenu;
class QPrinter;
class QProgressBar;

namespace molvane {

class TAnimator;
class TFunctions3D;
class tdrawingview;
class teditorwindows;
class thelpwindow;

/// The file choices the window asks the user for. The window owns one;
/// tests replace it so that no modal dialog ever opens.
class tdialogs {
 public:
  virtual ~tdialogs() = default;
  /// A file to open or import; nullopt on Cancel.
  virtual std::optional<QString> openname(QWidget* parent,
                                          const QString& title);
  /// A file to save and the 1-based index of the chosen filter.
  struct tsavechoice {
    QString name;
    int filter = 1;
  };
  virtual std::optional<tsavechoice> savename(QWidget* parent,
                                              const QString& start);
  virtual bool print(QWidget* parent, QPrinter& printer);
  /// Edits the drawing's title, author and notes; false on Cancel.
  virtual bool comments(QWidget* parent);
  virtual void settings(QWidget* parent);
  /// A font chosen from start; nullopt on Cancel.
  virtual std::optional<QFont> font(QWidget* parent, const QFont& start);
};

/// What the status bar shows while no command is chosen.
inline constexpr const char* helphint = "Type F1 for Help";

/// The filters of the save dialog, in the order of their indexes 1 .. 7.
QString savefilters();

/// The program's main window: it paints the current drawing, turns menu
/// choices into command codes and clicks into commands, and reports the
/// session's messages in message boxes.
class TMolvane3D final : public QMainWindow,
                         public tmessages,
                         public tprogress {
 public:
  /// Reads the defaults and the recent files in datafolder (created when
  /// missing) and installs itself as the session's messages, progress and
  /// repaint hook.
  explicit TMolvane3D(const std::filesystem::path& datafolder,
                      QWidget* parent = nullptr);
  ~TMolvane3D() override;

  // tmessages
  void inform(const std::string& text) override;
  void warn(const std::string& text) override;
  void error(const std::string& text) override;
  bool confirm(const std::string& text) override;
  // tprogress
  void setrange(int minimum, int maximum) override;
  void step(int amount) override;
  void reset() override;

  void setdialogs(std::unique_ptr<tdialogs> dialogs);
  tdialogs& dialogs() const { return *dialogs_; }

  /// The window title for a document name: "Molvane 3D [ NAME ]".
  static QString captionfor(const std::string& filename);

  int commandcode() const { return state_.commandcode; }
  int editormode() const { return editormode_; }
  tcommandstate& commandstate() { return state_; }
  const std::filesystem::path& datafolder() const { return datafolder_; }
  tdefaultsrecord& defaults() { return defaults_; }
  const trecentfiles& recentfiles() const { return recents_; }
  tdrawingview& view() const { return *view_; }
  QAction* undoaction() const { return undoaction_; }
  QAction* resetaction() const { return resetaction_; }
  /// The last right-click choice (the editors that open on it come later).
  const tclicktarget& lastclicktarget() const { return lastclick_; }

  /// Renders the drawing into the window's buffer and schedules a paint.
  void repaintdrawing();
  /// The image the window shows.
  const QImage& buffer() const { return buffer_; }

  // Commands of the menus, callable without dialogs.
  void choosecommand(int code);
  void resetcommand();
  void toggleundo();
  void newdrawing();
  bool openfile(const QString& name);
  bool importfile(const QString& name);
  /// Saves under name; filter 2, 3, 4 add an XYZ table, a BMP or a JPEG
  /// picture beside the document.
  bool savefile(const QString& name, int filter = 1);
  void addrecent(const std::string& name);
  void openrecent(int index);
  void copyimage();
  void copydrawing();
  void printto(QPrinter& printer);
  void savedefaults();
  /// Marks the drawing modified after a command that took a snapshot.
  void markmodified();

  /// The tool windows of the atom, symbol and text editors.
  teditorwindows& editors();
  /// Where the mouse goes: 0 drawing, 1 atom editor, 4 symbol editor, 5
  /// text editor, 8 atom tool, ...; editor modes show their own menu.
  void seteditormode(int mode);
  /// When an editor closes: no command, mode 0 with the main menu, nothing
  /// selected, repainted.
  void returntodrawingmode();

  /// The "3D Views" window and the animator, made on first use.
  TFunctions3D& views3d();
  TAnimator& animator();
  void showviews3d();
  /// The File menu's "3D DrawMode" item.
  QAction* build3daction() const { return build3daction_; }
  /// The draw-mode handlers, `Normal1Click` to `BWSpheres1Click` (the
  /// table drawmodehandlers): the drawing takes mode and is repainted.
  void choosedrawmode(int mode);
  /// The drawing's mode without, or with, its stereo pair.
  void NormalView1Click();
  void StereoView1Click();

  // Mouse and keyboard, in client coordinates of the drawing view.
  void leftdown(QPoint point);
  void leftmove(QPoint point);
  void leftup(QPoint point);
  void rightup(QPoint point, Qt::KeyboardModifiers modifiers);
  void keyup(int key, Qt::KeyboardModifiers modifiers, QPoint cursor);
  std::optional<QRect> rubberband() const;

  /// Applies the Settings dialog's choices (indexes of their lists).
  void setlinewidth(int index);
  void setscale(int index);
  void setjump(int index);
  void setdoublebond(int index);
  void setnmr(int index);

  void showhelp(int context);
  /// The help window; null until help was first shown.
  thelpwindow* helpwindow() const { return help_; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void buildmenus();
  void buildfilemenu(QMenu& menu);
  void buildhelpmenu(QMenu& menu);
  void buildtoolbar();
  void refreshrecentmenu();
  void setcaption();
  void showcommand();
  /// The Undo item shows the state of undo_.
  void showundo();
  void save();
  void saveas();
  void open();
  void import();
  void exit();
  void editcomments();
  void print();
  /// Saves a modified drawing that has atoms (through Save As when it has
  /// no name yet).
  void savemodified();
  void movedrawing(double dx, double dy);

  std::filesystem::path datafolder_;
  tdefaultsrecord defaults_;
  trecentfiles recents_;
  tcommandstate state_;
  int editormode_ = 0;
  tundoitem undo_;
  std::unique_ptr<tdialogs> dialogs_;
  TFunctions3D* views3d_ = nullptr;
  TAnimator* animator_ = nullptr;
  QAction* build3daction_ = nullptr;
  std::unique_ptr<teditorwindows> editors_;
  tdrawingview* view_ = nullptr;
  QImage buffer_;
  QAction* undoaction_ = nullptr;
  QAction* resetaction_ = nullptr;
  QAction* nmraction_ = nullptr;
  QAction* recentseparator_ = nullptr;
  QMenu* filemenu_ = nullptr;
  std::vector<QAction*> recentactions_;
  QProgressBar* progressbar_ = nullptr;
  thelpwindow* help_ = nullptr;
  QRect band_;
  bool dragging_ = false;
  bool exiting_ = false;
  tclicktarget lastclick_;
};

}  // namespace molvane

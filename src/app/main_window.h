// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/tool_host.h"
#include "app/window_dialogs.h"
#include "commands/click_target.h"
#include "commands/dispatcher.h"
#include "commands/hydrogen_commands.h"
#include "commands/undo_item.h"
#include "document/messages.h"
#include "render/paint_drawing.h"

#include <QImage>
#include <QMainWindow>
#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QString>

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QAction;
class QMenu;
class QProgressBar;

namespace molvane {

class TAnimator;
class TMetricTool;
class TMolecularData;
class TNMRTool;
class TReactionTool;
class TStopTool;
class TFunctions3D;
class tdrawingview;
class teditorwindows;
class tfileactions;
class thelpwindow;
class tsettingsactions;

/// What the status bar shows while no command is chosen.
inline constexpr const char* helphint = "Type F1 for Help";

/// The program's main window: it paints the current drawing, turns menu
/// choices into command codes and clicks into commands, and reports the
/// session's messages in message boxes.
class TMolvane3D final : public QMainWindow,
                         public ttoolhost,
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
  void errordetail(const std::string& text, const std::string& detail) override;
  tsaveanswer asktosave(const std::string& text) override;
  // tprogress
  void setrange(int minimum, int maximum) override;
  void step(int amount) override;
  void reset() override;

  void setdialogs(std::unique_ptr<tdialogs> dialogs);

  // ttoolhost
  QMainWindow& hostwindow() override { return *this; }
  QWidget& drawingarea() override;
  tdialogs& dialogs() const override { return *dialogs_; }
  teditormode editormode() const override { return editormode_; }
  /// Editor modes show their own menu.
  void seteditormode(teditormode mode) override;
  void returntodrawingmode() override;
  int commandcode() const override { return state_.commandcode; }
  void choosecommand(int code) override;
  /// Renders the drawing into the window's buffer and schedules a paint.
  void repaintdrawing() override;
  void setoverlaypainter(std::function<void(tcanvas&)> painter) override;
  /// The tool's painter over the drawing; empty for none.
  const std::function<void(tcanvas&)>& overlaypainter() const {
    return overlaypainter_;
  }
  /// Marks the drawing modified after a command that took a snapshot.
  void markmodified() override;
  void drawingreplaced() override;
  tsettingsfile& programsettings() override;
  void keepprogramsettings() override;
  void showwholedrawing() override;
  void fitmodel() override;
  void showmodel() override;
  void keepdrawinginview() override;
  QPoint windowpointof(const tatm& atom) const override;
  void showhelp(int context) override;
  void setbusy(bool busy) override;
  void showproperties(tStructure& structure) override;
  bool busy() const { return busy_; }
  void printwindow() override;
  void copywindow() override;
  void copydrawing() override;
  /// Paste of a structure from the clipboard.
  void pastefromclipboard();

  tcommandstate& commandstate() { return state_; }
  const std::filesystem::path& datafolder() const override {
    return datafolder_;
  }
  tdrawingview& view() const { return *view_; }
  QAction* undoaction() const { return undoaction_; }
  QAction* redoaction() const { return redoaction_; }
  QAction* resetaction() const { return resetaction_; }
  /// The last right-click choice (the editors that open on it come later).
  const tclicktarget& lastclicktarget() const { return lastclick_; }
  /// The image the window shows.
  const QImage& buffer() const { return buffer_; }

  /// The File menu's document actions and the Settings dialog's choices.
  tfileactions& files() { return *files_; }
  tsettingsactions& settings() { return *settings_; }

  void resetcommand();
  /// Edit/Undo and Edit/Redo: one step of the history back or forward.
  void undoedit();
  void redoedit();
  /// The Undo and Redo items and the title follow the history and the
  /// modified mark.
  void showundo();

  /// The tool windows of the atom, symbol and text editors.
  teditorwindows& editors();

  /// The "3D Views" window and the animator, made on first use.
  TFunctions3D& views3d();
  TAnimator& animator();
  /// The optimizer window, made on first use.
  TStopTool& stoptool();
  /// The measurement tool and the molecular data window, made on first use.
  TMetricTool& metrictool();
  TMolecularData& moleculardata();
  /// The NMR tool, made with the window.
  TNMRTool& nmrtool() const { return *nmrtool_; }
  /// "NMR Shifts...": the NMR tool on the current drawing.
  void opennmrtool();
  /// "NMR Shifts..." is offered while a nucleus is chosen and the tool is
  /// closed.
  void shownmraction();
  /// The NMR tool's labels while it is open; none otherwise.
  std::vector<tatomnote> shiftlabels() const;
  QAction* nmraction() const { return nmraction_; }
  /// The reaction tool, made on first use.
  TReactionTool& reactiontool();
  void showviews3d();
  /// The File menu's "3D DrawMode" item.
  QAction* build3daction() const { return build3daction_; }

  // Mouse and keyboard, in client coordinates of the drawing view.
  void leftdown(QPoint point);
  void leftmove(QPoint point);
  void leftup(QPoint point);
  void rightup(QPoint point, Qt::KeyboardModifiers modifiers);
  void keyup(int key, Qt::KeyboardModifiers modifiers, QPoint cursor);
  std::optional<QRect> rubberband() const;

  /// The help window; null until help was first shown.
  thelpwindow* helpwindow() const { return help_; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void buildmenus();
  void buildfilemenu(QMenu& menu);
  void buildhelpmenu(QMenu& menu);
  void buildtoolbar();
  void showcommand();
  void buildstatusbar();
  /// The first problem of the settings file, on the status bar.
  void showsettingsproblems();
  /// An Add Hs or Make 3D item: runs it, fits a new model to the view and
  /// says on the status bar what the run did.
  void runhydrogenaction(thydrogencommand command);
  /// What the last right click picked, briefly on the status bar.
  void showclicktarget();
  void exit();

  std::filesystem::path datafolder_;
  tcommandstate state_;
  teditormode editormode_ = teditormode::drawing;
  std::unique_ptr<tdialogs> dialogs_;
  std::unique_ptr<tsettingsactions> settings_;
  std::unique_ptr<tfileactions> files_;
  TFunctions3D* views3d_ = nullptr;
  TAnimator* animator_ = nullptr;
  TStopTool* stoptool_ = nullptr;
  TMetricTool* metrictool_ = nullptr;
  TMolecularData* moleculardata_ = nullptr;
  std::function<void(tcanvas&)> overlaypainter_;
  bool busy_ = false;
  /// The actions a run switched off, to switch on again after it.
  std::vector<QPointer<QAction>> pausedactions_;
  TNMRTool* nmrtool_ = nullptr;
  TReactionTool* reactiontool_ = nullptr;
  QAction* build3daction_ = nullptr;
  std::unique_ptr<teditorwindows> editors_;
  tdrawingview* view_ = nullptr;
  QImage buffer_;
  QAction* undoaction_ = nullptr;
  QAction* redoaction_ = nullptr;
  QAction* resetaction_ = nullptr;
  QAction* nmraction_ = nullptr;
  QProgressBar* progressbar_ = nullptr;
  thelpwindow* help_ = nullptr;
  QRect band_;
  bool dragging_ = false;
  bool exiting_ = false;
  tclicktarget lastclick_;
};

}  // namespace molvane

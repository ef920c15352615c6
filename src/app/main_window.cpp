// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/main_window.h"

#include "app/animator.h"
#include "app/clipboard_actions.h"
#include "app/drawing_view.h"
#include "app/editor_windows.h"
#include "app/file_actions.h"
#include "app/group_editor.h"
#include "app/help_window.h"
#include "app/main_menu.h"
#include "app/metric_tool.h"
#include "app/molecular_data.h"
#include "app/nmr_tool.h"
#include "app/periodic_table.h"
#include "app/reaction_tool.h"
#include "app/settings_actions.h"
#include "app/stop_tool.h"
#include "app/symbol_tool.h"
#include "app/text_editor.h"
#include "app/views_3d.h"
#include "commands/clean_2d.h"
#include "commands/command_codes.h"
#include "commands/command_table.h"
#include "commands/drawing_settings.h"
#include "commands/key_edits.h"
#include "commands/save_name.h"
#include "document/drawing.h"
#include "document/session.h"
#include "model/element_data.h"
#include "qt/qt_canvas.h"
#include "qt/text_conversion.h"
#include "render/paint_drawing.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QStatusBar>
#include <QToolBar>

#include <algorithm>
#include <array>
#include <system_error>

namespace molvane {

namespace {

constexpr int windowwidth = 650;
constexpr int windowheight = 528;
/// The edit key of a Qt key: upper-case letters, digits, signs and Delete;
/// 0 for keys without an edit.
char editkeyof(int key) {
  if (key >= Qt::Key_A && key <= Qt::Key_Z) {
    return static_cast<char>('A' + (key - Qt::Key_A));
  }
  if (key >= Qt::Key_0 && key <= Qt::Key_9) {
    return static_cast<char>('0' + (key - Qt::Key_0));
  }
  switch (key) {
    case Qt::Key_Plus:
      return '+';
    case Qt::Key_Minus:
      return '-';
    case Qt::Key_Delete:
      return deletekey;
    default:
      return 0;
  }
}

}  // namespace

TMolvane3D::TMolvane3D(const std::filesystem::path& datafolder, QWidget* parent)
    : QMainWindow(parent),
      datafolder_(datafolder),
      dialogs_(std::make_unique<tdialogs>()) {
  std::error_code ignored;
  std::filesystem::create_directories(datafolder_, ignored);
  tsession& current = session();
  current.setmessages(this);
  current.setprogress(this);
  current.setrepaint([this] { repaintdrawing(); });
  current.setprocessmessages([] { QApplication::processEvents(); });

  settings_ = std::make_unique<tsettingsactions>(*this, datafolder_);
  current.settings.build3d = false;
  current.newdrawing();
  files_ = std::make_unique<tfileactions>(*this, buffer_, datafolder_);

  view_ = new tdrawingview(*this);
  setCentralWidget(view_);
  buildmenus();
  buildtoolbar();
  buildstatusbar();
  resize(windowwidth, windowheight);
  nmrtool_ = new TNMRTool(*this, datafolder_);
  nmrtool_->shownchanged = [this] { shownmraction(); };
  settings_->nucleuschanged = [this] {
    nmrtool_->changenucleus();
    shownmraction();
  };
  shownmraction();
  files_->setcaption();
  showcommand();
  view_->setFocus();
  if (!settings_->loaderror().empty()) {
    warn(settings_->loaderror());
  }
  showsettingsproblems();
}

TMolvane3D::~TMolvane3D() {
  // The tool windows call back into the window; they go first.
  delete metrictool_;
  delete moleculardata_;
  editors_.reset();
  // So do the animator, whose frames repaint the window, and the 3D Views.
  delete animator_;
  delete views3d_;
  delete stoptool_;
  delete nmrtool_;
  delete reactiontool_;
  tsession& current = session();
  current.setmessages(nullptr);
  current.setprogress(nullptr);
  current.setrepaint({});
  current.setprocessmessages({});
}

void TMolvane3D::setdialogs(std::unique_ptr<tdialogs> dialogs) {
  dialogs_ = std::move(dialogs);
}

QWidget& TMolvane3D::drawingarea() { return *view_; }

void TMolvane3D::buildmenus() {
  QMenuBar& bar = *menuBar();
  bar.setObjectName(QStringLiteral("MainMenu1"));
  buildfilemenu(*bar.addMenu(QStringLiteral("&File")));

  resetaction_ = bar.addAction(QStringLiteral("Reset"));
  resetaction_->setEnabled(false);
  connect(resetaction_, &QAction::triggered, this, [this] { resetcommand(); });

  QMenu& edit = *bar.addMenu(QStringLiteral("Edit"));
  undoaction_ = edit.addAction(QStringLiteral("Undo"));
  undoaction_->setShortcut(QKeySequence::Undo);
  undoaction_->setEnabled(false);
  connect(undoaction_, &QAction::triggered, this, [this] { undoedit(); });
  redoaction_ = edit.addAction(QStringLiteral("Redo"));
  redoaction_->setShortcuts({QKeySequence(QStringLiteral("Ctrl+Shift+Z")),
                             QKeySequence(QStringLiteral("Ctrl+Y"))});
  redoaction_->setEnabled(false);
  connect(redoaction_, &QAction::triggered, this, [this] { redoedit(); });
  // Edits that bypass markmodified still show in the items.
  connect(&edit, &QMenu::aboutToShow, this, [this] { showundo(); });
  edit.addSeparator();
  // Copy takes the drawing, or its selection, as pictures and chemistry.
  QAction* copy = edit.addAction(QStringLiteral("Copy"));
  copy->setShortcut(QKeySequence::Copy);
  copy->setShortcutContext(Qt::WindowShortcut);
  connect(copy, &QAction::triggered, this, [this] { copydrawing(); });
  // The editors swap the menu bar; Ctrl+C still reaches the window.
  addAction(copy);
  QAction* inchi = edit.addAction(QStringLiteral("Copy InChI"));
  connect(inchi, &QAction::triggered, this, [] { copyinchi(); });
  QAction* paste = edit.addAction(QStringLiteral("Paste"));
  paste->setShortcut(QKeySequence::Paste);
  connect(paste, &QAction::triggered, this, [this] { pastefromclipboard(); });

  auto choose = [this](QAction* action) {
    choosecommand(commandcodeof(action));
  };
  view_->buildmenu(*bar.addMenu(QStringLiteral("&View")));

  QMenu& atom = *bar.addMenu(QStringLiteral("&Atom"));
  QAction* add = atom.addAction(QStringLiteral("Add ..."));
  connect(add, &QAction::triggered, this,
          [this] { editors().periodictable().openadd(); });
  QAction* branch = atom.addAction(QStringLiteral("Branch ..."));
  connect(branch, &QAction::triggered, this,
          [this] { editors().periodictable().openbranch(); });
  addatommenu(atom, choose);
  atom.addSeparator();
  const std::array<std::pair<const char*, thydrogencommand>, 4> hydrogens{{
      {"Add Hs &2D", thydrogencommand::add2d},
      {"Add Hs &3D", thydrogencommand::add3d},
      {"&Make 3D", thydrogencommand::make3d},
      {"Remove Hs", thydrogencommand::remove},
  }};
  for (const auto& [caption, command] : hydrogens) {
    QAction* action = atom.addAction(QString::fromUtf8(caption));
    connect(action, &QAction::triggered, this,
            [this, command = command] { runhydrogenaction(command); });
  }
  atom.addSeparator();
  QAction* clean = atom.addAction(QStringLiteral("Clean 2D"));
  clean->setShortcut(QKeySequence(QStringLiteral("Ctrl+Shift+L")));
  connect(clean, &QAction::triggered, this, [this] {
    resetcommand();
    if (clean2dcommand()) {
      markmodified();
    }
  });
  addbranchmenu(*bar.addMenu(QStringLiteral("&Branch")), choose);
  addchainmenu(*bar.addMenu(QStringLiteral("Chain")), choose);
  addringmenu(*bar.addMenu(QStringLiteral("&Ring")), choose);
  addbenzenemenu(*bar.addMenu(QStringLiteral("Ben&zene")), choose);
  QAction* symbol = bar.addAction(QStringLiteral("&Symbol"));
  connect(symbol, &QAction::triggered, this,
          [this] { editors().symboltool().showpalette(); });
  buildhelpmenu(*bar.addMenu(QStringLiteral("&Help")));
}

void TMolvane3D::buildfilemenu(QMenu& menu) {
  auto item = [this, &menu](const char* caption, auto handler,
                            const QKeySequence& shortcut = {}) {
    QAction* action = menu.addAction(QString::fromUtf8(caption));
    action->setShortcut(shortcut);
    connect(action, &QAction::triggered, this, handler);
    return action;
  };
  // Most styles never make a disabled item current, so its status tip
  // would not show: the menu shows the tool tip on hover instead.
  menu.setToolTipsVisible(true);
  item(
      "&New", [this] { files_->newdrawing(); }, QKeySequence::New);
  item(
      "&Open ...", [this] { files_->open(); }, QKeySequence::Open);
  item("&Import ...", [this] { files_->import(); });
  item(
      "&Save ...", [this] { files_->save(); }, QKeySequence::Save);
  item("Save&As ...", [this] { files_->saveas(); });
  item("Co&mments ...", [this] { files_->editcomments(); });
  item("Export Pic&ture ...", [this] { files_->exportpicturefile(); });
  item("&CopyToClipboard", [this] { copydrawing(); });
  item(
      "&Print ...", [this] { printwindow(); }, QKeySequence::Print);
  item("Print Pre&view ...", [this] { files_->printpreview(shiftlabels()); });
  item("3D Animator...", [this] { animator().open(); });
  QAction* drawmode = menu.addAction(QStringLiteral("3D DrawMode"));
  drawmode->setCheckable(true);
  connect(drawmode, &QAction::toggled, this,
          [](bool on) { session().settings.build3d = on; });
  build3daction_ = drawmode;
  item("3D &Optimizer ...", [this] { stoptool().open(); });
  item("&3D Views ..", [this] { showviews3d(); });
  item("&Measurements ...", [this] { metrictool().open(); });
  item("Molecular &Data ...", [this] { moleculardata().open(); });
  nmraction_ = item("NMR Shifts...", [this] { opennmrtool(); });
  item("&Reaction Tool ...", [this] { reactiontool().start(); });
  item("&Font ...", [this] { settings_->choosefont(this); });
  item("&Settings ...", [this] { settings_->opendialog(); });
  item(
      "Exit", [this] { exit(); }, QKeySequence::Quit);
  files_->addrecentmenu(menu);
}

void TMolvane3D::buildhelpmenu(QMenu& menu) {
  const std::array<const char*, 5> topics{
      "&General Help", "2D Drawing Tutorial", "3D Drawing Tutorial",
      "NMR Shifts", "Customer Support"};
  for (int i = 0; i < static_cast<int>(topics.size()); ++i) {
    QAction* action = menu.addAction(QString::fromUtf8(topics[i]));
    if (i == 0) {
      action->setShortcut(QKeySequence::HelpContents);
    }
    connect(action, &QAction::triggered, this, [this, i] { showhelp(i + 1); });
  }
}

void TMolvane3D::buildtoolbar() {
  QToolBar& tools = *addToolBar(QStringLiteral("Commands"));
  tools.setObjectName(QStringLiteral("commandtools"));
  tools.setMovable(false);
  const std::array<std::pair<const char*, int>, 6> common{{
      {"Ring 6", familycode(tcommandfamily::addring, 6)},
      {"Benzene", addbenzenecommand},
      {"Chain 2", familycode(tcommandfamily::addchain, 2)},
      {"Bond", methylcommand},
      {"OH", hydroxycommand},
      {"Link", linkatomscommand},
  }};
  for (const auto& [caption, code] : common) {
    QAction* action = tools.addAction(QString::fromUtf8(caption));
    action->setData(code);
    connect(action, &QAction::triggered, this,
            [this, code = code] { choosecommand(code); });
  }
  tools.addSeparator();
  tools.addAction(resetaction_);
  tools.addAction(undoaction_);
}

void TMolvane3D::repaintdrawing() {
  const QSize size = view_ != nullptr ? view_->size() : QSize(1, 1);
  if (buffer_.size() != size) {
    buffer_ = QImage(size.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
  }
  buffer_.fill(Qt::white);
  if (view_ != nullptr) {
    view_->render(buffer_);
    if (nmrtool_ != nullptr) {
      QPainter painter(&buffer_);
      tqtcanvas canvas(painter, false);
      nmrtool_->paintspectrum(canvas, buffer_.width(), buffer_.height());
    }
    view_->update();
  }
}

void TMolvane3D::setoverlaypainter(std::function<void(tcanvas&)> painter) {
  overlaypainter_ = std::move(painter);
}

std::vector<tatomnote> TMolvane3D::shiftlabels() const {
  return nmrtool_ != nullptr ? nmrtool_->shiftlabels()
                             : std::vector<tatomnote>{};
}

void TMolvane3D::opennmrtool() {
  resetcommand();
  nmrtool_->open();
}

void TMolvane3D::shownmraction() {
  if (nmraction_ == nullptr) {
    return;
  }
  const bool nucleus = session().settings.nmrnucleus != 0;
  nmraction_->setEnabled(nucleus &&
                         (nmrtool_ == nullptr || !nmrtool_->isVisible()));
  nmraction_->setStatusTip(
      nucleus ? QString()
              : QStringLiteral("Choose an NMR nucleus under Settings first"));
  nmraction_->setToolTip(nmraction_->statusTip());
}

void TMolvane3D::printwindow() { files_->print(shiftlabels()); }

void TMolvane3D::pastefromclipboard() {
  resetcommand();
  if (pasteclipboard()) {
    markmodified();
    showwholedrawing();
  }
}

void TMolvane3D::copywindow() { files_->copyimage(); }

void TMolvane3D::copydrawing() { files_->copydrawing(shiftlabels()); }

void TMolvane3D::choosecommand(int code) {
  // Only the periodic table's own codes keep its mode; a command from a
  // menu or the tool bar runs on the next click in the drawing.
  if (editormode_ == teditormode::atomtool && elementofcommand(code) == 0) {
    editors().periodictable().done();
  }
  // So does measuring: a command means to build at the next click.
  if (editormode_ == teditormode::measure && code != nocommand) {
    metrictool().hide();
  }
  state_.commandcode = static_cast<std::uint16_t>(code);
  resetaction_->setEnabled(code != 0);
  showcommand();
}

void TMolvane3D::resetcommand() {
  molvane::resetcommand(state_);
  resetaction_->setEnabled(false);
  showcommand();
}

void TMolvane3D::markmodified() {
  session().drawing()->saved = false;
  resetaction_->setEnabled(true);
  showundo();
}

void TMolvane3D::drawingreplaced() {
  showundo();
  view_->resetview();
}

tsettingsfile& TMolvane3D::programsettings() { return files_->settingsfile(); }

void TMolvane3D::keepprogramsettings() { files_->savesettings(); }

void TMolvane3D::showundo() {
  const tundoitems items = undoitems();
  undoaction_->setEnabled(items.canundo);
  undoaction_->setText(qtstring(items.undotext));
  redoaction_->setEnabled(items.canredo);
  redoaction_->setText(qtstring(items.redotext));
  files_->setcaption();
}

teditorwindows& TMolvane3D::editors() {
  if (editors_ == nullptr) {
    editors_ = std::make_unique<teditorwindows>(*this);
  }
  return *editors_;
}

void TMolvane3D::seteditormode(teditormode mode) {
  editormode_ = mode;
  dragging_ = false;
  band_ = QRect();
  editors().showmenu(mode);
}

void TMolvane3D::returntodrawingmode() {
  resetcommand();
  seteditormode(teditormode::drawing);
  session().drawing()->selectall(false);
  repaintdrawing();
}

TFunctions3D& TMolvane3D::views3d() {
  if (views3d_ == nullptr) {
    views3d_ = new TFunctions3D(*this, *build3daction_);
  }
  return *views3d_;
}

TStopTool& TMolvane3D::stoptool() {
  if (stoptool_ == nullptr) {
    stoptool_ = new TStopTool(*this);
  }
  return *stoptool_;
}

TMetricTool& TMolvane3D::metrictool() {
  if (metrictool_ == nullptr) {
    metrictool_ = new TMetricTool(*this);
  }
  return *metrictool_;
}

void TMolvane3D::showproperties(tStructure& structure) {
  moleculardata().openfor(structure);
}

TMolecularData& TMolvane3D::moleculardata() {
  if (moleculardata_ == nullptr) {
    moleculardata_ = new TMolecularData(*this);
  }
  return *moleculardata_;
}

TReactionTool& TMolvane3D::reactiontool() {
  if (reactiontool_ == nullptr) {
    reactiontool_ = new TReactionTool(*this);
  }
  return *reactiontool_;
}

TAnimator& TMolvane3D::animator() {
  if (animator_ == nullptr) {
    animator_ = new TAnimator(*this, [this] { showviews3d(); });
  }
  return *animator_;
}

void TMolvane3D::showviews3d() {
  views3d().show();
  views3d().raise();
}

void TMolvane3D::undoedit() {
  resetcommand();
  chooseundo();
  showundo();
  repaintdrawing();
}

void TMolvane3D::redoedit() {
  resetcommand();
  chooseredo();
  showundo();
  repaintdrawing();
}

void TMolvane3D::exit() {
  if (files_->mayloseunsavedwork()) {
    exiting_ = true;
    close();
  }
}

void TMolvane3D::setbusy(bool busy) {
  if (busy == busy_) {
    return;
  }
  busy_ = busy;
  if (busy) {
    // Shortcuts stay live in a disabled menu bar: the actions go off too.
    for (QAction* action : findChildren<QAction*>()) {
      if (action->isEnabled()) {
        pausedactions_.emplace_back(action);
        action->setEnabled(false);
      }
    }
  } else {
    for (const QPointer<QAction>& action : pausedactions_) {
      if (action != nullptr) {
        action->setEnabled(true);
      }
    }
    pausedactions_.clear();
  }
  if (QMenuBar* bar = menuBar()) {
    bar->setEnabled(!busy);
  }
  view_->setEnabled(!busy);
}

void TMolvane3D::closeEvent(QCloseEvent* event) {
  if (busy_) {
    // The run on the stack still uses this window and the drawing.
    statusBar()->showMessage(
        QStringLiteral("Stop the optimizer before closing the window."));
    event->ignore();
    return;
  }
  if (exiting_) {
    event->accept();
    return;
  }
  if (session().settings.saveonclose) {
    files_->savemodified();
  }
  if (files_->mayloseunsavedwork()) {
    event->accept();
  } else {
    event->ignore();
  }
}

void TMolvane3D::leftdown(QPoint point) {
  if (editormode_ != teditormode::drawing) {
    editors().leftdown(editormode_, point);
    return;
  }
  band_ = QRect(point, point);
  dragging_ = true;
  const tcommandresult result =
      runcommand(point.x(), point.y(), state_.commandcode, state_);
  if (result.snapshot) {
    markmodified();
  }
  if (result.editlabel != nullptr) {
    editors().texteditor().openon(result.editlabel);
  }
}

void TMolvane3D::leftmove(QPoint point) {
  if (editormode_ != teditormode::drawing) {
    editors().leftmove(editormode_, point);
    return;
  }
  if (!dragging_) {
    return;
  }
  if (point.x() >= 1 && point.x() < 32768 && point.y() >= 1 &&
      point.y() < 32768) {
    band_.setRight(point.x());
    band_.setBottom(point.y());
  }
  view_->update();
}

void TMolvane3D::leftup(QPoint point) {
  if (editormode_ == teditormode::measure) {
    metrictool().measure(point);
    return;
  }
  if (editormode_ != teditormode::drawing) {
    editors().leftup(editormode_, point);
    return;
  }
  const std::optional<QRect> band = rubberband();
  dragging_ = false;
  band_ = QRect();
  view_->update();
  if (band) {
    editors().groupeditor().selectinside(*band);
  }
}

std::optional<QRect> TMolvane3D::rubberband() const {
  if (!dragging_ || band_.right() <= band_.left() ||
      band_.bottom() <= band_.top()) {
    return std::nullopt;
  }
  return band_;
}

void TMolvane3D::rightup(QPoint point, Qt::KeyboardModifiers modifiers) {
  if (editormode_ != teditormode::drawing) {
    editors().rightup(editormode_, point);
    return;
  }
  if (modifiers == Qt::ControlModifier) {
    editors().groupeditor().openat(point);
    return;
  }
  if (modifiers != Qt::NoModifier) {
    return;
  }
  lastclick_ = pickclicktarget(*session().drawing(), point.x(), point.y());
  showclicktarget();
  editors().openfor(lastclick_, point);
}

void TMolvane3D::keyup(int key, Qt::KeyboardModifiers modifiers,
                       QPoint cursor) {
  std::optional<tdrawingmove> move;
  switch (key) {
    case Qt::Key_Left:
      move = tdrawingmove::left;
      break;
    case Qt::Key_Right:
      move = tdrawingmove::right;
      break;
    case Qt::Key_Up:
      move = tdrawingmove::up;
      break;
    case Qt::Key_Down:
      move = tdrawingmove::down;
      break;
    case Qt::Key_PageUp:
      move = tdrawingmove::pageup;
      break;
    case Qt::Key_PageDown:
      move = tdrawingmove::pagedown;
      break;
    default:
      break;
  }
  const bool grouping = editors_ != nullptr && editors_->groupeditorshown();
  if (move) {
    const bool big = (modifiers & Qt::ShiftModifier) != 0;
    if (grouping) {
      // The group editor's keys move only its group.
      editors_->groupeditor().movegroup(*move, big);
    } else {
      movedrawing(*session().drawing(), session().settings, *move, big);
    }
    repaintdrawing();
    return;
  }
  if (grouping) {
    repaintdrawing();
    return;
  }
  if ((modifiers &
       (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) != 0) {
    return;
  }
  const char edit = editkeyof(key);
  if (edit == 0) {
    return;
  }
  // Each key edit is one undo step, as each command is.
  if (runkeyedit(edit, std::max(cursor.x(), 1), std::max(cursor.y(), 1))) {
    markmodified();
  }
}

void TMolvane3D::showhelp(int context) {
  if (help_ == nullptr) {
    help_ = new thelpwindow(this);
  }
  help_->showtopic(context);
  help_->show();
  help_->raise();
}

}  // namespace molvane

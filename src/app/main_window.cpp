// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/main_window.h"

#include "app/animator.h"
#include "app/drawing_view.h"
#include "app/editor_windows.h"
#include "app/help_window.h"
#include "app/import_dialog.h"
#include "app/main_menu.h"
#include "app/periodic_table.h"
#include "app/settings_dialog.h"
#include "app/symbol_tool.h"
#include "app/text_editor.h"
#include "app/views_3d.h"
#include "commands/command_codes.h"
#include "commands/file_commands.h"
#include "commands/hydrogens.h"
#include "commands/import_document.h"
#include "commands/key_edits.h"
#include "document/drawing.h"
#include "document/session.h"
#include "document/symbol.h"
#include "io/document_files.h"
#include "model/bond.h"
#include "model/element_data.h"
#include "qt/picture_export.h"
#include "qt/text_conversion.h"
#include "render/paint_3d.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFontDialog>
#include <QFormLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressBar>
#include <QStatusBar>
#include <QToolBar>

#include <algorithm>
#include <array>
#include <system_error>

namespace molvane {

namespace {

constexpr int windowwidth = 650;
constexpr int windowheight = 528;
constexpr const char* untitledname = "untitled.mlv";
constexpr const char* programtitle = "Molvane 3D";
/// Shift with an arrow key, and the page keys, move the drawing this far.
constexpr double bigstep = 32.0;
/// The printed page shows the window at most this many times enlarged.
constexpr double printenlargement = 10.0;

QString fromutf8(const std::string& text) { return qtstring(text); }

bool isuntitled(const tdrawing& drawing) {
  const std::string name =
      std::filesystem::path(drawing.filename).filename().string();
  return name.empty() ||
         QString::fromStdString(name).compare(QLatin1String(untitledname),
                                              Qt::CaseInsensitive) == 0;
}

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

class tcommentsdialog final : public QDialog {
 public:
  explicit tcommentsdialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Comments"));
    const tdrawing& drawing = *session().drawing();
    auto* layout = new QFormLayout(this);
    title_ = addfield(*layout, QStringLiteral("Title"), drawing.title());
    author_ = addfield(*layout, QStringLiteral("Author"), drawing.author());
    notes_ = addfield(*layout, QStringLiteral("Notes"), drawing.notes());
    auto* buttons =
        new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    layout->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  }
  void store() const {
    tdrawing& drawing = *session().drawing();
    drawing.settitle(utf8string(title_->text()));
    drawing.setauthor(utf8string(author_->text()));
    drawing.setnotes(utf8string(notes_->text()));
  }

 private:
  QLineEdit* addfield(QFormLayout& layout, const QString& label,
                      const std::string& text) {
    auto* field = new QLineEdit(fromutf8(text), this);
    field->setMaxLength(static_cast<int>(tdrawing::commentsize));
    layout.addRow(label, field);
    return field;
  }
  QLineEdit* title_ = nullptr;
  QLineEdit* author_ = nullptr;
  QLineEdit* notes_ = nullptr;
};

}  // namespace

QString savefilters() {
  return QStringLiteral(
      "Molvane (*.MLV *.mlv);;Molvane + XYZ (*.MLV *.XYZ *.mlv *.xyz);;"
      "Molvane + Bitmap (*.MLV *.BMP *.mlv *.bmp);;"
      "Molvane + JPEG (*.MLV *.JPEG *.mlv *.jpeg);;"
      "Molvane + CML (XML) (*.MLV *.XML *.mlv *.xml);;"
      "Molvane + MDL (*.MLV *.MDL *.mlv *.mdl);;ALL (*)");
}

std::optional<QString> tdialogs::openname(QWidget* parent,
                                          const QString& title) {
  timportdialog dialog(parent, title, QString());
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().empty()) {
    return std::nullopt;
  }
  return dialog.selectedFiles().front();
}

std::optional<tdialogs::tsavechoice> tdialogs::savename(QWidget* parent,
                                                        const QString& start) {
  QFileDialog dialog(parent, QStringLiteral("Save"), start, savefilters());
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix(QStringLiteral("MLV"));
  dialog.selectFile(start);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().empty()) {
    return std::nullopt;
  }
  const QStringList filters = savefilters().split(QStringLiteral(";;"));
  const int index =
      static_cast<int>(filters.indexOf(dialog.selectedNameFilter())) + 1;
  return tsavechoice{dialog.selectedFiles().front(), std::max(index, 1)};
}

bool tdialogs::print(QWidget* parent, QPrinter& printer) {
  QPrintDialog dialog(&printer, parent);
  return dialog.exec() == QDialog::Accepted;
}

bool tdialogs::comments(QWidget* parent) {
  tcommentsdialog dialog(parent);
  if (dialog.exec() != QDialog::Accepted) {
    return false;
  }
  dialog.store();
  return true;
}

std::optional<QFont> tdialogs::font(QWidget* parent, const QFont& start) {
  bool chosen = false;
  const QFont font = QFontDialog::getFont(&chosen, start, parent);
  if (!chosen) {
    return std::nullopt;
  }
  return font;
}

void tdialogs::settings(QWidget* parent) {
  auto* window = dynamic_cast<TMolvane3D*>(parent);
  if (window != nullptr) {
    tsettingsdialog dialog(*window);
    dialog.exec();
  }
}

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

  const tdefaultsload loaded = loaddefaults(datafolder_);
  defaults_ = loaded.record;
  defaults_.applyto(current.settings);
  current.settings.build3d = false;
  current.newdrawing();
  recents_.load(datafolder_ / recentsfilename);

  view_ = new tdrawingview(*this);
  setCentralWidget(view_);
  buildmenus();
  buildtoolbar();
  progressbar_ = new QProgressBar(this);
  progressbar_->setMaximumWidth(160);
  progressbar_->hide();
  statusBar()->addPermanentWidget(progressbar_);
  resize(windowwidth, windowheight);
  setcaption();
  showcommand();
  view_->setFocus();
  if (!loaded.error.empty()) {
    warn(loaded.error);
  }
}

TMolvane3D::~TMolvane3D() {
  // The tool windows call back into the window; they go first.
  editors_.reset();
  // So do the animator, whose frames repaint the window, and the 3D Views.
  delete animator_;
  delete views3d_;
  tsession& current = session();
  current.setmessages(nullptr);
  current.setprogress(nullptr);
  current.setrepaint({});
  current.setprocessmessages({});
}

void TMolvane3D::inform(const std::string& text) {
  QMessageBox::information(this, QLatin1String(programtitle), fromutf8(text));
}

void TMolvane3D::warn(const std::string& text) {
  QMessageBox::warning(this, QLatin1String(programtitle), fromutf8(text));
}

void TMolvane3D::error(const std::string& text) {
  QMessageBox::critical(this, QLatin1String(programtitle), fromutf8(text));
}

bool TMolvane3D::confirm(const std::string& text) {
  return QMessageBox::question(
             this, QLatin1String(programtitle), fromutf8(text),
             QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

void TMolvane3D::setrange(int minimum, int maximum) {
  progressbar_->setRange(minimum, maximum);
  progressbar_->setValue(minimum);
  progressbar_->show();
}

void TMolvane3D::step(int amount) {
  progressbar_->setValue(progressbar_->value() + amount);
}

void TMolvane3D::reset() { progressbar_->hide(); }

void TMolvane3D::setdialogs(std::unique_ptr<tdialogs> dialogs) {
  dialogs_ = std::move(dialogs);
}

QString TMolvane3D::captionfor(const std::string& filename) {
  const QString name =
      qtpath(std::filesystem::path(filename).filename()).toUpper();
  return QStringLiteral("Molvane 3D [ ") + name + QStringLiteral(" ]");
}

void TMolvane3D::buildmenus() {
  QMenuBar& bar = *menuBar();
  bar.setObjectName(QStringLiteral("MainMenu1"));
  filemenu_ = bar.addMenu(QStringLiteral("&File"));
  buildfilemenu(*filemenu_);

  resetaction_ = bar.addAction(QStringLiteral("Reset"));
  resetaction_->setEnabled(false);
  connect(resetaction_, &QAction::triggered, this, [this] { resetcommand(); });

  QMenu& edit = *bar.addMenu(QStringLiteral("Edit"));
  undoaction_ = edit.addAction(QStringLiteral("Undo"));
  undoaction_->setShortcut(QKeySequence::Undo);
  undoaction_->setEnabled(false);
  connect(undoaction_, &QAction::triggered, this, [this] { toggleundo(); });

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
  const std::array<std::pair<const char*, thydrogencommand>, 3> hydrogens{{
      {"Add Hs &2D", thydrogencommand::add2d},
      {"Add Hs &3D", thydrogencommand::add3d},
      {"Remove Hs", thydrogencommand::remove},
  }};
  for (const auto& [caption, command] : hydrogens) {
    QAction* action = atom.addAction(QString::fromUtf8(caption));
    connect(action, &QAction::triggered, this, [this, command = command] {
      resetcommand();
      runhydrogencommand(command);
      markmodified();
    });
  }
  addbranchmenu(*bar.addMenu(QStringLiteral("&Branch")), choose);
  addchainmenu(*bar.addMenu(QStringLiteral("Chain")), choose);
  addringmenu(*bar.addMenu(QStringLiteral("&Ring")), choose);
  addbenzenemenu(*bar.addMenu(QStringLiteral("Ben&zene")), choose);
  QAction* symbol = bar.addAction(QStringLiteral("&Symbol"));
  connect(symbol, &QAction::triggered, this,
          [this] { editors().symboltool().showpalette(); });
  buildhelpmenu(*bar.addMenu(QStringLiteral("&Help")));

  // Ctrl+C copies what the window shows.
  auto* copy = new QAction(this);
  copy->setShortcut(QKeySequence::Copy);
  copy->setShortcutContext(Qt::WindowShortcut);
  connect(copy, &QAction::triggered, this, [this] { copyimage(); });
  addAction(copy);
}

void TMolvane3D::buildfilemenu(QMenu& menu) {
  auto item = [this, &menu](const char* caption, auto handler,
                            QKeySequence shortcut = {}) {
    QAction* action = menu.addAction(QString::fromUtf8(caption));
    action->setShortcut(shortcut);
    connect(action, &QAction::triggered, this, handler);
    return action;
  };
  auto later = [&menu](const char* caption) {
    QAction* action = menu.addAction(QString::fromUtf8(caption));
    action->setEnabled(false);
    return action;
  };
  item(
      "&New", [this] { newdrawing(); }, QKeySequence::New);
  item(
      "&Open ...", [this] { open(); }, QKeySequence::Open);
  item("&Import ...", [this] { import(); });
  item(
      "&Save ...", [this] { save(); }, QKeySequence::Save);
  item("Save&As ...", [this] { saveas(); });
  item("Co&mments ...", [this] { editcomments(); });
  item("&CopyToClipboard", [this] { copydrawing(); });
  item(
      "&Print ...", [this] { print(); }, QKeySequence::Print);
  item("3D Animator...", [this] { animator().open(); });
  QAction* drawmode = menu.addAction(QStringLiteral("3D DrawMode"));
  drawmode->setCheckable(true);
  connect(drawmode, &QAction::toggled, this,
          [](bool on) { session().settings.build3d = on; });
  build3daction_ = drawmode;
  later("3D &Optimizer ...");
  item("&3D Views ..", [this] { showviews3d(); });
  later("&Measurements ...");
  later("Molecular &Data ...");
  nmraction_ = later("NMR Shifts...");
  later("&Reaction Tool ...");
  item("&Font ...", [this] { tsettingsdialog::choosefont(*this); });
  item("&Settings ...", [this] { dialogs_->settings(this); });
  item(
      "Exit", [this] { exit(); }, QKeySequence::Quit);
  recentseparator_ = menu.addSeparator();
  refreshrecentmenu();
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
      {"Ring 6", firstaddringcommand + 3},
      {"Benzene", addbenzenecommand},
      {"Chain 2", firstaddchaincommand},
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

void TMolvane3D::refreshrecentmenu() {
  for (QAction* action : recentactions_) {
    filemenu_->removeAction(action);
    delete action;
  }
  recentactions_.clear();
  const auto& names = recents_.names();
  recentseparator_->setVisible(!names.empty());
  for (int i = 0; i < static_cast<int>(names.size()); ++i) {
    QAction* action = filemenu_->addAction(
        fromutf8(trecentfiles::captionof(names[static_cast<std::size_t>(i)])));
    action->setData(i);
    connect(action, &QAction::triggered, this, [this, i] { openrecent(i); });
    recentactions_.push_back(action);
  }
}

void TMolvane3D::setcaption() {
  setWindowTitle(captionfor(session().drawing()->filename));
}

void TMolvane3D::showcommand() {
  const int code = state_.commandcode;
  QString text = QStringLiteral("No command");
  if (code >= firstelementcommand && code <= lastelementcommand) {
    text = QStringLiteral("Element: ") +
           qtstring(symbolof(code - elementcommandbase));
  } else if (code != 0) {
    const QString caption = commandcaption(code);
    text = QStringLiteral("Command: ") +
           (caption.isEmpty() ? QString::number(code) : caption);
  }
  statusBar()->showMessage(text);
}

void TMolvane3D::repaintdrawing() {
  const QSize size = view_ != nullptr ? view_->size() : QSize(1, 1);
  if (buffer_.size() != size) {
    buffer_ = QImage(size.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
  }
  buffer_.fill(Qt::white);
  if (view_ != nullptr) {
    view_->render(buffer_);
    view_->update();
  }
}

void TMolvane3D::choosecommand(int code) {
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
  undoaction_->setEnabled(true);
  undotag_ = -1;
  undoaction_->setText(QStringLiteral("Undo"));
}

teditorwindows& TMolvane3D::editors() {
  if (editors_ == nullptr) {
    editors_ = std::make_unique<teditorwindows>(*this);
  }
  return *editors_;
}

void TMolvane3D::seteditormode(int mode) {
  editormode_ = mode;
  dragging_ = false;
  band_ = QRect();
  editors().showmenu(mode);
}

void TMolvane3D::returntodrawingmode() {
  resetcommand();
  seteditormode(0);
  session().drawing()->selectall(false);
  repaintdrawing();
}

TFunctions3D& TMolvane3D::views3d() {
  if (views3d_ == nullptr) {
    views3d_ = new TFunctions3D(*this, *build3daction_);
  }
  return *views3d_;
}

TAnimator& TMolvane3D::animator() {
  if (animator_ == nullptr) {
    animator_ = new TAnimator(*this);
  }
  return *animator_;
}

void TMolvane3D::showviews3d() {
  views3d().show();
  views3d().raise();
}

void TMolvane3D::choosedrawmode(int mode) {
  session().drawing()->setdrawmode(static_cast<std::uint8_t>(mode));
}

void TMolvane3D::NormalView1Click() {
  tdrawing& drawing = *session().drawing();
  drawing.setdrawmode(
      static_cast<std::uint8_t>(normalviewof(drawing.drawmode)));
}

void TMolvane3D::StereoView1Click() {
  tdrawing& drawing = *session().drawing();
  drawing.setdrawmode(
      static_cast<std::uint8_t>(stereoviewof(drawing.drawmode)));
}

void TMolvane3D::toggleundo() {
  resetcommand();
  if (undotag_ == -1) {
    session().undo();
    undoaction_->setText(QStringLiteral("Redo"));
  } else {
    session().redo();
    undoaction_->setText(QStringLiteral("Undo"));
  }
  undotag_ = -undotag_;
  repaintdrawing();
}

void TMolvane3D::newdrawing() {
  if (!session().messages().confirm("Erase Drawing")) {
    return;
  }
  session().newdrawing();
  view_->resetview();
  setcaption();
  repaintdrawing();
}

bool TMolvane3D::openfile(const QString& name) {
  const std::filesystem::path path =
      std::filesystem::absolute(pathof(name)).lexically_normal();
  if (!opendocument(path)) {
    return false;
  }
  addrecent(path.string());
  setcaption();
  view_->showwhole();
  repaintdrawing();
  return true;
}

bool TMolvane3D::importfile(const QString& name) {
  if (!importdocument(pathof(name))) {
    return false;
  }
  markmodified();
  view_->showwhole();
  repaintdrawing();
  return true;
}

bool TMolvane3D::savefile(const QString& name, int filter) {
  const std::filesystem::path path =
      std::filesystem::absolute(pathof(name)).lexically_normal();
  tdrawing& drawing = *session().drawing();
  if (!savecurrentdocument(path)) {
    return false;
  }
  const std::filesystem::path native = drawing.filename;
  // The extra files of the chosen filter go beside the document.
  std::string problem;
  if (filter == 2) {
    problem = exportdocument(
        drawing, std::filesystem::path(native).replace_extension(".xyz"));
  } else if (filter == 3 || filter == 4) {
    tpictureoptions options;
    options.windowwidth = buffer_.width();
    options.windowheight = buffer_.height();
    problem = exportpicture(drawing,
                            std::filesystem::path(native).replace_extension(
                                filter == 3 ? ".bmp" : ".jpg"),
                            options);
  }
  if (!problem.empty()) {
    session().messages().warn(problem);
  }
  addrecent(native.string());
  setcaption();
  return true;
}

void TMolvane3D::addrecent(const std::string& name) {
  if (!recents_.add(name)) {
    return;
  }
  refreshrecentmenu();
  const std::string problem = recents_.save(datafolder_ / recentsfilename);
  if (!problem.empty()) {
    statusBar()->showMessage(fromutf8(problem));
  }
}

void TMolvane3D::openrecent(int index) {
  const auto& names = recents_.names();
  if (index < 0 || index >= static_cast<int>(names.size())) {
    return;
  }
  const std::string name = names[static_cast<std::size_t>(index)];
  if (!session().messages().confirm("Replace Current Drawing? ")) {
    return;
  }
  std::error_code ignored;
  if (!std::filesystem::exists(name, ignored)) {
    return;
  }
  if (opendocument(name)) {
    setcaption();
    view_->showwhole();
    repaintdrawing();
  }
}

void TMolvane3D::save() {
  if (isuntitled(*session().drawing())) {
    saveas();
  } else {
    savefile(qtpath(session().drawing()->filename), 1);
  }
}

void TMolvane3D::saveas() {
  std::filesystem::path start = session().drawing()->filename;
  if (isuntitled(*session().drawing()) || start.is_relative()) {
    start = datafolder_ / start.filename();
  }
  if (const auto choice = dialogs_->savename(this, qtpath(start))) {
    savefile(choice->name, choice->filter);
  }
}

void TMolvane3D::open() {
  const tdrawing& drawing = *session().drawing();
  if (!drawing.saved && drawing.atoms.count() > 0 &&
      !session().messages().confirm("Replace Current Drawing? ")) {
    return;
  }
  if (const auto name = dialogs_->openname(this, QStringLiteral("Open"))) {
    openfile(*name);
  }
}

void TMolvane3D::import() {
  if (const auto name =
          dialogs_->openname(this, QStringLiteral("Import Dialog"))) {
    importfile(*name);
  }
}

void TMolvane3D::savemodified() {
  const tdrawing& drawing = *session().drawing();
  if (drawing.saved || drawing.atoms.count() == 0) {
    return;
  }
  save();
}

void TMolvane3D::exit() {
  savemodified();
  if (session().messages().confirm("Quit Molvane3D")) {
    exiting_ = true;
    close();
  }
}

void TMolvane3D::closeEvent(QCloseEvent* event) {
  if (exiting_) {
    event->accept();
    return;
  }
  if (session().settings.saveonclose) {
    savemodified();
  }
  if (session().messages().confirm("Exit Molvane3D")) {
    event->accept();
  } else {
    event->ignore();
  }
}

void TMolvane3D::editcomments() {
  if (dialogs_->comments(this)) {
    session().drawing()->saved = false;
  }
}

void TMolvane3D::copyimage() { QApplication::clipboard()->setImage(buffer_); }

void TMolvane3D::copydrawing() {
  std::string problem;
  tpictureoptions options;
  const QImage image = paintpicture(*session().drawing(), options, problem);
  if (!problem.empty() || image.isNull()) {
    session().messages().warn(problem.empty() ? "Nothing to copy" : problem);
    return;
  }
  QApplication::clipboard()->setImage(image);
}

void TMolvane3D::print() {
  QPrinter printer(QPrinter::HighResolution);
  if (dialogs_->print(this, printer)) {
    printto(printer);
  }
}

void TMolvane3D::printto(QPrinter& printer) {
  QPainter painter;
  if (!painter.begin(&printer)) {
    session().messages().error("The printer could not be started");
    return;
  }
  // Ten times the window fills a page at printer resolutions; a smaller
  // page scales the picture down rather than cutting it off.
  const QRect page = painter.viewport();
  const double factor = std::min(
      {printenlargement,
       page.width() / static_cast<double>(std::max(buffer_.width(), 1)),
       page.height() / static_cast<double>(std::max(buffer_.height(), 1))});
  const QRectF target(0.0, 0.0, buffer_.width() * factor,
                      buffer_.height() * factor);
  painter.drawImage(target, buffer_.convertToFormat(QImage::Format_RGB888));
  painter.end();
}

void TMolvane3D::savedefaults() {
  defaults_.takefrom(session().settings);
  const std::string problem = molvane::savedefaults(datafolder_, defaults_);
  if (!problem.empty()) {
    session().messages().warn(problem);
  }
}

void TMolvane3D::leftdown(QPoint point) {
  if (editormode_ != 0) {
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
  if (editormode_ != 0) {
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
  if (editormode_ != 0) {
    editors().leftup(editormode_, point);
    return;
  }
  dragging_ = false;
  band_ = QRect();
  view_->update();
}

std::optional<QRect> TMolvane3D::rubberband() const {
  if (!dragging_ || band_.right() <= band_.left() ||
      band_.bottom() <= band_.top()) {
    return std::nullopt;
  }
  return band_;
}

void TMolvane3D::rightup(QPoint point, Qt::KeyboardModifiers modifiers) {
  if (editormode_ != 0) {
    editors().rightup(editormode_, point);
    return;
  }
  if (modifiers != Qt::NoModifier) {
    return;
  }
  lastclick_ = pickclicktarget(*session().drawing(), point.x(), point.y());
  QString text;
  switch (lastclick_.kind) {
    case tclicktarget::tkind::atom:
      text = QStringLiteral("Atom");
      break;
    case tclicktarget::tkind::bond:
      text = QStringLiteral("Bond");
      break;
    case tclicktarget::tkind::structure:
      text = QStringLiteral("Structure");
      break;
    case tclicktarget::tkind::none:
      break;
  }
  if (!text.isEmpty()) {
    statusBar()->showMessage(text, 2000);
  }
  editors().openfor(lastclick_);
}

void TMolvane3D::movedrawing(double dx, double dy) {
  session().drawing()->translate(dx, dy, 0.0);
  repaintdrawing();
}

void TMolvane3D::keyup(int key, Qt::KeyboardModifiers modifiers,
                       QPoint cursor) {
  const bool shift = (modifiers & Qt::ShiftModifier) != 0;
  const tsettings& settings = session().settings;
  const double across = shift ? bigstep : settings.horizontalstep;
  const double down = shift ? bigstep : settings.verticalstep;
  switch (key) {
    case Qt::Key_Left:
      movedrawing(-across, 0.0);
      return;
    case Qt::Key_Right:
      movedrawing(across, 0.0);
      return;
    case Qt::Key_Up:
      movedrawing(0.0, -down);
      return;
    case Qt::Key_Down:
      movedrawing(0.0, down);
      return;
    case Qt::Key_PageUp:
      movedrawing(0.0, -bigstep);
      return;
    case Qt::Key_PageDown:
      movedrawing(0.0, bigstep);
      return;
    default:
      break;
  }
  if ((modifiers &
       (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) != 0) {
    return;
  }
  const char edit = editkeyof(key);
  if (edit == 0) {
    return;
  }
  runkeyedit(edit, std::max(cursor.x(), 1), std::max(cursor.y(), 1));
}

void TMolvane3D::setlinewidth(int index) {
  tsettings& settings = session().settings;
  settings.linewidthcode = static_cast<std::uint8_t>(std::clamp(index, 0, 3));
  tdrawing& drawing = *session().drawing();
  for (int i = 0; i < drawing.bonds.count(); ++i) {
    drawing.bonds.items(i)->setwidth(settings.linewidth());
  }
  // Arrows and arcs draw their heads with their own pen width.
  for (tSymbol* symbol : drawing.symbols) {
    symbol->linewidth = static_cast<std::uint8_t>(settings.linewidth());
  }
  savedefaults();
  repaintdrawing();
}

void TMolvane3D::setscale(int index) {
  tsettings& settings = session().settings;
  const int old = settings.bondlength;
  const int bondlength = 12 + 6 * std::clamp(index, 0, 8);
  settings.bondlength = static_cast<std::uint16_t>(bondlength);
  tdrawing& drawing = *session().drawing();
  if (old > 0) {
    drawing.scale(static_cast<double>(bondlength) / old);
  }
  drawing.bondlength = settings.bondlength;
  savedefaults();
  view_->keepinview();
  repaintdrawing();
}

void TMolvane3D::setjump(int index) {
  constexpr std::array<std::pair<int, int>, 5> steps{
      {{2, 2}, {4, 3}, {8, 6}, {16, 12}, {32, 24}}};
  const auto [across, down] =
      steps[static_cast<std::size_t>(std::clamp(index, 0, 4))];
  session().settings.horizontalstep = static_cast<std::uint16_t>(across);
  session().settings.verticalstep = static_cast<std::uint16_t>(down);
  defaults_.takefrom(session().settings);
}

void TMolvane3D::setdoublebond(int index) {
  constexpr std::array<int, 8> spacings{2, 3, 4, 5, 6, 7, 8, 10};
  session().settings.doublebondspacing = static_cast<std::uint16_t>(
      spacings[static_cast<std::size_t>(std::clamp(index, 0, 7))]);
  // Every bond takes the new spacing when the drawing is rebuilt.
  session().setdrawing(session().drawing()->clonedrawing());
  savedefaults();
  repaintdrawing();
}

void TMolvane3D::setnmr(int index) {
  constexpr std::array<int, 6> nuclei{0, 1, 6, 7, 9, 15};
  session().settings.nmrnucleus = static_cast<std::uint8_t>(
      nuclei[static_cast<std::size_t>(std::clamp(index, 0, 5))]);
  savedefaults();
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

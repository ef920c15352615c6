// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/file_actions.h"

#include "app/clipboard_actions.h"
#include "app/printing.h"
#include "app/tool_host.h"
#include "app/window_dialogs.h"
#include "commands/file_commands.h"
#include "commands/import_document.h"
#include "commands/save_name.h"
#include "document/drawing.h"
#include "document/session.h"
#include "io/document_files.h"
#include "io/record_index.h"
#include "qt/picture_export.h"
#include "qt/text_conversion.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QMainWindow>
#include <QMenu>
#include <QPrinter>
#include <QStatusBar>

#include <algorithm>
#include <system_error>
#include <utility>

namespace molvane {

namespace {

std::filesystem::path absolutepath(const QString& name) {
  return std::filesystem::absolute(pathof(name)).lexically_normal();
}

}  // namespace

QString windowcaption(const std::string& filename, bool modified) {
  const QString name =
      qtpath(std::filesystem::path(filename).filename()).toUpper();
  return QStringLiteral("Molvane 3D [ ") + name +
         (modified ? QStringLiteral("* ]") : QStringLiteral(" ]"));
}

tfileactions::tfileactions(ttoolhost& host, const QImage& shown,
                           std::filesystem::path datafolder)
    : host_(host), shown_(shown), datafolder_(std::move(datafolder)) {
  recents_.load(datafolder_ / recentsfilename);
  tsettingsread read = loadsettingsfile(datafolder_ / settingsfilename);
  settingsfile_ = std::move(read.settings);
  settingsproblems_ = std::move(read.problems);
  session().setundolimits(
      {settingsfile_.undosteps,
       settingsfile_.undomegabytes * tundolimits::megabyte});
}

std::filesystem::path tfileactions::startfolder() const {
  std::error_code error;
  std::filesystem::path last = settingsfile_.lastfolder;
  if (!last.empty() && std::filesystem::is_directory(last, error)) {
    return last;
  }
  return datafolder_;
}

void tfileactions::rememberfolder(const std::filesystem::path& file) {
  const std::string folder = file.parent_path().string();
  if (folder.empty() || folder == settingsfile_.lastfolder) {
    return;
  }
  settingsfile_.lastfolder = folder;
  savesettings();
}

void tfileactions::savesettings() {
  const std::string problem =
      savesettingsfile(datafolder_ / settingsfilename, settingsfile_);
  if (!problem.empty()) {
    host_.hostwindow().statusBar()->showMessage(qtstring(problem));
  }
}

void tfileactions::addrecentmenu(QMenu& menu) {
  recentmenu_ = &menu;
  recentseparator_ = menu.addSeparator();
  refreshrecentmenu();
}

void tfileactions::refreshrecentmenu() {
  if (recentmenu_ == nullptr) {
    return;
  }
  for (QAction* action : recentactions_) {
    recentmenu_->removeAction(action);
    delete action;
  }
  recentactions_.clear();
  const auto& names = recents_.names();
  recentseparator_->setVisible(!names.empty());
  for (int i = 0; i < static_cast<int>(names.size()); ++i) {
    QAction* action = recentmenu_->addAction(
        qtstring(trecentfiles::captionof(names[static_cast<std::size_t>(i)])));
    action->setData(i);
    QObject::connect(action, &QAction::triggered, recentmenu_,
                     [this, i] { openrecent(i); });
    recentactions_.push_back(action);
  }
}

void tfileactions::addrecent(const std::string& name) {
  if (!recents_.add(name)) {
    return;
  }
  refreshrecentmenu();
  const std::string problem = recents_.save(datafolder_ / recentsfilename);
  if (!problem.empty()) {
    host_.hostwindow().statusBar()->showMessage(qtstring(problem));
  }
}

void tfileactions::setcaption() {
  const tdrawing& drawing = *session().drawing();
  host_.hostwindow().setWindowTitle(
      windowcaption(drawing.filename, hasunsavedwork(drawing)));
}

bool tfileactions::mayloseunsavedwork() {
  switch (asktosaveunsavedwork()) {
    case tsaveanswer::save:
      save();
      return session().drawing()->saved;
    case tsaveanswer::discard:
      return true;
    case tsaveanswer::cancel:
      break;
  }
  return false;
}

void tfileactions::newdrawing() {
  if (!mayloseunsavedwork()) {
    return;
  }
  session().newdrawing();
  host_.drawingreplaced();
  setcaption();
  host_.repaintdrawing();
}

void tfileactions::open() {
  if (!mayloseunsavedwork()) {
    return;
  }
  host_.dialogs().startfolder = qtpath(startfolder());
  if (const auto choice = host_.dialogs().openname(&host_.hostwindow(),
                                                   QStringLiteral("Open"))) {
    openfile(choice->name, choice->records);
  }
}

treadextent tfileactions::openfile(const QString& name, trecordchoice records) {
  const std::filesystem::path path = absolutepath(name);
  const treadextent extent = opendocument(path, records);
  if (extent == treadextent::whole) {
    addrecent(path.string());
  }
  if (extent != treadextent::nothing) {
    rememberfolder(path);
  }
  if (extent != treadextent::nothing) {
    host_.drawingreplaced();
    host_.showwholedrawing();
    setcaption();
    host_.repaintdrawing();
    showrecords(path, records);
  }
  return extent;
}

void tfileactions::showrecords(const std::filesystem::path& path,
                               trecordchoice records) {
  // A file opened from the recent list or the command line shows its first
  // record; the status bar says that there are more.
  const std::size_t count = indexrecords(path).count();
  if (count < 2) {
    return;
  }
  host_.hostwindow().statusBar()->showMessage(
      records.all ? QStringLiteral("All %1 records loaded").arg(count)
                  : QStringLiteral("Record %1 of %2")
                        .arg(records.record + 1)
                        .arg(count));
}

void tfileactions::openrecent(int index) {
  const auto& names = recents_.names();
  if (index < 0 || index >= static_cast<int>(names.size())) {
    return;
  }
  const std::string name = names[static_cast<std::size_t>(index)];
  if (mayloseunsavedwork()) {
    openfile(qtpath(name));
  }
}

void tfileactions::import() {
  host_.dialogs().startfolder = qtpath(startfolder());
  if (const auto choice = host_.dialogs().openname(
          &host_.hostwindow(), QStringLiteral("Import Dialog"))) {
    importfile(choice->name, choice->records);
  }
}

bool tfileactions::importfile(const QString& name, trecordchoice records) {
  if (!importdocument(pathof(name), records)) {
    return false;
  }
  rememberfolder(absolutepath(name));
  showrecords(pathof(name), records);
  host_.markmodified();
  host_.showwholedrawing();
  host_.repaintdrawing();
  return true;
}

void tfileactions::save() {
  if (isuntitledname(session().drawing()->filename)) {
    saveas();
  } else {
    savefile(qtpath(session().drawing()->filename), 1);
  }
}

void tfileactions::saveas() {
  const std::filesystem::path start =
      saveasname(session().drawing()->filename, startfolder());
  if (const auto choice =
          host_.dialogs().savename(&host_.hostwindow(), qtpath(start))) {
    savefile(choice->name, choice->filter);
  }
}

bool tfileactions::savefile(const QString& name, int filter) {
  tdrawing& drawing = *session().drawing();
  if (!savecurrentdocument(absolutepath(name))) {
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
    options.windowwidth = shown_.width();
    options.windowheight = shown_.height();
    options.colourbyelement = session().settings.colourlabels;
    problem = exportpicture(drawing,
                            std::filesystem::path(native).replace_extension(
                                filter == 3 ? ".bmp" : ".jpg"),
                            options);
  }
  if (!problem.empty()) {
    session().messages().warn(problem);
  }
  addrecent(native.string());
  rememberfolder(native);
  setcaption();
  return true;
}

void tfileactions::exportpicturefile() {
  tdrawing& drawing = *session().drawing();
  tpictureoptions initial;
  initial.antialiased = true;
  initial.colourbyelement = session().settings.colourlabels;
  const std::filesystem::path start =
      std::filesystem::path(drawing.filename).replace_extension(".png");
  const std::optional<tpicturechoice> choice =
      host_.dialogs().picture(&host_.hostwindow(), qtpath(start), initial);
  if (!choice) {
    return;
  }
  std::filesystem::path path = pathof(choice->name);
  if (!pictureformatof(path)) {
    path += ".png";
  }
  const std::string problem = exportpicture(drawing, path, choice->options);
  if (!problem.empty()) {
    session().messages().warn(problem);
  }
}

void tfileactions::savemodified() {
  const tdrawing& drawing = *session().drawing();
  if (drawing.saved || drawing.atoms.count() == 0) {
    return;
  }
  save();
}

void tfileactions::editcomments() {
  if (host_.dialogs().comments(&host_.hostwindow())) {
    session().drawing()->saved = false;
    setcaption();
  }
}

void tfileactions::copyimage() { QApplication::clipboard()->setImage(shown_); }

void tfileactions::copydrawing(std::vector<tatomnote> notes) {
  copystructure(std::move(notes));
}

void tfileactions::print(const std::vector<tatomnote>& notes) {
  QPrinter printer(QPrinter::HighResolution);
  if (host_.dialogs().print(&host_.hostwindow(), printer)) {
    printto(printer, notes);
  }
}

void tfileactions::printto(QPrinter& printer,
                           const std::vector<tatomnote>& notes) {
  printdrawing(printer, notes);
}

void tfileactions::printpreview(const std::vector<tatomnote>& notes) {
  showprintpreview(&host_.hostwindow(), notes);
}

}  // namespace molvane

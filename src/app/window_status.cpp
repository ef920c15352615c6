// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
// What the main window tells the user: message boxes, the status bar and
// its progress bar, and fitting the drawing to the view after a run.
#include "app/drawing_view.h"
#include "app/file_actions.h"
#include "app/main_window.h"
#include "commands/command_codes.h"
#include "commands/command_names.h"
#include "commands/command_table.h"
#include "commands/hydrogen_commands.h"
#include "commands/make_3d.h"
#include "commands/run_summaries.h"
#include "qt/text_conversion.h"

#include <QMessageBox>
#include <QProgressBar>
#include <QStatusBar>

#include <string>

namespace molvane {

namespace {

constexpr const char* programtitle = "Molvane 3D";

QString fromutf8(const std::string& text) { return qtstring(text); }

}  // namespace

void TMolvane3D::buildstatusbar() {
  progressbar_ = new QProgressBar(this);
  progressbar_->setMaximumWidth(160);
  progressbar_->hide();
  statusBar()->addPermanentWidget(progressbar_);
}

void TMolvane3D::showsettingsproblems() {
  if (!files_->settingsproblems().empty()) {
    statusBar()->showMessage(qtstring(std::string(settingsfilename) + ", " +
                                      files_->settingsproblems().front() +
                                      " (ignored)"));
  }
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

void TMolvane3D::errordetail(const std::string& text,
                             const std::string& detail) {
  QMessageBox box(QMessageBox::Critical, QLatin1String(programtitle),
                  fromutf8(text), QMessageBox::Ok, this);
  box.setInformativeText(fromutf8(detail));
  box.exec();
}

tsaveanswer TMolvane3D::asktosave(const std::string& text) {
  switch (QMessageBox::question(
      this, QLatin1String(programtitle), fromutf8(text),
      QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel,
      QMessageBox::Save)) {
    case QMessageBox::Save:
      return tsaveanswer::save;
    case QMessageBox::Discard:
      return tsaveanswer::discard;
    default:
      break;
  }
  return tsaveanswer::cancel;
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

void TMolvane3D::showcommand() {
  const int code = state_.commandcode;
  QString text = QString::fromUtf8(helphint);
  if (code != nocommand) {
    const std::string name = commandname(code);
    const bool element = elementofcommand(code) != 0;
    text =
        (element ? QStringLiteral("Element: ") : QStringLiteral("Command: ")) +
        (name.empty() ? QString::number(code) : qtstring(name));
  }
  statusBar()->showMessage(text);
}

void TMolvane3D::showwholedrawing() { view_->showwhole(); }

void TMolvane3D::fitmodel() { view_->fitmodel(); }

void TMolvane3D::showmodel() { view_->showmodel(); }

void TMolvane3D::keepdrawinginview() { view_->keepinview(); }

QPoint TMolvane3D::windowpointof(const tatm& atom) const {
  return view_->windowpointof(atom);
}

void TMolvane3D::showclicktarget() {
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
}

void TMolvane3D::runhydrogenaction(thydrogencommand command) {
  resetcommand();
  const std::string summary =
      command == thydrogencommand::make3d
          ? make3dsummary(runmake3d())
          : hydrogensummary(command, runhydrogencommand(command));
  markmodified();
  if (command == thydrogencommand::add3d ||
      command == thydrogencommand::make3d) {
    showmodel();
  }
  statusBar()->showMessage(qtstring(summary));
}

}  // namespace molvane

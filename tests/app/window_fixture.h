// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/drawing_view.h"
#include "app/main_window.h"
#include "document/session.h"
#include "testing/test_session.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

#include <algorithm>
#include <memory>
#include <optional>

namespace molvane {

/// Answers every file question from a script and never opens a dialog.
class tscripteddialogs final : public tdialogs {
 public:
  std::optional<topenchoice> openname(QWidget*, const QString&) override {
    return name ? std::optional(topenchoice{*name, records}) : std::nullopt;
  }
  std::optional<tsavechoice> savename(QWidget*, const QString& start) override {
    proposed = start;
    return name ? std::optional(tsavechoice{*name, filter}) : std::nullopt;
  }
  bool print(QWidget*, QPrinter&) override { return false; }
  bool comments(QWidget*) override { return false; }
  void settings(QWidget*, tsettingsactions&) override {}
  std::optional<QFont> font(QWidget*, const QFont&) override {
    return chosenfont;
  }
  std::optional<tpicturechoice> picture(QWidget*, const QString&,
                                        const tpictureoptions&) override {
    return picturechoice;
  }

  std::optional<QString> name;
  trecordchoice records;
  int filter = 1;
  /// The name the window last proposed to save under.
  QString proposed;
  /// The answer of the font dialog; nullopt is Cancel.
  std::optional<QFont> chosenfont;
  /// The answer of the picture dialog; nullopt is Cancel.
  std::optional<tpicturechoice> picturechoice;
};

/// The item at a path of captions through the menu bar.
inline QAction* menuitem(QMenuBar& bar, const QStringList& path) {
  QList<QAction*> actions = bar.actions();
  QAction* found = nullptr;
  for (const QString& caption : path) {
    const auto at =
        std::find_if(actions.begin(), actions.end(),
                     [&](QAction* a) { return a->text() == caption; });
    if (at == actions.end()) {
      return nullptr;
    }
    found = *at;
    if (found->menu() != nullptr) {
      actions = found->menu()->actions();
    }
  }
  return found;
}

class MainWindow : public ::testing::Test {
 protected:
  void SetUp() override { openwindow(); }

  void openwindow() {
    window_.reset();
    window_ = std::make_unique<TMolvane3D>(folder_.path());
    session().setmessages(&messages_);
    auto dialogs = std::make_unique<tscripteddialogs>();
    dialogs_ = dialogs.get();
    window_->setdialogs(std::move(dialogs));
    window_->show();
  }

  void choose(const QStringList& path) {
    QAction* action = menuitem(*window_->menuBar(), path);
    ASSERT_NE(action, nullptr) << path.join(QLatin1Char('/')).toStdString();
    action->trigger();
  }

  void click(QPoint point, Qt::MouseButton button = Qt::LeftButton) {
    QTest::mouseClick(&window_->view(), button, Qt::NoModifier, point);
  }

  /// Presses at from, moves to to and lets go there.
  void drag(QPoint from, QPoint to, Qt::MouseButton button = Qt::LeftButton,
            Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::mousePress(&window_->view(), button, modifiers, from);
    QTest::mouseMove(&window_->view(), to);
    QTest::mouseRelease(&window_->view(), button, modifiers, to);
  }

  tdrawing& drawing() const { return *session().drawing(); }
  int atomcount() const { return drawing().atoms.count(); }
  QString menuname() const { return window_->menuBar()->objectName(); }

  /// A six-membered ring centred on (200, 200).
  void buildring() {
    choose({"&Ring", "Add", "&6"});
    click(QPoint(200, 200));
  }

  tsessionguard guard_;
  testing::ttemporaryfolder folder_;
  testing::trecordingmessages messages_;
  std::unique_ptr<TMolvane3D> window_;
  tscripteddialogs* dialogs_ = nullptr;
};

}  // namespace molvane

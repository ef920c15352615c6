// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "commands/nmr_shifts.h"

#include <QWidget>

#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;
class QStatusBar;

namespace molvane {

class tcanvas;
class ttoolhost;

/// The "NMR Tool" window: the predicted shifts of the drawing's atoms for
/// the nucleus of the settings, their labels in the drawing, a stick
/// spectrum over it, and the entry of measured shifts into the database.
class TNMRTool final : public QWidget {
 public:
  /// Reads the database of the current nucleus from datafolder.
  TNMRTool(ttoolhost& host, std::filesystem::path datafolder);
  ~TNMRTool() override;

  /// Shows the window on the current drawing, or the message that says
  /// why it cannot. Returns whether it opened.
  bool open();
  /// After the nucleus changed in the settings: the old database is
  /// written if it changed and the new one read.
  void changenucleus();

  /// The labels the drawing shows beside its atoms while the window is
  /// open.
  std::vector<tatomnote> shiftlabels() const;
  /// The spectrum over width by height pixels from row top down, when
  /// "Show Plot" is on.
  void paintspectrum(tcanvas& canvas, int width, int height, int top) const;

  /// Called when the window shows or hides.
  std::function<void()> shownchanged;

  tnmrshifts& shifts() const { return *shifts_; }
  QListWidget& list() const { return *list_; }
  QLineEdit& shiftedit() const { return *edit_; }
  QLabel& entrieslabel() const { return *entries_; }
  QPushButton& okbutton() const { return *ok_; }
  QPushButton& cancelbutton() const { return *cancel_; }
  QPushButton& deletebutton() const { return *delete_; }
  QPushButton& deleteallbutton() const { return *deleteall_; }
  QPushButton& savebutton() const { return *save_; }
  QPushButton& discobutton() const { return *disco_; }
  QPushButton& clipboardbutton() const { return *clipboard_; }
  QPushButton& printbutton() const { return *print_; }
  QButtonGroup& settingsgroup() const { return *settings_; }
  QGroupBox& settingsbox() const { return *settingsbox_; }
  QCheckBox& numbersbox() const { return *numbers_; }
  QCheckBox& plotbox() const { return *plot_; }
  /// True while the tool is open with "Show Plot" on.
  bool showsplot() const;
  QCheckBox& editbox() const { return *editing_; }
  QStatusBar& statusbar() const { return *status_; }

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void buildlist();
  /// Builds the list again when the drawing it shows was replaced.
  void keepcurrent();
  void fillrows();
  void selectrow(int row);
  void clickrow();
  /// Enter, Up or Down in the shift edit.
  void editkey(int key);
  void ok();
  void cancel();
  void deleterow();
  void deleteall();
  void savedatabase();
  void copy();
  void disco();
  void seteditable(bool on);
  void setbusy(bool busy);
  tshiftfilter filter() const;
  void showentries();

  ttoolhost& host_;
  std::filesystem::path datafolder_;
  std::unique_ptr<tnmrshifts> shifts_;
  QListWidget* list_ = nullptr;
  QLineEdit* edit_ = nullptr;
  QLabel* addlabel_ = nullptr;
  QLabel* entries_ = nullptr;
  QPushButton* ok_ = nullptr;
  QPushButton* cancel_ = nullptr;
  QPushButton* help_ = nullptr;
  QPushButton* print_ = nullptr;
  QPushButton* clipboard_ = nullptr;
  QPushButton* delete_ = nullptr;
  QPushButton* deleteall_ = nullptr;
  QPushButton* save_ = nullptr;
  QPushButton* disco_ = nullptr;
  QGroupBox* settingsbox_ = nullptr;
  QButtonGroup* settings_ = nullptr;
  QCheckBox* numbers_ = nullptr;
  QCheckBox* plot_ = nullptr;
  QCheckBox* editing_ = nullptr;
  QProgressBar* progress_ = nullptr;
  QStatusBar* status_ = nullptr;
};

}  // namespace molvane

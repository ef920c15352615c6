// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/picture_dialog.h"
#include "commands/record_choice.h"

#include <QFont>
#include <QString>

#include <optional>

class QPrinter;
class QWidget;

namespace molvane {

class tsettingsactions;

/// The file choices the window asks the user for. The window owns one;
/// tests replace it so that no modal dialog ever opens.
class tdialogs {
 public:
  virtual ~tdialogs() = default;
  /// The folder the Open and Import dialogs start in; empty for the
  /// working folder.
  QString startfolder;
  /// A file to open or import, and which of its records when it holds
  /// several; nullopt on Cancel.
  struct topenchoice {
    QString name;
    trecordchoice records;
  };
  virtual std::optional<topenchoice> openname(QWidget* parent,
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
  /// Shows the Settings dialog, whose choices take effect at once.
  virtual void settings(QWidget* parent, tsettingsactions& actions);
  /// A font chosen from start; nullopt on Cancel.
  virtual std::optional<QFont> font(QWidget* parent, const QFont& start);
  /// A picture file to export and its options (askpicture); nullopt on
  /// Cancel.
  virtual std::optional<tpicturechoice> picture(QWidget* parent,
                                                const QString& start,
                                                const tpictureoptions& initial);
};

/// The filters of the save dialog, in the order of their indexes 1 .. 7.
QString savefilters();

}  // namespace molvane

// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QWidget>

class QTextBrowser;

namespace molvane {

/// Help topics by context number; an unknown number shows the general help.
QString helppage(int context);

/// A window showing the help pages compiled into the program.
class thelpwindow final : public QWidget {
 public:
  explicit thelpwindow(QWidget* parent);
  void showtopic(int context);
  /// The page shown, as its resource address.
  QString currentpage() const;

 private:
  QTextBrowser* browser_ = nullptr;
};

}  // namespace molvane

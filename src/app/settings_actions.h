// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "io/defaults_record.h"

#include <filesystem>
#include <functional>
#include <string>

class QWidget;

namespace molvane {

class ttoolhost;

/// The Settings dialog's choices and the label font: each takes effect at
/// once, on the session's settings and the current drawing, and is kept in
/// the defaults record of the program's data folder.
class tsettingsactions {
 public:
  /// Reads the defaults record of datafolder into the session's settings;
  /// a missing or damaged record is written anew (see loaderror()).
  tsettingsactions(ttoolhost& host, std::filesystem::path datafolder);

  /// Why the defaults record had to be written anew; empty when it was read.
  const std::string& loaderror() const { return loaderror_; }
  const tdefaultsrecord& defaults() const { return defaults_; }

  /// Shows the Settings dialog.
  void opendialog();
  /// Lets the user pick the label font from the font dialog.
  void choosefont(QWidget* parent);

  /// The entries of the dialog's lists, by index (clamped to the list).
  void setlinewidth(int index);
  void setscale(int index);
  void setjump(int index);
  void setdoublebond(int index);
  void setnmr(int index);
  /// "Colour labels by element" and "Smooth lines and text" of the dialog.
  void setcolourlabels(bool on);
  void setsmoothscreen(bool on);

  /// Stores the session's settings in the defaults record.
  void savedefaults();

  /// Called after setnmr chose another nucleus.
  std::function<void()> nucleuschanged;

 private:
  ttoolhost& host_;
  std::filesystem::path datafolder_;
  tdefaultsrecord defaults_;
  std::string loaderror_;
};

}  // namespace molvane

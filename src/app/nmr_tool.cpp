// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/nmr_tool.h"

#include "app/tool_host.h"
#include "app/tool_placement.h"
#include "commands/nmr_texts.h"
#include "document/drawing.h"
#include "document/messages.h"
#include "document/session.h"
#include "nmr/database_files.h"
#include "qt/text_conversion.h"
#include "render/spectrum_plot.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCoreApplication>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QVBoxLayout>

#include <array>
#include <filesystem>
#include <initializer_list>
#include <utility>

namespace molvane {

namespace {

constexpr int helpcontext = 124;
constexpr int progresssteps = 20;
/// Rows the list shows at least; more while the shift edit is hidden.
constexpr int listrows = 12;

/// The window's progress bar as the core's progress display.
class tbarprogress final : public tprogress {
 public:
  explicit tbarprogress(QProgressBar& bar) : bar_(bar) {}
  void setrange(int minimum, int maximum) override {
    bar_.setRange(minimum, maximum);
    bar_.setValue(minimum);
  }
  void step(int amount) override {
    // The bar runs 0 to 20 and starts again, however many peaks there are.
    const int next = bar_.value() + amount;
    bar_.setValue(next > bar_.maximum() ? bar_.minimum() : next);
  }
  void reset() override { bar_.setValue(bar_.minimum()); }

 private:
  QProgressBar& bar_;
};

}  // namespace

TNMRTool::TNMRTool(ttoolhost& host, std::filesystem::path datafolder)
    : QWidget(&host.hostwindow(), Qt::Tool | Qt::WindowStaysOnTopHint),
      host_(host),
      datafolder_(std::move(datafolder)),
      shifts_(std::make_unique<tnmrshifts>(datafolder_,
                                           session().settings.nmrnucleus)) {
  setWindowTitle(QStringLiteral("NMR Tool"));
  auto* outer = new QVBoxLayout(this);

  auto* columns = new QHBoxLayout;
  auto* left = new QVBoxLayout;
  auto* header = new QLabel(QStringLiteral("#      Shift    nH "), this);
  const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  header->setFont(fixed);
  left->addWidget(header);
  list_ = new QListWidget(this);
  list_->setFont(fixed);
  list_->setObjectName(QStringLiteral("ListBox1"));
  list_->setMinimumSize(
      QFontMetrics(fixed).horizontalAdvance(QString(24, QLatin1Char('0'))) + 24,
      listrows * QFontMetrics(fixed).height() + 8);
  // The header's columns start where the rows' do.
  header->setIndent(list_->frameWidth() + 2);
  left->addWidget(list_);
  auto* editrow = new QHBoxLayout;
  addlabel_ = new QLabel(QStringLiteral("Add Shift"), this);
  edit_ = new QLineEdit(this);
  edit_->setObjectName(QStringLiteral("EditShift"));
  edit_->installEventFilter(this);
  editrow->addWidget(addlabel_);
  editrow->addWidget(edit_);
  left->addLayout(editrow);
  entries_ = new QLabel(this);
  entries_->setToolTip(QStringLiteral("Entries in shift database"));
  left->addWidget(entries_);
  columns->addLayout(left, 1);

  auto* right = new QVBoxLayout;
  settingsbox_ = new QGroupBox(this);
  auto* settingslayout = new QVBoxLayout(settingsbox_);
  settings_ = new QButtonGroup(settingsbox_);
  const std::array<const char*, 3> filters{"All", "Filtered", "None"};
  for (int i = 0; i < 3; ++i) {
    auto* button = new QRadioButton(
        QString::fromUtf8(filters[static_cast<std::size_t>(i)]), settingsbox_);
    settings_->addButton(button, i);
    settingslayout->addWidget(button);
  }
  settings_->button(1)->setChecked(true);
  right->addWidget(settingsbox_);
  numbers_ = new QCheckBox(QStringLiteral("Hide #s"), this);
  plot_ = new QCheckBox(QStringLiteral("Show Plot"), this);
  editing_ = new QCheckBox(QStringLiteral("Edit DB"), this);
  editing_->setToolTip(QStringLiteral("Teach the shift database"));
  for (QCheckBox* box : {numbers_, plot_, editing_}) {
    right->addWidget(box);
  }
  auto* buttons = new QGridLayout;
  auto button = [this, buttons](const char* caption, int row, int column) {
    auto* made = new QPushButton(QString::fromUtf8(caption), this);
    buttons->addWidget(made, row, column);
    return made;
  };
  ok_ = button("OK", 0, 0);
  cancel_ = button("Cancel", 0, 1);
  print_ = button("Print", 1, 0);
  clipboard_ = button("Clipbrd", 1, 1);
  disco_ = button("Disco", 2, 0);
  help_ = button("Help", 2, 1);
  // The database's own buttons last: they hide while editing is off.
  delete_ = button("Delete *", 3, 0);
  deleteall_ = button("Del All *", 3, 1);
  save_ = button("Save DB", 4, 0);
  disco_->setEnabled(false);
  right->addLayout(buttons);
  right->addStretch(1);
  columns->addLayout(right);
  outer->addLayout(columns);

  progress_ = new QProgressBar(this);
  progress_->setRange(0, progresssteps);
  progress_->setTextVisible(false);
  progress_->setMaximumHeight(12);
  outer->addWidget(progress_);
  status_ = new QStatusBar(this);
  status_->setSizeGripEnabled(false);
  outer->addWidget(status_);

  connect(list_, &QListWidget::itemClicked, this, [this] { clickrow(); });
  connect(list_, &QListWidget::currentRowChanged, this, [this] { clickrow(); });
  connect(ok_, &QPushButton::clicked, this, [this] { ok(); });
  connect(cancel_, &QPushButton::clicked, this, [this] { cancel(); });
  connect(delete_, &QPushButton::clicked, this, [this] { deleterow(); });
  connect(deleteall_, &QPushButton::clicked, this, [this] { deleteall(); });
  connect(save_, &QPushButton::clicked, this, [this] { savedatabase(); });
  connect(disco_, &QPushButton::clicked, this, [this] { disco(); });
  connect(clipboard_, &QPushButton::clicked, this, [this] { copy(); });
  connect(print_, &QPushButton::clicked, this, [this] { host_.printwindow(); });
  connect(help_, &QPushButton::clicked, this,
          [this] { host_.showhelp(helpcontext); });
  connect(settings_, &QButtonGroup::idClicked, this, [this] {
    session().drawing()->shownmrshifts = filter() != tshiftfilter::none;
    host_.repaintdrawing();
  });
  connect(numbers_, &QCheckBox::clicked, this, [this](bool hide) {
    session().drawing()->shownumbers = hide ? 0 : 1;
    host_.repaintdrawing();
  });
  connect(plot_, &QCheckBox::clicked, this, [this] {
    // The plot takes the lower half; the drawing moves up out of its way.
    host_.keepdrawinginview();
    host_.repaintdrawing();
  });
  connect(editing_, &QCheckBox::toggled, this,
          [this](bool on) { seteditable(on); });
  // The window keeps the size it has with the edit shown; without it the
  // list takes the room. Database editing starts switched off.
  seteditable(true);
  setFixedSize(sizeHint());
  seteditable(false);
}

TNMRTool::~TNMRTool() {
  // A nucleus's database keeps what was taught even when the program
  // ends with the window open.
  shifts_->save();
}

bool TNMRTool::open() {
  tdrawing& drawing = *session().drawing();
  const std::string problem =
      nmropenproblem(drawing, session().settings.nmrnucleus);
  if (!problem.empty()) {
    session().messages().error(problem);
    return false;
  }
  if (shifts_->nucleus() != session().settings.nmrnucleus) {
    changenucleus();
  }
  host_.choosecommand(0);
  list_->clear();
  // Beside the drawing, so that the labels and the spectrum stay in view.
  adjustSize();
  move(besidemainwindow(host_, *this));
  show();
  raise();
  buildlist();
  selectrow(0);
  edit_->clear();
  return true;
}

void TNMRTool::changenucleus() {
  shifts_->clear();
  // What was taught to the old nucleus is kept before its database goes.
  shifts_->save();
  shifts_ =
      std::make_unique<tnmrshifts>(datafolder_, session().settings.nmrnucleus);
  showentries();
  if (isVisible()) {
    hide();
  }
}

void TNMRTool::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  host_.seteditormode(teditormode::nmr);
  settingsbox_->setTitle(qtstring(nucleuslabel(shifts_->nucleus())));
  session().drawing()->shownmrshifts = filter() != tshiftfilter::none;
  showentries();
  if (shownchanged) {
    shownchanged();
  }
}

void TNMRTool::hideEvent(QHideEvent* event) {
  QWidget::hideEvent(event);
  shifts_->clear();
  list_->clear();
  session().drawing()->shownmrshifts = false;
  settings_->button(1)->setChecked(true);
  host_.seteditormode(teditormode::drawing);
  host_.repaintdrawing();
  if (shownchanged) {
    shownchanged();
  }
}

tshiftfilter TNMRTool::filter() const {
  switch (settings_->checkedId()) {
    case 0:
      return tshiftfilter::all;
    case 2:
      return tshiftfilter::none;
    default:
      return tshiftfilter::filtered;
  }
}

void TNMRTool::showentries() {
  entries_->setText(QString::number(shifts_->entrycount()));
  const int nucleus = shifts_->nucleus();
  const std::string note =
      untaughtnucleusnote(nucleus,
                          std::filesystem::exists(shippeddatabasefolder() /
                                                  databasefilename(nucleus)),
                          shifts_->entrycount());
  if (!note.empty()) {
    status_->showMessage(qtstring(note));
  }
}

void TNMRTool::seteditable(bool on) {
  for (QWidget* widget : std::initializer_list<QWidget*>{
           edit_, addlabel_, entries_, delete_, deleteall_, save_}) {
    widget->setVisible(on);
    widget->setEnabled(on);
  }
}

void TNMRTool::keepcurrent() {
  if (!shifts_->built()) {
    buildlist();
  }
}

void TNMRTool::buildlist() {
  tdrawing& drawing = *session().drawing();
  drawing.shownumbers = numbers_->isChecked() ? 0 : 1;
  tbarprogress progress(*progress_);
  shifts_->build(drawing, &progress);
  fillrows();
  host_.repaintdrawing();
}

void TNMRTool::fillrows() {
  const int current = list_->currentRow();
  const QSignalBlocker blocker(list_);
  list_->clear();
  const bool proton = shifts_->nucleus() == 1;
  for (const tpeakrow& row : shifts_->rows()) {
    list_->addItem(qtstring(peakrowtext(row, proton)));
  }
  if (current >= 0 && current < list_->count()) {
    list_->setCurrentRow(current);
  }
  showentries();
}

void TNMRTool::selectrow(int row) {
  if (list_->count() == 0) {
    return;
  }
  list_->setCurrentRow(row >= 0 && row < list_->count() ? row : 0);
  clickrow();
}

void TNMRTool::clickrow() {
  disco_->setEnabled(shifts_->predictrow(list_->currentRow()) == 7);
}

bool TNMRTool::eventFilter(QObject* watched, QEvent* event) {
  if (watched == edit_ && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Up ||
        key == Qt::Key_Down) {
      editkey(key);
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

void TNMRTool::editkey(int key) {
  keepcurrent();
  const int count = list_->count();
  if (count == 0) {
    return;
  }
  const int row = list_->currentRow();
  if (const std::optional<double> shift =
          parseshifts(edit_->text().toStdString())) {
    if (shifts_->addshift(row, *shift)) {
      fillrows();
      host_.repaintdrawing();
    }
  }
  int next = row;
  if (key == Qt::Key_Up) {
    next = row <= 0 ? count - 1 : row - 1;
  } else if (key == Qt::Key_Down) {
    next = row + 1 >= count ? 0 : row + 1;
  } else {
    // Enter passes over the atoms the database already knows exactly.
    const std::vector<tpeakrow> rows = shifts_->rows();
    do {
      next = next + 1 >= count ? 0 : next + 1;
    } while (next != 0 && rows[static_cast<std::size_t>(next)].level >= 7);
  }
  selectrow(next);
  edit_->clear();
}

void TNMRTool::ok() {
  shifts_->accept();
  hide();
  host_.repaintdrawing();
}

void TNMRTool::cancel() {
  shifts_->cancel();
  buildlist();
  selectrow(0);
}

void TNMRTool::deleterow() {
  keepcurrent();
  const int row = list_->currentRow();
  shifts_->deleterow(row);
  fillrows();
  selectrow(row);
  host_.repaintdrawing();
}

void TNMRTool::deleteall() {
  keepcurrent();
  shifts_->deleteall();
  fillrows();
  selectrow(0);
  host_.repaintdrawing();
}

void TNMRTool::savedatabase() {
  if (shifts_->nucleus() != 0) {
    shifts_->savedatabase();
  }
  showentries();
}

void TNMRTool::copy() {
  if (session().drawing()->atoms.count() == 0) {
    session().messages().warn("Nothing to Copy");
    return;
  }
  if (plot_->isChecked()) {
    host_.copywindow();
  } else {
    host_.copydrawing();
  }
}

void TNMRTool::setbusy(bool busy) {
  for (QPushButton* button : {ok_, cancel_, help_, print_, clipboard_, delete_,
                              deleteall_, save_, disco_}) {
    button->setEnabled(!busy);
  }
  list_->setEnabled(!busy);
  edit_->setEnabled(!busy && editing_->isChecked());
}

void TNMRTool::disco() {
  keepcurrent();
  const int row = list_->currentRow();
  setbusy(true);
  shifts_->disco(row, [this](const std::string& text) {
    status_->showMessage(qtstring(text));
    QCoreApplication::processEvents();
  });
  setbusy(false);
  seteditable(editing_->isChecked());
  fillrows();
  clickrow();
  host_.repaintdrawing();
}

std::vector<tatomnote> TNMRTool::shiftlabels() const {
  if (!isVisible() || !session().drawing()->shownmrshifts) {
    return {};
  }
  return shifts_->shiftlabels(filter());
}

bool TNMRTool::showsplot() const { return isVisible() && plot_->isChecked(); }

void TNMRTool::paintspectrum(tcanvas& canvas, int width, int height,
                             int top) const {
  if (!isVisible() || !plot_->isChecked()) {
    return;
  }
  const tspectrum spectrum = shifts_->spectrum();
  if (spectrum.lines.empty()) {
    return;
  }
  TSpecPlot plot(width, height, 0.0, spectrum.b);
  plot.fitshifts();
  plot.settop(top);
  plot.draw(canvas, spectrum.lines, spectrum.low, spectrum.high);
}

}  // namespace molvane

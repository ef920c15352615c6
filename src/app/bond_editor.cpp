// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/bond_editor.h"

#include "app/editor_windows.h"
#include "app/palette_pictures.h"
#include "app/tool_host.h"
#include "commands/click_anchor.h"
#include "commands/editor_commands.h"
#include "document/drawing.h"
#include "document/session.h"
#include "model/atom.h"
#include "model/bond.h"
#include "qt/text_conversion.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QCursor>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <optional>
#include <string>

namespace molvane {

namespace {

constexpr int sliderwidth = 26;
constexpr int picturecolumns = 3;
constexpr QSize picturesize(40, 20);

struct tbutton {
  const char* name;
  const char* caption;
  const char* hint;
  void (*action)(TBondEditor& editor);
};

const tbutton buttons[] = {
    {"LineButton", "Line", "Toggle line thickness",
     [](TBondEditor& editor) { editor.cyclewidth(); }},
    {"DeleteButton", "Delete", "Delete bond and update atomic valences",
     [](TBondEditor& editor) { editor.remove(); }},
    {"Button1", "<|>", "Shift multiple bond left, center and right",
     [](TBondEditor& editor) { editor.shiftline(); }},
};

}  // namespace

TBondEditor::TBondEditor(ttoolhost& window)
    : QWidget(&window.hostwindow(), Qt::Tool | Qt::WindowStaysOnTopHint),
      window_(window) {
  setObjectName(QStringLiteral("BondEditor"));
  setWindowTitle(QStringLiteral("Bond Editor"));
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(2, 2, 2, 2);
  scrollbar1_ = new QScrollBar(Qt::Vertical, this);
  scrollbar1_->setObjectName(QStringLiteral("ScrollBar1"));
  scrollbar1_->setFixedWidth(sliderwidth);
  layout->addWidget(scrollbar1_);

  auto* column = new QVBoxLayout;
  layout->addLayout(column);
  auto* pictures = new QGridLayout;
  pictures->setSpacing(2);
  column->addLayout(pictures);
  for (int tag = firstbondtag; tag <= lastbondtag; ++tag) {
    auto* image = new QToolButton(this);
    image->setObjectName(QStringLiteral("Image%1").arg(tag));
    image->setToolTip(QStringLiteral("Select bond type "));
    image->setFocusPolicy(Qt::NoFocus);
    image->setIconSize(picturesize);
    image->setIcon(QPixmap::fromImage(bondpicture(tag, picturesize)));
    pictures->addWidget(image, (tag - 1) / picturecolumns,
                        (tag - 1) % picturecolumns);
    connect(image, &QToolButton::clicked, this, [this, tag] { applytag(tag); });
  }

  auto* label1 = new QLabel(QStringLiteral("Bond Energy (Kcal)"), this);
  label1->setObjectName(QStringLiteral("Label1"));
  column->addWidget(label1);
  edit1_ = new QLineEdit(this);
  edit1_->setObjectName(QStringLiteral("Edit1"));
  column->addWidget(edit1_);
  connect(edit1_, &QLineEdit::returnPressed, this, [this] { enterenergy(); });

  auto* row = new QHBoxLayout;
  row->setSpacing(2);
  column->addLayout(row);
  for (const tbutton& entry : buttons) {
    QPushButton* button =
        makebutton(*this, entry.name, entry.caption, entry.hint);
    row->addWidget(button);
    connect(button, &QPushButton::clicked, this,
            [this, action = entry.action] { action(*this); });
  }

  auto* panel1 = new QFrame(this);
  panel1->setObjectName(QStringLiteral("Panel1"));
  panel1->setToolTip(QStringLiteral("Bond length and strain energy"));
  panel1->setFrameShape(QFrame::StyledPanel);
  auto* values = new QHBoxLayout(panel1);
  values->setContentsMargins(4, 2, 4, 2);
  bondlength_ = new QLabel(QStringLiteral("0.00\u00C5"), panel1);
  bondlength_->setObjectName(QStringLiteral("BondLength"));
  strainenergy_ = new QLabel(QStringLiteral("0.00Kcal"), panel1);
  strainenergy_->setObjectName(QStringLiteral("StrainEnergy"));
  values->addWidget(bondlength_);
  values->addStretch();
  values->addWidget(strainenergy_);
  column->addWidget(panel1);

  auto* group = new QGroupBox(this);
  group->setObjectName(QStringLiteral("RadioGroup1"));
  group->setToolTip(QStringLiteral("Select scroll function"));
  auto* choices = new QHBoxLayout(group);
  pivot_ = new QRadioButton(QStringLiteral("Pivot"), group);
  rotate_ = new QRadioButton(QStringLiteral("Rotate"), group);
  zoom_ = new QRadioButton(QStringLiteral("Zoom"), group);
  for (QRadioButton* choice : {pivot_, rotate_, zoom_}) {
    choices->addWidget(choice);
    connect(choice, &QRadioButton::clicked, this, [this] {
      if (tbond* bond = editbond()) {
        bond->refresh();
      }
      resetslider();
    });
  }
  column->addWidget(group);

  auto* bottom = new QHBoxLayout;
  column->addLayout(bottom);
  checkbox1_ = new QCheckBox(QStringLiteral("Aromatic"), this);
  checkbox1_->setObjectName(QStringLiteral("CheckBox1"));
  checkbox1_->setFocusPolicy(Qt::NoFocus);
  bottom->addWidget(checkbox1_);
  connect(checkbox1_, &QCheckBox::clicked, this,
          [this](bool checked) { setaromatic(checked); });
  QPushButton* okbutton = makebutton(*this, "OKbutton", "Done", "");
  bottom->addWidget(okbutton);
  connect(okbutton, &QPushButton::clicked, this, [this] { done(); });

  connectslider(
      *scrollbar1_, *this, resting_, [this](int position) { slide(position); },
      [this] { endslide(); });
  pivot_->setChecked(true);
  resetslider();
  // Its size is known before it is first placed.
  adjustSize();
}

tbond* TBondEditor::editbond() const {
  tbond* bond = editbond_.get();
  if (bond == nullptr || !session().drawing()->bonds.contains(bond)) {
    return nullptr;
  }
  return bond;
}

tatm* TBondEditor::pivotatom() const {
  tbond* bond = editbond();
  tatm* pivot = pivotatom_.get();
  return bond != nullptr && bond->hasatom(pivot) ? pivot : nullptr;
}

QToolButton* TBondEditor::picture(int tag) const {
  return findChild<QToolButton*>(QStringLiteral("Image%1").arg(tag));
}

tbondenergies& TBondEditor::energies() {
  if (!energiesloaded_) {
    energiesloaded_ = true;
    const std::string problem =
        energies_.loadenergies(window_.datafolder() / bondenergyfilename);
    if (!problem.empty()) {
      session().messages().warn(problem);
    }
  }
  return energies_;
}

void TBondEditor::openon(tbond* bond, QPoint point) {
  if (bond == nullptr || !session().drawing()->bonds.contains(bond)) {
    return;
  }
  select(*bond, point);
  window_.seteditormode(teditormode::bondeditor);
  window_.repaintdrawing();
}

void TBondEditor::pickat(QPoint point) {
  tbond* bond = nearestbond(*session().drawing(), point.x(), point.y());
  if (bond == nullptr) {
    return;
  }
  select(*bond, point);
  window_.repaintdrawing();
}

void TBondEditor::dragstart(QPoint) {
  dragged_ = false;
  tbond* bond = editbond();
  if (bond == nullptr) {
    return;
  }
  // The cursor goes to the bond's midpoint, which then follows it.
  QCursor::setPos(window_.drawingarea().mapToGlobal(middleinview(*bond)));
  window_.repaintdrawing();
}

void TBondEditor::dragmove(QPoint point) {
  tbond* bond = editbond();
  if (bond == nullptr) {
    return;
  }
  if (!dragged_) {
    takeeditsnapshot(&step_);
    window_.markmodified();
    dragged_ = true;
  }
  bond->dragtocursor(point.x(), point.y());
  window_.repaintdrawing();
}

void TBondEditor::dragend(QPoint) {
  tbond* bond = editbond();
  if (dragged_ && bond != nullptr) {
    // The bonds of both ends take the new geometry.
    finishatomdrag(*bond->atom1);
    finishatomdrag(*bond->atom2);
    bond->highlight();
    showlabels();
    window_.repaintdrawing();
  }
  dragged_ = false;
}

void TBondEditor::applytag(int tag) {
  if (runbondtag(editbond(), tag, &step_)) {
    showlabels();
    window_.markmodified();
    window_.repaintdrawing();
  }
}

void TBondEditor::shiftline() {
  tbond* bond = editbond();
  if (bond == nullptr) {
    return;
  }
  beforechange();
  if (shiftsecondline(*bond)) {
    changed();
  }
}

void TBondEditor::cyclewidth() {
  if (tbond* bond = editbond()) {
    beforechange();
    bond->setwidth(255);
    changed();
  }
}

void TBondEditor::remove() {
  tbond* bond = editbond();
  editbond_.clear();
  pivotatom_.clear();
  if (bond != nullptr && deletebond(bond, &step_)) {
    window_.markmodified();
  }
  finish();
}

void TBondEditor::setaromatic(bool aromatic) {
  checkbox1_->setChecked(aromatic);
  if (tbond* bond = editbond()) {
    beforechange();
    bond->setdelocalised(aromatic);
    showlabels();
    changed();
  }
}

void TBondEditor::setsliderfunction(tbondslider function) {
  QRadioButton* choice = function == tbondslider::pivot    ? pivot_
                         : function == tbondslider::rotate ? rotate_
                                                           : zoom_;
  choice->click();
}

void TBondEditor::enterenergy() {
  tbond* bond = editbond();
  const std::optional<float> value =
      bondenergyvalue(utf8string(edit1_->text()));
  edit1_->clear();
  if (bond == nullptr || !value) {
    return;
  }
  tbondenergies& table = energies();
  table.addenergy(TBondEnergy(*bond, *value));
  // The entry stays filed when the table cannot be written.
  const std::string problem = table.saveenergies();
  if (!problem.empty()) {
    session().messages().warn(problem);
  }
}

void TBondEditor::done() { finish(); }

void TBondEditor::closeEvent(QCloseEvent* event) {
  finish();
  event->accept();
}

void TBondEditor::select(tbond& bond, QPoint point) {
  clearcolours(*session().drawing());
  if (editbond() != &bond) {
    step_.restart();
  }
  editbond_.set(&bond);
  pivotatom_.set(nearerend(bond, point.x(), point.y()));
  checkbox1_->setChecked(bond.isdelocalised());
  bond.highlight();
  showeditor();
  showlabels();
}

void TBondEditor::showeditor() {
  resetslider();
  if (tbond* bond = editbond()) {
    // As the atom editor does, the window keeps clear of the bond's half
    // of the main window.
    const QRect frame = window_.hostwindow().frameGeometry();
    if (middleinview(*bond).x() < window_.drawingarea().width() / 2) {
      move(frame.right() + 1 - frameGeometry().width(), frame.top());
    } else {
      move(frame.left(), frame.top());
    }
  }
  show();
  raise();
}

QPoint TBondEditor::middleinview(const tbond& bond) const {
  return (window_.windowpointof(*bond.atom1) +
          window_.windowpointof(*bond.atom2)) /
         2;
}

void TBondEditor::showlabels() {
  if (tbond* bond = editbond()) {
    bondlength_->setText(qtstring(bondlengthtext(*bond)));
    strainenergy_->setText(qtstring(strainenergytext(*bond)));
  }
}

void TBondEditor::beforechange() {
  if (takeeditsnapshot(&step_)) {
    window_.markmodified();
  }
}

void TBondEditor::changed() {
  if (tbond* bond = editbond()) {
    bond->highlight();
  }
  session().drawing()->saved = false;
  window_.repaintdrawing();
}

tbondslider TBondEditor::sliderfunction() const {
  if (zoom_->isChecked()) {
    return tbondslider::zoom;
  }
  return rotate_->isChecked() ? tbondslider::rotate : tbondslider::pivot;
}

void TBondEditor::resetslider() {
  const tbondsliderrange range = bondsliderrange(sliderfunction());
  resting_ = true;
  scrollbar1_->setRange(range.minimum, range.maximum);
  scrollbar1_->setValue(range.rest);
  resting_ = false;
  sliding_ = false;
}

void TBondEditor::slide(int position) {
  tbond* bond = editbond();
  if (bond == nullptr) {
    return;
  }
  if (!sliding_) {
    takeeditsnapshot(&step_);
    window_.markmodified();
    sliding_ = true;
  }
  bond->highlight();
  slidebond(*bond, pivotatom(), sliderfunction(), position,
            [this] { window_.repaintdrawing(); });
}

void TBondEditor::endslide() {
  if (tbond* bond = editbond(); bond != nullptr && sliding_) {
    releasebond(*bond, pivotatom(), sliderfunction(), scrollbar1_->value());
    finishatomdrag(*bond->atom1);
    finishatomdrag(*bond->atom2);
    showlabels();
    window_.repaintdrawing();
  }
  resetslider();
}

void TBondEditor::finish() {
  clearcolours(*session().drawing());
  editbond_.clear();
  pivotatom_.clear();
  dragged_ = false;
  step_.restart();
  edit1_->clear();
  closeeditor(*this, window_, {teditormode::bondeditor});
}

}  // namespace molvane

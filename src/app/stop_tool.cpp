// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/stop_tool.h"

#include "app/tool_host.h"
#include "commands/run_summaries.h"
#include "document/drawing.h"
#include "document/session.h"
#include "io/settings_file.h"
#include "mechanics/optimizer.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHideEvent>
#include <QLabel>
#include <QMainWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QVBoxLayout>

#include <array>
#include <cmath>

namespace molvane {

namespace {

constexpr int helpcontext = 131;
constexpr std::array<double, 6> tolerances{300, 100, 30, 10, 3, 1};
/// Minimum jumps in Å.
constexpr std::array<double, 6> jumps{0.1, 0.03, 0.01, 0.003, 0.001, 0.0003};
constexpr std::array<const char*, 5> captions{
    "Optimize Geometry", "Anneal Geometry", "Global Geometry",
    "Random Geometry", "Refine Geometry"};
constexpr std::array<toptimizermethod, 5> atomcodes{
    toptimizermethod::normal, toptimizermethod::anneal,
    toptimizermethod::global, toptimizermethod::random,
    toptimizermethod::refine};
constexpr std::array<toptimizermethod, 2> moleculecodes{
    toptimizermethod::moleculesnormal, toptimizermethod::moleculesanneal};

bool validstructure(const tdrawing& drawing) {
  if (drawing.atoms.count() <= 1) {
    return false;
  }
  for (const tatm* atom : drawing.atoms) {
    if (atom->kind == chemicalatomkind && atom->element == 0) {
      return false;
    }
  }
  return true;
}

QString fixed(double value, int width, int decimals) {
  return QStringLiteral("%1").arg(value, width, 'f', decimals);
}

/// A titled group of radio buttons, one chosen by index.
QButtonGroup* radiogroup(QWidget* owner, QLayout& into, const QString& title,
                         const QStringList& items, int chosen,
                         const QString& hint) {
  auto* box = new QGroupBox(title, owner);
  box->setToolTip(hint);
  auto* layout = new QVBoxLayout(box);
  auto* group = new QButtonGroup(box);
  for (int i = 0; i < items.size(); ++i) {
    auto* button = new QRadioButton(items[i], box);
    group->addButton(button, i);
    layout->addWidget(button);
  }
  group->button(chosen)->setChecked(true);
  into.addWidget(box);
  return group;
}

}  // namespace

QString energytext(double energy) {
  const double kcal = energy * 0.001;
  if (std::abs(energy) < 1000.0) {
    return fixed(kcal, 5, 3);
  }
  return fixed(kcal, 8, std::abs(energy) < 1000000.0 ? 1 : 0);
}

TStopTool::TStopTool(ttoolhost& host)
    : QWidget(&host.hostwindow(), Qt::Tool | Qt::WindowStaysOnTopHint),
      host_(host),
      placement_(host, &tsettingsfile::optimizerplace) {
  setWindowTitle(QStringLiteral("Optimizing Geometry"));
  auto* outer = new QVBoxLayout(this);

  const QString pehint = QStringLiteral("Potential energy in kcal");
  auto* energyrow = new QHBoxLayout;
  auto* pe = new QLabel(QStringLiteral("PE"), this);
  energy_ = new QLabel(this);
  auto* kcal = new QLabel(QStringLiteral("Kcal"), this);
  for (QLabel* label : {pe, energy_, kcal}) {
    label->setToolTip(pehint);
    energyrow->addWidget(label);
  }
  low_ = new QLabel(QStringLiteral("Low PE="), this);
  low_->setToolTip(QStringLiteral("Lowest energy conformer"));
  energyrow->addWidget(low_);
  outer->addLayout(energyrow);
  gradient_ = new QLabel(this);
  gradient_->setToolTip(
      QString::fromUtf8("Root-mean-square gradient in kcal/(mol\u00b7\u00c5)"));
  outer->addWidget(gradient_);

  auto* groups = new QHBoxLayout;
  tolerance_ = radiogroup(
      this, *groups, QStringLiteral("dPE(cal)"),
      {QStringLiteral("300"), QStringLiteral("100"), QStringLiteral("  30"),
       QStringLiteral("  10"), QStringLiteral("   3"), QStringLiteral("   1 ")},
      2, QStringLiteral("Minimum energy tolerance"));
  jump_ = radiogroup(
      this, *groups, QString::fromUtf8("dR(m\u00c5)"),
      {QStringLiteral("100"), QStringLiteral("30"), QStringLiteral("10"),
       QStringLiteral("3"), QStringLiteral("1"), QStringLiteral("0.3")},
      2, QStringLiteral("Minimum jump in m\u00c5"));
  method_ = radiogroup(this, *groups, QStringLiteral("Method"),
                       {QStringLiteral("Normal"), QStringLiteral("Anneal"),
                        QStringLiteral("Global"), QStringLiteral("Random"),
                        QStringLiteral("Refine")},
                       0, {});
  mode_ =
      radiogroup(this, *groups, QStringLiteral("Mode"),
                 {QStringLiteral("Atoms"), QStringLiteral("Molecules")}, 0, {});
  outer->addLayout(groups);
  connect(method_, &QButtonGroup::idClicked, this,
          [this](int id) { choosemethod(id); });
  connect(mode_, &QButtonGroup::idClicked, this,
          [this](int id) { choosemode(id); });

  auto* temperaturerow = new QGridLayout;
  temperaturerow->addWidget(new QLabel(QStringLiteral("Anneal Temp"), this), 0,
                            1, Qt::AlignCenter);
  temperaturerow->addWidget(new QLabel(QStringLiteral("Cold"), this), 1, 0);
  temperature_ = new QScrollBar(Qt::Horizontal, this);
  temperature_->setRange(0, 1000);
  temperature_->setValue(273);
  temperature_->setEnabled(false);
  temperaturerow->addWidget(temperature_, 1, 1);
  temperaturerow->addWidget(new QLabel(QStringLiteral("Hot"), this), 1, 2);
  outer->addLayout(temperaturerow);
  polish_ = new QCheckBox(QStringLiteral("Polish to the minimum"), this);
  polish_->setChecked(host_.programsettings().polish);
  polish_->setToolTip(QStringLiteral(
      "Normal moves every atom at once after its sweeps, down to the minimum"));
  outer->addWidget(polish_);
  connect(polish_, &QCheckBox::toggled, this, [this](bool on) {
    host_.programsettings().polish = on;
    host_.keepprogramsettings();
  });

  auto* buttons = new QHBoxLayout;
  go_ = new QPushButton(QStringLiteral("GO"), this);
  done_ = new QPushButton(QStringLiteral("Done"), this);
  auto* help = new QPushButton(QStringLiteral("Help"), this);
  buttons->addWidget(go_);
  buttons->addWidget(done_);
  buttons->addWidget(help);
  outer->addLayout(buttons);
  connect(go_, &QPushButton::clicked, this, [this] { gostop(); });
  connect(done_, &QPushButton::clicked, this, [this] { done(); });
  connect(help, &QPushButton::clicked, this,
          [this] { host_.showhelp(helpcontext); });

  status_ = new QStatusBar(this);
  status_->setSizeGripEnabled(false);
  outer->addWidget(status_);
}

TStopTool::~TStopTool() = default;

bool TStopTool::open() {
  host_.choosecommand(0);
  host_.seteditormode(teditormode::drawing);
  if (!validstructure(*session().drawing())) {
    session().messages().error("Invalid Chemical Structure");
    return false;
  }
  // Moving molecules against each other needs more than one.
  const bool molecules = session().drawing()->structures.count() > 1;
  mode_->button(1)->setEnabled(molecules);
  if (!molecules && mode_->checkedId() == 1) {
    mode_->button(0)->setChecked(true);
    choosemode(0);
  }
  choosemethod(method_->checkedId());
  low_->setText(QStringLiteral("Low PE ="));
  energy_->clear();
  setrunning(false);
  adjustSize();
  // Beside the drawing, not over the model it is about to move.
  placement_.place(*this);
  show();
  raise();
  return true;
}

void TStopTool::choosemethod(int index) {
  const bool searches = index >= 1 && index <= 3;
  temperature_->setEnabled(searches);
  polish_->setEnabled(index == 0);
  setWindowTitle(QLatin1String(captions.at(static_cast<std::size_t>(index))));
}

void TStopTool::choosemode(int index) {
  // Whole molecules move only by Normal and Anneal.
  for (int id : {2, 3, 4}) {
    method_->button(id)->setEnabled(index == 0);
  }
  if (index == 1 && method_->checkedId() > 1) {
    method_->button(0)->setChecked(true);
    choosemethod(0);
  }
}

toptimizermethod TStopTool::methodcode() const {
  const auto method = static_cast<std::size_t>(method_->checkedId());
  if (mode_->checkedId() == 1 && method < moleculecodes.size()) {
    return moleculecodes.at(method);
  }
  return atomcodes.at(method);
}

void TStopTool::showenergy(double energy) {
  energy_->setText(energytext(energy));
}

void TStopTool::showbest(double energy) {
  low_->setText(QStringLiteral("\tLow PE = ") + fixed(energy * 0.001, 6, 2));
}

void TStopTool::showgradient(double kcal) {
  gradient_->setText(QStringLiteral("RMS gradient %1").arg(kcal, 0, 'g', 3));
}

void TStopTool::setrunning(bool running) {
  running_ = running;
  go_->setText(running ? QStringLiteral("STOP") : QStringLiteral("GO"));
  done_->setEnabled(!running);
  for (QButtonGroup* group : {tolerance_, jump_, method_, mode_}) {
    group->buttons().first()->parentWidget()->setEnabled(!running);
  }
  polish_->setEnabled(!running && method_->checkedId() == 0);
  // The run holds pointers into the drawing: nothing in the main window
  // may edit or replace it until the run returns.
  host_.setbusy(running);
}

void TStopTool::gostop() {
  if (running_) {
    if (optimizer_) {
      optimizer_->requeststop();
    }
    return;
  }
  tdrawing& drawing = *session().drawing();
  if (!validstructure(drawing)) {
    session().messages().error("Invalid Chemical Structure");
    return;
  }
  session().takeundosnapshot("Optimize");
  host_.markmodified();
  optimizer_ = std::make_unique<toptimizer>(drawing);
  toptimizer& optimizer = *optimizer_;
  optimizer.settings.tolerance =
      tolerances.at(static_cast<std::size_t>(tolerance_->checkedId()));
  optimizer.settings.minjump =
      jumps.at(static_cast<std::size_t>(jump_->checkedId()));
  optimizer.settings.temperature = temperature_->value() * 0.001;
  optimizer.settings.polish = polish_->isChecked();
  double shownbest = 1e9;
  optimizer.hooks.processmessages = [] { QCoreApplication::processEvents(); };
  optimizer.hooks.status = [this](const std::string& text) {
    status_->showMessage(QString::fromStdString(text));
  };
  optimizer.hooks.show = [this, &shownbest](const toptimizerstate& state) {
    showenergy(state.energy);
    showgradient(state.rmsgradient);
    if (state.bestenergy < shownbest) {
      shownbest = state.bestenergy;
      showbest(state.bestenergy);
      host_.repaintdrawing();
    }
  };
  setrunning(true);
  const std::string problem = optimizer.runoptimizer(methodcode());
  const toptimizerstate state = optimizer.state();
  // The terms point into the drawing, which Undo may replace once the
  // main window is free again: they go now, the geometry stays.
  optimizer_.reset();
  setrunning(false);
  if (!problem.empty()) {
    status_->showMessage(QString::fromStdString(problem));
    session().messages().error(problem);
  } else {
    showenergy(state.energy);
    showbest(state.bestenergy);
    showgradient(state.rmsgradient);
    host_.hostwindow().statusBar()->showMessage(
        QString::fromStdString(optimizersummary(state)));
    host_.showmodel();
    if (!state.warning.empty()) {
      session().messages().warn(state.warning);
    }
  }
  host_.repaintdrawing();
  if (closeafterrun_) {
    closeafterrun_ = false;
    done();
  }
}

void TStopTool::closeEvent(QCloseEvent* event) {
  if (running_) {
    // Closed in the middle of a run: stop it, keep the best geometry, and
    // close once the run has returned.
    closeafterrun_ = true;
    if (optimizer_) {
      optimizer_->requeststop();
    }
    event->ignore();
    return;
  }
  done();
  event->accept();
}

void TStopTool::hideEvent(QHideEvent* event) {
  QWidget::hideEvent(event);
  placement_.keep(*this);
}

void TStopTool::done() {
  if (running_) {
    return;
  }
  optimizer_.reset();
  energy_->clear();
  gradient_->clear();
  hide();
}

}  // namespace molvane

// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/reaction_tool.h"

#include "app/stop_tool.h"
#include "app/tool_host.h"
#include "commands/reaction_controls.h"
#include "commands/reaction_equation.h"
#include "commands/reaction_report.h"
#include "document/drawing.h"
#include "document/session.h"
#include "document/symbol.h"
#include "qt/picture_export.h"
#include "qt/qt_canvas.h"
#include "support/number_text.h"
#include "thermo/partition_function.h"
#include "thermo/species.h"

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QClipboard>
#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMainWindow>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <array>
#include <string>

namespace molvane {

namespace {

constexpr int helpcontext = 112;
constexpr int scrollbarwidth = 26;
constexpr int scrollbarheight = 40;
constexpr std::array<const char*, 4> statecaptions{"Gas", "Liquid", "Solute",
                                                   "Solvent"};

QString text(std::string_view value) {
  return QString::fromUtf8(value.data(), static_cast<qsizetype>(value.size()));
}

QLabel* namedlabel(QWidget* owner, const char* name, const char* caption,
                   const char* hint = nullptr) {
  auto* label = new QLabel(QString::fromUtf8(caption), owner);
  label->setObjectName(QLatin1String(name));
  if (hint != nullptr) {
    label->setToolTip(QString::fromUtf8(hint));
  }
  return label;
}

QPushButton* namedbutton(QWidget* owner, QLayout& into, const char* name,
                         const char* caption) {
  auto* button = new QPushButton(QString::fromUtf8(caption), owner);
  button->setObjectName(QLatin1String(name));
  into.addWidget(button);
  return button;
}

}  // namespace

TReactionTool::TReactionTool(ttoolhost& host)
    : QDialog(&host.hostwindow(), Qt::Dialog | Qt::WindowStaysOnTopHint),
      host_(host) {
  setWindowTitle(QStringLiteral("Reaction Tool"));
  setModal(true);
  auto* outer = new QVBoxLayout(this);

  status_ = namedlabel(this, "StatusMsg", "",
                       "Display reactant status, balanced or unbalanced");
  message_ = namedlabel(this, "ReactionMsg", "",
                        "Displays mass imbalance or reaction analysis");
  geometry_ = namedlabel(this, "GeometryNote", "",
                         "Whether the figures are of optimized species");
  outer->addWidget(status_);
  outer->addWidget(message_);
  outer->addWidget(geometry_);

  auto* databox = new QGroupBox(QStringLiteral("Thermodynamic Data"), this);
  auto* values = new QGridLayout(databox);
  enthalpy_ = namedlabel(databox, "deltaH", "Kcal");
  freeenergy_ = namedlabel(databox, "deltaG", "Kcal");
  entropy_ = namedlabel(databox, "deltaS", "cal/K");
  logk_ = namedlabel(databox, "logK", "");
  const std::array<std::pair<const char*, QLabel*>, 4> rows{
      {{"\u0394H (Kcal)", enthalpy_},
       {"\u0394G (Kcal)", freeenergy_},
       {"\u0394S (cal/K)", entropy_},
       {"log K", logk_}}};
  for (int row = 0; row < 4; ++row) {
    const auto& [name, label] = rows.at(static_cast<std::size_t>(row));
    values->addWidget(new QLabel(QString::fromUtf8(name), databox), row, 0);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    values->addWidget(label, row, 1);
  }
  outer->addWidget(databox);

  auto* conditions = new QHBoxLayout;
  pressurelabel_ = namedlabel(this, "lblPressure", "P=", "Pressure in atm");
  pressure10_ = stepbar("Pressure10", 1.0);
  pressure01_ = stepbar("Pressure01", 0.1);
  temperaturelabel_ =
      namedlabel(this, "LblTemperature", "T=", "Temperature in K");
  temperature10_ = stepbar("Temp10", 10.0);
  temperature01_ = stepbar("Temp01", 1.0);
  for (QWidget* widget : std::initializer_list<QWidget*>{
           pressurelabel_, pressure10_, pressure01_}) {
    conditions->addWidget(widget);
  }
  conditions->addStretch();
  for (QWidget* widget : std::initializer_list<QWidget*>{
           temperaturelabel_, temperature10_, temperature01_}) {
    conditions->addWidget(widget);
  }
  outer->addLayout(conditions);

  auto* statebox = new QGroupBox(QStringLiteral("State"), this);
  statebox->setObjectName(QStringLiteral("StateGroup"));
  auto* statelayout = new QHBoxLayout(statebox);
  state_ = new QButtonGroup(statebox);
  for (int i = 0; i < static_cast<int>(statecaptions.size()); ++i) {
    auto* button = new QRadioButton(
        QLatin1String(statecaptions.at(static_cast<std::size_t>(i))), statebox);
    state_->addButton(button, i);
    statelayout->addWidget(button);
  }
  outer->addWidget(statebox);
  // Drawn geometries carry the strain of their drawing into the energies
  // (a drawn H-H of 1 Å alone is hundreds of kcal), so the species are
  // optimised first unless the user asks for the drawn geometry.
  optimizefirst_ = new QCheckBox(
      QStringLiteral("Optimize every species when the tool opens"), this);
  optimizefirst_->setObjectName(QStringLiteral("OptimizeFirst"));
  optimizefirst_->setChecked(true);
  outer->addWidget(optimizefirst_);
  connect(state_, &QButtonGroup::idClicked, this,
          [this](int id) { choosestate(id); });

  auto* buttons = new QHBoxLayout;
  reactant_ = namedbutton(this, *buttons, "BReactant", "Reactant");
  optimize_ = namedbutton(this, *buttons, "bOptimize", "Optimize");
  report_ = namedbutton(this, *buttons, "bReport", "Report");
  report_->setToolTip(QStringLiteral("Copy summary to clipboard"));
  done_ = namedbutton(this, *buttons, "bdone", "Done");
  auto* help = namedbutton(this, *buttons, "btnHelp", "Help");
  outer->addLayout(buttons);
  for (QPushButton* button : {reactant_, optimize_, report_, done_, help}) {
    button->setAutoDefault(false);
  }
  connect(reactant_, &QPushButton::clicked, this, [this] { nextreactant(); });
  connect(optimize_, &QPushButton::clicked, this, [this] { optimize(); });
  connect(report_, &QPushButton::clicked, this, [this] { report(); });
  connect(done_, &QPushButton::clicked, this, [this] { done(); });
  connect(help, &QPushButton::clicked, this,
          [this] { host_.showhelp(helpcontext); });
}

TReactionTool::~TReactionTool() = default;

QScrollBar* TReactionTool::stepbar(const char* name, double step) {
  auto* bar = new QScrollBar(Qt::Vertical, this);
  bar->setObjectName(QLatin1String(name));
  bar->setFixedSize(scrollbarwidth, scrollbarheight);
  // The bar rests in the middle so that both arrows always work.
  bar->setRange(0, 2);
  bar->setValue(1);
  const bool temperature = name[0] == 'T';
  connect(bar, &QScrollBar::actionTriggered, this,
          [this, step, temperature](int action) {
            if (action == QAbstractSlider::SliderSingleStepSub ||
                action == QAbstractSlider::SliderPageStepSub) {
              stepped(step, temperature);
            } else if (action == QAbstractSlider::SliderSingleStepAdd ||
                       action == QAbstractSlider::SliderPageStepAdd) {
              stepped(-step, temperature);
            }
          });
  connect(bar, &QScrollBar::valueChanged, bar, [bar](int value) {
    if (value != 1) {
      const QSignalBlocker quiet(bar);
      bar->setValue(1);
    }
  });
  return bar;
}

void TReactionTool::stepped(double step, bool temperature) {
  // The value shows at once; an unbalanced reaction leaves the rest.
  if (temperature) {
    temperature_ = steptemperature(temperature_, static_cast<int>(step));
    temperaturelabel_->setText(QStringLiteral("T=") +
                               text(formatfixed(temperature_, 0, 4)));
  } else {
    pressure_ = steppressure(pressure_, step);
    pressurelabel_->setText(QStringLiteral("P=") +
                            text(formatfixed(pressure_, 1, 4)));
  }
  analyse();
}

bool TReactionTool::start() {
  host_.choosecommand(0);
  host_.seteditormode(teditormode::drawing);
  temperature_ = starttemperature;
  pressure_ = startpressure;
  tdrawing& drawing = *session().drawing();
  const treactioncheck check = checkreaction(drawing);
  if (check == treactioncheck::improper) {
    session().messages().error(std::string(checktext(check)));
    return false;
  }
  if (check == treactioncheck::noarrow) {
    session().messages().warn(std::string(checktext(check)));
    return false;
  }
  if (check != treactioncheck::ready) {
    return false;
  }
  if (!isreactiondrawing(drawing)) {
    session().messages().error("Invalid Chemical Structure");
    return false;
  }
  drawing_ = &drawing;
  serial_ = session().drawingserial();
  drawmode_ = beginreaction(drawing);
  reference_ = drawing.structures.first();
  highlightreference(drawing, reference_);
  host_.repaintdrawing();

  for (int i = 0; i < state_->buttons().size(); ++i) {
    state_->button(i)->setEnabled(i <= 1);
  }
  for (tStructure* structure : drawing.structures) {
    makethermo(*structure);
  }
  balance();
  status_->clear();
  message_->clear();
  if (optimizefirst_->isChecked()) {
    optimize();
  } else {
    geometry_->setText(
        QStringLiteral("Figures of the species as drawn, not optimized"));
    analyse();
  }
  // The drawing reads as the balanced equation while the tool is open.
  host_.setoverlaypainter([this](tcanvas& canvas) {
    const tSymbol* arrow = attached() ? reactionarrow(*drawing_) : nullptr;
    if (arrow != nullptr && analysis_.balanced) {
      paintequation(*drawing_, canvas,
                    equationtexts(*drawing_, canvas, *arrow));
    }
  });
  host_.repaintdrawing();
  adjustSize();
  if (const QScreen* screen = host_.hostwindow().screen()) {
    const QRect area = screen->availableGeometry();
    move(area.right() - frameGeometry().width() + 1, area.top());
  }
  show();
  raise();
  return true;
}

void TReactionTool::balance() {
  const tSymbol* arrow = reactionarrow(*drawing_);
  if (arrow != nullptr && reference_ != nullptr) {
    // A singular system leaves the amounts as they were; the analysis
    // then shows what does not balance.
    static_cast<void>(balancereaction(*drawing_, *arrow, *reference_));
  }
}

void TReactionTool::analyse() {
  if (!attached()) {
    return;
  }
  treactionanalysis analysis =
      analysereaction(*drawing_, temperature_, pressure_);
  if (!analysis.hasarrow) {
    return;
  }
  const std::optional<tspeciesstate> state =
      reference_ != nullptr ? stateofphase(reference_->phase) : std::nullopt;
  state_->buttons().first()->parentWidget()->setEnabled(state.has_value());
  if (state) {
    state_->button(static_cast<int>(*state))->setChecked(true);
  }
  for (QScrollBar* bar :
       {pressure10_, pressure01_, temperature10_, temperature01_}) {
    bar->setEnabled(true);
  }
  status_->setText(text(analysis.status));
  if (analysis.balanced) {
    pressurelabel_->setText(QStringLiteral("P=") +
                            text(analysis.labels.pressure));
    temperaturelabel_->setText(QStringLiteral("T=") +
                               text(analysis.labels.temperature));
    enthalpy_->setText(text(analysis.labels.enthalpy));
    freeenergy_->setText(text(analysis.labels.freeenergy));
    entropy_->setText(text(analysis.labels.entropy));
    logk_->setText(text(analysis.labels.logk));
  }
  if (analysis.message) {
    message_->setText(text(*analysis.message));
  }
  for (QWidget* widget : std::initializer_list<QWidget*>{
           enthalpy_, freeenergy_, entropy_, logk_, report_}) {
    widget->setEnabled(analysis.balanced);
  }
  analysis_ = std::move(analysis);
}

void TReactionTool::nextreactant() {
  if (!attached()) {
    return;
  }
  reference_ = nextreference(*drawing_, reference_);
  if (reference_ == nullptr) {
    return;
  }
  reference_->amount = 1.0;
  balance();
  highlightreference(*drawing_, reference_);
  host_.repaintdrawing();
  analyse();
}

void TReactionTool::choosestate(int id) {
  if (reference_ == nullptr || id < 0 ||
      id >= static_cast<int>(statecaptions.size())) {
    return;
  }
  setspeciesstate(*reference_, static_cast<tspeciesstate>(id));
  analyse();
}

void TReactionTool::setbusy(bool busy) {
  for (QPushButton* button : {reactant_, optimize_, report_, done_}) {
    button->setEnabled(!busy);
  }
}

void TReactionTool::optimize() {
  if (!attached()) {
    return;
  }
  session().takeundosnapshot("Optimize");
  host_.markmodified();
  toptimizerhooks hooks;
  hooks.processmessages = [] { QCoreApplication::processEvents(); };
  hooks.status = [this](const std::string& line) {
    if (!line.empty()) {
      message_->setText(QString::fromStdString(line));
    }
  };
  hooks.show = [this](const toptimizerstate& state) {
    message_->setText(QStringLiteral("PE ") + energytext(state.energy) +
                      QStringLiteral(" Kcal"));
  };
  setbusy(true);
  const std::string problem = optimizereactivespecies(
      *drawing_, hooks, [this] { host_.repaintdrawing(); });
  setbusy(false);
  geometry_->setText(problem.empty()
                         ? QStringLiteral("Figures of the optimized species")
                         : QStringLiteral("The optimizer failed: some figures "
                                          "are of species as drawn"));
  // The thermochemistry describes the geometry it was made from.
  for (tStructure* structure : drawing_->structures) {
    makethermo(*structure);
  }
  if (!problem.empty()) {
    session().messages().error(problem);
  }
  analyse();
}

void TReactionTool::report() {
  if (!attached() || drawing_->atoms.empty()) {
    session().messages().warn(std::string(nothingtoreporttext));
    return;
  }
  const tSymbol* arrow = reactionarrow(*drawing_);
  if (arrow == nullptr) {
    return;
  }
  std::vector<tLAtm*> labels;
  {
    // Text is measured as the picture paints it.
    QImage scratch(1, 1, QImage::Format_RGB32);
    QPainter painter(&scratch);
    tqtcanvas canvas(painter, true);
    const std::vector<tequationtext> equation =
        analysis_.balanced ? equationtexts(*drawing_, canvas, *arrow)
                           : std::vector<tequationtext>{};
    labels =
        addreportlabels(*drawing_, canvas,
                        reportlines(analysis_.values, temperature_, pressure_),
                        reportindenttext(analysis_.values), *arrow);
    const std::vector<tLAtm*> signs = addequationlabels(*drawing_, equation);
    labels.insert(labels.end(), signs.begin(), signs.end());
  }
  std::string problem;
  tpictureoptions smooth;
  smooth.antialiased = true;
  const QImage picture = paintpicture(*drawing_, smooth, problem);
  host_.repaintdrawing();
  removereportlabels(*drawing_, labels);
  host_.repaintdrawing();
  if (picture.isNull()) {
    session().messages().warn(problem);
    return;
  }
  QApplication::clipboard()->setImage(picture);
  message_->setText(text(reportcopiedtext));
}

bool TReactionTool::attached() const {
  return drawing_ != nullptr && serial_ == session().drawingserial();
}

void TReactionTool::done() {
  if (attached()) {
    endreaction(*drawing_, drawmode_);
  }
  drawing_ = nullptr;
  reference_ = nullptr;
  host_.setoverlaypainter({});
  host_.repaintdrawing();
  hide();
}

void TReactionTool::reject() { done(); }

}  // namespace molvane

// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/session.h"

#include "document/drawing.h"

#include <algorithm>
#include <utility>

namespace molvane {

namespace {

std::unique_ptr<tsession>& currentsession() {
  static std::unique_ptr<tsession> current;
  return current;
}

}  // namespace

tsession::tsession() = default;

tsession::~tsession() = default;

tdrawing* tsession::setdrawing(std::unique_ptr<tdrawing> drawing) {
  if (drawing != nullptr) {
    drawing_ = std::move(drawing);
    ++drawingserial_;
    adoptdrawings();
  }
  return drawing_.get();
}

void tsession::newdrawing() {
  drawing_ = std::make_unique<tdrawing>(settings);
  ++drawingserial_;
  resetsnapshots();
}

void tsession::takeundosnapshot() {
  drawing_->selectall(false);
  undodrawing_ = drawing_->clonedrawing();
  drawing_->saved = false;
  undodrawing_->saved = false;
  adoptdrawings();
}

void tsession::undo() {
  if (undodrawing_ == nullptr) {
    return;
  }
  redodrawing_ = drawing_->clonedrawing();
  drawing_ = undodrawing_->clonedrawing();
  ++drawingserial_;
  adoptdrawings();
}

void tsession::redo() {
  if (redodrawing_ == nullptr) {
    return;
  }
  undodrawing_ = drawing_->clonedrawing();
  drawing_ = redodrawing_->clonedrawing();
  ++drawingserial_;
  adoptdrawings();
}

void tsession::resetsnapshots() {
  undodrawing_ = drawing_->clonedrawing();
  redodrawing_ = drawing_->clonedrawing();
  adoptdrawings();
}

void tsession::adoptdrawings() {
  for (tdrawing* each :
       {drawing_.get(), undodrawing_.get(), redodrawing_.get()}) {
    if (each != nullptr) {
      each->usegeometry(&settings);
    }
  }
}

void tsession::setmessages(tmessages* messages) {
  messages_ = messages != nullptr ? messages : &silentmessages_;
}

void tsession::setprogress(tprogress* progress) {
  progress_ = progress != nullptr ? progress : &silentprogress_;
}

void tsession::trelayedmessages::inform(const std::string& text) {
  session_.messages().inform(text);
}

void tsession::trelayedmessages::warn(const std::string& text) {
  session_.messages().warn(text);
}

void tsession::trelayedmessages::error(const std::string& text) {
  session_.messages().error(text);
}

bool tsession::trelayedmessages::confirm(const std::string& text) {
  return session_.messages().confirm(text);
}

void tsession::trelayedprogress::setrange(int minimum, int maximum) {
  session_.progress().setrange(minimum, maximum);
}

void tsession::trelayedprogress::step(int amount) {
  session_.progress().step(amount);
}

void tsession::trelayedprogress::reset() { session_.progress().reset(); }

void tsession::setprocessmessages(std::function<void()> hook) {
  processmessages_ = std::move(hook);
}

void tsession::processmessages() const {
  if (processmessages_) {
    processmessages_();
  }
}

void tsession::setrepaint(std::function<void()> hook) {
  repaint_ = std::move(hook);
}

void tsession::repaint() const {
  if (repaint_) {
    repaint_();
  }
}

double tsession::randomreal() {
  return std::uniform_real_distribution<double>(0.0, 1.0)(random_);
}

int tsession::randominteger(int n) {
  if (n <= 0) {
    return 0;
  }
  return std::uniform_int_distribution<int>(0, n - 1)(random_);
}

void tsession::seedrandom(std::uint64_t seed) { random_.seed(seed); }

tsession& session() {
  std::unique_ptr<tsession>& current = currentsession();
  if (current == nullptr) {
    current = std::make_unique<tsession>();
    current->newdrawing();
  }
  return *current;
}

tsessionguard::tsessionguard() {
  previous_ = std::move(currentsession());
  currentsession() = std::make_unique<tsession>();
  currentsession()->newdrawing();
}

tsessionguard::~tsessionguard() { currentsession() = std::move(previous_); }

}  // namespace molvane

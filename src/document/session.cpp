// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/session.h"

#include "document/drawing.h"

#include <algorithm>
#include <utility>

namespace molvane {

namespace {

// Each thread has its own session, made on first use: worker threads of a
// batch run never share a drawing, settings or random source, and the
// window's thread sees the one it always had.
std::unique_ptr<tsession>& currentsession() {
  thread_local std::unique_ptr<tsession> current;
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

void tsession::takeundosnapshot(std::string_view caption) {
  drawing_->selectall(false);
  std::unique_ptr<tdrawing> before = drawing_->clonedrawing();
  drawing_->saved = false;
  before->saved = false;
  history_.record(std::move(before), std::string(caption));
  adoptdrawings();
}

void tsession::undo() {
  if (history_.canundo()) {
    showstep(history_.undo(std::move(drawing_)));
  }
}

void tsession::redo() {
  if (history_.canredo()) {
    showstep(history_.redo(std::move(drawing_)));
  }
}

void tsession::showstep(std::unique_ptr<tdrawing> drawing) {
  if (drawing != nullptr) {
    // A fresh copy built on the live settings: what changed in them since
    // the step was taken (the double-bond spacing) reaches its bonds.
    drawing->usegeometry(&settings);
    drawing_ = drawing->clonedrawing();
    ++drawingserial_;
  }
  adoptdrawings();
}

void tsession::resetsnapshots() {
  history_.clear();
  basedrawing_ = drawing_->clonedrawing();
  adoptdrawings();
}

tdrawing* tsession::undodrawing() const {
  tdrawing* newest = history_.undodrawing();
  return newest != nullptr ? newest : basedrawing_.get();
}

void tsession::adoptdrawings() {
  for (tdrawing* each : {drawing_.get(), undodrawing(), redodrawing()}) {
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

void tsession::trelayedmessages::errordetail(const std::string& text,
                                             const std::string& detail) {
  session_.messages().errordetail(text, detail);
}

tsaveanswer tsession::trelayedmessages::asktosave(const std::string& text) {
  return session_.messages().asktosave(text);
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

// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/record_jobs.h"

#include "document/session.h"
#include "document/settings.h"
#include "support/number_text.h"

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <exception>
#include <map>
#include <mutex>
#include <thread>
#include <utility>

namespace molvane {

namespace {

/// Records read ahead per worker thread.
constexpr std::size_t aheadperworker = 4;
constexpr long mostjobs = 256;

/// A record copied out of the stream, which keeps its text only until the
/// next read.
struct tjob {
  std::size_t index = 0;
  tjobrecord record;
  std::string text;
};

/// What the calling thread and the workers share, under one lock.
class tjobqueue {
 public:
  /// Waits for a record to work on; nullopt once there will be none.
  std::optional<tjob> take() {
    std::unique_lock<std::mutex> hold(lock_);
    changed_.wait(hold, [this] { return !pending_.empty() || closed_; });
    if (pending_.empty()) {
      return std::nullopt;
    }
    tjob job = std::move(pending_.front());
    pending_.pop_front();
    return job;
  }

  void give(tjob job) {
    {
      const std::lock_guard<std::mutex> hold(lock_);
      pending_.push_back(std::move(job));
    }
    changed_.notify_all();
  }

  void finish(std::size_t index, trecordoutput output) {
    {
      const std::lock_guard<std::mutex> hold(lock_);
      done_.emplace(index, std::move(output));
    }
    changed_.notify_all();
  }

  /// Waits for the output of record index.
  trecordoutput await(std::size_t index) {
    std::unique_lock<std::mutex> hold(lock_);
    changed_.wait(hold, [this, index] { return done_.contains(index); });
    auto found = done_.find(index);
    trecordoutput output = std::move(found->second);
    done_.erase(found);
    return output;
  }

  /// No more records will be given; records not yet taken are dropped.
  void close(bool drop) {
    {
      const std::lock_guard<std::mutex> hold(lock_);
      closed_ = true;
      if (drop) {
        pending_.clear();
      }
    }
    changed_.notify_all();
  }

 private:
  std::mutex lock_;
  std::condition_variable changed_;
  std::deque<tjob> pending_;
  std::map<std::size_t, trecordoutput> done_;
  bool closed_ = false;
};

trecordoutput runone(const trecordwork& work, const tjob& job,
                     const tsettings& settings) {
  tjobrecord record = job.record;
  record.text = job.text;
  // Nothing may leave a worker thread: that would end the program.
  try {
    return work(record, settings);
  } catch (const std::exception& failure) {
    return {
        "",
        "record " + std::to_string(job.record.number) + ": " + failure.what(),
        {}};
  }
}

void workon(tjobqueue& queue, const trecordwork& work,
            const tsettings& settings) {
  // This thread's own session starts from the caller's settings.
  session().settings = settings;
  while (std::optional<tjob> job = queue.take()) {
    queue.finish(job->index, runone(work, *job, session().settings));
  }
}

}  // namespace

std::optional<int> jobcount(const std::string& value) {
  const std::optional<long> number = parseinteger(value);
  if (!number || *number < 0 || *number > mostjobs) {
    return std::nullopt;
  }
  if (*number == 0) {
    const unsigned cores = std::thread::hardware_concurrency();
    return cores == 0 ? 1 : static_cast<int>(cores);
  }
  return static_cast<int>(*number);
}

std::string runrecordjobs(const std::filesystem::path& path, int jobs,
                          const tsettings& settings, const trecordwork& work,
                          const trecordsink& sink) {
  trecordsource stream(path, settings);
  if (!stream.error().empty()) {
    return stream.error();
  }
  const std::size_t workers = jobs > 1 ? static_cast<std::size_t>(jobs) : 1;
  const std::size_t ahead = aheadperworker * workers;
  tjobqueue queue;
  std::vector<std::thread> threads;
  threads.reserve(workers);
  for (std::size_t i = 0; i < workers; ++i) {
    threads.emplace_back(workon, std::ref(queue), std::cref(work),
                         std::cref(settings));
  }
  std::size_t read = 0;
  std::size_t written = 0;
  bool more = true;
  bool stopped = false;
  while (!stopped) {
    while (more && read - written < ahead) {
      std::optional<tjobrecord> record = stream.next();
      if (!record) {
        more = false;
        break;
      }
      // The text is copied out: the source keeps it only until the next
      // read.
      tjob job{read++, *record, std::string(record->text)};
      job.record.text = {};
      queue.give(std::move(job));
    }
    if (written == read) {
      break;
    }
    stopped = !sink(queue.await(written++));
  }
  queue.close(/*drop=*/stopped);
  for (std::thread& thread : threads) {
    thread.join();
  }
  return stopped ? "" : stream.error();
}

}  // namespace molvane

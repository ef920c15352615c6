// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "nmr/carbon_model.h"

#include "nmr/database_builder.h"
#include "nmr/database_files.h"
#include "nmr/linear_solve.h"
#include "nmr/nmr_graph.h"
#include "support/atomic_file.h"
#include "support/number_text.h"
#include "support/text_lines.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <unordered_map>

namespace molvane {

namespace {

constexpr std::string_view header = "molvane carbon shift model 1";
/// A kind of carbon needs this many samples, a key this many carriers.
constexpr std::size_t fewestsamples = 30;
constexpr int fewestcarriers = 4;
/// Ridge weight of the increments; the base is barely held.
constexpr double ridge = 0.1;
constexpr double baseridge = 1e-6;
/// Reweighting rounds towards least absolute deviations, and the residual
/// (ppm) below which an atom weighs as if it were that far off.
constexpr int reweightings = 6;
constexpr double smallestresidual = 0.5;
constexpr std::size_t maxfilebytes = 16U * 1024U * 1024U;
constexpr std::size_t maxincrements = 4096;

using tsparse = std::vector<std::pair<std::size_t, double>>;

/// Column 0 is the base; the others are the kept keys.
tsparse rowof(const tcarbonfeatures& features,
              const std::unordered_map<std::uint32_t, std::size_t>& columns) {
  std::map<std::size_t, double> counts{{0, 1.0}};
  for (std::uint32_t key : features.keys) {
    auto found = columns.find(key);
    if (found != columns.end()) {
      counts[found->second] += 1.0;
    }
  }
  return {counts.begin(), counts.end()};
}

template <typename T>
bool parsenumber(std::string_view word, T& value) {
  auto [end, error] =
      std::from_chars(word.data(), word.data() + word.size(), value);
  return error == std::errc() && end == word.data() + word.size();
}

}  // namespace

tcarbonmodel tcarbonmodel::fit(const std::vector<tcarbonsample>& samples) {
  std::map<std::uint32_t, std::vector<const tcarbonsample*>> bycentre;
  for (const tcarbonsample& sample : samples) {
    if (sample.features.centre != 0) {
      bycentre[sample.features.centre].push_back(&sample);
    }
  }
  tcarbonmodel model;
  for (const auto& [centre, members] : bycentre) {
    if (members.size() < fewestsamples) {
      continue;
    }
    std::map<std::uint32_t, int> carriers;
    for (const tcarbonsample* sample : members) {
      std::vector<std::uint32_t> keys = sample->features.keys;
      std::sort(keys.begin(), keys.end());
      keys.erase(std::unique(keys.begin(), keys.end()), keys.end());
      for (std::uint32_t key : keys) {
        ++carriers[key];
      }
    }
    std::unordered_map<std::uint32_t, std::size_t> columns;
    std::vector<std::uint32_t> keyof{0};
    for (const auto& [key, count] : carriers) {
      if (count >= fewestcarriers && keyof.size() < maxincrements) {
        columns.emplace(key, keyof.size());
        keyof.push_back(key);
      }
    }
    std::size_t n = keyof.size();
    std::vector<tsparse> rows;
    rows.reserve(members.size());
    for (const tcarbonsample* sample : members) {
      rows.push_back(rowof(sample->features, columns));
    }
    std::vector<double> weights(members.size(), 1.0);
    std::vector<double> x;
    for (int round = 0; round < reweightings; ++round) {
      std::vector<double> a(n * n, 0.0);
      std::vector<double> b(n, 0.0);
      for (std::size_t s = 0; s < rows.size(); ++s) {
        for (auto [i, vi] : rows[s]) {
          b[i] += weights[s] * vi * members[s]->shift;
          for (auto [j, vj] : rows[s]) {
            a[i * n + j] += weights[s] * vi * vj;
          }
        }
      }
      for (std::size_t i = 0; i < n; ++i) {
        a[i * n + i] += i == 0 ? baseridge : ridge;
      }
      x = solvepositivedefinite(std::move(a), std::move(b), n);
      for (std::size_t s = 0; s < rows.size(); ++s) {
        double predicted = 0.0;
        for (auto [i, vi] : rows[s]) {
          predicted += x[i] * vi;
        }
        weights[s] = 1.0 / std::max(std::abs(predicted - members[s]->shift),
                                    smallestresidual);
      }
    }
    if (x.size() != n) {
      continue;
    }
    tcentre& kept = model.centres_[centre];
    kept.base = x[0];
    for (std::size_t i = 1; i < n; ++i) {
      kept.increments.emplace(keyof[i], x[i]);
    }
  }
  return model;
}

std::array<std::array<double, sharelevels>, shareclasses>
tcarbonmodel::defaultshares() {
  std::array<std::array<double, sharelevels>, shareclasses> shares{};
  for (auto& byclass : shares) {
    byclass = {1.0, 0.6, 0.4, 0.2, 0.1, 0.0, 0.0, 0.0};
  }
  return shares;
}

double tcarbonmodel::share(int c, int level) const {
  if (c < 1 || c > shareclasses || level < 0 || level >= sharelevels) {
    return 0.0;
  }
  return shares_[static_cast<std::size_t>(c - 1)]
                [static_cast<std::size_t>(level)];
}

void tcarbonmodel::setshare(int c, int level, double share) {
  if (c >= 1 && c <= shareclasses && level >= 0 && level < sharelevels) {
    shares_[static_cast<std::size_t>(c - 1)][static_cast<std::size_t>(level)] =
        std::clamp(share, 0.0, 1.0);
  }
}

bool tcarbonmodel::knows(const tcarbonfeatures& features) const {
  return features.centre != 0 && centres_.count(features.centre) != 0;
}

double tcarbonmodel::predict(const tcarbonfeatures& features) const {
  auto centre = centres_.find(features.centre);
  if (features.centre == 0 || centre == centres_.end()) {
    return 0.0;
  }
  double shift = centre->second.base;
  for (std::uint32_t key : features.keys) {
    auto found = centre->second.increments.find(key);
    if (found != centre->second.increments.end()) {
      shift += found->second;
    }
  }
  return shift;
}

std::string tcarbonmodel::text() const {
  std::string out(header);
  out += '\n';
  // Every number through the locale-free helper, whatever its size: a
  // fixed line buffer cut long bases short, and the table then read back
  // as damaged.
  for (int c = 1; c <= shareclasses; ++c) {
    out += "shares " + std::to_string(c);
    for (int level = 0; level < sharelevels; ++level) {
      out += " " + formatfixed(share(c, level), 2);
    }
    out += '\n';
  }
  for (const auto& [centre, kind] : centres_) {
    out += "centre " + std::to_string(centre) + " " +
           formatfixed(kind.base, 4) + " " +
           std::to_string(kind.increments.size()) + "\n";
    std::map<std::uint32_t, double> sorted(kind.increments.begin(),
                                           kind.increments.end());
    for (const auto& [key, value] : sorted) {
      out += std::to_string(key) + " " + formatfixed(value, 4) + "\n";
    }
  }
  return out;
}

std::string tcarbonmodel::fromtext(std::string_view text) {
  centres_.clear();
  shares_ = defaultshares();
  std::vector<std::string_view> lines = splitlines(text);
  if (lines.empty() || trimmed(lines[0]) != header) {
    return "not a carbon shift model";
  }
  std::size_t total = 0;
  for (std::size_t i = 1; i < lines.size();) {
    std::vector<std::string_view> words = splitwords(lines[i]);
    int number = static_cast<int>(i) + 1;
    if (words.empty()) {
      ++i;
      continue;
    }
    if (words[0] == "shares") {
      if (!readshares(words)) {
        centres_.clear();
        return lineerror(number, "expected \"shares CLASS\" and " +
                                     std::to_string(sharelevels) +
                                     " shares from 0 to 1");
      }
      ++i;
      continue;
    }
    std::uint32_t centre = 0;
    tcentre kind;
    std::size_t count = 0;
    if (words.size() != 4 || words[0] != "centre" ||
        !parsenumber(words[1], centre) || centre == 0 ||
        !parsenumber(words[2], kind.base) || !std::isfinite(kind.base) ||
        !parsenumber(words[3], count) || count > maxincrements ||
        centres_.count(centre) != 0) {
      centres_.clear();
      return lineerror(number, "expected \"centre KIND BASE COUNT\"");
    }
    total += count;
    if (total > maxincrements * 64 || count > lines.size() - i - 1) {
      centres_.clear();
      return lineerror(number, "more increments than the file holds");
    }
    for (std::size_t k = 1; k <= count; ++k) {
      std::vector<std::string_view> pair = splitwords(lines[i + k]);
      std::uint32_t key = 0;
      double value = 0.0;
      if (pair.size() != 2 || !parsenumber(pair[0], key) ||
          !parsenumber(pair[1], value) || !std::isfinite(value)) {
        centres_.clear();
        return lineerror(static_cast<int>(i + k) + 1,
                         "expected \"KEY INCREMENT\"");
      }
      kind.increments[key] = value;
    }
    centres_.emplace(centre, std::move(kind));
    i += count + 1;
  }
  return "";
}

bool tcarbonmodel::readshares(const std::vector<std::string_view>& words) {
  int c = 0;
  if (words.size() != sharelevels + 2 || !parsenumber(words[1], c) || c < 1 ||
      c > shareclasses) {
    return false;
  }
  for (int level = 0; level < sharelevels; ++level) {
    double value = 0.0;
    if (!parsenumber(words[static_cast<std::size_t>(level + 2)], value) ||
        !(value >= 0.0 && value <= 1.0)) {
      return false;
    }
    setshare(c, level, value);
  }
  return true;
}

std::vector<tcarbonsample> carbonsamples(
    const std::vector<const ttrainingmolecule*>& molecules) {
  std::vector<tcarbonsample> samples;
  for (const ttrainingmolecule* molecule : molecules) {
    tnmrgraph graph = tnmrgraph::fromstructure(*molecule->structure);
    for (const tassignedshift& assigned : molecule->shifts) {
      if (assigned.atomindex < 0 || assigned.atomindex >= graph.size() ||
          !graph.atoms[static_cast<std::size_t>(assigned.atomindex)].active) {
        continue;
      }
      tcarbonsample sample{carbonfeatures(graph, assigned.atomindex),
                           assigned.shift};
      if (sample.features.centre != 0) {
        samples.push_back(std::move(sample));
      }
    }
  }
  return samples;
}

std::string readcarbonmodel(const std::filesystem::path& path,
                            tcarbonmodel& model) {
  std::vector<std::uint8_t> bytes;
  std::string problem = readwholefile(path, bytes, maxfilebytes);
  if (problem.empty()) {
    problem = model.fromtext(astext(bytes));
    if (!problem.empty()) {
      problem = path.string() + ": " + problem;
    }
  }
  return problem;
}

std::shared_ptr<const tcarbonmodel> shippedcarbonmodel() {
  static const std::shared_ptr<const tcarbonmodel> shipped = [] {
    auto model = std::make_shared<tcarbonmodel>();
    (void)readcarbonmodel(shippeddatabasefolder() / carbonmodelfilename,
                          *model);
    return model;
  }();
  return shipped;
}

}  // namespace molvane

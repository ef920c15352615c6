// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Times a method from each benchmark start geometry, compares the result
// with the reference minimum beside it, and the time with the reference
// toolkit's MMFF94 minimisation of the same file (setup included).
//
//   optimize_bench [--refine] [--no-polish] [--tolerance CAL]
//                  [--jump ANGSTROM] [--temp T] [--reference SCRIPT]
//                  [--scaling] [--stop-latency [--method NAME]] [DIR]
//
// The settings default to the optimizer's; DIR holds <stem>_start.sdf and
// maybe <stem>_mmff.sdf (default: the shared data folder of the build); the
// stems are the benchmark molecules, or every *_start.sdf of a DIR given.
// --reference runs SCRIPT (rdkit_minimize.py beside this file) with
// /usr/bin/python3 on the same files. --scaling instead times sweeps and
// gradients from 8 to about 5 000 atoms (side-by-side copies of hectane);
// --stop-latency how soon each method ends, on about 5 000 atoms, once
// asked to stop (--method NAME: that method alone).
#include "document/drawing.h"
#include "io/exchange_files.h"
#include "mechanics/force_field_parameters.h"
#include "mechanics/optimizer.h"
#include "model/jacobi.h"
#include "support/atomic_file.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace molvane {
namespace {

constexpr int repeats = 3;
constexpr const char* stems[] = {"ethane",     "cyclohexane", "benzene",
                                 "ethanol",    "acetic_acid", "glucose",
                                 "caffeine",   "cholesterol", "triacontane",
                                 "gly_ala_11", "hectane"};

std::unique_ptr<tdrawing> readsd(const std::filesystem::path& path) {
  std::vector<std::uint8_t> bytes;
  if (!readwholefile(path, bytes, 64U * 1024U * 1024U).empty()) {
    return nullptr;
  }
  std::vector<treadresult> records =
      readexchangerecords(bytes, tfileformat::mdl);
  return records.empty() ? nullptr : std::move(records.front().drawing);
}

/// Heavy-atom positions in Å.
std::vector<std::array<double, 3>> heavyatoms(const tdrawing& drawing) {
  const double angstrom =
      standardbondangstrom * drawing.geometry().lengthscale();
  std::vector<std::array<double, 3>> points;
  for (const tatm* atom : drawing.atoms) {
    if (atom->kind == chemicalatomkind && atom->element > 1) {
      points.push_back(
          {atom->x * angstrom, atom->y * angstrom, atom->z * angstrom});
    }
  }
  return points;
}

/// RMSD after the best rigid superposition (the quaternion method).
double superposedrmsd(std::vector<std::array<double, 3>> a,
                      std::vector<std::array<double, 3>> b) {
  if (a.size() != b.size() || a.empty()) {
    return NAN;
  }
  for (auto* set : {&a, &b}) {
    std::array<double, 3> mean{};
    for (const auto& p : *set) {
      for (int k = 0; k < 3; ++k) {
        mean[k] += p[k] / static_cast<double>(set->size());
      }
    }
    for (auto& p : *set) {
      for (int k = 0; k < 3; ++k) {
        p[k] -= mean[k];
      }
    }
  }
  double s[3][3] = {};
  double squares = 0.0;
  for (std::size_t i = 0; i < a.size(); ++i) {
    for (int r = 0; r < 3; ++r) {
      squares += a[i][r] * a[i][r] + b[i][r] * b[i][r];
      for (int c = 0; c < 3; ++c) {
        s[r][c] += a[i][r] * b[i][c];
      }
    }
  }
  const tsquarematrix n = {
      {s[0][0] + s[1][1] + s[2][2], s[1][2] - s[2][1], s[2][0] - s[0][2],
       s[0][1] - s[1][0]},
      {0, s[0][0] - s[1][1] - s[2][2], s[0][1] + s[1][0], s[2][0] + s[0][2]},
      {0, 0, -s[0][0] + s[1][1] - s[2][2], s[1][2] + s[2][1]},
      {0, 0, 0, -s[0][0] - s[1][1] + s[2][2]}};
  const double largest = jacobieigenvalues(n, 1e-14).back();
  const double deviation = std::max(0.0, squares - 2.0 * largest);
  return std::sqrt(deviation / static_cast<double>(a.size()));
}

/// Bond lengths and angles of one class, ours against the reference's.
struct tgeometryclass {
  const char* name;
  double oursum = 0.0, referencesum = 0.0, worst = 0.0;
  int count = 0;
  void add(double ours, double reference) {
    oursum += ours;
    referencesum += reference;
    worst = std::max(worst, std::abs(ours - reference));
    ++count;
  }
  void print() const {
    if (count == 0) {
      std::printf(" %24s", "-");
      return;
    }
    std::printf(" %7.3f/%7.3f (%6.3f)", oursum / count, referencesum / count,
                worst);
  }
};

/// Means of C-C single, C-H, C=O lengths (Å) and C-C-C angles (degrees),
/// with the largest difference from the reference in brackets. Both
/// drawings hold the same atoms in the same order.
void printgeometry(const char* stem, const tdrawing& ours,
                   const tdrawing& reference) {
  std::vector<const tatm*> a(ours.atoms.begin(), ours.atoms.end());
  std::vector<const tatm*> b(reference.atoms.begin(), reference.atoms.end());
  auto indexof = [&a](const tatm* atom) {
    return static_cast<std::size_t>(std::find(a.begin(), a.end(), atom) -
                                    a.begin());
  };
  auto distance = [](const tatm& p, const tatm& q) {
    return std::hypot(p.x - q.x, p.y - q.y, p.z - q.z);
  };
  const double ours_a = standardbondangstrom * ours.geometry().lengthscale();
  const double reference_a =
      standardbondangstrom * reference.geometry().lengthscale();
  tgeometryclass classes[] = {{"C-C"}, {"C-H"}, {"C=O"}, {"C-C-C"}};
  std::vector<std::vector<std::size_t>> carbons(a.size());
  for (const tbond* bond : ours.bonds) {
    const std::size_t i = indexof(bond->atom1), j = indexof(bond->atom2);
    if (i >= a.size() || j >= a.size() || i >= b.size() || j >= b.size()) {
      continue;
    }
    const int z1 = std::min(a[i]->element, a[j]->element);
    const int z2 = std::max(a[i]->element, a[j]->element);
    const int which = z1 == 6 && z2 == 6 && bond->kind() == 2   ? 0
                      : z1 == 1 && z2 == 6                      ? 1
                      : z1 == 6 && z2 == 8 && bond->kind() == 4 ? 2
                                                                : -1;
    if (which >= 0) {
      classes[which].add(distance(*a[i], *a[j]) * ours_a,
                         distance(*b[i], *b[j]) * reference_a);
    }
    if (z1 == 6 && z2 == 6) {
      carbons[i].push_back(j);
      carbons[j].push_back(i);
    }
  }
  auto angle = [](const tatm& p, const tatm& c, const tatm& q) {
    const double u[3] = {p.x - c.x, p.y - c.y, p.z - c.z};
    const double v[3] = {q.x - c.x, q.y - c.y, q.z - c.z};
    const double cosine =
        (u[0] * v[0] + u[1] * v[1] + u[2] * v[2]) /
        (std::hypot(u[0], u[1], u[2]) * std::hypot(v[0], v[1], v[2]));
    return std::acos(std::clamp(cosine, -1.0, 1.0)) * 180.0 / 3.14159265358979;
  };
  for (std::size_t c = 0; c < carbons.size(); ++c) {
    for (std::size_t p = 0; p < carbons[c].size(); ++p) {
      for (std::size_t q = p + 1; q < carbons[c].size(); ++q) {
        const std::size_t i = carbons[c][p], j = carbons[c][q];
        classes[3].add(angle(*a[i], *a[c], *a[j]), angle(*b[i], *b[c], *b[j]));
      }
    }
  }
  std::printf("%-12s", stem);
  for (const tgeometryclass& k : classes) {
    k.print();
  }
  std::printf("\n");
}

}  // namespace
}  // namespace molvane

namespace molvane {
namespace {

/// Milliseconds and iterations of the reference toolkit per start file.
std::map<std::string, std::pair<double, long>> referencetimes(
    const std::string& script, const std::vector<std::string>& files) {
  std::map<std::string, std::pair<double, long>> times;
  std::string command = "/usr/bin/python3 '" + script + "'";
  for (const std::string& file : files) {
    command += " '" + file + "'";
  }
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) {
    return times;
  }
  char line[4096];
  while (std::fgets(line, sizeof line, pipe) != nullptr) {
    std::istringstream words(line);
    std::string file;
    double ms = 0.0;
    long iterations = 0;
    if (words >> file >> ms >> iterations) {
      times[file] = {ms, iterations};
    }
  }
  pclose(pipe);
  return times;
}

/// Copies of a drawing side by side, 16 Å apart across their long axis:
/// beyond the reach of the pair list, so every atom keeps as many pairs.
std::unique_ptr<tdrawing> copiesof(const std::filesystem::path& file,
                                   int copies) {
  std::unique_ptr<tdrawing> all = readsd(file);
  if (all == nullptr || copies < 2) {
    return all;
  }
  const double units = all->geometry().bondlength / standardbondangstrom;
  const int side = static_cast<int>(std::ceil(std::sqrt(copies)));
  std::unique_ptr<tdrawing> base = readsd(file);
  for (int c = 1; c < copies; ++c) {
    std::unique_ptr<tStructure> copy = base->copystructure(*base);
    for (tatm* atom : copy->atoms) {
      atom->y += 16.0 * units * (c % side);
      atom->z += 16.0 * units * (c / side);
    }
    all->mergestructure(std::move(copy));
  }
  return all;
}

/// Per sweep of Normal and per gradient, against the number of atoms.
void printscaling(const std::filesystem::path& folder) {
  std::printf("\n%8s %12s %12s %14s %8s\n", "atoms", "ms/sweep", "ms/gradient",
              "ms/gradient/atom", "pairs");
  struct tcase {
    const char* stem;
    int copies;
  };
  for (const tcase& c :
       {tcase{"ethane", 1}, tcase{"caffeine", 1}, tcase{"cholesterol", 1},
        tcase{"hectane", 1}, tcase{"hectane", 2}, tcase{"hectane", 4},
        tcase{"hectane", 8}, tcase{"hectane", 16}}) {
    std::unique_ptr<tdrawing> drawing =
        copiesof(folder / (std::string(c.stem) + "_start.sdf"), c.copies);
    if (drawing == nullptr) {
      continue;
    }
    toptimizer optimizer(*drawing);
    optimizer.settings.polish = false;
    optimizer.settings.maxseconds = 3.0;
    const auto t0 = std::chrono::steady_clock::now();
    if (!optimizer.runoptimizer(toptimizermethod::normal).empty()) {
      continue;
    }
    const double sweeps =
        std::chrono::duration<double, std::milli>(
            std::chrono::steady_clock::now() - t0)
            .count() /
        static_cast<double>(std::max(1L, optimizer.state().sweeps));
    tforcefield& field = optimizer.forcefield();
    std::vector<double> xyz = field.coordinates();
    std::vector<double> grad(xyz.size());
    const int rounds = 20;
    const auto t1 = std::chrono::steady_clock::now();
    for (int r = 0; r < rounds; ++r) {
      field.gradient(xyz, grad);
    }
    const double gradient = std::chrono::duration<double, std::milli>(
                                std::chrono::steady_clock::now() - t1)
                                .count() /
                            rounds;
    const auto atoms = field.atoms().size();
    std::printf("%8zu %12.3f %12.4f %14.6f %8zu\n", atoms, sweeps, gradient,
                gradient / static_cast<double>(atoms),
                field.nonbonded().size());
  }
}

/// How long each method takes to end once asked to stop, on about 5 000
/// atoms (copies of hectane): once during setup, then at several times
/// after setup has ended (the first moves and later). A window sees a stop
/// only when the run asks for messages, so the longest waits between two
/// such calls count as well: while setting up, and after it until the stop.
void printstoplatency(const std::filesystem::path& folder,
                      const std::string& only) {
  std::printf("\n%-16s %6s %8s %11s %10s %10s %8s\n", "method", "atoms",
              "ask ms", "latency ms", "setup gap", "run gap", "run ms");
  struct tmethod {
    const char* name;
    toptimizermethod code;
  };
  using tclock = std::chrono::steady_clock;
  auto ms = [](tclock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
  };
  for (const tmethod& m :
       {tmethod{"normal", toptimizermethod::normal},
        tmethod{"refine", toptimizermethod::refine},
        tmethod{"anneal", toptimizermethod::anneal},
        tmethod{"global", toptimizermethod::global},
        tmethod{"random", toptimizermethod::random},
        tmethod{"molecules", toptimizermethod::moleculesnormal},
        tmethod{"molecules-anneal", toptimizermethod::moleculesanneal}}) {
    if (!only.empty() && only != m.name) {
      continue;
    }
    // Negative: that long after the start, while setting up; otherwise
    // that long after setup has ended.
    for (const double ask : {-1.0, 0.0, 30.0, 300.0, 1500.0}) {
      std::unique_ptr<tdrawing> drawing =
          copiesof(folder / "hectane_start.sdf", 16);
      if (drawing == nullptr) {
        return;
      }
      toptimizer optimizer(*drawing);
      const auto start = tclock::now();
      auto from = ask < 0.0 ? start : tclock::time_point::max();
      auto asked = start;
      auto last = start;
      tclock::duration setupgap{};
      tclock::duration rungap{};
      bool requested = false;
      optimizer.hooks.status = [&](const std::string& line) {
        if (line.empty() && ask >= 0.0) {
          from = tclock::now();
        }
      };
      optimizer.hooks.processmessages = [&] {
        const auto now = tclock::now();
        if (requested) {
          return;
        }
        const bool setup = from == tclock::time_point::max();
        tclock::duration& gap = setup ? setupgap : rungap;
        gap = std::max(gap, now - last);
        last = now;
        if (!setup && ms(now - from) >= std::abs(ask)) {
          requested = true;
          asked = now;
          optimizer.requeststop();
        }
      };
      const std::string problem = optimizer.runoptimizer(m.code);
      const auto end = tclock::now();
      if (!problem.empty()) {
        std::printf("%-16s %s\n", m.name, problem.c_str());
        break;
      }
      std::printf(
          "%-16s %6zu %8s %11.1f %10.1f %10.1f %8.0f\n", m.name,
          optimizer.forcefield().atoms().size(),
          (ask < 0.0 ? "setup" : "+" + std::to_string(int(ask))).c_str(),
          requested ? ms(end - asked) : NAN, ms(setupgap), ms(rungap),
          ms(end - start));
    }
  }
}

}  // namespace
}  // namespace molvane

int main(int argc, char** argv) {
  using namespace molvane;
  std::filesystem::path folder =
      std::filesystem::path(MOLVANE_BENCH_DATA) / "molecules";
  bool ownfolder = false;
  toptimizersettings settings;
  toptimizermethod method = toptimizermethod::normal;
  std::string script;
  bool scaling = false;
  bool stoplatency = false;
  std::string only;
  for (int i = 1; i < argc; ++i) {
    const std::string word = argv[i];
    if (word == "--refine") {
      method = toptimizermethod::refine;
      continue;
    }
    if (word == "--no-polish") {
      settings.polish = false;
      continue;
    }
    if (word == "--scaling") {
      scaling = true;
      continue;
    }
    if (word == "--stop-latency") {
      stoplatency = true;
      continue;
    }
    if (word == "--method" && i + 1 < argc) {
      only = argv[++i];
      continue;
    }
    if (word == "--reference" && i + 1 < argc) {
      script = argv[++i];
      continue;
    }
    double* target = word == "--tolerance" ? &settings.tolerance
                     : word == "--jump"    ? &settings.minjump
                     : word == "--temp"    ? &settings.temperature
                                           : nullptr;
    if (target != nullptr && i + 1 < argc) {
      *target = std::atof(argv[++i]);
    } else if (word.starts_with("-")) {
      std::fprintf(word == "--help" ? stdout : stderr,
                   "usage: optimize_bench [--refine] [--no-polish] "
                   "[--scaling] [--stop-latency [--method NAME]] "
                   "[--reference SCRIPT] "
                   "[--tolerance CAL] [--jump A] [--temp T] [FOLDER]\n");
      return word == "--help" ? 0 : 1;
    } else {
      folder = word;
      ownfolder = true;
    }
  }
  std::error_code missing;
  if (!std::filesystem::is_directory(folder, missing)) {
    std::fprintf(stderr, "optimize_bench: %s is not a folder\n",
                 folder.string().c_str());
    return 1;
  }
  if (scaling) {
    printscaling(folder);
    return 0;
  }
  if (stoplatency) {
    printstoplatency(folder, only);
    return 0;
  }
  std::vector<std::string> names(std::begin(stems), std::end(stems));
  if (ownfolder) {
    names.clear();
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
      const std::string name = entry.path().filename().string();
      const auto at = name.rfind("_start.sdf");
      if (at != std::string::npos && at + 10 == name.size()) {
        names.push_back(name.substr(0, at));
      }
    }
    std::sort(names.begin(), names.end());
  }
  std::printf("%s, tolerance %g cal, jump %g Å, temperature %g%s\n",
              method == toptimizermethod::refine ? "Refine" : "Normal",
              settings.tolerance, settings.minjump, settings.temperature,
              settings.polish ? "" : ", no polish");
  std::map<std::string, std::pair<double, long>> reference;
  if (!script.empty()) {
    std::vector<std::string> files;
    for (const std::string& stem : names) {
      files.push_back((folder / (stem + "_start.sdf")).string());
    }
    reference = referencetimes(script, files);
  }
  std::printf("%-14s %5s %9s %6s %6s %6s %6s %9s %10s %8s %8s %9s %7s %6s\n",
              "molecule", "atoms", "ms", "sweeps", "iters", "evals", "grads",
              "rms grad", "final kcal", "rmsd0 Å", "rmsd Å", "ref ms",
              "ref its", "ratio");
  std::vector<std::pair<std::string, std::unique_ptr<tdrawing>>> minima;
  for (const std::string& stem : names) {
    const auto start = folder / (stem + "_start.sdf");
    std::unique_ptr<tdrawing> referenceminimum =
        readsd(folder / (stem + "_mmff.sdf"));
    if (readsd(start) == nullptr) {
      std::printf("%-14s missing\n", stem.c_str());
      continue;
    }
    std::vector<double> times;
    toptimizerstate state;
    double before = NAN, after = NAN;
    std::unique_ptr<tdrawing> drawing;
    for (int r = 0; r < repeats; ++r) {
      drawing = readsd(start);
      if (referenceminimum != nullptr) {
        before =
            superposedrmsd(heavyatoms(*drawing), heavyatoms(*referenceminimum));
      }
      toptimizer optimizer(*drawing);
      optimizer.settings = settings;
      if (!optimizer.runoptimizer(method).empty()) {
        break;
      }
      state = optimizer.state();
      // The seconds the command line reports: the run, setup included.
      times.push_back(1000.0 * state.seconds);
      if (referenceminimum != nullptr) {
        after =
            superposedrmsd(heavyatoms(*drawing), heavyatoms(*referenceminimum));
      }
    }
    if (times.empty()) {
      std::printf("%-14s failed\n", stem.c_str());
      continue;
    }
    std::sort(times.begin(), times.end());
    const double median = times[times.size() / 2];
    const auto found = reference.find(start.string());
    const double referencems =
        found == reference.end() ? NAN : found->second.first;
    const long referenceiterations =
        found == reference.end() ? 0 : found->second.second;
    std::printf(
        "%-14s %5d %9.1f %6ld %6ld %6ld %6ld %9.2e %10.3f %8.3f %8.3f %9.1f "
        "%7ld %6.2f\n",
        stem.c_str(), drawing->atoms.countchemical(), median, state.sweeps,
        state.iterations, state.energyevaluations, state.gradientevaluations,
        state.rmsgradient, state.energy * kcalpercal, before, after,
        referencems, referenceiterations, median / referencems);
    if (referenceminimum != nullptr) {
      minima.emplace_back(stem, std::move(drawing));
    }
  }
  std::printf(
      "\nmean ours/reference (largest difference): C-C single Å, "
      "C-H Å, C=O Å, C-C-C degrees\n");
  for (const auto& [stem, minimum] : minima) {
    printgeometry(stem.c_str(), *minimum,
                  *readsd(folder / (stem + "_mmff.sdf")));
  }
  return 0;
}

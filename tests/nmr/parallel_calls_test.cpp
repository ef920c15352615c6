// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/drawing.h"
#include "io/mdl_format.h"
#include "io/smiles_format.h"
#include "mechanics/embedding.h"
#include "mechanics/optimizer.h"
#include "nmr/database_files.h"
#include "nmr/peak_database.h"
#include "nmr/predictor.h"
#include "support/number_text.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace molvane {
namespace {

// Rings, a stated centre and a stated double bond, so that the 2D layout,
// the stereo restraints and the NMR environments all take part.
const std::vector<std::string> molecules = {
    "CCO",      "CC(=O)C",          "Cc1ccccc1",        "OC1CCCCC1",
    "C/C=C/Cl", "C[C@@H](N)C(=O)O", "FC(F)(F)c1ccncc1", "O=C1CCC(CC1)C#N"};

std::shared_ptr<IPeakdb> carbondatabase() {
  auto db = std::make_shared<tpeakdb>(6);
  const std::filesystem::path shipped =
      shippeddatabasefolder() / databasefilename(6);
  if (std::filesystem::exists(shipped)) {
    EXPECT_TRUE(db->loadfrom(shipped.string()));
  }
  return db;
}

/// Everything one molecule gives: its 13C shifts, then the embedded and
/// optimised model as an SD record and its energy.
std::string workon(const std::string& smiles,
                   const std::shared_ptr<IPeakdb>& db) {
  treadresult read = readsmilesline(1, smiles);
  if (read.drawing == nullptr) {
    return "unreadable: " + read.error;
  }
  tdrawing& drawing = *read.drawing;
  std::string text;
  for (const tatomshift& shift : predictshifts(drawing, db)) {
    text += std::to_string(shift.atomindex) + " " +
            formatfixed(shift.shift, 2) + " " + std::to_string(shift.level) +
            "\n";
  }
  tembedsettings embed;
  embed.conformers = 2;
  embed.seed = 11;
  text += embedmolecule(drawing, embed).error;
  toptimizer optimizer(drawing);
  optimizer.settings.seed = 5;
  text += optimizer.runoptimizer(toptimizermethod::normal);
  text += formatfixed(optimizer.state().energy, 6) + "\n";
  const std::vector<std::uint8_t> record = writesdfile(drawing);
  return text + std::string(record.begin(), record.end());
}

TEST(ParallelCalls, ThreadsGiveWhatOneThreadGives) {
  const std::shared_ptr<IPeakdb> db = carbondatabase();
  std::vector<std::string> serial;
  for (const std::string& smiles : molecules) {
    serial.push_back(workon(smiles, db));
    EXPECT_EQ(serial.back().find("unreadable"), std::string::npos) << smiles;
  }
  // Every thread works through all molecules from a different start, so
  // different molecules, and at times the same one, run at once.
  constexpr std::size_t threadcount = 3;
  std::vector<std::vector<std::string>> parallel(
      threadcount, std::vector<std::string>(molecules.size()));
  std::vector<std::thread> threads;
  for (std::size_t t = 0; t < threadcount; ++t) {
    threads.emplace_back([&, t] {
      for (std::size_t k = 0; k < molecules.size(); ++k) {
        const std::size_t i = (k + 3 * t) % molecules.size();
        parallel[t][i] = workon(molecules[i], db);
      }
    });
  }
  for (std::thread& thread : threads) {
    thread.join();
  }
  for (std::size_t t = 0; t < threadcount; ++t) {
    for (std::size_t i = 0; i < molecules.size(); ++i) {
      EXPECT_EQ(parallel[t][i], serial[i])
          << molecules[i] << " on thread " << t;
    }
  }
}

}  // namespace
}  // namespace molvane

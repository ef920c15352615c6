// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/session.h"

#include "testing/test_session.h"

#include <gtest/gtest.h>

#include <thread>

namespace molvane {
namespace {

using SessionTest = testing::tdrawingtest;

TEST_F(SessionTest, SerialCountsEveryReplacementOfTheDrawing) {
  atom(6, 0, 0);
  std::uint64_t serial = session().drawingserial();
  session().takeundosnapshot();
  atom(8, 30, 0);
  EXPECT_EQ(session().drawingserial(), serial);
  session().undo();
  EXPECT_EQ(session().drawingserial(), ++serial);
  session().redo();
  EXPECT_EQ(session().drawingserial(), ++serial);
  session().setdrawing(nullptr);
  EXPECT_EQ(session().drawingserial(), serial);
  session().setdrawing(drawing().clonedrawing());
  EXPECT_EQ(session().drawingserial(), ++serial);
  session().newdrawing();
  EXPECT_EQ(session().drawingserial(), ++serial);
}

TEST(Session, GuardsIsolateTests) {
  tsessionguard outer;
  session().settings.bondlength = 45;
  tdrawing* outerdrawing = session().drawing();
  {
    tsessionguard inner;
    EXPECT_EQ(session().settings.bondlength, 30);
    EXPECT_NE(session().drawing(), outerdrawing);
  }
  EXPECT_EQ(session().settings.bondlength, 45);
  EXPECT_EQ(session().drawing(), outerdrawing);
}

TEST(Session, EachThreadHasItsOwn) {
  tsessionguard guard;
  session().settings.bondlength = 45;
  session().seedrandom(7);
  const double first = session().randomreal();
  tsession* mine = &session();
  tsession* theirs = nullptr;
  double theirbondlength = 0;
  double theirfirst = 0;
  std::thread other([&] {
    theirs = &session();
    theirbondlength = session().settings.bondlength;
    session().seedrandom(7);
    theirfirst = session().randomreal();
    // A guard on another thread swaps that thread's session only.
    tsessionguard inner;
    session().settings.bondlength = 60;
  });
  other.join();
  EXPECT_NE(theirs, mine);
  EXPECT_EQ(&session(), mine);
  EXPECT_EQ(theirbondlength, 30);
  EXPECT_EQ(theirfirst, first);
  EXPECT_EQ(session().settings.bondlength, 45);
}

TEST(Session, RandomNumbersAreReproducibleAndInRange) {
  tsessionguard guard;
  session().seedrandom(7);
  double first = session().randomreal();
  session().seedrandom(7);
  EXPECT_EQ(session().randomreal(), first);
  for (int i = 0; i < 1000; ++i) {
    const double r = session().randomreal();
    EXPECT_TRUE(r >= 0.0 && r < 1.0) << r;
    const int n = session().randominteger(3);
    EXPECT_TRUE(n >= 0 && n < 3) << n;
  }
  EXPECT_EQ(session().randominteger(-5), 0);
}

TEST(Session, MessagesGoToTheInstalledReceiver) {
  tsessionguard guard;
  testing::trecordingmessages messages;
  session().setmessages(&messages);
  session().messages().error("File Read Error");
  EXPECT_TRUE(session().messages().confirm("Erase Drawing"));
  session().setmessages(nullptr);
  session().messages().error("ignored");
  EXPECT_EQ(messages.errors, std::vector<std::string>{"File Read Error"});
  EXPECT_EQ(messages.confirmations, std::vector<std::string>{"Erase Drawing"});
}

TEST(Settings, LineWidthAndLengthScaleHaveSafeFallbacks) {
  tsettings settings;
  settings.linewidthcode = 0;
  EXPECT_EQ(settings.linewidth(), 1);
  settings.bondlength = 0;
  EXPECT_DOUBLE_EQ(settings.lengthscale(), 1.0);
}

}  // namespace
}  // namespace molvane

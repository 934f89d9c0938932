#include "chart/qt/frame_pacer.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTest>
#include <memory>

namespace {

// Two pacers that ask within one frame interval are served by one wake-up, in the order
// they asked: the later one does not get a frame of its own, and a job asking again while
// its frame is served waits for the next one.
TEST(FramePacer, PacersAskingWithinAnIntervalShareTheNextFrame) {
  int first = 0, second = 0, firstWhenSecondRan = -1;
  TFramePacer a([&] { ++first; });
  TFramePacer b([&] {
    ++second;
    firstWhenSecondRan = first;
  });
  a.Request();
  ASSERT_TRUE(QTest::qWaitFor([&] { return first == 1; }));  // after a quiet spell: at once
  a.Request();
  b.Request();
  QCoreApplication::processEvents();
  EXPECT_EQ(second, 0);  // b never ran, yet waits for the frame that a waits for
  ASSERT_TRUE(QTest::qWaitFor([&] { return second == 1; }));
  EXPECT_EQ(firstWhenSecondRan, 2);

  int again = 0;
  TFramePacer asking([&] {
    if (++again == 1) a.Request();
  });
  asking.Request();
  ASSERT_TRUE(QTest::qWaitFor([&] { return again == 1; }));
  EXPECT_TRUE(a.Pending());
  ASSERT_TRUE(QTest::qWaitFor([&] { return first == 3; }));
}

TEST(FramePacer, RunPendingServesOnlyItsOwnJobAndAnEndedPacerNever) {
  int kept = 0, now = 0, ended = 0;
  TFramePacer keptPacer([&] { ++kept; });
  TFramePacer nowPacer([&] { ++now; });
  auto endedPacer = std::make_unique<TFramePacer>([&] { ++ended; });
  keptPacer.Request();
  nowPacer.Request();
  endedPacer->Request();
  nowPacer.RunPending();
  EXPECT_EQ(now, 1);
  EXPECT_FALSE(nowPacer.Pending());
  endedPacer.reset();
  ASSERT_TRUE(QTest::qWaitFor([&] { return kept == 1; }));
  QTest::qWait(2 * TFramePacer::kFrameIntervalMs);
  EXPECT_EQ(now, 1);
  EXPECT_EQ(ended, 0);
}

}  // namespace

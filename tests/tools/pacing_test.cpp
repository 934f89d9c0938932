#include "tools/pacing.h"

#include <gtest/gtest.h>

namespace {

TEST(Pacer, AbsoluteDeadlinesDecideWhichLinesAreDue) {
  for (double rate : {1.0, 7.5, 1000.0, 48000.0, 500000.0, 1e6}) {
    TPacer pacer(rate);
    for (int64_t line : {1, 2, 3, 999, 1000, 1001, 123457, 10'000'000}) {
      ASSERT_EQ(pacer.DueAt(pacer.DeadlineNs(line)), line) << rate << " " << line;
      ASSERT_EQ(pacer.DueAt(pacer.DeadlineNs(line) - 1), line - 1) << rate << " " << line;
    }
    EXPECT_NEAR(double(pacer.DeadlineNs(1'000'001) - pacer.DeadlineNs(1)), 1e6 / rate * 1e9, 1) << rate;
    EXPECT_EQ(pacer.DueAt(pacer.DeadlineNs(1) - 1'000'000'000), 0);
    pacer.Restart(501);
    EXPECT_EQ(pacer.DueAt(pacer.DeadlineNs(501)), 501);
    EXPECT_EQ(pacer.DueAt(pacer.DeadlineNs(501) - 1), 500);
  }
  EXPECT_EQ(TPacer(1).BatchLines(), 1);
  EXPECT_EQ(TPacer(1000).BatchLines(), 1);
  EXPECT_EQ(TPacer(1001).BatchLines(), 2);
  EXPECT_EQ(TPacer(500000).BatchLines(), 500);
}

}  // namespace

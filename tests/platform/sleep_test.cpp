#include <gtest/gtest.h>

#include "rt/sleep_plan.h"

using namespace rt;

namespace {
constexpr int64_t kMs = 1'000'000;

// Follows the real host's wait to its deadline with the event loop's timer firing `lateNs`
// after it was due; returns the number of sleeps, or -1 when a sleep overshoots the deadline
// or does nothing (a spin).
int sleepsToDeadline(int64_t remaining, int64_t lateNs) {
  int sleeps = 0;
  while (remaining > 0) {
    if (++sleeps > 100) return -1;
    const SleepPlan p = planSleep(remaining);
    if (p.timerMs > 0) {
      if (p.tailNs != 0) return -1;
      remaining -= p.timerMs * kMs + lateNs;
      if (remaining < 0) return -1;  // the timer ran past the deadline
    } else {
      if (p.tailNs <= 0 || p.tailNs > remaining) return -1;
      remaining -= p.tailNs;
    }
  }
  return sleeps;
}
}  // namespace

TEST(SleepPlanTest, AWaitSleepsToItsDeadlineInFewStepsWithoutSpinning) {
  // Every remaining time up to 120 ms, on a timer that fires on time, late or nearly a
  // millisecond late: the wait reaches its deadline exactly, in a bounded number of sleeps.
  for (int64_t remaining = 1; remaining <= 120 * kMs; remaining += 37'013) {
    for (int64_t late : {int64_t{0}, int64_t{300'000}, int64_t{999'999}}) {
      const int n = sleepsToDeadline(remaining, late);
      ASSERT_GT(n, 0) << remaining << " ns left, timer " << late << " ns late";
      EXPECT_LE(n, 3) << remaining << " ns left, timer " << late << " ns late";
    }
  }
}

TEST(SleepPlanTest, OnlyTheLastStretchSleepsWithoutPumping) {
  EXPECT_EQ(planSleep(0).timerMs, 0);
  EXPECT_EQ(planSleep(0).tailNs, 0);
  EXPECT_EQ(planSleep(-5 * kMs).tailNs, 0);
  EXPECT_EQ(planSleep(kSleepTailNs).tailNs, kSleepTailNs);
  // A long wait sleeps in the event loop, so input and paints go on during it.
  EXPECT_EQ(planSleep(1000 * kMs).tailNs, 0);
  EXPECT_EQ(planSleep(1000 * kMs).timerMs, 999);
  EXPECT_GE(planSleep(kSleepTailNs + 1).timerMs, 1);
  EXPECT_EQ(planSleep(kSleepTailNs + 1).tailNs, 0);
  EXPECT_LE(kSleepTailNs, 5 * kMs);  // a step of a few milliseconds, never a whole wait
}

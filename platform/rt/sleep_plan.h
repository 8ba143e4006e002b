#pragma once
// How the real host sleeps the rest of a timed wait. The event loop's timer counts whole
// milliseconds and may fire up to one late, so it sleeps all but the last stretch, waking
// early; the last stretch is a sleep on the monotonic clock to the deadline itself. Neither
// part spins, and the wait still ends within a fraction of a millisecond of its deadline.
// A short wait (an animation step) is all last stretch: one wake-up per step instead of two,
// and events are pumped before it, so a step of a few milliseconds delays none noticeably.
#include <cstdint>

namespace rt {

struct SleepPlan {
  int timerMs = 0;       // > 0: sleep in the event loop this long (wakes early for any event)
  int64_t tailNs = 0;    // > 0: no timer; sleep this long without pumping
};

constexpr int64_t kSleepTailNs = 5'000'000;  // at most this long without pumping events

constexpr SleepPlan planSleep(int64_t remainingNs) {
  if (remainingNs <= 0) return {};
  if (remainingNs <= kSleepTailNs) return {0, remainingNs};
  // Whole milliseconds, one less than fit: the timer fires up to a millisecond late and must
  // still wake before the deadline.
  const int64_t ms = remainingNs / 1'000'000 - 1;
  return {static_cast<int>(ms < 1 ? 1 : ms), 0};
}

}  // namespace rt

#include "pack_fixture.h"
#include "rt/dispatch.h"

using namespace shell;

namespace {
double now() { return vt::vhost().nowMs(); }
}

TEST_F(PackTest, WaitCountsFromTheLastStartOfTheStopwatch) {
  double returned = -1;
  inFrame([&] {
    mdi_.PerfTimer->StartTimer();
    vt::vhost().advanceMs(40);
    WaitMs(150);
    returned = now();
  });
  EXPECT_NEAR(returned, 150, 0.01);  // 110 ms after the call

  inFrame([&] {
    mdi_.PerfTimer->StartTimer();
    vt::vhost().advanceMs(200);
    double before = now();
    WaitMs(150);
    returned = now() - before;
  });
  EXPECT_NEAR(returned, 0, 0.01);
}

TEST_F(PackTest, RestartingTheStopwatchDuringAWaitStretchesIt) {
  vt::vhost().after(100, [&] { mdi_.PerfTimer->StartTimer(); });  // another handler's step
  double returned = -1;
  inFrame([&] {
    mdi_.PerfTimer->StartTimer();
    WaitMs(150);
    returned = now();
  });
  EXPECT_NEAR(returned, 250, 0.01);
}

TEST_F(PackTest, PausesAndTheirOverflow) {
  double took = -1;
  inFrame([&] {
    double t0 = now();
    PauseSeconds(33);  // 33000 does not fit 16 bits: no wait at all
    took = now() - t0;
  });
  EXPECT_EQ(took, 0);
  inFrame([&] {
    double t0 = now();
    PauseSeconds(0);
    took = now() - t0;
  });
  EXPECT_EQ(took, 0);
  inFrame([&] {
    double t0 = now();
    PauseSeconds(3);
    took = now() - t0;
  });
  EXPECT_NEAR(took, 3000, 0.01);
}

TEST_F(PackTest, ElapsedIsEmptyUntilAStopReading) {
  mdi_.PerfTimer->StartTimer();
  EXPECT_FALSE(mdi_.PerfTimer->TimeElapsed(1000).has_value());
  vt::vhost().advanceMs(5);
  mdi_.PerfTimer->StopTimer();
  EXPECT_NEAR(*mdi_.PerfTimer->TimeElapsed(1000), 5, 1e-9);
  EXPECT_NEAR(*mdi_.PerfTimer->TimeElapsed(1000000), 5000, 1e-6);
}

TEST_F(PackTest, SoundsPlayInSequenceAndBlockInput) {
  ASSERT_TRUE(mdi_.EmbedSound1[8].playable());
  const double len8 = mdi_.EmbedSound1[8].seconds() * 1000;
  const double len1 = mdi_.EmbedSound1[1].seconds() * 1000;
  EXPECT_NEAR(len8, 2910, 10);
  EXPECT_NEAR(mdi_.EmbedSound1[4].seconds() * 1000, 1120, 10);
  EXPECT_NEAR(mdi_.EmbedSound1[2].seconds() * 1000, 1560, 10);
  double inputAt = -1;
  vt::vhost().after(10, [&] { inputAt = now(); });  // a click during the clip waits for its end
  double afterBoth = -1;
  vt::vhost().takeLog();
  inFrame([&] {
    PlaySoundNo(8);
    PlaySoundNo(1);
    afterBoth = now();
  });
  EXPECT_NEAR(afterBoth, len8 + len1, 0.5);
  EXPECT_GE(inputAt, len8 - 0.5);
  inFrame([&] {
    PlaySoundNo(0);
    PlaySoundNo(11);
  });
  EXPECT_NEAR(now(), afterBoth, 0.01);
  auto log = vt::vhost().takeLog();
  EXPECT_EQ(std::count(log.begin(), log.end(), "sound 8"), 1);
  EXPECT_EQ(std::count(log.begin(), log.end(), "sound 1"), 1);
  EXPECT_EQ(log.size(), 2u);
}

TEST_F(PackTest, ASleepToATimeAlreadyReachedStillLetsTheClockMove) {
  // As in real time: a loop that sleeps until the clock has moved always ends.
  auto& host = vt::vhost();
  const int64_t before = host.counterNow();
  host.sleepUntil(before);
  EXPECT_EQ(host.counterNow(), before + 1);
  host.sleepUntil(before - 10);
  EXPECT_EQ(host.counterNow(), before + 2);
  // An input due now still runs, one tick on.
  bool ran = false;
  host.after(0, [&] { ran = true; });
  host.sleepUntil(host.counterNow());
  EXPECT_TRUE(ran);
  EXPECT_EQ(host.counterNow(), before + 3);
}

TEST_F(PackTest, AWaitEndsOnTheCountItSleepsTo) {
  // In milliseconds some whole counts read a rounding error short of their time: 10,010,000
  // counts are 1000.9999999999999 ms. The wait still ends on that count, not a count later.
  const int64_t perMs = vt::VirtualHost::kFrequency / 1000;
  for (int ms : {1001, 1003, 2049, 5, 150}) {
    int64_t took = -1;
    inFrame([&] {
      mdi_.PerfTimer->StartTimer();
      const int64_t t0 = mdi_.PerfTimer->startCount();
      WaitMs(ms);
      took = vt::vhost().counterNow() - t0;
    });
    EXPECT_EQ(took, ms * perMs) << ms << " ms";
  }
  EXPECT_EQ(vt::vhost().lateSleeps(), 0);
}

// The null output on the real clock, as CI has it (no sound server). With a server the timings
// belong to the server and its sink, so those tests step aside. Clips are short and waits end on
// the wake callback.
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <mutex>

#include "rt/audio.h"

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

namespace {

std::shared_ptr<const rt::Pcm> silence(int ms) {
  auto pcm = std::make_shared<rt::Pcm>();
  pcm->rate = 8000;
  pcm->channels = 1;
  pcm->samples.assign(static_cast<size_t>(8 * ms), 0);
  return pcm;
}

// Counts wake calls; declared before the output so it outlives the worker.
struct WakeWatch {
  std::mutex m;
  std::condition_variable cv;
  int wakes = 0;

  void attach(rt::AudioOut& out) {
    out.setWake([this] {
      std::lock_guard lk(m);
      ++wakes;
      cv.notify_all();
    });
  }
  template <class Pred>
  bool waitFor(Pred pred) {
    std::unique_lock lk(m);
    return cv.wait_for(lk, 5s, [&] { return pred(); });
  }
  int count() {
    std::lock_guard lk(m);
    return wakes;
  }
};

class NullAudio : public ::testing::Test {
 protected:
  void SetUp() override {
    if (out.hasServer()) GTEST_SKIP() << "a sound server answered";
    w.attach(out);
  }
  WakeWatch w;
  rt::AudioOut out;
};

}  // namespace

TEST_F(NullAudio, AClipLastsItsLength) {
  const auto start = Clock::now();
  // Generous bounds: the sanitizer build runs on a busy machine in CI.
  const uint64_t t = out.play(silence(150));
  EXPECT_FALSE(out.finished(t));
  ASSERT_TRUE(w.waitFor([&] { return out.finished(t); }));
  const auto took = Clock::now() - start;
  EXPECT_GE(took, 150ms);
  EXPECT_LT(took, 5000ms);
  EXPECT_EQ(w.count(), 1);
}

TEST_F(NullAudio, ANewClipCutsTheOldOne) {
  const uint64_t t1 = out.play(silence(10000));
  const uint64_t t2 = out.play(silence(30));
  EXPECT_NE(t1, t2);
  EXPECT_TRUE(out.finished(t1));
  EXPECT_FALSE(out.finished(t2));
  ASSERT_TRUE(w.waitFor([&] { return out.finished(t2); }));
  EXPECT_TRUE(w.waitFor([&] { return w.wakes == 2; }));  // one for the cut, one for the end
}

TEST(AudioOut, StopEndsAtOnce) {
  WakeWatch w;
  rt::AudioOut out;
  w.attach(out);
  const uint64_t t = out.play(silence(10000));
  out.stop();
  EXPECT_TRUE(out.finished(t));
  EXPECT_TRUE(w.waitFor([&] { return w.wakes == 1; }));

  // Nothing to play is over at once; tickets never given out count as over.
  EXPECT_TRUE(out.finished(out.play(nullptr)));
  EXPECT_TRUE(out.finished(out.play(std::make_shared<rt::Pcm>())));
  EXPECT_TRUE(out.finished(0));
  EXPECT_TRUE(out.finished(t + 100));
}

// Without a server the library behind the output must stay quiet and nothing may hang.
TEST(AudioOut, BeepAndShutdownDoNotBlockOrPrint) {
  std::fflush(stderr);
  FILE* capture = std::tmpfile();
  ASSERT_NE(capture, nullptr);
  const int saved = dup(2);
  dup2(fileno(capture), 2);

  bool server = false;
  const auto start = Clock::now();
  {
    WakeWatch w;
    rt::AudioOut out;
    w.attach(out);
    server = out.hasServer();
    out.beep();
    out.beep();
    const uint64_t t = out.play(silence(20));
    if (!server) {
      EXPECT_TRUE(w.waitFor([&] { return out.finished(t); }));
    }
    out.play(silence(10000));  // still playing when the output goes away
  }
  const auto took = Clock::now() - start;

  std::fflush(stderr);
  dup2(saved, 2);
  close(saved);
  std::fseek(capture, 0, SEEK_END);
  const long printed = std::ftell(capture);
  std::fclose(capture);
  if (server) GTEST_SKIP() << "a sound server answered";
  EXPECT_EQ(printed, 0) << "the output wrote to stderr";
  EXPECT_LT(took, 5000ms);
}

// A server that takes the connection and never answers, as one stopped with SIGSTOP does: the
// worker is stuck inside the sound library, and the end of the output must not wait for it.
TEST(AudioOut, EndsAtOnceWhenTheServerNeverAnswers) {
  char dir[] = "/tmp/vpk-silent-XXXXXX";
  ASSERT_NE(mkdtemp(dir), nullptr);
  const std::string path = std::string(dir) + "/native";
  const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
  ASSERT_GE(fd, 0);
  sockaddr_un addr{};
  addr.sun_family = AF_UNIX;
  std::snprintf(addr.sun_path, sizeof addr.sun_path, "%s", path.c_str());
  ASSERT_EQ(bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
  ASSERT_EQ(listen(fd, 8), 0);
  const char* before = std::getenv("PULSE_SERVER");
  const std::string saved = before ? before : "";
  setenv("PULSE_SERVER", ("unix:" + path).c_str(), 1);

  auto out = std::make_unique<rt::AudioOut>();
  const uint64_t t = out->play(silence(3000));
  EXPECT_FALSE(out->finished(t));
  out->stop();
  EXPECT_TRUE(out->finished(t));
  const auto start = Clock::now();
  out.reset();
  const auto took = Clock::now() - start;
  if (before)
    setenv("PULSE_SERVER", saved.c_str(), 1);
  else
    unsetenv("PULSE_SERVER");
  close(fd);
  unlink(path.c_str());
  rmdir(dir);
  EXPECT_LT(took, 200ms);
}

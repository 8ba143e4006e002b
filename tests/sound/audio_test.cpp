// The null output on the real clock, as CI has it (no sound server). With a server the timings
// belong to the server and its sink, so those tests step aside. Clips are short and waits end on
// the wake callback.
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <mutex>
#include <vector>

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

// A sound server on a Unix socket that greets a client as the native protocol does (a reply to
// its version, then one to its name), so that the output takes it for a live server, and then
// never answers again, as one stopped with SIGSTOP does.
class FrozenServer {
 public:
  FrozenServer() {
    if (!mkdtemp(dir_)) return;
    path_ = std::string(dir_) + "/native";
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    std::snprintf(addr.sun_path, sizeof addr.sun_path, "%s", path_.c_str());
    fd_ = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd_ >= 0 && (bind(fd_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 || listen(fd_, 8) != 0)) {
      close(fd_);
      fd_ = -1;
    }
    if (const char* v = std::getenv("PULSE_SERVER")) saved_ = v;
    setenv("PULSE_SERVER", ("unix:" + path_).c_str(), 1);
  }
  ~FrozenServer() {
    if (saved_)
      setenv("PULSE_SERVER", saved_->c_str(), 1);
    else
      unsetenv("PULSE_SERVER");
    for (int fd : clients_) close(fd);
    if (fd_ >= 0) close(fd_);
    unlink(path_.c_str());
    rmdir(dir_);
  }
  bool listening() const { return fd_ >= 0; }

  // The next client, once it has connected (at most a few seconds: a client connects as its
  // first act); -1 when none came.
  int next() {
    pollfd p{fd_, POLLIN, 0};
    const int fd = poll(&p, 1, 5000) == 1 ? accept4(fd_, nullptr, nullptr, SOCK_CLOEXEC) : -1;
    if (fd >= 0) clients_.push_back(fd);
    return fd;
  }
  // Answers the client's version and then its name, each with a reply to its tag.
  static bool greet(int fd) { return reply(fd, 32) && reply(fd, 0); }
  // True while the client keeps its connection open: what it sent is read, and no end follows.
  static bool stillConnected(int fd) {
    char buf[4096];
    ssize_t n;
    while ((n = recv(fd, buf, sizeof buf, MSG_DONTWAIT)) > 0) {
    }
    return n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK);
  }

 private:
  static bool readAll(int fd, unsigned char* p, size_t n) {
    while (n > 0) {
      const ssize_t r = read(fd, p, n);
      if (r < 0 && errno == EINTR) continue;
      if (r <= 0) return false;
      p += r;
      n -= static_cast<size_t>(r);
    }
    return true;
  }
  static uint32_t get32(const unsigned char* p) {
    return uint32_t{p[0]} << 24 | uint32_t{p[1]} << 16 | uint32_t{p[2]} << 8 | p[3];
  }
  static void put32(unsigned char* p, uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<unsigned char>(v >> (24 - 8 * i));
  }
  // One request (a frame head of five words, the first its length; then the command and the tag,
  // each a 'L' and a word), answered by a reply that carries `value`.
  static bool reply(int fd, uint32_t value) {
    unsigned char head[20];
    if (!readAll(fd, head, sizeof head)) return false;
    std::vector<unsigned char> request(get32(head));
    if (request.size() < 10 || !readAll(fd, request.data(), request.size())) return false;
    unsigned char out[20 + 15] = {};
    put32(out, 15);
    put32(out + 4, 0xFFFFFFFF);  // a command, not a stream's data
    const uint32_t words[] = {2, get32(&request[6]), value};  // a reply, to the request's tag
    for (int i = 0; i < 3; ++i) {
      out[20 + 5 * i] = 'L';
      put32(out + 21 + 5 * i, words[i]);
    }
    return write(fd, out, sizeof out) == static_cast<ssize_t>(sizeof out);
  }

  char dir_[32] = "/tmp/vpk-frozen-XXXXXX";
  std::string path_;
  int fd_ = -1;
  std::vector<int> clients_;
  std::optional<std::string> saved_;
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

// Never shorter than its length; one that never ends fails the wait.
TEST_F(NullAudio, AClipLastsItsLength) {
  const auto start = Clock::now();
  const uint64_t t = out.play(silence(150));
  EXPECT_FALSE(out.finished(t));
  ASSERT_TRUE(w.waitFor([&] { return out.finished(t); }));
  EXPECT_GE(Clock::now() - start, 150ms);
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

// Without a server the library behind the output must stay quiet and nothing may hang: an end
// that waited for the clip it cuts would take its ten minutes.
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
    out.play(silence(10 * 60 * 1000));  // still playing when the output goes away
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

// A server that answered once and then froze: the worker opening its stream is stuck inside the
// sound library, which gives up on an answer only after 30 s, and the end of the output must not
// wait for it. The output ends while the worker still waits; an end that waited would outlast
// the test's time limit.
TEST(AudioOut, EndsAtOnceWhenTheServerNeverAnswers) {
  FrozenServer server;
  ASSERT_TRUE(server.listening());
  auto out = std::make_unique<rt::AudioOut>();
  const int probe = server.next();
  ASSERT_GE(probe, 0) << "the output never called the server";
  ASSERT_TRUE(FrozenServer::greet(probe));
  if (!out->hasServer()) GTEST_SKIP() << "the output gave up on the server before its greeting came (a busy machine)";
  const uint64_t t = out->play(silence(3000));
  const int stream = server.next();
  ASSERT_GE(stream, 0) << "the output opened no stream";
  EXPECT_FALSE(out->finished(t));
  out->stop();
  EXPECT_TRUE(out->finished(t));
  const auto start = Clock::now();
  out.reset();
  const auto took = Clock::now() - start;
  EXPECT_TRUE(FrozenServer::stillConnected(stream)) << "the worker was not left waiting in the library";
  EXPECT_LT(took, 5s);
}

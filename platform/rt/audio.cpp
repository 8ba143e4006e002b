#include "rt/audio.h"

#include <pulse/context.h>
#include <pulse/mainloop.h>
#include <pulse/simple.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <mutex>
#include <numbers>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace rt {

namespace {

using Clock = std::chrono::steady_clock;

constexpr auto kProbeTimeout = std::chrono::milliseconds(1500);
constexpr auto kRetryEvery = std::chrono::seconds(30);  // after no server answered
constexpr int kChunkMs = 20;       // a cut or a new clip waits at most about this long
constexpr int kClipBufferMs = 60;  // what the server holds ahead of the speaker
constexpr int kBeepRate = 44100;
constexpr int kBeepBufferMs = 200;  // the whole tone fits, so writing it never blocks
constexpr int kMaxRate = 384000;
// How long the owner waits for the worker at the end. A frozen server can hold the worker inside
// a call for ever; after this the worker is left to the end of the process.
constexpr auto kQuitWait = std::chrono::milliseconds(40);
constexpr const char* kClientName = "VantixPack";

Clock::duration framesToDuration(size_t frames, int rate) {
  return std::chrono::duration_cast<Clock::duration>(
      std::chrono::duration<double>(static_cast<double>(frames) / rate));
}

// Asks the default server list with autospawn off and a bounded wait. Returns the address of the
// server that answered (used for every stream afterwards, so nothing is ever spawned), or "".
std::string findServer() {
  pa_mainloop* loop = pa_mainloop_new();
  if (!loop) return {};
  std::string found;
  pa_context* ctx = pa_context_new(pa_mainloop_get_api(loop), kClientName);
  if (ctx && pa_context_connect(ctx, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) >= 0) {
    const auto deadline = Clock::now() + kProbeTimeout;
    for (;;) {
      const pa_context_state_t state = pa_context_get_state(ctx);
      if (state == PA_CONTEXT_READY) {
        if (const char* name = pa_context_get_server(ctx)) found = name;
        break;
      }
      if (!PA_CONTEXT_IS_GOOD(state)) break;
      const auto left = std::chrono::duration_cast<std::chrono::microseconds>(deadline - Clock::now());
      if (left.count() <= 0) break;
      if (pa_mainloop_prepare(loop, static_cast<int>(left.count())) < 0 || pa_mainloop_poll(loop) < 0 ||
          pa_mainloop_dispatch(loop) < 0)
        break;
    }
    pa_context_disconnect(ctx);
  }
  if (ctx) pa_context_unref(ctx);
  pa_mainloop_free(loop);
  return found;
}

pa_simple* openStream(const std::string& server, const char* name, int rate, int channels, int bufferMs) {
  pa_sample_spec format{};
  format.format = PA_SAMPLE_S16NE;
  format.rate = static_cast<uint32_t>(rate);
  format.channels = static_cast<uint8_t>(channels);
  const auto bytesFor = [&](int ms) {
    return static_cast<uint32_t>(std::max<int64_t>(1, int64_t{rate} * ms / 1000) * 2 * channels);
  };
  pa_buffer_attr attr{};
  attr.maxlength = static_cast<uint32_t>(-1);
  attr.tlength = bytesFor(bufferMs);
  attr.prebuf = bytesFor(kChunkMs);  // start on the first chunk; a short tail starts at drain
  attr.minreq = bytesFor(kChunkMs);
  attr.fragsize = static_cast<uint32_t>(-1);
  int error = 0;
  return pa_simple_new(server.c_str(), kClientName, PA_STREAM_PLAYBACK, nullptr, name, &format, nullptr, &attr,
                       &error);
}

std::vector<int16_t> makeTone() {
  const int n = kBeepRate * 15 / 100;
  const int fade = kBeepRate * 5 / 1000;  // no click at either end
  std::vector<int16_t> tone(static_cast<size_t>(n));
  for (int i = 0; i < n; ++i) {
    const double env = std::min({1.0, static_cast<double>(i) / fade, static_cast<double>(n - 1 - i) / fade});
    const double v = 0.3 * env * std::sin(2.0 * std::numbers::pi * 880.0 * i / kBeepRate);
    tone[static_cast<size_t>(i)] = static_cast<int16_t>(std::lround(v * 32767.0));
  }
  return tone;
}

}  // namespace

struct AudioOut::Impl {
  // Under a lock of its own, held while it is called: once the owner has cleared it, no call of
  // it is under way or still to come.
  std::mutex wakeM;
  std::function<void()> wake;

  // Shared with the caller, under m.
  mutable std::mutex m;
  mutable std::condition_variable cv;
  uint64_t lastTicket = 0;
  uint64_t doneUpTo = 0;  // every ticket up to this one has ended or was cut
  std::shared_ptr<const Pcm> pending;
  uint64_t pendingTicket = 0;
  Clock::time_point pendingStart;
  bool beepDue = false;
  bool wakeDue = false;
  bool quit = false;
  bool stopped = false;  // the worker has left its loop
  bool probed = false;
  bool server = false;

  // Worker only.
  enum class Phase { Idle, Writing, Tail, Silent };
  Phase phase = Phase::Idle;
  std::shared_ptr<const Pcm> clip;
  uint64_t ticket = 0;
  size_t written = 0;        // samples of clip handed to the server
  Clock::time_point until;   // Tail: the server's buffer has played; Silent: the clip's length is over
  std::string serverName;    // empty: null output
  Clock::time_point lastAttempt;
  pa_simple* clipStream = nullptr;
  int streamRate = 0;
  int streamChannels = 0;
  pa_simple* beepStream = nullptr;
  std::vector<int16_t> tone;

  std::thread worker;

  bool requested() const {
    return quit || pending || beepDue || wakeDue || (phase != Phase::Idle && ticket <= doneUpTo);
  }

  // Called with m held when the caller ends every ticket up to `upTo`.
  void cutUpTo(uint64_t upTo) {
    if (doneUpTo < lastTicket) wakeDue = true;  // something was still playing or waiting to play
    doneUpTo = std::max(doneUpTo, upTo);
    pending.reset();
  }

  void connect() {
    std::string name = findServer();
    lastAttempt = Clock::now();
    serverName = std::move(name);
    std::lock_guard lk(m);
    probed = true;
    server = !serverName.empty();
    cv.notify_all();
  }

  void closeStreams() {
    if (clipStream) pa_simple_free(clipStream);
    if (beepStream) pa_simple_free(beepStream);
    clipStream = nullptr;
    beepStream = nullptr;
    streamRate = streamChannels = 0;
  }

  void lose() {  // the server went away: null output until a later attempt succeeds
    closeStreams();
    serverName.clear();
    lastAttempt = Clock::now();
    std::lock_guard lk(m);
    server = false;
  }

  bool ensureClipStream(int rate, int channels) {
    if (serverName.empty() && Clock::now() - lastAttempt >= kRetryEvery) connect();
    if (serverName.empty()) return false;
    if (clipStream && streamRate == rate && streamChannels == channels) return true;
    // The new stream opens before the old one closes: a sink left without streams may fall back
    // to a long buffer and start the next stream late.
    pa_simple* fresh = openStream(serverName, "sound", rate, channels, kClipBufferMs);
    if (!fresh) {
      lose();
      return false;
    }
    if (clipStream) pa_simple_free(clipStream);
    clipStream = fresh;
    streamRate = rate;
    streamChannels = channels;
    return true;
  }

  void start(std::shared_ptr<const Pcm> pcm, uint64_t t, Clock::time_point startedAt) {
    clip = std::move(pcm);
    ticket = t;
    written = 0;
    const size_t frames = clip->samples.size() / static_cast<size_t>(clip->channels);
    if (ensureClipStream(clip->rate, clip->channels)) {
      phase = Phase::Writing;
    } else {
      phase = Phase::Silent;
      until = startedAt + framesToDuration(frames, clip->rate);
    }
  }

  void writeChunk() {
    const size_t ch = static_cast<size_t>(clip->channels);
    const size_t total = clip->samples.size() / ch * ch;
    const size_t chunk = static_cast<size_t>(std::max(1, clip->rate * kChunkMs / 1000)) * ch;
    const size_t n = std::min(chunk, total - written);
    int error = 0;
    if (n > 0 && pa_simple_write(clipStream, clip->samples.data() + written, n * sizeof(int16_t), &error) < 0) {
      lose();
      phase = Phase::Silent;  // keep the clip's length for the caller
      until = Clock::now() + framesToDuration((total - written) / ch, clip->rate);
      return;
    }
    written += n;
    if (written < total) return;
    pa_usec_t latency = pa_simple_get_latency(clipStream, &error);
    if (latency == static_cast<pa_usec_t>(-1)) latency = 0;
    phase = Phase::Tail;
    until = Clock::now() + std::chrono::microseconds(latency);
  }

  void cut() {
    if ((phase == Phase::Writing || phase == Phase::Tail) && clipStream) {
      int error = 0;
      if (pa_simple_flush(clipStream, &error) < 0) lose();
    }
    phase = Phase::Idle;
    clip.reset();
  }

  void playBeep() {
    if (serverName.empty()) return;
    if (!beepStream) beepStream = openStream(serverName, "beep", kBeepRate, 1, kBeepBufferMs);
    if (!beepStream) return;
    if (tone.empty()) tone = makeTone();
    int error = 0;
    if (pa_simple_flush(beepStream, &error) < 0 ||
        pa_simple_write(beepStream, tone.data(), tone.size() * sizeof(int16_t), &error) < 0) {
      pa_simple_free(beepStream);
      beepStream = nullptr;
    }
  }

  void run() {
    connect();
    std::unique_lock lk(m);
    for (;;) {
      if (phase != Phase::Idle && ticket <= doneUpTo) {
        lk.unlock();
        cut();
        lk.lock();
      }
      if (quit) break;
      const bool callWake = std::exchange(wakeDue, false);
      const bool beepNow = std::exchange(beepDue, false);
      std::shared_ptr<const Pcm> next = std::move(pending);
      pending.reset();
      if (callWake || beepNow || next) {
        const uint64_t nextTicket = pendingTicket;
        const Clock::time_point nextStart = pendingStart;
        lk.unlock();
        if (callWake) {
          std::lock_guard wl(wakeM);
          if (wake) wake();
        }
        if (beepNow) playBeep();
        if (next) start(std::move(next), nextTicket, nextStart);
        lk.lock();
        continue;
      }
      switch (phase) {
        case Phase::Idle:
          cv.wait(lk, [&] { return requested(); });
          break;
        case Phase::Writing:
          lk.unlock();
          writeChunk();
          lk.lock();
          break;
        case Phase::Tail:
        case Phase::Silent:
          if (cv.wait_until(lk, until, [&] { return requested(); })) break;
          if (phase == Phase::Tail) {
            lk.unlock();
            int error = 0;
            if (pa_simple_drain(clipStream, &error) < 0) lose();
            lk.lock();
          }
          phase = Phase::Idle;
          clip.reset();
          if (ticket > doneUpTo) {
            doneUpTo = ticket;
            wakeDue = true;
          }
          break;
      }
    }
    lk.unlock();
    closeStreams();
    lk.lock();
    stopped = true;
    cv.notify_all();
  }
};

AudioOut::AudioOut() : impl_(std::make_shared<Impl>()) {
  // The worker shares the state, so it stays valid if the worker outlives this object.
  impl_->worker = std::thread([d = impl_] { d->run(); });
}

AudioOut::~AudioOut() {
  {
    std::lock_guard wl(impl_->wakeM);
    impl_->wake = nullptr;  // whoever it wakes may be gone before a late worker gets here
  }
  std::unique_lock lk(impl_->m);
  impl_->quit = true;
  impl_->cv.notify_all();
  const bool done = impl_->cv.wait_for(lk, kQuitWait, [&] { return impl_->stopped; });
  lk.unlock();
  if (done)
    impl_->worker.join();
  else
    impl_->worker.detach();
}

uint64_t AudioOut::play(std::shared_ptr<const Pcm> pcm) {
  std::lock_guard lk(impl_->m);
  Impl& d = *impl_;
  d.cutUpTo(d.lastTicket);
  const uint64_t t = ++d.lastTicket;
  const bool playable = pcm && pcm->channels >= 1 && pcm->channels <= 2 && pcm->rate > 0 &&
                        pcm->rate <= kMaxRate && pcm->samples.size() >= static_cast<size_t>(pcm->channels);
  if (playable) {
    d.pending = std::move(pcm);
    d.pendingTicket = t;
    d.pendingStart = Clock::now();
  } else {  // nothing to play: over at once
    d.doneUpTo = t;
    d.wakeDue = true;
  }
  d.cv.notify_all();
  return t;
}

bool AudioOut::finished(uint64_t ticket) const {
  std::lock_guard lk(impl_->m);
  return ticket <= impl_->doneUpTo || ticket > impl_->lastTicket;
}

void AudioOut::stop() {
  std::lock_guard lk(impl_->m);
  impl_->cutUpTo(impl_->lastTicket);
  impl_->cv.notify_all();
}

void AudioOut::beep() {
  std::lock_guard lk(impl_->m);
  impl_->beepDue = true;  // beeps asked for in a burst sound once
  impl_->cv.notify_all();
}

bool AudioOut::hasServer() const {
  std::unique_lock lk(impl_->m);
  impl_->cv.wait(lk, [&] { return impl_->probed; });
  return impl_->server;
}

void AudioOut::setWake(std::function<void()> f) {
  std::lock_guard lk(impl_->wakeM);
  impl_->wake = std::move(f);
}

}  // namespace rt

// The pack's frame in a real process on an X server (the test runs on an X server of its own): another
// client destroys the window, or the window system asks it to close in the middle of a clip.
// Either way the open window's handler ends at once, writes nothing, and the process exits 0.
#include <xcb/xcb.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>

namespace {

// One connection to the X server of the test, as another client on the desktop.
class XClient {
 public:
  XClient() : c_(xcb_connect(nullptr, nullptr)) {}
  ~XClient() { xcb_disconnect(c_); }
  bool ok() const { return !xcb_connection_has_error(c_); }

  void destroy(uint32_t window) {  // what `xdotool windowclose` does
    xcb_destroy_window(c_, window);
    xcb_flush(c_);
  }
  void askToClose(uint32_t window) {  // what a window manager sends for the close button
    xcb_client_message_event_t ev{};
    ev.response_type = XCB_CLIENT_MESSAGE;
    ev.format = 32;
    ev.window = window;
    ev.type = atom("WM_PROTOCOLS");
    ev.data.data32[0] = atom("WM_DELETE_WINDOW");
    ev.data.data32[1] = XCB_CURRENT_TIME;
    xcb_send_event(c_, 0, window, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&ev));
    xcb_flush(c_);
  }

 private:
  xcb_atom_t atom(const char* name) {
    auto* reply = xcb_intern_atom_reply(c_, xcb_intern_atom(c_, 0, static_cast<uint16_t>(strlen(name)), name), nullptr);
    const xcb_atom_t a = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    free(reply);
    return a;
  }
  xcb_connection_t* c_;
};

// A close that the handler's clip or wait held up would end the process only with it, up to
// 30 s on; the end itself takes under a second, also under the sanitizers on a busy machine.
constexpr int kPromptMs = 5000;

struct Outcome {
  bool exited = false;  // ended by itself within kPromptMs
  int status = -1;
  qint64 msAfterClose = -1;
  bool handlerWentOn = false;
};

enum class Close { Destroy, Ask };

// Starts the probe with a handler in a clip or a wait, closes its window as `how`, and times the
// end of the process from the moment the request left.
Outcome closeMidHandler(const char* mode, Close how) {
  Outcome r;
  const char* probe = std::getenv("VPK_CLOSE_PROBE");
  EXPECT_NE(probe, nullptr);
  if (!probe) return r;
  QTemporaryDir dir;
  const QString marker = dir.filePath("marker");
  QProcess p;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("QT_QPA_PLATFORM", "xcb");
  env.insert("HOME", dir.path());
  p.setProcessEnvironment(env);
  p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
  p.start(probe, {mode, marker});
  if (!p.waitForStarted(10000)) {
    ADD_FAILURE() << "the probe did not start";
    return r;
  }
  QByteArray line;
  while (!line.endsWith('\n') && p.waitForReadyRead(20000)) line += p.readLine();
  uint32_t window = 0;
  if (!line.startsWith("ready ") || (window = line.mid(6).trimmed().toUInt()) == 0) {
    ADD_FAILURE() << "the probe did not get ready: " << line.toStdString();
    p.kill();
    p.waitForFinished(10000);
    return r;
  }
  XClient x;
  EXPECT_TRUE(x.ok());
  QElapsedTimer since;
  since.start();
  if (how == Close::Destroy)
    x.destroy(window);
  else
    x.askToClose(window);
  r.exited = p.waitForFinished(kPromptMs);
  r.msAfterClose = since.elapsed();
  if (!r.exited) {
    p.kill();
    p.waitForFinished(10000);
    return r;
  }
  r.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
  r.handlerWentOn = QFile::exists(marker);
  return r;
}

void expectPromptEnd(const char* mode, Close how) {
  const Outcome r = closeMidHandler(mode, how);
  const char* what = how == Close::Destroy ? "window destroyed" : "closed";
  ASSERT_TRUE(r.exited) << mode << ": still running " << r.msAfterClose << " ms after: " << what;
  EXPECT_EQ(r.status, 0) << mode;
  EXPECT_FALSE(r.handlerWentOn) << mode << ": the handler went on after: " << what;
  std::printf("%s in %s: exit %lld ms later\n", what, mode, static_cast<long long>(r.msAfterClose));
}

}  // namespace

TEST(FrameClose, ADestroyedWindowEndsThePack) {
  for (const char* mode : {"wait", "sound"}) expectPromptEnd(mode, Close::Destroy);
}

TEST(FrameClose, TheCloseCutsASoundAndEndsThePackAtOnce) { expectPromptEnd("sound", Close::Ask); }

TEST(FrameClose, TheCloseEndsAWaitAtOnceAlsoBeforeTheEventLoop) {
  for (const char* mode : {"wait", "wait-at-start"}) expectPromptEnd(mode, Close::Ask);
}

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}

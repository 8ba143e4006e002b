// The wrapper that gives each real-X test and `make bench` an X server of its own
// (tools/xvfb/with_xvfb.sh). This program is also the X client the wrapper runs:
//   --hold CODE     connects, prints "<DISPLAY> ok" (or "fail"), keeps the connection until its
//                   input ends, exits CODE
//   --reconnect N   connects and disconnects N times, one client at a time; prints the refusals
#include <errno.h>
#include <poll.h>
#include <signal.h>
#include <sys/syscall.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>
#include <iostream>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace {

const QString kWrapper = QStringLiteral(VPK_WITH_XVFB);

int holdClient(int code) {
  xcb_connection_t* c = xcb_connect(nullptr, nullptr);
  const char* display = std::getenv("DISPLAY");
  std::printf("%s %s\n", display ? display : "none", xcb_connection_has_error(c) ? "fail" : "ok");
  std::fflush(stdout);
  std::string rest;
  std::getline(std::cin, rest, '\0');
  xcb_disconnect(c);
  return code;
}

int reconnectClient(int times) {
  int refused = 0;
  for (int i = 0; i < times; ++i) {
    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c)) ++refused;
    else free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));  // one round trip
    xcb_disconnect(c);
  }
  std::printf("refused %d of %d\n", refused, times);
  return refused == 0 ? 0 : 1;
}

// The wrapper running this program as a client.
std::unique_ptr<QProcess> startWrapped(const QStringList& clientArgs) {
  auto p = std::make_unique<QProcess>();
  p->setProcessChannelMode(QProcess::ForwardedErrorChannel);
  p->start(kWrapper, QStringList{QCoreApplication::applicationFilePath()} + clientArgs);
  return p;
}

QString firstLine(QProcess& p) {
  QByteArray line;
  while (!line.endsWith('\n') && (p.canReadLine() || p.waitForReadyRead(30000))) line += p.readLine();
  return QString::fromUtf8(line).trimmed();
}

// Waits up to `ms` for a process that is not this one's child to end.
bool endsWithin(pid_t pid, int ms) {
  const int fd = static_cast<int>(syscall(SYS_pidfd_open, pid, 0));
  if (fd < 0) return errno == ESRCH;  // already gone
  pollfd p{fd, POLLIN, 0};
  const bool ended = poll(&p, 1, ms) == 1;
  close(fd);
  return ended;
}

std::vector<pid_t> childrenOf(pid_t pid) {
  QFile f(QString("/proc/%1/task/%1/children").arg(pid));
  std::vector<pid_t> out;
  if (!f.open(QIODevice::ReadOnly)) return out;
  for (const QByteArray& word : f.readAll().split(' '))
    if (const int n = word.trimmed().toInt(); n > 0) out.push_back(n);
  return out;
}

}  // namespace

// As CTest starts the real-X tests of several checkouts at once: every wrapper started at the
// same moment gets a server of its own, and the client's status comes back through the wrapper.
TEST(WithXvfb, ServersStartedAtOnceEachGetADisplayOfTheirOwn) {
  constexpr int kAtOnce = 30;
  std::vector<std::unique_ptr<QProcess>> runs;
  for (int i = 0; i < kAtOnce; ++i) runs.push_back(startWrapped({"--hold", QString::number(i % 5)}));
  std::set<QString> displays;
  for (auto& p : runs) {
    const QStringList words = firstLine(*p).split(' ');
    ASSERT_EQ(words.size(), 2) << "a client printed no display";
    EXPECT_EQ(words[1], "ok") << "no connection to " << words[0].toStdString();
    EXPECT_TRUE(displays.insert(words[0]).second) << words[0].toStdString() << " given twice";
  }
  for (int i = 0; i < kAtOnce; ++i) {
    runs[i]->closeWriteChannel();
    ASSERT_TRUE(runs[i]->waitForFinished(30000));
    EXPECT_EQ(runs[i]->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(runs[i]->exitCode(), i % 5);
  }
}

// A test starts one client after another; one that connects as the last has just gone must
// still find the server.
TEST(WithXvfb, AClientConnectingJustAsTheLastOneLeftIsAccepted) {
  auto p = startWrapped({"--reconnect", "1500"});
  ASSERT_TRUE(p->waitForFinished(60000));
  EXPECT_EQ(p->exitCode(), 0) << p->readAllStandardOutput().toStdString();
}

// CTest ends a test that runs past its time limit with SIGKILL: the server and the client must
// not outlive the wrapper.
TEST(WithXvfb, AKilledWrapperTakesItsServerAndCommandAlong) {
  auto p = startWrapped({"--hold", "0"});
  ASSERT_TRUE(firstLine(*p).endsWith(" ok"));
  const std::vector<pid_t> children = childrenOf(static_cast<pid_t>(p->processId()));
  ASSERT_GE(children.size(), 2u) << "the wrapper should run a server and the client";
  ::kill(static_cast<pid_t>(p->processId()), SIGKILL);
  p->waitForFinished(30000);
  for (pid_t child : children) EXPECT_TRUE(endsWithin(child, 10000)) << "process " << child << " outlived the wrapper";
}

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "--hold") == 0) return holdClient(std::atoi(argv[2]));
  if (argc == 3 && std::strcmp(argv[1], "--reconnect") == 0) return reconnectClient(std::atoi(argv[2]));
  QCoreApplication app(argc, argv);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}

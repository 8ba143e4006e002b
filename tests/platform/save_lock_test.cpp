// Two or three packs saving one file at once, each a process of its own: the lock beside the file
// keeps every pack's line, also when one of them stalls in the middle of its save or finds a lock
// file that its holder has just removed.
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <memory>

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "os_faults.h"
#include "rt/files.h"
#include "save_helpers.h"

using namespace rt;
using saves::entriesOf;
using saves::setLine;
using saves::zerosBut;

namespace {

// A pack whose save of line `k` stalls right after its first read under the lock: it says so on
// `holds` and goes on at a byte on `goOn`. No other pack takes its lock meanwhile, so it reads the
// file just once. Run it in an osf::Child.
std::function<void()> StallingPack(const std::string& p, size_t k, const std::string& value, osf::Signal& holds,
                                   osf::Signal& goOn) {
  return [&p, k, value, &holds, &goOn] {
    int calls = 0;
    EXPECT_TRUE(updateLines(p, 12, [&](FileLines& f) {
      if (++calls == 1) {
        holds.send();
        EXPECT_TRUE(goOn.receive());
      }
      return setLine(12, k, value)(f);
    }));
    EXPECT_EQ(calls, 1) << "line " << k << ": its lock was taken while it held it";
  };
}

// ---- the saves that wait out the lock's 3 s, run side by side (PacksThatStallOrHammerTheLock)

// A reads the file under the lock and stalls; B waits out the lock, takes it over and saves
// another line. A goes on, finds its lock taken over, reads the file again and sets its line once
// more.
void TwoPacks() {
  QTemporaryDir dir;
  const std::string p = dir.filePath("Gemmet_hsc.nrz").toStdString();
  ASSERT_TRUE(writeLinesAtomic(p, std::vector<std::string>(12, "0")));
  osf::Signal hasRead, goOn;
  osf::Child a([&] {
    int calls = 0;
    const bool saved = static_cast<bool>(updateLines(p, 12, [&](FileLines& f) {
      if (++calls == 1) {
        hasRead.send();
        goOn.receive();
      }
      return setLine(12, 3, "100")(f);
    }));
    osf::Exit(saved ? calls : 100);
  });
  ASSERT_TRUE(hasRead.receive());
  const auto start = std::chrono::steady_clock::now();
  EXPECT_TRUE(updateLines(p, 12, setLine(12, 7, "500")));
  const std::chrono::duration<double> waited = std::chrono::steady_clock::now() - start;
  EXPECT_GE(waited.count(), 2.9);
  goOn.send();
  const osf::Ended ended = a.wait();
  EXPECT_EQ(ended.code, 2) << "A's change ran this often, or: " << ended.text();
  EXPECT_EQ(readLines(p).lines, zerosBut(12, {{3, "100"}, {7, "500"}}));
  EXPECT_EQ(entriesOf(dir.path().toStdString()), QStringList{"Gemmet_hsc.nrz"});  // no lock or new file left
}

// As TwoPacks, but when A goes on, C holds a fresh lock file: a lock file at the name is not
// A's lock. A must find its lock lost and wait for C's, not save over C.
void ThreePacks() {
  QTemporaryDir dir, out;
  const std::string p = dir.filePath("Gemmet_hsc.nrz").toStdString(), printed = out.filePath("a").toStdString();
  ASSERT_TRUE(writeLinesAtomic(p, std::vector<std::string>(12, "0")));
  // A, the save program: stops in its change, and again after its first try of a lock once it goes
  // on (its first two tries were the lock file and the file itself).
  osf::Child a([&] {
    osf::ExecSaveChild(osf::BuiltTools(), {"set", p, "12", "3", "100", "stall"}, {"VPK_STOP=after:flock:3"}, printed);
  });
  ASSERT_TRUE(a.waitStopped());
  const osf::Ended b = osf::InChild([&] { EXPECT_TRUE(updateLines(p, 12, setLine(12, 7, "500"))); });
  EXPECT_TRUE(b.ok()) << b.text();
  osf::Signal cHolds, cGoOn;
  osf::Child c(StallingPack(p, 9, "900", cHolds, cGoOn));
  ASSERT_TRUE(cHolds.receive());
  a.resume();
  EXPECT_TRUE(a.waitStopped()) << "A saved while C held the lock: " << a.wait().text();
  cGoOn.send();
  EXPECT_TRUE(c.wait().ok());
  a.resume();
  EXPECT_TRUE(a.wait().ok());
  EXPECT_EQ(saves::bytesOf(printed), QByteArray("changes 2\n"));  // once before the stall, once after C
  EXPECT_EQ(readLines(p).lines, zerosBut(12, {{3, "100"}, {7, "500"}, {9, "900"}}));
  EXPECT_EQ(entriesOf(dir.path().toStdString()), QStringList{"Gemmet_hsc.nrz"});
}

// In a folder that takes no new file from A (the user nobody) but does from B (root), A holds the
// lock file that stands there, writes in place and stalls; B takes the lock over and saves. A
// must find its lock lost before it writes in place.
void InPlace() {
  if (geteuid() != 0) osf::Exit(osf::kCannot);
  QTemporaryDir dir;
  ASSERT_EQ(chmod(dir.path().toLocal8Bit().constData(), 0755), 0);
  ASSERT_TRUE(QDir().mkdir(dir.filePath("tools")));
  const osf::Tools tools = osf::CopyTools(dir.filePath("tools").toStdString());
  ASSERT_TRUE(QDir().mkdir(dir.filePath("Morvelware")));
  const std::string p = dir.filePath("Morvelware/Gemmet_hsc.nrz").toStdString(), lock = p + ".lock";
  ASSERT_TRUE(writeLinesAtomic(p, std::vector<std::string>(12, "0")));
  saves::put(lock, "");
  for (const std::string& f : {p, lock}) {
    ASSERT_EQ(chown(f.c_str(), osf::kNobody, osf::kNobody), 0);
    ASSERT_EQ(chmod(f.c_str(), 0666), 0);
  }
  osf::Child a([&] {
    if (!osf::BecomeNobody()) osf::Exit(1);
    osf::ExecSaveChild(tools, {"set", p, "12", "3", "100", "stall"});
  });
  ASSERT_TRUE(a.waitStopped());
  const osf::Ended b = osf::InChild([&] { EXPECT_TRUE(updateLines(p, 12, setLine(12, 7, "500"))); });
  EXPECT_TRUE(b.ok()) << b.text();
  a.resume();
  EXPECT_TRUE(a.wait().ok());
  EXPECT_EQ(readLines(p).lines, zerosBut(12, {{3, "100"}, {7, "500"}}));
}

// In a folder that takes no new file, A holds the file's own lock, stopped at its write; B finds
// no lock file to take and waits for the file's lock, which A does not let go in time. B saves
// nothing rather than write unlocked, and says the file was locked; A's save lands when it goes on.
void InPlaceHeldPastTheWait() {
  saves::ClosedFolder folder;
  const std::string p = folder.path("Gemmet_hsc.nrz");
  folder.put("Gemmet_hsc.nrz", QByteArray("5\r\n").repeated(12));
  osf::Child a([&] {
    folder.becomeUser();
    osf::ExecSaveChild(folder.tools(), {"set", p, "12", "1", "7"}, {"VPK_STOP=before:pwrite:1"});
  });
  ASSERT_TRUE(a.waitStopped());
  const auto start = std::chrono::steady_clock::now();
  const osf::Ended b = osf::InChild([&] {
    folder.becomeUser();
    osf::ExecSaveChild(folder.tools(), {"set", p, "12", "0", "123456"});
  });
  const std::chrono::duration<double> waited = std::chrono::steady_clock::now() - start;
  EXPECT_EQ(b.code, 3) << "B's save answered: " << b.text();  // 3: the file was locked
  EXPECT_GE(waited.count(), 2.9);
  EXPECT_EQ(saves::bytesOf(p), QByteArray("5\r\n").repeated(12));
  a.resume();
  EXPECT_TRUE(a.wait().ok());
  std::vector<std::string> lines(12, "5");
  lines[1] = "7";
  EXPECT_EQ(readLines(p).lines, lines);
}

// A (the user nobody, in a folder that takes no new file from it) holds the file's own lock,
// stopped at its write in place; B (root, which may write the folder) waits that lock out and
// replaces the file. A's write then goes into the file that no name stands for any more: A must
// see that and save again in the file that stands.
void InPlaceReplacedMeanwhile() {
  if (geteuid() != 0) osf::Exit(osf::kCannot);
  saves::ClosedFolder folder;
  const std::string p = folder.path("Gemmet_hsc.nrz");
  folder.put("Gemmet_hsc.nrz", QByteArray("5\r\n").repeated(12));
  ASSERT_EQ(chmod(p.c_str(), 0666), 0);  // B's file keeps the mode, so that A may write it too
  osf::Child a([&] {
    folder.becomeUser();
    osf::ExecSaveChild(folder.tools(), {"set", p, "12", "1", "7"}, {"VPK_STOP=before:pwrite:1"});
  });
  ASSERT_TRUE(a.waitStopped());
  const osf::Ended b = osf::InChild([&] { EXPECT_TRUE(updateLines(p, 12, setLine(12, 0, "123456"))); });
  EXPECT_TRUE(b.ok()) << b.text();
  a.resume();
  EXPECT_TRUE(a.wait().ok());
  std::vector<std::string> both(12, "5");
  both[0] = "123456";
  both[1] = "7";
  EXPECT_EQ(readLines(p).lines, both);
}

// Two programs rename a new file over the save's file in a loop, taking no lock. The save stops
// each time it has locked the file (the shim, from its second flock on: the first is the lock
// file's) and goes on only once the name stands for a newer file, so that every look finds the
// file replaced. It must give up by the end of its wait, say why, and write nothing: one look
// every 2 ms at most in a wait of 3 s makes at most 1501.
void ReplacedOverAndOver() {
  QTemporaryDir dir;
  const std::string p = dir.filePath("Gemmet_hsc.nrz").toStdString();
  const QByteArray theirs = QByteArray("9\r\n").repeated(12);
  saves::put(p, theirs);
  std::vector<std::unique_ptr<osf::Child>> replacers;
  for (int i = 0; i < 2; ++i)
    replacers.push_back(std::make_unique<osf::Child>([&, i] {
      const std::string temp = p + ".other" + std::to_string(i);
      for (;;) {
        saves::put(temp, theirs);
        if (::rename(temp.c_str(), p.c_str()) != 0) osf::Exit(1);
      }
    }));
  osf::Child save([&] {
    osf::ExecSaveChild(osf::BuiltTools(), {"set", p, "12", "1", "7"}, {"VPK_STOP=after:flock:2+"});
  });
  const int mostLooks = 1501;
  int looks = 0;
  while (save.waitStopped() && ++looks <= mostLooks) {
    struct stat locked, now;
    ASSERT_EQ(stat(p.c_str(), &locked), 0);
    do {
      ASSERT_EQ(stat(p.c_str(), &now), 0);
    } while (now.st_ino == locked.st_ino);
    save.resume();
  }
  EXPECT_LE(looks, mostLooks) << "the save went on looking past its wait";
  save.kill();
  EXPECT_EQ(save.wait().code, 4) << "after " << looks << " looks";  // 4: the file kept being replaced
  replacers.clear();
  EXPECT_EQ(saves::bytesOf(p), theirs);
}

// In a folder that takes no new file, a program replaces the file whenever a save in place is
// about to write (stopped by the shim at each pwrite): each write goes into a file that no name
// stands for any more. The save, by updateLines and by writeLinesAtomic, tries again a few times,
// then says that the file kept being replaced.
void InPlaceReplacedAtEveryWrite() {
  saves::ClosedFolder folder;
  const std::string p = folder.path("Gemmet_hsc.nrz");
  const QByteArray theirs = QByteArray("9\r\n").repeated(12);
  folder.put("Gemmet_hsc.nrz", theirs);
  for (const std::vector<std::string>& save : {std::vector<std::string>{"set", p, "12", "1", "7"},
                                                std::vector<std::string>{"write", p, "7", "7"}}) {
    osf::Child a([&] {
      folder.becomeUser();
      osf::ExecSaveChild(folder.tools(), save, {"VPK_STOP=before:pwrite:1+"});
    });
    int writes = 0;
    while (a.waitStopped() && ++writes <= 5) {
      folder.replace("Gemmet_hsc.nrz", theirs);
      a.resume();
    }
    a.kill();
    EXPECT_EQ(a.wait().code, 4) << save[0] << " after " << writes << " writes";
    EXPECT_EQ(saves::bytesOf(p), theirs);
  }
}

// Packs that save one file as fast as they can, each adding one to the count of line 0 and to its
// own line, many times over: none loses a save of another.
void Hammering() {
  QTemporaryDir dir;
  const std::string p = dir.filePath("Kippel_hsc_A.nrz").toStdString();
  ASSERT_TRUE(writeLinesAtomic(p, {"0", "0", "0"}));
  const int packs = 3, rounds = 40;
  std::vector<std::unique_ptr<osf::Child>> running;
  for (int i = 0; i < packs; ++i)
    running.push_back(std::make_unique<osf::Child>([&p, i] {
      for (int s = 0; s < rounds; ++s)
        EXPECT_TRUE(updateLines(p, 1 + packs, [i](FileLines& f) {
          f.lines.resize(1 + packs, "0");
          for (size_t k : {size_t{0}, static_cast<size_t>(1 + i)})
            f.lines[k] = std::to_string(std::stoi(f.lines[k]) + 1);
          return true;
        }));
    }));
  for (auto& c : running) EXPECT_TRUE(c->wait().ok());
  std::vector<std::string> counts(1 + packs, std::to_string(rounds));
  counts[0] = std::to_string(packs * rounds);
  EXPECT_EQ(readLines(p).lines, counts);
  EXPECT_EQ(entriesOf(dir.path().toStdString()), QStringList{"Kippel_hsc_A.nrz"});
}

}  // namespace

// The packs that wait out the lock, and beside them the ones that hammer it, all at once, each in
// a process of its own.
TEST(SaveLockTest, PacksThatStallOrHammerTheLock) {
  const std::pair<const char*, void (*)()> scenarios[] = {
      {"two packs", TwoPacks},
      {"three packs", ThreePacks},
      {"in place", InPlace},
      {"in place, held past the wait", InPlaceHeldPastTheWait},
      {"in place, replaced meanwhile", InPlaceReplacedMeanwhile},
      {"replaced over and over", ReplacedOverAndOver},
      {"in place, replaced at every write", InPlaceReplacedAtEveryWrite},
      {"hammering", Hammering}};
  std::vector<std::unique_ptr<osf::Child>> running;
  for (const auto& s : scenarios) running.push_back(std::make_unique<osf::Child>(s.second, 30));
  for (size_t i = 0; i < running.size(); ++i) {
    const osf::Ended ended = running[i]->wait();
    if (ended.code == osf::kCannot) {
      std::printf("%s: skipped, needs root to run saves as another user\n", scenarios[i].first);
      continue;
    }
    EXPECT_TRUE(ended.ok()) << scenarios[i].first << ": " << ended.text();
  }
}

TEST(SaveLockTest, ALockFileThatItsHolderRemovedCountsForNothing) {
  QTemporaryDir dir, out;
  const std::string p = dir.filePath("Gemmet_hsc.nrz").toStdString(), printed = out.filePath("v").toStdString();
  ASSERT_TRUE(writeLinesAtomic(p, std::vector<std::string>(12, "0")));
  osf::Signal hHolds, hGoOn, cHolds, cGoOn;
  osf::Child h(StallingPack(p, 4, "400", hHolds, hGoOn));
  ASSERT_TRUE(hHolds.receive());
  // V opens H's lock file and stops before it locks it.
  osf::Child v([&] {
    osf::ExecSaveChild(osf::BuiltTools(), {"set", p, "12", "7", "500"}, {"VPK_STOP=before:flock:1,after:flock:2"},
                       printed);
  });
  ASSERT_TRUE(v.waitStopped());
  hGoOn.send();  // H saves and removes its lock file as it lets go
  EXPECT_TRUE(h.wait().ok());
  osf::Child c(StallingPack(p, 9, "900", cHolds, cGoOn));  // C locks a new lock file
  ASSERT_TRUE(cHolds.receive());
  // V locks the file H removed, which no one else will ever lock: it must try again, on C's, and
  // neither read nor change the file before C is done.
  v.resume();
  EXPECT_TRUE(v.waitStopped()) << "V saved while C held the lock: " << v.wait().text();
  cGoOn.send();
  EXPECT_TRUE(c.wait().ok());
  v.resume();
  EXPECT_TRUE(v.wait().ok());
  EXPECT_EQ(saves::bytesOf(printed), QByteArray("changes 1\n")) << "V read the file while C held the lock";
  EXPECT_EQ(readLines(p).lines, zerosBut(12, {{4, "400"}, {7, "500"}, {9, "900"}}));
  EXPECT_EQ(entriesOf(dir.path().toStdString()), QStringList{"Gemmet_hsc.nrz"});
}

TEST(SaveLockTest, AFileMadeWhileASaveWaitsForTheLockIsReadNotReplaced) {
  QTemporaryDir dir;
  const std::string p = dir.filePath("Gemmet_hsc.nrz").toStdString();
  // Q makes the file with its best; P, opening the game meanwhile, found no file and waits to make
  // one of zeros.
  osf::Signal qHolds, qGoOn;
  osf::Child q(StallingPack(p, 4, "300", qHolds, qGoOn));
  ASSERT_TRUE(qHolds.receive());
  osf::Child pack([&] {
    osf::ExecSaveChild(osf::BuiltTools(), {"create", p, "12", "0"}, {"VPK_STOP=before:flock:1"});
  });
  ASSERT_TRUE(pack.waitStopped());
  qGoOn.send();
  EXPECT_TRUE(q.wait().ok());
  pack.resume();
  EXPECT_EQ(pack.wait().code, 1) << "P made its file over Q's";
  EXPECT_EQ(readLines(p).lines, zerosBut(12, {{4, "300"}}));
}


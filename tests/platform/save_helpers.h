#pragma once
// What the tests of saves share: a file's bytes and lines, a folder that takes no new file, and a
// change that sets one line.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "os_faults.h"
#include "rt/files.h"

// Test failures show a list of entries as their names.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace saves {

inline QByteArray bytesOf(const std::string& path) {
  QFile f(QString::fromStdString(path));
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(unreadable)");
}

inline QStringList entriesOf(const std::string& dir) {
  return QDir(QString::fromStdString(dir)).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System | QDir::Hidden);
}

inline void put(const std::string& path, const QByteArray& bytes) {
  QFile f(QString::fromStdString(path));
  ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path;
  ASSERT_EQ(f.write(bytes), bytes.size());
}

// A change that sets line `k` of a file of `n` lines ("0" where the file has none).
inline std::function<bool(rt::FileLines&)> setLine(size_t n, size_t k, std::string value) {
  return [=](rt::FileLines& f) {
    f.lines.resize(n, "0");
    f.lines[k] = value;
    return true;
  };
}

// `n` lines of "0" but for the ones given.
inline std::vector<std::string> zerosBut(size_t n, const std::vector<std::pair<size_t, std::string>>& set) {
  std::vector<std::string> lines(n, "0");
  for (const auto& [k, v] : set) lines[k] = v;
  return lines;
}

// A folder that takes no new file (mode 555), whose files the saves may write. Root passes over a
// folder's mode, so as root the folder and its files belong to the user nobody and the saves run
// as nobody (becomeUser in a child), from copies of the save program and the shim it may open.
class ClosedFolder {
 public:
  ClosedFolder() {
    EXPECT_EQ(chmod(dir_.path().toLocal8Bit().constData(), 0755), 0);
    folder_ = dir_.filePath("Morvelware").toStdString();
    EXPECT_TRUE(QDir().mkdir(QString::fromStdString(folder_)));
    if (root_) {
      EXPECT_EQ(chown(folder_.c_str(), osf::kNobody, osf::kNobody), 0);
      EXPECT_TRUE(QDir().mkdir(dir_.filePath("tools")));
    }
    tools_ = root_ ? osf::CopyTools(dir_.filePath("tools").toStdString()) : osf::BuiltTools();
    EXPECT_EQ(chmod(folder_.c_str(), 0555), 0);
  }
  ~ClosedFolder() { chmod(folder_.c_str(), 0755); }
  ClosedFolder(const ClosedFolder&) = delete;
  ClosedFolder& operator=(const ClosedFolder&) = delete;

  std::string path(const std::string& name) const { return folder_ + "/" + name; }
  const std::string& folder() const { return folder_; }
  const osf::Tools& tools() const { return tools_; }
  bool root() const { return root_; }

  // Gives file `name` these bytes, as a file of the user the saves run as.
  void put(const std::string& name, const QByteArray& bytes) const {
    chmod(folder_.c_str(), 0755);
    saves::put(path(name), bytes);
    if (root_) {
      EXPECT_EQ(chown(path(name).c_str(), osf::kNobody, osf::kNobody), 0);
    }
    chmod(folder_.c_str(), 0555);
  }
  // Renames a new file with these bytes, the user's as above, over file `name`, as a program
  // that replaces the file does.
  void replace(const std::string& name, const QByteArray& bytes) const {
    put(name + ".new", bytes);
    chmod(folder_.c_str(), 0755);
    EXPECT_EQ(::rename(path(name + ".new").c_str(), path(name).c_str()), 0);
    chmod(folder_.c_str(), 0555);
  }
  // In a child: becomes the user the saves run as, for whom the folder takes no new file; ends
  // the child when it cannot.
  void becomeUser() const {
    if (root_ && !osf::BecomeNobody()) {
      ADD_FAILURE() << "cannot become the user nobody";
      osf::Exit(1);
    }
    const std::string probe = folder_ + "/probe";
    if (open(probe.c_str(), O_WRONLY | O_CREAT, 0644) >= 0) {
      ADD_FAILURE() << "the folder takes new files";
      osf::Exit(1);
    }
  }

 private:
  QTemporaryDir dir_;
  std::string folder_;
  bool root_ = geteuid() == 0;
  osf::Tools tools_;
};

}  // namespace saves

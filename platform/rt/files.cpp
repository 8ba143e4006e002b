#include "rt/files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

#include "rt/host.h"

namespace rt {

std::optional<std::vector<std::string>> readLines(const std::string& path) {
  QFile f(QString::fromStdString(path));
  if (!f.open(QIODevice::ReadOnly)) return std::nullopt;
  // Score files are tiny; a huge file is not ours and is read only in part.
  QByteArray data = f.read(1 << 20);
  std::vector<std::string> lines;
  std::string cur;
  bool any = false;
  for (int i = 0; i < data.size(); ++i) {
    char c = data[i];
    if (c == '\r' || c == '\n') {
      lines.push_back(cur);
      cur.clear();
      any = false;
      if (c == '\r' && i + 1 < data.size() && data[i + 1] == '\n') ++i;
    } else {
      cur += c;
      any = true;
    }
  }
  if (any) lines.push_back(cur);
  return lines;
}

namespace {
long long g_failAfter = -1;
}  // namespace

void failWritesAfterForTests(long long bytes) { g_failAfter = bytes; }

bool writeLinesAtomic(const std::string& path, const std::vector<std::string>& lines) {
  QSaveFile f(QString::fromStdString(path));
  if (!f.open(QIODevice::WriteOnly)) return false;
  QByteArray out;
  for (const auto& l : lines) {
    out.append(l.data(), static_cast<qsizetype>(l.size()));
    out.append("\r\n");
  }
  if (g_failAfter >= 0) {
    f.write(out.left(static_cast<qsizetype>(g_failAfter)));
    f.cancelWriting();
    return false;
  }
  if (f.write(out) != out.size()) {
    f.cancelWriting();
    return false;
  }
  if (!f.commit()) return false;
  host().note("file", path);
  return true;
}

bool fileExists(const std::string& path) {
  QFileInfo fi(QString::fromStdString(path));
  return fi.exists() && fi.isFile();
}

bool isDirectory(const std::string& path) { return QFileInfo(QString::fromStdString(path)).isDir(); }

bool hasNormalFiles(const std::string& dir) {
  QDir d(QString::fromStdString(dir));
  if (!d.exists()) return false;
  return !d.entryList(QDir::Files | QDir::NoDotAndDotDot).isEmpty();
}

bool makeDirectory(const std::string& path) {
  QString p = QString::fromStdString(path);
  while (p.endsWith('/') && p.size() > 1) p.chop(1);
  QFileInfo fi(p);
  if (fi.exists()) return false;
  return QDir().mkdir(p);
}

std::string systemDocumentsFolder() {
  QString docs = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  if (!docs.isEmpty() && QFileInfo(docs).isDir()) return docs.toStdString();
  QString home = QDir::homePath();
  if (!home.isEmpty() && QFileInfo(home).isDir()) return home.toStdString();
  return {};
}

}  // namespace rt

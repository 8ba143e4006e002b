#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "rt/files.h"

using namespace rt;

TEST(FilesTest, LinesEndWithCrLfAndReadBackAnySplit) {
  QTemporaryDir dir;
  std::string p = dir.filePath("a.nrz").toStdString();
  ASSERT_TRUE(writeLinesAtomic(p, {"1", "22"}));
  QFile f(QString::fromStdString(p));
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_EQ(f.readAll(), QByteArray("1\r\n22\r\n"));
  f.close();
  EXPECT_EQ(*readLines(p), (std::vector<std::string>{"1", "22"}));

  QFile g(dir.filePath("b"));
  ASSERT_TRUE(g.open(QIODevice::WriteOnly));
  g.write("a\rb\nc\r\n\r\nd");
  g.close();
  EXPECT_EQ(*readLines(dir.filePath("b").toStdString()),
            (std::vector<std::string>{"a", "b", "c", "", "d"}));
  EXPECT_FALSE(readLines(dir.filePath("missing").toStdString()).has_value());
}

TEST(FilesTest, FailedWriteLeavesTheOldFile) {
  QTemporaryDir dir;
  std::string p = dir.filePath("x").toStdString();
  ASSERT_TRUE(writeLinesAtomic(p, {"5"}));
  // A folder where the file's folder should be: the write fails, nothing is lost.
  EXPECT_FALSE(writeLinesAtomic(dir.filePath("x/y").toStdString(), {"1"}));
  EXPECT_EQ(*readLines(p), std::vector<std::string>{"5"});
  QDir(dir.path()).mkdir("sub");
  EXPECT_FALSE(writeLinesAtomic(dir.filePath("sub").toStdString(), {"1"}));
  EXPECT_TRUE(isDirectory(dir.filePath("sub").toStdString()));
}

TEST(FilesTest, FolderHelpers) {
  QTemporaryDir dir;
  std::string sub = dir.filePath("M").toStdString();
  EXPECT_FALSE(hasNormalFiles(sub));
  EXPECT_TRUE(makeDirectory(sub + "/"));
  EXPECT_FALSE(makeDirectory(sub));  // exists
  EXPECT_FALSE(hasNormalFiles(sub));
  QDir(QString::fromStdString(sub)).mkdir("only-a-folder");
  EXPECT_FALSE(hasNormalFiles(sub));
  writeLinesAtomic(sub + "/f", {"1"});
  EXPECT_TRUE(hasNormalFiles(sub));
}

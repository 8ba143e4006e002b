#pragma once
// Small text files: lines end with CR LF, text is UTF-8, writes replace the file atomically so a
// failed write never loses what was there.
#include <optional>
#include <string>
#include <vector>

namespace rt {

// Lines split at CR LF, CR or LF; nullopt when the file cannot be read.
std::optional<std::vector<std::string>> readLines(const std::string& path);
// Every line followed by CR LF; false when nothing was written (the old file stays intact).
bool writeLinesAtomic(const std::string& path, const std::vector<std::string>& lines);
bool fileExists(const std::string& path);
bool isDirectory(const std::string& path);
bool hasNormalFiles(const std::string& dir);  // false when missing or holding no plain file
bool makeDirectory(const std::string& path);  // one level; false when it fails or exists
std::string systemDocumentsFolder();          // documents folder, else home, "" when none

// Tests: every atomic write from now on stops after `bytes` bytes and fails, as on a full disk
// (-1 turns it off).
void failWritesAfterForTests(long long bytes);

}  // namespace rt

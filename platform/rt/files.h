#pragma once
// Small text files: lines end with CR LF, text is UTF-8, and a write that fails at any step (a
// full disk, a file-size limit, a failing disk) never loses what was there.
#include <cstddef>
#include <functional>
#include <limits>
#include <optional>
#include <string>
#include <vector>

namespace rt {

// Longer lines are kept cut to this length; nothing a pack writes comes near it.
constexpr size_t kLongestLine = size_t{4} << 20;

// What reading a file found.
struct FileLines {
  enum class State {
    kRead,        // `lines` holds the file's lines
    kMissing,     // no such file: it may be created
    kUnreadable,  // it is there but cannot be read (no permission, a folder, a pipe): never replace it
  };
  State state = State::kMissing;
  std::vector<std::string> lines;
  int error = 0;  // kUnreadable: why (errno)
};

// The first `maxLines` lines, split at CR LF, CR or LF, each read whole however long the lines
// before it are (up to kLongestLine).
FileLines readLines(const std::string& path, size_t maxLines = std::numeric_limits<size_t>::max());

// What a save did, and where it failed: the caller tells the player.
struct SaveResult {
  enum class Outcome {
    kSaved,        // the file holds the new lines
    kDeclined,     // the change had nothing to write
    kUnreadable,   // the file is there but cannot be read, so it was left as it was
    kLocked,       // another save held the file longer than the lock's wait: nothing was written
    kReplaced,     // another program kept replacing the file under this save: nothing was written
    kWriteFailed,  // a step of the write failed: the old file stands
  };
  Outcome outcome = Outcome::kWriteFailed;
  int error = 0;  // the errno of the step that failed
  explicit operator bool() const { return outcome == Outcome::kSaved; }
};

// Every line followed by CR LF, written to a new file beside it ("<file>.save-<tag>") that
// replaces the old one once it is wholly on the disk; in a folder that takes no new file, the
// file is overwritten where it stands, only under a lock on the file itself, and written again
// when another save replaced it in the meantime (a few times at most: then kReplaced). A file
// system that cannot sync at all counts as synced. A file-size limit fails the write; it never
// ends the process.
// kSaved: the file holds the new lines, flushed to the disk where the file system can sync; in
// place, old bytes may still follow them when cutting the file shorter failed, which no reader of
// as many lines as were written takes.
// Otherwise the new lines are not in it and the old file stands as it was; in place, its old bytes
// are written back over what was written, which a disk that failed the write can refuse as well.
// A kill in the middle leaves the old file or the new one (and the new file beside it, which a
// later updateLines removes), in place too as long as the file is a page (4 KiB) or less; a longer
// one written in place can be left with the new text up to a page boundary and the old bytes after
// it, where the kill fell between two pages of the write.
SaveResult writeLinesAtomic(const std::string& path, const std::vector<std::string>& lines);

// One read-change-write of the file, under the lock file beside it (its name followed by ".lock")
// and a lock on the file itself, so that two packs saving at once each see the other's lines.
// `change` gets the file as it stands and edits its lines; when it answers true they are written,
// unless the file exists but could not be read. A save that stalled so long that another pack
// took its lock file over, or replaced the file that it was writing in place, reads the file again
// and calls `change` again, a few times at most. A file that another program replaces each time
// the save has locked it, until the lock's wait is over, or under every one of those tries, ends
// the save as kReplaced: none of its lines is in the file that stands. Two stalls past the lock's
// wait still lose lines: one right after a save's last look at the lock, before its rename, puts
// back the lines it read; and a save in place stalled before its write loses what it wrote to a
// save that gave up waiting for the file's lock, read the file before that write, and renames its
// new file only after the stalled save has looked again once it wrote.
// Where no lock file can be had (the folder takes no new file, something other than a plain file
// stands at the lock's name) the lock on the file itself keeps saves apart; a save that writes in
// place never writes without it. Holding the lock file, it also removes the new files that saves
// of processes no longer running left beside the file. Reading alone (readLines) takes no lock:
// files are replaced whole, or changed in place in one write.
SaveResult updateLines(const std::string& path, size_t maxLines, const std::function<bool(FileLines&)>& change);

bool isDirectory(const std::string& path);
bool hasNormalFiles(const std::string& dir);  // false when missing or holding no plain file
bool makeDirectory(const std::string& path);  // one level; false when it fails or exists
// The documents folder (XDG), else the home folder, "" when there is none. The home is $HOME,
// or the account's home from the password database when $HOME is unset or empty.
std::string systemDocumentsFolder();

// Tests: every file that exists cannot be read, as one that only its owner may write.
void failReadsForTests(bool on);
// Tests: stands in for the password database's home of the account ("" none; nullopt the real one).
void accountHomeForTests(const std::optional<std::string>& home);

}  // namespace rt

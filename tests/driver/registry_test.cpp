// Every row of the game registry: a registered window opens under the row's name, index and
// caption; every other row opens a bare window. What the docs say of the games follows the
// registry: the README's table lists exactly the registered ones, docs/names.md every window
// with its index, game and source, and text that counts all the games says the table's size.
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <set>
#include <sstream>
#include <tuple>

#include "game_window.h"
#include "pack_fixture.h"
#include "pack_fn.h"

class RegistryTest : public PackTest {};

namespace {
std::string ReadFile(const std::string& path) {
  std::ifstream in(path);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// The body rows of the markdown table under the heading `heading` of a file of the source tree:
// each cell trimmed and without its backticks.
std::vector<std::vector<std::string>> TableUnder(const std::string& file, const std::string& heading) {
  std::istringstream in(ReadFile(VPK_SOURCE_DIR "/" + file));
  std::vector<std::vector<std::string>> rows;
  bool inSection = false, header = true;
  for (std::string line; std::getline(in, line);) {
    if (line.rfind("## ", 0) == 0) inSection = line == heading;
    if (!inSection || line.rfind("|", 0) != 0) continue;
    if (header || line.find("---") != std::string::npos) {  // the header row and its rule
      header = false;
      continue;
    }
    std::vector<std::string> cells;
    std::istringstream cellsIn(line.substr(1));
    for (std::string cell; std::getline(cellsIn, cell, '|');) {
      std::erase(cell, '`');
      const size_t first = cell.find_first_not_of(' '), last = cell.find_last_not_of(' ');
      cells.push_back(first == std::string::npos ? "" : cell.substr(first, last - first + 1));
    }
    rows.push_back(cells);
  }
  return rows;
}

// 1 to 99 as English words: "thirty", "thirty-one".
std::string NumberWord(int n) {
  static const char* const small[] = {"",        "one",     "two",       "three",    "four",
                                      "five",    "six",     "seven",     "eight",    "nine",
                                      "ten",     "eleven",  "twelve",    "thirteen", "fourteen",
                                      "fifteen", "sixteen", "seventeen", "eighteen", "nineteen"};
  static const char* const tens[] = {"", "", "twenty", "thirty", "forty", "fifty", "sixty", "seventy", "eighty", "ninety"};
  if (n < 20) return small[n];
  return std::string(tens[n / 10]) + (n % 10 ? std::string("-") + small[n % 10] : "");
}
}  // namespace

TEST_F(RegistryTest, EveryRowOpensItsOwnWindow) {
  EXPECT_TRUE(shell::UnmatchedGameClasses().empty())
      << "a window class registered under a name no row has: " << shell::UnmatchedGameClasses().front();
  for (const shell::GameEntry& row : shell::GameRegistry) {
    SCOPED_TRACE(row.caption);
    rt::Form* f = openGame(row.index);
    ASSERT_NE(f, nullptr);
    auto* w = dynamic_cast<shell::GameWindow*>(f);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->Name(), row.window);
    EXPECT_EQ(w->gameIndex(), row.index);
    EXPECT_EQ(rt::frame().Caption(), std::string(shell::kBaseCaption) + " - " + row.caption);
    EXPECT_EQ(shell::GameIndexOf(row.caption), row.index);  // captions name one game each
    // A bare window is exactly the base class; a built game is its own class.
    EXPECT_EQ(typeid(*w) != typeid(shell::GameWindow), shell::IsGameRegistered(row.index));
  }
}

TEST_F(RegistryTest, TheReadmeListsThePlayableGames) {
  // The table under "## The games": one row per playable game, its name in the first column.
  std::set<std::string> listed;
  for (const auto& row : TableUnder("README.md", "## The games")) listed.insert(row.at(0));
  std::set<std::string> registered;
  for (int i : shell::RegisteredGames()) registered.insert(shell::GameRegistry[i].caption);
  EXPECT_EQ(listed, registered);
}

TEST_F(RegistryTest, TheDesignNamesListEveryWindowWithItsGame) {
  // docs/names.md, "Windows and their games": window, index, game, and the source file that
  // registers the window.
  std::set<std::tuple<std::string, int, std::string>> listed, registry;
  for (const auto& row : TableUnder("docs/names.md", "## Windows and their games")) {
    ASSERT_EQ(row.size(), 4u);
    listed.insert({row[0], std::stoi(row[1]), row[2]});
    EXPECT_NE(ReadFile(VPK_SOURCE_DIR "/" + row[3]).find("VPK_GAME_WINDOW(" + row[0] + ");"), std::string::npos)
        << row[3] << " does not register " << row[0];
  }
  for (const shell::GameEntry& row : shell::GameRegistry) registry.insert({row.window, row.index, row.caption});
  EXPECT_EQ(listed, registry);
}

TEST_F(RegistryTest, TextsThatCountAllTheGamesSayTheTablesSize) {
  // "all N games", "a pack of N small games", N in words: in the README, the docs, comments and
  // the texts the tools print. Each one that says another number is named with its file and line.
  std::string units = "one|two|three|four|five|six|seven|eight|nine";
  const std::regex phrase(R"(\b(?:all|pack of)\s+((?:twenty|thirty|forty|fifty|sixty|seventy|eighty|ninety)(?:[- ](?:)" +
                              units + R"())?|ten|eleven|twelve|(?:thir|four|fif|six|seven|eigh|nine)teen|)" + units +
                              R"()\s+(?:small\s+)?games\b)",
                          std::regex::icase);
  const std::filesystem::path root(VPK_SOURCE_DIR);
  int found = 0;
  std::vector<std::filesystem::path> files{root / "README.md", root / "Makefile", root / "CMakeLists.txt"};
  for (const char* folder : {"app", "chess", "docs", "games", "platform", "shell", "tests", "tools", ".ci"})
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root / folder))
      if (entry.is_regular_file() && entry.path().extension() != ".png") files.push_back(entry.path());
  for (const std::filesystem::path& file : files) {
    std::istringstream in(ReadFile(file.string()));
    int lineNo = 0;
    for (std::string line; std::getline(in, line);) {
      ++lineNo;
      if (line.find("ames") == std::string::npos) continue;  // most lines name no games
      for (std::sregex_iterator m(line.begin(), line.end(), phrase), end; m != end; ++m) {
        std::string word = (*m)[1];
        std::transform(word.begin(), word.end(), word.begin(), [](unsigned char c) { return std::tolower(c); });
        std::replace(word.begin(), word.end(), ' ', '-');
        ++found;
        EXPECT_EQ(word, NumberWord(shell::kGameCount))
            << std::filesystem::relative(file, root).string() << ":" << lineNo << ": " << m->str();
      }
    }
  }
  EXPECT_GT(found, 0) << "the README's opening counts the games";
}

TEST_F(RegistryTest, EveryGameHasItsGalleryPicture) {
  // make screenshots plays tools/screenshots/<window>.txt into docs/screenshots/<window>.png.
  for (int i : shell::RegisteredGames()) {
    const std::string window = shell::GameRegistry[i].window;
    EXPECT_TRUE(std::ifstream(VPK_SOURCE_DIR "/tools/screenshots/" + window + ".txt").good()) << window;
    EXPECT_TRUE(std::ifstream(VPK_SOURCE_DIR "/docs/screenshots/" + window + ".png").good()) << window;
  }
}

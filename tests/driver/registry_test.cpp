// Every row of the game registry: a registered window opens under the row's name, index and
// caption; every other row opens a bare window. The README's table of games lists exactly the
// registered ones.
#include <fstream>
#include <set>
#include <sstream>

#include "game_window.h"
#include "pack_fixture.h"
#include "pack_fn.h"

class RegistryTest : public PackTest {};

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
  std::ifstream in(VPK_SOURCE_DIR "/README.md");
  ASSERT_TRUE(in) << "README.md";
  // The table under "## The games": one row per playable game, its name in the first column.
  std::set<std::string> listed;
  bool inSection = false;
  for (std::string line; std::getline(in, line);) {
    if (line.rfind("## ", 0) == 0) inSection = line == "## The games";
    if (!inSection || line.rfind("| ", 0) != 0) continue;
    std::string name = line.substr(2, line.find(" |", 2) - 2);
    if (name == "game" || name.find("---") != std::string::npos) continue;
    listed.insert(name);
  }
  std::set<std::string> registered;
  for (int i : shell::RegisteredGames()) registered.insert(shell::GameRegistry[i].caption);
  EXPECT_EQ(listed, registered);
}

TEST_F(RegistryTest, EveryGameHasItsGalleryPicture) {
  // make screenshots plays tools/screenshots/<window>.txt into docs/screenshots/<window>.png.
  for (int i : shell::RegisteredGames()) {
    const std::string window = shell::GameRegistry[i].window;
    EXPECT_TRUE(std::ifstream(VPK_SOURCE_DIR "/tools/screenshots/" + window + ".txt").good()) << window;
    EXPECT_TRUE(std::ifstream(VPK_SOURCE_DIR "/docs/screenshots/" + window + ".png").good()) << window;
  }
}

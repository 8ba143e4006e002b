#pragma once
// The shared procedures every game window calls: the registry of the thirty games, opening and
// switching games, the frame caption, the homepage, numbered sounds and timed waits.
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace rt {
class Form;
}

namespace shell {

class GameWindow;

struct GameEntry {
  int index;
  const char* caption;
  const char* window;  // the window class name
};

constexpr int kGameCount = 30;
constexpr uint16_t kNoGame = 255;
extern const std::array<GameEntry, kGameCount> GameRegistry;

using WindowFactory = std::function<std::shared_ptr<rt::Form>(const GameEntry&)>;
// Each game window registers its class from its own source file with VPK_GAME_WINDOW(Class);
// the registry row whose window name is the class's name gives its index and caption. A row
// without a registered class opens a bare game window.
bool RegisterGameClass(const char* windowName, WindowFactory factory);
const GameEntry* FindGameEntry(const std::string& windowName);
bool IsGameRegistered(int index);
std::vector<int> RegisteredGames();                // indexes, ascending
const std::vector<std::string>& UnmatchedGameClasses();  // registered names no row has
std::shared_ptr<rt::Form> GameInstance(int index);  // the window object of an entry, if any
// Shared ownership of a game window, so that a caller that feeds it input can still look at it
// after a handler switched games and the window was unloaded (null for no game window).
std::shared_ptr<rt::Form> HoldWindow(const rt::Form* f);

void BuildGameMenu(rt::Form& frm);
void OpenGame(int16_t index);
void PrepareGameForm(rt::Form& frm);
void SetGameCaption(const std::string& text);
void OpenHomepage();
extern const char* const kHomepage;

void PlaySoundNo(int16_t n);
void WaitMs(std::optional<double> ms);
void PauseSeconds(int16_t s);
// One timed step of an animation: starts the shared stopwatch, draws, waits the rest of `ms`.
void TimedStep(double ms, const std::function<void()>& draw);

// Drops every window instance (tests start from nothing).
void ResetGamesForTests();

}  // namespace shell

// In a game window's source file, inside the window's namespace.
#define VPK_GAME_WINDOW(Class)                                                      \
  static const bool vpkRegistered_##Class = ::shell::RegisterGameClass(            \
      #Class, [](const ::shell::GameEntry& entry) { return std::make_shared<Class>(entry); })

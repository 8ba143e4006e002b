#pragma once
// The shared procedures every game window calls: the registry of the thirty games, opening and
// switching games, the frame caption, the homepage, numbered sounds and timed waits.
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

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

using WindowFactory = std::function<std::shared_ptr<rt::Form>()>;
// Each game registers its window (from a static initialiser in its own source file); an entry
// without one opens a bare game window.
bool RegisterGameWindow(int index, WindowFactory factory);
std::shared_ptr<rt::Form> GameInstance(int index);  // the window object of an entry, if any

void BuildGameMenu(rt::Form& frm);
void OpenGame(int16_t index);
void PrepareGameForm(rt::Form& frm);
void SetGameCaption(const std::string& text);
void OpenHomepage();
extern const char* const kHomepage;

void PlaySoundNo(int16_t n);
void WaitMs(std::optional<double> ms);
void PauseSeconds(int16_t s);

// Drops every window instance (tests start from nothing).
void ResetGamesForTests();

}  // namespace shell

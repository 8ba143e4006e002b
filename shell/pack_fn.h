#pragma once
// The shared procedures every game window calls: the game registry, opening and
// switching games, the frame caption, the homepage, numbered sounds and timed waits.
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
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

// The games in the order of every "Play" menu. Every count of games is this table's size.
inline constexpr auto GameRegistry = std::to_array<GameEntry>({
    {0, "Klevo", "Form1"},      {1, "Pimbar", "Form2"},    {2, "Tumo", "Form3"},
    {3, "Wendrix", "Form4"},    {4, "Skaldo", "Form5"},    {5, "Faunix", "Form6"},
    {6, "Recollo", "Form7"},    {7, "Glimbo", "Form8"},    {8, "Kippel", "Form9"},
    {9, "Brenx", "Form10"},     {10, "Quadrin", "Form11"}, {11, "Holmo", "Form12"},
    {12, "Klumpa", "Form13"},   {13, "Arrik", "Form14"},   {14, "Railor", "Form15"},
    {15, "Twirno", "Form16"},   {16, "Gemmet", "Form21"},  {17, "Whitlo", "Form22"},
    {18, "Flippa", "Form24"},   {19, "Verdo", "Form25"},   {20, "Equin", "Form26"},
    {21, "Rookwell", "Form28"}, {22, "Pairn", "Form29"},   {23, "Stakk 3D", "Form17"},
    {24, "Smylo", "Form18"},    {25, "Fendo", "Form19"},   {26, "Pegwise", "Form20"},
    {27, "Lobbo", "Form23"},    {28, "Spredo", "form27"},  {29, "Velk Chess", "FrmBoard"},
});
inline constexpr int kGameCount = static_cast<int>(GameRegistry.size());
static_assert([] {
  for (int i = 0; i < kGameCount; ++i)
    if (GameRegistry[i].index != i) return false;
  return true;
}(), "a row's index is its place in the table");
constexpr uint16_t kNoGame = 255;

// The index of the game with this caption ("Gemmet"), -1 when no row has it.
constexpr int GameIndexOf(std::string_view caption) {
  for (const GameEntry& e : GameRegistry)
    if (caption == e.caption) return e.index;
  return -1;
}

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

#pragma once
// Random play over the pack on the virtual host, shared by the random-play test and the soak:
// clicks and drags on whatever is shown, menu choices, keys and pauses; games switched, reopened
// from their own "Play" list, menus chosen and the frame closed in the middle of waits.
#include <cstdint>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace vt {

class RandomPlayer {
 public:
  // `games`: the games to switch between; `reopenPack` starts a new frame after a close (no game
  // open) and must leave a game open. A step that keeps waiting or pumping never settles: the
  // virtual host throws WatchdogError naming it. A step that runs `stepSeconds` of real time
  // loops where nothing waits (a rules loop): the player prints the step, its seed and its game
  // and ends the program with status 3.
  RandomPlayer(uint32_t seed, std::vector<int> games, std::function<void()> reopenPack,
               double stepSeconds = 5);
  ~RandomPlayer();

  void step();  // one random action on the shown window
  // After a step: the open window is the frame's game under its registry row, the caption is
  // the pack's, no handler is left on the stack and no busy state is left over. Empty when all
  // agree, otherwise what disagrees.
  std::string check() const;

  int closes = 0, switches = 0;

 private:
  struct Watch;
  void act();
  std::unique_ptr<Watch> watch_;
  std::mt19937 pick_;
  uint32_t seed_;
  long steps_ = 0;
  std::vector<int> games_;
  std::function<void()> reopen_;
};

}  // namespace vt

// vpk-soak: random play over every game of the pack on the virtual host, with game switches,
// "Play" on the open game, the frame closed and reopened and menus chosen in the middle of waits
// and animations. Stops after N steps or M seconds; prints steps, games visited and failures.
//   vpk-soak [--steps N] [--seconds M] [--seed S]
#include <chrono>
#include <cstdio>
#include <memory>
#include <set>
#include <string>

#include "mdi_form.h"
#include "pack_fn.h"
#include "random_play.h"
#include "rt/dispatch.h"
#include "startup.h"
#include "tool_session.h"
#include "virtual_host.h"

int main(int argc, char** argv) {
  const long steps = vt::argValue(argc, argv, "--steps", 200000);
  const long seconds = vt::argValue(argc, argv, "--seconds", 3600);
  const long seed = vt::argValue(argc, argv, "--seed", 1);
  vt::ToolSession session(argc, argv, static_cast<uint32_t>(seed));

  std::vector<std::unique_ptr<shell::PackFrame>> packs;
  auto start = [&] {
    shell::ResetGamesForTests();
    rt::resetDispatchForTests();
    packs.push_back(std::make_unique<shell::PackFrame>());
    shell::StartPack(false);  // opens a random game, as the pack does
  };
  start();

  std::vector<int> games;
  for (int i = 0; i < shell::kGameCount; ++i) games.push_back(i);  // every row, built or not
  // A step that runs 60 s of real time is a hang: the player names it and ends the program.
  vt::RandomPlayer player(static_cast<uint32_t>(seed), games, start, 60);
  std::set<int> visited;
  long failures = 0, hangs = 0, n = 0;
  const auto began = std::chrono::steady_clock::now();
  for (; n < steps; ++n) {
    if (std::chrono::steady_clock::now() - began > std::chrono::seconds(seconds)) break;
    try {
      player.step();
    } catch (const vt::WatchdogError& e) {
      ++hangs;
      std::printf("%s\n", e.what());
      start();
    }
    visited.insert(shell::frameForm().CurrentGame);
    const std::string wrong = player.check();
    if (!wrong.empty()) {
      if (++failures <= 20)
        std::printf("seed %ld step %ld: %s (game %d)\n", seed, n, wrong.c_str(),
                    shell::frameForm().CurrentGame);
      start();
    }
  }
  const double secs = std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
  std::printf("steps %ld in %.1f s, games visited %zu of %d, frame closes %d, switches %d, hangs %ld, failures %ld\n",
              n, secs, visited.size(), shell::kGameCount, player.closes, player.switches, hangs, failures);
  shell::ResetGamesForTests();
  return failures + hangs ? 1 : 0;
}

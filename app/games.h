#pragma once
namespace app {
// Registers every game window with the shell's registry.
void RegisterGames();
}

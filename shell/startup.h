#pragma once
// Starts the pack: the frame's design values and events, the sound bank, the picture library,
// then the frame's load, which opens a random game.
namespace shell {

void StartPack(bool withWindow);

}  // namespace shell

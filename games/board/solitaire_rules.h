#pragma once
// What the grid solitaires share: n x n boards (n from 4 to 10) kept in arrays of 100 entries
// indexed row * n + column, uniform random draws and the probe for a free cell. No Qt here.
#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

namespace board {

constexpr int kMaxCells = 100;
constexpr int kMinSize = 4, kMaxSize = 10;
constexpr int16_t kNoCell = 255;  // no target, no drag source
using Cells = std::array<int16_t, kMaxCells>;
using Random = std::function<double()>;  // uniform in [0, 1)

// A uniform integer from 0 to k - 1.
int RandomInt(const Random& rnd, int k);

// From cell r on, cyclically over the n x n cells, the first one holding `freeCode`; -1 when
// no cell is free.
int ProbeFree(std::span<const int16_t> board, int n, int16_t freeCode, int r);
// A random cell, then the next one cyclically until a free one is found (-1: none is free).
int PlaceRandomFree(std::span<const int16_t> board, int n, int16_t freeCode, const Random& rnd);

// Every entry -1, then n passes that each put the kinds 1..n, in that order, into free cells.
void DealKinds(Cells& board, int n, const Random& rnd);

// The orthogonal neighbours of cell i that lie on the n x n board (a row's ends do not touch).
std::vector<int> Neighbours(int i, int n);

}  // namespace board

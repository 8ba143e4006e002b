#pragma once
// The four sticks around field (row r, column c) of Fendo's board.
namespace fendo_sides {
constexpr int Top(int r, int c) { return 10 * r + c; }
constexpr int Bottom(int r, int c) { return 10 * r + c + 10; }
constexpr int Left(int r, int c) { return 110 + 10 * c + r; }
constexpr int Right(int r, int c) { return 120 + 10 * c + r; }
}  // namespace fendo_sides

#pragma once
// The engine's board: 12 x 12 squares, col and row -1..10, col fastest in memory.
// The 64 play squares are col 1..8, row 1..8; the two outer rings always hold kFrame,
// so that every knight jump and king step from a play square stays inside the array.
#include <array>
#include <cstdint>
#include <cstring>

namespace chess {

constexpr int32_t kFrame = 2;
constexpr int32_t kEmpty = 0;

// Computer pieces are positive, the human's negative, whatever colour each side plays.
constexpr int32_t kPawn = 10;
constexpr int32_t kKnight = 30;
constexpr int32_t kBishop = 32;
constexpr int32_t kRook = 50;
constexpr int32_t kQueen = 90;
constexpr int32_t kComputerKing = 15000;
constexpr int32_t kHumanKing = -10000;

constexpr int kStride = 12;
constexpr int kSquares = kStride * kStride;

// Array index of (col, row); both may run from -1 to 10.
constexpr int Sq(int col, int row) { return (row + 1) * kStride + (col + 1); }
constexpr int ColOf(int sq) { return sq % kStride - 1; }
constexpr int RowOf(int sq) { return sq / kStride - 1; }

struct EngineBoard {
  std::array<int32_t, kSquares> v{};

  int32_t& operator()(int col, int row) { return v[Sq(col, row)]; }
  int32_t operator()(int col, int row) const { return v[Sq(col, row)]; }

  // Every one of the 144 squares := kFrame.
  void FillFrame() { v.fill(kFrame); }

  // The 64 play squares of src, frame untouched.
  void CopyPlayFrom(const EngineBoard& src) { CopyPlayFrom(src.v.data()); }
  void CopyPlayFrom(const int32_t* src) {
    for (int row = 1; row <= 8; ++row)
      std::memcpy(&v[Sq(1, row)], src + Sq(1, row), 8 * sizeof(int32_t));
  }

  bool SamePlaySquares(const EngineBoard& o) const {
    for (int row = 1; row <= 8; ++row)
      if (std::memcmp(&v[Sq(1, row)], &o.v[Sq(1, row)], 8 * sizeof(int32_t)) != 0) return false;
    return true;
  }

  bool operator==(const EngineBoard& o) const { return v == o.v; }
};

// Sum of the 64 play-square values.
inline int32_t PlaySum(const EngineBoard& b) {
  int32_t s = 0;
  for (int row = 1; row <= 8; ++row)
    for (int col = 1; col <= 8; ++col) s += b(col, row);
  return s;
}

}  // namespace chess

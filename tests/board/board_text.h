#pragma once
// Boards for the grid solitaire tests: written as text, one row a line, and random draws.
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "solitaire_rules.h"

namespace boardtest {

// Numbers separated by blanks and line ends, row after row; the rest of the 100 entries `rest`.
inline board::Cells Parse(const std::string& text, int16_t rest = -1) {
  board::Cells b;
  b.fill(rest);
  std::istringstream in(text);
  int v = 0;
  for (int i = 0; i < board::kMaxCells && in >> v; ++i) b[i] = static_cast<int16_t>(v);
  return b;
}

// Draws that give the integers `picks` (0..k-1 of a draw over k) in turn, then repeat.
inline board::Random Picks(std::vector<int> picks, int k) {
  size_t i = 0;
  return [picks, k, i]() mutable { return (picks[i++ % picks.size()] + 0.5) / k; };
}

inline board::Random Seeded(unsigned seed) {
  std::mt19937 gen(seed);
  return [gen]() mutable { return std::uniform_real_distribution<double>(0.0, 1.0)(gen); };
}

}  // namespace boardtest

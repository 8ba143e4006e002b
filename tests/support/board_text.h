#pragma once
// Boards written as text for the tests of every family, and random draws that give chosen values.
// Header only and free of Qt, so rules tests use it too.
#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace boardtest {

using Legend = std::map<std::string, long long>;

// Tokens separated by blanks and line ends, row after row: each a number or a key of `legend`.
inline std::vector<long long> Tokens(const std::string& text, const Legend& legend = {}) {
  std::vector<long long> out;
  std::istringstream in(text);
  for (std::string t; in >> t;) {
    auto l = legend.find(t);
    out.push_back(l != legend.end() ? l->second : std::stoll(t));
  }
  return out;
}

// The same into a board; the entries after the text hold `rest`.
template <class Cells = std::array<int16_t, 100>>
Cells Parse(const std::string& text, int16_t rest = -1, const Legend& legend = {}) {
  Cells b;
  b.fill(rest);
  const std::vector<long long> cells = Tokens(text, legend);
  for (size_t i = 0; i < b.size() && i < cells.size(); ++i) b[i] = static_cast<int16_t>(cells[i]);
  return b;
}

// The cells of a board that hold `value` (the flagged ones, say).
template <class Cells>
std::set<int> CellsHolding(const Cells& b, long long value) {
  std::set<int> s;
  for (size_t i = 0; i < b.size(); ++i)
    if (b[i] == value) s.insert(static_cast<int>(i));
  return s;
}

// Draws that give the integers `picks` (0..k-1 of a draw over k) in turn, then repeat.
inline std::function<double()> Picks(std::vector<int> picks, int k) {
  size_t i = 0;
  return [picks, k, i]() mutable { return (picks[i++ % picks.size()] + 0.5) / k; };
}

inline std::function<double()> Seeded(unsigned seed) {
  std::mt19937 gen(seed);
  return [gen]() mutable { return std::uniform_real_distribution<double>(0.0, 1.0)(gen); };
}

}  // namespace boardtest

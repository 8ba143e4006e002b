#pragma once
// Boards written as ten rows of ten characters: '0'..'5' the kinds (5 wild), '.' empty.
#include <string>
#include <vector>

#include "klevo_rules.h"

inline klevo::Board BoardOf(const std::vector<std::string>& rows) {
  klevo::Board b;
  b.fill(klevo::kEmpty);
  for (size_t r = 0; r < rows.size() && r < 10; ++r)
    for (size_t c = 0; c < rows[r].size() && c < 10; ++c)
      b[r * 10 + c] = rows[r][c] == '.' ? klevo::kEmpty : static_cast<int16_t>(rows[r][c] - '0');
  return b;
}

inline std::vector<std::string> RowsOf(const klevo::Board& b) {
  std::vector<std::string> rows;
  for (int r = 0; r < 10; ++r) {
    std::string s;
    for (int c = 0; c < 10; ++c) s += b[r * 10 + c] == klevo::kEmpty ? '.' : static_cast<char>('0' + b[r * 10 + c]);
    rows.push_back(s);
  }
  return rows;
}

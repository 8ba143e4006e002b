#pragma once
// Pegwise: a secret code of four digits 1..6 and the score of a guess. No Qt here.
#include <functional>
#include <string>

namespace pegwise {

constexpr int kRows = 8;
constexpr int kDigits = 4;

// One "X" for every digit in its place, then one "O" for every other digit of the guess found
// in a place of the code not used yet. A code digit is counted once at most.
std::string Score(const std::string& code, const std::string& guess);

// Keys a guess row takes: the digits "1".."6" and Backspace.
bool RowTakesKey(int keyAscii);

// Four digits, each from randomInt(6) + 1 (randomInt(k) is uniform 0..k-1), drawn in order.
std::string DrawCode(const std::function<int(int)>& randomInt);

}  // namespace pegwise

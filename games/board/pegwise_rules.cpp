#include "pegwise_rules.h"

#include <array>

namespace pegwise {

std::string Score(const std::string& code, const std::string& guess) {
  std::string result;
  if (code.size() < kDigits || guess.size() < kDigits) return result;
  std::array<bool, kDigits> codeUsed{}, guessUsed{};
  for (int i = 0; i < kDigits; ++i) {
    if (guess[i] == code[i]) {
      codeUsed[i] = guessUsed[i] = true;
      result += 'X';
    }
  }
  for (int i = 0; i < kDigits; ++i) {
    if (guessUsed[i]) continue;
    for (int j = 0; j < kDigits; ++j) {
      if (codeUsed[j] || code[j] != guess[i]) continue;
      codeUsed[j] = true;
      result += 'O';
      break;
    }
  }
  return result;
}

bool RowTakesKey(int keyAscii) { return (keyAscii >= '1' && keyAscii <= '6') || keyAscii == 8; }

std::string DrawCode(const std::function<int(int)>& randomInt) {
  std::string code;
  for (int i = 0; i < kDigits; ++i) code += static_cast<char>('1' + randomInt(6));
  return code;
}

}  // namespace pegwise

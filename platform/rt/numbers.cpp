#include "rt/numbers.h"

#include <cctype>
#include <cmath>
#include <cstdlib>

namespace rt {

double Int(double x) { return std::floor(x); }

static double roundEven(double x) {
  double r = std::floor(x);
  double diff = x - r;
  if (diff > 0.5) return r + 1;
  if (diff < 0.5) return r;
  return std::fmod(r, 2.0) == 0 ? r : r + 1;
}

int32_t CLng(double x) {
  double r = roundEven(x);
  if (!(r >= -2147483648.0)) return INT32_MIN;
  if (r > 2147483647.0) return INT32_MAX;
  return static_cast<int32_t>(r);
}

int16_t CInt(double x) {
  return static_cast<int16_t>(static_cast<uint16_t>(static_cast<int64_t>(roundEven(x)) & 0xFFFF));
}

int twi(double twips) { return CLng(twips / kTwipsPerPixel); }

int32_t IDiv(int32_t a, int32_t b) {
  if (b == 0) return 0;
  if (a == INT32_MIN && b == -1) return INT32_MAX;
  return a / b;
}

int32_t Mod(int32_t a, int32_t b) {
  if (b == 0 || b == -1) return 0;
  return a % b;
}

double Val(std::string_view s) {
  // Blanks, tabs and line feeds are skipped anywhere; the number ends at the first other
  // character that cannot continue it.
  std::string digits;
  bool seenDigit = false, seenDot = false, seenExp = false;
  for (char c : s) {
    if (c == ' ' || c == '\t' || c == '\n' || c == '\r') continue;
    if ((c == '-' || c == '+') && (digits.empty() || (seenExp && (digits.back() == 'e')))) {
      digits += c;
    } else if (std::isdigit(static_cast<unsigned char>(c))) {
      digits += c;
      seenDigit = true;
    } else if (c == '.' && !seenDot && !seenExp) {
      digits += c;
      seenDot = true;
    } else if ((c == 'e' || c == 'E' || c == 'd' || c == 'D') && seenDigit && !seenExp) {
      digits += 'e';
      seenExp = true;
    } else {
      break;
    }
  }
  while (!digits.empty() && (digits.back() == 'e' || digits.back() == '-' || digits.back() == '+'))
    digits.pop_back();
  if (digits.empty() || digits == "." ) return 0;
  double v = std::strtod(digits.c_str(), nullptr);
  return std::isfinite(v) ? v : 0;
}

std::string Plain(int64_t n) { return std::to_string(n); }
std::string Blank(int64_t n) {
  std::string s = n < 0 ? std::string() : std::string(1, ' ');
  return s.append(std::to_string(n));
}
std::string Money(int64_t n) { return Plain(n) + "$"; }
std::string BlankMoney(int64_t n) { return Blank(n) + "$"; }

}  // namespace rt

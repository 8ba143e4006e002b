#pragma once
// Number and text helpers with the rounding and parsing rules the games rely on.
#include <cstdint>
#include <string>
#include <string_view>

namespace rt {

// Geometry: 15 twips a pixel, 20 twips a point.
constexpr int kTwipsPerPixel = 15;
constexpr double tw(double twips) { return twips / kTwipsPerPixel; }
constexpr double pt(double points) { return points * 20.0 / kTwipsPerPixel; }
int twi(double twips);  // twips to whole pixels, rounded half to even

double Int(double x);                 // floor
int32_t CLng(double x);               // round half to even, 32-bit
int16_t CInt(double x);               // round half to even, 16-bit (wraps when out of range)
int32_t IDiv(int32_t a, int32_t b);   // integer division truncating toward zero (0 when b is 0)
int32_t Mod(int32_t a, int32_t b);    // remainder with the sign of a (0 when b is 0)
double Val(std::string_view s);       // leading number, blanks skipped; 0 when none

std::string Plain(int64_t n);         // "5", "-5"
std::string Blank(int64_t n);         // " 5", "-5"
std::string Money(int64_t n);         // plain form + "$"
std::string BlankMoney(int64_t n);    // leading-blank form + "$"

}  // namespace rt

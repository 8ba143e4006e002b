#pragma once
// Just enough JSON for one result line per command. Every line is valid UTF-8: text is taken as
// UTF-8, and each byte that is not part of a valid sequence (a label or file line in another
// encoding) is written as \ufffd, the replacement character.
#include <string>
#include <string_view>
#include <vector>

namespace drv {

std::string quote(const std::string& s);
// The first `n` characters of `s` as quote() writes them (a byte that starts no valid sequence
// is one), with "..." after them when `s` goes on.
std::string firstChars(std::string_view s, size_t n);

class Obj {
 public:
  Obj& add(const std::string& k, const std::string& rawJson);
  Obj& str(const std::string& k, const std::string& v) { return add(k, quote(v)); }
  Obj& num(const std::string& k, long long v) { return add(k, std::to_string(v)); }
  Obj& boolean(const std::string& k, bool v) { return add(k, v ? "true" : "false"); }
  std::string text() const { return "{" + body_ + "}"; }

 private:
  std::string body_;
};

std::string array(const std::vector<std::string>& rawItems);

}  // namespace drv

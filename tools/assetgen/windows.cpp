// The registry of the game windows' own pictures.
#include <map>
#include <string>

#include "generator.h"

namespace assetgen {

namespace {
std::map<std::string, PictureMaker>& makers() {
  static std::map<std::string, PictureMaker> m;
  return m;
}
}  // namespace

bool registerWindowPictures(const char* window, PictureMaker maker) {
  makers()[window] = maker;
  return true;
}

std::vector<Picture> makeWindowPictures() {
  std::vector<Picture> out;
  for (auto& [name, maker] : makers())
    for (auto& p : maker()) out.push_back(std::move(p));
  return out;
}

}  // namespace assetgen

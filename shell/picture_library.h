#pragma once
// The read-only pictures every game window copies from: themes, effects, helpers, panels, arrows,
// marks and the chess sprites. Each picture is decoded the first time a window asks for it (the
// pack starts without decoding pictures its first game does not show) and is the same picture
// for every later reader.
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "rt/picture.h"

namespace shell {

// The order in which the multi-theme games number the theme sets into kinds.
extern const std::vector<std::string> LibraryOrder;
// The theme sets in the order of the "Images" menu, with the menu captions.
extern const std::vector<std::pair<std::string, std::string>> ThemeMenu;

struct LibrarySet {
  std::string name;
  int first, last;      // index range; -1, -1 for a single picture
  int width, height;    // stated size (0 where pictures differ in size)
  std::vector<int> missing;  // indexes inside the range that do not exist
};
extern const std::vector<LibrarySet> LibrarySets;

class PictureLibrary {
 public:
  static PictureLibrary& instance();
  // The picture at its stored size; null for a set or index that does not exist.
  rt::PicHandle get(const std::string& set, int index = -1) const;
  // Theme kind pictures: position k of LibraryOrder, picture i (0..4).
  rt::PicHandle kind(int k, int i) const;
  // Kind numbering with base 0 or 1: kind = 5k + i + base.
  rt::PicHandle kindPicture(int kindNumber, int base) const;

 private:
  mutable std::map<std::pair<std::string, int>, rt::PicHandle> pictures_;  // decoded so far
};

}  // namespace shell

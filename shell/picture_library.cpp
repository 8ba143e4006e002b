#include "picture_library.h"

#include <algorithm>

namespace shell {

const std::vector<std::string> LibraryOrder = {"cartoon", "likovi", "animals", "creatures", "comics",
                                               "hrana",   "Komp",   "Glazba",  "sport",     "transport"};

const std::vector<std::pair<std::string, std::string>> ThemeMenu = {
    {"cartoon", "Cartoon"},   {"animals", "Animals"},       {"comics", "Comics"},
    {"creatures", "Monsters"}, {"Komp", "Computers"},       {"likovi", "Cartoon faces"},
    {"hrana", "Food"},        {"Glazba", "Music"},          {"sport", "Sport"},
    {"transport", "Transportation"},
};

const std::vector<LibrarySet> LibrarySets = {
    {"cartoon", 0, 5, 32, 32, {}},     {"animals", 0, 5, 32, 32, {}},
    {"comics", 0, 5, 32, 32, {}},      {"creatures", 0, 5, 32, 32, {}},
    {"Komp", 0, 5, 32, 32, {}},        {"likovi", 0, 5, 32, 32, {}},
    {"hrana", 0, 5, 32, 32, {}},       {"Glazba", 0, 5, 32, 32, {}},
    {"sport", 0, 6, 32, 32, {}},       {"transport", 0, 5, 32, 32, {}},
    {"Uzorak", 7, 10, 32, 32, {}},     {"Picture2", -1, -1, 32, 32, {}},
    {"Picture3", -1, -1, 32, 32, {}},  {"Picture4", -1, -1, 32, 32, {}},
    {"Picture5", -1, -1, 32, 32, {}},  {"Picture7", -1, -1, 40, 32, {}},
    {"Picture8", -1, -1, 40, 32, {}},  {"lova", -1, -1, 161, 88, {}},
    {"kosta", -1, -1, 130, 130, {}},   {"Picture13", -1, -1, 350, 350, {}},
    {"Brenx.ikona", 51, 52, 32, 32, {}}, {"Faunix.Picture", -1, -1, 390, 390, {}},
    {"Glimbo.ikona", 46, 62, 0, 0, {54}}, {"Tumo.Picture6", -1, -1, 40, 32, {}},
    {"Holmo.otvorg", 0, 0, 30, 20, {}}, {"Holmo.otvorh", 0, 0, 20, 30, {}},
    {"Rookwell.figure", -1, -1, 191, 64, {}}, {"CtrlPanel.m_ppic", -1, -1, 191, 64, {}},
    {"frame/background", -1, -1, 540, 480, {}}, {"frame/icon", -1, -1, 32, 32, {}},
};

PictureLibrary& PictureLibrary::instance() {
  static PictureLibrary lib;
  return lib;
}

rt::PicHandle PictureLibrary::get(const std::string& set, int index) const {
  const std::pair<std::string, int> key{set, index};
  if (auto it = pictures_.find(key); it != pictures_.end()) return it->second;
  auto s = std::find_if(LibrarySets.begin(), LibrarySets.end(), [&](const LibrarySet& l) { return l.name == set; });
  if (s == LibrarySets.end()) return nullptr;
  QString path;
  if (s->first < 0) {
    if (index != -1) return nullptr;
    path = QString(":/pictures/%1.png").arg(QString::fromStdString(set));
  } else {
    if (index < s->first || index > s->last) return nullptr;
    if (std::find(s->missing.begin(), s->missing.end(), index) != s->missing.end()) return nullptr;
    path = QString(":/pictures/%1/%2.png").arg(QString::fromStdString(set)).arg(index);
  }
  rt::PicHandle p = rt::loadPicture(path, {set, index});
  if (p) pictures_[key] = p;
  return p;
}

rt::PicHandle PictureLibrary::kind(int k, int i) const {
  if (k < 0 || k >= static_cast<int>(LibraryOrder.size()) || i < 0 || i > 4) return nullptr;
  return get(LibraryOrder[k], i);
}

rt::PicHandle PictureLibrary::kindPicture(int kindNumber, int base) const {
  int n = kindNumber - base;
  if (n < 0) return nullptr;
  return kind(n / 5, n % 5);
}

}  // namespace shell

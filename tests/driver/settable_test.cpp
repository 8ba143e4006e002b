// Every settable state of every game through the driver, against a table of what each can hold
// written here from the games' rules, apart from the values the windows declare: each entry
// takes exactly the values of its row; both ends of each run are taken and stay through the
// redraw, one past each end is refused and changes nothing, and a few moves after each accepted
// value all end with an answer (no abort, no sanitizer report).
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "driver.h"
#include "pack_fixture.h"
#include "rt/control.h"
#include "rt/form.h"
#include "rt/frame.h"
#include "rt/menu.h"

namespace {

using rt::Spans;

// The shown window's other state, which what a state holds may follow (a group size, a board
// size, a variant), read as the driver reads it.
class Window {
 public:
  explicit Window(const rt::Form& f) : f_(f) {}
  long long operator()(const char* state, size_t entry = 0) const { return f_.state().at(state).get().at(entry); }
  bool checked(const char* menu, int index) const {
    const rt::MenuItem* m = f_.findMenu(menu, index);
    return m && m->Checked();
  }

 private:
  const rt::Form& f_;
};

using Values = std::function<Spans(size_t entry, const Window& w)>;
struct Row {
  const char* game;
  const char* state;
  Values values;
};

Values all(Spans values) {
  return [values](size_t, const Window&) { return values; };
}
// A board of n x n cells laid out at the start of an array of 100: its cells and the rest.
Values square(const char* size, Spans cell, Spans rest) {
  return [=](size_t i, const Window& w) { return i < static_cast<size_t>(w(size) * w(size)) ? cell : rest; };
}

// A count that grows in play (money, a score, moves): far beyond any game and far enough below
// the 32-bit end that the moves after it cannot overflow.
constexpr long long kCount = 999'999'999;
const Spans kCounted{{0, kCount}}, kFlag{{-1, 0}}, kCellOrNone{{0, 99}, {255, 255}}, kSkill024{{0, 0}, {2, 2}, {4, 4}};

// The collecting games: a board of kinds 1..K (K: fixed, or 100 / the group size) or empty; cash
// and score per group size, indexed by the size; the images of the last step, no more than the
// skill's count; the shop's helpers.
std::vector<Row> collecting(const char* game, Spans sizes, int fixedKinds, int perStepBase) {
  const auto kinds = [fixedKinds](const Window& w) { return fixedKinds ? fixedKinds : 100 / w("groupSize"); };
  const auto ofStep = [](size_t i, const Window& w) { return static_cast<long long>(i) < w("newPerStep"); };
  const Values perSize = [sizes](size_t n, const Window&) {
    const auto v = static_cast<long long>(n);
    const bool offered = std::any_of(sizes.begin(), sizes.end(), [v](const rt::Span& s) { return s.lo <= v && v <= s.hi; });
    return offered ? kCounted : Spans{{0, 0}};
  };
  return {
      {game, "Board", [kinds](size_t, const Window& w) { return Spans{{0, kinds(w)}}; }},
      {game, "cash", perSize},
      {game, "score", perSize},
      {game, "helperMark", all({{0, 1}})},
      {game, "helperMode", all({{0, 4}})},  // none, bomb, two ladders, heart
      {game, "helperPrice", all(kCounted)},
      {game, "newCell", [ofStep](size_t i, const Window& w) { return ofStep(i, w) ? Spans{{0, 99}} : Spans{{0, 0}}; }},
      {game, "newKind",
       [ofStep, kinds](size_t i, const Window& w) { return ofStep(i, w) ? Spans{{0, kinds(w)}} : Spans{{0, 0}}; }},
      {game, "genCount", [](size_t, const Window& w) { return Spans{{0, w("newPerStep")}}; }},
      {game, "newPerStep", all({{perStepBase, perStepBase + 2}})},  // one more image per skill
      {game, "groupSize", all(sizes)},
  };
}

// The connecting games: kinds from `kindBase`, one per n copies of the `cells`, done flags, cash.
std::vector<Row> connecting(const char* game, int cells, int kindBase) {
  return {
      {game, "Board", [=](size_t, const Window& w) { return Spans{{kindBase, kindBase + cells / w("groupSize") - 1}}; }},
      {game, "doneFlag", all(kFlag)},
      {game, "cash", all(kCounted)},
  };
}

// Lobbo's well: walls in columns 0 and 8 and the floor in row 13. The top row holds blocks
// only: nothing removes a mark there.
bool inWell(size_t i) { return i % 9 >= 1 && i % 9 <= 7 && i / 9 <= 12; }

// Gemmet's kinds: the refill draws 1..T(few) + 2 x skill, T = 23, 10, 8, 6 for few 2..5.
long long gemmetKinds(const Window& w) {
  static constexpr long long kBase[] = {23, 10, 8, 6};
  return kBase[w("few") - 2] + 2 * w("skill");
}

const std::vector<Row>& rows() {
  static const std::vector<Row> table = [] {
    std::vector<Row> t = {
        // Klevo: five pictures, the wild one (5) and empty (6). A level is one cleared board
        // more: 999,999 lies far beyond any game, and the helpers' prices (up to 999,999,999),
        // which grow by the level at every purchase and Level Down, stay within 32 bits for more
        // than a thousand such steps.
        {"Klevo", "Board", all({{0, 6}})},
        {"Klevo", "removeMark", all(kFlag)},
        {"Klevo", "fallStartRow", all({{0, 9}})},
        {"Klevo", "columnFalling", all(kFlag)},
        {"Klevo", "helperMode", all({{0, 4}})},
        {"Klevo", "helperPrice", all(kCounted)},
        {"Klevo", "money", all(kCounted)},
        {"Klevo", "level", all({{1, 999'999}})},
        {"Klevo", "skill", all(kSkill024)},
        {"Klevo", "theme", all({{0, 9}})},
        // Tumo: ten kinds (0..4, 15..19), the joker (5), empty (6), and a helper on its way
        // through the board (11..14); the next piece is a kind or the joker.
        {"Tumo", "Board", all({{0, 6}, {11, 19}})},
        {"Tumo", "removeMark", all(kFlag)},
        {"Tumo", "helperPrice", all(kCounted)},
        {"Tumo", "nextKind", all({{0, 5}, {15, 19}})},
        {"Tumo", "helperMode", all({{0, 4}})},
        {"Tumo", "money", all(kCounted)},
        {"Tumo", "score", all(kCounted)},
        {"Tumo", "skill", all(kSkill024)},
        {"Tumo", "priceStep", all({{1, 3}})},  // skill / 2 + 1
        {"Tumo", "fallRow", all({{0, 9}})},
        {"Tumo", "fallCol", all({{0, 9}})},
        // Holmo: nine kinds (0..4, 15..18), the joker (5), empty (6, as the current kind: none);
        // the cell after the board is never filled. The clear bonus is a 16-bit count that rises
        // by the skill factor (at most 3) at every cleared board: room for a thousand more.
        {"Holmo", "Board", [](size_t i, const Window&) { return i < 100 ? Spans{{0, 6}, {15, 18}} : Spans{{0, 0}}; }},
        {"Holmo", "flipped", all(kFlag)},
        {"Holmo", "removeMark", all(kFlag)},
        {"Holmo", "currentKind", all({{0, 6}, {15, 18}})},
        {"Holmo", "lastRow", all({{0, 9}})},
        {"Holmo", "lastCol", all({{0, 9}})},
        {"Holmo", "money", all(kCounted)},
        {"Holmo", "score", all(kCounted)},
        {"Holmo", "skill", all(kSkill024)},
        {"Holmo", "skillFactor", all({{1, 3}})},
        {"Holmo", "clearBonus", all({{0, 32'767 - 3 * 1000}})},
        {"Holmo", "lifebeltPrice", all(kCounted)},
        // Kippel: five pictures, the joker (5), empty (6), bomb, two ladders and gem (11..14).
        {"Kippel", "Board", all({{0, 6}, {11, 14}})},
        {"Kippel", "Score", all(kCounted)},
        {"Kippel", "fallRow", all({{0, 9}})},
        {"Kippel", "fallFlag", all(kFlag)},
        {"Kippel", "removeFlag", all(kFlag)},
        // Gemmet: empty, a kind of the options in force, or a picture being removed (255).
        {"Gemmet", "Board", [](size_t, const Window& w) { return Spans{{0, gemmetKinds(w)}, {255, 255}}; }},
        {"Gemmet", "Score", all(kCounted)},
        {"Gemmet", "fallRow", all({{0, 9}})},
        {"Gemmet", "fallFlag", all(kFlag)},
        {"Gemmet", "groupFlag", all(kFlag)},
        {"Gemmet", "few", all({{2, 5}})},
        {"Gemmet", "skill", all({{0, 2}})},
        {"Gemmet", "selection", all(kCellOrNone)},
        // Lobbo: a playing cell is empty, a kind (1..8), a special (9..12) or a mark (9..14);
        // a piece's blocks are kinds 1..7 or one special, 0 past a shorter piece and before the
        // first; the sound of a landing is none, a line (1), a bomb (2), a ladder (3) or a heart
        // (5).
        {"Lobbo", "Board",
         [](size_t i, const Window&) { return !inWell(i) ? Spans{{-1, -1}} : i < 9 ? Spans{{0, 8}} : Spans{{0, 14}}; }},
        {"Lobbo", "fallMark", [](size_t i, const Window&) { return inWell(i) ? kFlag : Spans{{0, 0}}; }},
        {"Lobbo", "pieceKinds", all({{0, 12}})},
        {"Lobbo", "pieceLength", all({{0, 2}})},
        {"Lobbo", "nextKinds", all({{0, 12}})},
        {"Lobbo", "nextLength", all({{0, 2}})},
        {"Lobbo", "pixelX", all({{0, 6 * 32}})},        // columns 1..7
        {"Lobbo", "pixelY", all({{-3 * 32, 12 * 32}})},  // three blocks above the well to the last row
        {"Lobbo", "steerDirection", all({{0, 2}})},
        {"Lobbo", "moveRequest", all({{-1, 1}})},
        {"Lobbo", "slideStep", all({{-1, 1}})},
        {"Lobbo", "targetColumn", all({{1, 7}, {255, 255}})},
        {"Lobbo", "keyFlags", all({{0, 3}})},
        {"Lobbo", "upHeld", all({{0, 1}})},
        {"Lobbo", "level", all({{1, 10}})},
        {"Lobbo", "startLevel", all({{1, 10}})},
        {"Lobbo", "money", all(kCounted)},
        {"Lobbo", "stopPlay", all({{0, 1}})},
        {"Lobbo", "gameEnded", all({{0, 1}})},
        {"Lobbo", "effectSound", all({{-1, -1}, {1, 3}, {5, 5}})},
        // Arrik: the arrow down, up, left or right; the action move or swap.
        {"Arrik", "arrowDir", all({{0, 3}})},
        {"Arrik", "action", all({{0, 1}})},
        // Wendrix, Skaldo, Quadrin: kinds from 0; Twirno's from 1; Klumpa's 8 x 8 board; Brenx's
        // kinds from 1 beside empty (0), with a blocking flag per kind.
        {"Wendrix", "blackFlag", all(kFlag)},
        {"Skaldo", "dragSource", all(kCellOrNone)},
        {"Quadrin", "changedFlag", all(kFlag)},
        {"Twirno", "skill", all({{0, 2}})},
        {"Klumpa", "target", [](size_t, const Window& w) { return Spans{{0, 64 / w("groupSize") - 1}}; }},
        {"Klumpa", "marked", all({{0, 63}, {255, 255}})},
        {"Klumpa", "selection", all({{0, 63}, {255, 255}})},
        {"Klumpa", "moves", all(kCounted)},
        {"Brenx", "Board", [](size_t, const Window& w) { return Spans{{0, 100 / w("groupSize")}}; }},
        {"Brenx", "doneFlag", all(kFlag)},
        {"Brenx", "cash", all(kCounted)},
        {"Brenx", "blockingFlag",
         [](size_t k, const Window& w) { return k >= 1 && static_cast<long long>(k) <= 100 / w("groupSize") ? kFlag : Spans{{0, 0}}; }},
        {"Brenx", "collectedFlag", all(kFlag)},
        {"Brenx", "selectedCell", all(kCellOrNone)},
        {"Brenx", "score", all(kCounted)},
        // Recollo: 45 card kinds, six arrows (45..50); pairs or triples as the "Images" option
        // says, 90 cards in all; the numbers are the cells' first places.
        {"Recollo", "Board", all({{0, 50}})},
        {"Recollo", "cellFixed", all(kFlag)},
        {"Recollo", "cellNumber", all({{0, 99}})},
        {"Recollo", "picks", all({{0, 99}})},
        {"Recollo", "redArrowCell", all({{0, 99}})},
        {"Recollo", "pickCount", [](size_t, const Window& w) { return Spans{{0, w.checked("pieces", 0) ? 1 : 2}}; }},
        {"Recollo", "foundCount", [](size_t, const Window& w) { return Spans{{0, w.checked("pieces", 0) ? 45 : 30}}; }},
        // Glimbo: 46 picture kinds, four inner arrows and their black forms (46..53); an arrow
        // is used up to the limit the option sets (5..9); 92 pictures.
        {"Glimbo", "Board", all({{0, 53}})},
        {"Glimbo", "useLimit", all({{5, 9}})},
        {"Glimbo", "removedCount", all({{0, 92}})},
        // Railor: kinds 1..100 / n.
        {"Railor", "Board", [](size_t, const Window& w) { return Spans{{1, 100 / w("groupSize")}}; }},
        {"Railor", "cellState", all(kFlag)},
        {"Railor", "groupSize", all({{2, 2}, {4, 5}, {10, 10}, {20, 20}, {25, 25}, {50, 50}})},
        {"Railor", "moveCount", all(kCounted)},
        {"Railor", "removedCount", all({{0, 100}})},
        // Verdo: a square or none (-1), a cross or none, on the board of the dealt size.
        {"Verdo", "cellSquare", square("boardSize", {{-1, -1}, {1, 1}}, {{-1, -1}})},
        {"Verdo", "cellCross", square("boardSize", {{0, 1}}, {{0, 0}})},
        {"Verdo", "moveCount", all(kCounted)},
        // The grid solitaires: their kinds on the n x n board laid out, -1 (Pairn: empty) past
        // it; a drag source on the board or none. Flippa counts its moves in 16 bits, and a new
        // size keeps the flips of the board before it past the new one.
        {"Faunix", "Board", [](size_t i, const Window& w) {
           return i < static_cast<size_t>(w("BoardSize") * w("BoardSize")) ? Spans{{1, w("BoardSize")}} : Spans{{-1, -1}};
         }},
        {"Faunix", "MoveCount", all(kCounted)},
        {"Whitlo", "Board", [](size_t i, const Window& w) {
           return i < static_cast<size_t>(w("BoardSize") * w("BoardSize")) ? Spans{{1, w("BoardSize")}} : Spans{{-1, -1}};
         }},
        {"Whitlo", "MoveCount", all(kCounted)},
        {"Whitlo", "WhiteCells", square("BoardSize", kFlag, {{0, 0}})},
        {"Flippa", "Board", square("BoardSize", {{1, 2}}, {{-1, -1}})},
        {"Flippa", "UpsideDown", all(kFlag)},
        {"Flippa", "FlipVariant", all({{0, 1}})},
        {"Flippa", "MoveCount", all({{0, 32'767}})},
        {"Equin", "Board", square("BoardSize", {{1, 3}}, {{-1, -1}})},  // white knight, black knight, empty
        {"Equin", "MoveCount", all(kCounted)},
        {"Pairn", "Board", square("BoardSize", {{0, 10}}, {{0, 0}})},  // white pieces 1..5, black 6..10
        {"Pairn", "MoveCount", all(kCounted)},
        {"Pairn", "PieceKind", all({{1, 6}})},  // king, queen, rook, bishop, knight, any
        // Stakk 3D: the 3 x 3 x 3 cube (cells a + 4b + 16c with a, b, c < 3) holds white coins
        // and scores lines, at most its 49; the 4 x 4 x 4 cube counts moves and wins without a
        // score.
        {"Stakk 3D", "Board", [](size_t i, const Window& w) {
           if (w("variant") == 1) return Spans{{-1, 1}};
           return i % 4 < 3 && i / 4 % 4 < 3 && i / 16 < 3 ? Spans{{-1, 2}} : Spans{{-1, -1}};
         }},
        {"Stakk 3D", "moveCount", [](size_t, const Window& w) { return Spans{{0, w("variant") == 1 ? 64 : 0}}; }},
        {"Stakk 3D", "score", [](size_t, const Window& w) { return Spans{{0, w("variant") == 1 ? 0 : 49}}; }},
        {"Stakk 3D", "turn", all({{0, 1}})},
        // Smylo: a coin counting the smileys beside it (0..4) or a smiley (20) on 15 x 15 cells
        // and a spare entry; thirty smileys; a budget of 10 or 15 reveals.
        {"Smylo", "Board", [](size_t i, const Window&) { return i < 225 ? Spans{{0, 4}, {20, 20}} : Spans{{-1, -1}}; }},
        {"Smylo", "Revealed", [](size_t i, const Window&) { return i < 225 ? kFlag : Spans{{0, 0}}; }},
        {"Smylo", "FoundCount", all({{0, 30}})},
        {"Smylo", "ClickCount", all({{0, 225}})},
        {"Smylo", "MovesBudget", all({{10, 10}, {15, 15}})},
        // Fendo: 76 fields; a stick off the octagon stays off (-1), the outline stays taken
        // (255), a stick between two fields is free (0), taken last (1) or taken. The octagon
        // is the game's own, as a fresh game lays it out.
        {"Fendo", "PlayerToMove", all({{0, 1}})},
        {"Fendo", "Score", all({{0, 76}})},
        {"Fendo", "Sticks", [](size_t i, const Window& w) {
           const long long start = w("Sticks", i);
           return start == -1 || start == 255 ? Spans{{start, start}} : Spans{{0, 1}, {255, 255}};
         }},
        // Pegwise: eight rows; a code of four digits 1..6 once a game runs.
        {"Pegwise", "GuessRow", all({{0, 7}})},
        {"Pegwise", "SecretCode", all({{1, 6}})},
        // Spredo: the four colours dealt (0..3), the player's white (6), the computer's black (7).
        {"Spredo", "Board", all({{0, 3}, {6, 7}})},
    };
    for (const char* game : {"Faunix", "Equin", "Pairn"})
      t.push_back({game, "SourceCell", [](size_t, const Window& w) {
                     return Spans{{0, w("BoardSize") * w("BoardSize") - 1}, {255, 255}};
                   }});
    t.push_back({"Whitlo", "TargetCell",
                 [](size_t, const Window& w) { return Spans{{0, w("BoardSize") * w("BoardSize") - 1}, {255, 255}}; }});
    for (const char* uses : {"cellUses", "upUses", "rightUses", "downUses", "leftUses"})
      t.push_back({"Glimbo", uses, [](size_t, const Window& w) { return Spans{{0, w("useLimit")}}; }});
    const Spans sizes{{2, 2}, {4, 5}, {10, 10}, {20, 20}, {25, 25}, {50, 50}};
    for (auto&& more : {collecting("Pimbar", sizes, 0, 1), collecting("Arrik", sizes, 0, 1),
                        collecting("Rookwell", {{7, 7}, {10, 10}, {15, 15}, {20, 20}, {25, 25}, {30, 30}, {50, 50}}, 10, 2),
                        connecting("Wendrix", 100, 0), connecting("Skaldo", 100, 0), connecting("Quadrin", 100, 0),
                        connecting("Twirno", 100, 1), connecting("Klumpa", 64, 0)})
      t.insert(t.end(), more.begin(), more.end());
    return t;
  }();
  return table;
}

// Runs in ascending order, overlapping and touching ones joined: {0..3, 4..5} is 0..5.
Spans merged(Spans s) {
  std::sort(s.begin(), s.end(), [](const rt::Span& a, const rt::Span& b) { return a.lo < b.lo; });
  Spans out;
  for (const rt::Span& r : s) {
    if (!out.empty() && r.lo <= out.back().hi + 1) out.back().hi = std::max(out.back().hi, r.hi);
    else out.push_back(r);
  }
  return out;
}
bool sameSpans(const Spans& a, const Spans& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [](const rt::Span& x, const rt::Span& y) { return x.lo == y.lo && x.hi == y.hi; });
}
bool holds(const Spans& s, long long v) {
  return std::any_of(s.begin(), s.end(), [v](const rt::Span& r) { return r.lo <= v && v <= r.hi; });
}
std::string text(const Spans& s) {
  std::string out;
  for (const rt::Span& r : s) {
    if (!out.empty()) out += ", ";
    out += std::to_string(r.lo);
    if (r.hi != r.lo) out += ".." + std::to_string(r.hi);
  }
  return out.empty() ? "nothing" : out;
}

std::string named(const rt::Control& c) {
  return c.Index() >= 0 ? c.Name() + "(" + std::to_string(c.Index()) + ")" : c.Name();
}

// The entries that take the same values, by their first and last index.
struct Entries {
  size_t first, last;
  Spans values;
};
std::vector<Entries> entriesOf(const std::vector<Spans>& table) {
  std::vector<Entries> out;
  for (size_t i = 0; i < table.size(); ++i) {
    auto same = std::find_if(out.begin(), out.end(), [&](const Entries& e) { return sameSpans(e.values, table[i]); });
    if (same == out.end())
      out.push_back({i, i, table[i]});
    else
      same->last = i;
  }
  return out;
}

class SettableTest : public PackTest, public ::testing::WithParamInterface<int> {
 protected:
  void SetUp() override {
    PackTest::SetUp();
    vt::vhost().setDocuments(dir_.path().toStdString());
    shell::StartPack(false);
  }

  // Runs a command: any answer but a command cut short (a hang or an exception) will do.
  std::string run(const std::string& command) {
    const std::string out = d_.run(command);
    if (std::getenv("SETTABLE_TRACE")) std::fprintf(stderr, "%s -> %.100s\n", command.c_str(), out.c_str());
    EXPECT_EQ(out.rfind(R"({"ok":)", 0), 0u) << command << ": " << out;
    EXPECT_EQ(out.find("opened afresh"), std::string::npos) << command << ": " << out;
    return out;
  }
  void openFresh() { ASSERT_EQ(run("open " + std::to_string(GetParam())), R"({"ok":true})"); }
  const rt::StateVar* var(const std::string& name) const {
    const rt::Form* f = rt::frame().activeForm();
    if (!f) return nullptr;
    auto it = f->state().find(name);
    return it == f->state().end() ? nullptr : &it->second;
  }

  // A few moves on whatever the window shows: the start button, clicks with both buttons and a
  // drag on the board's cells or its picture, keys (arrows, a digit), an option. A handler still running after 1.5 s of virtual
  // time (a whole Lobbo game) ends when the game opens afresh.
  void moves(const std::string& set) {
    run("after 1500 open " + std::to_string(GetParam()));
    run("after 300 " + set);
    rt::Form* f = rt::frame().activeForm();
    if (!f) return;
    // The start button ("OK" in Pegwise, the help panel's is hidden).
    for (rt::Control* c : f->controls())
      if ((c->captionText() == "Continue" || c->captionText() == "OK") && c->effectivelyVisible()) {
        run("click " + named(*c));
        break;
      }
    run(set);
    f = rt::frame().activeForm();
    if (!f) return;
    // The board: the largest array of controls, those shown.
    std::map<std::string, std::vector<rt::Control*>> arrays;
    for (rt::Control* c : f->controls())
      if (c->Index() >= 0 && c->effectivelyVisible() && c->Width() > 0) arrays[c->Name()].push_back(c);
    std::vector<std::string> cells;
    for (const auto& [name, list] : arrays)
      if (list.size() > cells.size()) {
        cells.clear();
        for (const rt::Control* c : list) cells.push_back(named(*c));
      }
    if (!cells.empty()) {
      const size_t n = cells.size();
      for (const std::string& cell : {cells[0], cells[n / 2], cells[n - 1]}) run("click " + cell);
      run("click " + cells[n / 3] + " 2");
      run("drag " + cells[n / 4] + " " + cells[(n / 4 + 1) % n]);
    }
    // A board drawn in one picture (Lobbo's well): steered and turned with both buttons. Moves
    // may have opened the game afresh: the window is looked up again.
    f = rt::frame().activeForm();
    if (rt::Control* board = f ? f->find("Picture1") : nullptr; board && board->effectivelyVisible())
      for (const char* button : {"1", "2"}) run(std::string("click Picture1 ") + button + " 0 10 10");
    for (const char* key : {"key 37", "key 38", "key 49"}) run(key);
    // An option: the last item of the window's first menu after "Play" that is not "Help".
    f = rt::frame().activeForm();
    if (f && f->menus().size() > 1) {
      const rt::MenuItem* options = f->menus()[1].get();
      const rt::MenuItem* item = options;
      while (!item->items().empty()) item = item->items().back().get();
      if (item->effectivelyEnabled() && !item->isSeparator() && item != options)
        run("menu " + (item->Index() >= 0 ? item->Name() + "(" + std::to_string(item->Index()) + ")" : item->Name()));
    }
    run("wait 2000");
    run("dump");
    vt::vhost().takeLog();
  }

  QTemporaryDir dir_;
  drv::Driver d_;
};

}  // namespace

TEST_P(SettableTest, TakesWhatItsRulesGiveRefusesOnePastAndPlaysOn) {
  const std::string game = shell::GameRegistry[GetParam()].caption;
  ASSERT_NO_FATAL_FAILURE(openFresh());
  const rt::Form* window = rt::frame().activeForm();
  ASSERT_NE(window, nullptr);
  // The table names every settable state of the window, and no other.
  std::set<std::string> settable, listed;
  for (const auto& [name, var] : window->state())
    if (var.set) settable.insert(name);
  for (const Row& row : rows()) {
    if (game != row.game) continue;
    EXPECT_TRUE(listed.insert(row.state).second) << row.state << " is listed twice";
  }
  ASSERT_EQ(settable, listed) << "the settable state of " << game << " and its rows";
  for (const Row& row : rows()) {
    if (game != row.game) continue;
    const std::string name = row.state;
    SCOPED_TRACE(name);
    ASSERT_NO_FATAL_FAILURE(openFresh());  // the values as a fresh game stands
    const rt::StateVar* v = var(name);
    ASSERT_NE(v, nullptr);
    // Entry by entry, the window takes what the rules give.
    const Window w(*rt::frame().activeForm());
    std::vector<Spans> table(v->isArray ? v->get().size() : 1);
    for (size_t i = 0; i < table.size(); ++i) {
      table[i] = merged(row.values(i, w));
      EXPECT_TRUE(sameSpans(merged(v->values(i)), table[i]))
          << "entry " << i << ": the window takes " << text(merged(v->values(i))) << ", its rules give " << text(table[i]);
    }
    for (const Entries& entries : entriesOf(table)) {
      const std::string at1 = std::to_string(entries.first), at2 = std::to_string(entries.last);
      for (const rt::Span& span : entries.values) {
        std::vector<long long> ends{span.lo};
        if (span.hi != span.lo) ends.push_back(span.hi);
        for (long long end : ends) {
          SCOPED_TRACE("entries " + at1 + ".." + at2 + " = " + std::to_string(end));
          ASSERT_NO_FATAL_FAILURE(openFresh());
          v = var(name);
          ASSERT_NE(v, nullptr);
          // One past either end of the run, unless another run takes it: refused, nothing written.
          const std::vector<long long> before = v->get();
          for (long long past : {span.lo - 1, span.hi + 1}) {
            if (holds(entries.values, past)) continue;
            const std::string out = run("set " + name + " " + at1 + " " + std::to_string(past));
            EXPECT_EQ(out.rfind(R"({"ok":false,"error":"set )", 0), 0u) << past << ": " << out;
            EXPECT_EQ(var(name)->get(), before) << "after " << past;
          }
          // The end: taken, and there after the redraw.
          const std::string set = "set " + name + " " + at1 + " " + std::to_string(end) + " " + at2 + " " +
                                  std::to_string(end);
          EXPECT_EQ(run(set), R"({"ok":true})");
          const std::vector<long long> after = var(name)->get();
          ASSERT_GT(after.size(), entries.last);
          EXPECT_EQ(after[entries.first], end);
          EXPECT_EQ(after[entries.last], end);
          moves(set);
        }
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(EveryGame, SettableTest, ::testing::Range(0, shell::kGameCount),
                         [](const ::testing::TestParamInfo<int>& info) {
                           std::string name = shell::GameRegistry[info.param].caption;
                           name.erase(std::remove(name.begin(), name.end(), ' '), name.end());
                           return name;
                         });

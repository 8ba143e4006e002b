#include "fendo_rules.h"

namespace fendo {

std::vector<OctagonStep> Octagon() {
  std::vector<OctagonStep> steps;
  int m = 3;
  for (int line = 0; line <= 10; ++line) {
    for (int s = m; s <= 9 - m; ++s) {
      const bool inner = line != 0 && line != 10 && ((s > m && s < 9 - m) || (line >= 4 && line <= 6));
      steps.push_back({line, s, !inner});
    }
    if (line < 3) --m;
    if (line > 6) ++m;
  }
  return steps;
}

Sticks StartSticks() {
  Sticks sticks;
  sticks.fill(kAbsent);
  for (const OctagonStep& st : Octagon()) {
    const int16_t v = st.outline ? kTaken : kFree;
    sticks[HorizontalStick(st.line, st.segment)] = v;
    sticks[VerticalStick(st.line, st.segment)] = v;
  }
  return sticks;
}

int FieldsBeside(int n, std::array<Side, 2>& out) {
  int count = 0;
  if (n < 0 || n >= kSticks) return 0;
  if (n > 109) {
    const int c = n / 10 - 11, r = n % 10;
    if (c > 0) out[count++] = {{r, c - 1}, {n - 10, 10 * r + c - 1, 10 * r + c + 9}};
    if (c < 10) out[count++] = {{r, c}, {n + 10, 10 * r + c, 10 * r + c + 10}};
  } else {
    const int line = n / 10, s = n % 10;
    if (line > 0) out[count++] = {{line - 1, s}, {n - 10, 110 + 10 * s + line - 1, 120 + 10 * s + line - 1}};
    if (line < 10) out[count++] = {{line, s}, {n + 10, 110 + 10 * s + line, 120 + 10 * s + line}};
  }
  return count;
}

int ClosingCount(const Sticks& sticks, int n, std::array<Field, 2>* closed) {
  std::array<Side, 2> sides{};
  const int k = FieldsBeside(n, sides);
  int count = 0;
  for (int i = 0; i < k; ++i) {
    bool all = true;
    for (int o : sides[i].others) all = all && sticks[o] == kTaken;
    if (!all) continue;
    if (closed) (*closed)[count] = sides[i].field;
    ++count;
  }
  return count;
}

std::vector<Take> CollectClosing(Sticks& sticks) {
  std::vector<Take> takes;
  bool took = true;
  while (took) {
    took = false;
    for (int n = 0; n < kSticks; ++n) {
      if (sticks[n] != kFree) continue;
      Take t{n, 0, {}};
      t.closed = ClosingCount(sticks, n, &t.fields);
      if (t.closed == 0) continue;
      sticks[n] = kTaken;
      took = true;
      takes.push_back(t);
    }
  }
  return takes;
}

int GreedyTotal(Sticks sticks) {
  int total = 0;
  bool took = true;
  while (took) {
    took = false;
    for (int n = 0; n < kSticks; ++n) {
      if (sticks[n] != kFree) continue;
      const int c = ClosingCount(sticks, n);
      if (c == 0) continue;
      total += c;
      sticks[n] = kTaken;
      took = true;
    }
  }
  return total;
}

std::array<int16_t, kSticks> GiveAway(const Sticks& sticks) {
  std::array<int16_t, kSticks> give{};
  for (int n = 0; n < kSticks; ++n) {
    if (sticks[n] != kFree) {
      give[n] = kTaken;
      continue;
    }
    Sticks trial = sticks;
    trial[n] = kTaken;
    give[n] = static_cast<int16_t>(GreedyTotal(trial));
  }
  return give;
}

int ChooseSafeStick(const Sticks& sticks, const Random& rnd) {
  const std::array<int16_t, kSticks> give = GiveAway(sticks);
  int16_t least = kTaken;
  for (int16_t g : give)
    if (g < least) least = g;
  if (least == kTaken) return -1;
  int count = 0;
  for (int16_t g : give) count += g == least;
  const int k = static_cast<int>(rnd() * count) + 1;
  for (int n = 0, seen = 0; n < kSticks; ++n)
    if (give[n] == least && ++seen == k) return n;
  return -1;
}

Game::Game() : sticks(StartSticks()) { owner.fill(kNobody); }

int16_t FirstPlayer(int choice, const Random& rnd) {
  if (choice == kBlue || choice == kYellow) return static_cast<int16_t>(choice);
  return static_cast<int16_t>(rnd() * 2);
}

bool CanTake(const Game& g, int n) { return n >= 0 && n < kSticks && g.sticks[n] == kFree; }

namespace {
void own(Game& g, int16_t player, const std::array<Field, 2>& fields, int closed) {
  for (int i = 0; i < closed; ++i) g.owner[10 * fields[i].row + fields[i].column] = player;
  g.score[player] = static_cast<int16_t>(g.score[player] + closed);
}
}  // namespace

std::optional<Move> TakeStick(Game& g, int n, bool markLast) {
  if (!CanTake(g, n)) return std::nullopt;
  g.last.fill(false);
  g.sticks[n] = kTaken;
  g.last[n] = markLast;
  Move m{g.playerToMove, 0, {}};
  m.closed = ClosingCount(g.sticks, n, &m.fields);
  own(g, m.player, m.fields, m.closed);
  if (m.closed == 0) g.playerToMove = static_cast<int16_t>(1 - g.playerToMove);
  return m;
}

ComputerMoves ComputerTurn(Game& g, const Random& rnd) {
  ComputerMoves m{CollectClosing(g.sticks), -1};
  for (const Take& t : m.takes) own(g, kYellow, t.fields, t.closed);
  m.safe = ChooseSafeStick(g.sticks, rnd);
  if (m.safe >= 0) {
    g.sticks[m.safe] = kTaken;
    g.last[m.safe] = true;
  }
  g.playerToMove = kBlue;
  return m;
}

bool Over(const Game& g) {
  for (int16_t s : g.sticks)
    if (s == kFree) return false;
  return true;
}

}  // namespace fendo

// Times the computer players of the duels on their hardest positions: Fendo's turn (closing
// passes, then the give-away count of every free stick), Spredo's colour choice and Stakk 3D's
// replies in both cubes. Each figure is the median and the 99th percentile of the processor time
// of many replies; the 99th percentile must stay under 3 yardsticks (yardstick.h).
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <random>
#include <vector>

#include "fendo_rules.h"
#include "spredo_rules.h"
#include "stakk_rules.h"
#include "yardstick.h"

namespace {

// On the 99th percentile of a kind of reply: about 50 ms where a yardstick takes 18 ms.
constexpr double kLimitYardsticks = 3;

double limitMs = 0;  // kLimitYardsticks on this processor, measured first

// Every reply's processor time of one kind; the median and the 99th percentile (nearest rank)
// tell the usual and the slow reply apart from one unlucky sample.
struct Replies {
  const char* what;
  std::vector<double> ms;
  void add(double startSeconds) { ms.push_back((bench::ThreadCpuSeconds() - startSeconds) * 1000); }
  double rank(double share) {
    std::sort(ms.begin(), ms.end());
    const size_t i = static_cast<size_t>(std::ceil(share * static_cast<double>(ms.size())));
    return ms[std::clamp<size_t>(i, 1, ms.size()) - 1];
  }
  double p99() { return rank(0.99); }
  void print() {
    std::printf("%-48s median %7.3f ms, 99th percentile %7.3f ms (limit %.0f ms) over %5zu replies\n", what,
                rank(0.5), p99(), limitMs, ms.size());
  }
};

std::deque<Replies> kinds;  // every kind of reply measured, in order
Replies& kind(const char* what) { return kinds.emplace_back(Replies{what, {}}); }

// A game of the bench that does not end within `rounds` is a rules bug: say which and stop.
void endWithin(int round, int rounds, const char* game, int number) {
  if (round < rounds) return;
  std::printf("%s game %d did not end in %d rounds\n", game, number, rounds);
  std::exit(1);
}

std::mt19937 gen(20);
double uniform() { return std::uniform_real_distribution<double>(0.0, 0.999999)(gen); }

// ------------------------------------------------------------------------------------ Fendo

// The computer's whole turn as the window plays it.
void fendoTurn(fendo::Sticks& s, Replies& replies) {
  const double start = bench::ThreadCpuSeconds();
  fendo::CollectClosing(s);
  const int n = fendo::ChooseSafeStick(s, uniform);
  replies.add(start);
  if (n >= 0) s[n] = fendo::kTaken;
}

// Every field in one snake through the rows, each wall between two of its fields free: every
// stick hands over a long chain that the ascending passes follow one field at a time.
fendo::Sticks fendoSnake() {
  fendo::Sticks s = fendo::StartSticks();
  for (auto& v : s)
    if (v == fendo::kFree) v = fendo::kTaken;
  std::vector<std::pair<int, int>> path;
  for (int r = 0; r < 10; ++r) {
    std::vector<int> cols;
    for (int c = 0; c < 10; ++c)
      if (s[10 * r + c] != fendo::kAbsent && s[10 * r + c + 10] != fendo::kAbsent && s[110 + 10 * c + r] != fendo::kAbsent &&
          s[120 + 10 * c + r] != fendo::kAbsent)
        cols.push_back(c);
    if (r % 2) std::reverse(cols.begin(), cols.end());
    for (int c : cols) path.push_back({r, c});
  }
  auto open = [&s](std::pair<int, int> f0, std::pair<int, int> f1) {  // the wall between two fields
    auto [r0, c0] = f0;
    auto [r1, c1] = f1;
    if (r0 == r1) s[120 + 10 * std::min(c0, c1) + r0] = fendo::kFree;
    else s[10 * std::max(r0, r1) + c0] = fendo::kFree;
  };
  for (size_t i = 1; i < path.size(); ++i) open(path[i - 1], path[i]);
  // The two ends get a second free wall (into the row beside them), so no field can be closed
  // before a stick is given away.
  open(path.front(), {path.front().first + 1, path.front().second});
  open(path.back(), {path.back().first - 1, path.back().second});
  return s;
}

void benchFendo() {
  Replies& opening = kind("Fendo: computer's turn, fresh board");
  for (int i = 0; i < 500; ++i) {
    fendo::Sticks s = fendo::StartSticks();
    fendoTurn(s, opening);
  }
  opening.print();

  Replies& snake = kind("Fendo: computer's turn, one long snake");
  for (int i = 0; i < 500; ++i) {
    fendo::Sticks s = fendoSnake();
    fendoTurn(s, snake);
  }
  snake.print();

  // Whole games: the human takes a random free stick, the computer answers.
  Replies& games = kind("Fendo: every computer turn of 200 games");
  for (int g = 0; g < 200; ++g) {
    fendo::Sticks s = fendo::StartSticks();
    for (;;) {
      std::vector<int> free;
      for (int n = 0; n < fendo::kSticks; ++n)
        if (s[n] == fendo::kFree) free.push_back(n);
      if (free.empty()) break;
      const int n = free[gen() % free.size()];
      const int closed = fendo::ClosingCount(s, n);
      s[n] = fendo::kTaken;
      if (closed == 0) fendoTurn(s, games);
    }
  }
  games.print();
}

// ------------------------------------------------------------------------------------ Spredo

void benchSpredo() {
  Replies& random = kind("Spredo: computer's colour, random deals");
  for (int g = 0; g < 200; ++g) {
    spredo::Board b{};
    spredo::Deal(b, uniform);
    for (int round = 0; !spredo::AllOwned(b); ++round) {
      endWithin(round, 10 * spredo::kSquares, "Spredo", g);
      spredo::Spread(b, static_cast<int16_t>(gen() % 4), spredo::kWhite);
      const double start = bench::ThreadCpuSeconds();
      spredo::PickComputerColour(b, uniform);
      random.add(start);
    }
  }
  random.print();

  // A serpentine of one colour that runs against the sweep order: one square per sweep; and a
  // walled-in computer that tries all six colours in vain.
  Replies& hard = kind("Spredo: computer's colour, serpentine / walled");
  for (int i = 0; i < 250; ++i) {
    spredo::Board b;
    b.fill(1);
    for (int col = 0; col < spredo::kSide; ++col)
      for (int row = 0; row < spredo::kSide; ++row)
        if (col % 2 == 1 && row != (col % 4 == 1 ? 0 : spredo::kSide - 1)) b[spredo::kSide * col + row] = 2;
    b[0] = spredo::kWhite;
    b[spredo::kSquares - 1] = spredo::kBlack;
    double start = bench::ThreadCpuSeconds();
    spredo::PickComputerColour(b, uniform);
    hard.add(start);
    spredo::Board walled;
    walled.fill(spredo::kWhite);
    walled[spredo::kSquares - 1] = spredo::kBlack;
    start = bench::ThreadCpuSeconds();
    spredo::PickComputerColour(walled, uniform);
    hard.add(start);
  }
  hard.print();
}

// ------------------------------------------------------------------------------------ Stakk 3D

void benchStakk() {
  Replies& four = kind("Stakk 3D 4x4x4: computer's move, 200 games");
  for (int g = 0; g < 200; ++g) {
    stakk::Board b;
    b.fill(stakk::kEmpty);
    int moves = 0;
    while (!stakk::HasFour(b, stakk::kGreen) && !stakk::HasFour(b, stakk::kBrown) && !stakk::Drawn(b)) {
      std::vector<int> free;
      for (int c = 0; c < stakk::kCells; ++c)
        if (b[c] == stakk::kEmpty) free.push_back(c);
      b[free[gen() % free.size()]] = stakk::kGreen;
      ++moves;
      if (stakk::HasFour(b, stakk::kGreen) || stakk::Drawn(b)) break;
      const double start = bench::ThreadCpuSeconds();
      const int cell = stakk::ChooseMove4(b, moves, uniform);
      const bool over = stakk::HasFour(b, stakk::kGreen) || stakk::Drawn(b);
      four.add(start);
      (void)over;
      b[cell] = stakk::kBrown;
      ++moves;
    }
  }
  four.print();

  Replies& three = kind("Stakk 3D 3x3x3: computer's turn, 200 games");
  for (int g = 0; g < 200; ++g) {
    stakk::Board b;
    b.fill(stakk::kEmpty);
    int green = 0, brown = 0;
    for (int round = 0; green < 10 && brown < 10; ++round) {
      endWithin(round, 1000, "Stakk 3D 3x3x3", g);
      std::vector<int> free;
      for (int c : stakk::ScanOrder(3))
        if (stakk::Free3(b[c])) free.push_back(c);
      if (free.empty()) break;
      stakk::ClearWhites(b);
      const int cell = free[gen() % free.size()];
      b[cell] = stakk::kGreen;
      std::vector<int> white;
      const int n = stakk::CountLines(b, stakk::kGreen, &white);
      green += n;
      if (n > 0) continue;
      const double start = bench::ThreadCpuSeconds();
      stakk::ComputerTurn3(b, brown, uniform);
      three.add(start);
    }
  }
  three.print();
}

}  // namespace

int main() {
  const double yardstick = bench::YardstickMs();
  limitMs = kLimitYardsticks * yardstick;
  benchFendo();
  benchSpredo();
  benchStakk();
  Replies* slowest = &kinds.front();
  for (Replies& r : kinds)
    if (r.p99() > slowest->p99()) slowest = &r;
  std::printf("duels: slowest 99th percentile %.3f ms (%s), %.3f yardsticks of %.1f ms; limit %.0f yardsticks (%.0f ms "
              "here)\n",
              slowest->p99(), slowest->what, slowest->p99() / yardstick, yardstick, kLimitYardsticks, limitMs);
  bool ok = true;
  for (Replies& r : kinds)
    if (r.p99() > limitMs) {
      std::printf("over the limit: %s, 99th percentile %.3f ms (limit %.0f ms here)\n", r.what, r.p99(), limitMs);
      ok = false;
    }
  return ok ? 0 : 1;
}

// vpk-chess: the chess engine on the command line.
//   vpk-chess moves POSITION           the computer's generated moves, in generator order
//   vpk-chess go POSITION [strong]     the move ComputerMove plays, moves examined, time
//   vpk-chess bench                    both strengths on a fixed set of positions, and the
//                                      heaviest known strong search against its limits
//   vpk-chess perft POSITION DEPTH     leaves of the generator's move tree
// POSITION is one argument: a FEN piece placement, a blank, and w or b for the colour the
// human plays. The computer is to move. The position is loaded as a new game (ply 0).
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "chess_engine.h"
#include "gen_mov.h"
#include "perft.h"
#include "position_text.h"

namespace {

using namespace chess;

class ToolHost final : public EngineHost {
 public:
  bool difficult = false;
  bool gameOverShown = false;
  void BeginThinking() override {}
  void EndThinking() override {}
  void ShowProgress(int, int) override {}
  void ShowComputerMove(int) override {}
  int CheckedPromotionItem() override { return 3; }
  bool Difficult() override { return difficult; }
  void PumpMessages() override {}
  void MsgBox(std::string_view) override { gameOverShown = true; }
};

int Usage() {
  std::fprintf(stderr,
               "usage: vpk-chess moves POSITION\n"
               "       vpk-chess go POSITION [strong]\n"
               "       vpk-chess bench\n"
               "       vpk-chess perft POSITION DEPTH\n"
               "POSITION: \"FEN-PLACEMENT w|b\", w or b the colour the human plays; the computer moves.\n");
  return 2;
}

bool Load(const char* text, EngineBoard& board, bool& humanIsWhite) {
  std::string error;
  if (ParsePosition(text, board, humanIsWhite, error)) return true;
  std::fprintf(stderr, "vpk-chess: bad position \"%s\": %s\n", text, error.c_str());
  return false;
}

struct Result {
  std::string move;
  int64_t examined = 0;  // moves the search was handed
  int64_t made = 0;      // of those, positions made; the rest are leaf moves
  double seconds = 0;
  bool gameOver = false;
};

Result Play(const EngineBoard& board, bool humanIsWhite, bool strong) {
  ToolHost host;
  host.difficult = strong;
  ChessEngine engine(host);
  engine.LoadPosition(board, humanIsWhite);
  const EngineBoard before = engine.Root();
  const auto t0 = std::chrono::steady_clock::now();
  engine.ComputerMove();
  const auto t1 = std::chrono::steady_clock::now();
  Result r;
  r.move = DescribeComputerMove(before, engine.Root(), humanIsWhite);
  r.examined = engine.MovesExamined();
  r.made = engine.PositionsMade();
  r.seconds = std::chrono::duration<double>(t1 - t0).count();
  r.gameOver = engine.GameOverFlag();
  return r;
}

int Moves(const char* text) {
  EngineBoard board;
  bool humanIsWhite;
  if (!Load(text, board, humanIsWhite)) return 1;
  std::vector<std::string> names;
  for (int row = 8; row >= 1; --row)
    for (int col = 1; col <= 8; ++col)
      if (board(col, row) > 0)
        GenMoves<Side::Computer>(board, col, row, [&](int to, int from) {
          names.push_back(MoveName(board, to, from, humanIsWhite));
        });
  std::printf("%zu moves\n", names.size());
  for (size_t i = 0; i < names.size(); ++i) std::printf("%s%s", i ? " " : "", names[i].c_str());
  std::printf("\n");
  return 0;
}

int Go(const char* text, bool strong) {
  EngineBoard board;
  bool humanIsWhite;
  if (!Load(text, board, humanIsWhite)) return 1;
  const Result r = Play(board, humanIsWhite, strong);
  std::printf("move %s\nmoves %lld (%lld leaf moves, %lld positions made)\ntime %.1f ms\n",
              r.gameOver ? "none (Game over)" : r.move.c_str(), static_cast<long long>(r.examined),
              static_cast<long long>(r.examined - r.made), static_cast<long long>(r.made), r.seconds * 1000);
  return 0;
}

int PerftCommand(const char* text, const char* depthText) {
  EngineBoard board;
  bool humanIsWhite;
  if (!Load(text, board, humanIsWhite)) return 1;
  char* end = nullptr;
  const long depth = std::strtol(depthText, &end, 10);
  if (*depthText == '\0' || *end != '\0' || depth < 1 || depth > 8) {
    std::fprintf(stderr, "vpk-chess: DEPTH must be 1 to 8\n");
    return 2;
  }
  const auto t0 = std::chrono::steady_clock::now();
  const uint64_t n = Perft(board, static_cast<int>(depth));
  const double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
  std::printf("%llu\ntime %.1f ms\n", static_cast<unsigned long long>(n), s * 1000);
  return 0;
}

struct BenchPosition {
  const char* name;
  const char* position;
};

// Openings, middlegames and endgames, with the human on either colour.
const BenchPosition kBench[] = {
    {"start, computer White", "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR b"},
    {"after 1.e4", "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR w"},
    {"open game, 3.Bc4", "r1bqkbnr/pppp1ppp/2n5/4p3/2B1P3/5N2/PPPP1PPP/RNBQK2R w"},
    {"queen's gambit declined", "rnbqkb1r/ppp2ppp/4pn2/3p4/2PP4/2N5/PP2PPPP/R1BQKBNR w"},
    {"sicilian middlegame", "r1bqk2r/pp2bppp/2nppn2/8/3NP3/2N1B3/PPPQ1PPP/R3KB1R w"},
    {"closed middlegame", "r2q1rk1/pp2bppp/2n1pn2/3p4/3P4/2NBPN2/PP3PPP/R2Q1RK1 w"},
    {"italian middlegame, computer White", "r1bq1rk1/ppp2ppp/2np1n2/2b1p3/2B1P3/2NP1N2/PPP2PPP/R1BQ1RK1 b"},
    {"sharp middlegame", "r1b2rk1/2q1bppp/p2ppn2/1p6/3NP3/1BN1B3/PPP2PPP/R2Q1RK1 w"},
    {"rook endgame", "8/5pk1/6p1/8/3R4/6P1/r4PK1/8 w"},
    {"pawn endgame, computer White", "8/8/4k3/8/2p5/8/2P1K3/8 b"},
    {"queen against rook, computer White", "8/8/3k4/8/8/8/1r6/4K2Q b"},
    {"minor piece endgame", "8/p4pk1/1p4p1/3n4/8/1P3BP1/P4PKP/8 w"},
};

// The heaviest strong search known: every reply of the human keeps the material level deep into
// the tree, so few lines are cut off. A player waits this long for the computer's move.
constexpr const char* kHeaviest = "r4rk1/1pp1qppp/p1np1n2/2b1p1B1/2B1P1b1/P1NP1N2/1PP1QPPP/R4RK1 b";
// The moves it examines: only a change of the engine changes the count, never the machine.
constexpr int64_t kHeaviestMovesLimit = 37'000'000;
// Its time per examined move against perft's time per leaf on the same position, both timed in
// this process: each is the engine's move generator at work, so the share is the same on a fast
// and on a slow or busy machine, where a limit in milliseconds is not.
constexpr double kMoveCostLimit = 2.6;  // percent
constexpr int kHeaviestRuns = 7;
constexpr int kPerftDepth = 3;
constexpr int kPerftRepeats = 8;  // about as long as the search, so that a slow spell hits both alike

int Bench() {
  int64_t moves = 0, made = 0;
  double seconds = 0, slowestStrong = 0;
  std::printf("moves: every move the search was handed (leaf moves are scored without being made)\n");
  std::printf("%-36s %-8s %10s %9s   %-8s %10s %9s\n", "position", "4 plies", "moves", "ms", "6 plies", "moves",
              "ms");
  for (const BenchPosition& p : kBench) {
    EngineBoard board;
    bool humanIsWhite;
    if (!Load(p.position, board, humanIsWhite)) return 1;
    const Result weak = Play(board, humanIsWhite, false);
    const Result strong = Play(board, humanIsWhite, true);
    std::printf("%-36s %-8s %10lld %9.1f   %-8s %10lld %9.1f\n", p.name, weak.move.c_str(),
                static_cast<long long>(weak.examined), weak.seconds * 1000, strong.move.c_str(),
                static_cast<long long>(strong.examined), strong.seconds * 1000);
    moves += weak.examined + strong.examined;
    made += weak.made + strong.made;
    seconds += weak.seconds + strong.seconds;
    if (strong.seconds > slowestStrong) slowestStrong = strong.seconds;
  }
  std::printf("total %lld moves (%lld leaf moves, %lld positions made) in %.3f s: %.1f M moves/s; slowest 6-ply "
              "search %.1f ms\n",
              static_cast<long long>(moves), static_cast<long long>(moves - made), static_cast<long long>(made),
              seconds, seconds > 0 ? moves / seconds / 1e6 : 0.0, slowestStrong * 1000);

  EngineBoard board;
  bool humanIsWhite;
  if (!Load(kHeaviest, board, humanIsWhite)) return 1;
  // The cost of each is its fastest run: a busy or slowed machine only adds to it. Perft and the
  // search take turns, spread over a few seconds, as a machine's slow spells last about that long.
  std::vector<Result> runs;
  std::vector<double> perftSeconds;
  uint64_t leaves = 0;
  for (int i = 0; i < kHeaviestRuns; ++i) {
    if (i > 0) std::this_thread::sleep_for(std::chrono::milliseconds(300));
    const auto t0 = std::chrono::steady_clock::now();
    for (int r = 0; r < kPerftRepeats; ++r) leaves = Perft(board, kPerftDepth);
    perftSeconds.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
    runs.push_back(Play(board, humanIsWhite, true));
  }
  std::sort(runs.begin(), runs.end(), [](const Result& a, const Result& b) { return a.seconds < b.seconds; });
  std::sort(perftSeconds.begin(), perftSeconds.end());
  const Result& fastest = runs.front();
  const double ms = fastest.seconds * 1000, medianMs = runs[runs.size() / 2].seconds * 1000;
  const double nsPerMove = fastest.seconds * 1e9 / static_cast<double>(fastest.examined);
  const double nsPerLeaf = perftSeconds.front() * 1e9 / static_cast<double>(leaves * kPerftRepeats);
  const double cost = 100 * nsPerMove / nsPerLeaf;
  std::printf("heaviest 6-ply search (%s): %.1f M moves (%.1f M leaf moves; limit %.1f M), fastest %.1f ms of %d "
              "runs (median %.1f ms)\n",
              kHeaviest, fastest.examined / 1e6, (fastest.examined - fastest.made) / 1e6, kHeaviestMovesLimit / 1e6,
              ms, kHeaviestRuns, medianMs);
  std::printf("its time per move against perft %d of the same position, timed beside it: %.2f ns a move, %.1f ns a "
              "perft leaf: %.2f %% (limit %.1f %%)\n",
              kPerftDepth, nsPerMove, nsPerLeaf, cost, kMoveCostLimit);
  bool ok = true;
  if (fastest.examined > kHeaviestMovesLimit) {
    std::printf("over the limit: heaviest 6-ply search examines %lld moves (limit %lld)\n",
                static_cast<long long>(fastest.examined), static_cast<long long>(kHeaviestMovesLimit));
    ok = false;
  }
  if (cost > kMoveCostLimit) {
    std::printf("over the limit: a move of the heaviest search costs %.2f %% of a perft leaf (limit %.1f %%)\n", cost,
                kMoveCostLimit);
    ok = false;
  }
  return ok ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return Usage();
  const std::string cmd = argv[1];
  if (cmd == "moves" && argc == 3) return Moves(argv[2]);
  if (cmd == "go" && (argc == 3 || (argc == 4 && std::string(argv[3]) == "strong")))
    return Go(argv[2], argc == 4);
  if (cmd == "bench" && argc == 2) return Bench();
  if (cmd == "perft" && argc == 4) return PerftCommand(argv[2], argv[3]);
  return Usage();
}

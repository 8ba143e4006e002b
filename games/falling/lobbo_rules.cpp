#include "lobbo_rules.h"

#include <algorithm>
#include <cmath>

namespace lobbo {

namespace {
int Uniform(const Draw& rnd, int k) { return static_cast<int>(std::floor(rnd() * k)); }

bool Empty(const Well& w, int x, int y) { return Cell(w, x, y) == kEmpty; }
}  // namespace

void ResetWell(Well& w) {
  w.fill(kEmpty);
  for (int y = 0; y < kRows; ++y) w[At(0, y)] = w[At(kCols - 1, y)] = kWall;
  for (int x = 0; x < kCols; ++x) w[At(x, kFloorRow)] = kWall;
}

int16_t Cell(const Well& w, int x, int y) {
  if (x < 0 || x >= kCols || y < 0 || y >= kRows) return kWall;
  return w[At(x, y)];
}

Mask BlockMask() {
  Mask m{};
  for (int k = 1; k <= 6; ++k) m[k] = static_cast<int16_t>(1 << (k - 1));
  m[kJoker] = 255;
  m[kSpecialBlock] = 128;
  return m;
}

Piece DrawPiece(const Draw& rnd) {
  Piece p;
  p.length = static_cast<int16_t>(Uniform(rnd, 3));
  for (int i = 0; i <= p.length; ++i) {
    int k = Uniform(rnd, 7);
    const int coin = Uniform(rnd, 2);
    if (p.length == 0 && coin == 0) k = 6 + Uniform(rnd, 6);
    p.kinds[i] = static_cast<int16_t>(k + 1);
  }
  return p;
}

void Cycle(Piece& p) {
  const int16_t t = p.kinds[p.length];
  for (int i = p.length; i >= 1; --i) p.kinds[i] = p.kinds[i - 1];
  p.kinds[0] = t;
}

Fall StartFall(int16_t length) {
  Fall f;
  f.length = length;
  f.pixelY = static_cast<int16_t>(-(length + 1) * kCellPixels);
  f.pieceY = static_cast<int16_t>(FloorDiv(f.pixelY, kCellPixels));
  return f;
}

bool FallTick(const Well& w, Fall& f, bool keyboard, int keyFlags) {
  auto column = [&f] { f.pieceX = static_cast<int16_t>(FloorDiv(f.pixelX, kCellPixels) + 1); };
  // Steering.
  if (!keyboard) {
    if (f.targetColumn == kNoTarget) {
      f.steerDirection = 0;
    } else if (f.pieceX > f.targetColumn) {
      if (f.moveRequest == 0) f.steerDirection = 1;
    } else if (f.pieceX < f.targetColumn) {
      if (f.moveRequest == 0) f.steerDirection = 2;
    } else {
      f.steerDirection = 0;
    }
    if (f.steerDirection == 1 && f.slideStep == 0) f.moveRequest = -1;
    if (f.steerDirection == 2 && f.slideStep == 0) f.moveRequest = 1;
  } else if (keyFlags == 1) {
    f.moveRequest = -1;
  } else if (keyFlags == 2) {
    f.moveRequest = 1;
  }
  // A slide starts only when the piece is level with a row.
  column();
  if (f.pixelY % kCellPixels != 0) f.moveRequest = 0;
  ++f.pixelY;
  f.pieceY = static_cast<int16_t>(FloorDiv(f.pixelY, kCellPixels));
  column();
  // The bottom block enters this row: the side cell there must be free.
  const int entering = f.pieceY + f.length + 1;
  if (f.moveRequest == -1 && Empty(w, f.pieceX - 1, entering)) f.slideStep = -1;
  if (f.moveRequest == 1 && Empty(w, f.pieceX + 1, entering)) f.slideStep = 1;
  f.pixelX = static_cast<int16_t>(f.pixelX + f.slideStep);
  if (f.pixelX % kCellPixels == 0) {
    f.slideStep = 0;
    f.moveRequest = 0;
  }
  column();
  return !Empty(w, f.pieceX, f.pieceY + f.length + 1);
}

void Land(Well& w, const Fall& f, const Piece& p) {
  for (int i = 0; i <= f.length; ++i) {
    const int y = f.pieceY + i;
    if (y >= 0 && y < kRows && f.pieceX >= 1 && f.pieceX < kCols - 1) w[At(f.pieceX, y)] = p.kinds[i];
  }
}

int ApplySpecial(Well& w, int x, int y) {
  const int16_t kind = Cell(w, x, y);
  const int16_t below = Cell(w, x, y + 1);
  switch (kind) {
    case kSpecialBlock:
      if (below != kSpecialBlock) return -1;
      for (int c = 1; c <= 7; ++c)
        for (int r = kLastRow; r >= 0; --r)
          if (w[At(c, r)] == kEmpty) {
            w[At(c, r)] = kSpecialBlock;
            break;
          }
      return -1;
    case kColumnLadder:
      for (int r = kLastRow; r >= 0 && w[At(x, r)] != kEmpty; --r) w[At(x, r)] = kColumnLadder;
      return 3;
    case kRowLadder:
      if (y + 1 < kFloorRow)
        for (int c = 1; c <= 7; ++c)
          if (w[At(c, y + 1)] > kEmpty) w[At(c, y + 1)] = kRowLadder;
      return 3;
    case kHeart:
      if (below > kEmpty)
        for (int r = 0; r <= kLastRow; ++r)
          for (int c = 1; c <= 7; ++c)
            if (w[At(c, r)] == below) w[At(c, r)] = kHeart;
      return 5;
    case kBomb: {
      w[At(x, y)] = kBombMark;
      static constexpr int kAround[7][2] = {{0, 1}, {-1, 1}, {1, 1}, {-1, 0}, {1, 0}, {-1, -1}, {1, -1}};
      for (auto [dx, dy] : kAround)
        if (Cell(w, x + dx, y + dy) >= 1) w[At(x + dx, y + dy)] = kBombMark;
      return 2;
    }
    default:
      return -1;
  }
}

void FindLines(const Well& w, const Mask& m, Marks& marks) {
  static constexpr int kLines[4][4] = {{-1, -1, 1, 1}, {1, -1, -1, 1}, {-1, 0, 1, 0}, {0, -1, 0, 1}};
  auto bits = [&](int x, int y) { return m[Cell(w, x, y) & 15]; };
  for (int c = 1; c <= 7; ++c)
    for (int r = kLastRow; r >= 1; --r) {
      const int16_t k = w[At(c, r)];
      if (k < 1 || k > kSpecialBlock) continue;
      for (auto [ax, ay, bx, by] : kLines) {
        if ((bits(c + ax, r + ay) & bits(c + bx, r + by) & m[k]) == 0) continue;
        marks[At(c, r)] = marks[At(c + ax, r + ay)] = marks[At(c + bx, r + by)] = -1;
      }
    }
}

int RemoveMarked(Well& w, const Marks& marks, int32_t& money, int16_t& level) {
  int removed = 0;
  for (int c = 1; c <= 7; ++c)
    for (int r = kLastRow; r >= 1; --r) {
      if (marks[At(c, r)] != -1) continue;
      w[At(c, r)] = kLineMark;
      ++removed;
      ++money;
      if (money > level * 100 && level < kMaxLevel) ++level;
    }
  return removed;
}

bool FlagCollapse(const Well& w, Marks& marks) {
  bool any = false;
  for (int c = 1; c <= 7; ++c) {
    int r = kLastRow;
    while (r >= 1 && !IsMark(w[At(c, r)])) --r;
    if (r < 1) continue;
    any = true;
    for (; r >= 1; --r)
      if (w[At(c, r)] != kEmpty) marks[At(c, r)] = -1;
  }
  return any;
}

void Collapse(Well& w) {
  for (int c = 1; c <= 7; ++c) {
    int r = kLastRow;
    while (r >= 1 && !IsMark(w[At(c, r)])) --r;
    // A block in row 0 stays and is also copied into row 1.
    for (; r >= 1; --r)
      if (w[At(c, r)] != kEmpty) w[At(c, r)] = w[At(c, r - 1)];
  }
}

bool StackTooHigh(const Well& w) {
  for (int c = 1; c <= 7; ++c)
    if (w[At(c, 3)] > kEmpty) return true;
  return false;
}

TopPlayers DesignTopPlayers() {
  TopPlayers t;
  t.names.fill("Morvel");
  t.cash.fill("0$");
  return t;
}

int RankOf(const TopPlayers& t, int32_t money, const std::function<double(const std::string&)>& cashValue) {
  for (int i = 0; i < 5; ++i)
    if (money >= cashValue(t.cash[i])) return i;
  return 5;
}

void InsertAt(TopPlayers& t, int rank, const std::string& name, const std::string& cash) {
  if (rank < 0 || rank > 4) return;
  for (int i = 4; i > rank; --i) {
    t.names[i] = t.names[i - 1];
    t.cash[i] = t.cash[i - 1];
  }
  t.names[rank] = name;
  t.cash[rank] = cash;
}

void ReadTable(TopPlayers& t, const std::vector<std::string>& lines) {
  for (size_t i = 0; i < 10 && i < lines.size(); ++i) (i % 2 == 0 ? t.names : t.cash)[i / 2] = lines[i];
}

std::vector<std::string> TableLines(const TopPlayers& t) {
  std::vector<std::string> out;
  for (int i = 0; i < 5; ++i) {
    out.push_back(t.names[i]);
    out.push_back(t.cash[i]);
  }
  return out;
}

std::string CleanName(std::string name) {
  std::erase_if(name, [](char ch) { return ch == '\r' || ch == '\n'; });
  return name;
}

}  // namespace lobbo

#include "lobbo.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "hiscore.h"
#include "mdi_form.h"
#include "pack_fn.h"
#include "rt/dispatch.h"
#include "rt/files.h"
#include "rt/host.h"
#include "rt/numbers.h"
#include "rt/random.h"

namespace falling {

using namespace lobbo;

namespace {

// Window design, pixels.
constexpr int kFormWidth = 536, kFormHeight = 436;
constexpr int kWellLeft = 8, kWellTop = 8;
constexpr int kWellWidth = 7 * kCellPixels, kWellHeight = 13 * kCellPixels;  // 224 x 416
constexpr int kPanelLeft = 248, kPanelWidth = 280;
constexpr int kPreviewSlot = 352;  // twips
// The fall draws at most this often; the ticks in between are worked when it wakes.
constexpr double kFrameMicros = 8000;

constexpr rt::Color kWindowColour = rt::RGB(214, 222, 236);
constexpr rt::Color kWellColour = rt::RGB(28, 34, 52);
constexpr rt::Color kInk = rt::RGB(20, 36, 92);

rt::Font font(double size, bool bold = false) { return rt::Font{"Tahoma", size, bold, false, false}; }

}  // namespace

VPK_GAME_WINDOW(Form23);

Form23::Form23(const shell::GameEntry& entry)
    : shell::GameWindow(entry, kFormWidth * rt::kTwipsPerPixel, kFormHeight * rt::kTwipsPerPixel) {}

// ------------------------------------------------------------------------------------- load

void Form23::Form_Load() {
  BackColor = kWindowColour;
  KeyPreview = true;
  PartialRepaint = true;  // the falling blocks move many times a second
  rt::Form::Form_KeyDown = [this](int& code, int shift) { Form_KeyDown(code, shift); };
  rt::Form::Form_KeyUp = [this](int& code, int shift) { Form_KeyUp(code, shift); };

  addPlayMenu();
  o2 = &menu("o2", "Options");
  ua = &o2->add("ua", "Use arrow keys for moving instead of mouse");
  ua->Click = [this] { ua_Click(); };
  o21 = &o2->add("o21", "Hide next");
  o21->Click = [this] { o21_Click(); };
  o22 = &o2->add("o22", "Starting level");
  for (int i = 0; i < 10; ++i) {
    rt::MenuItem& item = o22->add("o221", "Level " + std::to_string(i + 1), i);
    item.ClickIndexed = [this](int index) { o221_Click(index); };
  }
  o22->find("o221", 0)->setChecked(true);
  addHomePageMenu();

  for (int k = 0; k < kBlockPictures; ++k) slika[k] = ownPicture("block" + std::to_string(k + 1));
  layOut();
  exposeGameState();
  redrawState = [this] {
    DrawWell();
    showMoney();
    PlaceDio();
  };

  // The window's own copy of the data folder: made again when it has gone since the start.
  dataFolder_ = shell::frameForm().DataFolder;
  if (!dataFolder_.empty() && !rt::hasNormalFiles(dataFolder_)) rt::makeDirectory(dataFolder_);
  LoadTopPlayers();
  Dio.Load(1);
  Dio.Load(2);
  startLevel = 1;
  BlockMask = lobbo::BlockMask();
  rt::Randomize();
  ResetWell();
}

void Form23::layOut() {
  Picture1 = &add<rt::PictureBox>("Picture1");
  Picture1->Move(kWellLeft, kWellTop, kWellWidth + 4, kWellHeight + 4);
  Picture1->setBackColor(kWellColour);
  Picture1->ScaleModeValue = rt::kPixels;
  Picture1->MouseDown = [this](int b, int s, float x, float y) { Picture1_MouseDown(b, s, x, y); };

  Dio.init(this, "Dio");
  rt::PictureBox& first = Dio.create(0, Picture1);
  first.setBorderStyle(0);
  first.Move(0, -kCellPixels, kCellPixels, kCellPixels);
  first.setVisible(false);
  first.ScaleModeValue = rt::kPixels;
  // A click on a falling block counts as a click on the well under it.
  Dio.bind([this](rt::PictureBox& d, int) {
    d.MouseDown = [this, &d](int b, int s, float x, float y) {
      Picture1_MouseDown(b, s, x + static_cast<float>(d.Left()), y + static_cast<float>(d.Top()));
    };
  });

  Picture6 = &add<rt::PictureBox>("Picture6");
  Picture6->setBorderStyle(0);
  Picture6->setBackColor(kWindowColour);
  Picture6->Move(kPanelLeft, kWellTop, 200, 56);
  Picture6->setPicture(ownPicture("banner"));

  Picture7 = &add<rt::PictureBox>("Picture7");
  Picture7->Move(kPanelLeft + kPanelWidth - 28, kWellTop, 28, 75);
  Picture7->setBackColor(kWellColour);

  auto label = [this](const char* name, rt::Control* in, int x, int y, int w, int h, const std::string& caption,
                      const rt::Font& f) { return &addText(name, caption, {x, y, w, h}, {f, kInk}, in); };
  lova = label("lova", nullptr, kPanelLeft, 94, 120, 24, "0$", font(14, true));
  levime = label("levime", nullptr, kPanelLeft + 140, 96, 56, 22, "Level:", font(11, true));
  lev = label("lev", nullptr, kPanelLeft + 196, 96, 40, 22, "  1", font(11, true));
  Label1 = label("Label1", nullptr, kPanelLeft, 124, kPanelWidth, 64,
                 "Remove (at least 3) same blocks (A to F, or a joker) attached horizontally, vertically or "
                 "diagonally. The help are ladders, heart and a bomb.",
                 font(9));
  Label1->WordWrap = true;
  Label2 = label("Label2", nullptr, kPanelLeft, 190, kPanelWidth, 48,
                 "The only control that you need is a mouse. Left mouse button selects the column and right "
                 "shifts the blocks internally.",
                 font(9));
  Label2->WordWrap = true;

  Frame5 = &add<rt::FrameBox>("Frame5");
  Frame5->setCaption("Top players");
  Frame5->setFont(font(9, true));
  Frame5->setForeColor(kInk);
  Frame5->setBackColor(kWindowColour);
  Frame5->Move(kPanelLeft, 244, kPanelWidth, 128);
  topime.init(this, "topime");
  topcash.init(this, "topcash");
  for (int i = 0; i < 5; ++i) {
    rt::Label& name = topime.create(i, Frame5);
    rt::Label& cash = topcash.create(i, Frame5);
    for (rt::Label* l : {&name, &cash}) {
      l->BackStyle = 0;
      l->setFont(font(9));
      l->setForeColor(rt::kBlack);
    }
    name.Move(12, 22 + 20 * i, 176, 18);
    name.setCaption("Morvel");
    cash.Move(192, 22 + 20 * i, 76, 18);
    cash.Alignment = rt::kRightJustify;
    cash.setCaption("0$");
  }

  ime = &add<rt::TextBox>("ime");
  ime->setFont(font(9));
  ime->Move(kPanelLeft, 386, 160, 24);
  ime->setText("YourName");

  Command1 = &addButton("Command1", "Continue", {kPanelLeft + kPanelWidth - 104, 386, 104},
                        [this] { Command1_Click(); });
}

void Form23::exposeGameState() {
  // The walls and the floor stay walls; a playing cell is empty, a kind or a mark, but the top
  // row never holds a mark: nothing removes one there, and each collapse would copy it down
  // again for ever.
  const auto playing = [](size_t i) {
    const int x = static_cast<int>(i) % kCols, y = static_cast<int>(i) / kCols;
    return x >= 1 && x <= 7 && y <= kLastRow;
  };
  exposeArray("Board", Board, [playing](size_t i) {
    if (!playing(i)) return rt::Spans{{kWall, kWall}};
    return rt::Spans{{kEmpty, i < static_cast<size_t>(kCols) ? kSpecialBlock : kLineMark}};
  });
  // Only playing cells are marked, in lines and in collapses.
  exposeArray("fallMark", fallMark, [playing](size_t i) { return playing(i) ? rt::Spans{{-1, 0}} : rt::Spans{{0, 0}}; });
  // A piece has one to three blocks of the kinds 1..7 or is one special; 0 is no block, in the
  // entries past a shorter piece and in all three before the first piece is drawn.
  const rt::Spans kinds{{kEmpty, kBomb}}, lengths{{0, 2}};
  exposeArray("pieceKinds", piece.kinds, kinds);
  exposeScalar("pieceLength", piece.length, lengths);
  exposeArray("nextKinds", next.kinds, kinds);
  exposeScalar("nextLength", next.length, lengths);
  // The piece's cell follows its pixels at every tick of the fall; its pixels run from column 1
  // to 7 and from above the well (three blocks) down to the last row.
  exposeReadOnly("pieceX", fall.pieceX);
  exposeReadOnly("pieceY", fall.pieceY);
  exposeScalar("pixelX", fall.pixelX, {{0, 6 * kCellPixels}});
  exposeScalar("pixelY", fall.pixelY, {{-3 * kCellPixels, kLastRow * kCellPixels}});
  exposeScalar("steerDirection", fall.steerDirection, {{0, 2}});  // none, left, right
  exposeScalar("moveRequest", fall.moveRequest, {{-1, 1}});
  exposeScalar("slideStep", fall.slideStep, {{-1, 1}});
  exposeScalar("targetColumn", fall.targetColumn, {{1, 7}, {kNoTarget, kNoTarget}});
  exposeScalar("keyFlags", keyFlags, {{0, 3}});  // left and right arrow bits
  exposeScalar("upHeld", upHeld, {{0, 1}});
  exposeScalar("level", level, {{1, kMaxLevel}});
  exposeScalar("startLevel", startLevel, {{1, kMaxLevel}});
  exposeScalar("money", money, {{0, rt::kMostCount}});
  exposeScalar("stopPlay", stopPlay, {{0, 1}});
  exposeScalar("gameEnded", gameEnded, {{0, 1}});
  // None, or the sound of a line (1), a bomb (2), a ladder (3) or a heart (5).
  exposeScalar("effectSound", effectSound, {{-1, -1}, {1, 3}, {5, 5}});
}

void Form23::ResetWell() {
  lobbo::ResetWell(Board);
  for (auto& [i, d] : Dio.items()) {
    d->setVisible(false);
    d->setBorderStyle(0);
  }
  level = startLevel;
  ime->setEnabled(true);
  lev->setCaption(rt::Plain(level));
  money = 0;
  showMoney();
  Picture1->Cls();
  Command1->setVisible(true);
}

void Form23::showMoney() { lova->setCaption(rt::Money(money)); }

// ------------------------------------------------------------------------------------- input

void Form23::Command1_Click() {
  if (playing_) return;
  Command1->setVisible(false);
  keyFlags = 0;
  upHeld = 0;
  o22->setEnabled(false);
  ua->setEnabled(false);
  ime->setEnabled(false);
  if (focus() == ime) setFocusControl(nullptr);  // no caret left in the locked name box
  DrawNext();
  PlayLoop();
}

void Form23::o21_Click() {
  o21->setChecked(!o21->Checked());
  Picture7->setVisible(!o21->Checked());
}

void Form23::o221_Click(int Index) {
  for (int i = 0; i < 10; ++i) o22->find("o221", i)->setChecked(i == Index);
  startLevel = static_cast<int16_t>(Index + 1);
  level = startLevel;
}

void Form23::ua_Click() { ua->setChecked(!ua->Checked()); }

void Form23::Picture1_MouseDown(int Button, int /*Shift*/, float X, float /*Y*/) {
  if (ua->Checked()) return;
  if (Button == 1) {
    fall.targetColumn = static_cast<int16_t>(std::clamp(static_cast<int>(rt::Int(X / kCellPixels)) + 1, 1, 7));
  } else if (Button == 2 && piece.length > 0) {
    CyclePiece();
  }
}

void Form23::Form_KeyDown(int& KeyCode, int /*Shift*/) {
  if (!ua->Checked()) return;
  if (KeyCode == 38 && fall.pieceY >= 1) upHeld |= 1;
  if (KeyCode == 37 && fall.pieceX >= 1) keyFlags |= 1;
  if (KeyCode == 39 && fall.pieceX < 7) keyFlags |= 2;
  // While up is held every key-down, its own auto-repeat included, cycles the blocks once.
  if (upHeld == 1 && piece.length > 0) CyclePiece();
}

void Form23::Form_KeyUp(int& KeyCode, int /*Shift*/) {
  if (!ua->Checked()) return;
  if (KeyCode == 38) upHeld &= ~1;
  if (KeyCode == 37) keyFlags &= ~1;
  if (KeyCode == 39) keyFlags &= ~2;
}

void Form23::CyclePiece() {
  Cycle(piece);
  ShowPiece();
}

// ------------------------------------------------------------------------------------- pieces

void Form23::DrawNext() {
  next = DrawPiece(rt::Rnd);
  ShowNext();
}

void Form23::ShowNext() {
  // Drawn also while hidden, so that showing it again shows the right piece.
  Picture7->Cls();
  const int slot = rt::twi(kPreviewSlot);
  for (int j = 0; j <= next.length; ++j)
    Picture7->PaintPicture(slika[next.kinds[j] - 1], 0, rt::twi((j + 2 - next.length) * kPreviewSlot), slot, slot);
}

void Form23::ShowPiece() {
  for (int i = 0; i <= piece.length; ++i) Dio(i).setPicture(slika[std::clamp<int>(piece.kinds[i], 1, 14) - 1]);
}

void Form23::PlaceDio() {
  for (int i = 0; i <= fall.length && i < 3; ++i)
    Dio(i).Move(fall.pixelX, fall.pixelY + kCellPixels * i - 4, kCellPixels, kCellPixels);
}

// ------------------------------------------------------------------------------------- play

void Form23::PlayLoop() {
  playing_ = true;
  stopPlay = false;
  level = startLevel;
  lev->setCaption(rt::Plain(level));
  gameEnded = false;
  while (!stopPlay) {
    piece = next;
    fall = StartFall(piece.length);
    ShowPiece();
    for (int i = 0; i < 3; ++i) Dio(i).setVisible(i <= piece.length);
    PlaceDio();
    DrawNext();
    const bool landed = FallPiece();
    if (!landed) break;
    for (int i = 0; i <= piece.length; ++i) {
      Dio(i).setVisible(false);
      Picture1->PaintPicture(Dio(i).Picture(), fall.pixelX, fall.pixelY + kCellPixels * i);
    }
    Land(Board, fall, piece);
    ResolveLanding(piece.length == 0, fall.pieceX, fall.pieceY);
  }
  playing_ = false;
  if (!gameEnded) ResetWell();
}

bool Form23::FallPiece() {
  // The piece moves one pixel per tick at the level's pace. The loop sleeps between frames and
  // works every tick that has fallen due when it wakes, so the pace holds however late it wakes;
  // events that wake it sooner (steering) are handled without drawing a frame. Times are whole
  // counts of the clock from the start of the fall, the counts it compares being the counts it
  // sleeps to: a sleep that reaches one always lets the loop go on.
  shell::PerformanceTimer& timer = *shell::frameForm().PerfTimer;
  const double countsPerMicro = static_cast<double>(timer.frequency()) / 1e6;
  const auto counts = [countsPerMicro](double micros) { return static_cast<int64_t>(std::ceil(micros * countsPerMicro)); };
  const int64_t frameCounts = counts(kFrameMicros);
  timer.StartTimer();
  double due = 0;                  // microseconds from the start of the fall to the next tick
  int64_t nextFrame = 0;           // the earliest count of the next frame
  std::optional<int64_t> landing;  // the count at which the landing tick's time has passed
  for (;;) {
    timer.StopTimer();
    const int64_t now = timer.ElapsedCounts().value_or(0);
    if (landing && now >= *landing) return true;
    if (!landing && now >= nextFrame && counts(due) <= now) {
      bool landed = false;
      while (counts(due) <= now && !landed) {
        landed = FallTick(Board, fall, ua->Checked(), keyFlags);
        due += PixelMicros(level);
      }
      PlaceDio();
      nextFrame = now + frameCounts;
      // The landing tick, as every tick, lets its pixel's time pass before the piece is in the
      // well: a piece that lands at once (on a block written above the well) still takes time.
      if (landed) {
        landing = counts(due);
        if (now >= *landing) return true;
      }
    }
    if (stopPlay) return false;
    rt::SleepAbout(timer.startCount() + timer.overhead() + (landing ? *landing : std::max(counts(due), nextFrame)));
    if (stopPlay) return false;
  }
}

void Form23::ResolveLanding(bool single, int x, int y) {
  effectSound = -1;
  if (single && y >= 0 && Cell(Board, x, y) >= kSpecialBlock) {
    effectSound = static_cast<int16_t>(ApplySpecial(Board, x, y));
    DrawWell();
  }
  bool soundPlayed = false;
  bool collapsed = false;
  do {
    fallMark.fill(0);
    FindLines(Board, BlockMask, fallMark);
    if (RemoveMarked(Board, fallMark, money, level) > 0) {
      effectSound = 1;
      showMoney();
      lev->setCaption(rt::Plain(level));
    }
    if (!stopPlay) DrawWell();
    fallMark.fill(0);
    if (effectSound > 0 && !soundPlayed) PlayLobboSound(effectSound);
    soundPlayed = true;
    collapsed = FlagCollapse(Board, fallMark);
    if (collapsed && !stopPlay) {
      for (int step = 1; step <= kCellPixels; ++step) {
        shell::TimedStep(5, [&] {
          Picture1->Cls();
          for (int pass = 0; pass < 2; ++pass)
            for (int r = 0; r <= kLastRow; ++r)
              for (int c = 1; c <= 7; ++c) {
                const int16_t v = Board[At(c, r)];
                const bool sliding = fallMark[At(c, r)] == -1;
                if (v < 1 || v > kBlockPictures || sliding != (pass == 0)) continue;
                Picture1->PaintPicture(slika[v - 1], (c - 1) * kCellPixels, r * kCellPixels + (sliding ? step : 0));
              }
        });
      }
      Collapse(Board);
    }
  } while (collapsed && !stopPlay);
  DrawWell();
  if (StackTooHigh(Board) && !stopPlay) {
    PlayLobboSound(4);
    stopPlay = true;
    gameEnded = true;
    AddTopPlayer();
  }
}

void Form23::DrawWell() {
  Picture1->Cls();
  for (int r = 0; r <= kLastRow; ++r)
    for (int c = 1; c <= 7; ++c) {
      const int16_t v = Board[At(c, r)];
      if (v >= 1 && v <= kBlockPictures) Picture1->PaintPicture(slika[v - 1], (c - 1) * kCellPixels, r * kCellPixels);
    }
}

void Form23::PlayLobboSound(int n) {
  if (stopPlay) return;
  shell::PlaySoundNo(static_cast<int16_t>(n));
}

// ------------------------------------------------------------------------------------- top players

std::string Form23::topPlayersPath() const { return dataFolder_ + "Lobbo.nrz"; }

TopPlayers Form23::table() const {
  TopPlayers t;
  for (int i = 0; i < 5; ++i) {
    t.names[i] = topime(i).Caption();
    t.cash[i] = topcash(i).Caption();
  }
  return t;
}

void Form23::showTable(const TopPlayers& t) {
  for (int i = 0; i < 5; ++i) {
    topime(i).setCaption(t.names[i]);
    topcash(i).setCaption(t.cash[i]);
  }
}

void Form23::LoadTopPlayers() {
  const rt::FileLines file = rt::readLines(topPlayersPath(), 10);
  if (file.state == rt::FileLines::State::kMissing) {
    SaveTopPlayers(nullptr);
  } else if (file.state == rt::FileLines::State::kRead) {
    TopPlayers t = table();
    ReadTable(t, file.lines);
    showTable(t);
  }
}

void Form23::SaveTopPlayers(const std::function<bool(TopPlayers&)>& enter) {
  // Under the file's lock, the table as it stands in the file now (another pack may have written
  // its results since this window read it; lines the file lacks come from the labels). A file
  // that is there but cannot be read is left as it is. Without a result to enter (the window's
  // load found no file), a file that another pack has made meanwhile is read, not written.
  // Called again when the save stalled and lost its lock: each call starts from the labels.
  TopPlayers t = table();
  const rt::SaveResult saved = rt::updateLines(topPlayersPath(), 10, [&](rt::FileLines& file) {
    t = table();
    if (file.state == rt::FileLines::State::kRead) ReadTable(t, file.lines);
    if (!enter && file.state != rt::FileLines::State::kMissing) return false;
    const bool entered = enter && enter(t);
    // A result that entered nowhere changes nothing in a file that holds the whole table.
    if (!entered && file.state == rt::FileLines::State::kRead && file.lines == TableLines(t)) return false;
    file.lines = TableLines(t);
    return true;
  });
  showTable(t);
  // Only a game's result is the player's own save; a file the window could not make at its load
  // is told of when a result cannot be saved either.
  if (enter) shell::TellSaveResult(topPlayersPath(), saved, "The top players");
}

void Form23::AddTopPlayer() {
  SaveTopPlayers([this](TopPlayers& t) {
    const int rank = RankOf(t, money, [](const std::string& cash) { return rt::Val(cash); });
    if (rank < 5) InsertAt(t, rank, CleanName(ime->Text()), lova->Caption());
    return rank < 5;
  });
}

}  // namespace falling

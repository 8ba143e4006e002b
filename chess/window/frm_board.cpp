#include "frm_board.h"

#include <cmath>
#include <string>
#include <vector>

#include "ctrl_panel.h"
#include "pack_fn.h"
#include "rt/dispatch.h"
#include "rt/host.h"

namespace chess {

namespace {

// Stands in for a window while none is open, so that the engine never calls a closed one.
class NoWindow final : public EngineHost {
 public:
  void BeginThinking() override {}
  void EndThinking() override {}
  void ShowProgress(int, int) override {}
  void ShowComputerMove(int) override {}
  int CheckedPromotionItem() override { return 3; }
  bool Difficult() override { return false; }
  void PumpMessages() override {}
  void MsgBox(std::string_view) override {}
};

NoWindow& noWindow() {
  static NoWindow host;
  return host;
}

FrmBoard* attachedWindow = nullptr;

// The window surface: the board is copied onto it, and the pointer passes through it to the
// window's own mouse handlers.
class WindowSurface final : public rt::PictureBox {
 public:
  using rt::PictureBox::PictureBox;
  bool mouseTransparent() const override { return true; }
};

constexpr rt::Color kIndicator = rt::RGB(128, 255, 128);

const char* const kHelpText =
    "  Velk Chess is a freeware, first released in 2009. You can play it versus computer only."
    " Simple interface also provides quick keyboard shortcuts for moves. You can easily adjust computer strength."
    "You can also download my standalone free game 'Orrin Chess' from my homepage. Orrin Chess is much better."
    "\r"
    "  Good luck. Have a fun."
    "\r";

}  // namespace

ChessEngine& Engine() {
  static ChessEngine engine(noWindow());
  return engine;
}

VPK_GAME_WINDOW(FrmBoard);

// The window holds the board with its coordinates (292 x 292) and the toolbar below it,
// nothing more: 292 x 319 pixels.
constexpr int kWidth = 292, kHeight = 319;
constexpr int kTwipsPerPixel = 15;

FrmBoard::FrmBoard(const shell::GameEntry& entry)
    : GameWindow(entry, kWidth * kTwipsPerPixel, kHeight * kTwipsPerPixel) {}

FrmBoard::~FrmBoard() {
  if (attachedWindow == this) {
    Engine().SetHost(noWindow());
    attachedWindow = nullptr;
  }
}

void FrmBoard::Form_Load() {
  ScaleModeValue = rt::kPixels;
  buildMenus();
  buildControls();
  buildHelpPanel(HelpPanelLayout{.panel = "Picture1",
                                 .label = "Label1",
                                 .button = "ctrl_SkinableButton1",
                                 .width = kWidth,
                                 .height = kHeight,
                                 .textWidth = kWidth - 32,
                                 .textHeight = kHeight - 70,
                                 .buttonLeft = (kWidth - 81) / 2,
                                 .buttonTop = kHeight - 40},
                 kHelpText);
  Picture4(0).setVisible(true);
  Picture4(1).setVisible(false);

  rt::Form::Form_MouseDown = [this](int button, int shift, float x, float y) { Form_MouseDown(button, shift, x, y); };
  rt::Form::Form_MouseMove = [this](int button, int shift, float x, float y) { Form_MouseMove(button, shift, x, y); };
  rt::Form::Form_MouseUp = [this](int button, int shift, float x, float y) { Form_MouseUp(button, shift, x, y); };

  Engine().SetHost(*this);
  attachedWindow = this;
  panel_ = std::make_unique<CtrlPanel>(*this);
  panel_->Load();
  EndThinking();
  exposeGameState();
}

void FrmBoard::Form_Unload() {
  if (panel_) panel_->Unload();
}

void FrmBoard::buildMenus() {
  addPlayMenu();

  rt::MenuItem& game = menu("FileMenu", "Game");
  int i = 0;
  for (const char* caption : {"New Game as White", "New Game as Black"})
    game.add("SubFileMenu", caption, i++).ClickIndexed = [this](int index) { SubFileMenu_Click(index); };

  rt::MenuItem& moves = menu("MovesMenu", "Moves");
  const char* captions[6] = {"Back up one move", "Forward one move", "Back to start", "Forward to end", "-",
                             "Move now"};
  const char* shortcuts[6] = {"Ctrl+B", "Ctrl+F", "Ctrl+S", "Ctrl+E", "", "Ctrl+M"};
  for (i = 0; i < 6; ++i) {
    rt::MenuItem& item = moves.add("SubMovesMenu", captions[i], i);
    if (*shortcuts[i]) item.setShortcut(shortcuts[i]);
    item.ClickIndexed = [this](int index) { SubMovesMenu_Click(index); };
  }

  rt::MenuItem& options = menu("ededeeede", "Options");
  options.add("difficult", "Difficult computer strength").Click = [this] { difficult_Click(); };
  rt::MenuItem& promote = options.add("edeeded", "Promote next pawn to");
  i = 0;
  for (const char* caption : {"Knight", "Bishop", "Rook", "Queen"})
    promote.add("pprom", caption, i++).ClickIndexed = [this](int index) { pprom_Click(index); };
  promote.find("pprom", 3)->setChecked(true);

  addHelpMenu("hlp", "Help");
  addHomePageMenu();
}

void FrmBoard::buildControls() {
  Surface = &add<WindowSurface>("Surface");
  Surface->setBorderStyle(0);
  Surface->Move(0, 0, 292, 292);
  Surface->setBackColor(rt::RGB(89, 0, 0));

  // The progress bar lies on the board's lower frame.
  Label34 = &add<rt::Label>("Label34", Surface);
  Label34->Move(144, 280, 100, 3);
  Label34->setBackColor(rt::RGB(192, 192, 192));
  Shape4 = &add<rt::Shape>("Shape4", Surface);
  Shape4->Move(144, 280, 0, 3);
  Shape4->FillStyle = 0;
  Shape4->FillColor = rt::RGB(0, 0, 160);
  Shape4->BorderColor = rt::RGB(0, 0, 160);
  Shape4->setVisible(false);

  Picture4.init(this, "Picture4");
  for (auto [index, x, y] : {std::array<int, 3>{0, 277, 260}, {1, 275, 24}}) {
    rt::PictureBox& box = Picture4.create(index);
    box.setBorderStyle(0);
    box.Move(x, y, 9, 9);
    box.setBackColor(kIndicator);
  }

  Picture23343 = &add<rt::PictureBox>("Picture23343");
  Picture23343->setBorderStyle(0);
  Picture23343->Move(18, 297, 2 + 5 * 18, 20);
  const char* tips[5] = {"Back to start", "Back up one move", "Forward one move", "Forward to end", "Move now"};
  poke.init(this, "poke");
  for (int i = 0; i < 5; ++i) {
    rt::ImageBox& button = poke.create(i, Picture23343);
    button.Move(2 + 18 * i, 2, 16, 16);
    const std::string path = ":/pictures/FrmBoard/poke" + std::to_string(i) + ".png";
    button.setPicture(rt::loadPicture(path.c_str(), {"FrmBoard.poke", i}));
    button.ToolTipText = tips[i];
  }
  poke.bind([this](rt::ImageBox& button, int index) { button.Click = [this, index] { poke_Click(index); }; });
}

void FrmBoard::exposeGameState() {
  auto value = [this](const std::string& name, std::function<long long()> get) {
    exposeState(name, {[get] { return std::vector<long long>{get()}; }, nullptr, false, {}});
  };
  exposeState("DisplayBoard", {[this] {
                                 std::vector<long long> out;
                                 for (int row = 1; row <= 8; ++row)
                                   for (int col = 1; col <= 8; ++col) out.push_back(DisplayBoard(col, row));
                                 return out;
                               },
                               nullptr, true, {}});
  exposeState("MoveList", {[] {
                             ChessEngine& e = Engine();
                             std::vector<long long> out;
                             for (int k = 1; k <= e.LastPly(); ++k)
                               out.push_back(chessui::MoveCode(
                                   chessui::DisplayFromEngine(e.MoveHistory(k - 1), e.HumanIsWhite()),
                                   chessui::DisplayFromEngine(e.MoveHistory(k), e.HumanIsWhite())));
                             return out;
                           },
                           nullptr, true, {}});
  value("ShownPly", [] { return Engine().ShownPly(); });
  value("LastPly", [] { return Engine().LastPly(); });
  value("GameOverFlag", [] { return Engine().GameOverFlag(); });
  value("HumanIsWhite", [this] { return HumanIsWhite; });
  value("BlackToMove", [this] { return BlackToMove; });
  value("ThinkingFlag", [this] { return ThinkingFlag; });
  value("BoardRotated", [this] { return BoardRotated; });
  value("SelCol", [this] { return panel_->SelCol; });
  value("SelRow", [this] { return panel_->SelRow; });
  value("LastMoveCol", [this] { return LastMoveCol; });
  value("LastMoveRow", [this] { return LastMoveRow; });
  value("DragCode", [this] { return panel_->DragCode; });
  value("Progress", [this] { return Shape4->Visible() ? Shape4->Width() : 0; });
}

// ---------------------------------------------------------------- menus and toolbar

bool FrmBoard::Busy() const { return ThinkingFlag || panel_->TabBusy || panel_->EngineBusy; }

void FrmBoard::SubFileMenu_Click(int index) {
  if (Busy()) {
    rt::host().beep();
    return;
  }
  panel_->EngineBusy = true;
  if (index == 0) {
    if (!HumanIsWhite) {
      HumanIsWhite = true;
      rotate_board();
    }
    panel_->NewGame();
  } else {
    if (HumanIsWhite) {
      HumanIsWhite = false;
      rotate_board();
    }
    panel_->NewGame();
    Engine().ComputerMove();  // White opens
  }
  panel_->EngineBusy = false;
}

void FrmBoard::SubMovesMenu_Click(int index) {
  if (Busy()) {
    rt::host().beep();
    return;
  }
  for (int i = 0; i < 6; ++i) movesItem(i).setChecked(i == index);
  switch (index) {
    case 0: panel_->MoveTAB(2); break;
    case 1: panel_->MoveTAB(3); break;
    case 2: panel_->MoveTAB(1); break;
    case 3: panel_->MoveTAB(4); break;
    case 5:
      if (BlackToMove == HumanIsWhite) Engine().ComputerMove();
      break;
    default: break;
  }
}

void FrmBoard::poke_Click(int index) {
  static constexpr int kItem[5] = {2, 0, 1, 3, 5};
  if (index >= 0 && index < 5) SubMovesMenu_Click(kItem[index]);
}

void FrmBoard::difficult_Click() {
  if (Busy()) {
    rt::host().beep();
    return;
  }
  rt::MenuItem* item = findMenu("difficult");
  item->setChecked(!item->Checked());
}

void FrmBoard::pprom_Click(int index) {
  for (int i = 0; i < 4; ++i) findMenu("pprom", i)->setChecked(i == index);
}

void FrmBoard::igrica_Click(int Index) {
  if (Busy()) {
    rt::host().beep();
    return;
  }
  GameWindow::igrica_Click(Index);
}

// ---------------------------------------------------------------- mouse

void FrmBoard::Form_MouseDown(int button, int shift, float x, float y) {
  bool outside = false;
  BoardBorder(x, y, outside);
  if (button == 2 && outside) return;
  if (button == 2 && panel_->SelCol != 0) {
    panel_->SelCol = 0;
    panel_->CancelPieceSel();
    return;
  }
  panel_->ClickOnBoard(button, shift, x, y, 0);
}

void FrmBoard::Form_MouseMove(int button, int shift, float x, float y) {
  panel_->CurrentX = x;
  panel_->CurrentY = y;
  panel_->DragStep();
}

void FrmBoard::Form_MouseUp(int button, int shift, float x, float y) {
  CtrlPanel& p = *panel_;
  const bool dragging = p.DragCode != 0;
  if (p.SelCol != 0) {
    p.DragPrevX = p.DragPrevY = 0;
    p.DragCode = 0;
    p.ClickOnBoard(button, shift, x, y, 1);
  } else {
    p.DragCode = 0;  // a drag whose selection a move-list step dropped ends here too
  }
  if (dragging) p.RedrawChessBoard();
}

// ---------------------------------------------------------------- procedures

void FrmBoard::oznaci(bool humanToMove) {
  Picture4(0).setVisible(humanToMove);
  Picture4(1).setVisible(!humanToMove);
}

void FrmBoard::rotate_board() {
  BoardRotated = !BoardRotated;
  panel_->DrawCoordinates();
  panel_->RedrawChessBoard();
}

void FrmBoard::BoardBorder(float x, float y, bool& outside) const {
  if (panel_->DragCode != 0) {
    outside = false;
    return;
  }
  outside = std::fabs(x - 219) >= 200 || std::fabs(y - 216) >= 200;
}

bool FrmBoard::HumanMoveInput(int x, int y) {
  const int n = chessui::HumanSquareNumber(x, y, HumanIsWhite);
  if (MoveInputState == 0) {
    MoveInputFrom = n;
    MoveInputState = 1;
    return true;
  }
  MoveInputState = 0;
  if (n == MoveInputFrom) return false;
  return Engine().TryHumanMove(MoveInputFrom, n);
}

// ---------------------------------------------------------------- the engine's callbacks

void FrmBoard::BeginThinking() {
  movesItem(5).setEnabled(false);
  BlackToMove = HumanIsWhite;
  ThinkingFlag = true;
  oznaci(false);
}

void FrmBoard::EndThinking() {
  ChessEngine& engine = Engine();
  ThinkingFlag = false;
  BlackToMove = !HumanIsWhite;
  movesItem(5).setEnabled(true);
  GameOverPly = engine.GameOverFlag() ? engine.LastPly() : -1;
  oznaci(!engine.GameOverFlag());
}

void FrmBoard::ShowProgress(int n, int total) {
  rt::DoEvents();
  const int width = total == 0 ? 0 : static_cast<int>(std::floor(static_cast<double>(n) / total * 100)) + 1;
  Shape4->setWidth(width);
  Shape4->setVisible(width > 0);
}

void FrmBoard::ShowComputerMove(int mode) {
  const EngineBoard& root = Engine().Root();
  int fromX = 0, fromY = 0, toX = 0, toY = 0, toCode = 0;
  for (int r = 8; r >= 1; --r) {
    for (int c = 1; c <= 8; ++c) {
      const int code = chessui::CodeOfEngineValue(root(c, r), HumanIsWhite);
      if (code < 0) continue;
      int x, y;
      chessui::EngineToDisplay(c, r, HumanIsWhite, x, y);
      if (mode == 1) {
        DisplayBoard(x, y) = static_cast<uint8_t>(code);
      } else if (mode == 0) {
        if (code == 0 && DisplayBoard(x, y) != 0 && fromX == 0) {
          fromX = x;
          fromY = y;
        }
        if (code != 0 && code != DisplayBoard(x, y) && toX == 0) {
          toX = x;
          toY = y;
          toCode = code;
        }
      }
    }
  }
  if (mode == 0) {
    if (fromX == 0 || toX == 0) return;
    panel_->SelCol = static_cast<int16_t>(fromX);
    panel_->SelRow = static_cast<int16_t>(fromY);
    LastMoveCol = static_cast<uint8_t>(toX);
    LastMoveRow = static_cast<uint8_t>(toY);
    DisplayBoard(fromX, fromY) = 0;
    DisplayBoard(toX, toY) = static_cast<uint8_t>(toCode);
  }
  panel_->RedrawChessBoard();
}

int FrmBoard::CheckedPromotionItem() {
  for (int i = 0; i < 4; ++i)
    if (rt::MenuItem* item = findMenu("pprom", i); item && item->Checked()) return i;
  return 3;
}

bool FrmBoard::Difficult() {
  rt::MenuItem* item = findMenu("difficult");
  return item && item->Checked();
}

void FrmBoard::PumpMessages() { rt::DoEvents(); }

void FrmBoard::MsgBox(std::string_view text) { rt::host().messageBox(std::string(text), 0, "VantixPack"); }

}  // namespace chess

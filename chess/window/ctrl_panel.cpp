#include "ctrl_panel.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "frm_board.h"
#include "picture_library.h"
#include "rt/dispatch.h"
#include "rt/host.h"
#include "rt/random.h"

namespace chess {

namespace {
constexpr rt::Color kFrameColor = rt::RGB(89, 0, 0);
constexpr rt::Color kLightSquare = rt::RGB(255, 255, 192);
constexpr rt::Color kDarkSquare = rt::RGB(192, 64, 0);
// The coordinate letters stand on the dark frame; black text would vanish there.
constexpr rt::Color kLabelColor = rt::RGB(255, 255, 192);
}  // namespace

CtrlPanel::CtrlPanel(FrmBoard& board) : rt::Form("CtrlPanel", 4500, 4500), board_(board) {}

rt::PictureBox& CtrlPanel::hiddenBox(const char* name, int w, int h) {
  auto& box = add<rt::PictureBox>(name);
  box.setBorderStyle(0);
  box.Move(0, 0, w, h);
  box.setVisible(false);
  return box;
}

void CtrlPanel::Form_Load() {
  ScaleModeValue = rt::kPixels;
  Picture1 = &hiddenBox("Picture1", 300, 300);
  pquad2 = &hiddenBox("pquad2", geo.cellWidth, geo.cellHeight);
  pquad = &hiddenBox("pquad", geo.cellWidth, geo.cellHeight);
  pquad->setPicture(rt::loadPicture(":/pictures/CtrlPanel/pquad.png", {"CtrlPanel.pquad", -1}));
  const auto& library = shell::PictureLibrary::instance();
  o_ppic = &hiddenBox("o_ppic", 191, 64);
  o_ppic->AutoSize = true;
  o_ppic->setPicture(library.get("Rookwell.figure"));
  m_ppic = &hiddenBox("m_ppic", 191, 64);
  m_ppic->AutoSize = true;
  m_ppic->setPicture(library.get("CtrlPanel.m_ppic"));
  buf.init(this, "buf");
  rt::PictureBox& b0 = buf.create(0);
  b0.setBorderStyle(0);
  b0.AutoSize = true;
  b0.setBackColor(kFrameColor);
  b0.Move(0, 0, 300, 300);
  b0.setVisible(false);
  Intialize_Chess();
}

// ---------------------------------------------------------------- set-up, new game, move list

void CtrlPanel::Intialize_Chess() {
  LoadBoard_S();
  board_.StartFen = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";
  rt::Randomize();
  chessui::ReadFen(board_.StartFen, board_.DisplayBoard);
  buf.Load(1);
  buf.Load(2);
  ploca();
  DrawCoordinates();
  Bitmaps_LoadPieces();
  board_.HumanIsWhite = true;
  if (board_.BoardRotated) board_.rotate_board();
  NewGame();
}

void CtrlPanel::NewGame() {
  const bool wasBusy = EngineBusy;
  EngineBusy = true;
  ChessEngine& engine = Engine();
  engine.SetGameOverFlag(false);
  board_.GameOverPly = -1;
  board_.BlackToMove = !board_.HumanIsWhite;
  chessui::ReadFen(board_.StartFen, board_.DisplayBoard);
  SelCol = SelRow = 0;
  DragCode = 0;
  board_.LastMoveCol = board_.LastMoveRow = 0;
  engine.InitEngine(board_.HumanIsWhite);
  // The boxes still show how the last game stood (ended, or stepped back to the computer's turn).
  board_.oznaci(true);
  RedrawChessBoard();
  EngineBusy = wasBusy;
}

void CtrlPanel::MoveTAB(int mode) {
  if (TabBusy) return;
  TabBusy = true;
  ChessEngine& engine = Engine();
  const int shown = engine.ShownPly(), last = engine.LastPly();
  bool acted = false;
  auto show = [&](int ply) {
    engine.SetShownPly(ply);
    board_.RestorePosition();
    board_.BlackToMove = engine.ShownPly() % 2 == 1;
    acted = true;
  };
  switch (mode) {
    case 2:  // back up one move
      if (shown > 0) {
        int target = shown - 1;
        if (engine.GameOverFlag() && target > 0) {
          // The ply in which the computer found no move is dropped; play resumes before it.
          engine.SetLastPly(target);
          target -= 1;
          board_.GameOverPly = -1;
        }
        show(target);
        engine.SetGameOverFlag(false);
      }
      break;
    case 3:  // forward one move
      if (shown < last) show(shown + 1);
      break;
    case 1:  // back to start
      if (shown > 0) {
        engine.SetGameOverFlag(false);
        show(0);
        board_.BlackToMove = false;
      }
      break;
    case 4:  // forward to end
      if (shown < last) show(last);
      break;
    default:
      break;
  }
  if (acted) {
    // Showing the newest ply of an ended game shows it ended: the human may not move twice.
    const bool ended = board_.GameOverPly >= 0 && engine.ShownPly() == board_.GameOverPly;
    if (ended) engine.SetGameOverFlag(true);
    SelCol = SelRow = 0;
    board_.LastMoveCol = 0;
    board_.oznaci((board_.BlackToMove != board_.HumanIsWhite) && !ended);
    RedrawChessBoard();
  }
  TabBusy = false;
}

// ---------------------------------------------------------------- pointer

void CtrlPanel::ClickOnBoard(int button, int shift, float x, float y, int kind) {
  FrmBoard& b = board_;
  // A move-list step, a new game and a move being handed over pump while they draw: the board
  // waits for them as for a search.
  if (b.ThinkingFlag || Engine().GameOverFlag() || b.BlackToMove == b.HumanIsWhite || TabBusy || EngineBusy) return;
  if (button == 2) {
    DragCode = 0;
    SelCol = SelRow = 0;
    RedrawChessBoard();
    return;
  }
  int col = static_cast<int>(std::floor((x - geo.border) / geo.square + 1));
  int row = static_cast<int>(std::floor((y - geo.border) / geo.square + 1));
  if (b.BoardRotated) {
    col = 9 - col;
    row = 9 - row;
  }
  if (chessui::IsOffBoard(col, row)) return;

  const int t = b.DisplayBoard(col, row);
  const bool selection = SelCol != 0 && b.DisplayBoard(SelCol, SelRow) != 0;
  if (t == 0 && (!selection || SelRow == 0)) return;
  if (!selection && chessui::IsBlackPieceCode(t) == b.HumanIsWhite) return;

  const bool ownPiece = chessui::IsWhitePieceCode(t) == b.HumanIsWhite;
  if (SelCol == 0 || (t != 0 && ((ownPiece && kind == 0) || (col == SelCol && row == SelRow)))) {
    DragCode = 0;
    SelCol = static_cast<int16_t>(col);
    SelRow = static_cast<int16_t>(row);
    if (kind == 0) {
      DragCode = static_cast<uint8_t>(t);
      MovePiece(button, shift, x, y);
    }
    if (DragCode == 0) RedrawChessBoard();  // a running drag keeps the board it drew
    return;
  }

  DragCode = 0;
  if (b.HighlightBusy) {
    // A quick click's release can arrive while its press still marks the square (the drawing
    // pumps): the press hands it on afterwards instead of losing the move.
    if (kind == 1) deferredRelease_ = {true, button, shift, x, y};
    return;
  }
  deferredRelease_.waiting = false;
  b.HighlightBusy = true;
  b.LastMoveCol = static_cast<uint8_t>(col);
  b.LastMoveRow = static_cast<uint8_t>(row);
  RedrawChessBoard();
  b.HighlightBusy = false;
  b.MoveInputState = 0;
  if (kind != 1) {
    if (deferredRelease_.waiting) {
      const DeferredRelease r = deferredRelease_;
      deferredRelease_.waiting = false;
      ClickOnBoard(r.button, r.shift, r.x, r.y, 1);
    }
    return;
  }
  EngineBusy = true;
  bool made = b.HumanMoveInput(SelCol, SelRow);
  if (made) made = b.HumanMoveInput(col, row);
  EngineBusy = false;
  if (!made) {
    SelCol = SelRow = 0;
    b.LastMoveCol = 0;
    RedrawChessBoard();
  }
}

void CtrlPanel::MovePiece(int button, int shift, float x, float y) {
  if (DragCode == 0) return;
  RedrawChessBoard();  // the dragged piece's square is drawn empty
  if (DragCode == 0) {  // released while that drawing pumped
    RedrawChessBoard();
    return;
  }
  DragX = static_cast<int32_t>(std::lround(x)) - geo.grab;
  DragY = static_cast<int32_t>(std::lround(y)) - geo.grab;
  DragPrevX = static_cast<int16_t>(DragX);
  DragPrevY = static_cast<int16_t>(DragY);
  CopyPicture(buf(1), buf(0));
  CurrentX = x;
  CurrentY = y;
  DragStep();  // the first pass draws at once
}

void CtrlPanel::DragStep() {
  if (DragCode == 0) return;
  DragX = static_cast<int32_t>(std::lround(CurrentX));
  DragY = static_cast<int32_t>(std::lround(CurrentY));
  if (DragX == DragPrevX && DragY == DragPrevY) return;
  const int g = geo.grab;
  rt::PictureBox& saved = buf(1);
  DrawPiece(saved.surface(), DragCode, DragX - g, DragY - g);
  // Only the block that covers the old and the new place of the piece goes to the window.
  CopyToWindow(saved.surface(), std::min<int>(DragPrevX, DragX) - g, std::min<int>(DragPrevY, DragY) - g,
               std::abs(DragPrevX - DragX) + geo.cellWidth, std::abs(DragPrevY - DragY) + geo.cellHeight);
  DragPrevX = static_cast<int16_t>(DragX);
  DragPrevY = static_cast<int16_t>(DragY);
  // The board under the piece, for the next pass.
  saved.surface().bitBlt(DragX - g, DragY - g, geo.cellWidth, geo.cellHeight, buf(0).surface(), DragX - g,
                         DragY - g, rt::SRCCOPY);
}

void CtrlPanel::CancelPieceSel() {
  DragCode = 0;
  SelCol = SelRow = 0;
  RedrawChessBoard();
}

// ---------------------------------------------------------------- drawing

void CtrlPanel::LoadBoard_S() {
  geo = Geometry{};
  rt::Font f = buf(0).font();
  f.name = "Arial";
  f.size = geo.labelFontSize;
  buf(0).setFont(f);
  buf(0).setForeColor(kLabelColor);
}

void CtrlPanel::ploca() {
  Picture1->setPicture(nullptr);
  Picture1->Move(0, 0, 300, 300);
  Picture1->setBackColor(kFrameColor);
  bool light = true;
  for (int i = 0; i <= 7; ++i) {
    for (int j = 0; j <= 7; ++j) {
      pquad2->setBackColor(light ? kLightSquare : kDarkSquare);
      Picture1->surface().bitBlt(18 + 32 * i, 18 + 32 * j, 32, 32, pquad2->surface(), 0, 0, rt::SRCCOPY);
      light = !light;
    }
    light = !light;
  }
  Picture1->changed();
}

void CtrlPanel::DrawCoordinates() {
  rt::PictureBox& canvas = buf(0);
  canvas.setPicture(Picture1->Image());
  const char* letters = board_.BoardRotated ? "HGFEDCBA" : "ABCDEFGH";
  const char* digits = board_.BoardRotated ? "87654321" : "12345678";
  for (int i = 1; i <= 8; ++i) {
    canvas.TextOut(6, 28 + 32 * (8 - i), std::string(1, digits[i - 1]));
    canvas.TextOut(29 + 32 * (i - 1), 3, std::string(1, letters[i - 1]));
  }
  buf(1).Move(0, 0, canvas.Width(), canvas.Height());
  buf(2).Move(0, 0, canvas.Width(), canvas.Height());
  CopyPicture(buf(2), canvas);
  canvas.setPicture(nullptr);
}

void CtrlPanel::Bitmaps_LoadPieces() {
  m_ppic->surface().bitBlt(0, 0, m_ppic->surface().width(), m_ppic->surface().height(), o_ppic->surface(), 0, 0,
                           rt::SRCAND);
  m_ppic->changed();
  for (int code = 1; code <= 6; ++code) PieceSpriteOrigin[code] = {32 * (code - 1), 0};
  for (int code = 7; code <= 12; ++code) PieceSpriteOrigin[code] = {32 * (code - 7), 32};
}

void CtrlPanel::DrawPiece(rt::Surface& target, int code, int px, int py) const {
  if (code < 1 || code > 12) return;  // no picture for the other codes
  const auto [sx, sy] = PieceSpriteOrigin[static_cast<size_t>(code)];
  // AND with the coloured piece on its near-white ground, then OR with the piece on black.
  target.bitBlt(px, py, geo.cellWidth, geo.cellHeight, o_ppic->surface(), sx, sy, rt::SRCAND);
  target.bitBlt(px, py, geo.cellWidth, geo.cellHeight, m_ppic->surface(), sx, sy, rt::SRCPAINT);
}

void CtrlPanel::ScreenSquare(int col, int row, int& px, int& py) const {
  if (board_.BoardRotated) {
    col = 9 - col;
    row = 9 - row;
  }
  px = geo.border - 1 + geo.square * (col - 1);
  py = geo.border - 1 + geo.square * (row - 1);
}

void CtrlPanel::CopyPicture(rt::PictureBox& destination, const rt::PictureBox& source) {
  rt::Surface& d = destination.surface();
  d.bitBlt(0, 0, d.width(), d.height(), source.surface(), 0, 0, rt::SRCCOPY);
  destination.changed();
}

void CtrlPanel::CopyToWindow(const rt::Surface& from, int x, int y, int w, int h) {
  rt::PictureBox* window = board_.Surface;
  if (!window) return;
  window->surface().bitBlt(x, y, w, h, from, x, y, rt::SRCCOPY);
  window->changed();
}

void CtrlPanel::DrawBoard(const chessui::DisplayBoard& board, bool dragging) {
  if (DragCode != 0) dragging = true;
  rt::PictureBox& canvas = buf(0);
  CopyPicture(canvas, buf(2));
  rt::Surface& s = canvas.surface();
  int px, py;
  if (board_.LastMoveCol != 0) {
    ScreenSquare(board_.LastMoveCol, board_.LastMoveRow, px, py);
    s.bitBlt(px, py, geo.cellWidth, geo.cellHeight, pquad->surface(), 0, 0, rt::SRCAND);
  }
  for (int a = 1; a <= 8; ++a) {
    for (int b = 1; b <= 8; ++b) {
      const int col = board_.BoardRotated ? 9 - a : a, row = board_.BoardRotated ? 9 - b : b;
      const int code = board(col, row);
      if (code == 0) continue;
      if (dragging && col == SelCol && row == SelRow) continue;
      DrawPiece(s, code, geo.pieceOffsetX + geo.square * (a - 1), geo.pieceOffsetY + geo.square * (b - 1));
    }
  }
  if (SelCol != 0) {
    ScreenSquare(SelCol, SelRow, px, py);
    s.bitBlt(px, py, geo.cellWidth, geo.cellHeight, pquad->surface(), 0, 0, rt::SRCAND);
  }
  canvas.changed();
  CopyToWindow(s, 0, 0, geo.boardWidth, geo.boardHeight);
  rt::DoEvents();
}

void CtrlPanel::RedrawChessBoard() { DrawBoard(board_.DisplayBoard, false); }

}  // namespace chess

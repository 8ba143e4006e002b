#pragma once
// The chess window's hidden companion: the drawing buffers and the board drawing, the
// selection and drag state, move entry from the pointer, game set-up and the move list.
#include <array>
#include <cstdint>
#include <utility>

#include "display_board.h"
#include "rt/form.h"

namespace chess {

class FrmBoard;

class CtrlPanel : public rt::Form {
 public:
  explicit CtrlPanel(FrmBoard& board);

  // Board geometry in pixels (LoadBoard_S).
  struct Geometry {
    int border = 19, square = 32;
    int cellWidth = 32, cellHeight = 32;
    int boardWidth = 292, boardHeight = 292;
    int pieceOffsetX = 18, pieceOffsetY = 18;
    int grab = 22;
    double labelFontSize = 8;
  };
  Geometry geo;

  // Selection and drag.
  int16_t SelCol = 0, SelRow = 0;
  uint8_t DragCode = 0;
  int32_t DragX = 0, DragY = 0;
  int16_t DragPrevX = 0, DragPrevY = 0;
  float CurrentX = 0, CurrentY = 0;  // the pointer, as the window's mouse-move handler left it
  bool TabBusy = false;
  // A new game is being set up or the human's move is being handed to the engine. Both pump
  // while they draw; the board takes no input then and the commands beep, as during a search.
  bool EngineBusy = false;

  // Set-up, new game and the move list.
  void Intialize_Chess();
  void NewGame();
  void MoveTAB(int mode);

  // Pointer logic (kind 0 press, 1 release).
  void ClickOnBoard(int button, int shift, float x, float y, int kind);
  // Starts dragging the piece DragCode from the press at (x, y); the window's pointer moves
  // carry it on (DragStep) until the release clears DragCode.
  void MovePiece(int button, int shift, float x, float y);
  void DragStep();
  void CancelPieceSel();

  // Drawing.
  void LoadBoard_S();
  void ploca();
  void DrawCoordinates();
  void Bitmaps_LoadPieces();
  void DrawBoard(const chessui::DisplayBoard& board, bool dragging);
  void RedrawChessBoard();
  static void CopyPicture(rt::PictureBox& destination, const rt::PictureBox& source);

  // The buffers (hidden controls).
  rt::PictureBox* Picture1 = nullptr;
  rt::PictureBox* pquad2 = nullptr;
  rt::PictureBox* pquad = nullptr;
  rt::PictureBox* o_ppic = nullptr;
  rt::PictureBox* m_ppic = nullptr;
  rt::ControlArray<rt::PictureBox> buf;
  std::array<std::pair<int32_t, int32_t>, 17> PieceSpriteOrigin{};

 protected:
  void Form_Load() override;

 private:
  void DrawPiece(rt::Surface& target, int code, int px, int py) const;
  void ScreenSquare(int col, int row, int& px, int& py) const;  // top left of a display square
  void CopyToWindow(const rt::Surface& from, int x, int y, int w, int h);
  rt::PictureBox& hiddenBox(const char* name, int w, int h);

  FrmBoard& board_;
  struct DeferredRelease {
    bool waiting = false;
    int button = 0, shift = 0;
    float x = 0, y = 0;
  };
  DeferredRelease deferredRelease_;
};

}  // namespace chess

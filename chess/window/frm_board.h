#pragma once
// Velk Chess: the board window. The engine searches and keeps the history; this window keeps
// the shown position (DisplayBoard), the side to move and the thinking flag, takes the mouse,
// the menus and the toolbar, and lends the engine its callbacks. The drawing buffers and the
// pointer logic live in the hidden companion window CtrlPanel.
#include <cstdint>
#include <memory>
#include <string>

#include "chess_engine.h"
#include "display_board.h"
#include "game_window.h"

namespace chess {

class CtrlPanel;

// The engine of the run: its state outlives every chess window.
ChessEngine& Engine();

class FrmBoard : public shell::GameWindow, public EngineHost {
 public:
  explicit FrmBoard(const shell::GameEntry& entry);
  ~FrmBoard() override;

  // ---- State shared with the panel (the chess modules' variables) ----
  chessui::DisplayBoard DisplayBoard;
  std::string StartFen;
  bool BlackToMove = false;
  bool ThinkingFlag = false;
  bool HumanIsWhite = true;
  bool BoardRotated = false;
  uint8_t LastMoveCol = 0, LastMoveRow = 0;
  int32_t MoveInputState = 0, MoveInputFrom = 0;
  bool HighlightBusy = false;
  // The ply at which the computer found no move, while it is the newest ply; -1 otherwise.
  int GameOverPly = -1;

  CtrlPanel& panel() { return *panel_; }
  // A search, a move-list step, a new game or a move being handed over is under way: the
  // board ignores input and the commands beep.
  bool Busy() const;

  // ---- Handlers ----
  void SubFileMenu_Click(int index);
  void SubMovesMenu_Click(int index);
  void poke_Click(int index);
  void difficult_Click();
  void pprom_Click(int index);
  void hlp_Click() { showHelp(); }
  void igrica_Click(int Index) override;
  // The window surface's mouse (the base class's event members of the same names call these).
  void Form_MouseDown(int button, int shift, float x, float y);
  void Form_MouseMove(int button, int shift, float x, float y);
  void Form_MouseUp(int button, int shift, float x, float y);

  // ---- Procedures ----
  void oznaci(bool humanToMove);
  void rotate_board();
  void BoardBorder(float x, float y, bool& outside) const;
  bool HumanMoveInput(int x, int y);
  void RestorePosition() { Engine().RestorePosition(); }

  // ---- The engine's callbacks ----
  void BeginThinking() override;
  void EndThinking() override;
  void ShowProgress(int n, int total) override;
  void ShowComputerMove(int mode) override;
  int CheckedPromotionItem() override;
  bool Difficult() override;
  void PumpMessages() override;
  void MsgBox(std::string_view text) override;

  // Controls.
  rt::PictureBox* Surface = nullptr;  // the window surface the board is copied to
  rt::ControlArray<rt::PictureBox> Picture4;
  rt::Label* Label34 = nullptr;
  rt::Shape* Shape4 = nullptr;
  rt::PictureBox* Picture23343 = nullptr;
  rt::ControlArray<rt::ImageBox> poke;

 protected:
  void Form_Load() override;
  void Form_Unload() override;
  void pomoc_Click() override { hlp_Click(); }

 private:
  void buildMenus();
  void buildControls();
  void exposeGameState();
  rt::MenuItem& movesItem(int index) { return *findMenu("SubMovesMenu", index); }

  std::unique_ptr<CtrlPanel> panel_;
};

}  // namespace chess

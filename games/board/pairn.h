#pragma once
// Pairn: drag chess pieces by their chess steps, jumping over everything, onto empty cells or onto
// a piece of the other colour, which takes both away, until at most one piece is left.
#include "pairn_rules.h"
#include "solitaire_window.h"

namespace board {

class Form29 : public SolitaireWindow {
 public:
  explicit Form29(const shell::GameEntry& entry);

  int16_t PieceKind = pairn::kMixture;
  rt::MenuItem* edededed = nullptr;  // "Chess piece for playing"

  void cpt_Click(int Index);
  // The piece drawn into the cell's shade: the mask whitens its shape, the strip's piece is
  // AND-ed into it.
  void DrawPieceCell(rt::PictureBox& cell, int code);

 protected:
  void loadPictures() override;
  std::string helpText() const override;
  void addGameMenus() override;
  void exposeGameState() override { exposeScalar("PieceKind", PieceKind, {{pairn::kKing, pairn::kMixture}}); }
  rt::Spans boardValues() const override { return {{pairn::kEmpty, pairn::kKnight + 5}}; }  // white 1..5, black 6..10
  int16_t offBoard() const override { return pairn::kEmpty; }
  void dealGame() override { pairn::Deal(Board, BoardSize, PieceKind, rnd()); }
  void drawDealtCells() override;
  rt::Color cellBack(int row, int column) const override;
  bool goalReached() const override { return pairn::Won(Board, BoardSize); }
  void placeBoard() override { placeByWidth(); }
  bool canPickUp(int cell) const override { return Board[cell] != pairn::kEmpty; }
  void dropMove(int source, int target) override;

 private:
  void drawCell(int i);
  rt::PicHandle figure_, mask_;
};

}  // namespace board

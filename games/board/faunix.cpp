#include "faunix.h"

#include "pack_fn.h"
#include "rt/numbers.h"

namespace board {

VPK_GAME_WINDOW(Form6);

Form6::Form6(const shell::GameEntry& entry)
    : SolitaireWindow(entry, DragGameDesign("Faunix", 7, 74, kDealCountsOnce)) {}

void Form6::loadPictures() {
  for (int i = 0; i < 5; ++i) {
    ikona[1 + i] = picture("cartoon", i);
    ikona[6 + i] = picture("creatures", i);
  }
  hlab.init(this, "hlab");
  vlab.init(this, "vlab");
  for (auto* labels : {&hlab, &vlab}) {
    rt::Label& first = labels->create(0, Picture1);
    first.Alignment = rt::kCenter;
    first.BackStyle = 0;
    first.setFont(rt::Font{"Tahoma", 9, true, false, false});
    first.Move(0, 0, labels == &hlab ? 25 : 30, 15);
    first.setVisible(false);
    for (int i = 1; i < kMaxSize; ++i) labels->Load(i);
  }
}

std::string Form6::helpText() const {
  return "  Welcome to Faunix, freeware programmed by Morvel Vukran in 2006.\r"
         " Faunix uses images instead of numbers. Your goal is that every row has to be with different images "
         "and every column. The numbers show the different images in a row or column. You can drag, drop and "
         "swap the images with left mouse button. You can define the dimensions to solve.\r"
         "  Good luck. Have a fun.";
}

void Form6::placeBoard() {
  const int n = BoardSize;
  Picture1->Move((366 - kPitch * n) / 2, (366 - kPitch * n) / 2, kPitch * n + 28, kPitch * n + 28);
}

void Form6::dealGame() {
  for (int i = 0; i < kMaxSize; ++i) {
    hlab(i).setVisible(false);
    vlab(i).setVisible(false);
  }
  faunix::Deal(Board, BoardSize, rnd());
}

void Form6::drawDealtCells() {
  const int n = BoardSize;
  for (int i = 0; i < n * n; ++i) {
    setCellDragMode(i, true);
    slika.show(i, kindPicture(Board[i]));
  }
  for (int i = 0; i < n; ++i) {
    hlab(i).Move(kPitch * n + 1, kPitch * i + 10);
    vlab(i).Move(kPitch * i + 1, kPitch * n + 7);
  }
}

void Form6::redrawAll() {
  drawDealtCells();
  const faunix::LineCounts counts = faunix::CountLines(Board, BoardSize);
  for (int i = 0; i < BoardSize; ++i) {
    showCount(hlab(i), counts.rows[i]);
    showCount(vlab(i), counts.columns[i]);
  }
}

rt::PicHandle Form6::kindPicture(int kind) const {
  return kind >= 1 && kind <= kMaxSize ? ikona[kind] : nullptr;
}

void Form6::showCount(rt::Label& label, int count) {
  label.setCaption(rt::Plain(count));
  label.setForeColor(count == BoardSize ? rt::kRed : rt::kBlack);
  label.setVisible(true);
}

void Form6::CountMove() {
  const int n = BoardSize;
  const faunix::LineCounts counts = faunix::CountLines(Board, n);
  shownSum_ = 0;
  for (int i = 0; i < n; ++i) {
    showCount(hlab(i), counts.rows[i]);
    showCount(vlab(i), counts.columns[i]);
  }
  // The goal is read back from what the labels show.
  for (int i = 0; i < n; ++i)
    shownSum_ += static_cast<int>(rt::Val(hlab(i).Caption()) + rt::Val(vlab(i).Caption()));
  SolitaireWindow::CountMove();
}

bool Form6::goalReached() const { return shownSum_ == 2 * BoardSize * BoardSize; }

void Form6::dropMove(int source, int target) {
  BusyScope busy(*this, false);
  faunix::Swap(Board, source, target);
  slika.show(target, kindPicture(Board[target]));
  slika.show(source, kindPicture(Board[source]));
  CountMove();
}

}  // namespace board

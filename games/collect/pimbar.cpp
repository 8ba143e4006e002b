#include "pimbar.h"

#include <utility>

#include "pack_fn.h"
#include "rt/host.h"

namespace collect {

using namespace pimbar;

VPK_GAME_WINDOW(Form2);

namespace {
const Design kPimbar{.hiscoreGame = "Pimbar",
                     .sizes = {2, 4, 5, 10, 20, 25, 50},
                     .defaultSize = 2,
                     .skills = {"Easy (1 new image)", "Medium (2 new images)", "Hard (3 new images)"},
                     .perStepBase = 1,
                     .dragVariant = true,
                     .fixedKinds = 0,
                     .mirrorWidth = 32,
                     .mirrorHeight = 32,
                     .panelTop = 8,
                     .heightPx = 358};
}  // namespace

Form2::Form2(const shell::GameEntry& entry) : CollectWindow(entry, kPimbar) {}

std::string Form2::helpText() const {
  return "  Welcome to Pimbar, freeware programmed by Morvel Vukran in 2004. Your goal is to connect all the same "
         "images attached horizontally or vertically.\r"
         "You can drag and drop any non grey field with correct and clean path.\r"
         "   Every time you move a field the new images are generated. You can use helpful objects such as a "
         "bomb, ladders and a heart thus decreasing your amount of money. The quality of playing is measured by "
         "the images collected. You can define the number of the same images.\r"
         "  Good luck. Have a fun.";
}

void Form2::loadPictures() {
  CollectWindow::loadPictures();
  const char* const names[4] = {"arrow_down", "arrow_up", "arrow_left", "arrow_right"};
  for (int i = 0; i < 4; ++i) strelice[i] = ownPicture(names[i]);
}

void Form2::bindCell(rt::PictureBox& cell, int index) {
  cell.DragOver = [this, index](rt::Control* source, float, float, int state) { slika_DragOver(index, source, state); };
  cell.DragDrop = [this, index](rt::Control* source, float, float) { slika_DragDrop(index, source); };
}

void Form2::exposeExtras() {
  // What a drag leaves: every redraw ends the drag (the cells are tidied) and a new drag finds
  // its path again.
  exposeReadOnly("dragSource", dragSource);
  exposeReadOnly("dragTarget", dragTarget);
  exposeReadOnlyArray("pathDist", pathDist);
}

void Form2::refreshEmptyCell(int cell) {
  slika(cell).Cls();  // the path's arrows and mark go; the picture and drag mode stay
}

void Form2::RefreshCells() {
  removeMark.fill(false);
  for (int c = 0; c < kCells; ++c) {
    if (Board[c] != kEmpty) {
      grid_.show(c, pictureOf(Board[c]));
      slika(c).setDragMode(1);
    } else {
      slika(c).setDragMode(0);
      grid_.show(c, nullptr);
    }
  }
  dragSource = kNoSource;
  RedrawBoard();
}

void Form2::FindPath() {
  if (dragSource == kNoSource) return;
  RedrawBoard();
  pathDist = PathDistances(Board, dragSource);
  if (dragTarget < 0 || dragTarget >= kCells) return;
  if (pathDist[dragTarget] == kUnreachable) {
    slika(dragSource).Drag(0);
    dragSource = kNoSource;
    rt::host().beep();
    return;
  }
  for (const PathCell& p : TracePath(pathDist, dragTarget)) {
    slika(p.cell).PaintPicture(strelice[p.arrow], 0, 0);
    slika(p.cell).Refresh();
  }
  slika(dragTarget).PaintPicture(ikona[51], 0, 0);
  slika(dragTarget).Refresh();
}

void Form2::slika_DragOver(int Index, rt::Control* Source, int State) {
  forgetStaleSource(Source);
  if (Board[Index] != kEmpty && State == rt::kDragEnter && dragSource == kNoSource) {
    dragSource = static_cast<int16_t>(Index);
  } else if (Board[Index] == kEmpty) {
    dragTarget = static_cast<int16_t>(Index);
    FindPath();
  } else {
    RedrawBoard();
  }
}

void Form2::slika_DragDrop(int Index, rt::Control* Source) {
  if (!dropReachesMove(Index, Source)) return;
  BusyScope busy(*this);
  // A drop on an empty cell is a drop on its path target. Its path is worked out afresh for
  // this drag's source: the release may come where no drag-over computed it, or the last path
  // may belong to a drag that ended without a drop.
  if (Board[Index] == kEmpty) {
    dragTarget = static_cast<int16_t>(Index);
    pathDist = PathDistances(Board, dragSource);
  }
  const int t = dragTarget;
  if (t < 0 || t >= kCells || Board[t] != kEmpty || pathDist[t] == kUnreachable) {
    dragSource = kNoSource;
    RedrawBoard();
    return;
  }
  const int s = dragSource;
  if (Board[Index] == kEmpty) {
    Board[Index] = Board[s];
    std::swap(removeMark[s], removeMark[Index]);
    grid_.show(s, nullptr);
    slika(s).setDragMode(0);
    slika(Index).setDragMode(1);
    Board[s] = kEmpty;
  }
  dragSource = kNoSource;
  RedrawBoard();
  CheckGroups();
  // New images unless the moved image was collected; an emptied board always gets new ones.
  if (Board[t] != kEmpty || boardEmpty()) GenerateImages();
}

}  // namespace collect

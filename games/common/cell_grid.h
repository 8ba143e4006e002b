#pragma once
// A board of picture cells: a control array laid out at a pitch inside a container. A cell is
// redrawn only when its picture changes (pictures compare by identity), so a full redraw of an
// unchanged board costs nothing.
#include <functional>
#include <string>

#include "rt/color.h"
#include "rt/control.h"
#include "rt/form.h"

namespace parts {

struct GridLayout {
  int cols = 10, rows = 10;
  int pitchX = 34, pitchY = 34;  // from one cell's left (top) to the next one's
  int cellWidth = 36, cellHeight = 36;
  int left = 0, top = 0;         // the first cell, in the container's pixels
  int border = 1;                // picture boxes: BorderStyle
  rt::Color back = rt::RGB(128, 128, 128);
  bool visible = true;
};

template <class T = rt::PictureBox>
class CellGrid {
 public:
  // Creates cells 0..cols*rows-1 named `name` in `container`; `bindCell` attaches the handlers.
  void build(rt::Form& form, const std::string& name, rt::Control* container, const GridLayout& l,
             std::function<void(T&, int)> bindCell = {}) {
    layout_ = l;
    cells_.init(&form, name);
    T& first = cells_.create(0, container);
    if constexpr (std::is_same_v<T, rt::PictureBox>) {
      first.setBorderStyle(l.border);
      first.setBackColor(l.back);
    }
    first.Move(0, 0, l.cellWidth, l.cellHeight);
    for (int i = 1; i < count(); ++i) cells_.Load(i);
    for (int i = 0; i < count(); ++i) {
      cells_(i).Move(l.left + (i % l.cols) * l.pitchX, l.top + (i / l.cols) * l.pitchY, l.cellWidth, l.cellHeight);
      cells_(i).setVisible(l.visible);
    }
    if (bindCell) cells_.bind(std::move(bindCell));
  }

  // Lays the first cols x rows cells out anew at the layout's pitch and offset and shows them;
  // every later cell of the array is hidden (boards whose size changes with the window open).
  void arrange(int cols, int rows) {
    layout_.cols = cols;
    layout_.rows = rows;
    for (auto& [i, cell] : cells_.items()) {
      if (i >= cols * rows) {
        cell->setVisible(false);
        continue;
      }
      cell->Move(layout_.left + (i % cols) * layout_.pitchX, layout_.top + (i / cols) * layout_.pitchY,
                 layout_.cellWidth, layout_.cellHeight);
      cell->setVisible(true);
    }
  }

  int count() const { return layout_.cols * layout_.rows; }
  bool exists(int i) const { return cells_.exists(i); }  // false before build
  const GridLayout& layout() const { return layout_; }
  T& operator()(int i) { return cells_(i); }
  rt::ControlArray<T>& array() { return cells_; }

  // Shows `pic` in cell i unless the cell shows it already.
  void show(int i, const rt::PicHandle& pic) {
    if (i < 0 || i >= count()) return;
    if (cells_(i).Picture() != pic) cells_(i).setPicture(pic);
  }
  // The cell under a point in the container's pixels, -1 between or outside the cells.
  int cellAt(int x, int y) const {
    if (x < layout_.left || y < layout_.top) return -1;
    const int c = (x - layout_.left) / layout_.pitchX, r = (y - layout_.top) / layout_.pitchY;
    if (c >= layout_.cols || r >= layout_.rows) return -1;
    if ((x - layout_.left) % layout_.pitchX >= layout_.cellWidth) return -1;
    if ((y - layout_.top) % layout_.pitchY >= layout_.cellHeight) return -1;
    return r * layout_.cols + c;
  }

 private:
  GridLayout layout_;
  rt::ControlArray<T> cells_;
};

}  // namespace parts

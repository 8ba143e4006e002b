#pragma once
// Controls that keep their own property values, as the game windows expect of them. Qt only
// draws them (see render.cpp) and feeds input back (see input.cpp).
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "rt/color.h"
#include "rt/picture.h"
#include "rt/surface.h"

namespace rt {

class Form;
class Control;

// Mouse pointers by number: 0 default, 11 busy, 99 the control's own picture.
enum MousePointer { kDefaultPointer = 0, kArrowPointer = 1, kCrossPointer = 2, kHourglass = 11,
                    kCustomPointer = 99 };
enum ScaleMode { kTwips = 1, kPoints = 2, kPixels = 3 };
enum DragState { kDragEnter = 0, kDragLeave = 1, kDragOver = 2 };
enum Alignment { kLeftJustify = 0, kRightJustify = 1, kCenter = 2 };

struct Font {
  std::string name = "MS Sans Serif";
  double size = 8.25;  // points
  bool bold = false, italic = false, underline = false;
};

using MouseHandler = std::function<void(int button, int shift, float x, float y)>;
using DragOverHandler = std::function<void(Control* source, float x, float y, int state)>;
using DragDropHandler = std::function<void(Control* source, float x, float y)>;
using KeyHandler = std::function<void(int& keyCode, int shift)>;
using KeyPressHandler = std::function<void(int& keyAscii)>;

class Control {
 public:
  virtual ~Control();
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  virtual const char* kind() const = 0;
  virtual std::unique_ptr<Control> makeCopy(int index) const = 0;  // a control array's Load
  virtual bool isContainer() const { return false; }
  virtual bool windowless() const { return false; }      // drawn below windowed siblings
  virtual bool mouseTransparent() const { return false; }
  virtual std::string captionText() const { return {}; }  // caption or text, for dumps
  virtual PicHandle currentPicture() const { return nullptr; }
  virtual Color backColorValue() const { return BackColor_; }

  const std::string& Name() const { return name_; }
  int Index() const { return index_; }  // -1 outside a control array
  Form* form() const { return form_; }

  // Own settings (not the effective state inside hidden or disabled parents).
  bool Visible() const { return visible_; }
  void setVisible(bool v);
  bool Enabled() const { return enabled_; }
  virtual void setEnabled(bool e);
  bool effectivelyVisible() const;
  bool effectivelyEnabled() const;

  // Geometry in pixels, relative to the container's client area.
  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  void setLeft(int v) { Move(v, top_, width_, height_); }
  void setTop(int v) { Move(left_, v, width_, height_); }
  void setWidth(int v) { Move(left_, top_, v, height_); }
  void setHeight(int v) { Move(left_, top_, width_, v); }
  virtual void Move(int left, int top, int width, int height);
  void Move(int left, int top) { Move(left, top, width_, height_); }

  Control* Container() const { return container_; }  // null: the form itself
  void setContainer(Control* c);
  const std::vector<Control*>& children() const { return children_; }
  void ZOrder(int position = 0);  // 0 to the front, 1 to the back

  Color BackColor() const { return BackColor_; }
  virtual void setBackColor(Color c);
  Color ForeColor() const { return ForeColor_; }
  virtual void setForeColor(Color c);
  const Font& font() const { return font_; }
  virtual void setFont(const Font& f);

  int MousePointer() const { return pointer_; }
  void setMousePointer(int p);
  PicHandle MouseIcon() const { return mouseIcon_; }
  void setMouseIcon(PicHandle p) { mouseIcon_ = std::move(p); }
  int DragMode() const { return dragMode_; }
  void setDragMode(int m) { dragMode_ = m; }
  PicHandle DragIcon() const { return dragIcon_; }
  void setDragIcon(PicHandle p) { dragIcon_ = std::move(p); }
  void Drag(int action = 1);  // 0 cancel, 1 begin, 2 drop here and now

  std::string Tag, ToolTipText;
  int ScaleModeValue = kTwips;  // containers: the unit of their mouse coordinates

  // Client area inside the border, in pixels.
  virtual int borderWidth() const { return 0; }
  int clientWidth() const { return width_ - 2 * borderWidth(); }
  int clientHeight() const { return height_ - 2 * borderWidth(); }
  // Position of the client area's top-left corner in form pixels.
  void clientOrigin(int& x, int& y) const;
  // Units per pixel of the mouse coordinates this control's events carry.
  double eventScale() const;

  void Refresh();
  void invalidate();

  // Events.
  std::function<void()> Click, DblClick;
  MouseHandler MouseDown, MouseUp, MouseMove;
  DragOverHandler DragOver;
  DragDropHandler DragDrop;
  KeyHandler KeyDown, KeyUp;
  KeyPressHandler KeyPress;

 protected:
  Control(Form* form, std::string name, int index);
  void copyBaseTo(Control& other) const;

  Form* form_;
  std::string name_;
  int index_;
  bool visible_ = true, enabled_ = true;
  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  Control* container_ = nullptr;
  std::vector<Control*> children_;
  Color BackColor_ = kButtonFace, ForeColor_ = kWindowText;
  Font font_;
  int pointer_ = 0;
  PicHandle mouseIcon_, dragIcon_;
  int dragMode_ = 0;

  friend class Form;
  template <class T> friend class ControlArray;
};

// A windowed container with a persistent drawing (back colour + picture + drawings).
class PictureBox : public Control {
 public:
  PictureBox(Form* form, std::string name, int index = -1);
  const char* kind() const override { return "PictureBox"; }
  bool isContainer() const override { return true; }
  PicHandle currentPicture() const override { return picture_; }

  PicHandle Picture() const { return picture_; }
  void setPicture(PicHandle p);  // erases the drawings
  void setBackColor(Color c) override;  // erases the drawings
  void Cls();
  PicHandle Image() const;  // a snapshot of what it shows now
  bool AutoSize = false;
  void setBorderStyle(int b) { border_ = b; Move(left_, top_, width_, height_); invalidate(); }
  int BorderStyle() const { return border_; }
  int Appearance = 1;  // 1: 3-D border
  int borderWidth() const override { return border_ ? (Appearance ? 2 : 1) : 0; }
  void Move(int left, int top, int width, int height) override;

  // Drawing on the persistent image (pixels).
  Surface& surface() { return surface_; }
  const Surface& surface() const { return surface_; }
  void PaintPicture(const PicHandle& pic, int x, int y, int w = -1, int h = -1, int sx = 0, int sy = 0,
                    int sw = -1, int sh = -1, uint32_t rop = SRCCOPY);
  void Line(int x1, int y1, int x2, int y2, Color c);
  void Box(int x1, int y1, int x2, int y2, Color c, bool filled);
  void Circle(int cx, int cy, int radius, Color c);
  void PSet(int x, int y, Color c);
  void TextOut(int x, int y, const std::string& text);  // current font and fore colour
  void changed() { invalidate(); }  // after drawing on surface() directly

  std::unique_ptr<Control> makeCopy(int index) const override;

 protected:
  void repaintBase();
  PicHandle picture_;
  Surface surface_;
  int border_ = 1;
};

// A windowless picture; transparent where its picture is.
class ImageBox : public Control {
 public:
  ImageBox(Form* form, std::string name, int index = -1);
  const char* kind() const override { return "Image"; }
  bool windowless() const override { return true; }
  PicHandle currentPicture() const override { return picture_; }
  PicHandle Picture() const { return picture_; }
  void setPicture(PicHandle p);
  bool Stretch = false;
  int BorderStyle = 0;

  std::unique_ptr<Control> makeCopy(int index) const override;

 protected:
  PicHandle picture_;
};

class Label : public Control {
 public:
  Label(Form* form, std::string name, int index = -1);
  const char* kind() const override { return "Label"; }
  bool windowless() const override { return true; }
  std::string captionText() const override { return caption_; }
  const std::string& Caption() const { return caption_; }
  void setCaption(const std::string& c);
  int Alignment = kLeftJustify;
  int BackStyle = 1;  // 0 transparent, 1 opaque
  int BorderStyle = 0;
  bool WordWrap = false;
  bool AutoSize = false;

  std::unique_ptr<Control> makeCopy(int index) const override;

 protected:
  std::string caption_;
};

// Lines and shapes that take no mouse input.
class Shape : public Control {
 public:
  Shape(Form* form, std::string name, int index = -1);
  const char* kind() const override { return "Shape"; }
  bool windowless() const override { return true; }
  bool mouseTransparent() const override { return true; }
  int ShapeType = 0;  // 0 rectangle, 1 square, 2 oval, 3 circle, 4 rounded rectangle, 5 rounded square
  Color BorderColor = kBlack;
  int BorderWidth = 1;
  int BorderStyle = 1;  // 0 transparent
  int BackStyle = 0;    // 0 transparent
  int FillStyle = 1;    // 0 solid, 1 transparent
  Color FillColor = kBlack;
  void changed() { invalidate(); }

  std::unique_ptr<Control> makeCopy(int index) const override;

 protected:
};

class TextBox : public Control {
 public:
  TextBox(Form* form, std::string name, int index = -1);
  const char* kind() const override { return "TextBox"; }
  std::string captionText() const override { return text_; }
  const std::string& Text() const { return text_; }
  void setText(const std::string& t);
  int MaxLength = 0;  // 0: no limit
  bool Locked = false;
  int BorderStyle = 1;
  int borderWidth() const override { return BorderStyle ? 2 : 0; }
  void SetFocus();
  bool hasFocus() const;
  std::function<void()> Change;
  void typeChar(int keyAscii);  // after KeyPress: inserts a code point or deletes (backspace)
  void typeText(const std::string& utf8);  // typeChar for each character

  std::unique_ptr<Control> makeCopy(int index) const override;

 protected:
  std::string text_;
};

// A plain container with an optional caption and border (a frame or a composite control).
class FrameBox : public Control {
 public:
  FrameBox(Form* form, std::string name, int index = -1);
  const char* kind() const override { return "Frame"; }
  bool isContainer() const override { return true; }
  std::string captionText() const override { return caption_; }
  const std::string& Caption() const { return caption_; }
  void setCaption(const std::string& c) { caption_ = c; invalidate(); }
  int BorderStyle = 1;

  std::unique_ptr<Control> makeCopy(int index) const override;

 protected:
  std::string caption_;
};

// Controls of one name told apart by Index. Load(i) makes a hidden copy of the lowest element
// (loading an index that exists fails quietly); a binder attaches the shared handlers to every
// element, also to those loaded later.
template <class T>
class ControlArray {
 public:
  ControlArray() = default;
  explicit ControlArray(Form* form, std::string name) : form_(form), name_(std::move(name)) {}
  void init(Form* form, std::string name) { form_ = form; name_ = std::move(name); }

  T& operator()(int i) { return *items_.at(i); }
  const T& operator()(int i) const { return *items_.at(i); }
  T* get(int i) const {
    auto it = items_.find(i);
    return it == items_.end() ? nullptr : it->second;
  }
  bool exists(int i) const { return items_.count(i) != 0; }
  int count() const { return static_cast<int>(items_.size()); }
  int LBound() const { return items_.empty() ? 0 : items_.begin()->first; }
  int UBound() const { return items_.empty() ? -1 : items_.rbegin()->first; }
  const std::map<int, T*>& items() const { return items_; }

  // Creates element i directly (design-time elements).
  T& create(int i, Control* container = nullptr);
  bool Load(int i);
  void Unload(int i);
  void bind(std::function<void(T&, int)> binder) {
    binder_ = std::move(binder);
    for (auto& [i, c] : items_) binder_(*c, i);
  }

 private:
  Form* form_ = nullptr;
  std::string name_;
  std::map<int, T*> items_;
  std::function<void(T&, int)> binder_;
};

}  // namespace rt

#pragma once
// A game window: its controls, menus, named state for the driver, input routing and lifetime.
#include <functional>
#include <limits>
#include <map>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "rt/control.h"
#include "rt/menu.h"

class QPainter;

namespace rt {

class Frame;

// Whole numbers from lo to hi, both ends included.
struct Span {
  long long lo, hi;
};
using Spans = std::vector<Span>;
// Spans of a list of values in ascending order, neighbours joined: {2, 4, 5} gives 2, 4..5.
template <class R>
Spans spansOf(const R& values) {
  Spans out;
  for (long long v : values) {
    if (!out.empty() && out.back().hi + 1 == v) out.back().hi = v;
    else out.push_back({v, v});
  }
  return out;
}
// The most a count that grows in play (moves, money, a score) is given from outside: more than
// any game reaches, and far enough below the 32-bit end that the moves after it cannot overflow.
inline constexpr long long kMostCount = 999'999'999;

// A named piece of window state that the driver can read and write.
struct StateVar {
  std::function<std::vector<long long>()> get;
  std::function<void(size_t, long long)> set;  // null: read-only
  bool isArray = false;
  // The values the game can hold in entry i as it stands now (a cell of the board laid out, a
  // kind of the chosen group size, a wall of the well). The driver refuses any other, and `set`
  // is never given one.
  std::function<Spans(size_t i)> values;
  bool fits(size_t i, long long v) const;
};

// True when `v` is a value of T (its underlying integer for an enumeration): a 16-bit Board cell
// takes -32768..32767, a bool 0 or 1.
template <class T>
constexpr bool holdsValue(long long v) {
  if constexpr (std::is_enum_v<T>) {
    return holdsValue<std::underlying_type_t<T>>(v);
  } else if constexpr (std::is_integral_v<T>) {
    using L = std::numeric_limits<T>;
    if constexpr (std::is_signed_v<T>) return v >= static_cast<long long>(L::min()) && v <= static_cast<long long>(L::max());
    else return v >= 0 && static_cast<unsigned long long>(v) <= static_cast<unsigned long long>(L::max());
  } else {
    return true;
  }
}

class Form {
 public:
  Form(std::string name, int widthTwips, int heightTwips);
  virtual ~Form();
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  const std::string& Name() const { return name_; }

  // Lifetime. Load runs Form_Load once; Unload runs Form_Unload, abandons the window's other
  // running handlers and hides it; the runtime deletes it when no handler of it is running.
  void Load();
  void Unload();
  bool isLoaded() const { return loaded_; }
  bool isLoading() const { return loading_; }
  void Show();
  void Hide();
  bool Visible() const { return visible_; }

  // Outer geometry in twips (the window's drawn area).
  double Left = 0, Top = 0;
  int Width() const { return widthTw_; }
  int Height() const { return heightTw_; }
  void setSize(int widthTwips, int heightTwips);
  int pixelWidth() const;
  int pixelHeight() const;
  void Move(double left, double top);

  std::string Caption;
  Color BackColor = kButtonFace;
  PicHandle Picture;  // drawn at the top left under every control
  int ScaleModeValue = kTwips;
  bool KeyPreview = false;
  int MousePointer() const { return pointer_; }
  void setMousePointer(int p);
  PicHandle MouseIcon;
  void Refresh();
  void invalidate();
  // A window that animates sets this: a control's change then repaints only its own area
  // instead of the whole window.
  bool PartialRepaint = false;
  void invalidateArea(int x, int y, int width, int height);  // form pixels

  // Controls, owned by the form. Names are unique per (name, index).
  template <class T>
  T& add(const std::string& name, Control* container = nullptr, int index = -1) {
    auto c = std::make_unique<T>(this, name, index);
    T& ref = *c;
    adopt(std::move(c), container);
    return ref;
  }
  Control* find(const std::string& name, int index = -1) const;
  std::vector<Control*> controls() const;  // in creation order
  const std::vector<Control*>& topLevel() const { return top_; }
  void removeControl(Control* c);
  Control* adoptCopy(std::unique_ptr<Control> c, Control* container);

  // Menus.
  MenuItem& menu(const std::string& name, const std::string& caption);
  const std::vector<std::unique_ptr<MenuItem>>& menus() const { return menus_; }
  MenuItem* findMenu(const std::string& name, int index = -1) const;
  void menusChanged();
  MenuItem* menuForShortcut(int keyCode, int shift) const;

  // Named state for the driver: each piece names the values its game can hold, fixed, as the
  // game stands when it is written, or for each entry of an array. State that cannot be written
  // is exposed read-only.
  void exposeState(const std::string& name, StateVar var);
  template <class V>
  void exposeArray(const std::string& name, V& vec, std::function<Spans(size_t)> valuesAt) {
    using T = std::remove_reference_t<decltype(*std::begin(vec))>;
    exposeState(name, {[&vec] { return std::vector<long long>(std::begin(vec), std::end(vec)); },
                       [&vec](size_t i, long long v) {
                         if (i < static_cast<size_t>(std::size(vec)) && holdsValue<T>(v)) std::begin(vec)[i] = static_cast<T>(v);
                       },
                       true, std::move(valuesAt)});
  }
  template <class V>
  void exposeArray(const std::string& name, V& vec, std::function<Spans()> values) {
    exposeArray(name, vec, [values = std::move(values)](size_t) { return values(); });
  }
  template <class V>
  void exposeArray(const std::string& name, V& vec, Spans values) {
    exposeArray(name, vec, [values](size_t) { return values; });
  }
  template <class T>
  void exposeScalar(const std::string& name, T& value, std::function<Spans()> values) {
    exposeState(name, {[&value] { return std::vector<long long>{static_cast<long long>(value)}; },
                       [&value](size_t, long long v) {
                         if (holdsValue<T>(v)) value = static_cast<T>(v);
                       },
                       false, [values = std::move(values)](size_t) { return values(); }});
  }
  template <class T>
  void exposeScalar(const std::string& name, T& value, Spans values) {
    exposeScalar(name, value, [values] { return values; });
  }
  template <class T>
  void exposeReadOnly(const std::string& name, const T& value) {
    exposeState(name, {[&value] { return std::vector<long long>{static_cast<long long>(value)}; }, nullptr, false, {}});
  }
  template <class V>
  void exposeReadOnlyArray(const std::string& name, const V& vec) {
    exposeState(name, {[&vec] { return std::vector<long long>(std::begin(vec), std::end(vec)); }, nullptr, true, {}});
  }
  const std::map<std::string, StateVar>& state() const { return state_; }
  std::function<void()> redrawState;  // after the driver wrote state

  // Events of the window itself.
  std::function<void()> Form_Click, Form_DblClick;
  MouseHandler Form_MouseDown, Form_MouseUp, Form_MouseMove;
  KeyHandler Form_KeyDown, Form_KeyUp;
  KeyPressHandler Form_KeyPress;
  DragDropHandler Form_DragDrop;
  DragOverHandler Form_DragOver;
  std::function<void(int& cancel)> Form_QueryUnload;

  // Focus for keys.
  TextBox* focus() const { return focus_; }
  void setFocusControl(TextBox* t);

  // Painting (pixels, the form's own coordinates).
  void paint(QPainter& p) const;

  // Input, in form pixels; the frame window and the driver both come in here.
  void mouseDown(int x, int y, int button, int shift);
  void mouseMove(int x, int y, int buttons, int shift);
  void mouseUp(int x, int y, int button, int shift);
  void keyDown(int keyCode, int shift);
  void keyUp(int keyCode, int shift);
  // keyAscii: a Unicode code point. text: the key's whole text when it is more than that one
  // character; it is typed as it stands unless a KeyPress handler changed the key.
  void keyPress(int keyAscii, const std::string& text = {});
  Control* hitTest(int x, int y) const;  // the topmost visible control under a point
  Control* inputTarget(Control* hit) const;  // null: the form (hit inside a disabled container)
  int pointerAt(int x, int y, PicHandle* icon) const;
  bool dragging() const { return dragSource_ != nullptr; }
  Control* dragSource() const { return dragSource_; }
  void beginDrag(Control* c);
  void cancelDrag();
  void dropNow();
  int dragX() const { return dragX_; }
  int dragY() const { return dragY_; }

  // Runtime bookkeeping.
  void handlerEntered() { ++handlers_; }
  int handlerLeft() { return --handlers_; }
  int runningHandlers() const { return handlers_; }
  void setFrame(Frame* f) { frame_ = f; }
  Frame* frame() const { return frame_; }

 protected:
  virtual void Form_Load() {}
  virtual void Form_Unload() {}

 private:
  void adopt(std::unique_ptr<Control> c, Control* container);
  void paintChildren(QPainter& p, const std::vector<Control*>& list, int ox, int oy) const;
  Control* hitIn(const std::vector<Control*>& list, int x, int y, int ox, int oy) const;
  void toLocal(const Control* c, int fx, int fy, float& x, float& y) const;
  void fireMouse(Control* target, int kind, int x, int y, int button, int shift);
  void dragTo(int x, int y);

  std::string name_;
  int widthTw_, heightTw_;
  bool loaded_ = false, loading_ = false, visible_ = false;
  int pointer_ = 0;
  std::vector<std::unique_ptr<Control>> owned_;
  std::vector<Control*> top_;
  std::vector<std::unique_ptr<MenuItem>> menus_;
  std::map<std::string, StateVar> state_;
  TextBox* focus_ = nullptr;
  Frame* frame_ = nullptr;
  int handlers_ = 0;
  Control* captured_ = nullptr;
  bool capturedForm_ = false;
  int capturedButton_ = 0;
  Control* dragSource_ = nullptr;
  Control* dragOverTarget_ = nullptr;
  bool dragOverForm_ = false;
  int dragX_ = 0, dragY_ = 0;

  friend class Control;
};

template <class T>
T& ControlArray<T>::create(int i, Control* container) {
  T& c = form_->add<T>(name_, container, i);
  items_[i] = &c;
  if (binder_) binder_(c, i);
  return c;
}

template <class T>
bool ControlArray<T>::Load(int i) {
  if (items_.empty() || items_.count(i)) return false;
  T* first = items_.begin()->second;
  auto copy = first->makeCopy(i);
  copy->visible_ = false;
  T* c = static_cast<T*>(form_->adoptCopy(std::move(copy), first->Container()));
  items_[i] = c;
  if (binder_) binder_(*c, i);
  return true;
}

template <class T>
void ControlArray<T>::Unload(int i) {
  auto it = items_.find(i);
  if (it == items_.end() || it == items_.begin()) return;  // the design element stays
  form_->removeControl(it->second);
  items_.erase(it);
}

}  // namespace rt

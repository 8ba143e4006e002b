#include "rt/form.h"

#include <algorithm>
#include <cmath>

#include "rt/dispatch.h"
#include "rt/frame.h"
#include "rt/numbers.h"

namespace rt {

namespace {
std::vector<std::shared_ptr<Form>>& graveyard() {
  static std::vector<std::shared_ptr<Form>> g;
  return g;
}

// Keeps a form alive while input code works on it; deletes it afterwards when it was
// unloaded meanwhile and nothing else runs on it.
class Hold {
 public:
  explicit Hold(Form* f) : f_(f) { f_->handlerEntered(); }
  ~Hold() {
    if (f_->handlerLeft() == 0 && !f_->isLoaded()) formReleased(f_);
  }

 private:
  Form* f_;
};

enum { kDown, kMove, kUp };
}  // namespace

void formReleased(Form* f) {
  auto& g = graveyard();
  auto it = std::find_if(g.begin(), g.end(), [f](auto& p) { return p.get() == f; });
  if (it == g.end()) return;
  auto keep = std::move(*it);
  g.erase(it);
  keep.reset();
}

void retireForm(std::shared_ptr<Form> f) {
  if (!f) return;
  if (f->isLoaded() || f->runningHandlers() > 0) {
    graveyard().push_back(std::move(f));
    return;
  }
  f.reset();
}

Form::Form(std::string name, int widthTwips, int heightTwips)
    : name_(std::move(name)), widthTw_(widthTwips), heightTw_(heightTwips) {}

Form::~Form() {
  if (frame_) frame_->detach(this);
}

void Form::Load() {
  if (loaded_ || loading_) return;
  loaded_ = true;
  loading_ = true;
  if (frame_ == nullptr) rt::frame().attach(this);
  dispatch(this, [this] { Form_Load(); });
  loading_ = false;
}

void Form::Unload() {
  if (!loaded_) return;
  Form_Unload();
  loaded_ = false;
  loading_ = false;
  visible_ = false;
  dragSource_ = nullptr;
  dragOverTarget_ = nullptr;
  captured_ = nullptr;
  abandonHandlersOf(this, false);
  if (frame_) frame_->detach(this);
}

void Form::Show() {
  if (!loaded_) Load();
  if (!loaded_) return;
  visible_ = true;
  if (frame_) frame_->formChanged(this);
  if (frame_) frame_->menusChanged(this);
}

void Form::Hide() {
  visible_ = false;
  if (frame_) frame_->formChanged(this);
  if (frame_) frame_->menusChanged(this);
}

void Form::setSize(int w, int h) {
  widthTw_ = w;
  heightTw_ = h;
  invalidate();
}

int Form::pixelWidth() const { return twi(widthTw_); }
int Form::pixelHeight() const { return twi(heightTw_); }

void Form::Move(double left, double top) {
  Left = left;
  Top = top;
  invalidate();
}

void Form::setMousePointer(int p) {
  pointer_ = p;
  invalidate();
}

void Form::Refresh() { invalidate(); }

void Form::invalidate() {
  if (frame_ && visible_) frame_->formChanged(this);
}

void Form::invalidateArea(int x, int y, int width, int height) {
  if (frame_ && visible_) frame_->formAreaChanged(this, twi(Left) + x, twi(Top) + y, width, height);
}

void Form::adopt(std::unique_ptr<Control> c, Control* container) {
  Control* raw = c.get();
  owned_.push_back(std::move(c));
  if (container && container->isContainer()) {
    raw->container_ = container;
    container->children_.push_back(raw);
  } else {
    top_.push_back(raw);
  }
  if (auto* pb = dynamic_cast<PictureBox*>(raw)) pb->Move(pb->Left(), pb->Top(), pb->Width(), pb->Height());
  invalidate();
}

Control* Form::adoptCopy(std::unique_ptr<Control> c, Control* container) {
  Control* raw = c.get();
  adopt(std::move(c), container);
  return raw;
}

void Form::removeControl(Control* c) {
  if (!c) return;
  for (Control* child : std::vector<Control*>(c->children_)) removeControl(child);
  auto& list = c->container_ ? c->container_->children_ : top_;
  list.erase(std::remove(list.begin(), list.end(), c), list.end());
  if (focus_ == c) focus_ = nullptr;
  if (captured_ == c) captured_ = nullptr;
  if (dragSource_ == c) dragSource_ = nullptr;
  if (dragOverTarget_ == c) dragOverTarget_ = nullptr;
  // The object stays until the form dies: a handler up the stack may still hold it.
  c->visible_ = false;
  c->form_ = this;
  c->container_ = nullptr;
  invalidate();
}

Control* Form::find(const std::string& name, int index) const {
  for (auto& c : owned_) {
    if (c->name_ != name) continue;
    bool attached = std::find(top_.begin(), top_.end(), c.get()) != top_.end() || c->container_;
    if (!attached) continue;
    if (index < 0 || c->index_ == index) return c.get();
  }
  return nullptr;
}

std::vector<Control*> Form::controls() const {
  std::vector<Control*> out;
  for (auto& c : owned_) {
    bool attached = std::find(top_.begin(), top_.end(), c.get()) != top_.end() || c->container_;
    if (attached) out.push_back(c.get());
  }
  return out;
}

MenuItem& Form::menu(const std::string& name, const std::string& caption) {
  menus_.push_back(std::make_unique<MenuItem>(this, nullptr, name, -1, caption));
  menusChanged();
  return *menus_.back();
}

MenuItem* Form::findMenu(const std::string& name, int index) const {
  for (auto& m : menus_) {
    if (m->Name() == name && (index < 0 || m->Index() == index)) return m.get();
    if (MenuItem* r = m->find(name, index)) return r;
  }
  return nullptr;
}

void Form::menusChanged() {
  if (frame_ && visible_) frame_->menusChanged(this);
}

static bool parseShortcut(const std::string& s, int& key, int& shift) {
  if (s.empty()) return false;
  shift = 0;
  std::string rest = s;
  auto take = [&](const std::string& prefix, int bit) {
    if (rest.rfind(prefix, 0) == 0) {
      shift |= bit;
      rest = rest.substr(prefix.size());
      return true;
    }
    return false;
  };
  while (take("Ctrl+", 2) || take("Shift+", 1) || take("Alt+", 4)) {
  }
  if (rest.size() == 1) {
    key = std::toupper(static_cast<unsigned char>(rest[0]));
    return true;
  }
  if (rest.size() >= 2 && rest[0] == 'F') {
    key = 111 + std::atoi(rest.c_str() + 1);  // F1 is 112
    return true;
  }
  return false;
}

static MenuItem* shortcutIn(const std::vector<std::unique_ptr<MenuItem>>& list, int keyCode, int shift) {
  for (auto& m : list) {
    int k = 0, s = 0;
    if (parseShortcut(m->Shortcut(), k, s) && k == keyCode && s == shift) return m.get();
    if (MenuItem* r = shortcutIn(m->items(), keyCode, shift)) return r;
  }
  return nullptr;
}

MenuItem* Form::menuForShortcut(int keyCode, int shift) const {
  return shortcutIn(menus_, keyCode, shift);
}

bool StateVar::fits(size_t i, long long v) const {
  if (!set || !values) return false;
  for (const Span& s : values(i))
    if (v >= s.lo && v <= s.hi) return true;
  return false;
}

void Form::exposeState(const std::string& name, StateVar var) {
  // A setter only ever sees values its game can hold; one without them writes nothing.
  if (!var.values) var.set = nullptr;
  if (var.set)
    var.set = [set = std::move(var.set), values = var.values](size_t i, long long v) {
      for (const Span& s : values(i))
        if (v >= s.lo && v <= s.hi) return set(i, v);
    };
  state_[name] = std::move(var);
}

void Form::setFocusControl(TextBox* t) {
  focus_ = t;
  invalidate();
}

// ---- Hit testing and input ----

Control* Form::hitIn(const std::vector<Control*>& list, int x, int y, int ox, int oy) const {
  // Windowed controls lie above windowless ones; later ones above earlier ones.
  for (int pass = 0; pass < 2; ++pass) {
    bool wantWindowless = pass == 1;
    for (auto it = list.rbegin(); it != list.rend(); ++it) {
      Control* c = *it;
      if (!c->visible_ || c->windowless() != wantWindowless || c->mouseTransparent()) continue;
      int l = ox + c->left_, t = oy + c->top_;
      if (x < l || y < t || x >= l + c->width_ || y >= t + c->height_) continue;
      if (c->isContainer()) {
        int cx = l + c->borderWidth(), cy = t + c->borderWidth();
        if (x >= cx && y >= cy && x < cx + c->clientWidth() && y < cy + c->clientHeight())
          if (Control* inner = hitIn(c->children_, x, y, cx, cy)) return inner;
      }
      return c;
    }
  }
  return nullptr;
}

Control* Form::hitTest(int x, int y) const {
  if (x < 0 || y < 0 || x >= pixelWidth() || y >= pixelHeight()) return nullptr;
  return hitIn(top_, x, y, 0, 0);
}

Control* Form::inputTarget(Control* hit) const {
  // Input inside a disabled control goes to the container above the outermost disabled one;
  // input inside a disabled board reaches the window itself.
  Control* target = hit;
  for (Control* c = hit; c; c = c->container_)
    if (!c->enabled_) target = c->container_;
  if (target && !target->enabled_) return nullptr;
  return target;
}

int Form::pointerAt(int x, int y, PicHandle* icon) const {
  Control* t = inputTarget(hitTest(x, y));
  if (t && t->pointer_ != 0) {
    if (icon) *icon = t->mouseIcon_;
    return t->pointer_;
  }
  if (icon) *icon = MouseIcon;
  return pointer_;
}

void Form::toLocal(const Control* c, int fx, int fy, float& x, float& y) const {
  double scale = 15.0;
  int ox = 0, oy = 0;
  if (c) {
    scale = c->eventScale();
    if (c->isContainer()) {
      c->clientOrigin(ox, oy);
    } else {
      c->clientOrigin(ox, oy);  // a plain control reports relative to itself
    }
  } else {
    scale = ScaleModeValue == kPixels ? 1.0 : ScaleModeValue == kPoints ? 0.75 : 15.0;
  }
  x = static_cast<float>((fx - ox) * scale);
  y = static_cast<float>((fy - oy) * scale);
}

static bool containsPoint(const Control* c, int fx, int fy) {
  int ox, oy;
  c->clientOrigin(ox, oy);
  ox -= c->borderWidth();
  oy -= c->borderWidth();
  return fx >= ox && fy >= oy && fx < ox + c->Width() && fy < oy + c->Height();
}

void Form::fireMouse(Control* target, int kind, int x, int y, int button, int shift) {
  float lx, ly;
  toLocal(target, x, y, lx, ly);
  const MouseHandler* h = nullptr;
  if (target)
    h = kind == kDown ? &target->MouseDown : kind == kMove ? &target->MouseMove : &target->MouseUp;
  else
    h = kind == kDown ? &Form_MouseDown : kind == kMove ? &Form_MouseMove : &Form_MouseUp;
  if (*h) {
    MouseHandler copy = *h;
    dispatch(this, [&] { copy(button, shift, lx, ly); });
  }
}

void Form::mouseDown(int x, int y, int button, int shift) {
  if (!loaded_) return;
  Hold hold(this);
  dragX_ = x;
  dragY_ = y;
  if (dragSource_) return;
  Control* target = inputTarget(hitTest(x, y));
  if (target && dynamic_cast<TextBox*>(target)) setFocusControl(static_cast<TextBox*>(target));
  if (button == 1 && target && target->dragMode_ == 1) {
    beginDrag(target);
    return;
  }
  captured_ = target;
  capturedForm_ = target == nullptr;
  capturedButton_ = button;
  fireMouse(target, kDown, x, y, button, shift);
}

void Form::mouseMove(int x, int y, int buttons, int shift) {
  if (!loaded_) return;
  Hold hold(this);
  dragX_ = x;
  dragY_ = y;
  if (dragSource_) {
    dragTo(x, y);
    return;
  }
  Control* target = (captured_ || capturedForm_) ? captured_ : inputTarget(hitTest(x, y));
  fireMouse(target, kMove, x, y, buttons, shift);
}

void Form::mouseUp(int x, int y, int button, int shift) {
  if (!loaded_) return;
  Hold hold(this);
  dragX_ = x;
  dragY_ = y;
  if (dragSource_) {
    if (button == 1) dropNow();
    return;
  }
  bool wasCaptured = (captured_ || capturedForm_) && button == capturedButton_;
  Control* target = wasCaptured ? captured_ : inputTarget(hitTest(x, y));
  if (wasCaptured) {
    captured_ = nullptr;
    capturedForm_ = false;
  }
  fireMouse(target, kUp, x, y, button, shift);
  if (!loaded_ || (button != 1 && button != 2)) return;
  // Click only when released over the pressed control (still attached and enabled).
  if (target) {
    if (!wasCaptured || target->form_ != this || !target->effectivelyVisible() ||
        !target->effectivelyEnabled() || !containsPoint(target, x, y))
      return;
    if (target->Click) {
      auto h = target->Click;
      dispatch(this, [&] { h(); });
    }
  } else if (wasCaptured && Form_Click) {
    if (x < 0 || y < 0 || x >= pixelWidth() || y >= pixelHeight()) return;
    auto h = Form_Click;
    dispatch(this, [&] { h(); });
  }
}

// ---- Drag and drop ----

void Form::beginDrag(Control* c) {
  if (!c || c->form_ != this) return;
  dragSource_ = c;
  dragOverTarget_ = nullptr;
  dragOverForm_ = false;
  captured_ = nullptr;
  capturedForm_ = false;
  dragTo(dragX_, dragY_);
}

void Form::cancelDrag() {
  dragSource_ = nullptr;
  dragOverTarget_ = nullptr;
  dragOverForm_ = false;
  invalidate();
}

void Form::dragTo(int x, int y) {
  if (!dragSource_) return;
  Control* src = dragSource_;
  bool inside = x >= 0 && y >= 0 && x < pixelWidth() && y < pixelHeight();
  Control* t = inside ? inputTarget(hitTest(x, y)) : nullptr;
  bool overForm = inside && t == nullptr;
  auto send = [&](Control* target, bool toForm, int state) {
    float lx, ly;
    toLocal(target, x, y, lx, ly);
    DragOverHandler h = target ? target->DragOver : (toForm ? Form_DragOver : nullptr);
    if (h) dispatch(this, [&] { h(src, lx, ly, state); });
  };
  bool same = (t == dragOverTarget_) && (overForm == dragOverForm_) && (t || overForm);
  if (same) {
    send(t, overForm, kDragOver);
  } else {
    if (dragOverTarget_ || dragOverForm_) {
      Control* old = dragOverTarget_;
      bool oldForm = dragOverForm_;
      dragOverTarget_ = nullptr;
      dragOverForm_ = false;
      send(old, oldForm, kDragLeave);
      if (dragSource_ != src) return;  // cancelled in the handler
    }
    dragOverTarget_ = t;
    dragOverForm_ = overForm;
    if (t || overForm) send(t, overForm, kDragEnter);
  }
  invalidate();
}

void Form::dropNow() {
  if (!dragSource_) return;
  Control* src = dragSource_;
  int x = dragX_, y = dragY_;
  // The drag ends before the drop runs: the next drag starts from nothing.
  dragSource_ = nullptr;
  dragOverTarget_ = nullptr;
  dragOverForm_ = false;
  invalidate();
  bool inside = x >= 0 && y >= 0 && x < pixelWidth() && y < pixelHeight();
  if (!inside) return;
  Control* t = inputTarget(hitTest(x, y));
  float lx, ly;
  toLocal(t, x, y, lx, ly);
  DragDropHandler h = t ? t->DragDrop : Form_DragDrop;
  if (h) dispatch(this, [&] { h(src, lx, ly); });
}

// ---- Keys ----

void Form::keyDown(int keyCode, int shift) {
  if (!loaded_) return;
  Hold hold(this);
  if (MenuItem* m = menuForShortcut(keyCode, shift)) {
    if (m->effectivelyEnabled()) dispatch(this, [&] { m->fireClick(); });
    return;
  }
  int code = keyCode;
  if (KeyPreview && Form_KeyDown) {
    auto h = Form_KeyDown;
    dispatch(this, [&] { h(code, shift); });
    if (code == 0 || !loaded_) return;
  }
  if (focus_ && focus_->KeyDown && focus_->effectivelyEnabled()) {
    auto h = focus_->KeyDown;
    dispatch(this, [&] { h(code, shift); });
  } else if (!KeyPreview && !focus_ && Form_KeyDown) {
    auto h = Form_KeyDown;
    dispatch(this, [&] { h(code, shift); });
  }
}

void Form::keyUp(int keyCode, int shift) {
  if (!loaded_) return;
  Hold hold(this);
  int code = keyCode;
  if (KeyPreview && Form_KeyUp) {
    auto h = Form_KeyUp;
    dispatch(this, [&] { h(code, shift); });
    if (code == 0 || !loaded_) return;
  }
  if (focus_ && focus_->KeyUp && focus_->effectivelyEnabled()) {
    auto h = focus_->KeyUp;
    dispatch(this, [&] { h(code, shift); });
  } else if (!KeyPreview && !focus_ && Form_KeyUp) {
    auto h = Form_KeyUp;
    dispatch(this, [&] { h(code, shift); });
  }
}

void Form::keyPress(int keyAscii, const std::string& text) {
  if (!loaded_) return;
  Hold hold(this);
  int key = keyAscii;
  if ((KeyPreview || !focus_) && Form_KeyPress) {
    auto h = Form_KeyPress;
    dispatch(this, [&] { h(key); });
    if (key == 0 || !loaded_) return;
  }
  TextBox* t = focus_;
  if (!t || !t->effectivelyEnabled() || !t->effectivelyVisible()) return;
  if (t->KeyPress) {
    auto h = t->KeyPress;
    dispatch(this, [&] { h(key); });
    if (key == 0 || !loaded_ || focus_ != t) return;
  }
  dispatch(this, [&] {
    if (key == keyAscii && !text.empty())
      t->typeText(text);
    else
      t->typeChar(key);
  });
}

}  // namespace rt

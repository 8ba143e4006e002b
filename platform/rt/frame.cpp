#include "rt/frame.h"

#include <algorithm>

#include <xcb/xcb.h>

#include <QAbstractNativeEventFilter>
#include <QApplication>
#include <QCloseEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <QVBoxLayout>

#include "rt/dispatch.h"
#include "rt/form.h"
#include "rt/frame_window.h"
#include "rt/host.h"
#include "rt/keys.h"
#include "rt/numbers.h"
#include "rt/stray_input.h"

namespace rt {

namespace {
Frame* g_frame = nullptr;
}

Frame& frame() {
  if (!g_frame) {
    static Frame fallback;
    g_frame = &fallback;
  }
  return *g_frame;
}

void setFrame(Frame* f) { g_frame = f; }

// ---- The client area widget ----

class ClientArea : public QWidget {
 public:
  explicit ClientArea(Frame& f) : QWidget(nullptr), frame_(f) {
    setFixedSize(kClientWidth, kClientHeight);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
  }

 protected:
  void paintEvent(QPaintEvent* e) override {
    QPainter p(this);
    p.setClipRegion(e->region());
    frame_.paintClient(p);
    if (frame_.firstGamePaint && showsGame(e->region())) {
      auto once = std::move(frame_.firstGamePaint);
      frame_.firstGamePaint = nullptr;
      once();
    }
  }
  void mousePressEvent(QMouseEvent* e) override { forward(0, e); }
  void mouseDoubleClickEvent(QMouseEvent* e) override { forward(0, e); }
  void mouseMoveEvent(QMouseEvent* e) override {
    forward(1, e);
    updateCursor(e->position().toPoint());
  }
  void mouseReleaseEvent(QMouseEvent* e) override { forward(2, e); }

 private:
  static int button(Qt::MouseButton b) {
    switch (b) {
      case Qt::LeftButton: return vbLeftButton;
      case Qt::RightButton: return vbRightButton;
      case Qt::MiddleButton: return vbMiddleButton;
      default: return 0;
    }
  }
  static int buttons(Qt::MouseButtons b) {
    return (b & Qt::LeftButton ? 1 : 0) | (b & Qt::RightButton ? 2 : 0) | (b & Qt::MiddleButton ? 4 : 0);
  }
  void forward(int type, QMouseEvent* e) {
    QPoint pt = e->position().toPoint();
    frame_.clientMouse(type, pt.x(), pt.y(), button(e->button()), buttons(e->buttons()),
                       toShift(e->modifiers()));
  }
  void updateCursor(QPoint pt) {
    Form* f = frame_.activeForm();
    if (!f) {
      unsetCursor();
      return;
    }
    PicHandle icon;
    int ptr = f->pointerAt(pt.x() - twi(f->Left), pt.y() - twi(f->Top), &icon);
    if (ptr == kHourglass)
      setCursor(Qt::WaitCursor);
    else if (ptr == kCrossPointer)
      setCursor(Qt::CrossCursor);
    else if (ptr == kCustomPointer && icon)
      setCursor(QCursor(QPixmap::fromImage(icon->image()), icon->width() / 2, icon->height() / 2));
    else
      unsetCursor();
  }
  // Whether this paint drew a game window: the frame alone paints before one shows.
  bool showsGame(const QRegion& painted) const {
    Form* f = frame_.activeForm();
    return f && painted.intersects(QRect(twi(f->Left), twi(f->Top), f->pixelWidth(), f->pixelHeight()));
  }
  Frame& frame_;
};

// ---- Frame model ----

Frame::Frame() : caption_("") {}

Frame::~Frame() {
  for (Form* f : forms_) f->setFrame(nullptr);
  delete window_;
  if (g_frame == this) g_frame = nullptr;
}

void Frame::setCaption(const std::string& c) {
  caption_ = c;
  host().note("caption", c);
  if (window_) window_->setWindowTitle(QString::fromStdString(c));
}

void Frame::setSize(int w, int h) {
  widthTw_ = w;
  heightTw_ = h;
  if (window_) window_->applyFixedSize();
}

void Frame::lockStyle() {
  // The window is made without a maximise box or sizing border; this puts the size back.
  if (window_) window_->applyFixedSize();
}

int Frame::WindowState() const {
  if (window_ && window_->isMinimized()) return 1;
  return 0;
}

void Frame::setIcon(const PicHandle& icon) {
  if (window_ && icon) window_->setWindowIcon(QIcon(QPixmap::fromImage(icon->image())));
}

MenuItem& Frame::ownMenu(const std::string& name, const std::string& caption) {
  if (!ownMenuRoot_) ownMenuRoot_ = std::make_unique<MenuItem>(nullptr, nullptr, "", -1, "");
  MenuItem& m = ownMenuRoot_->add(name, caption);
  menusChanged(nullptr);
  return m;
}

void Frame::attach(Form* f) {
  if (std::find(forms_.begin(), forms_.end(), f) == forms_.end()) forms_.push_back(f);
  f->setFrame(this);
}

void Frame::detach(Form* f) {
  forms_.erase(std::remove(forms_.begin(), forms_.end(), f), forms_.end());
  if (mouseForm_ == f) mouseForm_ = nullptr;
  f->setFrame(nullptr);
  formChanged(nullptr);
  menusChanged(nullptr);
}

Form* Frame::activeForm() const {
  for (auto it = forms_.rbegin(); it != forms_.rend(); ++it)
    if ((*it)->Visible() && (*it)->isLoaded()) return *it;
  return nullptr;
}

void Frame::formChanged(Form*) {
  if (window_) window_->updateClient();
}

void Frame::formAreaChanged(Form*, int x, int y, int width, int height) {
  if (window_) window_->updateClient(x, y, width, height);
}

void Frame::menusChanged(Form*) {
  if (window_) window_->scheduleMenuRebuild();
}

std::vector<const MenuItem*> Frame::currentMenus() const {
  std::vector<const MenuItem*> out;
  if (Form* f = activeForm()) {
    for (auto& m : f->menus()) out.push_back(m.get());
  } else if (ownMenuRoot_) {
    for (auto& m : ownMenuRoot_->items()) out.push_back(m.get());
  }
  return out;
}

FrameWindow* Frame::window() {
  if (!window_) window_ = new FrameWindow(*this);
  return window_;
}

void Frame::show() {
  window()->show();
}

void Frame::close() {
  if (closed_) return;
  if (QueryUnload) dispatch(nullptr, QueryUnload);
  closed_ = true;
  abandonAll();
  if (window_ && !window_->lost()) window_->hide();
  if (auto* app = QCoreApplication::instance()) {
    QCoreApplication::exit(0);
    // A close while the start-up pumps, before the event loop runs, ends that loop as it starts.
    QMetaObject::invokeMethod(app, [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
  }
}

QImage Frame::renderClient() const {
  QImage img(kClientWidth, kClientHeight, QImage::Format_RGB32);
  QPainter p(&img);
  paintClient(p);
  return img;
}

void Frame::paintClient(QPainter& p) const {
  p.fillRect(0, 0, kClientWidth, kClientHeight, toQColor(kAppWorkspace));
  if (Picture) p.drawImage(0, 0, Picture->image());
  for (Form* f : forms_) {
    if (!f->Visible() || !f->isLoaded()) continue;
    p.save();
    p.translate(twi(f->Left), twi(f->Top));
    f->paint(p);
    p.restore();
  }
}

QImage Frame::renderFrame() {
  if (window_ && window_->isVisible()) return window_->grab().toImage();
  // A drawn caption line and menu bar over the client area.
  const int capH = 22, barH = 20;
  QImage img(kClientWidth, kClientHeight + capH + barH, QImage::Format_RGB32);
  img.fill(QColor(240, 240, 240));
  QPainter p(&img);
  p.fillRect(0, 0, img.width(), capH, QColor(40, 70, 140));
  QFont f("DejaVu Sans");
  f.setPixelSize(12);
  p.setFont(f);
  p.setPen(Qt::white);
  p.drawText(QRect(6, 0, img.width() - 12, capH), Qt::AlignVCenter, QString::fromStdString(caption_));
  p.setPen(Qt::black);
  int x = 6;
  for (const MenuItem* m : currentMenus()) {
    if (!m->Visible()) continue;
    QString t = QString::fromStdString(m->Caption()).remove('&');
    p.setPen(m->Enabled() ? Qt::black : Qt::gray);
    p.drawText(QRect(x, capH, 200, barH), Qt::AlignVCenter, t);
    x += QFontMetrics(f).horizontalAdvance(t) + 14;
  }
  p.drawImage(0, capH + barH, renderClient());
  return img;
}

void Frame::clientMouse(int type, int x, int y, int button, int buttons, int shift) {
  if (closed_) return;
  Form* f = nullptr;
  if (mouseForm_ && (type != 0 || mouseForm_->dragging())) f = mouseForm_;
  if (!f) {
    for (auto it = forms_.rbegin(); it != forms_.rend(); ++it) {
      Form* c = *it;
      if (!c->Visible() || !c->isLoaded()) continue;
      int lx = x - twi(c->Left), ly = y - twi(c->Top);
      if (lx >= 0 && ly >= 0 && lx < c->pixelWidth() && ly < c->pixelHeight()) {
        f = c;
        break;
      }
    }
  }
  if (!f) return;
  int lx = x - twi(f->Left), ly = y - twi(f->Top);
  if (type == 0) {
    mouseForm_ = f;
    f->mouseDown(lx, ly, button, shift);
  } else if (type == 1) {
    f->mouseMove(lx, ly, buttons, shift);
  } else {
    if (buttons == 0) mouseForm_ = nullptr;
    f->mouseUp(lx, ly, button, shift);
  }
}

void Frame::clientKey(int type, int keyCode, int shift, int keyAscii, const std::string& text) {
  if (closed_) return;
  Form* f = activeForm();
  if (!f) return;
  if (type == 0) {
    f->keyDown(keyCode, shift);
    if (keyAscii && f->isLoaded() && !(shift & vbCtrlMask)) f->keyPress(keyAscii, text);
  } else {
    f->keyUp(keyCode, shift);
  }
}

// ---- The Qt window ----

int toShift(Qt::KeyboardModifiers m) {
  return (m & Qt::ShiftModifier ? vbShiftMask : 0) | (m & Qt::ControlModifier ? vbCtrlMask : 0) |
         (m & Qt::AltModifier ? vbAltMask : 0);
}

int toKeyCode(int k, bool keypad) {
  if (k >= Qt::Key_0 && k <= Qt::Key_9) return keypad ? vbKeyNumpad0 + (k - Qt::Key_0) : k;
  if (k >= Qt::Key_A && k <= Qt::Key_Z) return k;
  if (k >= Qt::Key_F1 && k <= Qt::Key_F24) return vbKeyF1 + (k - Qt::Key_F1);
  switch (k) {
    case Qt::Key_Backspace: return vbKeyBack;
    case Qt::Key_Tab: return vbKeyTab;
    case Qt::Key_Return:
    case Qt::Key_Enter: return vbKeyReturn;
    case Qt::Key_Shift: return vbKeyShift;
    case Qt::Key_Control: return vbKeyControl;
    case Qt::Key_Alt: return vbKeyMenu;
    case Qt::Key_Escape: return vbKeyEscape;
    case Qt::Key_Space: return vbKeySpace;
    case Qt::Key_PageUp: return vbKeyPageUp;
    case Qt::Key_PageDown: return vbKeyPageDown;
    case Qt::Key_End: return vbKeyEnd;
    case Qt::Key_Home: return vbKeyHome;
    case Qt::Key_Left: return vbKeyLeft;
    case Qt::Key_Up: return vbKeyUp;
    case Qt::Key_Right: return vbKeyRight;
    case Qt::Key_Down: return vbKeyDown;
    case Qt::Key_Insert: return vbKeyInsert;
    case Qt::Key_Delete: return vbKeyDelete;
    default: return 0;
  }
}

namespace {
// A window destroyed by another client (a window manager's forced close, `xdotool windowclose`)
// only shows as the X server's notice; Qt tells the widget nothing.
class WindowLossWatch : public QAbstractNativeEventFilter {
 public:
  explicit WindowLossWatch(FrameWindow& w) : w_(w) {}
  bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override {
    if (type != "xcb_generic_event_t") return false;
    const auto* ev = static_cast<const xcb_generic_event_t*>(message);
    if ((ev->response_type & 0x7f) != XCB_DESTROY_NOTIFY) return false;
    const WId id = w_.internalWinId();
    if (id && static_cast<const xcb_destroy_notify_event_t*>(message)->window == id) w_.windowLost();
    return false;
  }

 private:
  FrameWindow& w_;
};
}  // namespace

FrameWindow::FrameWindow(Frame& frame) : QWidget(nullptr), frame_(frame) {
  if (auto* app = QCoreApplication::instance()) {
    lossWatch_ = std::make_unique<WindowLossWatch>(*this);
    app->installNativeEventFilter(lossWatch_.get());
    strayInput_ = std::make_unique<StrayInput>();
    app->installNativeEventFilter(strayInput_.get());
  }
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  bar_ = new QMenuBar(this);
  bar_->setNativeMenuBar(false);
  client_ = new ClientArea(frame_);
  client_->setParent(this);
  layout->setMenuBar(bar_);
  layout->addWidget(client_);
  setWindowTitle(QString::fromStdString(frame_.Caption()));
  rebuildMenus();
  applyFixedSize();
  setFocusProxy(client_);
}

FrameWindow::~FrameWindow() {
  if (auto* app = QCoreApplication::instance())
    for (auto* f : {lossWatch_.get(), strayInput_.get()})
      if (f) app->removeNativeEventFilter(f);
}

void FrameWindow::windowLost() {
  if (lost_) return;
  lost_ = true;
  frame_.close();
}

void FrameWindow::applyFixedSize() {
  int h = kClientHeight + bar_->sizeHint().height();
  if (width() != kClientWidth || height() != h || minimumWidth() != kClientWidth) setFixedSize(kClientWidth, h);
}

void FrameWindow::updateClient() { client_->update(); }
void FrameWindow::updateClient(int x, int y, int width, int height) { client_->update(x, y, width, height); }

void FrameWindow::scheduleMenuRebuild() {
  if (rebuildPending_) return;
  rebuildPending_ = true;
  QTimer::singleShot(0, this, [this] { rebuildMenus(); });
}

static bool menuStillThere(const MenuItem* target, const std::vector<const MenuItem*>& roots) {
  std::vector<const MenuItem*> todo(roots.begin(), roots.end());
  while (!todo.empty()) {
    const MenuItem* m = todo.back();
    todo.pop_back();
    if (m == target) return true;
    for (auto& c : m->items()) todo.push_back(c.get());
  }
  return false;
}

// Runs the handler of a chosen menu item from the event loop, not from inside the menu's own
// code. Input that the window system has already queued behind the choice (a drag made right
// after it) waits until the handler has begun, as if it came then, instead of reaching the
// window before the choice acts.
static void runChoice(const MenuItem* target, Form* owner, Frame& frame) {
  host().holdInput();
  QTimer::singleShot(0, [target, owner, &frame] {
    host().releaseInput();
    if (owner && (frame.activeForm() != owner || !owner->isLoaded())) return;
    if (!menuStillThere(target, frame.currentMenus())) return;
    if (!target->effectivelyEnabled()) return;
    dispatch(owner, [target] { const_cast<MenuItem*>(target)->fireClick(); });
  });
}

static void fillMenu(QMenu* menu, const MenuItem& item, Frame& frame);

static void addItem(QMenu* menu, const MenuItem& m, Frame& frame) {
  if (!m.Visible()) return;
  if (m.isSeparator()) {
    menu->addSeparator();
    return;
  }
  QString text = QString::fromStdString(m.Caption());
  if (!m.items().empty()) {
    QMenu* sub = menu->addMenu(text);
    sub->setEnabled(m.Enabled());
    fillMenu(sub, m, frame);
    return;
  }
  if (!m.Shortcut().empty()) text += "\t" + QString::fromStdString(m.Shortcut());
  QAction* a = menu->addAction(text);
  a->setEnabled(m.Enabled());
  a->setCheckable(m.Checked());
  a->setChecked(m.Checked());
  const MenuItem* target = &m;
  Form* owner = frame.activeForm();
  QObject::connect(a, &QAction::triggered, a, [a, target, owner, &frame] {
    a->setChecked(target->Checked());  // a click never toggles a mark by itself
    runChoice(target, owner, frame);
  });
}

static void fillMenu(QMenu* menu, const MenuItem& item, Frame& frame) {
  for (auto& c : item.items()) addItem(menu, *c, frame);
}

// What the bar is built from: every item as the player sees it, and the objects its actions
// call back (the items and the window that owns them).
static void describe(const MenuItem& m, std::string& out) {
  out += std::to_string(reinterpret_cast<uintptr_t>(&m));
  out += m.Visible() ? 'v' : '-';
  out += m.Enabled() ? 'e' : '-';
  out += m.Checked() ? 'c' : '-';
  out += m.isSeparator() ? 's' : '-';
  out += m.Caption();
  out += '\t';
  out += m.Shortcut();
  out += '{';
  for (auto& c : m.items()) describe(*c, out);
  out += '}';
}

static std::string menuShape(const std::vector<const MenuItem*>& roots, const Form* owner) {
  std::string out = std::to_string(reinterpret_cast<uintptr_t>(owner));
  for (const MenuItem* m : roots) describe(*m, out);
  return out;
}

// The menu of the bar that the player has open, if any.
static QMenu* openMenuOf(QMenuBar* bar) {
  auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
  for (QObject* o = menu; o; o = o->parent())
    if (o == bar) return menu;
  return nullptr;
}

void FrameWindow::rebuildMenus() {
  rebuildPending_ = false;
  // A window shown again (the frame's activation re-opens its game) gives the same menus: the bar
  // stays, with whatever menu the player has open in it.
  const std::string shape = menuShape(frame_.currentMenus(), frame_.activeForm());
  if (bar_ && shape == builtShape_) return;
  // A new bar would close the menu the player is in: it is built once that menu has closed. Its
  // items meanwhile check, when chosen, that they are still there and enabled.
  if (QMenu* open = openMenuOf(bar_)) {
    rebuildPending_ = true;
    connect(open, &QMenu::aboutToHide, this, [this] {
      rebuildPending_ = false;
      scheduleMenuRebuild();
    }, Qt::SingleShotConnection);
    return;
  }
  builtShape_ = shape;
  auto* old = bar_;
  auto* bar = new QMenuBar(this);
  bar->setNativeMenuBar(false);
  for (const MenuItem* m : frame_.currentMenus()) {
    if (!m->Visible()) continue;
    if (m->items().empty()) {
      QAction* a = bar->addAction(QString::fromStdString(m->Caption()));
      a->setEnabled(m->Enabled());
      const MenuItem* target = m;
      Form* owner = frame_.activeForm();
      Frame& fr = frame_;
      QObject::connect(a, &QAction::triggered, a, [target, owner, &fr] { runChoice(target, owner, fr); });
      continue;
    }
    QMenu* menu = bar->addMenu(QString::fromStdString(m->Caption()));
    menu->setEnabled(m->Enabled());
    fillMenu(menu, *m, frame_);
  }
  static_cast<QVBoxLayout*>(layout())->setMenuBar(bar);
  bar_ = bar;
  // Placed and shown now, not at the layout's next pass: a click that comes before that (from
  // the window system or replayed after a clip) would find no bar at all.
  layout()->invalidate();
  layout()->activate();
  bar->show();
  old->hide();
  old->deleteLater();
  applyFixedSize();
}

void FrameWindow::closeEvent(QCloseEvent* e) {
  e->ignore();
  frame_.close();
}

bool FrameWindow::event(QEvent* e) {
  if (e->type() == QEvent::WindowActivate && frame_.Activate && !frame_.closed()) {
    auto h = frame_.Activate;
    QTimer::singleShot(0, this, [this, h] {
      if (!frame_.closed()) dispatch(nullptr, h);
    });
  }
  return QWidget::event(e);
}

void FrameWindow::resizeEvent(QResizeEvent* e) {
  QWidget::resizeEvent(e);
  if (frame_.Resize && !frame_.closed()) {
    auto h = frame_.Resize;
    QTimer::singleShot(0, this, [this, h] {
      if (!frame_.closed()) dispatch(nullptr, h);
    });
  }
}

void FrameWindow::changeEvent(QEvent* e) {
  QWidget::changeEvent(e);
  if (e->type() == QEvent::WindowStateChange) {
    bool minimised = isMinimized();
    if (wasMinimised_ && !minimised && frame_.Resize && !frame_.closed()) {
      auto h = frame_.Resize;
      QTimer::singleShot(0, this, [this, h] {
        if (!frame_.closed()) dispatch(nullptr, h);
      });
    }
    wasMinimised_ = minimised;
  }
}

void FrameWindow::keyPressEvent(QKeyEvent* e) {
  int code = toKeyCode(e->key(), e->modifiers() & Qt::KeypadModifier);
  // Whole characters, not UTF-16 units: an emoji is one character of two units.
  const QList<uint> chars = e->text().toUcs4();
  int ascii = chars.isEmpty() ? 0 : static_cast<int>(chars.front());
  if (ascii == 127) ascii = 8;
  if (code == 0 && ascii == 0) return;
  frame_.clientKey(0, code, toShift(e->modifiers()), ascii, chars.size() > 1 ? e->text().toStdString() : std::string());
}

void FrameWindow::keyReleaseEvent(QKeyEvent* e) {
  if (e->isAutoRepeat()) return;  // repeats come as key-downs only
  int code = toKeyCode(e->key(), e->modifiers() & Qt::KeypadModifier);
  if (code) frame_.clientKey(1, code, toShift(e->modifiers()), 0);
}

}  // namespace rt

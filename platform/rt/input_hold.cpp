#include "rt/input_hold.h"

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointingDevice>
#include <QWheelEvent>

#include "rt/dispatch.h"

namespace rt {

namespace {

bool isMouse(QEvent::Type t) {
  switch (t) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::NonClientAreaMouseButtonPress:
    case QEvent::NonClientAreaMouseButtonRelease:
    case QEvent::NonClientAreaMouseButtonDblClick:
    case QEvent::NonClientAreaMouseMove:
      return true;
    default:
      return false;
  }
}

bool isDoubleClick(QEvent::Type t) {
  return t == QEvent::MouseButtonDblClick || t == QEvent::NonClientAreaMouseButtonDblClick;
}

// Mouse input made again as the window system made it. A press that is the first half of a
// double-click is not given to the widgets, which take the double-click that follows instead; as
// a plain press the button would act twice (a menu opened and closed again at once).
class ReplayedMouse : public QMouseEvent {
 public:
  using QMouseEvent::QMouseEvent;
  void markDoubleClick() { m_doubleClick = true; }
};

bool isKey(QEvent::Type t) { return t == QEvent::KeyPress || t == QEvent::KeyRelease; }

}  // namespace

std::unique_ptr<HeldInput> HeldInput::from(QWindow* target, const QEvent& e) {
  const QEvent::Type t = e.type();
  if (!isMouse(t) && !isKey(t) && t != QEvent::Wheel && t != QEvent::ContextMenu) return nullptr;
  auto h = std::make_unique<HeldInput>();
  h->type = t;
  h->window = target;
  const auto& input = static_cast<const QInputEvent&>(e);
  h->device = input.device();
  h->timestamp = input.timestamp();
  h->modifiers = input.modifiers();  // as sent: a key event's own modifiers() adjusts them for its key
  if (isMouse(t) || t == QEvent::Wheel) {
    const auto& p = static_cast<const QSinglePointEvent&>(e);
    h->position = p.position();
    h->scenePosition = p.scenePosition();
    h->globalPosition = p.globalPosition();
    h->button = p.button();
    h->buttons = p.buttons();
  }
  if (isMouse(t)) h->source = static_cast<const QMouseEvent&>(e).source();
  if (t == QEvent::Wheel) {
    const auto& w = static_cast<const QWheelEvent&>(e);
    h->pixelDelta = w.pixelDelta();
    h->angleDelta = w.angleDelta();
    h->phase = w.phase();
    h->inverted = w.inverted();
    h->source = w.source();
  }
  if (isKey(t)) {
    const auto& k = static_cast<const QKeyEvent&>(e);
    h->key = k.key();
    h->scanCode = k.nativeScanCode();
    h->virtualKey = k.nativeVirtualKey();
    h->nativeModifiers = k.nativeModifiers();
    h->text = k.text();
    h->autoRepeat = k.isAutoRepeat();
    h->count = static_cast<quint16>(k.count());
  }
  if (t == QEvent::ContextMenu) {
    const auto& c = static_cast<const QContextMenuEvent&>(e);
    h->position = h->scenePosition = c.pos();
    h->globalPosition = c.globalPos();
    h->reason = c.reason();
  }
  return h;
}

std::pair<QWindow*, std::unique_ptr<QEvent>> HeldInput::make() const {
  QWindow* to = window && window->isVisible() ? window.data() : nullptr;
  QPointF local = position, scene = scenePosition;
  if (!to && isKey(type)) {
    to = QGuiApplication::focusWindow();
  } else if (!to) {
    // A popup that has closed meanwhile: the window that is at that place now takes it.
    to = QGuiApplication::topLevelAt(globalPosition.toPoint());
    if (to) local = scene = to->mapFromGlobal(globalPosition);
  }
  if (!to) return {};
  auto pointer = qobject_cast<const QPointingDevice*>(device.data());
  if (!pointer) pointer = QPointingDevice::primaryPointingDevice();
  std::unique_ptr<QInputEvent> e;
  if (isMouse(type)) {
    auto mouse = std::make_unique<ReplayedMouse>(type, local, scene, globalPosition, button, buttons, modifiers, source,
                                                 pointer);
    if (doubleClick) mouse->markDoubleClick();
    e = std::move(mouse);
  } else if (type == QEvent::Wheel) {
    e = std::make_unique<QWheelEvent>(local, globalPosition, pixelDelta, angleDelta, buttons, modifiers, phase,
                                      inverted, source, pointer);
  } else if (isKey(type)) {
    e = std::make_unique<QKeyEvent>(type, key, modifiers, scanCode, virtualKey, nativeModifiers, text, autoRepeat,
                                    count, device ? device.data() : QInputDevice::primaryKeyboard());
  } else {
    e = std::make_unique<QContextMenuEvent>(static_cast<QContextMenuEvent::Reason>(reason), local.toPoint(),
                                            globalPosition.toPoint(), modifiers);
  }
  e->setTimestamp(timestamp);
  return {to, std::move(e)};
}

InputHold::InputHold() { QCoreApplication::instance()->installEventFilter(this); }

InputHold::~InputHold() {
  if (QCoreApplication::instance()) QCoreApplication::instance()->removeEventFilter(this);
}

bool InputHold::eventFilter(QObject* target, QEvent* e) {
  if (e == replaying_ || !target->isWindowType()) return false;
  // Once input waits, later input queues behind it until the queue is empty.
  if (holds_ == 0 && queue_.empty()) return false;
  auto held = HeldInput::from(static_cast<QWindow*>(target), *e);
  if (!held) return false;
  // The window system sends a double-click right after the press it completes.
  if (isDoubleClick(held->type) && !queue_.empty() && queue_.back()->window == held->window &&
      queue_.back()->button == held->button &&
      queue_.back()->type == (held->type == QEvent::MouseButtonDblClick ? QEvent::MouseButtonPress
                                                                        : QEvent::NonClientAreaMouseButtonPress))
    queue_.back()->doubleClick = true;
  if (!closing()) queue_.push_back(std::move(held));
  return true;
}

void InputHold::release() {
  if (--holds_ == 0 && !queue_.empty()) schedule();
}

namespace {
const QEvent::Type kDeliver = static_cast<QEvent::Type>(QEvent::registerEventType());
}

void InputHold::schedule() {
  if (scheduled_) return;
  scheduled_ = true;
  // Behind whatever the event delivered before posts meanwhile (a menu item runs its handler
  // from a posted call), so a menu choice acts before the input that was made after it.
  QCoreApplication::postEvent(this, new QEvent(kDeliver), Qt::LowEventPriority);
}

bool InputHold::event(QEvent* e) {
  if (e->type() != kDeliver) return QObject::event(e);
  deliverNext();
  return true;
}

void InputHold::deliverNext() {
  scheduled_ = false;
  if (closing()) {
    queue_.clear();
    return;
  }
  if (holds_ > 0 || queue_.empty()) return;
  const std::unique_ptr<HeldInput> held = std::move(queue_.front());
  queue_.pop_front();
  // The next one waits for the next pass, so a handler that this one starts pumps it as it
  // would pump input that comes in while it runs.
  if (!queue_.empty()) schedule();
  auto [to, event] = held->make();
  if (!to) return;
  // Sent to the window as the window system's own input is: with a popup menu open, the window
  // hands it to the popup by its place on the screen.
  QEvent* outer = std::exchange(replaying_, event.get());
  QCoreApplication::sendEvent(to, event.get());
  replaying_ = outer;
}

}  // namespace rt

#include "rt/input_hold.h"

#include <QCoreApplication>
#include <QEvent>

#include "rt/dispatch.h"

namespace rt {

namespace {
// What the user does; window-level deliveries only (a window passes them on to its widgets).
bool isInput(QEvent::Type t) {
  switch (t) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::NonClientAreaMouseButtonPress:
    case QEvent::NonClientAreaMouseButtonRelease:
    case QEvent::NonClientAreaMouseButtonDblClick:
    case QEvent::NonClientAreaMouseMove:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TouchCancel:
    case QEvent::TabletPress:
    case QEvent::TabletMove:
    case QEvent::TabletRelease:
      return true;
    default:
      return false;
  }
}
}  // namespace

InputHold::InputHold() { QCoreApplication::instance()->installEventFilter(this); }

InputHold::~InputHold() {
  if (QCoreApplication::instance()) QCoreApplication::instance()->removeEventFilter(this);
}

bool InputHold::eventFilter(QObject* target, QEvent* e) {
  if (e == replaying_ || !target->isWindowType() || !isInput(e->type())) return false;
  // Once input waits, later input queues behind it until the queue is empty.
  if (holds_ == 0 && queue_.empty()) return false;
  if (!closing()) queue_.emplace_back(target, e->clone());
  return true;
}

void InputHold::release() {
  if (--holds_ == 0 && !queue_.empty()) schedule();
}

void InputHold::schedule() {
  if (scheduled_) return;
  scheduled_ = true;
  QMetaObject::invokeMethod(this, [this] { deliverNext(); }, Qt::QueuedConnection);
}

void InputHold::deliverNext() {
  scheduled_ = false;
  if (closing()) {
    queue_.clear();
    return;
  }
  if (holds_ > 0 || queue_.empty()) return;
  auto [target, event] = std::move(queue_.front());
  queue_.pop_front();
  // The next one waits for the next pass, so a handler that this one starts pumps it as it
  // would pump input that comes in while it runs.
  if (!queue_.empty()) schedule();
  if (!target) return;
  QEvent* outer = std::exchange(replaying_, event.get());
  QCoreApplication::sendEvent(target, event.get());
  replaying_ = outer;
}

}  // namespace rt

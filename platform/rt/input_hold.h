#pragma once
// Input that reaches a window while a clip plays waits, as it would in the window system's queue
// (the clip holds the one thread), and is then delivered in its order, one event per pass of the
// event loop. Everything else goes on meanwhile: paints, timers, and the close of the frame,
// which ends the clip at once. The opening of a game holds input the same way until its window
// shows, a menu choice until its handler begins, and a sound from the pump before it starts.
#include <deque>
#include <memory>
#include <utility>

#include <QEvent>
#include <QInputDevice>
#include <QObject>
#include <QPoint>
#include <QPointF>
#include <QPointer>
#include <QString>
#include <QWindow>

namespace rt {

// What one input event means, as plain values. An event object cannot be kept for later: in
// Qt 6 a mouse event's point is shared with the pointing device's own record of it, which the
// next event from that device overwrites. A fresh event is made from these values when it is
// delivered, to the window it came to (or, when that one has gone or is hidden, to the window
// now under its place on the screen, or for a key the window with the keyboard).
struct HeldInput {
  // Null when the event is no input that waits (touch and tablet events pass: what the widgets
  // do not take of them comes back as mouse events, which wait).
  static std::unique_ptr<HeldInput> from(QWindow* target, const QEvent& e);

  // The event to deliver now and the window to deliver it to; null when there is none.
  std::pair<QWindow*, std::unique_ptr<QEvent>> make() const;

  QEvent::Type type = QEvent::None;
  QPointer<QWindow> window;
  QPointer<const QInputDevice> device;
  quint64 timestamp = 0;
  Qt::KeyboardModifiers modifiers;
  // Mouse, wheel and context menu: the place in the window and on the screen.
  QPointF position, scenePosition, globalPosition;
  Qt::MouseButton button = Qt::NoButton;
  Qt::MouseButtons buttons;
  Qt::MouseEventSource source = Qt::MouseEventNotSynthesized;
  // A press that the window system made the first half of a double-click: the widgets take the
  // double-click event that follows it in its place.
  bool doubleClick = false;
  // Wheel.
  QPoint pixelDelta, angleDelta;
  Qt::ScrollPhase phase = Qt::NoScrollPhase;
  bool inverted = false;
  // Key.
  int key = 0;
  quint32 scanCode = 0, virtualKey = 0, nativeModifiers = 0;
  QString text;
  bool autoRepeat = false;
  quint16 count = 1;
  // Context menu.
  int reason = 0;
};

class InputHold : public QObject {
 public:
  InputHold();  // filters the application's events from now on
  ~InputHold() override;

  // Input waits from hold() to its release(). After the last release it is delivered, one event
  // per pass of the event loop, and input that comes before the queue is empty waits behind it.
  void hold() { ++holds_; }
  void release();

  class Scope {
   public:
    explicit Scope(InputHold& h) : h_(h) { h_.hold(); }
    ~Scope() { h_.release(); }
    Scope(const Scope&) = delete;
    Scope& operator=(const Scope&) = delete;

   private:
    InputHold& h_;
  };

  size_t waiting() const { return queue_.size(); }

 protected:
  bool eventFilter(QObject* target, QEvent* e) override;
  bool event(QEvent* e) override;

 private:
  void schedule();
  void deliverNext();

  int holds_ = 0;
  bool scheduled_ = false;
  QEvent* replaying_ = nullptr;  // the event being delivered now passes the filter
  std::deque<std::unique_ptr<HeldInput>> queue_;
};

}  // namespace rt

#pragma once
// Input that reaches a window while a clip plays waits, as it would in the window system's queue
// (the clip holds the one thread), and is then delivered in its order, one event per pass of the
// event loop. Everything else goes on meanwhile: paints, timers, and the close of the frame,
// which ends the clip at once.
#include <deque>
#include <memory>
#include <utility>

#include <QObject>
#include <QPointer>

class QEvent;

namespace rt {

class InputHold : public QObject {
 public:
  InputHold();  // filters the application's events from now on
  ~InputHold() override;

  // Input waits from construction to destruction of a scope.
  class Scope {
   public:
    explicit Scope(InputHold& h) : h_(h) { ++h_.holds_; }
    ~Scope() { h_.release(); }
    Scope(const Scope&) = delete;
    Scope& operator=(const Scope&) = delete;

   private:
    InputHold& h_;
  };

  size_t waiting() const { return queue_.size(); }

 protected:
  bool eventFilter(QObject* target, QEvent* e) override;

 private:
  void release();
  void schedule();
  void deliverNext();

  int holds_ = 0;
  bool scheduled_ = false;
  QEvent* replaying_ = nullptr;  // the event being delivered now passes the filter
  std::deque<std::pair<QPointer<QObject>, std::unique_ptr<QEvent>>> queue_;
};

}  // namespace rt

#pragma once
// The Qt side of the frame: a fixed-size window with a menu bar and the client area.
#include <memory>
#include <string>

#include <QWidget>

class QAbstractNativeEventFilter;

namespace rt {

class Frame;
class MenuItem;
class ClientArea;

class FrameWindow : public QWidget {
 public:
  explicit FrameWindow(Frame& frame);
  ~FrameWindow() override;
  void scheduleMenuRebuild();
  void rebuildMenus();
  bool menusPending() const { return rebuildPending_; }  // the bar is yet to follow a change
  void updateClient();
  void updateClient(int x, int y, int width, int height);
  void applyFixedSize();
  // Another client destroyed the window: the pack closes as after the user's close.
  void windowLost();
  bool lost() const { return lost_; }

 protected:
  void closeEvent(QCloseEvent* e) override;
  bool event(QEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
  void changeEvent(QEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  void keyReleaseEvent(QKeyEvent* e) override;

 private:
  Frame& frame_;
  class QMenuBar* bar_;
  ClientArea* client_;
  bool rebuildPending_ = false;
  std::string builtShape_;  // the menus the bar shows now (menuShape)
  bool wasMinimised_ = false;
  bool lost_ = false;
  std::unique_ptr<QAbstractNativeEventFilter> lossWatch_, strayInput_;
};

int toKeyCode(int qtKey, bool keypad);
int toShift(Qt::KeyboardModifiers m);

}  // namespace rt

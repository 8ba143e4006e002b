// The yardstick for the pack's start-up: an empty Qt window of the frame's size, timed from the
// start of main to its first paint, as the pack's start-up probe times the pack.
#include <cstdio>
#include <cstdlib>

#include <QApplication>
#include <QElapsedTimer>
#include <QMainWindow>
#include <QMenuBar>
#include <QPainter>
#include <QTimer>
#include <QWidget>

namespace {
class Client : public QWidget {
 public:
  explicit Client(QElapsedTimer& t) : t_(t) { setFixedSize(540, 452); }
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.fillRect(rect(), QColor(64, 96, 128));
    if (!done_) {
      done_ = true;
      std::printf("first-paint-ms %.1f\n", t_.nsecsElapsed() / 1e6);
      std::fflush(stdout);
      QTimer::singleShot(0, [] { std::_Exit(0); });
    }
  }

 private:
  QElapsedTimer& t_;
  bool done_ = false;
};
}  // namespace

int main(int argc, char** argv) {
  QElapsedTimer sinceStart;
  sinceStart.start();
  QApplication app(argc, argv);
  QMainWindow w;
  w.menuBar()->addMenu("Play");
  w.setCentralWidget(new Client(sinceStart));
  w.show();
  return app.exec();
}

#include <gtest/gtest.h>

#include "rt/dispatch.h"
#include "rt/form.h"
#include "rt/frame.h"
#include "rt/host.h"
#include "virtual_host.h"

using namespace rt;

namespace {
void waitVirtualMs(double ms) {
  auto target = host().counterNow() + static_cast<int64_t>(ms * host().counterFrequency() / 1000);
  while (host().counterNow() < target) SleepUntil(target);
}

class WaitingForm : public Form {
 public:
  WaitingForm() : Form("W", 3000, 3000) {}
  bool afterWait = false;
  bool* destroyed = nullptr;
  ~WaitingForm() override {
    if (destroyed) *destroyed = true;
  }
  void Form_Load() override {
    auto& cell = add<PictureBox>("cell");
    cell.Move(0, 0, 20, 20);
    cell.Click = [this] {
      waitVirtualMs(1000);
      afterWait = true;  // must never run once the window is gone
      Caption = "touched";
    };
  }
};

struct Fresh {
  Frame fr;
  Fresh() {
    resetDispatchForTests();
    vt::vhost().reset();
    setFrame(&fr);
  }
  ~Fresh() {
    setFrame(nullptr);
    resetDispatchForTests();
  }
};
}  // namespace

TEST(LifetimeTest, UnloadDuringAWaitEndsTheHandlerAndFreesTheWindowAfterwards) {
  Fresh env;
  bool destroyed = false;
  auto w = std::make_shared<WaitingForm>();
  w->destroyed = &destroyed;
  w->Load();
  w->Show();
  WaitingForm* raw = w.get();
  bool destroyedDuringHandler = true;
  vt::vhost().after(300, [&] {
    // "Play" chosen during the wait: the window unloads itself and is handed to the runtime.
    dispatch(raw, [&] {
      raw->Unload();
      retireForm(std::move(w));
    });
    destroyedDuringHandler = destroyed;
  });
  raw->mouseDown(5, 5, 1, 0);
  raw->mouseUp(5, 5, 1, 0);
  EXPECT_FALSE(destroyedDuringHandler);  // the waiting handler was still on the stack
  EXPECT_TRUE(destroyed);                // freed once it unwound
  EXPECT_LT(vt::vhost().nowMs(), 1000);  // the wait did not run to its end
}

TEST(LifetimeTest, FrameCloseDuringAWaitEndsEverything) {
  Fresh env;
  auto w = std::make_shared<WaitingForm>();
  w->Load();
  w->Show();
  int stops = 0;
  env.fr.QueryUnload = [&] { ++stops; };
  vt::vhost().after(200, [&] { env.fr.close(); });
  w->mouseDown(5, 5, 1, 0);
  w->mouseUp(5, 5, 1, 0);
  EXPECT_EQ(stops, 1);
  EXPECT_FALSE(w->afterWait);
  EXPECT_TRUE(closing());
  EXPECT_FALSE(dispatch(w.get(), [] {}));  // nothing runs after the close
}

TEST(LifetimeTest, NestedHandlerOfTheSameWindowSurvivesItsOwnUnload) {
  Fresh env;
  auto w = std::make_shared<WaitingForm>();
  w->Load();
  bool ranAfterUnload = false;
  dispatch(w.get(), [&] {
    w->Unload();
    DoEvents();  // the unloading handler itself goes on (it opens the next game)
    ranAfterUnload = true;
  });
  EXPECT_TRUE(ranAfterUnload);
}

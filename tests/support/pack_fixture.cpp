#include "pack_fixture.h"

#include "rt/dispatch.h"
#include "rt/form.h"
#include "rt/random.h"

void PackTest::SetUp() {
  rt::resetDispatchForTests();
  vt::vhost().reset();
  rt::setFrame(&frame_);
  shell::setFrameForm(&mdi_);
  frame_.setCaption(shell::kBaseCaption);
  mdi_.MDIForm_Initialize();
  mdi_.PerfTimer = std::make_unique<shell::PerformanceTimer>();
  mdi_.BaseCaption = shell::kBaseCaption;
  shell::LoadSoundBank(mdi_);
}

void PackTest::TearDown() {
  shell::ResetGamesForTests();
  rt::setFrame(nullptr);
  shell::setFrameForm(nullptr);
  rt::resetDispatchForTests();
  rt::FixSeed(std::nullopt);
}

void PackTest::inFrame(const std::function<void()>& fn) { rt::dispatch(nullptr, fn); }

rt::Form* PackTest::openGame(int index) {
  inFrame([index] { shell::OpenGame(static_cast<int16_t>(index)); });
  return open();
}

namespace {
void centre(const rt::Control& c, int& x, int& y) {
  int ox, oy;
  c.clientOrigin(ox, oy);
  x = ox - c.borderWidth() + c.Width() / 2;
  y = oy - c.borderWidth() + c.Height() / 2;
}
}  // namespace

void PackTest::click(rt::Control& c, int button, int shift) {
  int x, y;
  centre(c, x, y);
  rt::Form* f = c.form();
  f->mouseDown(x, y, button, shift);
  if (f->isLoaded()) f->mouseUp(x, y, button, shift);
}

void PackTest::clickAt(rt::Control& c, int px, int py, int button, int shift) {
  int ox, oy;
  c.clientOrigin(ox, oy);
  int x = ox - c.borderWidth() + px, y = oy - c.borderWidth() + py;
  rt::Form* f = c.form();
  f->mouseDown(x, y, button, shift);
  if (f->isLoaded()) f->mouseUp(x, y, button, shift);
}

void PackTest::drag(rt::Control& from, rt::Control& to) {
  int x1, y1, x2, y2;
  centre(from, x1, y1);
  centre(to, x2, y2);
  rt::Form* f = from.form();
  f->mouseDown(x1, y1, 1, 0);
  if (f->isLoaded()) f->mouseMove(x2, y2, 1, 0);
  if (f->isLoaded()) f->mouseUp(x2, y2, 1, 0);
}

void PackTest::chooseMenu(const std::string& name, int index) {
  rt::Form* f = open();
  ASSERT_NE(f, nullptr);
  rt::MenuItem* m = f->findMenu(name, index);
  ASSERT_NE(m, nullptr) << name;
  ASSERT_TRUE(m->effectivelyEnabled()) << name << " is disabled";
  rt::dispatch(f, [m] { m->fireClick(); });
}

int PackTest::countLog(const std::string& entry) const {
  int n = 0;
  for (const auto& l : vt::vhost().log()) n += l == entry;
  return n;
}

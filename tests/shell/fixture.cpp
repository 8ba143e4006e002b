#include "fixture.h"

#include "rt/dispatch.h"
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

#include "pack_fixture.h"

#include <QTemporaryDir>

#include <sstream>

#include "board_text.h"
#include "rt/dispatch.h"
#include "rt/keys.h"
#include "rt/form.h"
#include "rt/random.h"

void PackTest::SetUp() {
  rt::resetDispatchForTests();
  vt::vhost().reset();
  rt::FixSeed(20261207u);  // every run of a test draws the same numbers (a test may fix its own)
  startFrame(mdi_);
}

// The frame state of a start without its load: no random game opened, no new seed from the clock.
void PackTest::startFrame(shell::MDIForm1& mdi) {
  // Score files of a test go to a folder of the run, never to the working folder.
  static QTemporaryDir data;
  mdi.DataFolder = data.path().toStdString() + "/";
  rt::frame().setCaption(shell::kBaseCaption);
  mdi.MDIForm_Initialize();
  mdi.PerfTimer = std::make_unique<shell::PerformanceTimer>();
  mdi.BaseCaption = shell::kBaseCaption;
  shell::LoadSoundBank(mdi);
}

void PackTest::reopenPack() {
  shell::ResetGamesForTests();
  rt::resetDispatchForTests();
  const std::string folder = shell::frameForm().DataFolder;
  laterPacks_.push_back(std::make_unique<shell::PackFrame>());
  startFrame(laterPacks_.back()->mdi);
  laterPacks_.back()->mdi.DataFolder = folder;
}

void PackTest::TearDown() {
  shell::ResetGamesForTests();
  rt::setFrame(nullptr);
  shell::setFrameForm(nullptr);
  rt::resetDispatchForTests();
  rt::FixSeed(std::nullopt);
}

void PackTest::inFrame(const std::function<void()>& fn) { rt::dispatch(nullptr, fn); }

int PackTest::game(std::string_view caption) {
  const int index = shell::GameIndexOf(caption);
  if (index < 0) ADD_FAILURE() << "no game is called " << caption;
  return index;
}

rt::Form* PackTest::openGame(int index) {
  step(index >= 0 && index < shell::kGameCount ? std::string("open ") + shell::GameRegistry[index].caption
                                                : "open game " + std::to_string(index));
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

std::string nameOf(const rt::Control& c) {
  std::ostringstream n;
  n << c.Name();
  if (c.Index() >= 0) n << '(' << c.Index() << ')';
  if (c.form()) n << " of " << c.form()->Name();
  return n.str();
}
}  // namespace

void PackTest::playRound(const std::string& what) {
  round_ = what;
  vt::vhost().beginStep(what);
}

void PackTest::step(const std::string& input) {
  vt::vhost().beginStep(round_.empty() ? input : round_ + ": " + input);
}

// The window stays alive while the input runs, even when a handler switches games.
void PackTest::click(rt::Control& c, int button, int shift) {
  step("click " + nameOf(c));
  int x, y;
  centre(c, x, y);
  auto keep = shell::HoldWindow(c.form());
  rt::Form* f = c.form();
  f->mouseDown(x, y, button, shift);
  if (f->isLoaded()) f->mouseUp(x, y, button, shift);
}

void PackTest::clickAt(rt::Control& c, int px, int py, int button, int shift) {
  step("click at " + std::to_string(px) + "," + std::to_string(py) + " in " + nameOf(c));
  int ox, oy;
  c.clientOrigin(ox, oy);
  int x = ox - c.borderWidth() + px, y = oy - c.borderWidth() + py;
  auto keep = shell::HoldWindow(c.form());
  rt::Form* f = c.form();
  f->mouseDown(x, y, button, shift);
  if (f->isLoaded()) f->mouseUp(x, y, button, shift);
}

void PackTest::drag(rt::Control& from, rt::Control& to) {
  step("drag " + nameOf(from) + " to " + nameOf(to));
  int x1, y1, x2, y2;
  centre(from, x1, y1);
  centre(to, x2, y2);
  auto keep = shell::HoldWindow(from.form());
  rt::Form* f = from.form();
  f->mouseDown(x1, y1, 1, 0);
  if (f->isLoaded()) f->mouseMove(x2, y2, 1, 0);
  if (f->isLoaded()) f->mouseUp(x2, y2, 1, 0);
}

void PackTest::key(int code, int shift) {
  step("key " + std::to_string(code));
  rt::frame().clientKey(0, code, shift, rt::KeyAscii(code, shift));
  rt::frame().clientKey(1, code, shift, 0);
}

std::vector<long long> PackTest::state(const std::string& name) const {
  rt::Form* f = open();
  if (!f) return {};
  auto it = f->state().find(name);
  return it == f->state().end() ? std::vector<long long>{} : it->second.get();
}

void PackTest::setState(const std::string& name, const std::string& picture,
                        const std::map<std::string, long long>& legend) {
  rt::Form* f = open();
  ASSERT_NE(f, nullptr);
  auto it = f->state().find(name);
  ASSERT_NE(it, f->state().end()) << "no state " << name;
  ASSERT_TRUE(it->second.set) << name << " is read-only";
  const auto cells = boardtest::Tokens(picture, legend);
  // A value the game cannot hold there would be dropped: the test means something else.
  for (size_t i = 0; i < cells.size(); ++i)
    ASSERT_TRUE(it->second.fits(i, cells[i])) << name << " entry " << i << " cannot hold " << cells[i];
  for (size_t i = 0; i < cells.size(); ++i) it->second.set(i, cells[i]);
  if (f->redrawState) rt::dispatch(f, f->redrawState);
}

void PackTest::chooseMenu(const std::string& name, int index) {
  rt::Form* f = open();
  ASSERT_NE(f, nullptr);
  rt::MenuItem* m = f->findMenu(name, index);
  ASSERT_NE(m, nullptr) << name;
  ASSERT_TRUE(m->effectivelyEnabled()) << name << " is disabled";
  step("menu " + name + (index >= 0 ? "(" + std::to_string(index) + ")" : "") + " of " + f->Name());
  rt::dispatch(f, [m] { m->fireClick(); });
}

int PackTest::countLog(const std::string& entry) const {
  int n = 0;
  for (const auto& l : vt::vhost().log()) n += l == entry;
  return n;
}

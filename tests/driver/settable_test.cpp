// Every settable state of every game through the driver: both ends of each run of its values are
// taken and stay through the redraw, one past each end is refused and changes nothing, and a few
// moves after each accepted value all end with an answer (no abort, no sanitizer report).
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <map>
#include <string>
#include <vector>

#include "driver.h"
#include "pack_fixture.h"
#include "rt/control.h"
#include "rt/form.h"
#include "rt/frame.h"
#include "rt/menu.h"

namespace {

bool sameSpans(const rt::Spans& a, const rt::Spans& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [](const rt::Span& x, const rt::Span& y) { return x.lo == y.lo && x.hi == y.hi; });
}

std::string named(const rt::Control& c) {
  return c.Index() >= 0 ? c.Name() + "(" + std::to_string(c.Index()) + ")" : c.Name();
}

// The entries of a state that take the same values, by their first and last index.
struct Entries {
  size_t first, last;
  rt::Spans values;
};
std::vector<Entries> entriesOf(const rt::StateVar& var) {
  std::vector<Entries> out;
  const size_t size = var.isArray ? var.get().size() : 1;
  for (size_t i = 0; i < size; ++i) {
    rt::Spans values = var.values(i);
    auto same = std::find_if(out.begin(), out.end(), [&](const Entries& e) { return sameSpans(e.values, values); });
    if (same == out.end())
      out.push_back({i, i, std::move(values)});
    else
      same->last = i;
  }
  return out;
}

class SettableTest : public PackTest, public ::testing::WithParamInterface<int> {
 protected:
  void SetUp() override {
    PackTest::SetUp();
    vt::vhost().setDocuments(dir_.path().toStdString());
    shell::StartPack(false);
  }

  // Runs a command: any answer but a command cut short (a hang or an exception) will do.
  std::string run(const std::string& command) {
    const std::string out = d_.run(command);
    if (std::getenv("SETTABLE_TRACE")) std::fprintf(stderr, "%s -> %.100s\n", command.c_str(), out.c_str());
    EXPECT_EQ(out.rfind(R"({"ok":)", 0), 0u) << command << ": " << out;
    EXPECT_EQ(out.find("opened afresh"), std::string::npos) << command << ": " << out;
    return out;
  }
  void openFresh() { ASSERT_EQ(run("open " + std::to_string(GetParam())), R"({"ok":true})"); }
  const rt::StateVar* var(const std::string& name) const {
    const rt::Form* f = rt::frame().activeForm();
    if (!f) return nullptr;
    auto it = f->state().find(name);
    return it == f->state().end() ? nullptr : &it->second;
  }

  // A few moves on whatever the window shows: the start button, clicks with both buttons and a
  // drag on the board's cells or its picture, keys (arrows, a digit), an option. A handler still running after 1.5 s of virtual
  // time (a whole Lobbo game) ends when the game opens afresh.
  void moves(const std::string& set) {
    run("after 1500 open " + std::to_string(GetParam()));
    run("after 300 " + set);
    rt::Form* f = rt::frame().activeForm();
    if (!f) return;
    // The start button ("OK" in Pegwise, the help panel's is hidden).
    for (rt::Control* c : f->controls())
      if ((c->captionText() == "Continue" || c->captionText() == "OK") && c->effectivelyVisible()) {
        run("click " + named(*c));
        break;
      }
    run(set);
    f = rt::frame().activeForm();
    if (!f) return;
    // The board: the largest array of controls, those shown.
    std::map<std::string, std::vector<rt::Control*>> arrays;
    for (rt::Control* c : f->controls())
      if (c->Index() >= 0 && c->effectivelyVisible() && c->Width() > 0) arrays[c->Name()].push_back(c);
    std::vector<std::string> cells;
    for (const auto& [name, list] : arrays)
      if (list.size() > cells.size()) {
        cells.clear();
        for (const rt::Control* c : list) cells.push_back(named(*c));
      }
    if (!cells.empty()) {
      const size_t n = cells.size();
      for (const std::string& cell : {cells[0], cells[n / 2], cells[n - 1]}) run("click " + cell);
      run("click " + cells[n / 3] + " 2");
      run("drag " + cells[n / 4] + " " + cells[(n / 4 + 1) % n]);
    }
    // A board drawn in one picture (Lobbo's well): steered and turned with both buttons. Moves
    // may have opened the game afresh: the window is looked up again.
    f = rt::frame().activeForm();
    if (rt::Control* board = f ? f->find("Picture1") : nullptr; board && board->effectivelyVisible())
      for (const char* button : {"1", "2"}) run(std::string("click Picture1 ") + button + " 0 10 10");
    for (const char* key : {"key 37", "key 38", "key 49"}) run(key);
    // An option: the last item of the window's first menu after "Play" that is not "Help".
    f = rt::frame().activeForm();
    if (f && f->menus().size() > 1) {
      const rt::MenuItem* options = f->menus()[1].get();
      const rt::MenuItem* item = options;
      while (!item->items().empty()) item = item->items().back().get();
      if (item->effectivelyEnabled() && !item->isSeparator() && item != options)
        run("menu " + (item->Index() >= 0 ? item->Name() + "(" + std::to_string(item->Index()) + ")" : item->Name()));
    }
    run("wait 2000");
    run("dump");
    vt::vhost().takeLog();
  }

  QTemporaryDir dir_;
  drv::Driver d_;
};

}  // namespace

TEST_P(SettableTest, TakesTheEndsOfItsValuesRefusesOnePastAndPlaysOn) {
  ASSERT_NO_FATAL_FAILURE(openFresh());
  const rt::Form* window = rt::frame().activeForm();
  ASSERT_NE(window, nullptr);
  std::vector<std::string> names;
  for (const auto& [name, var] : window->state())
    if (var.set) names.push_back(name);
  for (const std::string& name : names) {
    SCOPED_TRACE(name);
    ASSERT_NO_FATAL_FAILURE(openFresh());  // the values as a fresh game stands
    const rt::StateVar* v = var(name);
    ASSERT_NE(v, nullptr);
    for (const Entries& entries : entriesOf(*v)) {
      const std::string at1 = std::to_string(entries.first), at2 = std::to_string(entries.last);
      for (const rt::Span& span : entries.values) {
        std::vector<long long> ends{span.lo};
        if (span.hi != span.lo) ends.push_back(span.hi);
        for (long long end : ends) {
          SCOPED_TRACE("entries " + at1 + ".." + at2 + " = " + std::to_string(end));
          ASSERT_NO_FATAL_FAILURE(openFresh());
          v = var(name);
          ASSERT_NE(v, nullptr);
          // One past either end of the run, unless another run takes it: refused, nothing written.
          const std::vector<long long> before = v->get();
          for (long long past : {span.lo - 1, span.hi + 1}) {
            if (v->fits(entries.first, past)) continue;
            const std::string out = run("set " + name + " " + at1 + " " + std::to_string(past));
            EXPECT_EQ(out.rfind(R"({"ok":false,"error":"set )", 0), 0u) << out;
            EXPECT_EQ(var(name)->get(), before) << "after " << past;
          }
          // The end: taken, and there after the redraw.
          const std::string set = "set " + name + " " + at1 + " " + std::to_string(end) + " " + at2 + " " +
                                  std::to_string(end);
          EXPECT_EQ(run(set), R"({"ok":true})");
          const std::vector<long long> after = var(name)->get();
          ASSERT_GT(after.size(), entries.last);
          EXPECT_EQ(after[entries.first], end);
          EXPECT_EQ(after[entries.last], end);
          moves(set);
        }
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(EveryGame, SettableTest, ::testing::Range(0, shell::kGameCount),
                         [](const ::testing::TestParamInfo<int>& info) {
                           std::string name = shell::GameRegistry[info.param].caption;
                           name.erase(std::remove(name.begin(), name.end(), ' '), name.end());
                           return name;
                         });

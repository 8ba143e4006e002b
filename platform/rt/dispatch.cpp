#include "rt/dispatch.h"

#include <vector>

#include "rt/form.h"
#include "rt/host.h"

namespace rt {
namespace {
struct Scope {
  Form* owner;
  bool abandoned;
};
std::vector<Scope>& stack() {
  static std::vector<Scope> s;
  return s;
}
bool g_closing = false;
}  // namespace

bool dispatch(Form* owner, const std::function<void()>& fn) {
  if (g_closing) return false;
  if (owner && !owner->isLoaded() && !owner->isLoading()) return false;
  stack().push_back({owner, false});
  if (owner) owner->handlerEntered();
  // The scope is left on every way out, also when another exception cuts the handler short (a
  // test's or the driver's watchdog): no scope of a handler that has ended stays on the stack.
  struct Leave {
    Form* owner;
    ~Leave() {
      stack().pop_back();
      if (owner && owner->handlerLeft() == 0 && !owner->isLoaded()) formReleased(owner);
    }
  } leave{owner};
  try {
    fn();
  } catch (const HandlerAbandoned&) {
    return false;
  }
  return true;
}

void abandonHandlersOf(Form* owner, bool includingCurrent) {
  auto& s = stack();
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i].owner != owner) continue;
    if (!includingCurrent && i + 1 == s.size()) continue;
    s[i].abandoned = true;
  }
}

void abandonAll() {
  g_closing = true;
  for (auto& sc : stack()) sc.abandoned = true;
}

bool closing() { return g_closing; }

bool insideHandlerOf(const Form* owner) {
  for (auto& sc : stack())
    if (sc.owner == owner) return true;
  return false;
}

int dispatchDepth() { return static_cast<int>(stack().size()); }

void checkAbandoned() {
  if (!stack().empty() && stack().back().abandoned) throw HandlerAbandoned{};
}

void DoEvents() {
  host().processEvents();
  checkAbandoned();
}

void SleepUntil(long long counterTarget) {
  host().sleepUntil(counterTarget);
  checkAbandoned();
}

void SleepAbout(long long counterTarget) {
  host().sleepAbout(counterTarget);
  checkAbandoned();
}

void resetDispatchForTests() {
  stack().clear();
  g_closing = false;
}

}  // namespace rt

#pragma once
// Every entry from the window system into game code runs in a dispatch scope. Unloading a window
// abandons its other running handlers, closing the frame abandons all of them: their next pump
// point throws HandlerAbandoned, which only the dispatcher catches. A window's controls live on
// until none of its handlers is on the stack.
#include <functional>
#include <memory>

namespace rt {

class Form;

struct HandlerAbandoned {};

// Runs fn as a handler of owner (null for the frame). Returns false when it was abandoned.
bool dispatch(Form* owner, const std::function<void()>& fn);

void abandonHandlersOf(Form* owner, bool includingCurrent);  // on unload
void abandonAll();                                           // on frame close
bool closing();                                              // the frame is closing
bool insideHandlerOf(const Form* owner);
int dispatchDepth();

// Pump points. Each throws HandlerAbandoned right after pumping when the running handler
// was abandoned.
void DoEvents();
void SleepUntil(long long counterTarget);
void SleepAbout(long long counterTarget);  // no precise end (see Host::sleepAbout)
void checkAbandoned();

// Called when an unloaded form's last handler has left the stack: the runtime deletes it then.
void formReleased(Form* f);
// Hands an unloaded form to the runtime, which deletes it once none of its handlers runs.
void retireForm(std::shared_ptr<Form> f);

void resetDispatchForTests();

}  // namespace rt

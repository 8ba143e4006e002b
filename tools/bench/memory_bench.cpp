// Resident memory of the pack offscreen on the virtual host (no window, waits cost no time):
// after opening all thirty games one after another, and across 1,000 switches (what the 30th to
// the 1,000th switch add is what leaks per switch). The real pack's figures come from its own
// probe under Xvfb; this one finds a leak without a display.
#include <malloc.h>

#include <cstdio>

#include <QApplication>
#include <QTemporaryDir>

#include "bench_probe.h"
#include "mdi_form.h"
#include "pack_fn.h"
#include "rt/dispatch.h"
#include "rt/form.h"
#include "rt/frame.h"
#include "rt/random.h"
#include "startup.h"
#include "virtual_host.h"

namespace {
constexpr double kGrowthLimitMb = 2;

double residentMb() { return static_cast<double>(bench::ResidentKb()) / 1024.0; }

// As a player does: "Play" on the shown window.
void switchTo(int game) {
  rt::Form* f = rt::frame().activeForm();
  if (rt::MenuItem* item = f ? f->findMenu("igrica", game) : nullptr; item && item->effectivelyEnabled())
    rt::dispatch(f, [item] { item->fireClick(); });
  else
    rt::dispatch(nullptr, [game] { shell::OpenGame(static_cast<int16_t>(game)); });
}
}  // namespace

int main(int argc, char** argv) {
  mallopt(M_MMAP_THRESHOLD, 128 * 1024);  // as the pack does (app/main.cpp)
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  vt::installVirtualHost();
  vt::vhost().logWaits = false;
  QTemporaryDir data;
  vt::vhost().setDocuments(data.path().toStdString());
  shell::PackFrame pack;
  rt::FixSeed(5);
  shell::StartPack(false);
  const double started = residentMb();
  for (int g = 0; g < shell::kGameCount; ++g) {
    switchTo(g);
    vt::vhost().takeLog();
  }
  const double allOpened = residentMb();
  double at30 = 0;
  for (int s = 1; s <= 1000; ++s) {
    switchTo((s * 7) % shell::kGameCount);
    vt::vhost().takeLog();
    if (s == 30) at30 = residentMb();
  }
  const double at1000 = residentMb();
  const double growth = at1000 - at30;
  std::printf("offscreen memory: %.1f MB at start, %.1f MB after opening all thirty games; %.1f MB after the 30th "
              "switch, %.1f MB after the 1000th (growth %+.1f MB, limit %.0f MB)\n",
              started, allOpened, at30, at1000, growth, kGrowthLimitMb);
  shell::ResetGamesForTests();
  if (growth > kGrowthLimitMb) {
    std::printf("over the limit: offscreen growth %+.1f MB over 1,000 switches\n", growth);
    return 1;
  }
  return 0;
}

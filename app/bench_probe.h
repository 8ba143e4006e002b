#pragma once
// Probes for `make bench`, inert unless their environment variable is set:
//   VPK_STARTUP_PROBE=1  prints the time from the start of main to the first paint that shows
//                        the opened game, and the resident memory then; quits.
//   VPK_SWITCH_PROBE=N   once the first game shows, chooses all thirty games in turn from the
//                        "Play" menu as a player does, then N switches more; prints the
//                        resident memory at start, after the thirty and after the N; quits.
#include <QElapsedTimer>

namespace rt {
class Frame;
}

namespace bench {

// Returns true when a probe runs (it ends the program itself).
bool InstallBenchProbe(rt::Frame& frame, const QElapsedTimer& sinceStart);

// This process's resident memory as /proc counts it (VmRSS), in KiB; 0 when it cannot be read.
long ResidentKb();

}  // namespace bench

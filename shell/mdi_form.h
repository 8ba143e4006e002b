#pragma once
// The pack's main window and the state that lives for the whole run.
#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "embed_sound.h"
#include "perf_timer.h"

namespace shell {

extern const char* const kBaseCaption;

class MDIForm1 {
 public:
  MDIForm1();
  ~MDIForm1();

  uint16_t CurrentGame = 255;
  std::string BaseCaption;
  std::string DataFolder;
  std::unique_ptr<PerformanceTimer> PerfTimer;
  std::array<EmbedSound, 11> EmbedSound1;  // 1..10

  void zakuj();  // fixes the frame's style and size

  void MDIForm_Initialize();
  void MDIForm_Load();
  void MDIForm_Activate();
  void MDIForm_Resize();
  void MDIForm_QueryUnload();

  bool openingGame = false;  // OpenGame is running (resize and activation must not re-enter it)
};

MDIForm1& frameForm();          // the one instance of the run
void setFrameForm(MDIForm1* f);  // not owned; installed by the application (tests: their own)

std::string GetSpecialFolder(int32_t csidl);

// The ten clips of the bank, from the embedded resources.
void LoadSoundBank(MDIForm1& f);

}  // namespace shell

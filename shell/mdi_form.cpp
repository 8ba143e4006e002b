#include "mdi_form.h"

#include <QFile>

#include "pack_fn.h"
#include "rt/files.h"
#include "rt/frame.h"
#include "rt/host.h"
#include "rt/random.h"

namespace shell {

const char* const kBaseCaption = "Vantix Pack v3.47  by Morvel Vukran";

namespace {
MDIForm1* g_form = nullptr;
}

MDIForm1& frameForm() {
  if (!g_form) {
    static MDIForm1 fallback;
    g_form = &fallback;
  }
  return *g_form;
}

void setFrameForm(MDIForm1* f) { g_form = f; }

MDIForm1::MDIForm1() {
  for (int i = 1; i <= 10; ++i) {
    EmbedSound1[i] = EmbedSound(i);
    EmbedSound1[i].SyncSnd = true;
    EmbedSound1[i].StopSnd = true;
    EmbedSound1[i].LoopSnd = false;
  }
}

MDIForm1::~MDIForm1() {
  if (g_form == this) g_form = nullptr;
}

std::string GetSpecialFolder(int32_t csidl) {
  if (csidl != 5) return {};
  return rt::host().documentsFolder();
}

void LoadSoundBank(MDIForm1& f) {
  for (int i = 1; i <= 10; ++i) {
    QFile file(QString(":/sounds/sound%1.wav").arg(i));
    if (!file.open(QIODevice::ReadOnly)) continue;
    QByteArray data = file.readAll();
    f.EmbedSound1[i].setMemWav(std::vector<uint8_t>(data.begin(), data.end()));
  }
}

void MDIForm1::zakuj() {
  rt::Frame& fr = rt::frame();
  fr.lockStyle();
  fr.setSize(8265, 7680);
}

void MDIForm1::MDIForm_Initialize() { CurrentGame = 255; }

void MDIForm1::MDIForm_Load() {
  PerfTimer = std::make_unique<PerformanceTimer>();
  DataFolder = GetSpecialFolder(5);
  if (!DataFolder.empty()) {
    while (!DataFolder.empty() && DataFolder.back() == '/') DataFolder.pop_back();  // "/" gives "/Morvelware/"
    DataFolder += "/Morvelware/";
    if (!rt::hasNormalFiles(DataFolder)) rt::makeDirectory(DataFolder);  // a failure is ignored
  }
  rt::Randomize();
  BaseCaption = rt::frame().Caption();
  zakuj();
  OpenGame(static_cast<int16_t>(rt::RandomInt(kGameCount)));
}

void MDIForm1::MDIForm_Resize() {
  if (rt::frame().WindowState() == 1 || CurrentGame == 255) return;
  if (openingGame) return;  // OpenGame pumps; a resize meanwhile must not open it again inside itself
  OpenGame(static_cast<int16_t>(CurrentGame));
}

void MDIForm1::MDIForm_Activate() { MDIForm_Resize(); }

void MDIForm1::MDIForm_QueryUnload() {
  for (int i = 1; i <= 10; ++i) EmbedSound1[i].StopSound();
  // The stopwatch stays until the program has ended: a handler unwinding now may still hold it.
}

}  // namespace shell

#include "startup.h"

#include "mdi_form.h"
#include "picture_library.h"
#include "rt/dispatch.h"
#include "rt/frame.h"

namespace shell {

PackFrame::PackFrame() {
  rt::setFrame(&frame);
  setFrameForm(&mdi);
}

void StartPack(bool withWindow) {
  rt::Frame& fr = rt::frame();
  MDIForm1& mdi = frameForm();
  mdi.MDIForm_Initialize();
  fr.setCaption(kBaseCaption);
  fr.ownMenu("ededed", "Waiting...");
  fr.Picture = PictureLibrary::instance().get("frame/background");
  LoadSoundBank(mdi);
  fr.Activate = [&mdi] { mdi.MDIForm_Activate(); };
  fr.Resize = [&mdi] { mdi.MDIForm_Resize(); };
  fr.QueryUnload = [&mdi] { mdi.MDIForm_QueryUnload(); };
  if (withWindow) {
    fr.window();
    fr.setIcon(PictureLibrary::instance().get("frame/icon"));
    fr.show();
  }
  rt::dispatch(nullptr, [&mdi] { mdi.MDIForm_Load(); });
}

}  // namespace shell

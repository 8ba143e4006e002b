#pragma once
// The pack's push button, drawn from a 144 x 24 skin strip: x 0..71 the normal look, x 72..143
// the pressed look. One event: Click, on the left button's release.
#include <functional>
#include <string>

#include "rt/control.h"

namespace shell {

class ctrl_SkinableButton : public rt::FrameBox {
 public:
  ctrl_SkinableButton(rt::Form* form, std::string name, int index = -1);
  const char* kind() const override { return "SkinableButton"; }
  std::string captionText() const override { return caption_; }
  std::unique_ptr<rt::Control> makeCopy(int index) const override;

  void LoadSkin();
  void Refresh();
  bool Enabled() const { return enabledProp_; }
  void setEnabled(bool e) override;
  const std::string& Caption() const { return caption_; }
  void setCaption(const std::string& c);
  void Move(int left, int top, int width, int height) override;
  using rt::Control::Move;

  bool pressed() const { return pressed_; }
  rt::PictureBox& face() { return *pic_Button; }
  rt::Label& captionLabel() { return *lbl_Caption; }
  rt::PictureBox& skinBox() { return *pic_Buttons; }

  std::function<void()> ClickEvent;  // the button's Click

 private:
  void DrawSkin(int leftX, int middleX, int rightX, int captionTop);
  void mouseDown(int button);
  void mouseUp(int button);
  rt::PictureBox* pic_Button;
  rt::Label* lbl_Caption;
  rt::PictureBox* pic_Buttons;  // hidden: the skin strip
  std::string caption_ = "Caption";
  bool enabledProp_ = true;
  bool pressed_ = false;
};

}  // namespace shell

#include "skinnable_button.h"

#include <cmath>
#include <cstdlib>

#include "rt/form.h"
#include "rt/numbers.h"

namespace shell {

namespace {
rt::PicHandle skinPicture() {
  static const rt::PicHandle p = rt::loadPicture(":/pictures/button_skin.png", {"button_skin", -1});
  return p;
}
}  // namespace

ctrl_SkinableButton::ctrl_SkinableButton(rt::Form* form, std::string name, int index)
    : rt::FrameBox(form, std::move(name), index) {
  BorderStyle = 0;
  pic_Button = &form->add<rt::PictureBox>(name_ + ".pic_Button", this);
  pic_Button->setBorderStyle(0);
  lbl_Caption = &form->add<rt::Label>(name_ + ".lbl_Caption", pic_Button);
  lbl_Caption->BackStyle = 0;
  lbl_Caption->Alignment = rt::kCenter;
  rt::Font f;
  f.name = "Tahoma";
  f.size = 8;
  lbl_Caption->setFont(f);
  lbl_Caption->setCaption(caption_);
  pic_Buttons = &form->add<rt::PictureBox>(name_ + ".pic_Buttons", this);
  pic_Buttons->setBorderStyle(0);
  pic_Buttons->setVisible(false);
  pic_Buttons->Move(0, 0, 144, 24);
  pic_Buttons->setPicture(skinPicture());
  // The caption forwards its mouse events to the face's handlers.
  pic_Button->MouseDown = [this](int b, int, float, float) { mouseDown(b); };
  pic_Button->MouseUp = [this](int b, int, float, float) { mouseUp(b); };
  lbl_Caption->MouseDown = pic_Button->MouseDown;
  lbl_Caption->MouseUp = pic_Button->MouseUp;
}

std::unique_ptr<rt::Control> ctrl_SkinableButton::makeCopy(int index) const {
  auto c = std::make_unique<ctrl_SkinableButton>(form_, name_, index);
  copyBaseTo(*c);
  c->setCaption(caption_);
  c->setEnabled(enabledProp_);
  return c;
}

void ctrl_SkinableButton::DrawSkin(int leftX, int middleX, int rightX, int captionTop) {
  const int w = Width();
  pic_Button->Move(0, 0, w, rt::twi(360));
  pic_Button->Cls();
  rt::Surface& face = pic_Button->surface();
  const rt::Surface& skin = pic_Buttons->surface();
  face.bitBlt(0, 0, 15, 24, skin, leftX, 0, rt::SRCCOPY);
  const int n = rt::CLng(std::fabs(w / 15.0));
  for (int i = 1; i <= n; ++i) face.bitBlt(i * 15, 0, 15, 24, skin, middleX, 0, rt::SRCCOPY);
  face.bitBlt(rt::CLng(w - 16.0), 0, 16, 24, skin, rightX, 0, rt::SRCCOPY);
  pic_Button->changed();
  lbl_Caption->Move(0, rt::twi(captionTop), w, std::max(0, rt::twi(360) - rt::twi(captionTop)));
}

void ctrl_SkinableButton::LoadSkin() { DrawSkin(0, 15, 55, 60); }
void ctrl_SkinableButton::Refresh() { DrawSkin(0, 15, 55, 60); }

void ctrl_SkinableButton::setEnabled(bool e) {
  enabledProp_ = e;
  if (e) {
    pressed_ = false;
    DrawSkin(0, 15, 55, 60);
  }
  lbl_Caption->setEnabled(e);
  pic_Button->setEnabled(e);
  rt::Control::setEnabled(e);
}

void ctrl_SkinableButton::setCaption(const std::string& c) {
  caption_ = c;
  lbl_Caption->setCaption(c);
}

void ctrl_SkinableButton::Move(int left, int top, int width, int height) {
  rt::Control::Move(left, top, width, height);
  if (pic_Button) DrawSkin(0, 15, 55, 60);  // a resize draws the normal look
}

void ctrl_SkinableButton::mouseDown(int button) {
  if (button != 1) return;
  pressed_ = true;
  DrawSkin(72, 83, 128, 75);
}

void ctrl_SkinableButton::mouseUp(int button) {
  if (button != 1) return;
  // The pressed look stays while the window's handler runs.
  if (ClickEvent) ClickEvent();
  if (!form_ || !form_->isLoaded()) return;
  pressed_ = false;
  DrawSkin(0, 15, 55, 60);
}

}  // namespace shell

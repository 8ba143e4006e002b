#include "game_window.h"

#include <exception>
#include <utility>

#include "mdi_form.h"
#include "pack_fn.h"
#include "picture_library.h"
#include "rt/frame.h"
#include "rt/host.h"

namespace shell {

GameWindow::GameWindow(const GameEntry& entry, int widthTwips, int heightTwips)
    : rt::Form(entry.window, widthTwips, heightTwips), gameIndex_(entry.index) {
  MouseIcon = nullptr;
  Form_Click = [this] {
    if (beepWhenBusy_ && board_ && !board_->Enabled()) rt::host().beep();
  };
}

rt::PicHandle GameWindow::picture(const std::string& set, int index) {
  return PictureLibrary::instance().get(set, index);
}

rt::PicHandle GameWindow::ownPicture(const std::string& name) const {
  return rt::loadPicture(QString::fromStdString(":/pictures/" + Name() + "/" + name + ".png"),
                         {Name() + "." + name, -1});
}

void GameWindow::Form_Load() {
  // A game whose window is not built yet: the frame's menus and a short note.
  addPlayMenu();
  addHelpMenu();
  addHomePageMenu();
  auto& note = add<rt::Label>("Label1");
  note.Move(20, 20, pixelWidth() - 40, 60);
  note.Alignment = rt::kCenter;
  note.setCaption(std::string(GameRegistry[gameIndex_].caption) + " is not available in this version.");
  buildHelpPanel(HelpPanelLayout{.width = pixelWidth(), .height = pixelHeight(), .textWidth = pixelWidth() - 32,
                                 .textHeight = pixelHeight() - 70, .buttonLeft = (pixelWidth() - 81) / 2,
                                 .buttonTop = pixelHeight() - 40, .shortVariant = true},
                 "  " + std::string(GameRegistry[gameIndex_].caption) + " is not available in this version.");
}

rt::MenuItem& GameWindow::addPlayMenu(const std::string& name, const std::string& caption) {
  rt::MenuItem& play = menu(name, caption);
  rt::MenuItem& first = play.add("igrica", "", 0);
  first.ClickIndexed = [this](int i) { igrica_Click(i); };
  return play;
}

rt::MenuItem& GameWindow::addHelpMenu(const std::string& name, const std::string& caption) {
  rt::MenuItem& m = menu(name, caption);
  m.Click = [this] { pomoc_Click(); };
  return m;
}

rt::MenuItem& GameWindow::addHomePageMenu() {
  rt::MenuItem& m = menu("hpg", "HomePage");
  m.Click = [this] { hpg_Click(); };
  return m;
}

void GameWindow::igrica_Click(int Index) {
  rt::frame().setCaption(frameForm().BaseCaption);
  frameForm().zakuj();
  Unload();
  OpenGame(static_cast<int16_t>(Index));
}

void GameWindow::hpg_Click() { OpenHomepage(); }

void GameWindow::buildHelpPanel(const HelpPanelLayout& l, const std::string& text) {
  helpPanel_ = &add<rt::PictureBox>(l.panel);
  helpPanel_->setBorderStyle(0);
  helpPanel_->Move(l.left, l.top, l.width, l.height);
  helpPanel_->setBackColor(rt::RGB(250, 245, 230));
  helpPanel_->setPicture(picture("Picture13"));
  helpLabel_ = &add<rt::Label>(l.label, helpPanel_);
  helpLabel_->BackStyle = 0;
  helpLabel_->WordWrap = true;
  helpLabel_->setFont(l.font);
  helpLabel_->setForeColor(l.textColor);
  helpLabel_->Move(l.textLeft, l.textTop, l.textWidth, l.textHeight);
  helpLabel_->setCaption(text);
  helpOk_ = &addButton(l.button, "OK", {l.buttonLeft, l.buttonTop, l.buttonWidth}, [this] { Command5_Click(); },
                       helpPanel_);
  helpPanel_->setVisible(false);
  shortHelp_ = l.shortVariant;
}

ctrl_SkinableButton& GameWindow::addButton(const std::string& name, const std::string& caption, Place place,
                                           std::function<void()> click, rt::Control* container) {
  auto& b = add<ctrl_SkinableButton>(name, container);
  b.Move(place.left, place.top, place.width, place.height);
  b.setCaption(caption);
  b.LoadSkin();
  b.Refresh();
  b.ClickEvent = std::move(click);
  return b;
}

rt::Label& GameWindow::addText(const std::string& name, const std::string& caption, Place place,
                               const TextStyle& style, rt::Control* container) {
  auto& l = add<rt::Label>(name, container);
  l.BackStyle = 0;
  l.Alignment = style.align;
  l.setFont(style.font);
  l.setForeColor(style.colour);
  l.Move(place.left, place.top, place.width, place.height);
  l.setCaption(caption);
  return l;
}

void GameWindow::showHelp() {
  if (!helpPanel_) return;
  helpPanel_->setVisible(true);
  helpPanel_->ZOrder(0);
  if (board_) {
    if (shortHelp_)
      board_->setEnabled(false);
    else
      board_->setVisible(false);
  }
}

void GameWindow::hideHelp() {
  if (!helpPanel_) return;
  helpPanel_->setVisible(false);
  if (board_) {
    if (shortHelp_)
      board_->setEnabled(true);
    else
      board_->setVisible(true);
  }
}

void GameWindow::setBusy(bool isBusy, bool withPointer) {
  if (board_) board_->setEnabled(!isBusy);
  for (rt::Control* c : sideControls_) c->setEnabled(!isBusy);
  if (withPointer) setMousePointer(isBusy ? rt::kHourglass : rt::kCustomPointer);
}

bool GameWindow::boardTakesInput() const {
  return board_ && board_->effectivelyEnabled() && board_->effectivelyVisible() && !helpShown() && busyDepth_ == 0;
}

GameWindow::BusyScope::BusyScope(GameWindow& w, bool withPointer)
    : w_(w), exceptions_(std::uncaught_exceptions()), pointer_(withPointer) {
  if (w_.busyDepth_++ == 0) w_.setBusy(true, pointer_);
}

GameWindow::BusyScope::~BusyScope() {
  // Unwinding from an abandoned handler: the window is closing, leave it alone.
  if (std::uncaught_exceptions() > exceptions_) {
    --w_.busyDepth_;
    return;
  }
  if (--w_.busyDepth_ > 0) return;
  if (w_.gameOver()) {
    if (pointer_) w_.setMousePointer(rt::kCustomPointer);
  } else {
    w_.setBusy(false, pointer_);
  }
}

void GameWindow::Continue_Click() {
  if (continue_) continue_->setVisible(false);
  if (options_) options_->setEnabled(false);
  startPlay();
}

}  // namespace shell

#pragma once
// What every game window repeats: the "Play" list, the options, "Help" with its panel, "HomePage",
// the "Continue" start button that locks the options, and the busy state of the board.
#include <functional>
#include <string>
#include <vector>

#include "pack_fn.h"
#include "rt/form.h"
#include "skinnable_button.h"

namespace shell {

class GameWindow : public rt::Form {
 public:
  // The registry row gives the window's name and index (see VPK_GAME_WINDOW).
  explicit GameWindow(const GameEntry& entry, int widthTwips = 6000, int heightTwips = 4500);
  int gameIndex() const { return gameIndex_; }
  const GameEntry& entry() const { return GameRegistry[gameIndex_]; }

  // The help panel: the library's paper background, the text label and an "OK" button.
  struct HelpPanelLayout {
    std::string panel = "Picture12", label = "Label3", button = "Command5";
    int left = 0, top = 0, width = 350, height = 350;      // pixels
    int textLeft = 16, textTop = 16, textWidth = 318, textHeight = 280;
    int buttonLeft = 135, buttonTop = 310, buttonWidth = 81;
    rt::Font font{"Tahoma", 9.75, false, false, false};
    rt::Color textColor = rt::kBlack;
    bool shortVariant = false;  // only the panel's visibility changes; the board is disabled
  };

  // Whether a click on the board may start a move now: the board is enabled and shown, no move
  // runs and the help panel does not cover it.
  bool boardTakesInput() const;
  bool helpShown() const { return helpPanel_ && helpPanel_->Visible(); }
  // A finished game keeps its board disabled when a move ends.
  virtual bool gameOver() const { return false; }
  int busyDepth() const { return busyDepth_; }  // BusyScopes open now

  // The switching protocol of the "Play" list.
  virtual void igrica_Click(int Index);
  void hpg_Click();

 protected:
  void Form_Load() override;  // a window with no game yet: its menus and a note

  // Menus, added in the order the window shows them. "eee1134" is the Play menu, its items
  // "igrica" one per game; "pomoc" is Help.
  rt::MenuItem& addPlayMenu(const std::string& name = "eee1134", const std::string& caption = "Play");
  rt::MenuItem& addHelpMenu(const std::string& name = "pomoc", const std::string& caption = "Help");
  rt::MenuItem& addHomePageMenu();
  virtual void pomoc_Click() { showHelp(); }

  void buildHelpPanel(const HelpPanelLayout& layout, const std::string& text);
  virtual void showHelp();
  virtual void hideHelp();
  virtual void Command5_Click() { hideHelp(); }
  rt::PictureBox* helpPanel_ = nullptr;
  rt::Label* helpLabel_ = nullptr;
  ctrl_SkinableButton* helpOk_ = nullptr;
  bool shortHelp_ = false;

  // The board container: disabled while a move is worked, with the controls outside it that
  // could start a move or change the board (sideControls_).
  rt::Control* board_ = nullptr;
  std::vector<rt::Control*> sideControls_;
  bool beepWhenBusy_ = false;  // a click on the window beside the disabled board beeps
  void setBusy(bool busy, bool withPointer = true);
  bool busy() const { return board_ && !board_->Enabled(); }
  // A handler's BusyScope is open: a move is being worked.
  bool moveRunning() const { return busyDepth_ > 0; }

  // Holds the board busy for a handler's move: disables the board and the side controls and
  // shows the busy pointer; on every way out restores the pointer and, unless the game is over,
  // enables them again. A handler being abandoned (its window closed) touches nothing. Nested
  // scopes restore only at the outermost.
  class BusyScope {
   public:
    explicit BusyScope(GameWindow& w, bool withPointer = true);
    ~BusyScope();
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

   private:
    GameWindow& w_;
    int exceptions_;
    bool pointer_;
  };

  // Where a control goes, in pixels of its container.
  struct Place {
    int left = 0, top = 0, width = 0, height = 24;
  };
  // A skinnable button as every window sets one up: placed, captioned, drawn in its normal look
  // and its Click wired.
  ctrl_SkinableButton& addButton(const std::string& name, const std::string& caption, Place place,
                                 std::function<void()> click, rt::Control* container = nullptr);
  // A text without a background of its own, on the window or a panel: the windows' score, cash
  // and status labels.
  struct TextStyle {
    rt::Font font;
    rt::Color colour = rt::kWindowText;
    int align = rt::kLeftJustify;
  };
  rt::Label& addText(const std::string& name, const std::string& caption, Place place, const TextStyle& style,
                     rt::Control* container = nullptr);

  // "Continue": hides itself, locks the options until the window opens again, starts play.
  ctrl_SkinableButton* continue_ = nullptr;
  rt::MenuItem* options_ = nullptr;
  virtual void startPlay() {}
  void Continue_Click();

  // Pictures of the library.
  static rt::PicHandle picture(const std::string& set, int index = -1);
  // The window's own pictures (made by the asset generator under the window's name).
  rt::PicHandle ownPicture(const std::string& name) const;

 private:
  int gameIndex_;
  int busyDepth_ = 0;
};

}  // namespace shell

#pragma once
// The pack's main window: fixed size, its own menu bar built from the shown window's menus,
// a 540 x 452 pixel client area that hosts the game windows.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <QImage>

#include "rt/menu.h"
#include "rt/picture.h"

namespace rt {

class Form;
class FrameWindow;

constexpr int kClientWidth = 540;
constexpr int kClientHeight = 452;

class Frame {
 public:
  Frame();
  ~Frame();

  const std::string& Caption() const { return caption_; }
  void setCaption(const std::string& c);
  int Width() const { return widthTw_; }    // twips
  int Height() const { return heightTw_; }
  void setSize(int widthTwips, int heightTwips);
  void lockStyle();  // no maximise box, no sizing border
  int WindowState() const;  // 0 normal, 1 minimised
  PicHandle Picture;        // background of the client area
  void setIcon(const PicHandle& icon);

  // The frame's own menu bar, shown while no window supplies menus.
  MenuItem& ownMenu(const std::string& name, const std::string& caption);

  // Child windows.
  void attach(Form* f);
  void detach(Form* f);
  Form* activeForm() const;  // the topmost visible child
  const std::vector<Form*>& forms() const { return forms_; }
  void formChanged(Form* f);   // repaint
  void formAreaChanged(Form* f, int x, int y, int width, int height);  // repaint a part (client pixels)
  void menusChanged(Form* f);  // rebuild the menu bar

  // Frame events.
  std::function<void()> Initialize, Load, Activate, Resize, QueryUnload;
  std::function<void()> firstGamePaint;  // once, after the first paint that showed a game window

  // The real window; created on demand (never in the virtual host's tests unless asked).
  FrameWindow* window();
  bool hasWindow() const { return window_ != nullptr; }
  void show();
  void close();  // as the user's close: QueryUnload, then the end of the program

  // Paints the client area (540 x 452) as the user sees it.
  QImage renderClient() const;
  void paintClient(QPainter& p) const;  // what renderClient shows, within the painter's clip
  QImage renderFrame();  // client plus a drawn menu bar and caption line, for screenshots

  // Input arriving at the client area (pixels).
  void clientMouse(int type, int x, int y, int button, int buttons, int shift);
  // keyAscii is the first character of a key's text (a Unicode code point, 0 for none); text is
  // the key's whole text in UTF-8 when it has more (a text box types all of it).
  void clientKey(int type, int keyCode, int shift, int keyAscii, const std::string& text = {});

  std::vector<const MenuItem*> currentMenus() const;
  bool closed() const { return closed_; }

 private:
  std::string caption_;
  int widthTw_ = 8265, heightTw_ = 7680;
  std::vector<Form*> forms_;
  std::unique_ptr<MenuItem> ownMenuRoot_;
  FrameWindow* window_ = nullptr;
  Form* mouseForm_ = nullptr;
  bool closed_ = false;
  friend class FrameWindow;
};

Frame& frame();  // the one frame of the run
void setFrame(Frame* f);

}  // namespace rt

#pragma once
// Input that the X server sent to a popup menu while the menu's grab held, read only after the
// menu has closed or its window has gone (a menu bar built anew after a choice deletes the old
// menus). Qt would drop it, or hand it to a hidden menu; it goes instead to the window at its
// place on the screen, or for a key to the window with the keyboard, as if the menu had already
// let the pointer go when it was made.
#include <cstdint>

#include <QAbstractNativeEventFilter>

namespace rt {

// The major opcode of the X input extension on the pack's connection; 0 off X or without it.
uint8_t inputExtensionOpcode();

class StrayInput : public QAbstractNativeEventFilter {
 public:
  StrayInput();  // does nothing off X
  bool nativeEventFilter(const QByteArray& type, void* message, qintptr* result) override;

 private:
  uint8_t xinput_;
};

}  // namespace rt

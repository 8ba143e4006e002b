#pragma once
// Key codes as the game windows know them, and shift bits.
namespace rt {
enum KeyCode {
  vbKeyBack = 8, vbKeyTab = 9, vbKeyReturn = 13, vbKeyShift = 16, vbKeyControl = 17, vbKeyMenu = 18,
  vbKeyEscape = 27, vbKeySpace = 32, vbKeyPageUp = 33, vbKeyPageDown = 34, vbKeyEnd = 35,
  vbKeyHome = 36, vbKeyLeft = 37, vbKeyUp = 38, vbKeyRight = 39, vbKeyDown = 40, vbKeyInsert = 45,
  vbKeyDelete = 46, vbKey0 = 48, vbKeyA = 65, vbKeyNumpad0 = 96, vbKeyF1 = 112,
};
enum ShiftBits { vbShiftMask = 1, vbCtrlMask = 2, vbAltMask = 4 };
enum Buttons { vbLeftButton = 1, vbRightButton = 2, vbMiddleButton = 4 };

// The character a key of a plain keyboard gives (0 for none): digits, blank, Backspace, Enter,
// and letters, upper case with Shift. Scripted input (the driver, the tests) types with it.
constexpr int KeyAscii(int keyCode, int shift) {
  if ((keyCode >= vbKey0 && keyCode <= vbKey0 + 9) || keyCode == vbKeySpace || keyCode == vbKeyBack ||
      keyCode == vbKeyReturn)
    return keyCode;
  if (keyCode >= vbKeyA && keyCode <= vbKeyA + 25) return shift & vbShiftMask ? keyCode : keyCode + 32;
  return 0;
}
}  // namespace rt

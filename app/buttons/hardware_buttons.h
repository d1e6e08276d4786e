// The device's hardware buttons: the registry's list of them, taking over
// those the user gave an action while the main window is active, giving
// them back when it is not, and turning a released button into the command
// of its action.
//
// The list lies under HKEY_LOCAL_MACHINE "SOFTWARE\Microsoft\Shell\Keys":
// each subkey "40XX" is one button of key code 0xXX, named by its "Name"
// value. A button's number (for the preferences' actions 0-11) is its
// subkey's index in enumeration order; a subkey that does not qualify still
// takes its number, as a button of key code 0.
#pragma once

#include <cstdint>

#include "platform/registry/registry.h"
#include "platform/types/window_handle.h"

class Preferences;

struct HardwareButton {
  WCHAR name[20];
  uint8_t keyCode;
};

class HardwareButtonList {
 public:
  HardwareButtonList() = default;
  ~HardwareButtonList() { Close(); }
  HardwareButtonList(const HardwareButtonList&) = delete;
  HardwareButtonList& operator=(const HardwareButtonList&) = delete;

  bool Open();
  void Close();
  // False when there is no subkey at that index (the list has ended).
  bool First(HardwareButton* out);
  bool Next(HardwareButton* out);
  bool HasCurrent() const;
  int32_t index() const { return index_; }

 private:
  HKEY key_ = nullptr;
  int32_t index_ = -1;
};

// Captures (or associates) the buttons with an action, or all of them when
// `onlyAssigned` is false; releases the others.
void RegisterHardwareButtons(HWND window, const Preferences& preferences, bool onlyAssigned);
void UnregisterHardwareButtons(HWND window);
// The command of the action the preferences give the first button with
// this key code; false for no button, no action or an action not in the
// action table.
bool CommandForButton(uint8_t keyCode, const Preferences& preferences, uint32_t* command);

// What the speech plug-in binding needs of its owner, the document view:
// the main window the plug-in posts to, the program folder it is loaded
// from, the page turn at the end of a page, and the error message box.
#pragma once

#include <cstdint>

#include "platform/types/device_types.h"
#include "platform/types/window_handle.h"

class EncodedString;

class SpeechOwner {
 public:
  virtual HWND GetMainWindow() = 0;
  // The program folder as a device path; false when it cannot be had.
  virtual bool GetProgramFolder(EncodedString* folder) = 0;
  // The view's page operation; true when it could move on.
  virtual bool TurnPage(int32_t how, int32_t count, int32_t flags) = 0;
  // An error message box with an OK button.
  virtual void ShowErrorBox(const WCHAR* text, const WCHAR* caption) = 0;

 protected:
  ~SpeechOwner() = default;
};

// What the emulated shell holds for the programs of this process: the
// notifications shown, the calls the phone took and the windows registered
// for file-system change notifications.
#pragma once

#include <string>

#include "platform/shell/shell_types.h"

namespace devshell {

// A notification shown now (added and not removed).
struct ShownNotification {
  CLSID clsid;
  DWORD id;
  DWORD priority;
  DWORD duration;
  DWORD flags;
  HWND sink;
  std::u16string html;
  std::u16string title;
  LPARAM param;
};

// A call the phone accepted.
struct PlacedCall {
  std::u16string number;
  std::u16string application;
  std::u16string calledParty;
  std::u16string comment;
};

struct ChangeNotifyRegistration {
  HWND window;
  LONG events;
  std::u16string folder;
  bool recursive;
};

// Whether the shell holds an application key (0xC1-0xCF) until
// UnregisterFunc1 takes it: a held key goes to the shell, not to the program.
bool ShellHoldsKey(UINT key);

}  // namespace devshell

// Reading the command line and matching the start switches.
#include "app/startup/command_line.h"

bool ReadCommandLine(const WCHAR* line, EncodedString* out) {
  uint32_t n = 0;
  if (line != nullptr) {
    while (line[n] != 0) ++n;
  }
  uint32_t start = 0;
  uint32_t end = n;
  if (n > 0 && line[0] == u'"') {
    start = 1;
    if (n >= 2 && line[n - 1] == u'"') end = n - 1;
  }
  out->FromWide(line == nullptr ? u"" : line + start, static_cast<int32_t>(end - start));
  out->SelectAll();
  return out->IsOk();
}

StartSwitch MatchStartSwitch(const EncodedString& line) {
  if (line.EqualsText("/quit")) return StartSwitch::kQuit;
  if (line.EqualsText("/restart")) return StartSwitch::kRestart;
  return StartSwitch::kNone;
}

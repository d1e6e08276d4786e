// The headless backend's input file (TESSALYN_INPUT): one event per line,
// `#` starts a comment, blank lines are skipped, words are separated by
// spaces, coordinates are screen pixels:
//   key NAME          a key pressed and released: up, down, left, right,
//                     return (enter, action), escape, space, tab, back,
//                     prior, next, a letter or digit, f1-f8, app1-app15
//                     (the hardware buttons 0xC1-0xCF), or a number (0x26)
//   tap X Y           the stylus down and up at one point
//   drag X1 Y1 X2 Y2 [STEPS]   down at the first point, STEPS moves (8 by
//                     default) along the line, up at the second
//   wait MS           nothing happens for MS milliseconds
//   shot FILE         the screen as it is now, written as a PNG
//   quit              the program is closed (also at the end of the file)
// A line that does not parse is reported on standard error with its number
// and skipped.
#pragma once

#include <string>
#include <vector>

#include "platform/types/device_types.h"

namespace devbackend {

struct InputCommand {
  enum class Kind { Key, Tap, Drag, Wait, Shot, Quit };
  Kind kind = Kind::Quit;
  UINT key = 0;
  int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  int steps = 8;
  DWORD waitMs = 0;
  std::string file;
};

// Parses the text of an input file; `errors` gets one message per bad line.
std::vector<InputCommand> ParseInputScript(const std::string& text, std::vector<std::string>* errors);
// The virtual key of a name of the list above; 0 when unknown.
UINT KeyByName(const std::string& name);

}  // namespace devbackend

// The routing of command identifiers 0-119.
#include "app/commands/command_routing.h"

namespace {

bool In(uint32_t c, uint32_t first, uint32_t last) { return c >= first && c <= last; }

}  // namespace

CommandRoute RouteOfCommand(uint32_t c) {
  if (c > kLastCommand) return CommandRoute::kNothing;
  if (In(c, 26, 39) || In(c, 91, 100) || In(c, 103, 105)) return CommandRoute::kElement;
  if (In(c, 74, 82)) return CommandRoute::kDisplay;
  // Commands of the table that the view's elements carry out.
  if (c == 13 || c == 14 || c == 23 || c == 40 || c == 66 || c == 67 || c == 73 || In(c, 85, 90) || c == 106 ||
      c == 107 || In(c, 109, 112)) {
    return CommandRoute::kElement;
  }
  if (c == 18 || In(c, 68, 72) || c == 83 || c == 108) return CommandRoute::kNothing;
  return CommandRoute::kController;
}

// Where an executed command goes: the view's element command operation,
// the drawing surface's display commands, nowhere (a command that only
// tells the listener), or the controller's own table.
#pragma once

#include <cstdint>

enum class CommandRoute { kElement, kDisplay, kNothing, kController };

constexpr uint32_t kLastCommand = 119;

CommandRoute RouteOfCommand(uint32_t command);

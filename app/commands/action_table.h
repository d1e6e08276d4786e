// The action table: the 17 actions a hardware button or a toolbar slot can
// hold, each an action bit of the preferences, with its label, icon and the
// command it runs.
#pragma once

#include <cstdint>

struct ActionRow {
  uint32_t iconAndString;  // icon resource (high 16 bits), string identifier (low 16 bits)
  uint32_t actionBit;
  uint32_t command;
};

constexpr uint32_t kActionTableRows = 17;
extern const ActionRow kActionTable[kActionTableRows];

// The command of an action bit; false when no row holds it.
bool CommandForAction(uint32_t actionBit, uint32_t* command);

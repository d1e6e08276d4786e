// The action table's rows.
#include "app/commands/action_table.h"

namespace {
constexpr uint32_t Pack(uint32_t icon, uint32_t stringId) { return (icon << 16) | stringId; }
}  // namespace

const ActionRow kActionTable[kActionTableRows] = {
    {Pack(151, 5063), 0x8, 0},       // Library
    {Pack(179, 5434), 0x4000, 1},    // Properties...
    {Pack(127, 5350), 0x800, 15},    // Annotations
    {Pack(149, 5020), 0x200, 9},     // eBook store
    {Pack(154, 5201), 0x4, 24},      // Table of contents
    {Pack(152, 5381), 0x10, 74},     // Orientate screen
    {Pack(153, 5004), 0x20, 82},     // Autoscroll
    {Pack(200, 5387), 0x400, 4},     // Find...
    {Pack(201, 5043), 0x10000, 113}, // Find next
    {Pack(150, 5327), 0x2, 11},      // Font size:
    {Pack(202, 5002), 0x1000, 16},   // Add bookmark
    {Pack(197, 5282), 0x100, 67},    // Prev.
    {Pack(198, 5281), 0x80, 66},     // Next
    {Pack(199, 5200), 0x40, 55},     // Fullscreen
    {Pack(205, 5133), 0x2000, 6},    // Options
    {Pack(155, 5005), 0x1, 23},      // Back
    {Pack(208, 5207), 0x8000, 22},   // Forward
};

bool CommandForAction(uint32_t actionBit, uint32_t* command) {
  for (const ActionRow& row : kActionTable) {
    if (row.actionBit == actionBit) {
      *command = row.command;
      return true;
    }
  }
  return false;
}

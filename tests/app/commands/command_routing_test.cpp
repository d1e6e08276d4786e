// Where every command identifier goes, and the action table.
#include <gtest/gtest.h>

#include "app/commands/action_table.h"
#include "app/commands/command_routing.h"

TEST(CommandRouting, EveryIdentifierAndOneAbove) {
  for (uint32_t c = 0; c <= 120; ++c) {
    CommandRoute expected = CommandRoute::kController;
    if ((c >= 26 && c <= 39) || (c >= 91 && c <= 100) || (c >= 103 && c <= 105) || c == 13 || c == 14 ||
        c == 23 || c == 40 || c == 66 || c == 67 || c == 73 || (c >= 85 && c <= 90) || c == 106 || c == 107 ||
        (c >= 109 && c <= 112)) {
      expected = CommandRoute::kElement;
    } else if (c >= 74 && c <= 82) {
      expected = CommandRoute::kDisplay;
    } else if (c == 18 || (c >= 68 && c <= 72) || c == 83 || c == 108 || c > 119) {
      expected = CommandRoute::kNothing;
    }
    EXPECT_EQ(RouteOfCommand(c), expected) << c;
  }
}

TEST(ActionTable, BitsToCommands) {
  uint32_t command = 0;
  struct Case {
    uint32_t bit, command;
  } cases[] = {{0x8, 0}, {0x4000, 1}, {0x40, 55}, {0x1, 23}, {0x8000, 22}, {0x10000, 113}};
  for (const Case& c : cases) {
    ASSERT_TRUE(CommandForAction(c.bit, &command)) << c.bit;
    EXPECT_EQ(command, c.command);
  }
  EXPECT_FALSE(CommandForAction(0x20000, &command));
  EXPECT_FALSE(CommandForAction(0, &command));
}

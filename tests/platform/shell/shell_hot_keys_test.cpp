// Hot keys: the shell holds the application keys until UnregisterFunc1; a
// key held by another window cannot be taken; the key-up modifier 8 does not
// change a key's identity.
#include <gtest/gtest.h>

#include "platform/core/last_error.h"
#include "platform/shell/hot_keys.h"
#include "platform/testing/shell.h"

namespace {

HWND Window(uintptr_t n) { return reinterpret_cast<HWND>(n * 16); }

class HotKeys : public ::testing::Test {
 protected:
  void SetUp() override { devtest::ResetShell(); }
};

TEST_F(HotKeys, ShellHoldsApplicationKeysUntilReleased) {
  EXPECT_FALSE(devshell::RegisterHotKey(Window(1), 0xC1, MOD_KEYUP, 0xC1));
  EXPECT_EQ(GetLastError(), ERROR_HOTKEY_ALREADY_REGISTERED);
  EXPECT_TRUE(devshell::UnregisterFunc1(MOD_KEYUP, 0xC1));
  EXPECT_FALSE(devtest::ShellHoldsKey(0xC1));
  EXPECT_FALSE(devshell::UnregisterFunc1(MOD_KEYUP, 0xC1));  // already let go
  EXPECT_TRUE(devshell::RegisterHotKey(Window(1), 0xC1, MOD_KEYUP, 0xC1));
  // Keys the shell never held register directly.
  EXPECT_TRUE(devshell::RegisterHotKey(Window(1), 27, 0, 27));
  ASSERT_EQ(devtest::RegisteredHotKeys().size(), 2u);
}

TEST_F(HotKeys, KeyHeldByAnotherWindowCannotBeTaken) {
  devtest::SetKeysHeldByShell({});
  ASSERT_TRUE(devshell::RegisterHotKey(Window(1), 0xC2, MOD_KEYUP, 0xC2));
  // The key-up flag is not part of the key: the same key without it is held too.
  EXPECT_FALSE(devshell::RegisterHotKey(Window(2), 7, 0, 0xC2));
  EXPECT_EQ(GetLastError(), ERROR_HOTKEY_ALREADY_REGISTERED);
  // With a modifier key it is another key.
  EXPECT_TRUE(devshell::RegisterHotKey(Window(2), 8, MOD_SHIFT, 0xC2));
  // The holder may register it again (under a new id): it replaces its own.
  EXPECT_TRUE(devshell::RegisterHotKey(Window(1), 9, MOD_KEYUP, 0xC2));
  EXPECT_FALSE(devshell::UnregisterHotKey(Window(1), 0xC2));
  EXPECT_EQ(GetLastError(), ERROR_HOTKEY_NOT_REGISTERED);
  EXPECT_TRUE(devshell::UnregisterHotKey(Window(1), 9));
  EXPECT_TRUE(devshell::RegisterHotKey(Window(2), 7, 0, 0xC2));

  devtest::HoldHotKeyElsewhere(0, 0xC3);
  EXPECT_FALSE(devshell::RegisterHotKey(Window(1), 0xC3, MOD_KEYUP, 0xC3));
}

TEST_F(HotKeys, PressFindsTheHolderAndDestroyedWindowsLetGo) {
  devtest::SetKeysHeldByShell({});
  ASSERT_TRUE(devshell::RegisterHotKey(Window(3), 0xC4, MOD_KEYUP, 0xC4));
  devshell::HotKeyRegistration found{};
  ASSERT_TRUE(devshell::FindHotKey(0xC4, 0, &found));
  EXPECT_EQ(found.window, Window(3));
  EXPECT_EQ(found.id, 0xC4);
  EXPECT_EQ(found.modifiers, MOD_KEYUP);
  EXPECT_FALSE(devshell::FindHotKey(0xC4, MOD_CONTROL, &found));
  devshell::ReleaseHotKeysOf(Window(3));
  EXPECT_FALSE(devshell::FindHotKey(0xC4, 0, &found));
  EXPECT_TRUE(devtest::RegisteredHotKeys().empty());
}

TEST_F(HotKeys, CallsAreJournalled) {
  devshell::UnregisterFunc1(8, 0xC5);
  devshell::RegisterHotKey(Window(1), 0xC5, 8, 0xC5);
  auto calls = devtest::ShellCalls();
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0].function, "UnregisterFunc1");
  EXPECT_EQ(calls[0].args, (std::vector<int64_t>{8, 0xC5}));
  EXPECT_EQ(calls[1].function, "RegisterHotKey");
  EXPECT_EQ(calls[1].window, Window(1));
  EXPECT_EQ(calls[1].args, (std::vector<int64_t>{0xC5, 8, 0xC5}));
  EXPECT_EQ(calls[1].result, 1);
}

}  // namespace

// The hardware-button list from the registry, their capture and release
// (the shell's hot-key journal), the button map and the font name table.
#include <gtest/gtest.h>

#include <string>

#include "app/buttons/hardware_buttons.h"
#include "app/buttons/name_id_table.h"
#include "app/preferences/preferences.h"
#include "platform/testing/registry.h"
#include "platform/testing/shell.h"
#include "platform/testing/windows.h"
#include "platform/windows/windows.h"
#include "tests/app/test_window.h"

namespace {

const std::u16string kKeys = u"SOFTWARE\\Microsoft\\Shell\\Keys";

void SeedButton(const std::u16string& subkey, const std::u16string& name) {
  devtest::SeedRegistryKey(HKEY_LOCAL_MACHINE, kKeys + u"\\" + subkey);
  if (!name.empty()) devtest::SeedRegistryString(HKEY_LOCAL_MACHINE, kKeys + u"\\" + subkey, u"Name", name);
}

HWND MakeWindow() { return apptest::MakeTestWindow(); }

}  // namespace

TEST(HardwareButtons, SubkeysThatDoNotQualifyGiveCodeZero) {
  SeedButton(u"40C1", u"Button 1");
  SeedButton(u"40", u"Short");
  SeedButton(u"C1", u"No prefix");
  SeedButton(u"40C2", u"");  // no name
  SeedButton(u"40ZZ", u"Not hex");
  SeedButton(u"4075", u"A very long button name indeed");
  HardwareButtonList list;
  ASSERT_TRUE(list.Open());
  std::vector<std::pair<uint8_t, std::u16string>> seen;
  HardwareButton b;
  for (bool more = list.First(&b); more; more = list.Next(&b)) seen.push_back({b.keyCode, b.name});
  ASSERT_EQ(seen.size(), 6u);
  EXPECT_EQ(seen[0], std::make_pair(uint8_t{0xC1}, std::u16string(u"Button 1")));
  EXPECT_EQ(seen[1].first, 0);
  EXPECT_EQ(seen[2].first, 0);
  EXPECT_EQ(seen[3].first, 0);
  EXPECT_EQ(seen[4].first, 0);
  EXPECT_EQ(seen[5].first, 0x75);
  EXPECT_EQ(seen[5].second, u"A very long button ");  // cut to 19 characters
}

TEST(HardwareButtons, AssignedButtonsAreCapturedOthersReleased) {
  SeedButton(u"40C1", u"Button 1");
  SeedButton(u"40C2", u"Button 2");
  SeedButton(u"4075", u"Side key");
  HWND window = MakeWindow();
  Preferences prefs;
  prefs.SetButtonAction(1, 0x40);  // 40C2: full screen
  prefs.SetButtonAction(2, 0x8);   // 0x75: library, associated rather than captured
  RegisterHardwareButtons(window, prefs, true);
  auto held = devtest::RegisteredHotKeys();
  ASSERT_EQ(held.size(), 1u);
  EXPECT_EQ(held[0].key, 0xC2u);
  EXPECT_EQ(held[0].id, 0xC2);
  EXPECT_EQ(held[0].modifiers, MOD_KEYUP);
  EXPECT_TRUE(devtest::ShellHoldsKey(0xC1));  // no action: the shell keeps it
  auto assoc = devtest::ShellCallsTo("SHSetAppKeyWndAssoc");
  ASSERT_FALSE(assoc.empty());
  EXPECT_EQ(assoc.back().args.at(0), 0x75);
  EXPECT_EQ(assoc.back().window, window);

  UnregisterHardwareButtons(window);
  EXPECT_TRUE(devtest::RegisteredHotKeys().empty());
  DestroyWindow(window);
}

TEST(HardwareButtons, CommandForButtonGoesThroughTheActionTable) {
  SeedButton(u"40C1", u"Button 1");
  SeedButton(u"40C2", u"Button 2");
  Preferences prefs;
  prefs.SetButtonAction(0, 0x40);      // full screen: 55
  prefs.SetButtonAction(1, 0x100000);  // a bit not in the table
  uint32_t command = 0;
  ASSERT_TRUE(CommandForButton(0xC1, prefs, &command));
  EXPECT_EQ(command, 55u);
  EXPECT_FALSE(CommandForButton(0xC2, prefs, &command));
  EXPECT_FALSE(CommandForButton(0xC3, prefs, &command));
  prefs.SetButtonAction(0, kNoButtonAction);
  EXPECT_FALSE(CommandForButton(0xC1, prefs, &command));
}

TEST(NameIdTable, NamedEntriesStartAtEightAndStopAt256) {
  NameIdTable table;
  ASSERT_TRUE(table.EnsureCount(3));
  EncodedString name;
  name.FromWide(u"Tahoma");
  EXPECT_EQ(table.FindOrAdd(name, nullptr, 0), 8u);
  EXPECT_EQ(table.Count(), 9u);
  EXPECT_EQ(table.FindOrAdd(name, nullptr, 0), 8u);
  EncodedString empty;
  EXPECT_EQ(table.FindOrAdd(empty, nullptr, 0), 0u);
  for (uint32_t i = 9; i < 256; ++i) {
    EncodedString n;
    n.FromWide(u"font");
    n.AppendNumber(i, 10);
    ASSERT_EQ(table.FindOrAdd(n, nullptr, 0), i);
  }
  EncodedString extra;
  extra.FromWide(u"one too many");
  EXPECT_EQ(table.FindOrAdd(extra, nullptr, 0), 0u);
  uint8_t data[32];
  for (uint8_t i = 0; i < 32; ++i) data[i] = i;
  EXPECT_EQ(table.FindOrAdd(name, data, 32), 8u);
  EXPECT_EQ(table.At(8)->data[31], 31);
}

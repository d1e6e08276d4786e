// The clipboard: a text round trip, refusal when not open (the caller's
// block kept and freed by the caller), blocks freed when emptied.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/clipboard/clipboard.h"
#include "platform/testing/reset.h"

namespace {

HGLOBAL TextBlock(const std::u16string& text) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(WCHAR));
  auto* bytes = static_cast<WCHAR*>(GlobalLock(block));
  std::memcpy(bytes, text.c_str(), (text.size() + 1) * sizeof(WCHAR));
  GlobalUnlock(block);
  return block;
}

class ClipboardTest : public ::testing::Test {
 protected:
  void SetUp() override {
    devtest::ResetDevice();
    blocksBefore = LiveBlockCount();
  }
  void TearDown() override {
    devtest::ResetDevice();
    EXPECT_EQ(LiveBlockCount(), blocksBefore);
  }
  size_t blocksBefore = 0;
};

TEST_F(ClipboardTest, TextMakesTheRoundTrip) {
  ASSERT_TRUE(OpenClipboard(nullptr));
  EXPECT_FALSE(OpenClipboard(nullptr));  // one owner at a time
  ASSERT_TRUE(EmptyClipboard());
  HGLOBAL block = TextBlock(u"Chapter one");
  EXPECT_EQ(SetClipboardData(CF_UNICODETEXT, block), block);
  ASSERT_TRUE(CloseClipboard());
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_UNICODETEXT));
  EXPECT_FALSE(IsClipboardFormatAvailable(CF_TEXT));
  EXPECT_EQ(devtest::ClipboardText(), u"Chapter one");

  ASSERT_TRUE(OpenClipboard(nullptr));
  HANDLE data = GetClipboardData(CF_UNICODETEXT);
  ASSERT_NE(data, nullptr);
  EXPECT_EQ(std::u16string(static_cast<const WCHAR*>(GlobalLock(data))), u"Chapter one");
  GlobalUnlock(data);
  // Replacing the text frees the old block.
  EXPECT_NE(SetClipboardData(CF_UNICODETEXT, TextBlock(u"two")), nullptr);
  EXPECT_FALSE(IsLiveBlock(block));
  CloseClipboard();
  EXPECT_EQ(devtest::ClipboardText(), u"two");
}

TEST_F(ClipboardTest, AnUnopenedClipboardRefusesAndTheBlockStaysTheCallers) {
  HGLOBAL block = TextBlock(u"kept");
  EXPECT_EQ(SetClipboardData(CF_UNICODETEXT, block), nullptr);
  EXPECT_FALSE(EmptyClipboard());
  EXPECT_EQ(GetClipboardData(CF_UNICODETEXT), nullptr);
  EXPECT_TRUE(IsLiveBlock(block));
  EXPECT_EQ(GlobalFree(block), nullptr);
  // Made-up and freed handles are refused, not read.
  EXPECT_EQ(GlobalLock(block), nullptr);
  EXPECT_EQ(GlobalFree(block), block);
  ASSERT_TRUE(OpenClipboard(nullptr));
  EXPECT_EQ(SetClipboardData(CF_UNICODETEXT, reinterpret_cast<HANDLE>(64)), nullptr);
  CloseClipboard();
}

}  // namespace

namespace {

std::vector<std::string> gDesktop;

TEST_F(ClipboardTest, TextSetOnTheDeviceReachesTheDesktopSinkOnClose) {
  gDesktop.clear();
  SetDesktopClipboardSink([](const char* utf8) { gDesktop.push_back(utf8); });
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  SetClipboardData(CF_UNICODETEXT, TextBlock(u"caf\u00e9"));
  EXPECT_TRUE(gDesktop.empty());  // not before the clipboard is closed
  CloseClipboard();
  ASSERT_TRUE(OpenClipboard(nullptr));  // opened and closed without new text
  CloseClipboard();
  SetDesktopClipboardSink(nullptr);
  EXPECT_EQ(gDesktop, (std::vector<std::string>{"caf\xc3\xa9"}));
  EXPECT_EQ(devtest::ClipboardJournal(), (std::vector<std::u16string>{u"caf\u00e9"}));
}

}  // namespace

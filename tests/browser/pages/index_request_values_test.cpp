// Index request values: table numbers a fragment may name, bullet codes,
// the word list's link to its dictionary (escaped, and decoded back by the
// redirect), and when a saved query is typed in again.
#include <gtest/gtest.h>

#include <string>

#include "browser/addresses/location.h"
#include "browser/pages/index_request_values.h"

namespace {

SharedWideString W(const std::u16string& text) { return SharedWideString(text.c_str()); }
std::u16string S(const SharedWideString& text) {
  return text.length == 0 ? std::u16string() : std::u16string(text.Chars(), text.length);
}

TEST(IndexRequestValues, TableNumbersAndBullets) {
  EXPECT_TRUE(IsTableNumber(0));
  EXPECT_TRUE(IsTableNumber(0xFFFE));
  EXPECT_FALSE(IsTableNumber(0xFFFF));
  EXPECT_FALSE(IsTableNumber(0x10003)) << "not cut to 16 bits";
  EXPECT_FALSE(IsTableNumber(-1));
  EXPECT_EQ(BulletCodeFor(34), 230);
  EXPECT_EQ(BulletCodeFor(35), 225);
  EXPECT_EQ(BulletCodeFor(37), 232);
  EXPECT_EQ(BulletCodeFor(36), 224);
  EXPECT_EQ(BulletCodeFor(0), 224);
}

TEST(IndexRequestValues, WordListLinkKeepsTheWholeTitle) {
  SharedWideString url;
  ASSERT_TRUE(WordListLinkUrl(W(u"Oxford"), SharedWideString(), &url));
  EXPECT_EQ(S(url), u"oeb:redirect?title=Oxford");
  const std::u16string title = u"Dict & Co #2 $5 100% a+b";
  ASSERT_TRUE(WordListLinkUrl(W(title), W(u"words"), &url));
  EXPECT_EQ(S(url).rfind(u"$table=words"), S(url).size() - 12);
  // The redirect reads the title back whole.
  Location location;
  ASSERT_TRUE(Location::Parse(&location, url, nullptr));
  SharedWideString raw, decoded;
  ASSERT_TRUE(FindQueryArgument(location.url.text, kQueryTitle, &raw));
  ASSERT_TRUE(PercentDecode(raw, &decoded));
  EXPECT_EQ(S(decoded), title);
}

TEST(IndexRequestValues, SavedQueryNeedsTextModeAndCodePage) {
  const SharedWideString text = W(u"ca*");
  EXPECT_TRUE(SavedQueryApplies(text, 0x00010000, 1252, 0x00010100, 1252));
  EXPECT_TRUE(SavedQueryApplies(text, 0x00030000, 1252, 0, 1252)) << "mode 3 counts as 0";
  EXPECT_TRUE(SavedQueryApplies(text, 0, 0x1400 | 1252, 0, 1252)) << "low 10 bits";
  EXPECT_FALSE(SavedQueryApplies(text, 0x00020000, 1252, 0x00010000, 1252));
  EXPECT_FALSE(SavedQueryApplies(text, 0, 1252, 0, 932));
  EXPECT_FALSE(SavedQueryApplies(SharedWideString(), 0, 1252, 0, 1252));
}

}  // namespace

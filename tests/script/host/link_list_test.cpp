// The playlist text: items split at ';', address and label at the first
// '|', addresses resolved against the base, whole 16-bit separators only.
#include <gtest/gtest.h>

#include <string>

#include "script/host/link_list.h"
#include "tests/script/value_test_support.h"

namespace {

using scripttest::Narrow;
using scripttest::Text;
using scripttest::Wide;

// Resolves against "book\" and refuses addresses that begin with '!'.
class FakeBase : public LinkBaseAddress {
 public:
  bool ParseRelative(const SharedWideString& address, SharedWideString* full) override {
    std::u16string text = Text(address);
    if (!text.empty() && text[0] == u'!') return false;
    *full = Wide(u"book\\" + text);
    return true;
  }
};

class CountedSound : public RefCounted {};

class FakeLoader : public LinkSoundLoader {
 public:
  std::u16string opened;
  RefCounted* OpenSound(const SharedWideString& address) override {
    opened = Text(address);
    return new CountedSound();
  }
};

TEST(LinkListParse, ItemsLabelsAndAddresses) {
  FakeBase base;
  LinkList list;
  EXPECT_TRUE(list.Parse(SharedWideString(), &base));
  EXPECT_EQ(list.Count(), 0u);

  ASSERT_TRUE(list.Parse(Wide(u"a.ogg|First song;b.ogg"), &base));
  ASSERT_EQ(list.Count(), 2u);
  EXPECT_EQ(Narrow(Text(list.Address(0))), "book\\a.ogg");
  EXPECT_EQ(Narrow(Text(list.Label(0))), "First song");
  EXPECT_EQ(Narrow(Text(list.Address(1))), "book\\b.ogg");
  EXPECT_EQ(Text(list.Label(1)), u"");
  EXPECT_EQ(Text(list.Label(7)), u"");

  // A second '|' belongs to the label; U+013B and U+017C are no separators.
  ASSERT_TRUE(list.Parse(Wide(u"c.ogg|x|y \u013B\u017C z"), &base));
  ASSERT_EQ(list.Count(), 1u);
  EXPECT_EQ(Text(list.Label(0)), u"x|y \u013B\u017C z");

  // A failing address ends the parse; the items before it stay.
  EXPECT_FALSE(list.Parse(Wide(u"d.ogg|D;!bad|E;f.ogg"), &base));
  ASSERT_EQ(list.Count(), 1u);
  EXPECT_EQ(Narrow(Text(list.Label(0))), "D");
  list.Clear();
  EXPECT_EQ(list.Count(), 0u);
  EXPECT_EQ(list.Text().length, 0u);
}

TEST(LinkListParse, OpeningAnItem) {
  FakeBase base;
  FakeLoader loader;
  LinkList list;
  ASSERT_TRUE(list.Parse(Wide(u"a.ogg|A"), &base));
  EXPECT_EQ(list.OpenItem(0), nullptr);  // no loader yet
  list.SetLoader(&loader);
  EXPECT_EQ(list.OpenItem(1), nullptr);
  RefCounted* sound = list.OpenItem(0);
  ASSERT_NE(sound, nullptr);
  EXPECT_EQ(Narrow(loader.opened), "book\\a.ogg");
  sound->Release();
}

}  // namespace

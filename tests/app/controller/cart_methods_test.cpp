// The controller's cart methods over a recording cart holder: the two
// confirmation texts, reloading after a removal and a clear, submitting
// only the "interactions" cart, and writing XML only where a book's script
// may write.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "platform/testing/ui.h"
#include "tests/app/frame_fixture.h"

using apptest::FrameFixture;

namespace {

std::u16string Text(const SharedWideString& s) { return s.IsEmpty() ? u"" : std::u16string(s.Chars(), s.length); }

SharedWideString Wide(const char16_t* text) {
  SharedWideString s;
  s.FromChars(text, static_cast<uint32_t>(std::char_traits<char16_t>::length(text)));
  return s;
}

class RecordingCarts final : public CartHolder {
 public:
  bool AddItem(const SharedWideString& cart, const SharedWideString& text, const SharedWideString&) override {
    items[Text(cart)].push_back(Text(text));
    return true;
  }
  bool RemoveItem(const SharedWideString& cart, uint32_t index) override {
    auto& list = items[Text(cart)];
    if (index >= list.size()) return false;
    list.erase(list.begin() + index);
    return true;
  }
  int32_t ItemCount(const SharedWideString& cart) override {
    auto it = items.find(Text(cart));
    return it == items.end() ? -1 : static_cast<int32_t>(it->second.size());
  }
  bool Clear(const SharedWideString& cart) override {
    items[Text(cart)].clear();
    return true;
  }
  bool WriteXml(const SharedWideString& cart, const EncodedString& path) override {
    written.push_back(Text(cart) + u" > " + std::u16string(path.Chars(), path.ByteLength() / 2));
    return true;
  }
  std::map<std::u16string, std::vector<std::u16string>> items;
  std::vector<std::u16string> written;
};

class CartMethodsTest : public FrameFixture {
 protected:
  // The view's reloads (a confirmation box also deactivates the window).
  size_t Reloads() const {
    size_t n = 0;
    for (const std::string& call : view.calls)
      if (call.rfind("reload", 0) == 0) ++n;
    return n;
  }
  void SetUp() override {
    FrameFixture::SetUp();
    controller->SetCart(&carts);
  }
  RecordingCarts carts;
};

}  // namespace

TEST_F(CartMethodsTest, AddingConfirmsWithTheCartsOwnText) {
  EXPECT_TRUE(controller->AddCartItem(Wide(u"interactions"), Wide(u"aspirin"), Wide(u"1")));
  EXPECT_TRUE(controller->AddCartItem(Wide(u"reading list"), Wide(u"a novel"), Wide(u"2")));
  EXPECT_TRUE(controller->AddCartItem(Wide(u"interactions2"), Wide(u"x"), Wide(u"3")));
  auto& boxes = devtest::MessageBoxJournal();
  ASSERT_EQ(boxes.size(), 3u);
  EXPECT_EQ(boxes[0].caption, u"Confirmation");
  EXPECT_EQ(boxes[0].text, u"The drug has been added to the prescription.");
  EXPECT_EQ(boxes[1].text, u"The item has been successfully added to the list.");
  EXPECT_EQ(boxes[2].text, u"The item has been successfully added to the list.");
  EXPECT_EQ(boxes[0].flags, 64u);
}

TEST_F(CartMethodsTest, RemovingAndClearingReloadTheView) {
  controller->AddCartItem(Wide(u"list"), Wide(u"a"), Wide(u"1"));
  view.calls.clear();
  EXPECT_FALSE(controller->RemoveCartItem(Wide(u"list"), 5));
  EXPECT_EQ(Reloads(), 0u);
  EXPECT_TRUE(controller->RemoveCartItem(Wide(u"list"), 0));
  EXPECT_EQ(Reloads(), 1u);
  // An empty cart is cleared without a reload; a missing one answers false.
  EXPECT_TRUE(controller->ClearCart(Wide(u"list")));
  EXPECT_EQ(Reloads(), 1u);
  EXPECT_FALSE(controller->ClearCart(Wide(u"nothing")));
  controller->AddCartItem(Wide(u"list"), Wide(u"b"), Wide(u"2"));
  EXPECT_TRUE(controller->ClearCart(Wide(u"list")));
  EXPECT_EQ(Reloads(), 2u);
  EXPECT_EQ(carts.ItemCount(Wide(u"list")), 0);
}

TEST_F(CartMethodsTest, OnlyTheInteractionsCartIsSubmitted) {
  EXPECT_FALSE(controller->SubmitInteractions(Wide(u"list"), Wide(u"Mine")));
  EXPECT_TRUE(view.calls.empty());
  EXPECT_TRUE(controller->SubmitInteractions(Wide(u"interactions"), Wide(u"Mine")));
  EXPECT_EQ(view.calls, (std::vector<std::string>{"open oeb:cart?name=interactions&action=submit&title=Mine"}));
}

TEST_F(CartMethodsTest, TheXmlGoesOnlyWhereABooksScriptMayWrite) {
  auto path = [](const char16_t* text) {
    EncodedString s;
    s.FromWide(text);
    return s;
  };
  EXPECT_TRUE(controller->WriteCartXml(Wide(u"list"), path(u"\\My Documents\\cart.xml")));
  for (const char16_t* refused : {u"\\eBooks\\book.CORV", u"\\My Documents\\notes.txt",
                                  u"\\Program Files\\tessalyn\\qvr_global_configuration.qvr", u"\\x.ebase"}) {
    EXPECT_FALSE(controller->WriteCartXml(Wide(u"list"), path(refused)));
  }
  EXPECT_EQ(carts.written, (std::vector<std::u16string>{u"list > \\My Documents\\cart.xml"}));
}

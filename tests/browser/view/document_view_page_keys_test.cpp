// Page steps while a list element has the focus: each step reaches the
// element as the key of its own list (a page, a line, the ends), and the
// move keys without a frame set take the same way.
#include <gtest/gtest.h>

#include <vector>

#include "browser/view/document_view.h"
#include "index/books/book_index_services.h"
#include "tests/browser/view/index_page_fakes.h"
#include "tests/browser/view/view_fixture.h"
#include "tests/support/index_builder.h"

namespace viewtest {
namespace {

std::vector<uint8_t> DictionaryBook() {
  testbuild::BookRecipe recipe;
  recipe.text = testbuild::EncodeBookText(NumberedParagraphs(20), 1252);
  recipe.resourceRecords = 2;
  testbuild::BuiltBook built = testbuild::BuildBook(recipe);
  std::vector<testbuild::DictionaryWord> words;
  for (const char* w : {"ant", "bee", "cat", "dog"}) words.push_back({w, "d"});
  testbuild::AddIndexToBook(built, testbuild::BuildIndexRecords(testbuild::DictionaryIndex(words)), 0);
  return built.Bytes();
}

class PageKeysTest : public ViewTest {
 protected:
  void SetUp() override {
    ViewTest::SetUp();
    InstallBookIndexServices();
    ASSERT_TRUE(OpenBook(u"\\keys.prc", DictionaryBook()));
    ScriptRequest request;
    request.methodAtom = 69;  // "index_search" over the default index
    bool repaint = false;
    bool restore = true;
    ASSERT_TRUE(view().ExecuteRequest(request, false, &repaint, &restore, false));
    ASSERT_NE(maker.lastWidget, nullptr);
    ASSERT_EQ(view().GetDocumentElement(), static_cast<PageElement*>(maker.lastWidget));
  }
  void TearDown() override { harness.view.reset(); }
  indexpages::FakeIndexPageMaker maker;
};

TEST_F(PageKeysTest, StepsReachTheListAsItsKeys) {
  const int32_t steps[] = {1, 3, -3, -2, -1, 2, 0};
  for (int32_t step : steps) EXPECT_TRUE(view().GoToPageRelative(step, 1, 255)) << step;
  EXPECT_EQ(maker.lastWidget->commands, (std::vector<int32_t>{68, 70, 71, 67, 69, 66, 66}));
  maker.lastWidget->commands.clear();
  EXPECT_TRUE(view().HandleMoveCommand(1035, true));
  EXPECT_TRUE(view().HandleMoveCommand(1038, true));
  EXPECT_EQ(maker.lastWidget->commands, (std::vector<int32_t>{66, 69}));
}

}  // namespace
}  // namespace viewtest

// Going to a random entry of a book's index: a known generator state always
// shows the same page, an entry's link is followed first, and a table that
// is empty, missing or whose entry names no usable position gives false and
// moves nothing.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "browser/view/document_view.h"
#include "browser/view/random_entry.h"
#include "index/books/book_index_services.h"
#include "tests/browser/view/view_fixture.h"
#include "tests/support/index_builder.h"

namespace viewtest {
namespace {

const std::vector<uint32_t> kPositions = {300, 2000, 5000, 9000};
constexpr uint32_t kLinkedPosition = 700;

testbuild::IndexEntry Entry(const std::string& label, std::map<uint8_t, std::vector<uint32_t>> values) {
  testbuild::IndexEntry entry;
  entry.label.assign(label.begin(), label.end());
  entry.values = std::move(values);
  return entry;
}

uint32_t AddTable(testbuild::BuiltBook& built, std::vector<testbuild::IndexEntry> entries, int32_t kind,
                  uint32_t totalEntries = 0xFFFFFFFFu) {
  testbuild::IndexRecipe recipe;
  recipe.entries = std::move(entries);
  recipe.totalEntries = totalEntries;
  return testbuild::AddIndexToBook(built, testbuild::BuildIndexRecords(recipe), kind);
}

// A book whose default index holds one entry for each of kPositions, and
// named tables: "links" (its second entry links to the first), "empty" (a
// header that counts no entry), "far" (a position past the text) and
// "nopos" (an entry without a position).
std::vector<uint8_t> IndexedBook() {
  testbuild::BookRecipe recipe;
  recipe.text = testbuild::EncodeBookText(NumberedParagraphs(200), 1252);
  recipe.resourceRecords = 2;
  testbuild::BuiltBook built = testbuild::BuildBook(recipe);
  const uint32_t base = testbuild::BookRecordBase(built);
  std::vector<testbuild::IndexEntry> main;
  for (size_t i = 0; i < kPositions.size(); ++i) main.push_back(Entry(std::string(1, 'a' + i), {{1, {kPositions[i]}}}));
  AddTable(built, main, 0);
  const uint32_t links = AddTable(built, {Entry("a", {{1, {kLinkedPosition}}}), Entry("b", {{25, {0}}})}, -1);
  const uint32_t empty = AddTable(built, {Entry("a", {{1, {100}}})}, -1, 0);
  const uint32_t far = AddTable(built, {Entry("a", {{1, {100000000}}})}, -1);
  const uint32_t nopos = AddTable(built, {Entry("a", {{2, {5}}})}, -1);
  AddTable(built,
           {Entry("empty", {{1, {empty - base}}}), Entry("far", {{1, {far - base}}}),
            Entry("links", {{1, {links - base}}}), Entry("nopos", {{1, {nopos - base}}})},
           7);
  return built.Bytes();
}

// The entry number the generator gives from that state for a table of n.
uint32_t Drawn(uint32_t state, uint32_t n) {
  RandomGenerator generator;
  generator.SetState(state);
  return generator.Next() % n;
}

class RandomEntryTest : public ViewTest {
 protected:
  void SetUp() override {
    ViewTest::SetUp();
    InstallBookIndexServices();
    ASSERT_TRUE(OpenBook(u"\\random.prc", IndexedBook()));
  }
  bool Go(uint32_t state, const std::u16string* name) {
    RandomEntryGenerator().SetState(state);
    const SharedWideString text = name != nullptr ? W(*name) : SharedWideString();
    return view().GoToRandomEntry(name != nullptr ? &text : nullptr);
  }
};

TEST_F(RandomEntryTest, AKnownGeneratorStateAlwaysShowsTheSameEntry) {
  for (uint32_t state : {1u, 2u, 12345u, 0xDEADBEEFu}) {
    SCOPED_TRACE(state);
    const uint32_t expected = kPositions[Drawn(state, static_cast<uint32_t>(kPositions.size()))];
    ASSERT_TRUE(Go(state, nullptr));
    EXPECT_EQ(view().GetCurrentPosition(), static_cast<int32_t>(expected));
    ASSERT_TRUE(view().GoToPage(1));
    ASSERT_TRUE(Go(state, nullptr));
    EXPECT_EQ(view().GetCurrentPosition(), static_cast<int32_t>(expected));
  }
}

TEST_F(RandomEntryTest, ALinkedEntryShowsThePositionOfTheEntryItNames) {
  uint32_t state = 1;
  while (Drawn(state, 2) != 1) ++state;  // the entry that links
  const std::u16string links = u"links";
  ASSERT_TRUE(Go(state, &links));
  EXPECT_EQ(view().GetCurrentPosition(), static_cast<int32_t>(kLinkedPosition));
}

TEST_F(RandomEntryTest, NothingToGoToGivesFalseAndMovesNothing) {
  const std::u16string names[] = {u"empty", u"far", u"nopos", u"missing"};
  ASSERT_TRUE(view().GoToPage(3));
  const int32_t position = view().GetCurrentPosition();
  const uint32_t history = view().GetHistoryCount();
  for (const std::u16string& name : names) {
    EXPECT_FALSE(Go(7, &name)) << std::string(name.begin(), name.end());
    EXPECT_EQ(view().GetCurrentPosition(), position);
    EXPECT_EQ(view().GetHistoryCount(), history);
  }
  view().CloseCurrentDocument();
  EXPECT_FALSE(Go(7, nullptr)) << "no document";
}

TEST_F(RandomEntryTest, ABookWithoutAnIndexGivesFalse) {
  ASSERT_TRUE(OpenBook(u"\\plain.prc", MarkupBook(NumberedParagraphs(40))));
  EXPECT_FALSE(Go(7, nullptr));
}

}  // namespace
}  // namespace viewtest

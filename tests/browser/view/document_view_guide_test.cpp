// The guide of a book (table of contents, where reading starts, numbered
// entries) and position fragments, on books whose head names the entries.
#include <gtest/gtest.h>

#include <cstdio>

#include "browser/view/document_view.h"
#include "layout/guide/book_guide.h"
#include "layout/pages/layout_context.h"
#include "storage/books/book_guide.h"
#include "tests/browser/view/view_fixture.h"

namespace viewtest {
namespace {

std::string Pos(uint32_t p) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%010u", p);
  return buffer;
}

// A book of numbered paragraphs whose guide names the given entries, each
// at the start of a paragraph: {type, paragraph number}.
struct GuideBook {
  std::string markup;
  std::vector<uint32_t> positions;  // of each entry, in order
};

GuideBook MakeGuideBook(const std::vector<std::pair<std::string, int>>& entries) {
  // Two passes: the positions depend on the head's length, which the
  // fixed-width numbers keep constant.
  GuideBook book;
  for (int pass = 0; pass < 2; ++pass) {
    std::string head = "<html><head><guide>";
    for (size_t i = 0; i < entries.size(); ++i)
      head += "<reference type=\"" + entries[i].first + "\" title=\"T\" filepos=" +
              Pos(pass == 0 ? 0 : book.positions[i]) + " />";
    head += "</guide></head>";
    const std::string body = NumberedParagraphs(300).substr(6);  // without "<html>"
    book.markup = head + body;
    book.positions.clear();
    for (const auto& entry : entries) {
      const size_t at = book.markup.find("<p>Paragraph " + std::to_string(entry.second) + " ");
      book.positions.push_back(static_cast<uint32_t>(at));
    }
  }
  return book;
}

class GuideTest : public ViewTest {
 protected:
  void SetUp() override {
    ViewTest::SetUp();
    InstallBookGuideReader();
  }
  void TearDown() override { SetBookGuideReader(nullptr); }
  // Each book under a path of its own.
  bool Open(const GuideBook& book) {
    const std::string n = std::to_string(++opened);
    return OpenBook(u"\\guide" + std::u16string(n.begin(), n.end()) + u".prc", MarkupBook(book.markup));
  }
  int opened = 0;
  uint32_t PageStart() { return view().GetLayout()->GetCurrentPosition(); }
};

TEST_F(GuideTest, TableOfContentsFallsBackToStartThenToPageOne) {
  struct Case {
    const char* name;
    std::vector<std::pair<std::string, int>> entries;
    int expectedEntry;  // -1: page 1
  };
  const Case cases[] = {
      {"toc", {{"start", 150}, {"toc", 90}}, 1},
      {"start only", {{"start", 150}}, 0},
      {"neither", {{"other.ms-firstpage", 60}}, -1},
      {"no guide", {}, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const GuideBook book = MakeGuideBook(c.entries);
    ASSERT_TRUE(Open(book));
    ASSERT_TRUE(view().GoToPage(1));  // a book may open where reading starts
    const uint32_t first = PageStart();
    ASSERT_TRUE(view().GoToPage(7));
    ASSERT_NE(PageStart(), first);
    EXPECT_TRUE(view().GoToToc());
    EXPECT_EQ(PageStart(), c.expectedEntry < 0 ? first : book.positions[static_cast<size_t>(c.expectedEntry)]);
  }
}

TEST_F(GuideTest, EntriesByNameAndNumber) {
  const GuideBook book = MakeGuideBook({{"toc", 40}, {"start", 120}});
  ASSERT_TRUE(Open(book));
  // The document adds "start_reading" after the book's own entries.
  ASSERT_EQ(view().GetGuideEntryCount(), 3u);
  SharedWideString target;
  EXPECT_TRUE(view().GetGuideEntryTarget(0, &target));
  EXPECT_EQ(S(target), u"T");
  EXPECT_FALSE(view().GetGuideEntryTarget(3, &target));
  EXPECT_FALSE(view().GoToGuide(3));
  EXPECT_TRUE(view().GoToGuide(1));
  EXPECT_EQ(PageStart(), book.positions[1]);
  EXPECT_TRUE(view().GoToGuide(0));
  EXPECT_EQ(PageStart(), book.positions[0]);
  EXPECT_TRUE(view().GoToStartReading());
  EXPECT_EQ(PageStart(), book.positions[1]);
  EXPECT_TRUE(view().GoToGuideStart());

  ASSERT_TRUE(OpenBook(u"\\plain.prc", MarkupBook(NumberedParagraphs(50))));
  EXPECT_EQ(view().GetGuideEntryCount(), 0u);
  EXPECT_FALSE(view().GoToGuideStart()) << "no start entry";
  ASSERT_TRUE(view().GoToPage(3));
  EXPECT_TRUE(view().GoToStartReading()) << "falls back to page 1";
  EXPECT_EQ(view().GetCurrentPageNumber(), 1);
}

TEST_F(GuideTest, WithoutADocumentEverythingAnswersFalse) {
  EXPECT_FALSE(view().GoToToc());
  EXPECT_FALSE(view().GoToStartReading());
  EXPECT_FALSE(view().GoToGuide(0));
  EXPECT_EQ(view().GetGuideEntryCount(), 0u);
  EXPECT_EQ(view().GetAnchorPosition(nullptr), -1);
  SharedWideString title;
  EXPECT_FALSE(view().GetDocumentTitle(&title));
  EXPECT_TRUE(title.IsEmpty());
}

TEST_F(GuideTest, TitleIsTheSourcesTitle) {
  ASSERT_TRUE(Open(MakeGuideBook({{"toc", 40}})));
  SharedWideString fromView, fromSource;
  ASSERT_TRUE(view().GetDocumentSource()->GetTitle(&fromSource));
  ASSERT_TRUE(view().GetDocumentTitle(&fromView));
  EXPECT_EQ(S(fromView), S(fromSource));
}

TEST_F(GuideTest, PositionFragmentsShowThePageStartingThere) {
  const GuideBook book = MakeGuideBook({{"toc", 77}});
  ASSERT_TRUE(Open(book));
  const uint32_t target = book.positions[0];
  const std::string digits = std::to_string(target);
  EXPECT_TRUE(view().GoToFragment(W(u"##-pos" + std::u16string(digits.begin(), digits.end()))));
  EXPECT_EQ(PageStart(), target) << "the page starts at the position itself";
  EXPECT_EQ(view().GetAnchorPosition(nullptr), static_cast<int32_t>(target));
  const SharedWideString empty;
  EXPECT_EQ(view().GetAnchorPosition(&empty), static_cast<int32_t>(target));
  // Fragments that name nothing move nothing.
  for (const char16_t* text : {u"##-posx", u"##-other", u"chapter9", u""}) {
    SCOPED_TRACE(std::string(text, text + std::char_traits<char16_t>::length(text)));
    EXPECT_FALSE(view().GoToFragment(W(text)));
    EXPECT_EQ(PageStart(), target);
  }
  const SharedWideString missing = W(u"chapter9");
  EXPECT_EQ(view().GetAnchorPosition(&missing), -1);
}

}  // namespace
}  // namespace viewtest

// The guide of a book read from its markup through the book document:
// references with their positions, addresses and scripts, the information
// page, the title in pieces and the language, and where reading starts
// (the "start" reference, else the table of contents' first forward link).
#include "layout/guide/book_guide.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "storage/books/book_document.h"
#include "tests/support/book_builder.h"
#include "tests/support/book_builder_reader.h"

using namespace testbuild;

namespace {

std::string Narrow(const SharedWideString& s) {
  std::string out;
  for (uint32_t i = 0; i < s.length; ++i) out.push_back(static_cast<char>(s.Chars()[i]));
  return out;
}

// A ten-digit file position, as books write them.
std::string Pos(uint32_t p) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%010u", p);
  return buffer;
}

class BookGuide : public ::testing::Test {
 protected:
  void SetUp() override { InstallBookGuideReader(); }
  void TearDown() override { SetBookGuideReader(nullptr); }

  OpenedBook Open(const std::string& markup, const std::u16string& path = u"\\book.corv") {
    BookRecipe spec;
    spec.text = EncodeBookText(markup, 1252);
    spec.language = 0;
    OpenedBook opened = OpenBookBytes(BuildBook(spec).Bytes(), 65002, kOpenStream, nullptr, path);
    EXPECT_EQ(opened.error, 0);
    return opened;
  }

  // The book's guide entries as "name|value|text|position".
  std::vector<std::string> Entries(BookDocument* doc) {
    std::vector<std::string> out;
    DocumentProperty p;
    for (uint32_t i = 0; doc->GetProperty(2, i, &p); ++i)
      out.push_back(Narrow(p.name) + "|" + Narrow(p.value) + "|" + Narrow(p.text) + "|" + std::to_string(p.position));
    return out;
  }
};

TEST_F(BookGuide, ReferencesBecomeEntriesAndStartIsWhereReadingStarts) {
  OpenedBook book = Open(
      "<html><head><guide>"
      "<reference type=\"toc\" title=\"Contents\" filepos=" + Pos(400) + " />"
      "<reference type=\"start\" title=\"Begin\" filepos=" + Pos(300) + " />"
      "<reference type=\"other.ms-firstpage\" title=\"First\" filepos=" + Pos(200) + " />"
      "<reference type=\"web\" title=\"Site\" href=\"http://example.org/\" />"
      "<reference type=\"script\" title=\"Run\" onclick=\"go()\" />"
      "<reference type=\"nothing\" title=\"Lost\" />"
      "</guide>"
      "<metadata href=\"info\" filepos=" + Pos(500) + " />"
      "</head><body><p>Text of the book.</p></body></html>");
  ASSERT_NE(book.doc, nullptr);
  EXPECT_EQ(book.doc->GetGuideState(), 2);
  const std::vector<std::string> expected = {
      "toc|Contents||400",
      "start|Begin||300",
      "other.ms-firstpage|First||200",
      "web|Site|http://example.org/|-1",
      "script|Run|go()|-2",
      "eBook Info|eBook Info||500",
      "start_reading|||300",
  };
  EXPECT_EQ(Entries(book.doc.get()), expected);
  DocumentProperty found;
  EXPECT_TRUE(book.doc->FindProperty(u"start_reading", 13, 2, &found, 0));
  EXPECT_EQ(found.position, 300);
}

TEST_F(BookGuide, TheFirstPageStandsInForAMissingStart) {
  OpenedBook book = Open("<html><head><guide><reference type=\"other.ms-firstpage\" title=\"First\" filepos=" +
                         Pos(42) + " /></guide></head><body>x</body></html>");
  ASSERT_NE(book.doc, nullptr);
  EXPECT_EQ(Entries(book.doc.get()), (std::vector<std::string>{"other.ms-firstpage|First||42", "start_reading|||42"}));
}

TEST_F(BookGuide, OnlyATableOfContentsLeadsToItsFirstForwardLink) {
  // The table of contents at `toc` links to 0, back before itself, then
  // forward to the chapter; filler makes the book long enough that the
  // chapter lies in its first half.
  const std::string head = "<html><head><guide><reference type=\"toc\" title=\"Contents\" filepos=";
  const std::string headEnd = " /></guide></head><body>";
  const std::string intro = "<p>Introduction before the contents.</p>";
  const uint32_t toc = static_cast<uint32_t>(head.size() + 10 + headEnd.size() + intro.size());
  const std::string links = "<p><a filepos=" + Pos(0) + ">Cover</a> <a filepos=" + Pos(toc - 10) +
                            ">Back</a> <a filepos=";
  const uint32_t chapter = static_cast<uint32_t>(toc + links.size() + 10 + 40);
  std::string markup = head + Pos(toc) + headEnd + intro + links + Pos(chapter) + ">One</a></p>";
  markup += std::string(chapter - markup.size(), ' ');
  markup += "<h1>Chapter one</h1>";
  for (int i = 0; i < 200; ++i) markup += "<p>Filler text of the chapter.</p>";
  markup += "</body></html>";
  OpenedBook book = Open(markup);
  ASSERT_NE(book.doc, nullptr);
  EXPECT_EQ(Entries(book.doc.get()),
            (std::vector<std::string>{"toc|Contents||" + std::to_string(toc), "start_reading|||" + std::to_string(chapter)}));
}

TEST_F(BookGuide, TitleLanguageAndDocumentsWithoutMarkup) {
  OpenedBook book = Open(
      "<html><head><dc:title>The <i>Long</i>\n   Title</dc:title>"
      "<dc:language>fr</dc:language></head><body>x</body></html>");
  ASSERT_NE(book.doc, nullptr);
  GuideList list;
  SharedWideString title;
  uint32_t language = 0;
  EXPECT_EQ(BuildGuideList(book.doc.get(), &list, &title, &language, true), 1);
  EXPECT_EQ(Narrow(title), "The Long Title");
  EXPECT_EQ(language, 0x040Cu);
  EXPECT_EQ(list.Count(), 0u);
  EXPECT_EQ(book.doc->GetLanguage(), 0x040Cu);  // the book's own, through its guide

  OpenedBook plain = Open("Text. <guide><reference type=\"start\" filepos=0000000001 /></guide>", u"\\plain.corv");
  ASSERT_NE(plain.doc, nullptr);
  EXPECT_EQ(plain.doc->GetGuideState(), 1);
  EXPECT_EQ(plain.doc->GetPropertyCount(2), 0u);
  EXPECT_EQ(BuildGuideList(plain.doc.get(), &list, &title, &language, true), 1);
  EXPECT_EQ(list.Count(), 0u);
}

}  // namespace

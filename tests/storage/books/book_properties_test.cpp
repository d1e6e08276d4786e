// The property lists of a book: its title by header version; without the
// guide reader that the layout installs the guide is empty (the guide
// itself is tested with the layout).
#include <gtest/gtest.h>

#include "storage/books/book_document.h"
#include "storage/books/book_guide.h"
#include "tests/support/book_builder.h"
#include "tests/support/book_builder_reader.h"

using namespace testbuild;

namespace {

std::string Narrow(const SharedWideString& s) {
  std::string out;
  for (uint32_t i = 0; i < s.length; ++i) out.push_back(static_cast<char>(s.Chars()[i]));
  return out;
}

TEST(BookProperties, TheTitleByHeaderVersion) {
  for (uint32_t version : {2u, 6u}) {
    BookRecipe spec;
    spec.headerVersion = version;
    spec.text = EncodeBookText("Text.", 1252);
    spec.fullName = EncodeBookText("The Book", 1252);
    OpenedBook opened = OpenBookBytes(BuildBook(spec).Bytes(), 65002, kOpenStream);
    ASSERT_EQ(opened.error, 0);
    BookDocument* doc = opened.doc.get();
    EXPECT_TRUE(doc->HasPropertyList(3));
    EXPECT_TRUE(doc->HasPropertyList(2));
    EXPECT_FALSE(doc->HasPropertyList(1));
    EXPECT_EQ(doc->GetPropertyCount(4), 0xFFFFFFFFu);
    DocumentProperty p;
    EXPECT_FALSE(doc->GetProperty(4, 0, &p));
    if (version > 2) {
      EXPECT_EQ(doc->GetPropertyCount(3), 1u);
      ASSERT_TRUE(doc->GetProperty(3, 0, &p));
      EXPECT_EQ(Narrow(p.value), "The Book");
      EXPECT_TRUE(p.name.IsEmpty());
    } else {
      ASSERT_TRUE(doc->GetProperty(3, 0, &p));
      EXPECT_EQ(Narrow(p.name), "Title");
      EXPECT_EQ(p.position, 0);
    }
  }
}

TEST(BookProperties, WithoutAGuideReaderTheGuideIsEmpty) {
  BookRecipe spec;
  spec.text = EncodeBookText("<html>Text.</html>", 1252);
  spec.language = 0;  // none in the header
  OpenedBook opened = OpenBookBytes(BuildBook(spec).Bytes(), 65002, kOpenStream);
  ASSERT_EQ(opened.error, 0);
  EXPECT_EQ(opened.doc->GetGuideState(), 0);
  EXPECT_EQ(opened.doc->GetPropertyCount(2), 0u);
  EXPECT_EQ(opened.doc->GetLanguage(), 0u);
}

}  // namespace

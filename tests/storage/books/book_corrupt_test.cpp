// Every broken variant of a book is refused with its error code, through
// both the mapped and the stream store (whose records are separate heap
// blocks, so a read past a record is seen by the sanitizer), and nothing is
// left locked.
#include <gtest/gtest.h>

#include "storage/books/book_document.h"
#include "tests/support/book_builder.h"
#include "tests/support/book_builder_reader.h"

namespace {

class BookCorruptions : public ::testing::TestWithParam<testbuild::CorruptionCase> {};

TEST_P(BookCorruptions, FailWithTheirCode) {
  const testbuild::CorruptionCase& c = GetParam();
  testbuild::BuiltBook book = testbuild::BuildBook(testbuild::CorruptionBaseSpec(c.kind));
  {
    // The sound book reads.
    testbuild::OpenedBook sound = testbuild::OpenBookBytes(book.Bytes());
    ASSERT_EQ(sound.error, 0);
    testbuild::TextWalk walk;
    ASSERT_TRUE(testbuild::ReadWholeText(sound.doc.get(), &walk));
  }
  const std::vector<uint8_t> broken = testbuild::CorruptBookBytes(book, c.kind);
  for (uint32_t mode : {testbuild::kOpenMapped, testbuild::kOpenStream}) {
    SCOPED_TRACE(mode);
    testbuild::OpenedBook opened = testbuild::OpenBookBytes(broken, 65002, mode, nullptr, u"\\broken.corv");
    if (!c.atRead) {
      EXPECT_EQ(opened.error, c.error);
      continue;
    }
    ASSERT_EQ(opened.error, 0);
    testbuild::TextWalk walk;
    EXPECT_FALSE(testbuild::ReadWholeText(opened.doc.get(), &walk));
    EXPECT_EQ(opened.doc->GetErrorCode(), c.error);
    EXPECT_EQ(opened.doc->BlockSlotCount(), 0u);
    // A second attempt fails the same way.
    EXPECT_FALSE(testbuild::ReadWholeText(opened.doc.get(), &walk));
  }
}

INSTANTIATE_TEST_SUITE_P(AllCorruptions, BookCorruptions, ::testing::ValuesIn(testbuild::AllBookCorruptions()),
                         [](const ::testing::TestParamInfo<testbuild::CorruptionCase>& info) {
                           return std::string(info.param.name);
                         });

}  // namespace

// The reading state a book keeps beside it: closing writes the side file
// (frame position with the EBAR record, the valid bit, the open count) and
// the last-document text; reopening shows the same page; internal pages
// write neither; damaged saved state opens the book at its start.
#include <gtest/gtest.h>

#include "browser/view/document_view.h"
#include "layout/pages/layout_context.h"
#include "storage/side_file/book_parameter_file.h"
#include "tests/browser/view/view_fixture.h"

namespace viewtest {
namespace {

EncodedString Encoded(const char16_t* text) {
  EncodedString s;
  s.FromWide(text);
  return s;
}

class ViewSavedStateTest : public ViewTest {
 protected:
  // Reads the side file of the book while no view holds it.
  struct SideFileView {
    bool exists = false;
    uint32_t opens = 0;
    bool valid = false;
    std::vector<uint8_t> frameState;
    uint32_t first = 0;
    uint32_t second = 0;
  };
  SideFileView ReadSideFile(const char16_t* book) {
    SideFileView out;
    BookParameterFile* file = new BookParameterFile();
    if (file->Open(Encoded(book), true) == RecordResult::kOk) {
      out.exists = true;
      out.opens = file->GetWord76();
      out.valid = file->IsReadingPositionValid();
      uint32_t length = 0;
      const uint8_t* data = file->GetFramePosition(&out.first, &out.second, &length);
      if (data != nullptr) out.frameState.assign(data, data + length);
    }
    file->Release();
    return out;
  }
};

TEST_F(ViewSavedStateTest, ClosingSavesThePageAndReopeningShowsIt) {
  ASSERT_TRUE(OpenBook(u"\\saved.prc", MarkupBook(NumberedParagraphs(150))));
  ASSERT_TRUE(view().GoToPage(4));
  const int32_t position = view().GetCurrentPosition();
  view().CloseCurrentDocument();
  EXPECT_EQ(view().GetLayout(), nullptr);
  EXPECT_EQ(view().GetLocation().url.state, kUrlEmpty);

  const SideFileView saved = ReadSideFile(u"\\saved.prc");
  ASSERT_TRUE(saved.exists);
  EXPECT_EQ(saved.opens, 1u);
  EXPECT_FALSE(saved.valid);
  ASSERT_GE(saved.frameState.size(), 12u);
  EXPECT_EQ(std::string(saved.frameState.begin(), saved.frameState.begin() + 4), "EBAR")
      << "the application's current view writes the frame path";
  EXPECT_EQ(saved.first, 4u);
  EXPECT_EQ(static_cast<int32_t>(saved.second), position);
  EXPECT_FALSE(S(harness.preferences.lastDocument).empty());
  EXPECT_GE(harness.preferences.saves, 1);

  ASSERT_TRUE(harness.Open(u"\\saved.prc"));
  EXPECT_EQ(view().GetCurrentPosition(), position);
  EXPECT_EQ(view().GetCurrentPageNumber(), 4);
  view().CloseCurrentDocument();
  EXPECT_EQ(ReadSideFile(u"\\saved.prc").opens, 2u) << "each opening is counted";
  EXPECT_TRUE(Messages().empty());
}

TEST_F(ViewSavedStateTest, TheLastDocumentIsTheBookOpened) {
  ASSERT_TRUE(OpenBook(u"\\Vol 2.prc", MarkupBook(NumberedParagraphs(5))));
  Location reopened;
  ASSERT_TRUE(Location::Parse(&reopened, harness.preferences.lastDocument, nullptr));
  EXPECT_EQ(Url::Compare(reopened.url, view().GetLocation().url), 0);
}

TEST_F(ViewSavedStateTest, WithoutTheSideFileSwitchNoSideFileIsWritten) {
  harness.preferences.keepsSideFiles = false;
  ASSERT_TRUE(OpenBook(u"\\plain.prc", MarkupBook(NumberedParagraphs(5))));
  EXPECT_FALSE(view().HasSideFile());
  view().CloseCurrentDocument();
  EXPECT_FALSE(ReadSideFile(u"\\plain.prc").exists);
}

TEST_F(ViewSavedStateTest, AViewThatIsNotTheCurrentOneKeepsNoState) {
  harness.application.currentView = nullptr;
  ASSERT_TRUE(OpenBook(u"\\other.prc", MarkupBook(NumberedParagraphs(5))));
  EXPECT_FALSE(view().HasSideFile());
  EXPECT_TRUE(S(harness.preferences.lastDocument).empty());
}

TEST_F(ViewSavedStateTest, InternalBooksWriteNeitherSideFileNorLastDocument) {
  testbuild::BookRecipe recipe;
  recipe.text = testbuild::EncodeBookText(NumberedParagraphs(5), 1252);
  recipe.bookType = 768;  // an internal page
  ASSERT_TRUE(testbuild::WriteDeviceFile(u"\\internal.prc", testbuild::BuildBook(recipe).Bytes()));
  ASSERT_TRUE(harness.Open(u"\\internal.prc"));
  EXPECT_EQ(view().GetLocation().url.state, kUrlCommand);
  EXPECT_FALSE(view().HasSideFile());
  view().CloseCurrentDocument();
  EXPECT_FALSE(ReadSideFile(u"\\internal.prc").exists);
  EXPECT_TRUE(S(harness.preferences.lastDocument).empty());
}

std::vector<uint8_t> Word(uint32_t value) {
  return {static_cast<uint8_t>(value >> 24), static_cast<uint8_t>(value >> 16), static_cast<uint8_t>(value >> 8),
          static_cast<uint8_t>(value)};
}

TEST_F(ViewSavedStateTest, DamagedSavedStateOpensTheBookAtItsStart) {
  const std::vector<uint8_t> book = MarkupBook(NumberedParagraphs(150));
  auto join = [](std::initializer_list<std::vector<uint8_t>> parts) {
    std::vector<uint8_t> out;
    for (const auto& part : parts) out.insert(out.end(), part.begin(), part.end());
    return out;
  };
  const std::vector<uint8_t> tag = {'E', 'B', 'A', 'R'};
  struct Case {
    const char* name;
    std::vector<uint8_t> state;
    uint32_t first;
    uint32_t second;
    bool atStart;  // else the sound position words are kept without the state
  };
  const Case cases[] = {
      {"wrong version", join({tag, Word(7), Word(0)}), 4, 9000, true},
      {"count past the end", join({tag, Word(1), Word(5), Word(1)}), 4, 9000, true},
      {"count overflowing 32 bits", join({tag, Word(1), Word(0x40000000u)}), 4, 9000, true},
      {"path without element state", join({tag, Word(1), Word(1), Word(0)}), 4, 9000, false},
      {"element state of noise", join({tag, Word(1), Word(0), {1, 2, 3, 4, 5, 6, 7, 8}}), 4, 9000, false},
      {"length not a multiple of four", join({tag, Word(1), Word(0), {1, 2}}), 4, 9000, true},
      {"position past the text", join({tag, Word(1), Word(0)}), 0xFFFFFFF0u, 0xFFFFFFF0u, true},
      {"empty", {}, 3, 3, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(testbuild::WriteDeviceFile(u"\\damaged.prc", book));
    {
      BookParameterFile* file = new BookParameterFile();
      ASSERT_EQ(file->Create(Encoded(u"\\damaged.prc"), "Test book", 9, false, true, false), RecordResult::kOk);
      ByteStream state;
      if (!c.state.empty()) state.WriteBytes(c.state.data(), static_cast<uint32_t>(c.state.size()));
      ASSERT_EQ(file->SetFramePosition(c.first, c.second, state), RecordResult::kOk);
      ASSERT_TRUE(file->Save());
      file->Release();
    }
    ASSERT_TRUE(harness.Open(u"\\damaged.prc"));
    ASSERT_NE(view().GetLayout(), nullptr);
    if (c.atStart) {
      EXPECT_EQ(view().GetCurrentPageNumber(), 1);
    } else {
      ViewTextRange range;
      ASSERT_TRUE(view().GetPageRange(&range));
      EXPECT_LE(range.start, c.second + 16);
      EXPECT_GT(range.end, c.second);
    }
    EXPECT_TRUE(Messages().empty());
    view().CloseCurrentDocument();
  }
}

}  // namespace
}  // namespace viewtest

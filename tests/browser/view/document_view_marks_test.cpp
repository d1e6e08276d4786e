// Marks and links the view writes into a book's side file: replacement
// within the note family, whole-or-nothing writes under lack of memory,
// and a link to a book whose database name holds URL delimiters.
#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "browser/view/document_view.h"
#include "foundation/addresses/url.h"
#include "platform/testing/allocation.h"
#include "storage/side_file/book_parameter_file.h"
#include "tests/browser/view/view_fixture.h"

namespace viewtest {
namespace {

constexpr uint32_t kNone = 0xFFFFFFFFu;

// Every mark of the side file as (identifier, kind), both walk classes.
std::set<std::pair<uint32_t, uint32_t>> Marks(BookParameterFile* file) {
  std::set<std::pair<uint32_t, uint32_t>> out;
  MarkIterator marks;
  for (uint32_t m = file->FirstBookmark(0, kNone, &marks); m != kNone; m = file->NextBookmark(&marks)) {
    out.insert({m, file->GetBookmarkKind(m)});
  }
  MarkIterator second;
  for (uint32_t m = file->FirstBookmarkOfKind2(&second); m != kNone; m = file->NextBookmark(&second)) {
    out.insert({m, file->GetBookmarkKind(m)});
  }
  return out;
}

class ViewMarksTest : public ViewTest {
 protected:
  void SetUp() override {
    ViewTest::SetUp();
    ASSERT_TRUE(OpenBook(u"\\marks.prc", MarkupBook(NumberedParagraphs(40))));
    ASSERT_NE(view().GetSideFile(), nullptr);
  }
  BookParameterFile* side() { return view().GetSideFile(); }
};

TEST_F(ViewMarksTest, AMarkOfTheNoteFamilyReplacesTheOthersOverItsRange) {
  struct Case {
    uint32_t existing;
    uint32_t added;
    bool existingKept;
  } cases[] = {{2, 4, false}, {16, 32, false}, {2, 1, true}, {1, 4, true}, {8, 8, false}};
  const ViewTextRange range{100, 140};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.existing * 100 + c.added);
    uint32_t first = kNone;
    const SharedWideString note = W(u"a note");
    ASSERT_TRUE(view().AddMarkRecord(range, &note, nullptr, 0, c.existing, -1, nullptr, &first));
    Rect rect;
    ASSERT_TRUE(view().AddMark(&rect, range, c.added, 0, nullptr, &note, -1, nullptr));
    const auto marks = Marks(side());
    EXPECT_EQ(marks.count({first, c.existing}) == 1, c.existingKept);
    EXPECT_EQ(view().FindMarkOfKind(range, c.added) >= 0, true);
    EXPECT_NE(view().CollectMarkKinds(range) & c.added, 0u);
    view().DeleteMarksInRange(0xFFFFFFFFu, range, -1);
    EXPECT_TRUE(Marks(side()).empty());
  }
}

TEST_F(ViewMarksTest, AnEmptyRangeTakesTheViewPositionAndNotesAreCollected) {
  ASSERT_TRUE(view().GoToPage(3));
  const uint32_t position = view().CurrentPagePosition();
  const SharedWideString note = W(u"first");
  uint32_t mark = kNone;
  ASSERT_TRUE(view().AddMarkRecord(ViewTextRange{}, &note, nullptr, 0, 2, 7, nullptr, &mark));
  uint32_t start = 0, end = 0, viewPosition = 0, viewExtra = 0, extra = 0;
  ASSERT_EQ(side()->GetBookmarkRange(mark, &start, &end, &viewPosition, &viewExtra, &extra), RecordResult::kOk);
  EXPECT_EQ(start, position);
  EXPECT_EQ(end, position);
  SharedWideString text, title;
  int32_t target = -1;
  EXPECT_TRUE(view().GetMarkText(2, ViewTextRange{position, position + 1}, &text, &target, &title));
  EXPECT_EQ(S(text), u"first\r\n");
  text = SharedWideString();
  EXPECT_FALSE(view().GetMarkText(4, ViewTextRange{position, position + 1}, &text, &target, &title));
  view().DeleteMarkRecord(mark);
  EXPECT_EQ(view().FindMarkOfKind(ViewTextRange{position, position + 1}, 2), -1);
}

TEST_F(ViewMarksTest, LackOfMemoryAtAnyWriteLeavesNoPartOfTheMark) {
  const SharedWideString note = W(u"a note"), text = W(u"some text"), title = W(u"a title");
  const auto before = Marks(side());
  bool added = false;
  for (long n = 1; !added && n < 400; ++n) {
    SCOPED_TRACE(n);
    uint32_t mark = kNone;
    {
      devtest::AllocationFailure failure(n);
      added = view().AddMarkRecord(ViewTextRange{50, 90}, &note, &text, 3, 4, 5, &title, &mark);
    }
    if (!added) {
      EXPECT_EQ(Marks(side()), before);
    }
  }
  EXPECT_TRUE(added);
}

class ViewLinksMadeTest : public ViewTest {};

TEST_F(ViewLinksMadeTest, ALinkToABookWithDelimitersInItsNameFindsThatBook) {
  const std::string name = "A&B#C$D+E %";
  ASSERT_TRUE(testbuild::WriteDeviceFile(u"\\other.prc", MarkupBook(NumberedParagraphs(30), name)));
  ASSERT_TRUE(OpenBook(u"\\source.prc", MarkupBook(NumberedParagraphs(30))));
  const SharedWideString note = W(u"from here");
  uint32_t source = kNone;
  ASSERT_TRUE(view().AddMarkRecord(ViewTextRange{20, 40}, &note, nullptr, 0, 2, -1, nullptr, &source));
  BookParameterFile* sourceFile = view().GetSideFile();
  sourceFile->AddRef();  // kept open by the loader while the other book is shown

  ASSERT_TRUE(view().BeginLinkFromMark(source));
  ASSERT_TRUE(harness.Open(u"\\other.prc"));
  ASSERT_TRUE(view().GoToPage(2));
  ASSERT_TRUE(view().SaveSelectionState());
  EXPECT_TRUE(view().IsLinkTargetPending());

  // Lack of memory anywhere in the completion leaves the file as it was
  // and the request pending.
  const auto before = Marks(sourceFile);
  bool done = false;
  int32_t result = -1;
  for (long n = 1; !done && n < 400; ++n) {
    SCOPED_TRACE(n);
    {
      devtest::AllocationFailure failure(n);
      done = view().CompleteSelectionRequest(true, &result);
    }
    if (!done) {
      EXPECT_EQ(Marks(sourceFile), before);
      EXPECT_TRUE(view().IsLinkTargetPending());
      EXPECT_TRUE(view().HasPendingSelection());
      EXPECT_EQ(result, -1);
    }
  }
  ASSERT_TRUE(done);
  EXPECT_EQ(result, static_cast<int32_t>(source));
  EXPECT_FALSE(view().HasPendingSelection());
  EXPECT_FALSE(view().IsLinkTargetPending());

  const uint32_t target = sourceFile->GetBookmarkTarget(source);
  ASSERT_NE(target, kNone);
  EXPECT_EQ(sourceFile->GetBookmarkKind(target), 0x4000u);
  EncodedString stored;
  ASSERT_EQ(sourceFile->GetBookmarkTitle(source, &stored), RecordResult::kOk);
  SharedWideString title, decoded;
  ASSERT_TRUE(title.AssignEncodedString(stored));
  const std::u16string prefix = u"oeb:redirect?title=";
  ASSERT_EQ(S(title).substr(0, prefix.size()), prefix);
  const std::u16string encoded = S(title).substr(prefix.size());
  for (char16_t c : u"&#$+ ") {
    if (c != 0) {
      EXPECT_EQ(encoded.find(c), std::u16string::npos) << static_cast<int>(c);
    }
  }
  ASSERT_TRUE(PercentDecode(W(encoded), &decoded));
  EXPECT_EQ(S(decoded), u"A&B#C$D+E %");
  sourceFile->Release();
}

TEST_F(ViewLinksMadeTest, CompletingNeedsARequestAndATarget) {
  ASSERT_TRUE(OpenBook(u"\\one.prc", MarkupBook(NumberedParagraphs(30))));
  int32_t result = 5;
  EXPECT_FALSE(view().CompleteSelectionRequest(true, &result));
  EXPECT_EQ(result, -1);
  EXPECT_FALSE(view().BeginSelectionRequest());  // nothing selected
  ASSERT_TRUE(view().BeginLinkFromMark(0));
  EXPECT_FALSE(view().CompleteSelectionRequest(true, &result));  // no target yet
  EXPECT_TRUE(view().HasPendingSelection());
}

}  // namespace
}  // namespace viewtest

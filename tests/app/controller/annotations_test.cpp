// The controller's annotations over the view's marks: highlight, note and
// modify of the selection with their colour words, deleting highlights,
// storing and editing marks, the bookmark of the current page, and the
// pending link request with its hint.
#include <gtest/gtest.h>

#include "platform/testing/shell.h"
#include "tests/app/frame_fixture.h"

using apptest::FrameFixture;

namespace {

class AnnotationsTest : public FrameFixture {
 protected:
  void Select(int32_t start, int32_t end, const std::u16string& text) {
    view.hasSelectionRange = true;
    view.selectionRange = TextRange{start, end};
    view.selection = text;
  }
  static SharedWideString Text(const char16_t* text) {
    SharedWideString s;
    s.FromChars(text, static_cast<uint32_t>(std::char_traits<char16_t>::length(text)));
    return s;
  }
  StandInDialogRun LastDialog() const {
    return controller->dialogs().RunAt(controller->dialogs().RunCount() - 1);
  }
};

}  // namespace

TEST_F(AnnotationsTest, ColourWordsCarryTheColoursAndTheKindsTag) {
  preferences.highlightColor = Color::FromRgb(0x11, 0x22, 0x33);
  preferences.modifyColor = Color::FromRgb(0xA0, 0xB0, 0xC0);
  EXPECT_EQ(controller->AnnotationColourWord(4), 0x3322110Fu);
  EXPECT_EQ(controller->AnnotationColourWord(16), 0xC0B0A06Fu);
  EXPECT_EQ(controller->AnnotationColourWord(2), 32u);
  EXPECT_EQ(controller->AnnotationColourWord(32), 0u);
  EXPECT_EQ(controller->AnnotationColourWord(1), 0u);
}

TEST_F(AnnotationsTest, AHighlightIsStoredAtOnceAndDeletedBySelection) {
  preferences.highlightColor = Color::FromRgb(1, 2, 3);
  controller->ExecuteCommand(42, false);  // nothing selected: nothing stored
  EXPECT_TRUE(view.marks.empty());
  Select(10, 20, u"quiet words");
  controller->ExecuteCommand(42, false);
  ASSERT_EQ(view.marks.size(), 1u);
  EXPECT_EQ(view.marks[0].kind, 4u);
  EXPECT_EQ(view.marks[0].colour, 0x0302010Fu);
  EXPECT_EQ(view.marks[0].range.start, 10);
  EXPECT_EQ(controller->dialogs().RunCount(), 0u);  // no question asked
  view.calls.clear();
  controller->ExecuteCommand(41, false);
  EXPECT_TRUE(view.marks.empty());
  EXPECT_EQ(view.calls, (std::vector<std::string>{"delete marks 4 10-20", "cancel selection"}));
}

TEST_F(AnnotationsTest, NotesAndModificationsAskFirstAndANoteNeedsNoSelection) {
  controller->ExecuteCommand(43, false);  // a note at the page's start
  ASSERT_EQ(controller->dialogs().RunCount(), 1u);
  EXPECT_EQ(LastDialog().dialog, StandInDialog::kNote);
  EXPECT_EQ(LastDialog().parameter, 2);
  controller->ExecuteCommand(44, false);  // a modification needs a selection
  EXPECT_EQ(controller->dialogs().RunCount(), 1u);
  Select(5, 9, u"word");
  controller->ExecuteCommand(44, false);
  EXPECT_EQ(LastDialog().parameter, 16);
  EXPECT_TRUE(view.marks.empty());  // the dialog was cancelled
}

TEST_F(AnnotationsTest, StoringNewAndExistingMarks) {
  const TextRange range{30, 40};
  // A new note with text is added; a new one without text deletes the
  // notes of the range.
  EXPECT_TRUE(controller->StoreAnnotation(2, range, Text(u"margin"), -1));
  ASSERT_EQ(view.marks.size(), 1u);
  EXPECT_EQ(view.marks[0].note, u"margin");
  EXPECT_EQ(view.marks[0].colour, 32u);
  EXPECT_TRUE(controller->StoreAnnotation(2, range, SharedWideString(), -1));
  EXPECT_TRUE(view.marks.empty());
  // An existing mark: the same text changes nothing, another replaces the
  // note, an empty one deletes the mark and ends the selection.
  ASSERT_TRUE(controller->StoreAnnotation(16, range, Text(u"old"), -1));
  view.calls.clear();
  EXPECT_TRUE(controller->StoreAnnotation(16, range, Text(u"old"), 0));
  EXPECT_TRUE(view.calls.empty());
  EXPECT_TRUE(controller->StoreAnnotation(16, range, Text(u"new"), 0));
  EXPECT_EQ(view.marks[0].note, u"new");
  EXPECT_EQ(view.calls, (std::vector<std::string>{"note 0"}));
  EXPECT_TRUE(controller->StoreAnnotation(16, range, SharedWideString(), 0));
  EXPECT_TRUE(view.marks.empty());
  EXPECT_EQ(view.calls.back(), "cancel selection");
}

TEST_F(AnnotationsTest, EditingFindsTheMarkInTheSelectionOrOnThePage) {
  view.marks.push_back({TextRange{150, 160}, 2, 32, u"on the page"});
  controller->ExecuteCommand(50, false);  // nothing selected: the page's note
  ASSERT_EQ(controller->dialogs().RunCount(), 1u);
  EXPECT_EQ(LastDialog().parameter, 2);
  controller->ExecuteCommand(51, false);  // no modification anywhere
  EXPECT_EQ(controller->dialogs().RunCount(), 1u);
}

TEST_F(AnnotationsTest, ABookmarkOnThePageIsRemovedElseAddedWithTheBestText) {
  view.title = u"The Title";
  controller->ExecuteCommand(16, false);
  ASSERT_EQ(view.marks.size(), 1u);
  EXPECT_EQ(view.marks[0].kind, 1u);
  EXPECT_EQ(view.marks[0].note, u"The Title");
  EXPECT_EQ(view.marks[0].range.start, view.pageRange.start);
  controller->ExecuteCommand(16, false);
  EXPECT_TRUE(view.marks.empty());
  view.lookupWord = u"lantern";
  controller->ExecuteCommand(16, false);
  EXPECT_EQ(view.marks.back().note, u"lantern");
  controller->ExecuteCommand(16, false);
  Select(120, 130, u"chosen passage");
  controller->ExecuteCommand(16, false);
  EXPECT_EQ(view.marks.back().note, u"chosen passage");
}

TEST_F(AnnotationsTest, ALinkRequestShowsItsHintUntilTheTargetIsSet) {
  controller->ExecuteCommand(53, false);
  EXPECT_TRUE(view.linkPending);
  auto shown = devtest::ShownNotifications();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].id, 53u);
  EXPECT_EQ(shown[0].title, u"Add link");
  EXPECT_EQ(shown[0].duration, 5u);
  controller->ExecuteCommand(54, false);
  EXPECT_FALSE(view.linkPending);
  EXPECT_TRUE(devtest::ShownNotifications().empty());
  // Where the shell shows no notifications the hint needs the tip pop-up.
  devtest::UseHostShell();
  controller->ExecuteCommand(53, false);
  EXPECT_EQ(controller->linkHintTips(), 1u);
  // A target that is not stored keeps the request's hint.
  devtest::ResetShell();
  controller->ExecuteCommand(53, false);
  view.linkStores = false;
  controller->ExecuteCommand(54, false);
  EXPECT_EQ(devtest::ShownNotifications().size(), 1u);
}

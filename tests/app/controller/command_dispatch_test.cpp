// The dispatcher: every identifier routed and the listener told, the
// selection actions, the selection menu, message boxes, the open-file
// dialog and the clipboard.
#include <gtest/gtest.h>

#include "platform/clipboard/clipboard.h"
#include "platform/testing/ui.h"
#include "tests/app/frame_fixture.h"

using apptest::FrameFixture;

namespace {

class DispatchTest : public FrameFixture {};

}  // namespace

TEST_F(DispatchTest, EveryIdentifierIsRoutedAndTheListenerToldAfterEach) {
  view.hasDocument = true;
  for (uint32_t c = 0; c <= 120; ++c) {
    if (c == 10 || c == 25 || c == 6 || c == 7) continue;  // closes, or a modal of its own
    view.calls.clear();
    controller->ExecuteCommand(c, true);
    ASSERT_FALSE(listener.commands.empty());
    EXPECT_EQ(listener.commands.back(), c);
    if ((c >= 26 && c <= 39) || (c >= 91 && c <= 100) || c == 66 || c == 111) {
      EXPECT_EQ(view.calls, std::vector<std::string>{"element " + std::to_string(c)}) << c;
    }
    if (c >= 74 && c <= 82) {
      EXPECT_EQ(view.calls, std::vector<std::string>{"display " + std::to_string(c)}) << c;
    }
    if (c == 18 || (c >= 68 && c <= 72) || c == 83 || c == 108 || c == 120) {
      EXPECT_TRUE(view.calls.empty()) << c;
    }
  }
  struct Case {
    uint32_t command;
    std::vector<std::string> calls;
  } cases[] = {
      {0, {"open oeb:library"}},
      {2, {"reload {69,23}"}},
      {3, {"close"}},
      {5, {"open oeb:redirect?title=Corvelline_Help"}},
      {11, {"size 1"}},
      {12, {"size -1"}},
      {15, {"open oeb:bookmarks"}},
      {19, {"start reading", "forward"}},
      {21, {"first page"}},
      {22, {"forward"}},
      {24, {"toc"}},
      {59, {"element 87"}},
      {60, {"element 40"}},
      {65, {}},
      {101, {"open oeb:database?name=corvelline_wordlist {109,25}"}},
      {102, {"open oeb:database?name=corvelline_history {115,25}"}},
  };
  for (const Case& c : cases) {
    view.calls.clear();
    controller->ExecuteCommand(c.command, true);
    EXPECT_EQ(view.calls, c.calls) << c.command;
  }
  // Without a document (or on an internal page) the contents go to the
  // book of the preferences, else to the library.
  view.hasDocument = false;
  view.calls.clear();
  controller->ExecuteCommand(24, true);
  EXPECT_EQ(view.calls, std::vector<std::string>{"open oeb:library"});
  view.calls.clear();
  controller->ExecuteCommand(15, true);
  EXPECT_TRUE(view.calls.empty());
}

TEST_F(DispatchTest, SelectionActionCommandsSetTheAction) {
  const uint32_t actions[10] = {0, 1, 3, 2, 4, 5, 6, 7, 8, 9};
  for (uint32_t c = 56; c <= 65; ++c) {
    controller->ExecuteCommand(c, true);
    EXPECT_EQ(preferences.defaultSelectionAction, actions[c - 56]) << c;
  }
}

TEST_F(DispatchTest, MessageBoxKindsAndTheOkAnswer) {
  auto& journal = devtest::MessageBoxJournal();
  const UINT flags[4] = {64, 48, 16, 33};
  for (uint32_t kind = 0; kind < 4; ++kind) {
    journal.clear();
    devtest::AnswerNextModal(devtest::ModalKind::MessageBox, 1);
    EXPECT_TRUE(controller->ShowMessage(5017, 5137, kind));
    ASSERT_EQ(journal.size(), 1u);
    EXPECT_EQ(journal[0].flags, flags[kind]);
    EXPECT_EQ(journal[0].caption, u"Confirmation");
    EXPECT_EQ(journal[0].text, u"The item has been successfully added to the list.");
  }
  journal.clear();
  EXPECT_FALSE(controller->ShowMessage(-1, 5137, 3));  // unscripted: cancelled
  EXPECT_EQ(journal.at(0).caption, u"Error");  // the platform's caption when none is given
  SharedWideString args[2];
  args[0].FromChars(u"a.mp3", 5);
  journal.clear();
  controller->ShowFormattedMessage(5018, 5021, 2, args, 1);
  EXPECT_EQ(journal.at(0).text, u"Cannot open the sound file:");
}

TEST_F(DispatchTest, OpenFileFilterAndTheChosenPathOpened) {
  devtest::ChooseNextFile(u"\\eBooks\\chosen.corv", 1);
  controller->ExecuteCommand(25, false);
  auto& journal = devtest::OpenFileJournal();
  ASSERT_EQ(journal.size(), 1u);
  EXPECT_EQ(journal[0].filter, u"PRC files|*.PRC;*.PDB|HTML files|*.HTML;*.HTM|TXT files|*.TXT|All files|*.*");
  // The dialog took the activation meanwhile (the view saved its state).
  ASSERT_FALSE(view.calls.empty());
  EXPECT_EQ(view.calls.back(), "open \\eBooks\\chosen.corv");
  view.calls.clear();
  controller->ExecuteCommand(25, false);  // cancelled: nothing opened
  for (const std::string& call : view.calls) EXPECT_EQ(call.find("open"), std::string::npos) << call;
}

TEST_F(DispatchTest, CopyPutsUnicodeTextOnTheClipboard) {
  view.selection = u"marginalia";
  controller->ExecuteCommand(49, false);
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_UNICODETEXT));
  EXPECT_EQ(devtest::ClipboardText(), u"marginalia");
  // Nothing selected and no word looked up: the clipboard stays as it was.
  view.selection.clear();
  controller->ExecuteCommand(49, false);
  EXPECT_EQ(devtest::ClipboardText(), u"marginalia");
  // A tap on a word makes it the looked-up word, which Copy then takes.
  preferences.defaultSelectionAction = 9;
  SharedWideString word;
  word.FromChars(u"quill", 5);
  controller->OnSelectionMade(true, word, POINT{10, 10});
  controller->ExecuteCommand(49, false);
  EXPECT_EQ(devtest::ClipboardText(), u"quill");
}

TEST_F(DispatchTest, SelectionMenuItemsInOrder) {
  auto items = [&](bool rangeEmpty) {
    devtest::PopupMenuJournal().clear();
    SharedWideString text;
    text.FromChars(u"word", 4);
    controller->OnSelectionMade(rangeEmpty, text, POINT{20, 30});
    std::vector<std::u16string> out;
    if (devtest::PopupMenuJournal().empty()) return out;
    for (const auto& item : devtest::PopupMenuJournal().back().items) {
      out.push_back(item.separator ? u"-" : item.text);
    }
    return out;
  };
  preferences.defaultSelectionAction = 0;
  view.hasSideFile = true;
  EXPECT_EQ(items(false), (std::vector<std::u16string>{u"Lookup", u"Copy", u"Highlight", u"Add note", u"Modify",
                                                      u"Add bookmark", u"Add drawing", u"Add link"}));
  EXPECT_EQ(items(true), (std::vector<std::u16string>{u"Lookup", u"Copy"}));
  view.linkPending = true;
  EXPECT_EQ(items(true), (std::vector<std::u16string>{u"Lookup", u"Copy", u"Set link target"}));
  view.linkPending = false;
  view.offersImage = true;
  EXPECT_EQ(items(true), (std::vector<std::u16string>{u"Lookup", u"Copy", u"Image mode"}));
  view.offersImage = false;
  view.pageHasBookmark = true;
  view.selectionHasHighlight = true;
  preferences.fullScreen = 1;
  EXPECT_EQ(items(false),
            (std::vector<std::u16string>{u"Lookup", u"Copy", u"Highlight", u"Delete highlight", u"Add note",
                                         u"Modify", u"Remove bookmark", u"Add drawing", u"Add link", u"-",
                                         u"Back to normal display"}));
}

TEST_F(DispatchTest, ChosenMenuItemRunsItsCommand) {
  preferences.defaultSelectionAction = 0;
  devtest::AnswerNextModal(devtest::ModalKind::PopupMenu, 50049);
  SharedWideString text;
  text.FromChars(u"ink", 3);
  controller->OnSelectionMade(true, text, POINT{5, 5});
  EXPECT_EQ(listener.commands.back(), 49u);
  EXPECT_EQ(devtest::ClipboardText(), u"ink");
  // A look-up the view cannot answer shows the dictionary question.
  const uint32_t items[1][2] = {{47, 5089}};
  devtest::AnswerNextModal(devtest::ModalKind::PopupMenu, 50047);
  devtest::MessageBoxJournal().clear();
  controller->ShowSelectionMenu(POINT{5, 5}, items, 1);
  ASSERT_EQ(devtest::MessageBoxJournal().size(), 1u);
  EXPECT_EQ(devtest::MessageBoxJournal()[0].text, u"Do you have a dictionary ?!");
}

// InputControl's edit box: the keys that leave it as element codes, Enter
// falling back to full screen, the swallowed characters, and a change of
// its text reaching the window as typed input.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/window/input_control.h"
#include "app/window/key_records.h"
#include "platform/controls/control_classes.h"
#include "platform/controls/edit.h"
#include "platform/gdi/gdi.h"
#include "platform/text_drawing/text.h"
#include "platform/windows/message_queue.h"
#include "platform/windows/messages.h"
#include "tests/app/test_window.h"

namespace {

struct RecordingSink final : InputCodeSink {
  bool OnInputCode(uint32_t code, uint32_t command) override {
    codes.push_back({code, command});
    return takes;
  }
  std::vector<std::pair<uint32_t, uint32_t>> codes;
  bool takes = false;
};

class InputControlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    InitCommonControls();
    parent = apptest::MakeTestWindow();
    const int32_t rect[4] = {10, 10, 100, 20};
    ASSERT_TRUE(control.Create(parent, &sink, 7, InputControl::kEdit, rect, nullptr));
  }
  void Key(UINT key) { SendMessageW(control.window(), WM_KEYDOWN, key, 0); }
  HWND parent = nullptr;
  RecordingSink sink;
  InputControl control;
};

}  // namespace

TEST_F(InputControlTest, KeysThatLeaveTheBox) {
  control.SetTextCaretAtEnd(u"abc");
  Key(39);  // Right at the end, nothing selected
  Key(37);  // Left not at the start: the box's own
  SendMessageW(control.window(), EM_SETSEL, 0, 0);
  Key(37);  // Left at the start
  SendMessageW(control.window(), EM_SETSEL, 0, 3);
  Key(39);  // Right with a selection: the box's own
  Key(9);
  Key(40);
  Key(38);
  Key(27);
  Key(34);
  EXPECT_EQ(sink.codes, (std::vector<std::pair<uint32_t, uint32_t>>{
                            {4, kNoCommand}, {12, kNoCommand}, {1035, kNoCommand}, {1035, kNoCommand},
                            {1036, kNoCommand}, {24, kNoCommand}, {11, kNoCommand}}));
}

TEST_F(InputControlTest, EnterFallsBackToFullScreen) {
  Key(13);
  EXPECT_EQ(sink.codes, (std::vector<std::pair<uint32_t, uint32_t>>{{23, kNoCommand}, {26, 55}}));
  sink.codes.clear();
  sink.takes = true;
  Key(13);
  EXPECT_EQ(sink.codes, (std::vector<std::pair<uint32_t, uint32_t>>{{23, kNoCommand}}));
}

TEST_F(InputControlTest, SwallowedCharactersAndTheChangeNotification) {
  for (WPARAM ch : {6, 9, 13, 27}) SendMessageW(control.window(), WM_CHAR, ch, 0);
  SendMessageW(control.window(), WM_CHAR, 'x', 0);
  EncodedString text;
  ASSERT_TRUE(control.GetText(&text));
  ASSERT_EQ(text.ByteLength(), 2u);
  EXPECT_EQ(text.Chars()[0], u'x');
  sink.codes.clear();
  EXPECT_TRUE(IsInputControlNotification(static_cast<WPARAM>(EN_CHANGE) << 16 | 7, control.window(), &sink));
  EXPECT_EQ(sink.codes, (std::vector<std::pair<uint32_t, uint32_t>>{{25, kNoCommand}}));
  EXPECT_FALSE(IsInputControlNotification(static_cast<WPARAM>(0x0100) << 16 | 7, control.window(), &sink));
  EXPECT_FALSE(IsInputControlNotification(static_cast<WPARAM>(EN_CHANGE) << 16, parent, &sink));
  InputControl none;
  const int32_t rect[4] = {0, 0, 1, 1};
  EXPECT_FALSE(none.Create(parent, &sink, 8, 3, rect, nullptr));
  EXPECT_EQ(none.window(), nullptr);
}

namespace {

// A font list of two entries: 0 without a name, 1 a face.
struct TwoFonts final : FontTable {
  bool GetEntry(uint8_t id, FontTableEntry* out) const override {
    if (id != 1) return false;
    out->kind = 0;
    out->name = u"Courrier New";
    out->nameLength = 12;
    return true;
  }
};

}  // namespace

TEST_F(InputControlTest, TheFontFromTheListFitsTheControlAndReplacesTheOldOne) {
  TwoFonts fonts;
  ASSERT_TRUE(control.SetFontFromList(fonts, 1));
  HFONT first = control.font();
  LOGFONTW made{};
  ASSERT_GT(GetObjectW(first, sizeof made, &made), 0);
  EXPECT_EQ(made.lfHeight, -(20 - 4));
  EXPECT_EQ(std::u16string(made.lfFaceName), u"Courrier New");
  EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(control.window(), WM_GETFONT, 0, 0)), first);
  ASSERT_TRUE(control.SetFontFromList(fonts, 1));
  EXPECT_NE(GetObjectW(first, sizeof made, &made), static_cast<int>(sizeof made));  // the old font is gone
  // An entry without a name leaves the control with no font of its own.
  EXPECT_FALSE(control.SetFontFromList(fonts, 0));
  EXPECT_EQ(control.font(), nullptr);
}

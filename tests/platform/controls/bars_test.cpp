// Status bars, track bars, up-down controls and tab controls: their
// messages, the notifications of the stylus and the keys, and style bits
// changed after creation.
#include <gtest/gtest.h>

#include "platform/controls/status_bar.h"
#include "platform/controls/tab_control.h"
#include "platform/controls/track_bar.h"
#include "platform/controls/up_down.h"
#include "platform/input/virtual_keys.h"
#include "platform/testing/ui.h"
#include "tests/platform/controls/controls_fixture.h"

namespace {

using controltest::ControlTest;

struct Scroll {
  UINT message;
  WORD code;
  WORD position;
  bool operator==(const Scroll& o) const { return message == o.message && code == o.code && position == o.position; }
};

class Bars : public ControlTest {
 protected:
  void SetUp() override {
    ControlTest::SetUp();
    onOther = [this](UINT message, WPARAM wParam, LPARAM, bool* handled) -> LRESULT {
      if (message == WM_HSCROLL || message == WM_VSCROLL) {
        scrolls.push_back({message, LOWORD(wParam), HIWORD(wParam)});
        *handled = true;
      }
      return 0;
    };
  }
  std::vector<Scroll> scrolls;
};

TEST_F(Bars, AStatusBarSitsAtTheBottomWithItsParts) {
  HWND bar = CreateStatusWindowW(WS_CHILD | WS_VISIBLE, u"Ready", parent, 77);
  ASSERT_NE(bar, nullptr);
  RECT r;
  GetWindowRect(bar, &r);
  EXPECT_EQ(r.bottom, 320);
  EXPECT_EQ(r.right - r.left, 240);
  int height = r.bottom - r.top;
  EXPECT_GT(height, 8);
  int rights[] = {150, -1};
  EXPECT_TRUE(SendMessageW(bar, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(rights)));
  SendMessageW(bar, SB_SETTEXTW, 0 | SBT_NOBORDERS, reinterpret_cast<LPARAM>(u"12 books"));
  SendMessageW(bar, SB_SETTEXTW, 1 | SBT_NOBORDERS, reinterpret_cast<LPARAM>(u"2 MB"));
  WCHAR text[32];
  LRESULT answer = SendMessageW(bar, SB_GETTEXTW, 1, reinterpret_cast<LPARAM>(text));
  EXPECT_EQ(LOWORD(answer), 4);
  EXPECT_EQ(HIWORD(answer), SBT_NOBORDERS);
  EXPECT_EQ(std::u16string(text), u"2 MB");
  int borders[3];
  SendMessageW(bar, SB_GETBORDERS, 0, reinterpret_cast<LPARAM>(borders));
  RECT part;
  SendMessageW(bar, SB_GETRECT, 1, reinterpret_cast<LPARAM>(&part));
  EXPECT_EQ(part.left, 150 + borders[2]);
  EXPECT_EQ(part.right, 240 - borders[0]);
  auto parts = devtest::StatusPartsOf(bar);
  ASSERT_EQ(parts.size(), 2u);
  EXPECT_EQ(parts[0].text, u"12 books");
  EXPECT_TRUE(parts[0].noBorders);
  SendMessageW(bar, SB_SIMPLE, TRUE, 0);
  EXPECT_TRUE(devtest::StatusBarSimple(bar));
  // The parent grew: passing its WM_SIZE on moves the bar.
  MoveWindow(parent, 0, 0, 240, 200, TRUE);
  SendMessageW(bar, WM_SIZE, 0, 0);
  GetWindowRect(bar, &r);
  EXPECT_EQ(r.bottom, 200);
  EXPECT_EQ(r.bottom - r.top, height);
}

TEST_F(Bars, ATrackBarDragGivesThumbTrackPositionsAndOneEndTrack) {
  HWND track = Make(u"msctls_trackbar32", TBS_AUTOTICKS, 0, 0, 210, 30, 1060);
  SendMessageW(track, TBM_SETRANGE, TRUE, MAKELONG(0, 100));
  SendMessageW(track, TBM_SETTICFREQ, 10, 0);
  SendMessageW(track, TBM_SETPOS, TRUE, 0);
  RECT r;
  GetWindowRect(track, &r);
  int left = 5 + 2, right = 210 - 5 - 2;  // the channel's ends (thumb centre)
  int y = r.top + 10;
  devtest::Drag({{left, y}, {left + (right - left) / 4, y}, {left + (right - left) / 2, y}, {left + (right - left) / 2, y}});
  EXPECT_EQ(scrolls, (std::vector<Scroll>{{WM_HSCROLL, TB_THUMBTRACK, 25}, {WM_HSCROLL, TB_THUMBTRACK, 50},
                                          {WM_HSCROLL, TB_ENDTRACK, 0}}));
  EXPECT_EQ(SendMessageW(track, TBM_GETPOS, 0, 0), 50);
  scrolls.clear();
  devtest::Tap(right - 1, y);  // beside the thumb: a page (a fifth of the range)
  EXPECT_EQ(SendMessageW(track, TBM_GETPOS, 0, 0), 70);
  SetFocus(track);
  devtest::PressKey(VK_LEFT);
  EXPECT_EQ(SendMessageW(track, TBM_GETPOS, 0, 0), 69);
  EXPECT_EQ(scrolls, (std::vector<Scroll>{{WM_HSCROLL, TB_PAGEDOWN, 0}, {WM_HSCROLL, TB_ENDTRACK, 0},
                                          {WM_HSCROLL, TB_LINEUP, 0}, {WM_HSCROLL, TB_ENDTRACK, 0}}));
  SendMessageW(track, TBM_SETRANGEMAX, TRUE, 40);
  EXPECT_EQ(SendMessageW(track, TBM_GETPOS, 0, 0), 40);
  EXPECT_EQ(SendMessageW(track, TBM_SETPAGESIZE, 0, 3), 8);
  EXPECT_EQ(SendMessageW(track, TBM_GETPAGESIZE, 0, 0), 3);
}

TEST_F(Bars, UpDownArrowsGiveDeltaPosBeforeEachChange) {
  HWND updown = Make(u"msctls_updown32", 0, 100, 100, 16, 30, 1014);
  SendMessageW(updown, UDM_SETRANGE32, 0, 5);
  SendMessageW(updown, UDM_SETPOS32, 0, 3);
  std::vector<std::pair<int, int>> deltas;
  bool refuse = false;
  onNotify = [&](NMHDR* header) -> LRESULT {
    if (header->code != UDN_DELTAPOS) return 0;
    auto* change = reinterpret_cast<NMUPDOWN*>(header);
    deltas.push_back({change->iPos, change->iDelta});
    return refuse ? 1 : 0;
  };
  devtest::Tap(108, 105);  // the up arrow
  devtest::Tap(108, 125);  // the down arrow
  devtest::Tap(108, 125);
  EXPECT_EQ(deltas, (std::vector<std::pair<int, int>>{{3, kUpDownUpDelta}, {4, kUpDownDownDelta}, {3, kUpDownDownDelta}}));
  EXPECT_EQ(SendMessageW(updown, UDM_GETPOS32, 0, 0), 2);
  EXPECT_EQ(scrolls.front(), (Scroll{WM_VSCROLL, SB_THUMBPOSITION, 4}));
  refuse = true;
  scrolls.clear();
  devtest::Tap(108, 105);
  EXPECT_EQ(SendMessageW(updown, UDM_GETPOS32, 0, 0), 2);
  EXPECT_EQ(scrolls, (std::vector<Scroll>{{WM_VSCROLL, SB_ENDSCROLL, 2}}));
  int low = -1, high = -1;
  SendMessageW(updown, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&low), reinterpret_cast<LPARAM>(&high));
  EXPECT_EQ(low, 0);
  EXPECT_EQ(high, 5);
}

TEST_F(Bars, TabsChangeWithNotificationsAndMoveToTheBottom) {
  HWND tabs = Make(u"SysTabControl32", 0, 0, 0, 240, 200, 1);
  for (const char16_t* text : {u"General", u"Fonts", u"Toolbar"}) {
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<LPWSTR>(text);
    SendMessageW(tabs, TCM_INSERTITEMW, 99, reinterpret_cast<LPARAM>(&item));
  }
  EXPECT_EQ(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0), 3);
  EXPECT_EQ(SendMessageW(tabs, TCM_GETCURSEL, 0, 0), 0);
  RECT tab;
  SendMessageW(tabs, TCM_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&tab));
  EXPECT_EQ(tab.top, 0);
  devtest::Tap((tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2);
  EXPECT_EQ(SendMessageW(tabs, TCM_GETCURSEL, 0, 0), 2);
  EXPECT_EQ(GetFocus(), tabs);
  EXPECT_EQ(Codes(WM_NOTIFY), (std::vector<UINT>{TCN_SELCHANGING, TCN_SELCHANGE}));
  onNotify = [](NMHDR* header) -> LRESULT { return header->code == TCN_SELCHANGING ? 1 : 0; };
  devtest::PressKey(VK_LEFT);
  EXPECT_EQ(SendMessageW(tabs, TCM_GETCURSEL, 0, 0), 2);
  onNotify = nullptr;
  SetFocus(parent);
  SetWindowLongW(tabs, GWL_STYLE, GetWindowLongW(tabs, GWL_STYLE) | 0x8002);
  SendMessageW(tabs, TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&tab));
  EXPECT_EQ(tab.bottom, 200);
  devtest::Tap((tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2);
  EXPECT_EQ(SendMessageW(tabs, TCM_GETCURSEL, 0, 0), 0);
  EXPECT_EQ(GetFocus(), parent);  // TCS_FOCUSNEVER
  RECT area{0, 0, 240, 200};
  SendMessageW(tabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
  EXPECT_EQ(area.top, 2);
  EXPECT_EQ(area.bottom, tab.top - 2);
  SendMessageW(tabs, TCM_ADJUSTRECT, TRUE, reinterpret_cast<LPARAM>(&area));
  EXPECT_EQ(area.bottom, 200);
}

TEST_F(Bars, AHiddenControlIsNeitherPaintedNorHit) {
  HWND updown = Make(u"msctls_updown32", 0, 100, 100, 16, 30, 1014);
  SetWindowLongW(updown, GWL_STYLE, GetWindowLongW(updown, GWL_STYLE) & ~WS_VISIBLE);
  EXPECT_FALSE(IsWindowVisible(updown));
  InvalidateRect(parent, nullptr, TRUE);
  devtest::PumpMessages();
  EXPECT_EQ(devtest::ScreenPixelRgb(108, 105), 0xFFFFFFu);
  devtest::Tap(108, 105);
  EXPECT_TRUE(Codes(WM_NOTIFY).empty());
  SetWindowLongW(updown, GWL_STYLE, GetWindowLongW(updown, GWL_STYLE) | WS_VISIBLE);
  InvalidateRect(updown, nullptr, TRUE);
  devtest::PumpMessages();
  EXPECT_NE(devtest::ScreenPixelRgb(108, 105), 0xFFFFFFu);
  devtest::Tap(108, 105);
  EXPECT_EQ(Codes(WM_NOTIFY), std::vector<UINT>{UDN_DELTAPOS});
}

}  // namespace

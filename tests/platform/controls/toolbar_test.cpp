// The toolbar: buttons and their states by message, taps, drop-downs,
// tooltips held on a button, copied tooltip texts and custom draw.
#include <gtest/gtest.h>

#include <memory>

#include "platform/controls/toolbar.h"
#include "platform/input/device_input.h"
#include "platform/testing/ui.h"
#include "tests/platform/controls/controls_fixture.h"

namespace {

using controltest::ControlTest;

class Toolbar : public ControlTest {
 protected:
  HWND MakeBar() {
    HWND bar = Make(u"ToolbarWindow32", TBSTYLE_FLAT | TBSTYLE_LIST | TBSTYLE_CUSTOMERASE, 0, 0, 0, 0, 10100);
    SendMessageW(bar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    TBBUTTON buttons[] = {
        {-1, 10103, TBSTATE_ENABLED, TBSTYLE_DROPDOWN | TBSTYLE_AUTOSIZE, {}, 0, reinterpret_cast<intptr_t>(u"Filter by")},
        {-1, 10102, TBSTATE_INDETERMINATE, TBSTYLE_AUTOSIZE, {}, 0, reinterpret_cast<intptr_t>(u"All")},
        {0, 0, 0, TBSTYLE_SEP, {}, 0, -1},
        {-1, 40075, TBSTATE_ENABLED, TBSTYLE_BUTTON, {}, 0, reinterpret_cast<intptr_t>(u"Go")},
    };
    SendMessageW(bar, TB_ADDBUTTONSW, 4, reinterpret_cast<LPARAM>(buttons));
    return bar;
  }
  POINT ButtonCentre(HWND bar, int id) {
    RECT r{};
    SendMessageW(bar, TB_GETRECT, static_cast<WPARAM>(id), reinterpret_cast<LPARAM>(&r));
    POINT p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    ClientToScreen(bar, &p);
    return p;
  }
};

TEST_F(Toolbar, PlacesItselfAlongTheTopAndAnswersForItsButtons) {
  HWND bar = MakeBar();
  RECT r;
  GetWindowRect(bar, &r);
  EXPECT_EQ(r.left, 0);
  EXPECT_EQ(r.right, 240);
  EXPECT_GT(r.bottom - r.top, 10);
  EXPECT_EQ(SendMessageW(bar, TB_BUTTONCOUNT, 0, 0), 4);
  EXPECT_EQ(SendMessageW(bar, TB_COMMANDTOINDEX, 40075, 0), 3);
  EXPECT_EQ(SendMessageW(bar, TB_GETSTATE, 12345, 0), -1);
  EXPECT_EQ(SendMessageW(bar, TB_GETSTATE, 10102, 0), TBSTATE_INDETERMINATE);
  SendMessageW(bar, TB_SETSTATE, 40075, TBSTATE_HIDDEN);
  EXPECT_FALSE(SendMessageW(bar, TB_ISBUTTONENABLED, 40075, 0));
  SendMessageW(bar, TB_ENABLEBUTTON, 40075, TRUE);
  EXPECT_TRUE(SendMessageW(bar, TB_ISBUTTONENABLED, 40075, 0));
  TBBUTTONINFOW info{};
  info.cbSize = sizeof(TBBUTTONINFOW);
  info.dwMask = TBIF_TEXT | TBIF_SIZE;
  info.pszText = const_cast<LPWSTR>(u"Sort by");
  info.cx = 70;
  EXPECT_TRUE(SendMessageW(bar, TB_SETBUTTONINFOW, 10102, reinterpret_cast<LPARAM>(&info)));
  WCHAR text[32];
  TBBUTTONINFOW read{};
  read.cbSize = sizeof(TBBUTTONINFOW);
  read.dwMask = TBIF_TEXT | TBIF_SIZE | TBIF_STATE;
  read.pszText = text;
  read.cchText = 32;
  EXPECT_EQ(SendMessageW(bar, TB_GETBUTTONINFOW, 10102, reinterpret_cast<LPARAM>(&read)), 1);
  EXPECT_EQ(std::u16string(text), u"Sort by");
  EXPECT_EQ(read.cx, 70);
  RECT item{};
  SendMessageW(bar, TB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&item));
  EXPECT_EQ(item.right - item.left, 70);
  SendMessageW(bar, TB_DELETEBUTTON, 0, 0);
  EXPECT_EQ(SendMessageW(bar, TB_COMMANDTOINDEX, 40075, 0), 2);
}

TEST_F(Toolbar, ATapSendsTheCommandAndAReleaseOutsideNothing) {
  HWND bar = MakeBar();
  POINT p = ButtonCentre(bar, 40075);
  devtest::Tap(p.x, p.y);
  devtest::Drag({p, {p.x, 300}});
  POINT greyed = ButtonCentre(bar, 10102);
  devtest::Tap(greyed.x, greyed.y);
  std::vector<controltest::Notice> commands;
  for (const auto& n : notices)
    if (n.message == WM_COMMAND) commands.push_back(n);
  EXPECT_EQ(commands, (std::vector<controltest::Notice>{{WM_COMMAND, 40075, 0, bar}}));
}

TEST_F(Toolbar, ADropDownButtonSendsTbnDropdown) {
  HWND bar = MakeBar();
  std::vector<int> items;
  onNotify = [&](NMHDR* header) -> LRESULT {
    if (header->code == TBN_DROPDOWN) items.push_back(reinterpret_cast<NMTOOLBARW*>(header)->iItem);
    return 0;
  };
  POINT p = ButtonCentre(bar, 10103);
  devtest::Tap(p.x, p.y);
  EXPECT_EQ(items, std::vector<int>{10103});
  EXPECT_EQ(Codes(WM_COMMAND), std::vector<UINT>{});
}

TEST_F(Toolbar, HoldingAButtonShowsItsTooltipAndSendsNothing) {
  HWND bar = MakeBar();
  {
    auto texts = std::make_unique<LPCWSTR[]>(4);
    std::u16string go = u"Library";
    texts[3] = go.c_str();
    SendMessageW(bar, TB_SETTOOLTIPS, 4, reinterpret_cast<LPARAM>(texts.get()));
    go.assign(u"XXXXXXX");  // the owner frees or reuses its texts at once
  }
  POINT p = ButtonCentre(bar, 40075);
  devinput::StylusDown(p.x, p.y);
  devtest::PumpMessages();
  HWND tip = FindWindowW(u"tooltips_class32", nullptr);
  ASSERT_NE(tip, nullptr);
  EXPECT_EQ(devtest::ToolbarTooltipShown(bar), 3);
  auto buttons = devtest::ToolbarButtonsOf(bar);
  ASSERT_EQ(buttons.size(), 4u);
  EXPECT_EQ(buttons[3].tooltip, u"Library");
  EXPECT_EQ(buttons[3].id, 40075);
  EXPECT_EQ(buttons[0].text, u"Filter by");
  EXPECT_TRUE(buttons[3].state & TBSTATE_PRESSED);
  EXPECT_EQ(controltest::TextOf(tip), u"Library");
  devinput::StylusUp(p.x, p.y);
  devtest::PumpMessages();
  EXPECT_FALSE(IsWindow(tip));
  EXPECT_TRUE(Codes(WM_COMMAND).empty());
  SendMessageW(bar, TB_SETTOOLTIPS, 0, 0);
  devtest::TapAndHold(p.x, p.y);
  EXPECT_EQ(FindWindowW(u"tooltips_class32", nullptr), nullptr);
}

TEST_F(Toolbar, CustomDrawAnswersOfTheListPage) {
  HWND bar = MakeBar();
  std::vector<std::pair<DWORD, DWORD_PTR>> stages;
  onNotify = [&](NMHDR* header) -> LRESULT {
    if (header->code != NM_CUSTOMDRAW) return 0;
    auto* draw = reinterpret_cast<NMTBCUSTOMDRAW*>(header);
    stages.push_back({draw->nmcd.dwDrawStage, draw->nmcd.dwItemSpec});
    if (draw->nmcd.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
    return draw->nmcd.dwItemSpec == 10103 ? 8 : 0;
  };
  InvalidateRect(bar, nullptr, TRUE);
  devtest::PumpMessages();
  using Stage = std::pair<DWORD, DWORD_PTR>;
  EXPECT_EQ(stages, (std::vector<Stage>{{CDDS_PREPAINT, 0}, {CDDS_ITEMPREPAINT, 10103}, {CDDS_ITEMPREPAINT, 10102},
                                        {CDDS_ITEMPREPAINT, 40075}}));
}

}  // namespace

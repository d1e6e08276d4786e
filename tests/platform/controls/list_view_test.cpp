// The list view: rows sorted by a callback, the notifications of a tap, a
// hold, a check-box tap and keys in order, custom-draw stages and answers,
// label editing (also turned on after creation) and the geometry calls.
#include <gtest/gtest.h>

#include <map>

#include "platform/controls/list_view.h"
#include "platform/input/device_input.h"
#include "platform/input/virtual_keys.h"
#include "platform/testing/ui.h"
#include "tests/platform/controls/controls_fixture.h"

namespace {

using controltest::ControlTest;

class ListView : public ControlTest {
 protected:
  HWND MakeList(DWORD style = LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOCOLUMNHEADER | WS_BORDER |
                              WS_VSCROLL) {
    HWND list = Make(u"SysListView32", style, 0, 20, 240, 200, 10000);
    LVCOLUMNW column{};
    column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT;
    column.cx = 150;
    column.pszText = const_cast<LPWSTR>(u"Title");
    SendMessageW(list, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
    column.fmt = LVCFMT_RIGHT;
    column.cx = 80;
    column.pszText = const_cast<LPWSTR>(u"Size");
    SendMessageW(list, LVM_INSERTCOLUMNW, 1, reinterpret_cast<LPARAM>(&column));
    return list;
  }
  int Add(HWND list, const char16_t* title, LPARAM data) {
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = 0x7FFFFFFF;
    item.pszText = const_cast<LPWSTR>(title);
    item.lParam = data;
    return static_cast<int>(SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
  }
  std::u16string Text(HWND list, int row, int column = 0) {
    WCHAR buffer[64];
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = buffer;
    item.cchTextMax = 64;
    SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    return buffer;
  }
  POINT RowCentreOnScreen(HWND list, int row) {
    RECT r{LVIR_LABEL, 0, 0, 0};
    SendMessageW(list, LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&r));
    POINT p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    ClientToScreen(list, &p);
    return p;
  }
};

int ByDataDescending(LPARAM a, LPARAM b, LPARAM sign) { return static_cast<int>((b - a) * sign); }

TEST_F(ListView, ThreeRowsSortedByACallbackThenATapAndAHold) {
  HWND list = MakeList();
  Add(list, u"Alpha", 1);
  Add(list, u"Beta", 3);
  Add(list, u"Gamma", 2);
  SendMessageW(list, LVM_SORTITEMS, 1, reinterpret_cast<LPARAM>(ByDataDescending));
  EXPECT_EQ(Text(list, 0), u"Beta");
  EXPECT_EQ(Text(list, 1), u"Gamma");
  EXPECT_EQ(Text(list, 2), u"Alpha");
  LVFINDINFOW find{LVFI_PARAM, nullptr, 1, {0, 0}, 0};
  EXPECT_EQ(SendMessageW(list, LVM_FINDITEMW, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&find)), 2);

  std::vector<NMITEMACTIVATE> clicks;
  std::vector<NMRGINFO> holds;
  onNotify = [&](NMHDR* header) -> LRESULT {
    if (header->code == NM_CLICK) clicks.push_back(*reinterpret_cast<NMITEMACTIVATE*>(header));
    if (header->code == NM_GESTURE_CONTEXTMENU) holds.push_back(*reinterpret_cast<NMRGINFO*>(header));
    return 0;
  };
  notices.clear();
  POINT p = RowCentreOnScreen(list, 1);
  devtest::Tap(p.x, p.y);
  EXPECT_EQ(Actions(), (std::vector<UINT>{NM_SETFOCUS, LVN_ITEMCHANGING, LVN_ITEMCHANGED, NM_CLICK}));
  ASSERT_EQ(clicks.size(), 1u);
  EXPECT_EQ(clicks[0].iItem, 1);
  EXPECT_EQ(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED), 1);

  notices.clear();
  p = RowCentreOnScreen(list, 2);
  devtest::TapAndHold(p.x, p.y);
  EXPECT_EQ(Actions(), (std::vector<UINT>{LVN_ITEMCHANGING, LVN_ITEMCHANGED, LVN_ITEMCHANGING, LVN_ITEMCHANGED,
                                          NM_GESTURE_CONTEXTMENU}));
  ASSERT_EQ(holds.size(), 1u);
  POINT local = p;
  ScreenToClient(list, &local);
  EXPECT_EQ(holds[0].ptAction.x, local.x);
  EXPECT_EQ(holds[0].ptAction.y, local.y);
  EXPECT_EQ(clicks.size(), 1u);  // a hold is no click
}

TEST_F(ListView, AScriptedGestureAnswerDecidesTheHold) {
  HWND list = MakeList();
  Add(list, u"One", 1);
  POINT p = RowCentreOnScreen(list, 0);
  devtest::SetGestureAnswer(0);
  notices.clear();
  devtest::TapAndHold(p.x, p.y);
  EXPECT_EQ(Actions().back(), NM_CLICK);
  devtest::SetGestureAnswer(GN_CONTEXTMENU);
  notices.clear();
  devtest::Tap(p.x, p.y);
  EXPECT_EQ(Actions().back(), NM_GESTURE_CONTEXTMENU);
}

TEST_F(ListView, ARefusedChangeKeepsTheSelection) {
  HWND list = MakeList();
  Add(list, u"One", 1);
  Add(list, u"Two", 2);
  onNotify = [](NMHDR* header) -> LRESULT { return header->code == LVN_ITEMCHANGING ? 1 : 0; };
  notices.clear();
  POINT p = RowCentreOnScreen(list, 1);
  devtest::Tap(p.x, p.y);
  EXPECT_EQ(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED), -1);
  EXPECT_EQ(Actions(), (std::vector<UINT>{NM_SETFOCUS, LVN_ITEMCHANGING, NM_CLICK}));
}

TEST_F(ListView, ACheckBoxTapToggles) {
  HWND list = MakeList();
  SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT | 0x10000000);
  EXPECT_EQ(SendMessageW(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0),
            static_cast<LRESULT>(LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT | 0x10000000));
  Add(list, u"List", 1);
  EXPECT_EQ(SendMessageW(list, LVM_GETITEMSTATE, 0, LVIS_STATEIMAGEMASK), static_cast<LRESULT>(INDEXTOSTATEIMAGEMASK(1)));
  RECT r{LVIR_BOUNDS, 0, 0, 0};
  SendMessageW(list, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&r));
  POINT p{r.left + 5, (r.top + r.bottom) / 2};
  ClientToScreen(list, &p);
  devtest::Tap(p.x, p.y);
  EXPECT_EQ(SendMessageW(list, LVM_GETITEMSTATE, 0, LVIS_STATEIMAGEMASK), static_cast<LRESULT>(INDEXTOSTATEIMAGEMASK(2)));
  devtest::ListViewInfo info = devtest::ListViewOf(list);
  ASSERT_TRUE(info.valid);
  ASSERT_EQ(info.rows.size(), 1u);
  EXPECT_EQ(info.rows[0].texts, (std::vector<std::u16string>{u"List", u""}));
  EXPECT_EQ(info.rows[0].checkState, 2);
  EXPECT_EQ(info.rows[0].lParam, 1);
  EXPECT_TRUE(info.rows[0].selected);
  EXPECT_TRUE(info.rows[0].focused);
  EXPECT_EQ(info.columnWidths, (std::vector<int>{150, 80}));
  EXPECT_EQ(info.editedRow, -1);
  EXPECT_FALSE(devtest::ListViewOf(parent).valid);
  devtest::PressKey(VK_SPACE);
  EXPECT_EQ(SendMessageW(list, LVM_GETITEMSTATE, 0, LVIS_STATEIMAGEMASK), static_cast<LRESULT>(INDEXTOSTATEIMAGEMASK(1)));
}

TEST_F(ListView, KeysMoveTheSelectionAndScroll) {
  HWND list = MakeList();
  for (int i = 0; i < 40; ++i) Add(list, u"Row", i);
  SetFocus(list);
  int page = static_cast<int>(SendMessageW(list, LVM_GETCOUNTPERPAGE, 0, 0));
  ASSERT_GT(page, 3);
  ASSERT_LT(page, 40);
  devtest::PressKey(VK_DOWN);
  EXPECT_EQ(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED), 0);
  devtest::PressKey(VK_END);
  EXPECT_EQ(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED), 39);
  EXPECT_EQ(SendMessageW(list, LVM_GETTOPINDEX, 0, 0), 40 - page);
  notices.clear();
  devtest::PressKey(VK_RETURN);
  EXPECT_EQ(Actions(), (std::vector<UINT>{LVN_KEYDOWN, NM_RETURN}));
  // A drag upward scrolls back by rows.
  RECT r;
  GetWindowRect(list, &r);
  devtest::Drag({{r.left + 50, r.top + 20}, {r.left + 50, r.top + 60}, {r.left + 50, r.top + 150}});
  EXPECT_LT(SendMessageW(list, LVM_GETTOPINDEX, 0, 0), 40 - page);
}

TEST_F(ListView, CustomDrawStagesFollowTheAnswers) {
  HWND list = MakeList();
  Add(list, u"One", 1);
  Add(list, u"Two", 2);
  struct Case {
    const char* name;
    std::map<DWORD, LRESULT> answers;
    std::vector<DWORD> stages;
  };
  const Case cases[] = {
      {"nothing asked", {{CDDS_PREPAINT, 0}}, {CDDS_PREPAINT}},
      {"items",
       {{CDDS_PREPAINT, CDRF_NOTIFYITEMDRAW}},
       {CDDS_PREPAINT, CDDS_ITEMPREPAINT, CDDS_ITEMPREPAINT}},
      {"sub-items without post-paint",
       {{CDDS_PREPAINT, CDRF_NOTIFYITEMDRAW}, {CDDS_ITEMPREPAINT, CDRF_NOTIFYSUBITEMDRAW}},
       {CDDS_PREPAINT, CDDS_ITEMPREPAINT, CDDS_SUBITEMPREPAINT, CDDS_SUBITEMPREPAINT, CDDS_ITEMPREPAINT,
        CDDS_SUBITEMPREPAINT, CDDS_SUBITEMPREPAINT}},
      {"sub-items with post-paint",
       {{CDDS_PREPAINT, CDRF_NOTIFYITEMDRAW}, {CDDS_ITEMPREPAINT, CDRF_NOTIFYSUBITEMDRAW},
        {CDDS_SUBITEMPREPAINT, CDRF_NOTIFYPOSTPAINT}},
       {CDDS_PREPAINT, CDDS_ITEMPREPAINT, CDDS_SUBITEMPREPAINT, CDDS_SUBITEMPOSTPAINT, CDDS_SUBITEMPREPAINT,
        CDDS_SUBITEMPOSTPAINT, CDDS_ITEMPREPAINT, CDDS_SUBITEMPREPAINT, CDDS_SUBITEMPOSTPAINT, CDDS_SUBITEMPREPAINT,
        CDDS_SUBITEMPOSTPAINT}},
      {"skip default", {{CDDS_PREPAINT, CDRF_SKIPDEFAULT | CDRF_NOTIFYPOSTPAINT}}, {CDDS_PREPAINT, CDDS_POSTPAINT}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<DWORD> stages;
    onNotify = [&](NMHDR* header) -> LRESULT {
      if (header->code != NM_CUSTOMDRAW) return 0;
      auto* draw = reinterpret_cast<NMLVCUSTOMDRAW*>(header);
      stages.push_back(draw->nmcd.dwDrawStage);
      auto found = c.answers.find(draw->nmcd.dwDrawStage);
      return found == c.answers.end() ? 0 : found->second;
    };
    InvalidateRect(list, nullptr, TRUE);
    devtest::PumpMessages();
    EXPECT_EQ(stages, c.stages);
  }
}

TEST_F(ListView, TheOwnersTextBackgroundColourIsUsed) {
  HWND list = MakeList();
  Add(list, u"", 1);
  onNotify = [&](NMHDR* header) -> LRESULT {
    if (header->code != NM_CUSTOMDRAW) return 0;
    auto* draw = reinterpret_cast<NMLVCUSTOMDRAW*>(header);
    if (draw->nmcd.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
    if (draw->nmcd.dwDrawStage == CDDS_ITEMPREPAINT) return CDRF_NOTIFYSUBITEMDRAW;
    if (draw->nmcd.dwDrawStage == CDDS_SUBITEMPREPAINT) draw->clrTextBk = 0x00FFD7D7;
    return 0x10;
  };
  InvalidateRect(list, nullptr, TRUE);
  devtest::PumpMessages();
  RECT r{LVIR_LABEL, 0, 0, 0};
  SendMessageW(list, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&r));
  EXPECT_EQ(devtest::WindowPixelRgb(list, r.left + 20, r.top + 3), 0xD7D7FFu);
}

TEST_F(ListView, LabelEditingBeginsEndsAndCancels) {
  HWND list = MakeList();
  Add(list, u"Old", 1);
  std::vector<std::u16string> ends;
  bool refuse = false;
  onNotify = [&](NMHDR* header) -> LRESULT {
    if (header->code == LVN_BEGINLABELEDITW) return refuse ? 1 : 0;
    if (header->code == LVN_ENDLABELEDITW) {
      auto* info = reinterpret_cast<NMLVDISPINFOW*>(header);
      ends.push_back(info->item.pszText ? info->item.pszText : u"<cancelled>");
      return TRUE;
    }
    return 0;
  };
  HWND editor = reinterpret_cast<HWND>(SendMessageW(list, LVM_EDITLABELW, 0, 0));
  ASSERT_NE(editor, nullptr);
  EXPECT_EQ(reinterpret_cast<HWND>(SendMessageW(list, LVM_GETEDITCONTROL, 0, 0)), editor);
  EXPECT_EQ(GetFocus(), editor);
  devtest::PressKey('N');
  devtest::PressKey('E');
  devtest::PressKey('W');
  EXPECT_EQ(controltest::TextOf(editor), u"new");
  devtest::PressKey(VK_RETURN);
  EXPECT_FALSE(IsWindow(editor));
  EXPECT_EQ(Text(list, 0), u"new");
  SendMessageW(list, LVM_EDITLABELW, 0, 0);
  devtest::PressKey('X');
  devtest::PressKey(VK_ESCAPE);
  EXPECT_EQ(Text(list, 0), u"new");
  EXPECT_EQ(ends, (std::vector<std::u16string>{u"new", u"<cancelled>"}));
  refuse = true;
  EXPECT_EQ(SendMessageW(list, LVM_EDITLABELW, 0, 0), 0);
}

TEST_F(ListView, LabelEditingTurnedOnAfterCreationStartsOnASecondTap) {
  HWND list = MakeList();
  Add(list, u"Note", 1);
  POINT p = RowCentreOnScreen(list, 0);
  devtest::Tap(p.x, p.y);
  devtest::AdvanceTimeAndPump(kDoubleTapMilliseconds + 1);
  devtest::Tap(p.x, p.y);
  EXPECT_EQ(SendMessageW(list, LVM_GETEDITCONTROL, 0, 0), 0);
  SetWindowLongW(list, GWL_STYLE, GetWindowLongW(list, GWL_STYLE) | LVS_EDITLABELS);
  devtest::AdvanceTimeAndPump(kDoubleTapMilliseconds + 1);
  devtest::Tap(p.x, p.y);
  EXPECT_NE(SendMessageW(list, LVM_GETEDITCONTROL, 0, 0), 0);
}

TEST_F(ListView, TwoQuickTapsOnARowAreADoubleTap) {
  HWND list = MakeList();
  Add(list, u"One", 1);
  Add(list, u"Two", 2);
  POINT first = RowCentreOnScreen(list, 0);
  POINT second = RowCentreOnScreen(list, 1);
  devtest::Tap(first.x, first.y);
  devtest::Tap(second.x, second.y);  // another row: no double tap
  devtest::AdvanceTimeAndPump(kDoubleTapMilliseconds + 1);
  devtest::Tap(second.x, second.y);  // too late
  notices.clear();
  devtest::Tap(second.x, second.y);
  EXPECT_EQ(Actions(), (std::vector<UINT>{NM_CLICK, NM_DBLCLK}));
}

TEST_F(ListView, ItemsColumnsAndRectangles) {
  HWND list = MakeList();
  Add(list, u"A", 10);
  Add(list, u"B", 20);
  LVITEMW item{};
  item.mask = LVIF_TEXT;
  item.iSubItem = 1;
  item.pszText = const_cast<LPWSTR>(u"12 KB");
  SendMessageW(list, LVM_SETITEMTEXTW, 1, reinterpret_cast<LPARAM>(&item));
  EXPECT_EQ(Text(list, 1, 1), u"12 KB");
  RECT cell{LVIR_BOUNDS, 1, 0, 0};
  ASSERT_TRUE(SendMessageW(list, LVM_GETSUBITEMRECT, 1, reinterpret_cast<LPARAM>(&cell)));
  EXPECT_EQ(cell.left, 150);
  EXPECT_EQ(cell.right, 230);
  SendMessageW(list, LVM_SETCOLUMNWIDTH, 0, 100);
  EXPECT_EQ(SendMessageW(list, LVM_GETCOLUMNWIDTH, 0, 0), 100);
  SendMessageW(list, LVM_DELETECOLUMN, 1, 0);
  EXPECT_EQ(Text(list, 1, 1), u"");
  std::vector<LPARAM> deleted;
  onNotify = [&](NMHDR* header) -> LRESULT {
    if (header->code == LVN_DELETEITEM) deleted.push_back(reinterpret_cast<NMLISTVIEW*>(header)->lParam);
    return 0;
  };
  SendMessageW(list, LVM_DELETEITEM, 0, 0);
  EXPECT_EQ(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0), 1);
  SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
  EXPECT_EQ(deleted, (std::vector<LPARAM>{10, 20}));
  EXPECT_EQ(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0), 0);
}

}  // namespace

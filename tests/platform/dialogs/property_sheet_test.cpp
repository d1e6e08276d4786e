// Property sheets: pages made when first shown, the notifications that
// reach them, OK kept back by a page, PSM_PRESSBUTTON, the callback's
// stages and its tabs at the bottom, and the answers.
#include <string>
#include <vector>

#include "platform/controls/tab_control.h"
#include "platform/dialogs/property_sheet.h"
#include "platform/input/virtual_keys.h"
#include "tests/platform/dialogs/dialog_fixture.h"

namespace {

using devtest::ModalKind;
using devtest::ModalView;
using dialogtest::DialogTest;

constexpr WORD kPageTemplate = 110;

struct PageLog {
  int initialised = 0;
  std::vector<UINT> notices;
  HWND sheetSeen = nullptr;
  LONG_PTR applyAnswer = 0;
};
PageLog gPages[3];
std::vector<UINT> gStages;

BOOL PageProc(HWND page, UINT message, WPARAM, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    const auto* sheetPage = reinterpret_cast<const PROPSHEETPAGEW*>(lParam);
    SetWindowLongPtrW(page, DWL_USER, sheetPage->lParam);
    ++gPages[sheetPage->lParam].initialised;
    return TRUE;
  }
  if (message == WM_NOTIFY) {
    LONG_PTR index = GetWindowLongPtrW(page, DWL_USER);
    const auto* notice = reinterpret_cast<const PSHNOTIFY*>(lParam);
    gPages[index].notices.push_back(notice->hdr.code);
    gPages[index].sheetSeen = notice->hdr.hwndFrom;
    if (notice->hdr.code == PSN_APPLY) SetWindowLongPtrW(page, DWL_MSGRESULT, gPages[index].applyAnswer);
    return FALSE;  // as the program's page procedure answers
  }
  return FALSE;
}

int SheetCallback(HWND sheet, UINT stage, LPARAM lParam) {
  gStages.push_back(stage);
  if (stage == PSCB_INITIALIZED) {
    HWND tab = reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETTABCONTROL, 0, 0));
    SetWindowLongW(tab, GWL_STYLE, GetWindowLongW(tab, GWL_STYLE) | static_cast<LONG>(TCS_BOTTOM | TCS_FOCUSNEVER));
  }
  if (stage == PSCB_GETTITLE) {
    const char16_t title[] = u"Options";
    std::copy(title, title + 8, reinterpret_cast<WCHAR*>(lParam));
  }
  return stage == PSCB_GETVERSION ? 0x20C : 1;
}

int CountOf(const std::vector<UINT>& notices, UINT code) {
  int n = 0;
  for (UINT c : notices) n += c == code ? 1 : 0;
  return n;
}

class PropertySheetTest : public DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    for (PageLog& log : gPages) log = PageLog{};
    gStages.clear();
    for (int i = 0; i < 3; ++i) {
      PROPSHEETPAGEW& page = pages[i];
      page = PROPSHEETPAGEW{};
      page.dwSize = sizeof page;
      page.dwFlags = PSP_USETITLE;
      page.pszTemplate = MAKEINTRESOURCEW(kPageTemplate);
      page.pszTitle = titles[i];
      page.pfnDlgProc = PageProc;
      page.lParam = i;
    }
    header = PROPSHEETHEADERW{};
    header.dwSize = sizeof header;
    header.dwFlags = PSH_PROPSHEETPAGE | PSH_NOAPPLYNOW | PSH_USECALLBACK | PSH_MAXIMIZE;
    header.hwndParent = owner;
    header.pszCaption = u"Sheet";
    header.nPages = 3;
    header.nStartPage = 0;
    header.ppsp = pages;
    header.pfnCallback = SheetCallback;
  }
  PROPSHEETPAGEW pages[3];
  PROPSHEETHEADERW header;
  const char16_t* titles[3] = {u"General", u"Display", u"Sound"};
};

TEST_F(PropertySheetTest, OkAppliesOnlyThePagesThatWereShown) {
  HWND sheet = nullptr;
  devtest::ScriptNextModal(ModalKind::PropertySheet, [&](const ModalView& view) {
    sheet = view.window;
    EXPECT_EQ(gPages[0].initialised, 1);
    EXPECT_EQ(gPages[1].initialised, 0);
    view.end(1);
  });
  EXPECT_EQ(PropertySheetW(&header), 1);
  EXPECT_EQ(CountOf(gPages[0].notices, PSN_SETACTIVE), 1);
  EXPECT_EQ(CountOf(gPages[0].notices, PSN_KILLACTIVE), 1);
  EXPECT_EQ(CountOf(gPages[0].notices, PSN_APPLY), 1);
  EXPECT_EQ(gPages[0].sheetSeen, sheet);
  EXPECT_TRUE(gPages[1].notices.empty());
  EXPECT_TRUE(gPages[2].notices.empty());
  EXPECT_EQ(gStages, (std::vector<UINT>{PSCB_GETVERSION, PSCB_INITIALIZED, PSCB_GETTITLE, PSCB_GETLINKTEXT}));
  ASSERT_EQ(devtest::DialogJournal().size(), 1u);
  const devtest::ModalRecord& record = devtest::DialogJournal()[0];
  EXPECT_EQ(record.kind, ModalKind::PropertySheet);
  EXPECT_EQ(record.pages, (std::vector<int>{kPageTemplate, kPageTemplate, kPageTemplate}));
  EXPECT_EQ(record.result, 1);
  EXPECT_FALSE(IsWindow(sheet));
  EXPECT_TRUE(IsWindowEnabled(owner));
}

TEST_F(PropertySheetTest, APageAnsweringOneKeepsTheSheetOpenUntilCancel) {
  gPages[0].applyAnswer = 1;
  bool openAfterOk = false;
  devtest::ScriptNextModal(ModalKind::PropertySheet, [&](const ModalView& view) {
    SendMessageW(view.window, PSM_PRESSBUTTON, PSBTN_OK, 0);
    openAfterOk = IsWindowVisible(view.window) != FALSE;
    PostMessageW(view.window, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
  });
  EXPECT_EQ(PropertySheetW(&header), 0);
  EXPECT_TRUE(openAfterOk);
  EXPECT_EQ(CountOf(gPages[0].notices, PSN_APPLY), 1);
  EXPECT_EQ(CountOf(gPages[0].notices, PSN_RESET), 1);
  EXPECT_TRUE(gPages[1].notices.empty());
}

TEST_F(PropertySheetTest, APostedPressButtonClosesAndAShownPageIsApplied) {
  devtest::ScriptNextModal(ModalKind::PropertySheet, [&](const ModalView& view) {
    EXPECT_TRUE(SendMessageW(view.window, PSM_SETCURSEL, 2, 0));
    PostMessageW(view.window, PSM_PRESSBUTTON, PSBTN_OK, 0);
  });
  EXPECT_EQ(PropertySheetW(&header), 1);
  EXPECT_EQ(CountOf(gPages[0].notices, PSN_APPLY), 1);
  EXPECT_EQ(gPages[1].initialised, 0);
  EXPECT_TRUE(gPages[1].notices.empty());
  EXPECT_EQ(gPages[2].initialised, 1);
  EXPECT_EQ(CountOf(gPages[2].notices, PSN_APPLY), 1);
}

TEST_F(PropertySheetTest, TheCallbackPutsTheTabsAtTheBottomUnderThePages) {
  devtest::ScriptNextModal(ModalKind::PropertySheet, [&](const ModalView& view) {
    HWND tab = reinterpret_cast<HWND>(SendMessageW(view.window, PSM_GETTABCONTROL, 0, 0));
    ASSERT_NE(tab, nullptr);
    EXPECT_TRUE(GetWindowLongW(tab, GWL_STYLE) & TCS_BOTTOM);
    HWND page = reinterpret_cast<HWND>(SendMessageW(view.window, PSM_GETCURRENTPAGEHWND, 0, 0));
    RECT sheetRect, pageRect, tabItem;
    GetWindowRect(view.window, &sheetRect);
    GetWindowRect(page, &pageRect);
    ASSERT_TRUE(SendMessageW(tab, TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&tabItem)));
    EXPECT_LT(pageRect.top - sheetRect.top, 10);
    EXPECT_LE(pageRect.bottom - sheetRect.top, tabItem.top);
    WCHAR text[32];
    GetWindowTextW(view.window, text, 32);
    EXPECT_EQ(std::u16string(text), u"Options");
    QueueKey(VK_ESCAPE);
  });
  EXPECT_EQ(PropertySheetW(&header), 0);
}

TEST_F(PropertySheetTest, BadSheetsFail) {
  PROPSHEETHEADERW wrongSize = header;
  wrongSize.dwSize = 40;
  EXPECT_EQ(PropertySheetW(&wrongSize), -1);
  EXPECT_EQ(PropertySheetW(nullptr), -1);
  PROPSHEETHEADERW none = header;
  none.nPages = 0;
  EXPECT_EQ(PropertySheetW(&none), -1);
  pages[1].pszTemplate = MAKEINTRESOURCEW(999);
  EXPECT_EQ(PropertySheetW(&header), -1);
  EXPECT_EQ(devtest::LiveWindowCount(), 1);  // the owner
}

TEST_F(PropertySheetTest, AnUnscriptedSheetIsCancelledAndLeavesNothingBehind) {
  int windows = devtest::LiveWindowCount();
  int gdiObjects = LiveGdiObjectCount();
  for (int i = 0; i < 1000; ++i) {
    if (i % 2 == 0) devtest::AnswerNextModal(ModalKind::PropertySheet, 1);
    EXPECT_EQ(PropertySheetW(&header), i % 2 == 0 ? 1 : 0);
  }
  EXPECT_EQ(devtest::LiveWindowCount(), windows);
  EXPECT_EQ(LiveGdiObjectCount(), gdiObjects);
}

}  // namespace

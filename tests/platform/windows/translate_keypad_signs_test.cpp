// TranslateMessage types the keypad's signs as the characters the reader's
// keypad map reads.
#include <gtest/gtest.h>

#include "platform/input/virtual_keys.h"
#include "platform/testing/windows.h"
#include "platform/windows/message_queue.h"
#include "platform/windows/windows.h"

TEST(TranslateMessage, KeypadSignsBecomeCharacters) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = DefWindowProcW;
  wc.lpszClassName = u"SignsWindow";
  RegisterClassW(&wc);
  HWND window = CreateWindowExW(0, u"SignsWindow", u"", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  struct Case {
    UINT key;
    WCHAR character;
  } cases[] = {{VK_MULTIPLY, u'*'}, {VK_ADD, u'+'}, {VK_SUBTRACT, u'-'}};
  for (const Case& c : cases) {
    MSG down{};
    down.hwnd = window;
    down.message = WM_KEYDOWN;
    down.wParam = c.key;
    ASSERT_TRUE(TranslateMessage(&down));
    MSG out{};
    ASSERT_TRUE(PeekMessageW(&out, window, WM_CHAR, WM_CHAR, PM_REMOVE));
    EXPECT_EQ(out.wParam, static_cast<WPARAM>(c.character));
  }
  MSG home{};
  home.hwnd = window;
  home.message = WM_KEYDOWN;
  home.wParam = VK_HOME;
  EXPECT_FALSE(TranslateMessage(&home));
  DestroyWindow(window);
}

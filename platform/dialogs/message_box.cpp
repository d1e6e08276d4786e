// The message box of message_box.h, a window of its own class with push
// buttons of the controls' BUTTON class.
#include "platform/dialogs/message_box.h"

#include <string>

#include "platform/controls/button.h"
#include "platform/controls/control_classes.h"
#include "platform/core/device_profile.h"
#include "platform/gdi/gdi.h"
#include "platform/input/virtual_keys.h"
#include "platform/modals/modal_loop.h"
#include "platform/text_drawing/text.h"
#include "platform/windows/message_queue.h"
#include "platform/windows/painting.h"
#include "platform/windows/window_positions.h"
#include "platform/windows/windows.h"
#ifdef TESSALYN_TEST_HOOKS
#include "platform/modals/modal_hooks.h"
#endif

namespace {

constexpr WCHAR kClassName[] = u"TessalynMessageBox";
// Sizes at 96 dpi, scaled with the screen's dpi.
int Scaled(int value) { return value * devsystem::Profile().dpi / 96; }
int Margin() { return Scaled(6); }
int ButtonWidth() { return Scaled(56); }
int ButtonHeight() { return Scaled(22); }
int IconSize() { return Scaled(24); }

struct BoxState {
  std::u16string text;
  UINT type = 0;
  int buttons[3] = {};
  int buttonCount = 0;
  int defaultButton = 0;
  int escapeAnswer = 0;
  int answer = 0;
  bool done = false;
};

void ChooseButtons(BoxState& box) {
  auto set = [&box](std::initializer_list<int> ids) {
    box.buttonCount = 0;
    for (int id : ids) box.buttons[box.buttonCount++] = id;
  };
  switch (box.type & MB_TYPEMASK) {
    case MB_OKCANCEL: set({IDOK, IDCANCEL}); break;
    case MB_ABORTRETRYIGNORE: set({IDABORT, IDRETRY, IDIGNORE}); break;
    case MB_YESNOCANCEL: set({IDYES, IDNO, IDCANCEL}); break;
    case MB_YESNO: set({IDYES, IDNO}); break;
    case MB_RETRYCANCEL: set({IDRETRY, IDCANCEL}); break;
    default: set({IDOK}); break;
  }
  int index = static_cast<int>((box.type & MB_DEFMASK) >> 8);
  box.defaultButton = box.buttons[index < box.buttonCount ? index : 0];
  box.escapeAnswer = box.buttons[0];
  for (int i = 0; i < box.buttonCount; ++i) {
    if (box.buttons[i] == IDCANCEL) box.escapeAnswer = IDCANCEL;
  }
  if (box.escapeAnswer != IDCANCEL) {
    for (int i = 0; i < box.buttonCount; ++i) {
      if (box.buttons[i] == IDNO) box.escapeAnswer = IDNO;
    }
  }
}

const char16_t* ButtonText(int id) {
  switch (id) {
    case IDOK: return u"OK";
    case IDCANCEL: return u"Cancel";
    case IDABORT: return u"Abort";
    case IDRETRY: return u"Retry";
    case IDIGNORE: return u"Ignore";
    case IDYES: return u"Yes";
    case IDNO: return u"No";
  }
  return u"";
}

// The icon: a framed glyph whose letter says its kind.
const char16_t* IconGlyph(UINT type) {
  switch (type & MB_ICONMASK) {
    case MB_ICONHAND: return u"X";
    case MB_ICONQUESTION: return u"?";
    case MB_ICONEXCLAMATION: return u"!";
    case MB_ICONASTERISK: return u"i";
  }
  return nullptr;
}

BoxState* StateOf(HWND window) { return reinterpret_cast<BoxState*>(GetWindowLongPtrW(window, GWL_USERDATA)); }

void End(BoxState* box, int answer) {
  if (box == nullptr || box->done) return;
  box->answer = answer;
  box->done = true;
}

void Paint(HWND window, BoxState* box) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  if (dc == nullptr) return;
  RECT client;
  GetClientRect(window, &client);
  // A white box with a black frame (the DC's default pen and brush).
  Rectangle(dc, client.left, client.top, client.right, client.bottom);
  int textLeft = Margin();
  if (const char16_t* glyph = IconGlyph(box->type)) {
    RECT icon{Margin(), Margin(), Margin() + IconSize(), Margin() + IconSize()};
    Rectangle(dc, icon.left, icon.top, icon.right, icon.bottom);
    DrawTextW(dc, glyph, -1, &icon, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    textLeft += IconSize() + Margin();
  }
  RECT text{textLeft, Margin(), client.right - Margin(), client.bottom - ButtonHeight() - 2 * Margin()};
  DrawTextW(dc, box->text.c_str(), static_cast<int>(box->text.size()), &text, DT_WORDBREAK);
  EndPaint(window, &paint);
}

LRESULT BoxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      End(StateOf(window), LOWORD(wParam));
      return 0;
    case WM_CLOSE:
      if (BoxState* box = StateOf(window)) End(box, box->escapeAnswer);
      return 0;
    case WM_PAINT:
      if (BoxState* box = StateOf(window)) {
        Paint(window, box);
        return 0;
      }
      break;
    case WM_ERASEBKGND:
      return 1;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

bool Register() {
  WNDCLASSW existing;
  if (GetClassInfoW(nullptr, kClassName, &existing)) return true;
  WNDCLASSW wc{};
  wc.lpfnWndProc = BoxProc;
  wc.lpszClassName = kClassName;
  return RegisterClassW(&wc) != 0;
}

// Enter and Escape answer whatever control has the focus.
bool FilterKeys(HWND modal, const MSG& message, void*) {
  if (message.message != WM_KEYDOWN) return false;
  if (message.hwnd != modal && !IsChild(modal, message.hwnd)) return false;
  BoxState* box = StateOf(modal);
  if (message.wParam == VK_RETURN) {
    HWND focus = GetFocus();
    int id = IsChild(modal, focus) ? GetDlgCtrlID(focus) : 0;
    End(box, id != 0 ? id : box->defaultButton);
    return true;
  }
  if (message.wParam == VK_ESCAPE) {
    End(box, box->escapeAnswer);
    return true;
  }
  return false;
}

// The box's size: the screen's width less a margin, as tall as its text.
RECT Layout(const BoxState& box) {
  int screenWidth = GetSystemMetrics(SM_CXSCREEN);
  int screenHeight = GetSystemMetrics(SM_CYSCREEN);
  int width = screenWidth - 4 * Margin();
  int textWidth = width - 2 * Margin() - (IconGlyph(box.type) != nullptr ? IconSize() + Margin() : 0);
  RECT measure{0, 0, textWidth, 0};
  HDC dc = GetDC(nullptr);
  if (dc != nullptr) {
    DrawTextW(dc, box.text.c_str(), static_cast<int>(box.text.size()), &measure, DT_WORDBREAK | DT_CALCRECT);
    ReleaseDC(nullptr, dc);
  }
  int textHeight = measure.bottom - measure.top;
  if (textHeight < IconSize()) textHeight = IconSize();
  int height = textHeight + ButtonHeight() + 3 * Margin();
  if (height > screenHeight) height = screenHeight;
  int left = (screenWidth - width) / 2;
  int top = (screenHeight - height) / 2;
  return RECT{left, top, left + width, top + height};
}

}  // namespace

int MessageBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type) {
  BoxState box;
  box.text = text != nullptr ? text : u"";
  box.type = type;
  ChooseButtons(box);
  if (!Register()) return 0;
  RECT place = Layout(box);
  int width = place.right - place.left;
  int height = place.bottom - place.top;
  HWND window = CreateWindowExW(WS_EX_DLGMODALFRAME, kClassName, caption != nullptr ? caption : u"Error",
                                WS_POPUP | WS_CAPTION, place.left, place.top, width, height, owner, nullptr,
                                nullptr, nullptr);
  if (window == nullptr) return 0;
  SetWindowLongPtrW(window, GWL_USERDATA, reinterpret_cast<LONG_PTR>(&box));
  int rowWidth = box.buttonCount * ButtonWidth() + (box.buttonCount - 1) * Margin();
  int x = (width - rowWidth) / 2;
  HWND defaultButton = nullptr;
  for (int i = 0; i < box.buttonCount; ++i) {
    int id = box.buttons[i];
    DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | (id == box.defaultButton ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
    HWND button = CreateWindowExW(0, WC_BUTTONW, ButtonText(id), style, x, height - Margin() - ButtonHeight(),
                                  ButtonWidth(), ButtonHeight(), window, reinterpret_cast<HMENU>(static_cast<intptr_t>(id)),
                                  nullptr, nullptr);
    if (id == box.defaultButton) defaultButton = button;
    x += ButtonWidth() + Margin();
  }
  bool ownerEnabled = DisableOwner(owner);
  ShowWindow(window, SW_SHOW);
  SetForegroundWindow(window);
  if (defaultButton != nullptr) SetFocus(defaultButton);
  bool scripted = false;
#ifdef TESSALYN_TEST_HOOKS
  if (devtest::ModalScript script = devtest::TakeModalScript(devtest::ModalKind::MessageBox)) {
    scripted = true;
    devtest::ModalView view;
    view.kind = devtest::ModalKind::MessageBox;
    view.window = window;
    view.end = [&box](INT_PTR answer) { End(&box, static_cast<int>(answer)); };
    script(view);
  }
#endif
  if (!RunModalLoop(window, &box.done, FilterKeys, &box)) End(&box, box.escapeAnswer);
  RestoreOwner(owner, ownerEnabled);
  SetWindowLongPtrW(window, GWL_USERDATA, 0);
  DestroyWindow(window);
#ifdef TESSALYN_TEST_HOOKS
  devtest::MessageBoxJournal().push_back({caption != nullptr ? caption : u"Error", box.text, type, box.answer, scripted});
#else
  (void)scripted;
#endif
  return box.answer;
}

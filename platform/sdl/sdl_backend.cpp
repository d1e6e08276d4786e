// The SDL2 backend: one window showing the device's screen, the mouse as
// the stylus and the keyboard as the device's keys (device_loop.h). SDL
// and X11 headers are included in this folder only.
#include <SDL.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/clipboard/clipboard.h"
#include "platform/controls/cursor.h"
#include "platform/input/device_input.h"
#include "platform/input/virtual_keys.h"
#include "platform/sdl/device_loop.h"
#include "platform/windows/window_positions.h"
#include "platform/windows/message_queue.h"
#include "platform/windows/windows.h"
#include "platform/windows/screen.h"

namespace devbackend {
namespace {

UINT DeviceKey(SDL_Keycode key) {
  if (key >= SDLK_a && key <= SDLK_z) return static_cast<UINT>('A' + (key - SDLK_a));
  if (key >= SDLK_0 && key <= SDLK_9) return static_cast<UINT>('0' + (key - SDLK_0));
  if (key >= SDLK_F1 && key <= SDLK_F8) return VK_F1 + static_cast<UINT>(key - SDLK_F1);
  if (key >= SDLK_F9 && key <= SDLK_F12) return VK_APP1 + static_cast<UINT>(key - SDLK_F9);
  switch (key) {
    case SDLK_UP: return VK_UP;
    case SDLK_DOWN: return VK_DOWN;
    case SDLK_LEFT: return VK_LEFT;
    case SDLK_RIGHT: return VK_RIGHT;
    case SDLK_RETURN:
    case SDLK_KP_ENTER: return VK_RETURN;
    case SDLK_ESCAPE: return VK_ESCAPE;
    case SDLK_BACKSPACE: return VK_BACK;
    case SDLK_TAB: return VK_TAB;
    case SDLK_SPACE: return VK_SPACE;
    case SDLK_PAGEUP: return VK_PRIOR;
    case SDLK_PAGEDOWN: return VK_NEXT;
    case SDLK_HOME: return VK_HOME;
    case SDLK_END: return VK_END;
    case SDLK_DELETE: return VK_DELETE;
    // The keypad's signs, and the main keyboard's minus and plus (its '='
    // key): they type '*', '-' and '+', which the reader's keypad map reads.
    case SDLK_KP_MULTIPLY: return VK_MULTIPLY;
    case SDLK_KP_PLUS:
    case SDLK_PLUS:
    case SDLK_EQUALS: return VK_ADD;
    case SDLK_KP_MINUS:
    case SDLK_MINUS: return VK_SUBTRACT;
    case SDLK_LSHIFT:
    case SDLK_RSHIFT: return VK_SHIFT;
    case SDLK_LCTRL:
    case SDLK_RCTRL: return VK_CONTROL;
    default: return 0;
  }
}

class SdlBackend final : public Backend {
 public:
  bool Start() override {
    const char* scale = std::getenv("TESSALYN_SDL_SCALE");
    scale_ = scale ? std::clamp(std::atoi(scale), 1, 4) : 1;
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
      std::fprintf(stderr, "SDL: %s\n", SDL_GetError());
      return false;
    }
    // The desktop window waits for the first device window shown: a start
    // that only brings the running instance forward never shows one.
    // Text copied on the device reaches the desktop's clipboard too.
    SetDesktopClipboardSink([](const char* utf8) { SDL_SetClipboardText(utf8); });
    return true;
  }

  void Idle(DWORD maxWaitMs) override {
    HWND foreground = OwnForegroundWindow();
    if (window_ == nullptr && foreground != nullptr && !MakeWindow()) CloseProgram();
    if (window_ != nullptr) {
      FollowForeground(foreground);
      Present();
      ShowCursorState();
    }
    SDL_Event event;
    int wait = static_cast<int>(std::min<DWORD>(maxWaitMs, 10));
    if (SDL_WaitEventTimeout(&event, wait)) {
      Handle(event);
      while (SDL_PollEvent(&event)) Handle(event);
    }
  }

  void Finish() override {
    SetDesktopClipboardSink(nullptr);
    if (arrow_) SDL_FreeCursor(arrow_);
    if (busy_) SDL_FreeCursor(busy_);
    arrow_ = busy_ = nullptr;
    if (window_) SDL_DestroyWindow(window_);
    window_ = nullptr;
    SDL_Quit();
  }

 private:
  bool MakeWindow() {
    // The screen goes to the window's own surface, without a GL renderer.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    devscreen::ScreenPixels(&width_, &height_);
    raised_ = devscreen::ForegroundRequestStamp();
    window_ = SDL_CreateWindow("tessalyn", SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, width_ * scale_,
                               height_ * scale_, SDL_WINDOW_SHOWN);
    if (window_ == nullptr || SDL_GetWindowSurface(window_) == nullptr) {
      std::fprintf(stderr, "SDL: %s\n", SDL_GetError());
      return false;
    }
    return true;
  }

  // The device's foreground window when it is a shown window of this
  // process (the desktop window shows this process's screen only then).
  static HWND OwnForegroundWindow() {
    HWND window = GetForegroundWindow();
    if (window == nullptr || !IsWindowVisible(window)) return nullptr;
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    return process == static_cast<DWORD>(getpid()) ? window : nullptr;
  }

  // The desktop window's title is the device's foreground window's text
  // ("tessalyn" while it has none); another process's SetForegroundWindow
  // raises the desktop window.
  void FollowForeground(HWND foreground) {
    std::u16string text;
    if (foreground != nullptr) {
      WCHAR buffer[256] = {};
      int length = GetWindowTextW(foreground, buffer, 256);
      if (length > 0) text.assign(buffer, static_cast<size_t>(length));
    }
    if (text != title_) {
      title_ = text;
      char* utf8 = text.empty() ? nullptr
                                : SDL_iconv_string("UTF-8", "UTF-16LE", reinterpret_cast<const char*>(text.c_str()),
                                                   (text.size() + 1) * sizeof(char16_t));
      SDL_SetWindowTitle(window_, utf8 != nullptr ? utf8 : "tessalyn");
      SDL_free(utf8);
    }
    uint64_t raised = devscreen::ForegroundRequestStamp();
    if (raised != raised_) {
      raised_ = raised;
      SDL_RaiseWindow(window_);
    }
  }

  // The desktop's keyboard focus as the device's activation: the active
  // top-level window hears that it lost or regained it (lParam 0: another
  // program took or gave it).
  static void ReportDesktopFocus(bool gained) {
    HWND active = GetActiveWindow();
    if (active != nullptr) PostMessageW(active, WM_ACTIVATE, gained ? WA_ACTIVE : WA_INACTIVE, 0);
  }

  // The device's wait cursor is state, never pixels of the screen: the
  // window shows the desktop's busy cursor while it is current.
  void ShowCursorState() {
    bool wait = devcontrols::WaitCursorShown();
    if (wait == waiting_) return;
    waiting_ = wait;
    SDL_Cursor*& cursor = wait ? busy_ : arrow_;
    if (cursor == nullptr) cursor = SDL_CreateSystemCursor(wait ? SDL_SYSTEM_CURSOR_WAIT : SDL_SYSTEM_CURSOR_ARROW);
    if (cursor != nullptr) SDL_SetCursor(cursor);
  }

  void Present() {
    uint64_t stamp = devscreen::ScreenChangeStamp();
    if (stamp == shown_ || window_ == nullptr) return;
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels = devscreen::ScreenPixels(&width, &height);
    if (pixels.empty()) return;
    if (width != width_ || height != height_) {
      // The display turned: the window turns with it.
      width_ = width;
      height_ = height;
      SDL_SetWindowSize(window_, width_ * scale_, height_ * scale_);
    }
    SDL_Surface* target = SDL_GetWindowSurface(window_);
    SDL_Surface* screen = SDL_CreateRGBSurfaceWithFormatFrom(pixels.data(), width, height, 32, width * 4,
                                                             SDL_PIXELFORMAT_RGB888);
    if (target != nullptr && screen != nullptr) {
      SDL_BlitScaled(screen, nullptr, target, nullptr);
      SDL_UpdateWindowSurface(window_);
      shown_ = stamp;
    }
    if (screen != nullptr) SDL_FreeSurface(screen);
  }

  void Handle(const SDL_Event& event) {
    switch (event.type) {
      case SDL_QUIT:
        CloseProgram();
        break;
      case SDL_MOUSEBUTTONDOWN:
        if (event.button.button == SDL_BUTTON_LEFT) devinput::StylusDown(event.button.x / scale_, event.button.y / scale_);
        break;
      case SDL_MOUSEBUTTONUP:
        if (event.button.button == SDL_BUTTON_LEFT) devinput::StylusUp(event.button.x / scale_, event.button.y / scale_);
        break;
      case SDL_MOUSEMOTION:
        if (event.motion.state & SDL_BUTTON_LMASK) devinput::StylusMove(event.motion.x / scale_, event.motion.y / scale_);
        break;
      case SDL_KEYDOWN:
      case SDL_KEYUP: {
        UINT key = DeviceKey(event.key.keysym.sym);
        if (key == 0) break;
        if (event.type == SDL_KEYDOWN) devinput::KeyDown(key);
        else devinput::KeyUp(key);
        break;
      }
      case SDL_WINDOWEVENT:
        if (event.window.event == SDL_WINDOWEVENT_EXPOSED) shown_ = ~uint64_t{0};
        if (event.window.event == SDL_WINDOWEVENT_FOCUS_LOST) ReportDesktopFocus(false);
        if (event.window.event == SDL_WINDOWEVENT_FOCUS_GAINED) ReportDesktopFocus(true);
        break;
      default:
        break;
    }
  }

  SDL_Window* window_ = nullptr;
  SDL_Cursor* arrow_ = nullptr;
  SDL_Cursor* busy_ = nullptr;
  bool waiting_ = false;
  int width_ = 0;
  int height_ = 0;
  int scale_ = 1;
  uint64_t shown_ = ~uint64_t{0};
  uint64_t raised_ = 0;
  std::u16string title_;
};

}  // namespace

std::unique_ptr<Backend> MakeSdlBackend() { return std::make_unique<SdlBackend>(); }

}  // namespace devbackend

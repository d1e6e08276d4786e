// The SDL2 backend on a real X server: Xvfb (started with -displayfd) shows
// a device window drawn in blue, in a desktop window made only once the
// device window shows and titled with its text; xdotool clicks into it and
// presses Return, and both arrive as device messages in client
// coordinates; the desktop focus moving away and back reaches the device
// window as WM_ACTIVATE inactive and active, with lParam 0. Built only into
// its own executable (test_sdl_smoke, tests/platform/sdl/sdl_smoke.cmake), whose
// leak check suppresses what X11 and SDL keep until the process ends.
#ifdef TESSALYN_SDL_SMOKE_TEST

#include <dlfcn.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "tests/support/xvfb_server.h"
#include "platform/gdi/gdi.h"
#include "platform/input/virtual_keys.h"
#include "platform/sdl/device_loop.h"
#include "platform/windows/message_queue.h"
#include "platform/windows/painting.h"
#include "platform/windows/window_positions.h"
#include "platform/windows/windows.h"

namespace {

using testbuild::Xvfb;

// SDL opens the X11 client libraries itself and closes them at SDL_Quit;
// keeping them loaded lets the leak check name them, so that what they keep
// until the process ends is matched by the suppressions.
void KeepX11LibrariesLoaded() {
  for (const char* name : {"libX11.so.6", "libXext.so.6", "libXcursor.so.1", "libXi.so.6", "libXrandr.so.2",
                           "libXss.so.1", "libXfixes.so.3", "libxkbcommon.so.0", "libX11-xcb.so.1"})
    dlopen(name, RTLD_NOW | RTLD_NODELETE);
}

// Runs a command and answers its first line of output.
std::string RunCommand(const std::string& command) {
  std::string out;
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return out;
  char buffer[256];
  if (fgets(buffer, sizeof(buffer), pipe) != nullptr) out = buffer;
  pclose(pipe);
  while (!out.empty() && (out.back() == '\n' || out.back() == '\r')) out.pop_back();
  return out;
}

POINT g_tap{-1, -1};
WPARAM g_key = 0;
bool g_painted = false;
std::vector<std::pair<WORD, LPARAM>> g_activations;

LRESULT Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(window, &ps);
      RECT client;
      GetClientRect(window, &client);
      HBRUSH blue = CreateSolidBrush(RGB(0, 0, 255));
      FillRect(dc, &client, blue);
      DeleteObject(blue);
      EndPaint(window, &ps);
      g_painted = true;
      return 0;
    }
    case WM_LBUTTONDOWN:
      g_tap = POINT{static_cast<int16_t>(LOWORD(static_cast<uintptr_t>(lParam))),
                    static_cast<int16_t>(HIWORD(static_cast<uintptr_t>(lParam)))};
      return 0;
    case WM_KEYDOWN:
      g_key = wParam;
      return 0;
    case WM_ACTIVATE:
      g_activations.emplace_back(LOWORD(wParam), lParam);
      return DefWindowProcW(window, message, wParam, lParam);
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

// Pumps with the backend's idle turns until `done` or a few seconds pass.
template <typename Done>
bool PumpUntil(Done done) {
  auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (std::chrono::steady_clock::now() < until) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    if (done()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return false;
}

std::string g_geometry;
std::string g_before;

// Whether an activation of `state` with lParam 0 came after `from`.
bool ActivatedFromOutside(size_t from, WORD state) {
  for (size_t i = from; i < g_activations.size(); ++i)
    if (g_activations[i].first == state && g_activations[i].second == 0) return true;
  return false;
}

}  // namespace

TEST(SdlSmoke, ClickAndKeyThroughTheXServerArriveAsDeviceMessages) {
  Xvfb server;
  ASSERT_FALSE(server.display().empty()) << "Xvfb (Debian xvfb) did not start";
  setenv("DISPLAY", server.display().c_str(), 1);
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  setenv("SDL_VIDEODRIVER", "x11", 1);
  ASSERT_NE(RunCommand("command -v xdotool"), "") << "xdotool (Debian xdotool) is missing";

  KeepX11LibrariesLoaded();
  auto backend = devbackend::MakeSdlBackend();
  bool started = false;
  int result = devbackend::RunProgram(
      *backend,
      [](void*) -> int {
        WNDCLASSW wc{};
        wc.lpfnWndProc = Procedure;
        wc.lpszClassName = u"SdlSmoke";
        RegisterClassW(&wc);
        // No device window shown yet: no desktop window either.
        PumpUntil([] { return true; });
        g_before = RunCommand("xdotool search --name '^tessalyn$' | head -n 1");
        HWND window = CreateWindowExW(0, u"SdlSmoke", u"Smoke Reader", WS_VISIBLE, CW_USEDEFAULT, CW_USEDEFAULT,
                                      CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, nullptr, nullptr);
        if (window == nullptr || !PumpUntil([] { return g_painted; })) return 1;
        std::string id = RunCommand("xdotool search --sync --name '^Smoke Reader$' | head -n 1");
        if (id.empty()) return 2;
        PumpUntil([] { return true; });
        g_geometry = RunCommand("xdotool getwindowgeometry --shell " + id + " | grep -E 'WIDTH|HEIGHT' | tr '\\n' ' '");
        RunCommand("xdotool mousemove --window " + id + " 50 100 click 1");
        if (!PumpUntil([] { return g_tap.x >= 0; })) return 3;
        RunCommand("xdotool windowfocus --sync " + id + " key Return");
        if (!PumpUntil([] { return g_key != 0; })) return 4;
        size_t seen = g_activations.size();
        std::string root = RunCommand("xdotool search --maxdepth 0 --name '' | head -n 1");
        RunCommand("xdotool windowfocus " + root);
        if (!PumpUntil([seen] { return ActivatedFromOutside(seen, WA_INACTIVE); })) return 5;
        seen = g_activations.size();
        RunCommand("xdotool windowfocus --sync " + id);
        if (!PumpUntil([seen] { return ActivatedFromOutside(seen, WA_ACTIVE); })) return 6;
        DestroyWindow(window);
        return 0;
      },
      nullptr, &started);
  ASSERT_TRUE(started) << "the SDL backend did not start on " << server.display();
  EXPECT_EQ(result, 0);
  EXPECT_EQ(g_before, "");
  EXPECT_NE(g_geometry.find("WIDTH=240"), std::string::npos) << g_geometry;
  EXPECT_NE(g_geometry.find("HEIGHT=320"), std::string::npos) << g_geometry;
  // The window's client area starts below the 26-pixel navigation bar.
  EXPECT_EQ(g_tap.x, 50);
  EXPECT_EQ(g_tap.y, 100 - 26);
  EXPECT_EQ(g_key, static_cast<WPARAM>(VK_RETURN));
}

#endif  // TESSALYN_SDL_SMOKE_TEST

// The headless backend: an input file read into commands, and a program run
// over it that receives the taps and keys, writes its screenshots and is
// closed at the end of the input.
#include <gtest/gtest.h>

#include <stdlib.h>
#include <unistd.h>

#include <fstream>
#include <string>
#include <vector>

#include "platform/backends/backend.h"
#include "platform/backends/headless/input_script.h"
#include "platform/input/virtual_keys.h"
#include "platform/windows/message_queue.h"
#include "platform/windows/windows.h"

namespace {

using devbackend::InputCommand;

TEST(HeadlessInput, ScriptLinesBecomeCommandsAndBadLinesAreReported) {
  std::vector<std::string> errors;
  auto commands = devbackend::ParseInputScript(
      "# start\nkey down\nkey APP2\ntap 10 20\ndrag 0 0 100 50 4\nwait 250\nshot /tmp/a.png\n\nkey nosuch\n"
      "tap 1\nquit\n",
      &errors);
  ASSERT_EQ(commands.size(), 7u);
  EXPECT_EQ(commands[0].key, VK_DOWN);
  EXPECT_EQ(commands[1].key, 0xC2u);
  EXPECT_EQ(commands[2].kind, InputCommand::Kind::Tap);
  EXPECT_EQ(commands[2].y1, 20);
  EXPECT_EQ(commands[3].steps, 4);
  EXPECT_EQ(commands[3].x2, 100);
  EXPECT_EQ(commands[4].waitMs, 250u);
  EXPECT_EQ(commands[5].file, "/tmp/a.png");
  EXPECT_EQ(commands[6].kind, InputCommand::Kind::Quit);
  ASSERT_EQ(errors.size(), 2u);
  EXPECT_NE(errors[0].find("line 9"), std::string::npos);
  EXPECT_EQ(devbackend::KeyByName("f3"), VK_F3);
  EXPECT_EQ(devbackend::KeyByName("q"), static_cast<UINT>('Q'));
  EXPECT_EQ(devbackend::KeyByName("0x26"), VK_UP);
}

std::vector<UINT> g_received;

LRESULT Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_LBUTTONDOWN || message == WM_LBUTTONUP || message == WM_KEYDOWN || message == WM_CLOSE)
    g_received.push_back(message);
  if (message == WM_DESTROY) PostQuitMessage(7);
  return DefWindowProcW(window, message, wParam, lParam);
}

int ProgramMain(void*) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = Procedure;
  wc.lpszClassName = u"HeadlessMain";
  RegisterClassW(&wc);
  CreateWindowExW(0, u"HeadlessMain", u"", WS_VISIBLE, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                  nullptr, nullptr, nullptr, nullptr);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return static_cast<int>(msg.wParam);
}

TEST(HeadlessInput, AProgramRunsOverTheInputAndIsClosedAtItsEnd) {
  char folder[] = "/tmp/headlessXXXXXX";
  ASSERT_NE(mkdtemp(folder), nullptr);
  std::string dir = folder;
  std::ofstream(dir + "/input.txt") << "tap 100 100\nkey return\nshot " << dir << "/middle.png\n";
  setenv("TESSALYN_INPUT", (dir + "/input.txt").c_str(), 1);
  setenv("TESSALYN_SCREENSHOT", (dir + "/end.png").c_str(), 1);
  g_received.clear();
  auto backend = devbackend::MakeHeadlessBackend();
  int result = devbackend::RunProgram(*backend, ProgramMain, nullptr);
  unsetenv("TESSALYN_INPUT");
  unsetenv("TESSALYN_SCREENSHOT");
  EXPECT_EQ(result, 7);
  EXPECT_EQ(g_received, (std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONUP, WM_KEYDOWN, WM_CLOSE}));
  EXPECT_EQ(access((dir + "/middle.png").c_str(), R_OK), 0);
  EXPECT_EQ(access((dir + "/end.png").c_str(), R_OK), 0);
  unlink((dir + "/middle.png").c_str());
  unlink((dir + "/end.png").c_str());
  unlink((dir + "/input.txt").c_str());
  rmdir(folder);
}

}  // namespace

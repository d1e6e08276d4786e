// The application frame of the tests: environment, preferences, a
// controller, a recording view and the main window with its procedure.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "app/controller/application_controller.h"
#include "app/environment/app_environment.h"
#include "app/preferences/preferences.h"
#include "app/window/app_window.h"
#include "platform/clipboard/clipboard.h"
#include "platform/controls/control_classes.h"
#include "platform/testing/windows.h"
#include "platform/windows/message_queue.h"
#include "platform/windows/messages.h"
#include "platform/windows/windows.h"
#include "tests/support/fake_frame_view.h"

namespace apptest {

class FrameFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    EncodedString folder;
    folder.FromWide(u"\\Program Files\\tessalyn");
    environment = std::make_unique<AppEnvironment>(folder, nullptr);
    controller = std::make_unique<ApplicationController>(environment.get());
    preferences.SetEnvironment(environment.get());
    preferences.SetHost(controller.get());
    preferences.Load(true);
    controller->SetPreferences(&preferences);
    controller->SetDocumentView(&view);
    controller->SetCommandListener(&listener);
    frame.controller = controller.get();
    frame.preferences = &preferences;
    frame.view = &view;
    InitCommonControls();  // the pages' list views, as the program's start does
    ASSERT_TRUE(RegisterMainWindowClass(nullptr));
    wrapper = new AppWindow(&frame);
    ASSERT_TRUE(wrapper->Create(nullptr, u"Corvelline Reader", true, false, nullptr));
    window = wrapper->window();
    devtest::PumpMessages();
    view.calls.clear();
  }
  void TearDown() override {
    if (window != nullptr && IsWindow(window)) SendMessageW(window, WM_CLOSE, 0, 0);
    devtest::PumpMessages();
    // The clipboard keeps its last block to the end of the process.
    if (OpenClipboard(nullptr)) {
      EmptyClipboard();
      CloseClipboard();
    }
  }

  std::unique_ptr<AppEnvironment> environment;
  std::unique_ptr<ApplicationController> controller;
  Preferences preferences;
  testbuild::FakeFrameView view;
  testbuild::RecordingCommandListener listener;
  AppFrame frame;
  AppWindow* wrapper = nullptr;  // the window's own: deleted by its close handling
  HWND window = nullptr;
};

}  // namespace apptest

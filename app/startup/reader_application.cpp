// ReaderApplication: single instance, start, the message loop and the
// order of shut-down.
#include "app/startup/reader_application.h"

#include <new>

#include "app/controller/application_controller.h"
#include "app/startup/command_line.h"
#include "platform/launch/launch.h"
#include "platform/windows/message_queue.h"
#include "platform/windows/windows.h"

ReaderApplication::ReaderApplication(FrameWindowSet* windowSet) : windowSet_(windowSet) {}

ReaderApplication::~ReaderApplication() {
  if (windowSet_ != nullptr) {
    windowSet_->Close();
    delete windowSet_;
  }
  PostQuitMessage(0);
}

bool ReaderApplication::Init(bool noParent) {
  if (windowSet_ == nullptr || !windowSet_->Open(noParent)) return false;
  if (!windowSet_->CreateLoader()) return false;
  set_frame(windowSet_->MainFrame());
  if (frame() == nullptr) return false;
  if (frame()->controller != nullptr) frame()->controller->SetCommandListener(this);
  windowSet_->InstallEventSink(this, 0);
  set_style(WS_VISIBLE);
  return RegisterMainWindowClass(instance_);
}

int ReaderApplication::Run(HINSTANCE instance, const EncodedString& commandLine, HWND parent) {
  instance_ = instance;
  EncodedString line;
  line.Assign(commandLine);
  line.SelectAll();
  HWND running = FindWindowW(kMainWindowClass, nullptr);
  if (running != nullptr) {
    if (line.IsEmpty()) {
      SetForegroundWindow(running);
      return kRunOtherInstanceShown;
    }
    // The running instance saves and closes before this one goes on; one
    // that does not answer in time keeps the settings file to itself.
    DWORD_PTR answer = 0;
    if (SendMessageTimeoutW(running, WM_CLOSE, 0, 0, SMTO_NORMAL, kCloseRunningInstanceTimeoutMs, &answer) == 0) {
      return kRunFailed;
    }
  }
  switch (MatchStartSwitch(line)) {
    case StartSwitch::kQuit:
      return kRunQuitHandled;
    case StartSwitch::kRestart:
      line.Clear();
      break;
    case StartSwitch::kNone:
      break;
  }
  if (!Init(true)) return kRunFailed;
  if (!Create(nullptr, u"Corvelline Reader", true, false, parent)) return kRunFailed;
  OpenFirstPage(line, false, false);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return kRunEnded;
}

void ReaderApplication::OnClose() {
  AppWindow::OnClose();
  // The frame is gone before anything of it is destroyed, so that
  // children notifying the window meanwhile find none.
  set_frame(nullptr);
  if (windowSet_ != nullptr) {
    windowSet_->DestroyMainFrame();
    windowSet_->Close();
    delete windowSet_;
    windowSet_ = nullptr;
  }
}

void ReaderApplication::AfterCommand(uint32_t command) {
  if (command == 112) RefreshAudioBar();
}

void ReaderApplication::RefreshAudioBar() {
  if (frame() == nullptr || frame()->controller == nullptr) return;
  frame()->controller->audioBar().Refresh();
}

void ReaderApplication::SaveCurrentReadingState() {
  if (frame() == nullptr || frame()->controller == nullptr) return;
  AppFrameView* view = frame()->controller->GetDocumentView();
  if (view != nullptr) view->SaveViewState();
}

intptr_t ReaderApplication::AskValue(BrowserView*, int32_t, int32_t value) {
  if (value == 112) RefreshAudioBar();
  return 0;
}

int ReaderMain(HINSTANCE instance, FrameWindowSet* (*makeWindowSet)(), int* lastResult) {
  EncodedString line;
  ReadCommandLine(GetCommandLineW(), &line);
  FrameWindowSet* set = makeWindowSet != nullptr ? makeWindowSet() : nullptr;
  auto* application = new (std::nothrow) ReaderApplication(set);
  if (application == nullptr) {
    delete set;
    if (lastResult != nullptr) *lastResult = kRunFailed;
    return 0;
  }
  const int result = application->Run(instance, line, nullptr);
  if (lastResult != nullptr) *lastResult = result;
  // A loop that ended normally has already deleted the application.
  if (result != kRunEnded) delete application;
  return 0;
}

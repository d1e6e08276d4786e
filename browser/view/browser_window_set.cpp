// The window set: opening in two steps, the window list, and closing in
// the order that lets every object still reach what it uses as it goes.
#include "browser/view/browser_window_set.h"

#include "browser/host/view_environment.h"
#include "browser/host/window_set_services.h"
#include "browser/loader/document_loader.h"
#include "browser/view/browser_view.h"
#include "foundation/files/temp_files.h"
#include "platform/memory/allocator.h"
#include "script/values/value_store.h"
#include "storage/documents/document_host.h"
#include "storage/settings/global_settings_file.h"

namespace {

constexpr WCHAR kMainPrefix[] = u"main";
constexpr WCHAR kBlankPrefix[] = u"wnd";
constexpr WCHAR kBlankTarget[] = u"_blank";

bool IsBlankTarget(const SharedWideString& target) {
  return target.Compare(kBlankTarget, 6, false) == 0;
}

}  // namespace

BrowserWindowSet::BrowserWindowSet(WindowSetServices* services) : services_(services) { windows.Init(); }

BrowserWindowSet::~BrowserWindowSet() {
  Close();
  windows.Free();
}

bool BrowserWindowSet::CreateEnvironment() {
  environment = services_->CreateEnvironment();
  return environment == nullptr;
}

void BrowserWindowSet::DeleteEnvironment() {
  delete environment;
  environment = nullptr;
}

int BrowserWindowSet::Open(bool withStorage) {
  DeleteTempFiles();
  if (CreateEnvironment()) return 1;
  if (withStorage) {
    formLog = services_->OpenFormLog(environment);
    settingsFile = DeviceNew<GlobalSettingsFile>();
    if (settingsFile == nullptr) return 1;
    // A file that cannot be written still starts the reader, read-only.
    SettingsEnvironment* path = environment->ForSettings();
    if (settingsFile->OpenInDataFolder(path, false) != RecordResult::kOk &&
        settingsFile->OpenInDataFolder(path, true) != RecordResult::kOk) {
      return 1;
    }
  }
  valueStore = DeviceNew<ScriptValueStore>();
  if (valueStore == nullptr) return 1;
  auto* window = DeviceNew<BrowserWindow>(this);
  if (window == nullptr) return 1;
  // Listed before anything else can fail, so that Close frees it.
  if (windows.Append(window) < 0) {
    delete window;
    return 1;
  }
  mainWindow = window;
  if (!NameWindow(window, kMainPrefix, 4)) return 1;
  return window->CreateSettings();
}

int BrowserWindowSet::CreateLoader(const void* windowParameters) {
  loader = DeviceNew<DocumentLoader>();
  WindowController* controller = mainWindow != nullptr ? mainWindow->controller : nullptr;
  if (controller != nullptr) documentHost = DeviceNew<DocumentHost>(controller->ForDocuments());
  if (loader == nullptr || controller == nullptr || documentHost == nullptr) return 1;
  ScriptPageServices scripts;
  scripts.valueStore = valueStore;
  scripts.environment = environment->ForViews();
  if (!loader->Bind(documentHost, environment->ForViews(), services_->Catalogue(), scripts)) return 1;
  // Cart pages come with the page elements' cart maker; the settings file
  // is all the loader can be given until then.
  loader->BindCartPages(nullptr, settingsFile, nullptr);
  return mainWindow->CreateView(windowParameters);
}

void BrowserWindowSet::Close() {
  if (mainWindow != nullptr) {
    BrowserWindow* window = mainWindow;
    window->Destroy();
    delete window;
    mainWindow = nullptr;
  }
  // Destroy takes each window out of the list, so the first is always the
  // next one.
  while (windows.Count() != 0) {
    BrowserWindow* window = windows[0];
    window->Destroy();
    // A window that was never registered under this set stays listed.
    if (windows.Count() != 0 && windows[0] == window) RemoveWindow(window);
    delete window;
  }
  windows.Clear();
  delete loader;
  loader = nullptr;
  delete documentHost;
  documentHost = nullptr;
  delete valueStore;
  valueStore = nullptr;
  delete settingsFile;
  settingsFile = nullptr;
  if (formLog != nullptr) services_->CloseFormLog(formLog);
  formLog = nullptr;
  DeleteEnvironment();
}

void BrowserWindowSet::AddWindow(BrowserWindow* window) {
  for (uint32_t i = 0; i < windows.Count(); ++i) {
    if (windows[i] == window) return;
  }
  windows.Append(window);
}

void BrowserWindowSet::RemoveWindow(BrowserWindow* window) {
  const uint32_t count = windows.Count();
  for (uint32_t i = 0; i < count; ++i) {
    if (windows[i] != window) continue;
    for (uint32_t j = i + 1; j < count; ++j) windows[j - 1] = windows[j];
    windows.count = count - 1;
    if (mainWindow == window) mainWindow = nullptr;
    return;
  }
}

BrowserView* BrowserWindowSet::FindWindowView(const SharedWideString& name) const {
  for (uint32_t i = 0; i < windows.Count(); ++i) {
    const SharedWideString& candidate = windows[i]->name;
    if (candidate.length == name.length && candidate.CompareTo(name) == 0) return windows[i]->view;
  }
  return nullptr;
}

bool BrowserWindowSet::NameWindow(BrowserWindow* window, const WCHAR* prefix, uint32_t prefixLength) {
  window->name.Clear();
  return window->name.FromChars(prefix, prefixLength) && window->name.AppendUnsigned(nextIdentity_++, 16);
}

BrowserWindow* BrowserWindowSet::OpenTargetWindow(const SharedWideString& target, const Rect& rect,
                                                  const SharedWideString* title, bool layoutOnResize,
                                                  bool topmost) {
  auto* window = DeviceNew<BrowserWindow>(this);
  if (window == nullptr) return nullptr;
  bool made = window->CreateSettings() == 0 && window->CreateView(nullptr) == 0;
  if (made) {
    if (IsBlankTarget(target)) {
      made = NameWindow(window, kBlankPrefix, 3);
    } else {
      window->name.Assign(target);
      made = window->name.length == target.length;
    }
  }
  if (made) {
    made = services_->CreateTargetFrame(window, rect, title, layoutOnResize, topmost);
    window->hasTargetFrame = made;
  }
  if (!made) {
    window->Destroy();
    delete window;
    return nullptr;
  }
  if (title == nullptr) services_->SetTargetFrameTitle(window);
  return window;
}

BrowserWindow* BrowserWindowSet::TargetWindows::OpenTargetWindow(const SharedWideString& target, const Rect& rect,
                                                                 int32_t, int32_t) {
  // The view passes no title: the new window takes its view's.
  return set_->OpenTargetWindow(target, rect, nullptr, false, false);
}

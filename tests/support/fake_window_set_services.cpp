#include "tests/support/fake_window_set_services.h"

#include "browser/view/browser_window_set.h"
#include "foundation/files/folders.h"
#include "platform/memory/allocator.h"
#include "platform/windows/windows.h"
#include "storage/settings/global_settings_file.h"

namespace {

constexpr WCHAR kDataFolder[] = u"\\Data";

}  // namespace

std::string JournalName(const BrowserWindow* window) {
  if (window == nullptr || window->name.IsEmpty()) return "?";
  std::string name;
  for (uint32_t i = 0; i < window->name.length; ++i) name += static_cast<char>(window->name.Chars()[i]);
  return name;
}

FakeWindowSetServices::FakeWindowSetServices() = default;
FakeWindowSetServices::~FakeWindowSetServices() = default;

std::vector<std::string> FakeWindowSetServices::Entries(const std::string& prefix) const {
  std::vector<std::string> found;
  for (const std::string& entry : journal) {
    if (entry.compare(0, prefix.size(), prefix) == 0) found.push_back(entry);
  }
  return found;
}

WindowSetEnvironment* FakeWindowSetServices::CreateEnvironment() {
  Log("environment");
  if (Fails("environment")) return nullptr;
  if (makeDataFolder) {
    EncodedString folder;
    folder.FromWide(kDataFolder);
    if (!PathExists(folder)) CreateFolder(folder);
  }
  return DeviceNew<FakeSetEnvironment>(this);
}

FakeSetEnvironment::~FakeSetEnvironment() { services_->Log("environment deleted"); }

bool FakeSetEnvironment::GetGlobalConfigurationPath(EncodedString* path) {
  std::u16string text = kDataFolder;
  text += u"\\";
  text += kGlobalConfigurationFileName;
  return path->FromWide(reinterpret_cast<const WCHAR*>(text.c_str()));
}

OfflineFormLog* FakeWindowSetServices::OpenFormLog(WindowSetEnvironment*) {
  Log("form log");
  if (Fails("form log")) return nullptr;
  return MakeFakeFormLog();
}

void FakeWindowSetServices::CloseFormLog(OfflineFormLog* formLog) {
  Log("form log closed");
  DeleteFakeFormLog(formLog);
}

WindowController* FakeWindowSetServices::CreateController(BrowserWindow* window) {
  Log("controller " + JournalName(window));
  if (Fails("controller")) return nullptr;
  return DeviceNew<FakeWindowController>(this, window);
}

FakeWindowController::~FakeWindowController() { services_->Log("controller deleted " + JournalName(window_)); }

void FakeWindowController::SetEnvironment(WindowSetEnvironment* environment, GlobalSettingsFile* file) {
  setEnvironment = environment;
  settingsFile = file;
}

void FakeWindowController::Wire(const WindowWiring& given) {
  wiring = given;
  services_->Log(std::string(given.view != nullptr ? "wire " : "unwire ") + JournalName(window_));
}

WindowPreferences* FakeWindowSetServices::CreatePreferences(WindowController* controller, WindowSetEnvironment*,
                                                            GlobalSettingsFile* settingsFile) {
  Log("preferences");
  if (Fails("preferences")) return nullptr;
  return DeviceNew<FakeWindowPreferences>(this, static_cast<FakeWindowController*>(controller), settingsFile);
}

FakeWindowPreferences::~FakeWindowPreferences() { services_->Log("preferences deleted"); }

bool FakeWindowPreferences::Load() {
  services_->Log(settingsFile_ != nullptr ? "load from file" : "load defaults");
  return !services_->Fails("load");
}

bool FakeWindowPreferences::Save() {
  // Saving reads the controller it was given, if it still has one.
  if (controller_ != nullptr) ++controller_->saves;
  services_->Log(settingsFile_ != nullptr ? "save to file" : "save nowhere");
  return true;
}

DrawingSurface* FakeWindowSetServices::CreateSurface(BrowserWindow* window, WindowController*) {
  Log("surface " + JournalName(window));
  if (Fails("surface")) return nullptr;
  auto* surface = DeviceNew<FakeWindowSurface>(this, JournalName(window));
  if (surface == nullptr) return nullptr;
  // A real window of the headless device, owned by the surface.
  if (!surface->CreateSurfaceWindow(true, nullptr, Rect{0, 0, 120, 160}, false)) {
    delete surface;
    return nullptr;
  }
  return surface;
}

bool FakeWindowSetServices::CreateTargetFrame(BrowserWindow* window, const Rect& rect, const SharedWideString* title,
                                              bool layoutOnResize, bool topmost) {
  Log("target frame " + JournalName(window) + (title != nullptr ? " titled" : "") + (layoutOnResize ? " layout" : "") +
      (topmost ? " topmost" : ""));
  if (Fails("target frame")) return false;
  window->SetWindowRect(rect);
  return true;
}

void FakeWindowSetServices::SetTargetFrameTitle(BrowserWindow* window) { Log("title " + JournalName(window)); }

void FakeWindowSetServices::DestroyTargetFrame(BrowserWindow* window) {
  Log("target frame destroyed " + JournalName(window));
}

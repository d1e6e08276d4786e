// FakeWindowSetServices: the application's side of the browser window set,
// for tests. It records every call in one journal ("environment",
// "controller main1", "wire main1", "preferences load", "surface deleted
// main1", ...), makes every object through the device allocator (so that an
// injected allocation failure reaches it), and gives each window a real
// headless pop-up window for its drawing surface, so that rectangles and
// painting are observable. A test makes a step fail by naming it in
// `failing` ("environment", "controller", "preferences", "load", "surface",
// "target frame").
#pragma once

#include <set>
#include <string>
#include <vector>

#include "browser/host/window_set_services.h"
#include "layout/drawing/drawing_surface.h"
#include "storage/records/settings_environment.h"
#include "tests/support/fake_view_application.h"
#include "tests/support/view_harness.h"

class FakeWindowSetServices final : public WindowSetServices {
 public:
  FakeWindowSetServices();
  ~FakeWindowSetServices();

  std::vector<std::string> journal;
  std::set<std::string> failing;
  // Whether the environment's data folder exists (the settings file goes
  // there).
  bool makeDataFolder = true;
  // The journal's entries that begin with `prefix`.
  std::vector<std::string> Entries(const std::string& prefix) const;

  WindowSetEnvironment* CreateEnvironment() override;
  OfflineFormLog* OpenFormLog(WindowSetEnvironment* environment) override;
  void CloseFormLog(OfflineFormLog* formLog) override;
  LibraryCatalogue* Catalogue() override { return nullptr; }
  WindowController* CreateController(BrowserWindow* window) override;
  WindowPreferences* CreatePreferences(WindowController* controller, WindowSetEnvironment* environment,
                                       GlobalSettingsFile* settingsFile) override;
  DrawingSurface* CreateSurface(BrowserWindow* window, WindowController* controller) override;
  bool CreateTargetFrame(BrowserWindow* window, const Rect& rect, const SharedWideString* title, bool layoutOnResize,
                         bool topmost) override;
  void SetTargetFrameTitle(BrowserWindow* window) override;
  void DestroyTargetFrame(BrowserWindow* window) override;

  bool Fails(const char* step) const { return failing.count(step) != 0; }
  void Log(const std::string& entry) { journal.push_back(entry); }
  HarnessFontTable fonts;
};

// The name of a window as the journal writes it ("?" before it has one).
std::string JournalName(const BrowserWindow* window);

class FakeSetEnvironment final : public WindowSetEnvironment, public SettingsEnvironment {
 public:
  explicit FakeSetEnvironment(FakeWindowSetServices* services) : services_(services) {}
  ~FakeSetEnvironment() override;
  ViewEnvironment* ForViews() override { return &view; }
  SettingsEnvironment* ForSettings() override { return this; }
  bool GetGlobalConfigurationPath(EncodedString* path) override;
  FakeViewEnvironment view;

 private:
  FakeWindowSetServices* services_;
};

class FakeWindowController final : public WindowController {
 public:
  FakeWindowController(FakeWindowSetServices* services, BrowserWindow* window)
      : services_(services), window_(window), application(&environment) {}
  ~FakeWindowController() override;
  ViewApplication* ForViews() override { return &application; }
  DocumentHostApplication* ForDocuments() override { return &application; }
  void SetEnvironment(WindowSetEnvironment* environment, GlobalSettingsFile* settingsFile) override;
  void Wire(const WindowWiring& wiring) override;

  WindowWiring wiring;
  WindowSetEnvironment* setEnvironment = nullptr;
  GlobalSettingsFile* settingsFile = nullptr;
  // Read by the preferences as they save: a freed controller shows under
  // the sanitizers.
  int32_t saves = 0;

 private:
  FakeWindowSetServices* services_;
  BrowserWindow* window_;
  FakeViewEnvironment environment;

 public:
  FakeViewApplication application;
};

class FakeWindowPreferences final : public WindowPreferences {
 public:
  FakeWindowPreferences(FakeWindowSetServices* services, FakeWindowController* controller,
                        GlobalSettingsFile* settingsFile)
      : services_(services), controller_(controller), settingsFile_(settingsFile) {}
  ~FakeWindowPreferences() override;
  ViewPreferences* ForViews() override { return &view; }
  bool Load() override;
  bool Save() override;
  void ForgetController() override { controller_ = nullptr; }
  bool ClearType() override { return true; }
  FakeViewPreferences view;

 private:
  FakeWindowSetServices* services_;
  FakeWindowController* controller_;
  GlobalSettingsFile* settingsFile_;
};

// A form log that keeps nothing (fake_form_log.cpp: the pager's form log
// shares its class name with the cart pages' and may not meet the
// loader's headers in one file).
OfflineFormLog* MakeFakeFormLog();
void DeleteFakeFormLog(OfflineFormLog* formLog);

// A surface that says in the journal when it goes.
class FakeWindowSurface final : public DrawingSurface {
 public:
  FakeWindowSurface(FakeWindowSetServices* services, const std::string& name)
      : DrawingSurface(&services->fonts), services_(services), name_(name) {}
  ~FakeWindowSurface() override { services_->Log("surface deleted " + name_); }

 private:
  FakeWindowSetServices* services_;
  std::string name_;
};

// The application's objects of a browser window set as the set knows them
// (browser/host/window_set_services.h): the environment record with the
// links through which the browser and the settings file reach it, a
// window's controller with the reading view the window's frame drives and
// the sound player behind its sound list, and a window's preferences.
#pragma once

#include "app/controller/application_controller.h"
#include "app/controller/controller_view_link.h"
#include "app/environment/app_environment.h"
#include "app/environment/environment_view_link.h"
#include "app/frame/app_frame.h"
#include "app/preferences/preferences.h"
#include "app/preferences/preferences_view_link.h"
#include "browser/host/window_set_services.h"
#include "storage/records/settings_environment.h"

class AudioPlayer;
class AudioPlayerSound;
class BookFolderCatalogue;
class DocumentFrameView;
class LoaderSoundOpener;

class AppSetEnvironment final : public WindowSetEnvironment, public SettingsEnvironment {
 public:
  explicit AppSetEnvironment(const EncodedString& programFolder)
      : environment_(programFolder, nullptr), viewLink_(&environment_) {}
  ViewEnvironment* ForViews() override { return &viewLink_; }
  SettingsEnvironment* ForSettings() override { return this; }
  bool GetGlobalConfigurationPath(EncodedString* path) override {
    return environment_.GetGlobalConfigurationPath(path);
  }
  const AppEnvironment* environment() const { return &environment_; }
  EnvironmentViewLink* viewLink() { return &viewLink_; }

 private:
  AppEnvironment environment_;
  EnvironmentViewLink viewLink_;
};

class AppWindowController final : public WindowController {
 public:
  // The catalogue and the storage events are the set's (may be null).
  AppWindowController(AppSetEnvironment* environment, BookFolderCatalogue* catalogue, StorageEventSink* storageEvents);
  ~AppWindowController() override;

  ViewApplication* ForViews() override { return &link_; }
  DocumentHostApplication* ForDocuments() override { return &link_; }
  void SetEnvironment(WindowSetEnvironment*, GlobalSettingsFile*) override {}
  void Wire(const WindowWiring& wiring) override;

  ApplicationController* controller() { return &controller_; }
  // The frame the window drives; null until the view is wired.
  AppFrame* frame() { return frame_.view != nullptr ? &frame_ : nullptr; }
  AudioPlayer* player() const { return player_; }

 private:
  void Unwire();

  ApplicationController controller_;
  ControllerViewLink link_;
  BookFolderCatalogue* catalogue_;
  StorageEventSink* storageEvents_;
  DocumentFrameView* frameView_ = nullptr;
  AppFrame frame_;
  LoaderSoundOpener* soundOpener_ = nullptr;
  // The device's audio player behind the controller's sound list; its
  // events reach the controller's queue.
  AudioPlayer* player_ = nullptr;
  AudioPlayerSound* sound_ = nullptr;
};

class AppWindowPreferences final : public WindowPreferences {
 public:
  AppWindowPreferences(ApplicationController* controller, const AppEnvironment* environment,
                       GlobalSettingsFile* settingsFile);
  ViewPreferences* ForViews() override { return &link_; }
  // Without a settings file the built-in defaults alone.
  bool Load() override { return preferences_.Load(!hasSettingsFile_); }
  bool Save() override { return preferences_.Save(); }
  void ForgetController() override { preferences_.SetHost(nullptr); }
  bool ClearType() override { return preferences_.clearType != 0; }
  Preferences* preferences() { return &preferences_; }

 private:
  Preferences preferences_;
  PreferencesViewLink link_;
  bool hasSettingsFile_;
};

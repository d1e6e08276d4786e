// The window set of the program until the browser's exists: it makes the
// environment, opens the global settings file (read-only when it cannot be
// written), loads the preferences, and makes the main frame's controller
// and stand-in view, and the stand-in catalogue the library page lists
// and the storage events reach; at shut-down it clears the open-view flag, saves the
// preferences and closes the file.
#pragma once

#include "app/frame/app_frame.h"

class AppEnvironment;
class ApplicationController;
class GlobalSettingsFile;
class Preferences;
class StandInView;
class BookFolderCatalogue;
class CatalogueStorageEvents;
class EnvironmentSettingsPath;

class StandInWindowSet : public FrameWindowSet {
 public:
  StandInWindowSet() = default;
  ~StandInWindowSet() override;

  bool Open(bool noParent) override;
  bool CreateLoader() override { return true; }
  AppFrame* MainFrame() override { return frameMade_ ? &frame_ : nullptr; }
  void DestroyMainFrame() override;
  void Close() override;

  GlobalSettingsFile* settingsFile() const { return settings_; }

 protected:
  // The main frame's view, made once the controller and preferences exist
  // and freed with the frame; the stand-in view unless overridden.
  virtual AppFrameView* MakeView();
  virtual void DeleteView(AppFrameView* view);
  // What the library page lists and the storage events reach.
  BookFolderCatalogue* catalogue() const { return catalogue_; }
  const AppEnvironment* environment() const { return environment_; }
  ApplicationController* controller() const { return controller_; }
  Preferences* preferences() const { return preferences_; }

 private:
  AppEnvironment* environment_ = nullptr;
  EnvironmentSettingsPath* settingsPath_ = nullptr;
  GlobalSettingsFile* settings_ = nullptr;
  Preferences* preferences_ = nullptr;
  ApplicationController* controller_ = nullptr;
  AppFrameView* view_ = nullptr;
  BookFolderCatalogue* catalogue_ = nullptr;
  CatalogueStorageEvents* storageEvents_ = nullptr;
  AppFrame frame_;
  bool frameMade_ = false;
};

FrameWindowSet* MakeStandInWindowSet();

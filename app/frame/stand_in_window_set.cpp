// The stand-in window set: environment, settings file, preferences, the
// main frame, and their order of closing.
#include "app/frame/stand_in_window_set.h"

#include <new>

#include "app/controller/application_controller.h"
#include "app/environment/app_environment.h"
#include "app/frame/catalogue_storage_events.h"
#include "app/frame/stand_in_view.h"
#include "app/pages/book_folder_catalogue.h"
#include "app/preferences/preferences.h"
#include "foundation/files/folders.h"
#include "storage/records/settings_environment.h"
#include "storage/settings/global_settings_file.h"

class EnvironmentSettingsPath final : public SettingsEnvironment {
 public:
  explicit EnvironmentSettingsPath(const AppEnvironment* environment) : environment_(environment) {}
  bool GetGlobalConfigurationPath(EncodedString* path) override {
    return environment_->GetGlobalConfigurationPath(path);
  }

 private:
  const AppEnvironment* environment_;
};

StandInWindowSet::~StandInWindowSet() {
  DestroyMainFrame();
  Close();
}

bool StandInWindowSet::Open(bool) {
  EncodedString programFolder;
  GetProgramFolder(&programFolder);
  environment_ = new (std::nothrow) AppEnvironment(programFolder, nullptr);
  if (environment_ == nullptr) return false;
  // A fresh device may lack the data folder; the settings file goes there.
  if (!PathExists(environment_->dataFolder())) CreateFolder(environment_->dataFolder());
  DeleteGeneratedPages(environment_->dataFolder());
  settingsPath_ = new (std::nothrow) EnvironmentSettingsPath(environment_);
  settings_ = new (std::nothrow) GlobalSettingsFile;
  if (settingsPath_ == nullptr || settings_ == nullptr) return false;
  if (settings_->OpenInDataFolder(settingsPath_, false) != RecordResult::kOk &&
      settings_->OpenInDataFolder(settingsPath_, true) != RecordResult::kOk) {
    return false;
  }
  controller_ = new (std::nothrow) ApplicationController(environment_);
  preferences_ = new (std::nothrow) Preferences;
  if (controller_ == nullptr || preferences_ == nullptr) return false;
  preferences_->SetEnvironment(environment_);
  preferences_->SetHost(controller_);
  preferences_->SetSettingsFile(settings_);
  if (!preferences_->Load(false)) return false;
  controller_->SetPreferences(preferences_);
  catalogue_ = new (std::nothrow) BookFolderCatalogue(environment_);
  if (catalogue_ == nullptr) return false;
  view_ = MakeView();
  if (view_ == nullptr) return false;
  controller_->SetDocumentView(view_);
  storageEvents_ = new (std::nothrow) CatalogueStorageEvents(catalogue_);
  if (storageEvents_ == nullptr) return false;
  controller_->SetCatalogue(catalogue_);
  settings_->SetFlag300(true);
  frame_.controller = controller_;
  frame_.preferences = preferences_;
  frame_.view = view_;
  frame_.loader = storageEvents_;
  frameMade_ = true;
  return true;
}

AppFrameView* StandInWindowSet::MakeView() { return new (std::nothrow) StandInView(controller_, preferences_); }

void StandInWindowSet::DeleteView(AppFrameView* view) { delete static_cast<StandInView*>(view); }

void StandInWindowSet::DestroyMainFrame() {
  if (frameMade_) {
    frameMade_ = false;
    // The document's reading state goes into its side file first.
    if (view_ != nullptr) view_->CloseDocument();
    if (settings_ != nullptr && settings_->IsOpen()) settings_->SetFlag300(false);
    if (preferences_ != nullptr) preferences_->Save();
  }
  if (controller_ != nullptr) controller_->SetDocumentView(nullptr);
  if (view_ != nullptr) DeleteView(view_);
  view_ = nullptr;
  delete preferences_;
  preferences_ = nullptr;
  delete controller_;
  controller_ = nullptr;
  frame_ = AppFrame{};
}

void StandInWindowSet::Close() {
  if (settings_ != nullptr) {
    settings_->Close();
    delete settings_;
    settings_ = nullptr;
  }
  delete storageEvents_;
  storageEvents_ = nullptr;
  delete catalogue_;
  catalogue_ = nullptr;
  delete settingsPath_;
  settingsPath_ = nullptr;
  delete environment_;
  environment_ = nullptr;
}

FrameWindowSet* MakeStandInWindowSet() { return new (std::nothrow) StandInWindowSet; }

// A window's controller and preferences as the browser window set makes
// and wires them.
#include "app/frame/window_records.h"

#include "app/controller/sound_list.h"
#include "app/controller/sound_player.h"
#include "app/frame/document_frame_view.h"
#include "app/pages/book_folder_catalogue.h"
#include "audio/player/audio_player.h"
#include "browser/view/browser_view.h"
#include "platform/memory/allocator.h"

AppWindowController::AppWindowController(AppSetEnvironment* environment, BookFolderCatalogue* catalogue,
                                         StorageEventSink* storageEvents)
    : controller_(environment->environment()),
      link_(&controller_, environment->viewLink()),
      catalogue_(catalogue),
      storageEvents_(storageEvents) {}

AppWindowController::~AppWindowController() { Unwire(); }

void AppWindowController::Wire(const WindowWiring& wiring) {
  Unwire();
  if (wiring.view == nullptr || wiring.surface == nullptr || wiring.display == nullptr) return;
  auto* preferences = static_cast<AppWindowPreferences*>(wiring.preferences);
  Preferences* settings = preferences != nullptr ? preferences->preferences() : nullptr;
  frameView_ = DeviceNew<DocumentFrameView>(&controller_, settings, wiring.view, wiring.surface, wiring.display);
  if (frameView_ == nullptr) return;
  link_.SetDocumentView(wiring.view);
  // The page scripts' timers run on the window's timer table, and their
  // errors reach the user through the controller.
  wiring.view->SetTimerTable(controller_.timerTable());
  wiring.view->SetScriptErrorSink(&link_);
  controller_.SetPreferences(settings);
  controller_.SetDocumentView(frameView_);
  if (catalogue_ != nullptr) controller_.SetCatalogue(catalogue_);
  if (wiring.loader != nullptr) {
    soundOpener_ = DeviceNew<LoaderSoundOpener>(wiring.loader);
    controller_.SetSoundOpener(soundOpener_);
  }
  player_ = DeviceNew<AudioPlayer>();
  if (player_ != nullptr) sound_ = DeviceNew<AudioPlayerSound>(player_, nullptr);
  if (sound_ != nullptr) {
    player_->SetListener(&controller_);
    controller_.SetSoundPlayer(sound_);
  }
  frame_.controller = &controller_;
  frame_.preferences = settings;
  frame_.view = frameView_;
  frame_.loader = storageEvents_;
}

void AppWindowController::Unwire() {
  // The player stops first: no event of the wave driver's thread reaches
  // the controller after this.
  controller_.SetSoundPlayer(nullptr);
  if (player_ != nullptr) {
    player_->ClearTrackList(true);
    player_->SetListener(nullptr);
  }
  delete sound_;
  sound_ = nullptr;
  delete player_;
  player_ = nullptr;
  controller_.SetSoundOpener(nullptr);
  delete soundOpener_;
  soundOpener_ = nullptr;
  controller_.SetDocumentView(nullptr);
  link_.SetDocumentView(nullptr);
  delete frameView_;
  frameView_ = nullptr;
  frame_ = AppFrame{};
}

AppWindowPreferences::AppWindowPreferences(ApplicationController* controller, const AppEnvironment* environment,
                                           GlobalSettingsFile* settingsFile)
    : link_(&preferences_), hasSettingsFile_(settingsFile != nullptr) {
  preferences_.SetEnvironment(environment);
  preferences_.SetHost(controller);
  preferences_.SetSettingsFile(settingsFile);
}

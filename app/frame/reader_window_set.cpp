// The program's window set over the browser's loader and document view.
#include "app/frame/reader_window_set.h"

#include <new>

#include "app/controller/application_controller.h"
#include "app/controller/sound_player.h"
#include "app/environment/environment_view_link.h"
#include "app/frame/document_frame_view.h"
#include "audio/player/audio_player.h"
#include "browser/loader/document_loader.h"
#include "storage/documents/document_host.h"

ReaderWindowSet::~ReaderWindowSet() {
  // Our view is freed by our DeleteView, which the base's destructor could
  // no longer reach.
  DestroyMainFrame();
  Close();
}

void ReaderWindowSet::Close() {
  delete loader_;
  loader_ = nullptr;
  delete host_;
  host_ = nullptr;
  delete environmentLink_;
  environmentLink_ = nullptr;
  StandInWindowSet::Close();
}

FrameView* ReaderWindowSet::MakeView() {
  if (loader_ == nullptr) {
    environmentLink_ = new (std::nothrow) EnvironmentViewLink(environment());
    loader_ = new (std::nothrow) DocumentLoader;
    host_ = new (std::nothrow) DocumentHost;
    if (environmentLink_ == nullptr || loader_ == nullptr || host_ == nullptr) return nullptr;
  }
  auto* view = new (std::nothrow) DocumentFrameView(controller(), preferences(), environmentLink_, loader_);
  if (view == nullptr) return nullptr;
  soundOpener_ = new (std::nothrow) LoaderSoundOpener(loader_);
  controller()->SetSoundOpener(soundOpener_);
  player_ = new (std::nothrow) AudioPlayer;
  if (player_ != nullptr) sound_ = new (std::nothrow) AudioPlayerSound(player_, nullptr);
  if (sound_ != nullptr) {
    player_->SetListener(controller());
    controller()->SetSoundPlayer(sound_);
  }
  host_->SetApplication(view->applicationLink());
  loader_->Bind(host_, environmentLink_, catalogue(), ScriptPageServices{});
  return view;
}

void ReaderWindowSet::DeleteView(FrameView* view) {
  // The player stops first: no event of the wave driver's thread reaches
  // the controller after this.
  if (controller() != nullptr) controller()->SetSoundPlayer(nullptr);
  if (player_ != nullptr) {
    player_->ClearTrackList(true);
    player_->SetListener(nullptr);
  }
  delete sound_;
  sound_ = nullptr;
  delete player_;
  player_ = nullptr;
  // Documents closing with the view still reach the loader's host: it
  // forgets the application before the links go.
  auto* frameView = static_cast<DocumentFrameView*>(view);
  delete frameView;
  if (host_ != nullptr) host_->SetApplication(nullptr);
  if (controller() != nullptr) controller()->SetSoundOpener(nullptr);
  delete soundOpener_;
  soundOpener_ = nullptr;
}

FrameWindowSet* MakeReaderWindowSet() { return new (std::nothrow) ReaderWindowSet; }

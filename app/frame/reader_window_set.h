// The program's window set: the stand-in set's environment, settings file,
// preferences, controller and catalogue, with the browser's document
// loader and a document view as the main frame's view, so that the window
// opens and shows books, and the device's audio player for the sound list. The browser's own window set (frames, the browser
// view) takes its place when it exists.
#pragma once

#include "app/controller/sound_list.h"
#include "app/frame/stand_in_window_set.h"

class AudioPlayer;
class AudioPlayerSound;
class DocumentHost;
class DocumentLoader;
class DocumentFrameView;
class EnvironmentViewLink;

class ReaderWindowSet final : public StandInWindowSet {
 public:
  ReaderWindowSet() = default;
  ~ReaderWindowSet() override;

  // The loader goes first: it still reaches the environment as it ends.
  void Close() override;

  DocumentLoader* loader() const { return loader_; }
  AudioPlayer* player() const { return player_; }

 protected:
  FrameView* MakeView() override;
  void DeleteView(FrameView* view) override;

 private:
  EnvironmentViewLink* environmentLink_ = nullptr;
  DocumentLoader* loader_ = nullptr;
  DocumentHost* host_ = nullptr;
  LoaderSoundOpener* soundOpener_ = nullptr;
  // The device's audio player behind the controller's sound list; its
  // events reach the controller's queue.
  AudioPlayer* player_ = nullptr;
  AudioPlayerSound* sound_ = nullptr;
};

FrameWindowSet* MakeReaderWindowSet();

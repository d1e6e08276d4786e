// The program's window set: the stand-in set's environment, settings file,
// preferences, controller and catalogue, with the browser's document
// loader and a document view as the main frame's view, so that the window
// opens and shows books. The browser's own window set (frames, the browser
// view) takes its place when it exists.
#pragma once

#include "app/controller/sound_list.h"
#include "app/frame/stand_in_window_set.h"

class DocumentHost;
class DocumentLoader;
class DocumentFrameView;

class ReaderWindowSet final : public StandInWindowSet {
 public:
  ReaderWindowSet() = default;
  ~ReaderWindowSet() override;

  DocumentLoader* loader() const { return loader_; }

 protected:
  FrameView* MakeView() override;
  void DeleteView(FrameView* view) override;

 private:
  DocumentLoader* loader_ = nullptr;
  DocumentHost* host_ = nullptr;
  LoaderSoundOpener* soundOpener_ = nullptr;
};

FrameWindowSet* MakeReaderWindowSet();

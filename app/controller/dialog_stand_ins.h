// The controller's dialogs and sheets until they exist (Find, note, go-to
// page and volume dialogs; options, about and properties sheets): each run
// is recorded with its parameter and answers as a cancelled dialog would,
// so the flows around them (bars hidden and shown, full screen left and
// taken again) run as they will with the real ones.
#pragma once

#include <cstdint>

#include "foundation/containers/segmented_array.h"

enum class StandInDialog : uint32_t { kFind, kNote, kGoToPage, kVolume, kOptions, kAbout, kProperties };

struct StandInDialogRun {
  StandInDialog dialog;
  int32_t parameter;  // the note dialog's kind; otherwise 0
};

class DialogStandIns {
 public:
  // Records the run; answers false (Cancel).
  bool Run(StandInDialog dialog, int32_t parameter = 0);
  uint32_t RunCount() const { return static_cast<uint32_t>(runs_.count); }
  // The run at `index` (below RunCount()).
  StandInDialogRun RunAt(uint32_t index) const;

 private:
  SegmentedArray runs_{static_cast<int32_t>(sizeof(StandInDialogRun))};
};

// The recorded dialog stand-ins.
#include "app/controller/dialog_stand_ins.h"

bool DialogStandIns::Run(StandInDialog dialog, int32_t parameter) {
  const StandInDialogRun run{dialog, parameter};
  runs_.Append(&run);  // a record that cannot be kept is only not recorded
  return false;
}

StandInDialogRun DialogStandIns::RunAt(uint32_t index) const {
  StandInDialogRun run{};
  if (index < runs_.count) runs_.ReadAt(index, &run, 1);
  return run;
}

// The window-set fake's form log: the pager's log, keeping nothing.
#include "layout/pages/offline_form_log.h"
#include "platform/memory/allocator.h"

namespace {

class FakeFormLog final : public OfflineFormLog {
 public:
  void AddTextRecord(const TextRecord&) override {}
  void DeleteAll() override {}
};

}  // namespace

OfflineFormLog* MakeFakeFormLog() { return DeviceNew<FakeFormLog>(); }

void DeleteFakeFormLog(OfflineFormLog* formLog) { delete formLog; }

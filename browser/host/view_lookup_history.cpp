#include "browser/host/view_lookup_history.h"

namespace {
ViewLookupHistoryMaker g_maker = nullptr;
}  // namespace

void InstallViewLookupHistoryMaker(ViewLookupHistoryMaker maker) { g_maker = maker; }

ViewLookupHistory* MakeViewLookupHistory() { return g_maker != nullptr ? g_maker() : nullptr; }

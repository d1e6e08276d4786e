#include "browser/view/history_entry.h"

void HistoryEntry::TakeFrom(HistoryEntry& other) {
  checkpoint = other.checkpoint;
  location = other.location;
  elementPosition = other.elementPosition;
  value = other.value;
  state.MoveFrom(other.state);
}

void HistoryEntry::Reset() {
  location = Location();
  checkpoint = 0;
  elementPosition = -1;
  value = 0;
  state.Clear();
}

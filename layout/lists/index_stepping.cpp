#include "layout/lists/index_stepping.h"

bool StepListIndexWrapped(bool forward, int32_t current, int32_t count, int32_t* next, bool* changed,
                          bool* hadCurrent) {
  *next = current;
  *changed = false;
  *hadCurrent = false;
  if (count <= 0) return false;
  int32_t candidate;
  if (forward) {
    candidate = current + 1 >= count ? 0 : current + 1;
  } else {
    // Compared unsigned: from 0 or from none the step wraps to the last.
    candidate = current - 1;
    if (static_cast<uint32_t>(candidate) >= static_cast<uint32_t>(count)) candidate = count - 1;
  }
  *next = candidate;
  *changed = candidate != current;
  *hadCurrent = *changed && current != -1;
  return *changed || *hadCurrent;
}

bool StepListIndexClamped(bool forward, int32_t current, int32_t count, int32_t* next, bool* hadCurrent,
                          bool* changed) {
  *next = current;
  *changed = false;
  *hadCurrent = false;
  if (count <= 0) return false;
  int32_t candidate = current;
  if (forward) {
    if (current < count - 1) candidate = current + 1;
  } else if (current == -1) {
    // Stepping back from none would give -2, an index that names nothing
    // and is not "none" either: start from the last entry instead.
    candidate = count - 1;
  } else if (current != 0) {
    candidate = current - 1;
  }
  *next = candidate;
  *changed = candidate != current;
  *hadCurrent = *changed && current != -1;
  return *changed || *hadCurrent;
}

bool StepListIndex(bool forward, int32_t current, int32_t count, int32_t* next, bool* hadCurrent, bool* moved,
                   bool* pastEnd) {
  if (forward) {
    *next = current + 1;
  } else {
    *next = current == -1 && count != 0 ? count - 1 : current - 1;
  }
  *pastEnd = static_cast<uint32_t>(*next) >= static_cast<uint32_t>(count);
  *moved = true;
  *hadCurrent = current != -1;
  return true;
}

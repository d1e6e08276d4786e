// Stepping the current index of a list walked with the arrow keys (rows of
// list elements, entries of the index widget, choices of the application
// frame). One convention throughout: -1 means no entry is current.
//
// Each routine reports whether the index changed and whether an entry was
// current before a change (had-current), so that the caller knows whether
// there is an old entry to draw as no longer current.
#pragma once

#include <cstdint>

// Steps with wrap-around: forward past the last entry to 0, backward from 0
// (or from none) to the last. False with count 0; else changed or had-current.
bool StepListIndexWrapped(bool forward, int32_t current, int32_t count, int32_t* next, bool* changed,
                          bool* hadCurrent);

// Steps without leaving the list: forward stops at the last entry, backward
// at the first. Backward from none goes to the last entry. False with
// count 0; else changed or had-current.
bool StepListIndexClamped(bool forward, int32_t current, int32_t count, int32_t* next, bool* hadCurrent,
                          bool* changed);

// Steps freely and tells the caller when the index left the list:
// past-end when next is not below count (compared unsigned, so -1 is past
// the end too). Backward from none goes to the last entry. Always true.
bool StepListIndex(bool forward, int32_t current, int32_t count, int32_t* next, bool* hadCurrent, bool* moved,
                   bool* pastEnd);

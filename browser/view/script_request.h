// ScriptRequest: one call of a reader method, made by a page script or by a
// link that names a request directly, and carried out by the document view
// (at once, or after the document it needs is shown): the host object's
// atom (0 for a link's numbered request), the method's atom (or the link's
// request code), and the arguments in order, each a text with a flag
// telling that it was a number.
#pragma once

#include <cstdint>

#include "foundation/containers/segmented_array_typed.h"
#include "foundation/wide_string/shared_wide_string.h"

// One argument: its text and whether the script value was neither a string
// nor an object (numbers, booleans, undefined and null are 1).
struct ScriptRequestArgument {
  SharedWideString text;
  uint8_t isNumber = 0;
};

// The arguments of a request, in blocks of two items.
class StyledStringList : public SegmentedTypedArray<ScriptRequestArgument> {
 public:
  StyledStringList() { InitWithShift(1, 0, 0); }

  // Appends a copy of the text with its flag: its index, or -1 when the list
  // cannot grow.
  int32_t Add(const SharedWideString& text, uint8_t isNumber);
  // Appends an empty item: null when the list cannot grow.
  ScriptRequestArgument* AddNew();
  // Item n; the list grows to n + 1 items when n is past its end (null when
  // it cannot).
  ScriptRequestArgument* Item(uint32_t n);
};

struct ScriptRequest {
  uint16_t methodAtom = 0;
  uint16_t objectAtom = 0;
  StyledStringList arguments;

  uint32_t Count() const { return arguments.Count(); }
  // The argument read as an unsigned decimal: false unless it exists, was
  // a number and reads whole.
  bool GetNumber(uint32_t i, uint32_t* value) const;
  // The argument read as a signed decimal with an optional sign, whose
  // magnitude fits in 31 bits: false unless it exists and was a number.
  bool GetSigned(uint32_t i, int32_t* value) const;
  // The argument's text when it exists and was a text.
  const SharedWideString* GetText(uint32_t i) const;
};

// ScriptRequest: one script method call that the document view carries out
// after the document it needs is shown: the method's atom, the host
// object's atom, and the arguments, each a text with a flag telling that it
// was a number.
#pragma once

#include <cstdint>

#include "foundation/containers/segmented_array_typed.h"
#include "foundation/wide_string/shared_wide_string.h"

struct ScriptRequestArgument {
  SharedWideString text;
  uint8_t isNumber = 0;
};

struct ScriptRequest {
  uint16_t methodAtom = 0;
  uint16_t objectAtom = 0;
  SegmentedTypedArray<ScriptRequestArgument> arguments;

  ScriptRequest() { arguments.Init(); }
  uint32_t Count() const { return arguments.Count(); }
  // The argument read as an unsigned decimal: false unless it exists, was
  // a number and reads whole.
  bool GetNumber(uint32_t i, uint32_t* value) const;
  // The argument's text when it exists and was a text.
  const SharedWideString* GetText(uint32_t i) const;
};

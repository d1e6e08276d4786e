// The string forms of the segmented array: SegmentedStringArray holds
// EncodedString values (path lists, pending folders), SegmentedWideStringArray
// holds SharedWideString values (the texts of a StringPool, attribute values
// of open elements). New blocks hold empty strings; freeing a block destroys
// its strings (a wide string releases its share of its buffer).
#pragma once

#include "foundation/encoded_string/encoded_string.h"
#include "foundation/containers/segmented_array_typed.h"
#include "foundation/wide_string/shared_wide_string.h"

using SegmentedStringArray = SegmentedTypedArray<EncodedString>;
using SegmentedWideStringArray = SegmentedTypedArray<SharedWideString>;

// An EncodedString copy allocates; its status tells whether it could.
inline bool AssignSegmentedItem(EncodedString& to, const EncodedString& from) {
  to = from;
  return to.IsOk();
}

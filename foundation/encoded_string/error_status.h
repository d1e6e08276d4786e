// ErrorStatus: the small status record at the head of an EncodedString and of
// other objects of the system. Operations record their failures here instead
// of stopping, so a caller runs a series of edits and tests the status once.
//
// `error` holds the code of the last failure (0 = none); `condition` reports a
// state that is not an error (the end of the text was reached, characters were
// replaced by a conversion).
#pragma once

#include <cstdint>

// Error codes recorded by strings and string arrays.
constexpr int32_t kErrorNone = 0;
constexpr int32_t kErrorNoMemory = 3;          // a buffer cannot be allocated
constexpr int32_t kErrorBadSource = 4;         // null source with a length; short serialised input
constexpr int32_t kErrorNoUnitKind = 5;        // the operation needs a unit kind, the string has none
constexpr int32_t kErrorConversion = 6;        // a conversion failed; lead byte of an unsupported page
constexpr int32_t kErrorFileRead = 7;          // a file cannot be opened or read whole
constexpr int32_t kErrorNoCursor = 8;          // the character at an unset cursor was asked for
constexpr int32_t kErrorNotWideConvertible = 10;  // not convertible to UTF-16 with its own page
constexpr int32_t kErrorCodePageMismatch = 11;    // bytes of another code page were appended
constexpr int32_t kErrorArrayGrowth = 14;         // a string array cannot grow

// Conditions.
constexpr int32_t kConditionNone = 0;
constexpr int32_t kConditionEndOfText = 2;     // a scan reached the end of the text
constexpr int32_t kConditionReplaced = 3;      // a conversion replaced characters

struct ErrorStatus {
  int32_t error = kErrorNone;
  int32_t condition = kConditionNone;

  void SetError(int32_t code) { error = code; }
  int32_t GetError() const { return error; }
  bool IsOk() const { return error == kErrorNone; }
  void SetCondition(int32_t value) { condition = value; }
  int32_t GetCondition() const { return condition; }
  void Clear() {
    error = kErrorNone;
    condition = kConditionNone;
  }
  void ClearCondition() { condition = kConditionNone; }
};

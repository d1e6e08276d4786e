// The value store's conversions between value types: to boolean, number,
// text and integer, the copy of a payload into a slot of the same type, copy
// on write for operators, and the reading of member references.
//
// An object value converts by asking its owner for the value (the owner's
// GetMemberValue with the wanted type). The answer may again be an object
// value with an owner, even the same reference (a variable that holds a
// reference to itself), so the reading is a loop bounded by
// kScriptReferenceDepthLimit instead of a recursion.
#include <cmath>

#include "script/values/number_text.h"
#include "script/values/name_table.h"
#include "script/objects/script_object.h"
#include "script/values/script_status.h"
#include "script/values/script_value_escape.h"
#include "script/values/value_store.h"

int32_t* ScriptValueStore::FetchObjectValue(int32_t* status, const ScriptMemberRef& ref,
                                            int32_t wantedType, ScriptValueHandle* result) {
  *result = kScriptEmptyHandle;
  ScriptMemberRef current = ref;
  // Holds the value whose reference is being read, so that its owner stays
  // alive until the next answer is in.
  ScriptValueHandle keep = kScriptEmptyHandle;
  for (int32_t depth = 0;; ++depth) {
    if (depth == kScriptReferenceDepthLimit) {
      Release(&keep);
      *status = kScriptConversionFailed;
      return status;
    }
    ScriptValueHandle answer = kScriptEmptyHandle;
    if (*current.owner->GetMemberValue(status, current, this, &answer, wantedType) != kScriptOk) {
      int32_t failure = *status;
      Release(&answer);
      Release(&keep);
      *status = failure;
      return status;
    }
    ScriptObjectSlot* slot = GetObjectSlot(answer);
    if (slot == nullptr || slot->ref.owner == nullptr) {
      Release(&keep);
      *result = answer;
      *status = kScriptOk;
      return status;
    }
    current = slot->ref;
    Release(&keep);
    keep = answer;
  }
}

namespace {

// Sets *status: kScriptBadHeapState for a type that has a slot given none,
// else kScriptOk. True when the slot is missing.
bool SlotIsMissing(int32_t* status, int32_t type, const void* slot) {
  *status = ScriptTypeHasSlot(type) && slot == nullptr ? kScriptBadHeapState : kScriptOk;
  return *status != kScriptOk;
}

}  // namespace

template <typename ConvertNull, typename Convert>
int32_t* ScriptValueStore::ConvertObjectValue(int32_t* status, const void* objectSlot,
                                              int32_t wantedType, ConvertNull convertNull,
                                              Convert convert) {
  const ScriptMemberRef& ref = static_cast<const ScriptObjectSlot*>(objectSlot)->ref;
  if (ref.owner == nullptr) {
    convertNull();
    return status;
  }
  ScriptValueHandle value = kScriptEmptyHandle;
  if (*FetchObjectValue(status, ref, wantedType, &value) != kScriptOk) return status;
  convert(status, ScriptHandleType(value), GetSlot(value));
  int32_t result = *status;
  Release(&value);
  *status = result;
  return status;
}

int32_t* ScriptValueStore::ConvertToBoolean(int32_t* status, int32_t fromType,
                                            const void* fromSlot, uint8_t* out) {
  if (SlotIsMissing(status, fromType, fromSlot)) return status;
  switch (fromType) {
    case kScriptTypeBoolean:
      *out = static_cast<const ScriptBooleanSlot*>(fromSlot)->value != 0 ? 1 : 0;
      return status;
    case kScriptTypeNumber: {
      double v = static_cast<const ScriptNumberSlot*>(fromSlot)->value;
      *out = (v != 0.0 && !std::isnan(v)) ? 1 : 0;
      return status;
    }
    case kScriptTypeInteger:
      *out = static_cast<const ScriptIntegerSlot*>(fromSlot)->value != 0 ? 1 : 0;
      return status;
    case kScriptTypeString:
      *out = static_cast<const ScriptStringSlot*>(fromSlot)->text.length != 0 ? 1 : 0;
      return status;
    case kScriptTypeObject:
      return ConvertObjectValue(status, fromSlot, kScriptTypeBoolean, [&] { *out = 0; },
                                [&](int32_t* fetched, int32_t type, const void* slot) {
                                  ConvertToBoolean(fetched, type, slot, out);
                                });
    case kScriptTypeUndefined:
    case kScriptTypeEmpty:
      // Undefined reads as false, so that "if (u)" and "!u" work on a
      // variable that was never assigned.
      *out = 0;
      return status;
    default:
      *status = kScriptBadHeapState;
      return status;
  }
}

int32_t* ScriptValueStore::ConvertToNumber(int32_t* status, int32_t fromType, const void* fromSlot,
                                           double* out) {
  if (SlotIsMissing(status, fromType, fromSlot)) return status;
  switch (fromType) {
    case kScriptTypeBoolean:
      *out = static_cast<const ScriptBooleanSlot*>(fromSlot)->value != 0 ? 1.0 : 0.0;
      return status;
    case kScriptTypeNumber:
      *out = static_cast<const ScriptNumberSlot*>(fromSlot)->value;
      return status;
    case kScriptTypeInteger:
      *out = static_cast<const ScriptIntegerSlot*>(fromSlot)->value;
      return status;
    case kScriptTypeString:
      *out = ParseScriptNumber(static_cast<const ScriptStringSlot*>(fromSlot)->text);
      return status;
    case kScriptTypeObject:
      return ConvertObjectValue(status, fromSlot, kScriptTypeNumber, [&] { *out = 0.0; },
                                [&](int32_t* fetched, int32_t type, const void* slot) {
                                  ConvertToNumber(fetched, type, slot, out);
                                });
    default:
      *out = std::nan("");
      return status;
  }
}

int32_t* ScriptValueStore::ConvertToInteger(int32_t* status, int32_t fromType,
                                            const void* fromSlot, int32_t* out) {
  if (SlotIsMissing(status, fromType, fromSlot)) return status;
  switch (fromType) {
    case kScriptTypeBoolean:
      *out = static_cast<const ScriptBooleanSlot*>(fromSlot)->value != 0 ? 1 : 0;
      return status;
    case kScriptTypeNumber:
      *out = ScriptNumberToInt32(static_cast<const ScriptNumberSlot*>(fromSlot)->value);
      return status;
    case kScriptTypeInteger:
      *out = static_cast<const ScriptIntegerSlot*>(fromSlot)->value;
      return status;
    case kScriptTypeString: {
      int32_t value = 0;
      if (!static_cast<const ScriptStringSlot*>(fromSlot)->text.ParseInt(10, &value)) {
        *status = kScriptConversionFailed;  // not lack of memory: a text that is no integer
        return status;
      }
      *out = value;
      return status;
    }
    case kScriptTypeObject:
      return ConvertObjectValue(status, fromSlot, kScriptTypeInteger, [&] { *out = 0; },
                                [&](int32_t* fetched, int32_t type, const void* slot) {
                                  ConvertToInteger(fetched, type, slot, out);
                                });
    default:
      *out = 0;
      return status;
  }
}

namespace {

// *out becomes text between apostrophes, escaped.
int32_t* QuoteText(int32_t* status, const SharedWideString& text, SharedWideString* out) {
  SharedWideString escaped;
  if (*EscapeScriptString(status, text, &escaped) != kScriptOk) return status;
  SharedWideString quoted;
  if (!quoted.Reserve(escaped.length + 2) || !quoted.AppendChars(u"'", 1) ||
      !quoted.Append(escaped) || !quoted.AppendChars(u"'", 1)) {
    *status = kScriptNoMemory;
    return status;
  }
  out->Assign(quoted);
  *status = kScriptOk;
  return status;
}

}  // namespace

int32_t* ScriptValueStore::ConvertToString(int32_t* status, int32_t fromType,
                                           const void* fromSlot, SharedWideString* out,
                                           uint8_t quote) {
  if (SlotIsMissing(status, fromType, fromSlot)) return status;
  switch (fromType) {
    case kScriptTypeBoolean:
      GetLiteralText(static_cast<const ScriptBooleanSlot*>(fromSlot)->value != 0 ? kLiteralTrue
                                                                                 : kLiteralFalse,
                     out);
      return status;
    case kScriptTypeNumber:
      return FormatScriptNumber(status, static_cast<const ScriptNumberSlot*>(fromSlot)->value, out);
    case kScriptTypeInteger: {
      SharedWideString text;
      if (!text.AppendInt(static_cast<const ScriptIntegerSlot*>(fromSlot)->value)) {
        *status = kScriptNoMemory;
        return status;
      }
      out->Assign(text);
      return status;
    }
    case kScriptTypeString: {
      const SharedWideString& text = static_cast<const ScriptStringSlot*>(fromSlot)->text;
      if (quote != 0) return QuoteText(status, text, out);
      out->Assign(text);
      return status;
    }
    case kScriptTypeObject:
      return ConvertObjectValue(status, fromSlot, kScriptTypeString,
                                [&] { GetLiteralText(kLiteralNull, out); },
                                [&](int32_t* fetched, int32_t type, const void* slot) {
                                  ConvertToString(fetched, type, slot, out, quote);
                                });
    default:
      GetLiteralText(kLiteralUndefined, out);
      return status;
  }
}

int32_t* ScriptValueStore::CopySameType(int32_t* status, int32_t type, const void* fromSlot,
                                        void* toSlot) {
  *status = kScriptOk;
  if (!ScriptTypeHasSlot(type) || fromSlot == nullptr || toSlot == nullptr) {
    *status = kScriptBadHeapState;
    return status;
  }
  switch (type) {
    case kScriptTypeBoolean:
      static_cast<ScriptBooleanSlot*>(toSlot)->value =
          static_cast<const ScriptBooleanSlot*>(fromSlot)->value;
      return status;
    case kScriptTypeNumber:
      static_cast<ScriptNumberSlot*>(toSlot)->value =
          static_cast<const ScriptNumberSlot*>(fromSlot)->value;
      return status;
    case kScriptTypeObject: {
      ScriptMemberRef ref = static_cast<const ScriptObjectSlot*>(fromSlot)->ref;
      return AttachToSlot(status, static_cast<ScriptObjectSlot*>(toSlot), ref);
    }
    case kScriptTypeInteger:
      static_cast<ScriptIntegerSlot*>(toSlot)->value =
          static_cast<const ScriptIntegerSlot*>(fromSlot)->value;
      return status;
    default:
      static_cast<ScriptStringSlot*>(toSlot)->text.Assign(
          static_cast<const ScriptStringSlot*>(fromSlot)->text);
      return status;
  }
}

int32_t* ScriptValueStore::ConvertValue(int32_t* status, int32_t fromType, const void* fromSlot,
                                        int32_t toType, void* toSlot) {
  if (fromType == toType) return CopySameType(status, toType, fromSlot, toSlot);
  if (toSlot == nullptr) {
    *status = kScriptBadHeapState;
    return status;
  }
  switch (toType) {
    case kScriptTypeBoolean: {
      uint8_t value = 0;
      if (*ConvertToBoolean(status, fromType, fromSlot, &value) == kScriptOk) {
        static_cast<ScriptBooleanSlot*>(toSlot)->value = value;
      }
      return status;
    }
    case kScriptTypeNumber: {
      double value = 0.0;
      if (*ConvertToNumber(status, fromType, fromSlot, &value) == kScriptOk) {
        static_cast<ScriptNumberSlot*>(toSlot)->value = value;
      }
      return status;
    }
    case kScriptTypeInteger: {
      int32_t value = 0;
      if (*ConvertToInteger(status, fromType, fromSlot, &value) == kScriptOk) {
        static_cast<ScriptIntegerSlot*>(toSlot)->value = value;
      }
      return status;
    }
    case kScriptTypeString: {
      SharedWideString text;
      if (*ConvertToString(status, fromType, fromSlot, &text, 0) == kScriptOk) {
        static_cast<ScriptStringSlot*>(toSlot)->text.Assign(text);
      }
      return status;
    }
    default:
      *status = kScriptBadHeapState;
      return status;
  }
}

int32_t* ScriptValueStore::NewConvertedValue(int32_t* status, ScriptValueHandle source,
                                             int32_t type, ScriptValueHandle* handle,
                                             void** slot) {
  ScriptValueHandle fresh = kScriptEmptyHandle;
  void* freshSlot = nullptr;
  *handle = kScriptEmptyHandle;
  if (*AllocateSlot(status, type, &fresh, &freshSlot) != kScriptOk) return status;
  if (*ConvertValue(status, ScriptHandleType(source), GetSlot(source), type, freshSlot) !=
      kScriptOk) {
    int32_t failure = *status;
    Release(&fresh);
    *status = failure;
    return status;
  }
  *handle = fresh;
  if (slot != nullptr) *slot = freshSlot;
  return status;
}

int32_t* ScriptValueStore::ConvertInPlace(int32_t* status, ScriptValueHandle* handle, int32_t type,
                                          void** slot) {
  if (ScriptHandleType(*handle) == type && ScriptTypeHasSlot(type)) {
    void* own = GetSlot(*handle);
    if (own != nullptr && *static_cast<int32_t*>(own) == 1) {
      if (slot != nullptr) *slot = own;
      *status = kScriptOk;
      return status;
    }
  }
  ScriptValueHandle converted = kScriptEmptyHandle;
  void* convertedSlot = nullptr;
  if (*NewConvertedValue(status, *handle, type, &converted, &convertedSlot) != kScriptOk) {
    return status;
  }
  MoveValue(&converted, handle);
  if (slot != nullptr) *slot = convertedSlot;
  return status;
}

int32_t* ScriptValueStore::GetReferencedValue(int32_t* status, ScriptValueHandle handle,
                                              ScriptValueHandle* out) {
  *status = kScriptOk;
  ScriptValueHandle value = kScriptEmptyHandle;
  ScriptObjectSlot* slot = GetObjectSlot(handle);
  if (slot == nullptr || slot->ref.IsSelf()) {
    CopyValue(handle, &value);
  } else {
    ScriptMemberRef ref = slot->ref;
    if (ref.owner == nullptr) {
      *status = kScriptCannotGet;
      return status;
    }
    if (*ref.owner->GetMemberValue(status, ref, this, &value, kScriptTypeAny) != kScriptOk) {
      int32_t failure = *status;
      Release(&value);
      *status = failure;
      return status;
    }
  }
  // Replaced last: out may be the very variable that holds handle.
  MoveValue(&value, out);
  return status;
}

// ---- Reading values

int32_t* ScriptValueStore::ToBoolean(int32_t* status, ScriptValueHandle handle, uint8_t* out) {
  return ConvertToBoolean(status, ScriptHandleType(handle), GetSlot(handle), out);
}

int32_t* ScriptValueStore::ToNumber(int32_t* status, ScriptValueHandle handle, double* out) {
  return ConvertToNumber(status, ScriptHandleType(handle), GetSlot(handle), out);
}

int32_t* ScriptValueStore::ToString(int32_t* status, ScriptValueHandle handle,
                                    SharedWideString* out, uint8_t quote) {
  SharedWideString text;
  if (*ConvertToString(status, ScriptHandleType(handle), GetSlot(handle), &text, quote) ==
      kScriptOk) {
    out->Assign(text);
  }
  return status;
}

int32_t* ScriptValueStore::ToInteger(int32_t* status, ScriptValueHandle handle, int32_t* out) {
  return ConvertToInteger(status, ScriptHandleType(handle), GetSlot(handle), out);
}

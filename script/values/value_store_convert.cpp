// The value store's conversions between value types: to boolean, number,
// text and integer, copy on write for operators, and the reading of member
// references.
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

template <typename ConvertNull, typename Convert>
int32_t* ScriptValueStore::ConvertObjectValue(int32_t* status, const ScriptObjectSlot* objectSlot,
                                              int32_t wantedType, ConvertNull convertNull,
                                              Convert convert) {
  const ScriptMemberRef& ref = objectSlot->ref;
  if (ref.owner == nullptr) {
    convertNull();
    return status;
  }
  ScriptValueHandle value = kScriptEmptyHandle;
  if (*FetchObjectValue(status, ref, wantedType, &value) != kScriptOk) return status;
  convert(status, value);
  int32_t result = *status;
  Release(&value);
  *status = result;
  return status;
}

int32_t* ScriptValueStore::ConvertToBoolean(int32_t* status, ScriptValueHandle from,
                                            uint8_t* out) {
  *status = kScriptOk;
  switch (ScriptHandleType(from)) {
    case kScriptTypeBoolean:
      *out = ScriptHandleBoolean(from);
      return status;
    case kScriptTypeNumber: {
      double v = ScriptHandleNumber(from);
      *out = (v != 0.0 && !std::isnan(v)) ? 1 : 0;
      return status;
    }
    case kScriptTypeInteger:
      *out = ScriptHandleInteger(from) != 0 ? 1 : 0;
      return status;
    case kScriptTypeString: {
      const ScriptStringSlot* slot = GetStringSlot(from);
      if (slot == nullptr) break;
      *out = slot->text.length != 0 ? 1 : 0;
      return status;
    }
    case kScriptTypeObject: {
      const ScriptObjectSlot* slot = GetObjectSlot(from);
      if (slot == nullptr) break;
      return ConvertObjectValue(status, slot, kScriptTypeBoolean, [&] { *out = 0; },
                                [&](int32_t* fetched, ScriptValueHandle value) {
                                  ConvertToBoolean(fetched, value, out);
                                });
    }
    case kScriptTypeUndefined:
    case kScriptTypeEmpty:
      // Undefined reads as false, so that "if (u)" and "!u" work on a
      // variable that was never assigned.
      *out = 0;
      return status;
    default:
      break;
  }
  *status = kScriptBadHeapState;
  return status;
}

int32_t* ScriptValueStore::ConvertToNumber(int32_t* status, ScriptValueHandle from, double* out) {
  *status = kScriptOk;
  switch (ScriptHandleType(from)) {
    case kScriptTypeBoolean:
      *out = ScriptHandleBoolean(from) != 0 ? 1.0 : 0.0;
      return status;
    case kScriptTypeNumber:
      *out = ScriptHandleNumber(from);
      return status;
    case kScriptTypeInteger:
      *out = ScriptHandleInteger(from);
      return status;
    case kScriptTypeString: {
      const ScriptStringSlot* slot = GetStringSlot(from);
      if (slot == nullptr) break;
      *out = ParseScriptNumber(slot->text);
      return status;
    }
    case kScriptTypeObject: {
      const ScriptObjectSlot* slot = GetObjectSlot(from);
      if (slot == nullptr) break;
      return ConvertObjectValue(status, slot, kScriptTypeNumber, [&] { *out = 0.0; },
                                [&](int32_t* fetched, ScriptValueHandle value) {
                                  ConvertToNumber(fetched, value, out);
                                });
    }
    default:
      *out = std::nan("");
      return status;
  }
  *status = kScriptBadHeapState;
  return status;
}

int32_t* ScriptValueStore::ConvertToInteger(int32_t* status, ScriptValueHandle from,
                                            int32_t* out) {
  *status = kScriptOk;
  switch (ScriptHandleType(from)) {
    case kScriptTypeBoolean:
      *out = ScriptHandleBoolean(from) != 0 ? 1 : 0;
      return status;
    case kScriptTypeNumber:
      *out = ScriptNumberToInt32(ScriptHandleNumber(from));
      return status;
    case kScriptTypeInteger:
      *out = ScriptHandleInteger(from);
      return status;
    case kScriptTypeString: {
      const ScriptStringSlot* slot = GetStringSlot(from);
      if (slot == nullptr) break;
      int32_t value = 0;
      if (!slot->text.ParseInt(10, &value)) {
        *status = kScriptConversionFailed;  // not lack of memory: a text that is no integer
        return status;
      }
      *out = value;
      return status;
    }
    case kScriptTypeObject: {
      const ScriptObjectSlot* slot = GetObjectSlot(from);
      if (slot == nullptr) break;
      return ConvertObjectValue(status, slot, kScriptTypeInteger, [&] { *out = 0; },
                                [&](int32_t* fetched, ScriptValueHandle value) {
                                  ConvertToInteger(fetched, value, out);
                                });
    }
    default:
      *out = 0;
      return status;
  }
  *status = kScriptBadHeapState;
  return status;
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

int32_t* ScriptValueStore::ConvertToString(int32_t* status, ScriptValueHandle from,
                                           SharedWideString* out, uint8_t quote) {
  *status = kScriptOk;
  switch (ScriptHandleType(from)) {
    case kScriptTypeBoolean:
      GetLiteralText(ScriptHandleBoolean(from) != 0 ? kLiteralTrue : kLiteralFalse, out);
      return status;
    case kScriptTypeNumber:
      return FormatScriptNumber(status, ScriptHandleNumber(from), out);
    case kScriptTypeInteger: {
      SharedWideString text;
      if (!text.AppendInt(ScriptHandleInteger(from))) {
        *status = kScriptNoMemory;
        return status;
      }
      out->Assign(text);
      return status;
    }
    case kScriptTypeString: {
      const ScriptStringSlot* slot = GetStringSlot(from);
      if (slot == nullptr) break;
      if (quote != 0) return QuoteText(status, slot->text, out);
      out->Assign(slot->text);
      return status;
    }
    case kScriptTypeObject: {
      const ScriptObjectSlot* slot = GetObjectSlot(from);
      if (slot == nullptr) break;
      return ConvertObjectValue(status, slot, kScriptTypeString,
                                [&] { GetLiteralText(kLiteralNull, out); },
                                [&](int32_t* fetched, ScriptValueHandle value) {
                                  ConvertToString(fetched, value, out, quote);
                                });
    }
    default:
      GetLiteralText(kLiteralUndefined, out);
      return status;
  }
  *status = kScriptBadHeapState;
  return status;
}

int32_t* ScriptValueStore::NewConvertedValue(int32_t* status, ScriptValueHandle source,
                                             int32_t type, ScriptValueHandle* handle,
                                             void** slot) {
  *handle = kScriptEmptyHandle;
  if (slot != nullptr) *slot = nullptr;
  switch (type) {
    case kScriptTypeBoolean: {
      uint8_t value = 0;
      if (*ConvertToBoolean(status, source, &value) == kScriptOk) {
        *handle = MakeScriptBooleanHandle(value != 0);
      }
      return status;
    }
    case kScriptTypeNumber: {
      double value = 0.0;
      if (*ConvertToNumber(status, source, &value) == kScriptOk) {
        *handle = MakeScriptNumberHandle(value);
      }
      return status;
    }
    case kScriptTypeInteger: {
      int32_t value = 0;
      if (*ConvertToInteger(status, source, &value) == kScriptOk) {
        *handle = MakeScriptIntegerHandle(value);
      }
      return status;
    }
    case kScriptTypeString: {
      SharedWideString text;
      if (*ConvertToString(status, source, &text, 0) != kScriptOk) return status;
      ScriptValueHandle fresh = kScriptEmptyHandle;
      void* freshSlot = nullptr;
      if (*AllocateSlot(status, kScriptTypeString, &fresh, &freshSlot) != kScriptOk) {
        return status;
      }
      static_cast<ScriptStringSlot*>(freshSlot)->text.Assign(text);
      *handle = fresh;
      if (slot != nullptr) *slot = freshSlot;
      return status;
    }
    case kScriptTypeObject: {
      // An object value is copied as a new slot holding the same reference;
      // no other type converts to an object.
      const ScriptObjectSlot* from = GetObjectSlot(source);
      if (from == nullptr) break;
      ScriptMemberRef ref = from->ref;
      ScriptValueHandle fresh = kScriptEmptyHandle;
      void* freshSlot = nullptr;
      if (*AllocateSlot(status, kScriptTypeObject, &fresh, &freshSlot) != kScriptOk) {
        return status;
      }
      if (*AttachToSlot(status, static_cast<ScriptObjectSlot*>(freshSlot), ref) != kScriptOk) {
        int32_t failure = *status;
        Release(&fresh);
        *status = failure;
        return status;
      }
      *handle = fresh;
      if (slot != nullptr) *slot = freshSlot;
      return status;
    }
    default:
      break;
  }
  *status = kScriptBadHeapState;
  return status;
}

int32_t* ScriptValueStore::ConvertInPlace(int32_t* status, ScriptValueHandle* handle, int32_t type,
                                          void** slot) {
  if (slot != nullptr) *slot = nullptr;
  if (ScriptHandleType(*handle) == type) {
    if (type != kScriptTypeString) {
      if (type == kScriptTypeBoolean || type == kScriptTypeNumber || type == kScriptTypeInteger) {
        *status = kScriptOk;
        return status;
      }
    } else if (ScriptStringSlot* own = GetStringSlot(*handle); own != nullptr && own->refcount == 1) {
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

int32_t* ScriptValueStore::GetReferencedObjectValue(int32_t* status, ScriptValueHandle handle,
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
  return ConvertToBoolean(status, handle, out);
}

int32_t* ScriptValueStore::ToNumber(int32_t* status, ScriptValueHandle handle, double* out) {
  return ConvertToNumber(status, handle, out);
}

int32_t* ScriptValueStore::ToString(int32_t* status, ScriptValueHandle handle,
                                    SharedWideString* out, uint8_t quote) {
  SharedWideString text;
  if (*ConvertToString(status, handle, &text, quote) == kScriptOk) out->Assign(text);
  return status;
}

int32_t* ScriptValueStore::ToInteger(int32_t* status, ScriptValueHandle handle, int32_t* out) {
  return ConvertToInteger(status, handle, out);
}

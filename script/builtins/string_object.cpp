// The String constructor and string values seen as objects (see
// string_object.h).
#include "script/builtins/string_object.h"

#include <cmath>
#include <limits>

#include "foundation/characters/char_class.h"
#include "platform/memory/allocator.h"
#include "script/values/atoms.h"
#include "script/builtins/builtin_arguments.h"
#include "script/frames/operand_stack.h"
#include "script/values/script_status.h"
#include "script/builtins/string_object_text.h"
#include "script/values/value_store.h"

namespace {

bool IsStringMember(int32_t atom) {
  return (atom >= kAtom_toString && atom <= kAtom_toUpperCase) || atom == kAtom_length ||
         atom == kAtom_replace;
}

// An integer argument, or the default when the argument is absent.
int32_t* IntegerOr(int32_t* status, ScriptOperandStack* stack, uint32_t n, uint32_t i,
                   int32_t fallback, int32_t* out) {
  *status = kScriptOk;
  *out = fallback;
  if (i < n) ArgumentToInteger(status, stack, n, i, out);
  return status;
}

// An end position: absent or undefined gives the fallback.
int32_t* EndPositionOr(int32_t* status, ScriptOperandStack* stack, uint32_t n, uint32_t i,
                       int32_t fallback, int32_t* out) {
  if (i < n && ArgumentType(stack, n, i) == kScriptTypeUndefined) {
    *status = kScriptOk;
    *out = fallback;
    return status;
  }
  return IntegerOr(status, stack, n, i, fallback, out);
}

WCHAR StripAccent(WCHAR c) { return CharStripAccent(c); }
WCHAR ToLower(WCHAR c) { return CharToLower(c); }
WCHAR ToUpper(WCHAR c) { return CharToUpper(c); }

}  // namespace

ScriptStringObject* ScriptStringObject::Create(const SharedWideString& text) {
  ScriptStringObject* object = DeviceNew<ScriptStringObject>();
  if (object != nullptr) object->text_.Assign(text);
  return object;
}

ScriptStringObject* ScriptStringObject::CreateConstructor() {
  ScriptStringObject* object = DeviceNew<ScriptStringObject>();
  if (object != nullptr) object->constructor_ = 1;
  return object;
}

int32_t* ScriptStringObject::ResolveMember(int32_t* status, const ScriptNameToken& name,
                                           ScriptMemberRef* ref, uint8_t /*create*/) {
  bool known = constructor_ != 0
                   ? name.atom == kAtom_fromCharCode || name.atom == kScriptSubCodeConstruct
                   : IsStringMember(name.atom);
  if (!ref->IsSelf() || !known) {
    *status = kScriptMemberUnknown;
    return status;
  }
  ref->owner = this;
  ref->memberCode = -1;
  ref->subCode = name.atom;
  *status = kScriptOk;
  return status;
}

int32_t* ScriptStringObject::GetMemberValue(int32_t* status, const ScriptMemberRef& ref,
                                            ScriptValueStore* store, ScriptValueHandle* result,
                                            int32_t /*wantedType*/) {
  if (ref.memberCode != -1) {
    *status = kScriptCannotGet;
    return status;
  }
  if (ref.subCode == 0) return ResultString(status, store, text_, result);
  if (ref.subCode == kAtom_length && constructor_ == 0) {
    return ResultNumber(status, store, static_cast<double>(text_.length), result);
  }
  *status = kScriptCannotGet;
  return status;
}

void ScriptStringObject::NotifyStore(int32_t event, ScriptValueStore* /*store*/) {
  if (event == kScriptStoreReleased) delete this;
}

int32_t* ScriptStringObject::Invoke(int32_t* status, const ScriptMemberRef& ref,
                                    uint32_t argumentCount, ScriptOperandStack* stack,
                                    ScriptValueHandle* result) {
  ScriptValueStore* store = CallStore(stack);
  if (store == nullptr) {
    *status = kScriptStackUnderflow;
    return status;
  }
  if (ref.memberCode != -1) {
    *status = kScriptInvalidType;
    return status;
  }
  if (constructor_ != 0) return InvokeConstructor(status, ref, argumentCount, stack, result);
  if (!IsStringMember(ref.subCode) || ref.subCode == kAtom_length) {
    *status = kScriptInvalidType;
    return status;
  }
  if (*InvokeMethod(status, ref.subCode, argumentCount, stack, result) != kScriptOk) {
    // A failure leaves no result behind.
    int32_t failure = *status;
    store->Release(result);
    *result = kScriptUndefinedHandle;
    *status = failure;
  }
  return status;
}

int32_t* ScriptStringObject::InvokeConstructor(int32_t* status, const ScriptMemberRef& ref,
                                               uint32_t n, ScriptOperandStack* stack,
                                               ScriptValueHandle* result) {
  ScriptValueStore* store = CallStore(stack);
  if (ref.subCode == kAtom_fromCharCode) {
    SharedWideString text;
    WCHAR* units = nullptr;
    if (n > 0 && !text.GetWriteBuffer(&units, 0, n)) {
      *status = kScriptNoMemory;
      return status;
    }
    for (uint32_t i = 0; i < n; ++i) {
      int32_t code = 0;
      if (*ArgumentToInteger(status, stack, n, i, &code) != kScriptOk) return status;
      units[i] = static_cast<WCHAR>(static_cast<uint32_t>(code) & 0xFFFFu);
    }
    return ResultString(status, store, text, result);
  }
  if (ref.subCode != 0 && ref.subCode != kScriptSubCodeConstruct) {
    *status = kScriptInvalidType;
    return status;
  }
  SharedWideString text;
  if (n > 0 && *ArgumentToString(status, stack, n, n - 1, &text) != kScriptOk) return status;
  if (ref.subCode == 0) return ResultString(status, store, text, result);
  return ResultFreshObject(status, store, Create(text), result);
}

int32_t* ScriptStringObject::InvokeMethod(int32_t* status, int32_t atom, uint32_t n,
                                          ScriptOperandStack* stack, ScriptValueHandle* result) {
  ScriptValueStore* store = CallStore(stack);
  const SharedWideString& text = text_;
  const int32_t length = static_cast<int32_t>(text.length);
  *status = kScriptOk;
  switch (atom) {
    case kAtom_toString:
      return ResultString(status, store, text, result);

    case kAtom_charAt:
    case kAtom_charCodeAt: {
      int32_t i = 0;
      if (*IntegerOr(status, stack, n, 0, 0, &i) != kScriptOk) return status;
      bool inside = i >= 0 && i < length;
      if (atom == kAtom_charCodeAt) {
        double code = inside ? static_cast<double>(text.Chars()[i])
                             : std::numeric_limits<double>::quiet_NaN();
        return ResultNumber(status, store, code, result);
      }
      SharedWideString one;
      if (inside) one.AssignSubstring(text, static_cast<uint32_t>(i), 1);
      return ResultString(status, store, one, result);
    }

    case kAtom_indexOf:
    case kAtom_lastIndexOf: {
      if (n < 1 || n > 2) {
        *status = kScriptBadParameterCount;
        return status;
      }
      SharedWideString needle;
      if (*ArgumentToString(status, stack, n, 0, &needle) != kScriptOk) return status;
      int32_t found;
      if (atom == kAtom_indexOf) {
        int32_t from = 0;
        if (*IntegerOr(status, stack, n, 1, 0, &from) != kScriptOk) return status;
        found = StringIndexOf(text, needle, from);
      } else {
        double from = std::numeric_limits<double>::quiet_NaN();
        if (n == 2 && *ArgumentToNumber(status, stack, n, 1, &from) != kScriptOk) return status;
        found = StringLastIndexOf(text, needle, from);
      }
      return ResultNumber(status, store, static_cast<double>(found), result);
    }

    case kAtom_slice:
    case kAtom_substring: {
      if (n > 2) {
        *status = kScriptBadParameterCount;
        return status;
      }
      int32_t a = 0;
      int32_t b = length;
      if (*IntegerOr(status, stack, n, 0, 0, &a) != kScriptOk) return status;
      if (*EndPositionOr(status, stack, n, 1, length, &b) != kScriptOk) return status;
      uint32_t from;
      uint32_t to;
      if (atom == kAtom_slice) {
        from = SlicePosition(a, text.length);
        to = SlicePosition(b, text.length);
      } else {
        from = ClampPosition(a, text.length);
        to = ClampPosition(b, text.length);
        if (from > to) {
          uint32_t swap = from;
          from = to;
          to = swap;
        }
      }
      SharedWideString part;
      if (from < to) part.AssignSubstring(text, from, to - from);
      return ResultString(status, store, part, result);
    }

    case kAtom_split:
      // No arrays in the language: split has nothing to answer with.
      *status = kScriptNotImplemented;
      return status;

    case kAtom_fold:
    case kAtom_toLowerCase:
    case kAtom_toUpperCase: {
      WCHAR (*map)(WCHAR) = atom == kAtom_fold ? StripAccent
                            : atom == kAtom_toLowerCase ? ToLower
                                                        : ToUpper;
      SharedWideString mapped;
      if (!StringMapChars(text, map, &mapped)) {
        *status = kScriptNoMemory;
        return status;
      }
      return ResultString(status, store, mapped, result);
    }

    case kAtom_replace: {
      if (n < 2 || n > 3) {
        *status = kScriptBadParameterCount;
        return status;
      }
      SharedWideString pattern;
      SharedWideString replacement;
      if (*ArgumentToString(status, stack, n, 0, &pattern) != kScriptOk) return status;
      if (*ArgumentToString(status, stack, n, 1, &replacement) != kScriptOk) return status;
      int32_t count = 1;
      if (n == 3) {
        double c = 0;
        if (*ArgumentToNumber(status, stack, n, 2, &c) != kScriptOk) return status;
        // NaN counts as absent; a negative count replaces every occurrence.
        if (!std::isnan(c)) {
          c = std::trunc(c);
          count = c < 0 ? -1 : c > 2147483647.0 ? 2147483647 : static_cast<int32_t>(c);
        }
      }
      SharedWideString replaced;
      if (!StringReplace(text, pattern, replacement, count, &replaced)) {
        *status = kScriptNoMemory;
        return status;
      }
      return ResultString(status, store, replaced, result);
    }

    default:
      *status = kScriptInvalidType;
      return status;
  }
}

int32_t* WrapScriptString(int32_t* status, ScriptValueStore* store, ScriptValueHandle text,
                          ScriptValueHandle* result) {
  SharedWideString chars;
  if (*store->ToString(status, text, &chars, 0) != kScriptOk) return status;
  return ResultFreshObject(status, store, ScriptStringObject::Create(chars), result);
}

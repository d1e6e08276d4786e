// The Date constructor and date objects (see date_object.h).
#include "script/builtins/date_object.h"

#include <cmath>
#include <limits>

#include "foundation/time/date_time_calendar.h"
#include "foundation/encoded_string/encoded_string.h"
#include "platform/memory/allocator.h"
#include "script/values/atoms.h"
#include "script/builtins/builtin_arguments.h"
#include "script/frames/operand_stack.h"
#include "script/values/script_status.h"
#include "script/values/value_store.h"

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// The text forms: UTC flag, date part, time part, style.
struct DateTextForm {
  int32_t atom;
  bool utc;
  bool date;
  bool time;
  int32_t style;
};

constexpr DateTextForm kTextForms[] = {
    {kAtom_toString, false, true, true, 0},
    {kAtom_toUTCString, true, true, true, 1},
    {kAtom_toTimeString, false, false, true, 0},
    {kAtom_toDateString, false, true, false, 0},
    {kAtom_toLocaleString, false, true, true, 2},
    {kAtom_toLocaleDateString, false, true, false, 2},
    {kAtom_toLocaleTimeString, false, false, true, 2},
};

const DateTextForm* FindTextForm(int32_t atom) {
  for (const DateTextForm& form : kTextForms) {
    if (form.atom == atom) return &form;
  }
  return nullptr;
}

// Fields in the order of TimeValue::Compose: year, month, day, hours,
// minutes, seconds, milliseconds.
constexpr int kFieldCount = 7;

// The setters: first field they replace and the most arguments they take.
struct DateSetter {
  int32_t field;
  uint32_t most;
};

bool FindSetter(int32_t atom, bool* utc, DateSetter* setter) {
  static constexpr DateSetter kSetters[] = {{0, 3}, {1, 2}, {2, 1}, {3, 4},
                                            {4, 3}, {5, 2}, {6, 1}};
  if (atom >= kAtom_setFullYear && atom <= kAtom_setMilliseconds) {
    *utc = false;
    *setter = kSetters[atom - kAtom_setFullYear];
    return true;
  }
  if (atom >= kAtom_setUTCFullYear && atom <= kAtom_setUTCMilliseconds) {
    *utc = true;
    *setter = kSetters[atom - kAtom_setUTCFullYear];
    return true;
  }
  return false;
}

// Years 0 to 99 stand for 1900 to 1999.
int32_t FullYear(int32_t year) { return year >= 0 && year <= 99 ? year + 1900 : year; }

// A time from fields given as the call's arguments (at least one): missing
// fields are 0, the day 1.
int32_t* ComposeFromArguments(int32_t* status, ScriptOperandStack* stack, uint32_t n, bool utc,
                              TimeValue* time) {
  int32_t fields[kFieldCount] = {0, 0, 1, 0, 0, 0, 0};
  for (uint32_t i = 0; i < n && i < kFieldCount; ++i) {
    if (*ArgumentToInteger(status, stack, n, i, &fields[i]) != kScriptOk) return status;
  }
  fields[0] = FullYear(fields[0]);
  time->Compose(utc, &fields[0], &fields[1], &fields[2], &fields[3], &fields[4], &fields[5],
                &fields[6]);
  *status = kScriptOk;
  return status;
}

}  // namespace

bool FormatScriptDate(TimeValue time, bool utc, bool withDate, bool withTime, int32_t style,
                      SharedWideString* text) {
  EncodedString formatted;
  if (!time.Format(&formatted, utc, withDate, withTime, style) || !formatted.IsOk()) return false;
  if (!formatted.ConvertToCodePage(65002)) return false;
  if (formatted.IsEmpty()) {
    text->Clear();
    return true;
  }
  return text->AssignEncodedString(formatted);
}

bool ParseScriptDate(const SharedWideString& text, TimeValue* time) {
  EncodedString encoded;
  if (!text.ToEncodedString(&encoded)) return false;
  TimeValue parsed;
  parsed.InitInvalid();
  if (!parsed.Parse(encoded, false, true) && !parsed.Parse(encoded, true, false)) return false;
  *time = parsed;
  return true;
}

ScriptDateObject* ScriptDateObject::Create(TimeValue time) {
  ScriptDateObject* object = DeviceNew<ScriptDateObject>();
  if (object != nullptr) object->time_ = time;
  return object;
}

ScriptDateObject* ScriptDateObject::CreateConstructor() {
  ScriptDateObject* object = DeviceNew<ScriptDateObject>();
  if (object != nullptr) {
    object->constructor_ = 1;
    object->time_.InitInvalid();
  }
  return object;
}

int32_t* ScriptDateObject::ResolveMember(int32_t* status, const ScriptNameToken& name,
                                         ScriptMemberRef* ref, uint8_t /*create*/) {
  int32_t atom = name.atom;
  bool known = constructor_ != 0
                   ? atom == kAtom_parse || atom == kAtom_UTC || atom == kScriptSubCodeConstruct
                   : atom == kAtom_toString || (atom >= kAtom_toUTCString && atom <= kAtom_valueOf);
  if (!ref->IsSelf() || !known) {
    *status = kScriptMemberUnknown;
    return status;
  }
  ref->owner = this;
  ref->memberCode = -1;
  ref->subCode = atom;
  *status = kScriptOk;
  return status;
}

int32_t* ScriptDateObject::GetMemberValue(int32_t* status, const ScriptMemberRef& ref,
                                          ScriptValueStore* store, ScriptValueHandle* result,
                                          int32_t wantedType) {
  if (constructor_ != 0 || !ref.IsSelf()) {
    *status = kScriptCannotGet;
    return status;
  }
  if (wantedType == kScriptTypeNumber || wantedType == kScriptTypeInteger) {
    return ResultNumber(status, store, time_.milliseconds, result);
  }
  SharedWideString text;
  if (!FormatScriptDate(time_, false, true, true, 0, &text)) {
    *status = kScriptNoMemory;
    return status;
  }
  return ResultString(status, store, text, result);
}

void ScriptDateObject::NotifyStore(int32_t event, ScriptValueStore* /*store*/) {
  if (event == kScriptStoreReleased) delete this;
}

int32_t* ScriptDateObject::Invoke(int32_t* status, const ScriptMemberRef& ref,
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
  if (constructor_ != 0) {
    return InvokeConstructor(status, ref.subCode, argumentCount, stack, result);
  }
  return InvokeMethod(status, ref.subCode, argumentCount, stack, result);
}

int32_t* ScriptDateObject::InvokeConstructor(int32_t* status, int32_t atom, uint32_t n,
                                             ScriptOperandStack* stack,
                                             ScriptValueHandle* result) {
  ScriptValueStore* store = CallStore(stack);
  switch (atom) {
    case 0: {
      // Date(...) called as a function: the current time's text.
      SharedWideString text;
      if (!FormatScriptDate(TimeValue::Now(), false, true, true, 0, &text)) {
        *status = kScriptNoMemory;
        return status;
      }
      return ResultString(status, store, text, result);
    }

    case kScriptSubCodeConstruct: {
      if (n > kFieldCount) {
        *status = kScriptBadParameterCount;
        return status;
      }
      TimeValue time;
      if (n == 0) {
        time = TimeValue::Now();
      } else if (n == 1) {
        if (ArgumentType(stack, n, 0) == kScriptTypeString) {
          SharedWideString text;
          if (*ArgumentToString(status, stack, n, 0, &text) != kScriptOk) return status;
          if (!ParseScriptDate(text, &time)) {
            *status = kScriptCannotParse;
            return status;
          }
        } else {
          double t = 0;
          if (*ArgumentToNumber(status, stack, n, 0, &t) != kScriptOk) return status;
          time.milliseconds = TimeClip(t);
        }
      } else if (*ComposeFromArguments(status, stack, n, false, &time) != kScriptOk) {
        return status;
      }
      return ResultFreshObject(status, store, Create(time), result);
    }

    case kAtom_parse: {
      if (n != 1) {
        *status = kScriptBadParameterCount;
        return status;
      }
      SharedWideString text;
      if (*ArgumentToString(status, stack, n, 0, &text) != kScriptOk) return status;
      TimeValue time;
      if (!ParseScriptDate(text, &time)) {
        *status = kScriptCannotParse;
        return status;
      }
      return ResultNumber(status, store, time.milliseconds, result);
    }

    case kAtom_UTC: {
      if (n < 2 || n > kFieldCount) {
        *status = kScriptBadParameterCount;
        return status;
      }
      TimeValue time;
      if (*ComposeFromArguments(status, stack, n, true, &time) != kScriptOk) return status;
      return ResultNumber(status, store, time.milliseconds, result);
    }

    default:
      *status = kScriptInvalidType;
      return status;
  }
}

int32_t* ScriptDateObject::InvokeMethod(int32_t* status, int32_t atom, uint32_t n,
                                        ScriptOperandStack* stack, ScriptValueHandle* result) {
  ScriptValueStore* store = CallStore(stack);
  bool utc = false;
  DateSetter setter{};
  if (atom == kAtom_setTime || FindSetter(atom, &utc, &setter)) {
    return InvokeSetter(status, atom, n, stack);
  }
  bool getter = FindTextForm(atom) != nullptr || atom == kAtom_getTime || atom == kAtom_valueOf ||
                (atom >= kAtom_getFullYear && atom <= kAtom_getTimeZoneOffset);
  if (!getter) {
    *status = kScriptInvalidType;
    return status;
  }
  if (n != 0) {
    *status = kScriptBadParameterCount;
    return status;
  }
  if (const DateTextForm* form = FindTextForm(atom)) {
    SharedWideString text;
    if (!FormatScriptDate(time_, form->utc, form->date, form->time, form->style, &text)) {
      *status = kScriptNoMemory;
      return status;
    }
    return ResultString(status, store, text, result);
  }
  if (atom == kAtom_getTime || atom == kAtom_valueOf) {
    return ResultNumber(status, store, time_.milliseconds, result);
  }
  if (!time_.IsValid()) return ResultNumber(status, store, kNaN, result);
  if (atom == kAtom_getTimeZoneOffset) {
    return ResultNumber(status, store, time_.LocalOffset() / 60000.0, result);
  }
  // The getters: local forms 206-213, UTC forms 214-221, each in the order
  // year, month, date, hours, minutes, seconds, milliseconds, day.
  utc = atom >= kAtom_getUTCFullYear;
  int32_t which = atom - (utc ? kAtom_getUTCFullYear : kAtom_getFullYear);
  int32_t fields[8] = {};
  time_.Split(utc, &fields[0], &fields[1], &fields[2], &fields[7], &fields[3], &fields[4],
              &fields[5], &fields[6]);
  return ResultInteger(status, store, fields[which], result);
}

int32_t* ScriptDateObject::InvokeSetter(int32_t* status, int32_t atom, uint32_t n,
                                        ScriptOperandStack* stack) {
  if (atom == kAtom_setTime) {
    if (n != 1) {
      *status = kScriptBadParameterCount;
      return status;
    }
    double t = 0;
    if (*ArgumentToNumber(status, stack, n, 0, &t) != kScriptOk) return status;
    time_.milliseconds = TimeClip(t);
    return status;
  }
  bool utc = false;
  DateSetter setter{};
  FindSetter(atom, &utc, &setter);
  if (n < 1 || n > setter.most) {
    *status = kScriptBadParameterCount;
    return status;
  }
  int32_t values[kFieldCount] = {};
  const int32_t* given[kFieldCount] = {};
  for (uint32_t i = 0; i < n; ++i) {
    int32_t field = setter.field + static_cast<int32_t>(i);
    if (*ArgumentToInteger(status, stack, n, i, &values[field]) != kScriptOk) return status;
    given[field] = &values[field];
  }
  if (setter.field == 0) values[0] = FullYear(values[0]);
  time_.Compose(utc, given[0], given[1], given[2], given[3], given[4], given[5], given[6]);
  *status = kScriptOk;
  return status;
}

// The built-ins' table for the interpreter (see builtin_objects.h).
#include "script/builtins/builtin_objects.h"

#include "platform/memory/allocator.h"
#include "script/builtins/date_object.h"
#include "script/builtins/math_object.h"
#include "script/builtins/string_object.h"

namespace {

ScriptObject* NewMath() { return DeviceNew<ScriptMathObject>(); }

void SetMathErrorSink(ScriptObject* math, ScriptErrorReporter* sink) {
  static_cast<ScriptMathObject*>(math)->SetErrorSink(sink);
}

ScriptObject* NewStringConstructor() { return ScriptStringObject::CreateConstructor(); }
ScriptObject* NewDateConstructor() { return ScriptDateObject::CreateConstructor(); }

}  // namespace

const ScriptBuiltinTable kScriptBuiltinObjects = {
    &NewMath,               // newMath
    &SetMathErrorSink,      // setMathErrorSink
    &NewStringConstructor,  // newStringConstructor
    &NewDateConstructor,    // newDateConstructor
    &WrapScriptString,      // wrapString
};

void UseScriptBuiltinObjects() { SetScriptBuiltinTable(&kScriptBuiltinObjects); }

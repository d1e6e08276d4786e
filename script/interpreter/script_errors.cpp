// The message table of runtime statuses and the formatting of a run's error
// into the text the user sees (see script_errors.h).
#include "script/interpreter/script_errors.h"

#include "script/interpreter/error_reporter.h"
#include "script/values/script_status.h"

namespace {

const WCHAR* const kStatusMessages[] = {
    u"No Error",
    u"Error: Not Enough Memory",
    u"Error: Cannot Resolve this type of object",
    u"Error: Object Unknown: ",
    u"Error: Member Unknown: ",
    u"Error: left of assignment must be an object or a variable",
    u"Error: Could not set value of object",
    u"Error: Could not get value of object",
    u"Error: Mathematic library not available",
    u"Error: Invalid type for requested action",
    u"Error: eval() function badly used",
    u"Error: could not parse text",
    (u"Error: Error while trying to convert a value (probably cannot get text or number from "
     u"object)"),
    u"Error: Bad parameter count",
    u"Error: Insufficient system resources to fulfill request",
    u"Error: Not yet implemented",
    u"Error: Could not load document or data",
    u"Error: Some data format seems to be more recent than reader",
    u"Error: Data is corrupted (or incoherent)",
    u"Error: Syntax error in SQL request",
    u"Error: Unknown object (table or column) referenced in SQL request",
    u"Internal error: Bad Operator",
    u"Internal error: Stack Underflow",
    u"Internal error: Bad Opcode",
    u"Internal error: Bad String Litteral Number",
    u"Internal error: Member code is not valid",
    u"Internal error: Heap in invalid state",
    u"Internal error: State should not be reached in normal conditions",
    u"Error: exception not handled",
    u"Error: Script stopped because it ran too long",
};

constexpr int32_t kStatusMessageCount =
    static_cast<int32_t>(sizeof(kStatusMessages) / sizeof(kStatusMessages[0]));
static_assert(kStatusMessageCount == kScriptStopped + 1, "one message per status");

constexpr WCHAR kGlobalText[] = u"global text";

}  // namespace

const WCHAR* GetScriptStatusMessage(int32_t status) {
  if (status < 0 || status >= kStatusMessageCount) return nullptr;
  return kStatusMessages[status];
}

bool FormatScriptError(const ScriptRuntimeError& error, ScriptErrorReporter* environment,
                       SharedWideString* text) {
  SharedWideString pattern;
  SharedWideString args[3];
  if (environment != nullptr) environment->LoadString(&pattern, kScriptErrorTemplateString);

  // %1: the message and the detail.
  if (error.status == kScriptMathMissing && environment != nullptr) {
    environment->LoadString(&args[0], kScriptMathMissingString);
  } else {
    const WCHAR* message = GetScriptStatusMessage(error.status);
    if (message != nullptr && !args[0].FromChars(message, WideStrLen(message))) return false;
  }
  if (error.detail.length != 0 && !args[0].Append(error.detail)) return false;

  // %2: the running function, or "global text".
  if (error.name.length != 0) {
    args[1].Assign(error.name);
  } else if (!args[1].FromChars(kGlobalText, WideStrLen(kGlobalText))) {
    return false;
  }

  // %3: the line.
  if (!args[2].AppendInt(error.line)) return false;

  SharedWideString out;
  if (!pattern.FormatPositional(args, 3, &out)) return false;
  text->Assign(out);
  return true;
}

#include "browser/view/script_request.h"

bool ScriptRequest::GetNumber(uint32_t i, uint32_t* value) const {
  if (i >= arguments.Count()) return false;
  const ScriptRequestArgument& argument = arguments[i];
  return argument.isNumber == 1 && argument.text.ParseUnsigned(10, value);
}

const SharedWideString* ScriptRequest::GetText(uint32_t i) const {
  if (i >= arguments.Count() || arguments[i].isNumber != 0) return nullptr;
  return &arguments[i].text;
}

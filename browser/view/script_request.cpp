#include "browser/view/script_request.h"

int32_t StyledStringList::Add(const SharedWideString& text, uint8_t isNumber) {
  ScriptRequestArgument* item = AddNew();
  if (item == nullptr) return -1;
  item->text = text;
  item->isNumber = isNumber;
  return static_cast<int32_t>(Count() - 1);
}

ScriptRequestArgument* StyledStringList::AddNew() { return Item(Count()); }

ScriptRequestArgument* StyledStringList::Item(uint32_t n) {
  if (n == UINT32_MAX) return nullptr;
  while (Count() <= n) {
    ScriptRequestArgument empty;
    if (Append(std::move(empty)) < 0) return nullptr;
  }
  return At(n);
}

bool ScriptRequest::GetNumber(uint32_t i, uint32_t* value) const {
  if (i >= arguments.Count()) return false;
  const ScriptRequestArgument& argument = arguments[i];
  return argument.isNumber == 1 && argument.text.ParseUnsigned(10, value);
}

bool ScriptRequest::GetSigned(uint32_t i, int32_t* value) const {
  if (i >= arguments.Count()) return false;
  const ScriptRequestArgument& argument = arguments[i];
  return argument.isNumber == 1 && argument.text.ParseInt(10, value);
}

const SharedWideString* ScriptRequest::GetText(uint32_t i) const {
  if (i >= arguments.Count() || arguments[i].isNumber != 0) return nullptr;
  return &arguments[i].text;
}

// The defaults of the ScriptObject interface and the building of name tokens.
#include "script/objects/script_object.h"

#include "script/values/name_table.h"
#include "script/values/script_status.h"

void ScriptNameToken::SetText(const SharedWideString& name) {
  text.Assign(name);
  atom = 0;
  int32_t found = 0;
  if (LookupScriptName(text.Chars(), text.length, &found)) atom = found;
}

bool ScriptNameToken::SetChars(const WCHAR* chars, uint32_t n) {
  SharedWideString copy;
  if (n != 0 && !copy.FromChars(chars, n)) return false;
  SetText(copy);
  return true;
}

void ScriptNameToken::SetAtom(int32_t n) {
  atom = n;
  GetAtomText(n, &text);
}

void ScriptNameToken::SetIndex(int32_t key) {
  text.Clear();
  atom = static_cast<int32_t>(static_cast<uint32_t>(key) | 0x80000000u);
}

ScriptObject::~ScriptObject() = default;

int32_t ScriptObject::GetKind() { return kScriptObjectKindHost; }

int32_t* ScriptObject::ResolveMember(int32_t* status, const ScriptNameToken&, ScriptMemberRef*,
                                     uint8_t) {
  *status = kScriptMemberUnknown;
  return status;
}

int32_t* ScriptObject::EnumerateMember(int32_t* status, int32_t, ScriptMemberRef*,
                                       SharedWideString*) {
  *status = kScriptMemberUnknown;
  return status;
}

int32_t* ScriptObject::Invoke(int32_t* status, const ScriptMemberRef&, uint32_t,
                              ScriptOperandStack*, ScriptValueHandle*) {
  *status = kScriptInvalidType;
  return status;
}

int32_t* ScriptObject::SetMemberValue(int32_t* status, const ScriptMemberRef&, ScriptValueStore*,
                                      ScriptValueHandle) {
  *status = kScriptCannotSet;
  return status;
}

int32_t* ScriptObject::GetMemberValue(int32_t* status, const ScriptMemberRef&, ScriptValueStore*,
                                      ScriptValueHandle*, int32_t) {
  *status = kScriptCannotGet;
  return status;
}

bool ScriptObject::AnswerFlag(uint8_t) { return false; }

void ScriptObject::NotifyStore(int32_t, ScriptValueStore*) {}

bool ScriptObject::VisitHeldValues(HeldValueVisitor, void*) { return false; }

void ScriptObject::DropHeldValues() {}

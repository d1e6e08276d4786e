// ScriptFunctionObject: the value of a script function. A function declared
// in a script becomes one of these, stored under its name in the object that
// receives the script's declarations. It keeps its script alive, the index
// of its code range, its name, and a copy of the scope chain it was declared
// in: a call runs on that chain (lexical scoping, so that a function declared
// inside another sees the outer one's variables), topped by a new scope that
// binds the parameters.
//
// The interpreter calls it itself once GetKind has answered 1: it asks the
// function for the chain of the call (BindArguments) and its code range
// (EnterCode). As a ScriptObject it resolves only the call member (318) and
// has no value; it deletes itself when the store lets it go.
#pragma once

#include <cstdint>

#include "foundation/wide_string/shared_wide_string.h"
#include "script/frames/scope_chain.h"
#include "script/frames/scope_declarations.h"
#include "script/objects/script_object.h"

class CompiledScript;
class ScriptActivation;
class ScriptOperandStack;

class ScriptFunctionObject : public ScriptObject {
 public:
  ScriptFunctionObject() = default;
  // Releases the script and the saved chain.
  ~ScriptFunctionObject() override;

  // Binds the function to its script (a new reference), the index of its
  // code range, a copy of the declaring chain and its name. kScriptNoMemory when
  // the chain cannot be copied.
  int32_t* Init(int32_t* status, CompiledScript* script, int32_t rangeIndex,
                const ScriptScopeChain& chain, const SharedWideString& name);

  // Builds the chain of a call with the top argumentCount values of the
  // stack as arguments: the saved chain and a new parameter scope marked as
  // the variable scope, holding the parameters and the function's own
  // declarations (PrepareFunctionActivation). *chain is replaced.
  int32_t* BindArguments(int32_t* status, ScriptOperandStack* stack, uint32_t argumentCount,
                         ScriptScopeChain* chain);

  // Points the activation at the function's code range and names it after
  // the function. kScriptNoMemory when the function has no script, kScriptDataCorrupted when its
  // range is not inside the script's code.
  int32_t* EnterCode(int32_t* status, ScriptActivation* activation);

  const SharedWideString& Name() const { return name_; }
  CompiledScript* Script() const { return script_; }
  int32_t RangeIndex() const { return rangeIndex_; }

  int32_t GetKind() override;
  // Only the call member (kAtomConstruct) on the function itself:
  // {this, -1, kAtomConstruct}.
  int32_t* ResolveMember(int32_t* status, const ScriptNameToken& name, ScriptMemberRef* ref,
                         uint8_t create) override;
  // A function has no value to read: kScriptCannotGet.
  int32_t* GetMemberValue(int32_t* status, const ScriptMemberRef& ref, ScriptValueStore* store,
                          ScriptValueHandle* result, int32_t wantedType) override;
  // kScriptStoreReleased deletes the function.
  void NotifyStore(int32_t event, ScriptValueStore* store) override;
  // The scopes of its chain: a function kept in a variable of a scope it
  // closes over makes a cycle that cycle collection must see.
  bool VisitHeldValues(HeldValueVisitor visit, void* data) override;
  void DropHeldValues() override;

 private:
  SharedWideString name_;
  CompiledScript* script_ = nullptr;  // counted reference
  int32_t rangeIndex_ = -1;
  // What the parameter scopes of its calls share (no stamp: no call bound
  // yet).
  ScriptCallLayout layout_;
  // The words of its range, once EnterCode has checked them.
  int32_t rangeStart_ = 0;
  int32_t rangeEnd_ = 0;
  uint8_t rangeChecked_ = 0;
  ScriptScopeChain chain_;
};

// Declaring a script's functions, variables and parameters in the objects of
// its scopes (see scope_declarations.h).
#include "script/frames/scope_declarations.h"

#include "platform/memory/allocator.h"
#include "script/bytecode/compiled_script.h"
#include "script/objects/dynamic_object.h"
#include "script/objects/interpreter_function_object.h"
#include "script/frames/operand_stack.h"
#include "script/frames/scope_chain.h"
#include "script/values/script_status.h"
#include "script/values/value_store.h"

namespace {

// The declaration's name, or null when its string index lies outside the
// table (code from storage).
const SharedWideString* DeclaredName(const CompiledScript& script, const ScriptDeclaration& d) {
  if (d.name < 0 || static_cast<uint32_t>(d.name) >= script.StringCount()) return nullptr;
  return &script.StringAt(static_cast<uint32_t>(d.name));
}

int32_t* DeclareFunction(int32_t* status, CompiledScript* script, const ScriptDeclaration& d,
                         const SharedWideString& name, ScriptObject* variables,
                         const ScriptScopeChain& chain, ScriptValueStore* store) {
  ScriptFunctionObject* function = DeviceNew<ScriptFunctionObject>();
  if (function == nullptr) {
    *status = kScriptNoMemory;
    return status;
  }
  if (*function->Init(status, script, d.range, chain, name) != kScriptOk) {
    delete function;
    return status;
  }
  ScriptValueHandle value = kScriptEmptyHandle;
  if (*store->NewObject(status, function, &value) != kScriptOk) {
    delete function;
    return status;
  }
  // From here the value owns the function: releasing it deletes a function
  // that could not be stored.
  SetScriptMemberByName(status, store, variables, name, value);
  int32_t outcome = *status;
  store->Release(&value);
  *status = outcome;
  return status;
}

int32_t* DeclareVariable(int32_t* status, const SharedWideString& name, ScriptObject* variables) {
  if (variables->GetKind() == kScriptObjectKindDynamic) {
    // An existing member keeps its value.
    ScriptDynamicObject* object = static_cast<ScriptDynamicObject*>(variables);
    *status = object->AddMember(name, false) < 0 ? kScriptNoMemory : kScriptOk;
    return status;
  }
  ScriptNameToken token;
  token.SetText(name);
  ScriptMemberRef ref;
  ref.owner = variables;
  return variables->ResolveMember(status, token, &ref, 1);
}

// Calls visit(declaration) for the declarations of the scope, in source
// order, while it answers true: through the script's index of scopes, or
// over every declaration when the index cannot be made.
template <typename Visit>
void ForEachDeclarationOf(const CompiledScript& script, int32_t scope, Visit visit) {
  const uint32_t* indexes = nullptr;
  uint32_t count = 0;
  if (script.DeclarationsOfScope(scope, &indexes, &count)) {
    for (uint32_t i = 0; i < count; ++i) {
      if (!visit(script.DeclarationAt(indexes[i]))) return;
    }
    return;
  }
  for (uint32_t i = 0; i < script.DeclarationCount(); ++i) {
    const ScriptDeclaration& d = script.DeclarationAt(i);
    if (d.scope == scope && !visit(d)) return;
  }
}

}  // namespace

int32_t* DeclareScriptNames(int32_t* status, CompiledScript* script, int32_t scope,
                            ScriptObject* variables, const ScriptScopeChain& chain,
                            ScriptValueStore* store) {
  *status = kScriptOk;
  if (script == nullptr) return status;
  if (variables == nullptr || store == nullptr) {
    if (script->DeclarationCount() != 0) *status = kScriptInvalidType;
    return status;
  }
  ForEachDeclarationOf(*script, scope, [&](const ScriptDeclaration& d) {
    if (d.kind == kDeclareParameter) return true;
    const SharedWideString* name = DeclaredName(*script, d);
    if (name == nullptr) {
      *status = kScriptDataCorrupted;
    } else if (d.kind == kDeclareFunction) {
      DeclareFunction(status, script, d, *name, variables, chain, store);
    } else if (d.kind == kDeclareVariable) {
      DeclareVariable(status, *name, variables);
    } else {
      *status = kScriptDataCorrupted;
    }
    return *status == kScriptOk;
  });
  return status;
}

int32_t* ExecuteCompiledScript(int32_t* status, CompiledScript* script, ScriptObject* variables,
                               const ScriptScopeChain& chain, ScriptValueStore* store) {
  return DeclareScriptNames(status, script, -1, variables, chain, store);
}

namespace {

// Binds argument i of the stack's top argumentCount values to member i of
// the variables (the parameters hold the first indexes), read through a
// member reference.
int32_t* BindArgument(int32_t* status, ScriptValueStore* store, ScriptOperandStack* stack,
                      uint32_t argumentCount, uint32_t i, ScriptDynamicObject* variables,
                      int32_t index) {
  ScriptValueHandle argument = stack->Argument(argumentCount, i);
  ScriptMemberRef ref{variables, index, 0, 1};
  if (ScriptHandleType(argument) != kScriptTypeObject) {
    // A value that is no object is its own value: bound as it is.
    return variables->ScriptDynamicObject::SetMemberValue(status, ref, store, argument);
  }
  ScriptValueHandle value = kScriptEmptyHandle;
  if (*store->GetReferencedValue(status, argument, &value) == kScriptOk) {
    // A plain object: its own setter, without the virtual call.
    variables->ScriptDynamicObject::SetMemberValue(status, ref, store, value);
  }
  int32_t outcome = *status;
  store->Release(&value);
  *status = outcome;
  return status;
}

}  // namespace

int32_t* PrepareFunctionActivation(int32_t* status, CompiledScript* script,
                                   const ScriptScopeChain& chain, int32_t rangeIndex,
                                   uint32_t argumentCount, ScriptOperandStack* stack,
                                   ScriptScopeChain* callChain, ScriptCallLayout* layout) {
  ScriptValueStore* store = stack->GetStore();
  if (store == nullptr || script == nullptr) {
    *status = kScriptBadHeapState;
    return status;
  }
  if (stack->Depth() < argumentCount) {
    *status = kScriptStackUnderflow;
    return status;
  }
  ScriptValueHandle activation = kScriptEmptyHandle;
  bool reused = false;
  if (layout != nullptr && layout->stamp != 0) {
    if (*store->NewPlainObjectOfLayout(status, layout->stamp, &activation, &reused) !=
        kScriptOk) {
      return status;
    }
  } else if (*store->NewPlainObject(status, &activation) != kScriptOk) {
    return status;
  }
  ScriptDynamicObject* variables =
      static_cast<ScriptDynamicObject*>(store->GetObjectSlot(activation)->ref.owner);

  callChain->SetStore(store);
  if (*callChain->CopyWithVariables(status, chain, activation) == kScriptOk) {
    if (reused) {
      // The names are there, every value undefined: the same steps as
      // below without the names added again.
      uint32_t bound = argumentCount < layout->parameters ? argumentCount : layout->parameters;
      for (uint32_t i = 0; i < bound && *status == kScriptOk; ++i) {
        BindArgument(status, store, stack, argumentCount, i, variables, static_cast<int32_t>(i));
      }
      if (*status == kScriptOk && layout->declaresFunctions != 0) {
        DeclareScriptNames(status, script, rangeIndex, variables, *callChain, store);
      }
    } else {
      uint32_t parameter = 0;
      uint8_t functions = 0;
      ForEachDeclarationOf(*script, rangeIndex, [&](const ScriptDeclaration& d) {
        if (d.kind == kDeclareFunction) functions = 1;
        if (d.kind != kDeclareParameter) return true;
        const SharedWideString* name = DeclaredName(*script, d);
        if (name == nullptr) {
          *status = kScriptDataCorrupted;
          return false;
        }
        // Each parameter is added anew (a repeated name renewed), so that
        // parameter i holds member index i.
        int32_t index = variables->AddMember(*name, true);
        if (index < 0) {
          *status = kScriptNoMemory;
          return false;
        }
        if (parameter < argumentCount) {
          BindArgument(status, store, stack, argumentCount, parameter, variables, index);
        }
        ++parameter;
        return *status == kScriptOk;
      });
      if (*status == kScriptOk) {
        DeclareScriptNames(status, script, rangeIndex, variables, *callChain, store);
      }
      if (*status == kScriptOk && layout != nullptr) {
        if (layout->stamp == 0) {
          layout->parameters = parameter;
          layout->declaresFunctions = functions;
        }
        variables->ShareNameStamp(&layout->stamp);
      }
    }
  }
  int32_t outcome = *status;
  store->Release(&activation);
  *status = outcome;
  return status;
}

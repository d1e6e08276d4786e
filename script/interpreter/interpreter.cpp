// The interpreter, the state of a run, and the run loop that executes
// instruction words one at a time (see interpreter.h).
#include "script/interpreter/interpreter.h"

#include <cstring>
#include <typeinfo>

#include "script/bytecode/compiled_script.h"
#include "script/bytecode/instruction_set.h"
#include "script/builtins/builtin_global_object.h"
#include "script/builtins/math_object.h"
#include "script/bytecode/site_cache.h"
#include "script/interpreter/interpreter_steps.h"
#include "script/operators/operators.h"
#include "script/objects/dynamic_object.h"
#include "script/objects/script_object.h"
#include "script/values/atoms.h"
#include "script/values/script_status.h"
#include "script/values/value_store.h"

namespace {

constexpr WCHAR kTypeofText[] = u"undefinedobjectbooleannumberstringfunction";
constexpr uint32_t kTypeofTextLength = 42;
static_assert(sizeof(kTypeofText) / sizeof(WCHAR) == kTypeofTextLength + 1, "typeof text");

struct TextPiece {
  uint32_t offset;
  uint32_t length;
};
constexpr TextPiece kTypeofPieces[] = {{0, 9}, {9, 6}, {15, 7}, {22, 6}, {28, 6}, {34, 8}};

}  // namespace

// ---- The frame

ScriptCallFrame::ScriptCallFrame(ScriptValueStore* s) : store(s), operands(s) {
  outer.SetStore(s);
}

ScriptCallFrame::~ScriptCallFrame() {
  store->ReleaseParked();
  store->Release(&result);
  operands.Pop(nullptr, operands.Depth());
  calls.Clear();
  outer.Clear();
}

void ScriptCallFrame::Fail(int32_t status, const SharedWideString& detail) {
  if (status != kScriptOk && error.status == kScriptOk) {
    error.status = status;
    error.detail.Assign(detail);
  }
}

// ---- The interpreter

ScriptInterpreter::ScriptInterpreter() {
  math_ = DeviceNew<ScriptMathObject>();
}

ScriptInterpreter::~ScriptInterpreter() {
  delete math_;
  typeofText_.Clear();
}

bool ScriptInterpreter::EnsureTypeofText() {
  if (typeofText_.length != 0) return true;
  return typeofText_.AttachExternal(kTypeofText, kTypeofTextLength);
}

void ScriptInterpreter::GetTypeofName(int32_t piece, SharedWideString* text) const {
  if (piece < kTypeofUndefined || piece > kTypeofFunction || typeofText_.length == 0) {
    text->Clear();
    return;
  }
  text->AssignSubstring(typeofText_, kTypeofPieces[piece].offset, kTypeofPieces[piece].length);
}

// ---- The run loop

namespace {

void PushNew(ScriptCallFrame* frame, ScriptValueHandle* value) {
  int32_t status = kScriptOk;
  frame->Fail(*frame->operands.Push(&status, value));
}

// Pops the top value into *value; kScriptStackUnderflow on an empty stack.
bool PopOne(ScriptCallFrame* frame, ScriptValueHandle* value) {
  if (frame->operands.Depth() == 0) {
    frame->Fail(kScriptStackUnderflow);
    return false;
  }
  frame->operands.Pop(value, 1);
  return true;
}

void PopIntoResult(ScriptCallFrame* frame) {
  ScriptValueHandle top = kScriptEmptyHandle;
  if (PopOne(frame, &top)) frame->store->MoveValue(&top, &frame->result);
}

// A conditional jump: pops the condition and jumps when it converts to
// `when`.
void JumpIf(ScriptCallFrame* frame, bool when, uint32_t target) {
  ScriptValueHandle condition = kScriptEmptyHandle;
  if (!PopOne(frame, &condition)) return;
  if (ScriptHandleType(condition) == kScriptTypeBoolean) {
    // A comparison's answer, the usual condition: nothing to convert or release.
    if ((ScriptHandleBoolean(condition) != 0) == when) {
      frame->current->position = static_cast<int32_t>(target);
    }
    return;
  }
  int32_t status = kScriptOk;
  uint8_t value = 0;
  frame->store->ToBoolean(&status, condition, &value);
  frame->store->Release(&condition);
  if (status != kScriptOk) {
    frame->Fail(status);
    return;
  }
  if ((value != 0) == when) frame->current->position = static_cast<int32_t>(target);
}

// PushNameString and PushAtom with their one operand word.
constexpr uint32_t kPushNameStringWord =
    static_cast<uint32_t>(ScriptOpcode::PushNameString) | (1u << kScriptOperandCountShift);
constexpr uint32_t kPushAtomWord =
    static_cast<uint32_t>(ScriptOpcode::PushAtom) | (1u << kScriptOperandCountShift);

// Executes one instruction whose operand words are `words`. Answers true
// when the run ended (the outermost activation returned).
bool ExecuteInstruction(ScriptInterpreter* interpreter, ScriptCallFrame* frame, uint32_t opcode,
                        uint32_t count, const uint32_t* words) {
  ScriptValueStore* store = frame->store;
  int32_t status = kScriptOk;
  ScriptValueHandle value = kScriptEmptyHandle;
  switch (static_cast<ScriptOpcode>(opcode)) {
    case ScriptOpcode::Return: {
      if (words[0] == 1) {
        PopIntoResult(frame);
      } else if (words[0] == 0) {
        store->Release(&frame->result);
      } else {
        frame->Fail(kScriptBadOpcode);
        return false;
      }
      if (frame->Failed()) return false;
      bool ended = false;
      EndScriptFunction(frame, true, &ended);
      return ended;
    }
    case ScriptOpcode::Operate:
      if ((words[0] == kOperatorCall || words[0] == kOperatorNew) && count == 2) {
        CallScriptFunction(interpreter, frame, words[1], words[0] == kOperatorNew);
      } else {
        ApplyScriptOperator(interpreter, frame, words[0]);
      }
      return false;
    case ScriptOpcode::ResolveName:
      ResolveScriptName(interpreter, frame);
      return false;
    case ScriptOpcode::PopResult:
      if (words[0] != 1) {
        frame->Fail(kScriptBadOpcode);
      } else {
        PopIntoResult(frame);
      }
      return false;
    case ScriptOpcode::PushBoolean:
      store->NewBoolean(&status, words[0] != 0 ? 1 : 0, &value);
      break;
    case ScriptOpcode::PushNumber: {
      uint64_t bits = (static_cast<uint64_t>(words[1]) << 32) | words[0];
      double number;
      std::memcpy(&number, &bits, sizeof number);
      store->NewNumber(&status, number, &value);
      break;
    }
    case ScriptOpcode::PushInteger:
      store->NewInteger(&status, static_cast<int32_t>(words[0]), &value);
      break;
    case ScriptOpcode::PushString:
    case ScriptOpcode::PushNameString: {
      const CompiledScript* script = frame->current->code;
      if (words[0] >= script->StringCount()) {
        frame->Fail(kScriptBadStringLiteral);
        return false;
      }
      store->NewString(&status, script->StringAt(words[0]), &value);
      break;
    }
    case ScriptOpcode::PushAtom:
      value = MakeScriptNameHandle(static_cast<int32_t>(words[0] & kScriptMaxSlotIndex));
      break;
    case ScriptOpcode::Jump:
      frame->current->position = static_cast<int32_t>(words[0]);
      return false;
    case ScriptOpcode::JumpIfFalse:
      JumpIf(frame, false, words[0]);
      return false;
    case ScriptOpcode::JumpIfTrue:
      JumpIf(frame, true, words[0]);
      return false;
    case ScriptOpcode::Line:
      frame->current->line = static_cast<int32_t>(words[0]);
      return false;
    default:
      frame->Fail(kScriptBadOpcode);
      return false;
  }
  if (status != kScriptOk) {
    frame->Fail(status);
    return false;
  }
  PushNew(frame, &value);
  return false;
}

// Whether the activation has run off the end of its code. Positions
// compare without sign: a jump to a negative word index ends the function
// like one past its end.
bool IsAtEnd(const ScriptActivation& activation) {
  return activation.code == nullptr ||
         static_cast<uint32_t>(activation.position) >= static_cast<uint32_t>(activation.end);
}

// The run has used up its budget. When its last instruction left nothing
// more to execute, only functions that have run off their ends, those end
// now as the loop would end them next, and so does the run; otherwise the
// run is stopped.
void StopUnlessOver(ScriptCallFrame* frame) {
  while (!frame->Failed() && frame->ended == 0 && IsAtEnd(*frame->current)) {
    bool ended = false;
    EndScriptFunction(frame, false, &ended);
  }
  if (frame->ended == 0) frame->Fail(kScriptStopped);
}

// Operators that read their top operand before anything else happens to
// it: the binary values (arithmetic, concatenation, comparisons, logic),
// the key of a[key], the value of "=" and its compound forms, and the
// unary ! and -. `binaryValue` asks for the binary values alone, which read
// the operand below the top as well.
bool ReadsTopOperand(uint32_t code, bool binaryValue) {
  switch (code) {
    case kOperatorRemainder:
    case kOperatorMultiply:
    case kOperatorDivide:
    case kOperatorSubtract:
    case kOperatorAdd:
    case kOperatorNotEqual:
    case kOperatorStrictEqual:
    case kOperatorEqual:
    case kOperatorGreaterOrEqual:
    case kOperatorLessOrEqual:
    case kOperatorGreater:
    case kOperatorLess:
    case kOperatorLogicalAnd:
    case kOperatorLogicalOr:
    case kOperatorStrictNotEqual:
      return true;
    case kOperatorIndex:
    case kOperatorAssign:
    case kOperatorSubtractAssign:
    case kOperatorAddAssign:
    case kOperatorRemainderAssign:
    case kOperatorDivideAssign:
    case kOperatorMultiplyAssign:
    case kOperatorLogicalNot:
    case kOperatorNegate:
      return !binaryValue;
    default:
      return false;
  }
}

constexpr uint32_t kResolveWord = static_cast<uint32_t>(ScriptOpcode::ResolveName);
constexpr uint32_t kOperateWord =
    static_cast<uint32_t>(ScriptOpcode::Operate) | (1u << kScriptOperandCountShift);

// Whether the instruction at word `at` reads the operand `depth` places
// below the top of the stack (0 or 1) before anything else happens to it:
// an operator above, or a call or `new`, whose arguments are read as values
// by every callee (a script function binding its parameters, a host method
// reading its arguments, eval its text) while the callee below them is not.
bool ReadsOperand(const uint32_t* code, uint32_t at, uint32_t end, uint32_t depth) {
  if (end - at < 2) return false;
  if (code[at] == kOperateWord) return ReadsTopOperand(code[at + 1], depth != 0);
  if (code[at] != kWordOperateCall || end - at < 3) return false;
  if (code[at + 1] != kOperatorCall && code[at + 1] != kOperatorNew) return false;
  return code[at + 2] > depth;  // the argument count
}

// Whether the value pushed before word `next` is read by what follows
// before anything could change it: the next instruction reads it (above, or
// member access by a name literal, which reads its object), or a literal or
// a variable is pushed and the instruction after reads both. Those in
// between cannot change a variable, so reading the value when it is pushed
// gives what the reader would read.
bool ReadAtOnce(const uint32_t* code, uint32_t next, uint32_t end) {
  if (end - next < 2) return false;
  uint32_t word = code[next];
  if (word == kOperateWord || word == kWordOperateCall) return ReadsOperand(code, next, end, 0);
  // `return name`: the function's end reads the value (RunNameLiteralPair
  // leaves the end of a run alone, whose caller takes what is returned).
  if (word == kWordReturn) return code[next + 1] == 1;
  if (word == kPushAtomWord || word == kPushNameStringWord) {
    if (end - next < 4) return false;
    if (code[next + 2] == kOperateWord) return code[next + 3] == kOperatorMember;
    if (code[next + 2] != kResolveWord) return false;
    return ReadsOperand(code, next + 3, end, 1);
  }
  uint32_t literal = 0;
  if (word == kWordPushInteger || word == kWordPushBoolean || word == kWordPushString) {
    literal = 2;
  } else if (word == kWordPushNumber) {
    literal = 3;
  } else {
    return false;
  }
  if (end - next < literal) return false;
  return ReadsOperand(code, next + literal, end, 1);
}

// Instructions that may run before a value pushed early is read
// (ReadAtOnce): the grant must cover them, so that no pause falls between
// the push and the read.
constexpr uint32_t kReadAtOnceReach = 4;

// The most common variable read, done in place: the site's cache entry
// holds (as ScriptScopeChain::HitsCache checks it) with scopes that are plain
// objects, each the very object recorded or another of its shared layout
// (the variables of another call of the same function), the last one being
// a plain object or the global object holding a member that scripts made;
// the member holds a value that is no member reference. The value read is
// what the cache and ReadMemberAtOnce would give. False, with nothing done,
// in any other case (the general way decides then).
bool ReadCachedAtOnce(const ScriptCallFrame* frame, const ScriptSiteCacheEntry* entry,
                      uint32_t site, ScriptValueHandle* value) {
  const ScriptScopeChain& scopes = frame->current->scopes;
  if (entry == nullptr || entry->position != site || entry->scopes == 0 ||
      entry->scopes > scopes.Depth() || entry->ref.subCode != 0) {
    return false;
  }
  ScriptValueStore* store = frame->store;
  uint32_t last = entry->scopes - 1;
  ScriptObject* owner = nullptr;
  for (uint32_t k = 0; k <= last; ++k) {
    ScriptObjectSlot* slot = store->GetObjectSlot(scopes.At(scopes.Depth() - 1 - k));
    if (slot == nullptr || !slot->ref.IsSelf() || slot->ref.owner == nullptr) return false;
    owner = slot->ref.owner;
    const std::type_info* type = &typeid(*owner);
    if (type == &typeid(ScriptDynamicObject)) {
      auto* scope = static_cast<ScriptDynamicObject*>(owner);
      if (scope->NameStamp() != entry->stamps[k]) return false;
      if (scope != entry->objects[k] &&
          (!scope->KeepsSharedLayout() || (k == last && entry->foundPlain == 0))) {
        return false;
      }
    } else if (type == &typeid(ScriptGlobalObject) && k == last) {
      if (owner != entry->objects[k] ||
          static_cast<ScriptDynamicObject*>(owner)->NameStamp() != entry->stamps[k]) {
        return false;
      }
    } else {
      return false;
    }
  }
  // The member was found in the last scope recorded: in this one at the
  // same index.
  if (entry->ref.owner != entry->objects[last]) return false;
  int32_t code = entry->ref.memberCode;
  if (&typeid(*owner) == &typeid(ScriptGlobalObject)) {
    if (code < ScriptGlobalObject::kGlobalDynamicBase) return false;
    code -= ScriptGlobalObject::kGlobalDynamicBase;
  }
  auto* object = static_cast<ScriptDynamicObject*>(owner);
  if (static_cast<uint32_t>(code) >= object->MemberCount() || !object->ReadsWithoutEffects()) {
    return false;
  }
  ScriptValueHandle member = object->MemberValue(static_cast<uint32_t>(code));
  if (ScriptHandleType(member) == kScriptTypeEmpty) return false;
  ScriptObjectSlot* held = store->GetObjectSlot(member);
  if (held != nullptr && !held->ref.IsSelf()) return false;
  store->CopyValue(member, value);
  return true;
}

// PushNameString or PushAtom directly followed by ResolveName or by
// `Operate 24` (a.name), the way every variable access and every member
// access by name is compiled: the name goes to the look-up as a token made
// from the script's string and its atom (looked up once per script), or
// from the atom, without a name value made and dropped in between. When
// what follows reads the result at once and `room` instructions may still
// run before the next pause, the value is pushed instead of the reference.
// Answers false, having done nothing, when the two instructions are not
// there.
bool RunNameLiteralPair(ScriptCallFrame* frame, uint32_t position, uint32_t end, uint32_t room) {
  const CompiledScript* script = frame->current->code;
  const uint32_t* code = script->Code();
  if (end - position < 3) return false;
  bool member = false;
  if (code[position + 2] != kResolveWord) {
    if (end - position < 4 || code[position + 2] != kOperateWord ||
        code[position + 3] != kOperatorMember) {
      return false;
    }
    member = true;
  }
  bool atomWord = code[position] == kPushAtomWord;
  uint32_t index = code[position + 1];
  if (!atomWord && index >= script->StringCount()) return false;  // the ordinary path reports it
  uint32_t next = position + (member ? 4 : 3);
  frame->current->position = static_cast<int32_t>(next);
  ScriptSiteCacheEntry* entry = script->SiteCacheAt(position);
  bool readNow = false;
  if (room > kReadAtOnceReach) {
    if (entry != nullptr && entry->decodedAt == position && entry->decodedEnd == end) {
      readNow = entry->readsAtOnce != 0;
    } else {
      readNow = ReadAtOnce(code, next, end);
      if (entry != nullptr) {
        entry->decodedAt = position;
        entry->decodedEnd = end;
        entry->readsAtOnce = readNow ? 1 : 0;
      }
    }
  }
  // The outermost activation's return ends the run: its caller gets the
  // reference as before.
  if (readNow && code[next] == kWordReturn && frame->calls.Depth() == 0) readNow = false;
  int32_t atom = atomWord ? static_cast<int32_t>(index & kScriptMaxSlotIndex)
                         : script->NameAtomAt(index);
  if (!member && readNow && atom != kAtom_this) {
    ScriptValueHandle value = kScriptEmptyHandle;
    if (ReadCachedAtOnce(frame, entry, position, &value)) {
      int32_t status = kScriptOk;
      frame->Fail(*frame->operands.Push(&status, &value));
      return true;
    }
  }
  ScriptMemberRef found;
  if (!member && atom != kAtom_this && frame->current->scopes.HitsCache(entry, position, &found)) {
    // Found as last time: the name itself is not needed.
    PushScopeReference(frame, found, readNow);
    return true;
  }
  ScriptNameToken token;
  if (atomWord) {
    token.SetAtom(atom);
  } else {
    token.text.Assign(script->StringAt(index));
    token.atom = atom;
  }
  if (member) {
    ApplyMemberByToken(frame, token, entry, position, readNow);
  } else {
    ResolveScriptToken(frame, token, entry, position, readNow);
  }
  return true;
}

}  // namespace

int32_t* ExecuteInstructions(ScriptInterpreter* interpreter, int32_t* status,
                             ScriptCallFrame* frame, bool* finished, ScriptPauseCallback pause,
                             void* data) {
  *finished = false;
  if (!interpreter->EnsureTypeofText()) frame->Fail(kScriptNoMemory);
  // A run stopped by its budget stays stopped.
  if (frame->budget.Exhausted() && frame->ended == 0) frame->Fail(kScriptStopped);
  // The instructions the loop may run before it next settles them with the
  // budget and asks the pause callback; counting them down is the whole
  // per-instruction cost of both.
  uint32_t granted = frame->budget.Grant(pause != nullptr);
  uint32_t untilCheck = granted;
  while (!frame->Failed() && frame->ended == 0) {
    ScriptActivation& activation = *frame->current;
    uint32_t position = static_cast<uint32_t>(activation.position);
    uint32_t end = static_cast<uint32_t>(activation.end);
    if (IsAtEnd(activation)) {
      bool ended = false;
      EndScriptFunction(frame, false, &ended);
      continue;
    }
    const uint32_t* code = activation.code->Code();
    uint32_t word = code[position];
    // The two most frequent instructions that cannot fail but for lack of
    // memory run here without the general decoding.
    if (word == kWordLine && end - position > 1) {
      activation.line = static_cast<int32_t>(code[position + 1]);
      activation.position = static_cast<int32_t>(position + 2);
    } else if (word == kWordPushInteger && end - position > 1) {
      activation.position = static_cast<int32_t>(position + 2);
      ScriptValueHandle value = MakeScriptIntegerHandle(static_cast<int32_t>(code[position + 1]));
      int32_t pushed = kScriptOk;
      frame->Fail(*frame->operands.Push(&pushed, &value));
    } else if ((word == kPushNameStringWord || word == kPushAtomWord) && untilCheck > 1 &&
               RunNameLiteralPair(frame, position, end, untilCheck - 2)) {
      // Two instructions in one step, counted as two: only while the grant
      // has room for both, so that the budget and the pauses fall where they
      // would fall one instruction at a time.
      --untilCheck;  // the first of the two; the second is counted below
    } else {
      uint32_t opcode = InstructionOpcode(word);
      uint32_t count = InstructionOperandCount(word);
      if (count >= end - position || !IsValidOperandCount(opcode, count)) {
        frame->Fail(kScriptBadOpcode);
        break;
      }
      const uint32_t* words = code + position + 1;
      // Set before the instruction runs: a call suspends the activation at
      // the next instruction, a jump overwrites it.
      activation.position = static_cast<int32_t>(position + 1 + count);
      ExecuteInstruction(interpreter, frame, opcode, count, words);
      if (frame->ended != 0) break;
    }
    if (--untilCheck != 0 || frame->Failed()) continue;
    // The grant is used up: settle it, then ask the callback.
    if (!frame->budget.Spend(granted)) {
      StopUnlessOver(frame);
      break;
    }
    granted = frame->budget.Grant(pause != nullptr);
    untilCheck = granted;
    if (pause != nullptr && pause(data)) {
      *status = kScriptOk;
      return status;
    }
  }
  // What is left of the grant needs no settling: the run is over.
  *finished = true;
  frame->store->ReleaseParked();
  *status = frame->error.status;
  return status;
}

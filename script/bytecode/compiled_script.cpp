// CompiledScript: its tables, the emission operations the compiler uses, and
// label resolution after a successful parse.
#include "script/bytecode/compiled_script.h"

#include <cstring>
#include <new>

#include "platform/memory/allocator.h"
#include "script/bytecode/instruction_set.h"
#include "script/values/name_table.h"

CompiledScript::CompiledScript() = default;

CompiledScript::~CompiledScript() {
  // The pool's chunk is shared with the strings that view it; each side
  // releases its own reference.
  strings_.Free();
  pool_.pool.Clear();
  DeviceFree(code_);
  DeviceFree(nameAtoms_);
  DeviceFree(siteCache_);
  DropScopeIndex();
  declarations_.Free();
  ranges_.Free();
  labels_.Free();
}

int32_t CompiledScript::LookUpNameAtom(uint32_t i) const {
  if (nameAtoms_ == nullptr && strings_.count != 0) {
    nameAtoms_ = static_cast<int32_t*>(DeviceAlloc(sizeof(int32_t) * strings_.count));
    if (nameAtoms_ != nullptr) {
      nameAtomCount_ = strings_.count;
      for (uint32_t k = 0; k < nameAtomCount_; ++k) nameAtoms_[k] = -1;
    }
  }
  if (i < nameAtomCount_ && nameAtoms_[i] >= 0) return nameAtoms_[i];
  const SharedWideString& text = *strings_.At(i);
  int32_t atom = 0;
  if (!LookupScriptName(text.Chars(), text.length, &atom)) atom = 0;
  if (i < nameAtomCount_) nameAtoms_[i] = atom;
  return atom;
}

void CompiledScript::DropScopeIndex() const {
  DeviceFree(scopeOrder_);
  DeviceFree(scopeStarts_);
  scopeOrder_ = nullptr;
  scopeStarts_ = nullptr;
  scopeSlots_ = 0;
}

bool CompiledScript::DeclarationsOfScope(int32_t scope, const uint32_t** indexes,
                                         uint32_t* count) const {
  if (scopeStarts_ == nullptr) {
    // Scopes -1 to the last range; a declaration naming another scope is in
    // no run (no scope asked for can be its own).
    uint32_t slots = ranges_.count + 1;
    uint32_t n = declarations_.count;
    scopeStarts_ = static_cast<uint32_t*>(DeviceAlloc(sizeof(uint32_t) * (slots + 1)));
    scopeOrder_ = static_cast<uint32_t*>(DeviceAlloc(sizeof(uint32_t) * (n != 0 ? n : 1)));
    if (scopeStarts_ == nullptr || scopeOrder_ == nullptr) {
      DropScopeIndex();
      return false;
    }
    scopeSlots_ = slots;
    for (uint32_t s = 0; s <= slots; ++s) scopeStarts_[s] = 0;
    auto slotOf = [&](int32_t declared) -> uint32_t {
      uint32_t slot = static_cast<uint32_t>(declared) + 1;  // -1 becomes 0
      return slot < slots ? slot : slots;                   // slots: no scope
    };
    // Counting sort, stable: the runs keep source order.
    for (uint32_t i = 0; i < n; ++i) {
      uint32_t slot = slotOf(declarations_.At(i)->scope);
      if (slot < slots) ++scopeStarts_[slot + 1];
    }
    for (uint32_t s = 0; s < slots; ++s) scopeStarts_[s + 1] += scopeStarts_[s];
    // scopeStarts_[s] is the next free place of run s while filling; the
    // runs' starts are restored after.
    for (uint32_t i = 0; i < n; ++i) {
      uint32_t slot = slotOf(declarations_.At(i)->scope);
      if (slot < slots) scopeOrder_[scopeStarts_[slot]++] = i;
    }
    for (uint32_t s = slots; s > 0; --s) scopeStarts_[s] = scopeStarts_[s - 1];
    scopeStarts_[0] = 0;
  }
  uint32_t slot = static_cast<uint32_t>(scope) + 1;
  if (slot >= scopeSlots_) {
    *indexes = scopeOrder_;
    *count = 0;
    return true;
  }
  *indexes = scopeOrder_ + scopeStarts_[slot];
  *count = scopeStarts_[slot + 1] - scopeStarts_[slot];
  return true;
}

ScriptSiteCacheEntry* CompiledScript::MakeSiteCache(uint32_t position) const {
  // About one entry per two words of code (a look-up takes three or four),
  // so that sites seldom share one; 32 to 2048 of them.
  uint32_t entries = 32;
  while (entries < 2048 && entries * 2 < codeCount_) entries *= 2;
  siteCache_ =
      static_cast<ScriptSiteCacheEntry*>(DeviceAlloc(sizeof(ScriptSiteCacheEntry) * entries));
  if (siteCache_ == nullptr) return nullptr;
  for (uint32_t i = 0; i < entries; ++i) new (&siteCache_[i]) ScriptSiteCacheEntry;
  siteCacheMask_ = entries - 1;
  return &siteCache_[position & siteCacheMask_];
}

void CompiledScript::Release() {
  if (--referenceCount_ <= 0) delete this;
}

void CompiledScript::Assign(CompiledScript** holder, CompiledScript* script) {
  if (*holder == script) return;
  if (script != nullptr) script->AddReference();
  CompiledScript* old = *holder;
  *holder = script;
  if (old != nullptr) old->Release();
}

bool CompiledScript::GrowCode(uint32_t needed) {
  if (needed <= codeCapacity_) return true;
  if (needed > 0x3FFFFFFFu) return false;  // word indices stay positive int32
  uint32_t capacity = codeCapacity_ < 64 ? 64 : codeCapacity_;
  while (capacity < needed) capacity = capacity > 0x1FFFFFFFu ? 0x3FFFFFFFu : capacity * 2;
  void* grown = DeviceRealloc(code_, static_cast<size_t>(capacity) * sizeof(uint32_t));
  if (grown == nullptr) return false;
  code_ = static_cast<uint32_t*>(grown);
  codeCapacity_ = capacity;
  return true;
}

void CompiledScript::AppendWord(uint32_t word) {
  if (!GrowCode(codeCount_ + 1)) {
    errorFlag_ = 1;
    return;
  }
  code_[codeCount_++] = word;
}

void CompiledScript::InsertWords(uint32_t at, const uint32_t* words, uint32_t n) {
  if (at > codeCount_ || n == 0) return;
  if (!GrowCode(codeCount_ + n)) {
    errorFlag_ = 1;
    return;
  }
  std::memmove(code_ + at + n, code_ + at, static_cast<size_t>(codeCount_ - at) * sizeof(uint32_t));
  std::memcpy(code_ + at, words, static_cast<size_t>(n) * sizeof(uint32_t));
  codeCount_ += n;
}

void CompiledScript::MoveLabel(int32_t label, int32_t delta) {
  if (label < 0 || static_cast<uint32_t>(label) >= labels_.count) return;
  *labels_.At(static_cast<uint32_t>(label)) += delta;
}

int32_t CompiledScript::AddString(const SharedWideString& text, uint32_t flags) {
  if (flags & kMergeEqual) {
    uint32_t n = strings_.count;
    for (uint32_t back = 1; back <= 3 && back <= n; ++back) {
      if (strings_.At(n - back)->CompareTo(text) == 0) return static_cast<int32_t>(n - back);
    }
  }
  SharedWideString* slot = strings_.AppendSlot();
  if (slot == nullptr) {
    errorFlag_ = 1;
    return 0;
  }
  *slot = text;
  // Packing copies the characters out of the source text, so the script does
  // not keep a compiled page's whole text alive; when it cannot, the string
  // stays a valid view of its old buffer.
  if (flags & kPackIntoPool) pool_.Pack(*slot, false);
  return static_cast<int32_t>(strings_.count - 1);
}

int32_t CompiledScript::AllocateLabel() {
  int32_t index = labels_.Append(-1);
  if (index < 0) errorFlag_ = 1;
  return index;
}

void CompiledScript::SetLabelHere(int32_t label) {
  if (label < 0 || static_cast<uint32_t>(label) >= labels_.count) return;
  *labels_.At(static_cast<uint32_t>(label)) = static_cast<int32_t>(codeCount_);
}

int32_t CompiledScript::AllocateLabelHere() {
  int32_t label = AllocateLabel();
  SetLabelHere(label);
  return label;
}

int32_t CompiledScript::AddDeclaration(int32_t scope, int32_t kind, int32_t name,
                                       int32_t* rangeOut) {
  int32_t range = -1;
  if (kind == kDeclareFunction) {
    range = AppendCodeRange(0, 0);
    if (range < 0) return -1;
  }
  if (rangeOut != nullptr) *rangeOut = range;
  DropScopeIndex();
  int32_t index = declarations_.Append(ScriptDeclaration{scope, kind, name, range});
  if (index < 0) errorFlag_ = 1;
  return index;
}

int32_t CompiledScript::AppendCodeRange(int32_t start, int32_t end) {
  DropScopeIndex();
  int32_t index = ranges_.Append(CodeRange{start, end});
  if (index < 0) errorFlag_ = 1;
  return index;
}

int32_t CompiledScript::AppendDeclaration(const ScriptDeclaration& declaration) {
  DropScopeIndex();
  int32_t index = declarations_.Append(declaration);
  if (index < 0) errorFlag_ = 1;
  return index;
}

void CompiledScript::SetCodeRange(int32_t index, int32_t start, int32_t end) {
  if (index < 0 || static_cast<uint32_t>(index) >= ranges_.count) return;
  *ranges_.At(static_cast<uint32_t>(index)) = CodeRange{start, end};
}

void CompiledScript::ResolveLabels() {
  if (labels_.count == 0 || errorFlag_ != 0) return;
  uint32_t position = 0;
  while (position < codeCount_) {
    uint32_t word = code_[position];
    uint32_t operands = InstructionOperandCount(word);
    if (operands > codeCount_ - position - 1) {
      errorFlag_ = 1;  // only a broken emitter can get here
      break;
    }
    if (IsJumpOpcode(InstructionOpcode(word))) {
      uint32_t label = code_[position + 1];
      int32_t target = label < labels_.count ? *labels_.At(label) : -1;
      if (target < 0 || static_cast<uint32_t>(target) > codeCount_) {
        errorFlag_ = 1;
      } else {
        code_[position + 1] = static_cast<uint32_t>(target);
      }
    }
    position += 1 + operands;
  }
  labels_.Clear();
}

bool CompiledScript::GetCodeRange(int32_t index, ScriptRunRange* out) {
  if (index == -1) {
    out->start = 0;
    out->end = static_cast<int32_t>(codeCount_);
  } else if (index >= 0 && static_cast<uint32_t>(index) < ranges_.count) {
    const CodeRange& range = *ranges_.At(static_cast<uint32_t>(index));
    out->start = range.start;
    out->end = range.end;
  } else {
    return false;
  }
  AddReference();
  out->script = this;
  return true;
}

// CompiledScript: one unit of compiled code. It holds the instruction words
// that the interpreter runs, the strings those words refer to (names and
// string literals), the declarations of functions, parameters and variables in
// source order, and the code range of every function. The compiler fills it,
// the saved-code reader can fill it instead, and everything that runs its code
// holds it by reference (function objects made from it keep it alive).
//
// Filling never stops at the first failed allocation: the error flag is set,
// later emission goes on harmlessly, and a script with the flag set is never
// run or saved.
//
// The code words are one contiguous array so that the run loop reads operand
// words in place; the other tables are segmented arrays (items never move).
#pragma once

#include <cstdint>

#include "foundation/containers/segmented_array_strings.h"
#include "foundation/containers/segmented_array_typed.h"
#include "foundation/wide_string/shared_wide_string.h"
#include "foundation/wide_string/shared_wide_string_pool.h"
#include "script/bytecode/site_cache.h"

// The code of one function: words [start, end).
struct CodeRange {
  int32_t start;
  int32_t end;
};

enum ScriptDeclarationKind : int32_t {
  kDeclareParameter = 0,
  kDeclareVariable = 1,
  kDeclareFunction = 2,
};

struct ScriptDeclaration {
  int32_t scope;  // code range index of the enclosing function; -1 at the top level
  int32_t kind;   // ScriptDeclarationKind
  int32_t name;   // string table index
  int32_t range;  // a function's code range index; -1 for the other kinds
};

class CompiledScript;

// What GetCodeRange hands to a run: the script (one reference taken for the
// holder, who releases it) and the words of the range.
struct ScriptRunRange {
  CompiledScript* script = nullptr;
  int32_t start = 0;
  int32_t end = 0;
};

class CompiledScript {
 public:
  // Flags of AddString.
  static constexpr uint32_t kMergeEqual = 1;   // reuse one of the last three equal entries
  static constexpr uint32_t kPackIntoPool = 2; // copy short strings into the pool's chunks
  static constexpr uint32_t kCompilerString = kMergeEqual | kPackIntoPool;
  static constexpr uint32_t kPoolChunkCharacters = 60;

  CompiledScript();
  ~CompiledScript();
  CompiledScript(const CompiledScript&) = delete;
  CompiledScript& operator=(const CompiledScript&) = delete;

  // ---- References. A new script has count 0; holders take references.
  void AddReference() { ++referenceCount_; }
  // Drops one reference; the last one deletes the script (made by DeviceNew).
  void Release();
  // Points a holder at `script`: the new script gains a reference, the old
  // one loses one; nothing happens when they are the same.
  static void Assign(CompiledScript** holder, CompiledScript* script);
  int32_t ReferenceCount() const { return referenceCount_; }

  // ---- Emission. Each failure sets the error flag.
  void AppendWord(uint32_t word);
  // The string's index in the table; 0 (with the error flag) when memory runs
  // out. See the flags above; the saved-code reader passes none.
  int32_t AddString(const SharedWideString& text, uint32_t flags = kCompilerString);
  // A new label (holding -1 until set); its number, or -1 with the error flag.
  int32_t AllocateLabel();
  // Sets the label to the current word count (ignored for -1).
  void SetLabelHere(int32_t label);
  int32_t AllocateLabelHere();
  // Appends a declaration; for a function it also appends an empty code range
  // whose index is stored in the declaration and in *rangeOut. The
  // declaration's index, or -1 with the error flag.
  int32_t AddDeclaration(int32_t scope, int32_t kind, int32_t name, int32_t* rangeOut);
  // Stores a function's words; ignored for an index outside the table.
  void SetCodeRange(int32_t index, int32_t start, int32_t end);
  // Appends a code range as it is (the saved-code reader); its index or -1.
  int32_t AppendCodeRange(int32_t start, int32_t end);
  // Appends a declaration as it is (the saved-code reader); its index, or -1
  // with the error flag.
  int32_t AppendDeclaration(const ScriptDeclaration& declaration);
  void SetErrorFlag() { errorFlag_ = 1; }
  // Inserts n words at word `at` (at most the word count), moving the words
  // behind it. Labels and code ranges are left as they are: the caller moves
  // those that point behind `at`.
  void InsertWords(uint32_t at, const uint32_t* words, uint32_t n);
  // Moves a set label by `delta` words (ignored for a label outside the table).
  void MoveLabel(int32_t label, int32_t delta);

  // Replaces every jump operand (a label number) by the label's word index,
  // then empties the label table. A label number outside the table, or one
  // that was never set or lies past the code, sets the error flag. Nothing
  // happens when there are no labels or the error flag is set.
  void ResolveLabels();

  // ---- Reading.
  bool HasError() const { return errorFlag_ != 0; }
  const uint32_t* Code() const { return code_; }
  uint32_t CodeCount() const { return codeCount_; }
  uint32_t StringCount() const { return strings_.count; }
  const SharedWideString& StringAt(uint32_t i) const { return *strings_.At(i); }
  // The atom of string i as a name (0 when it is none), looked up in the
  // name table once per string and kept: names resolved at run time need
  // not be looked up again on every access. i must be below StringCount().
  int32_t NameAtomAt(uint32_t i) const {
    if (i < nameAtomCount_ && nameAtoms_[i] >= 0) return nameAtoms_[i];
    return LookUpNameAtom(i);
  }
  // The cache entry of the look-up at word `position` (site_cache.h): the
  // entry to check and fill, whose position may name another site that
  // shares it. Null when the cache cannot be made (no memory).
  ScriptSiteCacheEntry* SiteCacheAt(uint32_t position) const {
    if (siteCache_ != nullptr) return &siteCache_[position & siteCacheMask_];
    return MakeSiteCache(position);
  }
  uint32_t DeclarationCount() const { return declarations_.count; }
  // The indexes of the declarations of one scope (-1: the top level, else a
  // code range index), in source order: *indexes points at *count of them.
  // Made on the first ask and kept until a declaration or a code range is
  // added, so that a call need not walk the declarations of every other
  // function. False when it cannot be made (no memory): the caller walks
  // every declaration instead.
  bool DeclarationsOfScope(int32_t scope, const uint32_t** indexes, uint32_t* count) const;
  const ScriptDeclaration& DeclarationAt(uint32_t i) const { return *declarations_.At(i); }
  uint32_t CodeRangeCount() const { return ranges_.count; }
  const CodeRange& CodeRangeAt(uint32_t i) const { return *ranges_.At(i); }
  uint32_t LabelCount() const { return labels_.count; }
  int32_t LabelAt(uint32_t i) const { return *labels_.At(i); }

  // -1 gives the whole top-level code {this, 0, word count}; otherwise the
  // stored range. The descriptor takes a reference to this script. False,
  // with nothing taken, for an index outside the table.
  bool GetCodeRange(int32_t index, ScriptRunRange* out);

 private:
  bool GrowCode(uint32_t needed);
  // NameAtomAt's look-up, kept when there is room.
  int32_t LookUpNameAtom(uint32_t i) const;
  // SiteCacheAt's first ask: the entries made.
  ScriptSiteCacheEntry* MakeSiteCache(uint32_t position) const;

  SegmentedTypedArray<int32_t, false> labels_;
  SegmentedTypedArray<CodeRange, false> ranges_;
  SegmentedTypedArray<ScriptDeclaration, false> declarations_;
  uint32_t* code_ = nullptr;
  uint32_t codeCount_ = 0;
  uint32_t codeCapacity_ = 0;
  SegmentedWideStringArray strings_;
  SharedWideStringPool pool_{kPoolChunkCharacters};
  uint8_t errorFlag_ = 0;
  int32_t referenceCount_ = 0;
  // NameAtomAt's answers, one per string when first asked (-1: not looked
  // up yet); null until then, or when memory ran out (then looked up each
  // time).
  mutable int32_t* nameAtoms_ = nullptr;
  mutable uint32_t nameAtomCount_ = 0;
  void DropScopeIndex() const;
  // DeclarationsOfScope's index: the declaration indexes ordered by scope,
  // and where each scope's run starts (scope + 1 indexes it; one more entry
  // ends the last run). Null until asked.
  mutable uint32_t* scopeOrder_ = nullptr;
  mutable uint32_t* scopeStarts_ = nullptr;
  mutable uint32_t scopeSlots_ = 0;
  // SiteCacheAt's entries, a power of two of them, made on the first ask.
  mutable ScriptSiteCacheEntry* siteCache_ = nullptr;
  mutable uint32_t siteCacheMask_ = 0;
};

// The state of one compilation and the rule machine that drives it.
//
// There is no syntax tree: a stack of rule frames stands for the rules under
// way. Each token is offered to the top frame, which consumes it or leaves it
// for the frame that becomes the top next; frames emit instruction words as
// soon as they know them and write jumps against numbered labels that the
// CompiledScript resolves after a successful parse. Popping a frame advances
// the step of the frame beneath, so a rule that pushed a sub-rule resumes at
// its next step when the sub-rule ends. Expressions are parsed by operator
// precedence on the same stack: a binary operator reduces the operator
// frames below it that bind at least as tightly (assignments only those that
// bind more tightly, so they group from the right).
#pragma once

#include <cstdint>

#include "foundation/containers/segmented_array_typed.h"
#include "foundation/wide_string/shared_wide_string.h"
#include "script/compiler/compiler.h"
#include "script/compiler/compiler_tokens.h"
#include "script/compiler/scanner.h"

class CompiledScript;

enum ScriptParseRule : int32_t {
  kRuleProgram = 0,
  kRuleStatement = 1,
  kRuleVar = 2,
  kRuleFunction = 3,
  kRuleWhile = 4,
  kRuleDo = 5,
  kRuleIf = 6,
  kRuleFor = 7,
  kRuleReturn = 8,
  kRuleContinue = 9,
  kRuleBreak = 10,
  kRuleSwitch = 11,
  kRuleCase = 12,
  kRuleDefault = 13,
  kRuleExpressionStatement = 14,
  kRuleLoop = 15,  // a loop rule that no construct uses
  kRuleBlock = 16,
  kRuleExpression = 18,
  kRulePostfix = 19,
  kRuleBinary = 20,
  kRuleConditional = 21,
  kRuleMemberChain = 22,
  kRuleOperand = 23,
  kRuleParenthesized = 24,
  kRuleNew = 25,
  kRuleArguments = 26,
};

struct ParseFrame {
  int32_t rule;
  int32_t op;      // operator, sub-kind or flags of the rule
  int32_t labelA;  // label numbers (-1 unset); argument count for ArgumentList
  int32_t labelB;
  int32_t step;
};

struct LoopLabels {
  int32_t continueLabel;
  int32_t breakLabel;
};

// A function whose body is being compiled. Loops below loopBase belong to
// the enclosing code, so break and continue never reach them.
struct FunctionScope {
  int32_t loopBase;
  int32_t start;       // first word of the body
  int32_t rangeIndex;  // its code range in the CompiledScript
};

struct ScriptToken {
  int32_t code = 0;     // ScriptTokenCode
  uint32_t start = 0;   // in the scanner's text
  uint32_t length = 0;
  int32_t integer = 0;  // decimal number (76)
  double number = 0;    // real number (75)
};

class ScriptParser {
 public:
  explicit ScriptParser(CompiledScript* script) : script(script) {}

  // ---- The compilation's state.
  ScriptScanner scanner;
  SharedWideString source;  // the attached text (token texts are views of it)
  int32_t line = 1;
  uint32_t lineStart = 0;   // scanner position where the current line starts
  int32_t pendingLine = 0;  // a line break's `Line` not yet placed (0: none)
  int32_t endPosition = -1;
  int32_t parseState = 0;   // 0, or the parse error code
  int32_t expectedToken = 0;
  int32_t offendingToken = 0;
  SegmentedTypedArray<ParseFrame, false> frames;
  SegmentedTypedArray<LoopLabels, false> loops;
  SegmentedTypedArray<FunctionScope, false> functions;
  CompiledScript* script;
  bool endDelivered = false;
  ScriptScanResult scanResult = kScanToken;

  // ---- Frames.
  ParseFrame* Top() const { return frames.count == 0 ? nullptr : frames.At(frames.count - 1); }
  ParseFrame* FrameAt(uint32_t i) const { return frames.At(i); }
  // Pushes a frame (labels -1); loop rules also push their LoopLabels. False,
  // with parse state 1, when memory runs out.
  bool Push(int32_t rule, int32_t step, int32_t op = 0);
  // Removes the top frame and advances the step of the new top.
  void Pop();
  // Removes the frame just below the top (a reduced operator): nothing else
  // changes.
  void RemoveBelowTop();
  // Pops every Statement frame on top (a Block or Statement has ended).
  void PopStatements();

  // ---- Labels. The parser sets labels through these so that it knows
  // which ones the current token's rule set (see PlacePendingLine).
  void SetLabelHere(int32_t label);
  int32_t AllocateLabelHere();
  // Starts a new record of the labels set (before each offer of a token).
  void ClearLabelRecord() {
    recentLabelCount = 0;
    recentLabelsOverflowed = false;
  }
  static constexpr uint32_t kRecentLabels = 8;
  int32_t recentLabels[kRecentLabels] = {};
  uint32_t recentLabelCount = 0;
  bool recentLabelsOverflowed = false;

  // ---- Errors.
  void Fail(int32_t code) {
    if (parseState == 0) parseState = code;
  }
  void Expect(int32_t token) {
    if (parseState != 0) return;
    parseState = kParseExpectedToken;
    expectedToken = token;
  }
  void Unexpected(const ScriptToken& token);

  // ---- Functions and loops.
  // The code range index of the innermost function, -1 at the top level.
  int32_t CurrentFunctionRange() const;
  // The innermost loop of the current function, or null.
  LoopLabels* InnermostLoop() const;
  // Declares a function named `name` and opens its scope with the body from
  // word `start`; false (parse state set) on failure.
  bool OpenFunction(const SharedWideString& name, int32_t start);
  // Stores the innermost function's range up to the current word count and
  // closes its scope.
  void CloseFunction();

  // ---- Tokens.
  // The token's own characters as a view of the source.
  SharedWideString TokenText(const ScriptToken& token) const;
};

// The parse loop: pushes Program and offers tokens until the text ends, the
// scanner fails, a parse error is set or the stack empties; then reports.
bool ParseScript(ScriptParser& parser, CompiledScript* script, ScriptCompileError* error);

// Fills the error record from the parser's state (true and nothing filled
// when the parse succeeded).
bool ReportParseError(ScriptParser& parser, ScriptCompileError* error, ScriptScanResult result);

// The text of a token for a declaration or a report: an identifier's own
// text; for an atom (a code above kTokenLastKeyword) the token's own text,
// which is the atom's text as the script spelled it (the pooled text of
// kAtom_remove and kAtom_clear joins both spellings, "Removeremove", and
// must not become a declared name); keywords (kTokenBreak to
// kTokenLastKeyword) only for a report, so that a keyword is never
// declared. False for any other code.
bool GetTokenText(int32_t code, const WCHAR* text, uint32_t length, SharedWideString* out,
                  bool forReport);

// Offers one token to the top frame; true when it was consumed. The rule
// handlers live in parser_statements.cpp and parser_expressions.cpp.
bool OfferToken(ScriptParser& parser, const ScriptToken& token);
bool OfferToStatementRule(ScriptParser& parser, ParseFrame* frame, const ScriptToken& token);
bool OfferToExpressionRule(ScriptParser& parser, ParseFrame* frame, const ScriptToken& token);

// True for a token that can name a declaration: an identifier or an atom
// that is not a keyword.
inline bool IsNameToken(int32_t code) {
  return code == kTokenIdentifier || code > kTokenLastKeyword;
}

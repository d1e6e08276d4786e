// The parse loop of the script compiler: token fetching (white space
// skipped, line breaks counted and emitted as `Line`), token refinement
// (keywords and atoms, number literals), the frame stack, and the error
// report.
#include "script/compiler/parser.h"

#include <cmath>

#include "layout/markup/keyword_tables.h"
#include "script/bytecode/compiled_script.h"
#include "script/compiler/compiler_emit.h"
#include "script/compiler/compiler_number_literal.h"
#include "script/compiler/compiler_tokens.h"

namespace {

bool IsLoopRule(int32_t rule) {
  return rule == kRuleWhile || rule == kRuleDo || rule == kRuleFor || rule == kRuleSwitch ||
         rule == kRuleLoop;
}

void RefineToken(ScriptParser& p, ScriptToken* t) {
  const WCHAR* text = p.scanner.Chars() + t->start;
  switch (t->code) {
    case kTokenIdentifier: {
      uint16_t atom = 0;
      if (LookupScriptKeyword(text, t->length, &atom) && atom != 0) t->code = kTokenAtomBase + atom;
      break;
    }
    case kTokenReal:
      if (!ParseRealLiteral(text, t->length, &t->number)) p.Fail(kParseBadNumber);
      break;
    case kTokenDecimal:
    case kTokenOctal:
    case kTokenHexadecimal: {
      int32_t value = 0;
      double number = 0;
      if (!ParseIntegerLiteral(text, t->length, 0, &value, &number)) {
        p.Fail(kParseBadNumber);
      } else if (std::isnan(number)) {
        t->code = kTokenDecimal;
        t->integer = value;
      } else {
        t->code = kTokenReal;
        t->number = number;
      }
      break;
    }
    default:
      break;
  }
}

// The next significant token. The end of the text is delivered once as the
// token -1; the fetch after it reports the end.
ScriptScanResult FetchToken(ScriptParser& p, ScriptToken* t) {
  if (p.endDelivered) return kScanEnd;
  for (;;) {
    ScriptScanResult result = p.scanner.NextToken();
    if (result == kScanEnd) {
      p.endDelivered = true;
      *t = ScriptToken{};
      t->code = kTokenEnd;
      t->start = p.scanner.Position();
      return kScanToken;
    }
    if (result != kScanToken) return result;
    const ScriptScannerAccept& accept = p.scanner.TokenAccept();
    if (accept.kind != kScannerKindToken) {
      if (accept.token == kScannerLineBreakToken) {
        ++p.line;
        p.lineStart = p.scanner.Position();
        p.pendingLine = p.line;
      }
      continue;
    }
    *t = ScriptToken{};
    t->code = accept.token;
    t->start = p.scanner.TokenStart();
    t->length = p.scanner.TokenLength();
    RefineToken(p, t);
    return kScanToken;
  }
}

// The spelling of a token code for a report: the token table's for 19-79,
// the keyword's text for 1001-1021, nothing otherwise.
void SpellToken(int32_t code, SharedWideString* out) {
  out->Clear();
  const char* text = nullptr;
  if (const ScriptTokenInfo* info = GetScriptTokenInfo(code)) {
    text = info->spelling;
  } else {
    text = GetScriptKeywordText(code);
  }
  if (text == nullptr) return;
  uint32_t n = 0;
  while (text[n] != 0) ++n;
  out->FromBytes(reinterpret_cast<const uint8_t*>(text), n);
}

// The `Line` of the line breaks before a token goes in front of the code of
// the rule that consumes the token: the code that the same token made the
// earlier rules finish (operators, jumps, labels, a function's end) belongs
// to the lines before, and a jump to a label set there still passes the
// `Line`. A run of line breaks gives one `Line` with the last number; those
// at the end of the text give none.
void PlacePendingLine(ScriptParser& p, const ScriptToken& token, uint32_t mark) {
  if (p.pendingLine == 0) return;
  int32_t line = p.pendingLine;
  p.pendingLine = 0;
  if (token.code == kTokenEnd || p.parseState != 0) return;
  const uint32_t words[2] = {kWordLine, static_cast<uint32_t>(line)};
  CompiledScript& s = *p.script;
  s.InsertWords(mark, words, 2);
  // What the consuming rule placed behind the mark moves with its words:
  // the labels it set (only it can have set labels past the mark) and the
  // start of a function it opened (only the innermost can start there).
  int32_t at = static_cast<int32_t>(mark);
  if (p.recentLabelsOverflowed) {
    for (uint32_t label = 0; label < s.LabelCount(); ++label) {
      if (s.LabelAt(label) > at) s.MoveLabel(static_cast<int32_t>(label), 2);
    }
  } else {
    for (uint32_t i = 0; i < p.recentLabelCount; ++i) {
      if (s.LabelAt(static_cast<uint32_t>(p.recentLabels[i])) > at) s.MoveLabel(p.recentLabels[i], 2);
    }
  }
  if (p.functions.count > 0) {
    FunctionScope* scope = p.functions.At(p.functions.count - 1);
    if (scope->start > at) scope->start += 2;
  }
}

}  // namespace

bool ScriptParser::Push(int32_t rule, int32_t step, int32_t op) {
  if (IsLoopRule(rule)) {
    if (loops.Append(LoopLabels{-1, -1}) < 0) {
      Fail(kParseNoMemory);
      return false;
    }
  }
  if (frames.Append(ParseFrame{rule, op, -1, -1, step}) < 0) {
    if (IsLoopRule(rule)) --loops.count;
    Fail(kParseNoMemory);
    return false;
  }
  return true;
}

void ScriptParser::Pop() {
  if (frames.count == 0) return;
  if (IsLoopRule(Top()->rule) && loops.count > 0) --loops.count;
  --frames.count;
  if (ParseFrame* top = Top()) ++top->step;
}

void ScriptParser::RemoveBelowTop() {
  if (frames.count < 2) return;
  *frames.At(frames.count - 2) = *frames.At(frames.count - 1);
  --frames.count;
}

void ScriptParser::PopStatements() {
  while (frames.count > 0 && Top()->rule == kRuleStatement) Pop();
}

void ScriptParser::SetLabelHere(int32_t label) {
  script->SetLabelHere(label);
  if (label < 0) return;
  // A label set twice in one call would be moved twice: record it once.
  for (uint32_t i = 0; i < recentLabelCount; ++i) {
    if (recentLabels[i] == label) return;
  }
  if (recentLabelCount < kRecentLabels) {
    recentLabels[recentLabelCount++] = label;
  } else {
    recentLabelsOverflowed = true;
  }
}

int32_t ScriptParser::AllocateLabelHere() {
  int32_t label = script->AllocateLabel();
  SetLabelHere(label);
  return label;
}

void ScriptParser::Unexpected(const ScriptToken& token) {
  if (parseState != 0) return;
  // At the end of the text no token is out of place: the rule under way
  // cannot end there.
  if (token.code == kTokenEnd) {
    parseState = kParsePrematureEnd;
    return;
  }
  parseState = kParseUnexpectedToken;
  offendingToken = token.code;
}

int32_t ScriptParser::CurrentFunctionRange() const {
  return functions.count == 0 ? -1 : functions.At(functions.count - 1)->rangeIndex;
}

LoopLabels* ScriptParser::InnermostLoop() const {
  int32_t base = functions.count == 0 ? 0 : functions.At(functions.count - 1)->loopBase;
  if (loops.count == 0 || static_cast<int32_t>(loops.count) <= base) return nullptr;
  return loops.At(loops.count - 1);
}

bool ScriptParser::OpenFunction(const SharedWideString& name, int32_t start) {
  int32_t scope = CurrentFunctionRange();
  int32_t nameIndex = script->AddString(name);
  int32_t range = -1;
  if (script->AddDeclaration(scope, 2, nameIndex, &range) < 0 || range < 0) {
    Fail(kParseNoMemory);
    return false;
  }
  if (functions.Append(FunctionScope{static_cast<int32_t>(loops.count), start, range}) < 0) {
    Fail(kParseNoMemory);
    return false;
  }
  return true;
}

void ScriptParser::CloseFunction() {
  if (functions.count == 0) return;
  const FunctionScope& scope = *functions.At(functions.count - 1);
  script->SetCodeRange(scope.rangeIndex, scope.start, static_cast<int32_t>(script->CodeCount()));
  --functions.count;
}

SharedWideString ScriptParser::TokenText(const ScriptToken& token) const {
  SharedWideString text;
  text.AssignSubstring(source, token.start, token.length);
  return text;
}

bool GetTokenText(int32_t code, const WCHAR* text, uint32_t length, SharedWideString* out,
                  bool forReport) {
  if (code == kTokenIdentifier || code > kTokenLastKeyword) return out->FromChars(text, length);
  if (code >= kTokenAtomBase && forReport) {
    SpellToken(code, out);
    return true;
  }
  return false;
}

bool OfferToken(ScriptParser& parser, const ScriptToken& token) {
  ParseFrame* frame = parser.Top();
  if (frame == nullptr) {
    parser.Fail(kParseNoMemory);  // a missing frame
    return true;
  }
  if (frame->rule >= kRuleExpression) return OfferToExpressionRule(parser, frame, token);
  return OfferToStatementRule(parser, frame, token);
}

bool ParseScript(ScriptParser& parser, CompiledScript* script, ScriptCompileError* error) {
  (void)script;
  ScriptScanResult result = kScanToken;
  if (parser.Push(kRuleProgram, 0)) {
    for (;;) {
      ScriptToken token;
      result = FetchToken(parser, &token);
      if (result != kScanToken || parser.parseState != 0) break;
      bool consumed = false;
      while (!consumed && parser.parseState == 0 && parser.frames.count > 0) {
        uint32_t mark = parser.script->CodeCount();
        parser.ClearLabelRecord();
        consumed = OfferToken(parser, token);
        if (consumed) PlacePendingLine(parser, token, mark);
      }
      if (parser.parseState != 0 || parser.frames.count == 0) break;
    }
  }
  parser.scanResult = result;
  return ReportParseError(parser, error, result);
}

bool ReportParseError(ScriptParser& parser, ScriptCompileError* error, ScriptScanResult result) {
  if (result == kScanEnd && parser.frames.count <= 1 && parser.parseState == 0) return true;
  error->line = parser.line;
  error->column = static_cast<int32_t>(parser.scanner.Position() - parser.lineStart);
  error->tokenText.Clear();
  if (result == kScanTextOnly) {
    error->code = kParseNoSuchToken;
  } else if (result == kScanEnd) {
    error->code = kParsePrematureEnd;
  } else if (result == kScanOutOfMemory) {
    error->code = kParseNoMemory;
  } else {
    error->code = parser.parseState;
    if (error->code == kParseExpectedToken) SpellToken(parser.expectedToken, &error->tokenText);
    if (error->code == kParseUnexpectedToken) SpellToken(parser.offendingToken, &error->tokenText);
  }
  return error->code == kParseOk;
}

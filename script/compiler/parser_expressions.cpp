// The expression rules of the script compiler: an operator-precedence parser
// on the rule stack. An Expression reads prefix operators and becomes an
// Operand; an Operand becomes a MemberChain (".name", "[index]", "(args)");
// a complete operand followed by a binary operator first reduces the
// operator frames below it that bind at least as tightly, then becomes a
// BinaryOperator frame whose right side is a new Expression.
#include "script/bytecode/compiled_script.h"
#include "script/compiler/compiler_emit.h"
#include "script/compiler/compiler_tokens.h"
#include "script/compiler/parser.h"
#include "script/values/script_value_escape.h"

namespace {

// MemberChain steps. Popping a sub-rule advances the step by one, so each
// sub-rule is pushed from the step before its resume step.
constexpr int32_t kChainNext = 1;        // expecting ".", "[", "(" or the end
constexpr int32_t kChainName = 2;        // after "."
constexpr int32_t kChainAfterNew = 9;    // a NewExpression is under way
constexpr int32_t kChainNewDone = 10;
constexpr int32_t kChainIndex = 11;      // the index Expression is under way
constexpr int32_t kChainIndexDone = 12;
constexpr int32_t kChainCall = 13;       // the ArgumentList is under way
constexpr int32_t kChainCallDone = 14;

// Operand steps: 0 expects the operand; 1 (and 2, after a postfix operator)
// has a complete one.
constexpr int32_t kOperandStart = 0;
constexpr int32_t kOperandComplete = 1;

int32_t PrefixOperator(int32_t code) {
  switch (code) {
    case kTokenMinus: return kTokenNegate;
    case kTokenMinusMinus: return kTokenMinusMinus;
    case kTokenPlusPlus: return kTokenPlusPlus;
    case kTokenTilde: return kTokenTilde;
    case kTokenBang: return kTokenBang;
    case kTokenTypeofKeyword: return kTokenTypeof;
    case kTokenLiteralStringKeyword: return kTokenLiteralString;
    default: return 0;
  }
}

int32_t Precedence(int32_t op) {
  const ScriptTokenInfo* info = GetScriptTokenInfo(op);
  return info == nullptr ? -1 : info->precedence;
}

// Emits and removes the operator frames below the top that bind at least as
// tightly as `op` (more tightly when op is an assignment, so that a = b = c
// assigns c to b first).
void Reduce(ScriptParser& p, int32_t op) {
  int32_t precedence = Precedence(op);
  bool rightToLeft = IsAssignmentOperator(op);
  while (p.frames.count >= 2) {
    const ParseFrame* below = p.FrameAt(p.frames.count - 2);
    bool operatorFrame = below->rule == kRuleBinary || (below->rule == kRuleExpression && below->op != 0);
    if (!operatorFrame) break;
    int32_t stacked = Precedence(below->op);
    if (rightToLeft ? stacked <= precedence : stacked < precedence) break;
    EmitOperate(*p.script, below->op);
    p.RemoveBelowTop();
  }
}

// True when a "(" after this chain belongs to a `new`: the chain is the
// constructor of a NewExpression, beneath it at most prefix operators. Any
// other frame in between (a parenthesis, an index, an argument list) makes
// the "(" a call. The walk stops at the first such frame, so a long run of
// pending operators is never walked again for each call.
bool IsConstructorOfNew(const ScriptParser& p, uint32_t index) {
  while (index > 0) {
    const ParseFrame* f = p.FrameAt(--index);
    if (f->rule == kRuleExpression && f->op != 0) continue;
    return f->rule == kRuleNew;
  }
  return false;
}

// Decodes a string token: it must end with the quote it begins with (not an
// escaped one), else the line or the text ended inside it.
bool PushStringLiteral(ScriptParser& p, const ScriptToken& t) {
  SharedWideString text = p.TokenText(t);
  const WCHAR* c = text.Chars();
  uint32_t n = text.length;
  bool closed = n > 1 && c[n - 1] == c[0];
  if (closed) {
    uint32_t backslashes = 0;
    while (backslashes < n - 2 && c[n - 2 - backslashes] == u'\\') ++backslashes;
    closed = backslashes % 2 == 0;
  }
  if (!closed) {
    p.Fail(kParseNewLineInString);
    return false;
  }
  SharedWideString inner;
  inner.AssignSubstring(text, 1, n - 2);
  SharedWideString decoded;
  int32_t status = 0;
  if (*UnescapeScriptString(&status, inner, &decoded) != 0) {
    p.Fail(kParseNoMemory);
    return false;
  }
  EmitPushString(*p.script, decoded);
  return true;
}

// Expression (18): prefix operators, then an Operand.
bool Expression(ScriptParser& p, ParseFrame* f, const ScriptToken& t) {
  if (f->step >= 1) {  // the operand of a prefix operator is complete
    int32_t op = f->op;
    p.Pop();
    EmitOperate(*p.script, op);
    return false;
  }
  if (t.code == kTokenPlus) return true;  // a prefix "+" changes nothing
  int32_t op = PrefixOperator(t.code);
  if (op != 0) {
    f->op = op;
    p.Push(kRuleExpression, 0);
    return true;
  }
  f->rule = kRuleOperand;
  f->step = kOperandStart;
  f->op = 0;
  return false;
}

bool OperandStart(ScriptParser& p, ParseFrame* f, const ScriptToken& t) {
  CompiledScript& s = *p.script;
  switch (t.code) {
    case kTokenIdentifier:
      EmitPushNameString(s, p.TokenText(t));
      EmitResolveName(s);
      break;
    case kTokenReal: EmitPushNumber(s, t.number); break;
    case kTokenDecimal: EmitPushInteger(s, t.integer); break;
    case kTokenString:
      if (!PushStringLiteral(p, t)) return true;
      break;
    case kTokenTrue: EmitPushBoolean(s, true); break;
    case kTokenFalse: EmitPushBoolean(s, false); break;
    case kTokenLeftParen:
      // Stays an Operand; the parenthesis brings it to step 1.
      p.Push(kRuleParenthesized, 0);
      return true;
    case kTokenNewKeyword:
      f->rule = kRuleMemberChain;
      f->step = kChainAfterNew;
      p.Push(kRuleNew, 0);
      return true;
    case kTokenThis:
      EmitPushAtom(s, t.code - kTokenAtomBase);
      EmitResolveName(s);
      break;
    default:
      if (t.code > kTokenLastKeyword) {  // a name of the engine's vocabulary
        EmitPushAtom(s, t.code - kTokenAtomBase);
        EmitResolveName(s);
        break;
      }
      p.Unexpected(t);
      return true;
  }
  f->rule = kRuleMemberChain;
  f->step = kChainNext;
  return true;
}

// Operand at step 1: a complete operand meets the next token.
bool OperandComplete(ScriptParser& p, ParseFrame* f, const ScriptToken& t) {
  f->step = kOperandComplete;
  // The constructor of a `new` is a member chain or a parenthesised
  // expression: any other token ends it, so `new Date - t` subtracts from
  // the new object.
  if (p.frames.count >= 2) {
    const ParseFrame* below = p.FrameAt(p.frames.count - 2);
    if (below->rule == kRuleNew && below->step == 0) {
      p.Pop();
      return false;
    }
  }
  // A member of a parenthesised value: `(a).b`, `("x" + y).length`.
  if (t.code == kTokenDot || t.code == kTokenLeftBracket) {
    f->rule = kRuleMemberChain;
    f->step = kChainNext;
    return false;
  }
  const ScriptTokenInfo* info = GetScriptTokenInfo(t.code);
  if (info == nullptr || t.code < kTokenColon || t.code > kTokenNegate || t.code == kTokenLeftParen) {
    p.Pop();  // the expression ends here
    return false;
  }
  switch (info->operatorClass) {
    case kClassBinary: {
      int32_t op = t.code;
      Reduce(p, op);
      ParseFrame* top = p.Top();  // the reduction may have moved this frame
      top->rule = kRuleBinary;
      top->op = op;
      top->step = 2;
      return true;
    }
    case kClassConditional:
      p.Fail(kParseNotImplemented);
      return true;
    case kClassPrefix:
      p.Push(kRulePostfix, 0);  // brings this frame to step 2
      return false;
    default:
      p.Pop();
      return false;
  }
}

// PostfixOperator (19): "++" or "--" after an operand.
bool Postfix(ScriptParser& p, const ScriptToken& t) {
  int32_t op = t.code == kTokenMinusMinus   ? kTokenPostfixDecrement
               : t.code == kTokenPlusPlus ? kTokenPostfixIncrement
                                          : 0;
  if (op == 0) {  // "!" or "~" cannot follow an operand
    p.Unexpected(t);
    return true;
  }
  p.Pop();
  EmitOperate(*p.script, op);
  return true;
}

// MemberChain (22).
bool MemberChain(ScriptParser& p, ParseFrame* f, const ScriptToken& t) {
  CompiledScript& s = *p.script;
  switch (f->step) {
    case kChainNewDone:
    case kChainNext:
      f->step = kChainNext;
      if (t.code == kTokenDot) {
        f->step = kChainName;
        return true;
      }
      if (t.code == kTokenLeftBracket) {
        f->step = kChainIndex;
        p.Push(kRuleExpression, 0);
        return true;
      }
      if (t.code == kTokenLeftParen && !IsConstructorOfNew(p, p.frames.count - 1)) {
        f->step = kChainCall;
        p.Push(kRuleArguments, 0, kTokenLeftParen);
        return true;
      }
      f->rule = kRuleOperand;
      f->step = kOperandComplete;
      return false;
    case kChainName:
      if (t.code == kTokenIdentifier) {
        EmitPushNameString(s, p.TokenText(t));
      } else if (t.code > kTokenLastKeyword) {
        EmitPushAtom(s, t.code - kTokenAtomBase);
      } else {
        p.Unexpected(t);
        return true;
      }
      EmitOperate(s, kTokenDot);
      f->step = kChainNext;
      return true;
    case kChainIndexDone:
      if (t.code != kTokenRightBracket) {
        p.Unexpected(t);
        return true;
      }
      EmitOperate(s, kTokenLeftBracket);
      f->step = kChainNext;
      return true;
    case kChainCallDone:
      if (t.code != kTokenRightParen) {
        p.Unexpected(t);
        return true;
      }
      f->step = kChainNext;
      return true;
    default:
      p.Fail(kParseBadStep);
      return true;
  }
}

// BinaryOperator (20): step 2 parses the right side, step 3 emits.
bool Binary(ScriptParser& p, ParseFrame* f) {
  if (f->step == 2) {
    p.Push(kRuleExpression, 0);
    return false;
  }
  int32_t op = f->op;
  p.Pop();
  EmitOperate(*p.script, op);
  return false;
}

// ParenthesizedExpression (24).
bool Parenthesized(ScriptParser& p, ParseFrame* f, const ScriptToken& t) {
  if (f->step == 0) {
    p.Push(kRuleExpression, 0);
    return false;
  }
  if (t.code != kTokenRightParen) {
    p.Expect(kTokenRightParen);
    return true;
  }
  p.Pop();
  return true;
}

// ArgumentList (26): Expressions separated by ","; at ")" (left for the
// chain or the NewExpression) it emits the call or `new` with the count.
// The frame's operator is 28 or 71; labelA counts the arguments.
bool Arguments(ScriptParser& p, ParseFrame* f, const ScriptToken& t) {
  if (f->step == 0) {
    if (t.code == kTokenRightParen) {
      int32_t op = f->op;
      p.Pop();
      EmitOperateCall(*p.script, op, 0);
      return false;
    }
    f->labelA = 1;
    f->step = 1;
    p.Push(kRuleExpression, 0);
    return false;
  }
  if (t.code == kTokenComma) {
    ++f->labelA;
    f->step = 1;
    p.Push(kRuleExpression, 0);
    return true;
  }
  if (t.code == kTokenRightParen) {
    int32_t op = f->op;
    int32_t count = f->labelA;
    p.Pop();
    EmitOperateCall(*p.script, op, count);
    return false;
  }
  p.Expect(kTokenRightParen);
  return true;
}

// NewExpression (25): the constructor, then an optional argument list.
bool New(ScriptParser& p, ParseFrame* f, const ScriptToken& t) {
  switch (f->step) {
    case 0:
      p.Push(kRuleExpression, 0);
      return false;
    case 1:
      if (t.code == kTokenLeftParen) {
        p.Push(kRuleArguments, 0, kTokenNew);
        return true;
      }
      p.Pop();
      EmitOperateCall(*p.script, kTokenNew, 0);
      return false;
    case 2:
      if (t.code != kTokenRightParen) {
        p.Expect(kTokenRightParen);
        return true;
      }
      p.Pop();
      return true;
    default:
      p.Fail(kParseBadStep);
      return true;
  }
}

}  // namespace

bool OfferToExpressionRule(ScriptParser& p, ParseFrame* f, const ScriptToken& t) {
  switch (f->rule) {
    case kRuleExpression: return Expression(p, f, t);
    case kRuleOperand:
      return f->step == kOperandStart ? OperandStart(p, f, t) : OperandComplete(p, f, t);
    case kRulePostfix: return Postfix(p, t);
    case kRuleBinary: return Binary(p, f);
    case kRuleConditional: p.Fail(kParseNotImplemented); return true;
    case kRuleMemberChain: return MemberChain(p, f, t);
    case kRuleParenthesized: return Parenthesized(p, f, t);
    case kRuleNew: return New(p, f, t);
    case kRuleArguments: return Arguments(p, f, t);
    default: p.Fail(kParseBadRule); return true;
  }
}

// The statement rules of the script compiler: statement lists (the program
// and blocks), single statements, var, function declarations, the loops, if,
// return, break and continue, and expression statements. Each handler gets
// the token offered to its frame and answers whether it consumed it.
#include "script/bytecode/compiled_script.h"
#include "script/compiler/compiler_emit.h"
#include "script/compiler/compiler_tokens.h"
#include "script/compiler/parser.h"

namespace {

// Flags of a for frame (its operator field).
constexpr int32_t kForExpressionInit = 1;
constexpr int32_t kForCondition = 2;
constexpr int32_t kForIncrement = 4;

bool IsStatementEnd(int32_t code) {
  return code == kTokenSemicolon || code == kTokenRightBrace || code == kTokenEnd;
}

// A statement keyword pushes its rule at step 1 (consumed); any other token
// starts an expression statement (not consumed).
bool StartStatement(ScriptParser& p, const ScriptToken& t) {
  switch (t.code) {
    case kTokenBreak: p.Push(kRuleBreak, 1); return true;
    case kTokenSwitch:
    case kTokenCase:
    case kTokenDefault: p.Fail(kParseNotImplemented); return true;
    case kTokenReturn:
      if (p.functions.count == 0) {
        p.Fail(kParseReturnOutsideFunction);
      } else {
        p.Push(kRuleReturn, 1);
      }
      return true;
    case kTokenContinue: p.Push(kRuleContinue, 1); return true;
    case kTokenFor: p.Push(kRuleFor, 1); return true;
    case kTokenWhile: p.Push(kRuleWhile, 1); return true;
    case kTokenDo: p.Push(kRuleDo, 1); return true;
    case kTokenIf: p.Push(kRuleIf, 1); return true;
    case kTokenFunction: p.Push(kRuleFunction, 1); return true;
    case kTokenVar: p.Push(kRuleVar, 1); return true;
    default: p.Push(kRuleExpressionStatement, 0); return false;
  }
}

// Program (0) and Block (16): statements until "}" (a block) or the end.
bool StatementList(ScriptParser& p, ParseFrame* f, const ScriptToken& t) {
  bool block = f->rule == kRuleBlock;
  switch (t.code) {
    case kTokenRightBrace:
      if (!block) {
        p.Unexpected(t);
        return true;
      }
      p.Pop();
      p.PopStatements();
      return true;
    case kTokenLeftBrace: p.Push(kRuleBlock, 0); return true;
    case kTokenSemicolon: return true;
    case kTokenEnd:
      if (block) p.Expect(kTokenRightBrace);
      return true;
    default: return StartStatement(p, t);
  }
}

// Statement (1): exactly one statement. Step 0: a statement is expected;
// later steps: it is complete, and a ";" ends it.
bool Statement(ScriptParser& p, ParseFrame* f, const ScriptToken& t) {
  if (f->step >= 1) {
    p.Pop();
    p.PopStatements();
    return t.code == kTokenSemicolon;
  }
  switch (t.code) {
    case kTokenRightBrace: p.Unexpected(t); return true;
    case kTokenEnd: p.Fail(kParsePrematureEnd); return true;
    case kTokenLeftBrace: p.Push(kRuleBlock, 0); return true;
    case kTokenSemicolon:  // the empty statement
      p.Pop();
      p.PopStatements();
      return true;
    default: return StartStatement(p, t);
  }
}

void DeclareName(ScriptParser& p, const ScriptToken& t, int32_t scope, int32_t kind,
                 int32_t* nameIndex) {
  SharedWideString name = p.TokenText(t);
  int32_t index = p.script->AddString(name);
  if (nameIndex != nullptr) *nameIndex = index;
  if (p.script->AddDeclaration(scope, kind, index, nullptr) < 0) p.Fail(kParseNoMemory);
}

// var (2): names, each with an optional initialiser. labelA holds the
// current name's string index.
bool Var(ScriptParser& p, ParseFrame* f, const ScriptToken& t) {
  switch (f->step) {
    case 1:
      if (!IsNameToken(t.code)) {
        p.Expect(kTokenIdentifier);
        return true;
      }
      DeclareName(p, t, p.CurrentFunctionRange(), kDeclareVariable, &f->labelA);
      f->step = 2;
      return true;
    case 2:
      if (t.code == kTokenComma) {
        f->step = 1;
        return true;
      }
      if (IsStatementEnd(t.code)) {
        p.Pop();
        return false;
      }
      if (t.code == kTokenAssign) {
        EmitPushNameIndex(*p.script, f->labelA);
        EmitResolveName(*p.script);
        p.Push(kRuleExpression, 0);
        return true;
      }
      // `var a b`: the declaration needs a separator.
      p.Expect(kTokenSemicolon);
      return true;
    case 3:
      EmitOperate(*p.script, kTokenAssign);
      EmitPopResult(*p.script);
      if (t.code == kTokenComma) {
        f->step = 1;
        return true;
      }
      if (IsStatementEnd(t.code)) {
        p.Pop();
        return false;
      }
      p.Expect(kTokenSemicolon);
      return true;
    default:
      p.Fail(kParseBadStep);
      return true;
  }
}

// function (3): name, parameters, body. labelA is the label after the body,
// which the enclosing code jumps to.
bool Function(ScriptParser& p, ParseFrame* f, const ScriptToken& t) {
  switch (f->step) {
    case 1: {
      if (!IsNameToken(t.code)) {
        p.Expect(kTokenIdentifier);
        return true;
      }
      int32_t label = p.script->AllocateLabel();
      EmitJump(*p.script, ScriptOpcode::Jump, label);
      if (!p.OpenFunction(p.TokenText(t), static_cast<int32_t>(p.script->CodeCount()))) return true;
      f = p.Top();
      f->labelA = label;
      f->step = 2;
      return true;
    }
    case 2:
      if (t.code == kTokenLeftParen) f->step = 3;
      else p.Expect(kTokenLeftParen);
      return true;
    case 3:
    case 5:
      if (f->step == 3 && t.code == kTokenRightParen) {
        f->step = 6;
        return true;
      }
      if (!IsNameToken(t.code)) {
        p.Expect(kTokenIdentifier);
        return true;
      }
      DeclareName(p, t, p.CurrentFunctionRange(), kDeclareParameter, nullptr);
      f->step = 4;
      return true;
    case 4:
      if (t.code == kTokenComma) f->step = 5;
      else if (t.code == kTokenRightParen) f->step = 6;
      else p.Expect(kTokenRightParen);
      return true;
    case 6:
      if (t.code != kTokenLeftBrace) {
        p.Expect(kTokenLeftBrace);
        return true;
      }
      p.Push(kRuleBlock, 0);  // its end brings the frame to step 7
      return true;
    case 7:
      p.CloseFunction();
      p.SetLabelHere(f->labelA);
      p.Pop();
      return false;
    default:
      p.Fail(kParseBadStep);
      return true;
  }
}

// while (4): L: [c] JumpIfFalse B [s] Jump L B:
bool While(ScriptParser& p, ParseFrame* f, const ScriptToken& t) {
  switch (f->step) {
    case 1: {
      if (t.code != kTokenLeftParen) {
        p.Expect(kTokenLeftParen);
        return true;
      }
      LoopLabels* loop = p.InnermostLoop();
      if (loop == nullptr) {
        p.Fail(kParseNoMemory);  // the loop's own entry is missing
        return true;
      }
      f->labelA = p.AllocateLabelHere();
      f->labelB = p.script->AllocateLabel();
      *loop = LoopLabels{f->labelA, f->labelB};
      p.Push(kRuleExpression, 0);
      return true;
    }
    case 2:
      if (t.code != kTokenRightParen) {
        p.Expect(kTokenRightParen);
        return true;
      }
      EmitJump(*p.script, ScriptOpcode::JumpIfFalse, f->labelB);
      p.Push(kRuleStatement, 0);
      return true;
    case 3:
      EmitJump(*p.script, ScriptOpcode::Jump, f->labelA);
      p.SetLabelHere(f->labelB);
      p.Pop();
      return false;
    default:
      p.Fail(kParseBadStep);
      return true;
  }
}

// do (5): L: [s] C: [c] JumpIfTrue L B:
bool Do(ScriptParser& p, ParseFrame* f, const ScriptToken& t) {
  LoopLabels* loop = p.InnermostLoop();
  if (loop == nullptr) {
    p.Fail(kParseNoMemory);
    return true;
  }
  switch (f->step) {
    case 1:
      f->labelA = p.AllocateLabelHere();
      loop->continueLabel = p.script->AllocateLabel();
      loop->breakLabel = p.script->AllocateLabel();
      p.Push(kRuleStatement, 0);
      return false;
    case 2:
      if (t.code == kTokenWhile) f->step = 3;
      else p.Expect(kTokenWhile);
      return true;
    case 3:
      if (t.code != kTokenLeftParen) {
        p.Expect(kTokenLeftParen);
        return true;
      }
      p.SetLabelHere(loop->continueLabel);
      p.Push(kRuleExpression, 0);
      return true;
    case 4:
      if (t.code != kTokenRightParen) {
        p.Expect(kTokenRightParen);
        return true;
      }
      EmitJump(*p.script, ScriptOpcode::JumpIfTrue, f->labelA);
      p.SetLabelHere(loop->breakLabel);
      p.Pop();
      return true;
    default:
      p.Fail(kParseBadStep);
      return true;
  }
}

// if (6): [c] JumpIfFalse A [s] (Jump B A: [t] B: | A:)
bool If(ScriptParser& p, ParseFrame* f, const ScriptToken& t) {
  switch (f->step) {
    case 1:
      if (t.code != kTokenLeftParen) {
        p.Expect(kTokenLeftParen);
        return true;
      }
      p.Push(kRuleExpression, 0);
      return true;
    case 2:
      if (t.code != kTokenRightParen) {
        p.Expect(kTokenRightParen);
        return true;
      }
      f->labelA = p.script->AllocateLabel();
      EmitJump(*p.script, ScriptOpcode::JumpIfFalse, f->labelA);
      p.Push(kRuleStatement, 0);
      return true;
    case 3:
      if (t.code == kTokenElse) {
        f->labelB = p.script->AllocateLabel();
        EmitJump(*p.script, ScriptOpcode::Jump, f->labelB);
        p.SetLabelHere(f->labelA);
        p.Push(kRuleStatement, 0);
        return true;
      }
      p.SetLabelHere(f->labelA);
      p.Pop();
      return false;
    case 4:
      p.SetLabelHere(f->labelB);
      p.Pop();
      return false;
    default:
      p.Fail(kParseBadStep);
      return true;
  }
}

// for (7): [i] (PopResult unless var) A: [c] JumpIfFalse Brk (Jump S C: [n]
// PopResult Jump A S:) [s] Jump continue Brk:. labelA is A, labelB is S; the
// loop entry holds the continue and break labels. An empty condition emits
// no test.
bool For(ScriptParser& p, ParseFrame* f, const ScriptToken& t) {
  LoopLabels* loop = p.InnermostLoop();
  if (loop == nullptr) {
    p.Fail(kParseNoMemory);
    return true;
  }
  switch (f->step) {
    case 1:
      if (t.code == kTokenLeftParen) f->step = 2;
      else p.Expect(kTokenLeftParen);
      return true;
    case 2:
      if (t.code == kTokenVar) {
        p.Push(kRuleVar, 1);
        return true;
      }
      if (t.code == kTokenSemicolon) {
        f->step = 4;
        return true;
      }
      f->op |= kForExpressionInit;
      p.Push(kRuleExpression, 0);
      return false;
    case 3:
      if (t.code != kTokenSemicolon) {
        p.Expect(kTokenSemicolon);
        return true;
      }
      if (f->op & kForExpressionInit) EmitPopResult(*p.script);
      f->step = 4;
      return true;
    case 4:
      f->labelA = p.AllocateLabelHere();
      loop->breakLabel = p.script->AllocateLabel();
      loop->continueLabel = f->labelA;
      if (t.code != kTokenSemicolon) {
        f->op |= kForCondition;
        p.Push(kRuleExpression, 0);
        return false;
      }
      f->step = 5;
      [[fallthrough]];
    case 5:
      if (t.code != kTokenSemicolon) {
        p.Expect(kTokenSemicolon);
        return true;
      }
      if (f->op & kForCondition) EmitJump(*p.script, ScriptOpcode::JumpIfFalse, loop->breakLabel);
      f->step = 6;
      return true;
    case 6:
      if (t.code != kTokenRightParen) {
        f->labelB = p.script->AllocateLabel();
        EmitJump(*p.script, ScriptOpcode::Jump, f->labelB);
        loop->continueLabel = p.AllocateLabelHere();
        f->op |= kForIncrement;
        p.Push(kRuleExpression, 0);
        return false;
      }
      f->step = 7;
      [[fallthrough]];
    case 7:
      if (t.code != kTokenRightParen) {
        p.Expect(kTokenRightParen);
        return true;
      }
      if (f->op & kForIncrement) {
        EmitPopResult(*p.script);
        EmitJump(*p.script, ScriptOpcode::Jump, f->labelA);
        p.SetLabelHere(f->labelB);
      }
      p.Push(kRuleStatement, 0);
      return true;
    case 8:
      EmitJump(*p.script, ScriptOpcode::Jump, loop->continueLabel);
      p.SetLabelHere(loop->breakLabel);
      p.Pop();
      return false;
    default:
      p.Fail(kParseBadStep);
      return true;
  }
}

// return (8): Return 0, or [e] Return 1; ";", "}" or the end must follow.
bool Return(ScriptParser& p, ParseFrame* f, const ScriptToken& t) {
  switch (f->step) {
    case 1:
      if (IsStatementEnd(t.code)) {
        EmitReturn(*p.script, false);
        p.Pop();
        return false;
      }
      p.Push(kRuleExpression, 0);
      return false;
    case 2:
      if (!IsStatementEnd(t.code)) {
        p.Expect(kTokenSemicolon);
        return true;
      }
      EmitReturn(*p.script, true);
      p.Pop();
      return false;
    default:
      p.Fail(kParseBadStep);
      return true;
  }
}

// continue (9) and break (10): a jump to the innermost loop of the function.
bool BreakOrContinue(ScriptParser& p, ParseFrame* f, const ScriptToken& t) {
  LoopLabels* loop = p.InnermostLoop();
  if (loop == nullptr) {
    p.Fail(kParseNoLoop);
    return true;
  }
  if (!IsStatementEnd(t.code)) {
    p.Expect(kTokenSemicolon);
    return true;
  }
  int32_t label = f->rule == kRuleBreak ? loop->breakLabel : loop->continueLabel;
  EmitJump(*p.script, ScriptOpcode::Jump, label);
  p.Pop();
  return false;
}

// Expression statement (14): [e] PopResult 1.
bool ExpressionStatement(ScriptParser& p, ParseFrame* f, const ScriptToken&) {
  if (f->step == 0) {
    p.Push(kRuleExpression, 0);
    return false;
  }
  EmitPopResult(*p.script);
  p.Pop();
  return false;
}

}  // namespace

bool OfferToStatementRule(ScriptParser& p, ParseFrame* f, const ScriptToken& t) {
  switch (f->rule) {
    case kRuleProgram:
    case kRuleBlock: return StatementList(p, f, t);
    case kRuleStatement: return Statement(p, f, t);
    case kRuleVar: return Var(p, f, t);
    case kRuleFunction: return Function(p, f, t);
    case kRuleWhile: return While(p, f, t);
    case kRuleDo: return Do(p, f, t);
    case kRuleIf: return If(p, f, t);
    case kRuleFor: return For(p, f, t);
    case kRuleReturn: return Return(p, f, t);
    case kRuleContinue:
    case kRuleBreak: return BreakOrContinue(p, f, t);
    case kRuleExpressionStatement: return ExpressionStatement(p, f, t);
    case kRuleSwitch:
    case kRuleCase:
    case kRuleDefault: p.Fail(kParseNotImplemented); return true;
    default: p.Fail(kParseBadRule); return true;
  }
}

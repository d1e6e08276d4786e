// The entry points of the script compiler: compiling a text or part of an
// input into a CompiledScript, optionally as the body of a named function,
// and the compiler's message table.
#include "script/compiler/compiler.h"

#include "platform/memory/allocator.h"
#include "script/bytecode/compiled_script.h"
#include "script/compiler/parser.h"

namespace {

constexpr const WCHAR* kMessages[] = {
    u"No Error",
    u"Error: Not enough memory",
    u"Error: Unexpected token found: ",
    u"Error: Unexpected token, expected token was: ",
    u"Error: New line encountered inside a string",
    u"Error: Labelled statement not found",
    u"Error: Cannot use 'return' out of a function",
    u"Error: Declaration error",
    u"Error: Premature end of text (current syntactic rule cannot end there)",
    u"Error: Token does not correspond to any possible token in language",
    u"Error: Number too large or precision problem",
    u"Internal error: Bad rule specification",
    u"Internal error: Bad rule step",
    u"Internal error: Not yet implemented",
};

void SetNoMemory(ScriptCompileError* error) {
  error->code = kParseNoMemory;
  error->line = 0;
  error->column = 0;
  error->tokenText.Clear();
}

}  // namespace

const WCHAR* GetScriptCompileMessage(int32_t code) {
  if (code < 0 || code > kParseNotImplemented) return nullptr;
  return kMessages[code];
}

bool FormatScriptCompileError(const ScriptCompileError& error, SharedWideString* out) {
  out->Clear();
  const WCHAR* message = GetScriptCompileMessage(error.code);
  if (message == nullptr) return true;
  return out->AppendChars(message, WideStrLen(message)) && out->Append(error.tokenText);
}

bool CompileScript(const SharedWideString& source, CompiledScript* script,
                   ScriptCompileError* error, const SharedWideString* functionName) {
  return CompileScriptSource(source, 0, 0, -1, script, error, functionName);
}

bool CompileScriptSource(const SharedWideString& input, uint32_t attachPosition,
                         uint32_t startPosition, int32_t endPosition, CompiledScript* script,
                         ScriptCompileError* error, const SharedWideString* functionName) {
  error->code = kParseOk;
  error->line = 0;
  error->column = 0;
  error->tokenText.Clear();
  ScriptParser* parser = DeviceNew<ScriptParser>(script);
  if (parser == nullptr) {
    SetNoMemory(error);
    return false;
  }
  uint32_t attach = attachPosition < input.length ? attachPosition : input.length;
  parser->source.AssignSubstring(input, attach, input.length - attach);
  parser->scanner.Attach(parser->source.Chars(), parser->source.length);
  parser->scanner.Seek(startPosition);
  parser->lineStart = parser->scanner.Position();
  parser->endPosition = endPosition;
  if (endPosition >= 0) parser->scanner.SetEnd(static_cast<uint32_t>(endPosition));

  bool parsed = true;
  if (functionName != nullptr) parsed = parser->OpenFunction(*functionName, 0);
  if (parsed) {
    parsed = ParseScript(*parser, script, error);
  } else {
    SetNoMemory(error);
  }
  if (parsed && functionName != nullptr) parser->CloseFunction();
  // After a failure every scope still open is dropped.
  parser->functions.count = 0;
  if (parsed && !script->HasError()) script->ResolveLabels();
  bool ok = parsed && !script->HasError() && parser->parseState == 0;
  if (parsed && !ok) SetNoMemory(error);  // the script could not hold its code
  delete parser;
  return ok;
}

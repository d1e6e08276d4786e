// Script page templates (see page_template.h).
#include "script/pages/page_template.h"

#include "script/bytecode/compiled_script.h"
#include "script/bytecode/saved_code_reader.h"
#include "script/values/script_status.h"
#include "storage/documents/document.h"

namespace {

// The longest template text read into memory: pages are small; a section
// that claims more is refused rather than read whole.
constexpr uint32_t kMaxTemplateCharacters = 8u << 20;

bool IsTrimmed(WCHAR c) {
  return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == 0x00A0;
}

// The position of `a` `b` at or after from, or the length.
uint32_t FindPair(const SharedWideString& text, uint32_t from, WCHAR a, WCHAR b) {
  const WCHAR* chars = text.Chars();
  for (uint32_t i = from; i + 1 < text.length; ++i) {
    if (chars[i] == a && chars[i + 1] == b) return i;
  }
  return text.length;
}

bool Equals(const WCHAR* chars, uint32_t n, const char* ascii) {
  uint32_t i = 0;
  for (; i < n && ascii[i] != '\0'; ++i) {
    if (chars[i] != static_cast<WCHAR>(ascii[i])) return false;
  }
  return i == n && ascii[i] == '\0';
}

constexpr WCHAR kLineBreaks[] = u"\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n";
constexpr uint32_t kLineBreakPairs = 14;

}  // namespace

bool ScriptPageCompiler::AppendAscii(const char* text) {
  for (; *text != '\0'; ++text) {
    WCHAR c = static_cast<WCHAR>(*text);
    if (!script_.AppendChars(&c, 1)) return false;
  }
  return true;
}

bool ScriptPageCompiler::AppendLineBreaks(const SharedWideString& text) {
  uint32_t feeds = 0;
  for (uint32_t i = 0; i < text.length; ++i) feeds += text.Chars()[i] == u'\n' ? 1 : 0;
  while (feeds > 0) {
    uint32_t run = feeds < kLineBreakPairs ? feeds : kLineBreakPairs;
    if (!script_.AppendChars(kLineBreaks, 2 * run)) return false;
    feeds -= run;
  }
  return true;
}

bool ScriptPageCompiler::AddLiteral(const SharedWideString& literal) {
  const uint32_t n = literals_.Count();
  if (literals_.Append(literal) < 0) return false;
  return AppendAscii("Response.Write (__litteralstr ") && script_.AppendUnsigned(n) &&
         AppendAscii(");") && AppendLineBreaks(literal);
}

bool ScriptPageCompiler::AddCodeBlock(const SharedWideString& block, bool first) {
  const WCHAR* chars = block.Chars();
  uint32_t start = 0;
  uint32_t end = block.length;
  while (start < end && IsTrimmed(chars[start])) ++start;
  if (first) {
    while (end > start && IsTrimmed(chars[end - 1])) --end;
    if (!Equals(chars + start, end - start, "@Language=Javascript")) return false;
    directiveSeen_ = true;
    // The directive writes nothing, but its own line feeds keep the lines.
    return AppendLineBreaks(block);
  }
  if (start < end && chars[start] == u'=') {
    SharedWideString expression;
    WCHAR space = u' ';
    expression.AssignSubstring(block, 0, start);
    return AppendAscii("Response.Write (") && script_.Append(expression) &&
           script_.AppendChars(&space, 1) &&
           script_.AppendChars(chars + start + 1, block.length - start - 1) && AppendAscii(");");
  }
  return script_.Append(block);
}

bool ScriptPageCompiler::CompileText(const SharedWideString& text) {
  script_.Clear();
  literals_.Clear();
  directiveSeen_ = false;
  uint32_t position = 0;
  bool firstBlock = true;
  for (;;) {
    const uint32_t open = FindPair(text, position, u'<', u'%');
    SharedWideString literal;
    literal.AssignSubstring(text, position, open - position);
    if (!AddLiteral(literal)) return false;
    if (open >= text.length) break;
    // A block without its closer runs to the end of the text.
    const uint32_t close = FindPair(text, open + 2, u'%', u'>');
    SharedWideString block;
    block.AssignSubstring(text, open + 2, close - open - 2);
    if (!AddCodeBlock(block, firstBlock)) return false;
    firstBlock = false;
    if (close >= text.length) break;
    position = close + 2;
  }
  return directiveSeen_;
}

bool ScriptPageCompiler::Compile(Document* document, uint32_t section, uint32_t first,
                                 uint32_t last) {
  SharedWideString text;
  if (!ReadDocumentText(document, section, first, last, kMaxTemplateCharacters, &text)) {
    return false;
  }
  return CompileText(text);
}

bool ReadDocumentText(Document* document, uint32_t section, uint32_t first, uint32_t last,
                      uint32_t limit, SharedWideString* text) {
  text->Clear();
  uint32_t position = first;
  while (position < last) {
    TextBlock block;
    if (!document->ReadBlock(position, &block, section, false)) return false;
    const uint32_t next = document->AdvancePosition(block.start, block.length, section);
    uint32_t from = document->PositionDistance(block.start, position, section);
    uint32_t to = last < next ? document->PositionDistance(block.start, last, section)
                              : block.length;
    if (to > block.length) to = block.length;
    bool ok = true;
    if (from < to) {
      ok = text->length + (to - from) <= limit &&
           text->AppendChars(block.Units() + from, to - from);
    }
    document->ReleaseBlock(block.blockId);
    // A block that does not move the position on would never end.
    if (!ok || next <= position) return false;
    position = next;
  }
  return true;
}

int32_t* CompileScriptPage(int32_t* status, Document* book, const InnerLink& link,
                           CompiledScript* script, ScriptCompileError* error) {
  *status = kScriptOk;
  if (link.kind == InnerLink::kScriptTemplate) {
    ScriptPageCompiler compiler;
    if (!compiler.Compile(book, static_cast<uint32_t>(link.section), link.first, link.last)) {
      *status = kScriptCannotParse;
      return status;
    }
    for (uint32_t n = 0; n < compiler.LiteralCount(); ++n) {
      script->AddString(compiler.Literal(n), CompiledScript::kPackIntoPool);
    }
    if (script->HasError()) {
      *status = kScriptNoMemory;
      return status;
    }
    if (!CompileScript(compiler.Script(), script, error)) *status = kScriptCannotParse;
    return status;
  }
  if (link.kind == InnerLink::kCompiledScriptPage) {
    CompiledCodeReader reader;
    if (link.last > link.first) reader.streamLength = link.last - link.first;
    uint32_t position = link.first;
    const uint32_t section = static_cast<uint32_t>(link.section);
    while (position < link.last && *status == kScriptOk) {
      TextBlock block;
      // The stream is binary: its bytes as stored, without conversion.
      if (!book->ReadBlock(position, &block, section, true)) {
        *status = kScriptLoadFailed;
        return status;
      }
      const uint32_t bytes = block.sourceLength != 0 ? block.sourceLength : block.length;
      const uint32_t offset = position - block.start;
      uint32_t n = 0;
      if (position >= block.start && offset < bytes) {
        n = bytes - offset;
        if (n > link.last - position) n = link.last - position;
        LoadCompiledScript(script, status, static_cast<const uint8_t*>(block.data) + offset, n,
                           65002, &reader);
      }
      book->ReleaseBlock(block.blockId);
      if (n == 0) {
        *status = kScriptLoadFailed;
        return status;
      }
      position += n;
    }
    if (*status == kScriptOk && !reader.IsComplete()) {
      script->SetErrorFlag();
      *status = kScriptDataCorrupted;
    }
    return status;
  }
  *status = kScriptNotImplemented;
  return status;
}

// Script page templates: literal text with code blocks between "<%" and
// "%>", turned into a script. The first block must be the directive
// "@Language=Javascript" (case counts); a block that begins with "=" writes
// its expression; every other block is copied as it is. Each literal becomes
// a write of the script's string n (the page's literals come first in the
// string table), followed by one line break for each line feed in it, so
// that the script's lines are the template's lines and errors name the
// template's line.
#pragma once

#include <cstdint>

#include "foundation/containers/segmented_array_strings.h"
#include "foundation/wide_string/shared_wide_string.h"
#include "script/compiler/compiler.h"
#include "storage/sources/document_source.h"

class CompiledScript;
class Document;

class ScriptPageCompiler {
 public:
  // Splits the template text. False when memory runs out or the first code
  // block is not the directive (also when there is no code block at all).
  bool CompileText(const SharedWideString& text);
  // The same over a range of a document's text section.
  bool Compile(Document* document, uint32_t section, uint32_t first, uint32_t last);

  // The script text and the page literals (literal n is string n).
  const SharedWideString& Script() const { return script_; }
  uint32_t LiteralCount() const { return literals_.Count(); }
  const SharedWideString& Literal(uint32_t n) const { return *literals_.At(n); }
  bool DirectiveSeen() const { return directiveSeen_; }

 private:
  bool AddLiteral(const SharedWideString& literal);
  bool AddCodeBlock(const SharedWideString& block, bool first);
  bool AppendLineBreaks(const SharedWideString& text);
  bool AppendAscii(const char* text);

  SharedWideString script_;
  SegmentedWideStringArray literals_;
  bool directiveSeen_ = false;
};

// Reads a document's text between two positions of a section into *text
// (at most `limit` characters). False when a block cannot be read or the
// text is longer than the limit.
bool ReadDocumentText(Document* document, uint32_t section, uint32_t first, uint32_t last,
                      uint32_t limit, SharedWideString* text);

// Compiles the page that a book's link names into *script (empty, held by
// the caller): kind 2 a template (status 11 when it is not one or its
// script does not compile, *error then tells why for a compile error),
// kind 3 saved compiled code read as raw bytes (16 a block that cannot be
// read, 18 a range that ends before the saved script does, or the loader's
// status), any other kind 15.
int32_t* CompileScriptPage(int32_t* status, Document* book, const InnerLink& link,
                           CompiledScript* script, ScriptCompileError* error);

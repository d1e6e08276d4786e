// Compiling part of an input (script pages compile a range of their text):
// the attach, start and end positions, the lines and columns of errors
// inside the range, and a function name over a range.
#include <gtest/gtest.h>

#include <string>

#include "foundation/wide_string/shared_wide_string.h"
#include "script/bytecode/compiled_script.h"
#include "script/compiler/compiler.h"
#include "script/bytecode/disassembler.h"

namespace {

SharedWideString Wide(const std::string& text) {
  SharedWideString s;
  s.FromBytes(reinterpret_cast<const uint8_t*>(text.data()), static_cast<uint32_t>(text.size()));
  return s;
}

std::string Narrow(const SharedWideString& s) {
  std::string out;
  for (uint32_t i = 0; i < s.length; ++i) out += static_cast<char>(s.Chars()[i]);
  return out;
}

struct Result {
  bool ok;
  ScriptCompileError error;
  std::string listing;
};

Result CompileRange(const std::string& input, uint32_t attach, uint32_t start, int32_t end,
                    const char* function = nullptr) {
  CompiledScript* script = new CompiledScript();
  script->AddReference();
  Result r;
  SharedWideString name = Wide(function == nullptr ? "" : function);
  r.ok = CompileScriptSource(Wide(input), attach, start, end, script, &r.error,
                             function == nullptr ? nullptr : &name);
  SharedWideString listing;
  DisassembleScript(*script, kListCode | kListTables, &listing);
  r.listing = Narrow(listing);
  script->Release();
  return r;
}

TEST(ScriptCompilerSource, CompilesOnlyTheRange) {
  const std::string input = "$$ <% x = 1; %> $$";
  Result whole = CompileRange(input, 0, 0, -1);
  EXPECT_FALSE(whole.ok);
  EXPECT_EQ(whole.error.code, kParseNoSuchToken);

  Result part = CompileRange(input, 0, 5, 13);
  EXPECT_TRUE(part.ok);
  EXPECT_EQ(part.listing,
            "0: PushNameString 0 \"x\"\n2: ResolveName\n3: PushInteger 1\n5: Operate 30 \"=\"\n"
            "7: PopResult 1\nstring 0 \"x\"\n");

  // Attached at 3, the same range is 2-10.
  Result attached = CompileRange(input, 3, 2, 10);
  EXPECT_TRUE(attached.ok);
  EXPECT_EQ(attached.listing, part.listing);
}

TEST(ScriptCompilerSource, TheEndPositionEndsTheText) {
  // The range ends inside a statement: the text ends where the rule cannot.
  Result r = CompileRange("x = 1 + 2", 0, 0, 7);
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(r.error.code, kParsePrematureEnd);
  // An end past the input is the input's end.
  EXPECT_TRUE(CompileRange("x = 1", 0, 0, 99).ok);
}

TEST(ScriptCompilerSource, ColumnsCountFromTheStartOfTheRangeOrOfTheLine) {
  Result first = CompileRange("abcdef x = );", 0, 7, -1);
  EXPECT_EQ(first.error.code, kParseUnexpectedToken);
  EXPECT_EQ(first.error.line, 1);
  EXPECT_EQ(first.error.column, 5);
  Result later = CompileRange("abcdef x = 1;\n y = );", 0, 7, -1);
  EXPECT_EQ(later.error.line, 2);
  EXPECT_EQ(later.error.column, 6);
}

TEST(ScriptCompilerSource, FunctionNameOverARange) {
  Result r = CompileRange("junk return 2;", 0, 5, -1, "handler");
  EXPECT_TRUE(r.ok);
  EXPECT_EQ(r.listing,
            "0: PushInteger 2\n2: Return 1\nstring 0 \"handler\"\n"
            "declare function 0 \"handler\" scope -1 range 0\nrange 0 0-4\n");
  Result bad = CompileRange("junk return 2 3;", 0, 5, -1, "handler");
  EXPECT_FALSE(bad.ok);
  EXPECT_EQ(bad.error.code, kParseExpectedToken);
}

}  // namespace

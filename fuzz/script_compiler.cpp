// Fuzz target: random text to the script compiler. Besides crashing and the
// sanitizers, it checks what a successful compile leaves: the code passes the
// check that saved code must pass, no label is left, every string operand
// and declared name is in the string table, every code range lies in the
// code, and the listing can be made. A failed compile must name a known
// error code and a position inside the text.
//
// Input: byte 0 bit 0 compiles the text as the body of a function; the rest
// is the text, one character per byte, except that bytes 0xF0-0xFF start a
// pair (the unit is (byte & 0x0F) << 8 | next byte), so characters above 127
// and above 255 occur too.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "foundation/wide_string/shared_wide_string.h"
#include "script/bytecode/compiled_script.h"
#include "script/compiler/compiler.h"
#include "script/bytecode/disassembler.h"
#include "script/bytecode/instruction_set.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

void CheckScript(const CompiledScript& script) {
  uint32_t count = script.CodeCount();
  Check(CheckInstructionWords(script.Code(), count));
  Check(script.LabelCount() == 0);
  for (uint32_t p = 0; p < count;) {
    uint32_t word = script.Code()[p];
    uint32_t opcode = InstructionOpcode(word);
    if (opcode == static_cast<uint32_t>(ScriptOpcode::PushString) ||
        opcode == static_cast<uint32_t>(ScriptOpcode::PushNameString)) {
      Check(script.Code()[p + 1] < script.StringCount());
    }
    p += 1 + InstructionOperandCount(word);
  }
  for (uint32_t i = 0; i < script.DeclarationCount(); ++i) {
    const ScriptDeclaration& d = script.DeclarationAt(i);
    Check(d.name >= 0 && static_cast<uint32_t>(d.name) < script.StringCount());
    Check(d.scope >= -1 && d.scope < static_cast<int32_t>(script.CodeRangeCount()));
    if (d.kind == kDeclareFunction) Check(d.range >= 0 && d.range < static_cast<int32_t>(script.CodeRangeCount()));
  }
  for (uint32_t i = 0; i < script.CodeRangeCount(); ++i) {
    const CodeRange& r = script.CodeRangeAt(i);
    Check(r.start >= 0 && r.start <= r.end && static_cast<uint32_t>(r.end) <= count);
  }
  SharedWideString listing;
  Check(DisassembleScript(script, kListCode | kListTables, &listing));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  bool asFunction = (data[0] & 1) != 0;
  std::vector<char16_t> units;
  for (size_t i = 1; i < size; ++i) {
    uint8_t b = data[i];
    if (b >= 0xF0 && i + 1 < size) {
      units.push_back(static_cast<char16_t>(((b & 0x0F) << 8) | data[++i]));
    } else {
      units.push_back(b);
    }
  }
  SharedWideString text;
  if (!units.empty()) Check(text.FromChars(units.data(), static_cast<uint32_t>(units.size())));
  SharedWideString name(u"__widget_event");

  CompiledScript* script = new CompiledScript();
  script->AddReference();
  ScriptCompileError error;
  bool ok = CompileScript(text, script, &error, asFunction ? &name : nullptr);
  if (ok) {
    Check(error.code == 0);
    CheckScript(*script);
  } else {
    Check(error.code > 0 && error.code <= kParseNotImplemented);
    Check(error.line >= 1 && error.column >= 0);
    Check(static_cast<uint32_t>(error.column) <= units.size() + 1);
  }
  script->Release();
  return 0;
}

// Fuzz target: random bytes to the saved-code loader, in chunks. Besides
// crashing and the sanitizers, it checks what a complete load leaves: code
// that passes the instruction check, declarations and ranges inside their
// tables, a script that saves and loads back as itself, and code that runs
// (with a small instruction budget) without the run loop leaving it.
//
// Input: byte 0 chooses the chunking (low four bits + 1 bytes per chunk, 0
// for the whole stream at once when bit 4 is set) and, with bit 5, tells
// the reader the stream's length; the rest is the stream.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "foundation/streams/byte_stream.h"
#include "script/builtins/builtin_script_runner.h"
#include "script/bytecode/compiled_script.h"
#include "script/bytecode/instruction_set.h"
#include "script/bytecode/saved_code_reader.h"
#include "script/bytecode/saved_code_writer.h"
#include "script/values/script_status.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

void CheckScript(const CompiledScript& script) {
  const uint32_t count = script.CodeCount();
  Check(!script.HasError());
  Check(CheckInstructionWords(script.Code(), count));
  for (uint32_t i = 0; i < script.DeclarationCount(); ++i) {
    const ScriptDeclaration& d = script.DeclarationAt(i);
    Check(d.name >= 0 && static_cast<uint32_t>(d.name) < script.StringCount());
    Check(d.scope >= -1 && d.scope < static_cast<int32_t>(script.CodeRangeCount()));
    Check(d.kind >= 0 && d.kind < 3);
    if (d.kind == kDeclareFunction) {
      Check(d.range >= 0 && d.range < static_cast<int32_t>(script.CodeRangeCount()));
    }
  }
  for (uint32_t i = 0; i < script.CodeRangeCount(); ++i) {
    const CodeRange& r = script.CodeRangeAt(i);
    Check(r.start >= 0 && r.start <= r.end && static_cast<uint32_t>(r.end) <= count);
  }
}

void CheckSame(const CompiledScript& a, const CompiledScript& b) {
  Check(a.CodeCount() == b.CodeCount() && a.StringCount() == b.StringCount() &&
        a.DeclarationCount() == b.DeclarationCount() && a.CodeRangeCount() == b.CodeRangeCount());
  for (uint32_t i = 0; i < a.CodeCount(); ++i) Check(a.Code()[i] == b.Code()[i]);
  for (uint32_t i = 0; i < a.StringCount(); ++i) Check(a.StringAt(i).CompareTo(b.StringAt(i)) == 0);
  for (uint32_t i = 0; i < a.CodeRangeCount(); ++i) {
    Check(a.CodeRangeAt(i).start == b.CodeRangeAt(i).start &&
          a.CodeRangeAt(i).end == b.CodeRangeAt(i).end);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1 || size > 0xFFFFFF) return 0;
  const uint8_t mode = data[0];
  const uint8_t* stream = data + 1;
  const size_t length = size - 1;
  const size_t chunk = (mode & 0x10) != 0 ? (length == 0 ? 1 : length) : (mode & 0x0F) + 1;

  CompiledScript* script = new CompiledScript();
  script->AddReference();
  CompiledCodeReader reader;
  if ((mode & 0x20) != 0) reader.streamLength = length;
  int32_t status = kScriptOk;
  for (size_t at = 0; at < length && status == kScriptOk; at += chunk) {
    const size_t n = length - at < chunk ? length - at : chunk;
    LoadCompiledScript(script, &status, stream + at, static_cast<uint32_t>(n), 65002, &reader);
  }
  if (status != kScriptOk) Check(script->HasError());
  if (status == kScriptOk && reader.IsComplete()) {
    CheckScript(*script);
    // Saved again, it loads back as the same script, and saving that gives
    // the same bytes (the input itself may differ: longer varints, another
    // total, another code page).
    ByteStream saved;
    Check(SaveCompiledScript(*script, &saved, 65002));
    std::vector<uint8_t> bytes(saved.Size());
    for (uint32_t i = 0; i < saved.Size(); ++i) bytes[i] = saved.ByteAt(i);
    CompiledScript* again = new CompiledScript();
    again->AddReference();
    CompiledCodeReader second;
    int32_t reloaded = kScriptOk;
    LoadCompiledScript(again, &reloaded, bytes.data(), static_cast<uint32_t>(bytes.size()), 65002,
                       &second);
    Check(reloaded == kScriptOk && second.IsComplete());
    CheckSame(*script, *again);
    ByteStream resaved;
    Check(SaveCompiledScript(*again, &resaved, 65002) && resaved.Size() == saved.Size());
    for (uint32_t i = 0; i < saved.Size(); ++i) Check(resaved.ByteAt(i) == saved.ByteAt(i));
    again->Release();
    ScriptProgramRunner runner(nullptr, nullptr);
    runner.SetInstructionBudget(20000);
    ScriptProgramOutcome outcome;
    runner.RunCompiled(script, &outcome);
  }
  script->Release();
  return 0;
}

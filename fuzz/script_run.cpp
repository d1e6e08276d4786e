// Fuzz target: random text to the script compiler, and what compiles is run
// against a host with the built-in objects, with a small instruction budget.
// The run must end with a status of the message table (29 when the budget
// stopped it), never crash, hang or leak; and a second run of the same text
// in a fresh context, paused after every instruction and resumed, must print
// the same output and end with the same status at the same line.
//
// Input: byte 0 bit 0 compiles the text as the body of a function (an
// element event); the rest is the text, one character per byte, except that
// bytes 0xF0-0xFF start a pair (the unit is (byte & 0x0F) << 8 | next byte).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "script/interpreter/script_errors.h"
#include "tests/support/fake_script_host.h"

namespace {

constexpr uint32_t kInstructionBudget = 20000;

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1 || size > 4096) return 0;
  bool asFunction = (data[0] & 1) != 0;
  std::u16string text;
  for (size_t i = 1; i < size; ++i) {
    uint8_t b = data[i];
    if (b >= 0xF0 && i + 1 < size) {
      text.push_back(static_cast<char16_t>(((b & 0x0F) << 8) | data[++i]));
    } else {
      text.push_back(b);
    }
  }
  const char16_t* name = asFunction ? u"__widget_event" : nullptr;

  ScriptRunOutcome straight;
  {
    ScriptTestContext context;
    Check(context.installStatus == 0);
    context.interpreter.SetInstructionBudget(kInstructionBudget);
    straight = context.Run(text, false, name);
    if (!straight.compiled) return 0;
    Check(GetScriptStatusMessage(straight.status) != nullptr);
    Check(context.reporter.boxes.size() == (straight.status != 0 ? 1u : 0u));
  }
  {
    ScriptTestContext context;
    context.interpreter.SetInstructionBudget(kInstructionBudget);
    ScriptRunOutcome paused = context.Run(text, true, name);
    Check(paused.compiled);
    Check(paused.status == straight.status);
    Check(paused.output == straight.output);
    Check(paused.error.line == straight.error.line);
  }
  return 0;
}

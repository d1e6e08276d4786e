// The compiled-script disassembler: instruction lines and table listings as
// ASCII text in a wide string.
#include "script/bytecode/disassembler.h"

#include <cstdio>
#include <cstring>

#include "script/bytecode/compiled_script.h"
#include "script/compiler/compiler_tokens.h"
#include "script/bytecode/instruction_set.h"
#include "script/values/name_table.h"

namespace {

// Appends ASCII to a wide string and remembers whether every append worked.
class Listing {
 public:
  explicit Listing(SharedWideString* out) : out_(out) {}

  void Text(const char* text) {
    // In pieces through AppendChars, whose growth keeps long listings linear.
    WCHAR wide[64];
    while (ok_ && *text != 0) {
      uint32_t n = 0;
      while (n < 64 && text[n] != 0) {
        wide[n] = static_cast<unsigned char>(text[n]);
        ++n;
      }
      if (!out_->AppendChars(wide, n)) ok_ = false;
      text += n;
    }
  }
  void Format(const char* format, long long value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, format, value);
    Text(buffer);
  }
  void Number(long long value) { Format("%lld", value); }
  void Double(double value) {
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.17g", value);
    Text(buffer);
  }
  // A string in double quotes: \" \\ \n \r escaped, other units outside
  // printable ASCII as \uXXXX.
  void Quoted(const SharedWideString& s) {
    Text("\"");
    for (uint32_t i = 0; i < s.length; ++i) {
      WCHAR c = s.Chars()[i];
      char buffer[8];
      if (c == u'"' || c == u'\\') {
        buffer[0] = '\\';
        buffer[1] = static_cast<char>(c);
        buffer[2] = 0;
      } else if (c == u'\n') {
        std::strcpy(buffer, "\\n");
      } else if (c == u'\r') {
        std::strcpy(buffer, "\\r");
      } else if (c >= 0x20 && c < 0x7F) {
        buffer[0] = static_cast<char>(c);
        buffer[1] = 0;
      } else {
        std::snprintf(buffer, sizeof buffer, "\\u%04X", static_cast<unsigned>(c));
      }
      Text(buffer);
    }
    Text("\"");
  }
  bool ok() const { return ok_; }

 private:
  SharedWideString* out_;
  bool ok_ = true;
};

void StringOperand(Listing& l, const CompiledScript& script, uint32_t index) {
  l.Number(index);
  l.Text(" ");
  if (index < script.StringCount()) {
    l.Quoted(script.StringAt(index));
  } else {
    l.Text("?");
  }
}

void OperatorOperand(Listing& l, const uint32_t* operands, uint32_t count) {
  uint32_t op = operands[0];
  if (count == 2) {
    l.Text(op == kOperatorCall ? "call " : op == kOperatorNew ? "new " : "? ");
    l.Number(operands[1]);
    return;
  }
  l.Number(op);
  const ScriptTokenInfo* info = GetScriptTokenInfo(static_cast<int32_t>(op));
  if (info != nullptr) {
    l.Text(" \"");
    l.Text(info->spelling);
    l.Text("\"");
  }
}

uint32_t ListInstruction(Listing& l, const CompiledScript& script, uint32_t position) {
  const uint32_t* code = script.Code();
  uint32_t count = script.CodeCount();
  uint32_t word = code[position];
  uint32_t opcode = InstructionOpcode(word);
  uint32_t operands = InstructionOperandCount(word);
  l.Number(position);
  l.Text(": ");
  if (!IsValidOperandCount(opcode, operands) || operands > count - position - 1) {
    l.Format("?word 0x%08llX", word);
    return position + 1;
  }
  const uint32_t* args = code + position + 1;
  l.Text(ScriptOpcodeName(opcode));
  switch (static_cast<ScriptOpcode>(opcode)) {
    case ScriptOpcode::ResolveName:
      break;
    case ScriptOpcode::Operate:
      l.Text(" ");
      OperatorOperand(l, args, operands);
      break;
    case ScriptOpcode::PushNumber: {
      uint64_t bits = (static_cast<uint64_t>(args[1]) << 32) | args[0];
      double value = 0;
      std::memcpy(&value, &bits, sizeof value);
      l.Text(" ");
      l.Double(value);
      break;
    }
    case ScriptOpcode::PushInteger:
      l.Text(" ");
      l.Number(static_cast<int32_t>(args[0]));
      break;
    case ScriptOpcode::PushString:
    case ScriptOpcode::PushNameString:
      l.Text(" ");
      StringOperand(l, script, args[0]);
      break;
    case ScriptOpcode::PushAtom: {
      l.Text(" ");
      l.Number(args[0]);
      SharedWideString name;
      GetAtomText(static_cast<int32_t>(args[0]), &name);
      if (name.length != 0) {
        l.Text(" ");
        l.Quoted(name);
      }
      break;
    }
    default:
      l.Text(" ");
      l.Number(args[0]);
      break;
  }
  return position + 1 + operands;
}

const char* KindName(int32_t kind) {
  switch (kind) {
    case kDeclareParameter: return "parameter";
    case kDeclareVariable: return "variable";
    case kDeclareFunction: return "function";
    default: return "?";
  }
}

void ListTables(Listing& l, const CompiledScript& script) {
  for (uint32_t i = 0; i < script.StringCount(); ++i) {
    l.Text("string ");
    l.Number(i);
    l.Text(" ");
    l.Quoted(script.StringAt(i));
    l.Text("\n");
  }
  for (uint32_t i = 0; i < script.DeclarationCount(); ++i) {
    const ScriptDeclaration& d = script.DeclarationAt(i);
    l.Text("declare ");
    l.Text(KindName(d.kind));
    l.Text(" ");
    StringOperand(l, script, static_cast<uint32_t>(d.name));
    l.Text(" scope ");
    l.Number(d.scope);
    if (d.kind == kDeclareFunction) {
      l.Text(" range ");
      l.Number(d.range);
    }
    l.Text("\n");
  }
  for (uint32_t i = 0; i < script.CodeRangeCount(); ++i) {
    const CodeRange& r = script.CodeRangeAt(i);
    l.Text("range ");
    l.Number(i);
    l.Text(" ");
    l.Number(r.start);
    l.Text("-");
    l.Number(r.end);
    l.Text("\n");
  }
}

}  // namespace

uint32_t DisassembleInstruction(const CompiledScript& script, uint32_t position,
                                SharedWideString* out) {
  if (position >= script.CodeCount()) return position;
  Listing l(out);
  return ListInstruction(l, script, position);
}

bool DisassembleScript(const CompiledScript& script, uint32_t parts, SharedWideString* out) {
  Listing l(out);
  if (parts & kListCode) {
    uint32_t position = 0;
    while (position < script.CodeCount()) {
      position = ListInstruction(l, script, position);
      l.Text("\n");
    }
  }
  if (parts & kListTables) ListTables(l, script);
  return l.ok();
}

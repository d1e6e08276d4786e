// Helpers of the saved-code tests: compile a text, save a script to bytes,
// and load bytes in chunks of a given size.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "foundation/streams/byte_stream.h"
#include "script/bytecode/compiled_script.h"
#include "script/bytecode/saved_code_reader.h"
#include "script/bytecode/saved_code_writer.h"
#include "script/compiler/compiler.h"
#include "script/values/script_status.h"
#include "tests/script/value_test_support.h"

namespace savedcode {

// A counted script that releases its reference when it goes.
class Held {
 public:
  Held() : script_(new CompiledScript()) { script_->AddReference(); }
  ~Held() { script_->Release(); }
  Held(const Held&) = delete;
  Held& operator=(const Held&) = delete;
  CompiledScript* operator->() const { return script_; }
  CompiledScript* get() const { return script_; }

 private:
  CompiledScript* script_;
};

inline bool Compile(const std::u16string& text, CompiledScript* script,
                    const char16_t* functionName = nullptr) {
  ScriptCompileError error;
  SharedWideString name;
  if (functionName != nullptr) name = scripttest::Wide(functionName);
  return CompileScript(scripttest::Wide(text), script, &error,
                       functionName != nullptr ? &name : nullptr);
}

inline std::vector<uint8_t> Save(const CompiledScript& script, int32_t codePage = 65002) {
  ByteStream stream;
  if (!SaveCompiledScript(script, &stream, codePage)) return {};
  std::vector<uint8_t> bytes(stream.Size());
  for (uint32_t i = 0; i < stream.Size(); ++i) bytes[i] = stream.ByteAt(i);
  return bytes;
}

struct Loaded {
  int32_t status = kScriptOk;
  bool complete = false;
};

// Feeds the bytes in chunks of `chunk` bytes (0: all at once); with
// knownLength the reader is told the stream's length first.
inline Loaded Load(const std::vector<uint8_t>& bytes, CompiledScript* script, size_t chunk = 0,
                   bool knownLength = false) {
  CompiledCodeReader reader;
  if (knownLength) reader.streamLength = bytes.size();
  Loaded loaded;
  size_t step = chunk == 0 ? (bytes.empty() ? 1 : bytes.size()) : chunk;
  for (size_t at = 0; at < bytes.size() || at == 0; at += step) {
    size_t n = bytes.size() - at < step ? bytes.size() - at : step;
    LoadCompiledScript(script, &loaded.status, bytes.data() + at, static_cast<uint32_t>(n),
                       65002, &reader);
    if (loaded.status != kScriptOk || bytes.empty()) break;
  }
  loaded.complete = reader.IsComplete();
  return loaded;
}

}  // namespace savedcode

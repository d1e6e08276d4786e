// Every program of the differential corpus survives saving and loading,
// whole and one byte at a time: the loaded script is the compiled one, and
// it prints exactly what the compiled one prints.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "script/builtins/builtin_script_runner.h"
#include "tests/script/bytecode/saved_code_support.h"

namespace {

using savedcode::Held;

void Collect(void* data, const WCHAR* text, uint32_t length) {
  static_cast<std::u16string*>(data)->append(text, length);
}

// The file's UTF-8 text as UTF-16.
std::u16string ReadUtf8(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream buffer;
  buffer << in.rdbuf();
  const std::string bytes = buffer.str();
  std::u16string text;
  for (size_t i = 0; i < bytes.size();) {
    uint32_t c = static_cast<uint8_t>(bytes[i]);
    int extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
    if (extra > 0) c &= 0x3F >> extra;
    ++i;
    for (int k = 0; k < extra && i < bytes.size(); ++k, ++i) c = c << 6 | (bytes[i] & 0x3F);
    if (c >= 0x10000) {
      c -= 0x10000;
      text.push_back(static_cast<char16_t>(0xD800 + (c >> 10)));
      text.push_back(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
    } else {
      text.push_back(static_cast<char16_t>(c));
    }
  }
  return text;
}

struct Outcome {
  std::u16string output;
  int32_t status = 0;
};

Outcome RunScript(CompiledScript* script) {
  Outcome outcome;
  ScriptProgramRunner runner(&Collect, &outcome.output);
  ScriptProgramOutcome result;
  runner.RunCompiled(script, &result);
  outcome.status = result.error.status;
  return outcome;
}

TEST(SavedCodeCorpus, EveryProgramRoundTripsWholeAndByteByByte) {
  const std::filesystem::path corpus =
      std::filesystem::path(__FILE__).parent_path().parent_path() / "differential";
  int programs = 0;
  for (const auto& entry : std::filesystem::directory_iterator(corpus)) {
    const std::filesystem::path& path = entry.path();
    if (path.extension() != ".js" || path.filename() == "node_prelude.js") continue;
    SCOPED_TRACE(path.filename().string());
    ++programs;
    Held compiled;
    ASSERT_TRUE(savedcode::Compile(ReadUtf8(path), compiled.get()));
    const std::vector<uint8_t> bytes = savedcode::Save(*compiled.get());
    ASSERT_FALSE(bytes.empty());
    const Outcome expected = RunScript(compiled.get());
    for (size_t chunk : {size_t{0}, size_t{1}}) {
      Held loaded;
      savedcode::Loaded result = savedcode::Load(bytes, loaded.get(), chunk);
      ASSERT_EQ(result.status, kScriptOk) << chunk;
      ASSERT_TRUE(result.complete) << chunk;
      EXPECT_EQ(savedcode::Save(*loaded.get()), bytes) << chunk;
      const Outcome actual = RunScript(loaded.get());
      EXPECT_EQ(actual.status, expected.status) << chunk;
      EXPECT_TRUE(actual.output == expected.output) << chunk;
    }
  }
  EXPECT_GT(programs, 200);
}

}  // namespace

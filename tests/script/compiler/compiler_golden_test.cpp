// Golden listings of the script compiler: every case of
// golden/compiler_listings.txt is compiled and its disassembly (code and
// tables) compared with the listing under it. With TESSALYN_UPDATE_GOLDEN=1
// the file is rewritten with the listings the compiler makes now (review the
// difference before committing it).
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "foundation/wide_string/shared_wide_string.h"
#include "script/bytecode/compiled_script.h"
#include "script/compiler/compiler.h"
#include "script/bytecode/disassembler.h"
#include "script/bytecode/instruction_set.h"

namespace {

struct GoldenCase {
  std::string header;        // the "=== ..." line
  std::string name;
  std::string functionName;  // from "@function NAME", or empty
  std::vector<std::string> source;
  std::vector<std::string> listing;
};

std::filesystem::path GoldenPath() {
  return std::filesystem::path(__FILE__).parent_path() / "golden" / "compiler_listings.txt";
}

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

// Reads the file: a preamble of comments, then the cases.
bool ReadGolden(std::vector<std::string>* preamble, std::vector<GoldenCase>* cases) {
  std::ifstream in(GoldenPath());
  if (!in) return false;
  std::string line;
  GoldenCase* current = nullptr;
  bool inListing = false;
  while (std::getline(in, line)) {
    if (line.rfind("=== ", 0) == 0) {
      cases->push_back(GoldenCase{});
      current = &cases->back();
      current->header = line;
      std::string name = line.substr(4);
      size_t at = name.find(" @function ");
      if (at != std::string::npos) {
        current->functionName = name.substr(at + 11);
        name = name.substr(0, at);
      }
      current->name = name;
      inListing = false;
    } else if (current == nullptr) {
      preamble->push_back(line);
    } else if (!inListing && line == "---") {
      inListing = true;
    } else if (inListing) {
      if (!line.empty()) current->listing.push_back(line);
    } else {
      current->source.push_back(line);
    }
  }
  return true;
}

std::string Join(const std::vector<std::string>& lines, const char* separator) {
  std::string out;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (i != 0) out += separator;
    out += lines[i];
  }
  return out;
}

// Compiles a case; the listing lines, or one line with the compile error.
std::vector<std::string> Listing(const GoldenCase& c) {
  CompiledScript* script = new CompiledScript();
  script->AddReference();
  ScriptCompileError error;
  SharedWideString function = Wide(c.functionName);
  bool ok = CompileScript(Wide(Join(c.source, "\n")), script, &error,
                          c.functionName.empty() ? nullptr : &function);
  std::vector<std::string> lines;
  if (!ok) {
    lines.push_back("error " + std::to_string(error.code) + " line " + std::to_string(error.line) +
                    " column " + std::to_string(error.column) + " '" + Narrow(error.tokenText) + "'");
  } else {
    // Compiled code passes the check that saved code must pass.
    EXPECT_TRUE(CheckInstructionWords(script->Code(), script->CodeCount())) << c.name;
    EXPECT_EQ(script->LabelCount(), 0u) << c.name;
    SharedWideString text;
    EXPECT_TRUE(DisassembleScript(*script, kListCode | kListTables, &text));
    std::istringstream in(Narrow(text));
    std::string line;
    while (std::getline(in, line)) lines.push_back(line);
  }
  script->Release();
  return lines;
}

TEST(ScriptCompilerGolden, ListingsMatch) {
  std::vector<std::string> preamble;
  std::vector<GoldenCase> cases;
  ASSERT_TRUE(ReadGolden(&preamble, &cases)) << GoldenPath();
  ASSERT_GT(cases.size(), 40u);
  const char* update = std::getenv("TESSALYN_UPDATE_GOLDEN");
  if (update != nullptr && update[0] == '1') {
    std::ofstream out(GoldenPath());
    for (const std::string& line : preamble) out << line << "\n";
    for (const GoldenCase& c : cases) {
      out << c.header << "\n";
      for (const std::string& line : c.source) out << line << "\n";
      out << "---\n";
      for (const std::string& line : Listing(c)) out << line << "\n";
    }
    GTEST_SKIP() << "golden listings rewritten";
  }
  for (const GoldenCase& c : cases) {
    EXPECT_EQ(Join(Listing(c), "\n"), Join(c.listing, "\n")) << "case: " << c.name;
  }
}

}  // namespace

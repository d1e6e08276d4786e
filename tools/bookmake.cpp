// bookmake: turns a text or HTML file (UTF-8) into a corv book or a Palm Doc
// file with the test builder, for sample books and for trying the reader.
//
//   bookmake [options] INPUT OUTPUT
//     --version N        header version 2..8 (default 6; 8 makes a book too new to read)
//     --codepage CP      1252, 65001 or 65002 (default 65001)
//     --compression C    none, palmdoc or huffcdic (default palmdoc)
//     --record-size N    text bytes per record (default 4096)
//     --extra-flags N    extra-data flags (hex with 0x), version 6 and up: bit 0 the
//                        UTF-8 multibyte carry, bits 1.. trailing entries (default 0x1)
//     --title TEXT       the full name (default: the input's file name)
//     --short-name TEXT  EXTH 200
//     --type N           book type (default 2 for HTML, 3 otherwise)
//     --palmdoc          a Palm Doc file (code page 1252; compression palmdoc or none)
//     --dictionary WORDS a dictionary: WORDS (UTF-8) holds one entry a line, the
//                        word, a tab and its definition; the words become the
//                        book's main index (keys in code page 1252, sorted
//                        without regard to case, definitions as stored texts);
//                        a line without a tab is a word defined by itself
//     --following        the dictionary gets its n-gram following table
//     --spelling         the dictionary gets spelling blocks (every letter a
//                        sound, consonants leading their units) and its
//                        following table the phonetic keys of its words
//                        (implies --following)
//     A dictionary's naming table names its main table "words", so that
//     look-up queries ("select * from words ...") reach it.
//     -h, --help         this usage
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>

#include "tests/support/book_builder.h"
#include "tests/support/index_builder.h"
#include "tests/support/ngram_index_builder.h"
#include "tests/support/spelling_rules_builder.h"

#include "tools/command_line.h"

namespace {

constexpr char kUsage[] =
    "usage: bookmake [--version N] [--codepage 1252|65001|65002] [--compression none|palmdoc|huffcdic]\n"
    "                [--record-size N] [--extra-flags N] [--title TEXT] [--short-name TEXT] [--type N]\n"
    "                [--palmdoc] [--dictionary WORDS [--following] [--spelling]] INPUT OUTPUT\n";

// A command line that cannot be used: what was wrong, then the usage.
int Usage(const std::string& complaint = {}) {
  return toolcli::UsageError(kUsage, "bookmake", complaint.empty() ? nullptr : complaint.c_str());
}

}  // namespace

int main(int argc, char** argv) {
  testbuild::BookRecipe spec;
  spec.codePage = 65001;
  spec.extraFlags = 0x1;  // UTF-8 characters cut by a record's end are carried
  bool palmDoc = false;
  bool typeGiven = false;
  bool following = false;
  bool spelling = false;
  std::string title, shortName, dictionary;
  std::string paths[2];
  int pathCount = 0;
  // Reading the command line; every fault in it throws invalid_argument.
  try {
    for (int i = 1; i < argc; ++i) {
      const std::string arg = argv[i];
      auto value = [&]() -> std::string {
        if (i + 1 >= argc) throw std::invalid_argument(arg + " needs a value");
        return argv[++i];
      };
      // The whole value as an unsigned 32-bit number (base 0: 0x for hex).
      auto number = [&](int base) -> uint32_t {
        const std::string text = value();
        size_t used = 0;
        unsigned long n = 0;
        if (!text.empty() && text[0] >= '0' && text[0] <= '9') {
          try {
            n = std::stoul(text, &used, base);
          } catch (const std::logic_error&) {
            used = 0;
          }
        }
        if (used == 0 || used != text.size() || n > UINT32_MAX)
          throw std::invalid_argument(arg + " needs a number, not \"" + text + "\"");
        return static_cast<uint32_t>(n);
      };
      if (toolcli::IsHelp(arg.c_str())) {
        return toolcli::ShowUsage(kUsage);
      } else if (arg == "--version") {
        spec.headerVersion = number(10);
      } else if (arg == "--codepage") {
        spec.codePage = static_cast<int32_t>(number(10));
      } else if (arg == "--compression") {
        const std::string c = value();
        if (c == "none") spec.compression = testbuild::TextCompression::kNone;
        else if (c == "palmdoc") spec.compression = testbuild::TextCompression::kPalmDoc;
        else if (c == "huffcdic") spec.compression = testbuild::TextCompression::kHuffCdic;
        else throw std::invalid_argument("unknown compression " + c);
      } else if (arg == "--record-size") {
        spec.recordSize = number(10);
      } else if (arg == "--extra-flags") {
        spec.extraFlags = number(0);
      } else if (arg == "--title") {
        title = value();
      } else if (arg == "--short-name") {
        shortName = value();
      } else if (arg == "--type") {
        spec.bookType = number(10);
        typeGiven = true;
      } else if (arg == "--palmdoc") {
        palmDoc = true;
      } else if (arg == "--dictionary") {
        dictionary = value();
      } else if (arg == "--following") {
        following = true;
      } else if (arg == "--spelling") {
        spelling = true;
        following = true;
      } else if (toolcli::IsOption(arg.c_str())) {
        return Usage("unknown option " + arg);
      } else if (pathCount < 2) {
        paths[pathCount++] = arg;
      } else {
        return Usage();
      }
    }
    if (pathCount != 2) return Usage();
    if (palmDoc && !dictionary.empty()) throw std::invalid_argument("a Palm Doc file holds no dictionary");
    if (following && dictionary.empty())
      throw std::invalid_argument(spelling ? "--spelling needs --dictionary" : "--following needs --dictionary");
    if (spec.codePage != 1252 && spec.codePage != 65001 && spec.codePage != 65002)
      throw std::invalid_argument("code page must be 1252, 65001 or 65002");
  } catch (const std::invalid_argument& e) {
    return Usage(e.what());
  }

  try {
    std::ifstream in(paths[0], std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + paths[0]);
    const std::string utf8((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::filesystem::path input(paths[0]);
    const std::string extension = input.extension().string();
    const bool html = extension == ".html" || extension == ".htm";
    if (title.empty()) title = input.stem().string();

    testbuild::BuiltBook book;
    if (palmDoc) {
      testbuild::PalmDocRecipe doc;
      doc.text = testbuild::EncodeBookText(utf8, 1252);
      doc.compressed = spec.compression != testbuild::TextCompression::kNone;
      doc.recordSize = spec.recordSize;
      doc.name = title.substr(0, 31);
      book = testbuild::BuildPalmDoc(doc);
    } else {
      if (!typeGiven) spec.bookType = html ? 2 : 3;
      spec.text = testbuild::EncodeBookText(utf8, spec.codePage);
      spec.fullName = testbuild::EncodeBookText(title, spec.codePage);
      spec.databaseName = title.substr(0, 31);
      if (!shortName.empty()) spec.exth.push_back({200, testbuild::EncodeBookText(shortName, spec.codePage)});
      book = testbuild::BuildBook(spec);
    }
    if (!dictionary.empty()) {
      std::ifstream words(dictionary, std::ios::binary);
      if (!words) throw std::runtime_error("cannot read " + dictionary);
      std::vector<testbuild::DictionaryWord> list;
      for (std::string line; std::getline(words, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const size_t tab = line.find('\t');
        if (line.empty()) continue;
        if (tab == 0) throw std::runtime_error("a line without a word: " + line);
        if (tab == std::string::npos) list.push_back({line, line});
        else list.push_back({line.substr(0, tab), line.substr(tab + 1)});
      }
      testbuild::NgramOptions options;
      options.maxListValues = 15000;
      testbuild::IndexRecipe main;
      testbuild::IndexRecipe followingTable;
      if (spelling) {
        testbuild::SpellingRecipe rules = testbuild::LetterSpelling("", true);
        rules.maxKeyLength = 4;
        testbuild::SpellingDictionaryTables tables = testbuild::SpellingDictionary(list, rules, options);
        main = std::move(tables.main);
        followingTable = std::move(tables.following);
      } else {
        main = testbuild::DictionaryIndex(list);
        main.followingTable = following;
        if (following) followingTable = testbuild::NgramIndex(main, options);
      }
      const uint32_t base = testbuild::BookRecordBase(book);
      const uint32_t header = testbuild::AddIndexToBook(book, testbuild::BuildIndexRecords(main), 0);
      // Right after the main table, where it looks for its following table.
      if (following) testbuild::AddIndexToBook(book, testbuild::BuildIndexRecords(followingTable), -1);
      testbuild::IndexRecipe naming;
      testbuild::IndexEntry wordsTable;
      wordsTable.label = {'w', 'o', 'r', 'd', 's'};
      wordsTable.values[1] = {header - base};
      naming.entries = {wordsTable};
      testbuild::AddIndexToBook(book, testbuild::BuildIndexRecords(naming), 7);
      std::fprintf(stderr, "bookmake: %zu dictionary entries\n", list.size());
    }
    const std::vector<uint8_t> bytes = book.Bytes();
    std::ofstream out(paths[1], std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + paths[1]);
    std::fprintf(stderr, "bookmake: %s: %zu bytes, %u text records\n", paths[1].c_str(), bytes.size(),
                 book.layout.textRecordCount);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "bookmake: %s\n", e.what());
    return 1;
  }
  return 0;
}

// Spelling correction over a dictionary of 200,000 English words (Debian's
// wamerican-huge list, 1252 words taken evenly) with spelling blocks and a
// following table holding the n-grams and the phonetic keys of the words:
// the mean time per word over 1,000 misspellings (one edit, two edits, a
// vowel changed so that the word sounds alike), with the candidates scored
// per word; the same words through a plain Python baseline (the one-edit
// candidates of each word looked up in a set of the keys) as a ratio; and,
// for information, the cost per word without phonetic keys, when every
// entry of the table is scored.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "bench/bench_device_root.h"
#include "index/spelling/spelling_lookup.h"
#include "index/tables/index_table.h"
#include "tests/support/book_builder_reader.h"
#include "tests/support/fake_index_source.h"
#include "tests/support/spelling_rules_builder.h"

namespace {

namespace fs = std::filesystem;

constexpr const char* kWordList = "/usr/share/dict/american-english-huge";
constexpr uint32_t kDictionarySize = 200000;
constexpr uint32_t kMisspellings = 1000;

// Words of the list that code page 1252 holds (as 1252 bytes), n of them
// taken evenly.
std::vector<std::string> Words(uint32_t n) {
  std::ifstream in(kWordList);
  std::vector<std::string> all;
  for (std::string line; std::getline(in, line);) {
    std::string latin;
    bool ok = !line.empty();
    for (size_t i = 0; i < line.size() && ok; ++i) {
      const unsigned char c = static_cast<unsigned char>(line[i]);
      if (c < 0x80) latin.push_back(static_cast<char>(c));
      else if ((c == 0xC2 || c == 0xC3) && i + 1 < line.size())
        latin.push_back(static_cast<char>(((c & 0x1F) << 6) | (line[++i] & 0x3F)));
      else ok = false;
    }
    if (ok) all.push_back(latin);
  }
  std::vector<std::string> out;
  for (size_t i = 0; i < all.size() && out.size() < n; ++i)
    if ((i + 1) * n / all.size() > i * n / all.size()) out.push_back(all[i]);
  return out;
}

std::string Utf8(const std::string& latin) {
  std::string out;
  for (unsigned char c : latin) {
    if (c < 0x80) {
      out.push_back(static_cast<char>(c));
    } else {
      out.push_back(static_cast<char>(0xC0 | (c >> 6)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
  }
  return out;
}

const fs::path& Root() {
  static const fs::path root = benchroot::MakeDeviceRoot("bench_spelling");
  return root;
}

struct Dictionary {
  DocumentSourcePtr source;
  IndexTablePtr table;
  std::vector<std::string> words;
  size_t phoneticKeys = 0;
};

// The dictionary with phonetic keys (keyLength 4) or without (0).
Dictionary& OpenDictionary(uint32_t keyLength) {
  static std::map<uint32_t, std::unique_ptr<Dictionary>> opened;
  auto& slot = opened[keyLength];
  if (slot) return *slot;
  slot = std::make_unique<Dictionary>();
  Root();
  slot->words = Words(kDictionarySize);
  std::vector<testbuild::DictionaryWord> list;
  for (const std::string& w : slot->words) list.push_back({Utf8(w), "d"});
  testbuild::SpellingRecipe rules = testbuild::LetterSpelling("", true);
  rules.maxKeyLength = keyLength;
  testbuild::NgramOptions options;
  options.maxListValues = 15000;
  testbuild::SpellingDictionaryTables tables = testbuild::SpellingDictionary(list, rules, options);
  slot->phoneticKeys = tables.phoneticKeys;
  testbuild::BookRecipe spec;
  spec.text = testbuild::EncodeBookText("A dictionary.", 1252);
  testbuild::BuiltBook built = testbuild::BuildBook(spec);
  testbuild::AddIndexToBook(built, testbuild::BuildIndexRecords(tables.main), 0);
  testbuild::AddIndexToBook(built, testbuild::BuildIndexRecords(tables.following), -1);
  const std::u16string name = u"\\spelling" + std::u16string(1, static_cast<char16_t>(u'0' + keyLength)) + u".corv";
  testbuild::WriteDeviceFile(name, built.Bytes());
  testbuild::OpenedBook book = testbuild::OpenBookFile(name);
  if (book.doc) slot->source.Adopt(testbuild::FakeIndexSource::Create(std::move(book.doc)));
  if (slot->source) {
    DocumentStreamPtr stream;
    slot->source->OpenStreamByName(&stream, u"special_table=default", 21);
    if (stream && stream->GetStreamKind() == kIndexTableStreamKind)
      slot->table.Assign(static_cast<IndexTable*>(stream.Get()));
  }
  return *slot;
}

bool IsVowel(char c) { return std::string("aeiou").find(c) != std::string::npos; }

// Misspellings of dictionary words, a third of each kind, from a fixed seed.
std::vector<std::string> Misspellings(const std::vector<std::string>& words, uint32_t n) {
  std::mt19937 random(20261211);
  std::vector<std::string> out;
  const std::string letters = "abcdefghijklmnopqrstuvwxyz";
  auto edit = [&](std::string w) {
    std::uniform_int_distribution<size_t> at(0, w.size() - 1);
    const size_t i = at(random);
    switch (random() % 4) {
      case 0: w.erase(i, 1); break;
      case 1: w.insert(i, 1, letters[random() % 26]); break;
      case 2: w[i] = letters[random() % 26]; break;
      default:
        if (i + 1 < w.size()) std::swap(w[i], w[i + 1]);
        else w.push_back(letters[random() % 26]);
    }
    return w;
  };
  while (out.size() < n) {
    const std::string& word = words[random() % words.size()];
    if (word.size() < 4) continue;
    const uint32_t kind = static_cast<uint32_t>(out.size() % 3);
    if (kind == 0) {
      out.push_back(edit(word));
    } else if (kind == 1) {
      out.push_back(edit(edit(word)));
    } else {
      // Phonetic: a vowel changed, the consonants kept.
      std::string w = word;
      std::vector<size_t> vowels;
      for (size_t i = 0; i < w.size(); ++i)
        if (IsVowel(w[i])) vowels.push_back(i);
      if (vowels.empty()) continue;
      const size_t i = vowels[random() % vowels.size()];
      const char* others = "aeiou";
      char c = w[i];
      while (c == w[i]) c = others[random() % 5];
      w[i] = c;
      out.push_back(w);
    }
  }
  return out;
}

struct Outcome {
  double secondsPerWord = 0;
  double candidatesPerWord = 0;
  uint64_t maxCandidates = 0;
  uint32_t found = 0;  // words whose list holds the word they came from
  double recordLoadsPerWord = 0;  // entry records of the main table locked anew
  double followingLoadsPerWord = 0;  // and of the following table
};

// Records the following table (kept open by the main one) has locked.
uint32_t FollowingLoads(IndexTable* table) {
  IndexTable* following = nullptr;
  if (table->OpenFollowingTable(&following) != 0 || following == nullptr) return 0;
  const uint32_t loads = following->RecordLoads();
  following->Release();
  return loads;
}

Outcome LookUp(Dictionary& d, const std::vector<std::string>& words) {
  Outcome o;
  uint64_t total = 0;
  SegmentedArray results;
  InitSpellingResults(&results);
  const uint32_t loadsBefore = d.table->RecordLoads();
  const uint32_t followingBefore = FollowingLoads(d.table.Get());
  const auto start = std::chrono::steady_clock::now();
  for (const std::string& w : words) {
    SpellingLookupCounters counters;
    LookupWord(d.table.Get(), reinterpret_cast<const uint8_t*>(w.data()), static_cast<uint32_t>(w.size()), &results,
               6, true, &counters);
    total += counters.candidatesScored;
    if (counters.candidatesScored > o.maxCandidates) o.maxCandidates = counters.candidatesScored;
    o.found += results.count != 0 ? 1 : 0;
  }
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  o.secondsPerWord = seconds / static_cast<double>(words.size());
  o.candidatesPerWord = static_cast<double>(total) / static_cast<double>(words.size());
  o.recordLoadsPerWord = static_cast<double>(d.table->RecordLoads() - loadsBefore) / static_cast<double>(words.size());
  o.followingLoadsPerWord =
      static_cast<double>(FollowingLoads(d.table.Get()) - followingBefore) / static_cast<double>(words.size());
  return o;
}

// The Python baseline: every one-edit candidate of each word (deletions,
// swaps, replacements and insertions over a-z) looked up in a set of the
// keys; the seconds per word of the look-ups (the set's making excluded).
double PythonSecondsPerWord(const std::vector<std::string>& keys, const std::vector<std::string>& words) {
  const fs::path dir = Root();
  const fs::path keyFile = dir / "keys.txt";
  const fs::path wordFile = dir / "words.txt";
  const fs::path script = dir / "baseline.py";
  {
    std::ofstream k(keyFile, std::ios::binary);
    for (const std::string& w : keys) k << w << '\n';
    std::ofstream m(wordFile, std::ios::binary);
    for (const std::string& w : words) m << w << '\n';
    std::ofstream p(script);
    p << "import sys, time\n"
         "keys = set(open(sys.argv[1], encoding='latin-1').read().split('\\n'))\n"
         "words = [w for w in open(sys.argv[2], encoding='latin-1').read().split('\\n') if w]\n"
         "letters = 'abcdefghijklmnopqrstuvwxyz'\n"
         "start = time.perf_counter()\n"
         "found = 0\n"
         "for w in words:\n"
         "    c = set()\n"
         "    for i in range(len(w)):\n"
         "        c.add(w[:i] + w[i+1:])\n"
         "        if i + 1 < len(w): c.add(w[:i] + w[i+1] + w[i] + w[i+2:])\n"
         "        for l in letters: c.add(w[:i] + l + w[i+1:])\n"
         "    for i in range(len(w) + 1):\n"
         "        for l in letters: c.add(w[:i] + l + w[i:])\n"
         "    found += len(c & keys) != 0\n"
         "print((time.perf_counter() - start) / len(words), found)\n";
  }
  const std::string command = "python3 " + script.string() + " " + keyFile.string() + " " + wordFile.string();
  FILE* pipe = ::popen(command.c_str(), "r");
  if (pipe == nullptr) return -1;
  double seconds = -1;
  int found = 0;
  if (std::fscanf(pipe, "%lf %d", &seconds, &found) != 2) seconds = -1;
  ::pclose(pipe);
  return seconds;
}

void SpellingCorrection(benchmark::State& state) {
  Dictionary& d = OpenDictionary(4);
  if (!d.table) {
    state.SkipWithError("the dictionary could not be made");
    return;
  }
  const std::vector<std::string> words = Misspellings(d.words, kMisspellings);
  Outcome o;
  for (auto _ : state) o = LookUp(d, words);
  const double python = PythonSecondsPerWord(d.words, words);
  state.counters["ms_per_word"] = o.secondsPerWord * 1e3;
  state.counters["candidates_per_word"] = o.candidatesPerWord;
  state.counters["max_candidates"] = static_cast<double>(o.maxCandidates);
  state.counters["main_records_locked_per_word"] = o.recordLoadsPerWord;
  state.counters["following_records_locked_per_word"] = o.followingLoadsPerWord;
  state.counters["words_with_suggestions"] = o.found;
  state.counters["phonetic_keys"] = static_cast<double>(d.phoneticKeys);
  state.counters["python_ms_per_word"] = python * 1e3;
  state.counters["ratio_to_python"] = python > 0 ? o.secondsPerWord / python : 0;
}
BENCHMARK(SpellingCorrection)->Unit(benchmark::kMillisecond)->Iterations(1);

// Without phonetic keys every entry is scored: a few words only.
void SpellingWithoutPhoneticKeys(benchmark::State& state) {
  Dictionary& d = OpenDictionary(0);
  if (!d.table) {
    state.SkipWithError("the dictionary could not be made");
    return;
  }
  std::vector<std::string> words = Misspellings(d.words, 30);
  Outcome o;
  for (auto _ : state) o = LookUp(d, words);
  state.counters["ms_per_word"] = o.secondsPerWord * 1e3;
  state.counters["candidates_per_word"] = o.candidatesPerWord;
}
BENCHMARK(SpellingWithoutPhoneticKeys)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();

// HUFF/CDIC encoder: dictionary, Huffman code lengths, canonical codes,
// the HUFF and CDIC records, record encoding; and the DATP tables.
#include "tests/support/huff_cdic_encoder.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <queue>
#include <stdexcept>

#include "foundation/streams/byte_order.h"
#include "tests/support/palm_database_builder.h"

namespace testbuild {

namespace {

bool IsWordByte(uint8_t b) { return (b >= '0' && b <= '9') || (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z') || b >= 0x80; }

void PutU32LE(std::vector<uint8_t>& bytes, size_t at, uint32_t value) {
  if (bytes.size() < at + 4) bytes.resize(at + 4);
  StoreU32LE(bytes.data() + at, value);
}

class BitWriter {
 public:
  explicit BitWriter(std::vector<uint8_t>* out) : out_(out) {}
  void Put(uint32_t code, uint32_t length) {
    for (uint32_t i = length; i-- > 0;) {
      acc_ = static_cast<uint8_t>((acc_ << 1) | ((code >> i) & 1));
      if (++bits_ == 8) {
        out_->push_back(acc_);
        acc_ = 0;
        bits_ = 0;
      }
    }
  }
  void Flush() {
    if (bits_ != 0) out_->push_back(static_cast<uint8_t>(acc_ << (8 - bits_)));
    bits_ = 0;
    acc_ = 0;
  }

 private:
  std::vector<uint8_t>* out_;
  uint8_t acc_ = 0;
  uint32_t bits_ = 0;
};

// Huffman code lengths for the given weights (all > 0).
std::vector<uint32_t> HuffmanLengths(const std::vector<uint64_t>& weights) {
  const size_t n = weights.size();
  std::vector<int64_t> parent(2 * n, -1);
  using Node = std::pair<uint64_t, size_t>;
  std::priority_queue<Node, std::vector<Node>, std::greater<Node>> heap;
  for (size_t i = 0; i < n; ++i) heap.push({weights[i], i});
  size_t next = n;
  while (heap.size() > 1) {
    Node a = heap.top();
    heap.pop();
    Node b = heap.top();
    heap.pop();
    parent[a.second] = static_cast<int64_t>(next);
    parent[b.second] = static_cast<int64_t>(next);
    heap.push({a.first + b.first, next++});
  }
  std::vector<uint32_t> lengths(n, 0);
  for (size_t i = 0; i < n; ++i) {
    uint32_t depth = 0;
    for (int64_t p = parent[i]; p >= 0; p = parent[static_cast<size_t>(p)]) ++depth;
    lengths[i] = depth;
  }
  return lengths;
}

}  // namespace

void HuffCdicEncoder::Tokenize(const uint8_t* data, size_t size, std::vector<std::string>* tokens) const {
  tokens->clear();
  size_t i = 0;
  while (i < size) {
    size_t j = i + 1;
    if (IsWordByte(data[i])) {
      while (j < size && j - i < 200 && IsWordByte(data[j])) ++j;
    }
    tokens->emplace_back(reinterpret_cast<const char*>(data + i), j - i);
    i = j;
  }
}

HuffCdicEncoder::HuffCdicEncoder(const std::vector<uint8_t>& text, const HuffCdicOptions& options) {
  for (uint32_t b = 0; b < 256; ++b) {
    Symbol s;
    s.bytes.push_back(static_cast<uint8_t>(b));
    symbols_.push_back(s);
  }
  std::vector<std::string> tokens;
  Tokenize(text.data(), text.size(), &tokens);

  // Words used at least twice, the most bytes saved first.
  std::unordered_map<std::string, uint64_t> wordCounts;
  for (const std::string& t : tokens)
    if (t.size() >= 2) ++wordCounts[t];
  std::vector<std::pair<uint64_t, std::string>> ranked;
  for (auto& [w, c] : wordCounts)
    if (c >= 2) ranked.push_back({c * w.size(), w});
  std::sort(ranked.begin(), ranked.end(), [](const auto& a, const auto& b) {
    return a.first != b.first ? a.first > b.first : a.second < b.second;
  });
  if (ranked.size() > options.maxWords) ranked.resize(options.maxWords);
  for (auto& [score, w] : ranked) {
    Symbol s;
    s.bytes.assign(w.begin(), w.end());
    words_[w] = static_cast<uint32_t>(symbols_.size());
    symbols_.push_back(s);
  }

  if (options.nestedPhrases) {
    auto isWord = [&](size_t t) { return t < tokens.size() && words_.count(tokens[t]) != 0; };
    auto isSep = [&](size_t t) { return t < tokens.size() && tokens[t].size() == 1 && !IsWordByte(tokens[t][0]); };
    // Pairs: word, separator, word.
    std::map<std::string, uint64_t> pairCounts;
    for (size_t t = 0; t + 2 < tokens.size(); ++t)
      if (isWord(t) && isSep(t + 1) && isWord(t + 2)) ++pairCounts[tokens[t] + tokens[t + 1] + tokens[t + 2]];
    std::vector<std::pair<uint64_t, std::string>> pairs;
    for (auto& [p, c] : pairCounts)
      if (c >= 3) pairs.push_back({c, p});
    std::stable_sort(pairs.begin(), pairs.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
    if (pairs.size() > options.maxNested / 2) pairs.resize(options.maxNested / 2);
    std::unordered_map<std::string, uint32_t> pairIds;
    for (auto& [c, p] : pairs) {
      std::vector<std::string> parts;
      Tokenize(reinterpret_cast<const uint8_t*>(p.data()), p.size(), &parts);
      Symbol s;
      s.bytes.assign(p.begin(), p.end());
      s.parts = {words_.at(parts[0]), static_cast<uint8_t>(parts[1][0]), words_.at(parts[2])};
      pairIds[p] = static_cast<uint32_t>(symbols_.size());
      nested_[p] = static_cast<uint32_t>(symbols_.size());
      symbols_.push_back(s);
    }
    // Triples: a pair, a separator, a word.
    std::map<std::string, uint64_t> tripleCounts;
    for (size_t t = 0; t + 4 < tokens.size(); ++t) {
      if (!isWord(t) || !isSep(t + 1) || !isWord(t + 2) || !isSep(t + 3) || !isWord(t + 4)) continue;
      if (pairIds.count(tokens[t] + tokens[t + 1] + tokens[t + 2]) == 0) continue;
      ++tripleCounts[tokens[t] + tokens[t + 1] + tokens[t + 2] + tokens[t + 3] + tokens[t + 4]];
    }
    std::vector<std::pair<uint64_t, std::string>> triples;
    for (auto& [p, c] : tripleCounts)
      if (c >= 3) triples.push_back({c, p});
    std::stable_sort(triples.begin(), triples.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
    if (triples.size() > options.maxNested / 2) triples.resize(options.maxNested / 2);
    for (auto& [c, p] : triples) {
      std::vector<std::string> parts;
      Tokenize(reinterpret_cast<const uint8_t*>(p.data()), p.size(), &parts);
      Symbol s;
      s.bytes.assign(p.begin(), p.end());
      s.parts = {pairIds.at(parts[0] + parts[1] + parts[2]), static_cast<uint8_t>(parts[3][0]),
                 words_.at(parts[4])};
      nested_[p] = static_cast<uint32_t>(symbols_.size());
      symbols_.push_back(s);
    }
    nestedCount_ = pairs.size() + triples.size();
  }
  if (symbols_.size() == 256) {
    // At least 257 symbols keep the longest code above 8 bits.
    Symbol s;
    s.bytes = {0, 0};
    words_[std::string(2, '\0')] = 256;
    symbols_.push_back(s);
  }

  // Uses: the text's parse and the parts of the compressed phrases.
  std::vector<uint32_t> parsed;
  Parse(text.data(), text.size(), &parsed);
  for (uint32_t id : parsed) ++symbols_[id].uses;
  for (const Symbol& s : symbols_)
    for (uint32_t part : s.parts) ++symbols_[part].uses;
  AssignCodes();
  WriteTables(options);
}

void HuffCdicEncoder::Parse(const uint8_t* data, size_t size, std::vector<uint32_t>* out) const {
  out->clear();
  std::vector<std::string> tokens;
  Tokenize(data, size, &tokens);
  for (size_t t = 0; t < tokens.size();) {
    if (!nested_.empty()) {
      if (t + 4 < tokens.size()) {
        auto it = nested_.find(tokens[t] + tokens[t + 1] + tokens[t + 2] + tokens[t + 3] + tokens[t + 4]);
        if (it != nested_.end()) {
          out->push_back(it->second);
          t += 5;
          continue;
        }
      }
      if (t + 2 < tokens.size()) {
        auto it = nested_.find(tokens[t] + tokens[t + 1] + tokens[t + 2]);
        if (it != nested_.end()) {
          out->push_back(it->second);
          t += 3;
          continue;
        }
      }
    }
    auto it = words_.find(tokens[t]);
    if (it != words_.end()) {
      out->push_back(it->second);
    } else {
      for (char c : tokens[t]) out->push_back(static_cast<uint8_t>(c));
    }
    ++t;
  }
}

void HuffCdicEncoder::AssignCodes() {
  std::vector<uint64_t> weights;
  for (const Symbol& s : symbols_) weights.push_back(s.uses);
  std::vector<uint32_t> lengths;
  for (;;) {
    lengths = HuffmanLengths(weights);
    if (*std::max_element(lengths.begin(), lengths.end()) <= 32) break;
    for (uint64_t& w : weights) w = (w >> 1) | 1;
  }
  maxLength_ = *std::max_element(lengths.begin(), lengths.end());
  std::vector<std::vector<uint32_t>> byLength(maxLength_ + 1);
  for (uint32_t i = 0; i < symbols_.size(); ++i) {
    symbols_[i].length = lengths[i];
    byLength[lengths[i]].push_back(i);
  }
  // Longest codes lowest: codes of length n fill [lowest, lowest + count).
  std::vector<uint64_t> lowest(maxLength_ + 2, 0), highest(maxLength_ + 2, 0);
  uint64_t next = 0;
  for (uint32_t n = maxLength_; n >= 1; --n) {
    lowest[n] = next;
    highest[n] = next + byLength[n].size() - 1;  // wraps for an empty length: never used
    next = (next + byLength[n].size() + 1) >> 1;
  }
  if (next > 1) throw std::logic_error("Huffman lengths break the Kraft sum");
  // Dictionary indices by increasing length; within a length the highest code first.
  uint32_t base = 0;
  byIndex_.clear();
  lowest_.assign(33, 0);
  highest_.assign(33, 0);
  for (uint32_t n = 1; n <= maxLength_; ++n) {
    for (size_t j = 0; j < byLength[n].size(); ++j) {
      Symbol& s = symbols_[byLength[n][j]];
      s.index = base + static_cast<uint32_t>(j);
      s.code = static_cast<uint32_t>(highest[n] - j);
      byIndex_.push_back(byLength[n][j]);
    }
    lowest_[n] = static_cast<uint32_t>(lowest[n]);
    highest_[n] = static_cast<uint32_t>(highest[n] + base);
    base += static_cast<uint32_t>(byLength[n].size());
  }
}

void HuffCdicEncoder::AppendCodes(const std::vector<uint32_t>& ids, std::vector<uint8_t>* out) const {
  BitWriter w(out);
  for (uint32_t id : ids) w.Put(symbols_[id].code, symbols_[id].length);
  w.Flush();
}

void HuffCdicEncoder::WriteTables(const HuffCdicOptions& options) {
  // Phrase bytes by dictionary index.
  std::vector<std::vector<uint8_t>> phrases(byIndex_.size());
  std::vector<bool> plain(byIndex_.size());
  for (size_t i = 0; i < byIndex_.size(); ++i) {
    const Symbol& s = symbols_[byIndex_[i]];
    plain[i] = s.parts.empty();
    if (plain[i]) {
      phrases[i] = s.bytes;
    } else {
      AppendCodes(s.parts, &phrases[i]);
    }
  }
  auto areaFits = [&](uint32_t k) {
    const size_t per = size_t{1} << k;
    for (size_t first = 0; first < phrases.size(); first += per) {
      size_t area = 0;
      for (size_t i = first; i < phrases.size() && i < first + per; ++i) area += 2 + 2 + phrases[i].size();
      if (area > 0xFFFF) return false;
    }
    return true;
  };
  uint32_t k = options.codeBits;
  if (k == 0) {
    k = 16;
    while (k > 0 && ((size_t{1} << (k - 1)) >= phrases.size() || !areaFits(k))) --k;
    if (!areaFits(k)) throw std::logic_error("phrases too long for a CDIC record");
  } else if (!areaFits(k)) {
    throw std::logic_error("the chosen code bits overflow a CDIC record");
  }
  codeBits_ = k;

  cdic_.clear();
  const size_t per = size_t{1} << k;
  for (size_t first = 0; first < phrases.size(); first += per) {
    const size_t count = std::min(per, phrases.size() - first);
    std::vector<uint8_t> rec = {'C', 'D', 'I', 'C'};
    PutU32BE(rec, 4, 16);
    PutU32BE(rec, 8, static_cast<uint32_t>(phrases.size()));
    PutU32BE(rec, 12, k);
    std::vector<uint8_t> area(2 * count);
    for (size_t j = 0; j < count; ++j) {
      const size_t i = first + j;
      PutU16BE(area, 2 * j, static_cast<uint16_t>(area.size()));
      const uint16_t word = static_cast<uint16_t>(phrases[i].size() | (plain[i] ? 0x8000 : 0));
      area.push_back(static_cast<uint8_t>(word >> 8));
      area.push_back(static_cast<uint8_t>(word));
      area.insert(area.end(), phrases[i].begin(), phrases[i].end());
    }
    rec.insert(rec.end(), area.begin(), area.end());
    cdic_.push_back(std::move(rec));
  }

  huff_.assign(24, 0);
  std::memcpy(huff_.data(), "HUFF", 4);
  PutU32BE(huff_, 4, 24);
  PutU32BE(huff_, 16, 24);
  PutU32BE(huff_, 20, 24 + 1024);
  for (uint32_t p = 0; p < 256; ++p) {
    uint32_t entry = 0;
    for (uint32_t n = 1; n <= 8 && n <= maxLength_; ++n) {
      const uint32_t code = p >> (8 - n);
      if (code >= lowest_[n]) {
        entry = options.finalCacheEntries ? (n | 0x80 | (highest_[n] << 8)) : 1;
        break;
      }
    }
    if (entry == 0) entry = options.finalCacheEntries ? 8 : 1;
    PutU32LE(huff_, 24 + 4 * p, entry);
  }
  for (uint32_t n = 1; n <= 32; ++n) {
    PutU32LE(huff_, 24 + 1024 + 8 * (n - 1), lowest_[n]);
    PutU32LE(huff_, 24 + 1024 + 8 * (n - 1) + 4, highest_[n]);
  }
}

std::vector<uint8_t> HuffCdicEncoder::Encode(const uint8_t* data, size_t size) const {
  std::vector<uint32_t> ids;
  Parse(data, size, &ids);
  std::vector<uint8_t> out;
  AppendCodes(ids, &out);
  return out;
}

std::vector<uint8_t> HuffCdicEncoder::DecodeReference(const std::vector<uint8_t>& bits) const {
  std::map<std::pair<uint32_t, uint32_t>, uint32_t> byCode;
  for (uint32_t i = 0; i < symbols_.size(); ++i) byCode[{symbols_[i].length, symbols_[i].code}] = i;
  std::vector<uint8_t> out;
  uint32_t code = 0, length = 0;
  for (size_t bit = 0; bit < bits.size() * 8; ++bit) {
    code = (code << 1) | ((bits[bit / 8] >> (7 - bit % 8)) & 1);
    ++length;
    auto it = byCode.find({length, code});
    if (it == byCode.end()) continue;
    const Symbol& s = symbols_[it->second];
    out.insert(out.end(), s.bytes.begin(), s.bytes.end());
    code = length = 0;
  }
  return out;
}

std::vector<std::vector<uint8_t>> BuildTextOffsetRecords(const std::vector<uint32_t>& lengths, uint32_t shift,
                                                         uint32_t perRecord) {
  if (perRecord == 0) perRecord = std::max<uint32_t>(1, static_cast<uint32_t>(lengths.size()));
  std::vector<std::vector<uint32_t>> groups;
  for (size_t i = 0; i < lengths.size(); i += perRecord)
    groups.emplace_back(lengths.begin() + static_cast<long>(i),
                        lengths.begin() + static_cast<long>(std::min(lengths.size(), i + perRecord)));
  if (groups.empty()) groups.emplace_back();
  if (groups.size() > 255) throw std::logic_error("too many DATP records");
  std::vector<std::vector<uint8_t>> records;
  std::vector<uint32_t> ends;
  uint64_t position = 0;
  std::vector<std::vector<uint32_t>> checkpoints;
  for (const auto& g : groups) {
    std::vector<uint32_t> cps;
    for (size_t j = 0; j < g.size(); ++j) {
      if ((j & ((size_t{1} << shift) - 1)) == 0) cps.push_back(static_cast<uint32_t>(position));
      position += g[j];
    }
    checkpoints.push_back(cps);
    ends.push_back(static_cast<uint32_t>(position));
  }
  for (size_t r = 0; r < groups.size(); ++r) {
    std::vector<uint8_t> rec = {'D', 'A', 'T', 'P'};
    PutU32BE(rec, 4, 12);
    rec.resize(12);
    rec[8] = r == 0 ? static_cast<uint8_t>(groups.size()) : 0;
    rec[9] = static_cast<uint8_t>(shift);
    PutU16BE(rec, 10, static_cast<uint16_t>(groups[r].size()));
    if (r == 0)
      for (uint32_t e : ends) PutU32BE(rec, rec.size(), e);
    for (uint32_t c : checkpoints[r]) PutU32BE(rec, rec.size(), c);
    for (uint32_t l : groups[r]) PutU16BE(rec, rec.size(), static_cast<uint16_t>(l));
    records.push_back(std::move(rec));
  }
  return records;
}

}  // namespace testbuild

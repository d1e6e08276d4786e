// The approximate word matcher (see approximate_matcher.h): rule matching,
// segmentation into units with alternative readings, and the unit, reading
// and phonetic-key scores.
#include "index/spelling/approximate_matcher.h"

#include <cstring>

#include "foundation/streams/byte_order.h"

namespace {

// Lengths in the rule table are written as one character of code '0' + n.
constexpr uint8_t kLengthBase = '0';
// The link byte is '0' + the four field lengths; the rule is that plus one
// link byte and four length characters long.
constexpr uint32_t kRuleOverhead = 5;

struct Rule {
  uint32_t offset = 0;
  uint32_t size = 0;
  const uint8_t* field[4] = {};  // left context, match, right context, replacement
  uint32_t length[4] = {};
};
enum RuleField { kLeft = 0, kMatch = 1, kRight = 2, kReplacement = 3 };

// Reads the rule at offset; false when any part of it lies outside the
// table or its link byte disagrees with its field lengths.
bool ParseRule(const ApproximateMatcher& m, uint32_t offset, Rule* rule) {
  const uint8_t* t = m.spl3;
  const uint32_t tableLength = m.spl3Size;
  if (t == nullptr || offset >= tableLength || t[offset] < kLengthBase) return false;
  const uint32_t size = static_cast<uint32_t>(t[offset] - kLengthBase) + kRuleOverhead;
  if (size > tableLength - offset) return false;
  const uint32_t end = offset + size;
  uint32_t p = offset + 1;
  for (int f = 0; f < 4; ++f) {
    if (p >= end || t[p] < kLengthBase) return false;
    const uint32_t n = t[p] - kLengthBase;
    ++p;
    if (n > end - p) return false;
    rule->field[f] = t + p;
    rule->length[f] = n;
    p += n;
  }
  if (p != end) return false;
  rule->offset = offset;
  rule->size = size;
  return true;
}

// The offset of the rule after this one when it reads the same letters (an
// alternative reading), else 0xFFFFFFFF.
uint32_t AlternativeOf(const ApproximateMatcher& m, const Rule& rule) {
  Rule next;
  if (!ParseRule(m, rule.offset + rule.size, &next)) return 0xFFFFFFFFu;
  for (int f = kLeft; f <= kRight; ++f) {
    if (next.length[f] != rule.length[f] ||
        (rule.length[f] != 0 && std::memcmp(next.field[f], rule.field[f], rule.length[f]) != 0))
      return 0xFFFFFFFFu;
  }
  return next.offset;
}

// A rule character against a word character: inside the class range it
// names the class of the folded character, outside it the folded character.
bool CharMatches(const ApproximateMatcher& m, uint8_t ruleChar, uint8_t wordChar) {
  const uint8_t folded = m.spl1[wordChar];
  const uint32_t c = ruleChar;
  if (c >= static_cast<uint32_t>(m.classLow) && c <= static_cast<uint32_t>(m.classHigh)) return c == m.spl2[folded];
  return c == folded;
}

bool RuleMatches(const ApproximateMatcher& m, const Rule& rule, const uint8_t* w, uint32_t length, uint32_t x) {
  const uint32_t boundary = static_cast<uint32_t>(m.boundaryCharacter);
  // Left context: a leading boundary character pins it to the word's start.
  const uint8_t* left = rule.field[kLeft];
  const uint32_t l = rule.length[kLeft];
  if (l != 0 && left[0] == boundary) {
    if (x != l - 1) return false;
    for (uint32_t k = 1; k < l; ++k)
      if (!CharMatches(m, left[k], w[x - l + k])) return false;
  } else {
    if (x < l) return false;
    for (uint32_t k = 0; k < l; ++k)
      if (!CharMatches(m, left[k], w[x - l + k])) return false;
  }
  const uint32_t mLength = rule.length[kMatch];
  if (mLength > length - x) return false;
  for (uint32_t k = 0; k < mLength; ++k)
    if (!CharMatches(m, rule.field[kMatch][k], w[x + k])) return false;
  // Right context: a trailing boundary character pins it to the word's end.
  const uint8_t* right = rule.field[kRight];
  uint32_t r = rule.length[kRight];
  const uint32_t after = x + mLength;
  if (r != 0 && right[r - 1] == boundary) {
    --r;
    if (after + r != length) return false;
  } else if (r > length - after) {
    return false;
  }
  for (uint32_t k = 0; k < r; ++k)
    if (!CharMatches(m, right[k], w[after + k])) return false;
  return true;
}

// Where the group that starts at `start` ends: at the next group's start
// (the smallest rule-index offset above it), else at the table's end.
uint32_t GroupEnd(const ApproximateMatcher& m, uint32_t start) {
  uint32_t end = m.spl3Size;
  for (uint32_t c = 0; c < 256; ++c) {
    const uint32_t offset = LoadU16BE(m.spl6 + 2 * c);
    if (offset > start && offset < end) end = offset;
  }
  return end;
}

// The first rule of the folded character's group that matches at x; false
// when the group runs out without a match or a rule does not fit the table.
// groupEnds caches each group's end for one segmentation (0: not known).
bool FindRule(const ApproximateMatcher& m, const uint8_t* w, uint32_t length, uint32_t x, uint32_t* groupEnds,
              Rule* rule) {
  const uint8_t folded = m.spl1[w[x]];
  uint32_t offset = LoadU16BE(m.spl6 + 2 * folded);
  if (groupEnds[folded] == 0) groupEnds[folded] = GroupEnd(m, offset);
  const uint32_t end = groupEnds[folded];
  while (offset < end) {
    if (!ParseRule(m, offset, rule)) return false;
    if (RuleMatches(m, *rule, w, length, x)) return true;
    offset += rule->size;
  }
  return false;
}

// A replacement character that starts a unit, and an output character after
// which a unit ends.
bool StartsUnit(const ApproximateMatcher& m, uint8_t c) { return m.spl5[c] != 0; }
bool EndsUnit(const ApproximateMatcher& m, uint8_t c) { return m.spl5[m.spl4[c]] != 0; }

// Where the segmentation stands between two units.
struct SegmentState {
  uint32_t position = 0;
  const uint8_t* pending = nullptr;  // the rest of a replacement, for the next unit
  uint32_t pendingLength = 0;
  bool endedMarked = true;  // the previous unit ended at an end-marking character
};

struct SegmentContext {
  const ApproximateMatcher& m;
  const uint8_t* word;
  uint32_t length;
  SpellingReadings* out;
  uint32_t limit;
  uint32_t firstUnit[kMaxReadings];
  uint32_t groupEnds[256];
};

bool EmitUnit(SegmentContext& c, uint32_t reading, const SpellingUnit& unit) {
  if (c.out->units.Append(&unit) < 0) return false;
  ++c.out->counts[reading];
  return true;
}

// Segments reading `reading` from the state to the end of the word; the
// alternative rule forcedRule is used at forcedPosition (-1: none).
int32_t Segment(SegmentContext& c, SegmentState state, uint32_t reading, int64_t forcedPosition,
                uint32_t forcedRule) {
  const ApproximateMatcher& m = c.m;
  for (;;) {
    if (state.position >= c.length && state.pendingLength == 0) return 0;
    const SegmentState unitStart = state;
    const uint32_t unitsBefore = c.out->counts[reading];
    SpellingUnit unit{};
    bool hasMatch = false;
    bool ended = false;
    int64_t notedPosition = -1;
    uint32_t notedRule = 0;
    // The rest of the previous replacement opens the unit.
    while (state.pendingLength != 0 && !ended) {
      const uint8_t ch = *state.pending++;
      --state.pendingLength;
      if (unit.outputCount == kSpellingUnitChars) return 1;
      unit.output[unit.outputCount++] = ch;
      ended = EndsUnit(m, ch);
    }
    while (!ended && state.position < c.length) {
      Rule rule;
      if (forcedPosition >= 0 && state.position == static_cast<uint64_t>(forcedPosition)) {
        if (!ParseRule(m, forcedRule, &rule)) return 1;
        forcedPosition = -1;
      } else if (!FindRule(m, c.word, c.length, state.position, c.groupEnds, &rule)) {
        return 1;
      }
      const uint32_t consumed = rule.length[kMatch];
      if (consumed == 0) return 1;  // a rule that consumes nothing would never end
      const uint8_t* replacement = rule.field[kReplacement];
      const uint32_t replacementLength = rule.length[kReplacement];
      const bool marked = replacementLength != 0 && StartsUnit(m, replacement[0]);
      if (marked && hasMatch) break;  // this rule opens the next unit
      if (marked && unit.outputCount == 0 && state.endedMarked) {
        if (!EmitUnit(c, reading, SpellingUnit{})) return 1;
      }
      state.endedMarked = false;
      if (notedPosition < 0) {
        const uint32_t alternative = AlternativeOf(m, rule);
        if (alternative != 0xFFFFFFFFu) {
          notedPosition = state.position;
          notedRule = alternative;
        }
      }
      hasMatch = true;
      if (consumed > kSpellingUnitChars - unit.sourceCount) return 1;
      std::memcpy(unit.source + unit.sourceCount, c.word + state.position, consumed);
      unit.sourceCount = static_cast<uint8_t>(unit.sourceCount + consumed);
      state.position += consumed;
      for (uint32_t k = 0; k < replacementLength; ++k) {
        if (unit.outputCount == kSpellingUnitChars) return 1;
        unit.output[unit.outputCount++] = replacement[k];
        if (EndsUnit(m, replacement[k])) {
          ended = true;
          state.pending = replacement + k + 1;
          state.pendingLength = replacementLength - k - 1;
          break;
        }
      }
    }
    state.endedMarked = ended;
    if (!EmitUnit(c, reading, unit)) return 1;
    if (notedPosition >= 0 && c.out->readingCount < c.limit) {
      // The branching reading is completed first, then the alternative
      // reading takes its units before this one and runs from here.
      if (Segment(c, state, reading, forcedPosition, forcedRule) != 0) return 1;
      if (c.out->readingCount >= c.limit) return 0;
      const uint32_t branch = c.out->readingCount++;
      c.firstUnit[branch] = c.out->units.count;
      for (uint32_t i = 0; i < unitsBefore; ++i) {
        const SpellingUnit copy = c.out->Unit(c.firstUnit[reading] + i);
        if (!EmitUnit(c, branch, copy)) return 1;
      }
      return Segment(c, unitStart, branch, notedPosition, notedRule);
    }
  }
}

int32_t FloorHalf(int32_t v) { return v >= 0 ? v / 2 : -((1 - v) / 2); }

}  // namespace

uint32_t SpellingReadings::FirstUnit(uint32_t r) const {
  uint32_t first = 0;
  for (uint32_t i = 0; i < r && i < kMaxReadings; ++i) first += counts[i];
  return first;
}

void SpellingReadings::Clear() {
  units.count = 0;
  for (uint32_t& n : counts) n = 0;
  readingCount = 0;
}

int32_t FindWords(const ApproximateMatcher& matcher, const uint8_t* word, uint32_t length, SpellingReadings* out,
                  uint32_t readingLimit) {
  out->Clear();
  if (!matcher.loaded || matcher.spl1 == nullptr || matcher.spl6 == nullptr || matcher.spl3 == nullptr) return 1;
  if (readingLimit == 0 || readingLimit > kMaxReadings) readingLimit = kMaxReadings;
  SegmentContext c{matcher, word, length, out, readingLimit, {}, {}};
  out->readingCount = 1;
  if (Segment(c, SegmentState{}, 0, -1, 0) != 0) {
    out->Clear();
    return 1;
  }
  return 0;
}

int32_t UnitCost(const ApproximateMatcher& m, const SpellingUnit& a, const SpellingUnit& b, bool first) {
  const int32_t* s = m.scores;
  int32_t score = 0;
  if (first && a.outputCount == 0 && b.outputCount == 0) return s[kScoreFoldedLetters];
  if (a.sourceCount == b.sourceCount && std::memcmp(a.source, b.source, a.sourceCount) == 0) {
    score = s[kScoreIdenticalLetters];
  } else if (CompareByteKeysMapped(a.source, a.sourceCount, b.source, b.sourceCount, m.spl1, 256, 0xFFFFFFFFu) ==
             0) {
    score = s[kScoreFoldedLetters];
  } else {
    bool bonus = true;
    if (a.outputCount == b.outputCount && std::memcmp(a.output, b.output, a.outputCount) == 0) {
      score = s[kScoreIdenticalOutput];
    } else if (CompareByteKeysMapped(a.output, a.outputCount, b.output, b.outputCount, m.spl4, 256, 0xFFFFFFFFu) ==
               0) {
      score = s[kScoreSimilarOutput];
    } else if (CompareByteKeysMapped(a.output, a.outputCount, b.output, b.outputCount, m.spl5, 256, 0xFFFFFFFFu) ==
               0) {
      score = s[kScoreRelatedOutput];
    } else {
      bonus = false;
    }
    if (bonus) {
      const uint32_t shorter = a.sourceCount < b.sourceCount ? a.sourceCount : b.sourceCount;
      uint32_t p = 0;
      while (p < shorter && m.spl1[a.source[p]] == m.spl1[b.source[p]]) ++p;
      uint32_t t = 0;
      while (t < shorter && m.spl1[a.source[a.sourceCount - 1 - t]] == m.spl1[b.source[b.sourceCount - 1 - t]]) ++t;
      if (a.sourceCount <= 1 && b.sourceCount <= 1) {
        if (p != 0 || t != 0) score += s[kScoreSmallOverlap];
      } else {
        score += p + t >= 2 ? s[kScoreLargeOverlap] : s[kScoreSmallOverlap];
      }
    }
  }
  if (a.outputCount != 0 && m.spl5[a.output[0]] != 0) score += s[kScoreMarkedOutput];
  return score;
}

int32_t AlignmentCost(const ApproximateMatcher& m, const SpellingReadings& ra, uint32_t firstA, uint32_t nA,
                      const SpellingReadings& rb, uint32_t firstB, uint32_t nB) {
  auto A = [&](uint32_t i) -> const SpellingUnit& { return ra.Unit(firstA + i); };
  auto B = [&](uint32_t j) -> const SpellingUnit& { return rb.Unit(firstB + j); };
  const uint32_t n = nA > nB ? nA : nB;
  const int32_t unmatchedScore = m.scores[kScoreUnmatchedUnit];
  int64_t total = 0;
  uint32_t unmatchedA = 0;
  uint32_t unmatchedB = 0;
  uint32_t i = 0;
  uint32_t j = 0;
  while (j < n) {
    if (i < nA && j < nB) {
      const int32_t h = UnitCost(m, A(i), B(j), i == 0 && j == 0);
      if (h > 0) {
        total += h;
        ++i;
        ++j;
      } else {
        const int32_t o = i + 1 < nA ? UnitCost(m, A(i + 1), B(j), false) : 0;
        const int32_t r = j + 1 < nB ? UnitCost(m, A(i), B(j + 1), false) : 0;
        const int32_t t = i + 1 < nA && j + 1 < nB ? UnitCost(m, A(i + 1), B(j + 1), false) : 0;
        if (o >= r && o >= t && o > 0) {
          ++i;
        } else if (r >= t && r > 0) {
          ++j;
        } else if (t >= o && t >= r && t > 0) {
          ++i;
          ++j;
        } else {
          break;
        }
        // The pair after the skipped units counts as matched, unscored.
        total += FloorHalf(unmatchedScore);
        ++i;
        ++j;
      }
    } else {
      if (i < nA && A(i).outputCount != 0) ++unmatchedA;
      if (j < nB && B(j).outputCount != 0) ++unmatchedB;
      ++i;
      ++j;
    }
    if (i >= n) break;
  }
  total += static_cast<int64_t>(unmatchedA > unmatchedB ? unmatchedA : unmatchedB) * unmatchedScore;
  if (total < 0) return 0;
  return total > INT32_MAX ? INT32_MAX : static_cast<int32_t>(total);
}

int32_t BestReadingScore(const ApproximateMatcher& m, const SpellingReadings& a, const SpellingReadings& b) {
  int32_t best = 0;
  uint32_t firstA = 0;
  for (uint32_t ra = 0; ra < a.readingCount; ++ra) {
    uint32_t firstB = 0;
    for (uint32_t rb = 0; rb < b.readingCount; ++rb) {
      const int32_t score = AlignmentCost(m, a, firstA, a.counts[ra], b, firstB, b.counts[rb]);
      if (score > best) best = score;
      firstB += b.counts[rb];
    }
    firstA += a.counts[ra];
  }
  return best;
}

uint32_t PhoneticKey(const ApproximateMatcher& m, const SpellingReadings& readings, uint32_t first, uint32_t count,
                     uint8_t* key, bool* overflow) {
  *overflow = false;
  uint32_t length = 0;
  bool firstOutput = true;
  const uint32_t wanted = m.maxKeyLength > 0 ? static_cast<uint32_t>(m.maxKeyLength) : 0;
  for (uint32_t u = 0; u < count && length < wanted; ++u) {
    const SpellingUnit& unit = readings.Unit(first + u);
    for (uint32_t k = 0; k < unit.outputCount; ++k) {
      const uint8_t mapped = firstOutput ? m.spl4[unit.output[k]] : m.spl5[unit.output[k]];
      firstOutput = false;
      if (mapped == 0) continue;
      if (length == kPhoneticKeyBytes) {
        *overflow = true;
        continue;
      }
      key[length++] = mapped;
    }
  }
  return length;
}

int32_t CompareByteKeys(const uint8_t* a, uint32_t aLength, const uint8_t* b, uint32_t bLength, uint32_t limit) {
  if (bLength > limit) bLength = limit;
  const uint32_t n = aLength < bLength ? aLength : bLength;
  for (uint32_t i = 0; i < n; ++i)
    if (a[i] != b[i]) return a[i] < b[i] ? -1 : 1;
  if (aLength == bLength) return 0;
  return aLength < bLength ? -1 : 1;
}

int32_t CompareByteKeysMapped(const uint8_t* a, uint32_t aLength, const uint8_t* b, uint32_t bLength,
                              const uint8_t* map, uint32_t mapLength, uint32_t limit) {
  if (bLength > limit) bLength = limit;
  auto ignorable = [&](uint8_t c) { return c < mapLength && map[c] == 0; };
  uint32_t i = 0;
  uint32_t j = 0;
  for (;;) {
    while (i < aLength && ignorable(a[i])) ++i;
    while (j < bLength && ignorable(b[j])) ++j;
    if (i == aLength || j == bLength) {
      if (i == aLength && j == bLength) return 0;
      return i == aLength ? -1 : 1;
    }
    const uint8_t ca = a[i++];
    const uint8_t cb = b[j++];
    const bool mappedA = ca < mapLength;
    const bool mappedB = cb < mapLength;
    if (mappedA && mappedB) {
      if (map[ca] != map[cb]) return map[ca] < map[cb] ? -1 : 1;
    } else if (mappedA != mappedB) {
      return mappedA ? -1 : 1;
    } else if (ca != cb) {
      return ca < cb ? -1 : 1;
    }
  }
}

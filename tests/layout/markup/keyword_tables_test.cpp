// The keyword tries: every listed name finds its id with its table's case
// rule, whole or in pieces; names that are not listed (prefixes, other cases,
// units above ASCII) find nothing; the tag property table and the entity
// names agree with the character entity table.
#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "foundation/characters/char_entity_table.h"
#include "layout/markup/keyword_name_lists.h"
#include "layout/markup/keyword_tables.h"
#include "layout/markup/keyword_tag_properties.h"
#include "layout/markup/keyword_trie_data.h"

namespace {

std::u16string Wide(const std::string& ascii) { return std::u16string(ascii.begin(), ascii.end()); }

// One vocabulary: its list, its trie and its case rule.
struct Vocabulary {
  const char* title;
  const KeywordName* list;
  uint32_t length;
  const TrieNode* (*root)();
  bool (*lookup)(const WCHAR*, uint32_t, uint16_t*);
  bool folded;
};

const Vocabulary kVocabularies[] = {
    {"markup", kMarkupNameList, kMarkupNameListLength, GetMarkupNameTrie, LookupMarkupName, true},
    {"value", kValueKeywordList, kValueKeywordListLength, GetValueKeywordTrie,
     LookupValueKeyword, true},
    {"entity", kEntityNameList, kEntityNameListLength, GetEntityTrie, LookupEntityName, false},
    {"script", kScriptNameList, kScriptNameListLength, GetScriptKeywordTrie,
     LookupScriptKeyword, false},
};

// Whole-name look-up; 0 when not found. Checks that a miss leaves *id alone.
uint16_t Whole(const Vocabulary& v, const std::u16string& name) {
  uint16_t id = 0xBEEF;
  if (!v.lookup(name.data(), static_cast<uint32_t>(name.size()), &id)) {
    EXPECT_EQ(id, 0xBEEF) << v.title << ": a miss changed the id";
    return 0;
  }
  EXPECT_NE(id, 0);
  return id;
}

// Look-up through the cursor, the name cut at the given offsets.
uint16_t Pieces(const Vocabulary& v, const std::u16string& name, const std::vector<size_t>& cuts) {
  TrieCursor cursor(v.root());
  TrieStep step{false, 0};
  size_t from = 0;
  std::vector<size_t> ends = cuts;
  ends.push_back(name.size());
  for (size_t to : ends) {
    const uint32_t n = static_cast<uint32_t>(to - from);
    step = v.folded ? cursor.StepFolded(name.data() + from, n) : cursor.Step(name.data() + from, n);
    from = to;
  }
  if (step.stopped) {
    EXPECT_EQ(step.id, 0);
  }
  return step.stopped ? 0 : step.id;
}

// Every way of looking the name up agrees with `expected`: whole, in two
// pieces cut at every offset (empty pieces at the ends included), and one
// unit per piece.
void ExpectEverywhere(const Vocabulary& v, const std::u16string& name, uint16_t expected,
                      const std::string& shown) {
  EXPECT_EQ(Whole(v, name), expected) << v.title << " " << shown;
  for (size_t cut = 0; cut <= name.size(); ++cut) {
    EXPECT_EQ(Pieces(v, name, {cut}), expected) << v.title << " " << shown << " cut at " << cut;
  }
  std::vector<size_t> each;
  for (size_t i = 1; i < name.size(); ++i) each.push_back(i);
  EXPECT_EQ(Pieces(v, name, each), expected) << v.title << " " << shown << " unit by unit";
}

std::map<std::string, uint16_t> NameMap(const Vocabulary& v) {
  std::map<std::string, uint16_t> names;
  for (uint32_t i = 0; i < v.length; ++i) names[v.list[i].text] = v.list[i].id;
  return names;
}

std::string Lower(std::string s) {
  for (char& c : s) c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
  return s;
}

std::string Upper(std::string s) {
  for (char& c : s) c = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
  return s;
}

// Alternating case from the first letter on: "bOdY".
std::string Mixed(std::string s) {
  bool up = false;
  for (char& c : s) {
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) {
      c = up ? Upper(std::string(1, c))[0] : Lower(std::string(1, c))[0];
      up = !up;
    }
  }
  return s;
}

// The expected answer for a text: its id when listed (for a folded table,
// when its upper-case form is listed), else 0.
uint16_t Expected(const Vocabulary& v, const std::map<std::string, uint16_t>& names,
                  const std::string& text) {
  auto it = names.find(v.folded ? Upper(text) : text);
  return it == names.end() ? 0 : it->second;
}

TEST(KeywordTries, LinksStayInsideTheirArrays) {
  struct Trie {
    const TrieNode* nodes;
    uint32_t count;
    uint32_t root;
  };
  const Trie tries[] = {
      {kMarkupNameTrieNodes, kMarkupNameTrieNodeCount, kMarkupNameTrieRootIndex},
      {kValueKeywordTrieNodes, kValueKeywordTrieNodeCount, kValueKeywordTrieRootIndex},
      {kEntityNameTrieNodes, kEntityNameTrieNodeCount, kEntityNameTrieRootIndex},
      {kScriptNameTrieNodes, kScriptNameTrieNodeCount, kScriptNameTrieRootIndex},
  };
  for (const Trie& t : tries) {
    ASSERT_LT(t.root, t.count);
    EXPECT_NE(t.root, 0u) << "the root is not the first node";
    for (uint32_t i = 0; i < t.count; ++i) {
      const TrieNode& n = t.nodes[i];
      EXPECT_GT(n.character, 0x20);
      EXPECT_LT(n.character, 0x7F);
      EXPECT_LT(i + n.lo, t.count);
      EXPECT_LT(i + n.eq, t.count);
      EXPECT_LE(n.hi, i);
    }
  }
}

TEST(KeywordTries, ListsHoldTheVocabularies) {
  // Names and distinct ids: markup 204 (ids 1-205 without 143), values 54
  // with 53 ids, entities 253, script names 301 with 299 ids.
  struct Count {
    uint32_t names;
    uint32_t ids;
    uint32_t maxId;
  };
  const Count counts[] = {{204, 204, 205}, {54, 53, 54}, {253, 253, 253}, {301, 299, 316}};
  for (size_t t = 0; t < 4; ++t) {
    const Vocabulary& v = kVocabularies[t];
    std::map<uint16_t, int> ids;
    uint16_t maxId = 0;
    for (uint32_t i = 0; i < v.length; ++i) {
      ++ids[v.list[i].id];
      if (v.list[i].id > maxId) maxId = v.list[i].id;
      if (i > 0) {
        EXPECT_LE(v.list[i - 1].id, v.list[i].id) << v.title << " lists in id order";
      }
    }
    EXPECT_EQ(v.length, counts[t].names) << v.title;
    EXPECT_EQ(ids.size(), counts[t].ids) << v.title;
    EXPECT_EQ(maxId, counts[t].maxId) << v.title;
  }
  // Ids without a name.
  EXPECT_EQ(MarkupNameText(143), nullptr);
  EXPECT_EQ(ValueKeywordText(43), nullptr);
  const std::map<std::string, uint16_t> script = NameMap(kVocabularies[3]);
  for (uint16_t gap : {22, 42, 45, 75, 80, 138, 197, 204, 223, 224, 240, 244, 268, 287, 288, 294,
                       295}) {
    for (const auto& [name, id] : script) EXPECT_NE(id, gap) << name;
  }
}

// The ids of a sample of names, written out here independently of the lists.
TEST(KeywordTries, SampleIds) {
  struct Case {
    int table;
    const char* name;
    uint16_t id;
  };
  const Case cases[] = {
      {0, "HTML", 1},          {0, "Body", 2},          {0, "body", 2},
      {0, "BODY", 2},          {0, "TH", 47},           {0, "THEAD", 73},
      {0, "DC:TITLE", 118},    {0, "qvr:page_role", 123}, {0, "ENDFILEPOS", 142},
      {0, "ONSUBMIT", 144},    {0, "QVR:AUTO-SUBMIT", 146}, {0, "INPUT_RESTRICT", 149},
      {0, "CONTENT", 182},     {0, "CONTENT:ENCODED", 200}, {0, "http-equiv", 201},
      {0, "REL", 205},
      {1, "BLACK", 1},         {1, "aqua", 16},         {1, "POETRY", 22},
      {1, "MULTIPART/FORM-DATA", 41}, {1, "APPLICATION/X-WWW-FORM-URLENCODED", 42},
      {1, "X-WWW-FORM-URLENCODED", 42}, {1, "x-www-form-urlencoded", 42},
      {1, "GET", 44},          {1, "LATN", 54},
      {2, "quot", 1},          {2, "amp", 2},           {2, "apos", 3},
      {2, "nbsp", 6},          {2, "yuml", 101},        {2, "OElig", 102},
      {2, "oelig", 103},       {2, "Alpha", 110},       {2, "Omega", 133},
      {2, "alpha", 134},       {2, "sigmaf", 151},      {2, "sigma", 152},
      {2, "omega", 158},       {2, "zwnj", 165},        {2, "lArr", 200},
      {2, "larr", 194},        {2, "diams", 253},
      {3, "break", 1},         {3, "__litteralstr", 21}, {3, "document", 23},
      {3, "Remove", 74},       {3, "remove", 74},       {3, "Clear", 113},
      {3, "clear", 113},       {3, "gramgrp", 136},     {3, "url", 148},
      {3, "Delete", 150},      {3, "delete", 15},       {3, "eval", 245},
      {3, "LCID", 316},
      // Not found: other cases of exact names, proper prefixes, near misses.
      {0, "H", 0},             {0, "HTM", 0},           {0, "HTMLX", 0},
      {0, "DC:", 0},           {1, "X-WWW", 0},         {2, "Amp", 0},
      {2, "AMP", 0},           {2, "amp;", 0},          {3, "REMOVE", 0},
      {3, "CLEAR", 0},         {3, "Break", 0},         {3, "Removeremove", 0},
  };
  for (const Case& c : cases) {
    ExpectEverywhere(kVocabularies[c.table], Wide(c.name), c.id, c.name);
  }
}

// Every listed name, in its own case and (folded tables) in lower and mixed
// case, whole and split at every offset; every proper prefix and every name
// with a unit appended finds only what is listed.
TEST(KeywordTries, EveryNameWholeAndInPieces) {
  for (const Vocabulary& v : kVocabularies) {
    const std::map<std::string, uint16_t> names = NameMap(v);
    for (const auto& [name, id] : names) {
      ExpectEverywhere(v, Wide(name), id, name);
      if (v.folded) {
        ExpectEverywhere(v, Wide(Lower(name)), id, Lower(name));
        ExpectEverywhere(v, Wide(Mixed(name)), id, Mixed(name));
      } else {
        for (const std::string& other : {Lower(name), Upper(name), Mixed(name)}) {
          ExpectEverywhere(v, Wide(other), Expected(v, names, other), other);
        }
      }
      for (size_t n = 1; n < name.size(); ++n) {
        const std::string prefix = name.substr(0, n);
        EXPECT_EQ(Whole(v, Wide(prefix)), Expected(v, names, prefix)) << v.title << " " << prefix;
      }
      for (const char* tail : {"#", "S", "s", "1", "_"}) {
        const std::string longer = name + tail;
        ExpectEverywhere(v, Wide(longer), Expected(v, names, longer), longer);
      }
    }
  }
}

// Only whole code units compare: a unit above 0xFF whose low byte is a key's
// character never matches, and the folded look-up folds only a-z.
TEST(KeywordTries, UnitsAboveAsciiNeverMatch) {
  for (const Vocabulary& v : kVocabularies) {
    for (uint32_t i = 0; i < v.length; ++i) {
      const std::u16string name = Wide(v.list[i].text);
      for (size_t at = 0; at < name.size(); ++at) {
        for (char16_t high : {char16_t(0x100), char16_t(0x4100), char16_t(0xFF00)}) {
          std::u16string alias = name;
          alias[at] = static_cast<char16_t>(alias[at] + high);
          ASSERT_EQ(Whole(v, alias), 0) << v.title << " " << v.list[i].text << " at " << at;
          ASSERT_EQ(Pieces(v, alias, {at}), 0) << v.title << " " << v.list[i].text;
        }
      }
    }
  }
  uint16_t id = 0;
  EXPECT_TRUE(LookupMarkupName(u"A", 1, &id));
  EXPECT_EQ(id, 48);
  EXPECT_FALSE(LookupMarkupName(u"\u0141", 1, &id));       // low byte 'A'
  EXPECT_FALSE(LookupMarkupName(u"\u0161", 1, &id));       // low byte 'a', not folded
  EXPECT_FALSE(LookupScriptKeyword(u"\u0175rl", 3, &id));  // low byte 'u': not "url"
  EXPECT_FALSE(LookupEntityName(u"am\u0170", 3, &id));     // low byte 'p'
}

TEST(KeywordTries, EmptyAndNullKeysFindNothing) {
  for (const Vocabulary& v : kVocabularies) {
    uint16_t id = 7;
    EXPECT_FALSE(v.lookup(u"", 0, &id));
    EXPECT_FALSE(v.lookup(nullptr, 0, &id));
    EXPECT_FALSE(v.lookup(nullptr, 4, &id));
    EXPECT_EQ(id, 7);
  }
  uint16_t id = 7;
  EXPECT_FALSE(TrieLookup(u"HTML", 4, nullptr, &id));
  EXPECT_FALSE(TrieLookupFolded(u"HTML", 4, nullptr, &id));
}

TEST(KeywordTries, CursorSteps) {
  // Empty pieces anywhere change nothing.
  TrieCursor cursor(GetMarkupNameTrie());
  EXPECT_EQ(cursor.StepFolded(u"", 0).id, 0);
  TrieStep step = cursor.StepFolded(u"ta", 2);
  EXPECT_FALSE(step.stopped);
  EXPECT_EQ(step.id, 0);
  step = cursor.StepFolded(u"", 0);
  EXPECT_FALSE(step.stopped);
  step = cursor.StepFolded(u"ble", 3);
  EXPECT_FALSE(step.stopped);
  EXPECT_EQ(step.id, 44);
  step = cursor.StepFolded(u"", 0);
  EXPECT_FALSE(step.stopped);
  EXPECT_EQ(step.id, 44);

  // Past the end of a leaf word: stopped, and it stays stopped.
  cursor.Reset(GetMarkupNameTrie());
  EXPECT_EQ(cursor.StepFolded(u"TABLE", 5).id, 44);
  step = cursor.StepFolded(u"S", 1);
  EXPECT_TRUE(step.stopped);
  EXPECT_EQ(step.id, 0);
  step = cursor.StepFolded(u"", 0);
  EXPECT_TRUE(step.stopped);
  EXPECT_TRUE(cursor.StepFolded(u"X", 1).stopped);

  // A reset makes the cursor usable again; a default cursor is stopped.
  cursor.Reset(GetEntityTrie());
  EXPECT_EQ(cursor.Step(u"am", 2).id, 0);
  EXPECT_EQ(cursor.Step(u"p", 1).id, 2);
  TrieCursor none;
  EXPECT_TRUE(none.Step(u"a", 1).stopped);
  EXPECT_TRUE(none.Step(u"", 0).stopped);
}

// Entity names, ids and characters agree in every direction.
TEST(KeywordTries, EntityNamesAndCharacters) {
  for (uint32_t i = 0; i < kEntityNameListLength; ++i) {
    const KeywordName& e = kEntityNameList[i];
    const std::u16string name = Wide(e.text);
    uint16_t id = 0;
    ASSERT_TRUE(LookupEntityName(name.data(), static_cast<uint32_t>(name.size()), &id)) << e.text;
    EXPECT_EQ(id, e.id);
    EXPECT_EQ(FindEntityByCodePoint(EntityCodePoint(id)), id) << e.text;
    EXPECT_STREQ(EntityNameText(FindEntityByCodePoint(EntityCodePoint(id))), e.text);
  }
  struct Case {
    const char* name;
    uint16_t codePoint;
  };
  const Case cases[] = {{"quot", 0x22},    {"amp", 0x26},     {"apos", 0x27},   {"lt", 0x3C},
                        {"gt", 0x3E},      {"nbsp", 0xA0},    {"yuml", 0xFF},   {"Yuml", 0x178},
                        {"sigmaf", 0x3C2}, {"euro", 0x20AC},  {"mdash", 0x2014}, {"zwnj", 0x200C},
                        {"hArr", 0x21D4},  {"diams", 0x2666}};
  for (const Case& c : cases) {
    const std::u16string name = Wide(c.name);
    uint16_t id = 0;
    ASSERT_TRUE(LookupEntityName(name.data(), static_cast<uint32_t>(name.size()), &id)) << c.name;
    EXPECT_EQ(EntityCodePoint(id), c.codePoint) << c.name;
    EXPECT_STREQ(EntityNameText(FindEntityByCodePoint(c.codePoint)), c.name);
  }
  EXPECT_EQ(EntityNameText(0), nullptr);
  EXPECT_EQ(EntityNameText(254), nullptr);
}

TEST(KeywordTries, NamesOfIds) {
  for (const Vocabulary& v : {kVocabularies[0], kVocabularies[1]}) {
    for (uint32_t i = 0; i < v.length; ++i) {
      const char* text = v.title[0] == 'm' ? MarkupNameText(v.list[i].id)
                                           : ValueKeywordText(v.list[i].id);
      ASSERT_NE(text, nullptr);
      const std::u16string name = Wide(text);
      uint16_t id = 0;
      EXPECT_TRUE(v.lookup(name.data(), static_cast<uint32_t>(name.size()), &id));
      EXPECT_EQ(id, v.list[i].id);
    }
  }
  EXPECT_STREQ(MarkupNameText(kMarkupQvrAutoSubmit), "QVR:AUTO-SUBMIT");
  EXPECT_STREQ(ValueKeywordText(42), "APPLICATION/X-WWW-FORM-URLENCODED");
  EXPECT_EQ(MarkupNameText(0), nullptr);
  EXPECT_EQ(MarkupNameText(206), nullptr);
}

TEST(TagProperties, WordsOfSampleIds) {
  struct Case {
    uint32_t id;
    uint16_t word;
  };
  const Case cases[] = {
      {0, 0},           {143, 0},         {206, 0},         {0xFFFF, 0},
      {kMarkupHtml, 0x0028},              {kMarkupBody, 0x0023},
      {kMarkupTitle, 0x0223},             {kMarkupH1, 0x0021}, {kMarkupH6, 0x0021},
      {kMarkupP, 0x00A1},                 {kMarkupBr, 0x0120}, {kMarkupTable, 0x0027},
      {kMarkupTd, 0x00A4},                {kMarkupTr, 0x00A5}, {kMarkupTbody, 0x00A6},
      {kMarkupLi, 0x00AC},                {kMarkupLabel, 0x032E},
      {kMarkupScript, 0x0031},            {kMarkupStyle, 0x0231},
      {kMarkupWidth, 0x0060},             {kMarkupUrl, 0x0260}, {kMarkupContent, 0x0263},
      {kMarkupRss, 0x0223},               {kMarkupContributor, 0x0223},
      {kMarkupVersion, 0x0240},           {kMarkupSyUpdatebase, 0x0223},
      {kMarkupInputRestrict, 0},          {kMarkupQvrAutoSubmit, 0x0040},
      {kMarkupRel, 0x0240},
  };
  for (const Case& c : cases) EXPECT_EQ(TagProperties(c.id), c.word) << "id " << c.id;
}

TEST(TagProperties, EveryNamedIdIsTagOrAttribute) {
  for (uint32_t i = 0; i < kMarkupNameListLength; ++i) {
    const uint16_t id = kMarkupNameList[i].id;
    const uint16_t word = TagProperties(id);
    EXPECT_LT(ContentClass(id), kContentClassCount) << kMarkupNameList[i].text;
    EXPECT_EQ(word & 0xFC00, 0) << kMarkupNameList[i].text;
    if (id == kMarkupInputRestrict) {
      EXPECT_FALSE(IsTag(id) || IsAttribute(id));
    } else {
      EXPECT_TRUE(IsTag(id) || IsAttribute(id)) << kMarkupNameList[i].text;
    }
  }
}

TEST(TagProperties, Predicates) {
  EXPECT_TRUE(IsEmptyElement(kMarkupBr));
  EXPECT_TRUE(IsEmptyElement(kMarkupImg));
  EXPECT_FALSE(IsEmptyElement(kMarkupP));
  EXPECT_TRUE(IsClosedBySibling(kMarkupP));
  EXPECT_TRUE(IsClosedBySibling(kMarkupOption));
  EXPECT_FALSE(IsClosedBySibling(kMarkupH2));
  EXPECT_TRUE(IsTag(kMarkupTitle));
  EXPECT_FALSE(IsAttribute(kMarkupTitle));  // TITLE is kept by the parser as a name in the trie
  EXPECT_TRUE(HasTextValue(kMarkupHref));
  EXPECT_FALSE(HasTextValue(kMarkupColspan));
  EXPECT_TRUE(IsTag(kMarkupWidth) && IsAttribute(kMarkupWidth));
  EXPECT_EQ(ContentClass(kMarkupDiv), 16u);
  EXPECT_EQ(ContentClass(kMarkupDcLanguage), 17u);

  struct SetCase {
    uint32_t id;
    bool handled, blocksAndLists, tableParts;
  };
  const SetCase sets[] = {
      {kMarkupImg, true, false, false},     {kMarkupForm, true, false, false},
      {kMarkupInput, true, false, false},   {kMarkupScript, true, false, false},
      {kMarkupP, false, true, false},       {kMarkupDl, false, true, false},
      {kMarkupDt, false, true, false},      {kMarkupUl, false, true, false},
      {kMarkupLi, false, true, false},      {kMarkupTd, false, false, true},
      {kMarkupTr, false, false, true},      {kMarkupThead, false, false, true},
      {kMarkupTable, false, false, true},   {kMarkupB, false, false, false},
      {kMarkupDiv, false, false, false},    {kMarkupOption, false, false, false},
  };
  for (const SetCase& s : sets) {
    EXPECT_EQ(IsHandledTagClass(s.id), s.handled) << MarkupNameText(s.id);
    EXPECT_EQ(IsBlockOrListClass(s.id), s.blocksAndLists) << MarkupNameText(s.id);
    EXPECT_EQ(IsTablePartClass(s.id), s.tableParts) << MarkupNameText(s.id);
  }
}

TEST(TagProperties, ContentClassRules) {
  EXPECT_EQ(AllowedChildClasses(0), 0xFFFF6A8Fu);
  EXPECT_EQ(AllowedChildClasses(11), 0xFFFF7A8Fu);  // a list may hold LI
  EXPECT_EQ(AllowedChildClasses(7), 0x60u);        // TABLE holds row groups and rows
  EXPECT_EQ(AllowedChildClasses(17), 0u);
  EXPECT_EQ(AllowedChildClasses(18), 0u);
  EXPECT_EQ(PassOverClasses(1, true), 0xDE07u);
  EXPECT_EQ(PassOverClasses(1, false), 0u);
  EXPECT_EQ(PassOverClasses(3, false), 0x3FEF7u);
  EXPECT_EQ(PassOverClasses(12, true), 0x1007u);
  EXPECT_EQ(PassOverClasses(17, true), 0x20000u);
  EXPECT_EQ(PassOverClasses(18, true), 0u);
  EXPECT_EQ(PassOverClasses(0xFFFFFFFF, false), 0u);
}

}  // namespace

// Named look-ups over the generated keyword tries and the id-to-name lists.
#include "layout/markup/keyword_tables.h"

#include "layout/markup/keyword_name_lists.h"
#include "layout/markup/keyword_trie_data.h"

namespace {

// The lists are in id order, so a binary search finds an id's first name.
const char* FindText(const KeywordName* list, uint32_t count, uint32_t id) {
  uint32_t low = 0;
  uint32_t high = count;
  while (low < high) {
    const uint32_t middle = low + (high - low) / 2;
    if (list[middle].id < id) {
      low = middle + 1;
    } else {
      high = middle;
    }
  }
  return (low < count && list[low].id == id) ? list[low].text : nullptr;
}

}  // namespace

const TrieNode* GetMarkupNameTrie() { return &kMarkupNameTrieNodes[kMarkupNameTrieRootIndex]; }
const TrieNode* GetValueKeywordTrie() {
  return &kValueKeywordTrieNodes[kValueKeywordTrieRootIndex];
}
const TrieNode* GetEntityTrie() { return &kEntityNameTrieNodes[kEntityNameTrieRootIndex]; }
const TrieNode* GetScriptKeywordTrie() { return &kScriptNameTrieNodes[kScriptNameTrieRootIndex]; }

bool LookupMarkupName(const WCHAR* name, uint32_t length, uint16_t* id) {
  return TrieLookupFolded(name, length, GetMarkupNameTrie(), id);
}

bool LookupValueKeyword(const WCHAR* name, uint32_t length, uint16_t* id) {
  return TrieLookupFolded(name, length, GetValueKeywordTrie(), id);
}

bool LookupEntityName(const WCHAR* name, uint32_t length, uint16_t* id) {
  return TrieLookup(name, length, GetEntityTrie(), id);
}

bool LookupScriptKeyword(const WCHAR* name, uint32_t length, uint16_t* id) {
  return TrieLookup(name, length, GetScriptKeywordTrie(), id);
}

const char* MarkupNameText(uint32_t id) {
  return FindText(kMarkupNameList, kMarkupNameListLength, id);
}

const char* ValueKeywordText(uint32_t id) {
  return FindText(kValueKeywordList, kValueKeywordListLength, id);
}

const char* EntityNameText(uint32_t id) {
  return FindText(kEntityNameList, kEntityNameListLength, id);
}

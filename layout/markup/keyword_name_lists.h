// Every name of the four keyword tries with its id, in id order (generated
// data in keyword_name_lists.cpp). Used to print names back from ids and to
// check the tries against their lists.
#pragma once

#include <cstdint>

struct KeywordName {
  const char* text;  // ASCII, as the trie holds it (upper case when folded)
  uint16_t id;
};

extern const KeywordName kMarkupNameList[];
extern const uint32_t kMarkupNameListLength;
extern const KeywordName kValueKeywordList[];
extern const uint32_t kValueKeywordListLength;
extern const KeywordName kEntityNameList[];
extern const uint32_t kEntityNameListLength;
extern const KeywordName kScriptNameList[];
extern const uint32_t kScriptNameListLength;

// The four vocabularies of the markup side, looked up by name: tag and
// attribute names and attribute value keywords (case-folded), character
// entity names and script identifiers (exact). Names are plain UTF-16 units;
// the ids are those of keyword_ids.h (script ids are the script engine's
// atoms). Each look-up answers true with the id, and leaves *id alone when
// the name is not in its table.
#pragma once

#include <cstdint>

#include "layout/markup/keyword_ids.h"
#include "layout/markup/keyword_trie.h"
#include "platform/types/device_types.h"

bool LookupMarkupName(const WCHAR* name, uint32_t length, uint16_t* id);
bool LookupValueKeyword(const WCHAR* name, uint32_t length, uint16_t* id);
bool LookupEntityName(const WCHAR* name, uint32_t length, uint16_t* id);
bool LookupScriptKeyword(const WCHAR* name, uint32_t length, uint16_t* id);

// Root nodes, for TrieCursor over names that arrive in pieces (markup and
// value names with StepFolded, entity and script names with Step).
const TrieNode* GetMarkupNameTrie();
const TrieNode* GetValueKeywordTrie();
const TrieNode* GetEntityTrie();
const TrieNode* GetScriptKeywordTrie();

// The name of an id (ASCII, null-terminated; markup and value names in upper
// case), or null when the id has no name. Value id 42 answers its long form.
const char* MarkupNameText(uint32_t id);
const char* ValueKeywordText(uint32_t id);
const char* EntityNameText(uint32_t id);

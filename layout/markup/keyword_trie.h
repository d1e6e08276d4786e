// Ternary search tries over constant node arrays: the look-up routines that
// turn a name (UTF-16 units) into its id, exactly or with a-z folded to A-Z,
// and a cursor for names that arrive in several pieces.
//
// A node is five 16-bit words. lo and eq are forward offsets (in nodes) to
// the subtrees of smaller characters and of the next character; hi is a
// BACKWARD offset to the subtree of greater characters. A link of 0 means no
// subtree; an id of 0 means no word ends at the node. Links are relative, so
// the arrays need neither relocation nor construction.
//
// The whole code unit is compared with the node's character: every key is
// ASCII, so a unit above 0x7F never matches (U+0141 is not "A").
#pragma once

#include <cstdint>

#include "platform/types/device_types.h"

struct TrieNode {
  uint16_t character;
  uint16_t lo;  // forward offset to the smaller characters
  uint16_t eq;  // forward offset to the next character
  uint16_t hi;  // backward offset to the greater characters
  uint16_t id;  // 0 = no word ends here
};
static_assert(sizeof(TrieNode) == 10, "a trie node is five 16-bit words");

// Exact look-up of `length` units from `root`. True when the whole key is a
// word of the trie; *id is then its id and is left alone otherwise.
bool TrieLookup(const WCHAR* key, uint32_t length, const TrieNode* root, uint16_t* id);

// The same with every unit in a-z taken as A-Z.
bool TrieLookupFolded(const WCHAR* key, uint32_t length, const TrieNode* root, uint16_t* id);

// The answer of one step of a cursor.
struct TrieStep {
  bool stopped;  // the name left the trie: it is no word
  uint16_t id;   // id of the word ending at the last unit so far (0 = none)
};

// Incremental look-up of a name split into pieces (a token over several text
// blocks). Step each piece in order and take the last answer: its id is the
// id of the whole name (0 when any step stopped). An empty piece changes
// nothing; once stopped, the cursor stays stopped until reset.
class TrieCursor {
 public:
  TrieCursor() = default;
  explicit TrieCursor(const TrieNode* root) { Reset(root); }

  void Reset(const TrieNode* root);
  TrieStep Step(const WCHAR* piece, uint32_t length);
  TrieStep StepFolded(const WCHAR* piece, uint32_t length);

 private:
  TrieStep Walk(const WCHAR* piece, uint32_t length, bool folded);

  const TrieNode* node_ = nullptr;  // node for the next unit; null = no subtree
  uint16_t id_ = 0;                 // id at the last matched unit
  bool stopped_ = true;
};

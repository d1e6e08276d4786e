// Look-up routines of the keyword tries (see keyword_trie.h): one loop over
// the key, no recursion, no allocation.
#include "layout/markup/keyword_trie.h"

namespace {

inline WCHAR FoldUnit(WCHAR unit) {
  return (unit >= u'a' && unit <= u'z') ? static_cast<WCHAR>(unit - 32) : unit;
}

// Finds the node matching `unit` among `node` and its lo/hi siblings; null
// when a link runs out.
inline const TrieNode* MatchUnit(const TrieNode* node, WCHAR unit) {
  for (;;) {
    if (unit < node->character) {
      if (node->lo == 0) return nullptr;
      node += node->lo;
    } else if (unit > node->character) {
      if (node->hi == 0) return nullptr;
      node -= node->hi;
    } else {
      return node;
    }
  }
}

bool Lookup(const WCHAR* key, uint32_t length, const TrieNode* node, bool folded,
            uint16_t* id) {
  if (key == nullptr || length == 0 || node == nullptr) return false;
  for (uint32_t i = 0;; ++i) {
    const WCHAR unit = folded ? FoldUnit(key[i]) : key[i];
    node = MatchUnit(node, unit);
    if (node == nullptr) return false;
    if (i + 1 == length) {
      if (node->id == 0) return false;
      *id = node->id;
      return true;
    }
    if (node->eq == 0) return false;
    node += node->eq;
  }
}

}  // namespace

bool TrieLookup(const WCHAR* key, uint32_t length, const TrieNode* root, uint16_t* id) {
  return Lookup(key, length, root, false, id);
}

bool TrieLookupFolded(const WCHAR* key, uint32_t length, const TrieNode* root, uint16_t* id) {
  return Lookup(key, length, root, true, id);
}

void TrieCursor::Reset(const TrieNode* root) {
  node_ = root;
  id_ = 0;
  stopped_ = root == nullptr;
}

TrieStep TrieCursor::Step(const WCHAR* piece, uint32_t length) {
  return Walk(piece, length, false);
}

TrieStep TrieCursor::StepFolded(const WCHAR* piece, uint32_t length) {
  return Walk(piece, length, true);
}

TrieStep TrieCursor::Walk(const WCHAR* piece, uint32_t length, bool folded) {
  for (uint32_t i = 0; i < length && !stopped_; ++i) {
    const TrieNode* match =
        node_ == nullptr ? nullptr : MatchUnit(node_, folded ? FoldUnit(piece[i]) : piece[i]);
    if (match == nullptr) {
      stopped_ = true;
      node_ = nullptr;
      id_ = 0;
      break;
    }
    id_ = match->id;
    node_ = match->eq == 0 ? nullptr : match + match->eq;
  }
  return TrieStep{stopped_, stopped_ ? static_cast<uint16_t>(0) : id_};
}

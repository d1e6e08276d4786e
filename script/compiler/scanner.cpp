// The script scanner: runs the table automaton from the start state while a
// transition applies, then accepts the state's token or reports text that is
// no token.
#include "script/compiler/scanner.h"

ScriptScanResult ScanScriptToken(const WCHAR* chars, uint32_t end, uint32_t* position,
                                 ScriptScannerAccept* accept) {
  const ScriptScannerTable& table = GetScriptScannerTable();
  uint32_t start = *position;
  if (start >= end) return kScanEnd;
  uint32_t p = start;
  uint8_t state = table.startState;
  while (p < end) {
    uint32_t c = chars[p];
    uint8_t cls = c < 128 ? table.classOf[c] : table.highClass;
    uint8_t next = table.next[state][cls];
    if (next == kScannerNoTransition) break;
    state = next;
    ++p;
  }
  *accept = table.accept[state];
  if (accept->kind == kScannerKindNone) {
    *position = p > start ? p : start + 1;
    return kScanTextOnly;
  }
  *position = p;
  return kScanToken;
}

ScriptScanResult ScriptScanner::NextToken() {
  tokenStart_ = position_;
  accept_ = ScriptScannerAccept{};
  if (chars_ == nullptr) return kScanEnd;
  return ScanScriptToken(chars_, end_, &position_, &accept_);
}

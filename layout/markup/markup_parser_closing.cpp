// The parser's implicit closing: whether a tag may stand where it is, which
// open elements it closes on the way, and whether it is dropped. Driven by
// the content class of each tag and the class rules of the tag property
// table.
#include "layout/markup/keyword_ids.h"
#include "layout/markup/keyword_tag_properties.h"
#include "layout/markup/markup_parser.h"

namespace {

// Classes whose opening tags match any open element of their own class
// (headings and blocks, cells, table sections, definition parts).
bool MatchesByClass(uint32_t contentClass) {
  return contentClass == 1 || contentClass == 4 || contentClass == 6 || contentClass == 10;
}

bool Allows(uint32_t parentId, uint32_t childClass) {
  return ((AllowedChildClasses(ContentClass(parentId)) >> childClass) & 1u) != 0;
}

}  // namespace

MarkupParser::Closing MarkupParser::ImplicitClose(uint32_t position) {
  const uint32_t id = parsedTag_;
  const bool closing = parsingClosing_;
  const uint32_t cls = ContentClass(id);
  const uint32_t depth = stack_.count;

  if (closing && IsEmptyElement(id)) return Closing::kDropped;
  if (HasAttribute(kMarkupQvrIgnore)) return Closing::kDropped;

  if (IsEmptyElement(id)) {
    parsingSelfContained_ = true;
    if (depth == 0) return cls == 2 ? Closing::kDeliver : Closing::kDropped;
    return Allows(*stack_.At(depth - 1), cls) ? Closing::kDeliver : Closing::kDropped;
  }

  if (depth == 0) return !closing && (cls == 8 || cls == 3) ? Closing::kDeliver : Closing::kDropped;

  const bool closesSiblings = closing || IsClosedBySibling(id);
  const uint32_t passMask = PassOverClasses(cls, closesSiblings);
  const bool byClass = !closing && MatchesByClass(cls);
  int64_t match = -1;
  for (int64_t i = static_cast<int64_t>(depth) - 1; i >= 0; --i) {
    uint32_t open = *stack_.At(static_cast<uint32_t>(i));
    uint32_t openClass = ContentClass(open);
    if (byClass ? openClass == cls : open == id) {
      match = i;
      break;
    }
    if (((passMask >> openClass) & 1u) == 0) break;
  }

  if (match >= 0 && closesSiblings) {
    // Close what lies above the match, top first, and for an opening tag
    // the matched element too; the tag follows them.
    int64_t lowest = closing ? match + 1 : match;
    ClearQueue();
    for (int64_t i = static_cast<int64_t>(depth) - 1; i >= lowest; --i) {
      if (queue_.Append(*stack_.At(static_cast<uint32_t>(i))) < 0) {
        ClearQueue();
        return Closing::kDropped;
      }
    }
    if (queue_.count == 0) return Closing::kDeliver;  // a closing tag of the top element
    pendingTag_ = id;
    pendingPosition_ = position;
    pendingClosing_ = closing;
    pendingSelfContained_ = parsingSelfContained_;
    return Closing::kQueued;
  }

  if (closing) return Closing::kDropped;
  if (!Allows(*stack_.At(depth - 1), cls)) return Closing::kDropped;
  if (id == kMarkupTable && nestedTable_ && StackHolds(kMarkupTable) &&
      !(inlineTable_ && HasAttribute(kMarkupInline))) {
    return Closing::kDropped;
  }
  if (IsTablePartClass(id)) parsingSelfContained_ = false;
  if (!parsingSelfContained_ && depth >= kMaxOpenElements) return Closing::kDropped;
  return Closing::kDeliver;
}

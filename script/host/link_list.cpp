// The playlist of sound addresses (see link_list.h).
#include "script/host/link_list.h"

#include <utility>

namespace {

// The first position at or after `from` (and before `end`) holding c, or end.
uint32_t FindUnit(const WCHAR* chars, uint32_t from, uint32_t end, WCHAR c) {
  while (from < end && chars[from] != c) ++from;
  return from;
}

}  // namespace

void LinkList::Clear() {
  text_.Clear();
  for (uint32_t i = 0; i < items_.Count(); ++i) {
    items_.At(i)->label.Clear();
    items_.At(i)->address.Clear();
  }
  items_.count = 0;
}

bool LinkList::Parse(const SharedWideString& text, LinkBaseAddress* base) {
  Clear();
  if (text.length == 0) return true;
  text_ = text;
  const WCHAR* chars = text_.Chars();
  const uint32_t length = text_.length;
  uint32_t start = 0;
  while (start <= length) {
    uint32_t end = FindUnit(chars, start, length, u';');
    uint32_t bar = FindUnit(chars, start, end, u'|');
    LinkListItem item;
    SharedWideString address;
    address.AssignSubstring(text_, start, bar - start);
    if (bar < end) item.label.AssignSubstring(text_, bar + 1, end - bar - 1);
    if (base == nullptr || !base->ParseRelative(address, &item.address)) return false;
    if (items_.Append(std::move(item)) < 0) return false;
    if (end == length) break;
    start = end + 1;
  }
  return true;
}

SharedWideString LinkList::Label(uint32_t n) const {
  return n < items_.Count() ? items_.At(n)->label : SharedWideString();
}

SharedWideString LinkList::Address(uint32_t n) const {
  return n < items_.Count() ? items_.At(n)->address : SharedWideString();
}

RefCounted* LinkList::OpenItem(uint32_t n) {
  if (n >= items_.Count() || loader_ == nullptr) return nullptr;
  return loader_->OpenSound(items_.At(n)->address);
}

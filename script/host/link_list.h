// LinkList: the sound addresses of a playlist, parsed from text of the form
// "url|label;url|label". Each item's address is resolved against the page's
// own address; the application plays the items in order.
//
// The separators are compared as whole UTF-16 units, so a label holding a
// character such as U+013B or U+017C (whose low byte is ';' or '|') is
// never cut.
#pragma once

#include <cstdint>

#include "foundation/containers/segmented_array_typed.h"
#include "foundation/system/ref_counted.h"
#include "foundation/wide_string/shared_wide_string.h"

// Resolves an item's address against the base address the list was given
// (the browser's locations): the full text of the address, or false when it
// does not parse.
class LinkBaseAddress {
 public:
  virtual bool ParseRelative(const SharedWideString& address, SharedWideString* fullText) = 0;

 protected:
  ~LinkBaseAddress() = default;
};

// Opens an item for playing: the document loader opens the address as a
// stream, and a stream that begins with "OggS" becomes a sound source.
// Answers a new counted reference for the caller, or null.
class LinkSoundLoader {
 public:
  virtual RefCounted* OpenSound(const SharedWideString& address) = 0;

 protected:
  ~LinkSoundLoader() = default;
};

struct LinkListItem {
  SharedWideString label;
  SharedWideString address;
};

class LinkList {
 public:
  explicit LinkList(LinkSoundLoader* loader = nullptr) : loader_(loader) {}
  virtual ~LinkList() = default;
  LinkList(const LinkList&) = delete;
  LinkList& operator=(const LinkList&) = delete;

  void SetLoader(LinkSoundLoader* loader) { loader_ = loader; }
  // Empties the text and the items.
  void Clear();
  // Clears the list, keeps the text and splits it at every ';' into items;
  // in an item the part before the first '|' is the address, the part after
  // it the label (no '|': all address, empty label). Every address is
  // resolved against the base. Empty text gives no items and true. False
  // when an address does not resolve (the items before it stay) or memory
  // runs out.
  bool Parse(const SharedWideString& text, LinkBaseAddress* base);

  virtual uint32_t Count() const { return items_.Count(); }
  // Empty past the end.
  virtual SharedWideString Label(uint32_t n) const;
  SharedWideString Address(uint32_t n) const;
  // The sound source of item n (a new reference), or null past the end,
  // without a loader, or when it does not open as sound.
  virtual RefCounted* OpenItem(uint32_t n);

  const SharedWideString& Text() const { return text_; }

 private:
  SegmentedTypedArray<LinkListItem> items_;
  SharedWideString text_;
  LinkSoundLoader* loader_;
};

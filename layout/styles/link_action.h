// LinkAction: what a tap on a link or an active area does (go to an
// address or a file position, run a script, ...). Counted: every link
// area, text style and copy that refers to it holds a reference. The
// fields are those the style resolution fills from a link's attributes.
#pragma once

#include <cstdint>

#include "foundation/system/ref_counted.h"
#include "foundation/wide_string/shared_wide_string.h"

class TokenSource;

class LinkAction : public RefCounted {
 public:
  static constexpr int32_t kAddress = 1;       // HREF
  static constexpr int32_t kFilePosition = 3;  // FILEPOS
  static constexpr int32_t kScript = 4;        // ONCLICK

  LinkAction() = default;

  // The link of the current tag's attributes (NAME, FILEPOS, HREF, ONCLICK)
  // replaces *link (none when the tag makes no link). False on lack of
  // memory, *link then none.
  static bool FromAttributes(TokenSource& stream, RefPtr<LinkAction>* link);
  // A new action with this one's fields; null on lack of memory.
  LinkAction* Copy() const;

  int32_t kind = 0;
  SharedWideString target;
  int32_t number = 0;  // a file position, or a count of ranges
  uint16_t first = 0;
  uint16_t second = 0;
  SharedWideString title;
  SharedWideString name;

 protected:
  ~LinkAction() override = default;
};

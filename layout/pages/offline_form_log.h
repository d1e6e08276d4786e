// OfflineFormLog: the log of the hosts a document's offline forms report
// to, which the pager fills from the document's LOGHOST tags while it looks
// for the first page. The interactive page elements own the log; the pager
// only adds to it and empties it before a document's tags are collected
// again.
#pragma once

#include <cstdint>

#include "foundation/wide_string/shared_wide_string.h"

class OfflineFormLog {
 public:
  // One LOGHOST tag: its URL and PREFIX texts and its ENCODING (2 when the
  // tag has none).
  struct TextRecord {
    SharedWideString url;
    SharedWideString prefix;
    uint32_t zero = 0;
    uint32_t encoding = 2;
  };

  virtual ~OfflineFormLog() = default;
  // Adds the record; nothing happens when the log is not open or memory
  // runs out.
  virtual void AddTextRecord(const TextRecord& record) = 0;
  // Empties the log's entries.
  virtual void DeleteAll() = 0;
};

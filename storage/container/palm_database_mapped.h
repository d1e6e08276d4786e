// MappedPalmDatabase: a Palm database read in place through a read-only
// memory mapping, the way books are read without copying. Every operation
// that would change it answers false or null.
//
// The file is checked whole at open: head, entry table and every offset
// against the file's size (palm_database_layout.h). Afterwards the entries
// are read from the view on every call, and every touch of the view is a
// range checked against the file's current size, asked once per call, so a
// file cut short behind the mapping fails the call instead of faulting.
//
// The mapping holds the file it opened. A database saved over the same
// path replaces the file by a rename (stream databases never write in
// place), which the platform refuses while this mapping is open; after a
// replacement made while it was closed, ReopenStore maps the new file and
// checks it again.
#pragma once

#include "foundation/files/mapped_file.h"
#include "storage/container/palm_database.h"

class MappedPalmDatabase : public PalmDatabase {
 public:
  // A write access in `mode` is refused at once (null, *error 0). Otherwise
  // null with 10 (no memory), 12 (cannot be opened or mapped) or 8 (not a
  // sound database).
  static MappedPalmDatabase* Open(const WCHAR* path, uint32_t mode, int32_t* error);
  // An empty, unopened database; Open is the way to make a usable one.
  MappedPalmDatabase() = default;

  bool IsMapped() const override { return true; }
  RecordBuffer* LockRecord(uint16_t index, bool writable) override;
  RecordBuffer* LockRecordDefault(uint16_t index) override { return LockRecord(index, false); }
  // Also lets go of the pages of records no longer in use. The records
  // released last stay (a window of kWindowSpans and kWindowBytes); a
  // record that comes back after leaving the window is one read again and
  // again, as look-ups in index tables read theirs, and joins the records
  // kept longer (kReusedSpans, kReusedBytes), so that going back and forth
  // over a few records finds their pages in memory, while a book read
  // through once keeps only the window. A record pushed out of both is
  // passed; once the records passed one after another, without a jump,
  // span a stretch of the file (kPassedStretch), the pages of that stretch
  // leave memory (records passed at random stay mapped), all
  // but those of the records kept, so that a long book read through keeps
  // about a stretch of itself resident. Their bytes come back from the file
  // when touched again.
  void ReleaseRecord(RecordBuffer* buffer, bool dirty) override;
  const uint8_t* RecordPointer(uint16_t index, uint32_t* size) override;
  bool GetRecordSize(uint16_t index, uint32_t* size) override;
  bool GetRecordInfo(uint16_t index, uint8_t* attributes, uint32_t* uniqueId) override;
  bool BinarySearchRecords(RecordKeyCompare compare, void* context, const void* key, uint16_t* index) override;
  bool FindByUniqueId(uint32_t uniqueId, uint16_t* index) override;
  bool IsStreamBacked() const override { return false; }
  bool IsSlowStore() const override { return false; }
  uint16_t GetRecordCount() const override { return count_; }
  bool IsStoreValid() override;
  // Maps the file again and checks it as at open; on failure the database
  // answers as empty. Records locked before point into the old view: they
  // must all be released first.
  bool ReopenStore() override;

 private:
  // Copies and checks the head and the entry table.
  bool LoadHead();
  // The record's bytes in the view and its length, the file's size asked
  // first.
  const uint8_t* RecordRange(uint16_t index, uint32_t* size) const;
  // The same against the size asked last, for a call that asked it once
  // for many records.
  const uint8_t* KnownRecordRange(uint16_t index, uint32_t* size) const;
  bool KnownRecordInfo(uint16_t index, uint8_t* attributes, uint32_t* uniqueId) const;
  static bool ViewAt(PalmDatabase* database, uint16_t index, RecordView* view);

  // File bytes [start, end).
  struct Span {
    uint32_t start;
    uint32_t end;
  };
  // Spans by recency, the oldest first; a record is one span.
  template <uint32_t N>
  struct RecentSpans {
    Span items[N] = {};
    uint32_t count = 0;
    uint32_t bytes = 0;
    // Its place, or -1.
    int32_t Find(Span span) const {
      for (uint32_t i = 0; i < count; ++i)
        if (items[i].start == span.start && items[i].end == span.end) return static_cast<int32_t>(i);
      return -1;
    }
    Span RemoveAt(uint32_t i) {
      const Span span = items[i];
      for (uint32_t j = i; j + 1 < count; ++j) items[j] = items[j + 1];
      --count;
      bytes -= span.end - span.start;
      return span;
    }
    // The caller makes room first.
    void AddLatest(Span span) {
      items[count++] = span;
      bytes += span.end - span.start;
    }
  };

  // Keeps the record's span as the latest of its kind, passing the oldest
  // ones that no longer fit.
  void KeepReleased(Span span);
  // Moves a span out of the kept ones: it is passed and remembered.
  void Evict(Span span);
  // Adds a span to the stretch passed, letting the stretch go once it is
  // long enough.
  void PassSpan(Span span);
  // Lets the pages of [start, end) go, all but those of the kept records.
  void LetGoOutsideKept(uint32_t start, uint32_t end);
  void ForgetReleased();

  static constexpr uint32_t kPassedStretch = 256 * 1024;
  static constexpr uint32_t kWindowSpans = 16;
  static constexpr uint32_t kWindowBytes = 256 * 1024;
  static constexpr uint32_t kReusedSpans = 64;
  static constexpr uint32_t kReusedBytes = 1024 * 1024;
  // Records passed lately, remembered (not kept) to tell a record read
  // again from one read for the first time.
  static constexpr uint32_t kRememberedSpans = 64;
  // How far around a touched page the host maps pages already read. Pages
  // are let go around the kept records on boundaries of this size, a
  // multiple of any page size, so that a kept record never loses an end.
  static constexpr uint32_t kNeighbourBytes = 64 * 1024;

  MappedFile file_;
  uint16_t count_ = 0;
  RecentSpans<kWindowSpans> window_;
  RecentSpans<kReusedSpans> reused_;
  RecentSpans<kRememberedSpans> remembered_;
  // File bytes [passedStart_, passedEnd_): the span of the records passed
  // since pages were last let go (empty when passedEnd_ is 0).
  uint32_t passedStart_ = 0;
  uint32_t passedEnd_ = 0;
  uint32_t letGoEnd_ = 0;  // the end of the stretch let go last (0: none)
};

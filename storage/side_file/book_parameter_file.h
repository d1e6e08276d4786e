// BookParameterFile: a book's side file, the tagged record file beside the
// book (its path with the extension replaced by ".qvr") that keeps what the
// reader knows of that one book: reading positions and view state, the
// layout stamp the positions were saved under, the book's categories and
// catalogue texts, and every mark the user made (bookmarks, highlights,
// notes, drawings). Layout: side_file_layout.h; record order and the mark
// iterator: bookmark_order.h.
//
// The user's marks must never be lost to a bad moment: an open that fails
// for lack of memory or a failed read fails and leaves the file as it was;
// only a file that is structurally not a side file (no readable "BPAR"
// header record) is renamed "<name>.bad", replacing an older one, before a
// fresh side file is made; a read-only open never writes, the file stays
// byte for byte as it was. Saving is the container's: a new file beside the
// old one, then one atomic replace.
//
// Reference counted: created with one reference; the last Release deletes
// the file, which first tells its close listener (the document loader),
// then closes (a writable container saves itself as it is destroyed).
//
// Implementation: book_parameter_file.cpp (lifecycle, opening, creating,
// upgrading), book_parameter_file_fields.cpp (header fields),
// bookmark_marks.cpp (marks), bookmark_iteration.cpp (walks and
// ResetPositions), side_file_path.cpp (paths and database names),
// side_file_categories.cpp (the category set).
#pragma once

#include <cstdint>

#include "foundation/streams/byte_stream.h"
#include "foundation/encoded_string/encoded_string.h"
#include "storage/side_file/bookmark_order.h"
#include "storage/side_file/document_close_listener.h"
#include "storage/records/tagged_record_file.h"

class CategoryNameSet;

class BookParameterFile : public TaggedRecordFile {
 public:
  BookParameterFile() = default;
  // Tells the close listener, then closes the file and frees the path.
  ~BookParameterFile() override;

  // ---- References ----
  void AddRef() { ++references_; }
  // Drops a reference; the last one deletes the file.
  void Release();
  int32_t ReferenceCount() const { return references_; }

  void SetCloseListener(DocumentCloseListener* listener) { closeListener_ = listener; }
  DocumentCloseListener* CloseListener() const { return closeListener_; }
  // The book whose side file this is; empty until opened.
  const EncodedString& BookPath() const { return bookPath_; }

  // ---- Opening ----
  // A side file is never opened from the data folder: always failure.
  RecordResult OpenInDataFolder(SettingsEnvironment* environment, bool readOnly) override;
  // Opens the existing side file of a book (never creates it): read-only
  // or read-write; the file must have a readable "BPAR" header record.
  RecordResult Open(const EncodedString& bookPath, bool readOnly) override;
  RecordResult OpenReadOnly(const EncodedString& bookPath) { return Open(bookPath, true); }
  // Opens or creates a side file. `path` is the book's (pathIsBookPath) or
  // the side file's own; `name` (code page 1252, may be null) becomes the
  // container's name (for a book path through MakeSideDatabaseName). With
  // readOnlyAfterwards a sound side file is opened read-only untouched; a
  // missing or damaged one is made first, then reopened read-only.
  RecordResult Create(const EncodedString& path, const char* name, uint32_t nameLength, bool readOnlyAfterwards,
                      bool pathIsBookPath, bool reopenOnDemand);
  // Completes "BKMK" and "BPAR" records written by older versions.
  bool Upgrade() override;

  // The side file's path: the book path with the extension of its last
  // component replaced by ".qvr" (".qvr" appended when it has none), as
  // UTF-16. True when it was formed (the result is not in an error state).
  static bool MakeSideFilePath(const EncodedString& bookPath, EncodedString* sidePath);
  // The container name: the name in code page 1252, cut to 27 bytes when
  // longer, followed by "_PAR".
  static void MakeSideDatabaseName(const EncodedString& name, EncodedString* databaseName);

  // ---- Header fields (getters answer their preset when unreadable) ----
  uint32_t GetSavedPosition();  // -1
  RecordResult SetSavedPosition(uint32_t value);
  // Words 4 and 8 and the blob linked at 12; the blob's data and length or
  // null. The words are left untouched when they cannot be read.
  const uint8_t* GetFramePosition(uint32_t* first, uint32_t* second, uint32_t* length);
  RecordResult SetFramePosition(uint32_t first, uint32_t second, ByteStream& state);
  uint32_t GetDocumentStamp();  // -1
  RecordResult SetDocumentStamp(uint32_t stamp);
  uint32_t GetWord20();  // -1
  RecordResult SetWord20(uint32_t value);
  const uint8_t* GetViewStateBlob(uint32_t* length);
  RecordResult SetViewStateBlob(ByteStream& state);
  const uint8_t* GetReadingPosition(uint32_t* first, uint32_t* second, uint32_t* length);
  RecordResult SetReadingPosition(uint32_t first, uint32_t second, ByteStream& state);
  bool IsReadingPositionValid();
  RecordResult SetReadingPositionValid(bool valid);
  uint32_t GetWord52();  // 0
  RecordResult SetWord52(uint32_t value);
  // The category names, UTF-16, separated by one NUL each.
  const WCHAR* GetCategoryList(uint32_t* count);
  RecordResult SetCategoryList(const WCHAR* names, uint32_t count);
  RecordResult ClearCategoryList();
  const WCHAR* GetAuthor(uint32_t* count);
  RecordResult SetAuthor(const WCHAR* text, uint32_t count);
  const WCHAR* GetGenre(uint32_t* count);
  RecordResult SetGenre(const WCHAR* text, uint32_t count);
  const WCHAR* GetPublisher(uint32_t* count);
  RecordResult SetPublisher(const WCHAR* text, uint32_t count);
  const WCHAR* GetAbstract(uint32_t* count);
  RecordResult SetAbstract(const WCHAR* text, uint32_t count);
  const WCHAR* GetIsbn(uint32_t* count);
  RecordResult SetIsbn(const WCHAR* text, uint32_t count);
  uint32_t GetWord76();  // 0
  RecordResult SetWord76(uint32_t value);
  uint32_t GetWord80();  // 0
  RecordResult SetWord80(uint32_t value);
  const WCHAR* GetCover(uint32_t* count);
  RecordResult SetCover(const WCHAR* text, uint32_t count);
  const WCHAR* GetTitle(uint32_t* count);
  RecordResult SetTitle(const WCHAR* text, uint32_t count);

  // Category set: the names of the "CATE" record (empty names skipped)
  // added to a set; the set written back in its bucket order.
  RecordResult ReadCategorySet(CategoryNameSet* set);
  RecordResult WriteCategorySet(const CategoryNameSet& set);

  // ---- Marks ----
  // A new mark at its place in the record order, all links -1; its
  // identifier, or -1.
  uint32_t AddBookmark(uint32_t start, uint32_t end, uint32_t viewPosition, uint32_t viewExtra, uint32_t extra,
                       uint32_t kind);
  // Deletes the records the mark links to, then the mark.
  RecordResult DeleteBookmark(uint32_t mark);
  // Leaves a mark of kind 0x4000; for a mark of kind 32 deletes its target
  // mark first; then deletes the mark.
  void DeleteMark(uint32_t mark);
  bool IsKind4000Mark(uint32_t mark);
  RecordResult GetBookmarkRange(uint32_t mark, uint32_t* start, uint32_t* end, uint32_t* viewPosition,
                                uint32_t* viewExtra, uint32_t* extra);
  RecordResult SetBookmarkExtra(uint32_t mark, uint32_t extra);
  uint32_t GetBookmarkKind(uint32_t mark);  // 0
  RecordResult SetBookmarkKind(uint32_t mark, uint32_t kind);
  uint32_t GetBookmarkTarget(uint32_t mark);  // -1
  RecordResult SetBookmarkTarget(uint32_t mark, uint32_t target);
  const WCHAR* GetBookmarkText(uint32_t mark, uint32_t* count);
  RecordResult SetBookmarkText(uint32_t mark, const WCHAR* text, uint32_t count);
  const WCHAR* GetBookmarkNote(uint32_t mark, uint32_t* count);
  RecordResult SetBookmarkNote(uint32_t mark, const WCHAR* text, uint32_t count);
  const WCHAR* GetBookmarkExcerpt(uint32_t mark, uint32_t* count);
  RecordResult SetBookmarkTitle(uint32_t mark, const WCHAR* text, uint32_t count);
  // The title as UTF-16; without one the excerpt percent-encoded as UTF-8;
  // kFailed when neither exists or the string is in an error state.
  RecordResult GetBookmarkTitle(uint32_t mark, EncodedString* title);
  const uint8_t* GetBookmarkViewState(uint32_t mark, uint32_t* length);
  RecordResult SetBookmarkViewState(uint32_t mark, ByteStream& state);
  const uint8_t* GetBookmarkState(uint32_t mark, uint32_t* length);
  RecordResult SetBookmarkState(uint32_t mark, ByteStream& state);

  // Walks: the first class-1 mark whose start equals `from` or whose range
  // holds it (or the next one after), starting below `to`; the first
  // class-2 mark; the next mark of the iterator's class and range. Each
  // answers the mark's identifier or -1.
  uint32_t FirstBookmark(uint32_t from, uint32_t to, MarkIterator* iterator);
  uint32_t FirstBookmarkOfKind2(MarkIterator* iterator);
  uint32_t NextBookmark(MarkIterator* iterator);
  // Forgets every position of the book: the frame position and every mark.
  // kFailed when memory ran out (the marks collected so far are deleted).
  RecordResult ResetPositions();

 private:
  // The mark words that walks read, from the record at an index.
  struct MarkWords {
    uint32_t id;
    uint32_t start;
    uint32_t end;
    uint32_t kind;
  };
  bool ReadMarkAt(uint16_t index, MarkWords* words);
  // The first record that does not sort before the key (a binary search
  // over the record order that works on every kind of container); false
  // when a record could not be read.
  bool FindMarkPlace(const MarkOrderKey& key, uint16_t* index);
  uint32_t GetHeaderWord(uint32_t offset, uint32_t preset);
  // Opens the side file read-only when it is sound; false (nothing kept)
  // otherwise.
  bool OpenSoundReadOnly(const WCHAR* sidePath);
  // Sets the container's name when it differs in its 32 bytes.
  void ApplyDatabaseName(const char* name, uint32_t nameLength, bool pathIsBookPath);
  bool WriteNewHeader();
  bool StoreBookPath(const EncodedString& path);

  DocumentCloseListener* closeListener_ = nullptr;
  EncodedString bookPath_;
  int32_t references_ = 1;
};

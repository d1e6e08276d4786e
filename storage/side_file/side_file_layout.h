// The layout of a book's side file: a tagged record file (container type
// "BPAR", creator "CORV") whose record 0 is the header record "BPAR", with
// one "BKMK" record per mark (bookmark, highlight, note, drawing) and the
// records that the header and the marks link to. All numbers big-endian;
// offsets are inside a record's data (behind its 8-byte head).
#pragma once

#include <cstdint>

#include "storage/records/tagged_record_file.h"

namespace sidefile {

constexpr uint32_t kContainerType = RecordTag("BPAR");
constexpr uint32_t kContainerCreator = RecordTag("CORV");

// Record tags.
constexpr uint32_t kHeaderTag = RecordTag("BPAR");
constexpr uint32_t kMarkTag = RecordTag("BKMK");
constexpr uint32_t kDataTag = RecordTag("DATA");       // UTF-16 texts and saved-state blobs
constexpr uint32_t kCategoryTag = RecordTag("CATE");   // category names, NUL-separated
constexpr uint32_t kAuthorTag = RecordTag("AUTH");
constexpr uint32_t kGenreTag = RecordTag("GENR");
constexpr uint32_t kPublisherTag = RecordTag("PUBL");
constexpr uint32_t kAbstractTag = RecordTag("ABST");
constexpr uint32_t kIsbnTag = RecordTag("ISBN");
constexpr uint32_t kCoverTag = RecordTag("COVE");
constexpr uint32_t kTitleTag = RecordTag("TITL");

// Header record: 92 bytes of data (older files: shorter).
constexpr uint32_t kHeaderLength = 92;
constexpr uint32_t kSavedPosition = 0;
constexpr uint32_t kFramePosition = 4;      // two words
constexpr uint32_t kFrameStateLink = 12;    // "DATA" blob
constexpr uint32_t kCategoryLink = 16;      // "CATE"
constexpr uint32_t kWord20 = 20;
constexpr uint32_t kDocumentStamp = 24;
constexpr uint32_t kReserved28 = 28;        // kept, never interpreted
constexpr uint32_t kViewStateLink = 32;     // "DATA" blob
constexpr uint32_t kReadingPosition = 36;   // two words
constexpr uint32_t kReadingStateLink = 44;  // "DATA" blob
constexpr uint32_t kReadingValid = 48;      // bit 0
constexpr uint32_t kWord52 = 52;
constexpr uint32_t kAuthorLink = 56;
constexpr uint32_t kGenreLink = 60;
constexpr uint32_t kPublisherLink = 64;
constexpr uint32_t kAbstractLink = 68;
constexpr uint32_t kIsbnLink = 72;
constexpr uint32_t kWord76 = 76;
constexpr uint32_t kWord80 = 80;
constexpr uint32_t kCoverLink = 84;
constexpr uint32_t kTitleLink = 88;

// What a new file holds in the reserved word (older files keep theirs).
constexpr uint32_t kReservedDefault = 0;
constexpr uint32_t kWord20Default = 127;

// Mark record: 52 bytes of data (36 in old files).
constexpr uint32_t kMarkLength = 52;
constexpr uint32_t kOldMarkLength = 36;
constexpr uint32_t kMarkStart = 0;
constexpr uint32_t kMarkEnd = 4;
constexpr uint32_t kMarkViewPosition = 8;
constexpr uint32_t kMarkViewExtra = 12;
constexpr uint32_t kMarkExtra = 16;
constexpr uint32_t kMarkKind = 20;
constexpr uint32_t kMarkTextLink = 24;
constexpr uint32_t kMarkNoteLink = 28;
constexpr uint32_t kMarkViewStateLink = 32;
constexpr uint32_t kMarkStateLink = 36;
constexpr uint32_t kMarkTarget = 40;        // another mark's identifier, not a "DATA" link
constexpr uint32_t kMarkExcerptLink = 44;
constexpr uint32_t kMarkTitleLink = 48;
// The words a mark must hold to be one: start through kind.
constexpr uint32_t kMarkMinimumLength = 24;

// Kind flags.
constexpr uint32_t kKindSecondClass = 0x40;  // sorts behind every other mark
constexpr uint32_t kKindLinked = 32;         // deleting it deletes its target too
constexpr uint32_t kKindProtected = 0x4000;  // DeleteMark leaves it

// Open modes of the stream factory.
constexpr uint32_t kModeReadOnly = 297;
constexpr uint32_t kModeReadWrite = 779;
constexpr uint32_t kModeOpenAlways = 783;
constexpr uint32_t kModeOpenAlwaysOnDemand = 1807;
constexpr uint32_t kModeReopenReadOnly = 41;

}  // namespace sidefile

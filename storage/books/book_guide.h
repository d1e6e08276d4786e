// The guide of a book: the head of its markup names the table of contents,
// where reading starts, the title and the language. The markup parser that
// reads it lives in the layout subsystem, which installs this interface; a
// book reaches its guide only through it, and without it a book has no
// guide entries.
#pragma once

#include <cstdint>

#include "foundation/containers/segmented_array_typed.h"
#include "storage/documents/document.h"

using GuideList = SegmentedTypedArray<DocumentProperty>;

class BookGuideReader {
 public:
  // Sets *startsWithMarkup when the document's first element is an HTML tag.
  virtual bool ParseGuideFragment(Document* document, bool* startsWithMarkup) = 0;
  // Appends the guide entries (kind 2) to list, the title text to *title and
  // the language to *language (each when given); 1, or 0 when no parser can
  // be made.
  virtual int32_t BuildGuideList(Document* document, GuideList* list, SharedWideString* title, uint32_t* language,
                                 bool addReadingStart) = 0;

 protected:
  ~BookGuideReader() = default;
};

// Installed once by the layout subsystem (null: no guide reader).
void SetBookGuideReader(BookGuideReader* reader);
BookGuideReader* GetBookGuideReader();

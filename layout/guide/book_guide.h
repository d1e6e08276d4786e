// The guide of a book, read from the head of its markup: the table of
// contents, where reading starts, the first page, the information page, the
// title and the language. The book document reaches these through the
// BookGuideReader interface it owns; InstallBookGuideReader hands it this
// implementation.
#pragma once

#include <cstdint>

#include "storage/books/book_guide.h"

// Sets *startsWithMarkup when the document's first element (white space
// and pauses skipped) is an opening HTML tag. True.
bool ParseGuideFragment(Document* document, bool* startsWithMarkup);

// With the document's guide state 2, appends the guide's entries (kind 2)
// to the list, the title's text to *title and the language to *language
// (each when given), and, when asked, a "start_reading" entry: a copy of
// the "start" (or "other.ms-firstpage") entry, or else the first link of
// the table of contents that points forward into the first half of the
// book. 1; 0 when no parser can be made.
int32_t BuildGuideList(Document* document, GuideList* list, SharedWideString* title, uint32_t* language,
                       bool addReadingStart);

// Installs the reader above as the book documents' guide reader.
void InstallBookGuideReader();

// Loading the picture an IMG shows: a picture record of the book through
// its document source, or a picture by address through the browser's
// document loader (an internal icon address gives one of the program's
// icons). The loader belongs to the browser; this is what the layout asks
// of it.
#pragma once

#include <cstdint>

#include "foundation/wide_string/shared_wide_string.h"
#include "layout/objects/inline_image.h"

class DocumentSource;

// An address resolved by the loader.
struct PictureAddress {
  SharedWideString text;      // the whole address, fragment included
  SharedWideString fragment;  // its fragment text
  bool internalIcon = false;  // an address of the internal icon kind
  uint32_t iconNumber = 0;
};

class PictureAddressLoader {
 public:
  virtual ~PictureAddressLoader() = default;
  // Resolves `address` against `base` (empty: none); a record index of 0
  // or more names that record of the resolved document. False when the
  // address cannot be parsed.
  virtual bool Resolve(const SharedWideString& address, const SharedWideString& base, int32_t recordIndex,
                       PictureAddress* out) = 0;
  // Opens the stream the address names (counted for the caller); false
  // when it cannot be loaded.
  virtual bool OpenStream(const PictureAddress& address, DocumentStreamPtr* out) = 0;
};

// The picture of a record of the source's book (one reference, the
// caller's): its address is the record's fragment ("$" and the index).
// Null when the record cannot be opened or holds no GIF or BMP.
InlineImage* LoadInlineImage(DocumentSource* source, int32_t recordIndex, uint32_t flags);

// The picture at an address, or an icon for an internal icon address (one
// reference, the caller's); null on any failure.
InlineObject* LoadPictureByAddress(PictureAddressLoader* loader, const SharedWideString& address,
                                   const SharedWideString& base, int32_t recordIndex);

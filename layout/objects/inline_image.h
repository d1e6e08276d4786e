// InlineImage: a GIF or BMP picture standing in a page (a book's image
// record or a picture by address). It keeps the picture's stream, learns
// its size and format by decoding the picture's head, draws itself through
// the drawing surface straight from the bytes, and is tappable (opens
// whole) when it was placed smaller than its natural size and has no link
// of its own.
//
// The bytes are lent by the stream while the picture is locked (the
// stream's memory when it has it, else a copy read for the time of the
// lock); a deriving class may lend them from elsewhere.
#pragma once

#include "foundation/wide_string/shared_wide_string.h"
#include "layout/objects/inline_object.h"
#include "storage/sources/document_stream.h"

class InlineImage : public InlineObject {
 public:
  // Bits 0-2 of the flags: the picture format (2 GIF, 1 BMP); bit 3 not
  // decoded yet; bit 5 tappable; bits 6-7 the placement alignment.
  static constexpr uint8_t kFormatMask = 0x07;
  static constexpr uint8_t kFormatGif = 2;
  static constexpr uint8_t kFormatBmp = 1;
  static constexpr uint8_t kNeedsDecode = 0x08;
  static constexpr uint8_t kTappable = 0x20;

  // A new picture (one reference, the caller's) that has no stream yet;
  // null on lack of memory.
  static InlineImage* Create();

  // Keeps the stream and decodes the picture's head; false (the stream
  // released) for bytes that are neither GIF nor BMP.
  bool Load(DocumentStream* stream);
  // Reads the picture's size and format; false for bytes that are neither
  // GIF nor BMP, and the stream is then released.
  bool Decode();

  // The address the picture was loaded from and its fragment text.
  void SetAddress(const SharedWideString& address, const SharedWideString& fragment);
  const SharedWideString& Address() const { return address_; }
  const SharedWideString& Fragment() const { return fragment_; }

  bool Draw(DrawingSurface* surface, const Rect& box, const Rect* clip) override;
  bool GetSize(Size* size, bool* scalable, bool* secondFlag) override;
  void SetLink(const Size& placedSize, LinkAction* link) override;
  void SetBox(const Rect& placed, uint8_t alignment) override;
  bool IsTappable() override { return (flags_ & kTappable) != 0; }
  // False without an address; true when none is asked for; else whether
  // the two addresses are the same.
  bool MatchesUrl(const WCHAR* address) override;
  bool LockData(const uint8_t** data, uint32_t* length) override;
  void UnlockData() override;

  uint8_t Flags() const { return flags_; }
  const Size& PictureSize() const { return size_; }
  const Rect& PlacedBox() const { return placed_; }
  const Size& PlacedSize() const { return placedSize_; }
  LinkAction* Link() const { return link_; }

 protected:
  InlineImage() = default;
  ~InlineImage() override;

 private:
  Size size_;
  uint8_t flags_ = kNeedsDecode;
  DocumentStreamPtr stream_;
  SharedWideString address_;
  SharedWideString fragment_;
  Rect placed_;
  Size placedSize_;
  LinkAction* link_ = nullptr;  // counted
  // While locked: the stream's memory, or a copy of its bytes.
  const uint8_t* locked_ = nullptr;
  uint32_t lockedLength_ = 0;
  uint8_t* copy_ = nullptr;
};

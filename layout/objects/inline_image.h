// InlineImage: a GIF or BMP picture standing in a page (a book's image
// record or a picture by address). It learns its size and format by
// decoding the picture's head, draws itself through the drawing surface
// straight from the bytes, and is tappable (opens whole) when it was placed
// smaller than its natural size and has no link of its own.
//
// Where the bytes come from (a record stream of the document, a loaded
// file) is the deriving class's: it answers LockData and UnlockData.
#pragma once

#include "layout/objects/inline_object.h"

class InlineImage : public InlineObject {
 public:
  // Bits 0-2 of the flags: the picture format (2 GIF, 1 BMP); bit 5
  // tappable; bits 6-7 the placement alignment.
  static constexpr uint8_t kFormatMask = 0x07;
  static constexpr uint8_t kFormatGif = 2;
  static constexpr uint8_t kFormatBmp = 1;
  static constexpr uint8_t kNeedsDecode = 0x08;
  static constexpr uint8_t kTappable = 0x20;

  // Reads the picture's size and format; false for bytes that are neither
  // GIF nor BMP (the object is then of no use).
  bool Decode();

  bool Draw(DrawingSurface* surface, const Rect& box, const Rect* clip) override;
  bool GetSize(Size* size, bool* scalable, bool* secondFlag) override;
  void SetLink(const Size& placedSize, LinkAction* link) override;
  void SetBox(const Rect& placed, uint8_t alignment) override;
  bool IsTappable() override { return (flags_ & kTappable) != 0; }

  uint8_t Flags() const { return flags_; }
  const Size& PictureSize() const { return size_; }
  const Rect& PlacedBox() const { return placed_; }

 protected:
  InlineImage() = default;
  ~InlineImage() override;

 private:
  Size size_;
  uint8_t flags_ = kNeedsDecode;
  Rect placed_;
  Size placedSize_;
  LinkAction* link_ = nullptr;  // counted
};

// A memory DC over a white bitmap for the text tests, with the built-in
// font selected as the engine, and helpers to read what was drawn: pixels,
// the box around the ink and pictures of rows.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/gdi/gdi.h"
#include "platform/text_drawing/text.h"
#include "platform/testing/fonts.h"
#include "platform/testing/gdi.h"

namespace texttest {

constexpr uint32_t kWhite = 0xFFFFFF;

struct InkBox {
  int left = 0, top = 0, right = 0, bottom = 0;  // right and bottom excluded
  bool empty = true;
};

class Canvas {
 public:
  explicit Canvas(int width = 200, int height = 100, int bits = 32) : width_(width), height_(height) {
    dc = CreateCompatibleDC(nullptr);
    bitmap = CreateBitmap(width, height, 1, static_cast<UINT>(bits), nullptr);
    previous_ = SelectObject(dc, bitmap);
    Clear();
  }
  ~Canvas() {
    SelectObject(dc, previous_);
    DeleteObject(bitmap);
    DeleteDC(dc);
  }
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  void Clear(COLORREF colour = RGB(255, 255, 255)) {
    HBRUSH brush = CreateSolidBrush(colour);
    RECT all{0, 0, width_, height_};
    FillRect(dc, &all, brush);
    DeleteObject(brush);
  }

  uint32_t Pixel(int x, int y) const { return devtest::BitmapPixelRgb(bitmap, x, y); }

  // The box around every pixel that differs from `background`.
  InkBox Ink(uint32_t background = kWhite) const {
    InkBox box;
    for (int y = 0; y < height_; ++y) {
      for (int x = 0; x < width_; ++x) {
        if (Pixel(x, y) == background) continue;
        if (box.empty) {
          box = {x, y, x + 1, y + 1, false};
        } else {
          box.left = std::min(box.left, x);
          box.top = std::min(box.top, y);
          box.right = std::max(box.right, x + 1);
          box.bottom = std::max(box.bottom, y + 1);
        }
      }
    }
    return box;
  }

  // Rows top..bottom-1 of columns left..right-1: '#' for `ink`, '.' for the
  // background, '?' for anything else.
  std::vector<std::string> Picture(int left, int top, int right, int bottom, uint32_t ink = 0,
                                   uint32_t background = kWhite) const {
    std::vector<std::string> rows;
    for (int y = top; y < bottom; ++y) {
      std::string row;
      for (int x = left; x < right; ++x) {
        uint32_t p = Pixel(x, y);
        row += p == ink ? '#' : p == background ? '.' : '?';
      }
      rows.push_back(row);
    }
    return rows;
  }

  // Pixels of one colour.
  int Count(uint32_t colour) const {
    int n = 0;
    for (int y = 0; y < height_; ++y)
      for (int x = 0; x < width_; ++x) n += Pixel(x, y) == colour;
    return n;
  }

  int width() const { return width_; }
  int height() const { return height_; }

  HDC dc = nullptr;
  HBITMAP bitmap = nullptr;

 private:
  int width_;
  int height_;
  HGDIOBJ previous_ = nullptr;
};

inline LOGFONTW Font(LONG height, const char16_t* face = u"Tahoma", LONG weight = FW_NORMAL) {
  LOGFONTW font{};
  font.lfHeight = height;
  font.lfWeight = weight;
  font.lfCharSet = DEFAULT_CHARSET;
  size_t length = std::char_traits<char16_t>::length(face);
  std::memcpy(font.lfFaceName, face, std::min<size_t>(length, LF_FACESIZE - 1) * sizeof(WCHAR));
  return font;
}

// Selects a font into a DC for its lifetime, then selects the old one back
// and deletes it.
class SelectedFont {
 public:
  SelectedFont(HDC dc, const LOGFONTW& font) : dc_(dc) {
    font_ = CreateFontIndirectW(&font);
    EXPECT_NE(font_, nullptr);
    previous_ = SelectObject(dc, font_);
  }
  ~SelectedFont() {
    SelectObject(dc_, previous_);
    DeleteObject(font_);
  }
  SelectedFont(const SelectedFont&) = delete;
  SelectedFont& operator=(const SelectedFont&) = delete;
  HFONT handle() const { return font_; }

 private:
  HDC dc_;
  HFONT font_ = nullptr;
  HGDIOBJ previous_ = nullptr;
};

// Resets the graphics layer and chooses the built-in font for every test,
// before the members of the test's fixture are made.
class TextTest : public ::testing::Test {
 protected:
  TextTest() {
    devtest::ResetGdi();
    devtest::ResetFonts();
  }
};

}  // namespace texttest

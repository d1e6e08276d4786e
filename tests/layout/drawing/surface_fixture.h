// What the drawing-surface tests share: a font table with a few faces, a
// shown window 240 x 320 at the screen's top-left that a surface draws
// into, and reading its pixels back.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "layout/drawing/drawing_surface.h"
#include "platform/testing/gdi.h"
#include "platform/testing/windows.h"
#include "platform/windows/windows.h"

namespace surfacetest {

class FakeFontTable : public FontTable {
 public:
  FakeFontTable() {
    Set(1, 0, u"Tahoma");
    Set(2, 0, u"Courier New");
    Set(3, 0, u"Times New Roman");
  }
  void Set(uint8_t id, uint8_t kind, std::u16string name) { entries_[id] = Entry{kind, std::move(name)}; }
  bool GetEntry(uint8_t id, FontTableEntry* out) const override {
    auto it = entries_.find(id);
    if (it == entries_.end()) return false;
    out->kind = it->second.kind;
    out->name = it->second.name.data();
    out->nameLength = static_cast<uint32_t>(it->second.name.size());
    return true;
  }

 private:
  struct Entry {
    uint8_t kind;
    std::u16string name;
  };
  std::map<uint8_t, Entry> entries_;
};

class SurfaceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.lpszClassName = u"SurfaceTestWindow";
    RegisterClassW(&wc);
    window = CreateWindowExW(0, u"SurfaceTestWindow", u"", WS_POPUP | WS_VISIBLE, 0, 0, 240, 320, nullptr, nullptr,
                             nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    devtest::PumpMessages();
    surface.SetWindow(window);
    ResetSurfacePlatformVersion();
  }
  void TearDown() override { ResetSurfacePlatformVersion(); }

  uint32_t Pixel(int x, int y) { return devtest::WindowPixelRgb(window, x, y); }
  // Fills the window white through the surface.
  void Clear(uint32_t rgb = 0xFFFFFF) {
    surface.BeginDraw(false);
    surface.SetBackgroundColor(Color{((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF)});
    surface.EraseRect(Rect{0, 0, 240, 320});
    surface.EndDraw();
  }

  FakeFontTable fonts;
  DrawingSurface surface{&fonts};
  HWND window = nullptr;
};

}  // namespace surfacetest

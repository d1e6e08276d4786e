// What the reading-position bar's tests share: a recording host that
// answers as the test sets it, a window of the screen's size with a drawing
// surface and the bar docked at its bottom, a side file to hold marks, and
// reading the window's pixels back. The screen is 32 bits deep so that the
// bar's shades read back exactly.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "browser/bar/position_bar.h"
#include "layout/drawing/drawing_surface.h"
#include "platform/testing/profile.h"
#include "platform/testing/windows.h"
#include "platform/windows/screen.h"
#include "platform/windows/windows.h"
#include "storage/side_file/book_parameter_file.h"

namespace bartest {

class OneFaceTable : public FontTable {
 public:
  bool GetEntry(uint8_t id, FontTableEntry* out) const override {
    if (id != 1) return false;
    out->kind = 0;
    out->name = u"Tahoma";
    out->nameLength = 6;
    return true;
  }
};

class RecordingHost : public PositionBarHost {
 public:
  uint32_t GetTextLength() override { return length; }
  uint32_t GetCurrentPosition() override { return position; }
  uint32_t GetCurrentPageNumber() override { return page; }
  BookParameterFile* GetSideFile() override { return sideFile; }
  bool PreviousBookmark() override { return Record("previous"); }
  bool NextBookmark() override { return Record("next"); }
  bool GoToBookmark(uint32_t mark) override { return Record("mark " + std::to_string(mark)); }
  bool GoToTextPosition(uint32_t p) override { return Record("position " + std::to_string(p)); }
  void RunCommand(int32_t command) override { Record("command " + std::to_string(command)); }
  void ApplyProgressBarSetting() override { Record("apply"); }
  // The application's table: bar height, track thickness, hit margin, with
  // their high-density column above 129 dpi.
  int32_t GetDefaultSetting(uint32_t key) override {
    bool high = devtest::Profile().dpi > 129;
    switch (key) {
      case 12:
        return high ? 24 : 12;
      case 13:
        return high ? 16 : 8;
      case 15:
        return high ? 6 : 3;
      default:
        return 0;
    }
  }
  Color GetBackgroundColor() override { return Color::FromRgb(255, 255, 255); }
  Color GetTextColor() override { return Color::FromRgb(0, 0, 0); }
  int8_t GetFontSize() override { return fontSize; }

  bool Record(const std::string& call) {
    calls.push_back(call);
    return true;
  }

  uint32_t length = 1000;
  uint32_t position = 0;
  uint32_t page = 0;
  int8_t fontSize = 10;
  BookParameterFile* sideFile = nullptr;
  std::vector<std::string> calls;
};

class BarTest : public ::testing::Test {
 protected:
  // Screen (and window) of width x height at the dpi; the bar at the
  // window's bottom.
  void Open(int width, int height, int dpi) {
    devtest::DeviceProfile profile = devtest::Profile();
    profile.screenWidth = width;
    profile.screenHeight = height;
    profile.dpi = dpi;
    profile.bitsPerPixel = 32;
    devtest::SetProfile(profile);
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.lpszClassName = u"BarTestWindow";
    RegisterClassW(&wc);
    window = CreateWindowExW(0, u"BarTestWindow", u"", WS_POPUP | WS_VISIBLE, 0, 0, width, height, nullptr, nullptr,
                             nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    devtest::PumpMessages();
    surface.SetWindow(window);
    bar = new PositionBar(&host);
    ASSERT_TRUE(bar->SetContainer(&surface));
    bar->SetVisible(true);
    bar->Arrange(&remaining, Rect{0, 0, width, height});
  }
  void TearDown() override {
    if (bar) {
      bar->LeaveParent();
      bar->Release();
    }
    if (sideFile) sideFile->Release();
    if (window) DestroyWindow(window);
  }
  // A side file for the book with marks {view position, kind}; their
  // identifiers in order.
  std::vector<uint32_t> AddMarks(std::vector<std::pair<uint32_t, uint32_t>> marks) {
    if (!sideFile) {
      sideFile = new BookParameterFile;
      EncodedString path;
      path.FromWide(u"\\book.prc");
      EXPECT_EQ(sideFile->Create(path, "book", 4, false, true, false), RecordResult::kOk);
      host.sideFile = sideFile;
    }
    std::vector<uint32_t> ids;
    for (auto [viewPosition, kind] : marks) ids.push_back(sideFile->AddBookmark(viewPosition, viewPosition, viewPosition, 0, 0, kind));
    return ids;
  }
  void Paint() { bar->PaintNow(); }
  uint32_t Pixel(int x, int y) { return devtest::WindowPixelRgb(window, x, y); }
  // The band's pixels row by row, read in one copy of the screen (the
  // window lies at the screen's top-left).
  std::vector<uint32_t> BandPixels() {
    int width = 0, height = 0;
    std::vector<uint32_t> screen = devscreen::ScreenPixels(&width, &height);
    std::vector<uint32_t> pixels;
    const Rect& band = bar->Band();
    for (int y = band.y; y < band.Bottom(); ++y)
      for (int x = band.x; x < band.Right(); ++x) pixels.push_back(screen[static_cast<size_t>(y) * width + x]);
    return pixels;
  }
  PositionBar::TrackGeometry Geometry() {
    PositionBar::TrackGeometry geometry;
    EXPECT_TRUE(bar->GetTrackGeometry(&geometry));
    return geometry;
  }
  bool Tap(int x, int y) { return Tap(Point{x, y}, Point{x, y}); }
  bool Tap(Point down, Point up) {
    surface.SendPointerDown(down);
    return surface.SendPointerUp(up);
  }

  OneFaceTable fonts;
  DrawingSurface surface{&fonts};
  RecordingHost host;
  HWND window = nullptr;
  PositionBar* bar = nullptr;
  BookParameterFile* sideFile = nullptr;
  Rect remaining;
};

inline uint32_t Rgb(uint32_t r, uint32_t g, uint32_t b) { return (r << 16) | (g << 8) | b; }

}  // namespace bartest

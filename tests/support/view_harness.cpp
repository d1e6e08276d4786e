#include "tests/support/view_harness.h"

#include "browser/sources/plain_text_opener.h"
#include "platform/gdi/bitmap_pixels.h"
#include "platform/gdi/gdi.h"
#include "platform/image/png_writer.h"
#include "platform/windows/painting.h"
#include "platform/windows/windows.h"

bool HarnessFontTable::GetEntry(uint8_t id, FontTableEntry* out) const {
  static const std::u16string kNames[] = {u"Tahoma", u"Courier New", u"Times New Roman"};
  if (id < 1 || id > 3) return false;
  out->kind = 0;
  out->name = reinterpret_cast<const WCHAR*>(kNames[id - 1].data());
  out->nameLength = static_cast<uint32_t>(kNames[id - 1].size());
  return true;
}

ViewHarness::ViewHarness() : host(&application), view(std::make_unique<DocumentView>()) {}

ViewHarness::~ViewHarness() {
  view.reset();
  if (window != nullptr) DestroyWindow(window);
}

bool ViewHarness::Create(int32_t w, int32_t h) {
  width = w;
  height = h;
  WNDCLASSW wc{};
  wc.lpfnWndProc = DefWindowProcW;
  wc.lpszClassName = u"ViewHarnessWindow";
  RegisterClassW(&wc);
  window = CreateWindowExW(0, u"ViewHarnessWindow", u"", WS_POPUP | WS_VISIBLE, 0, 0, w, h, nullptr, nullptr,
                           nullptr, nullptr);
  if (window == nullptr) return false;
  surface.SetWindow(window);
  // As the program does at start: local text files are read as text.
  InstallPlainTextDocumentOpener();
  loader.Bind(&host, &environment, nullptr, ScriptPageServices());
  application.currentView = view.get();
  view->SetLoader(&loader);
  view->SetSurface(&surface);
  view->SetController(&application);
  view->SetPreferences(&preferences);
  view->SetParent(&surface);
  Rect rest;
  view->Arrange(&rest, Rect{0, 0, w, h});
  return true;
}

bool ViewHarness::Open(const std::u16string& address) {
  return view->OpenUrl(SharedWideString(reinterpret_cast<const WCHAR*>(address.c_str())), true);
}

void ViewHarness::Paint() {
  surface.BeginDraw(true);
  view->Redraw(nullptr);
  surface.EndDraw();
}

std::vector<uint32_t> ViewHarness::Pixels() {
  std::vector<uint32_t> pixels;
  HDC screen = GetDC(window);
  HDC memory = CreateCompatibleDC(screen);
  void* bits = nullptr;
  HBITMAP bitmap = surface.CreateDibSection(Size{width, height}, &bits);
  if (screen != nullptr && memory != nullptr && bitmap != nullptr) {
    HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
    SelectObject(memory, previous);
    pixels = devgdi::BitmapPixelsRgb(bitmap);
  }
  if (bitmap != nullptr) DeleteObject(bitmap);
  if (memory != nullptr) DeleteDC(memory);
  if (screen != nullptr) ReleaseDC(window, screen);
  return pixels;
}

bool ViewHarness::WritePng(const std::string& path) {
  const std::vector<uint32_t> pixels = Pixels();
  if (pixels.size() != static_cast<size_t>(width) * static_cast<size_t>(height)) return false;
  return image::WritePngRgb(path, pixels.data(), width, height, width);
}

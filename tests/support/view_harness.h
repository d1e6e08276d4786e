// ViewHarness: a document view as the application will hold it, over the
// fakes: a shown top-level window of the headless device with its drawing
// surface, a document loader whose messages go to the recording controller,
// and the view wired to both and arranged over the whole window. Tests,
// pageshot and the benchmarks open addresses in it, paint it and read the
// window's pixels back.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "browser/loader/document_loader.h"
#include "browser/view/document_view.h"
#include "layout/drawing/drawing_surface.h"
#include "layout/drawing/font_table.h"
#include "storage/documents/document_host.h"
#include "tests/support/fake_view_application.h"

// Tahoma, Courier New and Times New Roman as fonts 1 to 3.
class HarnessFontTable : public FontTable {
 public:
  bool GetEntry(uint8_t id, FontTableEntry* out) const override;
};

class ViewHarness {
 public:
  ViewHarness();
  ~ViewHarness();
  ViewHarness(const ViewHarness&) = delete;
  ViewHarness& operator=(const ViewHarness&) = delete;

  // Makes the window and wires everything; false when the window cannot be
  // made.
  bool Create(int32_t width = 240, int32_t height = 320);
  // Opens an address (absolute, as the command line gives it).
  bool Open(const std::u16string& address);
  // Draws the view into the window.
  void Paint();
  // The window's pixels, 0x00RRGGBB, row by row; empty on failure.
  std::vector<uint32_t> Pixels();
  bool WritePng(const std::string& path);

  int32_t width = 0;
  int32_t height = 0;
  FakeViewEnvironment environment;
  FakeViewPreferences preferences;
  FakeViewApplication application{&environment};
  HarnessFontTable fonts;
  DrawingSurface surface{&fonts};
  DocumentHost host;
  DocumentLoader loader;
  std::unique_ptr<DocumentView> view;  // destroyed before the loader
  HWND window = nullptr;
};

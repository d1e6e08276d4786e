// A window holding one of every control, laid out for a 240x320 screen and
// scaled to the profile's dots per inch: clickable and icon statics, push
// and default push buttons, a check box, a radio pair, an owner-drawn
// button, single-line, multi-line and read-only edits, a drop-down combo,
// a report list view with check boxes, two columns, icons and a
// selection, a track bar, an up-down, a tab control, a status bar and a
// toolbar with a drop-down button. The golden pictures, the FreeType
// screens and the create-and-destroy count check all use it.
#pragma once

#include <vector>

#include "platform/gdi/gdi.h"
#include "platform/types/window_handle.h"

namespace controltest {

struct Gallery {
  HWND window = nullptr;  // the top-level window holding the controls
  HWND combo = nullptr;
  HWND listView = nullptr;
  std::vector<HWND> controls;
  // What the gallery made and frees in Destroy.
  HFONT font = nullptr;
  HIMAGELIST images = nullptr;
  std::vector<HICON> icons;
};

// Registers the gallery's window class (again after a reset) and builds
// the window over the whole screen, shown, and painted when `paint`.
Gallery BuildGallery(bool paint = true);
void DestroyGallery(Gallery& gallery);

}  // namespace controltest

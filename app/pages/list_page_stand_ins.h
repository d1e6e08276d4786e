// The library and annotations pages of the main window until the pages
// themselves exist. The library page is a plain list of the books of the
// stand-in catalogue (book_folder_catalogue.h): the book files found
// directly in "\eBooks" and in each storage card's "\eBooks" (the file name
// only, in the order the folders list them); a tap or Enter on a row asks
// for that book. The annotations page is an empty page. Both
// are child windows of the main window laid out to the area the window
// gives them, hidden until shown.
#pragma once

#include <cstdint>

#include "foundation/encoded_string/encoded_string.h"
#include "foundation/encoded_string/encoded_string_array.h"
#include "platform/types/geometry_types.h"
#include "platform/types/window_handle.h"

struct NMHDR;

// A child window of the main window that is shown or hidden as a page.
class PageStandIn {
 public:
  PageStandIn() = default;
  PageStandIn(const PageStandIn&) = delete;
  PageStandIn& operator=(const PageStandIn&) = delete;
  virtual ~PageStandIn();

  void Show(bool show);
  virtual void Layout(const RECT& area);
  bool shown() const { return shown_; }
  HWND window() const { return window_; }

 protected:
  bool MakeWindow(HWND owner, const WCHAR* className, uint32_t style, uint32_t id);

 private:
  HWND window_ = nullptr;
  bool shown_ = false;
};

class BookFolderCatalogue;

class LibraryPageStandIn final : public PageStandIn {
 public:
  static constexpr uint32_t kControlId = 0x4C42;  // "LB"

  bool Create(HWND owner);
  void Layout(const RECT& area) override;
  // Lists the catalogue's books again (the locations not scanned yet are
  // scanned first); false when the list could not be made.
  bool Fill(BookFolderCatalogue* catalogue);
  // Selects the row of the book at this device path (case-blind); false
  // when no row has it.
  bool SelectPath(const EncodedString& path);
  uint32_t RowCount() const { return paths_.Count(); }
  // The row selected, or -1.
  int32_t SelectedRow() const;
  // The device path (UTF-16) of row `row`; false outside the rows.
  bool PathOfRow(int32_t row, EncodedString* path) const;
  // A notification from the list: true, with the book's path, when a row
  // was tapped or Enter was pressed on it.
  bool TakeChoice(const NMHDR* header, EncodedString* path) const;

 private:
  EncodedStringArray paths_;
};

class AnnotationsPageStandIn final : public PageStandIn {
 public:
  bool Create(HWND owner);
};

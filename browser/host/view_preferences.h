// ViewPreferences: the window's view settings as the document view reads
// and changes them: text size and colours, layout flags, orientation, the
// side-file switch, the last document, the reading options that the
// reading text control asks for, and the last query typed into an index
// widget. The application's Preferences implements it; tests use a fake.
// Named apart from that class so that one program holds both.
#pragma once

#include <cstdint>

#include "foundation/wide_string/shared_wide_string.h"
#include "layout/drawing/color.h"

class ViewPreferences {
 public:
  // ---- Text.
  virtual int32_t GetTextSize() = 0;
  // True when the size is accepted (and stored).
  virtual bool SetFontSize(int32_t size) = 0;
  // The word stored after the text size (the page part of the view state).
  virtual int32_t GetWordAfterTextSize() = 0;
  virtual Color GetTextColor() = 0;
  virtual Color GetBackgroundColor() = 0;
  virtual uint8_t GetLayoutFlags() = 0;
  virtual int32_t GetMarginValue() = 0;

  // ---- Reading options.
  virtual bool AllowsSelection() = 0;
  virtual bool TapHalvesTurnPages() = 0;
  virtual bool TapAboveTogglesFullScreen() = 0;
  virtual int32_t PreferredColumns() = 0;
  virtual bool HoldsPageSteps() = 0;

  // ---- Start-up.
  virtual int32_t GetOrientation() = 0;  // 0 to 3
  virtual bool ForbidsReopen() = 0;
  // The address text of the document the next start reopens.
  virtual const SharedWideString& GetLastDocument() = 0;
  virtual bool SetLastDocument(const SharedWideString& text) = 0;
  // Books keep a side file with their reading state and marks.
  virtual bool KeepsSideFiles() = 0;
  // Writes the settings back; false on the first failure.
  virtual bool Save() = 0;

  // ---- The last query typed into an index widget.
  virtual SharedWideString* LastQueryText() = 0;
  virtual uint32_t* LastQueryFlags() = 0;
  virtual uint32_t* LastQueryCodePage() = 0;

 protected:
  ~ViewPreferences() = default;
};

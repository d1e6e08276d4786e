// What the reading-position bar reads and drives: the application's
// document view (its document's length, the page shown, the side file and
// the moves a tap asks for), the application's commands and its
// preferences' colours and font size, and its table of integer defaults.
// The application implements it over its view and preferences
// (document_view_bar_host.h); tests give a recording one.
#pragma once

#include <cstdint>

#include "layout/drawing/color.h"

class BookParameterFile;

class PositionBarHost {
 public:
  // ---- The document view.
  // The current document's text length: 0 without a document, 0xFFFFFFFF
  // while the length is not known yet.
  virtual uint32_t GetTextLength() = 0;
  // The start of the page shown.
  virtual uint32_t GetCurrentPosition() = 0;
  // The page number shown; 0 when not known.
  virtual uint32_t GetCurrentPageNumber() = 0;
  // The current book's side file; null when it has none.
  virtual BookParameterFile* GetSideFile() = 0;
  virtual bool PreviousBookmark() = 0;
  virtual bool NextBookmark() = 0;
  // Opens a mark of this book, recording history.
  virtual bool GoToBookmark(uint32_t mark) = 0;
  virtual bool GoToTextPosition(uint32_t position) = 0;

  // ---- The application.
  virtual void RunCommand(int32_t command) = 0;
  // Shows, hides or drops the bar again as the user's setting says.
  virtual void ApplyProgressBarSetting() = 0;
  // The table of integer defaults by key (its high-density column on a
  // display above 129 pixels per inch).
  virtual int32_t GetDefaultSetting(uint32_t key) = 0;
  virtual Color GetBackgroundColor() = 0;
  virtual Color GetTextColor() = 0;
  // The preferences' font-size byte.
  virtual int8_t GetFontSize() = 0;

 protected:
  ~PositionBarHost() = default;
};

// The window's preferences as the document view reads and changes them
// (ViewPreferences). Thin forwarders to Preferences, which has no virtual
// functions of its own; the last query typed into an index widget lives
// here, since the preferences do not save it.
#pragma once

#include "app/preferences/preferences.h"
#include "browser/host/view_preferences.h"

class PreferencesViewLink final : public ViewPreferences {
 public:
  explicit PreferencesViewLink(Preferences* preferences) : preferences_(preferences) {}

  int32_t GetTextSize() override { return preferences_->currentFontSize; }
  bool SetFontSize(int32_t size) override;
  // The word that follows the text size: the alignment (4 justified, 1
  // left).
  int32_t GetWordAfterTextSize() override { return static_cast<int32_t>(preferences_->textAlignment); }
  Color GetTextColor() override { return preferences_->GetTextColor(); }
  Color GetBackgroundColor() override { return preferences_->GetBackgroundColor(); }
  // Bit 0: links are underlined.
  uint8_t GetLayoutFlags() override { return preferences_->underlineLinks != 0 ? 1 : 0; }
  int32_t GetMarginValue() override { return preferences_->sideMargin; }

  // Selecting with the stylus has no option of its own here: always on.
  bool AllowsSelection() override { return true; }
  bool TapHalvesTurnPages() override { return preferences_->tappingTurnsPages != 0; }
  bool TapAboveTogglesFullScreen() override { return false; }
  int32_t PreferredColumns() override { return preferences_->pageCount > 1 ? static_cast<int32_t>(preferences_->pageCount) : 1; }
  bool HoldsPageSteps() override { return false; }

  int32_t GetOrientation() override { return static_cast<int32_t>(preferences_->orientation & 3); }
  // "Start with the library" keeps the last book closed at start.
  bool ForbidsReopen() override { return preferences_->startWithLibrary != 0; }
  const SharedWideString& GetLastDocument() override { return preferences_->lastDocument; }
  bool SetLastDocument(const SharedWideString& text) override;
  bool KeepsSideFiles() override { return true; }
  bool Save() override { return preferences_->Save(); }

  SharedWideString* LastQueryText() override { return &lastQuery_; }
  uint32_t* LastQueryFlags() override { return &lastQueryFlags_; }
  uint32_t* LastQueryCodePage() override { return &lastQueryCodePage_; }

 private:
  Preferences* preferences_;
  SharedWideString lastQuery_;
  uint32_t lastQueryFlags_ = 0;
  uint32_t lastQueryCodePage_ = 0;
};

// Preferences: the user's reading and application settings of one browser
// window (colours, the two fonts and their sizes, margins, line spacing,
// display and library choices, the hardware buttons' actions, the toolbar
// and a few positions to come back to), loaded from the "GPAR" record of
// the global settings file and saved back there when the window closes.
//
// Invariant: the current font size equals the size of the active font.
#pragma once

#include <cstdint>

#include "foundation/encoded_string/encoded_string.h"
#include "foundation/wide_string/shared_wide_string.h"
#include "layout/drawing/color.h"

class AppEnvironment;
class GlobalSettingsFile;

// What the preferences ask of the window's controller: the font table
// (face 3 the system font, 4 the font-file font), the drawing surface's
// ClearType flag and refreshing the view after the options changed.
class PreferencesHost {
 public:
  virtual bool SetFontEntry(uint32_t index, uint32_t value, const EncodedString& name) = 0;
  virtual void SetSurfaceClearType(bool on) = 0;
  virtual void ApplyPreferencesToView() = 0;

 protected:
  ~PreferencesHost() = default;
};

constexpr uint32_t kNoButtonAction = 0xFFFF;
constexpr uint32_t kHardwareButtonCount = 12;
constexpr uint32_t kFontFaceSystem = 3;
constexpr uint32_t kFontFaceFontFile = 4;

class Preferences {
 public:
  Preferences();
  Preferences(const Preferences&) = delete;
  Preferences& operator=(const Preferences&) = delete;

  void SetDefaults();
  void SetSettingsFile(GlobalSettingsFile* file) { settingsFile_ = file; }
  void SetHost(PreferencesHost* host) { host_ = host; }
  void SetEnvironment(const AppEnvironment* environment) { environment_ = environment; }

  // With `defaultsOnly` only the built-in defaults; false without a
  // settings file or when the colours cannot be read.
  bool Load(bool defaultsOnly);
  // Writes every saved field and commits the file; false at the first
  // failed write (nothing committed) or without an open, writable file.
  bool Save();

  Color GetTextColor() const { return textColor; }
  Color GetLinkColor() const { return linkColor; }
  Color GetBackgroundColor() const { return backgroundColor; }
  Color GetModifyColor() const { return modifyColor; }
  Color GetHighlightColor() const { return highlightColor; }
  uint32_t GetFontFace() const { return fontFace; }

  bool GetFontName(EncodedString* out, bool fontFile) const;
  void SetFontName(const EncodedString& name, bool fontFile);
  void SelectFontKind(bool fontFile);
  // Out-of-range sizes wrap to the other end; false when nothing changed.
  bool SetFontSize(int32_t size);
  void SetMargins(int32_t side, int32_t topBottom);
  void SetClearType(bool on);
  void ApplyToView();

  // 0xFFFF for none and for a button number of 12 or more.
  uint32_t GetButtonAction(uint32_t button) const;
  void SetButtonAction(uint32_t button, uint32_t action);

  // The library view's packed position and its text (kept only for kinds
  // 5 and 6).
  void SetLastPosition(uint32_t kind, int32_t index, bool forward, const WCHAR* text);
  void GetLastPosition(uint32_t* kind, int32_t* index, bool* forward, SharedWideString* text) const;

  // ---- Fields (the options sheet changes them directly) ----
  int8_t currentFontSize = 0;
  uint32_t textAlignment = 4;  // 4 justified, 1 left
  SharedWideString lastDocument;
  uint32_t lineSpacing = 0;
  uint32_t buttonActions[kHardwareButtonCount];
  uint8_t jogWheelLinks = 0;
  uint8_t actionButtonTogglesFullScreen = 0;
  uint8_t underlineLinks = 0;
  uint8_t showProgressBar = 0;
  uint32_t fontFace = 1;
  Color textColor;
  Color linkColor;
  Color backgroundColor;
  Color modifyColor;
  Color highlightColor;
  int32_t sideMargin = 0;
  int32_t topBottomMargin = 0;
  int32_t defaultSideMargin = 0;
  int32_t defaultTopBottomMargin = 0;
  int8_t smallestFontSize = 0;
  int8_t largestFontSize = 0;
  int8_t fontSizeStep = 0;
  int8_t defaultFontSize = 0;
  EncodedString fontFileFontName;
  EncodedString systemFontName;
  int8_t fontFileFontSize = 0;
  int8_t systemFontSize = 0;
  uint8_t fontFileFontActive = 0;
  uint8_t clearType = 0;
  uint32_t textCodePage = 65002;
  uint8_t fullScreen = 0;
  uint8_t startWithLibrary = 0;
  uint8_t tappingTurnsPages = 0;
  uint8_t singleTapOpensBook = 0;
  uint8_t checkBooksOnCardEject = 0;
  uint8_t showCaptionBar = 0;
  uint32_t pageCount = 1;
  uint32_t orientation = 0;
  uint32_t savedWord84 = 0;
  uint32_t savedWord88 = 0;
  uint32_t savedWord92 = 0;
  uint32_t toolbarBits = 0x20084F;
  uint32_t savedWord104 = 0;
  uint32_t defaultSelectionAction = 0;
  EncodedString savedText100;
  uint32_t libraryFileTypes = 15;
  SharedWideString lookUpText;
  uint8_t fontsDefaulted = 0;
  uint32_t savedWord292 = 0;
  uint32_t lastLibraryView = 0;
  // The text kept with the last library view (the record's text at 52).
  SharedWideString lastLibraryText;

 private:
  GlobalSettingsFile* settingsFile_ = nullptr;
  PreferencesHost* host_ = nullptr;
  const AppEnvironment* environment_ = nullptr;
};

// Preferences: defaults, fonts, sizes, buttons and the library position.
// Loading and saving: preferences_storage.cpp.
#include "app/preferences/preferences.h"

#include "app/environment/app_environment.h"
#include "app/environment/whole_text.h"
#include "storage/settings/global_settings_file.h"

Preferences::Preferences() { SetDefaults(); }

void Preferences::SetDefaults() {
  textAlignment = 4;
  lastDocument.Clear();
  lineSpacing = 0;
  for (uint32_t& action : buttonActions) action = kNoButtonAction;
  fontFace = 1;
  textColor = Color::FromRgb(0, 0, 0);
  linkColor = Color::FromRgb(0, 85, 170);
  backgroundColor = Color::FromRgb(255, 255, 255);
  modifyColor = Color::FromRgb(255, 0, 0);
  highlightColor = Color::FromRgb(255, 255, 0);
  textCodePage = 65002;
  fullScreen = 0;
  pageCount = 1;
  orientation = 0;
  savedWord84 = 0;
  savedWord88 = 0;
  savedWord92 = 0;
  toolbarBits = 0x20084F;
  savedWord104 = 0;
  savedText100.Clear();
  libraryFileTypes = 15;
  lookUpText.Clear();
  savedWord292 = 0;
}

bool Preferences::GetFontName(EncodedString* out, bool fontFile) const {
  CopyWholeText(fontFile ? fontFileFontName : systemFontName, out);
  return !out->IsEmpty();
}

void Preferences::SetFontName(const EncodedString& name, bool fontFile) {
  EncodedString& slot = fontFile ? fontFileFontName : systemFontName;
  CopyWholeText(name, &slot);
  if (!slot.IsEmpty() && host_ != nullptr) {
    host_->SetFontEntry(fontFile ? kFontFaceFontFile : kFontFaceSystem, 0, slot);
  }
}

void Preferences::SelectFontKind(bool fontFile) {
  fontFace = fontFile ? kFontFaceFontFile : kFontFaceSystem;
  fontFileFontActive = fontFile ? 1 : 0;
  currentFontSize = fontFile ? fontFileFontSize : systemFontSize;
}

bool Preferences::SetFontSize(int32_t requested) {
  int8_t size = static_cast<int8_t>(requested);
  if (size < smallestFontSize) {
    size = largestFontSize;
  } else if (size > largestFontSize) {
    size = smallestFontSize;
  }
  if (size == currentFontSize) return false;
  currentFontSize = size;
  if (fontFace == kFontFaceFontFile) {
    fontFileFontSize = size;
  } else {
    systemFontSize = size;
  }
  return true;
}

void Preferences::SetMargins(int32_t side, int32_t topBottom) {
  sideMargin = side;
  topBottomMargin = topBottom;
}

void Preferences::SetClearType(bool on) {
  clearType = on ? 1 : 0;
  if (host_ != nullptr) host_->SetSurfaceClearType(on);
}

void Preferences::ApplyToView() {
  if (host_ != nullptr) host_->ApplyPreferencesToView();
}

uint32_t Preferences::GetButtonAction(uint32_t button) const {
  return button < kHardwareButtonCount ? buttonActions[button] : kNoButtonAction;
}

void Preferences::SetButtonAction(uint32_t button, uint32_t action) {
  if (button < kHardwareButtonCount) buttonActions[button] = action;
}

void Preferences::SetLastPosition(uint32_t kind, int32_t index, bool forward, const WCHAR* text) {
  const uint32_t low = forward ? static_cast<uint32_t>(index + 1) : ~static_cast<uint32_t>(index);
  lastLibraryView = (kind << 16) | (low & 0xFFFF);
  lastLibraryText.Clear();
  uint32_t n = 0;
  if ((kind == 5 || kind == 6) && text != nullptr) {
    while (text[n] != 0) ++n;
    lastLibraryText.FromChars(text, n);
  }
  if (settingsFile_ != nullptr && settingsFile_->IsOpen()) {
    settingsFile_->SetWideText52(n > 0 ? text : u"", n);
  }
}

void Preferences::GetLastPosition(uint32_t* kind, int32_t* index, bool* forward, SharedWideString* text) const {
  const uint32_t v = lastLibraryView & 0xFFFF;
  *forward = (v & 0x8000) == 0;
  if (*forward) {
    *index = (v == 0 ? 1 : static_cast<int32_t>(v)) - 1;
  } else {
    *index = ~static_cast<int32_t>(static_cast<int16_t>(v));
  }
  *kind = lastLibraryView >> 16;
  text->Clear();
  if (settingsFile_ != nullptr && settingsFile_->IsOpen()) {
    uint32_t count = 0;
    const WCHAR* chars = settingsFile_->GetWideText52(&count);
    if (chars != nullptr && count > 0) text->FromChars(chars, count);
    return;
  }
  text->Assign(lastLibraryText);
}

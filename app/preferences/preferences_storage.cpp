// Preferences::Load and Preferences::Save: the "GPAR" record of the global
// settings file, field by field.
#include "app/environment/app_environment.h"
#include "app/environment/whole_text.h"
#include "app/preferences/preferences.h"
#include "storage/settings/global_settings_file.h"

namespace {

constexpr RecordResult kOk = RecordResult::kOk;

// A stored button byte: 255 none, below 32 the bit of that index, else 0.
uint32_t ActionFromByte(uint8_t stored) {
  if (stored == 255) return kNoButtonAction;
  if (stored < 32) return 1u << stored;
  return 0;
}

// The index of the action's single bit, or 255 when it is not one bit.
uint8_t ByteFromAction(uint32_t action) {
  for (uint8_t bit = 0; bit < 32; ++bit) {
    if (action == (1u << bit)) return bit;
  }
  return 255;
}

// The bytes of a text as the record keeps it (UTF-16 in memory order).
bool WideBytes(const EncodedString& text, EncodedString* wide) {
  return CopyWholeTextAsUtf16(text, wide);
}

}  // namespace

bool Preferences::Load(bool defaultsOnly) {
  if (environment_ != nullptr) {
    smallestFontSize = static_cast<int8_t>(environment_->GetDefaultSetting(1));
    largestFontSize = static_cast<int8_t>(environment_->GetDefaultSetting(2));
    defaultFontSize = static_cast<int8_t>(environment_->GetDefaultSetting(3));
    fontSizeStep = static_cast<int8_t>(environment_->GetDefaultSetting(5));
    defaultSideMargin = environment_->GetDefaultSetting(7);
    defaultTopBottomMargin = environment_->GetDefaultSetting(8);
  }
  sideMargin = defaultSideMargin;
  topBottomMargin = defaultTopBottomMargin;
  fontsDefaulted = 1;
  currentFontSize = defaultFontSize;
  if (defaultsOnly) return true;
  GlobalSettingsFile* file = settingsFile_;
  if (file == nullptr) return false;
  fontsDefaulted = 0;

  uint32_t text = 0, link = 0, background = 0, highlight = 0, modify = 0;
  if (file->GetColors(&text, &link, &background, &highlight, &modify) != kOk) return false;
  textColor = Color{text & 0xFFFFFF};
  linkColor = Color{link & 0xFFFFFF};
  backgroundColor = Color{background & 0xFFFFFF};
  highlightColor = Color{highlight & 0xFFFFFF};
  modifyColor = Color{modify & 0xFFFFFF};

  EncodedString name;
  if (file->ReadTextSetting(&GlobalSettingsFile::GetMainFontName, &name) != kOk || name.IsEmpty()) {
    name.Clear();
    if (environment_ != nullptr) environment_->GetTypeResourcePath(&name);
  }
  const uint32_t fontFileSize = file->GetMainFontSize();
  fontFileFontSize = fontFileSize == 0 ? defaultFontSize : static_cast<int8_t>(fontFileSize);
  SetFontName(name, true);

  name.Clear();
  if (file->ReadTextSetting(&GlobalSettingsFile::GetAltFontName, &name) != kOk || name.IsEmpty()) {
    name.FromWide(u"Arial");
    fontsDefaulted = 1;
  }
  const uint32_t systemSize = file->GetAltFontSize();
  systemFontSize = systemSize == 0 ? defaultFontSize : static_cast<int8_t>(systemSize);
  SetFontName(name, false);

  textCodePage = file->GetWord12();

  uint8_t byte29 = 0, byte30 = 0;
  uint32_t word8 = 0, word56 = 0, word60 = 0, word80 = 0, word84 = 0, word88 = 0;
  if (file->GetLayoutGroup(&byte29, &byte30, &word8, &word56, &word60, &word80, &word84, &word88) == kOk) {
    textAlignment = byte29 != 0 ? 4 : 1;
    if (word8 != 0xFFFFFFFFu) sideMargin = static_cast<int32_t>(word8);
    if (word56 != 0xFFFFFFFFu) topBottomMargin = static_cast<int32_t>(word56);
    pageCount = word60 == 0 ? 1 : word60;
    orientation = word80;
    savedWord84 = word84;
    savedWord88 = word88;
  }
  // Whatever was stored, every run starts windowed.
  fullScreen = 0;

  SelectFontKind(false);

  clearType = file->GetByte69();
  uint8_t byte31 = startWithLibrary, byte68 = tappingTurnsPages;
  if (file->GetBytes31And68(&byte31, &byte68) == kOk) {
    startWithLibrary = byte31;
    tappingTurnsPages = byte68;
  }
  showCaptionBar = file->GetByte263();
  singleTapOpensBook = file->GetWord268() ? 1 : 0;
  checkBooksOnCardEject = file->GetWord308() ? 1 : 0;
  jogWheelLinks = file->GetByte256();
  actionButtonTogglesFullScreen = file->GetWord272() ? 1 : 0;
  underlineLinks = file->GetByte257();
  showProgressBar = file->GetByte258();
  lineSpacing = file->GetWord276();

  for (uint32_t button = 0; button < kHardwareButtonCount; ++button) {
    uint8_t stored = 0;
    if (file->GetButtonAction(button, &stored) == kOk) buttonActions[button] = ActionFromByte(stored);
  }

  EncodedString document;
  if (file->GetText252(&document) == kOk) {
    lastDocument.AssignEncodedString(document);
  }
  savedWord92 = file->GetWord92();
  savedWord292 = file->GetWord292();
  toolbarBits = file->GetWord96();
  EncodedString saved;
  if (file->ReadTextSetting(&GlobalSettingsFile::GetText100, &saved) == kOk) CopyWholeText(saved, &savedText100);
  savedWord104 = file->GetWord104();
  libraryFileTypes = file->GetWord264();
  defaultSelectionAction = file->GetWord280();
  lastLibraryView = file->GetWord296();
  return true;
}

bool Preferences::Save() {
  GlobalSettingsFile* file = settingsFile_;
  if (file == nullptr || !file->IsOpen()) return false;

  if (file->SetColors(textColor.value & 0xFFFFFF, linkColor.value & 0xFFFFFF, backgroundColor.value & 0xFFFFFF,
                      highlightColor.value & 0xFFFFFF, modifyColor.value & 0xFFFFFF) != kOk) {
    return false;
  }

  EncodedString wide;
  WideBytes(fontFileFontName, &wide);
  if (file->SetMainFontName(wide.ConstBytes(), wide.ByteLength()) != kOk ||
      file->SetMainFontSize(static_cast<uint32_t>(static_cast<int32_t>(fontFileFontSize))) != kOk) {
    return false;
  }
  WideBytes(systemFontName, &wide);
  if (file->SetAltFontName(wide.ConstBytes(), wide.ByteLength()) != kOk ||
      file->SetAltFontSize(static_cast<uint32_t>(static_cast<int32_t>(systemFontSize))) != kOk) {
    return false;
  }

  if (file->SetByte28(fontFace == kFontFaceFontFile ? 1 : 0) != kOk || file->SetByte69(clearType) != kOk ||
      file->SetWord12(textCodePage) != kOk) {
    return false;
  }

  if (file->SetLayoutGroup(textAlignment == 4 ? 1 : 0, fullScreen, static_cast<uint32_t>(sideMargin),
                           static_cast<uint32_t>(topBottomMargin), pageCount == 0 ? 1 : pageCount, orientation,
                           savedWord84, savedWord88) != kOk) {
    return false;
  }

  if (file->SetBytes31And68(startWithLibrary, tappingTurnsPages) != kOk || file->SetByte263(showCaptionBar) != kOk ||
      file->SetWord268(singleTapOpensBook != 0) != kOk || file->SetWord308(checkBooksOnCardEject != 0) != kOk) {
    return false;
  }

  EncodedString document;
  lastDocument.ToEncodedString(&document);
  EncodedString saved;
  WideBytes(savedText100, &saved);
  if (file->SetText252(document.ConstBytes(), document.ByteLength()) != kOk ||
      file->SetWord92(savedWord92) != kOk || file->SetWord292(savedWord292) != kOk ||
      file->SetWord96(toolbarBits) != kOk || file->SetText100(saved.ConstBytes(), saved.ByteLength()) != kOk ||
      file->SetWord104(savedWord104) != kOk || file->SetWord264(libraryFileTypes) != kOk ||
      file->SetByte256(jogWheelLinks) != kOk || file->SetWord272(actionButtonTogglesFullScreen != 0) != kOk) {
    return false;
  }

  for (uint32_t button = 0; button < kHardwareButtonCount; ++button) {
    if (file->SetButtonAction(button, ByteFromAction(buttonActions[button])) != kOk) return false;
  }

  if (file->SetByte257(underlineLinks) != kOk || file->SetByte258(showProgressBar) != kOk ||
      file->SetWord276(lineSpacing) != kOk || file->SetWord280(defaultSelectionAction) != kOk ||
      file->SetWord296(lastLibraryView) != kOk) {
    return false;
  }
  return file->Save();
}

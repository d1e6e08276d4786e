// GlobalSettingsFile: the reader's settings between runs and the user's
// library categories, kept in "QVR_global_configuration.qvr" in the
// application's data folder (layout: settings_record_layout.h). The browser
// window set opens it (or creates it) at start; the preferences load every
// setting from it and write them back at shut-down, when the file is
// destroyed and its container saves itself.
//
// The settings are never silently replaced by defaults: a writable open
// that fails for lack of memory or a failed read fails and leaves the file
// untouched (the window set then tries the read-only open); only a file
// that is not a database at all or holds no readable "GPAR" record is
// renamed "<name>.bad" (replacing an older one) before a new file is
// written. A read-only open never writes: the file stays byte for byte as
// it was, and without a usable file every getter answers its preset.
//
// Getters answer their preset when the field cannot be read; byte getters,
// flags and boolean words answer 0 or 1, and their setters write 0 or 1.
// Setters answer RecordResult.
//
// Implementation: global_settings_file.cpp (opening, upgrade),
// global_settings_fields.cpp (the settings), global_settings_categories.cpp.
#pragma once

#include <cstdint>

#include "foundation/encoded_string/encoded_string.h"
#include "storage/records/settings_environment.h"
#include "storage/records/tagged_record_file.h"

class GlobalSettingsFile : public TaggedRecordFile {
 public:
  // A narrow text getter, for ReadTextSetting.
  using TextGetter = const uint8_t* (GlobalSettingsFile::*)(uint32_t* length);

  GlobalSettingsFile() = default;
  ~GlobalSettingsFile() override = default;

  // ---- Opening ----
  // Opens or creates the file at the environment's configuration path;
  // kFailed when the path cannot be had.
  RecordResult OpenInDataFolder(SettingsEnvironment* environment, bool readOnly) override;
  RecordResult Open(const EncodedString& path, bool readOnly) override { return OpenOrCreate(path, readOnly); }
  RecordResult OpenOrCreate(const EncodedString& path, bool readOnly);
  // Grows "GPAR" records shorter than 312 bytes and fills what they lacked.
  bool Upgrade() override;

  // ---- Settings ----
  uint32_t GetAltFontSize();  // preset 0
  RecordResult SetAltFontSize(uint32_t size);
  uint32_t GetMainFontSize();  // preset 0
  RecordResult SetMainFontSize(uint32_t size);
  uint32_t GetWord12();  // preset -1
  RecordResult SetWord12(uint32_t value);
  // Colours as 0x00BBGGRR words: the record keeps their four bytes from the
  // lowest. Both stop at the first failure.
  RecordResult SetColors(uint32_t text, uint32_t link, uint32_t background, uint32_t highlight, uint32_t modify);
  RecordResult GetColors(uint32_t* text, uint32_t* link, uint32_t* background, uint32_t* highlight,
                         uint32_t* modify);
  uint8_t GetByte28();  // preset 0
  RecordResult SetByte28(uint8_t flag);
  RecordResult SetLayoutGroup(uint8_t byte29, uint8_t byte30, uint32_t word8, uint32_t word56, uint32_t word60,
                              uint32_t word80, uint32_t word84, uint32_t word88);
  // Presets word 8 and word 56 to 0, word 60 to 1, byte 30 to 0, byte 29 to
  // 1; a stored word 60 of 0 reads as 1. Stops at the first failure.
  RecordResult GetLayoutGroup(uint8_t* byte29, uint8_t* byte30, uint32_t* word8, uint32_t* word56,
                              uint32_t* word60, uint32_t* word80, uint32_t* word84, uint32_t* word88);
  RecordResult SetBytes31And68(uint8_t byte31, uint8_t byte68);
  RecordResult GetBytes31And68(uint8_t* byte31, uint8_t* byte68);
  // Narrow texts: the caller's bytes as they are (UTF-16 in memory order
  // for every text the preferences store).
  const uint8_t* GetAltFontName(uint32_t* length);
  RecordResult SetAltFontName(const void* bytes, uint32_t length);
  const uint8_t* GetMainFontName(uint32_t* length);
  RecordResult SetMainFontName(const void* bytes, uint32_t length);
  const uint8_t* GetText40(uint32_t* length);
  const WCHAR* GetWideText52(uint32_t* count);
  RecordResult SetWideText52(const WCHAR* chars, uint32_t count);
  const uint8_t* GetText64(uint32_t* length);
  RecordResult SetText64(const void* bytes, uint32_t length);
  uint8_t GetByte69();  // preset 1
  RecordResult SetByte69(uint8_t flag);
  uint8_t GetByte70();  // preset 0
  RecordResult SetByte70(uint8_t flag);
  uint32_t GetWord92();  // preset 1
  RecordResult SetWord92(uint32_t value);
  uint32_t GetWord96();  // preset 0x20084F
  RecordResult SetWord96(uint32_t value);
  const uint8_t* GetText100(uint32_t* length);
  RecordResult SetText100(const void* bytes, uint32_t length);
  uint32_t GetWord104();  // preset 0
  RecordResult SetWord104(uint32_t value);
  // Slot 0-3: a word and 32 raw bytes.
  RecordResult SetSlot36(uint32_t slot, uint32_t word, const uint8_t* bytes32);
  RecordResult GetSlot36(uint32_t slot, uint32_t* word, uint8_t* bytes32);
  // The text linked at 252 as UTF-16; without it the text linked at 40,
  // percent-encoded as UTF-8.
  RecordResult GetText252(EncodedString* text);
  RecordResult SetText252(const void* bytes, uint32_t length);
  uint8_t GetByte256();  // preset 1
  RecordResult SetByte256(uint8_t flag);
  uint8_t GetByte257();  // preset 1
  RecordResult SetByte257(uint8_t flag);
  uint8_t GetByte258();  // preset 1
  RecordResult SetByte258(uint8_t flag);
  uint8_t GetByte263();  // preset 1
  RecordResult SetByte263(uint8_t flag);
  // Buttons 0-11; any other number fails.
  RecordResult SetButtonAction(uint32_t button, uint8_t action);
  RecordResult GetButtonAction(uint32_t button, uint8_t* action);
  uint32_t GetWord264();  // preset 0
  RecordResult SetWord264(uint32_t value);
  bool GetWord268();  // preset true
  RecordResult SetWord268(bool value);
  bool GetWord272();  // preset true
  RecordResult SetWord272(bool value);
  uint32_t GetWord276();  // preset 0
  RecordResult SetWord276(uint32_t value);
  uint32_t GetWord280();  // preset 0
  RecordResult SetWord280(uint32_t value);
  uint32_t GetWord292();  // preset 0
  RecordResult SetWord292(uint32_t value);
  uint32_t GetWord296();  // preset 0
  RecordResult SetWord296(uint32_t value);
  // The open-view flag: 1 while a document view is open.
  bool GetFlag300();  // preset false
  RecordResult SetFlag300(bool value);
  bool GetFlag304();  // preset false
  RecordResult SetFlag304(bool value);
  bool GetWord308();  // preset true
  RecordResult SetWord308(bool value);
  // One of the narrow text getters, its bytes taken as UTF-16 (65002).
  RecordResult ReadTextSetting(TextGetter getter, EncodedString* text);

  // ---- Categories: "CATE" records, in the order they were added ----
  uint32_t AddCategory(const WCHAR* name, uint32_t count);  // identifier or -1
  RecordResult RenameCategory(uint32_t category, const WCHAR* name, uint32_t count);
  uint32_t FirstCategory();
  uint32_t NextCategory();
  uint32_t CountCategories();
  // The first category named exactly so (case-sensitive), or -1.
  uint32_t FindCategory(const WCHAR* name, uint32_t count);
  // The name in the file's conversion buffer (valid until the next call).
  const WCHAR* GetCategoryName(uint32_t category, uint32_t* count);
  RecordResult DeleteCategory(uint32_t category);

 private:
  uint32_t GetWord(uint32_t offset, uint32_t preset);
  RecordResult SetWord(uint32_t offset, uint32_t value);
  uint8_t GetFlagByte(uint32_t offset, uint8_t preset);
  RecordResult SetFlagByte(uint32_t offset, uint8_t flag);
  const uint8_t* GetNarrowText(uint32_t offset, uint32_t* length);
  RecordResult SetNarrowText(uint32_t offset, const void* bytes, uint32_t length);
  // The first "CATE" record from `index` on; -1 when none.
  uint32_t ScanCategories(uint32_t index);

  int32_t categoryCursor_ = -1;  // record index of the last category returned
};

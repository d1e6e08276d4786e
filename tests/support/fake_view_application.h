// Fakes of what a document view asks of the application, for tests and the
// developer tools (never linked into the reader):
// - FakeViewEnvironment: strings from the string table (or texts a test
//   sets), settings defaults a test may change, a database folder, English.
// - FakeViewPreferences: the view settings as plain fields.
// - FakeViewApplication: records every message (caption id, the text as
//   the user would read it, kind), every command run or posted, and every
//   notification, in one ordered list; answers message boxes with `answer`.
//   With `echo` set, messages are also printed to stderr. The services of
//   page scripts (carts, audio, tips, programs) are recorded with their
//   arguments and answer `answer`.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "browser/host/view_application.h"
#include "browser/host/view_environment.h"
#include "browser/host/view_preferences.h"
#include "storage/documents/document_host.h"

class FakeViewEnvironment : public ViewEnvironment {
 public:
  std::map<uint32_t, std::u16string> texts;      // override the string table
  std::map<int32_t, int32_t> settings{{5, 2}};   // key 5: one text-size step
  std::u16string databaseFolder = u"\\database";
  uint32_t uiLanguage = 0x409;

  void LoadString(SharedWideString* text, uint32_t stringId) override;
  int32_t GetDefaultSetting(int32_t key) override;
  bool GetDatabaseFolder(SharedWideString* folder) override;
  uint32_t GetUiLanguage() override { return uiLanguage; }
  bool GetEnvironmentValue(const SharedWideString&, SharedWideString*) override { return false; }
};

class FakeViewPreferences : public ViewPreferences {
 public:
  int32_t textSize = 12;
  int32_t minTextSize = 6;
  int32_t maxTextSize = 48;
  int32_t wordAfterTextSize = 0;
  Color textColor = Color::FromRgb(0, 0, 0);
  Color backgroundColor = Color::FromRgb(255, 255, 255);
  uint8_t layoutFlags = 0;
  int32_t margin = 4;
  bool allowsSelection = true;
  bool tapHalves = false;
  bool tapAbove = false;
  int32_t columns = 1;
  bool holdsSteps = false;
  int32_t orientation = 0;
  bool forbidsReopen = false;
  SharedWideString lastDocument;
  bool keepsSideFiles = true;
  int saves = 0;
  SharedWideString lastQuery;
  uint32_t lastQueryFlags = 0;
  uint32_t lastQueryCodePage = 0;

  int32_t GetTextSize() override { return textSize; }
  bool SetFontSize(int32_t size) override;
  int32_t GetWordAfterTextSize() override { return wordAfterTextSize; }
  Color GetTextColor() override { return textColor; }
  Color GetBackgroundColor() override { return backgroundColor; }
  uint8_t GetLayoutFlags() override { return layoutFlags; }
  int32_t GetMarginValue() override { return margin; }
  bool AllowsSelection() override { return allowsSelection; }
  bool TapHalvesTurnPages() override { return tapHalves; }
  bool TapAboveTogglesFullScreen() override { return tapAbove; }
  int32_t PreferredColumns() override { return columns; }
  bool HoldsPageSteps() override { return holdsSteps; }
  int32_t GetOrientation() override { return orientation; }
  bool ForbidsReopen() override { return forbidsReopen; }
  const SharedWideString& GetLastDocument() override { return lastDocument; }
  bool SetLastDocument(const SharedWideString& text) override {
    lastDocument = text;
    return true;
  }
  bool KeepsSideFiles() override { return keepsSideFiles; }
  bool Save() override {
    ++saves;
    return true;
  }
  SharedWideString* LastQueryText() override { return &lastQuery; }
  uint32_t* LastQueryFlags() override { return &lastQueryFlags; }
  uint32_t* LastQueryCodePage() override { return &lastQueryCodePage; }
};

// Also the application side of the loader's DocumentHost, so that the
// loader's messages and the view's land in one list.
class FakeViewApplication : public ViewApplication, public DocumentHostApplication {
 public:
  struct Event {
    std::string what;   // "message", "execute", "post", "library", "annotations", "progress", "shown", ...
    int32_t caption = 0;
    int32_t kind = 0;
    int32_t number = 0;  // the command, the string id, the element kind
    std::u16string text;
    std::u16string second;  // a call's further texts (cart, link, ...)
    std::u16string third;
    Point point{0, 0};      // where a tip was asked for
  };

  explicit FakeViewApplication(FakeViewEnvironment* environment = nullptr) : environment_(environment) {}

  std::vector<Event> events;
  bool answer = true;
  bool echo = false;
  bool findDialog = false;
  int32_t listPage = 0;
  DocumentView* currentView = nullptr;
  std::u16string programText;  // the text last handed to an outside program
  // What GetSelectedWord answers (nothing selected while the word is empty).
  std::u16string selectedWord;
  uint32_t selectedLanguage = 0;

  // The recorded messages only, and the commands run or posted.
  std::vector<Event> Messages() const;
  std::vector<int32_t> Commands(const char* what) const;
  int Count(const char* what) const;
  void Clear() { events.clear(); }

  bool MessageBox(int32_t captionId, const SharedWideString& text, int32_t kind) override;
  bool ShowMessage(int32_t captionId, uint32_t stringId, int32_t kind) override;
  bool ShowFormattedMessage(int32_t captionId, uint32_t stringId, int32_t kind, const SharedWideString* arguments,
                            uint32_t count) override;
  void ShowTextPopup(const SharedWideString& text, int32_t mode, Point point) override;
  void ShowNotePopup(uint32_t mark, int32_t* word) override;
  void ShowSavedLookup(const uint8_t* data, uint32_t length) override;
  void ExecuteCommand(int32_t command, int32_t fromQueue) override;
  void PostCommand(int32_t command) override;
  bool HasFindDialog() override { return findDialog; }
  void ShowLibrary() override;
  void ShowAnnotations() override;
  int32_t GetActiveListPage() override { return listPage; }
  DocumentView* GetDocumentView() override { return currentView; }
  void ApplyProgressBarSetting() override;
  void OnDocumentShown(DocumentSource* source, int32_t elementKind) override;
  void OnSelectionMade(DocumentView* view, uint32_t start, uint32_t end, const SharedWideString& text,
                       uint32_t firstLanguage, uint32_t secondLanguage, Point point) override;
  void ResumeAudio() override;
  bool OpenInWordProcessor(const SharedWideString& program, const SharedWideString& text) override;
  bool OpenInSystemBrowser(const SharedWideString& address) override;
  void ShowTimedMessage(const SharedWideString& text, uint32_t milliseconds) override;
  void ShowAnnotationTip(int32_t mark, Point point) override;
  bool EditAnnotation(uint32_t mark) override;
  void ShowLookupTip(int32_t number, Point point) override;
  bool LookUpRanges(const TextRangeRef* ranges, uint32_t count, const SharedWideString& target,
                    const SharedWideString& title, bool marked) override;
  bool GetSelectedWord(SharedWideString* word, uint32_t* language) override;
  bool PlayMusic(const SharedWideString& request, bool record) override;
  bool StartVoiceRecorder() override;
  bool Dial(const SharedWideString& number) override;
  bool StartPopupViewer(const SharedWideString& document, int32_t first, int32_t second) override;
  bool AddCartItem(const SharedWideString& cart, const SharedWideString& identifier,
                   const SharedWideString& extra) override;
  bool RemoveCartItem(const SharedWideString& cart, int32_t identifier) override;
  bool ResetCart(const SharedWideString& cart) override;
  bool SubmitCart(const SharedWideString& cart, const SharedWideString& title) override;
  bool ExportCart(const SharedWideString& cart, const SharedWideString& path) override;
  bool PlaySoundList(const SharedWideString& list) override;
  void StopAudio() override;
  void PauseAudio() override;
  bool SetAudioVolume(int32_t volume) override;
  bool SelectAudioTrack(int32_t track) override;
  ViewEnvironment* GetEnvironment() override { return environment_; }
  // DocumentHostApplication.
  bool ShowFormattedMessage(int32_t captionId, uint32_t stringId, int32_t kind,
                            const SharedWideString& argument) override;
  void ShowWaitMessage(uint32_t stringId) override;
  void CloseWaitMessage() override;
  void OpenUrl(const Location& location) override;

 private:
  void Record(const char* what, int32_t caption, int32_t kind, int32_t number, const SharedWideString& text);
  // A service call: its number, up to three texts and a point.
  void RecordCall(const char* what, int32_t number, const SharedWideString& text,
                  const SharedWideString& second = SharedWideString(),
                  const SharedWideString& third = SharedWideString(), Point point = Point{0, 0});
  std::u16string LoadText(uint32_t stringId);

  FakeViewEnvironment* environment_;
};

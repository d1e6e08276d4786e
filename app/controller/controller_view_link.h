// The window's controller as the document view asks for it
// (ViewApplication), and as documents and the loader reach it through
// their DocumentHost (DocumentHostApplication): messages, commands run now or queued, the library and
// annotation pages, the reports of what is shown and selected, audio and
// outside programs. Thin forwarders to ApplicationController; they stand
// apart from it because the controller's own members of the same names take
// other types (ExecuteCommand's flag, GetDocumentView's frame view), and
// one class holding both would make their calls ambiguous.
#pragma once

#include "browser/host/view_application.h"
#include "script/interpreter/error_reporter.h"
#include "storage/documents/document_host.h"

class ApplicationController;

class ControllerViewLink final : public ViewApplication, public DocumentHostApplication, public ScriptErrorReporter {
 public:
  ControllerViewLink(ApplicationController* controller, ViewEnvironment* environment)
      : controller_(controller), environment_(environment) {}

  // The document view of the window (not owned).
  void SetDocumentView(DocumentView* view) { view_ = view; }

  bool MessageBox(int32_t captionId, const SharedWideString& text, int32_t kind) override;
  // The script errors of the window's pages: their texts from the string
  // table, shown in the controller's message boxes.
  void LoadString(SharedWideString* text, int32_t stringId) override;
  bool ShowMessage(int32_t captionId, uint32_t stringId, int32_t kind) override;
  bool ShowFormattedMessage(int32_t captionId, uint32_t stringId, int32_t kind, const SharedWideString* arguments,
                            uint32_t count) override;
  bool ShowFormattedMessage(int32_t captionId, uint32_t stringId, int32_t kind,
                            const SharedWideString& argument) override;
  // The wait message comes with the tip pop-up: nothing shows yet.
  void ShowWaitMessage(uint32_t) override {}
  void CloseWaitMessage() override {}
  // A document's address opens in the window's view.
  void OpenUrl(const Location& location) override;
  // The tip, note and saved look-up pop-ups come with the look-up flows:
  // nothing shows yet.
  void ShowTextPopup(const SharedWideString&, int32_t, Point) override {}
  void ShowNotePopup(uint32_t, int32_t*) override {}
  void ShowSavedLookup(const uint8_t*, uint32_t) override {}

  void ExecuteCommand(int32_t command, int32_t fromQueue) override;
  void PostCommand(int32_t command) override;
  bool HasFindDialog() override { return false; }

  void ShowLibrary() override;
  void ShowAnnotations() override;
  int32_t GetActiveListPage() override;
  DocumentView* GetDocumentView() override { return view_; }
  // The reading-position bar comes with the soft-key bars.
  void ApplyProgressBarSetting() override {}
  // A document shown: the window's title and bars follow it.
  void OnDocumentShown(DocumentSource* source, int32_t elementKind) override;
  void OnSelectionMade(DocumentView* view, uint32_t start, uint32_t end, const SharedWideString& text,
                       uint32_t firstLanguage, uint32_t secondLanguage, Point point) override;

  void ResumeAudio() override;
  bool OpenInWordProcessor(const SharedWideString& program, const SharedWideString& text) override;
  bool OpenInSystemBrowser(const SharedWideString& address) override;
  // ---- Services of page scripts.
  // The timed message, the annotation and look-up tips and the word
  // look-up of link ranges come with the pop-ups of the look-up flows:
  // nothing shows yet.
  void ShowTimedMessage(const SharedWideString&, uint32_t) override {}
  void ShowAnnotationTip(int32_t, Point) override {}
  void ShowLookupTip(int32_t, Point) override {}
  bool LookUpRanges(const TextRangeRef*, uint32_t, const SharedWideString&, const SharedWideString&,
                    bool) override {
    return false;
  }
  bool EditAnnotation(uint32_t mark) override;
  // The controller keeps the selected word but not its language: 0.
  bool GetSelectedWord(SharedWideString* word, uint32_t* language) override;
  bool PlayMusic(const SharedWideString& request, bool record) override;
  bool StartVoiceRecorder() override;
  // The device has no telephone here: nothing is dialled.
  bool Dial(const SharedWideString&) override { return false; }
  // The document opens in its registered program; the two numbers (a
  // window place of the device's viewer) have no meaning here.
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
  // The sound list's player steps only from track to track: not available.
  bool SelectAudioTrack(int32_t) override { return false; }
  ViewEnvironment* GetEnvironment() override { return environment_; }

 private:
  ApplicationController* controller_;
  ViewEnvironment* environment_;
  DocumentView* view_ = nullptr;
};

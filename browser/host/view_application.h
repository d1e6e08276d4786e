// ViewApplication: what the document view asks of the application: message
// boxes, commands run now or queued, the library and annotation pages, the
// reading-position bar, the reports of what is shown and selected, pop-ups,
// audio and outside programs. The application's ApplicationController
// implements it; tests use a recording fake. Named apart from that class so
// that one program holds both.
#pragma once

#include <cstdint>

#include "foundation/geometry/rect.h"
#include "foundation/wide_string/shared_wide_string.h"

class DocumentSource;
class DocumentView;
class ViewEnvironment;
struct TextRangeRef;

class ViewApplication {
 public:
  // ---- Messages (kind 2 is the error kind; caption -1 the application's
  // own). True when the user answers OK.
  virtual bool MessageBox(int32_t captionId, const SharedWideString& text, int32_t kind) = 0;
  // A message of the string table.
  virtual bool ShowMessage(int32_t captionId, uint32_t stringId, int32_t kind) = 0;
  // A message of the string table with "%1", "%2", ... filled in order.
  virtual bool ShowFormattedMessage(int32_t captionId, uint32_t stringId, int32_t kind,
                                    const SharedWideString* arguments, uint32_t count) = 0;
  // A tip at a point of the surface (mode 2 centres it).
  virtual void ShowTextPopup(const SharedWideString& text, int32_t mode, Point point) = 0;
  // A mark's note in a pop-up; *word receives the pop-up's answer.
  virtual void ShowNotePopup(uint32_t mark, int32_t* word) = 0;
  // Saved look-up results (a state stream's trailer) in a pop-up.
  virtual void ShowSavedLookup(const uint8_t* data, uint32_t length) = 0;

  // ---- Commands.
  virtual void ExecuteCommand(int32_t command, int32_t fromQueue) = 0;
  virtual void PostCommand(int32_t command) = 0;
  virtual bool HasFindDialog() = 0;

  // ---- Pages and views.
  virtual void ShowLibrary() = 0;
  virtual void ShowAnnotations() = 0;
  // 1 while the library page is shown, 3 while the annotations page is,
  // else 0.
  virtual int32_t GetActiveListPage() = 0;
  // The application's current document view; null when none.
  virtual DocumentView* GetDocumentView() = 0;
  virtual void ApplyProgressBarSetting() = 0;
  virtual void OnDocumentShown(DocumentSource* source, int32_t elementKind) = 0;
  virtual void OnSelectionMade(DocumentView* view, uint32_t start, uint32_t end, const SharedWideString& text,
                               uint32_t firstLanguage, uint32_t secondLanguage, Point point) = 0;

  // ---- Audio and outside programs.
  virtual void ResumeAudio() = 0;
  virtual bool OpenInWordProcessor(const SharedWideString& program, const SharedWideString& text) = 0;
  // An "http:" address in the system's web browser.
  virtual bool OpenInSystemBrowser(const SharedWideString& address) = 0;

  // ---- Services of page scripts. Paths, programs and documents named by a
  // book's script arrive unchanged: the application refuses what it must.
  // A text shown for `milliseconds`, then taken away.
  virtual void ShowTimedMessage(const SharedWideString& text, uint32_t milliseconds) = 0;
  // The note of annotation `mark` in a tip at the point.
  virtual void ShowAnnotationTip(int32_t mark, Point point) = 0;
  // The note editor over annotation `mark`.
  virtual bool EditAnnotation(uint32_t mark) = 0;
  // The look-up result `number` of the page in a tip at the point.
  virtual void ShowLookupTip(int32_t number, Point point) = 0;
  // The ranges of a link and its texts looked up as words; `marked` for the
  // last range's flag of a marked list.
  virtual bool LookUpRanges(const TextRangeRef* ranges, uint32_t count, const SharedWideString& target,
                            const SharedWideString& title, bool marked) = 0;
  // The selected word and its language code; false when nothing is selected.
  virtual bool GetSelectedWord(SharedWideString* word, uint32_t* language) = 0;
  // The book's audio written as a playlist and opened (then the voice
  // recorder when `record`).
  virtual bool PlayMusic(const SharedWideString& request, bool record) = 0;
  virtual bool StartVoiceRecorder() = 0;
  virtual bool Dial(const SharedWideString& number) = 0;
  // The document opened in the program registered for it, with two numbers.
  virtual bool StartPopupViewer(const SharedWideString& document, int32_t first, int32_t second) = 0;
  // The named carts (an empty name: the default cart).
  virtual bool AddCartItem(const SharedWideString& cart, const SharedWideString& identifier,
                           const SharedWideString& extra) = 0;
  virtual bool RemoveCartItem(const SharedWideString& cart, int32_t identifier) = 0;
  virtual bool ResetCart(const SharedWideString& cart) = 0;
  virtual bool SubmitCart(const SharedWideString& cart, const SharedWideString& title) = 0;
  virtual bool ExportCart(const SharedWideString& cart, const SharedWideString& path) = 0;
  // The page's sound list (";"-separated addresses) played from its first.
  virtual bool PlaySoundList(const SharedWideString& list) = 0;
  virtual void StopAudio() = 0;
  virtual void PauseAudio() = 0;
  virtual bool SetAudioVolume(int32_t volume) = 0;
  // Selects track n of the audio player without starting it.
  virtual bool SelectAudioTrack(int32_t track) = 0;

  // ---- Its environment (may be null).
  virtual ViewEnvironment* GetEnvironment() = 0;

 protected:
  ~ViewApplication() = default;
};

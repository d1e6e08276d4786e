// What the application frame asks of the reading view of its window: the
// navigation, document and selection operations of the browser's document
// view, and the display commands of the window's drawing surface and its
// display manager. The browser and reading-control libraries implement
// them; until they exist the program runs with the stand-in view
// (stand_in_view.h) and the tests with recording fakes.
#pragma once

#include <cstdint>

#include "foundation/encoded_string/encoded_string.h"
#include "foundation/geometry/rect.h"
#include "foundation/wide_string/shared_wide_string.h"
#include "platform/types/gdi_handles.h"
#include "platform/types/geometry_types.h"
#include "platform/types/window_handle.h"

struct UiCommand;

// Two text positions of the document, start and end.
struct TextRange {
  int32_t start = 0;
  int32_t end = 0;
};

// The navigation request a page runs once it is loaded: {code, command}.
struct NavigationRequestCode {
  uint32_t code = 0;
  uint32_t command = 0;
};

class AppFrameView {
 public:
  // ---- The window: the view's drawing surface draws into it, and its
  // display manager is attached with the client size (read unrotated).
  virtual void AttachWindow(HWND window) = 0;

  // ---- Commands handed to the view's elements and the display.
  virtual void ElementCommand(uint32_t command) = 0;
  // Display commands 74-82 (orientation and automatic scrolling).
  virtual void DisplayCommand(uint32_t command) = 0;
  // A key's element command record, for the surface's command operation.
  virtual void KeyCommand(const UiCommand& command) = 0;
  // The stylus: WM_LBUTTONDOWN, WM_LBUTTONUP or WM_MOUSEMOVE at a point.
  virtual void StylusEvent(uint32_t message, POINT point, bool leftDown) = 0;
  // Whether automatic scrolling runs (the display manager active in full
  // screen).
  virtual bool AutoScrolling() const = 0;
  // A timer of the main window fired: true when it was the display
  // manager's (its automatic-scroll tick), which has then run.
  virtual bool DisplayTimer(uintptr_t id) = 0;
  // For automatic scrolling: the page's rectangle in the window (false
  // without a page), one page forward shown (false at the end), and the
  // page shown from the line `offset` pixels down.
  virtual bool GetViewRect(Rect* out) = 0;
  virtual bool StepViewPage() = 0;
  virtual void ScrollViewToLine(int32_t offset, int32_t step) = 0;
  // Paints the window's update rectangle into the device context.
  virtual void Paint(HDC dc, const RECT& area) = 0;
  // The window's client area changed size.
  virtual void Resize(int32_t width, int32_t height) = 0;

  // ---- Navigation. An address is UTF-16 text ("oeb:library", a path).
  virtual bool OpenAddress(const EncodedString& address, const NavigationRequestCode* request) = 0;
  virtual bool ReloadWithRequest(const NavigationRequestCode& request) = 0;
  virtual void CloseDocument() = 0;
  virtual void ChangeTextSize(int32_t delta) = 0;
  virtual void GoForward() = 0;
  virtual void GoToFirstPage() = 0;
  virtual void GoToStartReading() = 0;
  virtual bool GoToToc() = 0;
  // Follows the document guide's reference of this type ("find": the
  // book's own search page); false when there is none to follow.
  virtual bool FollowGuideReference(const WCHAR* type) = 0;
  // Binds the host objects and, unless asked not to, reopens the last book.
  virtual bool Start(bool doNotReopen, bool noBookNamed) = 0;
  // Reloads a document shown from this path (or under this folder).
  virtual void Reload(const EncodedString& path, bool force) = 0;
  virtual void RefreshElements() = 0;

  // ---- The document shown.
  virtual bool HasDocument() const = 0;
  virtual bool IsInternalPage() const = 0;
  virtual bool HasSideFile() const = 0;
  // The document's title, and its file path (UTF-16); false without one.
  virtual bool GetDocumentTitle(EncodedString* out) const = 0;
  virtual bool GetDocumentPath(EncodedString* out) const = 0;
  // The full address of the document shown (what its relative addresses
  // are resolved against); false without a document.
  virtual bool GetBaseAddress(SharedWideString* out) const = 0;
  // 1 reading, 2 and 3 pages of their own, 6 audio, 7 full-screen pages.
  virtual uint32_t ViewMode() const = 0;
  // Saves the reading position and view state into the side file.
  virtual void SaveViewState() = 0;

  // ---- The selection.
  virtual bool GetSelectedText(SharedWideString* out) const = 0;
  virtual void CancelSelection() = 0;
  virtual bool CurrentPageHasBookmark() const = 0;
  virtual bool SelectionHasHighlight() const = 0;
  virtual bool LinkRequestPending() const = 0;
  virtual bool SelectionOffersImage() const = 0;
  // Whether the focused element offers a command (look-ups 46 and 47).
  virtual bool OffersCommand(uint32_t command) const = 0;

  // ---- The side file's marks of the document shown. Kinds: 1 bookmark,
  // 2 note, 4 highlight, 8 drawing, 16 modify, 32 link. A range is a pair
  // of text positions [start, end).
  // The selection's range and text; false when nothing is selected.
  virtual bool GetSelectionRange(TextRange* range, SharedWideString* text) const = 0;
  // The current page's range; false without a layout.
  virtual bool GetPageRange(TextRange* range) const = 0;
  // The word at the selection for a look-up (empty without a layout).
  virtual bool GetLookupWord(SharedWideString* word) const = 0;
  // The index of the first mark of `kinds` (any of the bits) inside the
  // range, or -1.
  virtual int32_t FindMarkOfKind(const TextRange& range, uint32_t kinds) const = 0;
  // The marked text and the note of mark `index`, and its kind.
  virtual bool GetMark(int32_t index, uint32_t* kind, SharedWideString* markedText,
                       SharedWideString* note) const = 0;
  // Adds a mark of `kind` over the range with its colour word and note.
  virtual bool AddMark(const TextRange& range, uint32_t kind, uint32_t colour, const SharedWideString& note) = 0;
  virtual bool DeleteMark(int32_t index) = 0;
  virtual void DeleteMarksInRange(uint32_t kinds, const TextRange& range) = 0;
  // Replaces the note of mark `index` in the side file and tells the
  // view's listener that the mark changed.
  virtual bool SetMarkNote(int32_t index, const SharedWideString& note) = 0;
  // The pending link request: begun on the selection (53), completed on
  // the selection that is its target (54: true when the link was stored).
  virtual bool BeginLinkRequest() = 0;
  virtual bool CompleteLinkRequest() = 0;
  // Opens the drawing editor on the mark of the selected word (52).
  virtual void EditDrawingAtSelection() = 0;

 protected:
  ~AppFrameView() = default;
};

// Told the identifier of every executed command (the main view's listener).
class CommandListener {
 public:
  virtual void AfterCommand(uint32_t command) = 0;

 protected:
  ~CommandListener() = default;
};

// The library catalogue's storage events, which the document loader
// forwards (a card inserted or removed, a drive added or removed).
class StorageEventSink {
 public:
  virtual void CatalogueAdd(const EncodedString& folder) = 0;
  virtual void CatalogueRemove(const EncodedString& folder) = 0;
  virtual void CatalogueOpen(const EncodedString& folder) = 0;
  virtual void CatalogueFind(const EncodedString& folder, const EncodedString& displayName) = 0;

 protected:
  ~StorageEventSink() = default;
};

// DocumentFrameView: the reading view of a window as the application frame
// drives it, over the browser window's document view, drawing surface and
// display manager (the window owns them; this only refers to them). The
// frame's calls (paint, keys, the stylus, navigation, the marks of the side
// file) become the view's. What the view does not offer yet answers as
// nothing there.
#pragma once

#include "app/frame/frame_view.h"
#include "browser/view/document_view.h"
#include "layout/display/display_manager.h"
#include "layout/drawing/drawing_surface.h"

class ApplicationController;
class Preferences;

class DocumentFrameView final : public AppFrameView {
 public:
  DocumentFrameView(ApplicationController* controller, Preferences* preferences, DocumentView* view,
                    DrawingSurface* surface, DisplayManager* display)
      : controller_(controller), preferences_(preferences), view_(*view), surface_(*surface), display_(*display) {}
  ~DocumentFrameView() = default;
  DocumentFrameView(const DocumentFrameView&) = delete;
  DocumentFrameView& operator=(const DocumentFrameView&) = delete;

  DocumentView& documentView() { return view_; }
  DrawingSurface& surface() { return surface_; }
  DisplayManager& displayManager() { return display_; }

  void AttachWindow(HWND window) override;
  void ElementCommand(uint32_t command) override;
  void DisplayCommand(uint32_t command) override;
  void KeyCommand(const UiCommand& command) override;
  void StylusEvent(uint32_t message, POINT point, bool leftDown) override;
  bool AutoScrolling() const override { return display_.IsAutoscrollActive(); }
  bool DisplayTimer(uintptr_t id) override;
  bool GetViewRect(Rect* out) override { return view_.GetViewRect(out); }
  bool StepViewPage() override { return view_.StepPage(1, -1); }
  void ScrollViewToLine(int32_t, int32_t) override {}
  void Paint(HDC dc, const RECT& area) override;
  void Resize(int32_t width, int32_t height) override;

  bool OpenAddress(const EncodedString& address, const NavigationRequestCode* request) override;
  bool ReloadWithRequest(const NavigationRequestCode& request) override;
  void CloseDocument() override { view_.CloseCurrentDocument(); }
  void ChangeTextSize(int32_t delta) override { view_.ChangeTextSize(delta); }
  void GoForward() override { view_.GoForward(); }
  void GoToFirstPage() override { view_.GoToFirstPage(); }
  void GoToStartReading() override { view_.GoToStartReading(); }
  bool GoToToc() override { return view_.GoToToc(); }
  bool FollowGuideReference(const WCHAR*) override { return false; }
  bool Start(bool doNotReopen, bool noBookNamed) override;
  void Reload(const EncodedString& path, bool force) override;
  void RefreshElements() override { view_.RefreshElements(); }

  bool HasDocument() const override;
  bool IsInternalPage() const override;
  bool HasSideFile() const override { return view_.HasSideFile(); }
  bool GetDocumentTitle(EncodedString* out) const override;
  bool GetDocumentPath(EncodedString* out) const override;
  bool GetBaseAddress(SharedWideString* out) const override;
  uint32_t ViewMode() const override { return 1; }
  void SaveViewState() override { view_.SaveViewState(false); }

  bool GetSelectedText(SharedWideString* out) const override;
  void CancelSelection() override { view_.CancelSelection(); }
  bool CurrentPageHasBookmark() const override;
  bool SelectionHasHighlight() const override;
  bool LinkRequestPending() const override { return view_.HasPendingSelection(); }
  bool SelectionOffersImage() const override { return false; }
  bool OffersCommand(uint32_t command) const override;

  bool GetSelectionRange(TextRange* range, SharedWideString* text) const override;
  bool GetPageRange(TextRange* range) const override;
  bool GetLookupWord(SharedWideString* word) const override;
  int32_t FindMarkOfKind(const TextRange& range, uint32_t kinds) const override;
  bool GetMark(int32_t index, uint32_t* kind, SharedWideString* markedText, SharedWideString* note) const override;
  bool AddMark(const TextRange& range, uint32_t kind, uint32_t colour, const SharedWideString& note) override;
  bool DeleteMark(int32_t index) override;
  void DeleteMarksInRange(uint32_t kinds, const TextRange& range) override;
  bool SetMarkNote(int32_t index, const SharedWideString& note) override;
  bool BeginLinkRequest() override { return view_.BeginSelectionRequest(); }
  bool CompleteLinkRequest() override;
  void EditDrawingAtSelection() override { view_.EditDrawingAtSelection(-1); }

 private:
  // The document view's queries are not const; the frame's are.
  DocumentView& View() const { return const_cast<DocumentView&>(view_); }

  ApplicationController* controller_;
  Preferences* preferences_;
  DocumentView& view_;
  DrawingSurface& surface_;
  DisplayManager& display_;
};

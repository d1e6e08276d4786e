// The reading view of the program until the browser's document view
// exists: it opens nothing but the library and annotations addresses (the
// controller's page stand-ins), paints the page in the
// background colour of the preferences, and records what it was asked, so
// that the program starts, shows its window, answers its keys and closes
// in order.
#pragma once

#include <string>

#include "app/frame/frame_view.h"

class ApplicationController;
class Preferences;

class StandInView final : public AppFrameView {
 public:
  StandInView(ApplicationController* controller, const Preferences* preferences)
      : controller_(controller), preferences_(preferences) {}

  void AttachWindow(HWND) override {}
  void ElementCommand(uint32_t) override {}
  void DisplayCommand(uint32_t) override {}
  void KeyCommand(const UiCommand&) override {}
  void StylusEvent(uint32_t, POINT, bool) override {}
  bool AutoScrolling() const override { return false; }
  bool DisplayTimer(uintptr_t) override { return false; }
  bool GetViewRect(Rect*) override { return false; }
  bool StepViewPage() override { return false; }
  void ScrollViewToLine(int32_t, int32_t) override {}
  void Paint(HDC dc, const RECT& area) override;
  void Resize(int32_t, int32_t) override {}
  bool OpenAddress(const EncodedString& address, const NavigationRequestCode* request) override;
  bool ReloadWithRequest(const NavigationRequestCode&) override { return false; }
  void CloseDocument() override {}
  void ChangeTextSize(int32_t) override {}
  void GoForward() override {}
  void GoToFirstPage() override {}
  void GoToStartReading() override {}
  bool GoToToc() override { return false; }
  bool FollowGuideReference(const WCHAR*) override { return false; }
  // Reopens nothing: the library shows.
  bool Start(bool doNotReopen, bool noBookNamed) override;
  void Reload(const EncodedString&, bool) override {}
  void RefreshElements() override {}
  bool HasDocument() const override { return false; }
  bool IsInternalPage() const override { return true; }
  bool HasSideFile() const override { return false; }
  bool GetDocumentTitle(EncodedString*) const override { return false; }
  bool GetDocumentPath(EncodedString*) const override { return false; }
  bool GetBaseAddress(SharedWideString*) const override { return false; }
  uint32_t ViewMode() const override { return 1; }
  void SaveViewState() override {}
  bool GetSelectedText(SharedWideString*) const override { return false; }
  void CancelSelection() override {}
  bool CurrentPageHasBookmark() const override { return false; }
  bool SelectionHasHighlight() const override { return false; }
  bool LinkRequestPending() const override { return false; }
  bool SelectionOffersImage() const override { return false; }
  bool OffersCommand(uint32_t) const override { return false; }
  bool GetSelectionRange(TextRange*, SharedWideString*) const override { return false; }
  bool GetPageRange(TextRange*) const override { return false; }
  bool GetLookupWord(SharedWideString*) const override { return false; }
  int32_t FindMarkOfKind(const TextRange&, uint32_t) const override { return -1; }
  bool GetMark(int32_t, uint32_t*, SharedWideString*, SharedWideString*) const override { return false; }
  bool AddMark(const TextRange&, uint32_t, uint32_t, const SharedWideString&) override { return false; }
  bool DeleteMark(int32_t) override { return false; }
  void DeleteMarksInRange(uint32_t, const TextRange&) override {}
  bool SetMarkNote(int32_t, const SharedWideString&) override { return false; }
  bool BeginLinkRequest() override { return false; }
  bool CompleteLinkRequest() override { return false; }
  void EditDrawingAtSelection() override {}

 private:
  ApplicationController* controller_;
  const Preferences* preferences_;
};

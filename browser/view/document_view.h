// DocumentView: one loaded document shown in one window or frame. It holds
// the current source and the location it was opened under, the layout
// context and parser while the text is shown, the book's side file, the
// reading text control that draws the pages, the focused page element, the
// back/forward history and the pending link. It is at once a script host
// object, the view's node in the element tree, a listener of page events,
// and the view the reading text control asks about the shown page.
//
// The operations are spread over files by concern:
//   document_view.cpp            construction, wiring, element operations
//   document_view_queries.cpp    page range, numbers, position, search
//   document_view_open.cpp       opening addresses and showing sources
//   document_view_switch.cpp     switching and closing documents
//   document_view_saved_state.cpp  the side file's reading state
//   document_view_state.cpp      capturing and restoring history entries
//   document_view_pages.cpp      page moves and history recording
//   document_view_repaint.cpp    repaint holds, commands, text size
//   document_view_links.cpp      link areas and the selection
//   document_view_pending.cpp    operations not built yet (answer failure)
#pragma once

#include <cstdint>

#include "browser/addresses/location.h"
#include "browser/view/history_entry.h"
#include "browser/view/script_request.h"
#include "browser/view/view_event_listener.h"
#include "browser/view/view_state_record.h"
#include "foundation/containers/segmented_array_typed.h"
#include "foundation/geometry/rect.h"
#include "foundation/streams/byte_stream.h"
#include "foundation/wide_string/shared_wide_string.h"
#include "layout/elements/ui_container.h"
#include "layout/pages/layout_context.h"
#include "layout/reading/reading_text_control.h"
#include "layout/reading/reading_view.h"
#include "layout/styles/element_style.h"
#include "script/host/script_host_object.h"
#include "storage/sources/document_source.h"

struct ScriptContext;
class CompiledScript;
class BookParameterFile;
class DocumentLoader;
class DrawingSurface;
class ElementStream;
class IndexQueryResult;
class InlineObject;
class IndexTable;
class LayoutContext;
class LinkAction;
class OfflineFormLog;
class PageElement;
class RecordSource;
class SpeechPlugin;
class TextSearcher;
class ViewApplication;
class ViewEnvironment;
class ViewFormCollection;
class ViewPreferences;
class ViewSketchEditor;
struct DocumentProperty;
struct RecordPosition;

// The text range of a page or a selection.
struct ViewTextRange {
  uint32_t start = 0;
  uint32_t end = 0;
};

// What a word-list addition carries (the word, the dictionary it came
// from, the entry).
struct ViewLinkRequest {
  SharedWideString target;
  SharedWideString title;
  SharedWideString url;
  int32_t language = 0;
  int32_t entry = -1;
  SharedWideString fourth;
};

class DocumentView : public ScriptHostObject,
                     public UIContainer,
                     public ViewEventListener,
                     public ReadingView {
 public:
  // ---- Constants of the view.
  static constexpr int32_t kKind = 2;
  static constexpr int32_t kInitialBoundsCorner = -10000;
  static constexpr uint32_t kHistoryBlockItems = 4;
  static constexpr uint32_t kMaxHistory = 8;
  static constexpr int32_t kEmbeddingNone = -1;
  // historyRecording.
  static constexpr int32_t kRecordNormally = 0;
  static constexpr int32_t kRecordSuppressed = 1;
  static constexpr int32_t kRecordOnce = 2;
  // linkState.
  static constexpr int32_t kLinkNone = 0;
  static constexpr int32_t kLinkFromMark = 1;
  static constexpr int32_t kLinkFromSelection = 2;
  // The kinds of the focused element.
  static constexpr int32_t kElementReadingText = 1;
  static constexpr int32_t kElementIndexWidget = 2;
  static constexpr int32_t kElementImageView = 3;
  static constexpr int32_t kElementWordList = 4;
  static constexpr int32_t kElementSearchHistory = 5;
  static constexpr int32_t kElementMediaPlayer = 6;
  // Strings.
  static constexpr uint32_t kStringCouldNotOpen = 5028;        // "Could not open: %1%2"
  static constexpr uint32_t kStringImageMemory = 5029;
  static constexpr uint32_t kStringNotEnoughMemory = 5034;
  static constexpr int32_t kCaptionInformation = 5019;
  static constexpr uint32_t kStringWordAdded = 5114;
  static constexpr uint32_t kStringWordInList = 5115;
  static constexpr uint32_t kStringWordListReadOnly = 5233;
  static constexpr uint32_t kStringNoAnnotation = 5260;
  // Commands.
  static constexpr int32_t kCommandOpenLibrary = 0;
  static constexpr int32_t kCommandCloseWindow = 10;
  static constexpr int32_t kCommandPositionChanged = 88;
  static constexpr int32_t kCommandPositionShown = 90;
  static constexpr int32_t kCommandToggleFullScreen = 55;
  // The setting key of one text-size step.
  static constexpr int32_t kSettingTextSizeStep = 5;

  DocumentView();
  ~DocumentView() override;

  // ---- Wiring after construction.
  void SetFormLog(OfflineFormLog* log);
  void SetLoader(DocumentLoader* loader) { loader_ = loader; }
  void SetPreferences(ViewPreferences* preferences);
  void SetSurface(DrawingSurface* surface);
  void SetController(ViewApplication* controller);
  // The view was made for a frame of a frame set.
  void SetFrameView(bool frame) { isFrameView_ = frame ? 1 : 0; }
  // Set: the view leaves the form collection alone as documents come and go.
  void SetKeepForms(bool keep) { keepForms_ = keep ? 1 : 0; }

  // ==== Script-visible table (after the script object's operations).
  // Script object operations answered by the reader's script host.
  int32_t GetKind() override { return kKind; }
  int32_t* ResolveMember(int32_t* status, const ScriptNameToken& name, ScriptMemberRef* ref,
                         uint8_t create) override;
  int32_t* Invoke(int32_t* status, const ScriptMemberRef& ref, uint32_t argumentCount,
                  ScriptOperandStack* stack, ScriptValueHandle* result) override;
  int32_t* SetMemberValue(int32_t* status, const ScriptMemberRef& ref, ScriptValueStore* store,
                          ScriptValueHandle value) override;
  int32_t* GetMemberValue(int32_t* status, const ScriptMemberRef& ref, ScriptValueStore* store,
                          ScriptValueHandle* result, int32_t wantedType) override;
  // Script host base.
  ScriptAppEnvironment* GetAppEnvironment(int32_t memberCode, int32_t subCode) override;
  ScriptDocumentContext* GetDocumentContext() override { return nullptr; }

  // 9 to 62, in this order.
  virtual ViewEnvironment* GetEnvironment() { return environment_; }
  virtual DocumentSource* GetDocumentSource() { return source_.Get(); }
  virtual bool DispatchWidgetEvent(ScriptObject* source, const SharedWideString& script, Point point,
                                   SharedWideString* result);
  virtual bool OpenLocationWithRequest(Location* location, const ScriptRequest& request);
  virtual bool OpenUrlInTarget(const SharedWideString& text, const SharedWideString& target, const Rect& rect);
  virtual bool OpenUrl(const SharedWideString& text, bool absolute);
  virtual void CloseWindow();
  virtual bool ChangeTextSize(int32_t step);
  virtual DocumentView* FindTargetView(const SharedWideString& target) {
    (void)target;
    return this;
  }
  virtual DocumentView* CreateTargetView(const SharedWideString& target, const Rect& rect) {
    (void)target;
    (void)rect;
    return nullptr;
  }
  virtual int32_t OpenSync(const SharedWideString& text) {
    (void)text;
    return 0;
  }
  virtual bool StartExternalApp(const SharedWideString& name, const SharedWideString& text);
  virtual bool ReloadWithRequest(const ScriptRequest& request);
  // Places the windows of the set (a plain view has none to place).
  virtual void Rearrange(bool /*vertical*/, bool /*skipUnnamed*/) {}
  virtual bool GoToPage(int32_t n);
  virtual bool GoToPageRelative(int32_t step, int32_t second, int32_t last);
  virtual bool GoToFirstPage();
  virtual bool GoToLastPage();
  virtual bool GoToToc();
  virtual bool GoToGuideStart();
  virtual bool GoToGuide(uint32_t n);
  virtual bool CloseDocument();
  virtual int32_t Reserved1() { return 0; }
  virtual bool GoToRandomEntry(const SharedWideString* name);
  virtual bool GoToPosition(uint32_t position);
  virtual bool GoToFragment(const SharedWideString& text);
  virtual bool AddToWordList(const ScriptRequest& request);
  virtual bool OpenMark(uint32_t mark, int32_t* popupWord);
  virtual bool AddBookmark(const SharedWideString& text);
  virtual int32_t Reserved2() { return 0; }
  virtual bool PreviousBookmark();
  virtual bool GoToBookmark(const SharedWideString* bookPath, uint32_t mark, bool record);
  virtual bool NextBookmark();
  virtual bool DeleteBookmark(uint32_t mark);
  virtual bool GoBack(bool fallBackToStart);
  virtual bool GoForward();
  virtual void SetCheckpoint();
  virtual bool GoToCheckpoint();
  virtual int32_t GetHistoryIndex() { return historyIndex_; }
  virtual void ClearHistory();
  virtual bool SetIndexQuery(const SharedWideString& text);
  virtual RecordSource* OpenRecordSource(const SharedWideString& table, int32_t extra);
  virtual bool SelectTableAt(int32_t x, Point point);
  virtual bool ScrollTable(int32_t step);
  virtual int32_t LoadNamedScript(const SharedWideString& name, CompiledScript* script);
  virtual ViewApplication* GetApplication() { return controller_; }
  virtual ScriptContext* GetScriptContext() { return nullptr; }
  virtual ViewFormCollection* GetFormCollection() { return forms_; }
  virtual bool GoToStartReading();
  virtual bool TestPagePoint(Point point);
  virtual DocumentView* AsDocumentView(DocumentView* view) { return view; }
  virtual void CloseView();
  virtual bool Start(bool restarting);
  virtual void OnSelectionChanged(Point point);

  // ==== Element operations.
  bool Show(bool visible) override;
  bool HitTest(Point point) override;
  bool OnPointerDown(Point point) override;
  bool OnPointerMove(bool buttonDown, Point point) override;
  bool OnPointerUp(Point point) override;
  bool Activate(bool on, intptr_t arg) override;
  bool HandleCommand(const CommandEvent& event) override;
  void Paint(const Rect& rect, uint32_t flags) override;
  void Broadcast(intptr_t value) override;
  void Redraw(const Rect* rect) override;
  void ExecuteCommand(int32_t command, intptr_t arg) override;
  // The command-availability table.
  bool IsCommandEnabled(int32_t command) override;
  void Arrange(Rect* remaining, const Rect& rect) override;
  bool Intersects(const Rect& rect) override;
  bool GetBounds(Rect* out) override;
  int32_t GetLayer() override { return 0; }

  // ==== Page-event listener (base operations).
  void OnNavigationStarting() override {}
  void OnDocumentClosed() override {}
  void OnDocumentShown() override;
  void OnPositionChanged(bool final) override;
  intptr_t OnListenerEvent4(intptr_t argument) override { return argument; }
  intptr_t OnNavigationFinished(intptr_t notify, bool changed) override {
    (void)changed;
    return notify;
  }

  // ==== What the reading text control asks of the view.
  bool HasLayout() override { return layout_ != nullptr; }
  bool GetViewRect(Rect* out) override;
  bool GetContentRect(Rect* out) override;
  int32_t LocationKind() override;
  uint32_t CurrentPagePosition() override;
  bool SaveReadingState(ByteStream* stream) override;
  bool LoadReadingState(ByteStream* stream) override;
  bool AllowsSelection() override;
  bool TapHalvesTurnPages() override;
  bool TapAboveTogglesFullScreen() override;
  int32_t HorizontalMargin() override;
  int32_t PreferredColumns() override;
  bool HoldsPageSteps() override;
  // The first link area whose shape, grown by the tolerance, holds the
  // point (tolerance 0: the shape itself).
  bool GetLinkAreaAt(const ShapeArea** area, int32_t* index, Point point, int32_t tolerance) override;
  int32_t LinkAreaCount() override;
  int32_t GetCurrentLinkIndex() override;
  void SetCurrentLink(int32_t index) override;
  void ActivateLinkArea(const ShapeArea* area, Point point) override;
  void ActivateCurrentLink() override;
  void MoveToTarget(bool next) override;
  bool HandleMoveCommand(int32_t command, bool noCurrentLink) override;
  bool StepPage(int32_t step, int32_t linkIndex) override;
  bool CanStep(int32_t step) override;
  bool PageEndsWithBreakMark() override;
  PageSelection* Selection() override;
  SelectionHighlight* Highlight() override;
  DrawingSurface* Surface() override { return surface_; }
  void SelectionMade(Point point) override;
  void Repaint() override { Invalidate(false); }
  void ToggleFullScreen() override;
  void ExecuteControllerCommand(int32_t command) override;
  WideTables* Tables() override;

  // ==== Queries.
  bool GetPageRange(ViewTextRange* range);
  int32_t GetCurrentPageNumber();
  int32_t GetPageCount();
  int32_t GetCurrentPosition();
  bool IsDocumentPaginated();
  TextSearcher* CreateTextSearch();
  bool IsActiveView();
  bool GetBaseUrl(Url* out);
  void GetViewState(ViewStateRecord* record);

  // ==== Link areas and the selection (answer -1, 0 or false unless the
  // reading text with a layout has the focus).
  int32_t FindLinkAreaOfElement(const void* element);
  int32_t CountLinks();
  int32_t NextLinkIndex(int32_t n);
  int32_t PreviousLinkIndex(int32_t n);
  bool GetSelection(ViewTextRange* range, SharedWideString* text, uint32_t* firstLanguage,
                    uint32_t* secondLanguage, Rect* onScreen);
  bool GetSelectionBounds(Rect* out);
  bool GetSelectionTextByUnit(SharedWideString* text, int32_t unit);
  void CancelSelection();
  bool OfferToSelectedObjects(intptr_t value);

  // ==== Repaint.
  void HoldRepaint();
  void ReleaseRepaint();
  void Invalidate(bool full);
  void RefreshElements();
  void OnLayoutChanged();
  // Sends notification 4 to one object of the page and releases it.
  static void NotifyPageObject(LayoutContext* layout, InlineObject* object, void* view);

  // ==== Script requests and link actions (the script host).
  // Carries out one reader method; the method's result (0 when the row does
  // nothing). *result may receive a script value of the store.
  int32_t InvokeScriptMethod(const ScriptRequest& request, Point point, ScriptValueStore* store,
                             ScriptValueHandle* result);
  // Carries out a link's action on this view (the application's current
  // one) for the origin view that showed the link.
  bool PerformLinkAction(DocumentView* origin, LinkAction* action, Point point, SharedWideString* result);
  // The request as the script call that makes it: document.goto_page(3).
  static bool DescribeRequest(const ScriptRequest& request, SharedWideString* text);
  Point GetEventPoint() const { return eventPoint_; }
  int32_t GetHistoryRecording() const { return historyRecording_; }
  int32_t GetSpeechParameter() const { return speechParameter_; }

  // ==== Page and record-set hooks.
  bool SetGlobalRecordSource(IndexTable* table, const SharedWideString& query);
  bool InstallRecordSource(RecordSource* source, const SharedWideString& query);
  void ClearGlobalRecordSet();
  bool RunGuideEntryAction(const DocumentProperty& entry);

  // ==== History and state.
  bool CaptureState(HistoryEntry* entry, bool fromLayout);
  bool RestoreFrameState(HistoryEntry* entry);
  bool RestoreHistoryEntry(HistoryEntry* entry, bool full);
  bool ApplyFocusedElementSettings(const ByteStream& state);
  void ResetFocusedElementState();

  // ==== Showing.
  bool OpenLocation(Location* location);
  bool PerformNavigation(DocumentSource* source, const SharedWideString& fragment, bool countOpen);
  bool PerformRequestNavigation(DocumentSource* source, const ScriptRequest& request, bool full);
  bool ShowLoadedSource(DocumentSource* source, const SharedWideString& fragment);
  bool ReloadCurrent();
  bool ReopenLastBook();
  void RestoreReadingPosition();
  bool Reload(const SharedWideString& path, bool force);
  bool ReportLoadFailure(const Location& location, const ScriptRequest* request, bool messageShown, bool goBack);

  // ==== Navigation (page moves, guide, marks, history).
  bool GoToTextPosition(uint32_t position);
  void ShowRange(const ViewTextRange& range);
  int32_t GetAnchorPosition(const SharedWideString* name);
  uint32_t GetGuideEntryCount();
  bool GetGuideEntryTarget(uint32_t n, SharedWideString* text);
  bool GetDocumentTitle(SharedWideString* title);
  bool RecordHistory(bool* added);
  bool RecordCurrentBeforeStep();
  int32_t FindInHistory(const Location& location);
  bool ExecuteRequest(const ScriptRequest& request, bool documentChanged, bool* repaint, bool* restorePosition,
                      bool relayout);
  BookParameterFile* GetSideFile() { return sideFile_; }
  // Passes two words to the layout while the reading text has the focus.
  bool PassToLayout(int32_t first, int32_t second);

  // ==== Dictionary and index queries.
  bool OpenFragment(const SharedWideString& fragment, bool documentChanged, bool* repaint, bool relayout);
  PageElement* CreateIndexWidget(uint32_t table, SharedWideString* fragment, uint32_t flags, bool ideogram,
                                 const SharedWideString* recordSetName, uint32_t subTable, uint32_t entryWord,
                                 const SharedWideString* query, const SharedWideString* condition,
                                 const SharedWideString* entryTemplate, const SharedWideString* keyTemplate,
                                 int32_t selectedEntry);
  PageElement* OpenQueryResult(const SharedWideString& query, const SharedWideString* entryTemplate,
                               int32_t bulletCode, int32_t bulletFlag, SharedWideString* fragment,
                               const SharedWideString* recordSetName, uint32_t flags);
  PageElement* CreateSqlIndexWidget(IndexQueryResult* result, const SharedWideString& query,
                                    SharedWideString* fragment, int32_t bulletCode, int32_t bulletFlag,
                                    const SharedWideString* entryTemplate, const SharedWideString* recordSetName,
                                    uint32_t flags);
  PageElement* CreateWordListElement(int32_t kind, RecordSource* source, SharedWideString* fragment,
                                     uint32_t language, int32_t captionId, const RecordPosition& start,
                                     const ViewLinkRequest* request);
  bool ApplySavedQuery(PageElement* widget, uint32_t flags, uint32_t codePageKey);
  bool IsWordListEmpty();

  // ==== Switching documents and the saved reading state.
  bool SwitchDocument(DocumentSource* source, bool* changed, int32_t embedding);
  void CloseCurrentDocument();
  void SaveViewState(bool final);
  bool SaveFormState(ByteStream* stream, bool final);
  bool RestoreViewState();
  bool ShowReadingText(bool documentChanged, bool* repaint);
  void FinishNavigation(bool notify, bool changed, bool repaint, bool restore);
  // A trailer at the end of a state stream: a big-endian length N, the
  // bytes "LTTS" three times, then N bytes. *offset receives the first
  // byte after the markers; the read position is kept.
  static bool FindTrailer(ByteStream* stream, uint32_t* offset);
  bool HasSideFile() const { return sideFile_ != nullptr; }
  bool IsTextShown();
  static void SetAudioFragment(SharedWideString* fragment);
  static bool IsAudioFragment(const SharedWideString& fragment);

  // ==== Marks and links.
  bool AddMark(Rect* out, const ViewTextRange& range, uint32_t kind, uint32_t extra, const SharedWideString* text,
               const SharedWideString* note, int32_t target, const SharedWideString* title);
  bool AddMarkRecord(const ViewTextRange& range, const SharedWideString* note, const SharedWideString* text,
                     uint32_t extra, uint32_t kind, int32_t target, const SharedWideString* title, uint32_t* mark);
  int32_t AddMarkWithText(const ViewTextRange& range, uint32_t kind, uint32_t extra, const SharedWideString& text);
  void DeleteMarksInRange(uint32_t kindMask, const ViewTextRange& range, int32_t exceptMark);
  void DeleteMarksOfKinds(BookParameterFile* sideFile, uint32_t kindMask, const ViewTextRange& range,
                          int32_t exceptMark);
  void DeleteMarkRecord(uint32_t mark);
  int32_t FindMarkOfKind(const ViewTextRange& range, uint32_t kind);
  uint32_t CollectMarkKinds(const ViewTextRange& range);
  bool GetMarkText(uint32_t kind, const ViewTextRange& range, SharedWideString* text, int32_t* target,
                   SharedWideString* title);
  bool EditDrawingAtSelection(int32_t selectionWord);
  void GetLookupWord(SharedWideString* text);
  void RefreshMarks();
  bool BeginLinkFromMark(uint32_t mark);
  bool BeginSelectionRequest();
  bool SaveSelectionState();
  bool CompleteSelectionRequest(bool returnToSource, int32_t* resultMark);
  bool HasPendingSelection() const { return linkState_ != kLinkNone; }
  bool IsLinkTargetPending() const { return linkTargetPending_ != 0; }

  // ==== Reading aloud.
  void SpeakText(const SharedWideString& text);
  void SpeakPage(bool continuing, uint32_t position);
  void StopSpeech();
  void OnSpeechProgress(intptr_t report);
  bool IsSpeaking();
  void StopAndFreeSpeech();
  void SetSpeechParameter(int32_t value) { speechParameter_ = value; }

  // ==== State seen by tests, the browser view and the tools.
  const Location& GetLocation() const { return location_; }
  LayoutContext* GetLayout() const { return layout_; }
  UIElement* GetFocusedElement() const { return focusedElement_; }
  PageElement* GetDocumentElement() const { return documentElement_; }
  ReadingTextControl* GetTextControl() { return &text_; }
  uint32_t GetHistoryCount() const { return history_.Count(); }
  const HistoryEntry* GetHistoryEntry(uint32_t i) const { return i < history_.Count() ? *history_.At(i) : nullptr; }
  int32_t GetEmbedding() const { return embedding_; }
  int32_t GetRepaintHold() const { return repaintHold_; }
  bool IsRepaintDue() const { return repaintDue_ != 0; }
  // Invalidations that reached the surface (not held), and whether the
  // last one covered the whole view.
  uint32_t GetInvalidationCount() const { return invalidations_; }
  bool WasLastInvalidationFull() const { return lastInvalidationFull_ != 0; }
  const Rect& GetViewBounds() const { return bounds_; }
  ViewPreferences* GetPreferences() const { return preferences_; }
  DocumentLoader* GetLoader() const { return loader_; }
  OfflineFormLog* GetFormLog() const { return formLog_; }
  bool IsFrameView() const { return isFrameView_ != 0; }

 protected:
  // The child indexes from the window's frame set down to this view, the
  // last item its current link index. A view without frames answers the
  // link index alone.
  virtual bool GetFramePath(SegmentedTypedArray<int32_t>* path);
  // A restored frame path for the frame set (the browser view keeps it).
  virtual void SetPendingFocusPath(const SegmentedTypedArray<int32_t>& path) { (void)path; }
  // Resets the window's script context as a document closes; answers
  // whether there was one to reset (the browser view has one).
  virtual bool ResetScriptContext() { return false; }
  virtual void ReinstallScriptObjects() {}
  // A mark was added (added) or removed or changed: the main view tells its annotation listener.
  virtual void OnMarkChanged(uint32_t mark, bool added) { (void)mark; (void)added; }

  // The reading text with a layout context has the focus.
  bool ReadingTextFocused() const;
  bool TextHasFocus() const { return focusedElement_ == static_cast<const UIElement*>(&text_); }
  // The focused element as a page element (the reading text or the
  // document element); null without one.
  PageElement* FocusedPageElement();
  // The shared preparation of page moves; false when nothing has the focus.
  bool PrepareNavigation(bool record, bool* repaint, bool* elementClosed);
  // The common ending of a page move.
  void FinishPageMove(bool moved, bool repaint, bool elementClosed);
  // Sets the focused element and places it under the view.
  void FocusElement(UIElement* element);
  void DestroyDocumentElement();
  // The library and annotation pages; *messageShown when the user was
  // told why the page cannot be shown.
  bool ShowSpecialPage(const Location& location, bool* messageShown);
  // The object a "$" fragment names (a record number or a name), made
  // into the page element and the element to focus.
  bool OpenObjectFragment(const SharedWideString& fragment, int32_t record, const SharedWideString& name,
                          UIElement** element, bool* repaint);
  // A page step as a key of a list element.
  void PassKeyToPageElement(int32_t key);
  // The request as script text, for the failure message.
  void AppendRequestText(const ScriptRequest& request, SharedWideString* text);
  DocumentSource* LoadLocation(Location* location, bool* reported);
  void ClearHistoryEntries();
  void OpenSideFile(DocumentSource* source);
  void ConnectLayout();
  void ApplyPreferencesToLayout();
  bool ApplyPositionAnchor(const SharedWideString& anchor);
  bool HasDictionariesForSelection();

  // Laying text out measures it on the surface, which needs a drawing pass
  // (nested passes are counted by the surface).
  class DrawPass {
   public:
    explicit DrawPass(DrawingSurface* surface);
    ~DrawPass();
    DrawPass(const DrawPass&) = delete;
    DrawPass& operator=(const DrawPass&) = delete;

   private:
    DrawingSurface* surface_;
  };

  // Page events of the layout, passed on as the view's position changes.
  class ViewRedrawSink final : public RedrawSink {
   public:
    explicit ViewRedrawSink(DocumentView* view) : view_(view) {}
    void PageChanged() override { view_->OnPositionChanged(false); }

   private:
    DocumentView* view_;
  };

  // The script host's helpers reach the fields below.
  friend class ScriptHostCalls;

  // ---- Fields, in the order of the data model.
  Point eventPoint_{0, 0};
  ViewPreferences* preferences_ = nullptr;     // not owned
  ViewApplication* controller_ = nullptr;      // not owned
  OfflineFormLog* formLog_ = nullptr;          // not owned
  DocumentLoader* loader_ = nullptr;           // not owned
  DrawingSurface* surface_ = nullptr;          // not owned: the parent element
  int32_t speechParameter_ = 0;
  Rect bounds_{kInitialBoundsCorner, kInitialBoundsCorner, 0, 0};
  UIElement* focusedElement_ = nullptr;
  DocumentSourcePtr source_;
  Location location_;
  LayoutContext* layout_ = nullptr;            // owned while shown (made by the source)
  ElementStream* parser_ = nullptr;            // owned while shown (made by the source)
  BookParameterFile* sideFile_ = nullptr;      // counted
  ViewFormCollection* forms_ = nullptr;        // owned
  ViewEnvironment* environment_ = nullptr;
  PageElement* documentElement_ = nullptr;     // owned
  uint8_t announcePending_ = 0;
  uint8_t shownReportPending_ = 0;
  int32_t repaintHold_ = 0;
  uint8_t repaintDue_ = 0;
  uint8_t repaintFull_ = 0;
  SegmentedTypedArray<HistoryEntry*> history_;  // owned entries, blocks of 4
  int32_t historyIndex_ = 0;
  uint8_t checkpointFlag_ = 0;
  int32_t historyRecording_ = kRecordNormally;
  ReadingTextControl text_;
  ViewSketchEditor* sketchEditor_ = nullptr;    // owned; made at the first start
  HistoryEntry linkTarget_;
  SharedWideString linkTargetTitle_;
  HistoryEntry linkSource_;
  ViewTextRange linkSourceRange_;
  int32_t linkSourceMark_ = -1;
  SharedWideString linkSourceText_;
  int32_t linkState_ = kLinkNone;
  uint8_t linkTargetPending_ = 0;
  int32_t embedding_ = kEmbeddingNone;
  uint8_t isFrameView_ = 0;

  // ---- Fields the later parts add.
  ViewRedrawSink redrawSink_{this};
  LayoutPosition savedPosition_;          // of the last reading state saved
  LayoutPosition restorePosition_;        // of the reading state being restored
  uint8_t layoutStarted_ = 0;             // the layout's first page is built
  uint32_t invalidations_ = 0;
  uint8_t lastInvalidationFull_ = 0;
  DefaultStyle styleDefaults_;            // what the layout builds styles from
  ElementStyle styleBase_;
  uint8_t keepForms_ = 0;                 // the forms flag of switching
  SpeechPlugin* speech_ = nullptr;        // owned; made on first use
  uint16_t speechCodePage_ = 0;           // 0: the document's
  SharedWideString speechText_;           // collected text of the sentence
};

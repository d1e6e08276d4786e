// BrowserView: the document view that fills a browser window. To the
// document view it adds what exists once per window: the frame set whose
// frames are further document views, the window's script context, the
// look-up history, the application's event sink (which may veto or take over
// navigation), link targets ("_blank", "_self", "_top", named windows),
// "http:" addresses for the system's web browser, the arrangement of the
// set's windows on the screen, and restoring the focus inside frames.
//
// The operations are spread over files by concern:
//   browser_view.cpp             construction, wiring, destruction
//   browser_view_targets.cpp     addresses, link targets, new windows, arranging
//   browser_view_start.cpp       starting and closing the view
//   browser_view_listener.cpp    page events, the sink's gates
//   browser_view_frames_pending.cpp  the frame walk and the focus in frames
#pragma once

#include <cstdint>

#include "browser/view/document_view.h"
#include "browser/view/script_context.h"
#include "foundation/containers/segmented_array_typed.h"
#include "foundation/geometry/rect.h"
#include "foundation/wide_string/shared_wide_string.h"
#include "layout/frames/frame_view.h"
#include "layout/frames/frameset_element.h"

class BrowserEventSink;
class BrowserWindow;
class FrameSetController;
class GlobalSettingsFile;
class LinkAction;
class ScriptErrorReporter;
class ScriptValueStore;
class TimerTable;
class ViewLookupHistory;

// One link collected from the frame entries of a page, with its text. The
// action is counted (one reference held while listed).
struct BrowserPageLink {
  LinkAction* action = nullptr;
  SharedWideString text;
};

class BrowserView : public DocumentView, public FrameView {
 public:
  // pendingFocusMode.
  static constexpr int32_t kFocusNone = 0;
  static constexpr int32_t kFocusRestorePath = 1;
  static constexpr int32_t kFocusNextFrame = 2;
  static constexpr int32_t kFocusPreviousFrame = 3;
  // The commands of the reading text's keys that move between frames before
  // pages.
  static constexpr int32_t kCommandNextFrameOrPage = 1035;
  static constexpr int32_t kCommandPreviousFrameOrPage = 1036;
  static constexpr int32_t kCommandForwardFrameOrPage = 1037;
  static constexpr int32_t kCommandBackFrameOrPage = 1038;
  // The frame a view attaches itself as.
  static constexpr const char16_t* kMainFrameName = u"_main";
  static constexpr uint32_t kPageLinkBlockShift = 4;  // 16 links per block

  explicit BrowserView(ScriptValueStore* valueStore);
  ~BrowserView() override;
  BrowserView(const BrowserView&) = delete;
  BrowserView& operator=(const BrowserView&) = delete;

  // ---- Wiring (by the window that makes the view).
  void SetWindow(BrowserWindow* window) { window_ = window; }
  BrowserWindow* GetWindow() const { return window_; }
  // The application's hooks; null uninstalls. The context word comes back
  // with every call.
  void SetEventSink(BrowserEventSink* sink, int32_t context) {
    eventSink_ = sink;
    eventSinkContext_ = context;
  }
  BrowserEventSink* GetEventSink() const { return eventSink_; }
  int32_t GetEventSinkContext() const { return eventSinkContext_; }
  // Opens windows for targets when no event sink is installed.
  void SetFrameSetController(FrameSetController* controller) { frameSetController_ = controller; }
  // The global settings file (not owned) whose open-view word Start and
  // CloseView set and clear. Without one the view uses its window set's
  // (none without storage), or else its loader's.
  void SetSettingsFile(GlobalSettingsFile* file) { settingsFile_ = file; }
  // The application window's timer table, which runs the script timers
  // from Start on (not owned; null: scripts start no timers).
  void SetTimerTable(TimerTable* table) { timerTable_ = table; }
  // The application controller as the interpreter's error sink (not owned).
  void SetScriptErrorSink(ScriptErrorReporter* sink) { scriptErrorSink_ = sink; }

  // Asks the application's sink about a value of the selection's handler;
  // its answer, or 0 without a sink.
  intptr_t AskSelectionHandler(int32_t value);

  // Compiles the text and runs it in the window's script context (a script
  // timer's code); true when it compiled and ran without a status.
  bool RunScriptText(const SharedWideString& code);

  // ==== Overrides of the document view's table.
  bool DispatchWidgetEvent(ScriptObject* source, const SharedWideString& script, Point point,
                           SharedWideString* result) override;
  bool OpenUrlInTarget(const SharedWideString& text, const SharedWideString& target, const Rect& rect) override;
  bool OpenUrl(const SharedWideString& text, bool absolute) override;
  DocumentView* FindTargetView(const SharedWideString& target) override;
  DocumentView* CreateTargetView(const SharedWideString& target, const Rect& rect) override;
  ScriptContext* GetScriptContext() override { return &scriptContext_; }
  void CloseView() override;
  bool Start(bool restarting) override;
  void OnSelectionChanged(Point point) override;

  // The full forms: the flag and the from-open word go to whoever opens the
  // window. An empty rectangle is a missing one.
  bool OpenUrlInTarget(const SharedWideString& text, const SharedWideString& target, const Rect& rect,
                       int32_t flag);
  DocumentView* CreateTargetView(const SharedWideString& target, const Rect& rect, int32_t flag,
                                 int32_t fromOpen);
  // Cuts the work area into one slot per placed window (windows with an
  // empty name are skipped when skipUnnamed is set), stacked downwards
  // (vertical) or side by side.
  void Rearrange(bool vertical, bool skipUnnamed) override;
  // Slot `index` of `slots` equal slots of the area (integer division: the
  // remainder stays empty at the bottom or right).
  static Rect ArrangeSlot(const Rect& area, uint32_t slots, uint32_t index, bool vertical);

  // ==== Element part: the focus commands 90 and 88, others to the
  // focused element.
  void ExecuteCommand(int32_t command, intptr_t arg) override;

  // ==== Page-event listener.
  void OnNavigationStarting() override;
  void OnDocumentClosed() override;
  void OnDocumentShown() override;
  void OnPositionChanged(bool final) override;
  intptr_t OnListenerEvent4(intptr_t argument) override { return DocumentView::OnListenerEvent4(argument); }
  intptr_t OnNavigationFinished(intptr_t notify, bool changed) override;

  // ==== The reading text's move commands 1035 to 1038: between frames
  // first, then pages.
  bool HandleMoveCommand(int32_t command, bool noCurrentLink) override;

  // ==== The view as the frame "_main" of its own frame set.
  UIElement* FrameElement() override;
  bool CanTakeFocus() override;
  void FocusEdgeItem(bool first) override;
  int32_t GetContentLength(bool rows, int32_t across) override;
  void NotifyFrame(intptr_t argument) override;

  // ==== Frames and the focus in them.
  // Rebuilds the frame set from the current document's frame description
  // at the source position; true when the frames changed (the caller then
  // re-reads the border setting and re-arranges the frame set).
  bool RunFrameWalk(int32_t position);
  // Removes every frame (their views go to the spare list) and clears
  // pageLinks.
  void RemoveAllFrames();
  void DeleteSpareFrameViews();
  // Adds the view's own element as the frame "_main"; false on lack of
  // memory.
  bool AttachFrameset();
  // The frame set let a frame's view go (the frame release sink's
  // operation).
  void ReleaseFrameView(const FrameRecord& record, UIElement* element, bool nested);
  // The child indexes from the frame set down to the focused frame view,
  // then that view's current link index; false when there is no such path.
  bool GetFocusPath(SegmentedTypedArray<int32_t>* path);
  // Places the focus as pendingFocusMode says (command 90).
  void RestoreFocus();
  // A plain document view wired as the parent is; the frame form also marks
  // it as a frame view. Null on lack of memory.
  static DocumentView* CreateChildView(DocumentView* parent);
  static DocumentView* CreateFrameView(DocumentView* parent);

  // ==== State seen by tests and the window.
  FramesetElement* GetFrameset() { return &frameset_; }
  int32_t GetFramePosition() const { return framePosition_; }
  int32_t GetPendingFocusMode() const { return pendingFocusMode_; }
  uint32_t GetSpareFrameViewCount() const { return spareFrameViews_.Count(); }
  uint32_t GetPageLinkCount() const { return pageLinks_.Count(); }
  ViewLookupHistory* GetLookupHistory() const { return lookupHistory_; }

 protected:
  bool GetFramePath(SegmentedTypedArray<int32_t>* path) override;
  void SetPendingFocusPath(const SegmentedTypedArray<int32_t>& path) override;

  // Receives each frame view that the frame set lets go.
  class FrameReleaseSink final : public FrameOwner {
   public:
    explicit FrameReleaseSink(BrowserView* view) : view_(view) {}
    void OnFrameRemoved(const FrameRecord& record, UIElement* element, bool nested) override {
      view_->ReleaseFrameView(record, element, nested);
    }

   private:
    BrowserView* view_;
  };

  // Runs the script timers' code through the view.
  class TimerScriptRunner final : public ScriptTextRunner {
   public:
    explicit TimerScriptRunner(BrowserView* view) : view_(view) {}
    bool RunScriptText(const SharedWideString& code) override { return view_->RunScriptText(code); }

   private:
    BrowserView* view_;
  };

  // The sink's gate before a navigation: true without a sink.
  bool SinkAllowsNavigation(const SharedWideString& text, bool absolute);
  // The frame set's border setting from the preferences, and arranging the
  // frame set again.
  void ApplyFrameBorderSetting();
  void RearrangeFrameset();
  // Sets (true) or clears the open-view word of the settings file and saves
  // it.
  void MarkOpenView(bool open);
  // The script context's steps of Start and of CloseView.
  bool BindScriptContext();
  void ReleaseScriptContext();
  void ClearPageLinks();

  // ---- Fields added to the document view's, in the order of the data
  // model.
  FrameReleaseSink frameReleaseSink_{this};
  int32_t framePosition_ = -1;
  SegmentedTypedArray<DocumentView*> spareFrameViews_;
  SegmentedTypedArray<int32_t> pendingFocusPath_;
  int32_t pendingFocusMode_ = kFocusNone;
  FramesetElement frameset_;
  BrowserEventSink* eventSink_ = nullptr;  // not owned
  int32_t eventSinkContext_ = 0;
  BrowserWindow* window_ = nullptr;  // the owning window
  ScriptContext scriptContext_;
  ViewLookupHistory* lookupHistory_ = nullptr;  // owned; null without the elements' factory
  SegmentedTypedArray<BrowserPageLink> pageLinks_;

  // ---- Wiring the later parts add.
  FrameSetController* frameSetController_ = nullptr;  // not owned
  GlobalSettingsFile* settingsFile_ = nullptr;        // not owned
  TimerTable* timerTable_ = nullptr;                  // not owned
  ScriptErrorReporter* scriptErrorSink_ = nullptr;    // not owned
  TimerScriptRunner timerRunner_{this};
};

// What the view asks of its window and the window's set, over the window
// set's own operations (browser_view_window_access.cpp); each answers null,
// 0 or nothing for a null window.
// The view of the set's window of that name (names compare exactly); null
// when the set has none.
DocumentView* FindViewOfWindowSet(BrowserWindow* window, const SharedWideString& name);
// The view of a window; null for none.
DocumentView* GetViewOfWindow(BrowserWindow* window);
// The windows of the window's set, in list order, with their names, and
// moving one of them on the screen.
uint32_t CountWindowsOfSet(BrowserWindow* window);
BrowserWindow* GetWindowOfSet(BrowserWindow* window, uint32_t i);
const SharedWideString* GetWindowName(BrowserWindow* window);
void MoveWindowTo(BrowserWindow* window, const Rect& rect);
// The global settings file of the window's set; null without storage.
GlobalSettingsFile* GetSettingsFileOfWindowSet(BrowserWindow* window);

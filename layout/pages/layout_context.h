// LayoutContext: the pager of one shown document. It holds the document's
// element stream, knows where pages begin, keeps what it learned about page
// starts in a small cache of page frames (the first page's frame beside
// them), lays out at most two pages at a time, answers page numbers (exact
// for the first page, carried along for pages reached by stepping,
// estimated for the rest) and moves forwards and backwards by lines and by
// pages, to a page number or to a text position.
//
// Pages are filled column by column, line by line (layout/lines/); the
// items come from the tag-to-layout builder, reached through
// LayoutItemBuilder so that the pager does not depend on how markup
// becomes items.
#pragma once

#include <cstdint>

#include "foundation/geometry/rect.h"
#include "foundation/system/random_generator.h"
#include "layout/lines/line_layout.h"
#include "layout/markup/element_stream.h"
#include "layout/pages/page_frame.h"
#include "layout/position/page_state_chunk.h"
#include "layout/render/page_renderer.h"
#include "layout/tables/table_flow.h"
#include "layout/widetables/wide_tables.h"

class BookParameterFile;
class DisplayManager;
class SharedWideString;
class Document;
class OfflineFormLog;
class DrawingSurface;
class InlineObject;
class LayoutContext;
struct DefaultStyle;
struct ElementStyle;

// The pair a page is built in: the frame being filled and its item store.
struct FlowPair {
  PageFrame* frame = nullptr;
  LayoutItemStore* store = nullptr;
  bool applyStyle = false;  // the builder asks for the frame's style to be applied
};

class LayoutItemBuilder {
 public:
  virtual ~LayoutItemBuilder() = default;
  // Turns the element stream's current element, which began at `position`,
  // into items at the end of the pair's store; false ends the flow.
  virtual bool ReadLayoutItems(LayoutContext* context, FlowPair* pair, uint32_t position) = 0;
  // The open elements of the first page, whose BODY the stream has just
  // opened: its record (and its style, for a builder that keeps them).
  virtual bool OpenFirstPage(ElementStream* stream, PageFrame* frame) { return frame->records.Push(*stream); }
};

// Told of the pager's page changes (the reading text control redraws).
class RedrawSink {
 public:
  virtual ~RedrawSink() = default;
  virtual void Started() {}
  virtual void PageChanged() {}
  virtual void PageShown(bool /*shownBefore*/) {}
  virtual void PageHiding() {}
};

// Chooses the font a document starts in from the reader's default font and
// the document's encoding information (a book's extra header data; null
// and 0 for a document without any).
class BaseFontSelector {
 public:
  virtual uint8_t SelectBaseFont(uint8_t font, const uint8_t* encoding, uint32_t length) = 0;

 protected:
  ~BaseFontSelector() = default;
};

// What every document starts with, from the reader's settings: the base
// font size and font, the default alignment and the text style whose
// colours are the defaults.
struct BaseStyleRecord {
  int32_t fontSize = 12;  // pixels
  uint8_t font = 1;
  int32_t alignment = 0;
  TextStyle text;
  BaseFontSelector* fontSelector = nullptr;  // null: the font as given
};

// Steps of StepPage.
enum PageStep : int32_t {
  kStepLineBack3 = -3,
  kStepPageBack = -2,
  kStepLineBack = -1,
  kStepLine = 1,
  kStepPage = 2,
  kStepLine3 = 3,
};

class LayoutContext {
 public:
  static constexpr uint32_t kMaxCachedFrames = 8;
  static constexpr uint32_t kMaxColumns = 4;

  LayoutContext();
  virtual ~LayoutContext();
  LayoutContext(const LayoutContext&) = delete;
  LayoutContext& operator=(const LayoutContext&) = delete;

  // ---- Set-up.
  void AttachParser(ElementStream* stream, Document* document, LayoutItemBuilder* builder);
  void Detach();
  void SetSurface(DrawingSurface* surface) { font_.surface = surface; }
  // The base font size (pixels, kept at least 1), the default font and the
  // style and paragraph format a document starts with; the style's
  // language becomes the document's (it decides hyphenation).
  //
  // The context keeps the record's size, font (through its font selector,
  // with the document's encoding information), colours and alignment; the
  // style it stores has no size step, face or colours of its own, so that
  // it carries only what the document itself sets.
  void SetBaseStyle(const BaseStyleRecord& record);
  void SetBaseStyle(int32_t fontSize, uint8_t fontId, const TextStyle& style);
  // Binds the book's side file (null: none). A side file written for
  // another version of the document (its stamp differs from the
  // document's own, as stored or byte-swapped) loses its saved positions
  // and bookmarks and takes the document's stamp.
  void AttachAnnotations(BookParameterFile* store);
  BookParameterFile* Annotations() const { return annotations_; }
  // Binds the offline form log (null: none) that the document's LOGHOST
  // tags are collected into; while log hosts are collected, its entries
  // are deleted first.
  void SetFormStore(OfflineFormLog* log);
  OfflineFormLog* FormStore() const { return formLog_; }
  // Whether the LOGHOST tags that follow the opening BODY are still
  // collected (on by default).
  void SetCollectLogHosts(bool collect) { collectLogHosts_ = collect; }
  // The document's own stamp; -1 for a document without one (the document
  // view answers its document's).
  virtual int32_t GetDocumentStamp() { return -1; }
  // Whether HR draws a rule; a context that shows books whose rules are to
  // be dropped answers false.
  virtual bool ShowsRules() { return true; }
  // The stamp Start chose: the document's own, or a random one for a
  // document without one.
  int32_t DocumentStamp() const { return documentStamp_; }
  // The pictures of the wide-table scroll marks that Start loads: the
  // table mark, the left mark and the right mark (null when one could not
  // be loaded; without all three no table scrolls).
  static constexpr uint32_t kScrollMarkCount = 3;
  InlineObject* ScrollMarkPicture(uint32_t i) const { return i < kScrollMarkCount ? scrollMarks_[i] : nullptr; }
  bool HasScrollMarkPictures() const;
  void SetLineSpacing(int32_t quarters) { lineSpacing_ = quarters; }
  void SetPageRect(const Rect& rect);
  void SetColumnCount(int32_t n);  // kept between 1 and 4
  void SetMargins(int32_t left, int32_t top, int32_t right, int32_t bottom, bool kept);
  void Relayout();
  bool Start();
  void SetRedrawSink(RedrawSink* sink) { sink_ = sink != nullptr ? sink : &noSink_; }

  // ---- Navigation; each answers true on success. The page shown is
  // hidden first; on success the sink hears PageChanged, on failure the
  // page is shown again.
  bool GoToPage(uint32_t n);
  bool StepPage(uint32_t position, int32_t step);
  bool StartPageAt(uint32_t position);
  bool GoToPosition(uint32_t position);
  // Pages forwards until the current page reaches the range's start.
  bool AdvanceToPosition(uint32_t start, uint32_t end);
  // Moves on from the page `step` pages after the current one: to the
  // first page that starts at or after that page's first line whose top
  // lies at least `offset` below the page rectangle's top, or one page on
  // when no later line is that low.
  bool ScrollToLine(int32_t offset, int32_t step);

  // ---- Queries.
  uint32_t GetCurrentPosition();
  uint32_t GetPagePosition(int32_t step);
  int32_t GetCurrentPageNumber();
  int32_t GetPageCount();
  int32_t GetCurrentPageLength();
  uint32_t GetFirstPagePosition() const { return firstKnown_ ? first_.start : kNoPosition; }
  uint32_t GetDocumentLength() const;
  // The replay marks kept for saving page states (see below).
  uint32_t ReplayMarkCount() const { return replayMarkCount_; }
  int32_t EstimateCharsPerPage() const;
  int32_t EstimatePageNumber(uint32_t position) const;
  uint32_t EstimatePagePosition(uint32_t n) const;
  bool CanStep(int32_t step);
  virtual bool SameUnit(uint32_t a, uint32_t b);
  const LayoutPosition& LastPage() const { return lastPage_; }

  // ---- Geometry.
  void GetContentRect(Rect* out) const { *out = inner_; }
  const Rect& PageRect() const { return pageRect_; }
  const Rect& Column(uint32_t i) const { return columns_[i < kMaxColumns ? i : 0]; }
  uint32_t ColumnCount() const { return columnCount_; }
  int32_t GetColumnGap(uint32_t count) const;
  int32_t FindColumn(const Point& point, Rect* out) const;

  // ---- Page buffers and memory.
  // The buffer of the current page when it holds a laid-out page (nothing
  // is built); null otherwise.
  LaidOutPage* ShownPage();
  // The laid-out current page (built when needed); null when it cannot be.
  LaidOutPage* GetCurrentPage();
  bool ReleaseMemory();
  void Invalidate(uint32_t mode);
  void ReleasePageBuffer(LaidOutPage* page);
  void DropOtherPageBuffers(uint32_t key);
  // Releases every buffer and resets every cached frame but the one at
  // key (and the current one when key is not cached: *currentReset 0).
  void KeepOnlyFrame(uint32_t key, int32_t* currentReset);
  // The buffer of the page at a position gets a state (0 never shown, 1
  // shown, 2 hidden); the old state, or -1 when no buffer shows it.
  int32_t SetPageState(uint32_t position, uint8_t state);
  // The page height that shows the whole current page at width w.
  void FitPageHeight(const Size& size, Size* out);

  // ---- Frames.
  PageFrame* FindFrame(uint32_t position, int32_t step, uint32_t* answer = nullptr);
  PageFrame* CurrentFrame() { return FindFrame(currentKey_, 0); }
  void SetCurrentFrame(const PageFrame* frame) { currentKey_ = frame->start; }
  bool AddFrame(PageFrame& frame);
  bool EnsureFrame(LayoutPosition* key, bool resync);
  uint32_t CachedFrameCount() const { return cacheCount_; }
  const PageFrame* CachedFrame(uint32_t i) const { return i < cacheCount_ ? cache_[i] : nullptr; }

  // ---- Page building.
  bool FindFirstPage();
  bool BuildPageAt(uint32_t position, bool probe);
  // Lays out the page after the current one ahead of time (both frames
  // known); false when it is not known or cannot be built.
  bool PrepareNextPage();
  bool BuildPage(LaidOutPage* page, PageFrame* next, bool* more, bool probe);
  bool FindPreviousLine(const PageFrame& frame, PageFrame** out, bool* crossed);
  // Counted tokens read on after the first page was found, for the
  // LOGHOST tags that follow it (each LOGHOST gives the small budget
  // again).
  static constexpr int32_t kFirstPageBudget = 100;
  static constexpr int32_t kLogHostBudget = 8;
  bool FindPreviousPage(const PageFrame& target, PageFrame** out);
  // Where a position falls on a laid-out page, in 1/256 of its columns'
  // height; false when the store is empty or the position is not on it.
  bool PageFraction(LayoutItemStore* store, uint32_t position, int32_t* out);
  LaidOutPage* PageBuffer(uint32_t i) { return &pages_[i & 1]; }
  LaidOutPage* FindPageBuffer(uint32_t start);

  // ---- Painting (layout/render/). The context's own renderer draws its
  // pages onto its surface; the wide tables of the shown page scroll
  // inside their viewports.
  PageRenderer& Renderer() { return renderer_; }
  // The wide tables of the shown page: their states are the current
  // frame's, the marks the pictures Start loaded, the room the page's
  // margins and columns.
  WideTables& Tables();
  // The display manager whose page image a paint may copy (null: none).
  void SetDisplayManager(DisplayManager* display) { display_ = display; }
  // The page at a position (kNoPosition: the current one); false when
  // there is none or painting stopped early.
  bool PaintPage(uint32_t flags, uint32_t position) { return renderer_.PaintPage(flags, position); }
  // Lays the current page out when needed, then copies the display
  // manager's image of it or paints it; on success the page is shown.
  bool PaintCurrentPage(uint32_t flags);
  bool NeedsRepaint(bool obscured);
  void RepaintObjects() { renderer_.RepaintObjects(); }
  // Lays the next page out ahead of time (no off-screen image is granted
  // in this system, so nothing is painted ahead).
  bool PrerenderNextPage();
  // The next paint draws the page instead of copying its image.
  void InvalidatePageImage();
  // After each paint of a page, inside its drawing pass: the focus frame
  // of the current link and the selection's highlight drawn again.
  void PaintFocusAndSelection(LaidOutPage* page);
  // Calls the visitor with each object placed on the current page, a
  // reference held during the call; stops when the context is destroyed,
  // the current page changes or loses its items during a call. Nothing
  // when the current page cannot be laid out.
  using PageObjectVisitor = void (*)(LayoutContext* context, InlineObject* object, void* argument);
  void ForEachPageObject(PageObjectVisitor visitor, void* argument);
  void ForEachObject(PageObjectVisitor visitor, void* argument) { ForEachPageObject(visitor, argument); }

  // ---- Wide tables of the shown page (layout/widetables/).
  // which: a table position, WideTables::kAllSelected (-1) or
  // kSelectedOrAll (-2). Live: scrolled on the screen at once. True when
  // an offset changed; `out` (may be null) the changed viewports.
  bool ScrollTables(Point delta, bool live, Rect* out, int64_t which);
  // The scrolled table under the point: its position, and whether it is
  // selected.
  bool FindTableAt(Point point, uint32_t* position);
  // Every table's next drag starts from its offsets in use.
  void ResetTableScroll();
  void ToggleTableSelection(int64_t position);
  // After a scroll the link areas and the highlight area are stale: both
  // are emptied (the areas are built again at the next paint).
  void ClearHighlight();

  // ---- Reading position and current link (layout/position/).
  // The stamp that ties a saved page state to this document, for a caller
  // that knows it better than GetDocumentStamp; Start then keeps it.
  void SetDocumentStamp(uint32_t stamp) {
    documentStamp_ = static_cast<int32_t>(stamp);
    stampSetByCaller_ = true;
  }
  // What the styles of restored open elements are derived from (not owned;
  // null: plain defaults).
  void SetStyleBase(const DefaultStyle* defaults, const ElementStyle* base) {
    styleDefaults_ = defaults;
    styleBase_ = base;
  }
  // The current page's state as an "EBVS" chunk, and its position record.
  // False when there is no current page or the stream ran out of memory.
  bool SaveState(LayoutPosition* out, ByteStream* stream);
  // Shows the page of a saved state again: a cached page at the position,
  // else the chunk's state (a page that starts inside a table starts inside
  // it again), else a page laid out from the position record.
  bool RestoreState(const LayoutPosition& position, ByteStream* stream);
  // The current link: the index of a link area of the shown page, -1 none.
  int32_t GetPageFirstLink();
  int32_t GetCurrentLinkIndex() { return GetPageFirstLink(); }
  // Clamps n to the last area (once the areas are built; -1 stays), and
  // moves the focus frame from the old area to the new one on a painted
  // page; with reveal the areas' controls take and drop the focus.
  void SetCurrentLink(int32_t n, bool remember, bool reveal);
  void RestoreRememberedLink();

  // ---- Link areas of the shown page (layout/selection/): built once
  // after the page's first paint, in page order, kept until the page
  // buffer goes or ClearLinkAreas.
  // The shown page's areas, built when they can be; false without a
  // shown page.
  bool GetLinkAreas(ShapeAreaArray** out);
  // Builds the shown page's areas when not built; false without a painted
  // shown page or on lack of memory (the list then empty).
  bool BuildLinkAreas();
  // The first area (in list order) whose shape, grown by the tolerance,
  // holds the point: its index and the area (may be null); -1 for none.
  int32_t GetLinkAreaAt(Point point, int32_t tolerance, const ShapeArea** area = nullptr);
  const ShapeArea* LinkArea(int32_t n);
  // The area a form control owns; -1 for none.
  int32_t FindLinkAreaOfElement(const InlineObject* element);
  // Areas that carry an action, and the first after / last before n that
  // carries one (-1 none).
  int32_t CountLinks();
  int32_t NextLinkIndex(int32_t n);
  int32_t PreviousLinkIndex(int32_t n);
  // How many link areas the shown page has (0 until they are built).
  int32_t LinkAreaCount() const;
  void ClearLinkAreas();
  // Appends to the shown page's areas one whose action runs a script, or
  // shows a tip (the script display_tip("text",number)). False without a
  // shown page or on lack of memory.
  bool AddScriptArea(const Rect& rect, const char* script);
  bool AddTipArea(const Rect& rect, const SharedWideString& text, int32_t number);

  // ---- The selection of the shown page (layout/selection/). Without a
  // shown page each does nothing and answers false or empty.
  PageSelection* Selection();
  bool HasNoSelection();
  // The word under the point becomes the anchor or the focus; the
  // highlight is redrawn.
  bool SelectAt(Point point, bool anchor);
  // The caret becomes the anchor or the focus; with redraw the highlight
  // follows at once.
  void SetSelectionEnd(bool anchor, bool redraw);
  bool MoveCaret(int32_t direction);
  // Builds the selection's area; with redraw draws the change at once.
  bool RebuildHighlight(bool redraw);
  // Nothing selected, the highlight erased, the caret at the page start.
  void ClearSelectionHighlight();
  void FlashSelection();
  bool GetHighlightBounds(Rect* out);
  bool GetHighlightAnchorPoint(Point* out);
  void GetSelectionRange(uint32_t* start, uint32_t* end);
  // Limited to the first 50 words unless GetLookupKind() is 2.
  bool GetSelectedText(SharedWideString* out, uint16_t* language);
  bool GetSelectionTextByUnit(SharedWideString* out, uint32_t units);
  // The first words of the shown page.
  bool GetLookupWord(SharedWideString* out);
  // True at the first object inside the selection that takes the address.
  bool OfferToSelectedObjects(const WCHAR* address);
  // The kind of look-up the document offers (2: a selection is copied
  // whole); the view's document answers, 0 by default.
  virtual int32_t GetLookupKind() { return 0; }

  ElementStream* Stream() const { return stream_; }
  const TextFont& Font() const { return font_; }
  const TextStyle& BaseStyle() const { return baseStyle_; }
  Color BaseTextColor() const { return baseTextColor_; }
  Color BaseBackground() const { return baseBackground_; }
  int32_t DefaultAlignment() const { return defaultAlignment_; }
  int32_t BaseFontSize() const { return font_.baseSize; }

 protected:
  // Prepares a frame at a position: the stream restarted there.
  virtual bool LayOutPageAt(LayoutPosition* key, PageFrame* frame, bool resync);

 private:
  class Feed;
  friend class Feed;

  void ComputeColumns();
  bool NextToken(uint32_t* position);
  bool ReadItems(FlowPair* pair);
  bool SaveStreamState(PageFrame* frame);
  bool RestoreStreamState(PageFrame* frame);
  // Leaves the stream at the start, cleared, between builds.
  void ParkStream();
  uint32_t NextStamp() { return stamp_++; }
  LaidOutPage* PickPageBuffer();
  bool FlowPage(FlowPair* pair, FlowSpace* space, LayoutCursor* cursor, bool* more, bool probe);
  bool FlowBlock(FlowPair* pair, FlowSpace* space, LayoutCursor* cursor, bool atTop, bool probe);
  bool FinishPage(FlowPair* pair, LayoutCursor* cursor);
  bool PrepareFrameAt(uint32_t position, bool resync, PageFrame* frame);
  bool AcceptPreviousPage(const PageFrame& target, LaidOutPage* page, PageFrame* trial, bool hasNext,
                          PageFrame* following, PageFrame** out);
  PageFrame* NewCacheSlot();
  PageFrame* CurrentFrameNoStamp();
  void RemeasureFrame(PageFrame* frame);
  bool MakeCurrent(PageFrame* frame);

  template <class Step>
  bool Navigate(Step step);
  bool GoToPageNow(uint32_t n);
  bool StepPageNow(uint32_t position, int32_t step);
  bool StartPageAtNow(uint32_t position);
  bool GoToPositionNow(uint32_t position);
  bool ScrollToLineNow(int32_t offset, int32_t step);

  RedrawSink noSink_;
  RedrawSink* sink_ = &noSink_;
  ElementStream* stream_ = nullptr;
  Document* document_ = nullptr;
  LayoutItemBuilder* builder_ = nullptr;
  BookParameterFile* annotations_ = nullptr;
  OfflineFormLog* formLog_ = nullptr;
  bool collectLogHosts_ = true;
  int32_t documentStamp_ = -1;
  InlineObject* scrollMarks_[kScrollMarkCount] = {};  // counted references
  RandomGenerator random_;
  TextFont font_;
  int32_t lineSpacing_ = 0;
  TextStyle baseStyle_;
  Color baseTextColor_;
  Color baseBackground_;
  int32_t defaultAlignment_ = 0;
  ParagraphFormat baseFormat_;

  Rect pageRect_;
  Rect inner_;
  Rect columns_[kMaxColumns];
  uint8_t columnCount_ = 1;
  int32_t marginTop_ = 0;
  int32_t marginLeft_ = 0;
  int32_t marginRight_ = 0;
  int32_t marginBottom_ = 0;
  uint8_t marginMode_ = 0;  // 0 none, 1 from BODY or set, 2 set and kept

  uint32_t currentKey_ = 0;
  PageFrame first_;
  bool firstKnown_ = false;
  LayoutPosition lastPage_;
  PageFrame* cache_[kMaxCachedFrames] = {};
  uint32_t cacheCount_ = 0;
  uint32_t stamp_ = 0;
  LaidOutPage pages_[2];
  bool lastPageEndedAtBreak_ = false;  // the page built last ended at a page break
  TableWidthCache tableWidths_;        // a table continued on the next page keeps its columns
  bool stampSetByCaller_ = false;
  const DefaultStyle* styleDefaults_ = nullptr;
  const ElementStyle* styleBase_ = nullptr;
  int32_t rememberedLink_ = -1;
  PageRenderer renderer_{this};
  WideTables tables_;
  InlineObjectMark markPictures_[kScrollMarkCount];
  DisplayManager* display_ = nullptr;
  bool* alive_ = nullptr;  // cleared by the destructor during a visit

  // Replay marks: states that the replay from the first page passed
  // through (stream state, open elements, styles, an empty item store),
  // with the stream position each was reached at, in order, at least
  // replaySpacing_ bytes apart. Saving the state of a page far into the
  // document reads on from the last mark before the page instead of from
  // the first page. A full list keeps every other mark and doubles the
  // spacing. Forgotten with the first page's state, whenever the pages are
  // laid out anew, and when memory is short.
  struct ReplayMark {
    uint32_t reached;
    PageFrame* frame;  // owned
  };
  static constexpr uint32_t kMaxReplayMarks = 1024;
  static constexpr uint32_t kReplayMarkSpacing = 2048;
  ReplayMark replayMarks_[kMaxReplayMarks] = {};
  uint32_t replayMarkCount_ = 0;
  uint32_t replaySpacing_ = kReplayMarkSpacing;

  bool ReplayToStart(uint32_t start, PageFrame* out);
  void NoteReplayMark(PageFrame* frame);
  void ForgetReplayMarks();
  bool BuildPageLinkAreas(LaidOutPage* page);
  void PaintLinkFocus(LaidOutPage* page, int32_t n);
  void ShowLinkFocus(bool show, const ShapeArea* area);
  bool ReplayOpenTable(PageFrame* frame);
};

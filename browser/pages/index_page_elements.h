// The page elements the document view shows in place of the reading text
// when a page asks for an index, a look-up query, the word list, the search
// history, a picture or the audio page. The interactive page elements (a
// later subsystem) implement them and install a maker at start; without
// one the view can make none, and the requests and fragments that need
// them fail.
//
// Every element is at once a page element (its kind, its saved state) and
// an element of the view's tree; the view owns it and deletes it through
// either face. Tables, query results and record sources given to an
// element are counted: the element takes a reference of its own.
#pragma once

#include <cstdint>

#include "foundation/wide_string/shared_wide_string.h"
#include "layout/elements/ui_element.h"
#include "layout/reading/page_element.h"
#include "layout/drawing/color.h"

class DocumentView;
class DrawingSurface;
class IndexQueryResult;
class IndexTable;
class InlineImage;
class RecordSource;
class ViewApplication;
struct RecordPosition;
struct ViewLinkRequest;

class ViewPageElement : public PageElement, public UIElement {
 public:
  ~ViewPageElement() override = default;
  UIElement* AsElement() { return this; }
};

// Page element kind 2: a list over an index table (with a key table that
// selects among its entries) or over the result of a look-up query, with an
// edit field whose text searches it.
class IndexWidget : public ViewPageElement {
 public:
  int32_t GetKind() override { return 2; }
  virtual void SetIndexTable(IndexTable* table) = 0;
  virtual void SetTables(IndexTable* table, IndexTable* keyTable, uint32_t entryWord) = 0;
  virtual void SetTablesAndSelect(IndexTable* table, IndexTable* keyTable, uint32_t entryWord, int32_t entry) = 0;
  virtual void SetRecordSource(IndexQueryResult* result, const SharedWideString* entryTemplate,
                               const SharedWideString& query) = 0;
  virtual void SetRecordSetName(const SharedWideString& name) = 0;
  // Sets the edit field's text, which runs the search.
  virtual void SetQueryText(const SharedWideString& text) = 0;
  virtual void SetModes(bool ideogram, uint32_t flags) = 0;
  virtual void SetBullet(int32_t code, int32_t flag) = 0;
  // The entry template holds "%%%" between levels, the key template "%key".
  virtual void SetEntryTemplate(const SharedWideString& text) = 0;
  virtual void SetKeyTemplate(const SharedWideString& text) = 0;
  virtual void SetAnchorPosition(int32_t position) = 0;
  // Enables the widget's input context; with composition the input panel's
  // composition window is placed over its edit field.
  virtual void EnableInput(bool composition) = 0;
};

// Page element kinds 4 (the word list) and 5 (the search history): a list
// of saved records with a caption and a status line.
class VocabularyListElement : public ViewPageElement {
 public:
  virtual void SetRecordSource(RecordSource* source, const RecordPosition& start) = 0;
  // A string of the string table as the caption; -1 for none.
  virtual void SetCaptionById(int32_t stringId) = 0;
  // The word list adds the request's word.
  virtual void SetLinkRequest(const ViewLinkRequest& request) = 0;
  // The position of the request's word among the records (past the end
  // when it is not there).
  virtual RecordPosition FillRowFromRecords(const ViewLinkRequest& request, RecordSource* records) = 0;
  // The row of the request's word, -1 when absent; FillRow adds it.
  virtual int32_t FindWord(const ViewLinkRequest& request) = 0;
  virtual int32_t FillRow(const ViewLinkRequest& request) = 0;
  virtual void RefreshRows(int32_t first, int32_t last) = 0;
  virtual bool IsEmpty() = 0;
  // The title the element gives its record source.
  virtual void GetTitle(SharedWideString* title) = 0;
};

// Page element kind 3: a picture of the document shown on its own.
class ImageViewElement : public ViewPageElement {
 public:
  int32_t GetKind() override { return 3; }
  // True when the element cannot use the picture.
  virtual bool SetImage(InlineImage* image) = 0;
  virtual void SetBackground(Color color) = 0;
  virtual void SetAnchorPosition(int32_t position) = 0;
};

// Page element kind 6: the audio page.
class MediaPlayerElement : public ViewPageElement {
 public:
  int32_t GetKind() override { return 6; }
  virtual bool IsAvailable() = 0;
  // Asks the application to open the address.
  virtual void SetSource(const SharedWideString& address) = 0;
  virtual void SetAnchorPosition(int32_t position) = 0;
};

class IndexPageElementMaker {
 public:
  // Each new element is owned by the caller; null when it cannot be made.
  virtual IndexWidget* MakeIndexWidget(DocumentView* view, ViewApplication* application,
                                       DrawingSurface* surface) = 0;
  virtual VocabularyListElement* MakeWordList(DocumentView* view, ViewApplication* application,
                                              DrawingSurface* surface) = 0;
  virtual VocabularyListElement* MakeSearchHistory(DocumentView* view, ViewApplication* application,
                                                   DrawingSurface* surface) = 0;
  virtual ImageViewElement* MakeImageView(DrawingSurface* surface, ViewApplication* application) = 0;
  virtual MediaPlayerElement* MakeMediaPlayer(DrawingSurface* surface, DocumentView* view) = 0;
  // The main view's look-up history as a record source (counted for the
  // caller), or null.
  virtual RecordSource* OpenLookupHistory() = 0;

 protected:
  ~IndexPageElementMaker() = default;
};

// The maker the page elements installed (null: none, or uninstalled).
void InstallIndexPageElementMaker(IndexPageElementMaker* maker);
IndexPageElementMaker* GetIndexPageElementMaker();

// The objects a "$" fragment names, made into the view's page element: a
// picture record of the book ("$" and its number), an index or query list,
// the word list or the search history of the word-list database, or the
// audio page. Fragments come from links and history: a name that is not
// understood, or that names a table outside 0 to 0xFFFE, makes nothing and
// fails.
#include <new>

#include "browser/host/view_preferences.h"
#include "browser/pages/index_page_elements.h"
#include "browser/pages/index_request_values.h"
#include "browser/pages/page_object_names.h"
#include "browser/view/document_view.h"
#include "browser/view/document_view_index_requests.h"
#include "browser/host/view_application.h"
#include "index/books/index_requests.h"
#include "index/database/database.h"
#include "index/dbscript/database_record_set.h"
#include "index/dbscript/word_list_table.h"
#include "layout/objects/inline_image.h"
#include "layout/objects/picture_loading.h"
#include "storage/documents/document_host.h"

namespace {

constexpr uint32_t kNoTable = 0xFFFF;

const SharedWideString* NonEmpty(const SharedWideString& text) { return text.IsEmpty() ? nullptr : &text; }

}  // namespace

bool DocumentView::OpenObjectFragment(const SharedWideString& fragment, int32_t record, const SharedWideString& name,
                                      UIElement** element, bool* repaint) {
  (void)fragment;  // the caller keeps it as the location's fragment
  *element = nullptr;
  IndexPageElementMaker* maker = GetIndexPageElementMaker();
  const bool database = source_ && source_->GetSourceKind() == DocumentSource::kObjectDatabaseKind;
  SharedWideString written;  // what the makers write: the caller keeps the fragment as it came
  PageElement* made = nullptr;

  if (record >= 0) {
    ImageViewElement* picture = maker != nullptr ? maker->MakeImageView(surface_, controller_) : nullptr;
    if (picture == nullptr) return false;
    InlineImage* image = LoadInlineImage(source_.Get(), record, 0);
    const bool refused = picture->SetImage(image);
    if (image != nullptr) image->Release();  // the element keeps its own
    if (refused) {
      delete picture;
      if (controller_ != nullptr) controller_->ShowMessage(kNoCaption, kStringImageMemory, kMessageError);
      return false;
    }
    picture->SetBackground(preferences_ != nullptr ? preferences_->GetBackgroundColor() : Color());
    picture->SetAnchorPosition(static_cast<int32_t>(CurrentPagePosition()));
    *repaint = true;
    made = picture;
  } else {
    IndexObjectName index;
    SqlObjectName sql;
    int32_t language = -1;
    if (ParseIndexObjectName(name, &index)) {
      // A bare name opens the book's default index.
      if ((index.table != -1 && !IsTableNumber(index.table)) ||
          (index.keyTable != -1 && !IsTableNumber(index.keyTable))) {
        return false;
      }
      const bool withKey = index.keyTable != -1;
      made = CreateIndexWidget(index.table == -1 ? kNoTable : static_cast<uint32_t>(index.table), &written, 0,
                               index.ideogram, NonEmpty(index.searchText),
                               withKey ? static_cast<uint32_t>(index.keyTable) : kNoTable,
                               withKey ? static_cast<uint32_t>(index.keyTag) : 0, nullptr, nullptr, nullptr, nullptr,
                               withKey ? index.entry : -1);
    } else if (ParseSqlObjectName(name, &sql)) {
      made = OpenQueryResult(sql.query, nullptr, sql.iconId, sql.markAllRows ? 1 : 0, &written,
                             NonEmpty(sql.recordSetName), 0);
    } else if (IsWordListObject(name, &language)) {
      if (language < 0 || language > 0xFFFF || !database) return false;
      Database* words = static_cast<Database*>(source_.Get());
      const int32_t table = OpenWordListTable(words, static_cast<uint32_t>(language), false);
      if (table < 0) return false;
      DatabaseRecordSet* records = new (std::nothrow) DatabaseRecordSet(words, table);
      if (records == nullptr) return false;
      made = CreateWordListElement(kElementWordList, records, &written, static_cast<uint32_t>(language), -1,
                                   RecordPosition::Of(RecordPosition::kPastEnd), nullptr);
      records->Release();
    } else if (IsSearchHistoryObject(name)) {
      if (!database) return false;
      made = ExecuteSearchHistoryRequest(this, &written);
    } else if (IsAudioType(name)) {
      MediaPlayerElement* player = maker != nullptr ? maker->MakeMediaPlayer(surface_, this) : nullptr;
      if (player != nullptr && !player->IsAvailable()) {
        delete player;
        player = nullptr;
      }
      made = player;
    }
    if (made == nullptr) return false;
    if (layout_ != nullptr && made->GetKind() == kElementIndexWidget) {
      static_cast<IndexWidget*>(made)->SetAnchorPosition(static_cast<int32_t>(CurrentPagePosition()));
    }
  }
  documentElement_ = made;
  *element = static_cast<ViewPageElement*>(made)->AsElement();
  return true;
}

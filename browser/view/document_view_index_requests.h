// The request kinds of the document view that show a list instead of the
// reading text: index searches, look-up queries, the word list, the search
// history, and the audio page. Each reads its arguments, makes the element
// through the view and answers it (the view then keeps and focuses it), or
// null when the request fails; references taken are released on every
// path and an element that is not kept is destroyed.
#pragma once

#include "browser/view/script_request.h"
#include "foundation/wide_string/shared_wide_string.h"

class DocumentView;
class PageElement;

// "index_search", "filtered_index_search", "cond_index_search" and
// "ideogram_search".
PageElement* ExecuteIndexSearchRequest(DocumentView* view, const ScriptRequest& request, SharedWideString* fragment);
// "sql_search" and "sql_bullet_search".
PageElement* ExecuteQueryRequest(DocumentView* view, const ScriptRequest& request, SharedWideString* fragment);
// "display_wordlist", "add_to_wordlist" and "add_entry_to_wordlist".
PageElement* ExecuteWordListRequest(DocumentView* view, const ScriptRequest& request, SharedWideString* fragment);
// "display_search_history".
PageElement* ExecuteSearchHistoryRequest(DocumentView* view, SharedWideString* fragment);
// "show" on the audio object.
PageElement* ExecuteAudioRequest(DocumentView* view, const ScriptRequest& request, SharedWideString* fragment);

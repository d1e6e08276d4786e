// Building a script page for the document loader: compile the page the
// book's link names, run it in the book's session until it pauses or ends,
// follow its redirects, and answer the page's document source.
#pragma once

#include <cstdint>

#include "foundation/wide_string/shared_wide_string.h"
#include "script/pages/script_page_document.h"
#include "storage/sources/document_source.h"

class ScriptAppEnvironment;
class ScriptErrorReporter;
class ScriptPageEnvironment;
class ScriptValueStore;

// What a script page needs of the loader that builds it (the browser's
// document loader).
class ScriptPageLoader {
 public:
  virtual ScriptValueStore* GetValueStore() = 0;
  virtual ScriptAppEnvironment* GetEnvironment() = 0;
  // Where the loader keeps its page environment: made by the first page,
  // deleted with the loader.
  virtual ScriptPageEnvironment** PageEnvironmentSlot() = 0;
  // Shows a message of the string table (the loader's message box).
  virtual void ShowMessage(int32_t stringId) = 0;
  // Resolves a redirect's target against the page's address; false when it
  // does not parse.
  virtual bool ResolveAddress(const SharedWideString& base, const SharedWideString& target,
                              SharedWideString* resolved) = 0;
  // The strings of error texts (may be null) and the layout contexts of
  // the pages' parsers.
  virtual ScriptErrorReporter* GetErrorReporter() = 0;
  virtual ScriptPageLayoutMaker* GetLayoutMaker() = 0;

 protected:
  ~ScriptPageLoader() = default;
};

// String of the message shown when the page environment cannot be made.
inline constexpr int32_t kScriptPageNoMemoryString = 5034;
// Redirects of a page to itself (another query) followed at most; the page
// then ends with an error text.
inline constexpr int32_t kMaxScriptPageRestarts = 16;

// Builds the page that `link` names in the book of `bookSource` (whose
// address is `bookAddress`) for the page address *pageAddress (with its
// query). Answers the page's source (counted for the caller) or null. A
// redirect rewrites *pageAddress and sets *redirected; a redirect to
// another page answers null, and the loader loads that page instead.
DocumentSource* BuildScriptPage(ScriptPageLoader* loader, SharedWideString* pageAddress,
                                DocumentSource* bookSource, const SharedWideString& bookAddress,
                                const InnerLink& link, bool* redirected);

// The address without its query (and fragment).
void AddressWithoutQuery(const SharedWideString& address, SharedWideString* out);

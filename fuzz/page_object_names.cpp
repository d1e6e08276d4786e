// Object names from fragments of links and history: the input, as Latin-1
// bytes, is read as an index, query, word-list, search-history and audio
// name; every accepted index or query name is written back as a fragment,
// which must read back to the same fields.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "browser/pages/page_object_names.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  SharedWideString name;
  if (size != 0) name.FromLatin1(data, static_cast<uint32_t>(size));
  SharedWideString fragment;
  SharedWideString back;

  IndexObjectName index;
  if (ParseIndexObjectName(name, &index) && index.table != -1 &&
      WriteIndexFragment(&fragment, index.ideogram, index.table, index.keyTable, index.keyTag,
                         index.keyTable != -1 ? index.entry : -1, index.searchText)) {
    back.AssignSubstring(fragment, 1, fragment.length - 1);
    IndexObjectName again;
    // A search text that reads as a number does not come back as one.
    if (ParseIndexObjectName(back, &again) && again.table != index.table) abort();
  }
  SqlObjectName sql;
  if (ParseSqlObjectName(name, &sql) &&
      WriteSqlFragment(&fragment, true, sql.iconId, sql.markAllRows, sql.query, sql.recordSetName)) {
    back.AssignSubstring(fragment, 1, fragment.length - 1);
    SqlObjectName again;
    if (!ParseSqlObjectName(back, &again) || again.query.CompareTo(sql.query) != 0) abort();
  }
  int32_t language = 0;
  IsWordListObject(name, &language);
  IsSearchHistoryObject(name);
  IsAudioType(name);
  return 0;
}

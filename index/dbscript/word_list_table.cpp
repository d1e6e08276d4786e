// Word-list tables (see word_list_table.h).
#include "index/dbscript/word_list_table.h"

#include "foundation/language/language_tag.h"
#include "index/database/database.h"
#include "platform/files/files.h"

namespace {

struct WordListColumn {
  const char16_t* name;
  int32_t type;
};

constexpr WordListColumn kColumns[] = {
    {u"orth", kColumnString},      {u"dict", kColumnPooledString}, {u"icon", kColumnByte},
    {u"formatted", kColumnString}, {u"ent", kColumnUnsigned},       {u"shortid", kColumnString},
};

}  // namespace

bool WordListTableName(uint32_t language, SharedWideString* name) {
  uint32_t length = 0;
  const WCHAR* tag = LcidToLanguageTag(static_cast<uint16_t>(language & 0xFFFF), &length);
  name->Clear();
  return tag != nullptr && length != 0 && name->AppendChars(u"wl_", 3) && name->AppendChars(tag, length);
}

int32_t OpenWordListTable(Database* database, uint32_t language, bool addColumns) {
  SharedWideString name;
  if (database == nullptr || !WordListTableName(language, &name)) return -1;
  int32_t table = database->FindTable(name);
  if (table < 0) table = database->CreateTable(name);
  if (table < 0 || !addColumns) return table;
  ObjectTable* columns = database->GetTable(table);
  if (columns == nullptr) return -1;
  for (const WordListColumn& column : kColumns) {
    const SharedWideString columnName(column.name);
    if (columns->FindColumn(columnName) >= 0) continue;
    if (columns->AddColumn(columnName, column.type) < 0) return -1;
  }
  return table;
}

bool IsDatabaseReadOnly(const Database* database) {
  if (database == nullptr || database->Path() == nullptr) return false;
  const DWORD attributes = GetFileAttributesW(database->Path());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

// The program's string table: every user-visible text by identifier. English
// texts sit under 5002-5466, French ones under the same identifier plus 1000
// (the texts themselves are in strings_en.inc and strings_fr.inc), followed by
// the fixed identifiers: 20000 is the main window's title. The title is the
// product name in both languages; it is stored under 21000 as well so that a
// load through the French offset finds it too.
#include "resources/string_table.h"

namespace {

const StringTableEntry kEntries[] = {
#include "resources/strings_en.inc"
#include "resources/strings_fr.inc"
    {20000, u"Corvelline Reader"},
    {21000, u"Corvelline Reader"},
};

}  // namespace

const StringTableEntry* ProgramStringTable(size_t* count) {
  *count = sizeof(kEntries) / sizeof(kEntries[0]);
  return kEntries;
}

// Placeholder until the texts are collected.
#include "resources/string_table.h"

const StringTableEntry* ProgramStringTable(size_t* count) {
  static const StringTableEntry entries[] = {{20000, u"tessalyn"}};
  *count = 1;
  return entries;
}

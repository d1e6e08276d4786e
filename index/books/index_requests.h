// What a page asks of a book's indexes when it opens an index widget, a
// query widget or the index entry of the page it shows: tables by number
// or by property name, the entry a condition selects in a sub-table, the
// result of a look-up query, and the index entry that holds a text
// position. Every answer is counted for the caller (or null).
#pragma once

#include <cstdint>

#include "foundation/wide_string/shared_wide_string.h"

class Document;
class DocumentSource;
class IndexQueryResult;
class IndexTable;

// The table number that stands for the book's default index.
constexpr int32_t kDefaultIndexTableNumber = 0xFFFF;

// "special_table=default" for kDefaultIndexTableNumber, else "tableid=" +
// number, opened through the source; null unless it is an index table.
IndexTable* OpenIndexTableByNumber(DocumentSource* source, int32_t number);

// The table named by an index property (kind 4): the low 16 bits of its
// position. False when the document has none of that name.
bool FindIndexTableNumber(Document* document, const SharedWideString& name, int32_t* table);
// A sub-table property (kind 5) inside the table: its number (the low 16
// bits of its position) and its entry word (its length).
bool FindSubTable(Document* document, const SharedWideString& name, int32_t table, int32_t* subTable,
                  int32_t* entryWord);

// The entry a condition selects in a sub-table: the number of the entry
// whose key it is, or the sub-table's entry count when it is no key (past
// the last entry). The sub-table's tie-break switch is on for the look-up
// when its header asks for it, and off after.
int32_t SelectConditionEntry(IndexTable* subTable, const SharedWideString& condition);

// A new result of the look-up query over the source's tables; null when the
// query does not translate or memory runs out.
IndexQueryResult* RunIndexQuery(DocumentSource* source, const SharedWideString& query);

// The index entry of a text position: "table=" + name opened through the
// source, and a new result over that table standing on the entry whose
// range holds the position (a book's answer; other documents give none).
IndexQueryResult* OpenPositionRecordSource(DocumentSource* source, const SharedWideString& tableName,
                                           uint32_t position);

// IndexQueryTranslator: turns a look-up query of the small SQL-like language
// ("select * from words where orth like 'ab%'") into the tree of an
// IndexQueryResult. The query is rewritten into an expression of the script
// language (like becomes ">>>", and "&&", ...), compiled with the script
// compiler without being run, and the compiled instructions are walked,
// each comparison and logical operator calling the result's builders.
// Tables named in the query are opened through the document source that
// issued it.
#pragma once

#include <cstdint>

#include "foundation/wide_string/shared_wide_string.h"

class DocumentSource;
class IndexQueryResult;
class IndexQueryResultPtr;
class IndexTable;

enum IndexQueryStatus : int32_t {
  kQueryOk = 0,
  kQueryCannotCreate = 1,
  kQuerySyntaxError = 19,    // "Error: Syntax error in SQL request"
  kQueryUnknownObject = 20,  // "Error: Unknown object (table or column) referenced in SQL request"
};

class IndexQueryTranslator {
 public:
  explicit IndexQueryTranslator(DocumentSource* owner);
  ~IndexQueryTranslator();
  IndexQueryTranslator(const IndexQueryTranslator&) = delete;
  IndexQueryTranslator& operator=(const IndexQueryTranslator&) = delete;

  // 0, 19 or 20 (IndexQueryStatus).
  int32_t Translate(const SharedWideString& query, IndexQueryResult* result);

  // The rewritten expression of the last Translate (for tests and tools).
  const SharedWideString& Expression() const { return expression_; }

 private:
  struct TableSource {
    SharedWideString source;
    SharedWideString alias;
  };

  int32_t Tokenize(const SharedWideString& query);
  bool AddSource(const SharedWideString& source, const SharedWideString& alias);
  int32_t BindMainTable(IndexQueryResult* result);
  int32_t Walk(IndexQueryResult* result);
  int32_t AddComparisonNode(IndexQueryResult* result, const SharedWideString& left, const SharedWideString& right,
                            bool rightQuoted, int32_t kind);
  // Tables are counted for the caller; null when they cannot be opened.
  IndexTable* ResolveTable(IndexQueryResult* result, const SharedWideString& name);
  IndexTable* OpenSource(const SharedWideString& source);
  int32_t ResolveField(IndexQueryResult* result, const SharedWideString& name);

  DocumentSource* owner_;
  IndexTable* naming_ = nullptr;  // counted, opened on first need
  TableSource* tables_ = nullptr;
  uint32_t tableCount_ = 0;
  uint32_t tableCapacity_ = 0;
  SharedWideString expression_;
};

// Creates a translator for the owner and a new result, translates the query
// into it and hands the result to *out (the old one loses its reference).
// On any failure *out is left null. 1 when nothing could be created, else
// the translator's status.
int32_t RunIndexQuery(const SharedWideString& query, DocumentSource* owner, IndexQueryResultPtr* out);

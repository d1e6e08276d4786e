// The look-up query translator: quoting, the token state machine that writes
// the script expression and the table list, binding the main table, and the
// walk over the compiled instructions that builds the query tree.
#include "index/query/index_query_translator.h"

#include <new>

#include "index/books/book_index_tables.h"
#include "index/query/index_query_result.h"
#include "index/tables/index_entry_reader.h"
#include "index/tables/index_table.h"
#include "platform/memory/allocator.h"
#include "script/bytecode/compiled_script.h"
#include "script/bytecode/instruction_set.h"
#include "script/compiler/compiler.h"
#include "script/compiler/compiler_tokens.h"
#include "script/compiler/scanner.h"
#include "script/values/name_table.h"
#include "storage/sources/document_source.h"

namespace {

constexpr uint32_t kFieldTag = 11;

struct QueryToken {
  int32_t code;  // the scanner's token code
  uint32_t start;
  uint32_t length;
};

bool IsName(const SharedWideString& text, const char* ascii) {
  uint32_t i = 0;
  for (; ascii[i] != 0; ++i) {
    if (i >= text.length || text.Chars()[i] != static_cast<WCHAR>(ascii[i])) return false;
  }
  return i == text.length;
}

bool AppendAscii(SharedWideString* out, const char* ascii) {
  for (uint32_t i = 0; ascii[i] != 0; ++i) {
    const WCHAR c = static_cast<WCHAR>(ascii[i]);
    if (!out->AppendChars(&c, 1)) return false;
  }
  return true;
}

// Stage one: single-quoted texts adapted to the script language's escapes.
bool QuoteForScript(const SharedWideString& query, SharedWideString* out) {
  out->Clear();
  bool inText = false;
  const WCHAR* c = query.Chars();
  for (uint32_t i = 0; i < query.length; ++i) {
    const WCHAR ch = c[i];
    if (!inText) {
      if (ch == u'\'') inText = true;
      if (!out->AppendChars(&ch, 1)) return false;
      continue;
    }
    if (ch == u'\\') {
      if (!out->AppendChars(u"\\\\", 2)) return false;
    } else if (ch == u'\'' && i + 1 < query.length && c[i + 1] == u'\'') {
      if (!out->AppendChars(u"\\'", 2)) return false;
      ++i;
    } else {
      if (ch == u'\'') inText = false;
      if (!out->AppendChars(&ch, 1)) return false;
    }
  }
  return true;
}

}  // namespace

IndexQueryTranslator::IndexQueryTranslator(DocumentSource* owner) : owner_(owner) {}

IndexQueryTranslator::~IndexQueryTranslator() {
  for (uint32_t i = 0; i < tableCount_; ++i) tables_[i].~TableSource();
  DeviceFree(tables_);
  if (naming_ != nullptr) naming_->Release();
}

bool IndexQueryTranslator::AddSource(const SharedWideString& source, const SharedWideString& alias) {
  if (tableCount_ == tableCapacity_) {
    const uint32_t capacity = tableCapacity_ == 0 ? 4 : tableCapacity_ * 2;
    TableSource* grown = static_cast<TableSource*>(DeviceAlloc(sizeof(TableSource) * capacity));
    if (grown == nullptr) return false;
    for (uint32_t i = 0; i < tableCount_; ++i) {
      new (&grown[i]) TableSource();
      grown[i].source.Assign(tables_[i].source);
      grown[i].alias.Assign(tables_[i].alias);
      tables_[i].~TableSource();
    }
    DeviceFree(tables_);
    tables_ = grown;
    tableCapacity_ = capacity;
  }
  TableSource* slot = new (&tables_[tableCount_]) TableSource();
  slot->source.Assign(source);
  slot->alias.Assign(alias);
  ++tableCount_;
  return true;
}

int32_t IndexQueryTranslator::Tokenize(const SharedWideString& query) {
  enum State { kStart, kAfterSelect, kAfterStar, kSource, kNeedAs, kAlias, kAfterSource, kWhere, kCondition };
  expression_.Clear();
  SharedWideString text;
  if (!QuoteForScript(query, &text)) return kQuerySyntaxError;
  ScriptScanner scanner;
  scanner.Attach(text.Chars(), text.length);
  // Every significant token up to the end or to a character that begins no
  // token (the rest of the query is then ignored).
  QueryToken* tokens = static_cast<QueryToken*>(DeviceAlloc(sizeof(QueryToken) * (text.length + 1)));
  if (tokens == nullptr) return kQuerySyntaxError;
  uint32_t count = 0;
  for (;;) {
    const ScriptScanResult r = scanner.NextToken();
    if (r != kScanToken) break;
    if (!scanner.IsSignificant()) continue;
    tokens[count++] = {scanner.TokenAccept().token, scanner.TokenStart(), scanner.TokenLength()};
  }
  auto tokenText = [&](uint32_t i, SharedWideString* out) {
    out->Clear();
    out->AppendChars(text.Chars() + tokens[i].start, tokens[i].length);
  };
  auto folded = [&](uint32_t i, const char* keyword) {
    if (i >= count || tokens[i].code != kTokenIdentifier) return false;
    SharedWideString t;
    tokenText(i, &t);
    t.FoldCase();
    return IsName(t, keyword);
  };
  auto write = [&](const char* ascii) { return AppendAscii(&expression_, ascii) && AppendAscii(&expression_, " "); };
  auto writeToken = [&](uint32_t i) {
    return expression_.AppendChars(text.Chars() + tokens[i].start, tokens[i].length) && AppendAscii(&expression_, " ");
  };
  State state = kStart;
  bool whereFlag = false;
  bool closing = false;
  int32_t status = kQueryOk;
  SharedWideString name;
  for (uint32_t i = 0; i < count && status == kQueryOk; ++i) {
    const QueryToken& t = tokens[i];
    switch (state) {
      case kStart:
        if (folded(i, "select")) state = kAfterSelect;
        else status = kQuerySyntaxError;
        break;
      case kAfterSelect:
        if (t.code == kTokenStar) state = kAfterStar;
        else status = kQuerySyntaxError;
        break;
      case kAfterStar:
        if (folded(i, "from")) state = kSource;
        else status = kQuerySyntaxError;
        break;
      case kSource:
        if (t.code == kTokenIdentifier) {
          tokenText(i, &name);
          SharedWideString source(u"$table=");
          source.Append(name);
          if (!AddSource(source, name)) status = kQuerySyntaxError;
          state = kAfterSource;
        } else if (t.code == kTokenString) {
          if (t.length <= 2) break;  // an empty quoted source is skipped
          SharedWideString contents;
          contents.AppendChars(text.Chars() + t.start + 1, t.length - 2);
          if (!AddSource(contents, SharedWideString())) status = kQuerySyntaxError;
          state = kNeedAs;
        } else {
          status = kQuerySyntaxError;
        }
        break;
      case kNeedAs:
        if (folded(i, "as")) state = kAlias;
        else status = kQuerySyntaxError;
        break;
      case kAlias:
        if (t.code == kTokenIdentifier && tableCount_ != 0) {
          tokenText(i, &tables_[tableCount_ - 1].alias);
          state = kAfterSource;
        } else {
          status = kQuerySyntaxError;
        }
        break;
      case kAfterSource:
        if (t.code == kTokenComma) {
          state = kSource;
        } else if (folded(i, "where") || folded(i, "__qvr_bwhere")) {
          state = kWhere;
          --i;  // looked at again
        } else if (folded(i, "as") && tableCount_ != 0) {
          tables_[tableCount_ - 1].alias.Clear();
          state = kAlias;
        } else {
          status = kQuerySyntaxError;
        }
        break;
      case kWhere:
        if (folded(i, "where")) {
          whereFlag = true;
        } else {
          if (!write("-(")) status = kQuerySyntaxError;
          closing = true;
        }
        state = kCondition;
        break;
      case kCondition: {
        bool ok = true;
        if (t.code == kTokenQuestion) {
          ok = write("__qvr_question");
        } else if (t.code == kTokenAssign) {
          ok = write("==");
        } else if (t.code == kTokenLess) {
          if (i + 1 < count && tokens[i + 1].code == kTokenGreater) {
            ok = write("!=");
            ++i;
          } else {
            status = kQuerySyntaxError;
          }
        } else if (t.code == kTokenGreater) {
          status = kQuerySyntaxError;
        } else if (folded(i, "and")) {
          ok = write("&&");
        } else if (folded(i, "or")) {
          ok = write("||");
        } else if (folded(i, "like")) {
          ok = write(">>>");
        } else if (folded(i, "anagram_of")) {
          ok = write("===");
        } else if (folded(i, "is")) {
          ok = write("==");
        } else if (folded(i, "null")) {
          ok = write("__qvr_null");
        } else if (folded(i, "__qvr_bwhere")) {
          ok = write("+=");
        } else if (folded(i, "not")) {
          if (folded(i + 1, "like")) {
            ok = write(">>");
            ++i;
          } else if (folded(i + 1, "anagram_of")) {
            ok = write("!==");
            ++i;
          } else if (folded(i + 1, "null")) {
            ok = write("__qvr_notnull");
            ++i;
          } else if (i + 1 < count) {
            ok = write("1^");
          }
        } else {
          ok = writeToken(i);
        }
        if (!ok && status == kQueryOk) status = kQuerySyntaxError;
        break;
      }
    }
  }
  DeviceFree(tokens);
  if (status != kQueryOk) return status;
  if (closing && !write(")")) return kQuerySyntaxError;
  if (whereFlag) {
    const WCHAR* e = expression_.Chars();
    const uint32_t n = expression_.length;
    if (n == 0 || (n >= 2 && e[0] == u'+' && e[1] == u'=') || (n >= 2 && e[0] == u'-' && e[1] == u'('))
      return kQuerySyntaxError;
  }
  return kQueryOk;
}

IndexTable* IndexQueryTranslator::OpenSource(const SharedWideString& source) {
  if (owner_ == nullptr || source.length == 0) return nullptr;
  DocumentStreamPtr stream;
  if (source.Chars()[0] == u'$') {
    owner_->OpenStreamByName(&stream, source.Chars() + 1, source.length - 1);
  } else {
    // An address: the owner resolves it against its own location.
    owner_->OpenStreamByName(&stream, source.Chars(), source.length);
  }
  if (!stream || stream->GetStreamKind() != kIndexTableStreamKind) return nullptr;
  IndexTable* table = static_cast<IndexTable*>(stream.Get());
  table->AddRef();
  return table;
}

int32_t IndexQueryTranslator::BindMainTable(IndexQueryResult* result) {
  if (tableCount_ == 0) return kQueryUnknownObject;
  uint32_t chosen = 0;
  for (uint32_t i = 0; i < tableCount_; ++i) {
    if (tables_[i].source.length != 0 && tables_[i].source.Chars()[0] == u'$') {
      chosen = i;
      break;
    }
  }
  IndexTable* table = OpenSource(tables_[chosen].source);
  if (table == nullptr) return kQueryUnknownObject;
  result->SetTable(table);
  table->Release();
  return kQueryOk;
}

IndexTable* IndexQueryTranslator::ResolveTable(IndexQueryResult* result, const SharedWideString& name) {
  if (IsName(name, "orth")) {
    IndexTable* own = result->Table();
    if (own != nullptr) own->AddRef();
    return own;
  }
  for (uint32_t i = 0; i < tableCount_; ++i) {
    if (tables_[i].alias.length != 0 && tables_[i].alias.CompareTo(name) == 0) return OpenSource(tables_[i].source);
  }
  SharedWideString descriptor(u"$table=");
  descriptor.Append(name);
  return OpenSource(descriptor);
}

int32_t IndexQueryTranslator::ResolveField(IndexQueryResult* result, const SharedWideString& name) {
  IndexTable* table = result->Table();
  if (table == nullptr) return -1;
  if (naming_ == nullptr) naming_ = table->OpenNamingTable();
  if (naming_ == nullptr) return -1;
  IndexEntryRef ref;
  IndexEntryReader reader;
  uint32_t span = 0;
  uint32_t perItem = 0;
  if (naming_->LookupKey(name.Chars(), name.length, &ref, false) && reader.Init(naming_) &&
      reader.Attach(ref) == 0 && reader.SeekTag(kFieldTag, &span, &perItem) == 0 && span != 0 && perItem == 3) {
    // Items {value mode, table header record relative to the record base, tag}.
    uint32_t item[3];
    while (reader.ReadValues(item, 3, true) == 0) {
      if (static_cast<int64_t>(item[1]) + naming_->GetRecordBase() == table->GetHeaderRecordNumber())
        return static_cast<int32_t>(item[2]);
    }
  }
  // Else the name is a table's whose entries the result table lists: the
  // result table's own entry in the naming table gives the tag of those
  // lists among its pairs, for the named table's header record.
  naming_->AddRef();  // each look-up below consumes one reference
  const int32_t relative = LookupNamedTable(name.Chars(), name.length, naming_, 0);
  SharedWideString tableName;
  if (relative < 0 || table->GetName(&tableName)) return -1;
  naming_->AddRef();
  const uint32_t tag = GetFieldKind(tableName.Chars(), tableName.length, naming_, static_cast<uint32_t>(relative), false);
  return tag == 255 ? -1 : static_cast<int32_t>(tag);
}

int32_t IndexQueryTranslator::AddComparisonNode(IndexQueryResult* result, const SharedWideString& left,
                                                const SharedWideString& right, bool rightQuoted, int32_t kind) {
  const bool negate = kind % 2 == 0;
  if (kind == kCompareIsNull || kind == kCompareIsNotNull) {
    return result->AddEntryNode(ResolveField(result, left), negate) == 0 ? kQueryOk : kQueryUnknownObject;
  }
  IndexTablePtr leftTable;
  leftTable.Adopt(ResolveTable(result, left));
  if (!leftTable) return kQueryUnknownObject;
  const bool extraRecords = leftTable->RecordMapCount() != 0;
  const bool equality = kind == kCompareEqual || kind == kCompareNotEqual;
  if (!rightQuoted) {
    if (IsName(right, "__qvr_question")) {
      if (!equality || !extraRecords) return kQueryUnknownObject;
      return result->AddTableNode(leftTable.Get(), negate) == 0 ? kQueryOk : kQueryUnknownObject;
    }
    IndexTablePtr rightTable;
    rightTable.Adopt(ResolveTable(result, right));
    if (!rightTable || !equality || extraRecords) return kQueryUnknownObject;
    return result->AddAllNode(rightTable.Get(), negate) == 0 ? kQueryOk : kQueryUnknownObject;
  }
  if (extraRecords) {
    IndexTable* own = result->Table();
    const int32_t tag =
        own != nullptr ? leftTable->LookupRecordMap(static_cast<uint32_t>(own->GetHeaderRecordNumber())) : -1;
    if (tag < 0) return kQueryUnknownObject;
    IndexEntryRef ref;
    if (leftTable->LookupKey(right.Chars(), right.length, &ref, false)) {
      return result->AddLinkNode(leftTable.Get(), ref, tag, negate) == 0 ? kQueryOk : kQueryUnknownObject;
    }
    return result->AddLinkNode(nullptr, IndexEntryRef::BeforeStart(), tag, negate) == 0 ? kQueryOk
                                                                                        : kQueryUnknownObject;
  }
  // The keys of the main table are compared, whatever the left name.
  return result->AddComparison(right, kind, false) == 0 ? kQueryOk : kQueryUnknownObject;
}

int32_t IndexQueryTranslator::Walk(IndexQueryResult* result) {
  CompiledScript* script = DeviceNew<CompiledScript>();
  if (script == nullptr) return kQuerySyntaxError;
  script->AddReference();
  ScriptCompileError error;
  int32_t status = kQueryOk;
  if (!CompileScript(expression_, script, &error)) status = kQuerySyntaxError;
  SharedWideString left;
  SharedWideString right;
  bool haveLeft = false;
  bool haveRight = false;
  bool rightQuoted = false;
  const uint32_t* code = script->Code();
  const uint32_t words = script->CodeCount();
  uint32_t at = 0;
  while (status == kQueryOk && at < words) {
    const uint32_t word = code[at];
    const uint32_t opcode = InstructionOpcode(word);
    const uint32_t operands = InstructionOperandCount(word);
    if (operands > words - at - 1) {
      status = kQuerySyntaxError;
      break;
    }
    const uint32_t operand = operands != 0 ? code[at + 1] : 0;
    at += 1 + operands;
    switch (static_cast<ScriptOpcode>(opcode)) {
      case ScriptOpcode::PushNameString:
      case ScriptOpcode::PushAtom: {
        SharedWideString name;
        if (opcode == static_cast<uint32_t>(ScriptOpcode::PushAtom)) {
          GetAtomText(static_cast<int32_t>(operand), &name);
        } else if (operand < script->StringCount()) {
          name.Assign(script->StringAt(operand));
        } else {
          status = kQuerySyntaxError;
          break;
        }
        if (!haveLeft) {
          left.Assign(name);
          haveLeft = true;
        } else {
          right.Assign(name);
          haveRight = true;
          rightQuoted = false;
        }
        break;
      }
      case ScriptOpcode::PushString:
        if (!haveLeft || operand >= script->StringCount()) {
          status = kQuerySyntaxError;
          break;
        }
        right.Assign(script->StringAt(operand));
        haveRight = true;
        rightQuoted = true;
        break;
      case ScriptOpcode::PushInteger:
        if (operand != 1) status = kQuerySyntaxError;
        break;
      case ScriptOpcode::Operate: {
        int32_t op = -1;
        int32_t kind = 0;
        switch (operand) {
          case kOperatorLogicalOr: op = 0; break;
          case kOperatorLogicalAnd: op = 1; break;
          case kOperatorAddAssign: op = 2; break;
          case kOperatorNegate: op = 3; break;
          case kOperatorBitXor: op = 4; break;
          case kOperatorUnsignedShiftRight: kind = kCompareLike; break;
          case kOperatorShiftRight: kind = kCompareNotLike; break;
          case kOperatorStrictEqual: kind = kCompareAnagram; break;
          case kOperatorStrictNotEqual: kind = kCompareNotAnagram; break;
          case kOperatorEqual:
            kind = kCompareEqual;
            if (haveRight && !rightQuoted && IsName(right, "__qvr_null")) kind = kCompareIsNull;
            if (haveRight && !rightQuoted && IsName(right, "__qvr_notnull")) kind = kCompareIsNotNull;
            break;
          case kOperatorNotEqual:
            kind = kCompareNotEqual;
            if (haveRight && !rightQuoted && (IsName(right, "__qvr_null") || IsName(right, "__qvr_notnull")))
              status = kQuerySyntaxError;
            break;
          default:
            status = kQuerySyntaxError;
            break;
        }
        if (status != kQueryOk) break;
        if (op >= 0) {
          if (result->AddOperator(op) != 0) status = kQueryUnknownObject;
        } else if (!haveLeft || !haveRight) {
          status = kQuerySyntaxError;
        } else {
          status = AddComparisonNode(result, left, right, rightQuoted, kind);
        }
        haveLeft = haveRight = rightQuoted = false;
        left.Clear();
        right.Clear();
        break;
      }
      default:
        break;  // numbers, lines, results: passed over
    }
  }
  script->Release();
  return status;
}

int32_t IndexQueryTranslator::Translate(const SharedWideString& query, IndexQueryResult* result) {
  for (uint32_t i = 0; i < tableCount_; ++i) tables_[i].~TableSource();
  tableCount_ = 0;
  if (query.length == 0) return kQuerySyntaxError;
  int32_t status = Tokenize(query);
  if (status != kQueryOk) return status;
  status = BindMainTable(result);
  if (status != kQueryOk) return status;
  return Walk(result);
}

int32_t RunIndexQuery(const SharedWideString& query, DocumentSource* owner, IndexQueryResultPtr* out) {
  out->Assign(nullptr);
  IndexQueryTranslator* translator = DeviceNew<IndexQueryTranslator>(owner);
  IndexQueryResult* result = DeviceNew<IndexQueryResult>();
  if (translator == nullptr || result == nullptr) {
    delete translator;
    if (result != nullptr) result->Release();
    return kQueryCannotCreate;
  }
  const int32_t status = translator->Translate(query, result);
  if (status == kQueryOk) out->Assign(result);
  result->Release();
  delete translator;
  return status;
}

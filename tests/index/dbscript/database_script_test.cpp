// The database and record-set script objects, driven by scripts: tables and
// columns made and dropped, rows added, deleted, found and walked, the
// messages and statuses of misuse, and the record set's view of the table.
#include <gtest/gtest.h>

#include <string>

#include "index/dbscript/database_record_set.h"
#include "platform/memory/allocator.h"
#include "script/values/atoms.h"
#include "tests/support/fake_script_host.h"
#include "tests/support/script_status_names.h"

namespace {

// A script context whose global "db" is a fresh database.
struct DatabaseScript {
  DatabaseScript() {
    db_.Adopt(DeviceNew<Database>());
    Install(u"db", DeviceNew<DatabaseScriptObject>(db_.Get()));
    // The column-type constants, as the reader's script host gives them.
    context_.Run(u"TYPE_STRING = 0; TYPE_UINT = 2; TYPE_UBYTE = 5; TYPE_POOLED_STRING = 6;");
  }

  void Install(const std::u16string& name, ScriptObject* object) {
    ScriptNameToken token;
    ASSERT_TRUE(token.SetChars(name.data(), static_cast<uint32_t>(name.size())));
    ScriptMemberRef ref;
    ref.owner = context_.host;
    int32_t status = kScriptOk;
    ASSERT_EQ(*context_.host->ResolveMember(&status, token, &ref, 1), kScriptOk);
    ScriptValueHandle value = kScriptEmptyHandle;
    ASSERT_EQ(*context_.store.NewObject(&status, object, &value), kScriptOk);
    ASSERT_EQ(*context_.host->SetMemberValue(&status, ref, &context_.store, value), kScriptOk);
    context_.store.Release(&value);
  }

  // What the script wrote, or the status it ended with.
  std::string Script(const std::u16string& script) {
    ScriptRunOutcome r = context_.Run(script);
    if (!r.compiled) return "not compiled";
    if (r.status != kScriptOk) return "status " + std::to_string(r.status);
    return std::string(r.output.begin(), r.output.end());
  }

  DatabasePtr db_;  // outlives the context, whose store holds the script object
  ScriptTestContext context_;
};

class DatabaseScriptTest : public ::testing::Test, public DatabaseScript {};

TEST_F(DatabaseScriptTest, TablesAndColumns) {
  EXPECT_EQ(Script(u"Write(db.CreateTable('words'));"
                u"Write(db.CreateTable('words'));"
                u"Write(db.CreateTable(''));"
                u"Write(db.AddField('words', 'orth', TYPE_STRING));"
                u"Write(db.AddField('words', 'orth', TYPE_STRING));"
                u"Write(db.AddField('words', 'orth', TYPE_UINT));"
                u"Write(db.AddField('words', 'n', 99));"
                u"Write(db.AddField('nowhere', 'n', TYPE_UINT));"
                u"Write(db.RemoveField('words', 'n'));"
                u"Write(db.RemoveField('words', 'orth'));"
                u"Write(db.OpenTable('nowhere'));"
                u"Write(db);"),
            "\n"
            "Database ERROR 01: the table already exists or there is not enough memory to create it.\n"
            "Database ERROR 01: the table already exists or there is not enough memory to create it.\n"
            "\n\n"
            "Database ERROR 07: cannot create column because it already exists with a different type\n"
            "Database ERROR 05: not enough memory for this operation.\n"
            "Database ERROR 02: table not found\n"
            "Database ERROR 06: column not found\n"
            "\n"
            "null\n"
            "[Object Database]\n");
  EXPECT_EQ(db_->GetTable(db_->FindTable(SharedWideString(u"words")))->CountColumns(), 0u);
}

TEST_F(DatabaseScriptTest, StatusesOfMisuse) {
  const struct {
    const char16_t* script;
    const char* answer;
  } cases[] = {
      {u"db.OpenTable();", "status 13"},
      {u"db.CreateTable();", "status 13"},
      {u"db.DropTable();", "status 13"},
      {u"db.RemoveField('t');", "status 13"},
      {u"db.AddField('t', 'c');", "status 13"},
      {u"db.CloseTable('t');", "status 4"},
      {u"x = '' + db.Save;", "status 7"},
      {u"db.CreateTable('t'); rs = db.OpenTable('t'); x = rs.EOF; rs.Delete();", "status 28"},
      {u"db.CreateTable('t'); rs = db.OpenTable('t'); x = rs.nothing;", "status 4"},
      {u"db.CreateTable('t'); rs = db.OpenTable('t'); rs.FindFirst('c');", "status 13"},
      {u"db.CreateTable('t'); db.AddField('t', 'c', TYPE_UINT); rs = db.OpenTable('t'); x = '' + rs.c;", "status 7"},
      {u"db.CreateTable('t'); db.AddField('t', 'c', TYPE_UINT); rs = db.OpenTable('t'); rs.c = 1;", "status 6"},
      {u"db.CreateTable('t'); rs = db.OpenTable('t'); Write(rs.FindFirst('c', 1));",
       "Database ERROR 06: column not found\n"},
      // Save without a file path: a message, not a status.
      {u"Write(db.Save());", "Database ERROR 04: could not save the database.\n"},
  };
  for (const auto& c : cases) {
    DatabaseScript fresh;
    const std::u16string script = c.script;
    EXPECT_EQ(fresh.Script(c.script), c.answer) << std::string(script.begin(), script.end());
  }
}

TEST_F(DatabaseScriptTest, EmptyTableAndItsEnds) {
  EXPECT_EQ(Script(u"db.CreateTable('t'); db.AddField('t', 'c', TYPE_UINT); rs = db.OpenTable('t');"
                u"Write(rs.EOF + ' ' + rs.BOF); rs.MoveRandom(); Write(rs.EOF + ' ' + rs.BOF);"
                u"rs.AddNew(); rs.c = 5; Write(rs.EOF + ' ' + rs.BOF + ' ' + rs.c);"
                u"rs.MovePrevious(); Write(rs.EOF + ' ' + rs.BOF);"
                u"rs.MoveLast(); Write(rs.c); rs.MoveNext(); Write(rs.EOF + ' ' + rs.BOF);"
                u"Write(rs);"),
            "true false\ntrue false\nfalse false 5\ntrue true\n5\ntrue false\n[Object RecordSet]\n");
}

TEST_F(DatabaseScriptTest, ColumnValuesAndTypes) {
  EXPECT_EQ(Script(u"db.CreateTable('t'); db.AddField('t', 'u', TYPE_UINT); db.AddField('t', 'b', TYPE_UBYTE);"
                u"db.AddField('t', 's', TYPE_STRING); db.AddField('t', 'p', TYPE_POOLED_STRING);"
                u"db.AddField('t', 'Delete', TYPE_UINT);"
                u"rs = db.OpenTable('t'); rs.AddNew(); Write(rs.u + ' ' + rs.s + ' ' + rs.p);"
                u"rs.u = 300; rs.b = 300; rs.s = 12; rs.p = 'pooled';"
                u"Write(rs.u + ' ' + rs.b + ' ' + rs.s + ' ' + rs.p + ' ' + typeof rs.s + ' ' + typeof rs.u);"),
            "null null null\n300 44 12 pooled string number\n");
  // The atom wins over a column of the same name.
  EXPECT_EQ(Script(u"x = '' + rs.Delete;"), "status 7");
}

TEST_F(DatabaseScriptTest, DropTableWhileARecordSetLives) {
  EXPECT_EQ(Script(u"db.CreateTable('t'); rs = db.OpenTable('t'); Write(db.DropTable('t'));"
                u"Write(db.AddField('t', 'c', TYPE_UINT)); Write(db.DropTable('none'));"),
            "Database ERROR 03: the table is locked. Discard existing RecorSet objects and try again.\n"
            "Database ERROR 03: the table is locked. Discard existing RecorSet objects and try again.\n"
            "Database ERROR 02: table not found\n");
  // Rows can still be added through it.
  EXPECT_EQ(Script(u"rs.AddNew(); Write(rs.EOF);"), "false\n");
  EXPECT_EQ(Script(u"rs = null; Write(db.DropTable('t'));"), "\n");
  EXPECT_LT(db_->FindTable(SharedWideString(u"t")), 0);
}

TEST_F(DatabaseScriptTest, FindFirstMatchesExactTextsOnly) {
  EXPECT_EQ(Script(u"db.CreateTable('t'); db.AddField('t', 'w', TYPE_STRING); db.AddField('t', 'n', TYPE_UINT);"
                u"rs = db.OpenTable('t');"
                u"rs.AddNew(); rs.w = 'Cat'; rs.n = 1;"
                u"rs.AddNew(); rs.n = 2;"  // w is null
                u"rs.AddNew(); rs.w = 'cat'; rs.n = 3;"
                u"rs.AddNew(); rs.w = 'cat'; rs.n = 4;"
                u"Write(rs.FindFirst('w', 'cat') + '|' + rs.n); rs.FindNext(); Write(rs.n);"
                u"rs.FindNext(); Write(rs.EOF);"
                u"rs.FindFirst('w', 'dog'); Write(rs.EOF);"
                u"rs.FindFirst('n', '2'); Write(rs.n + ' ' + rs.w);"),
            "|3\n4\ntrue\ntrue\n2 null\n");
}

// Rows deleted before the current one: EOF, BOF and Delete keep comparing
// with the rows ever created, not with the rows left.
TEST_F(DatabaseScriptTest, DeletionsBeforeTheCurrentRow) {
  EXPECT_EQ(Script(u"db.CreateTable('t'); db.AddField('t', 'n', TYPE_UINT); rs = db.OpenTable('t');"
                u"for (i = 0; i < 6; i++) { rs.AddNew(); rs.n = i; }"
                u"rs.MoveFirst(); rs.Delete(); rs.Delete(); rs.Delete(); Write(rs.n + ' ' + rs.EOF);"
                u"rs.MoveLast(); Write(rs.n + ' ' + rs.EOF + ' ' + rs.BOF);"
                u"rs.Delete(); Write(rs.EOF);"
                u"rs.MoveLast(); rs.Delete(); Write(rs.EOF); rs.MoveFirst(); Write(rs.n);"
                u"rs.FindFirst('n', 3); Write(rs.n); rs.MovePrevious(); Write(rs.BOF + ' ' + rs.EOF);"),
            "3 false\n5 false false\ntrue\ntrue\n3\n3\ntrue true\n");
  // Every row deleted: MoveRandom lands past the end.
  EXPECT_EQ(Script(u"rs.MoveFirst(); rs.Delete(); Write(rs.EOF); rs.MoveRandom(); Write(rs.EOF + ' ' + "
                u"rs.BOF);"),
            "true\ntrue false\n");
  EXPECT_EQ(Script(u"rs.MoveFirst(); rs.Delete();"), "status 28");
}

TEST_F(DatabaseScriptTest, MoveRandomLandsOnPresentRows) {
  EXPECT_EQ(Script(u"db.CreateTable('t'); db.AddField('t', 'n', TYPE_UINT); rs = db.OpenTable('t');"
                u"for (i = 0; i < 10; i++) { rs.AddNew(); rs.n = i; }"
                u"for (i = 0; i < 10; i += 2) { rs.FindFirst('n', i); rs.Delete(); }"
                u"bad = 0; for (i = 0; i < 200; i++) { rs.MoveRandom(); if (rs.EOF || rs.n % 2 == 0) bad++; }"
                u"Write(bad);"),
            "0\n");
}

TEST_F(DatabaseScriptTest, TheTableView) {
  ASSERT_EQ(Script(u"db.CreateTable('a'); db.CreateTable('t'); db.AddField('t', 'icon', TYPE_UINT);"
                u"db.AddField('t', 'orth', TYPE_STRING); db.AddField('t', 'formatted', TYPE_STRING);"
                u"db.AddField('t', 'shortid', TYPE_STRING); rs = db.OpenTable('t');"
                u"rs.AddNew(); rs.icon = 2; rs.orth = 'one'; rs.shortid = 'x1';"
                u"rs.AddNew(); rs.icon = 9; rs.orth = 'two'; rs.formatted = '<b>two</b>';"
                u"rs.AddNew(); rs.AddNew(); rs.orth = 'four'; rs.MoveFirst(); rs.MoveNext(); rs.MoveNext(); rs.Delete();"),
            "");
  int32_t status = kScriptOk;
  ScriptValueHandle value = kScriptEmptyHandle;
  ScriptNameToken token;
  token.SetChars(u"rs", 2);
  ScriptMemberRef ref;
  ref.owner = context_.host;
  context_.host->ResolveMember(&status, token, &ref, 0);
  context_.host->GetMemberValue(&status, ref, &context_.store, &value, kScriptTypeAny);
  ScriptObjectSlot* slot = context_.store.GetObjectSlot(value);
  ASSERT_NE(slot, nullptr);
  DatabaseRecordSet* set = static_cast<DatabaseRecordSet*>(slot->ref.owner);
  context_.store.Release(&value);
  ASSERT_NE(set, nullptr);
  RecordSource* view = set;
  SharedWideString text;
  auto narrow = [](const SharedWideString& s) { return std::string(s.Chars(), s.Chars() + s.length); };
  std::string walked;
  for (RecordPosition p = view->Next(RecordPosition::Of(-1)); p.GetOrdinal() >= 0; p = view->Next(p)) {
    view->GetText(p, &text);
    walked += narrow(text) + "/";
    view->GetFormattedText(p, &text);
    walked += narrow(text) + "/";
    view->GetShortId(p, &text);
    walked += narrow(text) + "/" + std::to_string(view->GetIcon(p)) + "/" + std::to_string(view->GetIndexOf(p)) + " ";
  }
  // Row 2 was deleted; row 3 is the third present row... the second.
  EXPECT_EQ(walked, "one/one/x1/231/0 two/<b>two</b>//9/1 four/four//-1/2 ");
  EXPECT_EQ(view->GetCount(), 3);
  EXPECT_EQ(view->Previous(RecordPosition::Of(-2)).GetOrdinal(), 3);
  EXPECT_EQ(view->Previous(RecordPosition::Of(0)).GetOrdinal(), -1);
  EXPECT_EQ(view->PositionToOrdinal(RecordPosition::Of(3)), 3);
  EXPECT_EQ(view->OrdinalToPosition(3).GetOrdinal(), 3);
  EXPECT_EQ(view->GetIndexOf(RecordPosition::Of(-2)), -1);
  ASSERT_TRUE(view->GetSourceName(&text, false));
  EXPECT_EQ(narrow(text), "t");
  ASSERT_TRUE(view->GetSourceName(&text, true));
  EXPECT_EQ(narrow(text), "a");
  ScriptValueHandle made = kScriptEmptyHandle;
  EXPECT_EQ(view->CreateRecordSet(RecordPosition::Of(0), &context_.store, &made), kScriptNotImplemented);
}

TEST_F(DatabaseScriptTest, IndexesInOrderCountEachRowOnce) {
  ASSERT_EQ(Script(u"db.CreateTable('t'); db.AddField('t', 'n', TYPE_UINT); rs = db.OpenTable('t');"
                u"for (i = 0; i < 3000; i++) rs.AddNew();"),
            "");
  DatabaseRecordSet* set = DeviceNew<DatabaseRecordSet>(db_.Get(), db_->FindTable(SharedWideString(u"t")));
  ASSERT_NE(set, nullptr);
  for (int32_t row = 0; row < 3000; ++row) ASSERT_EQ(set->GetIndexOf(RecordPosition::Of(row)), row);
  EXPECT_EQ(set->OrdinalRowsCounted(), 3000u);
  set->SetCurrentRow(10);
  ScriptMemberRef ref;
  ref.owner = set;
  ref.memberCode = kAtom_Delete;
  int32_t status = kScriptOk;
  ScriptValueHandle result = kScriptEmptyHandle;
  set->Invoke(&status, ref, 0, nullptr, &result);
  EXPECT_EQ(status, kScriptOk);
  EXPECT_EQ(set->GetIndexOf(RecordPosition::Of(2999)), 2998);
  EXPECT_EQ(set->Release(), 1);
}

}  // namespace

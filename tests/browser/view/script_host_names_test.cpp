// How the script host reads names: which host objects may follow which, the
// methods each accepts, the global scope's methods as window's, the
// built-in functions, the members with values, assignment to
// location.hash, and the book's named script resources.
#include <gtest/gtest.h>

#include "foundation/system/timer_table.h"
#include "script/timers/script_timers.h"
#include "script/values/script_status.h"
#include "tests/browser/view/script_host_fixture.h"

namespace scripthost {
namespace {

class ScriptHostNamesTest : public ScriptHostTest {};

TEST_F(ScriptHostNamesTest, NamesResolveAfterTheObjectsThatAcceptThem) {
  view().recording = true;
  struct Case {
    const char* script;
    int32_t status;
    const char* call;  // the first call made, or ""
  };
  const Case cases[] = {
      {"open('a.htm');", kScriptOk, "OpenUrl a.htm"},
      {"window.document.goto_page(2);", kScriptOk, "GoToPage 2"},
      {"document.location.replace('b.htm');", kScriptOk, "OpenUrl b.htm"},
      {"window.location.hash = '##pos40';", kScriptOk, "GoToFragment ##pos40"},
      {"location.hash = 'chapter2';", kScriptOk, "GoToFragment chapter2"},
      {"document.location.hash = 7;", kScriptOk, "GoToFragment 7"},
      // "hash" belongs to location only.
      {"document.hash = 'x';", kScriptMemberUnknown, ""},
      {"var h = document.hash;", kScriptMemberUnknown, ""},
      // Page moves are document's: not window's, not the global scope's
      // (there the unknown name is made a variable, which cannot be called).
      {"goto_page(1);", kScriptInvalidType, ""},
      {"window.goto_page(1);", kScriptMemberUnknown, ""},
      {"document.open('a.htm');", kScriptMemberUnknown, ""},
      {"document.window.close();", kScriptMemberUnknown, ""},
      {"bookmarks.history.back();", kScriptMemberUnknown, ""},
      {"audio.document.close();", kScriptMemberUnknown, ""},
      {"window.history.back();", kScriptOk, "GoBack"},
      {"window.voice.read();", kScriptOk, "ExecuteCommand 85 speech 0"},
      {"window.index.seek('q');", kScriptOk, "SetIndexQuery q"},
      // Both spellings of the two names the keyword tree joins.
      {"bookmarks.Remove(1);", kScriptOk, "DeleteBookmark 1"},
      {"history.Clear();", kScriptOk, "ClearHistory"},
      // Names no host object has: after window an error, at the global
      // scope the host base's (no database here: not implemented).
      {"window.OpenDatabase('x');", kScriptMemberUnknown, ""},
      {"OpenDatabase('x');", kScriptNotImplemented, ""},
      {"cart.open();", kScriptMemberUnknown, ""},
      // A link's numbered request reaches bookmarks' edit; a script cannot.
      {"bookmarks.edit(5);", kScriptMemberUnknown, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.script);
    ClearCalls();
    EXPECT_EQ(Status(c.script), c.status);
    const std::vector<std::string> calls = Calls();
    EXPECT_EQ(calls.empty() ? std::string() : calls.front(), c.call);
  }
}

TEST_F(ScriptHostNamesTest, ValuesOfTheHostsMembers) {
  struct Case {
    const char* script;
    const char* value;
  };
  const Case cases[] = {
      {"return parseInt('42') + 1;", "43"},
      {"return window.parseInt('7');", "7"},
      {"return isNaN(window.parseFloat('x'));", "true"},
      {"return BUL_CROSS_RED + ',' + BUL_CHECK_GREEN + ',' + BUL_BLUE + ',' + BUL_HOSPITAL;", "34,35,36,37"},
      {"return history.length;", "0"},
      {"return typeof selection.text;", "undefined"},
      {"return typeof selection.language;", "undefined"},
      // A member a script makes on the window stays the window's.
      {"window.counter = 5; return counter + 1;", "6"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.script);
    EXPECT_EQ(Run(c.script), c.value);
  }
  app().selectedWord = u"lumen";
  app().selectedLanguage = 0x0409;
  EXPECT_EQ(Run("return selection.text;"), "lumen");
  EXPECT_NE(Run("return selection.language;"), "undefined");
  EXPECT_NE(Run("return selection.language;"), "");
}

TEST_F(ScriptHostNamesTest, ANamedScriptResourceIsLoadedOnceAndDefinesItsName) {
  view().namedScripts = {{"greet", "function greet(who) { return 'hello ' + who; }"},
                         {"broken", "function broken( {"}};
  EXPECT_EQ(Run("return greet('reader');"), "hello reader");
  EXPECT_EQ(view().namedScriptLoads, 1);
  EXPECT_EQ(Run("return greet('again') + greet('twice');"), "hello againhello twice");
  EXPECT_EQ(view().namedScriptLoads, 1) << "the name is the window's member now";
  // A resource that does not compile fails the look-up; a name nobody has
  // is unknown.
  EXPECT_EQ(Status("broken();"), kScriptNoMemory);
  EXPECT_EQ(Status("nobody();"), kScriptInvalidType);
  EXPECT_EQ(view().namedScriptLoads, 2);
}

}  // namespace
}  // namespace scripthost

namespace scripthost {
namespace {

// Keeps the code of each timer that fired.
class CountingRunner : public ScriptTextRunner {
 public:
  bool RunScriptText(const SharedWideString& code) override {
    codes.push_back(Narrow(code));
    return true;
  }
  std::vector<std::string> codes;
};

class ScriptHostTimersTest : public ScriptHostTest {};

TEST_F(ScriptHostTimersTest, TimerMethodsReachTheWindowsTimers) {
  EXPECT_EQ(Status("setTimeout('x()', 10);"), kScriptBadMemberCode) << "timers not bound to a window yet";
  TimerTable table;
  CountingRunner runner;
  context.timers.Bind(&table, &runner);
  const std::string once = Run("return setTimeout('document.goto_page(2);', 10);");
  const std::string again = Run("return window.setInterval('history.back();', 20);");
  ASSERT_NE(once, "<failed>");
  ASSERT_NE(again, "<failed>");
  EXPECT_NE(once, again);
  EXPECT_EQ(context.timers.Count(), 2u);
  EXPECT_TRUE(table.Dispatch(static_cast<TimerId>(std::stoul(once))));
  EXPECT_EQ(runner.codes, std::vector<std::string>{"document.goto_page(2);"});
  EXPECT_EQ(context.timers.Count(), 1u) << "a timeout fires once";
  EXPECT_NE(Run("clearInterval(" + again + ");"), "<failed>");
  EXPECT_EQ(context.timers.Count(), 0u);
  context.timers.ClearAll();
  context.timers.Bind(nullptr, nullptr);
}

}  // namespace
}  // namespace scripthost

// Every row of the script host's method table, called from a real script:
// with arguments that match (the view's operation or the application's
// service is asked, with the arguments as given) and with arguments that do
// not (nothing happens, no message). A script sees undefined as the answer
// of every row but goto_checkpoint and current_index_entry; the rows'
// own answers (0 for a row that did nothing) are read through the request.
#include <gtest/gtest.h>

#include "script/values/atoms.h"
#include "tests/browser/view/script_host_fixture.h"

namespace scripthost {
namespace {

struct RowCase {
  const char* script;
  std::vector<std::string> calls;  // empty: the row does nothing
  const char* result = "undefined";  // the call's value in the script
};

class ScriptHostMethodsTest : public ScriptHostTest {
 protected:
  void RunCases(const std::vector<RowCase>& cases) {
    view().recording = true;
    for (const RowCase& c : cases) {
      SCOPED_TRACE(c.script);
      ClearCalls();
      const std::string result = Run(std::string("return ") + c.script + ";");
      ASSERT_NE(result, "<failed>");
      EXPECT_EQ(Calls(), c.calls);
      EXPECT_EQ(result, c.result);
    }
  }
};

TEST_F(ScriptHostMethodsTest, DocumentRows) {
  RunCases({
      {"document.close()", {"CloseDocument"}},
      {"document.close(1)", {}},
      {"document.goto_page()", {"cmd 20"}},
      {"document.goto_page(3)", {"GoToPage 3"}},
      {"document.goto_page('3')", {}},
      {"document.goto_page(-3)", {}},
      {"document.goto_page(3, 4)", {}},
      // Only the direction counts: every step back is one page back.
      {"document.goto_page_relative(-5)", {"GoToPageRelative -2 1 255"}},
      {"document.goto_page_relative(-1)", {"GoToPageRelative -2 1 255"}},
      {"document.goto_page_relative(0)", {"GoToPageRelative -2 1 255"}},
      {"document.goto_page_relative(+4)", {"GoToPageRelative 2 1 255"}},
      {"document.goto_page_relative('1')", {}},
      {"document.goto_first_page()", {"GoToFirstPage"}},
      {"document.goto_last_page()", {"GoToLastPage"}},
      {"document.goto_toc()", {"GoToToc"}},
      {"document.goto_toc(1)", {}},
      {"document.goto_guide(2)", {"GoToGuide 2"}},
      {"document.goto_guide('start')", {}},
      {"document.search('any', 'thing')", {"cmd 4"}},
      {"document.goto_random_entry()", {"GoToRandomEntry"}},
      {"document.goto_random_entry('words')", {"GoToRandomEntry words"}},
      {"document.goto_random_entry('a', 'b')", {}},
  });
}

TEST_F(ScriptHostMethodsTest, BookmarksRows) {
  RunCases({
      {"bookmarks.add()", {"cmd 16"}},
      {"bookmarks.add('my note')", {"AddBookmark my note"}},
      {"bookmarks.display_list()", {"OpenUrl oeb:bookmarks"}},
      {"bookmarks.previous()", {"PreviousBookmark"}},
      {"bookmarks.next()", {"NextBookmark"}},
      {"bookmarks.next(1)", {}},
      {"bookmarks.goto('\\\\b.prc', 3)", {"GoToBookmark \\b.prc 3"}},
      {"bookmarks.goto('\\\\b.prc', '3')", {}},
      {"bookmarks.goto('\\\\b.prc', 3, 4)", {}},
      // Both spellings reach the row; it answers 1 whatever the deletion did.
      {"bookmarks.remove(2)", {"DeleteBookmark 2"}},
      {"bookmarks.Remove(2, 'x')", {"DeleteBookmark 2"}},
      {"bookmarks.remove('2')", {}},
  });
}

TEST_F(ScriptHostMethodsTest, WindowRows) {
  RunCases({
      {"window.open('next.htm')", {"OpenUrl next.htm"}},
      {"open('next.htm')", {"OpenUrl next.htm"}},
      {"window.open(5)", {}},
      {"window.open('next.htm', 'side', 10, 20, 100, 200)", {"OpenUrlInTarget next.htm side 20,10,100,200"}},
      {"window.open('next.htm', 'side', 10, 20)", {"OpenUrlInTarget next.htm side 0,0,0,0"}},
      {"window.open('next.htm', 'side', 10, 20, '100', 200)", {"OpenUrlInTarget next.htm side 0,0,0,0"}},
      {"window.open('next.htm', 3)", {}},
      {"window.close()", {"CloseWindow"}},
      {"window.increase_font()", {"ChangeTextSize 1"}},
      {"window.decrease_font()", {"ChangeTextSize -1"}},
      {"window.browse(1, 2)", {"cmd 25"}},
      {"window.display_tip('hi', 1)", {"tip mode 1 at 7,9 hi"}},
      {"window.display_tip('hi', 3)", {}},
      {"window.display_tip('hi')", {}},
      {"window.play_music('talks#1;2')", {"play music talks#1;2"}},
      {"window.play_music_ex('talks')", {"play music and record talks"}},
      {"window.play_music(1)", {}},
      {"window.start_recorder('x')", {"recorder"}},
      {"window.index_search('words', 'ab')", {"ReloadWithRequest window.index_search('words','ab')"}},
      {"window.filtered_index_search('w')", {"ReloadWithRequest window.filtered_index_search('w')"}},
      {"window.cond_index_search('w')", {"ReloadWithRequest window.cond_index_search('w')"}},
      {"window.sql_search('q')", {"ReloadWithRequest window.sql_search('q')"}},
      {"window.sql_bullet_search('q', 1)", {"ReloadWithRequest window.sql_bullet_search('q',1)"}},
      {"window.ideogram_search('q')", {"ReloadWithRequest window.ideogram_search('q')"}},
      {"window.move_table(2, -5)", {"SelectTableAt 2 -5,0"}},
      {"window.move_table(3)", {"ScrollTable 3"}},
      {"window.move_table()", {"ScrollTable -1"}},
      {"window.display_bookmark_tip(4)", {"annotation tip #4"}},
      {"window.display_bookmark_tip('4')", {}},
      {"window.dial('5551234')", {"dial 5551234"}},
      {"window.dial(5551234)", {}},
      {"window.start_popup_viewer('\\\\doc.pdf')", {"popup viewer \\doc.pdf|0|0"}},
      {"window.start_popup_viewer('\\\\doc.pdf', 3, -4)", {"popup viewer \\doc.pdf|3|-4"}},
      {"window.start_popup_viewer('\\\\doc.pdf', 3)", {"popup viewer \\doc.pdf|0|0"}},
      {"window.start_popup_viewer(1)", {}},
      {"window.start_external_app('..\\\\pword.exe', '..\\\\x.txt')", {"StartExternalApp ..\\pword.exe|..\\x.txt"}},
      {"window.start_external_app('pword.exe')", {"StartExternalApp pword.exe|"}},
      {"window.start_external_app('pword.exe', 'a', 'b')", {"StartExternalApp pword.exe|"}},
      {"window.open_sync('sync')", {"OpenSync sync"}},
      {"window.start_web_browser('http://example.org/')", {"system browser http://example.org/"}},
      {"window.rearrange(1)", {"Rearrange 1 1"}},
      {"window.rearrange(0)", {"Rearrange 0 1"}},
      {"window.rearrange('1')", {}},
      {"window.alert('hey')", {"tip mode 2 at 7,9 hey"}},
      {"alert(42)", {"tip mode 2 at 7,9 42"}},
      {"window.alert()", {}},
      {"window.scroll()", {"cmd 79"}},
      {"window.display_wordlist()",
       {"OpenLocationWithRequest oeb:database?name=corvelline_wordlist window.display_wordlist()"}},
      {"window.add_to_wordlist('word', 'en')",
       {"OpenLocationWithRequest oeb:database?name=corvelline_wordlist window.add_to_wordlist('word','en')"}},
      {"window.display_search_history()",
       {"OpenLocationWithRequest oeb:database?name=corvelline_history window.display_search_history()"}},
      {"window.flash_message('saved')", {"timed message #1000 saved"}},
      {"window.flash_message('a', 'b')", {}},
      {"window.debug_alert('x')", {}},
      // The plain view has no index under its page: the result is undefined.
      {"window.current_index_entry()", {}, "undefined"},
      {"window.send_to_pda()", {}},
  });
}

TEST_F(ScriptHostMethodsTest, HistoryCartSelectionRows) {
  RunCases({
      {"history.back()", {"GoBack"}},
      {"history.forward()", {"GoForward"}},
      {"history.forward(1)", {}},
      {"history.set_checkpoint(1)", {"SetCheckpoint"}},
      {"history.goto_checkpoint()", {"GoToCheckpoint"}, "true"},
      {"history.clear()", {"ClearHistory"}},
      {"history.Clear()", {"ClearHistory"}},
      {"history.clear(1)", {}},
      {"cart.add('id7')", {"cart add |id7|"}},
      {"cart.add('books', 'id7')", {"cart add books|id7|"}},
      {"cart.add('books', 'id7', 'two copies')", {"cart add books|id7|two copies"}},
      {"cart.add('books', 7)", {}},
      {"cart.add('a', 'b', 'c', 'd')", {}},
      {"cart.remove(3)", {"cart remove #3"}},
      {"cart.Remove('books', -3)", {"cart remove #-3 books"}},
      {"cart.remove('books', '3')", {}},
      {"cart.reset()", {"cart reset"}},
      {"cart.reset('books')", {"cart reset books"}},
      {"cart.reset(1)", {}},
      {"cart.submit()", {"cart submit"}},
      {"cart.submit('interactions', 'My title')", {"cart submit interactions|My title|"}},
      {"cart.submit('a', 'b', 'c')", {}},
      // The file is the book's choice, handed on unchanged.
      {"cart.export('books', '\\\\Windows\\\\tessalyn.exe')", {"cart export books|\\Windows\\tessalyn.exe|"}},
      {"cart.export('books')", {}},
      {"cart.export('books', 1)", {}},
      {"selection.copy()", {"cmd 49"}},
      {"selection.highlight()", {"cmd 42"}},
      {"selection.annotate()", {"cmd 43"}},
      {"selection.lookup()", {"cmd 45"}},
  });
}

TEST_F(ScriptHostMethodsTest, LocationVoiceIndexAudioRows) {
  RunCases({
      {"location.replace('other.htm')", {"OpenUrl other.htm"}},
      {"location.replace('a', 'b')", {}},
      {"voice.read()", {"ExecuteCommand 85 speech 0"}},
      {"voice.read(2)", {"ExecuteCommand 85 speech 2"}},
      {"voice.read('2')", {}},
      {"voice.system_play(1, 2)", {}},
      {"index.seek('abc')", {"SetIndexQuery abc"}},
      {"index.seek(1)", {}},
      {"audio.play('a.ogg;b.ogg')", {"audio play a.ogg;b.ogg"}},
      {"audio.play(1)", {}},
      {"audio.stop()", {"audio stop"}},
      {"audio.set_volume(70)", {"audio volume #70"}},
      {"audio.set_volume('70')", {}},
      {"audio.pause()", {"audio pause"}},
      {"audio.resume()", {"resume"}},
      {"audio.show('talks')", {"ReloadWithRequest audio.show('talks')"}},
      {"audio.show('talks', 2)", {}},
      {"audio.goto_track(2)", {"audio track #2"}},
  });
}

TEST_F(ScriptHostMethodsTest, SayKeepsTheSpeechParameter) {
  view().recording = true;
  Run("voice.say('hello', 3);");
  EXPECT_EQ(view().GetSpeechParameter(), 3);
  Run("voice.say('hello', 'x');");
  EXPECT_EQ(view().GetSpeechParameter(), 3) << "a second argument that is no number does nothing";
  Run("voice.say('hello');");
  EXPECT_EQ(view().GetSpeechParameter(), 0);
}

// The rows' own answers, as links and the failure message see them: the
// view's operation's result, 1 for the rows that say so, 0 for a row that
// did nothing. No book is shown, so the view's page moves fail.
TEST_F(ScriptHostMethodsTest, RowsAnswerTheirOperationOrZero) {
  struct AnswerCase {
    uint16_t object, method;
    std::vector<std::pair<std::u16string, bool>> arguments;  // text, is a number
    int32_t answer;
    const char* call;  // what the application was asked, or ""
  };
  const AnswerCase cases[] = {
      {kAtom_bookmarks, kAtom_remove, {{u"9", true}}, 1, ""},  // no mark 9: still 1
      {kAtom_bookmarks, kAtom_remove, {{u"9", false}}, 0, ""},
      {kAtom_bookmarks, kAtom_edit, {{u"5", true}}, 1, "edit annotation #5"},
      {kAtom_bookmarks, kAtom_edit, {{u"x", true}}, 0, ""},
      {kAtom_bookmarks, 80, {{u"2", true}}, 0, ""},
      {kAtom_window, kAtom_display_bookmark_tip, {{u"-4", true}}, 1, "annotation tip #-4"},
      {kAtom_document, kAtom_goto_page, {}, 1, "cmd 20"},
      {kAtom_window, kAtom_dial, {{u"555", false}}, 1, "dial 555"},
      {kAtom_document, kAtom_dial, {{u"555", false}}, 0, ""},
      {0, 75, {}, 0, ""},
  };
  for (const AnswerCase& c : cases) {
    SCOPED_TRACE(c.method);
    ClearCalls();
    ScriptRequest request;
    request.objectAtom = c.object;
    request.methodAtom = c.method;
    for (const auto& [text, number] : c.arguments) request.arguments.Add(viewtest::W(text), number ? 1 : 0);
    ScriptValueHandle result = kScriptUndefinedHandle;
    EXPECT_EQ(view().InvokeScriptMethod(request, Point{1, 2}, &store, &result), c.answer);
    store.Release(&result);
    const std::vector<std::string> calls = Calls();
    EXPECT_EQ(calls.empty() ? std::string() : calls.front(), c.call);
  }
}

}  // namespace
}  // namespace scripthost

// The LOGHOST tags of a document collected into the offline form log while
// the first page is looked for: before BODY, and after it while log hosts
// are collected and the budget of counted tokens lasts (each LOGHOST gives
// a small budget again); the log emptied first; nothing collected without
// a log, and the first page found alike.
#include <string>
#include <vector>

#include "layout/pages/offline_form_log.h"
#include "tests/layout/pages/pager_fixture.h"

namespace pagertest {
namespace {

class RecordingLog : public OfflineFormLog {
 public:
  void AddTextRecord(const TextRecord& record) override {
    entries.push_back(Text(record.url) + u"|" + Text(record.prefix) + u"|" +
                      std::u16string(1, static_cast<char16_t>(u'0' + record.encoding)));
  }
  void DeleteAll() override {
    entries.clear();
    ++deletions;
  }
  static std::u16string Text(const SharedWideString& s) {
    return s.length == 0 ? std::u16string() : std::u16string(s.Chars(), s.length);
  }
  std::vector<std::u16string> entries;
  int deletions = 0;
};

std::string Paragraphs(int n) {
  std::string out;
  for (int i = 0; i < n; ++i) out += "<p>x</p>";
  return out;
}

TEST_F(PagerTest, LogHostsAreCollectedAroundTheFirstPage) {
  struct Case {
    const char* name;
    std::string markup;
    bool collect;
    std::vector<std::u16string> expected;
  };
  const std::string head = "<html><head><loghost url=\"h1\" prefix=\"p1\"></head>";
  const Case cases[] = {
      {"before and just after BODY", head + "<body><loghost url=\"h2\" encoding=5><p>text</p></body></html>", true,
       {u"h1|p1|2", u"h2||5"}},
      {"after BODY, past the budget", head + "<body>" + Paragraphs(60) + "<loghost url=\"late\"></body></html>", true,
       {u"h1|p1|2"}},
      {"a chain of them, each giving the budget again",
       head + "<body>" + Paragraphs(2) + "<loghost url=\"a\">" + Paragraphs(2) + "<loghost url=\"b\">" +
           Paragraphs(2) + "<loghost url=\"c\">" + Paragraphs(3) + "<loghost url=\"d\"></body></html>",
       true, {u"h1|p1|2", u"a||2", u"b||2", u"c||2"}},
      {"not collected past BODY", head + "<body><loghost url=\"h2\"><p>text</p></body></html>", false,
       {u"h1|p1|2"}},
      {"after a long head", "<html><head>" + Paragraphs(200) + "</head><body><loghost url=\"h\"><p>t</p></body>",
       true, {u"h||2"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    document = RandomAccessDocument::FromUtf8(c.markup);
    RecordingLog log;
    log.entries.push_back(u"stale");
    parser = std::make_unique<MarkupParser>();
    parser->AttachSource(document.get(), 0);
    context = std::make_unique<LayoutContext>();
    context->AttachParser(parser.get(), document.get(), &builder);
    context->SetCollectLogHosts(c.collect);
    context->SetFormStore(&log);
    EXPECT_EQ(log.deletions, c.collect ? 1 : 0);
    log.entries.clear();
    context->SetSurface(&surface);
    context->SetBaseStyle(10, 2, TextStyle{});
    context->SetPageRect(Rect{0, 0, 240, 320});
    ASSERT_TRUE(context->Start());
    EXPECT_EQ(log.entries, c.expected);
    // The first page starts after BODY whether or not reading went on.
    const size_t body = c.markup.find("<body>");
    const size_t text = c.markup.find("<p>", body);
    EXPECT_EQ(PageText().substr(0, 1), std::u16string(1, static_cast<char16_t>(c.markup[text + 3])));
    Close();
  }
}

}  // namespace
}  // namespace pagertest

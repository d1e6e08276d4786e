// The Document defaults (titles, abbreviations, property search, neutral
// answers), DocumentProperty copying, and the DocumentHost's forwarding.
#include <gtest/gtest.h>

#include <string>

#include "storage/documents/document.h"
#include "storage/documents/document_host.h"
#include "tests/support/fake_document.h"
#include "tests/support/fake_document_host.h"

namespace {

std::u16string Text(const SharedWideString& s) {
  return s.length == 0 ? std::u16string() : std::u16string(s.Chars(), s.length);
}

TEST(DocumentDefaults, TitleAndAbbreviation) {
  FakeDocument doc(u"");
  SharedWideString text;
  EXPECT_FALSE(doc.GetTitle(&text));
  EXPECT_FALSE(doc.GetAbbreviation(&text));

  doc.properties.push_back({3, u"title", u"Dictionary"});
  ASSERT_TRUE(doc.GetTitle(&text));
  EXPECT_EQ(Text(text), u"Dictionary");
  ASSERT_TRUE(doc.GetAbbreviation(&text));
  EXPECT_EQ(Text(text), u"Dic");

  doc.hasShortName = true;
  doc.shortName = u"OX";
  ASSERT_TRUE(doc.GetAbbreviation(&text));
  EXPECT_EQ(Text(text), u"OX");  // shorter than three stays whole
}

TEST(DocumentDefaults, FindPropertyByNameWithinItsKind) {
  FakeDocument doc(u"");
  doc.properties.push_back({2, u"toc", u"12"});
  doc.properties.push_back({3, u"toc", u"title"});
  doc.properties.push_back({2, u"start", u"40"});
  DocumentProperty found;
  ASSERT_TRUE(doc.FindProperty(u"start", 5, 2, &found, 0));
  EXPECT_EQ(Text(found.value), u"40");
  ASSERT_TRUE(doc.FindProperty(u"toc", 3, 3, &found, 0));
  EXPECT_EQ(Text(found.value), u"title");
  EXPECT_FALSE(doc.FindProperty(u"sta", 3, 2, &found, 0));
  EXPECT_FALSE(doc.FindProperty(u"start", 5, 4, &found, 0));
}

TEST(DocumentDefaults, NeutralAnswers) {
  FakeDocument doc(u"");
  uint32_t length = 7;
  EXPECT_EQ(doc.GetExtraHeaderData(&length), nullptr);
  EXPECT_EQ(length, 0u);
  length = 7;
  EXPECT_EQ(doc.GetStoreNameBytes(&length), nullptr);
  EXPECT_EQ(length, 0u);
  uint32_t in = 5, out = 5;
  EXPECT_FALSE(doc.GetDictionaryLanguages(&in, &out));
  EXPECT_EQ(in, 0u);
  EXPECT_EQ(out, 0u);
  EXPECT_EQ(doc.FindAnchorPosition(0, 10, true), 0xFFFFFFFFu);
  EXPECT_EQ(doc.CheckPosition(12), 0);
  EXPECT_EQ(doc.GetFirstPosition(), 0u);
  EXPECT_EQ(doc.GetLastPosition(), 0xFFFFFFFFu);
  EXPECT_EQ(doc.GetBookType(), 2u);
  EXPECT_TRUE(doc.LacksExthFlag8());
  EXPECT_FALSE(doc.HasExthFlag2());
  EXPECT_TRUE(doc.IsPlainDocument());
  EXPECT_FALSE(doc.GetHeaderInfo(nullptr));
  IndexQueryResult* result = reinterpret_cast<IndexQueryResult*>(&doc);
  doc.CreatePositionQuery(&result, 0, nullptr);
  EXPECT_EQ(result, nullptr);
}

TEST(DocumentProperty, CopyTakesTheRecordButNotTheFillersWords) {
  DocumentProperty a;
  a.kind = 2;
  a.name = SharedWideString(u"n");
  a.position = DocumentProperty::kPositionIsUrl;
  a.length = 9;
  a.extra[0] = 4;
  DocumentProperty b(a);
  EXPECT_EQ(b.kind, 2);
  EXPECT_EQ(Text(b.name), u"n");
  EXPECT_EQ(b.position, -1);
  EXPECT_EQ(b.length, 9);
  EXPECT_EQ(b.extra[0], -1);
}

TEST(DocumentHost, ForwardsMessagesAndStatus) {
  FakeDocumentHostApplication app;
  DocumentHost host(&app);
  app.answer = false;
  EXPECT_FALSE(host.MessageBox(5010, true));
  app.answer = true;
  EXPECT_TRUE(host.MessageBox(5011, false));
  EXPECT_TRUE(host.MessageBoxText(SharedWideString(u"ready"), false));
  EXPECT_TRUE(host.MessageBoxFormat(5012, SharedWideString(u"arg")));
  host.SetStatus(5013);
  host.ClearStatus();
  ASSERT_EQ(app.calls.size(), 6u);
  EXPECT_EQ(app.calls[0].what, "ShowMessage");
  EXPECT_EQ(app.calls[0].caption, kNoCaption);
  EXPECT_EQ(app.calls[0].kind, kMessageQuestion);
  EXPECT_EQ(app.calls[1].kind, kMessageError);
  EXPECT_EQ(app.calls[2].what, "MessageBox");
  EXPECT_EQ(app.calls[2].text, u"ready");
  EXPECT_EQ(app.calls[3].what, "ShowFormattedMessage");
  EXPECT_EQ(app.calls[3].stringId, 5012u);
  EXPECT_EQ(app.calls[3].kind, kMessageError);
  EXPECT_EQ(app.calls[3].text, u"arg");
  EXPECT_EQ(app.calls[4].what, "ShowWaitMessage");
  EXPECT_EQ(app.calls[4].stringId, 5013u);
  EXPECT_EQ(app.calls[5].what, "CloseWaitMessage");
}

TEST(DocumentHost, WithoutAnApplicationDoesNothing) {
  DocumentHost host;
  EXPECT_FALSE(host.MessageBox(5010, true));
  EXPECT_FALSE(host.MessageBoxText(SharedWideString(u"x"), true));
  EXPECT_FALSE(host.MessageBoxFormat(5010, SharedWideString(u"x")));
  host.SetStatus(1);
  host.ClearStatus();
}

}  // namespace

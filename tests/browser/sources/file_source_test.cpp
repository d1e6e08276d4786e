// Local file sources (HTML and text without streams, read through the
// plain-text document once it is installed; a media file as one
// file-range stream), file-range and record stream reads at their ends,
// and Ogg streams told by their first bytes.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "browser/sources/file_document_source.h"
#include "browser/sources/file_range_stream.h"
#include "browser/sources/ogg_audio_maker.h"
#include "browser/sources/ogg_stream.h"
#include "browser/sources/plain_text_opener.h"
#include "layout/markup/plain_text_token_reader.h"
#include "layout/search/text_searcher.h"
#include "foundation/files/file_stream.h"
#include "platform/files/file_hooks.h"
#include "tests/support/fake_document.h"
#include "tests/support/palm_database_builder.h"

namespace {

Url FileUrl(const char16_t* path) {
  Url url;
  EXPECT_TRUE(url.FromFilePath(SharedWideString(path)));
  return url;
}

void WriteFile(const std::u16string& path, const std::string& bytes) {
  ASSERT_TRUE(testbuild::WriteDeviceFile(path, std::vector<uint8_t>(bytes.begin(), bytes.end())));
}

// Stands in for the plain-text document: a fake over the file's bytes, its
// text kind and the range asked for recorded.
struct OpenerLog {
  int calls = 0;
  int32_t lastLength = 0;
  int32_t lastTextKind = 0;
};
OpenerLog g_log;

Document* FakeOpener(FileStream* file, const EncodedString&, int32_t, int32_t, uint32_t, int32_t length,
                     int32_t textKind) {
  ++g_log.calls;
  g_log.lastLength = length;
  g_log.lastTextKind = textKind;
  std::string bytes(length < 0 ? file->Size() : static_cast<uint32_t>(length), '\0');
  if (!bytes.empty() && file->Read(bytes.data(), static_cast<uint32_t>(bytes.size())) != bytes.size()) return nullptr;
  return FakeDocument::FromUtf8(bytes, 4096).release();
}

class FileSourceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g_log = OpenerLog();
    SetPlainTextDocumentOpener(&FakeOpener);
  }
  void TearDown() override { SetPlainTextDocumentOpener(nullptr); }
};

TEST_F(FileSourceTest, TextFilesHaveADocumentAndNoStreams) {
  WriteFile(u"\\page.htm", "<p>hi</p>");
  WriteFile(u"\\notes.TXT", "plain");
  struct {
    const char16_t* path;
    int32_t kind;
    int32_t textKind;
  } cases[] = {{u"\\page.htm", kFileHtml, 2}, {u"\\notes.TXT", kFilePlainText, 1}};
  for (const auto& c : cases) {
    DocumentSourcePtr source;
    source.Adopt(FileDocumentSource::Create(FileUrl(c.path), c.kind, 1252, 65002));
    ASSERT_TRUE(source);
    EXPECT_EQ(g_log.lastLength, -1) << "the whole file";
    EXPECT_EQ(g_log.lastTextKind, c.textKind);
    EXPECT_NE(source->GetDocument(), nullptr);
    EXPECT_FALSE(source->HasEmbeddedStreams());
    DocumentStreamPtr stream;
    source->OpenStreamByIndex(&stream, 0);
    EXPECT_FALSE(stream);
    source->OpenStreamByName(&stream, u"x", 1);
    EXPECT_FALSE(stream);
  }
}

TEST_F(FileSourceTest, HtmlAndPlainTextGiveAParserAndASearcher) {
  WriteFile(u"\\page.htm", "<html><body><p>hi</p></body></html>");
  WriteFile(u"\\t.txt", "text");
  for (const auto& [path, kind] : {std::pair{u"\\page.htm", kFileHtml}, std::pair{u"\\t.txt", kFilePlainText}}) {
    DocumentSourcePtr source;
    source.Adopt(FileDocumentSource::Create(FileUrl(path), kind, 1252, 65002));
    ASSERT_TRUE(source);
    ElementStream* parser = nullptr;
    LayoutContext* layout = nullptr;
    ASSERT_TRUE(source->CreateParser(&parser, &layout, 0));
    EXPECT_NE(layout, nullptr);
    source->DestroyParser(parser, layout);
    TextSearcher* searcher = source->CreateTextSearch();
    EXPECT_NE(searcher, nullptr);
    delete searcher;
  }
}

// The opener the program installs: the real plain-text document.
class InstalledOpenerTest : public ::testing::Test {
 protected:
  void SetUp() override { InstallPlainTextDocumentOpener(); }
  void TearDown() override { SetPlainTextDocumentOpener(nullptr); }
};

std::string Narrow(const SharedWideString& text) {
  std::string out;
  for (uint32_t i = 0; i < text.length; ++i) out += static_cast<char>(text.Chars()[i]);
  return out;
}

TEST_F(InstalledOpenerTest, TextFileIsReadByThePlainTextReader) {
  // A UTF-8 mark, then text: the mark is not part of the text.
  const std::string text = "Chapter one\n\tIt began.\n";
  WriteFile(u"\\story.txt", "\xEF\xBB\xBF" + text);
  DocumentSourcePtr source;
  source.Adopt(FileDocumentSource::Create(FileUrl(u"\\story.txt"), kFilePlainText, 1252, 65002));
  ASSERT_TRUE(source);
  Document* document = source->GetDocument();
  ASSERT_NE(document, nullptr);
  EXPECT_EQ(document->GetTextLength(), text.size());
  SharedWideString title;
  ASSERT_TRUE(document->GetTitle(&title));
  EXPECT_EQ(Narrow(title), "story");

  ElementStream* parser = nullptr;
  LayoutContext* layout = nullptr;
  ASSERT_TRUE(source->CreateParser(&parser, &layout, 0));
  ASSERT_NE(dynamic_cast<PlainTextTokenReader*>(parser), nullptr);
  int32_t kind = kElementAgain;
  for (int guard = 0; guard < 10; ++guard) {
    kind = parser->Next();
    if (kind == kElementText || kind == kElementEnd) break;
  }
  ASSERT_EQ(kind, kElementText) << "the HTML and BODY tags come first, then the words";
  EXPECT_EQ(Narrow(parser->GetText()), "Chapter");
  source->DestroyParser(parser, layout);
}

TEST_F(InstalledOpenerTest, MarkupIsSearchedInItsVisibleTextOnly) {
  const std::string page = "<p class=bold>one <b>two</b> three</p>";
  WriteFile(u"\\page.htm", page);
  DocumentSourcePtr source;
  source.Adopt(FileDocumentSource::Create(FileUrl(u"\\page.htm"), kFileHtml, 1252, 65002));
  ASSERT_TRUE(source);
  std::unique_ptr<TextSearcher> searcher(source->CreateTextSearch());
  ASSERT_NE(searcher, nullptr);
  const uint32_t end = source->GetDocument()->GetTextLength();
  struct {
    const char16_t* pattern;
    bool found;
    uint32_t start;
  } cases[] = {{u"three", true, static_cast<uint32_t>(page.find("three"))},
               {u"two three", true, static_cast<uint32_t>(page.find("two"))},
               {u"bold", false, 0},  // only inside a tag
               {u"b", false, 0}};
  for (const auto& c : cases) {
    SearchRequest request;
    request.pattern = c.pattern;
    request.length = static_cast<uint32_t>(std::u16string(c.pattern).size());
    uint32_t start = 0, matchEnd = 0;
    bool stopped = false;
    EXPECT_EQ(searcher->Scan(request, 0, end, &start, &matchEnd, &stopped), c.found) << Narrow(SharedWideString(c.pattern));
    EXPECT_FALSE(stopped);
    if (c.found) {
      EXPECT_EQ(start, c.start);
    }
  }
}

TEST_F(FileSourceTest, MissingFilesAndBadKindsGiveNoSource) {
  EXPECT_EQ(FileDocumentSource::Create(FileUrl(u"\\missing.htm"), kFileHtml, 1252, 65002), nullptr);
  EXPECT_EQ(FileDocumentSource::Create(Url(), kFileHtml, 1252, 65002), nullptr);
  WriteFile(u"\\a.htm", "x");
  EXPECT_EQ(FileDocumentSource::Create(FileUrl(u"\\a.htm"), 4, 1252, 65002), nullptr);
  // Without the plain-text document a text file cannot be shown.
  SetPlainTextDocumentOpener(nullptr);
  EXPECT_EQ(FileDocumentSource::Create(FileUrl(u"\\a.htm"), kFileHtml, 1252, 65002), nullptr);
  EXPECT_EQ(devtest::OpenFileHandleCount(), 0) << "nothing left open";
}

TEST_F(FileSourceTest, MediaFileIsOneFileRangeStream) {
  const std::string bytes = "GIF89a....picture bytes";
  WriteFile(u"\\Pic #1.GIF", bytes);
  DocumentSourcePtr source;
  source.Adopt(FileDocumentSource::Create(FileUrl(u"\\Pic #1.GIF"), kFileMedia, 1252, 65002));
  ASSERT_TRUE(source);
  EXPECT_EQ(g_log.lastLength, 0) << "a media file's document holds no text";
  EXPECT_TRUE(source->HasEmbeddedStreams());
  DocumentStreamPtr stream;
  source->OpenStreamByIndex(&stream, 5);
  ASSERT_TRUE(stream);
  DocumentStreamPtr byName;
  source->OpenStreamByName(&byName, u"anything", 8);
  EXPECT_EQ(byName.Get(), stream.Get());
  EXPECT_EQ(source->GetStreamCount(), 1u);
  EXPECT_EQ(stream->GetLength(), bytes.size());
  EXPECT_EQ(stream->CompareIndex(0), 0);
  EXPECT_EQ(stream->GetRecordIndex(), -1);

  // Reads: at the length fails, over the end is cut; the same after the
  // contents were taken into memory.
  for (int pass = 0; pass < 2; ++pass) {
    char buffer[64] = {};
    uint32_t read = 99;
    EXPECT_FALSE(stream->ReadAt(static_cast<uint32_t>(bytes.size()), buffer, 1, &read));
    EXPECT_EQ(read, 0u);
    ASSERT_TRUE(stream->ReadAt(20, buffer, 64, &read));
    EXPECT_EQ(read, bytes.size() - 20);
    EXPECT_EQ(std::string(buffer, read), bytes.substr(20));
    EXPECT_FALSE(stream->ReadRaw(20, buffer, 64)) << "the raw read is not cut";
    const uint8_t* memory = nullptr;
    uint32_t size = 0;
    ASSERT_TRUE(stream->GetMemory(&memory, &size));
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(memory), size), bytes);
  }
  stream.Reset();
  byName.Reset();
  EXPECT_EQ(source->GetStreamCount(), 0u);
}

TEST_F(FileSourceTest, EmptyMediaFileGivesNoMemoryAndTrue) {
  WriteFile(u"\\empty.bmp", "");
  DocumentSourcePtr source;
  source.Adopt(FileDocumentSource::Create(FileUrl(u"\\empty.bmp"), kFileMedia, 1252, 65002));
  ASSERT_TRUE(source);
  DocumentStreamPtr stream;
  source->OpenStreamByIndex(&stream, 0);
  ASSERT_TRUE(stream);
  const uint8_t* memory = reinterpret_cast<const uint8_t*>(1);
  uint32_t size = 7;
  EXPECT_TRUE(stream->GetMemory(&memory, &size));
  EXPECT_EQ(memory, nullptr);
  EXPECT_EQ(size, 0u);
  char byte = 0;
  EXPECT_FALSE(stream->ReadAt(0, &byte, 1, nullptr));
}

// Records what the Ogg source maker was given.
class RecordingMaker : public OggSourceMaker {
 public:
  RefCounted* MakeOggSource(DocumentStream* stream) override {
    ++made;
    given = stream->GetReferenceCount();
    return new RefCounted();
  }
  int made = 0;
  int32_t given = 0;
};

TEST_F(FileSourceTest, OggStreamsAreToldByTheirFirstBytes) {
  ASSERT_EQ(std::system("oggenc --version > /dev/null 2>&1"), 0) << "oggenc is missing (Debian package vorbis-tools)";
  const std::filesystem::path folder = devtest::HostPath(u"\\");
  // One second of silence as a WAV file, encoded by oggenc.
  {
    std::ofstream wav(folder / "tone.wav", std::ios::binary);
    const uint32_t rate = 8000, samples = 8000, dataBytes = samples * 2;
    auto u32 = [&](uint32_t v) { wav.write(reinterpret_cast<const char*>(&v), 4); };
    auto u16 = [&](uint16_t v) { wav.write(reinterpret_cast<const char*>(&v), 2); };
    wav << "RIFF";
    u32(36 + dataBytes);
    wav << "WAVEfmt ";
    u32(16);
    u16(1);
    u16(1);
    u32(rate);
    u32(rate * 2);
    u16(2);
    u16(16);
    wav << "data";
    u32(dataBytes);
    for (uint32_t i = 0; i < samples; ++i) u16(static_cast<uint16_t>((i % 40) * 400));
  }
  const std::string command = "oggenc -Q -o '" + (folder / "tone.ogg").string() + "' '" +
                              (folder / "tone.wav").string() + "' > /dev/null 2>&1";
  ASSERT_EQ(std::system(command.c_str()), 0);
  WriteFile(u"\\three.ogg", "Ogg");

  RecordingMaker maker;
  SetOggSourceMaker(&maker);
  for (const char16_t* path : {u"\\tone.ogg", u"\\three.ogg", u"\\tone.wav"}) {
    DocumentSourcePtr source;
    source.Adopt(FileDocumentSource::Create(FileUrl(path), kFileMedia, 1252, 65002));
    ASSERT_TRUE(source);
    DocumentStreamPtr stream;
    source->OpenStreamByIndex(&stream, 0);
    ASSERT_TRUE(stream);
    RefPtr<RefCounted> audio;
    const bool ogg = IsOggStream(stream.Detach(), &audio);
    const bool expected = std::u16string(path) == u"\\tone.ogg";
    EXPECT_EQ(ogg, expected);
    EXPECT_EQ(static_cast<bool>(audio), expected);
    EXPECT_EQ(source->GetStreamCount(), 0u) << "the stream was released";
  }
  EXPECT_EQ(maker.made, 1);
  EXPECT_EQ(maker.given, 1) << "the maker counts the stream itself";

  // The installed maker: the audio subsystem's Ogg Vorbis source, which
  // keeps the stream (and so the source) while it plays.
  InstallOggSourceMaker();
  for (const char16_t* path : {u"\\tone.ogg", u"\\three.ogg"}) {
    DocumentSourcePtr source;
    source.Adopt(FileDocumentSource::Create(FileUrl(path), kFileMedia, 1252, 65002));
    ASSERT_TRUE(source);
    DocumentStreamPtr stream;
    source->OpenStreamByIndex(&stream, 0);
    ASSERT_TRUE(stream);
    RefPtr<RefCounted> audio;
    const bool real = std::u16string(path) == u"\\tone.ogg";
    EXPECT_EQ(IsOggStream(stream.Detach(), &audio), real);
    if (!real) {
      EXPECT_FALSE(audio) << "no Ogg mark, no source";
      continue;
    }
    ASSERT_TRUE(audio);
    AudioSource* played = static_cast<OggAudioHolder*>(audio.Get())->Source();
    ASSERT_NE(played, nullptr);
    EXPECT_TRUE(played->IsValid());
    EXPECT_EQ(played->GetDuration(), 1);
    PcmFormat format;
    ASSERT_TRUE(played->GetPcmReader()->GetFormat(&format));
    EXPECT_EQ(format.rate, 8000u);
    EXPECT_EQ(source->GetStreamCount(), 1u) << "the audio source holds the stream";
    audio.Clear();
    EXPECT_EQ(source->GetStreamCount(), 0u);
  }
  // The mark alone, without Vorbis headers, makes no source.
  WriteFile(u"\\mark.ogg", "OggS and nothing more");
  {
    DocumentSourcePtr source;
    source.Adopt(FileDocumentSource::Create(FileUrl(u"\\mark.ogg"), kFileMedia, 1252, 65002));
    ASSERT_TRUE(source);
    DocumentStreamPtr stream;
    source->OpenStreamByIndex(&stream, 0);
    ASSERT_TRUE(stream);
    RefPtr<RefCounted> audio;
    EXPECT_TRUE(IsOggStream(stream.Detach(), &audio));
    EXPECT_FALSE(audio);
    EXPECT_EQ(source->GetStreamCount(), 0u);
  }
  SetOggSourceMaker(nullptr);
  EXPECT_FALSE(IsOggStream(nullptr, nullptr));
}

}  // namespace

// The plain-text document: the byte-order-mark table, UTF-16 files (either
// byte order) in blocks of 4096 units, UTF-8 blocks that take the
// continuation bytes of their last character and positions translated
// through the blocks' maps, code-page conversion, use counts that ignore
// unknown identifiers, the title property and deletion with the side file.
#include "storage/documents/plain_text_document.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "foundation/files/file_mode.h"
#include "foundation/files/file_stream.h"
#include "platform/files/files.h"
#include "tests/support/palm_database_builder.h"

namespace {

using Bytes = std::vector<uint8_t>;

struct Opened {
  RefPtr<PlainTextDocument> doc;
  explicit operator bool() const { return doc.Get() != nullptr; }
  PlainTextDocument* operator->() const { return doc.Get(); }
};

Opened OpenText(const Bytes& bytes, int32_t defaultCp = 1252, int32_t requestedCp = 65002,
                const char16_t* path = u"\\My Text.txt") {
  Opened opened;
  if (!testbuild::WriteDeviceFile(path, bytes)) return opened;
  FileStream* stream = FileStream::CreateAndOpen(path, kFileModeRead | kFileModeOpenExisting | kFileModeShareRead, 0);
  if (stream == nullptr) return opened;
  opened.doc.Adopt(new PlainTextDocument());
  EXPECT_EQ(opened.doc->Open(stream, path, defaultCp, requestedCp, true, 0, -1), 1);
  return opened;
}

Bytes Ascii(const std::string& s) { return Bytes(s.begin(), s.end()); }

std::u16string BlockText(const TextBlock& block) {
  return std::u16string(block.Units(), block.length);
}

TEST(PlainTextDocument, TheByteOrderMarkChoosesTheEncoding) {
  struct Case {
    const char* name;
    Bytes bytes;
    int32_t fileCp;
    bool swapped;
    uint32_t offset, length;
  };
  const Case cases[] = {
      {"empty", {}, 1252, false, 0, 0},
      {"one byte", {0xFF}, 1252, false, 0, 1},
      {"EF BB without BF", {0xEF, 0xBB, 0x41}, 1252, false, 0, 3},
      {"UTF-8", {0xEF, 0xBB, 0xBF, 'a', 'b'}, 65001, false, 3, 2},
      {"UTF-16 little-endian", {0xFF, 0xFE, 'a', 0, 'b', 0}, 65002, false, 2, 2},
      {"UTF-16 big-endian", {0xFE, 0xFF, 0, 'a', 0, 'b'}, 65002, true, 2, 2},
      {"a mark alone", {0xFF, 0xFE}, 65002, false, 2, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Opened doc = OpenText(c.bytes);
    ASSERT_TRUE(doc);
    EXPECT_EQ(doc->FileCodePage(), c.fileCp);
    EXPECT_EQ(doc->IsByteSwapped(), c.swapped);
    EXPECT_EQ(doc->TextOffset(), c.offset);
    EXPECT_EQ(doc->GetTextLength(), c.length);
    EXPECT_EQ(doc->GetCodePage(), 65002);
    TextBlock block;
    EXPECT_FALSE(doc->ReadBlock(c.length, &block, 0, false));  // the end
  }
}

TEST(PlainTextDocument, UnitsOfAUtf16FileInBlocksOfEitherOrder) {
  std::u16string text;
  for (int i = 0; i < 10000; ++i) text.push_back(static_cast<char16_t>(0x3041 + i % 80));
  for (bool bigEndian : {false, true}) {
    SCOPED_TRACE(bigEndian ? "big-endian" : "little-endian");
    Bytes bytes = bigEndian ? Bytes{0xFE, 0xFF} : Bytes{0xFF, 0xFE};
    for (char16_t u : text) {
      uint8_t hi = static_cast<uint8_t>(u >> 8), lo = static_cast<uint8_t>(u);
      bytes.push_back(bigEndian ? hi : lo);
      bytes.push_back(bigEndian ? lo : hi);
    }
    Opened doc = OpenText(bytes);
    ASSERT_TRUE(doc);
    ASSERT_EQ(doc->GetTextLength(), 10000u);
    std::u16string read;
    uint32_t blocks = 0;
    for (uint32_t position = 0; position < 10000; ++blocks) {
      TextBlock block;
      ASSERT_TRUE(doc->ReadBlock(position + 5, &block, 0, false));
      EXPECT_EQ(block.start, position);
      EXPECT_EQ(doc->AdvancePosition(block.start, 7, 0), position + 7);
      EXPECT_EQ(doc->PositionDistance(block.start, position + 9, 0), 9u);
      read += BlockText(block);
      position = doc->AdvancePosition(block.start, block.length, 0);
      EXPECT_EQ(block.start + block.sourceLength, position);  // positions, not bytes
      doc->ReleaseBlock(block.blockId);
    }
    EXPECT_EQ(blocks, 3u);
    EXPECT_EQ(read, text);
    EXPECT_EQ(doc->BlocksInUse(), 0u);
  }
}

TEST(PlainTextDocument, AUtf8BlockTakesTheRestOfItsLastCharacter) {
  // 4095 letters, then a three-byte character over bytes 4095-4097 of the
  // text, then two-byte characters.
  Bytes bytes{0xEF, 0xBB, 0xBF};
  for (int i = 0; i < 4095; ++i) bytes.push_back(static_cast<uint8_t>('a' + i % 26));
  for (uint8_t b : {0xE2, 0x82, 0xAC}) bytes.push_back(b);  // the euro sign
  for (int i = 0; i < 100; ++i) {
    bytes.push_back(0xC3);
    bytes.push_back(0xA9);  // e with acute
  }
  Opened doc = OpenText(bytes);
  ASSERT_TRUE(doc);
  ASSERT_EQ(doc->GetTextLength(), 4098u + 200u);

  TextBlock first;
  ASSERT_TRUE(doc->ReadBlock(0, &first, 0, false));
  EXPECT_EQ(first.length, 4096u);
  EXPECT_EQ(first.sourceLength, 4098u);
  EXPECT_EQ(first.Units()[4095], u'\u20AC');
  EXPECT_EQ(doc->AdvancePosition(0, 4095, 0), 4095u);
  EXPECT_EQ(doc->AdvancePosition(0, 4096, 0), 4098u);
  EXPECT_EQ(doc->PositionDistance(0, 4098, 0), 4096u);

  // A position inside the bytes the first block took is its last character.
  TextBlock again;
  ASSERT_TRUE(doc->ReadBlock(4097, &again, 0, false));
  EXPECT_EQ(again.blockId, first.blockId);
  doc->ReleaseBlock(again.blockId);

  TextBlock second;
  ASSERT_TRUE(doc->ReadBlock(4098, &second, 0, false));
  EXPECT_NE(second.blockId, first.blockId);
  EXPECT_EQ(second.start, 4096u);
  EXPECT_EQ(BlockText(second), std::u16string(100, u'\u00E9'));
  EXPECT_EQ(doc->AdvancePosition(4096, 0, 0), 4098u);
  EXPECT_EQ(doc->AdvancePosition(4096, 3, 0), 4104u);
  EXPECT_EQ(doc->PositionDistance(4096, 4104, 0), 3u);
  doc->ReleaseBlock(second.blockId);
  doc->ReleaseBlock(first.blockId);
  EXPECT_EQ(doc->BlocksInUse(), 0u);
}

TEST(PlainTextDocument, ASingleByteFileIsConvertedToTheAskedCodePage) {
  Opened doc = OpenText(Bytes{'c', 'a', 'f', 0xE9, 0x80});
  ASSERT_TRUE(doc);
  TextBlock block;
  ASSERT_TRUE(doc->ReadBlock(0, &block, 0, false));
  EXPECT_EQ(BlockText(block), u"caf\u00E9\u20AC");
  EXPECT_FALSE(doc->ReadBlock(0, &block, 0, true));  // raw: never
  EXPECT_FALSE(doc->ReadBlock(0, &block, 1, false));  // a section: never
  doc->ReleaseBlock(1);

  // Asked for its own code page, the file's bytes are handed out as read.
  Opened same = OpenText(Bytes{'c', 'a', 'f', 0xE9}, 1252, 1252, u"\\same.txt");
  ASSERT_TRUE(same);
  ASSERT_TRUE(same->ReadBlock(2, &block, 0, false));
  EXPECT_EQ(std::string(static_cast<const char*>(block.data), block.length), "caf\xE9");
  same->ReleaseBlock(block.blockId);
}

TEST(PlainTextDocument, ReleasesCountUsesAndIgnoreUnknownIdentifiers) {
  Bytes bytes(3 * 4096, 'x');
  Opened doc = OpenText(bytes);
  ASSERT_TRUE(doc);
  TextBlock a, b, c;
  ASSERT_TRUE(doc->ReadBlock(0, &a, 0, false));
  ASSERT_TRUE(doc->ReadBlock(100, &b, 0, false));  // the same block, shared
  ASSERT_TRUE(doc->ReadBlock(5000, &c, 0, false));
  EXPECT_EQ(a.blockId, b.blockId);
  EXPECT_NE(a.blockId, c.blockId);
  EXPECT_EQ(doc->BlocksInUse(), 2u);
  doc->ReleaseBlock(0);
  doc->ReleaseBlock(999);
  doc->ReleaseBlock(a.blockId);
  EXPECT_EQ(doc->BlocksInUse(), 2u);  // one use left
  doc->ReleaseBlock(a.blockId);
  doc->ReleaseBlock(a.blockId);  // given back already: no count below 0
  EXPECT_EQ(doc->BlocksInUse(), 1u);
  TextBlock d;
  ASSERT_TRUE(doc->ReadBlock(10, &d, 0, false));  // the freed entry serves again
  doc->ReleaseBlock(c.blockId);
  EXPECT_EQ(doc->BlocksInUse(), 1u);
  doc->ReleaseBlock(d.blockId);
  EXPECT_EQ(doc->BlocksInUse(), 0u);
}

TEST(PlainTextDocument, TitleGuideStateAndDeletion) {
  Opened doc = OpenText(Ascii("words"), 1252, 65002, u"\\Texts\\The Long.Name.txt");
  ASSERT_FALSE(doc);  // no such folder: nothing opened
  ASSERT_TRUE(CreateDirectoryW(u"\\Texts", nullptr));
  doc = OpenText(Ascii("words"), 1252, 65002, u"\\Texts\\The Long.Name.txt");
  ASSERT_TRUE(doc);
  DocumentProperty title;
  ASSERT_TRUE(doc->GetProperty(3, 0, &title));
  EXPECT_EQ(std::u16string(title.name.Chars(), title.name.length), u"Title");
  EXPECT_EQ(std::u16string(title.value.Chars(), title.value.length), u"The Long.Name");
  SharedWideString shown;
  ASSERT_TRUE(doc->GetTitle(&shown));
  EXPECT_EQ(std::u16string(shown.Chars(), shown.length), u"The Long.Name");
  EXPECT_FALSE(doc->GetProperty(3, 1, &title));
  EXPECT_FALSE(doc->GetProperty(2, 0, &title));
  EXPECT_EQ(doc->GetGuideState(), 0);
  doc->SetGuideState(2);
  EXPECT_EQ(doc->GetGuideState(), 2);
  EXPECT_EQ(doc->GetLanguage(), 0u);
  doc->Close();

  ASSERT_TRUE(testbuild::WriteDeviceFile(u"\\Texts\\The Long.Name.qvr", Ascii("side")));
  EXPECT_TRUE(PlainTextDocument::DeleteBookAndSideFile(u"\\Texts\\The Long.Name.txt"));
  EXPECT_EQ(GetFileAttributesW(u"\\Texts\\The Long.Name.txt"), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(GetFileAttributesW(u"\\Texts\\The Long.Name.qvr"), INVALID_FILE_ATTRIBUTES);
  EXPECT_FALSE(PlainTextDocument::DeleteBookAndSideFile(u"\\Texts\\The Long.Name.txt"));
}

}  // namespace

// Storage cards: listing exactly the declared cards, telling paths on cards
// apart, and the write probe, which refuses marked cards and never touches
// an existing file.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include "foundation/encoded_string/encoded_string_array.h"
#include "foundation/files/folders.h"
#include "foundation/files/storage_cards.h"
#include "platform/files/files.h"
#include "platform/testing/files.h"

namespace fs = std::filesystem;

namespace {

void Put(const char16_t* path, const std::string& bytes) {
  HANDLE h = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(h);
}

std::string Get(const char16_t* path) {
  HANDLE h = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return "<missing>";
  char buffer[256];
  DWORD read = 0;
  ReadFile(h, buffer, sizeof buffer, &read, nullptr);
  CloseHandle(h);
  return std::string(buffer, read);
}

EncodedString W(const std::u16string& text) {
  EncodedString s;
  s.FromWide(text.c_str(), static_cast<int32_t>(text.size()));
  return s;
}

std::u16string Text(const EncodedString& s) {
  return s.buffer ? std::u16string(reinterpret_cast<const char16_t*>(s.buffer), s.length / 2) : std::u16string();
}

std::set<std::u16string> Cards() {
  EncodedStringArray cards;
  EnumerateStorageCards(&cards);
  std::set<std::u16string> names;
  for (uint32_t i = 0; i < cards.Count(); ++i) names.insert(Text(cards.At(i)));
  EXPECT_EQ(names.size(), cards.Count());
  return names;
}

size_t EntriesIn(const char* hostFolder) {
  size_t n = 0;
  for (const auto& entry : fs::directory_iterator(devtest::DeviceRootFolder() / hostFolder)) {
    (void)entry;
    ++n;
  }
  return n;
}

}  // namespace

TEST(StorageCards, ListsExactlyTheDeclaredCards) {
  ASSERT_TRUE(CreateFolder(W(u"\\eBooks")));  // an ordinary folder is no card
  EXPECT_EQ(Cards(), (std::set<std::u16string>{u"\\Storage Card"}));

  devtest::UseFreshDeviceRoot({u"Storage Card", u"SD2"});
  ASSERT_TRUE(CreateFolder(W(u"\\My Documents")));
  EXPECT_EQ(Cards(), (std::set<std::u16string>{u"\\Storage Card", u"\\SD2"}));

  devtest::UseFreshDeviceRoot({});
  EncodedStringArray none;
  EXPECT_FALSE(EnumerateStorageCards(&none));
  EXPECT_EQ(none.Count(), 0u);
  EXPECT_EQ(devtest::OpenFindHandleCount(), 0);
}

TEST(StorageCards, TellsPathsOnCardsApart) {
  ASSERT_TRUE(CreateFolder(W(u"\\eBooks")));
  struct Case {
    const char16_t* path;
    bool outside;
  } cases[] = {
      {u"\\Storage Card\\eBooks\\a.corv", false},
      {u"\\STORAGE CARD\\a.corv", false},
      {u"\\Storage Card", true},  // no second backslash
      {u"\\eBooks\\a.corv", true},
      {u"\\Missing\\a.corv", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.path, c.path + std::char_traits<char16_t>::length(c.path)));
    EXPECT_EQ(IsOutsideStorageCard(W(c.path)), c.outside);
  }
}

TEST(StorageCards, MarkedCardsAreNeverWritten) {
  ASSERT_TRUE(CreateFolder(W(u"\\Storage Card\\eBooks")));
  EXPECT_TRUE(CanWriteToFolder(W(u"\\Storage Card\\eBooks\\new.corv")));
  Put(u"\\Storage Card\\qvr_ro", "");
  size_t before = EntriesIn("Storage Card/eBooks");
  EXPECT_FALSE(CanWriteToFolder(W(u"\\Storage Card\\eBooks\\new.corv")));
  EXPECT_FALSE(CanWriteToFolder(W(u"\\storage card\\x.corv")));
  EXPECT_EQ(EntriesIn("Storage Card/eBooks"), before);
  // The marker counts only on a card.
  ASSERT_TRUE(CreateFolder(W(u"\\Docs")));
  Put(u"\\Docs\\qvr_ro", "");
  EXPECT_TRUE(CanWriteToFolder(W(u"\\Docs\\x.txt")));
}

TEST(StorageCards, ProbeNeverTouchesAnExistingFile) {
  ASSERT_TRUE(CreateFolder(W(u"\\eBooks")));
  Put(u"\\eBooks\\book.corv", "precious book");
  ASSERT_TRUE(SetFileAttributesW(u"\\eBooks\\book.corv", FILE_ATTRIBUTE_HIDDEN));
  EXPECT_TRUE(CanWriteToFolder(W(u"\\eBooks\\book.corv")));
  EXPECT_EQ(Get(u"\\eBooks\\book.corv"), "precious book");
  EXPECT_EQ(GetFileAttributesW(u"\\eBooks\\book.corv"), FILE_ATTRIBUTE_HIDDEN);
  EXPECT_EQ(EntriesIn("eBooks"), 1u);  // the probe is gone too
  EXPECT_EQ(devtest::OpenFileHandleCount(), 0);
}

TEST(StorageCards, ProbeNeedsTheFirstFolderAndTheFileFolder) {
  EXPECT_TRUE(CanWriteToFolder(W(u"\\top.txt")));   // no backslash after the first character
  EXPECT_TRUE(CanWriteToFolder(W(u"plain.txt")));
  EXPECT_FALSE(CanWriteToFolder(W(u"\\Missing\\a.txt")));
  EXPECT_FALSE(CanWriteToFolder(W(u"\\Storage Card\\Missing\\a.txt")));
  EXPECT_EQ(EntriesIn("Storage Card"), 0u);
}

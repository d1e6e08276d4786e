// Opening and creating a book's side file: the exact bytes of a new file,
// its path and container name; refusing what is not a side file and
// setting a damaged one aside as "<name>.bad"; never touching the file
// after a failed read or lack of memory, or in a read-only open; a crash
// at any write of a save leaving the old marks readable; the close
// listener and the reference count.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/files/files.h"
#include "platform/memory/allocator.h"
#include "platform/testing/allocation.h"
#include "platform/testing/files.h"
#include "storage/side_file/book_parameter_file.h"
#include "storage/side_file/side_file_layout.h"
#include "tests/support/fake_close_listener.h"
#include "tests/support/record_file_builder.h"

using testbuild::RecordFileBuilder;
using testbuild::Words;

namespace {

constexpr const char16_t* kBook = u"\\eBooks\\My Book.prc";
constexpr const char16_t* kSide = u"\\eBooks\\My Book.qvr";
constexpr const char16_t* kBad = u"\\eBooks\\My Book.qvr.bad";
constexpr uint32_t kNone = 0xFFFFFFFF;

EncodedString Wide(const char16_t* text) {
  EncodedString s;
  s.FromWide(text);
  return s;
}

std::vector<uint8_t> FileAt(const char16_t* path) {
  return testbuild::PeekDeviceFile(path).value_or(std::vector<uint8_t>{'<', 'n', 'o', 'n', 'e', '>'});
}

bool Exists(const char16_t* path) { return GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES; }

// The header record of a new side file, word by word as the layout gives
// it (word 28, reserved, is 0 in files this system makes).
const uint32_t kNewHeader[23] = {
    kNone,  // 0 saved position
    0,      // 4 frame position
    0,      // 8
    kNone,  // 12 frame state link
    kNone,  // 16 category link
    127,    // 20 word 20
    kNone,  // 24 document stamp
    0,      // 28 reserved
    kNone,  // 32 view state link
    kNone,  // 36 reading position
    kNone,  // 40
    kNone,  // 44 reading state link
    0,      // 48 reading position valid
    0,      // 52 word 52
    kNone,  // 56 author
    kNone,  // 60 genre
    kNone,  // 64 publisher
    kNone,  // 68 abstract
    kNone,  // 72 ISBN
    0,      // 76 word 76
    0,      // 80 word 80
    kNone,  // 84 cover
    kNone,  // 88 title
};

std::vector<uint8_t> NewHeaderData() {
  std::vector<uint8_t> out;
  for (uint32_t w : kNewHeader) testbuild::PutU32BE(out, out.size(), w);
  return out;
}

// A current side file with two marks, one with a note.
std::vector<uint8_t> SoundSideFile() {
  RecordFileBuilder builder("BPAR");
  builder.Add("BPAR", NewHeaderData(), 0x10);
  builder.Add("DATA", testbuild::Utf16BE(u"my note"), 0x11);
  builder.Add("BKMK", Words({100, 120, 90, 0, 7, 1, kNone, 0x11, kNone, kNone, kNone, kNone, kNone}), 0x12);
  builder.Add("BKMK", Words({500, 500, 480, 0, 0, 1, kNone, kNone, kNone, kNone, kNone, kNone, kNone}), 0x13);
  return builder.Build();
}

// The marks and notes of a side file, as a text, for comparisons.
std::string MarksOf(BookParameterFile& file) {
  std::string out;
  MarkIterator it;
  for (uint32_t mark = file.FirstBookmark(0, kNone, &it); mark != kNone; mark = file.NextBookmark(&it)) {
    uint32_t start = 0, end = 0, vp = 0, ve = 0, extra = 0;
    file.GetBookmarkRange(mark, &start, &end, &vp, &ve, &extra);
    out += std::to_string(start) + "-" + std::to_string(end);
    uint32_t count = 0;
    const WCHAR* note = file.GetBookmarkNote(mark, &count);
    if (note) out += ":" + std::string(note, note + count);
    out += ";";
  }
  return out;
}

class SideFileOpenTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(CreateDirectoryW(u"\\eBooks", nullptr)); }

  RecordResult Create(BookParameterFile& file, bool readOnly = false, const char* name = "My Book") {
    return file.Create(Wide(kBook), name, name ? static_cast<uint32_t>(std::strlen(name)) : 0, readOnly, true, false);
  }
};

}  // namespace

TEST_F(SideFileOpenTest, ANewSideFileHoldsExactlyTheHeaderOfTheLayout) {
  {
    BookParameterFile file;
    ASSERT_EQ(Create(file), RecordResult::kOk);
    EXPECT_FALSE(file.IsReadOnly());
  }
  auto view = testbuild::ReadTaggedDeviceFile(kSide);
  ASSERT_TRUE(view);
  EXPECT_EQ(view->head.type, testbuild::FourCC("BPAR"));
  EXPECT_EQ(view->head.creator, testbuild::FourCC("CORV"));
  EXPECT_EQ(view->head.name, "My Book_PAR");
  ASSERT_EQ(view->records.size(), 1u);
  EXPECT_EQ(view->records[0].tag, "BPAR");
  EXPECT_EQ(view->records[0].storedLength, 92u);
  EXPECT_EQ(view->records[0].recordSize, 100u);
  EXPECT_EQ(view->records[0].data, NewHeaderData());
}

TEST_F(SideFileOpenTest, SideFilePathsReplaceTheLastExtension) {
  struct Case {
    std::u16string book;
    std::u16string side;
  } cases[] = {
      {u"\\eBooks\\a.prc", u"\\eBooks\\a.qvr"},
      {u"\\eBooks\\a.txt", u"\\eBooks\\a.qvr"},
      {u"\\eBooks\\a.b.corv", u"\\eBooks\\a.b.qvr"},
      {u"\\Storage Card\\v1.2\\book", u"\\Storage Card\\v1.2\\book.qvr"},
      {u"book", u"book.qvr"},
      {u"\\eBooks\\\u00e9t\u00e9.pdb", u"\\eBooks\\\u00e9t\u00e9.qvr"},
  };
  for (const auto& c : cases) {
    EncodedString side;
    ASSERT_TRUE(BookParameterFile::MakeSideFilePath(Wide(c.book.c_str()), &side));
    EXPECT_EQ(std::u16string(side.Chars(), side.ByteLength() / 2), c.side);
  }
  // A book path in the code page 1252 comes out as UTF-16.
  EncodedString narrow;
  narrow.AssignNarrow("\\eBooks\\caf\xe9.prc", 1252);
  EncodedString side;
  ASSERT_TRUE(BookParameterFile::MakeSideFilePath(narrow, &side));
  EXPECT_EQ(side.CodePage(), 65002);
  EXPECT_EQ(std::u16string(side.Chars(), side.ByteLength() / 2), u"\\eBooks\\caf\u00e9.qvr");
  // A path out of memory forms nothing.
  EncodedString broken = Wide(kBook);
  broken.SetError(kErrorNoMemory);
  BookParameterFile file;
  EXPECT_EQ(file.Open(broken, false), RecordResult::kFailed);
  EXPECT_EQ(file.Create(broken, nullptr, 0, false, true, false), RecordResult::kFailed);
}

TEST_F(SideFileOpenTest, DatabaseNamesKeep27BytesAndEndInPar) {
  struct Case {
    std::string name;
    std::string expected;
  } cases[] = {
      {"Short", "Short_PAR"},
      {std::string(27, 'a'), std::string(27, 'a') + "_PAR"},
      {std::string(40, 'b'), std::string(27, 'b') + "_PAR"},
      {"", "_PAR"},
  };
  for (const auto& c : cases) {
    EncodedString name;
    name.AssignNarrow(c.name.c_str(), 1252);
    EncodedString out;
    BookParameterFile::MakeSideDatabaseName(name, &out);
    ASSERT_TRUE(out.IsOk());
    EXPECT_EQ(std::string(out.ConstBytes(), out.ByteLength()), c.expected);
    EXPECT_EQ(out.CodePage(), 1252);
  }
  // A UTF-16 name is converted to 1252 first.
  EncodedString name = Wide(u"Caf\u00e9");
  EncodedString out;
  BookParameterFile::MakeSideDatabaseName(name, &out);
  EXPECT_EQ(std::string(out.ConstBytes(), out.ByteLength()), "Caf\xe9_PAR");

  // A 40-character book name in a created file.
  {
    BookParameterFile file;
    std::string longName(40, 'n');
    ASSERT_EQ(Create(file, false, longName.c_str()), RecordResult::kOk);
  }
  EXPECT_EQ(testbuild::ReadTaggedDeviceFile(kSide)->head.name, std::string(27, 'n') + "_PAR");
  // The own path of a side file takes the name unchanged.
  {
    BookParameterFile file;
    ASSERT_EQ(file.Create(Wide(u"\\eBooks\\other.qvr"), "Plain name", 10, false, false, false), RecordResult::kOk);
    EXPECT_EQ(file.BookPath().ByteLength(), 0u);
  }
  EXPECT_EQ(testbuild::ReadTaggedDeviceFile(u"\\eBooks\\other.qvr")->head.name, "Plain name");
}

TEST_F(SideFileOpenTest, OpenNeverCreatesAndRefusesWhatIsNotASideFile) {
  BookParameterFile file;
  EXPECT_EQ(file.Open(Wide(kBook), false), RecordResult::kFailed);
  EXPECT_FALSE(Exists(kSide));

  RecordFileBuilder noHeader("BPAR");
  noHeader.Add("DATA", Words({1}));
  noHeader.Add("BPAR", Words({1}));  // a header, but not at index 0
  RecordFileBuilder unreadable("BPAR");
  unreadable.AddRaw(testbuild::TaggedRecord("BPAR", Words({1, 2}), 200u));
  std::vector<uint8_t> cases[] = {noHeader.Build(), unreadable.Build(), {'j', 'u', 'n', 'k'}, RecordFileBuilder("BPAR").Build()};
  for (const auto& bytes : cases) {
    ASSERT_TRUE(testbuild::WriteDeviceFile(kSide, bytes));
    for (bool readOnly : {false, true}) {
      EXPECT_EQ(file.Open(Wide(kBook), readOnly), RecordResult::kFailed);
      EXPECT_FALSE(file.IsOpen());
      EXPECT_EQ(FileAt(kSide), bytes);
      EXPECT_FALSE(Exists(kBad));
    }
  }
  ASSERT_TRUE(testbuild::WriteDeviceFile(kSide, SoundSideFile()));
  ASSERT_EQ(file.Open(Wide(kBook), false), RecordResult::kOk);
  EXPECT_EQ(MarksOf(file), "100-120:my note;500-500;");
  EXPECT_EQ(std::u16string(file.BookPath().Chars(), file.BookPath().ByteLength() / 2), kBook);
}

TEST_F(SideFileOpenTest, ADamagedSideFileIsSetAsideBeforeAFreshOneIsMade) {
  RecordFileBuilder noHeader("BPAR");
  noHeader.Add("BKMK", Words({1, 2, 3, 4, 5, 6, kNone, kNone, kNone, kNone, kNone, kNone, kNone}));
  RecordFileBuilder unreadable("BPAR");
  unreadable.AddRaw(testbuild::TaggedRecord("BPAR", Words({1, 2}), 200u));
  std::vector<uint8_t> junk(300, 0xEE);
  struct Case {
    const char* what;
    std::vector<uint8_t> bytes;
  } cases[] = {{"no header record", noHeader.Build()},
               {"unreadable header", unreadable.Build()},
               {"not a database", junk}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_TRUE(testbuild::WriteDeviceFile(kBad, {1, 2, 3}));  // an older one
    ASSERT_TRUE(testbuild::WriteDeviceFile(kSide, c.bytes));
    {
      BookParameterFile file;
      ASSERT_EQ(Create(file), RecordResult::kOk);
      EXPECT_EQ(file.GetWord20(), 127u);
      MarkIterator it;
      EXPECT_EQ(file.FirstBookmark(0, kNone, &it), kNone);
    }
    EXPECT_EQ(FileAt(kBad), c.bytes);
    auto view = testbuild::ReadTaggedDeviceFile(kSide);
    ASSERT_TRUE(view);
    ASSERT_EQ(view->records.size(), 1u);
    EXPECT_EQ(view->records[0].data, NewHeaderData());
  }
}

TEST_F(SideFileOpenTest, LackOfMemoryAnywhereInAnOpenLeavesTheMarksAsTheyWere) {
  auto sound = SoundSideFile();
  for (int how = 0; how < 3; ++how) {
    SCOPED_TRACE(how);
    for (long n = 1;; ++n) {
      SCOPED_TRACE(n);
      ASSERT_TRUE(testbuild::WriteDeviceFile(kSide, sound));
      RecordResult result;
      bool injected;
      {
        BookParameterFile file;
        {
          devtest::AllocationFailure failure(n);
          result = how == 0 ? Create(file) : file.Open(Wide(kBook), how == 2);
        }
        injected = devtest::InjectedAllocationFailures() > 0;
        devtest::ResetAllocations();
        if (result == RecordResult::kOk) {
          EXPECT_EQ(MarksOf(file), "100-120:my note;500-500;");
        } else {
          EXPECT_FALSE(file.IsOpen());
        }
      }
      EXPECT_FALSE(Exists(kBad));
      if (result != RecordResult::kOk) {
        EXPECT_EQ(FileAt(kSide), sound);
      }
      BookParameterFile check;
      ASSERT_EQ(check.Open(Wide(kBook), true), RecordResult::kOk);
      EXPECT_EQ(MarksOf(check), "100-120:my note;500-500;");
      if (!injected) break;
      ASSERT_LT(n, 200);
    }
  }
}

TEST_F(SideFileOpenTest, AReadOnlyOpenLeavesTheFileByteForByte) {
  // An old file: a short header and a short mark, which a writable open
  // would upgrade.
  RecordFileBuilder builder("BPAR");
  builder.Head().name = "Old name";
  builder.Add("BPAR", Words({kNone, 0, 0, kNone, kNone, 127, 55}), 0x10);
  builder.Add("BKMK", Words({10, 20, 5, 0, 0, 1, kNone, kNone, kNone}), 0x11);
  auto old = builder.Build();
  ASSERT_TRUE(testbuild::WriteDeviceFile(kSide, old));
  for (int how = 0; how < 2; ++how) {
    SCOPED_TRACE(how);
    {
      BookParameterFile file;
      ASSERT_EQ(how == 0 ? file.Open(Wide(kBook), true) : Create(file, true, "New name"), RecordResult::kOk);
      EXPECT_TRUE(file.IsReadOnly());
      EXPECT_EQ(file.GetDocumentStamp(), 55u);
      EXPECT_EQ(MarksOf(file), "10-20;");
      EXPECT_EQ(file.GetWord52(), 0u);  // beyond the old header: the preset
      EXPECT_EQ(file.SetWord20(1), RecordResult::kFailed);
      EXPECT_EQ(file.AddBookmark(1, 2, 3, 4, 5, 1), kNone);
      EXPECT_FALSE(file.Save());
    }
    EXPECT_EQ(FileAt(kSide), old);
  }
  // Read-only creation of a missing file makes it, then holds it read-only.
  {
    BookParameterFile file;
    ASSERT_EQ(file.Create(Wide(u"\\eBooks\\new.prc"), "new", 3, true, true, false), RecordResult::kOk);
    EXPECT_TRUE(file.IsReadOnly());
    EXPECT_EQ(file.GetWord20(), 127u);
  }
  EXPECT_EQ(testbuild::ReadTaggedDeviceFile(u"\\eBooks\\new.qvr")->records[0].data, NewHeaderData());
}

TEST_F(SideFileOpenTest, AFileWithTheReadOnlyAttributeStillOpensReadOnly) {
  auto sound = SoundSideFile();
  ASSERT_TRUE(testbuild::WriteDeviceFile(kSide, sound));
  ASSERT_TRUE(SetFileAttributesW(kSide, FILE_ATTRIBUTE_READONLY));
  BookParameterFile file;
  EXPECT_EQ(file.Open(Wide(kBook), false), RecordResult::kFailed);
  EXPECT_EQ(Create(file), RecordResult::kFailed);
  ASSERT_EQ(Create(file, true), RecordResult::kOk);
  EXPECT_EQ(MarksOf(file), "100-120:my note;500-500;");
  file.Close();
  EXPECT_EQ(FileAt(kSide), sound);
}

TEST_F(SideFileOpenTest, AFailedSaveLeavesTheOldFileAndTheChangesInMemory) {
  auto sound = SoundSideFile();
  ASSERT_TRUE(testbuild::WriteDeviceFile(kSide, sound));
  BookParameterFile file;
  ASSERT_EQ(file.Open(Wide(kBook), false), RecordResult::kOk);
  uint32_t mark = file.AddBookmark(300, 310, 290, 0, 0, 2);
  ASSERT_NE(mark, kNone);
  for (long n = 1; n < 6; ++n) {
    devtest::FailNthWrite(n, n % 2 ? 0 : 5);
    EXPECT_FALSE(file.Save());
    EXPECT_EQ(FileAt(kSide), sound);
  }
  devtest::FailNthWrite(0);
  ASSERT_TRUE(file.Save());
  file.Close();
  BookParameterFile check;
  ASSERT_EQ(check.Open(Wide(kBook), true), RecordResult::kOk);
  EXPECT_EQ(MarksOf(check), "100-120:my note;300-310;500-500;");
}

// A full or removed card often shows only when the new file is flushed or
// closed, after every write was accepted.
TEST_F(SideFileOpenTest, AFailedFlushOrCloseLeavesTheOldFile) {
  auto sound = SoundSideFile();
  ASSERT_TRUE(testbuild::WriteDeviceFile(kSide, sound));
  BookParameterFile file;
  ASSERT_EQ(file.Open(Wide(kBook), false), RecordResult::kOk);
  ASSERT_NE(file.AddBookmark(300, 310, 290, 0, 0, 2), kNone);
  void (*faults[])() = {[] { devtest::FailNthSync(1); }, [] { devtest::FailNthClose(1); },
                        [] { devtest::FailNthClose(2); }};
  for (auto fault : faults) {
    fault();
    EXPECT_FALSE(file.Save());
    EXPECT_EQ(FileAt(kSide), sound);
  }
  ASSERT_TRUE(file.Save());
  file.Close();
  BookParameterFile check;
  ASSERT_EQ(check.Open(Wide(kBook), true), RecordResult::kOk);
  EXPECT_EQ(MarksOf(check), "100-120:my note;300-310;500-500;");
}

TEST_F(SideFileOpenTest, ACrashAtAnyWriteOfASaveLeavesTheOldMarksReadable) {
  auto sound = SoundSideFile();
  for (long n = 1;; ++n) {
    SCOPED_TRACE(n);
    ASSERT_TRUE(testbuild::WriteDeviceFile(kSide, sound));
    pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      BookParameterFile file;
      if (Create(file) != RecordResult::kOk) ::_exit(3);
      uint32_t mark = file.AddBookmark(300, 310, 290, 0, 0, 2);
      file.SetBookmarkNote(mark, u"new note", 8);
      file.DeleteBookmark(0x13);
      devtest::ExitAtNthWrite(n);
      ::_exit(file.Save() ? 0 : 4);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    int code = WEXITSTATUS(status);
    BookParameterFile check;
    ASSERT_EQ(check.Open(Wide(kBook), true), RecordResult::kOk);
    if (code == 0) {
      EXPECT_EQ(MarksOf(check), "100-120:my note;300-310:new note;");
      EXPECT_GT(n, 1);
      break;
    }
    ASSERT_EQ(code, 86);
    EXPECT_EQ(MarksOf(check), "100-120:my note;500-500;");
    check.Close();
    EXPECT_EQ(FileAt(kSide), sound);
    ASSERT_LT(n, 50);
  }
}

TEST_F(SideFileOpenTest, TheCloseListenerIsToldFirstAndTheLastReferenceDeletes) {
  ASSERT_TRUE(testbuild::WriteDeviceFile(kSide, SoundSideFile()));
  testbuild::FakeCloseListener listener;
  BookParameterFile* file = DeviceNew<BookParameterFile>();
  ASSERT_TRUE(file);
  ASSERT_EQ(file->Open(Wide(kBook), false), RecordResult::kOk);
  file->SetCloseListener(&listener);
  EXPECT_EQ(file->ReferenceCount(), 1);
  file->AddRef();
  file->Release();
  EXPECT_TRUE(listener.calls.empty());
  ASSERT_NE(file->AddBookmark(700, 710, 0, 0, 0, 1), kNone);
  file->Release();
  ASSERT_EQ(listener.calls.size(), 1u);
  EXPECT_EQ(listener.calls[0].file, file);
  EXPECT_TRUE(listener.calls[0].containerOpen);
  EXPECT_EQ(listener.calls[0].bookPath, kBook);
  // The container saved itself as it closed.
  BookParameterFile check;
  ASSERT_EQ(check.Open(Wide(kBook), true), RecordResult::kOk);
  EXPECT_EQ(MarksOf(check), "100-120:my note;500-500;700-710;");
  // Without a listener nothing is called.
  BookParameterFile* quiet = DeviceNew<BookParameterFile>();
  quiet->Release();
  EXPECT_EQ(listener.calls.size(), 1u);
  EXPECT_EQ(check.OpenInDataFolder(nullptr, true), RecordResult::kFailed);
}

// MappedFile: whole-file views, empty files, windows, reopening, resizing,
// and ranges refused where the file no longer has bytes.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "foundation/files/file_mode.h"
#include "foundation/files/mapped_file.h"
#include "platform/core/last_error.h"
#include "platform/files/files.h"
#include "platform/testing/files.h"

namespace {

void Put(const char16_t* path, const std::string& bytes) {
  HANDLE h = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(h);
}

std::string View(const MappedFile& file) {
  return file.Data() ? std::string(reinterpret_cast<const char*>(file.Data()), file.MappedLength()) : std::string();
}

bool Exists(const char16_t* path) { return GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES; }

void ExpectNothingOpen() {
  EXPECT_EQ(devtest::OpenFileHandleCount(), 0);
  EXPECT_EQ(devtest::MappedViewCount(), 0);
}

}  // namespace

TEST(MappedFile, MapsTheWholeFileAndReleasesEverythingOnClose) {
  Put(u"\\book.corv", "BOOKDATA");
  {
    MappedFile file(u"\\BOOK.CORV", 41, 128);
    ASSERT_TRUE(file.IsOpen());
    EXPECT_TRUE(file.IsAvailable());
    EXPECT_EQ(file.Size(), 8u);
    EXPECT_EQ(View(file), "BOOKDATA");
    EXPECT_EQ(file.WritableData(), nullptr);
    EXPECT_EQ(devtest::MappedViewCount(), 1);
  }
  ExpectNothingOpen();
  EXPECT_TRUE(Exists(u"\\book.corv"));
}

TEST(MappedFile, EmptyFileMapsToANullViewOfSizeZero) {
  Put(u"\\empty.corv", "");
  MappedFile file(u"\\empty.corv", 41, 128);
  EXPECT_TRUE(file.IsOpen());
  EXPECT_EQ(file.Data(), nullptr);
  EXPECT_EQ(file.Size(), 0u);
  EXPECT_EQ(file.GetRange(0, 1), nullptr);
  EXPECT_EQ(file.Remaining(0), 0u);
  EXPECT_EQ(devtest::MappedViewCount(), 0);
}

TEST(MappedFile, FailedOpenLeavesNoHandleAndDeletesNothing) {
  MappedFile file(u"\\missing.corv", 41, 128);
  EXPECT_FALSE(file.IsOpen());
  EXPECT_FALSE(file.Reopen());
  EXPECT_FALSE(file.MapRange(0, 1));
  ExpectNothingOpen();
  // A delete-on-close mode that cannot open the file leaves it alone.
  Put(u"\\book.corv", "keep");
  EXPECT_FALSE(file.Open(u"\\book.corv", 1 | 24 | 0x80, 128));  // no valid disposition
  EXPECT_TRUE(Exists(u"\\book.corv"));
}

TEST(MappedFile, WindowsAreCheckedAgainstTheFileSize) {
  Put(u"\\w.bin", "0123456789");
  MappedFile file(u"\\w.bin", 41, 128);
  ASSERT_TRUE(file.MapRange(3, 4));
  EXPECT_EQ(View(file), "3456");
  EXPECT_EQ(file.ViewOffset(), 3u);
  ASSERT_NE(file.GetRange(4, 3), nullptr);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(file.GetRange(4, 3)), 3), "456");
  EXPECT_EQ(file.GetRange(2, 1), nullptr);  // before the window
  EXPECT_EQ(file.GetRange(6, 2), nullptr);  // past the window
  EXPECT_EQ(file.GetRange(5, 0xFFFFFFFFu), nullptr);
  EXPECT_EQ(file.Remaining(5), 2u);
  EXPECT_EQ(file.Remaining(7), 0u);

  ASSERT_TRUE(file.MapRange(8, MappedFile::kToEnd));
  EXPECT_EQ(View(file), "89");
  ASSERT_TRUE(file.MapRange(10, MappedFile::kToEnd));  // nothing left: a null view
  EXPECT_EQ(file.Data(), nullptr);
  EXPECT_FALSE(file.MapRange(11, MappedFile::kToEnd));
  EXPECT_FALSE(file.MapRange(8, 3));  // the file is shorter than the window
  EXPECT_EQ(devtest::MappedViewCount(), 0);
}

TEST(MappedFile, RangesBeyondAFileCutWhileMappedAreRefused) {
  Put(u"\\cut.bin", std::string(10000, 'x'));
  MappedFile file(u"\\cut.bin", 41, 128);
  ASSERT_TRUE(file.IsOpen());
  ASSERT_NE(file.GetRange(9000, 100), nullptr);
  // Another program cuts the file; touching the old tail would fault.
  std::filesystem::resize_file(devtest::HostPath(u"\\cut.bin"), 100);
  EXPECT_EQ(file.GetRange(9000, 100), nullptr);
  EXPECT_EQ(file.GetRange(50, 51), nullptr);
  ASSERT_NE(file.GetRange(50, 50), nullptr);
  EXPECT_EQ(*file.GetRange(50, 50), 'x');
  EXPECT_EQ(file.Remaining(0), 100u);
}

TEST(MappedFile, ReopenMapsTheSameWindowOfTheFileAsItIsNow) {
  Put(u"\\r.bin", "abcdef");
  MappedFile file(u"\\r.bin", 41, 128);
  ASSERT_TRUE(file.MapRange(2, MappedFile::kToEnd));
  std::ofstream(devtest::HostPath(u"\\r.bin"), std::ios::app) << "gh";  // the file grows meanwhile
  EXPECT_TRUE(file.Reopen());
  EXPECT_EQ(View(file), "cdefgh");
  EXPECT_EQ(file.Size(), 6u);
  EXPECT_EQ(devtest::OpenFileHandleCount(), 1);
  EXPECT_EQ(devtest::MappedViewCount(), 1);
  file.Close();
  EXPECT_FALSE(file.Reopen());  // a closed object stays closed
}

TEST(MappedFile, FailedReopenClosesTheFileAndMayBeRetried) {
  Put(u"\\gone.bin", "abc");
  MappedFile file(u"\\gone.bin", 41, 128);
  ASSERT_TRUE(file.IsOpen());
  std::filesystem::rename(devtest::HostPath(u"\\gone.bin"), devtest::DeviceRootFolder() / "away.bin");
  EXPECT_FALSE(file.Reopen());
  EXPECT_FALSE(file.IsOpen());
  ExpectNothingOpen();
  std::filesystem::rename(devtest::DeviceRootFolder() / "away.bin", devtest::DeviceRootFolder() / "gone.bin");
  EXPECT_TRUE(file.Reopen());
  EXPECT_EQ(View(file), "abc");
}

TEST(MappedFile, DeleteOnCloseSurvivesReopenAndGoesOnClose) {
  MappedFile file(u"\\scratch.bin", 3 | 12 | 0x80, 128);  // open always: reopening keeps the bytes
  ASSERT_TRUE(file.IsOpen());
  EXPECT_EQ(file.Data(), nullptr);
  EXPECT_EQ(file.Resize(64, nullptr), MappedFile::kResized);
  ASSERT_NE(file.WritableData(), nullptr);
  file.WritableData()[0] = 'Z';
  EXPECT_TRUE(file.Reopen());
  EXPECT_TRUE(Exists(u"\\scratch.bin"));
  EXPECT_EQ(file.Data()[0], 'Z');
  file.Close();
  EXPECT_FALSE(Exists(u"\\scratch.bin"));
  ExpectNothingOpen();
}

TEST(MappedFile, ResizeKeepsTheDataAndTellsWhatHappened) {
  Put(u"\\grow.bin", "abcd");
  MappedFile file(u"\\grow.bin", 3 | 8, 128);
  ASSERT_TRUE(file.IsOpen());
  bool moved = true;
  EXPECT_EQ(file.Resize(5000, &moved), MappedFile::kResized);
  EXPECT_EQ(file.Size(), 5000u);
  EXPECT_EQ(file.MappedLength(), 5000u);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(file.Data()), 4), "abcd");
  EXPECT_EQ(file.Resize(2, &moved), MappedFile::kResized);
  EXPECT_EQ(View(file), "ab");

  // A fixed window that the new end cuts off cannot be mapped again.
  ASSERT_TRUE(file.MapRange(0, 2));
  EXPECT_EQ(file.Resize(1, &moved), MappedFile::kRemapFailed);
  EXPECT_TRUE(moved);
  EXPECT_FALSE(file.IsOpen());
  ExpectNothingOpen();
}

TEST(MappedFile, ResizeWithoutWriteAccessMapsTheOldWindowAgain) {
  Put(u"\\ro.bin", "abcd");
  MappedFile file(u"\\ro.bin", 41, 128);
  bool moved = true;
  EXPECT_EQ(file.Resize(100, &moved), MappedFile::kEndNotSet);
  EXPECT_EQ(View(file), "abcd");
  EXPECT_EQ(file.Size(), 4u);
}

// Letting go of a view's pages loses nothing: they are read again from the
// file (a window starting inside a page included), while memory that no
// file backs is never touched by the unlock.
TEST(MappedFile, ReleasedPagesReadBackTheFileAndOtherMemoryIsKept) {
  std::string bytes(300 * 1024 + 123, '\0');
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 7 + i / 4096);
  Put(u"\\long.bin", bytes);
  for (uint32_t offset : {0u, 5000u}) {
    SCOPED_TRACE(offset);
    MappedFile file(u"\\long.bin", 41, 128);
    ASSERT_TRUE(file.MapRange(offset, MappedFile::kToEnd));
    ASSERT_EQ(View(file), bytes.substr(offset));
    file.ReleasePages(offset + 10, 200 * 1024);
    file.ReleasePages(offset, file.MappedLength());
    file.ReleasePages(0, 1);                              // before the window: ignored
    file.ReleasePages(offset, file.MappedLength() + 1);  // beyond it: ignored
    EXPECT_EQ(View(file), bytes.substr(offset));
  }
  std::vector<uint8_t> heap(64 * 1024, 0x5A);
  SetLastError(0);
  EXPECT_FALSE(VirtualUnlock(heap.data(), static_cast<DWORD>(heap.size())));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_ADDRESS);
  EXPECT_EQ(std::count(heap.begin(), heap.end(), 0x5A), static_cast<long>(heap.size()));
}

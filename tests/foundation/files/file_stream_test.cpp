// FileStream and the file mode word: what each mode opens, shares, creates
// and deletes; reading and writing through a transform; Truncate; streams in
// the temporary folder.
#include <gtest/gtest.h>

#include <cerrno>
#include <string>

#include "foundation/files/file_mode.h"
#include "foundation/files/file_stream.h"
#include "platform/core/last_error.h"
#include "platform/files/files.h"
#include "platform/testing/allocation.h"
#include "platform/testing/files.h"

namespace {

void Put(const char16_t* path, const std::string& bytes) {
  HANDLE h = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(h);
}

std::string Get(const char16_t* path) {
  HANDLE h = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return "<missing>";
  std::string out(GetFileSize(h, nullptr), '\0');
  DWORD read = 0;
  ReadFile(h, out.data(), static_cast<DWORD>(out.size()), &read, nullptr);
  CloseHandle(h);
  return out.substr(0, read);
}

bool Exists(const char16_t* path) { return GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES; }

// Adds a byte to everything written and takes it off what is read, so the
// file shows whether the transform ran.
class AddOne : public FileTransform {
 public:
  explicit AddOne(int* destroyed = nullptr) : destroyed_(destroyed) {}
  ~AddOne() override {
    if (destroyed_) ++*destroyed_;
  }
  void Encode(const void* source, void* destination, uint32_t length) override {
    for (uint32_t i = 0; i < length; ++i)
      static_cast<uint8_t*>(destination)[i] = static_cast<const uint8_t*>(source)[i] + 1;
  }
  void Decode(const void* source, void* destination, uint32_t length) override {
    for (uint32_t i = 0; i < length; ++i)
      static_cast<uint8_t*>(destination)[i] = static_cast<const uint8_t*>(source)[i] - 1;
  }

 private:
  int* destroyed_;
};

}  // namespace

TEST(FileMode, WordsTranslateToThePlatformArguments) {
  struct Case {
    uint32_t mode;
    DWORD access, disposition, share;
    bool deletes;
  } cases[] = {
      {41, GENERIC_READ, OPEN_EXISTING, FILE_SHARE_READ, false},
      {22, GENERIC_WRITE, CREATE_ALWAYS, 0, false},
      {151, GENERIC_READ | GENERIC_WRITE, CREATE_ALWAYS, 0, true},
      {1 | 4 | 0x40, GENERIC_READ, CREATE_NEW, FILE_SHARE_WRITE, false},
      {3 | 12 | 0x60, GENERIC_READ | GENERIC_WRITE, OPEN_ALWAYS, FILE_SHARE_READ | FILE_SHARE_WRITE, false},
      {2 | 16, GENERIC_WRITE, TRUNCATE_EXISTING, 0, false},
      {1 | 24, GENERIC_READ, 0, 0, false},  // not a disposition of the table
      {1 | 28, GENERIC_READ, 0, 0, false},
      {1, GENERIC_READ, 0, 0, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.mode);
    EXPECT_EQ(FileModeAccess(c.mode), c.access);
    EXPECT_EQ(FileModeDisposition(c.mode), c.disposition);
    EXPECT_EQ(FileModeShare(c.mode), c.share);
    EXPECT_EQ(FileModeDeletesOnClose(c.mode), c.deletes);
  }
  EXPECT_EQ(FileModeFlags(41, 128, true), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(FileModeFlags(41, 0x100, true), FILE_ATTRIBUTE_READONLY);
  EXPECT_EQ(FileModeFlags(22 | 0x100, 128, true), FILE_ATTRIBUTE_HIDDEN);
  EXPECT_EQ(FileModeFlags(22 | 0x100, 128, false), FILE_ATTRIBUTE_NORMAL);
}

TEST(FileStream, ModesOpenCreateAndDeleteAsTheirWordsSay) {
  FileStream stream;
  // 41: read an existing file, which stays after closing.
  EXPECT_FALSE(stream.Open(u"\\book.corv", 41, 128));
  EXPECT_FALSE(stream.IsOpen());
  Put(u"\\book.corv", "text");
  ASSERT_TRUE(stream.Open(u"\\book.corv", 41, 128));
  char buffer[8] = {};
  EXPECT_EQ(stream.Read(buffer, sizeof buffer), 4u);
  EXPECT_EQ(std::string(buffer, 4), "text");
  EXPECT_EQ(stream.Write("x", 1), 0u);  // no write access
  stream.Close();
  EXPECT_EQ(Get(u"\\book.corv"), "text");

  // 22: write, created anew over an existing file.
  ASSERT_TRUE(stream.Open(u"\\book.corv", 22, 128));
  EXPECT_EQ(stream.Size(), 0u);
  EXPECT_EQ(stream.Write("new", 3), 3u);
  stream.Close();
  EXPECT_EQ(Get(u"\\book.corv"), "new");

  // 151: read and write, gone after closing.
  ASSERT_TRUE(stream.Open(u"\\scratch.tmp", 151, 128));
  EXPECT_EQ(stream.Write("abc", 3), 3u);
  EXPECT_EQ(stream.Seek(0, FILE_BEGIN), 0u);
  EXPECT_EQ(stream.Read(buffer, 3), 3u);
  EXPECT_TRUE(Exists(u"\\scratch.tmp"));
  stream.Close();
  EXPECT_FALSE(Exists(u"\\scratch.tmp"));
  EXPECT_EQ(devtest::OpenFileHandleCount(), 0);
}

TEST(FileStream, ShareBitsDecideWhoElseMayOpen) {
  Put(u"\\data.bin", "0123");
  FileStream first, second, writer;
  ASSERT_TRUE(first.Open(u"\\data.bin", 41, 128));
  EXPECT_TRUE(second.Open(u"\\data.bin", 41, 128));  // both share reading
  EXPECT_FALSE(writer.Open(u"\\data.bin", 2 | 8 | 0x20, 128));
  EXPECT_EQ(GetLastError(), ERROR_SHARING_VIOLATION);
  first.Close();
  second.Close();
  EXPECT_TRUE(writer.Open(u"\\data.bin", 2 | 8, 128));
}

TEST(FileStream, CreatedFilesTakeTheHiddenAndReadOnlyAttributes) {
  FileStream stream;
  ASSERT_TRUE(stream.Open(u"\\hidden.dat", 22 | 0x100, 128));
  stream.Close();
  EXPECT_TRUE(GetFileAttributesW(u"\\hidden.dat") & FILE_ATTRIBUTE_HIDDEN);
  ASSERT_TRUE(stream.Open(u"\\locked.dat", 22, 0x100));
  stream.Close();
  EXPECT_TRUE(GetFileAttributesW(u"\\locked.dat") & FILE_ATTRIBUTE_READONLY);
  EXPECT_FALSE(stream.Open(u"\\locked.dat", 22, 128));
  ASSERT_TRUE(stream.Open(u"\\plain.dat", 22, 128));
  stream.Close();
  EXPECT_EQ(GetFileAttributesW(u"\\plain.dat") & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY), 0u);
}

TEST(FileStream, TruncateExtendsOrCutsAndKeepsThePosition) {
  FileStream stream;
  ASSERT_TRUE(stream.Open(u"\\t.bin", 3 | 20, 128));
  ASSERT_EQ(stream.Write("abcdef", 6), 6u);
  ASSERT_EQ(stream.Seek(2, FILE_BEGIN), 2u);
  EXPECT_TRUE(stream.Truncate(100));
  EXPECT_EQ(stream.Size(), 100u);
  EXPECT_EQ(stream.Seek(0, FILE_CURRENT), 2u);
  char c = 0;
  EXPECT_EQ(stream.Read(&c, 1), 1u);
  EXPECT_EQ(c, 'c');
  EXPECT_TRUE(stream.Truncate(4));
  EXPECT_EQ(stream.Size(), 4u);
  EXPECT_EQ(stream.Seek(0, FILE_CURRENT), 3u);
  stream.Close();
  EXPECT_EQ(Get(u"\\t.bin"), "abcd");

  // Without write access the end cannot be set; the position stays.
  ASSERT_TRUE(stream.Open(u"\\t.bin", 41, 128));
  stream.Seek(1, FILE_BEGIN);
  EXPECT_FALSE(stream.Truncate(10));
  EXPECT_EQ(stream.Seek(0, FILE_CURRENT), 1u);
  EXPECT_EQ(stream.Size(), 4u);
}

TEST(FileStream, TransformEncodesWritesAndDecodesReads) {
  std::string small = "hello";
  std::string large(300, 'a');  // beyond the local encoding buffer
  FileStream stream;
  ASSERT_TRUE(stream.Open(u"\\enc.bin", 3 | 20, 128));
  stream.SetTransform(new AddOne);
  EXPECT_EQ(stream.Write(small.data(), 5), 5u);
  EXPECT_EQ(stream.Write(large.data(), 300), 300u);
  EXPECT_EQ(small, "hello");  // the caller's bytes are left alone
  stream.Seek(0, FILE_BEGIN);
  std::string back(305, '\0');
  EXPECT_EQ(stream.Read(back.data(), 305), 305u);
  EXPECT_EQ(back, small + large);
  stream.Close();
  std::string disk = Get(u"\\enc.bin");
  EXPECT_EQ(disk.substr(0, 5), "ifmmp");
  EXPECT_EQ(disk.substr(5), std::string(300, 'b'));
}

TEST(FileStream, ATransformSetBeforeOpeningIsKept) {
  int destroyed = 0;
  FileStream stream;
  stream.SetTransform(new AddOne(&destroyed));
  ASSERT_TRUE(stream.Open(u"\\enc.bin", 22, 128));
  EXPECT_EQ(destroyed, 0);
  EXPECT_EQ(stream.Write("a", 1), 1u);
  stream.Close();
  EXPECT_EQ(destroyed, 1);
  EXPECT_EQ(Get(u"\\enc.bin"), "b");
}

TEST(FileStream, TransformBufferFailureWritesNothing) {
  FileStream stream;
  ASSERT_TRUE(stream.Open(u"\\enc.bin", 3 | 20, 128));
  stream.SetTransform(new AddOne);
  std::string large(200, 'x');
  {
    devtest::AllocationFailure fail(1);
    EXPECT_EQ(stream.Write(large.data(), 200), 0u);
  }
  EXPECT_EQ(stream.Size(), 0u);
  EXPECT_EQ(stream.Write(large.data(), 100), 100u);  // small writes need no heap
}

TEST(FileStream, ReplacedAndClosedTransformsAreDestroyed) {
  int destroyed = 0;
  {
    FileStream stream;
    stream.SetTransform(new AddOne(&destroyed));
    stream.SetTransform(new AddOne(&destroyed));
    EXPECT_EQ(destroyed, 1);
    stream.SetTransform(nullptr);
    EXPECT_EQ(destroyed, 2);
    stream.SetTransform(new AddOne(&destroyed));
  }
  EXPECT_EQ(destroyed, 3);
}

TEST(FileStream, ShortWritesReportTheBytesWritten) {
  FileStream stream;
  ASSERT_TRUE(stream.Open(u"\\short.bin", 22, 128));
  devtest::FailNthWrite(1, 3);
  EXPECT_EQ(stream.Write("abcdef", 6), 3u);
  EXPECT_EQ(stream.Write("gh", 2), 2u);
  stream.Close();
  EXPECT_EQ(Get(u"\\short.bin"), "abcgh");
}

TEST(FileStream, FlushAndCloseReportDelayedWriteErrors) {
  FileStream stream;
  ASSERT_TRUE(stream.Open(u"\\late.bin", kFileModeTemporary, kFileAttributeArgNormal));
  ASSERT_EQ(stream.Write("abcdef", 6), 6u);
  EXPECT_TRUE(stream.Flush());
  devtest::FailNthSync(1);
  EXPECT_FALSE(stream.Flush());
  devtest::FailNthClose(1, ENOSPC);
  EXPECT_FALSE(stream.Close());
  EXPECT_EQ(GetLastError(), ERROR_DISK_FULL);
  // Closed all the same, and the delete-on-close file is gone.
  EXPECT_FALSE(stream.IsOpen());
  EXPECT_FALSE(Exists(u"\\late.bin"));
  EXPECT_EQ(devtest::OpenFileHandleCount(), 0);
  EXPECT_TRUE(stream.Close());  // nothing left to report

  // A stream that cannot write has nothing to flush.
  Put(u"\\read.bin", "r");
  ASSERT_TRUE(stream.Open(u"\\read.bin", kFileModeReadShared, kFileAttributeArgNormal));
  EXPECT_FALSE(stream.Flush());
  EXPECT_TRUE(stream.Close());
  EXPECT_FALSE(stream.Flush());
}

TEST(FileStream, ClosedStreamsAnswerNothingAndCloseTwiceSafely) {
  FileStream stream;
  char buffer[4];
  EXPECT_FALSE(stream.IsOpen());
  EXPECT_EQ(stream.Read(buffer, 4), 0u);
  EXPECT_EQ(stream.Write("ab", 2), 0u);
  EXPECT_EQ(stream.Seek(0, FILE_BEGIN), FileStream::kSeekFailed);
  EXPECT_EQ(stream.Size(), 0u);
  EXPECT_FALSE(stream.Truncate(1));
  stream.Flush();
  stream.Close();
  stream.Close();
  EXPECT_EQ(stream.Path(), nullptr);
}

TEST(FileStream, WrapsAnOpenHandleAndCreatesOpenedStreams) {
  Put(u"\\w.txt", "wrapped");
  HANDLE h = CreateFileW(u"\\w.txt", GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  {
    FileStream stream(h);
    EXPECT_TRUE(stream.IsOpen());
    EXPECT_EQ(stream.Size(), 7u);
  }
  EXPECT_EQ(devtest::OpenFileHandleCount(), 0);

  FileStream* opened = FileStream::CreateAndOpen(u"\\W.TXT", 41, 128);
  ASSERT_NE(opened, nullptr);
  EXPECT_EQ(std::u16string(opened->Path()), u"\\W.TXT");
  delete opened;
  EXPECT_EQ(FileStream::CreateAndOpen(u"\\missing.txt", 41, 128), nullptr);
  {
    devtest::AllocationFailure fail(1);
    EXPECT_EQ(FileStream::CreateAndOpen(u"\\w.txt", 41, 128), nullptr);
  }
  EXPECT_EQ(devtest::OpenFileHandleCount(), 0);
}

TEST(FileStream, OpensPathsHeldInAnyCodePage) {
  Put(u"\\caf\u00e9.txt", "x");
  EncodedString path;
  path.AssignNarrow("\\CAF\xc9.TXT", 1252);
  path.Select(1, 3);  // a selection left on the path does not matter
  FileStream stream;
  EXPECT_TRUE(stream.Open(path, 41, 128));
}

TEST(FileStream, TemporaryStreamsLiveInTheTemporaryFolderUntilClosed) {
  FileStream stream;
  ASSERT_TRUE(stream.OpenTemporary());
  std::u16string path = stream.Path();
  EXPECT_EQ(path.rfind(u"\\Temp\\qrv", 0), 0u);
  EXPECT_EQ(path.substr(path.size() - 4), u".tmp");
  EXPECT_EQ(stream.Write("data", 4), 4u);
  EXPECT_TRUE(Exists(path.c_str()));
  stream.Close();
  EXPECT_FALSE(Exists(path.c_str()));
}

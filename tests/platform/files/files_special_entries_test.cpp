// FIFOs and sockets planted in the device root: not listed, never opened
// (opening a FIFO must not wait for a writer), their names taken; replacing
// or deleting the name removes the entry itself.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>

#include "files_hostile_fixture.h"
#include "platform/core/last_error.h"

namespace fs = std::filesystem;
using namespace hostile;

namespace {

class SpecialEntries : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = devtest::DeviceRootFolder();
    ASSERT_TRUE(CreateDirectoryW(u"\\Docs", nullptr));
    ASSERT_TRUE(WriteText(u"\\Docs\\plain.txt", "plain"));
    ASSERT_EQ(::mkfifo((root_ / "Docs" / "pipe").c_str(), 0644), 0);
    // Held open for reading and writing, so that a call which wrongly opens
    // the FIFO returns (and fails the test) instead of waiting for ever.
    pipeHolder_ = ::open((root_ / "Docs" / "pipe").c_str(), O_RDWR | O_NONBLOCK);
    ASSERT_GE(pipeHolder_, 0);
    socket_ = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(socket_, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::string socketPath = (root_ / "Docs" / "sock").string();
    ASSERT_LT(socketPath.size(), sizeof address.sun_path);
    std::memcpy(address.sun_path, socketPath.c_str(), socketPath.size() + 1);
    ASSERT_EQ(::bind(socket_, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  }
  void TearDown() override {
    if (pipeHolder_ >= 0) ::close(pipeHolder_);
    if (socket_ >= 0) ::close(socket_);
  }

  fs::path root_;
  int pipeHolder_ = -1;
  int socket_ = -1;
};

TEST_F(SpecialEntries, AreNotListedAndCannotBeOpened) {
  EXPECT_EQ(Listed(u"\\Docs"), std::vector<std::u16string>{u"plain.txt"});
  for (const char16_t* path : {u"\\Docs\\pipe", u"\\Docs\\sock"}) {
    SCOPED_TRACE(std::u16string(path).size());
    WIN32_FIND_DATAW data;
    EXPECT_EQ(FindFirstFileW(path, &data), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetFileAttributesW(path), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
    struct Case {
      DWORD access, disposition, error;
    } cases[] = {
        {GENERIC_READ, OPEN_EXISTING, ERROR_FILE_NOT_FOUND},
        {GENERIC_WRITE, OPEN_EXISTING, ERROR_FILE_NOT_FOUND},
        {GENERIC_READ | GENERIC_WRITE, OPEN_ALWAYS, ERROR_ACCESS_DENIED},
        {GENERIC_WRITE, CREATE_NEW, ERROR_FILE_EXISTS},
    };
    for (const auto& c : cases) {
      SCOPED_TRACE(c.disposition);
      HANDLE h = Open(path, c.access, c.disposition);
      EXPECT_EQ(h, INVALID_HANDLE_VALUE);
      if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
      EXPECT_EQ(GetLastError(), c.error);
    }
    HANDLE mapped = CreateFileForMappingW(path, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_EQ(mapped, INVALID_HANDLE_VALUE);
    if (mapped != INVALID_HANDLE_VALUE) CloseHandle(mapped);
    EXPECT_FALSE(CopyFileW(path, u"\\copy.txt", FALSE));
    EXPECT_FALSE(CopyFileW(u"\\Docs\\plain.txt", path, TRUE));
    EXPECT_EQ(GetLastError(), ERROR_FILE_EXISTS);
    EXPECT_FALSE(CreateDirectoryW(path, nullptr));
    EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
  }
  EXPECT_TRUE(fs::is_fifo(root_ / "Docs" / "pipe"));
  EXPECT_TRUE(fs::is_socket(root_ / "Docs" / "sock"));
}

TEST_F(SpecialEntries, ReplacingOrDeletingTheNameRemovesTheEntry) {
  EXPECT_TRUE(WriteText(u"\\Docs\\pipe", "now a file"));
  EXPECT_TRUE(fs::is_regular_file(root_ / "Docs" / "pipe"));
  EXPECT_EQ(ReadText(u"\\Docs\\pipe"), "now a file");
  EXPECT_TRUE(DeleteFileW(u"\\Docs\\sock"));
  EXPECT_FALSE(fs::exists(fs::symlink_status(root_ / "Docs" / "sock")));
}

}  // namespace

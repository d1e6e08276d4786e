// Shell execution and process starts: the journal, the errors of requests
// this host cannot carry out, and scripted answers.
#include <gtest/gtest.h>

#include "platform/core/last_error.h"
#include "platform/files/files.h"
#include "platform/launch/launch.h"
#include "platform/testing/launch.h"

namespace {

BOOL Execute(const char16_t* file, const char16_t* parameters, SHELLEXECUTEINFOW* info) {
  *info = SHELLEXECUTEINFOW{};
  info->cbSize = sizeof(*info);
  info->fMask = SEE_MASK_NOCLOSEPROCESS;
  info->lpVerb = u"Open";
  info->lpFile = file;
  info->lpParameters = parameters;
  info->nShow = 5;
  return ShellExecuteExW(info);
}

void MakeFile(const char16_t* path) {
  HANDLE h = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  CloseHandle(h);
}

}  // namespace

TEST(ShellExecute, UnsupportedRequestsFailWithTheirErrorsAndAreJournalled) {
  MakeFile(u"\\present.txt");
  struct Case {
    const char16_t* file;
    DWORD error;
    uintptr_t instance;
  } cases[] = {
      {u"\\missing.exe", ERROR_FILE_NOT_FOUND, 2},
      {u"\\present.txt", ERROR_NOT_SUPPORTED, 0},
      {u"https://example.org/", ERROR_NOT_SUPPORTED, 0},  // tests never start a browser
      {u"\\Program Files\\tessalyn\\tessalyn.exe", ERROR_NOT_SUPPORTED, 0},  // nor a program
  };
  for (const Case& c : cases) {
    SHELLEXECUTEINFOW info;
    SetLastError(0);
    EXPECT_FALSE(Execute(c.file, u"-x", &info));
    EXPECT_EQ(GetLastError(), c.error);
    EXPECT_EQ(reinterpret_cast<uintptr_t>(info.hInstApp), c.instance);
  }
  auto journal = devtest::LaunchRequests();
  ASSERT_EQ(journal.size(), 4u);
  EXPECT_EQ(journal[0].function, "ShellExecuteExW");
  EXPECT_EQ(journal[0].verb, u"Open");
  EXPECT_EQ(journal[0].parameters, u"-x");
  EXPECT_EQ(journal[0].show, 5);
  EXPECT_EQ(journal[0].mask, SEE_MASK_NOCLOSEPROCESS);
  EXPECT_EQ(journal[1].error, ERROR_NOT_SUPPORTED);
  SHELLEXECUTEINFOW bad{};
  EXPECT_FALSE(ShellExecuteExW(&bad));  // a record of the wrong size
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
}

TEST(ShellExecute, ScriptedAnswers) {
  MakeFile(u"\\present.txt");
  devtest::ScriptLaunchSuccessForExisting();
  SHELLEXECUTEINFOW info;
  EXPECT_TRUE(Execute(u"\\present.txt", u"", &info));
  EXPECT_EQ(reinterpret_cast<uintptr_t>(info.hInstApp), 33u);
  EXPECT_TRUE(Execute(u"http://example.org/", u"", &info));
  EXPECT_FALSE(Execute(u"\\missing.txt", u"", &info));
  EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
  devtest::ScriptLaunchAnswer(FALSE, ERROR_ACCESS_DENIED);
  EXPECT_FALSE(Execute(u"\\present.txt", u"", &info));
  EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
  PROCESS_INFORMATION process{};
  devtest::ScriptLaunchAnswer(TRUE);
  WCHAR line[] = u"/restart";
  EXPECT_TRUE(CreateProcessW(kProgramModulePath, line, nullptr, nullptr, FALSE, 0, nullptr, nullptr, nullptr,
                             &process));
  EXPECT_EQ(devtest::LaunchRequests().back().function, "CreateProcessW");
  EXPECT_EQ(devtest::LaunchRequests().back().parameters, u"/restart");
}

TEST(ShellExecute, ModuleFileNameIsCutToTheBuffer) {
  WCHAR small[8];
  SetLastError(0);
  EXPECT_EQ(GetModuleFileNameW(nullptr, small, 8), 8u);
  EXPECT_EQ(std::u16string(small), u"\\Progra");
  EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
}

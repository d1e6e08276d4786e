// The emulated shell libraries as the system binds them: by module and
// export name, each switchable absent; and the version and platform the
// device profile gives.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/core/last_error.h"
#include "platform/modules/modules.h"
#include "platform/shell/os_version.h"
#include "platform/shell/special_folders.h"
#include "platform/files/files.h"
#include "platform/testing/modules.h"
#include "platform/testing/profile.h"
#include "platform/testing/shell.h"

namespace {

class ShellModules : public ::testing::Test {
 protected:
  void SetUp() override { devtest::ResetShell(); }
};

std::u16string Wide(const char* text) { return std::u16string(text, text + std::char_traits<char>::length(text)); }

FARPROC Lookup(const char16_t* module, const char* name) {
  HMODULE handle = LoadLibraryW(module);
  if (!handle) return nullptr;
  FARPROC found = GetProcAddressW(handle, Wide(name).c_str());
  FreeLibrary(handle);
  return found;
}

TEST_F(ShellModules, EveryBoundEntryPointIsExportedUnderItsName) {
  struct Entry {
    const char16_t* module;
    const char* name;
  };
  const Entry entries[] = {
      {u"aygshell.dll", "SHInitDialog"},         {u"aygshell.dll", "SHCreateMenuBar"},
      {u"aygshell.dll", "SHFindMenuBar"},        {u"aygshell.dll", "SHFullScreen"},
      {u"aygshell.dll", "SHGetAutoRunPath"},     {u"aygshell.dll", "SHSetNavBarText"},
      {u"aygshell.dll", "SHRecognizeGesture"},   {u"aygshell.dll", "SHDoneButton"},
      {u"aygshell.dll", "SHSetAppKeyWndAssoc"},  {u"aygshell.dll", "SHNotificationAdd"},
      {u"aygshell.dll", "SHNotificationRemove"}, {u"aygshell.dll", "SHSendBackToFocusWindow"},
      {u"cellcore.dll", "tapiRequestMakeCallW"}, {u"voicectl.dll", "VoiceRecorder_Create"},
      {u"coredll.dll", "ChangeDisplaySettingsEx"}, {u"aygshell.dll", "SHChangeNotifyRegister"},
      {u"aygshell.dll", "SHChangeNotifyDeregister"}, {u"aygshell.dll", "SHChangeNotifyFree"},
      {u"coredll.dll", "RegisterHotKey"},        {u"coredll.dll", "UnregisterHotKey"},
      {u"coredll.dll", "UnregisterFunc1"},       {u"coredll.dll", "SHGetSpecialFolderPath"},
  };
  for (const auto& entry : entries) EXPECT_NE(Lookup(entry.module, entry.name), nullptr) << entry.name;
  // Names are exact: the device's look-up is case-sensitive for exports.
  EXPECT_EQ(Lookup(u"aygshell.dll", "shfullscreen"), nullptr);
  EXPECT_EQ(Lookup(u"aygshell.dll", "RegisterHotKey"), nullptr);
}

TEST_F(ShellModules, CeshellLoadsButExportsNothing) {
  HMODULE ceshell = LoadLibraryW(u"ceshell.dll");
  ASSERT_NE(ceshell, nullptr);
  EXPECT_EQ(GetProcAddressW(ceshell, u"SHFullScreen"), nullptr);
  EXPECT_TRUE(FreeLibrary(ceshell));
}

TEST_F(ShellModules, AbsentModulesAndExportsAreNotFound) {
  devtest::SetModulePresent("aygshell.dll", false);
  EXPECT_EQ(LoadLibraryW(u"aygshell.dll"), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_MOD_NOT_FOUND);
  devtest::SetExportPresent("coredll.dll", "UnregisterFunc1", false);
  EXPECT_EQ(Lookup(u"coredll.dll", "UnregisterFunc1"), nullptr);
  EXPECT_NE(Lookup(u"coredll.dll", "RegisterHotKey"), nullptr);
}

TEST_F(ShellModules, VersionComesFromTheProfile) {
  OSVERSIONINFOW info{};
  info.dwOSVersionInfoSize = sizeof(info);
  ASSERT_TRUE(GetVersionExW(&info));
  EXPECT_EQ(info.dwMajorVersion, 5u);
  EXPECT_EQ(info.dwMinorVersion, 1u);
  EXPECT_EQ(info.dwPlatformId, VER_PLATFORM_WIN32_CE);

  devtest::DeviceProfile profile = devtest::Profile();
  profile.osMajorVersion = 4;
  profile.osMinorVersion = 21;
  devtest::SetProfile(profile);
  ASSERT_TRUE(GetVersionExW(&info));
  EXPECT_EQ(info.dwMajorVersion, 4u);
  EXPECT_EQ(info.dwMinorVersion, 21u);

  info.dwOSVersionInfoSize = 20;
  EXPECT_FALSE(GetVersionExW(&info));
  EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
}

TEST_F(ShellModules, SpecialFoldersExistOnlyWhenMadeOrAskedToBeMade) {
  WCHAR path[MAX_PATH] = {};
  EXPECT_FALSE(SHGetSpecialFolderPath(nullptr, path, CSIDL_APPDATA, FALSE));
  ASSERT_TRUE(SHGetSpecialFolderPath(nullptr, path, CSIDL_PROGRAMS, TRUE));
  EXPECT_EQ(std::u16string(path), u"\\Windows\\Start Menu\\Programs");
  EXPECT_NE(GetFileAttributesW(u"\\windows\\start menu\\programs"), INVALID_FILE_ATTRIBUTES);
  ASSERT_TRUE(CreateDirectoryW(u"\\Application Data", nullptr));
  ASSERT_TRUE(SHGetSpecialFolderPath(nullptr, path, CSIDL_APPDATA, FALSE));
  EXPECT_EQ(std::u16string(path), u"\\Application Data");
  EXPECT_FALSE(SHGetSpecialFolderPath(nullptr, path, 999, TRUE));
  EXPECT_EQ(devtest::ShellCallsTo("SHGetSpecialFolderPath").size(), 4u);
}

}  // namespace

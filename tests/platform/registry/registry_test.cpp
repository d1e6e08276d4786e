// The device registry: the calls' answers (sizes, missing values, handles),
// names without case, creation-order enumeration, recursive key deletion,
// and the one registry that every process on a device root shares.
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/core/last_error.h"
#include "platform/registry/registry.h"
#include "platform/testing/registry.h"

namespace {

const BYTE* Bytes(const void* p) { return static_cast<const BYTE*>(p); }

LONG SetString(HKEY key, const char16_t* name, const std::u16string& text) {
  return RegSetValueExW(key, name, 0, REG_SZ, Bytes(text.c_str()), static_cast<DWORD>((text.size() + 1) * 2));
}

LONG SetDword(HKEY key, const char16_t* name, DWORD value) {
  return RegSetValueExW(key, name, 0, REG_DWORD, Bytes(&value), 4);
}

HKEY Create(HKEY root, const char16_t* path) {
  HKEY key = nullptr;
  EXPECT_EQ(RegCreateKeyExW(root, path, 0, nullptr, 0, 0, nullptr, &key, nullptr), ERROR_SUCCESS);
  return key;
}

// Runs `body` in a child process and answers its exit code.
template <class Body>
int InChild(Body body) {
  pid_t pid = fork();
  if (pid == 0) _exit(body());
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 255;
}

TEST(Registry, FreshDeviceHasEmptyRegistry) {
  EXPECT_TRUE(devtest::RegistrySubkeyNames(HKEY_LOCAL_MACHINE, u"").empty());
  EXPECT_TRUE(devtest::RegistrySubkeyNames(HKEY_CURRENT_USER, u"").empty());
  EXPECT_EQ(devtest::OpenRegistryKeyCount(), 0);
}

TEST(Registry, CreateOpenAndDispositions) {
  DWORD disposition = 0;
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, u"Software\\Tessalyn\\Reader", 0, nullptr, 0, 0, nullptr, &key,
                            &disposition),
            ERROR_SUCCESS);
  EXPECT_EQ(disposition, REG_CREATED_NEW_KEY);
  RegCloseKey(key);
  ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, u"SOFTWARE\\tessalyn\\READER", 0, nullptr, 0, 0, nullptr, &key,
                            &disposition),
            ERROR_SUCCESS);
  EXPECT_EQ(disposition, REG_OPENED_EXISTING_KEY);
  RegCloseKey(key);
  // The case given first is kept.
  EXPECT_EQ(devtest::RegistrySubkeyNames(HKEY_LOCAL_MACHINE, u"software"),
            std::vector<std::u16string>{u"Tessalyn"});

  HKEY opened = reinterpret_cast<HKEY>(1);
  EXPECT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, u"Software\\Missing", 0, KEY_READ, &opened), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(opened, nullptr);
  EXPECT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, u"Software", 0, KEY_READ, &opened), ERROR_FILE_NOT_FOUND);
  ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, u"software\\TESSALYN", 0, KEY_READ, &opened), ERROR_SUCCESS);
  HKEY again = nullptr;
  ASSERT_EQ(RegOpenKeyExW(opened, nullptr, 0, KEY_READ, &again), ERROR_SUCCESS);
  EXPECT_NE(again, opened);
  EXPECT_EQ(devtest::OpenRegistryKeyCount(), 2);
  EXPECT_EQ(RegCloseKey(again), ERROR_SUCCESS);
  EXPECT_EQ(RegCloseKey(opened), ERROR_SUCCESS);
  EXPECT_EQ(RegCloseKey(opened), ERROR_INVALID_HANDLE);
  EXPECT_EQ(RegCloseKey(HKEY_LOCAL_MACHINE), ERROR_SUCCESS);
  EXPECT_EQ(devtest::OpenRegistryKeyCount(), 0);
}

TEST(Registry, QueryAnswersSizeFirstAndMoreDataWhenShort) {
  HKEY key = Create(HKEY_CURRENT_USER, u"Software\\T");
  ASSERT_EQ(SetString(key, u"Name", u"abc"), ERROR_SUCCESS);

  DWORD type = 0, size = 0;
  ASSERT_EQ(RegQueryValueExW(key, u"NAME", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
  EXPECT_EQ(type, REG_SZ);
  EXPECT_EQ(size, 8u);  // three characters and the terminator

  char16_t small[2] = {u'x', u'y'};
  size = sizeof(small);
  EXPECT_EQ(RegQueryValueExW(key, u"Name", nullptr, &type, reinterpret_cast<BYTE*>(small), &size),
            ERROR_MORE_DATA);
  EXPECT_EQ(size, 8u);
  EXPECT_EQ(small[0], u'x');  // nothing copied

  char16_t text[8] = {};
  size = sizeof(text);
  ASSERT_EQ(RegQueryValueExW(key, u"Name", nullptr, &type, reinterpret_cast<BYTE*>(text), &size), ERROR_SUCCESS);
  EXPECT_EQ(size, 8u);
  EXPECT_EQ(std::u16string(text), u"abc");

  EXPECT_EQ(RegQueryValueExW(key, u"Other", nullptr, &type, nullptr, &size), ERROR_FILE_NOT_FOUND);
  RegCloseKey(key);
}

TEST(Registry, ValuesReplaceKeepTypesAndDelete) {
  HKEY key = Create(HKEY_LOCAL_MACHINE, u"K");
  ASSERT_EQ(SetDword(key, u"Length", 5), ERROR_SUCCESS);
  ASSERT_EQ(SetString(key, u"length", u"now text"), ERROR_SUCCESS);  // same value, new type
  const BYTE blob[3] = {1, 2, 3};
  ASSERT_EQ(RegSetValueExW(key, u"Blob", 0, REG_BINARY, blob, 3), ERROR_SUCCESS);
  ASSERT_EQ(RegSetValueExW(key, u"Empty", 0, REG_SZ, nullptr, 0), ERROR_SUCCESS);
  EXPECT_EQ(RegSetValueExW(key, u"Bad", 0, REG_BINARY, nullptr, 4), ERROR_INVALID_PARAMETER);

  EXPECT_EQ(devtest::RegistryValueNames(HKEY_LOCAL_MACHINE, u"K"),
            (std::vector<std::u16string>{u"Length", u"Blob", u"Empty"}));
  EXPECT_EQ(devtest::ReadRegistryString(HKEY_LOCAL_MACHINE, u"K", u"LENGTH"), u"now text");
  auto value = devtest::ReadRegistryValue(HKEY_LOCAL_MACHINE, u"K", u"blob");
  ASSERT_TRUE(value);
  EXPECT_EQ(value->type, REG_BINARY);
  EXPECT_EQ(value->bytes, (std::vector<uint8_t>{1, 2, 3}));
  DWORD size = 99;
  EXPECT_EQ(RegQueryValueExW(key, u"Empty", nullptr, nullptr, nullptr, &size), ERROR_SUCCESS);
  EXPECT_EQ(size, 0u);

  EXPECT_EQ(RegDeleteValueW(key, u"BLOB"), ERROR_SUCCESS);
  EXPECT_EQ(RegDeleteValueW(key, u"Blob"), ERROR_FILE_NOT_FOUND);
  EXPECT_FALSE(devtest::ReadRegistryValue(HKEY_LOCAL_MACHINE, u"K", u"Blob"));
  RegCloseKey(key);
}

// The hardware-button list depends on it: a button's number is its index.
TEST(Registry, SubkeysAndValuesEnumerateInCreationOrder) {
  const std::vector<std::u16string> names = {u"40C5", u"40C1", u"40C3", u"Zed", u"abc"};
  for (const auto& name : names) devtest::SeedRegistryString(HKEY_LOCAL_MACHINE, u"Keys\\" + name, u"Name", name);
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, u"Keys", 0, 0, &key), ERROR_SUCCESS);
  std::vector<std::u16string> seen;
  for (DWORD i = 0;; ++i) {
    char16_t name[16];
    DWORD units = 16;
    LONG status = RegEnumKeyExW(key, i, name, &units, nullptr, nullptr, nullptr, nullptr);
    if (status == ERROR_NO_MORE_ITEMS) break;
    ASSERT_EQ(status, ERROR_SUCCESS);
    EXPECT_EQ(units, std::u16string(name).size());
    seen.push_back(name);
  }
  EXPECT_EQ(seen, names);

  char16_t shortName[4];
  DWORD units = 4;  // "40C5" needs 5 with its terminator
  EXPECT_EQ(RegEnumKeyExW(key, 0, shortName, &units, nullptr, nullptr, nullptr, nullptr), ERROR_MORE_DATA);
  EXPECT_EQ(units, 5u);
  RegCloseKey(key);

  devtest::SeedRegistryDword(HKEY_CURRENT_USER, u"V", u"b", 2);
  devtest::SeedRegistryDword(HKEY_CURRENT_USER, u"V", u"a", 1);
  ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, u"V", 0, 0, &key), ERROR_SUCCESS);
  char16_t name[4];
  units = 4;
  DWORD type = 0, value = 0, bytes = 4;
  ASSERT_EQ(RegEnumValueW(key, 1, name, &units, nullptr, &type, reinterpret_cast<BYTE*>(&value), &bytes),
            ERROR_SUCCESS);
  EXPECT_EQ(std::u16string(name), u"a");
  EXPECT_EQ(type, REG_DWORD);
  EXPECT_EQ(value, 1u);
  units = 4;
  EXPECT_EQ(RegEnumValueW(key, 2, name, &units, nullptr, nullptr, nullptr, nullptr), ERROR_NO_MORE_ITEMS);
  DWORD subKeys = 9, values = 0;
  ASSERT_EQ(RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &subKeys, nullptr, nullptr, &values, nullptr, nullptr,
                             nullptr, nullptr),
            ERROR_SUCCESS);
  EXPECT_EQ(subKeys, 0u);
  EXPECT_EQ(values, 2u);
  RegCloseKey(key);
}

TEST(Registry, DeleteKeyRemovesTheWholeTreeAndOrphansOpenHandles) {
  devtest::SeedRegistryDword(HKEY_LOCAL_MACHINE, u"Sync\\Objects\\Books\\Deep", u"x", 1);
  devtest::SeedRegistryDword(HKEY_LOCAL_MACHINE, u"Sync\\Objects\\Other", u"y", 2);
  HKEY deep = nullptr;
  ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, u"Sync\\Objects\\Books\\Deep", 0, 0, &deep), ERROR_SUCCESS);
  HKEY objects = nullptr;
  ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, u"Sync\\Objects", 0, 0, &objects), ERROR_SUCCESS);

  EXPECT_EQ(RegDeleteKeyW(objects, u"BOOKS"), ERROR_SUCCESS);
  EXPECT_EQ(RegDeleteKeyW(objects, u"Books"), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(RegDeleteKeyW(objects, nullptr), ERROR_ACCESS_DENIED);
  EXPECT_FALSE(devtest::RegistryKeyExists(HKEY_LOCAL_MACHINE, u"Sync\\Objects\\Books"));
  EXPECT_TRUE(devtest::RegistryKeyExists(HKEY_LOCAL_MACHINE, u"Sync\\Objects\\Other"));

  DWORD size = 0;
  EXPECT_EQ(RegQueryValueExW(deep, u"x", nullptr, nullptr, nullptr, &size), ERROR_KEY_DELETED);
  EXPECT_EQ(SetDword(deep, u"x", 3), ERROR_KEY_DELETED);
  EXPECT_FALSE(devtest::RegistryKeyExists(HKEY_LOCAL_MACHINE, u"Sync\\Objects\\Books"));  // not recreated
  EXPECT_EQ(RegCloseKey(deep), ERROR_SUCCESS);
  EXPECT_EQ(RegCloseKey(objects), ERROR_SUCCESS);
}

TEST(Registry, ForgedHandlesAndOverlongNamesAreRefused) {
  HKEY forged = reinterpret_cast<HKEY>(static_cast<uintptr_t>(0x1234));
  DWORD size = 0;
  EXPECT_EQ(RegQueryValueExW(forged, u"x", nullptr, nullptr, nullptr, &size), ERROR_INVALID_HANDLE);
  EXPECT_EQ(RegCloseKey(forged), ERROR_INVALID_HANDLE);
  HKEY key = nullptr;
  std::u16string longName(kMaxRegistryKeyName + 1, u'k');
  EXPECT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, longName.c_str(), 0, nullptr, 0, 0, nullptr, &key, nullptr),
            ERROR_INVALID_PARAMETER);
  EXPECT_EQ(key, nullptr);
  EXPECT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, u"x", 0, 0, nullptr), ERROR_INVALID_PARAMETER);
}

TEST(Registry, KeepsItsValuesAcrossProcesses) {
  HKEY key = Create(HKEY_LOCAL_MACHINE, u"Shared");
  ASSERT_EQ(SetDword(key, u"FromParent", 1), ERROR_SUCCESS);
  DWORD size = 0;
  ASSERT_EQ(RegQueryValueExW(key, u"FromParent", nullptr, nullptr, nullptr, &size), ERROR_SUCCESS);

  int code = InChild([] {
    HKEY child = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, u"shared", 0, 0, &child) != ERROR_SUCCESS) return 1;
    DWORD value = 0, bytes = 4;
    if (RegQueryValueExW(child, u"FromParent", nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &bytes) !=
            ERROR_SUCCESS ||
        value != 1)
      return 2;
    if (SetDword(child, u"FromChild", 2) != ERROR_SUCCESS) return 3;
    HKEY made = nullptr;
    if (RegCreateKeyExW(child, u"Made\\By\\Child", 0, nullptr, 0, 0, nullptr, &made, nullptr) != ERROR_SUCCESS)
      return 4;
    RegCloseKey(made);
    RegCloseKey(child);
    return 0;
  });
  ASSERT_EQ(code, 0);

  // The parent's handle and cached copy see the child's changes.
  DWORD value = 0, bytes = 4;
  ASSERT_EQ(RegQueryValueExW(key, u"FromChild", nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &bytes),
            ERROR_SUCCESS);
  EXPECT_EQ(value, 2u);
  EXPECT_TRUE(devtest::RegistryKeyExists(HKEY_LOCAL_MACHINE, u"Shared\\Made\\By\\Child"));
  RegCloseKey(key);
}

TEST(Registry, ConcurrentWritersInTwoProcessesLoseNothing) {
  constexpr int kEach = 40;
  HKEY key = Create(HKEY_CURRENT_USER, u"Race");
  RegCloseKey(key);
  auto writer = [](const char16_t* prefix) {
    HKEY k = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, u"Race", 0, 0, &k) != ERROR_SUCCESS) return 1;
    for (int i = 0; i < kEach; ++i) {
      std::u16string name = prefix;
      for (char c : std::to_string(i)) name.push_back(static_cast<char16_t>(c));
      if (SetDword(k, name.c_str(), static_cast<DWORD>(i)) != ERROR_SUCCESS) return 2;
    }
    RegCloseKey(k);
    return 0;
  };
  pid_t pid = fork();
  if (pid == 0) _exit(writer(u"child"));
  int parentResult = writer(u"parent");
  int status = 0;
  waitpid(pid, &status, 0);
  ASSERT_EQ(parentResult, 0);
  ASSERT_TRUE(WIFEXITED(status));
  ASSERT_EQ(WEXITSTATUS(status), 0);
  EXPECT_EQ(devtest::RegistryValueNames(HKEY_CURRENT_USER, u"Race").size(), 2u * kEach);
}

TEST(Registry, DamagedFileIsSetAsideAndTheRegistryStartsEmpty) {
  devtest::SeedRegistryDword(HKEY_LOCAL_MACHINE, u"A", u"v", 1);
  std::string text;
  {
    std::ifstream in(devtest::RegistryFilePath(), std::ios::binary);
    text.assign(std::istreambuf_iterator<char>(in), {});
  }
  ASSERT_GT(text.size(), 12u);
  // Cut inside a value: every length then points past the end.
  std::ofstream(devtest::RegistryFilePath(), std::ios::binary | std::ios::trunc) << text.substr(0, text.size() - 3);
  EXPECT_FALSE(devtest::RegistryKeyExists(HKEY_LOCAL_MACHINE, u"A"));
  std::filesystem::path bad = devtest::RegistryFilePath();
  bad += ".bad";
  EXPECT_TRUE(std::filesystem::exists(bad));
  devtest::SeedRegistryDword(HKEY_LOCAL_MACHINE, u"B", u"v", 2);
  EXPECT_EQ(devtest::ReadRegistryDword(HKEY_LOCAL_MACHINE, u"B", u"v"), 2u);
}

TEST(Registry, SeedAndReadHelpersMatchTheCalls) {
  devtest::SeedRegistryString(HKEY_CLASSES_ROOT, u".corv", u"", u"corvfile");
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExW(HKEY_CLASSES_ROOT, u".CORV", 0, 0, &key), ERROR_SUCCESS);
  char16_t text[16];
  DWORD size = sizeof(text), type = 0;
  ASSERT_EQ(RegQueryValueExW(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(text), &size), ERROR_SUCCESS);
  EXPECT_EQ(type, REG_SZ);
  EXPECT_EQ(std::u16string(text), u"corvfile");
  RegCloseKey(key);
  EXPECT_EQ(devtest::ReadRegistryDword(HKEY_CLASSES_ROOT, u".corv", u""), std::nullopt);  // wrong type
  devtest::ClearRegistry();
  EXPECT_FALSE(devtest::RegistryKeyExists(HKEY_CLASSES_ROOT, u".corv"));
}

}  // namespace

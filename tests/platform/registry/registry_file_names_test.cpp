// The registry file holds only names the calls can reach. A key listed under
// a name that does not open it (empty, with a separator or a NUL), a second
// key or value of the same name in another case, or a named root could only
// come from damage or a planted file: such a file is refused whole, like a
// cut one, and set aside.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/registry/registry.h"
#include "platform/registry/registry_tree.h"
#include "platform/testing/registry.h"

namespace {

// The file form, written by hand so that it can say what the calls never
// write.
struct FileValue {
  std::u16string name;
  std::vector<uint8_t> data;
};
struct FileKey {
  std::u16string name;
  std::vector<FileValue> values;
  std::vector<FileKey> subkeys;
};

void PutU16(std::vector<uint8_t>& out, uint16_t v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}
void PutU32(std::vector<uint8_t>& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}
void PutName(std::vector<uint8_t>& out, const std::u16string& name) {
  PutU16(out, static_cast<uint16_t>(name.size()));
  for (char16_t c : name) PutU16(out, c);
}
void PutKey(std::vector<uint8_t>& out, const FileKey& key) {
  PutName(out, key.name);
  PutU32(out, static_cast<uint32_t>(key.values.size()));
  for (const FileValue& v : key.values) {
    PutName(out, v.name);
    PutU32(out, REG_BINARY);
    PutU32(out, static_cast<uint32_t>(v.data.size()));
    out.insert(out.end(), v.data.begin(), v.data.end());
  }
  PutU32(out, static_cast<uint32_t>(key.subkeys.size()));
  for (const FileKey& child : key.subkeys) PutKey(out, child);
}

// A file whose HKEY_CURRENT_USER (the second root) is `user`.
std::vector<uint8_t> FileWithUserRoot(const FileKey& user) {
  std::vector<uint8_t> out = {'T', 'S', 'L', 'R', 'E', 'G', '0', '1'};
  PutKey(out, FileKey{});
  PutKey(out, user);
  PutKey(out, FileKey{});
  PutKey(out, FileKey{});
  return out;
}

FileKey Key(std::u16string name, std::vector<FileKey> subkeys = {}, std::vector<FileValue> values = {}) {
  return FileKey{std::move(name), std::move(values), std::move(subkeys)};
}

TEST(RegistryFileNames, OnlyNamesTheCallsCanReachAreRead) {
  using namespace std::string_literals;
  struct Case {
    const char* what;
    FileKey user;
    bool read;
  };
  const Case cases[] = {
      {"keys and values of plain names", Key(u"", {Key(u"Software", {Key(u"a")})}, {{u"v", {1}}}), true},
      {"the same name under different keys", Key(u"", {Key(u"a", {Key(u"a")}), Key(u"b", {Key(u"a")})}), true},
      {"the default value and a value name with a backslash", Key(u"", {}, {{u"", {1}}, {u"a\\b", {2}}}), true},
      {"an empty key name", Key(u"", {Key(u"")}), false},
      {"a key name with a separator", Key(u"", {Key(u"a\\b")}), false},
      {"a key name with a NUL", Key(u"", {Key(u"a\0b"s)}), false},
      {"two keys whose names differ only in case", Key(u"", {Key(u"Books"), Key(u"BOOKS")}), false},
      {"two values whose names differ only in case", Key(u"", {}, {{u"v", {1}}, {u"V", {2}}}), false},
      {"a value name with a NUL", Key(u"", {}, {{u"v\0w"s, {1}}}), false},
      {"a named root", Key(u"Root"), false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<uint8_t> bytes = FileWithUserRoot(c.user);
    devreg::RegHive hive;
    ASSERT_EQ(devreg::ParseHive(bytes.data(), bytes.size(), &hive), c.read);
    if (c.read) {
      EXPECT_EQ(devreg::SerializeHive(hive), bytes);
    }
  }
}

TEST(RegistryFileNames, AFileWithAnUnreachableKeyIsSetAsideWhole) {
  std::vector<uint8_t> bytes =
      FileWithUserRoot(Key(u"", {Key(u"Software", {Key(u"tessalyn"), Key(u"Tessalyn\\x")})}));
  {
    std::ofstream out(devtest::RegistryFilePath(), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  }
  EXPECT_FALSE(devtest::RegistryKeyExists(HKEY_CURRENT_USER, u"Software"));
  std::filesystem::path bad = devtest::RegistryFilePath();
  bad += ".bad";
  EXPECT_TRUE(std::filesystem::exists(bad));
}

}  // namespace

// deviceprep: prepares a device root (the host folder that holds the
// device's file system) for a first run of the reader: the books, documents,
// data and program folders, the registry's list of hardware buttons, and a
// sample book made from the project's own sample text. What already exists
// is left as it is, so running it twice changes nothing.
//
//   deviceprep [--sample HTML] ROOT
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/core/last_error.h"
#include "platform/files/device_root.h"
#include "platform/files/files.h"
#include "platform/registry/registry.h"
#include "tests/support/book_builder.h"
#include "tests/support/palm_database_builder.h"
#include "tools/command_line.h"

namespace {

constexpr char kUsage[] =
    "usage: deviceprep [--sample HTML] ROOT\n"
    "  makes \\eBooks, \\My Documents, \\Windows and \\Program Files\\tessalyn in the device root,\n"
    "  the hardware buttons 40C1-40C5, and \\eBooks\\sample.corv from the sample text\n";

#ifndef TESSALYN_SAMPLE_TEXT
#define TESSALYN_SAMPLE_TEXT "resources/sample/sample.html"
#endif

bool MakeFolder(const char16_t* path) {
  return CreateDirectoryW(path, nullptr) || GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES;
}

bool AddButton(int index) {
  const std::u16string key = u"SOFTWARE\\Microsoft\\Shell\\Keys\\40C" + std::u16string(1, u'0' + index);
  HKEY button = nullptr;
  DWORD disposition = 0;
  if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, key.c_str(), 0, nullptr, 0, 0, nullptr, &button, &disposition) !=
      ERROR_SUCCESS) {
    return false;
  }
  bool ok = true;
  if (disposition == REG_CREATED_NEW_KEY) {
    const std::u16string name = u"Button " + std::u16string(1, u'0' + index);
    ok = RegSetValueExW(button, u"Name", 0, REG_SZ, reinterpret_cast<const BYTE*>(name.c_str()),
                        static_cast<DWORD>((name.size() + 1) * sizeof(char16_t))) == ERROR_SUCCESS;
  }
  RegFlushKey(button);
  RegCloseKey(button);
  return ok;
}

bool MakeSampleBook(const std::string& samplePath) {
  if (GetFileAttributesW(u"\\eBooks\\sample.corv") != INVALID_FILE_ATTRIBUTES) return true;
  std::ifstream in(samplePath, std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "deviceprep: cannot read %s\n", samplePath.c_str());
    return false;
  }
  const std::string html((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  testbuild::BookRecipe recipe;
  recipe.codePage = 65001;
  recipe.bookType = 2;
  recipe.text = testbuild::EncodeBookText(html, recipe.codePage);
  recipe.fullName = testbuild::EncodeBookText("The Ledger of the Salt Lamp", recipe.codePage);
  recipe.databaseName = "The Ledger of the Salt Lamp";
  const std::vector<uint8_t> bytes = testbuild::BuildBook(recipe).Bytes();
  if (!testbuild::WriteDeviceFile(u"\\eBooks\\sample.corv", bytes)) {
    std::fprintf(stderr, "deviceprep: cannot write the sample book\n");
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  std::string sample = TESSALYN_SAMPLE_TEXT;
  std::string root;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (toolcli::IsHelp(argv[i])) return toolcli::ShowUsage(kUsage);
    if (arg == "--sample") {
      if (i + 1 >= argc || toolcli::IsOption(argv[i + 1])) return toolcli::UsageError(kUsage, "deviceprep", "--sample needs a file");
      sample = argv[++i];
    } else if (toolcli::IsOption(argv[i])) {
      return toolcli::UsageError(kUsage, "deviceprep", ("unknown option " + arg).c_str());
    } else if (root.empty()) {
      root = arg;
    } else {
      return toolcli::UsageError(kUsage);
    }
  }
  if (root.empty()) return toolcli::UsageError(kUsage);
  std::error_code error;
  std::filesystem::create_directories(root, error);
  if (error) {
    std::fprintf(stderr, "deviceprep: cannot make %s\n", root.c_str());
    return 1;
  }
  const char* cards = std::getenv("TESSALYN_CARDS");
  devicefs::SetRoot(root, devicefs::CardNamesFromList(cards != nullptr ? cards : "Storage Card"));
  bool ok = MakeFolder(u"\\eBooks") && MakeFolder(u"\\My Documents") && MakeFolder(u"\\Windows") &&
            MakeFolder(u"\\Program Files") && MakeFolder(u"\\Program Files\\tessalyn");
  for (int button = 1; ok && button <= 5; ++button) ok = AddButton(button);
  if (!ok) {
    std::fprintf(stderr, "deviceprep: cannot prepare %s\n", root.c_str());
    return 1;
  }
  if (!MakeSampleBook(sample)) return 1;
  std::printf("deviceprep: %s is ready\n", root.c_str());
  return 0;
}

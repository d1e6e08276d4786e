// The host folder that holds the device's file system, and the translation of
// device paths into host paths inside it.
//
// The root is TESSALYN_DEVICE_ROOT, else $XDG_DATA_HOME/tessalyn/device (else
// ~/.local/share/tessalyn/device); tests get a fresh temporary root. The
// platform keeps its own state (attribute store, registry, window registry)
// in the host folder ".tessalyn" inside the root, which the device never sees.
// Storage cards are top-level folders named in TESSALYN_CARDS (';'-separated,
// default "Storage Card").
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "platform/types/device_types.h"

namespace devicefs {

const std::filesystem::path& RootFolder();
// The platform's private folder inside the root (created on demand).
std::filesystem::path StateFolder();
const std::vector<std::u16string>& StorageCardNames();
void SetRoot(const std::filesystem::path& root, const std::vector<std::u16string>& cards);

struct Resolved {
  std::filesystem::path host;  // host path (may not exist)
  std::u16string device;       // "\A\b" with the case found on disk
  bool exists = false;
  bool isDirectory = false;
  bool isRoot = false;
};

// Resolves a device path. Every component but the last must exist as a
// folder (else ERROR_PATH_NOT_FOUND); the last may be missing (exists false,
// created with the given case). Refuses "..", wildcards (unless allowed for
// the last component), names the device forbids and paths longer than
// MAX_PATH, setting the device's error code; false then.
bool Resolve(LPCWSTR path, Resolved* out, bool allowWildcardLast = false);

// Case folding used for every name comparison.
char16_t FoldChar(char16_t c);
bool NamesEqual(const std::u16string& a, const std::u16string& b);
std::u16string FoldName(const std::u16string& name);

std::string ToUtf8(const std::u16string& text);
std::u16string FromUtf8(const std::string& text);

// True for the top-level folders that are storage cards.
bool IsStorageCard(const Resolved& r);

}  // namespace devicefs

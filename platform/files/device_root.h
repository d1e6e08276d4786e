// The host folder that holds the device's file system, and the translation of
// device paths into host paths inside it.
//
// The root is TESSALYN_DEVICE_ROOT, else $XDG_DATA_HOME/tessalyn/device (else
// ~/.local/share/tessalyn/device); tests get a fresh temporary root. The
// platform keeps its own state (attribute store, registry, window registry)
// in the host folder ".tessalyn" inside the root, which the device never sees.
// Storage cards are top-level folders named in TESSALYN_CARDS (';'-separated,
// default "Storage Card"); a name that is not one plain folder name is
// ignored.
//
// Resolution walks the host folders through descriptors (beneath_root.h), so
// no symbolic link inside the root is ever followed, and decodes host names
// with the file layer's own reversible decoder (host_names.h).
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/files/beneath_root.h"
#include "platform/types/device_types.h"

namespace devicefs {

const std::filesystem::path& RootFolder();
// The platform's private folder inside the root (created on demand, and
// made a real folder again if something else was planted under its name).
std::filesystem::path StateFolder();
const std::vector<std::u16string>& StorageCardNames();
// Cards whose names are not valid card names are left out.
void SetRoot(const std::filesystem::path& root, const std::vector<std::u16string>& cards);

// A card name is one plain name of a top-level folder: not empty, no
// separator, not "." or "..", no character the device forbids, no trailing
// dot or blank (resolution drops those), not the platform's own folder.
bool IsValidCardName(const std::u16string& name);
// The cards of a ';'-separated list of host names, as TESSALYN_CARDS holds
// them; names that are not valid card names are left out.
std::vector<std::u16string> CardNamesFromList(const std::string& list);

struct Resolved {
  std::filesystem::path host;  // host path (may not exist), for sharing and messages
  std::u16string device;       // "\A\b" with the case found on disk
  bool exists = false;
  bool isDirectory = false;
  bool isRoot = false;
  // The name is held by a foreign entry (a link, FIFO, socket, device node):
  // exists is false, as the device cannot see it, but creating a new file
  // there fails, and replacing or deleting the name acts on that entry.
  bool isForeign = false;
  // The open folder holding the last component (the root for the root
  // itself) and that component's host name ("" for the root): every
  // operation on the entry goes through these, never through `host`.
  std::shared_ptr<HostFd> folder;
  std::string leaf;
};

// Resolves a device path. Every component but the last must exist as a
// folder (else ERROR_PATH_NOT_FOUND); the last may be missing (exists false,
// created with the given case). Refuses "..", wildcards (unless allowed for
// the last component), names the device forbids, names no host name decodes
// to, and paths longer than MAX_PATH, setting the device's error code; false
// then.
bool Resolve(LPCWSTR path, Resolved* out, bool allowWildcardLast = false);

// Case folding used for every name comparison.
char16_t FoldChar(char16_t c);
bool NamesEqual(const std::u16string& a, const std::u16string& b);
std::u16string FoldName(const std::u16string& name);

// Plain UTF-8 conversion for text that is not a file name (messages,
// settings); file names go through host_names.h. ToUtf8 is the shared
// encoder (platform/text/utf16_to_utf8.h).
std::string ToUtf8(const std::u16string& text);
std::u16string FromUtf8(const std::string& text);

// True for the top-level folders that are storage cards.
bool IsStorageCard(const Resolved& r);

}  // namespace devicefs

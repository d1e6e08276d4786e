// ApplicationController::ExportPlaylist: a book's script asks for a
// playlist of numbered parts of an audio source ("name#1;2,3"): each part
// is written to a temporary audio file in "\my documents" and a playlist of
// them (an ASX list where the device knows ".wma", else a Pocket media
// player list) is written beside them and opened through the shell.
//
// The name and each number come from the page's script: a name longer than
// 259 characters or a number token longer than 255 is refused with the
// "cannot open" box, before anything is written.
#include <new>

#include "app/controller/application_controller.h"
#include "app/environment/app_environment.h"
#include "platform/files/files.h"
#include "platform/registry/registry.h"
#include "platform/text/code_page_conversion.h"

namespace {

constexpr uint32_t kMaxNameUnits = 259;
constexpr uint32_t kMaxTokenUnits = 255;
constexpr uint32_t kCannotOpenText = 5021;
constexpr int32_t kErrorCaption = 5018;
constexpr uint32_t kNoPlayerText = 5038;
constexpr uint32_t kListFailedText = 5026;
constexpr uint32_t kErrorKind = 2;

bool IsSeparator(WCHAR c) { return c == u';' || c == u','; }

// Whether the device registers the ".wma" extension (its player reads ASX
// lists then).
bool WmaRegistered() {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CLASSES_ROOT, u".wma", 0, KEY_READ, &key) != 0) return false;
  RegCloseKey(key);
  return true;
}

// Writes the UTF-16 text in the device's default code page to a new file.
bool WriteDefaultCodePage(const WCHAR* path, const EncodedString& text) {
  const int units = static_cast<int>(text.ByteLength() / 2);
  int bytes = units == 0 ? 0 : WideCharToMultiByte(CP_ACP, 0, text.Chars(), units, nullptr, 0, nullptr, nullptr);
  if (units != 0 && bytes <= 0) return false;
  char* narrow = new (std::nothrow) char[static_cast<size_t>(bytes) + 1];
  if (narrow == nullptr) return false;
  if (bytes > 0) WideCharToMultiByte(CP_ACP, 0, text.Chars(), units, narrow, bytes, nullptr, nullptr);
  HANDLE file = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  bool ok = file != INVALID_HANDLE_VALUE;
  if (ok) {
    DWORD written = 0;
    ok = WriteFile(file, narrow, static_cast<DWORD>(bytes), &written, nullptr) && written == static_cast<DWORD>(bytes);
    ok = CloseHandle(file) && ok;
    if (!ok) DeleteFileW(path);
  }
  delete[] narrow;
  return ok;
}

}  // namespace

void ApplicationController::ShowCannotOpenSound(const SharedWideString& name) {
  SharedWideString text;
  if (environment_ != nullptr) environment_->LoadString(kCannotOpenText, &text);
  text.AppendRepeated(u' ', 1);
  text.Append(name);
  text.AppendRepeated(0, 1);
  MessageBox(-1, text.Chars(), kErrorKind);
}

bool ApplicationController::ExportPlaylist(const SharedWideString& request) {
  const WCHAR* chars = request.Chars();
  const uint32_t length = request.length;
  uint32_t hash = 0;
  while (hash < length && chars[hash] != u'#') ++hash;
  SharedWideString name;
  if (hash > 0) name.FromChars(chars, hash);
  if (hash > kMaxNameUnits) {
    ShowCannotOpenSound(name);
    return false;
  }
  // The part numbers, each token read as a decimal number.
  SegmentedArray numbers{static_cast<int32_t>(sizeof(uint32_t))};
  for (uint32_t i = hash + 1; i < length;) {
    uint32_t end = i;
    while (end < length && !IsSeparator(chars[end])) ++end;
    if (end - i > kMaxTokenUnits) {
      ShowCannotOpenSound(name);
      return false;
    }
    if (end > i) {
      uint64_t value = 0;
      for (uint32_t k = i; k < end && chars[k] >= u'0' && chars[k] <= u'9' && value <= 0xFFFFFFFFu; ++k)
        value = value * 10 + static_cast<uint32_t>(chars[k] - u'0');
      const uint32_t number = value > 0xFFFFFFFFu ? 0xFFFFFFFFu : static_cast<uint32_t>(value);
      if (numbers.Append(&number) < 0) return false;
    }
    i = end + 1;
  }
  if (playlistSource_ == nullptr || !playlistSource_->OpenSource(name)) {
    ShowCannotOpenSound(name);
    return false;
  }
  const bool asx = WmaRegistered();
  EncodedString list;
  list.FromWide(asx ? u"<Asx>" : u"[Pocket WMP Playlist File v1.0]\r\n[Tracks]\r\n");
  const char* prefix = "temp1_rec";
  for (uint32_t index = 0; index < numbers.count; ++index) {
    uint32_t number = 0;
    numbers.ReadAt(index, &number, 1);
    EncodedString path;
    PlaylistPartResult result = PlaylistPartResult::kCannotCreate;
    for (;;) {
      path.FromWide(u"\\my documents\\");
      path.AppendAscii(prefix);
      path.AppendNumber(index, 10);
      path.AppendAscii(".wma");
      path.SelectAll();
      result = playlistSource_->WritePart(number, path);
      if (result != PlaylistPartResult::kCannotCreate || prefix[4] == '2') break;
      prefix = "temp2_rec";  // for this file and the ones after it
    }
    if (result == PlaylistPartResult::kCannotCreate) {
      playlistSource_->CloseSource();
      ShowMessage(kErrorCaption, kNoPlayerText, kErrorKind);
      return false;
    }
    if (result == PlaylistPartResult::kNoSuchPart) {
      playlistSource_->CloseSource();
      ShowCannotOpenSound(name);
      return false;
    }
    if (asx) {
      list.AppendAscii("<Entry>\n<Ref href=\"");
      list.Append(path);
      list.AppendAscii("\" />\n</Entry>\n");
    } else {
      list.Append(path);
      list.AppendAscii("\r\n");
    }
  }
  playlistSource_->CloseSource();
  list.AppendAscii(asx ? "</Asx>" : "[Settings]\r\nCurrentTrack=0\r\n");
  list.SelectAll();
  const WCHAR* listPath = asx ? u"\\my documents\\playlist.asx" : u"\\my documents\\playlist.pmp";
  if (!WriteDefaultCodePage(listPath, list)) {
    ShowMessage(kErrorCaption, kListFailedText, kErrorKind);
    return false;
  }
  StartThroughShell(listPath, u"", false);
  return true;
}

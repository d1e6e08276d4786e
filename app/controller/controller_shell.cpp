// Programs and documents started through the shell: beaming, web
// addresses, external programs and documents named by a book's script,
// and the check of the path a script chooses for the cart's file.
#include "app/controller/application_controller.h"
#include "app/environment/whole_text.h"
#include "foundation/files/folders.h"
#include "foundation/system/platform_detection.h"
#include "platform/launch/launch.h"

namespace {

constexpr int kShow = 5;  // SW_SHOW

bool FileExists(const WCHAR* path) {
  EncodedString p;
  p.FromWide(path);
  return PathExists(p);
}

WCHAR Lower(WCHAR c) { return (c >= u'A' && c <= u'Z') ? static_cast<WCHAR>(c + 32) : c; }

// The whole text as lower-cased UTF-16 characters.
std::u16string LowerText(const EncodedString& text) {
  EncodedString wide;
  CopyWholeTextAsUtf16(text, &wide);
  std::u16string out;
  for (uint32_t i = 0; i < wide.ByteLength() / 2; ++i) out += Lower(wide.Chars()[i]);
  return out;
}

bool EndsWith(const std::u16string& text, const std::u16string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// The last component of a path.
std::u16string LastComponent(const std::u16string& path) {
  const size_t cut = path.find_last_of(u"\\/");
  return cut == std::u16string::npos ? path : path.substr(cut + 1);
}

bool NamesOwnProgram(const std::u16string& lowered) { return LastComponent(lowered) == u"tessalyn.exe"; }

bool LeavesFolder(const std::u16string& name) {
  if (name.empty() || name[0] == u'\\' || name[0] == u'/' || name.find(u':') != std::u16string::npos) return true;
  size_t start = 0;
  while (start <= name.size()) {
    size_t end = name.find_first_of(u"\\/", start);
    if (end == std::u16string::npos) end = name.size();
    if (name.compare(start, end - start, u"..") == 0) return true;
    start = end + 1;
  }
  return false;
}

}  // namespace

bool ApplicationController::StartThroughShell(const WCHAR* file, const WCHAR* parameters, bool noCloseProcess) {
  SHELLEXECUTEINFOW info{};
  info.cbSize = sizeof(info);
  info.fMask = noCloseProcess ? SEE_MASK_NOCLOSEPROCESS : 0;
  info.hwnd = mainWindow_;
  info.lpVerb = u"Open";
  info.lpFile = file;
  info.lpParameters = parameters;
  info.nShow = kShow;
  return ShellExecuteExW(&info) != FALSE;
}

bool IsBeamAvailable() {
  if (FileExists(u"\\windows\\beam.exe")) return true;
  if (GetPlatformType() == kPlatformSmartphone) return FileExists(u"\\windows\\tobex.exe");
  return FileExists(u"\\windows\\irsquirt.exe");
}

bool ApplicationController::BeamFile(const EncodedString& path) {
  const WCHAR* program = nullptr;
  if (FileExists(u"\\windows\\beam.exe")) {
    program = u"beam.exe";
  } else if (GetPlatformType() == kPlatformSmartphone) {
    program = u"tobex.exe";
  } else {
    program = u"irsquirt.exe";
  }
  EncodedString wide;
  CopyWholeTextAsUtf16(path, &wide);
  return StartThroughShell(program, wide.CStrOrEmpty(), true);
}

bool ApplicationController::OpenUrlInBrowser(const WCHAR* address) {
  return StartThroughShell(address, u"", false);
}

bool ApplicationController::OpenInExternalProgram(const EncodedString& name) {
  const std::u16string lowered = LowerText(name);
  if (LeavesFolder(lowered) || NamesOwnProgram(lowered)) return false;
  EncodedString documentPath;
  if (view_ == nullptr || !view_->GetDocumentPath(&documentPath)) return false;
  EncodedString wideDocument;
  CopyWholeTextAsUtf16(documentPath, &wideDocument);
  std::u16string folder(wideDocument.Chars() ? wideDocument.Chars() : u"", wideDocument.ByteLength() / 2);
  const size_t cut = folder.find_last_of(u'\\');
  if (cut == std::u16string::npos) return false;  // not a local file
  folder.resize(cut + 1);
  EncodedString wideName;
  CopyWholeTextAsUtf16(name, &wideName);
  std::u16string target = folder + std::u16string(wideName.Chars(), wideName.ByteLength() / 2);
  if (EndsWith(lowered, u".exe")) return StartThroughShell(target.c_str(), u"", false);
  return StartThroughShell(target.c_str(), u"", false);
}

bool ApplicationController::OpenInWordProcessor(const EncodedString& program, const EncodedString& file) {
  std::u16string name = LowerText(program);
  if (name.find_first_of(u"\\/:") != std::u16string::npos || NamesOwnProgram(name)) return false;
  if (name == u"wordpad.exe") name = u"pword.exe";
  const std::u16string document = LowerText(file);
  return StartThroughShell(name.c_str(), document.c_str(), false);
}

bool ApplicationController::MayWriteCartTo(const EncodedString& path) const {
  const std::u16string lowered = LowerText(path);
  static constexpr const char16_t* kRefused[] = {u".qvr", u".qvg", u".qvl", u".ebase", u".prc", u".pdb",
                                                 u".txt", u".html", u".htm", u".corv"};
  for (const char16_t* extension : kRefused) {
    if (EndsWith(lowered, extension)) return false;
  }
  return LastComponent(lowered) != u"qvr_global_configuration.qvr";
}

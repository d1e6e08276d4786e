// ShellExecuteExW and CreateProcessW: the program's own module starts a new
// process of this program, a web address goes to the desktop's browser,
// anything else starts nothing (no device program exists here).
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <vector>

#include "platform/core/last_error.h"
#include "platform/files/device_root.h"
#include "platform/files/files.h"
#include "platform/files/host_names.h"
#include "platform/launch/launch.h"
#include "platform/text/utf16_to_utf8.h"
#ifdef TESSALYN_TEST_HOOKS
#include "platform/launch/launch_hooks.h"
#endif

extern char** environ;

namespace {

std::u16string Text(LPCWSTR text) { return text ? std::u16string(text) : std::u16string(); }

char16_t FoldAscii(char16_t c) { return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c + 32) : c; }

bool EqualsWithoutCase(const std::u16string& a, const std::u16string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
  }
  return true;
}

bool StartsWithoutCase(const std::u16string& text, const std::u16string& prefix) {
  return text.size() >= prefix.size() && EqualsWithoutCase(text.substr(0, prefix.size()), prefix);
}

bool IsOwnModule(const std::u16string& file) {
  return EqualsWithoutCase(file, kProgramModulePath) || EqualsWithoutCase(file, u"tessalyn.exe");
}

bool IsWebAddress(const std::u16string& file) {
  return StartsWithoutCase(file, u"http:") || StartsWithoutCase(file, u"https:");
}

bool DeviceFileExists(const std::u16string& file) {
  return !file.empty() && GetFileAttributesW(file.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The device's parameter text as arguments: blanks separate, double quotes
// group (and are dropped).
std::vector<std::string> SplitParameters(const std::u16string& parameters) {
  std::vector<std::string> arguments;
  std::u16string current;
  bool quoted = false;
  bool any = false;
  for (char16_t c : parameters) {
    if (c == u'"') {
      quoted = !quoted;
      any = true;
    } else if (c == u' ' && !quoted) {
      if (any) arguments.push_back(devtext::Utf16ToUtf8String(current));
      current.clear();
      any = false;
    } else {
      current += c;
      any = true;
    }
  }
  if (any) arguments.push_back(devtext::Utf16ToUtf8String(current));
  return arguments;
}

// Runs `program` with `arguments` without waiting for it; for xdg-open
// (`wait`) the exit status is the answer.
bool Spawn(const std::string& program, const std::vector<std::string>& arguments, bool search, bool wait,
           const std::vector<std::string>& extraEnvironment) {
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(program.c_str()));
  for (const std::string& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  std::vector<std::string> environmentTexts;
  for (char** e = environ; e && *e; ++e) {
    std::string entry(*e);
    bool replaced = false;
    for (const std::string& extra : extraEnvironment) {
      const size_t eq = extra.find('=');
      if (entry.compare(0, eq + 1, extra, 0, eq + 1) == 0) replaced = true;
    }
    if (!replaced) environmentTexts.push_back(entry);
  }
  for (const std::string& extra : extraEnvironment) environmentTexts.push_back(extra);
  std::vector<char*> envp;
  for (std::string& e : environmentTexts) envp.push_back(e.data());
  envp.push_back(nullptr);
  pid_t child = 0;
  const int failed = search ? posix_spawnp(&child, program.c_str(), nullptr, nullptr, argv.data(), envp.data())
                            : posix_spawn(&child, program.c_str(), nullptr, nullptr, argv.data(), envp.data());
  if (failed != 0) return false;
  if (!wait) return true;
  int status = 0;
  if (waitpid(child, &status, 0) != child) return false;
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

bool StartOwnProgram(const std::u16string& parameters) {
  char self[4096];
  const ssize_t n = readlink("/proc/self/exe", self, sizeof(self) - 1);
  if (n <= 0) return false;
  self[n] = 0;
  const std::string root = "TESSALYN_DEVICE_ROOT=" + devicefs::RootFolder().string();
  return Spawn(self, SplitParameters(parameters), false, false, {root});
}

bool XdgOpenExists() {
  const char* path = std::getenv("PATH");
  std::string folders = path ? path : "/usr/bin:/bin";
  size_t start = 0;
  while (start <= folders.size()) {
    size_t end = folders.find(':', start);
    if (end == std::string::npos) end = folders.size();
    const std::string candidate = folders.substr(start, end - start) + "/xdg-open";
    if (access(candidate.c_str(), X_OK) == 0) return true;
    start = end + 1;
  }
  return false;
}

struct Request {
  const char* function;
  std::u16string file;
  std::u16string verb;
  std::u16string parameters;
  int show;
  DWORD mask;
};

#ifdef TESSALYN_TEST_HOOKS
struct LaunchState {
  std::mutex lock;
  std::vector<devtest::LaunchRequest> journal;
  int scripted = 0;  // 0 none, 1 fixed answer, 2 success for existing files
  BOOL answer = FALSE;
  DWORD error = 0;
};

LaunchState& State() {
  static LaunchState state;
  return state;
}
#endif

void Report(const Request& request) {
#ifndef TESSALYN_TEST_HOOKS
  std::fprintf(stderr, "tessalyn: %s \"%s\" %s: not carried out on this host\n", request.function,
               devtext::Utf16ToUtf8String(request.file).c_str(),
               devtext::Utf16ToUtf8String(request.parameters).c_str());
#else
  (void)request;
#endif
}

// The answer as launch.h sets it out; `error` gets the failure's code.
BOOL Carry(const Request& request, DWORD* error) {
  *error = 0;
#ifdef TESSALYN_TEST_HOOKS
  {
    LaunchState& state = State();
    std::lock_guard<std::mutex> hold(state.lock);
    if (state.scripted == 1) {
      *error = state.answer ? 0 : state.error;
      return state.answer;
    }
    if (state.scripted == 2 && (IsWebAddress(request.file) || DeviceFileExists(request.file))) return TRUE;
  }
  const bool mayStart = false;  // tests never start programs or browsers
#else
  const bool mayStart = true;
#endif
  if (IsOwnModule(request.file)) {
    if (mayStart && StartOwnProgram(request.parameters)) return TRUE;
    *error = ERROR_NOT_SUPPORTED;
    return FALSE;
  }
  if (IsWebAddress(request.file)) {
    if (mayStart && XdgOpenExists() &&
        Spawn("xdg-open", {devtext::Utf16ToUtf8String(request.file)}, true, true, {})) {
      return TRUE;
    }
    *error = ERROR_NOT_SUPPORTED;
    return FALSE;
  }
  *error = DeviceFileExists(request.file) ? ERROR_NOT_SUPPORTED : ERROR_FILE_NOT_FOUND;
  return FALSE;
}

BOOL Execute(const Request& request) {
  DWORD error = 0;
  const BOOL result = Carry(request, &error);
  if (!result) {
    Report(request);
    SetLastError(error);
  }
#ifdef TESSALYN_TEST_HOOKS
  {
    LaunchState& state = State();
    std::lock_guard<std::mutex> hold(state.lock);
    state.journal.push_back(devtest::LaunchRequest{request.function, request.file, request.verb,
                                                   request.parameters, request.show, request.mask, result,
                                                   result ? 0 : error});
  }
#endif
  return result;
}

}  // namespace

BOOL ShellExecuteExW(SHELLEXECUTEINFOW* info) {
  if (info == nullptr || info->cbSize != sizeof(SHELLEXECUTEINFOW)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  Request request{"ShellExecuteExW", Text(info->lpFile), Text(info->lpVerb), Text(info->lpParameters),
                  info->nShow, info->fMask};
  const BOOL result = Execute(request);
  info->hProcess = nullptr;
  const DWORD error = result ? 0 : GetLastError();
  info->hInstApp = reinterpret_cast<HINSTANCE>(static_cast<uintptr_t>(
      result ? 33 : (error == ERROR_FILE_NOT_FOUND ? 2 : 0)));
  if (!result) SetLastError(error);
  return result;
}

BOOL CreateProcessW(LPCWSTR application, LPWSTR commandLine, void*, void*, BOOL, DWORD, LPVOID, LPCWSTR, void*,
                    PROCESS_INFORMATION* processInfo) {
  Request request{"CreateProcessW", Text(application), u"", Text(commandLine), 0, 0};
  if (processInfo != nullptr) *processInfo = PROCESS_INFORMATION{};
  return Execute(request);
}

#ifdef TESSALYN_TEST_HOOKS
namespace devtest {

std::vector<LaunchRequest> LaunchRequests() {
  std::lock_guard<std::mutex> hold(State().lock);
  return State().journal;
}

void ClearLaunchRequests() {
  std::lock_guard<std::mutex> hold(State().lock);
  State().journal.clear();
}

void ScriptLaunchAnswer(BOOL result, DWORD error) {
  std::lock_guard<std::mutex> hold(State().lock);
  State().scripted = 1;
  State().answer = result;
  State().error = error;
}

void ScriptLaunchSuccessForExisting() {
  std::lock_guard<std::mutex> hold(State().lock);
  State().scripted = 2;
}

void ResetLaunch() {
  {
    std::lock_guard<std::mutex> hold(State().lock);
    State().journal.clear();
    State().scripted = 0;
    State().answer = FALSE;
    State().error = 0;
  }
  devlaunch::SetCommandLineText(u"");
}

}  // namespace devtest
#endif

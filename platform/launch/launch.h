// The program's own start and the shell's execution of files and programs:
// the command line as the device's shell hands it over, the program's
// module file name, ShellExecuteExW and CreateProcessW.
//
// Command line. The entry of a program built on the platform hands its host
// arguments to SetProgramArguments once; GetCommandLineW then gives them in
// the device's form: the program name left out, the arguments joined by one
// space, an argument that holds a space wrapped in double quotes (as the
// device's shell passes a path).
//
// Execution. The device has no other programs here, so the calls start
// something only in two cases:
// - the program's own module ("\Program Files\tessalyn\tessalyn.exe") starts
//   a new process of this same program with the parameters, in the same
//   device root;
// - an "http:" or "https:" address goes to the desktop's browser through
//   xdg-open, when xdg-open exists (its success is the answer).
// Any other request starts nothing and answers FALSE: ERROR_FILE_NOT_FOUND
// when the file does not exist in the device's file system, otherwise
// ERROR_NOT_SUPPORTED. Every request is journalled (test builds); tests may
// script the answer, and then nothing at all is started. The program writes
// each request it did not carry out on standard error.
#pragma once

#include "platform/types/device_types.h"
#include "platform/types/window_handle.h"

// Shell execution.
struct SHELLEXECUTEINFOW {
  DWORD cbSize;
  ULONG fMask;
  HWND hwnd;
  LPCWSTR lpVerb;
  LPCWSTR lpFile;
  LPCWSTR lpParameters;
  LPCWSTR lpDirectory;
  int nShow;
  HINSTANCE hInstApp;
  LPVOID lpIDList;
  LPCWSTR lpClass;
  HANDLE hkeyClass;
  DWORD dwHotKey;
  HANDLE hIcon;
  HANDLE hProcess;
};
constexpr ULONG SEE_MASK_NOCLOSEPROCESS = 0x00000040;

struct PROCESS_INFORMATION {
  HANDLE hProcess;
  HANDLE hThread;
  DWORD dwProcessId;
  DWORD dwThreadId;
};

// The program file as the device sees it.
constexpr const WCHAR* kProgramModulePath = u"\\Program Files\\tessalyn\\tessalyn.exe";

LPWSTR GetCommandLineW();
// The program's module path (whatever the module asked for); the count of
// characters copied without the terminator; a buffer too small gets the
// text cut and ERROR_INSUFFICIENT_BUFFER.
DWORD GetModuleFileNameW(HMODULE module, LPWSTR buffer, DWORD size);

// hProcess is never filled (no process handle of a started program is kept);
// hInstApp becomes 33 on success, 2 when the file is missing, else 0.
BOOL ShellExecuteExW(SHELLEXECUTEINFOW* info);
// Only the program's own module starts; the flags, environment and start
// records of the device are ignored. `processInfo` may be null.
BOOL CreateProcessW(LPCWSTR application, LPWSTR commandLine, void* processAttributes, void* threadAttributes,
                    BOOL inheritHandles, DWORD creationFlags, LPVOID environment, LPCWSTR currentFolder,
                    void* startupInfo, PROCESS_INFORMATION* processInfo);

namespace devlaunch {

// Called once by the program's entry with its host arguments.
void SetProgramArguments(int argc, char** argv);
// Tests: the device form of an argument list (the program name excluded).
void SetCommandLineText(const char16_t* text);

}  // namespace devlaunch

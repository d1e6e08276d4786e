// LoadLibraryW / GetProcAddressW over the emulated module table, with the
// per-test presence switches. Real shared objects (plug-ins) are opened with
// dlopen when no emulated module has the name: a name with a folder is a
// device path, resolved inside the device root like every file path (with
// ".so" in place of the extension); a file of the program folder that the
// device root lacks is looked for in the build's lib/ beside the program's
// bin/, where the project's own plug-ins are built. A bare name goes to the
// host's search path.
#include "platform/modules/modules.h"

#include <dlfcn.h>
#include <fcntl.h>
#include <unistd.h>

#include <filesystem>

#include <algorithm>
#include <cctype>
#include <map>
#include <mutex>
#include <set>
#include <string>

#include "platform/core/last_error.h"
#include "platform/files/device_root.h"
#include "platform/modules/emulated_module.h"

#ifdef TESSALYN_TEST_HOOKS
#include "platform/modules/module_hooks.h"
#endif

// An HMODULE points at one of these.
struct ModuleObject {
  const EmulatedModule* emulated = nullptr;  // null for a real shared object
  void* shared = nullptr;                    // dlopen handle
  int references = 0;
};

namespace {

std::string Lower(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
  return s;
}

std::string Narrow(LPCWSTR text) {
  std::string out;
  if (!text) return out;
  for (; *text; ++text) out.push_back(*text < 0x80 ? static_cast<char>(*text) : '?');
  return out;
}

// The base name without folder, lower-cased, with ".dll" added when missing.
std::string ModuleKey(const std::string& name) {
  std::string base = name;
  size_t slash = base.find_last_of("\\/");
  if (slash != std::string::npos) base = base.substr(slash + 1);
  base = Lower(base);
  if (base.find('.') == std::string::npos) base += ".dll";
  return base;
}

struct ModuleState {
  std::mutex lock;
  std::set<std::string> absentModules;
  std::set<std::pair<std::string, std::string>> absentExports;
  std::map<std::string, ModuleObject*> loaded;  // key -> object
  ModuleObject self;
};

ModuleState& State() {
  static ModuleState* state = new ModuleState;  // lives for the process
  return *state;
}

const EmulatedModule* FindEmulated(const std::string& key) {
  size_t count = 0;
  const EmulatedModule* const* modules = EmulatedModules(&count);
  for (size_t i = 0; i < count; ++i)
    if (ModuleKey(modules[i]->fileName) == key) return modules[i];
  return nullptr;
}

// The device name with its extension (after the last dot of the last
// component) replaced by ".so", or ".so" added.
std::u16string SharedObjectName(const std::u16string& name) {
  size_t slash = name.find_last_of(u"\\/");
  size_t dot = name.find_last_of(u'.');
  std::u16string base = name;
  if (dot != std::u16string::npos && (slash == std::u16string::npos || dot > slash)) base.erase(dot);
  return base + u".so";
}

// The folder holding the running program's bin/ folder's sibling lib/.
std::filesystem::path BuildLibraryFolder() {
  std::error_code error;
  std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) return {};
  return exe.parent_path().parent_path() / "lib";
}

bool InProgramFolder(const std::u16string& devicePath) {
  static const std::u16string kProgramFolder = u"\\program files\\tessalyn\\";
  std::u16string path = devicePath;
  for (char16_t& c : path) c = c == u'/' ? u'\\' : devicefs::FoldChar(c);
  if (path.empty() || path[0] != u'\\') path.insert(path.begin(), u'\\');
  return path.size() > kProgramFolder.size() && path.compare(0, kProgramFolder.size(), kProgramFolder) == 0 &&
         path.find(u'\\', kProgramFolder.size()) == std::u16string::npos;
}

void* OpenSharedObject(LPCWSTR name) {
  std::u16string wide(name);
  bool hasFolder = wide.find_first_of(u"\\/") != std::u16string::npos;
  std::u16string file = SharedObjectName(wide);
  if (!hasFolder) {
    std::string host = devicefs::ToUtf8(file);
    void* handle = dlopen(host.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) handle = dlopen(("lib" + host).c_str(), RTLD_NOW | RTLD_LOCAL);
    return handle;
  }
  devicefs::Resolved resolved;
  if (devicefs::Resolve(file.c_str(), &resolved) && resolved.exists && !resolved.isDirectory && resolved.folder) {
    // Opened through the resolved folder, so that no link is followed.
    int fd = ::openat(resolved.folder->Get(), resolved.leaf.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) return nullptr;
    std::string path = "/proc/self/fd/" + std::to_string(fd);
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    ::close(fd);
    return handle;
  }
  if (!InProgramFolder(file)) return nullptr;
  size_t slash = file.find_last_of(u"\\/");
  std::filesystem::path lib = BuildLibraryFolder();
  if (lib.empty()) return nullptr;
  std::string leaf = devicefs::ToUtf8(file.substr(slash + 1));
  std::error_code error;
  if (!std::filesystem::is_regular_file(lib / leaf, error)) {
    // The device's names compare without case; the build's file keeps its own.
    for (const auto& entry : std::filesystem::directory_iterator(lib, error)) {
      std::u16string candidate = devicefs::FromUtf8(entry.path().filename().string());
      if (devicefs::NamesEqual(candidate, file.substr(slash + 1))) {
        leaf = entry.path().filename().string();
        break;
      }
    }
  }
  return dlopen((lib / leaf).c_str(), RTLD_NOW | RTLD_LOCAL);
}

}  // namespace

HMODULE LoadLibraryW(LPCWSTR name) {
  if (!name || !*name) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  ModuleState& state = State();
  std::lock_guard<std::mutex> guard(state.lock);
  std::string key = ModuleKey(Narrow(name));
  auto it = state.loaded.find(key);
  if (it != state.loaded.end()) {
    ++it->second->references;
    return it->second;
  }
  if (const EmulatedModule* emulated = FindEmulated(key)) {
    if (state.absentModules.count(key)) {
      SetLastError(ERROR_MOD_NOT_FOUND);
      return nullptr;
    }
    auto* object = new ModuleObject{emulated, nullptr, 1};
    state.loaded[key] = object;
    return object;
  }
  if (state.absentModules.count(key)) {
    SetLastError(ERROR_MOD_NOT_FOUND);
    return nullptr;
  }
  void* handle = OpenSharedObject(name);
  if (!handle) {
    SetLastError(ERROR_MOD_NOT_FOUND);
    return nullptr;
  }
  auto* object = new ModuleObject{nullptr, handle, 1};
  state.loaded[key] = object;
  return object;
}

BOOL FreeLibrary(HMODULE module) {
  ModuleState& state = State();
  if (module == &state.self) return TRUE;
  std::lock_guard<std::mutex> guard(state.lock);
  for (auto it = state.loaded.begin(); it != state.loaded.end(); ++it) {
    if (it->second != module) continue;
    if (--module->references == 0) {
      if (module->shared) dlclose(module->shared);
      delete module;
      state.loaded.erase(it);
    }
    return TRUE;
  }
  SetLastError(ERROR_INVALID_HANDLE);
  return FALSE;
}

FARPROC GetProcAddressW(HMODULE module, LPCWSTR name) {
  if (!module || !name) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  std::string exportName = Narrow(name);
  if (module->shared) {
    FARPROC found = reinterpret_cast<FARPROC>(dlsym(module->shared, exportName.c_str()));
    if (!found) SetLastError(ERROR_PROC_NOT_FOUND);
    return found;
  }
  if (!module->emulated) {
    SetLastError(ERROR_PROC_NOT_FOUND);
    return nullptr;
  }
  ModuleState& state = State();
  std::lock_guard<std::mutex> guard(state.lock);
  std::string key = ModuleKey(module->emulated->fileName);
  if (!state.absentExports.count({key, exportName})) {
    for (size_t i = 0; i < module->emulated->exportCount; ++i)
      if (exportName == module->emulated->exports[i].name) return module->emulated->exports[i].address;
  }
  SetLastError(ERROR_PROC_NOT_FOUND);
  return nullptr;
}

HMODULE GetModuleHandleW(LPCWSTR name) {
  if (!name) return &State().self;
  ModuleState& state = State();
  std::lock_guard<std::mutex> guard(state.lock);
  auto it = state.loaded.find(ModuleKey(Narrow(name)));
  return it == state.loaded.end() ? nullptr : it->second;
}

#ifdef TESSALYN_TEST_HOOKS
namespace devtest {

void SetModulePresent(const std::string& fileName, bool present) {
  ModuleState& state = State();
  std::lock_guard<std::mutex> guard(state.lock);
  std::string key = ModuleKey(fileName);
  if (present)
    state.absentModules.erase(key);
  else
    state.absentModules.insert(key);
}

void SetExportPresent(const std::string& fileName, const std::string& exportName, bool present) {
  ModuleState& state = State();
  std::lock_guard<std::mutex> guard(state.lock);
  auto entry = std::make_pair(ModuleKey(fileName), exportName);
  if (present)
    state.absentExports.erase(entry);
  else
    state.absentExports.insert(entry);
}

int LoadedModuleCount() {
  ModuleState& state = State();
  std::lock_guard<std::mutex> guard(state.lock);
  return static_cast<int>(state.loaded.size());
}

void ResetModules() {
  ModuleState& state = State();
  std::lock_guard<std::mutex> guard(state.lock);
  state.absentModules.clear();
  state.absentExports.clear();
  // Modules a test left loaded stay valid (a system object may still hold
  // one); they are not reset so that no handle dangles.
}

}  // namespace devtest
#endif  // TESSALYN_TEST_HOOKS

// LoadLibraryW / GetProcAddressW over the emulated module table, with the
// per-test presence switches. Real shared objects (plug-ins) are opened with
// dlopen when no emulated module has the name.
#include "platform/modules/modules.h"

#include <dlfcn.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <mutex>
#include <set>
#include <string>

#include "platform/core/last_error.h"
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
  // A real shared object: the device name with its extension swapped for .so.
  std::string file = Narrow(name);
  for (char& c : file)
    if (c == '\\') c = '/';
  size_t dot = file.find_last_of('.');
  size_t slash = file.find_last_of('/');
  if (dot != std::string::npos && (slash == std::string::npos || dot > slash)) file.erase(dot);
  void* handle = dlopen((file + ".so").c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle && file.find('/') == std::string::npos)
    handle = dlopen(("lib" + file + ".so").c_str(), RTLD_NOW | RTLD_LOCAL);
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

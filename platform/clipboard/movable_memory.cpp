// The blocks of movable_memory.h: each a record with its bytes, every live
// record kept in one set so handles are checked.
#include "platform/clipboard/movable_memory.h"

#include <cstring>
#include <mutex>
#include <new>
#include <set>

#include "platform/core/last_error.h"

namespace {

struct Block {
  size_t size = 0;
  unsigned char* bytes = nullptr;
  int locks = 0;
};

std::mutex& Guard() {
  static std::mutex guard;
  return guard;
}

std::set<Block*>& Live() {
  static std::set<Block*> blocks;
  return blocks;
}

Block* Checked(HGLOBAL handle) {
  auto* block = static_cast<Block*>(handle);
  return handle != nullptr && Live().count(block) != 0 ? block : nullptr;
}

}  // namespace

HGLOBAL GlobalAlloc(UINT flags, size_t bytes) {
  auto* block = new (std::nothrow) Block;
  unsigned char* data = new (std::nothrow) unsigned char[bytes > 0 ? bytes : 1];
  if (block == nullptr || data == nullptr) {
    delete block;
    delete[] data;
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  std::memset(data, 0, bytes > 0 ? bytes : 1);  // zeroed whether or not asked: never stale bytes
  (void)flags;
  block->size = bytes;
  block->bytes = data;
  std::lock_guard<std::mutex> lock(Guard());
  Live().insert(block);
  return block;
}

LPVOID GlobalLock(HGLOBAL handle) {
  std::lock_guard<std::mutex> lock(Guard());
  Block* block = Checked(handle);
  if (block == nullptr) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  ++block->locks;
  return block->bytes;
}

BOOL GlobalUnlock(HGLOBAL handle) {
  std::lock_guard<std::mutex> lock(Guard());
  Block* block = Checked(handle);
  if (block == nullptr || block->locks == 0) return FALSE;
  return --block->locks > 0 ? TRUE : FALSE;
}

size_t GlobalSize(HGLOBAL handle) {
  std::lock_guard<std::mutex> lock(Guard());
  Block* block = Checked(handle);
  return block != nullptr ? block->size : 0;
}

HGLOBAL GlobalFree(HGLOBAL handle) {
  std::lock_guard<std::mutex> lock(Guard());
  Block* block = Checked(handle);
  if (block == nullptr) {
    SetLastError(ERROR_INVALID_HANDLE);
    return handle;
  }
  Live().erase(block);
  delete[] block->bytes;
  delete block;
  return nullptr;
}

HLOCAL LocalAlloc(UINT flags, size_t bytes) { return GlobalAlloc(flags, bytes); }
HLOCAL LocalFree(HLOCAL block) { return GlobalFree(block); }

bool IsLiveBlock(HGLOBAL handle) {
  std::lock_guard<std::mutex> lock(Guard());
  return Checked(handle) != nullptr;
}

size_t LiveBlockCount() {
  std::lock_guard<std::mutex> lock(Guard());
  return Live().size();
}

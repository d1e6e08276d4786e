// SharedWideStringPool: packing short strings into shared chunks.
#include "foundation/wide_string/shared_wide_string_pool.h"

#include <cstring>
#include <utility>

namespace {

void MakeOwn(SharedWideString& string, bool force) {
  if (!string.Reserve(0) && force) string.Clear();
}

}  // namespace

SharedWideString& SharedWideStringPool::Pack(SharedWideString& string, bool force) {
  SharedWideBuffer* own = string.buffer;
  if (!force && own != nullptr && own->refcount == 1 && string.length > 3) return string;
  if (own != nullptr && own == pool.buffer) return string;
  if (string.length == 0) {
    string.Clear();
    return string;
  }
  if (string.length >= chunkSize) {
    MakeOwn(string, force);
    return string;
  }
  if (pool.buffer == nullptr || chunkSize - used < string.length) {
    SharedWideBuffer* chunk = SharedWideBuffer::CreateOwned(chunkSize);
    if (chunk == nullptr) {
      MakeOwn(string, force);
      return string;
    }
    pool.Clear();
    pool.buffer = chunk;
    used = 0;
    write = chunk->data;
  }
  // The pool writes only behind what it has handed out, so the views of the
  // chunk never see their characters change.
  std::memcpy(write + used, string.Chars(), static_cast<size_t>(string.length) * sizeof(WCHAR));
  SharedWideString view;
  view.buffer = pool.buffer;
  ++view.buffer->refcount;
  view.offset = used;
  view.length = string.length;
  used += string.length;
  string = std::move(view);
  return string;
}

// EncodedStringArray: a list of strings in one counted heap block, with a
// sentinel in slot 0 handed out when growth fails.
#include "foundation/encoded_string/encoded_string_array.h"

#include "platform/memory/allocator.h"

EncodedStringArray::~EncodedStringArray() { Destroy(); }

void EncodedStringArray::Destroy() {
  delete[] elements;
  elements = nullptr;
  capacity = 0;
  count = 0;
}

bool EncodedStringArray::Reset(uint32_t n) {
  Destroy();
  uint32_t slots = n == 0 ? 1 : n + 1;
  if (n == UINT32_MAX) {
    status.SetError(kErrorArrayGrowth);
    return false;
  }
  elements = DeviceNewArray<EncodedString>(slots);
  if (!elements) {
    status.SetError(kErrorArrayGrowth);
    return false;
  }
  capacity = slots;
  count = 1;
  return true;
}

EncodedString& EncodedStringArray::At(uint32_t i) {
  if (!elements || i >= capacity - 1) {
    uint64_t wanted = static_cast<uint64_t>(i) + i / 2 + 2;
    EncodedString* grown = wanted <= UINT32_MAX / sizeof(EncodedString)
                               ? DeviceNewArray<EncodedString>(static_cast<size_t>(wanted))
                               : nullptr;
    if (!grown) {
      status.SetError(kErrorArrayGrowth);
      if (!elements) {
        static EncodedString spare;  // no block at all: a throw-away string
        spare.Release();
        spare.ClearStatus();
        return spare;
      }
      elements[0].Release();
      return elements[0];
    }
    for (uint32_t k = 0; k < capacity; ++k) grown[k].MoveFrom(elements[k]);
    delete[] elements;
    elements = grown;
    capacity = static_cast<uint32_t>(wanted);
    if (count == 0) count = 1;
  }
  if (count < i + 2) count = i + 2;
  return elements[i + 1];
}
